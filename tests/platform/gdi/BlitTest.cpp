#include "platform/gdi/Blit.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using namespace win;
using wintest::Picture;
using wintest::Red;
using wintest::Green;
using wintest::Blue;
using wintest::White;

// A canvas and a second memory context over a source bitmap of 4 x 2 pixels: "rgb#" over "#bgr".
class BlitTest : public wintest::CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        source_ = CreateCompatibleDC(nullptr);
        sourceBitmap_ = CreateCompatibleBitmap(source_, 4, 2);
        SelectObject(source_, sourceBitmap_);
        const COLORREF rows[2][4] = {{Red, Green, Blue, White}, {White, Blue, Green, Red}};
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                SetPixel(source_, x, y, rows[y][x]);
            }
        }
    }
    void TearDown() override
    {
        DeleteDC(source_);
        DeleteObject(sourceBitmap_);
        CanvasTest::TearDown();
    }

    HDC source_ = nullptr;
    HBITMAP sourceBitmap_ = nullptr;
};

TEST_F(BlitTest, StretchBltMirrorsByNegativeExtents)
{
    struct Case {
        const char* name;
        int x, y, width, height;
        Picture expected;
    };
    const Case cases[] = {
        {"as is", 0, 0, 4, 2, {"rgb#....", "#bgr....", "........"}},
        {"left to right", 4, 0, -4, 2, {"#bgr....", "rgb#....", "........"}},
        {"upside down", 0, 2, 4, -2, {"#bgr....", "rgb#....", "........"}},
        {"both", 4, 2, -4, -2, {"rgb#....", "#bgr....", "........"}},
        {"twice as wide", 0, 0, 8, 1, {"rrggbb##", "........", "........"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Clear(RGB(0, 0, 0));
        ASSERT_TRUE(StretchBlt(dc_, test.x, test.y, test.width, test.height, source_, 0, 0, 4,
                               test.name == std::string("twice as wide") ? 1 : 2, SRCCOPY));
        Picture top = Read();
        top.resize(3);
        EXPECT_EQ(top, test.expected);
    }
    Clear(RGB(0, 0, 0));
    ASSERT_TRUE(StretchBlt(dc_, 0, 0, 4, 1, source_, 4, 0, -4, 1, SRCCOPY)) << "a mirrored source mirrors too";
    EXPECT_EQ(Read()[0], "#bgr....");
}

TEST_F(BlitTest, HalftoneShrinkingAveragesTheCoveredPixels)
{
    SetStretchBltMode(dc_, HALFTONE);
    ASSERT_TRUE(StretchBlt(dc_, 0, 0, 2, 1, source_, 0, 0, 4, 2, SRCCOPY));
    // Each destination pixel covers two columns of both rows: red, green, white and blue, or blue, white,
    // green and red; each channel sums to 510 over 4 pixels, 127.5 rounded up.
    EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc_, 1, 0), RGB(128, 128, 128));
    SetStretchBltMode(dc_, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dc_, 0, 0, 2, 1, source_, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(Read()[0], "br......") << "without halftone the pixel under each centre";
}

TEST_F(BlitTest, RasterOperationsMixPatternSourceAndDestination)
{
    const COLORREF destination = RGB(0x0F, 0xF0, 0x3C);
    const COLORREF sourceColour = RGB(0x55, 0xAA, 0xFF);
    const COLORREF patternColour = RGB(0x33, 0xCC, 0x0F);
    SetPixel(source_, 0, 0, sourceColour);
    HBRUSH pattern = CreateSolidBrush(patternColour);
    SelectObject(dc_, pattern);
    using Mix = std::function<DWORD(DWORD, DWORD, DWORD)>;
    struct Case {
        const char* name;
        DWORD rop;
        Mix mix;  // pattern, source, destination
    };
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, [](DWORD, DWORD s, DWORD) { return s; }},
        {"SRCPAINT", SRCPAINT, [](DWORD, DWORD s, DWORD d) { return s | d; }},
        {"SRCAND", SRCAND, [](DWORD, DWORD s, DWORD d) { return s & d; }},
        {"SRCINVERT", SRCINVERT, [](DWORD, DWORD s, DWORD d) { return s ^ d; }},
        {"DSTINVERT", DSTINVERT, [](DWORD, DWORD, DWORD d) { return ~d; }},
        {"PATCOPY", PATCOPY, [](DWORD p, DWORD, DWORD) { return p; }},
        {"PATINVERT", PATINVERT, [](DWORD p, DWORD, DWORD d) { return p ^ d; }},
        {"mask out", 0x220326, [](DWORD, DWORD s, DWORD d) { return d & ~s; }},
        {"pattern where source is 0", 0x200F09, [](DWORD p, DWORD s, DWORD d) { return p & ~s & d; }},
        {"source selects", 0xB8074A, [](DWORD p, DWORD s, DWORD d) { return (s & d) | (~s & p); }},
        {"MERGECOPY", MERGECOPY, [](DWORD p, DWORD s, DWORD) { return p & s; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        SetPixel(dc_, 0, 0, destination);
        ASSERT_TRUE(BitBlt(dc_, 0, 0, 1, 1, source_, 0, 0, test.rop));
        EXPECT_EQ(GetPixel(dc_, 0, 0), test.mix(patternColour, sourceColour, destination) & 0x00FFFFFF);
    }
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    DeleteObject(pattern);
}

TEST_F(BlitTest, MonochromeBitmapsFollowTextAndBackgroundColours)
{
    const BYTE bits[] = {0xA0, 0};  // 1 0 1 0 in a row of two bytes
    HBITMAP mono = CreateBitmap(4, 1, 1, 1, bits);
    HDC monoDc = CreateCompatibleDC(nullptr);
    SelectObject(monoDc, mono);
    SetTextColor(dc_, Red);
    SetBkColor(dc_, Blue);
    ASSERT_TRUE(BitBlt(dc_, 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY));
    EXPECT_EQ(Read()[0], "brbr....") << "0 bits take the text colour, 1 bits the background colour";

    // The other way: the source context's background colour becomes white, all else black.
    SetBkColor(dc_, Green);
    SetPixel(dc_, 0, 1, Green);
    SetPixel(dc_, 1, 1, Red);
    SetPixel(dc_, 2, 1, Green);
    SetPixel(dc_, 3, 1, White);
    ASSERT_TRUE(BitBlt(monoDc, 0, 0, 4, 1, dc_, 0, 1, SRCCOPY));
    BYTE read[2] = {};
    EXPECT_EQ(GetBitmapBits(mono, 2, read), 2);
    EXPECT_EQ(read[0], 0xA0);
    EXPECT_EQ(GetDeviceCaps(monoDc, BITSPIXEL), 1);
    EXPECT_EQ(GetNearestColor(monoDc, RGB(200, 200, 200)), White);
    EXPECT_EQ(GetNearestColor(dc_, RGB(200, 201, 202)), RGB(200, 201, 202));
    DeleteDC(monoDc);
    DeleteObject(mono);
}

TEST_F(BlitTest, MaskBltAndTransparentBlt)
{
    const BYTE maskBits[] = {0x50, 0};  // 0 1 0 1
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    Clear(White);
    ASSERT_TRUE(MaskBlt(dc_, 0, 0, 4, 1, source_, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, DSTINVERT)));
    EXPECT_EQ(Read()[0], ".g.#####") << "source where the mask is 1, the destination inverted where 0";

    Clear(RGB(0, 0, 0));
    ASSERT_TRUE(TransparentBlt(dc_, 0, 0, 8, 2, source_, 0, 0, 4, 2, Green));
    EXPECT_EQ(Read()[0], "rr..bb##");
    EXPECT_EQ(Read()[1], "##bb..rr");
    EXPECT_FALSE(TransparentBlt(dc_, 4, 0, -4, 2, source_, 0, 0, 4, 2, Green)) << "no mirroring";
    DeleteObject(mask);
}

