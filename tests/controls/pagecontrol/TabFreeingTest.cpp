// Handlers that free the tab control with Free() while it paints, measures its captions or runs its
// go-to-tab menu: the control goes away once the handling is over and nothing touches it afterwards
// (the sanitizer watches for the rest). Program code that changes the control outside any handling lays
// it out at once; a measuring handler that frees it then leaves it whole until the message loop runs.

#include "controls/pagecontrol/clPCGoDialog.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clImageLists.h"
#include "controls/clLookAndFeels.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <memory>
#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

enum class Handler { drawTab, drawTabEx, imageIndex, changing, change, childResize };
enum class Trigger { paint, paintTo, resize, goMenu };

// Frees the control from whichever handler it is told to, once.
struct Freer {
    Handler at = Handler::drawTab;
    TclCustomTabControl* control = nullptr;

    void FreeIf(Handler handler)
    {
        if (control && handler == at) {
            TclCustomTabControl* doomed = control;
            control = nullptr;
            doomed->Free();
        }
    }
    void DrawTab(TclCustomTabControl*, TclTab*, bool& defaultDraw)
    {
        defaultDraw = true;
        FreeIf(Handler::drawTab);
    }
    void DrawTabEx(TclCustomTabControl*, TclTab*, gui::TFont*) { FreeIf(Handler::drawTabEx); }
    void ImageIndex(classes::TObject*, int, int& imageIndex)
    {
        imageIndex = 0;
        FreeIf(Handler::imageIndex);
    }
    void Changing(classes::TObject*, bool&) { FreeIf(Handler::changing); }
    void Change(classes::TObject*) { FreeIf(Handler::change); }
    void ChildResize(classes::TObject*) { FreeIf(Handler::childResize); }
};

struct HandlerFreeCase {
    const char* name;
    Handler at;
    Trigger trigger;
};

// A sixteen-pixel picture list so that the image handler is asked.
std::unique_ptr<controls::TclImageList> MakeImages()
{
    auto images = std::make_unique<controls::TclImageList>(16, 16);
    gui::TBitmap picture;
    picture.SetSize(16, 16);
    picture.Canvas()->Brush()->SetColor(gui::clBlack);
    picture.Canvas()->FillRect({0, 0, 16, 16});
    images->AddImageMasked(&picture, gui::clFuchsia);
    return images;
}

class TabFreeingTest : public TabTest, public ::testing::WithParamInterface<HandlerFreeCase> {
protected:
    void Fire(TclCustomTabControl* control, Trigger trigger)
    {
        switch (trigger) {
        case Trigger::paint:
            control->Invalidate();
            driver.Pump();
            break;
        case Trigger::paintTo: {
            gui::TBitmap copy;
            copy.SetSize(300, 200);
            control->PaintTo(copy.Canvas()->Handle(), 0, 0);
            // Program code painted it: it goes when the loop runs.
            driver.Pump();
            break;
        }
        case Trigger::resize:
            win::SetWindowPos(control->Handle(), nullptr, 0, 0, 250, 150, win::SWP_NOZORDER | win::SWP_NOMOVE);
            driver.Pump();
            break;
        case Trigger::goMenu:
            // The first entry is the current tab; the second one changes it.
            driver.At(clock.TickCount64() + 10, [this] {
                driver.PressKey(win::VK_DOWN);
                driver.PressKey(win::VK_DOWN);
                driver.PressKey(win::VK_RETURN);
            });
            driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 294, 10);
            driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 294, 10);
            driver.Pump();
            break;
        }
    }
};

