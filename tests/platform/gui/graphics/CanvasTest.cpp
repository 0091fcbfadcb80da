// The canvas draws what the platform's own calls draw with the same settings: each picture here is drawn
// once through the canvas and once directly, and the two must match pixel for pixel.

#include "platform/gdi/Brush.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"

#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"

namespace {

using guitest::Surface;

class CanvasTest : public guitest::GuiTest {};

constexpr win::COLORREF kGround = win::RGB(0x33, 0x66, 0x99);

TEST_F(CanvasTest, TextOutInAFontMatchesExtTextOutWithItsLogicalFont)
{
    struct Case {
        const char* name;
        const char* face;
        int size;
        gui::TFontStyles style;
        gui::TColor color;
        gui::TBrushStyle brush;
    };
    const Case cases[] = {
        {"default font on the brush", nullptr, 0, 0, gui::clWindowText, gui::bsSolid},
        {"bold italic Arial 14, clear brush", "Arial", 14, (1 << gui::fsBold) | (1 << gui::fsItalic), gui::clRed,
         gui::bsClear},
        {"underlined Courier New 10", "Courier New", 10, 1 << gui::fsUnderline, gui::clNavy, gui::bsSolid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface drawn(120, 40, kGround);
        gui::TCanvas canvas;
        canvas.SetHandle(drawn.DC());
        if (c.face) {
            canvas.Font()->SetName(c.face);
            canvas.Font()->SetSize(c.size);
        }
        canvas.Font()->SetStyle(c.style);
        canvas.Font()->SetColor(c.color);
        canvas.Brush()->SetColor(gui::clYellow);
        canvas.Brush()->SetStyle(c.brush);
        canvas.TextOut(4, 6, "Savings 42%");
        const win::LOGFONT font = canvas.Font()->LogFont();
        canvas.SetHandle(nullptr);

        Surface reference(120, 40, kGround);
        win::HFONT handle = win::CreateFontIndirect(&font);
        win::HGDIOBJ old = win::SelectObject(reference.DC(), handle);
        win::SetTextColor(reference.DC(), gui::ColorToRGB(c.color));
        win::SetBkColor(reference.DC(), win::RGB(255, 255, 0));
        win::SetBkMode(reference.DC(), c.brush == gui::bsClear ? win::TRANSPARENT : win::OPAQUE);
        win::ExtTextOutA(reference.DC(), 4, 6, 0, nullptr, "Savings 42%", 11, nullptr);
        win::SelectObject(reference.DC(), old);
        win::DeleteObject(handle);

        std::string where;
        EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
        EXPECT_GT(drawn.Painted(kGround), 50);
    }
}

TEST_F(CanvasTest, TheDefaultFontIsEightPointMsSansSerif)
{
    gui::TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);  // -MulDiv(8, 96, 72)
    EXPECT_EQ(font.Color(), gui::clWindowText);
    EXPECT_EQ(font.Charset(), win::DEFAULT_CHARSET);
    EXPECT_EQ(font.Style(), 0);
    EXPECT_EQ(font.Pitch(), gui::fpDefault);
    const win::LOGFONT record = font.LogFont();
    EXPECT_EQ(record.lfHeight, -11);
    EXPECT_EQ(record.lfWeight, win::FW_NORMAL);
    EXPECT_EQ(record.lfFaceName.Str(), "MS Sans Serif");
}

// The sixteen pen modes mix as SetROP2's sixteen modes: a line of each over a striped ground.
TEST_F(CanvasTest, EachPenModeMixesAsItsRop2Mode)
{
    constexpr int kModes = 16;
    Surface drawn(kModes * 4, 8, kGround);
    Surface reference(kModes * 4, 8, kGround);
    for (Surface* surface : {&drawn, &reference}) {
        win::HBRUSH stripe = win::CreateSolidBrush(win::RGB(0xF0, 0x0F, 0x3C));
        const win::RECT band{0, 4, kModes * 4, 8};
        win::FillRect(surface->DC(), &band, stripe);
        win::DeleteObject(stripe);
    }
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Pen()->SetColor(static_cast<gui::TColor>(win::RGB(0xA5, 0x5A, 0xC3)));
    canvas.Pen()->SetWidth(2);
    win::HPEN pen = win::CreatePen(win::PS_SOLID, 2, win::RGB(0xA5, 0x5A, 0xC3));
    win::HGDIOBJ old = win::SelectObject(reference.DC(), pen);
    const int rop2[kModes] = {win::R2_BLACK,       win::R2_WHITE,      win::R2_NOP,         win::R2_NOT,
                              win::R2_COPYPEN,     win::R2_NOTCOPYPEN, win::R2_MERGEPENNOT, win::R2_MASKPENNOT,
                              win::R2_MERGENOTPEN, win::R2_MASKNOTPEN, win::R2_MERGEPEN,    win::R2_NOTMERGEPEN,
                              win::R2_MASKPEN,     win::R2_NOTMASKPEN, win::R2_XORPEN,      win::R2_NOTXORPEN};
    for (int mode = 0; mode < kModes; ++mode) {
        const int x = mode * 4 + 1;
        canvas.Pen()->SetMode(gui::TPenMode(mode));
        canvas.MoveTo(x, 0);
        canvas.LineTo(x, 8);
        win::SetROP2(reference.DC(), rop2[mode]);
        win::MoveToEx(reference.DC(), x, 0, nullptr);
        win::LineTo(reference.DC(), x, 8);
    }
    canvas.SetHandle(nullptr);
    win::SelectObject(reference.DC(), old);
    win::DeleteObject(pen);
    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_GT(drawn.Painted(kGround), 60);
}

// The six hatches paint their lines in the brush colour and leave the ground between them.
TEST_F(CanvasTest, EachHatchIsTheHatchBrushOfItsStyle)
{
    for (int hatch = win::HS_HORIZONTAL; hatch <= win::HS_DIAGCROSS; ++hatch) {
        SCOPED_TRACE(hatch);
        Surface drawn(20, 20, kGround);
        gui::TCanvas canvas;
        canvas.SetHandle(drawn.DC());
        canvas.Brush()->SetColor(gui::clLime);
        canvas.Brush()->SetStyle(gui::TBrushStyle(gui::bsHorizontal + hatch));
        canvas.FillRect(win::RECT{2, 3, 18, 17});
        canvas.SetHandle(nullptr);

        Surface reference(20, 20, kGround);
        win::HBRUSH brush = win::CreateHatchBrush(hatch, win::RGB(0, 255, 0));
        win::SetBkMode(reference.DC(), win::TRANSPARENT);
        const win::RECT rect{2, 3, 18, 17};
        win::FillRect(reference.DC(), &rect, brush);
        win::DeleteObject(brush);

        std::string where;
        EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
        EXPECT_GT(drawn.Painted(kGround), 10);
        EXPECT_LT(drawn.Painted(kGround), 16 * 14);
    }
}

TEST_F(CanvasTest, ShapesFramesAndPixelsUseThePenAndTheBrush)
{
    Surface drawn(40, 30, kGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Pen()->SetColor(gui::clBlue);
    canvas.Brush()->SetColor(gui::clWhite);
    canvas.Rectangle(1, 1, 15, 12);
    canvas.Ellipse(16, 1, 30, 12);
    canvas.RoundRect(1, 14, 20, 28, 6, 6);
    canvas.Brush()->SetColor(gui::clRed);
    canvas.FrameRect(win::RECT{22, 14, 38, 28});
    canvas.DrawFocusRect(win::RECT{24, 16, 36, 26});
    canvas.SetPixels(39, 0, gui::clFuchsia);
    EXPECT_EQ(canvas.Pixels(39, 0), gui::clFuchsia);
    EXPECT_EQ(canvas.PenPos().x, 0);
    canvas.SetHandle(nullptr);

    Surface reference(40, 30, kGround);
    const win::HDC dc = reference.DC();
    win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::RGB(0, 0, 255));
    win::HBRUSH white = win::CreateSolidBrush(win::RGB(255, 255, 255));
    win::HBRUSH red = win::CreateSolidBrush(win::RGB(255, 0, 0));
    win::HGDIOBJ oldPen = win::SelectObject(dc, pen);
    win::HGDIOBJ oldBrush = win::SelectObject(dc, white);
    win::Rectangle(dc, 1, 1, 15, 12);
    win::Ellipse(dc, 16, 1, 30, 12);
    win::RoundRect(dc, 1, 14, 20, 28, 6, 6);
    const win::RECT frame{22, 14, 38, 28};
    win::FrameRect(dc, &frame, red);
    const win::RECT focus{24, 16, 36, 26};
    win::DrawFocusRect(dc, &focus);
    win::SetPixel(dc, 39, 0, win::RGB(255, 0, 255));
    win::SelectObject(dc, oldPen);
    win::SelectObject(dc, oldBrush);
    for (win::HGDIOBJ object : {win::HGDIOBJ(pen), win::HGDIOBJ(white), win::HGDIOBJ(red)}) {
        win::DeleteObject(object);
    }
    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
}

// An object changed while selected is taken out of the context first, so its old handle can go.
TEST_F(CanvasTest, ChangingASelectedObjectDeselectsItAndDrawsWithTheNewOne)
{
    Surface drawn(10, 10, kGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Brush()->SetColor(gui::clRed);
    canvas.FillRect(win::RECT{0, 0, 5, 10});
    const win::HBRUSH first = canvas.Brush()->Handle();
    EXPECT_EQ(win::GetCurrentObject(drawn.DC(), win::OBJ_BRUSH), first);
    canvas.Brush()->SetColor(gui::clLime);
    EXPECT_EQ(win::GetObjectType(first), 0u);  // deleted, as nothing held it any more
    canvas.FillRect(win::RECT{5, 0, 10, 10});
    EXPECT_EQ(win::GetPixel(drawn.DC(), 2, 2), win::RGB(255, 0, 0));
    EXPECT_EQ(win::GetPixel(drawn.DC(), 7, 2), win::RGB(0, 255, 0));
    canvas.SetHandle(nullptr);
    EXPECT_EQ(win::GetCurrentObject(drawn.DC(), win::OBJ_BRUSH), win::GetStockObject(win::HOLLOW_BRUSH));
}

TEST_F(CanvasTest, ACanvasWithoutAContextRefusesToDraw)
{
    gui::TCanvas canvas;
    try {
        canvas.TextOut(0, 0, "x");
        FAIL() << "drew without a context";
    } catch (const rtl::EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Canvas does not allow drawing");
    }
}

TEST_F(CanvasTest, TextRectClipsAndExtentsMeasureInTheFont)
{
    Surface drawn(60, 20, kGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Font()->SetName("Arial");
    canvas.Font()->SetSize(12);
    const win::SIZE extent = canvas.TextExtent("Wide text");
    canvas.Brush()->SetColor(gui::clWhite);
    canvas.TextRect(win::RECT{10, 2, 30, 18}, 12, 3, "Wide text");
    win::SIZE measured;
    win::GetTextExtentPoint32A(drawn.DC(), "Wide text", 9, &measured);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(extent, measured);
    EXPECT_GT(extent.cx, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x : {0, 9, 30, 59}) {
            EXPECT_EQ(win::GetPixel(drawn.DC(), x, y), kGround) << x << ", " << y;
        }
    }
    EXPECT_EQ(win::GetPixel(drawn.DC(), 10, 2), win::RGB(255, 255, 255));  // the rectangle is filled
}

// CopyRect stretches with CopyMode; BrushCopy puts the brush where the bitmap has the colour.
TEST_F(CanvasTest, CopyRectAndBrushCopyMatchTheirBlits)
{
    gui::TBitmap source;
    source.SetSize(4, 4);
    source.Canvas()->Brush()->SetColor(gui::clRed);
    source.Canvas()->FillRect(win::RECT{0, 0, 2, 4});

    Surface drawn(20, 10, kGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.CopyRect(win::RECT{0, 0, 8, 8}, source.Canvas(), win::RECT{0, 0, 4, 4});
    canvas.Brush()->SetColor(gui::clBlue);
    canvas.BrushCopy(win::RECT{10, 0, 14, 4}, &source, win::RECT{0, 0, 4, 4}, gui::clRed);
    canvas.SetHandle(nullptr);

    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(win::GetPixel(drawn.DC(), x, y), x < 4 ? win::RGB(255, 0, 0) : win::RGB(255, 255, 255));
        }
    }
    for (int x = 10; x < 14; ++x) {
        EXPECT_EQ(win::GetPixel(drawn.DC(), x, 1), x < 12 ? win::RGB(0, 0, 255) : win::RGB(255, 255, 255)) << x;
    }
}

TEST_F(CanvasTest, LockCountsNestedLocks)
{
    gui::TCanvas canvas;
    canvas.Lock();
    EXPECT_TRUE(canvas.TryLock());
    EXPECT_EQ(canvas.LockCount(), 2);
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

}  // namespace
