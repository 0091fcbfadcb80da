// Controls in a form: message numbers, alignment and anchors, what a parent passes on to its children,
// mouse capture, enter and leave, the wheel and the context menu, notices reflected to a child window's
// control, and a control freed by its own handler.

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <algorithm>
#include <string>
#include <utility>

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

using gui::TAlign;

TEST(MessageNumbers, AreTheOnesStoredDataAndOtherLibrariesUse)
{
    EXPECT_EQ(gui::CM_ACTIVATE, 0xB000u);
    EXPECT_EQ(gui::CM_FOCUSCHANGED, 0xB007u);
    EXPECT_EQ(gui::CM_FONTCHANGED, 0xB00Eu);
    EXPECT_EQ(gui::CM_SYSCOLORCHANGE, 0xB024u);
    EXPECT_EQ(gui::CM_RECREATEWND, 0xB033u);
    EXPECT_EQ(gui::CM_MOUSEWHEEL, 0xB043u);
    EXPECT_EQ(gui::CN_CTLCOLOREDIT, 0xBD33u);
    EXPECT_EQ(gui::CN_CTLCOLORSTATIC, 0xBD38u);
    EXPECT_EQ(gui::CN_KEYDOWN, 0xBD00u);
}

class ControlTest : public ControlsTest {};

TEST_F(ControlTest, AlignedControlsShareTheClientAreaTopBottomLeftRightThenClient)
{
    gui::TForm* form = MakeForm(400, 300);
    // Made in another order than they are laid out, to show the order is the alignment's.
    auto* client = Make<TTestControl>(form, "Client", 0, 0, 10, 10);
    auto* left = Make<TTestControl>(form, "Left", 0, 0, 100, 10);
    auto* bottom = Make<TTestControl>(form, "Bottom", 0, 0, 10, 30);
    auto* top = Make<TTestControl>(form, "Top", 0, 0, 10, 50);
    client->SetAlign(gui::alClient);
    left->SetAlign(gui::alLeft);
    bottom->SetAlign(gui::alBottom);
    top->SetAlign(gui::alTop);
    struct Case {
        gui::TControl* control;
        win::RECT bounds;
    };
    const Case cases[] = {
        {top, {0, 0, 400, 50}}, {bottom, {0, 270, 400, 300}}, {left, {0, 50, 100, 270}}, {client, {100, 50, 400, 270}}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.control->BoundsRect(), c.bounds) << c.control->Name();
    }
    // The same once the window exists and is shown, and after the form grows.
    form->Show();
    for (const Case& c : cases) {
        EXPECT_EQ(c.control->BoundsRect(), c.bounds) << c.control->Name();
    }
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    EXPECT_EQ(client->BoundsRect(), (win::RECT{100, 50, 500, 370}));
    EXPECT_EQ(bottom->BoundsRect(), (win::RECT{0, 370, 500, 400}));
}

TEST_F(ControlTest, ControlsOfOneAlignmentGoInTheOrderOfTheirPlaces)
{
    gui::TForm* form = MakeForm(200, 200);
    auto* lower = Make<TTestControl>(form, "Lower", 0, 40, 10, 20);
    auto* upper = Make<TTestControl>(form, "Upper", 0, 10, 10, 30);
    // As stored data sets them: aligned together once everything is there.
    form->DisableAlign();
    lower->SetAlign(gui::alTop);
    upper->SetAlign(gui::alTop);
    form->EnableAlign();
    EXPECT_EQ(upper->BoundsRect(), (win::RECT{0, 0, 200, 30}));
    EXPECT_EQ(lower->BoundsRect(), (win::RECT{0, 30, 200, 50}));
}

