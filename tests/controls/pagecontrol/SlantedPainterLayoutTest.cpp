// The Slanted style's metrics and what the layout makes of them: the program's tab heights, tabs sized
// by their captions, the other slant settings, scrolling with its navigator buttons, and the hit test of
// overlapping tabs.

#include "tests/controls/pagecontrol/SlantedFixture.h"

#include "controls/clImageLists.h"
#include "controls/clLookAndFeels.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

TEST_F(SlantedTest, StyleZeroTakesTheSlantedStyleWhateverTheLookAndFeel)
{
    ASSERT_GE(PaintersFactory()->PainterClassCount(), 2);
    EXPECT_EQ(PaintersFactory()->PainterClass(0)->GetStyleName(), "Slanted");
    EXPECT_EQ(PaintersFactory()->PainterClass(1)->GetStyleName(), "OneNote");
    TclCustomTabControl* control = MakeTabs(300, 200, {"A"});
    for (controls::TclLookAndFeelKind kind : {controls::lfFlat, controls::lfStandard, controls::lfUltraFlat,
                                              controls::lfOffice11}) {
        for (bool native : {false, true}) {
            control->LookAndFeel()->SetKind(kind);
            control->LookAndFeel()->SetNativeStyle(native);
            EXPECT_EQ(control->PainterClass()->GetStyleID(), 9) << kind << " " << native;
            EXPECT_EQ(control->Style(), 0);
        }
    }
    control->SetStyle(10);
    EXPECT_EQ(control->PainterClass()->GetStyleName(), "OneNote");
    EXPECT_TRUE(clPCSlantedPainterClass()->IsTabRotationSupported());
    EXPECT_FALSE(clPCOneNotePainterClass()->IsTabRotationSupported());
}

struct ProgramTabsCase {
    int tabHeight;
    int slantCut;
    int spacing;
    int decoration;
    std::vector<int> lefts;
};

class ProgramTabsTest : public SlantedTest, public ::testing::WithParamInterface<ProgramTabsCase> {};

TEST_P(ProgramTabsTest, TabsOverlapByHalfTheSlantAndThePageStartsBelowTheBaseLine)
{
    const ProgramTabsCase& c = GetParam();
    TclCustomTabControl* control = MakeTabs(400, 300, {"A", "B", "C"}, c.tabHeight);
    TclPCSlantedPainter& painter = SlantedOf(control);
    EXPECT_EQ(painter.SlantCut(), c.slantCut);
    TclPCDistance spacing;
    painter.GetTabsSpacing(spacing);
    EXPECT_EQ(spacing.dw, c.spacing);
    EXPECT_EQ(spacing.dh, -3);
    EXPECT_EQ(painter.GetTabDecorationWidth(0), c.decoration);
    TclPCDistance margins;
    painter.GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, c.slantCut);
    EXPECT_EQ(margins.dh, 3);
    for (int i = 0; i < 3; ++i) {
        const int left = c.lefts[std::size_t(i)];
        EXPECT_EQ(TabRect(control, i), (win::RECT{left, 0, left + 100, c.tabHeight})) << i;
    }
    EXPECT_EQ(painter.GetPageClientRect(), (win::RECT{0, c.tabHeight + 1, 400, 300}));
    control->SetBounds(0, 0, 500, 250);
    driver.Pump();
    EXPECT_EQ(painter.GetPageClientRect(), (win::RECT{0, c.tabHeight + 1, 500, 250}));
}

INSTANTIATE_TEST_SUITE_P(Heights, ProgramTabsTest,
                         ::testing::Values(ProgramTabsCase{35, 34, -17, 40, {1, 84, 167}},
                                           ProgramTabsCase{30, 29, -14, 35, {1, 87, 173}}));

