// Tab layout: rows broken and balanced, stretched, arranged around the page and positioned; one scrolled
// row with its navigator buttons; scrolling by arrows, the repeat timer and the wheel.

#include "controls/pagecontrol/clPCPainters.h"
#include "platform/win/MessageQueue.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

struct RowsCase {
    const char* name;
    std::vector<int> widths;
    int width;
    int height;
    TclTabPosition position;
    bool multiLine;
    bool raggedRight;
    bool scrollOpposite;
    int current;
    std::vector<win::RECT> expected;
    std::optional<win::RECT> frame;
};

class TabRowsTest : public TabTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(TabRowsTest, TabsLieWhereTheRowsPutThem)
{
    const RowsCase& c = GetParam();
    std::vector<std::string> captions;
    std::vector<std::pair<std::string, int>> widths;
    for (std::size_t i = 0; i < c.widths.size(); ++i) {
        captions.push_back("T" + std::to_string(i));
        widths.emplace_back(captions.back(), c.widths[i]);
    }
    Fixed(widths);
    TclCustomTabControl* control = Make(c.width, c.height, captions);
    control->SetTabPosition(c.position);
    control->SetMultiLine(c.multiLine);
    control->SetRaggedRight(c.raggedRight);
    control->SetScrollOpposite(c.scrollOpposite);
    control->SetTabIndex(c.current);
    ASSERT_EQ(control->TabIndex(), c.current);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(TabRect(control, int(i)), c.expected[i]) << "tab " << i;
    }
    if (c.frame) {
        EXPECT_EQ(control->Painter()->GetPageFrameRect(), *c.frame);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TabRowsTest,
    ::testing::Values(
        RowsCase{"FiveOfSixty", {60, 60, 60, 60, 60}, 200, 150, tpTop, true, false, false, 0,
                 {{0, 20, 66, 40}, {66, 20, 132, 40}, {132, 20, 200, 40}, {0, 0, 100, 20}, {100, 0, 200, 20}},
                 win::RECT{0, 40, 200, 150}},
        RowsCase{"FiveOfSixtyCurrentThree", {60, 60, 60, 60, 60}, 200, 150, tpTop, true, false, false, 3,
                 {{0, 0, 66, 20}, {66, 0, 132, 20}, {132, 0, 200, 20}, {0, 20, 100, 40}, {100, 20, 200, 40}},
                 std::nullopt},
        RowsCase{"Balanced", {120, 30, 30, 100}, 200, 150, tpTop, true, false, false, 0,
                 {{0, 20, 160, 40}, {160, 20, 200, 40}, {0, 0, 46, 20}, {46, 0, 200, 20}}, std::nullopt},
        RowsCase{"RaggedRight", {120, 30, 30, 100}, 200, 150, tpTop, true, true, false, 0,
                 {{0, 20, 120, 40}, {120, 20, 150, 40}, {0, 0, 30, 20}, {30, 0, 130, 20}}, std::nullopt},
        RowsCase{"ScrollOpposite", {120, 30, 30, 100}, 200, 150, tpTop, true, false, true, 0,
                 {{0, 0, 160, 20}, {160, 0, 200, 20}, {0, 130, 46, 150}, {46, 130, 200, 150}},
                 win::RECT{0, 20, 200, 130}},
        RowsCase{"Bottom", {120, 30, 30, 100}, 200, 150, tpBottom, true, false, false, 0,
                 {{0, 110, 160, 130}, {160, 110, 200, 130}, {0, 130, 46, 150}, {46, 130, 200, 150}},
                 win::RECT{0, 0, 200, 110}},
        RowsCase{"LeftSingleRowStartsAtTheBottom", {60, 60, 60}, 200, 300, tpLeft, false, false, false, 0,
                 {{0, 240, 20, 300}, {0, 180, 20, 240}, {0, 120, 20, 180}}, win::RECT{20, 0, 200, 300}}),
    [](const ::testing::TestParamInfo<RowsCase>& info) { return std::string(info.param.name); });

TEST_F(TabTest, ATabWiderThanTheRowGetsARowOfItsOwnAndTheRowsLength)
{
    Fixed({{"a", 60}, {"b", 250}, {"c", 60}});
    TclCustomTabControl* control = Make(200, 150, {"a", "b", "c"});
    control->SetMultiLine(true);
    EXPECT_EQ(control->RowCount(), 3);
    const win::RECT wide = TabRect(control, 1);
    EXPECT_EQ(wide.right - wide.left, 200);
    EXPECT_NE(control->Tabs()->Tab(1)->Row(), control->Tabs()->Tab(0)->Row());
    EXPECT_NE(control->Tabs()->Tab(1)->Row(), control->Tabs()->Tab(2)->Row());
}

