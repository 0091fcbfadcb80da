#include "platform/gdi/Bitmap.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/Bitmap.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

// A BITMAPINFO with room for a colour table of 256 entries.
struct Info {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

Info Format(int width, int height, int bits)
{
    Info info;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biBitCount = static_cast<WORD>(bits);
    return info;
}

using BitmapTest = wintest::CanvasTest;

TEST_F(BitmapTest, DibSectionsShareTheirBitsWithTheCaller)
{
    struct Case {
        const char* name;
        int height;  // negative: top-down
        int bits;
    };
    for (const Case& test : {Case{"bottom-up 24", 2, 24}, Case{"top-down 24", -2, 24}, Case{"bottom-up 32", 2, 32},
                             Case{"top-down 32", -2, 32}, Case{"bottom-up 8", 2, 8}}) {
        SCOPED_TRACE(test.name);
        Info info = Format(3, test.height, test.bits);
        info.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
        info.colors[2] = RGBQUAD{255, 0, 0, 0};  // blue
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(dc_, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(section, nullptr);
        const int stride = DibRowBytes(3, test.bits);
        // The caller writes red at the top left pixel.
        auto* top = static_cast<std::uint8_t*>(bits) + (test.height > 0 ? stride : 0);
        if (test.bits == 8) {
            top[0] = 1;
        } else {
            top[2] = 255;
        }
        HDC sectionDc = CreateCompatibleDC(dc_);
        SelectObject(sectionDc, section);
        EXPECT_EQ(GetPixel(sectionDc, 0, 0), Red);
        EXPECT_EQ(GetPixel(sectionDc, 0, 1), RGB(0, 0, 0));
        // Drawing reaches the caller's bits: blue at the bottom right.
        SetPixel(sectionDc, 2, 1, Blue);
        const auto* bottom = static_cast<std::uint8_t*>(bits) + (test.height > 0 ? 0 : stride);
        if (test.bits == 8) {
            EXPECT_EQ(bottom[2], 2);
        } else {
            EXPECT_EQ(bottom[2 * test.bits / 8], 255) << "blue byte first";
        }
        DIBSECTION record;
        ASSERT_EQ(GetObject(section, sizeof(record), &record), static_cast<int>(sizeof(DIBSECTION)));
        EXPECT_EQ(record.dsBm.bmBits, bits);
        EXPECT_EQ(record.dsBm.bmWidthBytes, stride);
        EXPECT_EQ(record.dsBm.bmBitsPixel, test.bits);
        EXPECT_EQ(record.dsBmih.biHeight, test.height);
        DeleteDC(sectionDc);
        DeleteObject(section);
    }
}

TEST_F(BitmapTest, GetAndSetDIBitsConvertBetweenDepths)
{
    SetPixel(dc_, 0, 0, Red);
    SetPixel(dc_, 1, 0, White);
    SetPixel(dc_, 0, 5, Blue);

    Info query;
    ASSERT_EQ(GetDIBits(dc_, bitmap_, 0, 0, nullptr, query.get(), DIB_RGB_COLORS), 6);
    EXPECT_EQ(query.header.biWidth, 8);
    EXPECT_EQ(query.header.biHeight, 6);
    EXPECT_EQ(query.header.biBitCount, 32);

    // 24 bits, bottom-up: the first row read is the bottom one.
    Info info = Format(8, 6, 24);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(DibRowBytes(8, 24)) * 6);
    ASSERT_EQ(GetDIBits(dc_, bitmap_, 0, 6, bits.data(), info.get(), DIB_RGB_COLORS), 6);
    EXPECT_EQ(bits[0], 255) << "blue at the bottom left";
    const std::size_t topRow = static_cast<std::size_t>(DibRowBytes(8, 24)) * 5;
    EXPECT_EQ(bits[topRow + 2], 255) << "red at the top left";

    // 1 bit: a table of black and white, nearest colours.
    Info mono = Format(8, -6, 1);
    std::vector<std::uint8_t> monoBits(static_cast<std::size_t>(DibRowBytes(8, 1)) * 6);
    ASSERT_EQ(GetDIBits(dc_, bitmap_, 0, 6, monoBits.data(), mono.get(), DIB_RGB_COLORS), 6);
    EXPECT_EQ(monoBits[0], 0x40) << "only the white pixel is nearer white";
    EXPECT_EQ(mono.colors[1].rgbRed, 255);

    // Written back through a 4-bit table into another bitmap.
    Info four = Format(2, 1, 4);
    four.header.biClrUsed = 2;
    four.colors[0] = RGBQUAD{0, 255, 0, 0};
    four.colors[1] = RGBQUAD{255, 0, 255, 0};
    const std::uint8_t nibbles[4] = {0x10, 0, 0, 0};
    HBITMAP target = CreateCompatibleBitmap(dc_, 2, 1);
    EXPECT_EQ(SetDIBits(dc_, target, 0, 1, nibbles, four.get(), DIB_RGB_COLORS), 1);
    HDC targetDc = CreateCompatibleDC(dc_);
    SelectObject(targetDc, target);
    EXPECT_EQ(wintest::ReadPicture(targetDc, 2, 1)[0], "mg");
    DeleteDC(targetDc);
    DeleteObject(target);

    Info bad = Format(8, 6, 16);
    EXPECT_EQ(GetDIBits(dc_, bitmap_, 0, 6, bits.data(), bad.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(BitmapTest, StretchDIBitsCountsBottomUpSourcesFromTheBottom)
{
    // Two rows, bottom-up: blue (the bottom row) first, then red.
    Info info = Format(1, 2, 32);
    const std::uint32_t bits[2] = {0x000000FF, 0x00FF0000};
    ASSERT_EQ(StretchDIBits(dc_, 0, 0, 1, 1, 0, 0, 1, 1, bits, info.get(), DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(GetPixel(dc_, 0, 0), Blue) << "source y 0 is the bottom row";
    ASSERT_EQ(StretchDIBits(dc_, 0, 0, 2, 4, 0, 0, 1, 2, bits, info.get(), DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(Read()[0].substr(0, 2), "rr");
    EXPECT_EQ(Read()[3].substr(0, 2), "bb");
}

TEST_F(BitmapTest, MonochromeAndIndexedBitmapsKeepTheirDepth)
{
    const BYTE bits[] = {0xF0, 0x00, 0x0F, 0x00};
    HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
    ASSERT_NE(mono, nullptr);
    BITMAP record;
    ASSERT_EQ(GetObject(mono, sizeof(record), &record), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(record.bmBitsPixel, 1);
    EXPECT_EQ(record.bmWidthBytes, 2) << "device-dependent rows are rounded to 2 bytes";
    HDC monoDc = CreateCompatibleDC(nullptr);
    SelectObject(monoDc, mono);
    EXPECT_EQ(wintest::ReadPicture(monoDc, 8, 2), (wintest::Picture{"####....", "....####"}));
    // Drawing in colour lands as the nearest of black and white.
    HBRUSH light = CreateSolidBrush(RGB(200, 200, 200));
    const RECT left{0, 1, 2, 2};
    FillRect(monoDc, &left, light);
    EXPECT_EQ(wintest::ReadPicture(monoDc, 8, 2)[1], "##..####");
    HBITMAP compatible = CreateCompatibleBitmap(monoDc, 4, 4);
    ASSERT_EQ(GetObject(compatible, sizeof(record), &record), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(record.bmBitsPixel, 1) << "compatible with a context holding a monochrome bitmap";
    DeleteObject(compatible);
    DeleteObject(light);
    DeleteDC(monoDc);
    DeleteObject(mono);

    Info badSection = Format(4, 4, 24);
    void* sectionBits = nullptr;
    EXPECT_EQ(CreateDIBSection(dc_, badSection.get(), DIB_PAL_COLORS, &sectionBits, nullptr, 0), nullptr);
    badSection.header.biBitCount = 2;
    EXPECT_EQ(CreateDIBSection(dc_, badSection.get(), DIB_RGB_COLORS, &sectionBits, nullptr, 0), nullptr);
}

}  // namespace
