// The page control driven by the mouse and keys: Ctrl+Tab round the pages that have tabs, the arrows
// along the tabs, clicks on tabs, OnChanging refusing and OnChange after the change, pages shown and
// hidden with their events, and the classic tabs in pixels.

#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/PageControl.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <algorithm>
#include <string>
#include <vector>

namespace guitest {
namespace {

class PageControlTest : public ControlsTest {
public:
    void Changing(classes::TObject*, bool& allow)
    {
        events.push_back("changing " + Active());
        allow = !refuse;
    }
    void Changed(classes::TObject*) { events.push_back("change " + Active()); }
    void Shown(classes::TObject* sender) { events.push_back("show " + static_cast<gui::TTabSheet*>(sender)->Name()); }
    void Hidden(classes::TObject* sender) { events.push_back("hide " + static_cast<gui::TTabSheet*>(sender)->Name()); }

protected:
    std::string Active() const { return pages->ActivePage() ? pages->ActivePage()->Name() : "nil"; }

    // Four pages, the third without a tab; an edit on the first.
    void MakePages()
    {
        form = MakeForm(400, 300);
        pages = Make<gui::TPageControl>(form, "Pages", 10, 10, 300, 200);
        for (const char* name : {"General", "Fonts", "Hidden", "Export"}) {
            auto* sheet = new gui::TTabSheet(form);
            sheet->SetName(name);
            sheet->SetCaption(name);
            sheet->SetPageControl(pages);
            sheet->OnShow = classes::TNotifyEvent::Of<&PageControlTest::Shown>(this);
            sheet->OnHide = classes::TNotifyEvent::Of<&PageControlTest::Hidden>(this);
            sheets.push_back(sheet);
        }
        sheets[2]->SetTabVisible(false);
        edit = Make<gui::TEdit>(sheets[0], "Field", 10, 10, 100, 21);
        pages->OnChanging = gui::TTabChangingEvent::Of<&PageControlTest::Changing>(this);
        pages->OnChange = classes::TNotifyEvent::Of<&PageControlTest::Changed>(this);
        form->Show();
        driver.Pump();
        events.clear();
    }
    void CtrlTab(bool shift)
    {
        driver.KeyDown(win::VK_CONTROL);
        if (shift) {
            driver.KeyDown(win::VK_SHIFT);
        }
        driver.PressKey(win::VK_TAB);
        if (shift) {
            driver.KeyUp(win::VK_SHIFT);
        }
        driver.KeyUp(win::VK_CONTROL);
        driver.Pump();
    }
    void ClickTab(int tabIndex)
    {
        const win::RECT rect = pages->TabRect(tabIndex);
        driver.Click(pages->Handle(), win::TestDriver::Button::Left, int(rect.left + rect.right) / 2, int(rect.top + rect.bottom) / 2);
        driver.Pump();
    }

