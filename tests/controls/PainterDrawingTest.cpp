// The base painter's drawing, on memory surfaces read back pixel by pixel: what it leaves undrawn, glyph
// geometry worked out from the rules by hand, buttons and captions against the canvas's own text.

#include "controls/clPainterDrawing.h"

#include "controls/clClasses.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace controls;
using testsupport::Surface;

using controlstest::kGround;

using controlstest::SurfaceCanvas;

// The pixels of one colour, as rows of '#' and '.'.
std::vector<std::string> Mask(const Surface& surface, win::COLORREF color)
{
    std::vector<std::string> rows;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x)
            row += win::GetPixel(surface.DC(), x, y) == color ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

const TclCustomLookAndFeelPainter& Base()
{
    return *TclCustomLookAndFeelPainter::Class();
}

class PainterDrawingTest : public controlstest::ControlsTest {};

TEST_F(PainterDrawingTest, BasePainterLeavesFramesMarksTabsAndBarsUndrawn)
{
    Surface surface(40, 30, kGround);
    SurfaceCanvas on(surface);
    const TclCustomLookAndFeelPainter& p = Base();
    const win::RECT r{2, 2, 38, 28};
    const std::function<void()> calls[] = {
        [&] { p.PaintBorder(on.canvas, r); },
        [&] { p.PaintButtonFrame(on.canvas, r, cxbsPressed); },
        [&] { p.PaintButtonGroupFrame(on.canvas, r, true, true); },
        [&] { p.PaintExpandButton(on.canvas, r, true, gui::clRed); },
        [&] { p.PaintCheckBoxFrame(on.canvas, r, cxbsNormal); },
        [&] { p.PaintHeaderFrame(on.canvas, r, 0, clAllSides); },
        [&] { p.PaintHeaderSectionFrame(on.canvas, r, clAllSides, cxbsNormal); },
        [&] { p.PaintSortMark(on.canvas, r, true); },
        [&] { p.PaintFooterFrame(on.canvas, r); },
        [&] { p.PaintFooterCellFrame(on.canvas, r); },
        [&] { p.PaintFilterDropButton(on.canvas, r, cxbsHot, true); },
        [&] { p.PaintTabItem(on.canvas, r, clAllSides, "Tab", cxbsNormal, false, nullptr, gui::clRed, gui::clRed, true); },
        [&] { p.PaintTabFrame(on.canvas, r, 1, clAllSides, false); },
        [&] { p.PaintTabStrip(on.canvas, r, clAllSides, false); },
        [&] { p.PaintScrollBarPart(on.canvas, true, r, clsbpThumb, cxbsNormal); },
        [&] { p.PaintSplitterFrame(on.canvas, r, TclBackground{nullptr, gui::clRed}, true); },
        [&] { p.PaintEditorButton(on.canvas, r, clebkDown, cxbsNormal); },
        [&] { p.PaintProgressFrame(on.canvas, r, false); },
        [&] { p.PaintProgressChunk(on.canvas, r, false); },
        [&] { p.PaintGroupBoxClient(on.canvas, r, r); },
        [&] { p.PaintGroupBoxCaption(on.canvas, r, clcpTop); },
        [&] { p.PaintGroupBoxFrame(on.canvas, r, clcpTop); },
        [&] { p.PaintPanelBackground(on.canvas, nullptr, r, gui::clRed); },
        [&] { p.PaintPanelFrame(on.canvas, r); },
        [&] { p.PaintPanelCaption(on.canvas, r, clcpTop); },
        [&] { p.PaintPanelContent(on.canvas, r, true); },
        [&] { p.PaintAuxFrame(on.canvas, r); },
        [&] { p.PaintTrackBarTrack(on.canvas, r, r, true, true, true); },
        [&] { p.PaintTrackBarThumb(on.canvas, r, cxbsNormal, true, cltsPlain); },
        [&] { p.PaintSplitterGrip(on.canvas, r, 0, true, true); },
        [&] { p.PaintNavigatorGlyph(on.canvas, nullptr, 0, 0, r, true, false); },
        [&] { p.PaintIndicatorGlyph(on.canvas, r, clikNone); },
        [&] { p.PaintIndicatorGlyph(on.canvas, r, 128); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        calls[i]();
        EXPECT_EQ(surface.Painted(kGround), 0) << "call " << i;
    }
}

TEST_F(PainterDrawingTest, CheckBoxMarkColoursAndFill)
{
    struct Case {
        TclButtonState state;
        TclCheckBoxState value;
        gui::TColor mark;  // clNone: no mark
        gui::TColor fill;
    };
    const Case cases[] = {
        {cxbsNormal, clcbsUnchecked, gui::clNone, gui::clWindow},
        {cxbsNormal, clcbsChecked, gui::clBtnText, gui::clWindow},
        // Grayed shows the tick in grey.
        {cxbsNormal, clcbsGrayed, gui::clGrayText, gui::clWindow},
        {cxbsDisabled, clcbsChecked, gui::clGrayText, gui::clBtnFace},
        {cxbsPressed, clcbsUnchecked, gui::clNone, gui::clBtnFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.state) * 10 + c.value);
        Surface surface(13, 13, kGround);
        {
            SurfaceCanvas on(surface);
            Base().PaintCheckBox(on.canvas, win::RECT{0, 0, 13, 13}, c.state, c.value);
        }
        // The frame (2 wide in the base painter) is not drawn; the inside is filled.
        EXPECT_EQ(win::GetPixel(surface.DC(), 1, 1), kGround);
        EXPECT_EQ(win::GetPixel(surface.DC(), 2, 2), gui::ColorToRGB(c.fill));
        EXPECT_EQ(win::GetPixel(surface.DC(), 10, 2), gui::ColorToRGB(c.fill));
        int marked = 0;
        for (int y = 2; y < 11; ++y)
            for (int x = 2; x < 11; ++x) {
                const win::COLORREF pixel = win::GetPixel(surface.DC(), x, y);
                if (pixel != gui::ColorToRGB(c.fill)) {
                    ++marked;
                    EXPECT_EQ(pixel, gui::ColorToRGB(c.mark)) << x << ", " << y;
                }
            }
        if (c.mark == gui::clNone) {
            EXPECT_EQ(marked, 0);
        } else {
            // The tick's turning points on its three rows: w 7, h 5, mx 5, rows 7 to 9.
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(win::GetPixel(surface.DC(), 5, 7 + k), gui::ColorToRGB(c.mark)) << k;
            EXPECT_GE(marked, 3 * 7);
        }
    }
}

