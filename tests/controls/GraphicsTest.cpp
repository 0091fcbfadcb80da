// The canvas wrapper and its helpers, drawn on memory surfaces and read back pixel by pixel; where a
// picture has a second route (the platform's own calls), the two must match.

#include "controls/clGraphics.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Region.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::Surface;

using controlstest::kBlueGround;

class GraphicsTest : public controlstest::ControlsTest {};

// A canvas wrapper over a surface's context.
using controlstest::SurfaceCanvas;

win::RECT BoxOf(const controls::TclRegion& region)
{
    win::RECT box{};
    win::GetRgnBox(region.Handle(), &box);
    return box;
}

void ExpectRect(const win::RECT& actual, int l, int t, int r, int b)
{
    EXPECT_EQ(actual.left, l);
    EXPECT_EQ(actual.top, t);
    EXPECT_EQ(actual.right, r);
    EXPECT_EQ(actual.bottom, b);
}

TEST_F(GraphicsTest, ClipRegionsInLogicalCoordinatesFollowTheWindowOrigin)
{
    Surface surface(60, 60, kBlueGround);
    SurfaceCanvas on(surface);
    ExpectRect(BoxOf(*on.canvas.CopyClipRegion(false)), 0, 0, 30000, 30000);
    on.canvas.SetWindowOrigin(win::POINT{10, 20});
    ExpectRect(BoxOf(*on.canvas.CopyClipRegion(true)), 10, 20, 30010, 30020);

    // Pushed, changed, origin moved, popped: the same region in device coordinates comes back.
    controls::TclRegion clip(12, 22, 40, 50);
    on.canvas.ApplyClipRegion(clip, controls::roSet, true);
    ExpectRect(BoxOf(clip), 12, 22, 40, 50);  // the caller's region as it was
    ExpectRect(BoxOf(*on.canvas.CopyClipRegion(false)), 2, 2, 30, 30);
    on.canvas.PushClipRegion();
    on.canvas.ClipToRect(win::RECT{15, 25, 20, 30});
    on.canvas.SetWindowOrigin(win::POINT{0, 0});
    on.canvas.SetWindowOrigin(win::POINT{10, 20});
    on.canvas.PopClipRegion();
    ExpectRect(BoxOf(*on.canvas.CopyClipRegion(false)), 2, 2, 30, 30);

    // Subtracting in logical coordinates.
    controls::TclRegion hole(12, 22, 40, 30);
    on.canvas.ApplyClipRegion(hole, controls::roSubtract, true);
    ExpectRect(BoxOf(*on.canvas.CopyClipRegion(true)), 12, 30, 40, 50);
    on.canvas.PopClipRegion();  // empty stack: nothing
}