TEST_F(SlantedTest, EachTabIsItsCaptionWideBesideTheDecoration)
{
    const std::vector<std::string> captions{"Horse Power", "Torque", "AC Motor", "Ohms Law", "Power AC"};
    for (const auto& [tabHeight, decoration, spacing] : {std::tuple{35, 40, -17}, std::tuple{30, 35, -14}}) {
        TclCustomTabControl* control = MakeTabs(1000, 300, captions, tabHeight, 0);
        int left = 1;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const int width = decoration + TextWidth(control->Font(), captions[i]);
            EXPECT_EQ(TabRect(control, int(i)), (win::RECT{left, 0, left + width, tabHeight})) << captions[i];
            left += width + spacing;
        }
        delete control;
    }
}

TEST_F(SlantedTest, CaptionsTallerThanTheTabHeightMakeTheTabsTaller)
{
    TclCustomTabControl* control = MakeTabs(400, 300, {"A"}, 10);
    control->Font()->SetHeight(-30);
    driver.Pump();
    const int zg = controls::clMeasureTextInFont(control->Font(), "Zg").cy;
    // The caption's room: 1 + 4 pixels above it, 1 below.
    EXPECT_EQ(TabRect(control, 0).bottom, zg + 6);
    EXPECT_EQ(SlantedOf(control).SlantCut(), zg + 5);
}

TEST_F(SlantedTest, AnImageWidensItsTabAndMayMakeTheTabsTaller)
{
    controls::TclImageList images(16, 16);
    gui::TBitmap picture;
    picture.SetSize(16, 16);
    images.AddImageMasked(&picture, gui::clFuchsia);
    TclCustomTabControl* control = MakeTabs(1000, 300, {"Horse Power", "Torque"}, 10, 0);
    control->SetImages(&images);
    control->SetImageBorder(2);
    control->Tabs()->Tab(0)->SetImageIndex(0);
    control->Tabs()->Tab(1)->SetImageIndex(-1);
    driver.Pump();
    const int zg = controls::clMeasureTextInFont(control->Font(), "Zg").cy;
    // The caption with 1 + 4 above and 1 below, or the bordered image with 1 + 3 above and 1 below.
    const int height = std::max(zg + 6, 16 + 4 + 5);
    const int cut = height - 1;
    TclPCSlantedPainter& painter = SlantedOf(control);
    EXPECT_EQ(painter.SlantCut(), cut);
    EXPECT_EQ(painter.GetTabImageSizeWithBorder(), (win::SIZE{20, 20}));
    // With an image: the decoration, the bordered image, 3 pixels and the caption.
    const int first = cut + 6 + 20 + 3 + TextWidth(control->Font(), "Horse Power");
    const int second = cut + 6 + TextWidth(control->Font(), "Torque");
    EXPECT_EQ(TabRect(control, 0), (win::RECT{1, 0, 1 + first, height}));
    EXPECT_EQ(TabRect(control, 1), (win::RECT{1 + first - cut / 2, 0, 1 + first - cut / 2 + second, height}));
    control->SetImages(nullptr);
    driver.Pump();
}

TEST_F(SlantedTest, OddTabHeightsStillLayOutAndPaint)
{
    const int zg = controls::clMeasureTextInFont(form->Font(), "Zg").cy;
    for (const auto& [tabHeight, expected] : {std::pair{-5, zg + 6}, std::pair{0, zg + 6}, std::pair{32767, 32767}}) {
        TclCustomTabControl* control = MakeTabs(400, 300, {"A", "B", "C"}, tabHeight);
        control->Repaint();
        EXPECT_EQ(TabRect(control, 0).top, 0) << tabHeight;
        EXPECT_EQ(control->Tabs()->TabNormalHeight(), expected) << tabHeight;
        EXPECT_EQ(SlantedOf(control).SlantCut(), expected - 1) << tabHeight;
        // A row taller than the control leaves no page.
        const win::RECT page = SlantedOf(control).GetPageClientRect();
        EXPECT_EQ(page.top, std::min(expected, 300) + 1) << tabHeight;
        EXPECT_EQ(page.bottom, std::max(page.top, 300)) << tabHeight;
        EXPECT_GE(control->VisibleIndexAt(20, 30), -1);
        delete control;
    }
}