TEST_F(PainterDrawingTest, ButtonCaptionRectLosesTheOddRowAndRisesWhenLow)
{
    struct Case {
        int height;
        win::RECT captionRect;
        TclButtonState state;
    };
    const Case cases[] = {
        {21, {0, 0, 60, 20}, cxbsNormal},
        {15, {0, -1, 60, 14}, cxbsNormal},
        {21, {0, 0, 60, 20}, cxbsDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height * 10 + c.state);
        Surface drawn(60, c.height, kGround);
        {
            SurfaceCanvas on(drawn);
            Base().PaintButton(on.canvas, win::RECT{0, 0, 60, c.height}, "Run", c.state);
            EXPECT_EQ(on.frame.Brush()->Style(), gui::bsSolid);
        }
        Surface reference(60, c.height, kGround);
        {
            SurfaceCanvas on(reference);
            on.canvas.FillRectColor(win::RECT{0, 0, 60, c.height}, gui::clBtnFace);
            on.frame.Brush()->SetStyle(gui::bsClear);
            on.frame.Font()->SetColor(c.state == cxbsDisabled ? gui::clBtnShadow : gui::clBtnText);
            on.canvas.PaintText("Run", c.captionRect, 0x0264, c.state != cxbsDisabled);
        }
        std::string where;
        EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
        EXPECT_GT(drawn.Painted(gui::ColorToRGB(gui::clBtnFace)), 0);
    }
}

