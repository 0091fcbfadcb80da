// The Office 2003 painter's drawing under the classic scheme (its colours blended from the system's):
// header faces and frames at the colours their mixing rules give, the expand glyph blended into what lies
// behind it, and the parts it borrows from the Standard painter and the Office 2003 drawing routines.

#include "controls/clLookAndFeelPainters.h"
#include "controls/clPainterDrawing.h"
#include "controls/uxOffice11Colors.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <cstdlib>
#include <string>

namespace {

using namespace controls;
using testsupport::Surface;

using controlstest::kGround;

using controlstest::SurfaceCanvas;

using testsupport::At;

bool Near(win::COLORREF a, win::COLORREF b, int tolerance)
{
    return std::abs(int(win::GetRValue(a)) - int(win::GetRValue(b))) <= tolerance &&
           std::abs(int(win::GetGValue(a)) - int(win::GetGValue(b))) <= tolerance &&
           std::abs(int(win::GetBValue(a)) - int(win::GetBValue(b))) <= tolerance;
}

const TclCustomLookAndFeelPainter& Office()
{
    return *TclOffice11LookAndFeelPainter::Class();
}

class Office11PainterTest : public controlstest::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        uxOffice11ColorsAddRef();
    }
    void TearDown() override
    {
        uxOffice11ColorsRelease();
        ControlsTest::TearDown();
    }
};

constexpr win::COLORREF kFace = win::RGB(230, 228, 223);
constexpr win::COLORREF kDark = win::RGB(214, 210, 202);

void PaintContent(Surface& surface, TclButtonState state)
{
    SurfaceCanvas on(surface);
    const win::RECT bounds{0, 0, surface.Width(), surface.Height() - 4};
    Office().PaintCellContent(on.canvas, bounds, bounds, state, clhaCenter, clvaCenter, false, false, "", nullptr,
                              gui::clBtnText, gui::clRed, TclCustomDrawBackground(), false);
}

void PaintFrame(Surface& surface, TclBorders neighbours)
{
    SurfaceCanvas on(surface);
    Office().PaintHeaderFrame(on.canvas, win::RECT{0, 0, surface.Width(), surface.Height() - 4}, neighbours,
                              clAllSides);
}

TEST_F(Office11PainterTest, CellFacesRunIntoTheDarkColour)
{
    // The cell is (0, 0, 30, 20); the background colour argument is not used.
    Surface normal(30, 24, kGround);
    PaintContent(normal, cxbsNormal);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(At(normal, 10, y), kFace) << y;
    // The last four rows (16 to 19) go from the face to the dark colour.
    EXPECT_TRUE(Near(At(normal, 10, 19), kDark, 5)) << std::hex << At(normal, 10, 19);
    for (int y = 16; y < 19; ++y)
        EXPECT_GE(win::GetRValue(At(normal, 10, y)), win::GetRValue(At(normal, 10, y + 1))) << y;
    EXPECT_EQ(At(normal, 10, 20), kGround);

    // Hot: the lighter face and a three-row hot bar from Bottom - 2, one pixel further left.
    Surface hot(30, 24, kGround);
    PaintContent(hot, cxbsHot);
    EXPECT_EQ(At(hot, 10, 5), win::RGB(246, 245, 243));
    EXPECT_EQ(At(hot, 10, 17), win::RGB(246, 245, 243));
    for (int y = 18; y < 21; ++y)
        EXPECT_EQ(At(hot, 10, y), win::RGB(183, 191, 212)) << y;
    EXPECT_EQ(At(hot, 10, 21), kGround);

    // Plain (footer) cells are one colour.
    Surface plain(30, 24, kGround);
    {
        SurfaceCanvas on(plain);
        Office().PaintCellContent(on.canvas, win::RECT{0, 0, 30, 20}, win::RECT{0, 0, 30, 20}, cxbsNormal, clhaCenter,
                                  clvaCenter, false, false, "", nullptr, gui::clBtnText, gui::clRed,
                                  TclCustomDrawBackground(), true);
    }
    EXPECT_EQ(At(plain, 10, 19), kFace);
}

TEST_F(Office11PainterTest, HeaderFrameCorners)
{
    Surface alone(30, 24, kGround);
    PaintFrame(alone, 0);
    // Right border: the top pixel half face, half line; Bottom - 2 half dark, half line.
    EXPECT_EQ(At(alone, 29, 0), win::RGB(199, 198, 196));
    EXPECT_EQ(At(alone, 29, 18), win::RGB(191, 189, 185));
    // The left border's light line is white; the top row disappears into the face; the bottom is the line
    // (70 % of clBtnShadow and 30 % of clWindow).
    for (int y = 1; y < 18; ++y)
        EXPECT_EQ(At(alone, 0, y), win::RGB(255, 255, 255)) << y;
    EXPECT_EQ(At(alone, 0, 18), kDark);
    EXPECT_EQ(At(alone, 10, 0), kFace);
    EXPECT_EQ(At(alone, 10, 19), win::RGB(167, 167, 167));
    EXPECT_EQ(At(alone, 10, 10), kGround);

    Surface beside(30, 24, kGround);
    PaintFrame(beside, clSideLeft | clSideRight);
    EXPECT_EQ(At(beside, 0, 17), win::RGB(219, 215, 208));
    EXPECT_EQ(At(beside, 0, 1), kFace);
    EXPECT_EQ(At(beside, 0, 3), win::RGB(255, 255, 255));
    EXPECT_EQ(At(beside, 29, 1), kFace);
    EXPECT_EQ(At(beside, 0, 18), kDark);
    EXPECT_EQ(At(beside, 29, 17), win::RGB(219, 215, 208));
    EXPECT_EQ(At(beside, 29, 10), win::RGB(167, 167, 167));
    EXPECT_EQ(At(beside, 29, 0), kFace);
}

