// Drawing devices: every drawing call of the GDI, the text library, the image lists and GDI+ reaches the
// device of its context exactly once (composite drawing as the fills and images it is made of), a
// metafile context has no pixels to read, and an information context draws nothing.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdiplus/GdiPlusBrush.h"
#include "platform/gdiplus/GdiPlusGraphics.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextOut.h"

#include "tests/platform/metafile/MetafileFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;

using Calls = std::map<std::string, int>;

// Counts what arrives and draws nothing.
class CountingDevice final : public DrawingDevice {
public:
    explicit CountingDevice(Calls& calls) : calls_(calls) {}

    Region Reach(const DeviceContext&) const override { return Region(RECT{-10000, -10000, 10000, 10000}); }
    BOOL LineTo(DeviceContext&, int, int) override { return Count("LineTo"); }
    BOOL Poly(DeviceContext&, PolyShape shape, const POINT*, std::size_t) override
    {
        return Count(shape == PolyShape::Polygon ? "Polygon" : shape == PolyShape::Polyline ? "Polyline" : "PolylineTo");
    }
    BOOL PolyPoly(DeviceContext&, PolyPolyShape shape, const POINT*, const DWORD*, std::size_t) override
    {
        return Count(shape == PolyPolyShape::PolyPolygon ? "PolyPolygon" : "PolyPolyline");
    }
    BOOL Box(DeviceContext&, BoxShape shape, const RECT&) override
    {
        return Count(shape == BoxShape::Rectangle ? "Rectangle" : "Ellipse");
    }
    BOOL RoundRect(DeviceContext&, const RECT&, SIZE) override { return Count("RoundRect"); }
    BOOL Arc(DeviceContext&, ArcShape, const RECT&, POINT, POINT) override { return Count("Arc"); }
    COLORREF SetPixel(DeviceContext&, int, int, COLORREF color) override { return Count("SetPixel"), color; }
    COLORREF GetPixel(DeviceContext&, int, int) override { return Count("GetPixel"), 0; }
    BOOL FillRgn(DeviceContext&, const Region&, HBRUSH) override { return Count("FillRgn"); }
    BOOL FrameRgn(DeviceContext&, const Region&, HBRUSH, int, int) override { return Count("FrameRgn"); }
    BOOL InvertRgn(DeviceContext&, const Region&) override { return Count("InvertRgn"); }
    BOOL PaintRgn(DeviceContext&, const Region&) override { return Count("PaintRgn"); }
    BOOL PaintDevice(DeviceContext&, const Region&, const BrushPaint&, int) override { return Count("PaintDevice"); }
    BOOL PaintPixels(DeviceContext&, const RECT&, const RowPaint&) override { return Count("PaintPixels"); }
    BOOL Blit(DeviceContext&, BlitKind kind, int, int, int, int, HDC, int, int, int, int, DWORD) override
    {
        static const char* const names[] = {"BitBlt", "StretchBlt", "TransparentBlt", "AlphaBlend"};
        return Count(names[static_cast<int>(kind)]);
    }
    BOOL MaskBlt(DeviceContext&, int, int, int, int, HDC, int, int, BitmapObject&, POINT, DWORD) override
    {
        return Count("MaskBlt");
    }
    BOOL PatBlt(DeviceContext&, int, int, int, int, DWORD) override { return Count("PatBlt"); }
    int StretchDIBits(DeviceContext&, int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*,
                      DWORD) override
    {
        return Count("StretchDIBits");
    }
    BOOL GradientFill(DeviceContext&, const TRIVERTEX*, ULONG, const void*, ULONG, ULONG) override
    {
        return Count("GradientFill");
    }
    BOOL Text(DeviceContext&, const TextLayout&) override { return Count("Text"); }

private:
    BOOL Count(const std::string& name)
    {
        ++calls_[name];
        return TRUE;
    }
    Calls& calls_;
};

class DrawingDeviceTest : public wintest::MetafileLibraryTest {
protected:
    void SetUp() override
    {
        MetafileLibraryTest::SetUp();
        gdiplus::GdiplusStartupInput input;
        gdiplus::GdiplusStartup(&token_, &input, nullptr);
        auto context = std::make_unique<DeviceContext>(OBJ_DC, std::make_unique<CountingDevice>(calls_));
        context->device.resolution = SIZE{640, 480};
        counted_ = AddDC(std::move(context));
        source_ = CreateCompatibleDC(nullptr);
        sourceBitmap_ = CreateCompatibleBitmap(source_, 8, 8);
        SelectObject(source_, sourceBitmap_);
        mask_ = CreateBitmap(8, 8, 1, 1, nullptr);
        images_ = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
        HBITMAP picture = CreateCompatibleBitmap(source_, 8, 8);
        ImageList_Add(images_, picture, nullptr);
        DeleteObject(picture);
    }
    void TearDown() override
    {
        ImageList_Destroy(images_);
        DeleteObject(mask_);
        DeleteDC(source_);
        DeleteObject(sourceBitmap_);
        DeleteDC(counted_);
        gdiplus::GdiplusShutdown(token_);
        MetafileLibraryTest::TearDown();
    }