    gui::TForm* form = nullptr;
    gui::TPageControl* pages = nullptr;
    gui::TEdit* edit = nullptr;
    std::vector<gui::TTabSheet*> sheets;
    std::vector<std::string> events;
    bool refuse = false;
};

using Events = std::vector<std::string>;

TEST_F(PageControlTest, CtrlTabGoesRoundThePagesWithTabsAndNeverShowsTheHiddenOne)
{
    MakePages();
    edit->SetFocus();
    driver.Pump();
    EXPECT_EQ(Active(), "General");
    const std::vector<std::pair<bool, const char*>> steps{{false, "Fonts"}, {false, "Export"}, {false, "General"},
                                                          {true, "Export"}, {true, "Fonts"},   {true, "General"}};
    for (const auto& [shift, expected] : steps) {
        SCOPED_TRACE(expected);
        CtrlTab(shift);
        EXPECT_EQ(Active(), expected);
        EXPECT_FALSE(sheets[2]->Visible());
    }
    EXPECT_EQ(std::count(events.begin(), events.end(), "show Hidden"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "change General"), 2);
    // The focus left the hidden first page for the control itself.
    EXPECT_TRUE(pages->Focused());
}

TEST_F(PageControlTest, OnChangingCanRefuseAndOnChangeComesAfterTheNewPageShows)
{
    MakePages();
    ClickTab(1);
    EXPECT_EQ(events, (Events{"changing General", "show Fonts", "hide General", "change Fonts"}));
    EXPECT_TRUE(pages->Focused());

    events.clear();
    refuse = true;
    ClickTab(2);  // "Export": the third tab
    driver.PressKey(win::VK_LEFT);
    CtrlTab(false);
    driver.Pump();
    EXPECT_EQ(Active(), "Fonts");
    EXPECT_EQ(events, (Events{"changing Fonts", "changing Fonts", "changing Fonts"}));

    // The arrows walk along the tabs and stop at the ends.
    refuse = false;
    const std::vector<std::pair<win::UINT, const char*>> keys{
            {win::VK_RIGHT, "Export"}, {win::VK_RIGHT, "Export"}, {win::VK_LEFT, "Fonts"},
            {win::VK_UP, "General"},   {win::VK_UP, "General"},   {win::VK_DOWN, "Fonts"}};
    for (const auto& [key, expected] : keys) {
        SCOPED_TRACE(expected);
        driver.PressKey(key);
        driver.Pump();
        EXPECT_EQ(Active(), expected);
    }
}

TEST_F(PageControlTest, PagesSetByCodeAskNobodyAndTheTabsCountOnlyTheShownOnes)
{
    MakePages();
    pages->SetActivePage(sheets[3]);
    EXPECT_EQ(events, (Events{"show Export", "hide General"}));
    EXPECT_EQ(pages->ActivePageIndex(), 3);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_EQ(sheets[2]->TabIndex(), -1);
    EXPECT_EQ(pages->TabRect(3), win::RECT{});
    const win::RECT display = pages->DisplayRect();
    EXPECT_EQ(sheets[3]->BoundsRect(), display);

    // A hidden tab cannot be clicked: every point of the strip names a shown tab or none.
    for (int x = 0; x < pages->Width(); x += 3) {
        const int tab = pages->IndexOfTabAt(x, 10);
        EXPECT_LT(tab, 3);
    }
    // The active page losing its tab hands over to the next page that has one.
    events.clear();
    sheets[3]->SetTabVisible(false);
    EXPECT_EQ(Active(), "General");
    EXPECT_EQ(events, (Events{"show General", "hide Export"}));
    // Reordering moves the tab.
    sheets[1]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[1]);
    EXPECT_EQ(sheets[0]->TabIndex(), 1);
    for (int bad : {-1, 4}) {
        EXPECT_THROW(pages->Pages(bad), rtl::EListError);
    }
    // A freed page leaves the control, and the next one becomes active.
    delete sheets[0];
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(Active(), "Fonts");
}

TEST_F(PageControlTest, APageFreedWhileItShowsHandsOverToTheNextOne)
{
    MakePages();
    struct Freeing {
        void Show(classes::TObject* sender) { delete static_cast<gui::TTabSheet*>(sender); }
    } freeing;
    sheets[1]->OnShow = classes::TNotifyEvent::Of<&Freeing::Show>(&freeing);
    ClickTab(1);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(Active(), "Export");
    EXPECT_TRUE(sheets[3]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(std::count(events.begin(), events.end(), "hide General"), 1);
}

TEST_F(PageControlTest, TheActiveTabIsTwoPixelsLargerAndJoinsThePageFrame)
{
    MakePages();
    const win::RECT active = pages->TabRect(0);
    const win::RECT other = pages->TabRect(1);
    EXPECT_EQ(active.top + 2, other.top);
    const win::HWND hwnd = pages->Handle();
    const int activeX = int(active.left) + 8;
    const int otherX = int(other.left) + 8;
    // Top edges: the active one at the top of the strip, the other two pixels lower.
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, activeX, int(active.top)), Rgb(gui::clBtnHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, otherX, int(active.top)), Rgb(gui::clBtnFace));
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, otherX, int(other.top)), Rgb(gui::clBtnHighlight));
    // The frame's top line runs under the other tab and is open under the active one.
    const int frameTop = int(pages->DisplayRect().top) - 4;
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, otherX, frameTop), Rgb(gui::clBtnHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, activeX, frameTop), Rgb(gui::clBtnFace));
    // Right edges in the dark shadow.
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, int(other.right) - 1, int(other.top + other.bottom) / 2), Rgb(gui::cl3DDkShadow));
    // The focus rectangle runs inside the active tab while the control has the focus.
    // Its left side, clear of the caption:
    auto dotsOnLeft = [&] {
        int dots = 0;
        for (int y = int(active.top) + 3; y < int(active.bottom) - 3; ++y) {
            dots += win::TestDriver::PixelAt(hwnd, int(active.left) + 3, y) != Rgb(gui::clBtnFace) ? 1 : 0;
        }
        return dots;
    };
    edit->SetFocus();
    driver.Pump();
    EXPECT_EQ(dotsOnLeft(), 0);
    pages->SetFocus();
    driver.Pump();
    EXPECT_GE(dotsOnLeft(), (int(active.bottom - active.top) - 6) / 2 - 1);
}

