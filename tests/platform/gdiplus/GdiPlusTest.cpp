#include "platform/gdiplus/GdiPlusGraphics.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/gdi/DeviceContext.h"
#include "tests/platform/gdiplus/GdiPlusFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;
using namespace win::gdiplus;

// Independent references: straight to premultiplied, one channel at a time, rounded to nearest.
std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

std::uint32_t ReferencePremultiply(std::uint32_t argb)
{
    const double alpha = Channel(argb, 24);
    std::uint32_t result = argb & 0xFF000000;
    for (int shift : {16, 8, 0}) {
        result |= static_cast<std::uint32_t>(std::lround(Channel(argb, shift) * alpha / 255)) << shift;
    }
    return result;
}

// Source over an opaque destination, as the premultiplied source plus the rounded remainder.
std::uint32_t ReferenceOver(std::uint32_t premultiplied, std::uint32_t opaque)
{
    const double rest = 255 - Channel(premultiplied, 24);
    std::uint32_t result = 0;
    for (int shift : {16, 8, 0}) {
        result |= (Channel(premultiplied, shift) + static_cast<std::uint32_t>(std::lround(Channel(opaque, shift) * rest / 255))) << shift;
    }
    return result;
}

class GdiPlusTest : public wintest::GdiPlusLibraryTest {
protected:
    void SetUp() override
    {
        GdiPlusLibraryTest::SetUp();
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }
    void TearDown() override
    {
        GdiplusShutdown(token_);
        GdiPlusLibraryTest::TearDown();
    }
    static GpBitmap* FromPixels(int width, int height, PixelFormat format, const std::vector<std::uint32_t>& pixels)
    {
        GpBitmap* bitmap = nullptr;
        EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, width * 4, format, pixels.data(), &bitmap), Ok);
        return bitmap;
    }
    static ARGB PixelOf(GpBitmap* bitmap, int x, int y)
    {
        ARGB color = 0;
        EXPECT_EQ(GdipBitmapGetPixel(bitmap, x, y, &color), Ok);
        return color;
    }

    ULONG_PTR token_ = 0;
};

TEST(GdiPlusStartup, EntryPointsWaitForStartUp)
{
    EXPECT_TRUE(GdiPlusPresent());
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, nullptr, &bitmap), GdiplusNotInitialized);
    GdiplusStartupInput input;
    input.SuppressBackgroundThread = TRUE;
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), InvalidParameter);
    GdiplusStartupOutput output;
    ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
    ASSERT_NE(output.NotificationHook, nullptr);
    ULONG_PTR hook = 0;
    EXPECT_EQ(output.NotificationHook(&hook), Ok);
    output.NotificationUnhook(hook);
    EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
    GdiplusShutdown(token);
    EXPECT_FALSE(GdiPlusStarted());
    input.GdiplusVersion = 2;
    EXPECT_EQ(GdiplusStartup(&token, &input, &output), InvalidParameter);
}

TEST_F(GdiPlusTest, LockBitsConvertsBetweenFormats)
{
    const std::vector<std::uint32_t> pixels{0x80FF8040, 0x00123456, 0xFF102030, 0x01FFFFFF};
    GpBitmap* bitmap = FromPixels(2, 2, PixelFormat32bppARGB, pixels);
    BitmapData data;
    ASSERT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppPARGB, &data), Ok);
    EXPECT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), WrongState);
    auto* locked = static_cast<std::uint32_t*>(data.Scan0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(locked[i], ReferencePremultiply(pixels[static_cast<std::size_t>(i)])) << i;
    }
    locked[2] = 0x80402010;  // premultiplied: straight 0x80804020
    ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
    EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), WrongState);
    EXPECT_EQ(PixelOf(bitmap, 0, 1), 0x80804020u);
    EXPECT_EQ(PixelOf(bitmap, 1, 0), 0u);  // alpha 0 has no colour once premultiplied

    // A caller's buffer and a part of the bitmap, read as opaque colours over black.
    std::uint32_t buffer[2] = {};
    BitmapData user;
    user.Scan0 = buffer;
    user.Stride = 8;
    const GpRect row{0, 0, 2, 1};
    ASSERT_EQ(GdipBitmapLockBits(bitmap, &row, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppRGB, &user), Ok);
    EXPECT_EQ(buffer[0], ReferencePremultiply(pixels[0]) | 0xFF000000);
    EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &user), Ok);
    const GpRect outside{1, 1, 2, 1};
    EXPECT_EQ(GdipBitmapLockBits(bitmap, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data), InvalidParameter);
    GdipDisposeImage(bitmap);
}

