#include "platform/gdi/Bitmap.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/GdiObjects.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

#include <cstring>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;
using wintest::Red;
using wintest::Blue;
using wintest::White;

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
                             Case{"top-down 32", -2, 32}, Case{"bottom-up 8", 2, 8}, Case{"top-down 16", -2, 16}}) {
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
        } else if (test.bits == 16) {
            top[1] = 0x7C;  // 5-5-5: red in bits 10 to 14
        } else {
            top[2] = 255;
        }
        HDC sectionDc = CreateCompatibleDC(dc_);
        SelectObject(sectionDc, section);
        EXPECT_EQ(GetPixel(sectionDc, 0, 0), Red);
        EXPECT_EQ(GetPixel(sectionDc, 0, 1), RGB(0, 0, 0));
        // Drawing reaches the caller's bits, once the caller asks for them as the API says: blue at the
        // bottom right.
        SetPixel(sectionDc, 2, 1, Blue);
        GdiFlush();
        const auto* bottom = static_cast<std::uint8_t*>(bits) + (test.height > 0 ? 0 : stride);
        if (test.bits == 8) {
            EXPECT_EQ(bottom[2], 2);
        } else if (test.bits == 16) {
            EXPECT_EQ(bottom[4], 0x1F) << "blue in bits 0 to 4";
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

    Info bad = Format(8, 6, 2);
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

    // A source whose top, counted from the bottom row, lies beyond an int is wholly outside the bits:
    // refused, with nothing drawn.
    const auto before = Read();
    const std::pair<int, int> sources[] = {{-2147483646, -2}, {2147483647, 2147483647}};
    for (const auto& [sourceY, sourceHeight] : sources) {
        SetLastError(0);
        EXPECT_EQ(StretchDIBits(dc_, 0, 0, 2, 2, 0, sourceY, 1, sourceHeight, bits, info.get(), DIB_RGB_COLORS, SRCCOPY), 0)
            << sourceY;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << sourceY;
    }
    EXPECT_EQ(Read(), before);
    // A top-down source of the most negative height counts as many lines as an int holds.
    Info topDown = Format(1, -2, 32);
    EXPECT_EQ(StretchDIBits(dc_, 0, 0, 2, 2, 0, 0, 1, std::numeric_limits<int>::min(), bits, topDown.get(), DIB_RGB_COLORS,
                            SRCCOPY),
              std::numeric_limits<int>::max());
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

namespace {

// Eight colours every depth below 32 bits holds exactly: the corners of the colour cube.
Info CubeFormat(int width, int height, int bits)
{
    Info info = Format(width, height, bits);
    if (bits <= 8) {
        info.header.biClrUsed = bits == 1 ? 2 : 8;
        for (int index = 0; index < 8; ++index) {
            info.colors[index] = RGBQUAD{BYTE(index & 1 ? 255 : 0), BYTE(index & 2 ? 255 : 0), BYTE(index & 4 ? 255 : 0), 0};
        }
        if (bits == 1) {
            info.colors[1] = RGBQUAD{255, 255, 255, 0};
        }
    }
    return info;
}

// Fills, lines, shapes, a blit that reads what lies beneath and one that does not, and single pixels,
// in the colours of the cube (black and white only for one bit).
void DrawCubeScene(HDC dc, bool twoColours)
{
    const COLORREF first = twoColours ? RGB(255, 255, 255) : RGB(255, 0, 255);
    const COLORREF second = twoColours ? RGB(0, 0, 0) : RGB(0, 255, 255);
    HBRUSH brush = CreateSolidBrush(first);
    const RECT box{3, 2, 40, 17};
    FillRect(dc, &box, brush);
    HPEN pen = CreatePen(PS_SOLID, 3, second);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    MoveToEx(dc, 0, 30, nullptr);
    LineTo(dc, 60, 5);
    Ellipse(dc, 30, 10, 55, 28);
    PatBlt(dc, 10, 5, 20, 20, DSTINVERT);
    for (int k = 0; k < 20; ++k) {
        SetPixel(dc, (k * 7) % 61, (k * 5) % 31, k % 2 ? first : second);
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}

}  // namespace

TEST_F(BitmapTest, DrawingBelow32BitsGivesThePixelsOfDrawingAt32Bits)
{
    constexpr int width = 61;
    constexpr int height = 31;
    const auto colours = [](const std::uint32_t* pixels) {
        std::vector<std::uint32_t> result(pixels, pixels + width * height);
        for (std::uint32_t& pixel : result) {
            pixel &= 0x00FFFFFF;
        }
        return result;
    };
    for (const int bits : {1, 4, 8, 16, 24}) {
        SCOPED_TRACE(bits);
        Info reference = CubeFormat(width, -height, 32);
        void* referenceBits = nullptr;
        HBITMAP full = CreateDIBSection(dc_, reference.get(), DIB_RGB_COLORS, &referenceBits, nullptr, 0);
        HDC fullDc = CreateCompatibleDC(dc_);
        SelectObject(fullDc, full);
        DrawCubeScene(fullDc, bits == 1);

        Info sectionInfo = CubeFormat(width, -height, bits);
        void* sectionBits = nullptr;
        HBITMAP section = CreateDIBSection(dc_, sectionInfo.get(), DIB_RGB_COLORS, &sectionBits, nullptr, 0);
        HDC sectionDc = CreateCompatibleDC(dc_);
        SelectObject(sectionDc, section);
        DrawCubeScene(sectionDc, bits == 1);
        // Read back through the section's own bits and colour table.
        Info read = CubeFormat(width, -height, 32);
        std::vector<std::uint32_t> actual(static_cast<std::size_t>(width * height));
        ASSERT_EQ(GetDIBits(sectionDc, section, 0, height, actual.data(), read.get(), DIB_RGB_COLORS), height);
        EXPECT_EQ(colours(actual.data()), colours(static_cast<const std::uint32_t*>(referenceBits)));
        DeleteDC(sectionDc);
        DeleteDC(fullDc);
        DeleteObject(section);
        DeleteObject(full);
    }
}

TEST_F(BitmapTest, WhatTheCallerWritesBetweenDrawingCallsIsKept)
{
    struct Case {
        int bits;
        std::uint8_t white;  // a byte of white pixels only
        std::uint8_t leftWhite;  // the first byte with only its first pixel white
    };
    for (const Case& c : {Case{1, 0xFF, 0x80}, Case{4, 0x77, 0x70}, Case{8, 0x07, 0x07}, Case{16, 0xFF, 0xFF},
                          Case{24, 0xFF, 0xFF}}) {
        SCOPED_TRACE(c.bits);
        Info info = CubeFormat(16, -4, c.bits);
        void* memory = nullptr;
        HBITMAP section = CreateDIBSection(dc_, info.get(), DIB_RGB_COLORS, &memory, nullptr, 0);
        HDC sectionDc = CreateCompatibleDC(dc_);
        SelectObject(sectionDc, section);
        auto* row = static_cast<std::uint8_t*>(memory);
        const std::size_t stride = static_cast<std::size_t>(DibRowBytes(16, c.bits));
        // Drawing at the left of the top row, not yet in the bits; the caller writes white at the right.
        SetPixel(sectionDc, 0, 0, White);
        const int column = 8;
        const std::size_t at = static_cast<std::size_t>(column) * c.bits / 8;
        std::memset(row + at, c.white, c.bits < 8 ? 1 : static_cast<std::size_t>(c.bits / 8));
        EXPECT_EQ(GetPixel(sectionDc, column, 0), White) << "the caller's pixel is seen";
        EXPECT_EQ(GetPixel(sectionDc, 0, 0), White) << "and the drawn one is kept";
        EXPECT_EQ(GetPixel(sectionDc, 1, 0), RGB(0, 0, 0));
        const RECT second{0, 1, 16, 2};
        FillRect(sectionDc, &second, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        // The bitmap leaves its context: its bits hold the drawing without a flush.
        SelectObject(sectionDc, DefaultBitmap());
        EXPECT_EQ(row[0], c.leftWhite);
        EXPECT_EQ(row[at], c.white);
        EXPECT_EQ(row[stride], c.white);
        EXPECT_EQ(row[2 * stride], 0) << "the row below is untouched";
        DeleteDC(sectionDc);
        DeleteObject(section);
    }
}