TEST_F(ControlTest, AnchoredControlsKeepTheirDistancesToTheEdgesTheyAreAnchoredTo)
{
    gui::TForm* form = MakeForm(400, 300);
    form->Show();
    auto* corner = Make<TTestControl>(form, "Corner", 300, 250, 60, 20);
    corner->SetAnchors(gui::AnchorSet({gui::akRight, gui::akBottom}));
    auto* stretched = Make<TTestControl>(form, "Stretched", 10, 10, 380, 20);
    stretched->SetAnchors(gui::AnchorSet({gui::akLeft, gui::akTop, gui::akRight}));
    auto* fixed = Make<TTestControl>(form, "Fixed", 10, 40, 50, 20);
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    EXPECT_EQ(corner->BoundsRect(), (win::RECT{400, 350, 460, 370}));
    EXPECT_EQ(stretched->BoundsRect(), (win::RECT{10, 10, 490, 30}));
    EXPECT_EQ(fixed->BoundsRect(), (win::RECT{10, 40, 60, 60}));
    // Back again, without drift.
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    EXPECT_EQ(corner->BoundsRect(), (win::RECT{300, 250, 360, 270}));
}

// Program code widens a form; a child's OnResize, run while the form aligns and anchors its children,
// frees that child or a sibling the form has still to place. The form places the others, and once the
// loop has run the freed one is gone and the others lie where the alignment puts them without it.
TEST_F(ControlTest, AChildFreedWhileItsParentAlignsItsChildrenLeavesTheOthersPlaced)
{
    struct Case {
        const char* name;
        const char* resized;  // whose OnResize frees
        const char* freed;
    };
    const Case cases[] = {
        {"a graphic control aligned to the top frees itself", "Top1", "Top1"},
        {"a graphic control aligned to the top frees the next one", "Top1", "Top2"},
        {"a windowed control filling the rest frees itself", "Client", "Client"},
        {"an anchored graphic control frees itself", "Stretched", "Stretched"},
    };
    struct Freer {
        gui::TControl* doomed = nullptr;
        void Resize(classes::TObject*)
        {
            if (gui::TControl* c = std::exchange(doomed, nullptr)) {
                c->Free();
            }
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gui::TForm* form = MakeForm(400, 300);
        auto* top1 = Make<TTestGraphic>(form, "Top1", 0, 0, 10, 30);
        top1->SetAlign(gui::alTop);
        auto* top2 = Make<TTestGraphic>(form, "Top2", 0, 40, 10, 20);
        top2->SetAlign(gui::alTop);
        auto* client = Make<TTestControl>(form, "Client", 0, 0, 10, 10);
        client->SetAlign(gui::alClient);
        auto* stretched = Make<TTestGraphic>(form, "Stretched", 60, 200, 300, 20);
        stretched->SetAnchors(gui::AnchorSet({gui::akLeft, gui::akTop, gui::akRight}));
        form->Show();
        driver.Pump();
        Freer freer{static_cast<gui::TControl*>(form->FindComponent(c.freed))};
        static_cast<gui::TControl*>(form->FindComponent(c.resized))->OnResize =
            classes::TNotifyEvent::Of<&Freer::Resize>(&freer);

        form->SetClientWidth(500);
        driver.Pump();

        EXPECT_EQ(freer.doomed, nullptr) << "the handler ran";
        EXPECT_EQ(form->FindComponent(c.freed), nullptr);
        EXPECT_EQ(form->ControlCount(), 3);
        // Where each one lies without the freed one: the tops one under the other, the rest below them.
        int y = 0;
        for (const char* name : {"Top1", "Top2"}) {
            if (auto* top = static_cast<gui::TControl*>(form->FindComponent(name))) {
                const int height = top->Height();
                EXPECT_EQ(top->BoundsRect(), (win::RECT{0, y, 500, y + height})) << name;
                y += height;
            }
        }
        if (std::string(c.freed) != "Client") {
            EXPECT_EQ(client->BoundsRect(), (win::RECT{0, y, 500, 300}));
        }
        if (std::string(c.freed) != "Stretched") {
            EXPECT_EQ(stretched->BoundsRect(), (win::RECT{60, 200, 460, 220}));
        }
        delete form;
    }
}

// Program code resizes a windowed control whose OnResize frees it: the control goes once SetBounds is over.
TEST_F(ControlTest, AWindowedControlFreedByItsOwnResizeGoesOnceSetBoundsIsOver)
{
    gui::TForm* form = MakeForm(400, 300);
    auto* control = Make<TTestControl>(form, "Doomed", 10, 10, 60, 20);
    form->Show();
    driver.Pump();
    struct Freer {
        gui::TControl* doomed;
        void Resize(classes::TObject*) { std::exchange(doomed, nullptr)->Free(); }
    } freer{control};
    control->OnResize = classes::TNotifyEvent::Of<&Freer::Resize>(&freer);
    const win::HWND hwnd = control->Handle();
    control->SetBounds(10, 10, 100, 30);
    EXPECT_EQ(freer.doomed, nullptr) << "the handler ran";
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_FALSE(win::IsWindow(hwnd));
}

TEST_F(ControlTest, ConstraintsLimitTheSizeAnyBoundsChangeAsksFor)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Limited", 0, 0, 60, 20);
    control->Constraints()->SetMinWidth(40);
    control->Constraints()->SetMaxHeight(25);
    control->SetBounds(0, 0, 10, 100);
    EXPECT_EQ(control->Width(), 40);
    EXPECT_EQ(control->Height(), 25);
    control->SetAlign(gui::alClient);
    EXPECT_EQ(control->Height(), 25);
}