TEST_F(PageControlTest, SeveralRowsPutTheActiveTabsRowNextToThePage)
{
    MakePages();
    pages->SetWidth(120);
    pages->SetTabWidth(50);
    pages->SetMultiLine(true);
    driver.Pump();
    // Two tabs fit a row: General and Fonts above, Export below.
    const win::RECT general = pages->TabRect(0);
    const win::RECT exportTab = pages->TabRect(2);
    EXPECT_GT(general.top, exportTab.top) << "the active tab's row is the lower one";
    pages->SetActivePage(sheets[3]);
    EXPECT_GT(pages->TabRect(2).top, pages->TabRect(0).top);
    EXPECT_EQ(pages->DisplayRect().top, pages->TabRect(2).bottom - 1 + 4);
}

TEST_F(PageControlTest, OneRowTooLongScrollsByItsArrowsAndFollowsTheActiveTab)
{
    MakePages();
    pages->SetWidth(150);
    pages->SetTabWidth(60);
    driver.Pump();
    // Three tabs of 60 in 150 pixels: arrows at the right end, 16 pixels each.
    const int arrows = 150 - 32;
    EXPECT_EQ(pages->IndexOfTabAt(arrows + 5, 10), -1);
    EXPECT_EQ(pages->TabRect(0).left, 0) << "the active first tab, 2 pixels larger";
    driver.Click(pages->Handle(), win::TestDriver::Button::Left, arrows + 16 + 8, 10);  // the right arrow
    driver.Pump();
    EXPECT_EQ(Active(), "General") << "scrolling chooses nothing";
    EXPECT_LE(pages->TabRect(0).right, 4) << "no more than the active tab's enlarged edge";
    EXPECT_EQ(pages->TabRect(1).left, 2);
    EXPECT_EQ(pages->IndexOfTabAt(10, 10), 1);
    driver.Click(pages->Handle(), win::TestDriver::Button::Left, arrows + 8, 10);  // the left arrow
    driver.Pump();
    EXPECT_EQ(pages->IndexOfTabAt(10, 10), 0);
    // The last tab chosen comes whole into view.
    pages->SetActivePage(sheets[3]);
    const win::RECT last = pages->TabRect(2);
    EXPECT_GE(last.left, 0);
    EXPECT_LE(last.right, arrows);
    EXPECT_EQ(pages->IndexOfTabAt(int(last.left) + 5, 10), 2);
    // Wide enough again: no arrows.
    pages->SetWidth(300);
    driver.Pump();
    EXPECT_EQ(pages->TabRect(0).left, 2);
    EXPECT_EQ(pages->IndexOfTabAt(290 - 32 + 5 - 100, 10), 2);
}

TEST_F(PageControlTest, HotTrackingColoursTheCaptionUnderTheMouse)
{
    MakePages();
    pages->SetHotTrack(true);
    const win::RECT tab = pages->TabRect(1);
    // Smoothed text has no pixel of the pure colour: count pixels leaning to it (the hot colour is a dark
    // blue, the plain text black on grey).
    const win::COLORREF hot = Rgb(gui::clHotLight);
    ASSERT_GT(int(win::GetBValue(hot)), int(win::GetRValue(hot)) + 64);
    auto hotPixels = [&] {
        int count = 0;
        for (int y = int(tab.top); y < int(tab.bottom); ++y) {
            for (int x = int(tab.left); x < int(tab.right); ++x) {
                const win::COLORREF pixel = win::TestDriver::PixelAt(pages->Handle(), x, y);
                count += int(win::GetBValue(pixel)) > int(win::GetRValue(pixel)) + 40 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_EQ(hotPixels(), 0);
    driver.MouseMove(pages->Handle(), int(tab.left) + 5, int(tab.top) + 5);
    driver.Pump();
    EXPECT_GT(hotPixels(), 0);
    driver.MouseMove(form->Handle(), 380, 280);
    driver.Pump();
    EXPECT_EQ(hotPixels(), 0);
}

}  // namespace
}  // namespace guitest