TEST_F(TabTest, HiddenTabsLeaveNoDisplayedTabAndNoButtons)
{
    Fixed({{"a", 300}, {"b", 300}});
    TclCustomTabControl* control = Make(200, 150, {"a", "b"});
    ASSERT_NE(control->NavigatorButtons(), 0);
    control->Tabs()->Tab(0)->SetVisible(false);
    control->Tabs()->Tab(1)->SetVisible(false);
    EXPECT_EQ(control->NavigatorButtons(), 0);
    EXPECT_EQ(control->RowCount(), 0);
    EXPECT_EQ(control->VisibleIndexAt(10, 10), -1);
    EXPECT_TRUE(controls::clRectHasNoArea(TabRect(control, 0)));
}

// ------------------------------------------------------------------------------------------------------------
// One scrolled row with the standard tabs metrics

class ScrolledRowTest : public TabTest {
protected:
    TclCustomTabControl* MakeRow(int width, int count)
    {
        std::vector<std::string> captions;
        for (int i = 0; i < count; ++i) {
            captions.push_back("Tab" + std::to_string(i));
        }
        TclCustomTabControl* control = Make(width, 200, captions);
        control->SetTabWidth(100);
        control->SetTabHeight(30);
        return control;
    }
    const TclPCStandardPainter& Standard(TclCustomTabControl* control)
    {
        return static_cast<const TclPCStandardPainter&>(*control->Painter());
    }
    void ClickArrow(TclCustomTabControl* control)
    {
        driver.Click(control->Handle(), win::TestDriver::Button::Left, 310, 10);
        driver.Pump();
    }
};

TEST_F(ScrolledRowTest, ArrowsScrollUntilTheLastTabFitsAndWideningScrollsBack)
{
    TclCustomTabControl* control = MakeRow(320, 5);
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
    EXPECT_EQ(control->LastDisplayedTab(), 2);
    EXPECT_EQ(TabRect(control, 2), (win::RECT{200, 0, 280, 30}));
    EXPECT_EQ(Standard(control).NavigatorButtonBounds(nbTopLeft), (win::RECT{280, 0, 300, 20}));
    EXPECT_EQ(Standard(control).NavigatorButtonBounds(nbBottomRight), (win::RECT{300, 0, 320, 20}));
    EXPECT_EQ(control->NavigatorButtonState(nbTopLeft), nbsDisabled);
    EXPECT_NE(control->NavigatorButtonState(nbBottomRight), nbsDisabled);

    for (int expected : {1, 2, 3}) {
        ClickArrow(control);
        EXPECT_EQ(control->FirstDisplayedTab(), expected);
    }
    EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
    ClickArrow(control);
    EXPECT_EQ(control->FirstDisplayedTab(), 3) << "a disabled arrow does nothing";

    control->SetBounds(0, 0, 420, 200);
    EXPECT_EQ(control->FirstDisplayedTab(), 2);
    control->SetBounds(0, 0, 500, 200);
    EXPECT_EQ(control->NavigatorButtons(), 0);
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
}

TEST_F(ScrolledRowTest, AHeldArrowRepeatsAfter300AndThenEvery150Milliseconds)
{
    TclCustomTabControl* control = MakeRow(320, 10);
    const win::HWND hwnd = control->Handle();
    const std::uint64_t t = clock.Now();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 310, 10);
    driver.Pump();
    EXPECT_EQ(control->FirstDisplayedTab(), 1);
    driver.AdvanceBy(299);
    EXPECT_EQ(control->FirstDisplayedTab(), 1);
    driver.AdvanceBy(1);
    EXPECT_EQ(control->FirstDisplayedTab(), 2) << clock.Now() - t;
    driver.AdvanceBy(150);
    EXPECT_EQ(control->FirstDisplayedTab(), 3);
    driver.AdvanceBy(150);
    EXPECT_EQ(control->FirstDisplayedTab(), 4);
    driver.AdvanceBy(50);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 310, 10);
    driver.Pump();
    driver.AdvanceBy(500);
    EXPECT_EQ(control->FirstDisplayedTab(), 4) << "released, it stays";
}

TEST_F(ScrolledRowTest, TheRepeatStopsWhenTheArrowIsDisabledOrThePointerLeavesIt)
{
    TclCustomTabControl* control = MakeRow(320, 10);
    const win::HWND hwnd = control->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 310, 10);
    driver.Pump();
    driver.AdvanceBy(1200);
    EXPECT_EQ(control->FirstDisplayedTab(), 8);
    EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
    driver.AdvanceBy(150);
    EXPECT_EQ(control->FirstDisplayedTab(), 8);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 310, 10);
    driver.Pump();

    control->SetBounds(0, 0, 320, 200);
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 290, 10);
    driver.Pump();
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 290, 10);
    driver.Pump();
    const int start = control->FirstDisplayedTab();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 290, 10);
    driver.Pump();
    EXPECT_EQ(control->FirstDisplayedTab(), start - 1);
    driver.MouseMove(hwnd, 100, 100);
    driver.Pump();
    driver.AdvanceBy(1000);
    EXPECT_EQ(control->FirstDisplayedTab(), start - 1) << "moving off cancels the repeat";
    EXPECT_EQ(control->NavigatorButtonState(nbTopLeft), nbsNormal);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 100, 100);
    driver.Pump();
}