struct SlantCase {
    const char* name;
    TclTabSlantKind kind;
    TclTabSlantPositions positions;
    bool rotate;
    int slantCut;
    int spacing;
    int minDecoration;
    TclPCDistance margins;
    int firstLeft;
    int secondLeft;
};

class SlantSettingsTest : public SlantedTest, public ::testing::WithParamInterface<SlantCase> {};

TEST_P(SlantSettingsTest, TheSlantSettingsDecideOverlapMarginsAndDecoration)
{
    const SlantCase& c = GetParam();
    TclCustomTabControl* control = MakeTabs(400, 300, {"A", "B", "C"});
    control->TabSlants()->SetKind(c.kind);
    control->TabSlants()->SetPositions(c.positions);
    control->SetRotate(c.rotate);
    driver.Pump();
    TclPCSlantedPainter& painter = SlantedOf(control);
    EXPECT_EQ(painter.SlantCut(), c.slantCut);
    TclPCDistance spacing;
    painter.GetTabsSpacing(spacing);
    EXPECT_EQ(c.rotate ? spacing.dh : spacing.dw, c.spacing);
    EXPECT_EQ(c.rotate ? spacing.dw : spacing.dh, -3);
    EXPECT_EQ(painter.GetMinTabDecorationWidth(), c.minDecoration);
    TclPCDistance margins;
    painter.GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, c.margins.dw);
    EXPECT_EQ(margins.dh, c.margins.dh);
    EXPECT_EQ(TabRect(control, 0).left, c.firstLeft);
    EXPECT_EQ(TabRect(control, 1).left, c.secondLeft);
}

constexpr TclTabSlantPositions L = 1u << spLeft;
constexpr TclTabSlantPositions R = 1u << spRight;

INSTANTIATE_TEST_SUITE_P(
    Settings, SlantSettingsTest,
    ::testing::Values(SlantCase{"cutCorner", skCutCorner, L, false, 6, 1, 11, {6, 3}, 0, 101},
                      SlantCase{"cutCornerBoth", skCutCorner, L | R, false, 6, 1, 16, {6, 6}, 0, 101},
                      SlantCase{"noPositions", skSlant, 0, false, 34, 1, 8, {3, 3}, 0, 101},
                      SlantCase{"rightOnly", skSlant, R, false, 34, -17, 40, {3, 34}, 0, 83},
                      SlantCase{"bothSides", skSlant, L | R, false, 34, -34, 72, {34, 34}, 1, 67},
                      SlantCase{"rotated", skSlant, L, true, 34, 1, 0, {2, 6}, 0, 36},
                      SlantCase{"rotatedCutCorner", skCutCorner, L, true, 6, 1, 0, {2, 7}, 0, 36}),
    [](const auto& info) { return std::string(info.param.name); });

struct MarginCase {
    TclTabPosition position;
    bool rotate;
    bool topToBottom;
    int start;
    int end;
};

class ContentMarginTest : public SlantedTest, public ::testing::WithParamInterface<MarginCase> {};

TEST_P(ContentMarginTest, TheMarginsFollowTheCaptionsDirection)
{
    const MarginCase& c = GetParam();
    TclCustomTabControl* control = MakeTabs(400, 400, {"A"});
    control->SetTabPosition(c.position);
    control->SetRotate(c.rotate);
    if (c.topToBottom) {
        control->SetOptions(TclPCOptions(control->Options() | clPCOptionBit(pcoTopToBottomText)));
    }
    driver.Pump();
    TclPCDistance margins;
    SlantedOf(control).GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, c.start);
    EXPECT_EQ(margins.dh, c.end);
    SlantedOf(control).GetTruncatedTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, c.start);
    EXPECT_EQ(margins.dh, c.end);
}

INSTANTIATE_TEST_SUITE_P(Directions, ContentMarginTest,
                         ::testing::Values(MarginCase{tpTop, false, false, 34, 3},
                                           MarginCase{tpTop, false, true, 34, 3},
                                           MarginCase{tpLeft, false, false, 34, 3},
                                           MarginCase{tpLeft, false, true, 3, 34},
                                           MarginCase{tpRight, false, true, 3, 34},
                                           MarginCase{tpTop, true, false, 2, 6},
                                           MarginCase{tpTop, true, true, 6, 2},
                                           MarginCase{tpBottom, true, false, 6, 2},
                                           MarginCase{tpBottom, true, true, 2, 6},
                                           MarginCase{tpLeft, true, false, 6, 2},
                                           MarginCase{tpRight, true, false, 2, 6}));