TEST_F(GdiPlusTest, PictureStreamsLoadAndPngSavesRoundTrip)
{
    const std::vector<std::uint32_t> pixels{0x80FF8040, 0x00000000, 0xFF102030, 0x40FFFFFF, 0xFF000000, 0x7F7F7F7F};
    GpBitmap* bitmap = FromPixels(3, 2, PixelFormat32bppARGB, pixels);
    UINT count = 0;
    UINT size = 0;
    ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    std::vector<char> store(size);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(store.data());
    ASSERT_EQ(GdipGetImageEncoders(count, size, encoders), Ok);
    ASSERT_EQ(std::u16string(encoders[0].MimeType), u"image/png");
    rtl::TMemoryStream stream;
    ASSERT_EQ(GdipSaveImageToStream(bitmap, &stream, &encoders[0].Clsid, nullptr), Ok);
    stream.SetPosition(0);
    GpBitmap* loaded = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromStream(&stream, &loaded), Ok);
    REAL width = 0;
    REAL height = 0;
    ASSERT_EQ(GdipGetImageDimension(loaded, &width, &height), Ok);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PixelOf(loaded, i % 3, i / 3), pixels[static_cast<std::size_t>(i)]) << i;
    }
    GdipDisposeImage(loaded);

    // A Windows bitmap is read too; its pixels without alpha are opaque.
    Image picture(2, 1);
    picture.SetPixel(0, 0, 0xFF112233);
    picture.SetPixel(1, 0, 0xFF445566);
    rtl::TStringStream bmp(WriteBmp(picture, 24));
    ASSERT_EQ(GdipLoadImageFromStream(&bmp, &loaded), Ok);
    EXPECT_EQ(PixelOf(loaded, 1, 0), 0xFF445566u);
    GdipDisposeImage(loaded);

    rtl::TStringStream unknown("not a picture at all");
    EXPECT_EQ(GdipCreateBitmapFromStream(&unknown, &loaded), UnknownImageFormat);
    rtl::TStringStream damaged(std::string(stream.Memory(), 40));
    EXPECT_EQ(GdipCreateBitmapFromStream(&damaged, &loaded), InvalidParameter);
    const CLSID other{};
    EXPECT_EQ(GdipSaveImageToStream(bitmap, &stream, &other, nullptr), InvalidParameter);
    GdipDisposeImage(bitmap);
}