TEST_F(PainterDrawingTest, ArrowTrianglesAreCentredAndSizedByTheRect)
{
    struct Case {
        win::RECT rect;
        bool proportional;
        TclArrowDirection direction;
        std::array<win::POINT, 3> points;  // apex first
    };
    // 16 x 16: depth (16 - 1) div 4 + 1 = 4, base 7, box at ((16 - 7) div 2, (16 - 4) div 2).
    const Case cases[] = {
        {{0, 0, 16, 16}, true, cladDown, {{{7, 9}, {4, 6}, {10, 6}}}},
        {{0, 0, 16, 16}, true, cladUp, {{{7, 6}, {4, 9}, {10, 9}}}},
        {{0, 0, 16, 16}, true, cladRight, {{{9, 7}, {6, 4}, {6, 10}}}},
        {{0, 0, 16, 16}, true, cladLeft, {{{6, 7}, {9, 4}, {9, 10}}}},
        // 24 x 8 made square: (8, 0, 16, 8); depth (8 - 1) div 4 + 1 = 2, base 3.
        {{0, 0, 24, 8}, true, cladDown, {{{11, 4}, {10, 3}, {12, 3}}}},
        // Not proportional: the width decides; depth 6, base 11, box at (6, 1).
        {{0, 0, 24, 8}, false, cladDown, {{{11, 6}, {6, 1}, {16, 1}}}},
    };
    for (const Case& c : cases) {
        const std::array<win::POINT, 3> points = ComputeArrowPolygon(c.rect, 0, c.proportional, c.direction);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(points[i].x, c.points[i].x) << int(c.direction) << " point " << i;
            EXPECT_EQ(points[i].y, c.points[i].y) << int(c.direction) << " point " << i;
        }
    }
    Surface surface(16, 16, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintArrowGlyph(on.canvas, win::RECT{0, 0, 16, 16}, cladDown, gui::clBlack);
    }
    std::vector<std::string> expected(16, std::string(16, '.'));
    expected[6] = "....#######.....";
    expected[7] = ".....#####......";
    expected[8] = "......###.......";
    expected[9] = ".......#........";
    EXPECT_EQ(Mask(surface, 0), expected);
}

TEST_F(PainterDrawingTest, DisabledButtonArrowIsTwoTriangles)
{
    Surface surface(16, 16, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintButtonArrow(on.canvas, win::RECT{0, 0, 16, 16}, cxbsDisabled, cladDown);
    }
    // The highlight copy moved by (1, 1) shows below the shadow one at the apex and the right end.
    EXPECT_EQ(win::GetPixel(surface.DC(), 7, 9), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(win::GetPixel(surface.DC(), 8, 10), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(win::GetPixel(surface.DC(), 11, 7), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(win::GetPixel(surface.DC(), 4, 6), gui::ColorToRGB(gui::clBtnShadow));
    // The shadow triangle covers all but 7 pixels of the highlight one.
    EXPECT_EQ(surface.Painted(kGround), 16 + 7);
}

TEST_F(PainterDrawingTest, DropDownGlyphInTwelvePixelsIsSevenWideFourHigh)
{
    Surface surface(12, 12, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintDropDownGlyph(on.canvas, win::RECT{0, 0, 12, 12}, gui::clBlack);
    }
    std::vector<std::string> expected(12, std::string(12, '.'));
    expected[4] = "..#######...";
    expected[5] = "...#####....";
    expected[6] = "....###.....";
    expected[7] = ".....#......";
    EXPECT_EQ(Mask(surface, 0), expected);
}

TEST_F(PainterDrawingTest, ExpandCrossAndSmallExpandButton)
{
    Surface surface(11, 11, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintSmallExpandButton(on.canvas, win::RECT{0, 0, 11, 11}, false, gui::clRed, gui::clWhite);
    }
    std::vector<std::string> cross(11, std::string(11, '.'));
    for (int i = 2; i <= 8; ++i) {
        cross[5][std::size_t(i)] = '#';
        cross[std::size_t(i)][5] = '#';
    }
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clBtnText)), cross);
    EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(surface.DC(), 10, 5), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 1), gui::ColorToRGB(gui::clWhite));

    Surface minus(11, 11, kGround);
    {
        SurfaceCanvas on(minus);
        PaintExpandCross(on.canvas, win::RECT{0, 0, 11, 11}, gui::clBlack, true);
    }
    EXPECT_EQ(minus.Painted(kGround), 7);
    EXPECT_EQ(Mask(minus, 0)[5], "..#######..");
}

