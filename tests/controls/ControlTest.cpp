// The library's base control: dialog codes, popup components, focus on click, the capture object, a
// control freed during a press, the automatic drag decided by the control, its own scroll bars, the wheel
// and the middle-button mode, its own drag-and-drop and the framework drag, and the library's cursors.

#include "controls/clControls.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Frame.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include "tests/controls/DrivenFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace controlstest {
namespace {

using controls::TclControl;

// Content of a given size in a client of the control: each bar shows what fits.
class TestControl : public TclControl {
public:
    explicit TestControl(classes::TComponent* owner) : TclControl(owner) {}

    int contentWidth = 0;
    int contentHeight = 0;
    bool allowHide = true;
    bool startsDragAndDrop = false;
    bool keepsDragObject = true;
    std::vector<std::string> log;
    std::vector<win::POINT> actionPoints;
    std::function<void()> onCompute;

    void ComputeScrollBarParams() override
    {
        const win::RECT inner = InnerClientRect();
        SetScrollBarInfo(controls::clHorzBar, 0, contentWidth - 1, 1, inner.right - inner.left, 0, true, allowHide);
        SetScrollBarInfo(controls::clVertBar, 0, contentHeight - 1, 1, inner.bottom - inner.top, 0, true, allowHide);
        if (onCompute) {
            onCompute();
        }
    }
    void HandleScroll(int kind, controls::TclScrollCode code, int&) override
    {
        log.push_back("scroll " + std::to_string(kind) + " " + std::to_string(code));
        if (onScroll) {
            onScroll();
        }
    }
    std::function<void()> onScroll;
    bool DragAndDropStartsAt(win::POINT) override { return startsDragAndDrop; }
    bool KeepsDragObject(gui::TDragObject*) override { return keepsDragObject; }
    void StartMouseAction(gui::TMouseButton button, int x, int y) override
    {
        actionPoints.push_back({x, y});
        TclControl::StartMouseAction(button, x, y);
    }
    void Recompute() { RecalcScrollBars(); }

    // A 16 x 16 drag image when asked for; the paintings note whether a drag image was on the screen.
    bool dragImage = false;
    std::vector<bool> paintedUnderDragImage;
    bool ShowsDragImage() override { return dragImage; }
    win::POINT DragImageExtent() override { return {16, 16}; }
    void PaintDragImage(controls::TclCanvas& canvas, const win::RECT& rect) override
    {
        canvas.FillRectColor(rect, gui::clRed);
    }

protected:
    void Paint() override
    {
        paintedUnderDragImage.push_back(win::DragImageShown().has_value());
        TclControl::Paint();
    }
};

class BarlessControl : public TestControl {
public:
    using TestControl::TestControl;
    bool UsesScrollBars() override { return false; }
};

// A drag-and-drop object that notes what happens to it and accepts as told.
class NotingDragObject : public controls::TclDragAndDropObject {
public:
    NotingDragObject(TclControl* control, std::vector<std::string>* log, bool accept)
        : TclDragAndDropObject(control), log_(log), accept_(accept)
    {
    }
    void Track(win::POINT point, bool& accepted) override
    {
        accepted = accept_;
        log_->push_back("track");
        TclDragAndDropObject::Track(point, accepted);
    }
    void AfterFinish(bool accepted) override { log_->push_back(accepted ? "finish accepted" : "finish refused"); }

private:
    std::vector<std::string>* log_;
    bool accept_;
};

std::vector<std::string>* gDragLog = nullptr;
bool gDragAccepts = false;

class DragDropControl : public TestControl {
public:
    using TestControl::TestControl;
    controls::TclDragAndDropObjectFactory DragDropHandlerClass() override
    {
        return [](TclControl* control) -> controls::TclDragAndDropObject* {
            return new NotingDragObject(control, gDragLog, gDragAccepts);
        };
    }
};

// A popup component of the library's own kind.
class LibraryPopup : public classes::TComponent, public controls::IclPopupMenuIntf {
public:
    using TComponent::TComponent;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("LibraryPopup", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<LibraryPopup>(c).Implements<controls::IclPopupMenuIntf>();
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override
    {
        return classes::GetInterface(this, iid, object);
    }
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }
    bool Popup(int x, int y) override
    {
        shownAt.push_back({x, y});
        return true;
    }
    bool IsShortCutKey(win::WORD key, gui::TShiftState shift) override
    {
        return key == 'K' && gui::Has(shift, gui::ssCtrl);
    }
    std::vector<win::POINT> shownAt;
};

// A capture object that hears when it loses the capture.
class CaptureObject : public classes::TNonRefCountedObject, public controls::IclCaptureObjectIntf {
public:
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("CaptureObject", &TNonRefCountedObject::StaticClass(),
                                              [](classes::TClassInfo& c) {
                                                  classes::ClassBuilder<CaptureObject>(c)
                                                      .Implements<controls::IclCaptureObjectIntf>();
                                              });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override
    {
        return classes::GetInterface(this, iid, object);
    }
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }
    void CaptureLost() override { ++lost; }
    int lost = 0;
};