TEST_F(SlantedTest, OneNoteSwapsItsMarginsOnlyForTopToBottomText)
{
    TclCustomTabControl* control = MakeTabs(400, 400, {"A"});
    control->SetStyle(10);
    control->SetTabPosition(tpLeft);
    driver.Pump();
    TclPCDistance margins;
    SlantedOf(control).GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, 37);
    EXPECT_EQ(margins.dh, 4);
    control->SetOptions(TclPCOptions(control->Options() | clPCOptionBit(pcoTopToBottomText)));
    driver.Pump();
    SlantedOf(control).GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, 4);
    EXPECT_EQ(margins.dh, 37);
}

TEST_F(SlantedTest, VerticalRowsLoseThePixelAtTheirSlantedEnd)
{
    TclCustomTabControl* control = MakeTabs(300, 400, {"A", "B"});
    control->SetTabPosition(tpLeft);
    driver.Pump();
    // Captions read bottom to top: the first tab lies at the bottom, its slant one pixel above the edge.
    EXPECT_EQ(TabRect(control, 0), (win::RECT{0, 299, 35, 399}));
    EXPECT_EQ(TabRect(control, 1), (win::RECT{0, 216, 35, 316}));
    EXPECT_EQ(SlantedOf(control).GetPageClientRect(), (win::RECT{36, 0, 300, 400}));
}

TEST_F(SlantedTest, ThePageLeavesRoomForTheBaseLineOnEachSideWithRows)
{
    TclCustomTabControl* control = MakeTabs(300, 300, {"A", "B", "C", "D", "E"});
    control->SetMultiLine(true);
    control->SetScrollOpposite(true);
    control->SetTabIndex(0);
    driver.Pump();
    ASSERT_EQ(control->RowCount(), 2);
    ASSERT_EQ(control->StartRowCount(), 1);
    const int top = control->StartRowRect().bottom;
    const int bottom = control->EndRowRect().top;
    EXPECT_EQ(SlantedOf(control).GetPageClientRect(), (win::RECT{0, top + 1, 300, bottom - 1}));
    control->SetShowFrame(true);
    driver.Pump();
    EXPECT_EQ(SlantedOf(control).GetPageClientRect(), (win::RECT{1, top + 1, 299, bottom - 1}));
    control->SetHideTabs(true);
    driver.Pump();
    EXPECT_EQ(SlantedOf(control).GetPageClientRect(), (win::RECT{1, 1, 299, 299}));
}

// ------------------------------------------------------------------------------------------------------------
// Scrolling and the navigator buttons

class SlantedScrollTest : public SlantedTest {
protected:
    TclCustomTabControl* MakeFive(int width)
    {
        return MakeTabs(width, 200, {"Horse Power", "Torque", "AC Motor", "Ohms Law", "Power AC"});
    }
    static win::RECT Button(TclCustomTabControl* control, TclPCNavigatorButton button)
    {
        return SlantedOf(control).NavigatorButtonBounds(button);
    }
};