    Calls calls_;
    HDC counted_ = nullptr;
    HDC source_ = nullptr;
    HBITMAP sourceBitmap_ = nullptr;
    HBITMAP mask_ = nullptr;
    HIMAGELIST images_ = nullptr;
    ULONG_PTR token_ = 0;
};

TEST_F(DrawingDeviceTest, EveryDrawingCallReachesTheDeviceOnce)
{
    const POINT points[] = {{0, 0}, {10, 4}, {4, 10}, {20, 20}, {30, 4}, {24, 10}};
    const int counts[] = {3, 3};
    const DWORD lineCounts[] = {3, 3};
    const RECT box{2, 2, 30, 20};
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    std::uint8_t bits[64] = {};
    BITMAPINFO info;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biBitCount = 32;
    const TRIVERTEX corners[] = {{0, 0, 0xFF00, 0, 0, 0}, {20, 10, 0, 0, 0xFF00, 0}};
    const GRADIENT_RECT shade{0, 1};
    struct Case {
        const char* call;
        std::function<bool(HDC)> draw;
        const char* arrives;  // the device call it arrives as
    };
    const Case cases[] = {
        {"LineTo", [&](HDC dc) { return LineTo(dc, 5, 5) != FALSE; }, "LineTo"},
        {"Polyline", [&](HDC dc) { return Polyline(dc, points, 3) != FALSE; }, "Polyline"},
        {"PolylineTo", [&](HDC dc) { return PolylineTo(dc, points, 3) != FALSE; }, "PolylineTo"},
        {"PolyPolyline", [&](HDC dc) { return PolyPolyline(dc, points, lineCounts, 2) != FALSE; }, "PolyPolyline"},
        {"Polygon", [&](HDC dc) { return Polygon(dc, points, 3) != FALSE; }, "Polygon"},
        {"PolyPolygon", [&](HDC dc) { return PolyPolygon(dc, points, counts, 2) != FALSE; }, "PolyPolygon"},
        {"Rectangle", [&](HDC dc) { return Rectangle(dc, 1, 1, 9, 9) != FALSE; }, "Rectangle"},
        {"Ellipse", [&](HDC dc) { return Ellipse(dc, 1, 1, 9, 9) != FALSE; }, "Ellipse"},
        {"RoundRect", [&](HDC dc) { return RoundRect(dc, 1, 1, 9, 9, 3, 3) != FALSE; }, "RoundRect"},
        {"Pie", [&](HDC dc) { return Pie(dc, 1, 1, 9, 9, 9, 1, 1, 9) != FALSE; }, "Arc"},
        {"SetPixel", [&](HDC dc) { return SetPixel(dc, 1, 1, RGB(1, 2, 3)) != CLR_INVALID; }, "SetPixel"},
        {"GetPixel", [&](HDC dc) { return GetPixel(dc, 1, 1) != CLR_INVALID; }, "GetPixel"},
        {"FillRect", [&](HDC dc) { return FillRect(dc, &box, brush) != 0; }, "FillRgn"},
        {"FillRgn", [&](HDC dc) { return FillRgn(dc, region, brush) != FALSE; }, "FillRgn"},
        {"PaintRgn", [&](HDC dc) { return PaintRgn(dc, region) != FALSE; }, "PaintRgn"},
        {"FrameRgn", [&](HDC dc) { return FrameRgn(dc, region, brush, 1, 1) != FALSE; }, "FrameRgn"},
        {"InvertRgn", [&](HDC dc) { return InvertRgn(dc, region) != FALSE; }, "InvertRgn"},
        {"BitBlt", [&](HDC dc) { return BitBlt(dc, 0, 0, 8, 8, source_, 0, 0, SRCCOPY) != FALSE; }, "BitBlt"},
        {"BitBlt without source", [&](HDC dc) { return BitBlt(dc, 0, 0, 8, 8, nullptr, 0, 0, PATCOPY) != FALSE; }, "PatBlt"},
        {"StretchBlt", [&](HDC dc) { return StretchBlt(dc, 0, 0, 16, 16, source_, 0, 0, 8, 8, SRCCOPY) != FALSE; },
         "StretchBlt"},
        {"TransparentBlt", [&](HDC dc) { return TransparentBlt(dc, 0, 0, 8, 8, source_, 0, 0, 8, 8, 0) != FALSE; },
         "TransparentBlt"},
        {"AlphaBlend",
         [&](HDC dc) { return AlphaBlend(dc, 0, 0, 8, 8, source_, 0, 0, 8, 8, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0}) != FALSE; },
         "AlphaBlend"},
        {"MaskBlt", [&](HDC dc) { return MaskBlt(dc, 0, 0, 8, 8, source_, 0, 0, mask_, 0, 0, SRCCOPY) != FALSE; },
         "MaskBlt"},
        {"PatBlt", [&](HDC dc) { return PatBlt(dc, 0, 0, 8, 8, PATINVERT) != FALSE; }, "PatBlt"},
        {"StretchDIBits",
         [&](HDC dc) { return StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 4, 4, bits, &info, DIB_RGB_COLORS, SRCCOPY) != 0; },
         "StretchDIBits"},
        {"GradientFill", [&](HDC dc) { return GradientFill(dc, corners, 2, &shade, 1, GRADIENT_FILL_RECT_H) != FALSE; },
         "GradientFill"},
        {"TextOut", [&](HDC dc) { return TextOutW(dc, 0, 0, u"ab", 2) != FALSE; }, "Text"},
        {"ExtTextOut", [&](HDC dc) { return ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, u"ab", 2, nullptr) != FALSE; }, "Text"},
        {"TabbedTextOut", [&](HDC dc) { return TabbedTextOutW(dc, 0, 0, u"a\tb", 3, 0, nullptr, 0) != 0; }, "Text"},
    };
    for (const Case& c : cases) {
        calls_.clear();
        EXPECT_TRUE(c.draw(counted_)) << c.call;
        EXPECT_EQ(calls_, (Calls{{c.arrives, 1}})) << c.call;
    }
    DeleteObject(region);
    DeleteObject(brush);
}