TEST_F(ControlTest, AParentsFontColourAndShowHintReachTheChildrenThatTakeThem)
{
    gui::TForm* form = MakeForm();
    auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 100, 100);
    auto* inner = Make<TTestControl>(panel, "Inner", 0, 0);
    auto* own = Make<TTestControl>(panel, "Own", 0, 30);
    own->Font()->SetName("Arial");
    own->SetColor(gui::clYellow);
    EXPECT_FALSE(own->ParentFont());
    EXPECT_FALSE(own->ParentColor());
    form->Font()->SetName("Courier New");
    form->Font()->SetSize(12);
    form->SetColor(gui::clAqua);
    form->SetShowHint(true);
    EXPECT_EQ(inner->Font()->Name(), "Courier New");
    EXPECT_EQ(inner->Font()->Size(), 12);
    EXPECT_TRUE(inner->ParentFont());
    EXPECT_EQ(inner->Color(), gui::clAqua);
    EXPECT_TRUE(inner->ParentColor());
    EXPECT_TRUE(inner->ShowHint());
    EXPECT_EQ(own->Font()->Name(), "Arial");
    EXPECT_EQ(own->Color(), gui::clYellow);
    // Taking the parent's again.
    own->SetParentFont(true);
    EXPECT_EQ(own->Font()->Name(), "Courier New");
}

// A child that frees itself when told its parent's font changed: the children after it are told too.
TEST_F(ControlTest, AChildFreedWhileItsParentTellsItsChildrenLeavesTheOthersTold)
{
    class TFreedByParentFont : public TTestControl {
    public:
        using TTestControl::TTestControl;
        void Dispatch(win::TMessage& message) override
        {
            if (message.Msg == gui::CM_PARENTFONTCHANGED && armed) {
                Free();
            }
            TTestControl::Dispatch(message);
        }
        bool armed = false;
    };
    gui::TForm* form = MakeForm();
    Make<TTestGraphic>(form, "GraphicA", 10, 10);
    Make<TTestGraphic>(form, "GraphicB", 10, 40);
    auto* doomed = Make<TFreedByParentFont>(form, "Doomed", 10, 70);
    Make<TTestControl>(form, "After", 10, 100);
    form->Show();
    driver.Pump();
    doomed->armed = true;
    form->Font()->SetSize(20);
    driver.Pump();
    EXPECT_EQ(form->FindComponent("Doomed"), nullptr);
    ASSERT_EQ(form->ControlCount(), 3);
    for (int i = 0; i < form->ControlCount(); ++i) {
        EXPECT_EQ(form->Controls(i)->Font()->Size(), 20) << form->Controls(i)->Name();
    }
}