TEST_F(SlantedScrollTest, ArrowsScrollTheTabsAndFollowTheWidth)
{
    TclCustomTabControl* control = MakeFive(320);
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
    EXPECT_EQ(control->LastDisplayedTab(), 3);
    EXPECT_EQ(Button(control, nbTopLeft), (win::RECT{285, 1, 302, 18}));
    EXPECT_EQ(Button(control, nbBottomRight), (win::RECT{303, 1, 320, 18}));
    EXPECT_EQ(control->NavigatorButtonState(nbTopLeft), nbsDisabled);
    EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsNormal);

    for (int click = 0; click < 2; ++click) {
        driver.Click(control->Handle(), win::TestDriver::Button::Left, 311, 9);
        driver.Pump();
    }
    EXPECT_EQ(control->FirstDisplayedTab(), 2);
    EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);

    control->SetWidth(400);
    driver.Pump();
    EXPECT_EQ(control->FirstDisplayedTab(), 1);
    EXPECT_EQ(Button(control, nbTopLeft), (win::RECT{365, 1, 382, 18}));
    EXPECT_EQ(Button(control, nbBottomRight), (win::RECT{383, 1, 400, 18}));

    control->SetWidth(500);
    driver.Pump();
    EXPECT_EQ(control->NavigatorButtons(), 0);
    EXPECT_EQ(control->FirstDisplayedTab(), 0);
    EXPECT_EQ(control->LastDisplayedTab(), 4);
}

TEST_F(SlantedScrollTest, TheOtherButtonsHaveTheirWidthsAndGaps)
{
    TclCustomTabControl* control = MakeFive(320);
    control->SetOptions(TclPCOptions(control->Options() | clPCOptionBit(pcoGoDialog) | clPCOptionBit(pcoCloseButton)));
    driver.Pump();
    // Go-to-tab 13, the arrows 17 with 1 pixel between buttons, the close button 16 with 3.
    EXPECT_EQ(Button(control, nbGoDialog), (win::RECT{252, 1, 265, 18}));
    EXPECT_EQ(Button(control, nbTopLeft), (win::RECT{266, 1, 283, 18}));
    EXPECT_EQ(Button(control, nbBottomRight), (win::RECT{284, 1, 301, 18}));
    EXPECT_EQ(Button(control, nbClose), (win::RECT{304, 1, 320, 18}));
}

TEST_F(SlantedScrollTest, ButtonsAreFlatWithAGlyphThatIsNeverEmbossed)
{
    TclCustomTabControl* control = MakeFive(320);
    const gui::TColor shadow = gui::TColor(gui::ColorToRGB(gui::clBtnShadow));
    const gui::TColor face = gui::TColor(gui::ColorToRGB(gui::clBtnFace));
    const gui::TColor text = gui::TColor(gui::ColorToRGB(gui::clBtnText));
    Paint(control);
    for (const win::POINT p : {win::POINT{303, 1}, win::POINT{319, 17}, win::POINT{285, 10}, win::POINT{301, 1}}) {
        EXPECT_EQ(At(p.x, p.y), shadow) << p.x << "," << p.y;
    }
    EXPECT_EQ(At(305, 3), face);
    // The right arrow: columns of 9, 7, 5, 3 and 1 pixels, starting one row lower each.
    for (int k = 0; k < 5; ++k) {
        const int x = 309 + k;
        for (int y = 2; y < 17; ++y) {
            const bool glyph = y >= 5 + k && y < 5 + k + 9 - 2 * k;
            EXPECT_EQ(At(x, y), glyph ? text : face) << x << "," << y;
        }
    }
    // The disabled left arrow: in the shadow colour, without the raised copy a step down and right.
    for (int k = 0; k < 5; ++k) {
        const int x = 295 - k;
        for (int y = 2; y < 17; ++y) {
            const bool glyph = y >= 5 + k && y < 5 + k + 9 - 2 * k;
            EXPECT_EQ(At(x, y), glyph ? shadow : face) << x << "," << y;
        }
    }
    EXPECT_EQ(At(296, 6), face);

    driver.MouseMove(control->Handle(), 311, 9);
    driver.Pump();
    ASSERT_EQ(control->NavigatorButtonState(nbBottomRight), nbsHotTrack);
    Paint(control);
    EXPECT_EQ(At(303, 1), gui::TColor(gui::ColorToRGB(gui::clBlack)));
    EXPECT_EQ(At(305, 3), controls::uxOffice11MixColors(gui::clBtnFace, gui::clWhite, 35));
    EXPECT_EQ(At(309, 5), text);

    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 311, 9);
    driver.Pump();
    ASSERT_EQ(control->NavigatorButtonState(nbBottomRight), nbsPressed);
    Paint(control);
    EXPECT_EQ(At(303, 1), gui::TColor(gui::ColorToRGB(gui::clBlack)));
    EXPECT_EQ(At(305, 3), controls::uxOffice11MixColors(gui::clBtnFace, gui::clBlack, 90));
    // A pressed glyph moves a pixel right and down and lightens the control's colour.
    EXPECT_EQ(At(310, 6), controls::uxOffice11MixColors(control->Color(), gui::clWhite, 10));
    driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 311, 9);
    driver.Pump();
}

