// The Slanted style's pixels: the current tab's outline, highlight band and base, the row's base line,
// the gradient bodies of the other tabs, hot tabs, the frame, captions on the gradient, and that every
// pixel of the control is painted whatever the row side and slant settings.

#include "tests/controls/pagecontrol/SlantedFixture.h"

#include "platform/gdi/Region.h"
#include "platform/win/MessageQueue.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/DrawingSurface.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

// The pixels of a polyline whose segments are straight or diagonal, ends included.
std::vector<win::POINT> LinePixels(const std::vector<win::POINT>& points)
{
    std::vector<win::POINT> pixels{points.front()};
    for (std::size_t i = 1; i < points.size(); ++i) {
        win::POINT p = points[i - 1];
        const win::POINT q = points[i];
        while (p.x != q.x || p.y != q.y) {
            p.x += q.x > p.x ? 1 : q.x < p.x ? -1 : 0;
            p.y += q.y > p.y ? 1 : q.y < p.y ? -1 : 0;
            pixels.push_back(p);
        }
    }
    return pixels;
}

TEST_F(SlantedTest, TheCurrentTabStandsOnItsPageAndTheOthersShadeDownwards)
{
    PagedTabControl* control = MakePaged(400, 300);
    Paint(control);
    const gui::TColor shadow = Rgb(gui::clBtnShadow);
    const gui::TColor window = Rgb(gui::clWindow);
    // Tab 1 from x 84 to 183: its outline but for the two ends on the base.
    const std::vector<win::POINT> outline = LinePixels({{84, 34}, {118, 0}, {181, 0}, {183, 2}, {183, 34}});
    for (std::size_t i = 1; i + 1 < outline.size(); ++i) {
        EXPECT_EQ(At(outline[i].x, outline[i].y), shadow) << outline[i].x << "," << outline[i].y;
    }
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(At(144, y), Rgb(gui::clHighlight)) << y;
    }
    EXPECT_EQ(At(144, 4), window);
    for (int x : {0, 50, 183, 399}) {
        EXPECT_EQ(At(x, 35), shadow) << x;
    }
    for (int x = 84; x <= 182; ++x) {
        EXPECT_EQ(At(x, 35), window) << x;
    }
    EXPECT_EQ(At(10, 40), window);
    EXPECT_EQ(At(5, 5), Rgb(gui::clBtnFace));
    // Tab 0's body: from the face colour brightened by 13 % at the top to 90 % of it at the bottom.
    const gui::TColor c1 = clPCBrightenColor(gui::clBtnFace, 13);
    const gui::TColor c2 = controls::uxOffice11ScaleColor(gui::clBtnFace, 90);
    for (int y : {5, 17, 30}) {
        EXPECT_PRED2(Near, At(60, y), Between(c1, c2, y, 34)) << y;
    }
}

TEST_F(SlantedTest, AHotTabGetsTheBandAndALighterGradient)
{
    PagedTabControl* control = MakePaged(400, 300);
    control->SetHotTrack(true);
    driver.MouseMove(control->Handle(), 230, 20);
    driver.Pump();
    ASSERT_EQ(control->HotTab(), 2);
    Paint(control);
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(At(230, y), Rgb(gui::clHighlight)) << y;
    }
    const gui::TColor c1 = clPCBrightenColor(gui::clBtnFace, 20);
    for (int y : {4, 17, 30}) {
        EXPECT_PRED2(Near, At(230, y), Between(c1, gui::TColor(gui::ColorToRGB(gui::clBtnFace)), y, 34)) << y;
    }
    // The tab it left has no band.
    driver.MouseMove(control->Handle(), 60, 20);
    driver.Pump();
    Paint(control);
    EXPECT_NE(At(230, 2), Rgb(gui::clHighlight));
    EXPECT_EQ(At(60, 2), Rgb(gui::clHighlight));
}