// A 3 x 2 source of premultiplied-friendly values stretched onto a 7 x 5 bitmap, compared with a
// per-pixel computation of the documented sampling.
TEST_F(GdiPlusTest, DrawImageRectRectSamplesNearestAndBilinear)
{
    const std::vector<std::uint32_t> pixels{0xFF0000FF, 0x80FF0000, 0xFF00FF00, 0x00000000, 0xFFFFFFFF, 0x40404040};
    GpBitmap* source = FromPixels(3, 2, PixelFormat32bppPARGB, pixels);
    for (InterpolationMode mode : {InterpolationModeNearestNeighbor, InterpolationModeBilinear, InterpolationModeHighQualityBicubic}) {
        SCOPED_TRACE(mode);
        GpBitmap* target = nullptr;
        ASSERT_EQ(GdipCreateBitmapFromScan0(7, 5, 0, PixelFormat32bppPARGB, nullptr, &target), Ok);
        GpGraphics* graphics = nullptr;
        ASSERT_EQ(GdipGetImageGraphicsContext(target, &graphics), Ok);
        ASSERT_EQ(GdipSetInterpolationMode(graphics, mode), Ok);
        // Destination (0.5, 0.25) .. (6.5, 4.75) from source (0.5, 0) .. (3, 2).
        ASSERT_EQ(GdipDrawImageRectRect(graphics, source, 0.5f, 0.25f, 6, 4.5f, 0.5f, 0, 2.5f, 2, UnitPixel), Ok);
        const auto at = [&](int x, int y) -> std::uint32_t {
            if (x < 0 || y < 0 || x >= 3 || y >= 2) {
                return 0;
            }
            return pixels[static_cast<std::size_t>(y * 3 + x)];
        };
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                const bool inside = x + 0.5 >= 0.5 && x + 0.5 < 6.5 && y + 0.5 >= 0.25 && y + 0.5 < 4.75;
                std::uint32_t expected = 0;
                if (inside) {
                    const double u = 0.5 + (x + 0.5 - 0.5) * 2.5 / 6;
                    const double v = (y + 0.5 - 0.25) * 2 / 4.5;
                    if (mode == InterpolationModeNearestNeighbor) {
                        expected = at(std::min(2, static_cast<int>(u)), std::min(1, static_cast<int>(v)));
                    } else {
                        const int left = static_cast<int>(std::floor(u - 0.5));
                        const int top = static_cast<int>(std::floor(v - 0.5));
                        const double fx = std::round((u - 0.5 - left) * 256) / 256;
                        const double fy = std::round((v - 0.5 - top) * 256) / 256;
                        for (int shift : {24, 16, 8, 0}) {
                            const double value = Channel(at(left, top), shift) * (1 - fx) * (1 - fy) + Channel(at(left + 1, top), shift) * fx * (1 - fy)
                                                 + Channel(at(left, top + 1), shift) * (1 - fx) * fy + Channel(at(left + 1, top + 1), shift) * fx * fy;
                            expected |= static_cast<std::uint32_t>(std::floor(value + 0.5)) << shift;
                        }
                    }
                }
                BitmapData data;
                const GpRect one{x, y, 1, 1};
                ASSERT_EQ(GdipBitmapLockBits(target, &one, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
                EXPECT_EQ(*static_cast<std::uint32_t*>(data.Scan0), expected) << x << "," << y;
                GdipBitmapUnlockBits(target, &data);
            }
        }
        GdipDeleteGraphics(graphics);
        GdipDisposeImage(target);
    }
    GdipDisposeImage(source);
}

// A memory device context of 8 x 6 grey pixels with the window origin at (2, 1) and a clip.
class GdiPlusDcTest : public GdiPlusTest {
protected:
    void SetUp() override
    {
        GdiPlusTest::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, 8, 6);
        SelectObject(dc_, bitmap_);
        const HBRUSH grey = CreateSolidBrush(RGB(100, 150, 200));
        const RECT all{0, 0, 8, 6};
        FillRect(dc_, &all, grey);
        DeleteObject(grey);
        SetWindowOrgEx(dc_, 2, 1, nullptr);
        IntersectClipRect(dc_, 2, 1, 8, 6);  // device (0, 0) .. (6, 5)
        ASSERT_EQ(GdipCreateFromHDC(dc_, &graphics_), Ok);
    }
    void TearDown() override
    {
        GdipDeleteGraphics(graphics_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        GdiPlusTest::TearDown();
    }
    // The device pixel, read past the clip.
    std::uint32_t Device(int x, int y)
    {
        auto lock = LockGdi();
        return FindDC(dc_)->Target()->Pixel(x, y);
    }

    static constexpr std::uint32_t Grey = 0x006496C8;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    GpGraphics* graphics_ = nullptr;
};

TEST_F(GdiPlusDcTest, ImagesCompositeThroughOriginAndClip)
{
    const std::vector<std::uint32_t> pixels{0x80FF0000, 0x4000FF00, 0xFF0000FF, 0x00FFFFFF};
    GpBitmap* image = FromPixels(2, 2, PixelFormat32bppARGB, pixels);
    ASSERT_EQ(GdipSetInterpolationMode(graphics_, InterpolationModeNearestNeighbor), Ok);
    // Logical (7, 4) is device (5, 3): the image covers device (5, 3) .. (8, 6), the clip ends at (6, 5).
    ASSERT_EQ(GdipDrawImageRectI(graphics_, image, 7, 4, 4, 4), Ok);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            std::uint32_t expected = Grey;
            if (x >= 5 && x < 6 && y >= 3 && y < 5) {
                const std::uint32_t source = pixels[static_cast<std::size_t>(((y - 3) / 2) * 2 + (x - 5) / 2)];
                expected = ReferenceOver(ReferencePremultiply(source), Grey);
            }
            EXPECT_EQ(Device(x, y), expected) << x << "," << y;
        }
    }
    GdipDisposeImage(image);
}