TEST_F(SlantedScrollTest, TheCloseButtonShowsTwoDiagonalsEachWay)
{
    struct Case {
        TclTabPosition position;
        std::vector<std::pair<win::POINT, win::POINT>> lines;
    };
    const std::vector<Case> cases{
        {tpTop, {{{1, 0}, {7, 6}}, {{0, 0}, {6, 6}}, {{0, 6}, {6, 0}}, {{1, 6}, {7, 0}}}},
        {tpLeft, {{{0, 0}, {6, 6}}, {{0, 1}, {6, 7}}, {{0, 6}, {6, 0}}, {{0, 7}, {6, 1}}}},
    };
    for (const Case& c : cases) {
        TclCustomTabControl* control = MakeTabs(320, 320, {"A", "B"});
        control->SetTabPosition(c.position);
        control->SetOptions(TclPCOptions(control->Options() | clPCOptionBit(pcoCloseButton)));
        driver.Pump();
        const win::RECT button = Button(control, nbClose);
        ASSERT_EQ(button.right - button.left + button.bottom - button.top, 33);
        const win::POINT origin{button.left + (button.right - button.left - 8) / 2,
                                button.top + (button.bottom - button.top - 7) / 2};
        std::set<std::pair<int, int>> glyph;
        for (const auto& [from, to] : c.lines) {
            const int dy = to.y > from.y ? 1 : -1;
            for (int k = 0; k <= to.x - from.x; ++k) {
                glyph.insert({origin.x + from.x + k, origin.y + from.y + dy * k});
            }
        }
        ASSERT_EQ(glyph.size(), 26u);
        Paint(control);
        for (int y = button.top + 1; y < button.bottom - 1; ++y) {
            for (int x = button.left + 1; x < button.right - 1; ++x) {
                EXPECT_EQ(At(x, y), gui::TColor(gui::ColorToRGB(glyph.count({x, y}) ? gui::clBtnText : gui::clBtnFace)))
                    << c.position << ": " << x << "," << y;
            }
        }
        delete control;
    }
}

// ------------------------------------------------------------------------------------------------------------
// Hit test

struct HitCase {
    int current;
    std::vector<int> expected;
};

class SlantedHitTest : public SlantedTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(SlantedHitTest, APointWhereTabsOverlapBelongsToTheCurrentOneOrElseTheLowerIndex)
{
    TclCustomTabControl* control = MakeTabs(400, 300, {"A", "B", "C"});
    control->SetTabIndex(GetParam().current);
    driver.Pump();
    const std::vector<win::POINT> points{{50, 20}, {95, 30}, {95, 10}, {178, 30}, {20, 5}, {50, 36}};
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(control->VisibleIndexAt(points[i].x, points[i].y), GetParam().expected[i])
            << points[i].x << "," << points[i].y;
    }
}

INSTANTIATE_TEST_SUITE_P(Current, SlantedHitTest,
                         ::testing::Values(HitCase{1, {0, 1, 0, 1, -1, -1}}, HitCase{0, {0, 0, 0, 1, -1, -1}},
                                           HitCase{2, {0, 0, 0, 2, -1, -1}}));

TEST_F(SlantedTest, AClickOnTheOverlapChoosesTheTabThatShowsThere)
{
    TclCustomTabControl* control = MakeTabs(400, 300, {"A", "B", "C"});
    control->SetTabIndex(2);
    driver.Click(control->Handle(), win::TestDriver::Button::Left, 95, 30);
    driver.Pump();
    EXPECT_EQ(control->TabIndex(), 0);
}

}  // namespace
}  // namespace pctest