class ControlTest : public DrivenTest {
protected:
    void SetUp() override
    {
        DrivenTest::SetUp();
        form = new gui::TForm(nullptr);
        form->SetBorderStyle(gui::bsNone);
        form->SetBounds(100, 100, 400, 300);
        control = Make<TestControl>(10, 10, 200, 150);
        form->Show();
        driver.Pump();
    }
    void TearDown() override
    {
        delete form;
        gDragLog = nullptr;
        DrivenTest::TearDown();
    }
    template <class C = TestControl>
    C* Make(int left, int top, int width, int height)
    {
        auto* made = new C(form);
        made->SetBounds(left, top, width, height);
        made->SetParent(form);
        return made;
    }

    gui::TForm* form = nullptr;
    TestControl* control = nullptr;
};

TEST_F(ControlTest, WhoCanAllocateAHandle)
{
    auto* freeForm = new gui::TForm(nullptr);
    auto* frame = new gui::TFrame(nullptr);
    auto* orphan = new TestControl(nullptr);
    auto* onOrphan = new TestControl(nullptr);
    onOrphan->SetParent(orphan);
    auto* onFrame = new TestControl(nullptr);
    onFrame->SetParent(frame);
    auto* onWindow = new TestControl(nullptr);
    onWindow->SetParentWindow(form->Handle());
    auto* goingOnForm = Make(0, 0, 10, 10);
    goingOnForm->Destroying();
    auto* onForm = Make(0, 0, 10, 10);
    struct Case {
        const char* name;
        gui::TWinControl* control;
        bool can;
    };
    const Case cases[] = {
        {"a control with its window", control, true},
        {"a control on a form, its window gone", onForm, true},
        {"a form of its own", freeForm, true},
        {"a frame of its own", frame, true},
        {"a control on a frame of its own", onFrame, true},
        {"a control given a parent window", onWindow, true},
        {"a control without parent", orphan, false},
        {"a control on a control without parent", onOrphan, false},
        {"a control being destroyed", goingOnForm, false},
    };
    for (gui::TWinControl* windowLess : {onForm, goingOnForm}) {
        windowLess->DestroyHandle();
        ASSERT_FALSE(windowLess->HandleAllocated());
    }
    for (const Case& c : cases) {
        EXPECT_EQ(controls::clCanAllocateHandle(c.control), c.can) << c.name;
    }
    delete onWindow;
    delete onFrame;
    delete onOrphan;
    delete orphan;
    delete frame;
    delete freeForm;
}

TEST_F(ControlTest, DialogCodesAndBackground)
{
    EXPECT_EQ(control->Perform(win::WM_GETDLGCODE, 0, 0), 0x87);
    driver.KeyDown(win::VK_CONTROL);
    driver.Pump();
    EXPECT_EQ(control->Perform(win::WM_GETDLGCODE, 0, 0), 0x85) << "no tab while Ctrl is down";
    driver.KeyUp(win::VK_CONTROL);
    driver.Pump();
    control->SetWantedKeys(controls::wkArrows);
    EXPECT_EQ(control->Perform(win::WM_GETDLGCODE, 0, 0), 0x01);
    EXPECT_EQ(control->Perform(win::WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(ControlTest, PopupComponentsOfTheirKindsOnly)
{
    auto* popup = new LibraryPopup(form);
    control->SetPopupMenu(popup);
    EXPECT_EQ(control->PopupMenu(), popup);
    control->SetPopupMenu(new classes::TComponent(form));
    EXPECT_EQ(control->PopupMenu(), nullptr) << "another kind of component is stored as none";
    control->SetPopupMenu(popup);

    control->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(0xFFFF, 0xFFFF));
    const win::POINT origin = control->ClientToScreen({0, 0});
    ASSERT_EQ(popup->shownAt.size(), 1u);
    EXPECT_EQ(popup->shownAt[0], origin);

    const win::POINT outside = control->ClientToScreen({-5, 20});
    control->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(win::WORD(outside.x), win::WORD(outside.y)));
    EXPECT_EQ(popup->shownAt.size(), 1u) << "a point outside the client rect is not the control's";
    const win::POINT inside = control->ClientToScreen({30, 40});
    control->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(win::WORD(inside.x), win::WORD(inside.y)));
    ASSERT_EQ(popup->shownAt.size(), 2u);
    EXPECT_EQ(popup->shownAt[1], inside);

    delete popup;
    EXPECT_EQ(control->PopupMenu(), nullptr);
}