TEST_F(PainterDrawingTest, GroupExpandChevronsPointByState)
{
    Surface surface(15, 15, kGround);
    {
        SurfaceCanvas on(surface);
        PaintGroupExpandChevrons(on.canvas, win::RECT{0, 0, 15, 15}, gui::clBlack, false);
    }
    // Left x (15 - 7) div 2 = 4, top (15 - 9) div 2 = 3; pointing down, two rows thick, 4 rows apart.
    const std::vector<std::string> rows = Mask(surface, 0);
    EXPECT_EQ(rows[3], "....#.....#....");
    EXPECT_EQ(rows[4], "....##...##....");
    EXPECT_EQ(rows[5], ".....##.##.....");
    EXPECT_EQ(rows[6], "......###......");
    EXPECT_EQ(rows[7], "....#..#..#....");
    EXPECT_EQ(rows[10], "......###......");
    EXPECT_EQ(rows[11], ".......#.......");
    EXPECT_EQ(surface.Painted(kGround), 2 * 2 * 7);
}

TEST_F(PainterDrawingTest, FilterDismissButtonShrinksByTheNormalFrameWidth)
{
    // Standard: frame 3 for the default button, 2 otherwise, drawn by its own PaintButtonFrame.
    const TclCustomLookAndFeelPainter& standard = *TclStandardLookAndFeelPainter::Class();
    Surface surface(16, 14, kGround);
    {
        SurfaceCanvas on(surface);
        standard.TclCustomLookAndFeelPainter::PaintFilterDismissButton(on.canvas, win::RECT{0, 0, 16, 14}, cxbsDefault);
    }
    // The default frame's black ring and its highlight, then the face from (2, 2) on.
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 1), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 2), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(win::GetPixel(surface.DC(), 13, 11), gui::ColorToRGB(gui::clBtnFace));
    // The cross: side 16 div 2 = 8, made odd 7, centred in (2, 2, 14, 12) at (4, 3); each diagonal 2 wide.
    // Both ends of a row are the black outer ring.
    const std::vector<std::string> rows = Mask(surface, gui::ColorToRGB(gui::clBtnText));
    EXPECT_EQ(rows[3], "#...##....##...#");
    EXPECT_EQ(rows[6], "#......##......#");
    EXPECT_EQ(rows[9], "#...##....##...#");
    EXPECT_EQ(surface.Painted(gui::ColorToRGB(gui::clBtnFace)) - (16 * 14 - 12 * 10), 7 * 2 * 2 - 2);
}

TEST_F(PainterDrawingTest, IndicatorGlyphUsesTheLowSevenBitsOfTheKind)
{
    auto draw = [](TclIndicatorKind kind) {
        auto surface = std::make_unique<Surface>(12, 13, kGround);
        SurfaceCanvas on(*surface);
        Base().PaintIndicatorGlyph(on.canvas, win::RECT{0, 0, 12, 13}, kind);
        return surface;
    };
    const auto arrow = draw(clikArrow);
    const auto high = draw(129);
    EXPECT_EQ(arrow->Differences(*high), 0);
    // Image 0 at ((12 - 8) div 2, (13 - 9) div 2) = (2, 2): its first row "..X....." and fifth "..XXXXX.".
    const std::vector<std::string> rows = Mask(*arrow, 0);
    EXPECT_EQ(rows[2], "....#.......");
    EXPECT_EQ(rows[6], "....#####...");
    EXPECT_EQ(arrow->Painted(kGround), 1 + 2 + 3 + 4 + 5 + 4 + 3 + 2 + 1);
    const auto filter = draw(clikFilter);
    EXPECT_EQ(Mask(*filter, 0)[3], "..########..");
}