TEST_F(ControlTest, AGraphicControlIsPaintedByItsParentClippedToItsBounds)
{
    gui::TForm* form = MakeForm(100, 80);
    auto* graphic = Make<TTestGraphic>(form, "Graphic", 10, 10, 30, 20);
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 10, 10), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 39, 29), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 29), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 9, 10), gui::ColorToRGB(gui::clBtnFace));
    graphic->paintColor = gui::clBlue;
    graphic->Invalidate();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 20, 20), gui::ColorToRGB(gui::clBlue));
    graphic->Hide();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 20, 20), gui::ColorToRGB(gui::clBtnFace));
}

TEST_F(ControlTest, AWindowsClassIsItsControlsClassName)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Named", 0, 0);
    form->Show();
    EXPECT_EQ(win::TestDriver::Find("TTESTCONTROL"), control->Handle());
    EXPECT_EQ(gui::FindControl(control->Handle()), control);
    EXPECT_EQ(win::GetParent(control->Handle()), form->Handle());
}

TEST_F(ControlTest, ACaptionSurvivesTheWindowBeingMadeAgain)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Again", 0, 0);
    form->Show();
    control->SetCaption("kept");
    const win::HWND before = control->Handle();
    control->RecreateWnd();
    const win::HWND after = control->Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(win::IsWindow(before));
    EXPECT_EQ(control->Caption(), "kept");
    EXPECT_EQ(win::GetWindowText(after), "kept");
    EXPECT_TRUE(win::IsWindowVisible(after));
}

TEST_F(ControlTest, TheMouseIsCapturedWhileAButtonIsDownAndAClickNeedsTheReleaseInside)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Pressed", 10, 10);
    int clicks = 0;
    struct Counter {
        int* clicks;
        void Click(classes::TObject*) { ++*clicks; }
    } counter{&clicks};
    control->OnClick = classes::TNotifyEvent::Of<&Counter::Click>(&counter);
    form->Show();
    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_TRUE(control->MouseCapture());
    driver.MouseMove(control->Handle(), 200, 5);
    driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 200, 5);
    driver.Pump();
    EXPECT_FALSE(control->MouseCapture());
    EXPECT_EQ(clicks, 0);
    driver.AdvanceBy(1000);  // not a double click
    driver.Click(control->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, TheMouseEnteringAndLeavingControlsIsTold)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Windowed", 10, 10);
    auto* graphic = Make<TTestGraphic>(form, "Graphic", 100, 10);
    form->Show();
    driver.MouseMove(form->Handle(), 15, 15);
    driver.Pump();
    driver.MouseMove(form->Handle(), 105, 15);
    driver.Pump();
    driver.MouseMove(form->Handle(), 300, 200);
    driver.Pump();
    std::vector<std::string> seen;
    for (const std::string& entry : Log()) {
        if (entry.ends_with(" enter") || entry.ends_with(" leave")) {
            seen.push_back(entry);
        }
    }
    const std::vector<std::string> expected = {"Windowed enter", "Windowed leave", "Graphic enter", "Graphic leave"};
    EXPECT_EQ(seen, expected);
    EXPECT_NE(control, nullptr);
    EXPECT_NE(graphic, nullptr);
}