TEST_F(DrawingDeviceTest, CompositeDrawingArrivesAsFillsAndImages)
{
    struct Case {
        const char* call;
        std::function<void(HDC)> draw;
    };
    const Case cases[] = {
        {"DrawEdge",
         [](HDC dc) {
             RECT edge{0, 0, 20, 20};
             DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
         }},
        {"DrawFocusRect",
         [](HDC dc) {
             const RECT focus{0, 0, 20, 20};
             DrawFocusRect(dc, &focus);
         }},
        {"FrameRect",
         [](HDC dc) {
             const RECT frame{0, 0, 20, 20};
             FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
         }},
        {"InvertRect",
         [](HDC dc) {
             const RECT inverted{0, 0, 20, 20};
             InvertRect(dc, &inverted);
         }},
        {"DrawFrameControl",
         [](HDC dc) {
             RECT check{0, 0, 13, 13};
             DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
         }},
        {"ImageList_Draw", [this](HDC dc) { ImageList_Draw(images_, 0, dc, 0, 0, ILD_NORMAL); }},
        {"GDI+ fill",
         [](HDC dc) {
             gdiplus::GpGraphics* graphics = nullptr;
             gdiplus::GpSolidFill* fill = nullptr;
             gdiplus::GdipCreateFromHDC(dc, &graphics);
             gdiplus::GdipCreateSolidFill(0x8000FF80, &fill);
             gdiplus::GdipFillRectangleI(graphics, fill, 0, 0, 14, 10);
             gdiplus::GdipDeleteBrush(fill);
             gdiplus::GdipDeleteGraphics(graphics);
         }},
    };
    for (const Case& c : cases) {
        calls_.clear();
        c.draw(counted_);
        int parts = 0;
        for (const auto& [name, count] : calls_) {
            EXPECT_TRUE(name == "PaintDevice" || name == "PaintPixels" || name == "FillRgn" || name == "Text")
                << c.call << " arrives as " << name;
            parts += count;
        }
        EXPECT_GT(parts, 0) << c.call;
    }
}

TEST_F(DrawingDeviceTest, AMetafileContextHasNoPixelsAndAnInformationContextDrawsNothing)
{
    HDC recording = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(recording, nullptr);
    EXPECT_EQ(SetPixel(recording, 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(recording, 1, 1), CLR_INVALID) << "a recording has no pixels to read back";
    DeleteEnhMetaFile(CloseEnhMetaFile(recording));

    Device device;
    device.resolution = SIZE{100, 100};
    HDC information = CreateInformationDC(device);
    ASSERT_NE(information, nullptr);
    EXPECT_EQ(GetDeviceCaps(information, HORZRES), 100);
    const RECT box{0, 0, 10, 10};
    EXPECT_EQ(FillRect(information, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_FALSE(Rectangle(information, 0, 0, 10, 10));
    EXPECT_FALSE(TextOutW(information, 0, 0, u"a", 1));
    EXPECT_EQ(SetPixel(information, 1, 1, 0), CLR_INVALID);
    EXPECT_NE(SaveDC(information), 0) << "its state works as on any context";
    EXPECT_TRUE(DeleteDC(information));
}

}  // namespace