TEST_F(Office11PainterTest, ExpandGlyphBlendsItsCornersIntoTheBackground)
{
    for (const bool expanded : {false, true}) {
        Surface surface(15, 15, win::RGB(255, 0, 0));
        {
            SurfaceCanvas on(surface);
            Office().PaintExpandButton(on.canvas, win::RECT{2, 2, 13, 13}, expanded, gui::clDefault);
        }
        EXPECT_EQ(At(surface, 2, 2), win::RGB(231, 44, 48));
        EXPECT_EQ(At(surface, 12, 12), win::RGB(203, 18, 24));
        EXPECT_EQ(At(surface, 12, 2), win::RGB(203, 18, 24));
        EXPECT_EQ(At(surface, 2, 12), win::RGB(203, 18, 24));
        // Nothing outside the 11 x 11 glyph.
        EXPECT_EQ(At(surface, 1, 1), win::RGB(255, 0, 0));
        EXPECT_EQ(At(surface, 13, 13), win::RGB(255, 0, 0));
    }
}

TEST_F(Office11PainterTest, ScrollBarAndSizeGripAreBorrowed)
{
    const TclCustomLookAndFeelPainter& standard = *TclStandardLookAndFeelPainter::Class();
    const TclScrollBarPart parts[] = {clsbpFirstButton, clsbpSecondButton, clsbpThumb, clsbpFirstPage};
    const TclButtonState states[] = {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
    for (const TclScrollBarPart part : parts)
        for (const TclButtonState state : states) {
            Surface office(17, 17, kGround);
            Surface reference(17, 17, kGround);
            {
                SurfaceCanvas on(office);
                Office().PaintScrollBarPart(on.canvas, true, win::RECT{0, 0, 17, 17}, part, state);
            }
            {
                SurfaceCanvas on(reference);
                standard.PaintScrollBarPart(on.canvas, true, win::RECT{0, 0, 17, 17}, part, state);
            }
            std::string where;
            EXPECT_EQ(office.Differences(reference, &where), 0) << int(part) << "/" << int(state) << " " << where;
        }

    Surface grip(20, 20, kGround);
    {
        SurfaceCanvas on(grip);
        Office().PaintSizeGripBox(on.canvas, win::RECT{2, 2, 18, 18}, gui::clWindow);
    }
    Surface reference(20, 20, kGround);
    {
        SurfaceCanvas on(reference);
        on.canvas.FillRectColor(win::RECT{2, 2, 18, 18}, gui::clWindow);
        uxOffice11DrawSizeGrip(reference.DC(), win::RECT{2, 2, 18, 18});
    }
    std::string where;
    EXPECT_EQ(grip.Differences(reference, &where), 0) << where;
}

TEST_F(Office11PainterTest, PanelBackgroundIsAVerticalGradientOrAFill)
{
    Surface gradient(6, 20, kGround);
    {
        SurfaceCanvas on(gradient);
        Office().PaintPanelBackground(on.canvas, nullptr, win::RECT{0, 0, 6, 20}, gui::clWhite, gui::clBlack);
    }
    EXPECT_EQ(At(gradient, 3, 0), win::RGB(255, 255, 255));
    EXPECT_TRUE(Near(At(gradient, 3, 19), 0, 16));
    for (int y = 0; y < 19; ++y) {
        EXPECT_EQ(At(gradient, 0, y), At(gradient, 5, y)) << y;
        EXPECT_GE(win::GetRValue(At(gradient, 0, y)), win::GetRValue(At(gradient, 0, y + 1))) << y;
    }
    EXPECT_GT(win::GetRValue(At(gradient, 0, 5)), win::GetRValue(At(gradient, 0, 14)));

    Surface fill(6, 6, kGround);
    {
        SurfaceCanvas on(fill);
        Office().PaintPanelBackground(on.canvas, nullptr, win::RECT{0, 0, 6, 6}, gui::clRed);
    }
    EXPECT_EQ(fill.Painted(win::RGB(255, 0, 0)), 0);
}

TEST_F(Office11PainterTest, ButtonsTakeSchemeColours)
{
    struct Case {
        TclButtonState state;
        win::COLORREF frame;
        win::COLORREF fill;
    };
    const Case cases[] = {
        {cxbsNormal, gui::ColorToRGB(gui::clBtnText), gui::ColorToRGB(gui::clBtnFace)},
        {cxbsHot, gui::ColorToRGB(gui::clHighlight), win::RGB(183, 191, 212)},
        {cxbsPressed, gui::ColorToRGB(gui::clHighlight), win::RGB(136, 147, 177)},
        {cxbsDisabled, gui::ColorToRGB(gui::clGrayText), gui::ColorToRGB(gui::clBtnFace)},
    };
    for (const Case& c : cases) {
        Surface surface(12, 12, kGround);
        {
            SurfaceCanvas on(surface);
            Office().PaintButton(on.canvas, win::RECT{0, 0, 12, 12}, "", c.state);
        }
        EXPECT_EQ(At(surface, 0, 5), c.frame) << int(c.state);
        EXPECT_EQ(At(surface, 5, 5), c.fill) << int(c.state);
    }
    // Pressed glyphs are in the highlight text colour without a visual-styles scheme.
    EXPECT_EQ(Office().ButtonGlyphColor(cxbsPressed, gui::clRed), gui::clHighlightText);
    EXPECT_EQ(Office().ButtonGlyphColor(cxbsNormal, gui::clRed), uxOffice11TextColor());
}

}  // namespace