TEST_F(ControlTest, ShortcutOfAParentPopupIsHandled)
{
    auto* popup = new LibraryPopup(form);
    control->SetPopupMenu(popup);
    auto* child = new TestControl(form);
    child->SetBounds(5, 5, 50, 50);
    child->SetParent(control);
    driver.KeyDown(win::VK_CONTROL);
    driver.Pump();
    EXPECT_EQ(child->Perform(gui::CN_KEYDOWN, 'K', 0), 1);
    EXPECT_EQ(child->Perform(gui::CN_KEYDOWN, 'L', 0), 0);
    driver.KeyUp(win::VK_CONTROL);
    driver.Pump();
}

TEST_F(ControlTest, AClickFocusesAFocusableControl)
{
    auto* other = Make(220, 10, 100, 100);
    other->SetFocus();
    driver.Pump();
    ASSERT_TRUE(other->Focused());
    driver.Click(control->Handle(), win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_TRUE(control->Focused());
    other->SetFocusOnClick(false);
    driver.Click(other->Handle(), win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_TRUE(control->Focused()) << "focus on click off";
}

struct Freer {
    TclControl* victim = nullptr;
    void Down(classes::TObject*, gui::TMouseButton, gui::TShiftState, int, int)
    {
        delete victim;
        victim = nullptr;
    }
};

TEST_F(ControlTest, AControlFreedByItsMouseDownHandlerEndsThePressCleanly)
{
    Freer freer{control};
    control->OnMouseDown = gui::TMouseEvent::Of<&Freer::Down>(&freer);
    control->SetDragMode(gui::dmAutomatic);
    const win::HWND hwnd = control->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_EQ(freer.victim, nullptr);
    EXPECT_FALSE(win::IsWindow(hwnd));
    driver.MouseUp(form->Handle(), win::TestDriver::Button::Left, 30, 30);
    driver.Pump();
}

TEST_F(ControlTest, AVeryWideControlTakesItsPointsFromTheCursor)
{
    // Placed so that its point 35000 lies inside the form, where the pointer can reach it.
    auto* wide = Make(-34900, 200, 40000, 50);
    driver.Pump();
    driver.MouseDown(wide->Handle(), win::TestDriver::Button::Right, 35000, 10);
    driver.Pump();
    ASSERT_FALSE(wide->actionPoints.empty());
    EXPECT_EQ(wide->actionPoints.back(), (win::POINT{35000, 10}));
    driver.MouseUp(wide->Handle(), win::TestDriver::Button::Right, 35000, 10);
    driver.Pump();
}

TEST_F(ControlTest, ReplacingTheCaptureObjectTellsTheOldOne)
{
    CaptureObject first;
    CaptureObject second;
    control->SetMouseCaptureObject(&first);
    EXPECT_TRUE(control->MouseCapture());
    control->SetMouseCaptureObject(&second);
    EXPECT_EQ(first.lost, 1);
    EXPECT_EQ(second.lost, 0);
    control->SetMouseCaptureObject(nullptr);
    EXPECT_EQ(second.lost, 1);
    EXPECT_FALSE(control->MouseCapture());
}

TEST_F(ControlTest, NcCalcSizePostsTheScrollBarSizeMessage)
{
    win::MSG msg{};
    while (win::PeekMessage(&msg, control->Handle(), controls::CM_CLUPDATESCROLLBARSIZES,
                            controls::CM_CLUPDATESCROLLBARSIZES, win::PM_REMOVE)) {
    }
    control->Perform(win::WM_NCCALCSIZE, 0, 0);
    EXPECT_TRUE(win::PeekMessage(&msg, control->Handle(), controls::CM_CLUPDATESCROLLBARSIZES,
                                 controls::CM_CLUPDATESCROLLBARSIZES, win::PM_REMOVE));
    auto* plain = new TestControl(nullptr);
    EXPECT_NO_THROW(plain->Perform(controls::CM_CLUPDATESCROLLBARSIZES, 0, 0)) << "a control without a window";
    delete plain;
    auto* barless = Make<BarlessControl>(220, 10, 100, 100);
    barless->HandleNeeded();
    EXPECT_EQ(barless->HScrollBar(), nullptr) << "the bars go when the window is made";
    EXPECT_NO_THROW(barless->Perform(controls::CM_CLUPDATESCROLLBARSIZES, 0, 0));
    EXPECT_NO_THROW(barless->Perform(gui::CM_MOUSEWHEEL, win::MAKEWPARAM(0, 120), 0));
}

TEST_F(ControlTest, SingleBorderIsThePaintersAndNarrowsTheInnerClient)
{
    control->LookAndFeel()->SetKind(controls::lfFlat);
    EXPECT_EQ(control->CurrentBorderWidth(), 0);
    control->SetBorderStyle(1);
    EXPECT_EQ(control->CurrentBorderWidth(), controls::TclFlatLookAndFeelPainter::Class()->BorderWidth());
    const int border = control->CurrentBorderWidth();
    EXPECT_EQ(control->InnerClientRect(), (win::RECT{border, border, 200 - border, 150 - border}));
    control->contentHeight = 1000;
    control->Recompute();
    EXPECT_EQ(control->VScrollBar()->BoundsRect(), (win::RECT{200 - border - 16, border, 200 - border, 150 - border}));
}

TEST_F(ControlTest, ALeftPressOnABarFocusesTheControl)
{
    control->contentHeight = 1000;
    control->Recompute();
    auto* other = Make(220, 10, 100, 100);
    other->SetFocus();
    driver.Pump();
    driver.Click(control->VScrollBar()->Handle(), win::TestDriver::Button::Left, 8, 40);
    driver.Pump();
    EXPECT_TRUE(control->Focused());
    EXPECT_FALSE(control->VScrollBar()->Focused());
}

TEST_F(ControlTest, TheLibraryCursorsAreRegistered)
{
    const char* names[] = {"CL_DRAGCOPYCURSOR",   "CL_FULLSCROLLCURSOR", "CL_HORSCROLLCURSOR",   "CL_VERSCROLLCURSOR",
                           "CL_UPSCROLLCURSOR",   "CL_RIGHTSCROLLCURSOR", "CL_DOWNSCROLLCURSOR", "CL_LEFTSCROLLCURSOR",
                           "CL_REMOVECURSOR",     "CL_VERTSIZECURSOR",   "CL_HORZSIZECURSOR",    "CL_MULTIDRAGCURSOR",
                           "CL_NODROPCURSOR",     "CL_DRAGCURSOR",       "CL_COLORPICKERCURSOR"};
    const win::HCURSOR arrow = win::LoadCursor(nullptr, win::IDC_ARROW);
    for (int id = 2100; id <= 2114; ++id) {
        const win::HCURSOR cursor = gui::Screen()->Cursors(id);
        EXPECT_NE(cursor, nullptr) << id;
        EXPECT_NE(cursor, arrow) << names[id - 2100];
        EXPECT_NE(win::LoadCursor(win::GetModuleHandle(nullptr), names[id - 2100]), nullptr) << names[id - 2100];
    }
    EXPECT_EQ(gui::Screen()->Cursors(controls::crclHand), win::LoadCursor(nullptr, win::IDC_HAND));
}

// A control that notes the components that attach to it.
class ParentControl : public TestControl {
public:
    using TestControl::TestControl;
    std::vector<std::string> children;
    void AddChildComponent(classes::TComponent* child) override { children.push_back("+" + child->Name()); }
    void RemoveChildComponent(classes::TComponent* child) override { children.push_back("-" + child->Name()); }
};

TEST_F(ControlTest, ChildComponentsAttachToTheirControl)
{
    auto* parent = Make<ParentControl>(220, 10, 100, 100);
    auto* child = new controls::TclControlChildComponent(parent, true);
    EXPECT_EQ(child->Owner(), form);
    EXPECT_EQ(child->GetParentComponent(), parent);
    EXPECT_TRUE(child->HasParent());
    EXPECT_EQ(parent->children.size(), 1u);
    auto* loose = new controls::TclControlChildComponent(nullptr, true);
    EXPECT_FALSE(loose->HasParent());
    loose->SetParentComponent(parent);
    EXPECT_EQ(loose->Control(), parent);
    EXPECT_EQ(parent->children.size(), 2u);
    delete loose;
    EXPECT_EQ(parent->children.size(), 3u);
    EXPECT_EQ(parent->children.back().front(), '-');
    delete child;
    EXPECT_EQ(parent->children.size(), 4u);
}

// --- the framework drag ---

struct StartDragCount {
    int count = 0;
    void Start(classes::TObject*, gui::TDragObject*&) { ++count; }
};

TEST_F(ControlTest, AutomaticDragStartsOnlyOnceThePointerLeavesTheThresholdSquare)
{
    StartDragCount starts;
    control->OnStartDrag = gui::TStartDragEvent::Of<&StartDragCount::Start>(&starts);
    control->SetDragMode(gui::dmAutomatic);
    const win::HWND hwnd = control->Handle();
    const int threshold = gui::Mouse()->DragThreshold();

    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 20 + threshold - 1, 20); });
    driver.At(clock.TickCount64() + 20, [&] { driver.MouseUp(hwnd, win::TestDriver::Button::Left, 21, 20); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_EQ(starts.count, 0);
    EXPECT_FALSE(gui::DragActive());

    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 20 + threshold + 1, 20); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_EQ(starts.count, 1);
    EXPECT_NE(gui::DragObject(), nullptr);
    EXPECT_NE(dynamic_cast<controls::TclDragControlObject*>(gui::DragObject()), nullptr);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 40, 20);
    driver.Pump();
    EXPECT_EQ(starts.count, 1);
    EXPECT_EQ(gui::DragObject(), nullptr);
}