TEST_F(ScrolledRowTest, AControlFreedWhileItsArrowRepeatsLeavesNoTimerBehind)
{
    TclCustomTabControl* control = MakeRow(320, 10);
    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 310, 10);
    driver.Pump();
    driver.AdvanceBy(300);
    ASSERT_EQ(control->FirstDisplayedTab(), 2);
    delete control;
    driver.AdvanceBy(1000);
    driver.MouseUp(form->Handle(), win::TestDriver::Button::Left, 310, 10);
    driver.Pump();
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ScrolledRowTest, TheWheelOverTheRowScrollsAndOverThePageIsNotConsumed)
{
    TclCustomTabControl* control = MakeRow(320, 5);
    control->SetFocus();
    driver.Pump();
    driver.Wheel(control->Handle(), -120, 50, 10);
    driver.Pump();
    EXPECT_EQ(control->FirstDisplayedTab(), 1);
    driver.Wheel(control->Handle(), 120, 50, 10);
    driver.Pump();
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
    const win::LRESULT consumed = win::SendMessage(
        control->Handle(), win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, win::WORD(-120)),
        win::MAKELPARAM(win::WORD(control->ClientToScreen({50, 100}).x), win::WORD(control->ClientToScreen({50, 100}).y)));
    EXPECT_EQ(consumed, 0);
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
    for (int delta : {-32760, 32760}) {
        driver.Wheel(control->Handle(), delta, 50, 10);
        driver.Pump();
    }
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
}

struct ButtonsCase {
    const char* name;
    TclPCNavigatorPosition position;
    TclTabPosition tabPosition;
    int width;
    int height;
    TclPCOptions options;
    int tabs;
    std::vector<std::pair<TclPCNavigatorButton, win::RECT>> expected;
};

class NavigatorButtonsTest : public ScrolledRowTest, public ::testing::WithParamInterface<ButtonsCase> {};

TEST_P(NavigatorButtonsTest, ButtonsFollowTheirOrderFromTheRegionCorner)
{
    const ButtonsCase& c = GetParam();
    TclCustomTabControl* control = MakeRow(c.width, c.tabs);
    control->SetBounds(0, 0, c.width, c.height);
    control->SetTabHeight(0);
    control->SetTabPosition(c.tabPosition);
    control->SetNavigatorPosition(c.position);
    control->SetOptions(c.options);
    TclPCNavigatorButtons shown = 0;
    for (const auto& [button, rect] : c.expected) {
        EXPECT_EQ(Standard(control).NavigatorButtonBounds(button), rect) << int(button);
        shown |= clPCButtonBit(button);
    }
    EXPECT_EQ(control->NavigatorButtons(), shown);
}

constexpr TclPCOptions withGo = clPCDefaultOptions | clPCOptionBit(pcoGoDialog);

INSTANTIATE_TEST_SUITE_P(
    Buttons, NavigatorButtonsTest,
    ::testing::Values(
        ButtonsCase{"RightTop", npRightTop, tpTop, 300, 200, withGo, 5,
                    {{nbGoDialog, {248, 0, 260, 20}}, {nbTopLeft, {260, 0, 280, 20}}, {nbBottomRight, {280, 0, 300, 20}}}},
        ButtonsCase{"LeftTop", npLeftTop, tpTop, 300, 200, withGo, 5,
                    {{nbTopLeft, {0, 0, 20, 20}}, {nbBottomRight, {20, 0, 40, 20}}, {nbGoDialog, {40, 0, 52, 20}}}},
        ButtonsCase{"LeftTabs", npRightTop, tpLeft, 200, 300, withGo, 5,
                    {{nbTopLeft, {0, 0, 20, 20}}, {nbBottomRight, {0, 20, 20, 40}}, {nbGoDialog, {0, 40, 20, 53}}}},
        ButtonsCase{"GoWhenAllFit", npRightTop, tpTop, 300, 200, withGo, 2, {{nbGoDialog, {288, 0, 300, 20}}}},
        ButtonsCase{"CloseAlone", npRightTop, tpTop, 300, 200,
                    clPCOptionBit(pcoCloseButton), 2, {{nbClose, {280, 0, 300, 20}}}}),
    [](const ::testing::TestParamInfo<ButtonsCase>& info) { return std::string(info.param.name); });

TEST_F(ScrolledRowTest, TabsStartAfterButtonsAtTheRowStart)
{
    TclCustomTabControl* control = MakeRow(300, 5);
    control->SetOptions(withGo);
    control->SetNavigatorPosition(npLeftTop);
    EXPECT_EQ(TabRect(control, 0).left, 52);
}

TEST_F(ScrolledRowTest, WithTheFirstTabAtTheBottomTheDownArrowIsDisabledFirst)
{
    TclCustomTabControl* control = MakeRow(200, 5);
    control->SetBounds(0, 0, 200, 300);
    control->SetTabPosition(tpLeft);
    EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
    EXPECT_NE(control->NavigatorButtonState(nbTopLeft), nbsDisabled);
    control->ScrollTabs(nbTopLeft);
    EXPECT_EQ(control->FirstDisplayedTab(), 1);
    EXPECT_NE(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
}

}  // namespace
}  // namespace pctest