TEST_P(TabFreeingTest, TheControlGoesAwayAndNothingTouchesItAfterwards)
{
    const HandlerFreeCase& c = GetParam();
    std::unique_ptr<controls::TclImageList> images = MakeImages();
    TclCustomTabControl* control = Make(300, 200, {"Alpha", "Beta"});
    control->SetTabWidth(60);
    control->SetImages(images.get());
    if (c.trigger == Trigger::goMenu) {
        control->SetOptions(clPCDefaultOptions | clPCOptionBit(pcoGoDialog));
    }
    driver.Pump();
    Freer freer{c.at, control};
    control->SetOwnerDraw(true);
    control->OnDrawTab = TclDrawTabEvent::Of<&Freer::DrawTab>(&freer);
    control->OnDrawTabEx = TclDrawTabExEvent::Of<&Freer::DrawTabEx>(&freer);
    control->OnGetImageIndex = TclGetTabImageEvent::Of<&Freer::ImageIndex>(&freer);
    control->OnChanging = TclTabChangingEvent::Of<&Freer::Changing>(&freer);
    control->OnChange = classes::TNotifyEvent::Of<&Freer::Change>(&freer);

    Fire(control, c.trigger);

    EXPECT_EQ(freer.control, nullptr) << "the handler ran";
    EXPECT_EQ(form->ControlCount(), 0) << "the control is gone";
    // The form repaints where the control was without reaching for it.
    form->Repaint();
    driver.Pump();
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, TabFreeingTest,
    ::testing::Values(HandlerFreeCase{"DrawTabWhilePainting", Handler::drawTab, Trigger::paint},
                      HandlerFreeCase{"DrawTabExWhilePainting", Handler::drawTabEx, Trigger::paint},
                      HandlerFreeCase{"ImageIndexWhilePainting", Handler::imageIndex, Trigger::paint},
                      HandlerFreeCase{"DrawTabWhilePaintingACopy", Handler::drawTab, Trigger::paintTo},
                      HandlerFreeCase{"ImageIndexWhilePaintingACopy", Handler::imageIndex, Trigger::paintTo},
                      HandlerFreeCase{"DrawTabExWhileMeasuringOnAResize", Handler::drawTabEx, Trigger::resize},
                      HandlerFreeCase{"ChangingFromTheGoToTabMenu", Handler::changing, Trigger::goMenu},
                      HandlerFreeCase{"ChangeFromTheGoToTabMenu", Handler::change, Trigger::goMenu}),
    [](const ::testing::TestParamInfo<HandlerFreeCase>& info) { return std::string(info.param.name); });

// What program code does to the doomed control; the second list is the one the control shows, the
// third another one, the style 101 is registered.
struct Change {
    TclCustomTabControl* control;
    controls::TclImageList* images;
    controls::TclImageList* otherImages;
};

struct EntryCase {
    const char* name;
    Handler at;
    void (*change)(const Change& c);
};

class TabFreedOutsideHandlingTest : public TabTest, public ::testing::WithParamInterface<EntryCase> {
protected:
    // Everything the layout and the tab model decided, in numbers.
    static std::vector<int> Snapshot(TclCustomTabControl* control)
    {
        const win::RECT bounds = control->BoundsRect();
        const win::RECT client = control->ClientRect();
        std::vector<int> numbers{bounds.left, bounds.top, bounds.right, bounds.bottom, client.left, client.top,
                                 client.right, client.bottom, control->TabIndex(), control->Tabs()->Count(),
                                 control->FirstDisplayedTab(), control->LastDisplayedTab(), control->RowCount(),
                                 control->TabRowThickness(), int(control->NavigatorButtons())};
        for (int i = 0; i < control->Tabs()->Count(); ++i) {
            const win::RECT rect = TabRect(control, i);
            numbers.insert(numbers.end(), {rect.left, rect.top, rect.right, rect.bottom});
            numbers.push_back(int(control->Tabs()->Tab(i)->Caption().size()));
        }
        return numbers;
    }

    TestPainterClass secondStyle{StyleTraits{101, "Second"}};
};

TEST_P(TabFreedOutsideHandlingTest, TheControlStaysWholeUntilTheLoopRunsAndItsSiblingIsUntouched)
{
    const EntryCase& c = GetParam();
    Register(secondStyle);
    std::unique_ptr<controls::TclImageList> images = MakeImages();
    std::unique_ptr<controls::TclImageList> otherImages = MakeImages();
    const std::vector<std::string> captions{"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"};
    TclCustomTabControl* sibling = Make(300, 200, captions);
    sibling->SetBounds(320, 0, 300, 200);
    sibling->SetImages(images.get());
    TclCustomTabControl* control = Make(300, 200, captions);
    control->SetImages(images.get());
    control->SetOwnerDraw(true);
    // A page filling the client area: the layout resizes it.
    auto* page = new gui::TPanel(form);
    page->SetParent(control);
    page->SetAlign(gui::alClient);
    driver.Pump();
    const std::vector<int> before = Snapshot(sibling);
    Freer freer{c.at, control};
    control->OnDrawTab = TclDrawTabEvent::Of<&Freer::DrawTab>(&freer);
    control->OnDrawTabEx = TclDrawTabExEvent::Of<&Freer::DrawTabEx>(&freer);
    control->OnGetImageIndex = TclGetTabImageEvent::Of<&Freer::ImageIndex>(&freer);
    page->OnResize = classes::TNotifyEvent::Of<&Freer::ChildResize>(&freer);

    c.change({control, images.get(), otherImages.get()});

    EXPECT_EQ(freer.control, nullptr) << "the handler ran";
    EXPECT_EQ(form->ControlCount(), 2) << "whole until the loop runs";
    driver.Pump();
    ASSERT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0), sibling);
    EXPECT_EQ(Snapshot(sibling), before);
    // Measured again, the sibling's captions come out as before: nothing shared was left half set.
    sibling->RebuildLayout();
    EXPECT_EQ(Snapshot(sibling), before);
    form->Repaint();
    driver.Pump();
}