// The program's quit reaches the wait for a drag: it ends the wait as no drag and stays queued for the
// program's own loop.
TEST_F(ControlTest, AQuitWhileWaitingForADragEndsTheWaitAndStaysQueued)
{
    win::PostQuitMessage(7);
    EXPECT_EQ(controls::clRunDragDetectLoop(control->Handle()), 2);
    win::MSG msg{};
    bool quit = false;
    while (!quit && win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        quit = msg.message == win::WM_QUIT;
    }
    ASSERT_TRUE(quit);
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ControlTest, TheDragImageIsHiddenWhileALibraryControlPaints)
{
    control->SetDragMode(gui::dmAutomatic);
    control->dragImage = true;
    auto* target = Make(220, 10, 100, 100);
    target->SetControlStyle(target->ControlStyle() | gui::csDisplayDragImage);
    const win::HWND hwnd = control->Handle();
    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 60, 20); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    ASSERT_NE(gui::DragObject(), nullptr);
    ASSERT_NE(control->GetDragImages(), nullptr);
    EXPECT_EQ(control->GetDragImages()->Count(), 1);
    driver.MouseMove(target->Handle(), 30, 30);
    driver.Pump();
    ASSERT_TRUE(win::DragImageShown().has_value());
    target->paintedUnderDragImage.clear();
    target->Repaint();
    EXPECT_EQ(target->paintedUnderDragImage, (std::vector<bool>{false}));
    EXPECT_TRUE(win::DragImageShown().has_value()) << "shown again after the painting";
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 30, 30);
    driver.Pump();
    EXPECT_FALSE(win::DragImageShown().has_value());
}