TEST(TextFlags, BecomeDrawTextFlags)
{
    using namespace win;
    EXPECT_EQ(controls::clTextFlagsToDrawTextFlags(0x0400), DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    EXPECT_EQ(controls::clTextFlagsToDrawTextFlags(0x4400), DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(controls::clTextFlagsToDrawTextFlags(0x0200), 0u);
    EXPECT_EQ(controls::clTextFlagsToDrawTextFlags(0x0001 | 0x0008), DT_NOPREFIX);
    EXPECT_EQ(controls::clTextFlagsToDrawTextFlags(0x0002 | 0x0020 | 0x0040 | 0x0800),
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

TEST_F(GraphicsTest, DisabledTextIsEmbossedLikeTwoExtTextOuts)
{
    const int flags = controls::clTextSingleLine | controls::clTextLeft | controls::clTextTop;
    Surface drawn(120, 30, kBlueGround);
    win::LOGFONT font;
    {
        SurfaceCanvas on(drawn);
        font = on.frame.Font()->LogFont();
        on.canvas.PaintText("Savings", win::RECT{4, 5, 110, 28}, flags, false);
        EXPECT_EQ(on.frame.Brush()->Style(), gui::bsSolid);
        EXPECT_EQ(on.frame.Font()->Color(), gui::clWindowText);
    }

    Surface reference(120, 30, kBlueGround);
    win::HFONT handle = win::CreateFontIndirect(&font);
    win::HGDIOBJ old = win::SelectObject(reference.DC(), handle);
    win::SetBkMode(reference.DC(), win::TRANSPARENT);
    win::SetTextColor(reference.DC(), gui::ColorToRGB(gui::clBtnHighlight));
    win::ExtTextOutA(reference.DC(), 5, 6, 0, nullptr, "Savings", 7, nullptr);
    win::SetTextColor(reference.DC(), gui::ColorToRGB(gui::clBtnShadow));
    win::ExtTextOutA(reference.DC(), 4, 5, 0, nullptr, "Savings", 7, nullptr);
    win::SelectObject(reference.DC(), old);
    win::DeleteObject(handle);

    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_GT(drawn.Painted(kBlueGround), 0);
}

TEST_F(GraphicsTest, OneLineTextWiderThanItsRectStaysInside)
{
    Surface surface(80, 40, kBlueGround);
    const win::RECT box{10, 10, 30, 30};
    {
        SurfaceCanvas on(surface);
        on.frame.Brush()->SetColor(gui::clYellow);
        on.canvas.PaintText("Savings per year", box, controls::clTextSingleLine | controls::clTextHCenter |
                                                         controls::clTextVCenter);
    }
    int inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool in = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            if (!in)
                EXPECT_EQ(win::GetPixel(surface.DC(), x, y), kBlueGround) << x << "," << y;
            else
                inside += win::GetPixel(surface.DC(), x, y) != kBlueGround;
        }
    EXPECT_GT(inside, 0);
}

// An 8 x 8 bitmap whose every pixel says where it is.
std::unique_ptr<gui::TBitmap> PositionBitmap(int width, int height)
{
    auto bitmap = std::make_unique<gui::TBitmap>();
    bitmap->SetPixelFormat(gui::pf32bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Canvas()->SetPixels(x, y, gui::TColor(win::RGB(x * 20, y * 20, 200)));
    return bitmap;
}

TEST_F(GraphicsTest, TilesLieOnAGridAnchoredAtTheLogicalOrigin)
{
    std::unique_ptr<gui::TBitmap> tile = PositionBitmap(8, 8);
    {
        Surface surface(24, 24, kBlueGround);
        SurfaceCanvas on(surface);
        on.canvas.FillAreaTiled(win::RECT{3, 3, 20, 20}, tile.get());
        EXPECT_EQ(win::GetPixel(surface.DC(), 3, 3), win::RGB(60, 60, 200));
        EXPECT_EQ(win::GetPixel(surface.DC(), 8, 8), win::RGB(0, 0, 200));
        EXPECT_EQ(win::GetPixel(surface.DC(), 19, 19), win::RGB(60, 60, 200));
        EXPECT_EQ(win::GetPixel(surface.DC(), 2, 3), kBlueGround);
        EXPECT_EQ(win::GetPixel(surface.DC(), 20, 20), kBlueGround);
    }
    {
        // Left of and above the origin the grid goes on: the whole rect is filled.
        Surface surface(24, 24, kBlueGround);
        SurfaceCanvas on(surface);
        on.canvas.SetWindowOrigin(win::POINT{-8, -8});
        on.canvas.FillAreaTiled(win::RECT{-5, -5, 12, 12}, tile.get(), true);
        // The exclude flag took the rect out of the clip region.
        EXPECT_FALSE(on.canvas.CopyClipRegion(true)->ContainsXY(0, 0));
        EXPECT_TRUE(on.canvas.CopyClipRegion(true)->ContainsXY(12, 0));
        // Read back in device coordinates, unclipped: logical (-5, -5) is device (3, 3).
        win::SelectClipRgn(surface.DC(), nullptr);
        on.canvas.SetWindowOrigin(win::POINT{0, 0});
        EXPECT_EQ(win::GetPixel(surface.DC(), 3, 3), win::RGB(60, 60, 200));
        int unfilled = 0;
        for (int y = 3; y < 20; ++y)
            for (int x = 3; x < 20; ++x)
                unfilled += win::GetPixel(surface.DC(), x, y) == kBlueGround;
        EXPECT_EQ(unfilled, 0);
    }
}

TEST_F(GraphicsTest, RotationAndFlipRearrangeThePixels)
{
    const int w = 3;
    const int h = 2;
    for (int rotation = 0; rotation < 4; ++rotation) {
        for (bool flip : {false, true}) {
            SCOPED_TRACE("rotation " + std::to_string(rotation) + (flip ? " flipped" : ""));
            std::unique_ptr<gui::TBitmap> bitmap = PositionBitmap(w, h);
            controls::TclCanvas::RotateFlipBitmap(bitmap.get(), rotation, flip);
            const bool turned = rotation == 1 || rotation == 2;
            const int newW = turned ? h : w;
            const int newH = turned ? w : h;
            ASSERT_EQ(bitmap->Width(), newW);
            ASSERT_EQ(bitmap->Height(), newH);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    // Counter-clockwise, clockwise, half turn; then top to bottom.
                    int nx = x;
                    int ny = y;
                    if (rotation == 1) {
                        nx = y;
                        ny = w - 1 - x;
                    } else if (rotation == 2) {
                        nx = h - 1 - y;
                        ny = x;
                    } else if (rotation == 3) {
                        nx = w - 1 - x;
                        ny = h - 1 - y;
                    }
                    if (flip)
                        ny = newH - 1 - ny;
                    EXPECT_EQ(bitmap->Canvas()->Pixels(nx, ny), gui::TColor(win::RGB(x * 20, y * 20, 200)));
                }
        }
    }
}

TEST_F(GraphicsTest, ThreeDEdgesPaintRightAndBottomOverTheCorners)
{
    struct Row {
        bool sunken;
        bool outer;
        gui::TColor leftTop;
        gui::TColor rightBottom;
    };
    const Row rows[] = {
        {false, true, gui::cl3DLight, gui::cl3DDkShadow},
        {false, false, gui::clBtnHighlight, gui::clBtnShadow},
        {true, true, gui::clBtnShadow, gui::clBtnHighlight},
        {true, false, gui::cl3DDkShadow, gui::cl3DLight},
    };
    for (const Row& row : rows) {
        Surface surface(10, 10, kBlueGround);
        SurfaceCanvas on(surface);
        on.canvas.Paint3DEdge(win::RECT{0, 0, 10, 10}, row.sunken, row.outer);
        const win::COLORREF lt = gui::ColorToRGB(row.leftTop);
        const win::COLORREF rb = gui::ColorToRGB(row.rightBottom);
        EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), lt);
        EXPECT_EQ(win::GetPixel(surface.DC(), 5, 0), lt);
        EXPECT_EQ(win::GetPixel(surface.DC(), 0, 5), lt);
        EXPECT_EQ(win::GetPixel(surface.DC(), 9, 0), rb);
        EXPECT_EQ(win::GetPixel(surface.DC(), 0, 9), rb);
        EXPECT_EQ(win::GetPixel(surface.DC(), 9, 9), rb);
        EXPECT_EQ(win::GetPixel(surface.DC(), 5, 5), kBlueGround);
    }
}

TEST_F(GraphicsTest, TextRectsFitTheRowsAsked)
{
    Surface surface(10, 10, kBlueGround);
    win::HDC dc = surface.DC();
    win::RECT rect{1, 2, 3, 4};
    controls::clCalcTextRect(dc, "word word", 0, rect);
    ExpectRect(rect, 0, 0, 0, 0);

    win::RECT word{0, 0, 0, 0};
    win::DrawTextA(dc, "word", 4, &word, win::DT_CALCRECT | win::DT_SINGLELINE);
    win::SIZE line{};
    win::GetTextExtentPoint32A(dc, "Wg", 2, &line);
    controls::clCalcTextRect(dc, "word word", 2, rect);
    EXPECT_EQ(rect.right - rect.left, word.right);
    EXPECT_EQ(rect.bottom - rect.top, 2 * line.cy);
    controls::clCalcTextRect(dc, "word word", 3, rect, true);
    EXPECT_EQ(rect.bottom, 3 * line.cy);
}

TEST_F(GraphicsTest, WrappingKeepsBlankRunsAndOverWideFirstWords)
{
    Surface surface(10, 10, kBlueGround);
    SurfaceCanvas on(surface);
    const win::RECT oneLetter{0, 0, on.canvas.MeasureTextWidth("a"), 20};
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a  b", {"a", " b"}},
        {"extraordinary b", {"extraordinary", "b"}},
        {"a", {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        rtl::TStringList list;
        controls::clWrapTextToLines(c.text, on.canvas, oneLetter, list);
        std::vector<std::string> lines;
        for (int i = 0; i < list.Count(); ++i)
            lines.push_back(list.Strings(i));
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(GraphicsTest, TintsMixTheClassicSystemColours)
{
    const win::COLORREF hot = win::COLORREF(controls::clHotTintColor());
    const win::COLORREF pressed = win::COLORREF(controls::clPressedTintColor());
    EXPECT_EQ(hot, win::RGB(183, 191, 212));
    EXPECT_EQ(pressed, win::RGB(136, 147, 177));

    // A black button face gives the highlight colour.
    const int index = 15;  // COLOR_BTNFACE
    const win::COLORREF black = 0;
    win::SetSysColors(1, &index, &black);
    EXPECT_EQ(win::COLORREF(controls::clMixSystemColors(14, 44, 40)), gui::ColorToRGB(gui::clHighlight));
}

TEST_F(GraphicsTest, AdoptedObjectsKeepHatchAndPenMode)
{
    Surface source(4, 4, kBlueGround);
    win::HBRUSH hatch = win::CreateHatchBrush(win::HS_CROSS, win::RGB(255, 0, 0));
    win::HGDIOBJ oldBrush = win::SelectObject(source.DC(), hatch);
    win::SetROP2(source.DC(), win::R2_XORPEN);
    win::SetTextColor(source.DC(), win::RGB(1, 2, 3));

    Surface target(4, 4, kBlueGround);
    SurfaceCanvas on(target);
    on.canvas.AdoptDCObjects(source.DC());
    EXPECT_EQ(on.frame.Brush()->Style(), gui::bsCross);
    EXPECT_EQ(on.frame.Brush()->Color(), gui::TColor(win::RGB(255, 0, 0)));
    EXPECT_EQ(on.frame.Pen()->Mode(), gui::pmXor);
    EXPECT_EQ(on.frame.Font()->Color(), gui::TColor(win::RGB(1, 2, 3)));

    win::SelectObject(source.DC(), oldBrush);
    win::DeleteObject(hatch);
}

TEST_F(GraphicsTest, ScreenCanvasIsSharedAndGoneAfterTheEnd)
{
    controls::TclScreenCanvas* screen = controls::clGetScreenCanvas();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(controls::clGetScreenCanvas(), screen);
    EXPECT_NE(screen->GetDCHandle(), nullptr);
    EXPECT_EQ(controls::clScreenPixelsPerInch(0), 96);
    gui::TFont font;
    EXPECT_GT(controls::clMeasureTextWidthInFont(&font, "Savings"), 0);
    controls::finalize();
    EXPECT_EQ(controls::clGetScreenCanvas(), nullptr);
    controls::initialize();
}

TEST_F(GraphicsTest, PlatformIsReportedAsXP)
{
    EXPECT_FALSE(controls::clPlatformWin9x());
    EXPECT_TRUE(controls::clPlatformNT4Up());
    EXPECT_TRUE(controls::clPlatformWin2000Up());
    EXPECT_TRUE(controls::clPlatformWinXPUp());
    EXPECT_FALSE(controls::clPlatformVistaUp());
}

}  // namespace
