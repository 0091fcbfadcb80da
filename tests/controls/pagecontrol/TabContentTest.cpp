// The content of a tab: where the caption and the image go, shortened captions, rotated captions with an
// image column, embossed disabled captions, and the image-list wrapper's drawing and errors.

#include "controls/pagecontrol/clPCImageList.h"
#include "controls/pagecontrol/clPCPainters.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clGraphics.h"
#include "controls/clImageLists.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/ImageList.h"

#include <memory>
#include <string>

namespace pctest {
namespace {

using namespace pagecontrol;

class TabContentTest : public TabTest {
protected:
    win::RECT TextRect(int visibleIndex) { return setup.contentRects.at(visibleIndex).second; }
    win::RECT ImageRect(int visibleIndex) { return setup.contentRects.at(visibleIndex).first; }
    // Pixels of the colour inside the rectangle.
    int Count(TclCustomTabControl* control, const win::RECT& rect, gui::TColor color)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                count += win::TestDriver::PixelAt(control->Handle(), x, y) == gui::ColorToRGB(color);
            }
        }
        return count;
    }
    // Sixteen-pixel pictures: a black square on a transparent ground, in the foundation's image list.
    std::unique_ptr<controls::TclImageList> MakeImages(int count)
    {
        auto images = std::make_unique<controls::TclImageList>(16, 16);
        gui::TBitmap picture;
        picture.SetSize(16 * count, 16);
        picture.Canvas()->Brush()->SetColor(gui::clFuchsia);
        picture.Canvas()->FillRect({0, 0, 16 * count, 16});
        picture.Canvas()->Brush()->SetColor(gui::clBlack);
        for (int i = 0; i < count; ++i) {
            picture.Canvas()->FillRect({16 * i + 6, 6, 16 * i + 10, 10});
        }
        images->AddImageMasked(&picture, gui::clFuchsia);
        return images;
    }
};

TEST_F(TabContentTest, CaptionsAreCentredBetweenTheMarginsOfTheirKindOfTab)
{
    TclCustomTabControl* control = Make(400, 200, {"Ab", "Cd"});
    control->SetTabWidth(100);
    control->SetTabHeight(30);
    control->Repaint();
    const int h = controls::clMeasureTextInFont(control->Font(), "Zg").cy;
    struct Case {
        int tab;
        const char* caption;
        int startMargin;
        int length;
        int top;
        int across;
    };
    for (const Case& c : {Case{1, "Cd", 2, 96, 1, 30}, Case{0, "Ab", 4, 92, 1, 27}}) {
        const int w = controls::clMeasureTextWidthInFont(control->Font(), c.caption);
        const win::RECT tab = TabRect(control, c.tab);
        const win::RECT expected{tab.left + c.startMargin + (c.length - w) / 2, tab.top + c.top + (c.across - h) / 2,
                                 0, 0};
        EXPECT_EQ(TextRect(c.tab).left, expected.left) << c.caption;
        EXPECT_EQ(TextRect(c.tab).top, expected.top) << c.caption;
        EXPECT_EQ(TextRect(c.tab).right - TextRect(c.tab).left, w) << c.caption;
        EXPECT_EQ(TextRect(c.tab).bottom - TextRect(c.tab).top, h) << c.caption;
    }
}

TEST_F(TabContentTest, ACaptionTooWideStartsAtTheTruncatedMarginAndIsShortened)
{
    const std::string caption = "An extraordinarily long caption";
    TclCustomTabControl* control = Make(400, 200, {"A", caption});
    control->SetTabWidth(100);
    control->Repaint();
    const win::RECT tab = TabRect(control, 1);
    const win::RECT text = TextRect(1);
    EXPECT_EQ(text.left, tab.left + 2);
    EXPECT_LE(text.right, tab.right - 2);
    EXPECT_LT(text.right - text.left, controls::clMeasureTextWidthInFont(control->Font(), caption));
    EXPECT_GT(text.right - text.left, controls::clMeasureTextWidthInFont(control->Font(), "..."));
}

TEST_F(TabContentTest, AnAcceleratorCaptionOfWhichNothingFitsDrawsNothing)
{
    Fixed({{"&x", 8}});
    TclCustomTabControl* control = Make(400, 200, {"&x"});
    control->Repaint();
    EXPECT_EQ(TextRect(0).right - TextRect(0).left, 0);
    const win::RECT tab = TabRect(control, 0);
    EXPECT_EQ(Count(control, tab, gui::clBtnFace), (tab.right - tab.left) * (tab.bottom - tab.top));
}

TEST_F(TabContentTest, ADisabledCaptionIsEmbossed)
{
    TclCustomTabControl* control = Make(400, 200, {"WWW", "WWW"});
    control->Tabs()->Tab(1)->SetEnabled(false);
    control->Repaint();
    const win::RECT text = controls::clRectExpandSides(TextRect(1), 0, 0, 1, 1);
    EXPECT_GT(Count(control, text, gui::clBtnHighlight), 0);
    EXPECT_GT(Count(control, text, gui::clBtnShadow), 0);
    EXPECT_EQ(Count(control, TextRect(0), gui::clBtnHighlight), 0);
}

