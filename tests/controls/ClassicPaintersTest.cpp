// The Standard, Flat and UltraFlat painters' own drawing on memory surfaces: frames read back at the
// pixels their edge rules name, scroll-bar parts against the system's frame controls, tinted fills
// against the system colours of the moment.

#include "controls/clLookAndFeelPainters.h"
#include "controls/clPainterDrawing.h"
#include "platform/gdi/FrameControls.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <string>
#include <vector>

namespace {

using namespace controls;
using testsupport::Surface;

using controlstest::kGround;

using controlstest::SurfaceCanvas;

using testsupport::At;

const TclCustomLookAndFeelPainter& Standard()
{
    return *TclStandardLookAndFeelPainter::Class();
}
const TclCustomLookAndFeelPainter& Flat()
{
    return *TclFlatLookAndFeelPainter::Class();
}
const TclUltraFlatLookAndFeelPainter& UltraFlat()
{
    return static_cast<const TclUltraFlatLookAndFeelPainter&>(*TclUltraFlatLookAndFeelPainter::Class());
}

class ClassicPaintersTest : public controlstest::ControlsTest {};

TEST_F(ClassicPaintersTest, DefaultButtonFrames)
{
    struct Case {
        const char* name;
        const TclCustomLookAndFeelPainter* painter;
        int width;
        // Along the diagonal from the top-left corner, and from the bottom-right one.
        std::vector<gui::TColor> fromTopLeft;
        std::vector<gui::TColor> fromBottomRight;
    };
    const Case cases[] = {
        {"Standard", &Standard(), 3, {gui::clBlack, gui::clBtnHighlight, gui::cl3DLight},
         {gui::clBlack, gui::cl3DDkShadow, gui::clBtnShadow}},
        {"Flat", &Flat(), 2, {gui::clBlack, gui::clBtnHighlight}, {gui::clBlack, gui::clBtnShadow}},
        {"UltraFlat", &UltraFlat(), 2, {gui::clWindowFrame, gui::clWindowFrame},
         {gui::clWindowFrame, gui::clWindowFrame}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.painter->ButtonFrameWidth(cxbsDefault), c.width);
        Surface surface(30, 20, kGround);
        {
            SurfaceCanvas on(surface);
            c.painter->PaintButton(on.canvas, win::RECT{0, 0, 30, 20}, "", cxbsDefault);
        }
        for (std::size_t i = 0; i < c.fromTopLeft.size(); ++i) {
            const int k = int(i);
            EXPECT_EQ(At(surface, k, k), gui::ColorToRGB(c.fromTopLeft[i])) << k;
            EXPECT_EQ(At(surface, 29 - k, 19 - k), gui::ColorToRGB(c.fromBottomRight[i])) << k;
        }
        // The face starts right inside the frame.
        EXPECT_EQ(At(surface, c.width, c.width), gui::ColorToRGB(gui::clBtnFace));
    }
}

TEST_F(ClassicPaintersTest, UltraFlatGroupMarginsAndTintedFills)
{
    win::RECT margins{};
    UltraFlat().ButtonGroupMargins(1, 0, margins);
    EXPECT_EQ(margins.left, 2);
    EXPECT_EQ(margins.right, 1);
    EXPECT_EQ(margins.top, 2);
    EXPECT_EQ(margins.bottom, 2);
    UltraFlat().ButtonGroupMargins(3, 2, margins);
    EXPECT_EQ(margins.left, 1);
    EXPECT_EQ(margins.right, 2);

    const auto fillOf = [](TclButtonState state) {
        Surface surface(20, 20, kGround);
        {
            SurfaceCanvas on(surface);
            UltraFlat().PaintButton(on.canvas, win::RECT{0, 0, 20, 20}, "", state);
        }
        return At(surface, 10, 10);
    };
    EXPECT_EQ(fillOf(cxbsHot), win::RGB(183, 191, 212));
    EXPECT_EQ(fillOf(cxbsPressed), win::RGB(136, 147, 177));
    EXPECT_EQ(fillOf(cxbsNormal), gui::ColorToRGB(gui::clBtnFace));

    const int index = 15;  // COLOR_BTNFACE
    const win::COLORREF black = 0;
    win::SetSysColors(1, &index, &black);
    EXPECT_EQ(fillOf(cxbsHot), gui::ColorToRGB(gui::clHighlight));
    EXPECT_EQ(fillOf(cxbsPressed), gui::ColorToRGB(gui::clHighlight));
}

TEST_F(ClassicPaintersTest, UltraFlatGroupButtonsShareTheirFrames)
{
    // Middle button of three, hot: highlight lines inside both ends, the rest the hot fill.
    Surface surface(20, 12, kGround);
    {
        SurfaceCanvas on(surface);
        UltraFlat().PaintGroupButton(on.canvas, win::RECT{0, 0, 20, 12}, cxbsHot, 3, 1, gui::clRed);
    }
    EXPECT_EQ(At(surface, 5, 0), kGround);
    EXPECT_EQ(At(surface, 5, 11), kGround);
    EXPECT_EQ(At(surface, 0, 5), gui::ColorToRGB(gui::clHighlight));
    EXPECT_EQ(At(surface, 19, 5), gui::ColorToRGB(gui::clHighlight));
    EXPECT_EQ(At(surface, 1, 5), gui::ColorToRGB(clHotTintColor()));

    // First button of two, normal: one pixel off at the left, framed in the given colour.
    Surface first(20, 12, kGround);
    {
        SurfaceCanvas on(first);
        UltraFlat().PaintGroupButton(on.canvas, win::RECT{0, 0, 20, 12}, cxbsNormal, 2, 0, gui::clRed);
    }
    EXPECT_EQ(At(first, 0, 5), kGround);
    EXPECT_EQ(At(first, 1, 5), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(At(first, 19, 5), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(At(first, 2, 5), gui::ColorToRGB(gui::clBtnFace));
}

TEST_F(ClassicPaintersTest, ScrollArrowsHotAndPressed)
{
    const win::RECT rect{0, 0, 17, 17};
    const auto draw = [&](const TclCustomLookAndFeelPainter& painter, Surface& surface, TclButtonState state) {
        SurfaceCanvas on(surface);
        painter.PaintScrollBarPart(on.canvas, false, rect, clsbpSecondButton, state);
    };
    for (const TclCustomLookAndFeelPainter* painter : {&Standard(), &Flat()}) {
        Surface normal(17, 17, kGround);
        Surface hot(17, 17, kGround);
        draw(*painter, normal, cxbsNormal);
        draw(*painter, hot, cxbsHot);
        std::string where;
        EXPECT_EQ(hot.Differences(normal, &where), 0) << where;
    }
    Surface hot(17, 17, kGround);
    draw(UltraFlat(), hot, cxbsHot);
    EXPECT_EQ(At(hot, 0, 0), gui::ColorToRGB(gui::clHighlight));
    EXPECT_EQ(At(hot, 2, 2), gui::ColorToRGB(clHotTintColor()));

    // Standard's arrow is the system's scroll arrow under a two-pixel border.
    Surface standard(17, 17, kGround);
    draw(Standard(), standard, cxbsNormal);
    Surface reference(17, 17, kGround);
    {
        win::RECT face = rect;
        win::DrawFrameControl(reference.DC(), &face, win::DFC_SCROLL, win::DFCS_SCROLLDOWN);
        SurfaceCanvas on(reference);
        on.canvas.DrawTwoToneFrame(rect, gui::clBtnFace, gui::cl3DDkShadow);
        on.canvas.DrawTwoToneFrame(win::RECT{1, 1, 16, 16}, gui::clBtnHighlight, gui::clBtnShadow);
    }
    std::string where;
    EXPECT_EQ(standard.Differences(reference, &where), 0) << where;

    // Pressed: the arrow one pixel lower and right, a flat shadow border.
    Surface pressed(17, 17, kGround);
    draw(Standard(), pressed, cxbsPressed);
    EXPECT_EQ(At(pressed, 0, 0), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(pressed, 16, 16), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(pressed, 1, 1), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(At(pressed, 15, 15), gui::ColorToRGB(gui::clBtnFace));
}

TEST_F(ClassicPaintersTest, DisabledThumbAndPageAreas)
{
    for (const TclCustomLookAndFeelPainter* painter :
         {&Standard(), &Flat(), static_cast<const TclCustomLookAndFeelPainter*>(&UltraFlat())}) {
        Surface surface(16, 16, kGround);
        {
            SurfaceCanvas on(surface);
            painter->PaintScrollBarPart(on.canvas, true, win::RECT{0, 0, 16, 16}, clsbpThumb, cxbsDisabled);
        }
        EXPECT_EQ(surface.Painted(kGround), 0);

        for (const TclButtonState state : {cxbsNormal, cxbsPressed}) {
            Surface page(16, 16, kGround);
            gui::TBrushStyle after = gui::bsClear;
            gui::TBitmap* bitmapAfter = nullptr;
            {
                SurfaceCanvas on(page);
                painter->PaintScrollBarPart(on.canvas, false, win::RECT{0, 0, 16, 16}, clsbpFirstPage, state);
                after = on.canvas.GetCanvasBrush()->Style();
                bitmapAfter = on.canvas.GetCanvasBrush()->Bitmap();
            }
            EXPECT_EQ(after, gui::bsSolid);
            EXPECT_EQ(bitmapAfter, nullptr);
            const win::COLORREF odd = gui::ColorToRGB(state == cxbsPressed ? gui::cl3DDkShadow : gui::clBtnHighlight);
            const win::COLORREF even = gui::ColorToRGB(state == cxbsPressed ? gui::clBlack : gui::clBtnFace);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(At(page, x, y), (x + y) % 2 ? odd : even) << x << ", " << y << " state " << int(state);
        }
    }
}

TEST_F(ClassicPaintersTest, UltraFlatHeaderFrameBesideNeighbours)
{
    const TclBorders borders = UltraFlat().HeaderEdges(clSideLeft | clSideTop);
    Surface surface(20, 10, kGround);
    {
        SurfaceCanvas on(surface);
        UltraFlat().PaintHeaderFrame(on.canvas, win::RECT{0, 0, 20, 10}, clSideLeft | clSideTop, borders);
    }
    const win::COLORREF line = gui::ColorToRGB(gui::clBtnText);
    EXPECT_EQ(At(surface, 0, 5), kGround);
    EXPECT_EQ(At(surface, 5, 0), kGround);
    EXPECT_EQ(At(surface, 19, 5), line);
    EXPECT_EQ(At(surface, 5, 9), line);
    EXPECT_EQ(surface.Painted(kGround), 20 + 10 - 1);
}

TEST_F(ClassicPaintersTest, StandardHeaderCornersBesideNeighbours)
{
    Surface surface(20, 10, kGround);
    {
        SurfaceCanvas on(surface);
        Standard().PaintHeaderFrame(on.canvas, win::RECT{0, 0, 20, 10}, clSideLeft | clSideRight, clAllSides);
    }
    EXPECT_EQ(At(surface, 0, 0), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(At(surface, 0, 1), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(At(surface, 0, 8), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(At(surface, 19, 0), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(At(surface, 19, 1), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(At(surface, 19, 5), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(surface, 19, 9), gui::ColorToRGB(gui::clBtnShadow));
}

TEST_F(ClassicPaintersTest, TabBorderStrips)
{
    // A horizontal tab's top strip (2, 2)-(20, 3): one pixel shorter at each end, its rounded corners a row
    // lower at the ends.
    Surface top(24, 6, kGround);
    {
        SurfaceCanvas on(top);
        Standard().PaintTabFrame(on.canvas, win::RECT{2, 2, 20, 3}, 1, clAllSides, false);
    }
    const win::COLORREF light = gui::ColorToRGB(gui::clBtnHighlight);
    EXPECT_EQ(At(top, 2, 3), light);
    EXPECT_EQ(At(top, 19, 3), light);
    EXPECT_EQ(At(top, 2, 2), kGround);
    EXPECT_EQ(At(top, 19, 2), kGround);
    for (int x = 3; x < 19; ++x)
        EXPECT_EQ(At(top, x, 2), light) << x;
    EXPECT_EQ(top.Painted(kGround), 16 + 2);

    // Its right strip starts two pixels lower, ends one higher and is in shadow.
    Surface right(6, 20, kGround);
    {
        SurfaceCanvas on(right);
        Flat().PaintTabFrame(on.canvas, win::RECT{3, 2, 4, 18}, 2, clAllSides, false);
    }
    EXPECT_EQ(At(right, 3, 3), kGround);
    EXPECT_EQ(At(right, 3, 4), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(right, 3, 16), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(right, 3, 17), kGround);

    // UltraFlat: a horizontal tab's right border is dark and shortened by the frame width.
    Surface ultra(6, 20, kGround);
    {
        SurfaceCanvas on(ultra);
        UltraFlat().PaintTabFrame(on.canvas, win::RECT{3, 2, 4, 18}, 2, clAllSides, false);
    }
    EXPECT_EQ(At(ultra, 3, 2), gui::ColorToRGB(gui::clBtnText));
    EXPECT_EQ(At(ultra, 3, 16), gui::ColorToRGB(gui::clBtnText));
    EXPECT_EQ(At(ultra, 3, 17), kGround);
}

TEST_F(ClassicPaintersTest, BordersAndCheckBoxFrames)
{
    struct Case {
        const char* name;
        const TclCustomLookAndFeelPainter* painter;
        bool checkBox;
        // Outer ring top-left and bottom-right, inner ring top-left and bottom-right (clNone: not drawn).
        gui::TColor outerLT, outerRB, innerLT, innerRB;
    };
    const Case cases[] = {
        {"Standard border", &Standard(), false, gui::clBtnShadow, gui::clBtnHighlight, gui::cl3DDkShadow, gui::cl3DLight},
        {"Flat border", &Flat(), false, gui::clBtnShadow, gui::clBtnHighlight, gui::clNone, gui::clNone},
        {"UltraFlat border", &UltraFlat(), false, gui::clBtnShadow, gui::clBtnShadow, gui::clNone, gui::clNone},
        {"Standard check box", &Standard(), true, gui::cl3DDkShadow, gui::cl3DLight, gui::clBtnShadow,
         gui::clBtnHighlight},
        {"Flat check box", &Flat(), true, gui::clBtnShadow, gui::clBtnHighlight, gui::clBtnFace, gui::clBtnFace},
        {"UltraFlat check box", &UltraFlat(), true, gui::clBtnText, gui::clBtnText, gui::clBtnFace, gui::clBtnFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(13, 13, kGround);
        {
            SurfaceCanvas on(surface);
            if (c.checkBox)
                c.painter->PaintCheckBoxFrame(on.canvas, win::RECT{0, 0, 13, 13}, cxbsDisabled);
            else
                c.painter->PaintBorder(on.canvas, win::RECT{0, 0, 13, 13});
        }
        EXPECT_EQ(At(surface, 0, 6), gui::ColorToRGB(c.outerLT));
        EXPECT_EQ(At(surface, 12, 6), gui::ColorToRGB(c.outerRB));
        EXPECT_EQ(At(surface, 1, 6), c.innerLT == gui::clNone ? kGround : gui::ColorToRGB(c.innerLT));
        EXPECT_EQ(At(surface, 11, 6), c.innerRB == gui::clNone ? kGround : gui::ColorToRGB(c.innerRB));
        EXPECT_EQ(At(surface, 6, 6), kGround);
    }
}

TEST_F(ClassicPaintersTest, ExpandButtonsFillCrossAndClip)
{
    for (const TclCustomLookAndFeelPainter* painter :
         {&Standard(), &Flat(), static_cast<const TclCustomLookAndFeelPainter*>(&UltraFlat())}) {
        Surface surface(13, 13, kGround);
        {
            SurfaceCanvas on(surface);
            painter->PaintExpandButton(on.canvas, win::RECT{0, 0, 11, 11}, true, gui::clDefault);
            // The box is kept from what is drawn after it.
            on.canvas.FillRectColor(win::RECT{0, 0, 13, 13}, gui::clRed);
        }
        win::SelectClipRgn(surface.DC(), nullptr);
        EXPECT_EQ(At(surface, 12, 12), gui::ColorToRGB(gui::clRed));
        EXPECT_NE(At(surface, 0, 0), gui::ColorToRGB(gui::clRed));
        // Expanded: a minus bar through the centre, no vertical bar.
        const int centre = 5;
        EXPECT_EQ(At(surface, centre, centre), gui::ColorToRGB(gui::clBtnText));
        EXPECT_EQ(At(surface, centre, centre - 2), gui::ColorToRGB(gui::clBtnFace));
    }
}

TEST_F(ClassicPaintersTest, SplitterLinesAndFill)
{
    struct Case {
        const char* name;
        const TclCustomLookAndFeelPainter* painter;
        gui::TColor top, second, secondBottom, bottom;  // rows 0, 1, 8, 9
    };
    const Case cases[] = {
        {"Standard", &Standard(), gui::clBtnFace, gui::clBtnHighlight, gui::clBtnShadow, gui::cl3DDkShadow},
        {"Flat", &Flat(), gui::clBtnHighlight, gui::clRed, gui::clRed, gui::clBtnShadow},
        {"UltraFlat", &UltraFlat(), gui::clBtnShadow, gui::clRed, gui::clRed, gui::clBtnShadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(20, 10, kGround);
        {
            SurfaceCanvas on(surface);
            c.painter->PaintSplitterFrame(on.canvas, win::RECT{1, 0, 19, 10}, TclBackground{nullptr, gui::clRed},
                                          true);
        }
        EXPECT_EQ(At(surface, 10, 0), gui::ColorToRGB(c.top));
        EXPECT_EQ(At(surface, 10, 1), gui::ColorToRGB(c.second));
        EXPECT_EQ(At(surface, 10, 8), gui::ColorToRGB(c.secondBottom));
        EXPECT_EQ(At(surface, 10, 9), gui::ColorToRGB(c.bottom));
        EXPECT_EQ(At(surface, 10, 5), gui::ColorToRGB(gui::clRed));
        // The fill reaches a pixel beyond the lines' ends.
        EXPECT_EQ(At(surface, 0, 5), gui::ColorToRGB(gui::clRed));
    }
}

}  // namespace