struct EndDragLog {
    std::vector<classes::TObject*> targets;
    void End(classes::TObject*, classes::TObject* target, int, int) { targets.push_back(target); }
};

TEST_F(ControlTest, RefusedDragObjectCancelsTheDrag)
{
    control->keepsDragObject = false;
    EndDragLog ends;
    control->OnEndDrag = gui::TEndDragEvent::Of<&EndDragLog::End>(&ends);
    const win::HWND hwnd = control->Handle();
    // Dragged by the mouse in automatic mode.
    control->SetDragMode(gui::dmAutomatic);
    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 60, 20); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_EQ(gui::DragObject(), nullptr);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 60, 20);
    driver.Pump();
    // Started by the program, at once or after the threshold.
    control->SetDragMode(gui::dmManual);
    for (const bool immediate : {true, false}) {
        control->BeginDrag(immediate, 5);
        EXPECT_EQ(gui::DragObject(), nullptr) << immediate;
        EXPECT_FALSE(control->Dragging()) << immediate;
        EXPECT_EQ(win::GetCapture(), nullptr) << immediate;
    }
    EXPECT_TRUE(ends.targets.empty()) << "a drag that never started does not end";
}

TEST_F(ControlTest, CopyCursorOverAnAcceptingTargetAndTheDragEndsWithItsControl)
{
    control->SetDragMode(gui::dmAutomatic);
    EndDragLog ends;
    control->OnEndDrag = gui::TEndDragEvent::Of<&EndDragLog::End>(&ends);
    auto* target = Make(220, 10, 100, 100);
    struct Accept {
        void Over(classes::TObject*, classes::TObject*, int, int, gui::TDragState, bool& accept) { accept = true; }
    } accepting;
    target->OnDragOver = gui::TDragOverEvent::Of<&Accept::Over>(&accepting);
    const win::HWND hwnd = control->Handle();
    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 60, 20); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    ASSERT_NE(gui::DragObject(), nullptr);
    driver.KeyDown(win::VK_CONTROL);
    driver.MouseMove(target->Handle(), 30, 30);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), gui::Screen()->Cursors(controls::crclDragCopy));
    EXPECT_EQ(controls::clCurrentDragObject(), gui::DragObject());
    driver.KeyUp(win::VK_CONTROL);
    driver.MouseMove(target->Handle(), 32, 30);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), gui::Screen()->Cursors(gui::crDrag));


    delete control;
    control = nullptr;
    EXPECT_EQ(gui::DragObject(), nullptr) << "the drag ended with its control";
    EXPECT_EQ(controls::clCurrentDragObject(), nullptr);
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 32, 30);
    driver.Pump();
}