TEST_F(ControlTest, TheWheelGoesToTheFocusedControlThenItsParents)
{
    gui::TForm* form = MakeForm();
    auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 200, 200);
    auto* control = Make<TTestControl>(panel, "Focused", 10, 10);
    std::vector<std::string> seen;
    struct Wheel {
        std::vector<std::string>* seen;
        bool takes;
        void On(classes::TObject* sender, gui::TShiftState, int delta, win::POINT, bool& handled)
        {
            seen->push_back(static_cast<classes::TComponent*>(sender)->Name() + " " + std::to_string(delta));
            handled = takes;
        }
    } passes{&seen, false}, takes{&seen, true};
    control->OnMouseWheel = gui::TMouseWheelEvent::Of<&Wheel::On>(&passes);
    panel->OnMouseWheel = gui::TMouseWheelEvent::Of<&Wheel::On>(&takes);
    form->OnMouseWheel = gui::TMouseWheelEvent::Of<&Wheel::On>(&passes);
    form->Show();
    control->SetFocus();
    driver.Wheel(control->Handle(), -120, 5, 5);
    driver.Pump();
    const std::vector<std::string> expected = {"Focused -120", "Panel -120"};
    EXPECT_EQ(seen, expected);
}

TEST_F(ControlTest, TheContextMenuPopsUpWhereTheMouseIsOrAtTheOriginForTheKeyboard)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Menued", 10, 20);
    auto* popup = new TRecordingPopup(form);
    control->SetPopupMenu(popup);
    EXPECT_EQ(control->PopupMenu(), popup);
    control->SetPopupMenu(new classes::TComponent(form));
    EXPECT_EQ(control->PopupMenu(), nullptr) << "a component without the popup interface is no popup menu";
    control->SetPopupMenu(popup);
    form->Show();
    driver.Click(control->Handle(), win::TestDriver::Button::Right, 5, 6);
    driver.Pump();
    control->Perform(win::WM_CONTEXTMENU, reinterpret_cast<win::WPARAM>(control->Handle()), win::MAKELPARAM(0xFFFF, 0xFFFF));
    ASSERT_EQ(popup->shownAt.size(), 2u);
    const win::POINT origin = control->ClientToScreen({0, 0});
    EXPECT_EQ(popup->shownAt[0], (win::POINT{origin.x + 5, origin.y + 6}));
    EXPECT_EQ(popup->shownAt[1], origin);
    EXPECT_EQ(popup->popupComponent, control);
    delete popup;
    EXPECT_EQ(control->PopupMenu(), nullptr);
}

TEST_F(ControlTest, AControlFreedInItsOwnClickHandlerGoesOnceTheClickIsHandled)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Doomed", 10, 10);
    struct Freer {
        TTestControl* control;
        bool stillThere = false;
        void Click(classes::TObject*)
        {
            control->Free();
            // Still whole while its own click is handled.
            stillThere = control->Name() == "Doomed";
        }
    } freer{control};
    control->OnClick = classes::TNotifyEvent::Of<&Freer::Click>(&freer);
    int ups = 0;
    struct Ups {
        int* count;
        void Up(classes::TObject*, gui::TMouseButton, gui::TShiftState, int, int) { ++*count; }
    } upCounter{&ups};
    control->OnMouseUp = gui::TMouseEvent::Of<&Ups::Up>(&upCounter);
    form->Show();
    const win::HWND hwnd = control->Handle();
    driver.Click(hwnd, win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_TRUE(freer.stillThere);
    EXPECT_EQ(ups, 1) << "the handling after OnClick still ran";
    EXPECT_FALSE(win::IsWindow(hwnd));
    EXPECT_EQ(form->FindComponent("Doomed"), nullptr);
    EXPECT_EQ(form->ControlCount(), 0);
}