TEST_F(BlitTest, BlitsKeepToTheClipAndOverlapWithinOneSurface)
{
    IntersectClipRect(dc_, 1, 0, 3, 1);
    ASSERT_TRUE(BitBlt(dc_, 0, 0, 4, 1, source_, 0, 0, SRCCOPY));
    SelectClipRgn(dc_, nullptr);
    EXPECT_EQ(Read()[0], ".gb.....");
    ASSERT_TRUE(PatBlt(dc_, 0, 0, 4, 1, DSTINVERT));
    EXPECT_EQ(Read()[0], "#my#....");
    EXPECT_FALSE(PatBlt(dc_, 0, 0, 1, 1, SRCCOPY)) << "PatBlt takes no source";
}

// Extents far beyond the canvas cost only the pixels inside the clip (a metafile or a caller may ask for
// any extent); a mask still lines up with the destination's first pixel when the clip cuts it off.
TEST_F(BlitTest, HugeExtentsDrawOnlyWhatTheClipShows)
{
    constexpr int Most = std::numeric_limits<int>::max();
    constexpr int Least = std::numeric_limits<int>::min();
    ASSERT_TRUE(PatBlt(dc_, -1, 0, Most, 1, WHITENESS));
    ASSERT_TRUE(PatBlt(dc_, 8, 1, Least, 1, WHITENESS));
    EXPECT_EQ(Read()[0], "########");
    EXPECT_EQ(Read()[1], "########");

    Clear(RGB(0, 0, 0));
    ASSERT_TRUE(StretchBlt(dc_, 0, 0, Most, 2, source_, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(Read()[0], "rrrrrrrr");
    EXPECT_EQ(Read()[1], "########");
    ASSERT_TRUE(AlphaBlend(dc_, 0, 2, Most, Most, source_, 1, 0, 1, 1, BLENDFUNCTION{}));
    EXPECT_EQ(Read()[5], "gggggggg");

    Clear(White);
    const BYTE maskBits[] = {0x50, 0};  // 0 1 0 1
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    IntersectClipRect(dc_, 1, 0, 8, 1);
    ASSERT_TRUE(MaskBlt(dc_, 0, 0, 4, 1, source_, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, DSTINVERT)));
    SelectClipRgn(dc_, nullptr);
    EXPECT_EQ(Read()[0], "#g.#####");

    // A source or mask rectangle whose far edge lies beyond an int is outside its bitmap: refused.
    const auto before = Read();
    SetLastError(0);
    EXPECT_FALSE(AlphaBlend(dc_, 0, 0, 1, 1, source_, 3, 0, Most, 1, BLENDFUNCTION{}));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(AlphaBlend(dc_, 0, 0, 1, 1, source_, 0, 1, 1, Most, BLENDFUNCTION{}));
    SetLastError(0);
    EXPECT_FALSE(MaskBlt(dc_, 0, 0, Most, 1, source_, 0, 0, mask, 3, 0, MAKEROP4(SRCCOPY, DSTINVERT)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Read(), before);
    DeleteObject(mask);
}

TEST_F(BlitTest, AlphaBlendRoundsToTheNearest)
{
    // A premultiplied pixel of alpha 128 in a 32-bit DIB section.
    BITMAPINFO info;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    const std::uint32_t alpha = 128;
    const std::uint32_t red = 128;
    const std::uint32_t green = 64;
    const std::uint32_t blue = 7;
    *static_cast<std::uint32_t*>(bits) = alpha << 24 | red << 16 | green << 8 | blue;
    HDC sectionDc = CreateCompatibleDC(nullptr);
    SelectObject(sectionDc, section);

    const int d[3] = {100, 201, 50};
    const auto expected = [&](double constant) {
        const double scale = constant / 255.0;
        const double a = std::round(alpha * scale);
        const auto mix = [&](std::uint32_t s, int dest) {
            const double scaled = constant == 255 ? s : std::round(s * scale);
            return static_cast<BYTE>(scaled + std::round(dest * (255 - a) / 255.0));
        };
        return RGB(mix(red, d[0]), mix(green, d[1]), mix(blue, d[2]));
    };
    for (const BYTE constant : {BYTE{255}, BYTE{100}}) {
        SCOPED_TRACE(constant);
        SetPixel(dc_, 0, 0, RGB(d[0], d[1], d[2]));
        BLENDFUNCTION blend;
        blend.SourceConstantAlpha = constant;
        blend.AlphaFormat = AC_SRC_ALPHA;
        ASSERT_TRUE(AlphaBlend(dc_, 0, 0, 1, 1, sectionDc, 0, 0, 1, 1, blend));
        EXPECT_EQ(GetPixel(dc_, 0, 0), expected(constant));
    }

    // Constant alpha alone mixes the colours.
    SetPixel(dc_, 0, 0, RGB(d[0], d[1], d[2]));
    BLENDFUNCTION constant;
    constant.SourceConstantAlpha = 64;
    ASSERT_TRUE(AlphaBlend(dc_, 0, 0, 1, 1, sectionDc, 0, 0, 1, 1, constant));
    const auto mix = [](int s, int dest) { return static_cast<BYTE>(std::lround((s * 64 + dest * 191) / 255.0)); };
    EXPECT_EQ(GetPixel(dc_, 0, 0), RGB(mix(128, d[0]), mix(64, d[1]), mix(7, d[2])));

    EXPECT_FALSE(AlphaBlend(dc_, 0, 0, 1, 1, sectionDc, 0, 0, 2, 1, constant)) << "source outside its bitmap";
    EXPECT_FALSE(AlphaBlend(dc_, 1, 0, -1, 1, sectionDc, 0, 0, 1, 1, constant)) << "no mirroring";
    DeleteDC(sectionDc);
    DeleteObject(section);
}

TEST_F(BlitTest, GradientFillShadesRectanglesAndTriangles)
{
    TRIVERTEX vertices[2];
    vertices[0] = TRIVERTEX{0, 0, 0, 0, 0, 0};
    vertices[1] = TRIVERTEX{4, 1, 0xFF00, 0x8000, 0, 0};
    GRADIENT_RECT rect{0, 1};
    ASSERT_TRUE(GradientFill(dc_, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(dc_, x, 0), RGB(0xFF * x / 4, 0x80 * x / 4, 0)) << x;
    }
    EXPECT_EQ(GetPixel(dc_, 4, 0), RGB(0, 0, 0)) << "the right edge is excluded";

    TRIVERTEX corners[3] = {{0, 2, 0xFF00, 0, 0, 0}, {6, 2, 0xFF00, 0, 0, 0}, {0, 6, 0xFF00, 0, 0, 0}};
    GRADIENT_TRIANGLE triangle{0, 1, 2};
    ASSERT_TRUE(GradientFill(dc_, corners, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(Read()[2], "rrrrr...");
    EXPECT_EQ(Read()[5], "r.......");
    GRADIENT_TRIANGLE wrong{0, 1, 3};
    EXPECT_FALSE(GradientFill(dc_, corners, 3, &wrong, 1, GRADIENT_FILL_TRIANGLE));
}

}  // namespace