// --- own drag-and-drop ---

class OwnDragTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        gDragLog = &dragLog;
        dragControl = Make<DragDropControl>(220, 10, 150, 150);
        driver.Pump();
    }
    std::vector<std::string> dragLog;
    DragDropControl* dragControl = nullptr;
};

TEST_F(OwnDragTest, WithoutAStartingPointNoPressStartsIt)
{
    const win::HWND hwnd = dragControl->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.MouseMove(hwnd, 80, 80);
    driver.Pump();
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsNone);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 80, 80);
    driver.Pump();
    EXPECT_TRUE(dragLog.empty());
}

TEST_F(OwnDragTest, ReleaseInsideTheThresholdEndsStartingWithoutFinish)
{
    dragControl->startsDragAndDrop = true;
    const win::HWND hwnd = dragControl->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.Pump();
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsStarting);
    driver.MouseMove(hwnd, 21, 21);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 21, 21);
    driver.Pump();
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsNone);
    EXPECT_TRUE(dragLog.empty());
}

TEST_F(OwnDragTest, TrackingShowsTheCursorOfTheAnswerAndEscRestoresTheScreenCursor)
{
    dragControl->startsDragAndDrop = true;
    gui::Screen()->SetCursor(gui::crHourGlass);
    const win::HWND hwnd = dragControl->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.MouseMove(hwnd, 60, 60);
    driver.Pump();
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsInProcess);
    EXPECT_EQ(gui::Screen()->Cursor(), gui::crNoDrop);

    dragControl->SetFocus();
    driver.Pump();
    EXPECT_EQ(dragControl->Perform(gui::CN_KEYDOWN, 'A', 0), 1) << "other keys are swallowed";
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsInProcess);
    driver.PressKey(win::VK_ESCAPE);
    driver.Pump();
    EXPECT_EQ(dragControl->DragAndDropState(), controls::ddsNone);
    EXPECT_EQ(gui::Screen()->Cursor(), gui::crHourGlass);
    EXPECT_EQ(dragLog.back(), "finish refused");
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 60, 60);
    driver.Pump();

    gDragAccepts = true;
    dragLog.clear();
    driver.AdvanceBy(1000);  // not a double click
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 20, 20);
    driver.MouseMove(hwnd, 70, 70);
    driver.Pump();
    EXPECT_EQ(gui::Screen()->Cursor(), gui::crDrag);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 70, 70);
    driver.Pump();
    ASSERT_FALSE(dragLog.empty());
    EXPECT_EQ(dragLog.back(), "finish accepted");
    gDragAccepts = false;
    gui::Screen()->SetCursor(gui::crDefault);
}

// --- scroll bars ---

TEST_F(ControlTest, ContentThatFitsExactlyHidesOrDisablesTheBar)
{
    // As wide as the client beside the vertical bar.
    control->contentWidth = 200 - 16;
    control->contentHeight = 400;
    control->Recompute();
    EXPECT_FALSE(control->HScrollBar()->Visible()) << "fits exactly and may hide";
    EXPECT_TRUE(control->VScrollBar()->Visible());
    EXPECT_FALSE(control->SizeGrip()->Visible());

    control->allowHide = false;
    control->Recompute();
    EXPECT_TRUE(control->HScrollBar()->Visible());
    EXPECT_FALSE(control->HScrollBar()->Enabled());
}

TEST_F(ControlTest, AControlSmallerThanItsBarsKeepsThemConsistent)
{
    control->contentWidth = 1000;
    control->contentHeight = 1000;
    EXPECT_NO_THROW(control->SetBounds(10, 10, 10, 8));
    control->Recompute();
    EXPECT_TRUE(control->HScrollBar()->Visible());
    EXPECT_EQ(control->HScrollBar()->PageSize(), 0);
    EXPECT_LE(control->VScrollBar()->PageSize(), control->VScrollBar()->Max() - control->VScrollBar()->Min() + 1);
}

TEST_F(ControlTest, GripShowsExactlyWithBothBars)
{
    control->contentWidth = 1000;
    control->contentHeight = 1000;
    control->Recompute();
    ASSERT_TRUE(control->HScrollBar()->Visible());
    ASSERT_TRUE(control->VScrollBar()->Visible());
    EXPECT_TRUE(control->SizeGrip()->Visible());
    EXPECT_EQ(control->HScrollBar()->BoundsRect(), (win::RECT{0, 134, 184, 150}));
    EXPECT_EQ(control->VScrollBar()->BoundsRect(), (win::RECT{184, 0, 200, 134}));
    EXPECT_EQ(control->SizeGrip()->BoundsRect(), (win::RECT{184, 134, 200, 150}));
    control->contentHeight = 10;
    control->Recompute();
    EXPECT_FALSE(control->VScrollBar()->Visible());
    EXPECT_FALSE(control->SizeGrip()->Visible());
    EXPECT_EQ(control->HScrollBar()->BoundsRect(), (win::RECT{0, 134, 200, 150}));
}