TEST_F(PainterDrawingTest, IndicatorCustomizeMarkIsFiveLinesThreeDots)
{
    Surface surface(14, 13, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintIndicatorCustomizeMark(on.canvas, win::RECT{0, 0, 14, 13}, gui::clBlack);
    }
    // Rows from (13 - 9) div 2 = 2 every second row; lines from x 5 to 3 + (14 - 6) - 1 = 10.
    const std::vector<std::string> rows = Mask(surface, 0);
    EXPECT_EQ(rows[2], "...#.######...");
    EXPECT_EQ(rows[4], ".....######...");
    EXPECT_EQ(rows[6], "...#.######...");
    EXPECT_EQ(rows[8], ".....######...");
    EXPECT_EQ(rows[10], "...#.######...");
    EXPECT_EQ(surface.Painted(kGround), 5 * 6 + 3);
}

TEST_F(PainterDrawingTest, HeaderSectionCaptionDisabledIsTheCanvasEmbossedText)
{
    const win::RECT rect{2, 2, 70, 20};
    const int flags = clCellTextFlags(clhaLeft, clvaCenter, false, false);
    Surface drawn(72, 22, kGround);
    {
        SurfaceCanvas on(drawn);
        Base().PaintHeaderSectionCaption(on.canvas, rect, cxbsDisabled, clhaLeft, clvaCenter, false, false, "Flow",
                                         nullptr, gui::clRed);
    }
    Surface reference(72, 22, kGround);
    {
        SurfaceCanvas on(reference);
        on.frame.Brush()->SetStyle(gui::bsClear);
        on.canvas.PaintText("Flow", rect, flags, false);
    }
    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_GT(drawn.Painted(kGround), 0);
    EXPECT_EQ(flags, clTextLeft | clTextVCenter | clTextSingleLine);
    EXPECT_EQ(clCellTextFlags(clhaCenter, clvaBottom, true, true),
              clTextHCenter | clTextBottom | clTextWordBreak | clTextEndEllipsis);
}

TEST_F(PainterDrawingTest, CellContentFillsUnlessTheCallbackPaints)
{
    struct Callback {
        bool answer;
        int calls = 0;
        bool Draw(TclCanvas*, const win::RECT&)
        {
            ++calls;
            return answer;
        }
    };
    for (bool painted : {false, true}) {
        Callback callback{painted};
        Surface surface(20, 10, kGround);
        {
            SurfaceCanvas on(surface);
            Base().PaintCellContent(on.canvas, win::RECT{0, 0, 20, 10}, win::RECT{0, 0, 20, 10}, cxbsNormal,
                                    clhaLeft, clvaTop, false, false, "", nullptr, gui::clBlack, gui::clRed,
                                    TclCustomDrawBackground::Of<&Callback::Draw>(&callback), false);
        }
        EXPECT_EQ(callback.calls, 1);
        EXPECT_EQ(surface.Painted(kGround), painted ? 0 : 200);
    }
}

TEST_F(PainterDrawingTest, SplitLineProgressGaugeAndFooterSeparator)
{
    Surface surface(20, 12, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintHeaderSplitLine(on.canvas, win::RECT{0, 0, 20, 2}, 3, gui::clRed, TclBackground{nullptr, gui::clBlue});
        Base().PaintProgressGauge(on.canvas, win::RECT{0, 3, 20, 9}, win::RECT{1, 4, 6, 8},
                                  TclBackground{nullptr, gui::clWhite}, false);
        Base().PaintFooterSeparator(on.canvas, win::RECT{0, 10, 20, 11});
    }
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clBlue))[0], "###..............###");
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clRed))[1], "...##############...");
    EXPECT_EQ(Mask(surface, win::RGB(128, 128, 128))[3], "####################");
    EXPECT_EQ(Mask(surface, win::RGB(128, 128, 128))[5], "#..................#");
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clNavy))[5], ".#####..............");
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clWhite))[5], "......#############.");
    EXPECT_EQ(Mask(surface, gui::ColorToRGB(gui::clBtnShadow))[10], "####################");
}