TEST_F(SlantedTest, TheFrameRunsRoundThePageOneStepOutside)
{
    PagedTabControl* control = MakePaged(400, 300);
    control->SetShowFrame(true);
    driver.Pump();
    EXPECT_EQ(SlantedOf(control).GetPageClientRect(), (win::RECT{1, 36, 399, 299}));
    Paint(control);
    for (const win::POINT p : {win::POINT{0, 200}, win::POINT{399, 200}, win::POINT{200, 299}, win::POINT{300, 35}}) {
        EXPECT_EQ(At(p.x, p.y), Rgb(gui::clBtnShadow)) << p.x << "," << p.y;
    }
    EXPECT_EQ(At(1, 200), Rgb(gui::clWindow));
    EXPECT_EQ(At(398, 298), Rgb(gui::clWindow));
}

TEST_F(SlantedTest, AHighlightedTabShadesTheHighlightColour)
{
    PagedTabControl* control = MakePaged(400, 300);
    control->Tabs()->Tab(2)->SetHighlighted(true);
    driver.Pump();
    Paint(control);
    const gui::TColor c1 = clPCBrightenColor(gui::clHighlight, 13);
    const gui::TColor c2 = controls::uxOffice11ScaleColor(gui::clHighlight, 90);
    EXPECT_PRED2(Near, At(230, 20), Between(c1, c2, 20, 34));
    // Without the gradient option the body is the plain colour.
    control->SetOptions(TclPCOptions(control->Options() & ~clPCOptionBit(pcoGradient)));
    driver.Pump();
    Paint(control);
    EXPECT_EQ(At(230, 20), Rgb(gui::clHighlight));
    EXPECT_EQ(At(60, 20), Rgb(gui::clBtnFace));
}

// The current tab turned to each side: a point given for top tabs at a distance along the tab (from its
// slanted end) and a depth from the page (0 the row next to it, -1 the strip on the page side).
class SideTest : public SlantedTest, public ::testing::WithParamInterface<TclTabPosition> {
protected:
    win::POINT On(const win::RECT& r, int along, int depth) const
    {
        switch (GetParam()) {
        case tpBottom:
            return {r.left + along, r.top + depth};
        case tpLeft:
            return {r.right - 1 - depth, r.bottom - 1 - along};
        case tpRight:
            return {r.left + depth, r.bottom - 1 - along};
        default:
            return {r.left + along, r.bottom - 1 - depth};
        }
    }
};

TEST_P(SideTest, TheCurrentTabKeepsItsOutlineBandAndBaseOnEverySide)
{
    PagedTabControl* control = MakePaged(400, 300);
    control->SetTabPosition(GetParam());
    driver.Pump();
    Paint(control);
    const win::RECT r = TabRect(control, 1);
    const int w = GetParam() == tpLeft || GetParam() == tpRight ? r.bottom - r.top : r.right - r.left;
    ASSERT_EQ(w, 100);
    // Along and depth of the outline: the slant, the top, the 2-pixel corner and the straight side.
    std::vector<win::POINT> outline = LinePixels({{0, 0}, {34, 34}, {97, 34}, {99, 32}, {99, 0}});
    for (std::size_t i = 1; i + 1 < outline.size(); ++i) {
        const win::POINT p = On(r, outline[i].x, outline[i].y);
        EXPECT_EQ(At(p.x, p.y), Rgb(gui::clBtnShadow)) << outline[i].x << "," << outline[i].y;
    }
    for (int depth : {33, 31}) {
        const win::POINT p = On(r, 60, depth);
        EXPECT_EQ(At(p.x, p.y), Rgb(gui::clHighlight)) << depth;
    }
    for (const auto& [along, depth] : {std::pair{60, 30}, std::pair{60, 0}, std::pair{1, 0}, std::pair{98, 0},
                                       std::pair{0, -1}, std::pair{60, -1}, std::pair{98, -1}}) {
        const win::POINT p = On(r, along, depth);
        EXPECT_EQ(At(p.x, p.y), Rgb(gui::clWindow)) << along << "," << depth;
    }
    for (int along : {99, 130, -30}) {
        const win::POINT p = On(r, along, -1);
        EXPECT_EQ(At(p.x, p.y), Rgb(gui::clBtnShadow)) << along;
    }
}