TEST_F(TabContentTest, RotatedCaptionsStartAfterTheSameImageColumn)
{
    auto images = MakeImages(3);
    TclCustomTabControl* control = Make(400, 200, {"Tab", "Tab"});
    control->SetImages(images.get());
    control->Tabs()->Tab(1)->SetImageIndex(-1);
    control->SetRotate(true);
    control->Repaint();
    ASSERT_EQ(control->ImageList()->ImageRotation(), 1);
    const win::RECT first = TabRect(control, 0);
    const win::RECT second = TabRect(control, 1);
    EXPECT_FALSE(controls::clRectHasNoArea(ImageRect(0)));
    EXPECT_TRUE(controls::clRectHasNoArea(ImageRect(1)));
    EXPECT_EQ(first.bottom - TextRect(0).bottom, second.bottom - TextRect(1).bottom);
    EXPECT_GT(first.bottom - TextRect(0).bottom, 16) << "after the image column";
}

TEST_F(TabContentTest, AChangedTabColourShowsBehindItsRotatedImage)
{
    auto images = MakeImages(3);
    TclCustomTabControl* control = Make(400, 200, {"Tab"});
    control->SetImages(images.get());
    control->SetRotate(true);
    control->Tabs()->Tab(0)->SetColor(gui::clLime);
    control->Repaint();
    win::RECT image = ImageRect(0);
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), image.left, image.top), gui::ColorToRGB(gui::clLime));
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), image.left + 7, image.top + 7), gui::ColorToRGB(gui::clBlack));
    control->Tabs()->Tab(0)->SetColor(gui::clAqua);
    control->Repaint();
    image = ImageRect(0);
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), image.left, image.top), gui::ColorToRGB(gui::clAqua));
}

TEST_F(TabContentTest, DrawingABadImageRaises)
{
    TclCustomTabControl* control = Make(400, 200, {"Tab"});
    gui::TBitmap target;
    target.SetSize(16, 16);
    struct Case {
        int index;
        const char* message;
    };
    try {
        control->ImageList()->Draw(target.Canvas(), 0, 0, true, gui::clWhite, 0);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "TclPCImageList.Draw: BaseImages is not assigned");
    }
    auto images = MakeImages(3);
    control->SetImages(images.get());
    for (const Case& c : {Case{5, "TclPCImageList.Draw: Index (5) must be between 0 and 2"},
                          Case{-1, "TclPCImageList.Draw: Index (-1) must be between 0 and 2"}}) {
        try {
            control->ImageList()->Draw(target.Canvas(), 0, 0, true, gui::clWhite, c.index);
            ADD_FAILURE() << "no exception";
        } catch (const rtl::Exception& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
    images.reset();
    EXPECT_EQ(control->Images(), nullptr) << "a freed list is forgotten";
}

// ------------------------------------------------------------------------------------------------------------
// The tab list

TEST_F(TabTest, BadTabIndexesRaiseAndChangeNothing)
{
    TclCustomTabControl* control = Make(400, 200, {"A", "B"});
    TclTabs* tabs = control->Tabs();
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { tabs->Tab(2); }, "TclTabs.GetTab: Tab's index (2) out of bounds"},
        {[&] { tabs->Delete(-1); }, "TclTabs.Delete: Tab's index (-1) out of bounds"},
        {[&] { tabs->Insert(3, "X"); }, "TclTabs.Insert: Tab's index (3) out of bounds"},
        {[&] { tabs->Strings(7); }, "TclTabs.Get: Tab's index (7) out of bounds"},
        {[&] { tabs->VisibleTab(2); }, "TclTabs.GetVisibleTab: TabVisibleIndex (2) must be between 0 and 1"},
        {[&] { control->VisibleTabs().Tab(-1); },
         "TclVisibleTabList.GetTab: TabVisibleIndex (-1) must be between 0 and 1"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const rtl::Exception& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
        EXPECT_EQ(tabs->Count(), 2);
    }
    tabs->Tab(0)->SetVisible(false);
    tabs->Tab(1)->SetVisible(false);
    try {
        control->VisibleTabs().Tab(0);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "TclVisibleTabList.GetTab: There are no visible tabs");
    }
}

TEST_F(TabTest, MovingKeepsTheCurrentTabAndBadMovesChangeNothing)
{
    TclCustomTabControl* control = Make(400, 200, {"A", "B", "C"});
    TclTabs* tabs = control->Tabs();
    control->SetTabIndex(1);
    tabs->Move(1, 2);
    EXPECT_EQ(tabs->Strings(2), "B");
    EXPECT_EQ(control->TabIndex(), 2);
    for (auto [from, to] : {std::pair{-1, 0}, std::pair{0, 3}, std::pair{5, 1}}) {
        tabs->Move(from, to);
    }
    EXPECT_EQ(tabs->Text(), "A\r\nC\r\nB\r\n");
    for (int i = 0; i < tabs->Count(); ++i) {
        EXPECT_EQ(tabs->Tab(i)->Index(), i);
    }
}

TEST_F(TabTest, TheFirstTabBecomesCurrentWithoutEventsAndAFreedTabLeavesTheList)
{
    TclCustomTabControl* control = Make(400, 200);
    int changes = 0;
    struct Counter {
        int* count;
        void Change(classes::TObject*) { ++*count; }
    } counter{&changes};
    control->OnChange = classes::TNotifyEvent::Of<&Counter::Change>(&counter);
    control->Tabs()->Add("A");
    EXPECT_EQ(control->TabIndex(), 0);
    EXPECT_EQ(changes, 0);
    control->Tabs()->Add("B");
    delete control->Tabs()->Tab(0);
    EXPECT_EQ(control->Tabs()->Count(), 1);
    EXPECT_EQ(control->Tabs()->Tab(0)->Index(), 0);
    EXPECT_EQ(control->VisibleTabs().Count(), 1);
}

}  // namespace
}  // namespace pctest
