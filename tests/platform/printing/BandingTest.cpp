// A page printed band by band equals, byte for byte, the same page drawn at once on a memory context of
// the printer's resolution: every kind of drawing, whatever the bands' height.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdiplus/GdiPlusBrush.h"
#include "platform/gdiplus/GdiPlusGraphics.h"
#include "platform/gdiplus/GdiPlusImage.h"
#include "platform/gdiplus/GdiPlusPen.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/detail/Banding.h"
#include "platform/text/TextOut.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <cstring>
#include <vector>

namespace {

using printingtest::PrintingTest;

// 24 x 32 mm at 300 dpi (283 x 378 pixels) with 2 mm margins.
win::Paper Label()
{
    return win::Paper{"custom_label", "Label", 2400, 3200, win::RECT{200, 200, 200, 200}};
}

win::HBITMAP Bitmap(int width, int height, int depth, const std::vector<std::uint32_t>& pixels)
{
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = static_cast<win::WORD>(depth);
    void* bits = nullptr;
    const win::HBITMAP bitmap = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (depth == 32) {
        std::memcpy(bits, pixels.data(), pixels.size() * 4);
    } else {
        auto* bytes = static_cast<std::uint8_t*>(bits);
        const int row = ((width * 24 + 31) / 32) * 4;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::memcpy(bytes + y * row + x * 3, &pixels[std::size_t(y * width + x)], 3);
            }
        }
    }
    return bitmap;
}