TEST_F(PainterDrawingTest, NavigationButtonsLayOutAroundThreeArrowHeights)
{
    struct Case {
        bool isNext;
        bool noText;
        int extent;
        win::RECT button;
        win::RECT text;
        win::RECT arrow;
    };
    // Margins (0, 6, 2, 6) before, (2, 6, 0, 6) after; arrows 7 x 7.
    const Case cases[] = {
        {false, true, 0, {0, 33, 20, 66}, {0, 0, 0, 0}, {6, 46, 13, 53}},
        // Inner (0, 6, 18, 94): the arrow band is 21 rows, the text from 32 to 94 - 14.
        {false, false, 40, {0, 0, 20, 100}, {0, 32, 18, 80}, {5, 13, 12, 20}},
        // A text 12 rows longer than its rect: the arrow rises by 12, the text and button grow by 12 each way.
        {false, false, 60, {0, -12, 20, 112}, {0, 20, 18, 92}, {5, 1, 12, 8}},
        {true, false, 40, {0, 0, 20, 100}, {2, 32, 20, 80}, {7, 13, 14, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extent);
        win::RECT button{0, 0, 20, 100};
        win::RECT text{};
        win::RECT arrow{};
        Base().CalcSchedulerNavButtonRects(c.isNext, c.noText, c.extent, c.extent / 2, button, text, arrow);
        EXPECT_TRUE(clRectEquals(button, c.button));
        EXPECT_TRUE(clRectEquals(text, c.text));
        EXPECT_TRUE(clRectEquals(arrow, c.arrow));
    }
}

TEST_F(PainterDrawingTest, NavigationButtonFramesAndChevron)
{
    Surface surface(12, 11, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintSchedulerNavButton(on.canvas, win::RECT{0, 0, 12, 11}, win::RECT{2, 2, 9, 9}, true, cxbsNormal);
    }
    // The next button: shadow on the left, top and bottom, then highlight left and top inside; face on the right.
    EXPECT_EQ(win::GetPixel(surface.DC(), 0, 5), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(win::GetPixel(surface.DC(), 6, 0), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(win::GetPixel(surface.DC(), 6, 10), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(win::GetPixel(surface.DC(), 11, 5), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 5), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(win::GetPixel(surface.DC(), 10, 1), gui::ColorToRGB(gui::clBtnHighlight));
    // The chevron in 7 x 7 at (2, 2): four steps of two-pixel dashes from the left end, a bar on the right.
    const std::vector<std::string> rows = Mask(surface, gui::ColorToRGB(gui::clBtnText));
    EXPECT_EQ(rows[2], "..##....#...");
    EXPECT_EQ(rows[3], "...##...#...");
    EXPECT_EQ(rows[4], "....##..#...");
    EXPECT_EQ(rows[5], ".....##.#...");
    EXPECT_EQ(rows[6], "....##..#...");
    EXPECT_EQ(rows[8], "..##....#...");
}

TEST_F(PainterDrawingTest, NavigationButtonTextIsWrittenUpwardsInsideItsRect)
{
    const win::RECT button{0, 0, 24, 90};
    const win::RECT arrow{8, 8, 15, 15};
    const win::RECT textRect{2, 30, 22, 86};
    Surface plain(24, 90, kGround);
    {
        SurfaceCanvas on(plain);
        Base().PaintSchedulerNavButtonWithText(on.canvas, button, false, cxbsNormal, "Week", win::RECT{}, arrow);
    }
    Surface written(24, 90, kGround);
    {
        SurfaceCanvas on(written);
        Base().PaintSchedulerNavButtonWithText(on.canvas, button, false, cxbsNormal, "Week", textRect, arrow);
    }
    int inside = 0;
    int tallest = 0;
    int widest = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 24; ++x) {
            const win::COLORREF a = win::GetPixel(plain.DC(), x, y);
            const win::COLORREF b = win::GetPixel(written.DC(), x, y);
            if (clRectContainsXY(textRect, x, y)) {
                if (a != b) {
                    ++inside;
                    tallest = std::max(tallest, y);
                    widest = std::max(widest, x);
                }
            } else {
                EXPECT_EQ(a, b) << x << ", " << y;
            }
        }
    EXPECT_GT(inside, 0);
    // Written along the height: the text spans more rows than columns.
    EXPECT_GT(tallest - 30, widest - 2);
}

TEST_F(PainterDrawingTest, ClockAtThreeShowsTheHourHandRightAndTheMinuteHandUp)
{
    Surface surface(61, 61, kGround);
    {
        SurfaceCanvas on(surface);
        Base().PaintClockFace(on.canvas, win::RECT{0, 0, 61, 61}, 45000.125, gui::clWhite);
    }
    const win::COLORREF teal = win::RGB(0, 128, 128);
    // Centre (30, 30), radii 28.5: the hour hand reaches 21 pixels right, the minute hand 24 up.
    EXPECT_EQ(win::GetPixel(surface.DC(), 45, 30), teal);
    // (the second hand's red line runs up its middle)
    EXPECT_EQ(win::GetPixel(surface.DC(), 31, 20), teal);
    EXPECT_EQ(win::GetPixel(surface.DC(), 30, 12), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(surface.DC(), 15, 30), gui::ColorToRGB(gui::clWhite));
    EXPECT_EQ(win::GetPixel(surface.DC(), 30, 45), gui::ColorToRGB(gui::clWhite));
    // The second hand at 0 seconds points up, beyond the minute hand's tip.
    EXPECT_EQ(win::GetPixel(surface.DC(), 30, 6), gui::ColorToRGB(gui::clRed));
    // Hour marks: the three o'clock mark at (59, 30) with its light and dark neighbours kept.
    EXPECT_EQ(win::GetPixel(surface.DC(), 59, 30), teal);
    EXPECT_EQ(win::GetPixel(surface.DC(), 58, 30), win::RGB(0, 255, 255));
    EXPECT_EQ(win::GetPixel(surface.DC(), 59, 31), gui::ColorToRGB(gui::clBtnText));
    EXPECT_EQ(win::GetPixel(surface.DC(), 30, 59), teal);
}

TEST_F(PainterDrawingTest, SortTriangleEdgesTakeTheirColours)
{
    Surface surface(15, 12, kGround);
    {
        SurfaceCanvas on(surface);
        PaintSortTriangle(on.canvas, win::RECT{0, 0, 15, 12}, true, gui::clRed, gui::clBlue, win::POINT{7, 8});
    }
    // Ascending, extent 7 x 8: apex at (7, 2), base row 9 from 4 to 10.
    EXPECT_EQ(win::GetPixel(surface.DC(), 7, 2), gui::ColorToRGB(gui::clBlue));
    EXPECT_EQ(win::GetPixel(surface.DC(), 10, 8), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(surface.DC(), 4, 8), gui::ColorToRGB(gui::clBlue));
    EXPECT_EQ(win::GetPixel(surface.DC(), 7, 9), gui::ColorToRGB(gui::clRed));
    int red = 0;
    int blue = 0;
    for (win::COLORREF pixel : surface.Pixels()) {
        red += pixel == gui::ColorToRGB(gui::clRed);
        blue += pixel == gui::ColorToRGB(gui::clBlue);
    }
    EXPECT_GT(red, 6);
    EXPECT_GT(blue, 6);
}

TEST_F(PainterDrawingTest, HeaderArrowsPointOutwardsAtBothEnds)
{
    Surface surface(30, 12, kGround);
    {
        SurfaceCanvas on(surface);
        PaintHeaderArrows(on.canvas, win::RECT{0, 1, 30, 11}, gui::clBlack, 5, 3);
    }
    // d = 10 / 2 = 5; the flat sides at x 4 and 25 span rows 4 to 8, the apexes two columns out.
    const std::vector<std::string> rows = Mask(surface, 0);
    EXPECT_EQ(rows[4], "....#....................#....");
    EXPECT_EQ(rows[5], "...##....................##...");
    EXPECT_EQ(rows[6], "..###....................###..");
    EXPECT_EQ(rows[8], "....#....................#....");
    EXPECT_EQ(surface.Painted(kGround), 2 * 9);
}

}  // namespace