TEST_F(GdiPlusDcTest, GradientFillAndPens)
{
    const GpRect rect{2, 1, 4, 2};
    GpLineGradient* gradient = nullptr;
    ASSERT_EQ(GdipCreateLineBrushFromRectI(&rect, 0xFF000000, 0xFFFF8000, LinearGradientModeHorizontal, WrapModeTileFlipX, &gradient), Ok);
    ASSERT_EQ(GdipFillRectangleI(graphics_, gradient, 2, 1, 6, 1), Ok);
    for (int x = 0; x < 6; ++x) {
        double t = (x + 0.5) / 4;
        if (t > 1) {
            t = 2 - t;  // the flipped second tile
        }
        const auto red = static_cast<std::uint32_t>(std::floor(255 * t + 0.5));
        const auto green = static_cast<std::uint32_t>(std::floor(128 * t + 0.5));
        EXPECT_EQ(Device(x, 0), red << 16 | green << 8) << x;
    }
    GpRect back;
    ASSERT_EQ(GdipGetLineRectI(gradient, &back), Ok);
    EXPECT_EQ(back.Width, 4);
    GdipDeleteBrush(gradient);
    EXPECT_EQ(GdipCreateLineBrushFromRectI(&rect, 0, 0, LinearGradientModeVertical, static_cast<WrapMode>(9), &gradient), InvalidParameter);

    // An outline of width 1 covers x .. x + width; a line includes both ends.
    GpPen* pen = nullptr;
    ASSERT_EQ(GdipCreatePen1(0xFFFFFFFF, 1, UnitPixel, &pen), Ok);
    ASSERT_EQ(GdipDrawRectangleI(graphics_, pen, 3, 2, 2, 2), Ok);  // device (1, 1) .. (3, 3)
    ASSERT_EQ(GdipSetPenColor(pen, 0xFF000000), Ok);
    ASSERT_EQ(GdipDrawLineI(graphics_, pen, 6, 5, 7, 3), Ok);  // device (4, 4) .. (5, 2)
    const char* expected[] = {
        "......",  // row 0 was the gradient; checked above
        ".###..",
        ".#.#.k",
        ".###.k",  // the middle point lies halfway; the step goes to the far column
        "....k.",
    };
    for (int y = 1; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const char want = expected[y][x];
            const std::uint32_t pixel = Device(x, y);
            EXPECT_EQ(pixel, want == '#' ? 0x00FFFFFFu : want == 'k' ? 0u : Grey) << x << "," << y;
        }
    }
    GpBrush* fill = nullptr;
    ASSERT_EQ(GdipGetPenBrushFill(pen, &fill), Ok);
    ARGB color = 0;
    EXPECT_EQ(GdipGetSolidFillColor(fill, &color), Ok);
    EXPECT_EQ(color, 0xFF000000u);
    GdipDeleteBrush(fill);
    GdipDeletePen(pen);
}

TEST_F(GdiPlusTest, HbitmapsBothWays)
{
    const std::vector<std::uint32_t> pixels{0x80FF0000, 0xFF00FF00};
    GpBitmap* image = FromPixels(2, 1, PixelFormat32bppARGB, pixels);
    HBITMAP bitmap = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(image, &bitmap, 0), Ok);
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    {
        auto lock = LockGdi();
        const Surface* surface = FindDC(dc)->Target();
        EXPECT_EQ(surface->Pixel(0, 0), ReferencePremultiply(pixels[0]));
        EXPECT_EQ(surface->Pixel(1, 0), pixels[1]);
    }
    DeleteDC(dc);
    GpBitmap* back = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &back), Ok);
    PixelFormat format = 0;
    GdipGetImagePixelFormat(back, &format);
    EXPECT_EQ(format, PixelFormat32bppRGB);
    EXPECT_EQ(PixelOf(back, 0, 0), ReferencePremultiply(pixels[0]) | 0xFF000000);
    GdipDisposeImage(back);
    GdipDisposeImage(image);
    DeleteObject(bitmap);
}

}  // namespace