INSTANTIATE_TEST_SUITE_P(
    EntryPoints, TabFreedOutsideHandlingTest,
    ::testing::Values(
        EntryCase{"AddATab", Handler::drawTabEx, [](const Change& c) { c.control->Tabs()->Add("Eta"); }},
        EntryCase{"InsertATab", Handler::drawTabEx, [](const Change& c) { c.control->Tabs()->Insert(0, "Zero"); }},
        EntryCase{"DeleteATab", Handler::drawTabEx, [](const Change& c) { c.control->Tabs()->Delete(0); }},
        EntryCase{"MoveATab", Handler::drawTabEx, [](const Change& c) { c.control->Tabs()->Move(0, 2); }},
        EntryCase{"SetTheText", Handler::drawTabEx,
                  [](const Change& c) { c.control->Tabs()->SetText("One\nTwo\nThree\nFour"); }},
        EntryCase{"AddALineWithItsObject", Handler::drawTabEx,
                  [](const Change& c) { c.control->Tabs()->AddObject("Eta", c.images); }},
        EntryCase{"RenameATab", Handler::drawTabEx,
                  [](const Change& c) { c.control->Tabs()->Tab(0)->SetCaption("A much longer caption"); }},
        EntryCase{"HideATab", Handler::drawTabEx, [](const Change& c) { c.control->Tabs()->Tab(1)->SetVisible(false); }},
        EntryCase{"GiveATabAnImage", Handler::drawTabEx,
                  [](const Change& c) { c.control->Tabs()->Tab(0)->SetImageIndex(3); }},
        EntryCase{"TabWidth", Handler::drawTabEx, [](const Change& c) { c.control->SetTabWidth(80); }},
        EntryCase{"TabHeight", Handler::drawTabEx, [](const Change& c) { c.control->SetTabHeight(30); }},
        EntryCase{"TabHeightResizingAPage", Handler::childResize, [](const Change& c) { c.control->SetTabHeight(30); }},
        EntryCase{"MultiLine", Handler::drawTabEx, [](const Change& c) { c.control->SetMultiLine(true); }},
        EntryCase{"Style", Handler::drawTabEx, [](const Change& c) { c.control->SetStyle(101); }},
        EntryCase{"LookAndFeel", Handler::drawTabEx,
                  [](const Change& c) { c.control->LookAndFeel()->SetKind(controls::lfFlat); }},
        EntryCase{"Font", Handler::drawTabEx, [](const Change& c) { c.control->Font()->SetSize(14); }},
        EntryCase{"TabPosition", Handler::drawTabEx, [](const Change& c) { c.control->SetTabPosition(tpBottom); }},
        EntryCase{"Rotate", Handler::drawTabEx, [](const Change& c) { c.control->SetRotate(true); }},
        EntryCase{"Options", Handler::drawTabEx,
                  [](const Change& c) { c.control->SetOptions(clPCDefaultOptions | clPCOptionBit(pcoCloseButton)); }},
        EntryCase{"ShowFrame", Handler::drawTabEx, [](const Change& c) { c.control->SetShowFrame(true); }},
        EntryCase{"TabSlants", Handler::drawTabEx,
                  [](const Change& c) { c.control->TabSlants()->SetKind(skCutCorner); }},
        EntryCase{"Images", Handler::drawTabEx, [](const Change& c) { c.control->SetImages(c.otherImages); }},
        EntryCase{"ImagesItShowsChange", Handler::drawTabEx,
                  [](const Change& c) {
                      gui::TBitmap picture;
                      picture.SetSize(16, 16);
                      c.images->AddImageMasked(&picture, gui::clFuchsia);
                  }},
        EntryCase{"Bounds", Handler::drawTabEx, [](const Change& c) { c.control->SetBounds(0, 0, 250, 150); }},
        EntryCase{"TabIndex", Handler::drawTabEx, [](const Change& c) { c.control->SetTabIndex(5); }},
        EntryCase{"RepaintWithAnOwnerDrawnTab", Handler::drawTab, [](const Change& c) { c.control->Repaint(); }},
        EntryCase{"RepaintWithATabImage", Handler::imageIndex, [](const Change& c) { c.control->Repaint(); }}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pctest