INSTANTIATE_TEST_SUITE_P(Sides, SideTest, ::testing::Values(tpTop, tpBottom, tpLeft, tpRight));

// A caption lies on the tab's gradient, not on a box of the body colour, whichever way it reads.
struct CaptionCase {
    const char* name;
    TclTabPosition position;
    bool rotate;
    bool topToBottom;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.name; }

class CaptionBackgroundTest : public SlantedTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionBackgroundTest, TheCaptionsBackgroundContinuesTheGradient)
{
    const CaptionCase& c = GetParam();
    PagedTabControl* control = MakePaged(400, 300);
    for (int i = 0; i < 3; ++i) {
        control->Tabs()->Tab(i)->SetCaption("      ");
    }
    control->SetTabPosition(c.position);
    control->SetRotate(c.rotate);
    if (c.topToBottom) {
        control->SetOptions(TclPCOptions(control->Options() | clPCOptionBit(pcoTopToBottomText)));
    }
    driver.Pump();
    Paint(control);
    const win::RECT r = TabRect(control, 0);
    const bool vertical = c.position == tpLeft || c.position == tpRight;
    const int extent = vertical ? r.right - r.left : r.bottom - r.top;
    const gui::TColor c1 = clPCBrightenColor(gui::clBtnFace, 13);
    const gui::TColor c2 = controls::uxOffice11ScaleColor(gui::clBtnFace, 90);
    // Inside the tab, clear of its slant, its outline and the current tab overlapping it.
    win::RECT inside = controls::clRectExpand(r, -5, -5);
    if (!c.rotate && vertical) {
        inside.top = r.bottom - 80;
        inside.bottom = r.bottom - 40;
    } else if (!c.rotate) {
        inside.left = r.left + 40;
        inside.right = r.left + 80;
    }
    int wrong = 0;
    for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = inside.left; x < inside.right; ++x) {
            const int step = vertical ? x - r.left : y - r.top;
            wrong += !Near(At(x, y), Between(c1, c2, step, extent - 1));
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Directions, CaptionBackgroundTest,
                         ::testing::Values(CaptionCase{"top", tpTop, false, false},
                                           CaptionCase{"bottom", tpBottom, false, false},
                                           CaptionCase{"leftBottomToTop", tpLeft, false, false},
                                           CaptionCase{"rightTopToBottom", tpRight, false, true},
                                           CaptionCase{"topRotated", tpTop, true, false},
                                           CaptionCase{"topRotatedTopToBottom", tpTop, true, true},
                                           CaptionCase{"leftRotated", tpLeft, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pctest

namespace pctest {
namespace {

using namespace pagecontrol;

// Every pixel of the control is painted by a tab, a base line, the page or the background: a tab
// region that took pixels it does not paint would leave what was there before.
struct CoverCase {
    const char* name;
    TclPCStyleID style;
    TclTabPosition position;
    TclTabSlantKind kind;
    TclTabSlantPositions positions;
    bool rotate;
    bool multiLine;
};

void PrintTo(const CoverCase& c, std::ostream* os) { *os << c.name; }

class CoverageTest : public SlantedTest, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(CoverageTest, NoPixelOfTheControlIsLeftUnpainted)
{
    const CoverCase& c = GetParam();
    TclCustomTabControl* control =
        MakeTabs(300, 220, {"Horse Power", "Torque", "AC Motor", "Ohms Law", "Power AC", "Tab"}, 30, 0);
    control->SetStyle(c.style);
    control->SetTabPosition(c.position);
    control->TabSlants()->SetKind(c.kind);
    control->TabSlants()->SetPositions(c.positions);
    control->SetRotate(c.rotate);
    control->SetMultiLine(c.multiLine);
    control->SetHotTrack(true);
    control->SetTabIndex(2);
    driver.Pump();
    const win::RECT hot = TabRect(control, 3);
    driver.MouseMove(control->Handle(), (hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
    driver.Pump();
    const win::COLORREF sentinel = win::RGB(255, 0, 255);
    testsupport::Surface surface(300, 220, sentinel);
    win::SendMessage(control->Handle(), win::WM_PRINTCLIENT, reinterpret_cast<win::WPARAM>(surface.DC()),
                     win::PRF_CLIENT);
    win::SelectClipRgn(surface.DC(), nullptr);
    std::string where;
    int left = 0;
    for (int y = 0; y < 220; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (win::GetPixel(surface.DC(), x, y) == sentinel && left++ == 0) {
                where = std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    EXPECT_EQ(left, 0) << "first at " << where;
}

constexpr TclTabSlantPositions Left = 1u << spLeft;
constexpr TclTabSlantPositions Right = 1u << spRight;

INSTANTIATE_TEST_SUITE_P(
    Settings, CoverageTest,
    ::testing::Values(CoverCase{"top", 9, tpTop, skSlant, Left, false, false},
                      CoverCase{"bottom", 9, tpBottom, skSlant, Left, false, false},
                      CoverCase{"left", 9, tpLeft, skSlant, Left, false, false},
                      CoverCase{"right", 9, tpRight, skSlant, Left, false, false},
                      CoverCase{"bothSlants", 9, tpTop, skSlant, Left | Right, false, false},
                      CoverCase{"rightSlantLeftTabs", 9, tpLeft, skSlant, Right, false, false},
                      CoverCase{"cutCorners", 9, tpTop, skCutCorner, Left | Right, false, false},
                      CoverCase{"cutCornersRight", 9, tpRight, skCutCorner, Left, false, false},
                      CoverCase{"plainCorners", 9, tpBottom, skSlant, 0, false, false},
                      CoverCase{"rotated", 9, tpTop, skSlant, Left, true, false},
                      CoverCase{"rotatedLeft", 9, tpLeft, skCutCorner, Left, true, false},
                      CoverCase{"rows", 9, tpTop, skSlant, Left, false, true},
                      CoverCase{"rowsBottom", 9, tpBottom, skSlant, Left | Right, false, true},
                      CoverCase{"rowsRight", 9, tpRight, skSlant, Left, false, true},
                      CoverCase{"oneNoteTop", 10, tpTop, skSlant, Left, false, false},
                      CoverCase{"oneNoteBottom", 10, tpBottom, skCutCorner, 0, false, false},
                      CoverCase{"oneNoteLeft", 10, tpLeft, skSlant, Left, false, false},
                      CoverCase{"oneNoteRight", 10, tpRight, skSlant, Left, false, false},
                      CoverCase{"oneNoteRows", 10, tpTop, skSlant, Left, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pctest

namespace pctest {
namespace {

using namespace pagecontrol;

TEST_F(SlantedTest, TheOldCurrentTabGivesTheBaseLineBack)
{
    PagedTabControl* control = MakePaged(400, 300);
    Paint(control);
    ASSERT_EQ(At(150, 35), gui::TColor(gui::ColorToRGB(gui::clWindow)));
    // Only what the change invalidates is painted again.
    control->SetTabIndex(0);
    driver.Pump();
    EXPECT_EQ(gui::TColor(win::TestDriver::PixelAt(control->Handle(), 150, 35)),
              gui::TColor(gui::ColorToRGB(gui::clBtnShadow)));
    EXPECT_EQ(gui::TColor(win::TestDriver::PixelAt(control->Handle(), 50, 35)),
              gui::TColor(gui::ColorToRGB(gui::clBtnFace)));
}

TEST_F(SlantedTest, TheFocusRectangleFramesTheCaptionWithRoomAround)
{
    TclCustomTabControl* control = MakeTabs(400, 300, {"Horse Power", "Torque"}, 35, 0);
    std::vector<gui::TColor> unfocused;
    Paint(control);
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 400; ++x) {
            unfocused.push_back(At(x, y));
        }
    }
    control->SetFocus();
    driver.Pump();
    ASSERT_TRUE(control->Focused());
    Paint(control);
    win::RECT changed{400, 35, 0, 0};
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (At(x, y) != unfocused[std::size_t(y * 400 + x)]) {
                changed = {std::min<int>(changed.left, x), std::min<int>(changed.top, y),
                           std::max<int>(changed.right, x + 1), std::max<int>(changed.bottom, y + 1)};
            }
        }
    }
    // The caption grown by 3 along and 2 across, drawn one pixel inside that.
    const int text = TextWidth(control->Font(), "Horse Power");
    const int zg = controls::clMeasureTextInFont(control->Font(), "Zg").cy;
    EXPECT_EQ(changed.right - changed.left, text + 4);
    EXPECT_EQ(changed.bottom - changed.top, zg + 2);
    const win::RECT tab = TabRect(control, 0);
    EXPECT_GE(changed.left, tab.left + 34 - 2);
    EXPECT_LE(changed.right, tab.right - 3 + 2);
}

}  // namespace
}  // namespace pctest

namespace pctest {
namespace {

using namespace pagecontrol;

TEST_F(SlantedTest, OnlyTheRowNextToThePageHasABaseLineAcrossTheControl)
{
    TclCustomTabControl* control = MakeTabs(300, 300, {"A", "B", "C", "D", "E"});
    control->SetMultiLine(true);
    control->SetRaggedRight(true);
    control->SetTabIndex(1);
    driver.Pump();
    ASSERT_EQ(control->RowCount(), 2);
    ASSERT_EQ(TabRect(control, 1), (win::RECT{84, 32, 184, 67}));
    ASSERT_EQ(TabRect(control, 4), (win::RECT{84, 0, 184, 35}));
    Paint(control);
    const gui::TColor shadow = gui::TColor(gui::ColorToRGB(gui::clBtnShadow));
    const gui::TColor face = gui::TColor(gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(At(290, 67), shadow);
    EXPECT_EQ(At(0, 67), shadow);
    EXPECT_EQ(At(150, 67), face);
    // The row behind ends its line with its last tab, whose far side does not slant; the line shows
    // where the row in front leaves it free, left of its first tab's slant.
    EXPECT_EQ(At(280, 35), face);
    EXPECT_EQ(At(280, 36), face);
    EXPECT_EQ(At(0, 35), shadow);
    EXPECT_EQ(At(25, 35), shadow);
    EXPECT_NE(At(40, 35), shadow);
}

}  // namespace
}  // namespace pctest

namespace pctest {
namespace {

using namespace pagecontrol;

TEST_F(SlantedTest, RowsBetweenOthersCloseTheirSlantedEnd)
{
    TclCustomTabControl* control = MakeTabs(150, 300, {"A", "B", "C", "D", "E", "F"});
    control->SetMultiLine(true);
    control->SetRaggedRight(true);
    control->SetTabIndex(5);
    driver.Pump();
    ASSERT_EQ(control->RowCount(), 6);
    ASSERT_EQ(TabRect(control, 5).top, 5 * 32);
    Paint(control);
    const gui::TColor shadow = gui::TColor(gui::ColorToRGB(gui::clBtnShadow));
    const gui::TColor face = gui::TColor(gui::ColorToRGB(gui::clBtnFace));
    // Down the left edge: nothing beside the outermost row, whose base line starts a line that the rows
    // between carry on up their slanted starts, none beside the row next to the page, then its base line.
    for (int y = 0; y < 200; ++y) {
        const bool line = (y >= 35 && y < 4 * 32 + 36) || y == 5 * 32 + 35;
        EXPECT_EQ(At(0, y), line ? shadow : face) << y;
    }
    // The far ends do not slant: no line there.
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(At(120, row * 32 + 20), face) << row;
    }
}

}  // namespace
}  // namespace pctest