// The test page: something of every kind of drawing, most of it across many bands.
void DrawTestPage(win::HDC dc)
{
    using namespace win;
    // A 1-pixel grid.
    for (int x = 0; x < 330; x += 7) {
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, 235);
    }
    for (int y = 3; y < 235; y += 5) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, 330, y);
    }
    // Lines and shapes with wide, styled and extended pens and hatched and patterned brushes.
    HPEN wide = CreatePen(PS_SOLID, 5, RGB(200, 30, 30));
    HGDIOBJ oldPen = SelectObject(dc, wide);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
    HGDIOBJ oldBrush = SelectObject(dc, hatch);
    Ellipse(dc, 10, 10, 150, 200);
    SelectObject(dc, oldPen);
    DeleteObject(wide);  // selected out and deleted before the page ends
    HPEN dashed = CreatePen(PS_DASH, 1, RGB(0, 120, 0));
    SelectObject(dc, dashed);
    SetBkMode(dc, TRANSPARENT);
    RoundRect(dc, 120, 20, 300, 180, 40, 30);
    Pie(dc, 200, 100, 320, 230, 320, 100, 200, 230);
    const POINT zigzag[] = {{5, 220}, {60, 120}, {110, 225}, {170, 90}, {230, 210}};
    Polyline(dc, zigzag, 5);
    LOGBRUSH round{BS_SOLID, RGB(90, 0, 90), 0};
    HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 9, &round, 0, nullptr);
    SelectObject(dc, geometric);
    const POINT triangle[] = {{40, 40}, {300, 60}, {160, 220}};
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(dashed);
    DeleteObject(geometric);
    DeleteObject(hatch);

    // Bitmaps stretched up and down, a monochrome one, a transparent and a blended one.
    std::vector<std::uint32_t> small;
    for (int i = 0; i < 64; ++i) {
        small.push_back(0x00102030u * std::uint32_t(i % 8) + 0x00050000u * std::uint32_t(i / 8));
    }
    HBITMAP tiny = Bitmap(8, 8, 24, small);
    std::vector<std::uint32_t> large;
    for (int i = 0; i < 200 * 160; ++i) {
        large.push_back(std::uint32_t((i * 2654435761u) >> 8) & 0x00FFFFFF);
    }
    HBITMAP big = Bitmap(200, 160, 24, large);
    std::vector<std::uint32_t> translucent;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t alpha = std::uint32_t(x * 4);
            translucent.push_back(alpha << 24 | (alpha * 3 / 4) << 16 | (alpha / 2) << 8 | std::uint32_t(y));
        }
    }
    HBITMAP blended = Bitmap(60, 40, 32, translucent);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(source, tiny);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 20, 60, 130, 110, source, 0, 0, 8, 8, SRCCOPY);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 180, 5, 45, 90, source, 1, 1, 6, 6, SRCINVERT);
    TransparentBlt(dc, 240, 150, 80, 80, source, 0, 0, 8, 8, RGB(0, 0, 0));
    SelectObject(source, big);
    StretchBlt(dc, 230, 20, 90, 70, source, 0, 0, 200, 160, SRCCOPY);
    SelectObject(source, blended);
    AlphaBlend(dc, 30, 150, 180, 80, source, 0, 0, 60, 40, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    AlphaBlend(dc, 100, 10, 60, 200, source, 0, 0, 60, 40, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0});
    const BYTE stripes[] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, stripes);
    SelectObject(source, mono);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, RGB(255, 255, 200));
    StretchBlt(dc, 160, 120, 64, 96, source, 0, 0, 8, 8, SRCCOPY);
    SelectObject(source, oldBitmap);
    DeleteDC(source);
    DeleteObject(tiny);
    DeleteObject(big);
    DeleteObject(blended);
    DeleteObject(mono);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } dib{};
    dib.header.biWidth = 8;
    dib.header.biHeight = 8;  // bottom-up
    dib.header.biBitCount = 1;
    dib.colours[1] = RGBQUAD{255, 128, 0, 0};
    const BYTE checks[] = {0xCC, 0, 0, 0, 0x33, 0, 0, 0, 0xCC, 0, 0, 0, 0x33, 0, 0, 0,
                           0xCC, 0, 0, 0, 0x33, 0, 0, 0, 0xCC, 0, 0, 0, 0x33, 0, 0, 0};
    StretchDIBits(dc, 250, 100, 70, 120, 0, 0, 8, 8, checks, reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCAND);

    // A gradient, regions and a pattern fill, inverted and framed.
    TRIVERTEX corners[] = {{0, 190, 0xFF00, 0, 0, 0}, {330, 235, 0, 0x8000, 0xFF00, 0}, {165, 100, 0, 0xFF00, 0, 0}};
    GRADIENT_RECT across{0, 1};
    GradientFill(dc, corners, 2, &across, 1, GRADIENT_FILL_RECT_H);
    GRADIENT_TRIANGLE middle{0, 1, 2};
    GradientFill(dc, corners, 3, &middle, 1, GRADIENT_FILL_TRIANGLE);
    HRGN oval = CreateEllipticRgn(60, 30, 280, 140);
    InvertRgn(dc, oval);
    HBRUSH frame = CreateSolidBrush(RGB(0, 0, 0));
    FrameRgn(dc, oval, frame, 3, 2);
    DeleteObject(frame);
    RECT raised{8, 100, 90, 150};
    DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT);
    PatBlt(dc, 300, 0, 30, 235, DSTINVERT);

    // Text: plain, opaque in a rectangle, turned, justified and from the current position; clipped.
    LOGFONT font{};
    font.lfHeight = -42;
    font.lfFaceName = "Arial";
    HFONT face = CreateFontIndirect(&font);
    HGDIOBJ oldFont = SelectObject(dc, face);
    SetTextColor(dc, RGB(20, 20, 20));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 12, 40, "Rivuve Savings", 14);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 240, 0));
    const RECT box{40, 110, 300, 170};
    ExtTextOutA(dc, 45, 115, ETO_OPAQUE | ETO_CLIPPED, &box, "kWh per year", 12, nullptr);
    SetTextJustification(dc, 30, 2);
    TextOutA(dc, 5, 180, "a b c", 5);
    SetTextAlign(dc, TA_UPDATECP | TA_BASELINE);
    MoveToEx(dc, 200, 225, nullptr);
    TextOutA(dc, 0, 0, "Cost", 4);
    TextOutA(dc, 0, 0, "!", 1);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SelectObject(dc, oldFont);
    DeleteObject(face);
    font.lfEscapement = font.lfOrientation = 900;
    font.lfHeight = -30;
    HFONT turned = CreateFontIndirect(&font);
    SelectObject(dc, turned);
    SetBkMode(dc, TRANSPARENT);
    SaveDC(dc);
    IntersectClipRect(dc, 0, 60, 330, 200);
    TextOutA(dc, 300, 230, "Payback", 7);
    RestoreDC(dc, -1);
    SelectObject(dc, oldFont);
    DeleteObject(turned);

    // An enhanced metafile played onto the page.
    HDC recorder = CreateEnhMetaFileA(dc, nullptr, nullptr, nullptr);
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 60));
    SelectObject(recorder, green);
    Rectangle(recorder, 0, 0, 100, 60);
    MoveToEx(recorder, 0, 60, nullptr);
    LineTo(recorder, 100, 0);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    DeleteObject(green);
    const RECT where{150, 150, 250, 230};
    PlayEnhMetaFile(dc, metafile, &where);
    DeleteEnhMetaFile(metafile);

    // GDI+: a translucent fill, a wide line of a gradient and a translucent image.
    using namespace win::gdiplus;
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(dc, &graphics), Ok);
    GpSolidFill* fill = nullptr;
    GdipCreateSolidFill(0x800070C0, &fill);
    EXPECT_EQ(GdipFillRectangleI(graphics, fill, 50, 20, 230, 60), Ok);
    GpRect gradientBox{0, 0, 330, 235};
    GpLineGradient* gradient = nullptr;
    GdipCreateLineBrushFromRectI(&gradientBox, 0xFFFF0000, 0x400000FF, LinearGradientModeForwardDiagonal,
                                 WrapModeTile, &gradient);
    GpPen* pen = nullptr;
    GdipCreatePen2(gradient, 6, UnitPixel, &pen);
    GdipDrawLineI(graphics, pen, 0, 235, 330, 0);
    GpBitmap* image = nullptr;
    GdipCreateBitmapFromScan0(60, 40, 60 * 4, PixelFormat32bppARGB, translucent.data(), &image);
    EXPECT_EQ(GdipDrawImageRectI(graphics, image, 10, 20, 120, 200), Ok);
    GdipDisposeImage(image);
    GdipDeletePen(pen);
    GdipDeleteBrush(gradient);
    GdipDeleteBrush(fill);
    GdipDeleteGraphics(graphics);
    SetPixel(dc, 329, 234, RGB(1, 2, 3));
}