TEST_F(ControlTest, NestedRecomputationBackAtTheStartShowsTheDifferingBarDisabled)
{
    // The horizontal bar is needed exactly while it is hidden: each layout would flip it.
    control->contentHeight = 10;
    control->onCompute = [&] {
        const int max = control->HScrollBar()->Visible() ? 9 : 999;
        control->SetScrollBarInfo(controls::clHorzBar, 0, max, 1, 100, 0, true, true);
    };
    control->Recompute();
    EXPECT_TRUE(control->HScrollBar()->Visible());
    EXPECT_FALSE(control->HScrollBar()->Enabled()) << "shown disabled, not hidden";
    EXPECT_FALSE(control->VScrollBar()->Visible());
}

TEST_F(ControlTest, WheelScrollsThreeLinesPerNotchWhenAVerticalBarShows)
{
    control->contentHeight = 1000;
    control->Recompute();
    ASSERT_TRUE(control->VScrollBar()->Visible());
    driver.Wheel(control->Handle(), 120, 20, 20);
    driver.Pump();
    EXPECT_EQ(control->log, (std::vector<std::string>(3, "scroll 1 0")));
    control->log.clear();
    driver.Wheel(control->Handle(), -120, 20, 20);
    driver.Pump();
    EXPECT_EQ(control->log, (std::vector<std::string>(3, "scroll 1 1")));

    control->log.clear();
    control->contentHeight = 10;
    control->Recompute();
    EXPECT_EQ(control->Perform(gui::CM_MOUSEWHEEL, win::MAKEWPARAM(0, 120), 0), 0) << "no bar: not handled";
    EXPECT_TRUE(control->log.empty());
}

TEST_F(ControlTest, NonClientMetricsChangeResizesEveryControlsBars)
{
    auto* second = Make(220, 10, 150, 150);
    second->contentHeight = 1000;
    second->Recompute();
    win::NONCLIENTMETRICS metrics;
    ASSERT_TRUE(win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    metrics.iScrollWidth = 20;
    metrics.iScrollHeight = 20;
    ASSERT_TRUE(win::SystemParametersInfo(win::SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, win::SPIF_SENDCHANGE));
    driver.Pump();
    for (TestControl* c : {control, second}) {
        EXPECT_EQ(c->HScrollBar()->Height(), 20);
        EXPECT_EQ(c->VScrollBar()->Width(), 20);
    }
    EXPECT_EQ(second->VScrollBar()->BoundsRect(), (win::RECT{130, 0, 150, 150}));
}

// --- the middle-button mode ---

class MiddleButtonTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        // The anchor's window class comes with the standard controls; a stand-in serves where it is missing.
        win::WNDCLASS existing;
        if (!win::GetClassInfo(nullptr, "STATIC", &existing)) {
            win::WNDCLASS cls;
            cls.lpfnWndProc = win::DefWindowProc;
            cls.lpszClassName = "STATIC";
            win::RegisterClass(&cls);
        }
    }
    // Press the middle button at the control's centre; the anchor is there.
    win::POINT Anchor() const { return control->ClientToScreen({100, 75}); }
    int Scrolls(const char* entry) const
    {
        return int(std::count(control->log.begin(), control->log.end(), std::string(entry)));
    }
};