// Program code (no handling around it) lays a control out; one of the control's handlers frees the
// control, or the form it lies in, under a hold. The program code then goes on with the control: it
// reads it, sends it messages of its own (each one a handling that ends) and lets a sibling handle one.
// Everything freed stays whole until the loop takes its next message, and goes then.
TEST_F(ControlTest, AControlFreedUnderAHoldStaysWholeUntilTheLoopTakesTheNextMessage)
{
    struct Case {
        const char* name;
        bool freeForm;
        bool messagesAfterwards;
    };
    const Case cases[] = {
        {"the control, nothing afterwards", false, false},
        {"the control, messages afterwards", false, true},
        {"the form, messages afterwards", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gui::TForm* form = MakeForm();
        auto* control = Make<TTestControl>(form, "Doomed", 10, 10);
        auto* sibling = Make<TTestControl>(form, "Sibling", 10, 40);
        form->Show();
        driver.Pump();
        const win::HWND formWindow = form->Handle();
        const win::HWND hwnd = control->Handle();
        {
            gui::TFreeHold hold(control);
            if (c.freeForm) {
                form->Free();
            } else {
                control->Free();
            }
        }
        if (c.messagesAfterwards) {
            control->Perform(win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("Still here"));
            sibling->Perform(win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("Sibling"));
            control->SetBounds(20, 10, 80, 20);
            EXPECT_EQ(control->Caption(), "Still here");
        }
        EXPECT_EQ(control->Name(), "Doomed");
        EXPECT_TRUE(win::IsWindow(hwnd));
        EXPECT_EQ(form->ControlCount(), 2);
        driver.Pump();
        EXPECT_FALSE(win::IsWindow(hwnd));
        if (c.freeForm) {
            EXPECT_FALSE(win::IsWindow(formWindow));
        } else {
            EXPECT_EQ(form->ControlCount(), 1);
            EXPECT_EQ(form->FindComponent("Doomed"), nullptr);
            EXPECT_EQ(sibling->Parent(), form);
            delete form;
        }
    }
}

// Freed under a hold and then deleted with its form before the loop runs: deleted once, not twice.
TEST_F(ControlTest, AControlFreedUnderAHoldAndDeletedWithItsFormIsNotDeletedAgain)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Doomed", 10, 10);
    {
        gui::TFreeHold hold(control);
        control->Free();
        control->Free();
    }
    delete form;
    driver.Pump();
}

TEST_F(ControlTest, AReplacedWindowProcSeesEveryMessageAndPassesThemOn)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Hooked", 10, 10);
    struct Hook {
        gui::TWndMethod previous;
        std::vector<win::UINT> seen;
        void Proc(win::TMessage& message)
        {
            seen.push_back(message.Msg);
            previous(message);
        }
    } hook;
    hook.previous = control->WindowProc;
    control->WindowProc = gui::TWndMethod::Of<&Hook::Proc>(&hook);
    form->Show();
    hook.seen.clear();
    control->SetBounds(10, 10, 90, 30);
    EXPECT_EQ(win::TestDriver::State(control->Handle()).windowRect.right, 100) << "still handled by the control";
    control->SetCaption("seen");
    EXPECT_EQ(std::count(hook.seen.begin(), hook.seen.end(), win::WM_SETTEXT), 1);
    EXPECT_EQ(std::count(hook.seen.begin(), hook.seen.end(), win::WM_SIZE), 1);
    EXPECT_EQ(control->Perform(gui::CM_HITTEST), win::HTCLIENT) << "Perform goes through it too";
    EXPECT_EQ(hook.seen.back(), gui::CM_HITTEST);
    control->WindowProc = hook.previous;
}