class BandingTest : public PrintingTest {
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        backend_->AddPrinter(win::MemoryPrintBackend::MakePrinter("Label", {300, 300}, {Label()}));
        win::gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(win::gdiplus::GdiplusStartup(&token_, &input, nullptr), win::gdiplus::Ok);
    }
    void TearDown() override
    {
        win::detail::SetBandThickness(0);
        win::gdiplus::GdiplusShutdown(token_);
        PrintingTest::TearDown();
    }

    win::ULONG_PTR token_ = 0;

    // The printable part drawn at once on a memory context of the printer's kind.
    std::vector<std::uint32_t> DrawAtOnce(win::HDC printer, int width, int height)
    {
        win::BITMAPINFO info;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const win::HBITMAP bitmap = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
        const win::HDC memory = win::CreateCompatibleDC(printer);
        win::SelectObject(memory, bitmap);
        const win::RECT all{0, 0, width, height};
        win::FillRect(memory, &all, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
        DrawTestPage(memory);
        win::GdiFlush();
        std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                          static_cast<const std::uint32_t*>(bits) + std::size_t(width) * height);
        for (std::uint32_t& pixel : pixels) {
            pixel &= 0x00FFFFFF;
        }
        win::DeleteDC(memory);
        win::DeleteObject(bitmap);
        return pixels;
    }

    // The page printed with bands of a thickness (0: the default), and the same page drawn at once.
    void ExpectBandsEqualOnePiece(int thickness, const win::DEVMODEA* mode)
    {
        SCOPED_TRACE("bands of " + std::to_string(thickness));
        win::detail::SetBandThickness(thickness);
        const win::HDC dc = win::CreateDCA(nullptr, "Label", nullptr, mode);
        const int width = win::GetDeviceCaps(dc, win::HORZRES);
        const int height = win::GetDeviceCaps(dc, win::VERTRES);
        const int left = win::GetDeviceCaps(dc, win::PHYSICALOFFSETX);
        const int top = win::GetDeviceCaps(dc, win::PHYSICALOFFSETY);
        const std::vector<std::uint32_t> expected = DrawAtOnce(dc, width, height);
        win::DOCINFOA info;
        ASSERT_GT(win::StartDocA(dc, &info), 0);
        win::StartPage(dc);
        DrawTestPage(dc);
        ASSERT_GT(win::EndPage(dc), 0);
        win::EndDoc(dc);
        win::DeleteDC(dc);
        const win::MemoryPrintBackend::Page& page = backend_->Jobs().back().pages.back();
        const bool turned = page.order.turned;
        int differences = 0;
        std::string first;
        for (int y = 0; y < page.height; ++y) {
            for (int x = 0; x < page.width; ++x) {
                // A turned page's rows are the drawn page's columns from the right.
                const int px = turned ? page.height - 1 - y : x;
                const int py = turned ? x : y;
                const int ix = px - left;
                const int iy = py - top;
                const bool inside = ix >= 0 && iy >= 0 && ix < width && iy < height;
                const std::uint32_t want = inside ? expected[std::size_t(iy) * width + ix] : 0x00FFFFFFu;
                if (page.Pixel(x, y) != want && differences++ == 0) {
                    first = "(" + std::to_string(px) + ", " + std::to_string(py) + ")";
                }
            }
        }
        EXPECT_EQ(differences, 0) << "first at " << first;
    }
};

TEST_F(BandingTest, APagePrintedInBandsEqualsThePageDrawnAtOnce)
{
    for (const int thickness : {1, 7, 64, 0}) {
        ExpectBandsEqualOnePiece(thickness, nullptr);
    }
}

// A printing system that wants landscape pages as the upright sheet gets the drawing turned a quarter
// counter-clockwise, drawn in bands of columns.
TEST_F(BandingTest, ALandscapePageTurnedForTheSheetEqualsThePageDrawnAtOnce)
{
    backend_->TurnLandscape(true);
    win::DEVMODEA mode;
    mode.dmSize = sizeof(mode);
    mode.dmFields = win::DM_ORIENTATION;
    mode.dmOrientation = win::DMORIENT_LANDSCAPE;
    for (const int thickness : {1, 7, 64, 0}) {
        ExpectBandsEqualOnePiece(thickness, &mode);
    }
    EXPECT_TRUE(backend_->Jobs().back().pages.back().order.turned);
    EXPECT_EQ(backend_->Jobs().back().pages.back().width, 283);  // the upright sheet
}

}  // namespace