TEST_F(MiddleButtonTest, SpeedGrowsWithTheDistanceAndALeftPressEndsTheMode)
{
    control->contentWidth = 1000;
    control->contentHeight = 1000;
    control->Recompute();
    const win::HWND hwnd = control->Handle();
    std::uint64_t t = clock.TickCount64();
    struct Seen {
        win::HWND anchorWindow = nullptr;
        bool elliptic = false;
        win::HCURSOR cursor = nullptr;
        int downs = 0;
        bool scrolling = false;
    };
    Seen atRelease, downSlow, downFast, inZone;
    driver.At(t + 5, [&] { driver.MouseUp(hwnd, win::TestDriver::Button::Middle, 100, 75); });
    driver.At(t + 10, [&] {
        atRelease.anchorWindow = win::TestDriver::Find("STATIC");
        atRelease.scrolling = control->ScrollingContent();
        win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
        atRelease.elliptic = win::GetWindowRgn(atRelease.anchorWindow, region) != win::ERROR &&
                             win::PtInRegion(region, 16, 16) && win::PtInRegion(region, 16, 0) &&
                             !win::PtInRegion(region, 0, 0) && !win::PtInRegion(region, 31, 31);
        win::DeleteObject(region);
        driver.MouseMove(hwnd, 100, 75 + 31);
    });
    driver.At(t + 15, [&] { downSlow.cursor = win::GetCursor(); });
    driver.At(t + 10 + 360, [&] {
        downSlow.downs = Scrolls("scroll 1 1");
        driver.MouseMove(hwnd, 100, 75 + 116);
    });
    driver.At(t + 10 + 360 + 200, [&] {
        downFast.downs = Scrolls("scroll 1 1") - downSlow.downs;
        driver.MouseMove(hwnd, 105, 80);
    });
    driver.At(t + 10 + 360 + 205, [&] { inZone.cursor = win::GetCursor(); });
    driver.At(t + 10 + 360 + 200 + 400, [&] {
        inZone.downs = Scrolls("scroll 1 1") - downSlow.downs - downFast.downs;
        driver.MouseDown(hwnd, win::TestDriver::Button::Left, 105, 80);
    });
    int presses = 0;
    struct PressCount {
        int* count;
        void Down(classes::TObject*, gui::TMouseButton button, gui::TShiftState, int, int)
        {
            if (button == gui::mbLeft) {
                ++*count;
            }
        }
    } pressCount{&presses};
    control->OnMouseDown = gui::TMouseEvent::Of<&PressCount::Down>(&pressCount);
    driver.MouseDown(hwnd, win::TestDriver::Button::Middle, 100, 75);
    driver.Pump();

    EXPECT_NE(atRelease.anchorWindow, nullptr);
    EXPECT_TRUE(atRelease.elliptic) << "the anchor window is shaped by an ellipse";
    EXPECT_TRUE(atRelease.scrolling) << "a click inside the neutral zone keeps the mode on";
    EXPECT_EQ(downSlow.cursor, gui::Screen()->Cursors(controls::crclDownScroll));
    EXPECT_EQ(downSlow.downs, 2) << "speed 4: a line every 180 ms";
    EXPECT_EQ(downFast.downs, 10) << "speed 12: a line every 20 ms";
    EXPECT_EQ(inZone.downs, 0);
    EXPECT_EQ(inZone.cursor, gui::Screen()->Cursors(controls::crclFullScroll));
    EXPECT_EQ(presses, 0) << "the press that ends the mode does not reach the control";
    EXPECT_FALSE(control->ScrollingContent());
    EXPECT_EQ(win::TestDriver::Find("STATIC"), nullptr);
    EXPECT_NE(win::GetCapture(), hwnd);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 105, 80);
    driver.Pump();
}

TEST_F(MiddleButtonTest, AControlFreedWhileScrollingEndsTheMode)
{
    control->contentHeight = 1000;
    control->Recompute();
    const win::HWND hwnd = control->Handle();
    control->onScroll = [&] {
        // The handler goes with the control: nothing of it is touched after the delete.
        TestControl* victim = control;
        control = nullptr;
        delete victim;
    };
    driver.At(clock.TickCount64() + 10, [&] { driver.MouseMove(hwnd, 100, 75 + 116); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Middle, 100, 75);
    driver.Pump();
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(win::TestDriver::Find("STATIC"), nullptr);
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(MiddleButtonTest, WithoutAHorizontalBarOnlyVerticalDistanceCounts)
{
    control->contentWidth = 10;
    control->contentHeight = 1000;
    control->Recompute();
    ASSERT_FALSE(control->HScrollBar()->Visible());
    const win::HWND hwnd = control->Handle();
    const std::uint64_t t = clock.TickCount64();
    int sideways = -1;
    driver.At(t + 10, [&] { driver.MouseMove(hwnd, 100 + 200, 75 + 10); });
    driver.At(t + 400, [&] {
        sideways = int(control->log.size());
        driver.MouseMove(hwnd, 100 + 200, 75 + 31);
    });
    driver.At(t + 800, [&] { driver.KeyDown(win::VK_ESCAPE); });
    driver.MouseDown(hwnd, win::TestDriver::Button::Middle, 100, 75);
    driver.Pump();
    EXPECT_EQ(sideways, 0);
    EXPECT_GT(Scrolls("scroll 1 1"), 0);
    EXPECT_EQ(Scrolls("scroll 0 1"), 0);
    driver.KeyUp(win::VK_ESCAPE);
    driver.MouseUp(hwnd, win::TestDriver::Button::Middle, 100, 75);
    driver.Pump();
}

}  // namespace
}  // namespace controlstest