TEST_F(ControlTest, AParentReflectsTheNoticesOfAChildWindowToItsControl)
{
    gui::TForm* form = MakeForm();
    auto* child = Make<TTestControl>(form, "Child", 10, 10);
    auto* sibling = Make<TTestControl>(form, "Sibling", 10, 40);
    struct Hook {
        gui::TWndMethod previous;
        std::vector<std::pair<win::UINT, win::WPARAM>> reflected;
        void Proc(win::TMessage& message)
        {
            if (message.Msg >= gui::CN_BASE && message.Msg < gui::CN_BASE + 0x400) {
                reflected.emplace_back(message.Msg, message.WParam);
                message.Result = 77;
                return;
            }
            previous(message);
        }
    } hook, siblingHook;
    hook.previous = child->WindowProc;
    child->WindowProc = gui::TWndMethod::Of<&Hook::Proc>(&hook);
    siblingHook.previous = sibling->WindowProc;
    sibling->WindowProc = gui::TWndMethod::Of<&Hook::Proc>(&siblingHook);
    form->Show();
    const win::HWND handle = child->Handle();
    const auto fromChild = reinterpret_cast<win::LPARAM>(handle);
    win::NMHDR notify;
    notify.hwndFrom = handle;
    win::DRAWITEMSTRUCT item;
    item.CtlType = win::ODT_BUTTON;
    item.hwndItem = handle;
    struct Case {
        win::UINT message;
        win::WPARAM wParam;
        win::LPARAM lParam;
    };
    const Case cases[] = {
        {win::WM_COMMAND, win::MAKEWPARAM(7, 0), fromChild},
        {win::WM_HSCROLL, win::SB_LINEDOWN, fromChild},
        {win::WM_VSCROLL, win::SB_LINEDOWN, fromChild},
        {win::WM_NOTIFY, 7, reinterpret_cast<win::LPARAM>(&notify)},
        {win::WM_DRAWITEM, 7, reinterpret_cast<win::LPARAM>(&item)},
        {win::WM_CTLCOLOREDIT, 1234, fromChild},
        {win::WM_CTLCOLORSTATIC, 1234, fromChild},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        hook.reflected.clear();
        EXPECT_EQ(win::SendMessage(form->Handle(), c.message, c.wParam, c.lParam), 77) << "the control's answer";
        ASSERT_EQ(hook.reflected.size(), 1u);
        EXPECT_EQ(hook.reflected[0].first, gui::CN_BASE + c.message);
        EXPECT_EQ(hook.reflected[0].second, c.wParam);
    }
    EXPECT_TRUE(siblingHook.reflected.empty()) << "only the control of the window the notice is from";
    // A command of no child window (a menu's or an accelerator's) stays the parent's.
    hook.reflected.clear();
    win::SendMessage(form->Handle(), win::WM_COMMAND, 7, 0);
    EXPECT_TRUE(hook.reflected.empty());
    child->WindowProc = hook.previous;
    sibling->WindowProc = siblingHook.previous;

    // Unhandled, a child window's colour request is answered with its control's brush and font colour.
    child->SetColor(gui::clYellow);
    child->Font()->SetColor(gui::clNavy);
    const win::HDC dc = win::CreateCompatibleDC(nullptr);
    const win::LRESULT brush = win::SendMessage(form->Handle(), win::WM_CTLCOLOREDIT,
                                                reinterpret_cast<win::WPARAM>(dc), fromChild);
    EXPECT_EQ(brush, reinterpret_cast<win::LRESULT>(child->Brush()->Handle()));
    EXPECT_EQ(win::GetTextColor(dc), gui::ColorToRGB(gui::clNavy));
    EXPECT_EQ(win::GetBkColor(dc), gui::ColorToRGB(gui::clYellow));
    win::DeleteDC(dc);
}

TEST_F(ControlTest, BringToFrontAndSendToBackChangeWhichGraphicControlIsPaintedOnTop)
{
    gui::TForm* form = MakeForm(100, 60);
    auto* lower = Make<TTestGraphic>(form, "Lower", 10, 10, 40, 20);
    auto* upper = Make<TTestGraphic>(form, "Upper", 30, 10, 40, 20);
    lower->paintColor = gui::clBlue;
    upper->paintColor = gui::clLime;
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 15), gui::ColorToRGB(gui::clLime));
    lower->BringToFront();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 15), gui::ColorToRGB(gui::clBlue));
    lower->SendToBack();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 15), gui::ColorToRGB(gui::clLime));
    EXPECT_EQ(form->Controls(0), lower);
}

TEST_F(ControlTest, AnAutoSizedContainerFitsTheControlsInIt)
{
    gui::TForm* form = MakeForm(300, 200);
    auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 200, 150);
    Make<TTestControl>(panel, "A", 10, 10, 50, 20);
    Make<TTestControl>(panel, "B", 70, 40, 40, 30);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->Width(), 110);
    EXPECT_EQ(panel->Height(), 70);
}

}  // namespace
}  // namespace guitest
