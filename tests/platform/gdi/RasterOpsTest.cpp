// The raster operations, brushes, stretching and blending on pictures of random pixels, against
// references that follow the rules as the headers state them, pixel by pixel: every raster operation's
// truth table, each brush's pixel at each point, the source pixels under each destination pixel, and
// AlphaBlend's formula. Sizes are odd and clips ragged, so that loops over rows, runs and vector lanes
// meet their edges.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"
#include "tests/platform/gdi/GdiFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace win;
using Pixel = std::uint32_t;

constexpr Pixel Colour = 0x00FFFFFF;

// A 32-bit DIB section in a memory context; rows top-down or bottom-up in memory.
class PixelGrid {
public:
    PixelGrid(int width, int height, bool topDown = true) : width_(width), height_(height), topDown_(topDown)
    {
        BITMAPINFO info;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = topDown ? -height : height;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        SelectObject(dc_, bitmap_);
    }
    ~PixelGrid()
    {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    PixelGrid(const PixelGrid&) = delete;
    PixelGrid& operator=(const PixelGrid&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Pixel& At(int x, int y)
    {
        return static_cast<Pixel*>(bits_)[(topDown_ ? y : height_ - 1 - y) * width_ + x];
    }
    std::vector<Pixel> Pixels()
    {
        GdiFlush();
        std::vector<Pixel> pixels;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels.push_back(At(x, y));
            }
        }
        return pixels;
    }
    void Fill(std::mt19937& random)
    {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                At(x, y) = static_cast<Pixel>(random());
            }
        }
    }
    void Set(const std::vector<Pixel>& pixels)
    {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                At(x, y) = pixels[static_cast<std::size_t>(y * width_ + x)];
            }
        }
    }

private:
    int width_;
    int height_;
    bool topDown_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
};

// Bit i of a raster operation is its result for pattern bit i & 4, source bit i & 2, destination bit i & 1.
Pixel Rop3(BYTE code, Pixel p, Pixel s, Pixel d)
{
    Pixel result = 0;
    for (int bit = 0; bit < 32; ++bit) {
        const int index = (p >> bit & 1) << 2 | (s >> bit & 1) << 1 | (d >> bit & 1);
        result |= static_cast<Pixel>(code >> index & 1) << bit;
    }
    return code == 0xCC ? s : result & Colour;
}

// Bit i of a mix mode less one is its result for pen bit i & 2 and destination bit i & 1.
Pixel Rop2(int mode, Pixel pen, Pixel d)
{
    Pixel result = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const int index = (pen >> bit & 1) << 1 | (d >> bit & 1);
        result |= static_cast<Pixel>((mode - 1) >> index & 1) << bit;
    }
    return result;
}

int Wrap(int value, int size) { return ((value % size) + size) % size; }

// Where a test blit lands: the destination rectangle cut by a clip with a hole and a notch.
struct Clip {
    bool Contains(int x, int y) const
    {
        const bool inside = x >= 1 && x < 30 && y >= 1 && y < 10;
        const bool hole = x >= 7 && x < 11 && y >= 3 && y < 6;
        const bool notch = x >= 25 && y < 4;
        return inside && !hole && !notch;
    }
    void Apply(HDC dc) const
    {
        IntersectClipRect(dc, 1, 1, 30, 10);
        ExcludeClipRect(dc, 7, 3, 11, 6);
        ExcludeClipRect(dc, 25, 0, 40, 4);
    }
};

class RasterOpsTest : public wintest::GdiLibraryTest {
protected:
    std::mt19937 random_{20240501};
};

// A colour pattern brush of 5 x 3 pixels whose top bytes are set (a brush paints colours only), with its
// origin off the device origin.
struct PatternBrush {
    PatternBrush(std::mt19937& random)
    {
        for (Pixel& pixel : packed.bits) {
            pixel = static_cast<Pixel>(random());
        }
        packed.header.biWidth = 5;
        packed.header.biHeight = -3;
        packed.header.biBitCount = 32;
        brush = CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
    }
    ~PatternBrush() { DeleteObject(brush); }
    Pixel At(int x, int y) const { return packed.bits[Wrap(y - origin.y, 3) * 5 + Wrap(x - origin.x, 5)] & Colour; }

    struct {
        BITMAPINFOHEADER header;
        Pixel bits[15];
    } packed;
    HBRUSH brush = nullptr;
    POINT origin{2, 1};
};

TEST_F(RasterOpsTest, EveryRasterOperationFollowsItsTruthTable)
{
    PixelGrid target(33, 11);
    PixelGrid source(33, 11, false);
    source.Fill(random_);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    const std::vector<Pixel> from = source.Pixels();
    PatternBrush pattern(random_);
    SelectObject(target.Dc(), pattern.brush);
    SetBrushOrgEx(target.Dc(), pattern.origin.x, pattern.origin.y, nullptr);
    const Clip clip;
    clip.Apply(target.Dc());
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        target.Set(before);
        ASSERT_TRUE(BitBlt(target.Dc(), 0, 0, 31, 11, source.Dc(), 2, 0, DWORD(code) << 16));
        const std::vector<Pixel> after = target.Pixels();
        int wrong = 0;
        for (int y = 0; y < 11 && wrong < 3; ++y) {
            for (int x = 0; x < 33 && wrong < 3; ++x) {
                const std::size_t at = std::size_t(y * 33 + x);
                const bool drawn = clip.Contains(x, y) && x < 31 && x + 2 < 33;
                const Pixel expected =
                    drawn ? Rop3(BYTE(code), pattern.At(x, y), from[at + 2], before[at]) : before[at];
                EXPECT_EQ(after[at], expected) << "at " << x << ", " << y;
                wrong += after[at] == expected ? 0 : 1;
            }
        }
    }
}

TEST_F(RasterOpsTest, MaskBltTakesEachPixelsOperationFromItsMaskBit)
{
    PixelGrid target(19, 7);
    PixelGrid source(19, 7);
    source.Fill(random_);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    const std::vector<Pixel> from = source.Pixels();
    BYTE maskBits[7][4];  // rows of 19 bits, padded to 32
    for (auto& row : maskBits) {
        for (BYTE& byte : row) {
            byte = static_cast<BYTE>(random_());
        }
    }
    HBITMAP mask = CreateBitmap(19, 7, 1, 1, maskBits);
    const auto bit = [&](int x, int y) { return (maskBits[y][x / 8] >> (7 - x % 8) & 1) != 0; };
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    SelectObject(target.Dc(), brush);
    struct Case {
        BYTE fore;
        BYTE back;
    };
    for (const Case test : {Case{0xCC, 0xAA}, Case{0x66, 0x55}, Case{0xF0, 0x88}, Case{0xAA, 0xCC}, Case{0xB8, 0x1D}}) {
        SCOPED_TRACE(testing::Message() << int(test.fore) << " / " << int(test.back));
        target.Set(before);
        ASSERT_TRUE(MaskBlt(target.Dc(), 1, 1, 17, 5, source.Dc(), 2, 2, mask, 1, 0,
                            MAKEROP4(DWORD(test.fore) << 16, DWORD(test.back) << 16)));
        const std::vector<Pixel> after = target.Pixels();
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 19; ++x) {
                const std::size_t at = std::size_t(y * 19 + x);
                Pixel expected = before[at];
                if (x >= 1 && x < 18 && y >= 1 && y < 6) {
                    const BYTE code = bit(x - 1 + 1, y - 1) ? test.fore : test.back;
                    expected = Rop3(code, 0x123456, from[std::size_t((y + 1) * 19 + x + 1)], before[at]);
                }
                ASSERT_EQ(after[at], expected) << "at " << x << ", " << y;
            }
        }
    }
    DeleteObject(brush);
    DeleteObject(mask);
}

// Every kind of brush, copied (FillRect) and mixed in every mode (PaintRgn), against the brush's pixel
// at each point; a transparent hatch leaves its gaps alone.
TEST_F(RasterOpsTest, BrushesPaintTheirPixelsInEveryMixMode)
{
    PixelGrid target(37, 13, false);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    PatternBrush colourPattern(random_);
    const BYTE monoBits[] = {0xA0, 0, 0x40, 0, 0xE0, 0};  // 3 x 3: 101, 010, 111
    HBITMAP mono = CreateBitmap(3, 3, 1, 1, monoBits);
    HBRUSH monoPattern = CreatePatternBrush(mono);
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(10, 20, 30));
    HBRUSH solid = CreateSolidBrush(RGB(90, 80, 70));
    SetTextColor(target.Dc(), RGB(1, 2, 3));
    SetBkColor(target.Dc(), RGB(200, 100, 50));
    const POINT origin = colourPattern.origin;
    SetBrushOrgEx(target.Dc(), origin.x, origin.y, nullptr);
    const Clip clip;
    clip.Apply(target.Dc());
    struct Brush {
        const char* name;
        HBRUSH handle;
        int background;  // OPAQUE or TRANSPARENT
        std::function<bool(int, int, Pixel&)> at;  // false for a gap
    };
    const Brush brushes[] = {
        {"solid", solid, OPAQUE, [](int, int, Pixel& pixel) { return pixel = 0x5A5046, true; }},
        {"colour pattern", colourPattern.brush, OPAQUE,
         [&](int x, int y, Pixel& pixel) { return pixel = colourPattern.At(x, y), true; }},
        {"monochrome pattern", monoPattern, OPAQUE,
         [&](int x, int y, Pixel& pixel) {
             const int column = Wrap(x - origin.x, 3);
             const bool one = monoBits[2 * Wrap(y - origin.y, 3)] >> (7 - column) & 1;
             pixel = one ? 0xC86432 : 0x010203;  // 1 bits the background colour, 0 bits the text colour
             return true;
         }},
        {"opaque hatch", hatch, OPAQUE,
         [&](int x, int y, Pixel& pixel) {
             pixel = Wrap(x - origin.x, 8) == 0 || Wrap(y - origin.y, 8) == 0 ? 0x0A141E : 0xC86432;
             return true;
         }},
        {"transparent hatch", hatch, TRANSPARENT,
         [&](int x, int y, Pixel& pixel) {
             pixel = 0x0A141E;
             return Wrap(x - origin.x, 8) == 0 || Wrap(y - origin.y, 8) == 0;
         }},
    };
    HRGN everything = CreateRectRgn(-5, -5, 50, 50);
    const RECT all{-5, -5, 50, 50};
    for (const Brush& brush : brushes) {
        SetBkMode(target.Dc(), brush.background);
        SelectObject(target.Dc(), brush.handle);
        for (int mode = 0; mode <= R2_WHITE; ++mode) {
            SCOPED_TRACE(testing::Message() << brush.name << ", mode " << mode);
            target.Set(before);
            if (mode == 0) {
                FillRect(target.Dc(), &all, brush.handle);  // mode 0 here: FillRect, which copies
            } else {
                SetROP2(target.Dc(), mode);
                PaintRgn(target.Dc(), everything);
            }
            const std::vector<Pixel> after = target.Pixels();
            for (int y = 0; y < 13; ++y) {
                for (int x = 0; x < 37; ++x) {
                    const std::size_t at = std::size_t(y * 37 + x);
                    Pixel pixel = 0;
                    const bool painted = clip.Contains(x, y) && brush.at(x, y, pixel);
                    const Pixel expected = !painted ? before[at] : Rop2(mode == 0 ? R2_COPYPEN : mode, pixel, before[at]);
                    ASSERT_EQ(after[at], expected) << "at " << x << ", " << y;
                }
            }
        }
    }
    SetROP2(target.Dc(), R2_COPYPEN);
    DeleteObject(everything);
    DeleteObject(solid);
    DeleteObject(hatch);
    DeleteObject(monoPattern);
    DeleteObject(mono);
}

// The source pixels under one destination pixel along an axis, as Blit.h states the rules: the one
// under its centre, or every one it covers when a box mode shrinks.
std::pair<int, int> Covered(int destination, int count, int sourceCount, bool box)
{
    if (box && sourceCount > count) {
        const int first = destination * sourceCount / count;
        return {first, std::max((destination + 1) * sourceCount / count, first + 1)};
    }
    const int first = (2 * destination + 1) * sourceCount / (2 * count);
    return {first, first + 1};
}

Pixel Combined(const std::vector<Pixel>& pixels, int width, std::pair<int, int> columns, std::pair<int, int> rows, int mode)
{
    std::uint64_t sums[4] = {0, 0, 0, 0};
    Pixel both = ~Pixel{0};
    Pixel either = 0;
    for (int y = rows.first; y < rows.second; ++y) {
        for (int x = columns.first; x < columns.second; ++x) {
            const Pixel pixel = pixels[std::size_t(y * width + x)];
            both &= pixel;
            either |= pixel;
            for (int channel = 0; channel < 4; ++channel) {
                sums[channel] += pixel >> (8 * channel) & 0xFF;
            }
        }
    }
    if (mode == BLACKONWHITE) {
        return both;
    }
    if (mode == WHITEONBLACK) {
        return either;
    }
    const std::uint64_t count = std::uint64_t(columns.second - columns.first) * std::uint64_t(rows.second - rows.first);
    Pixel average = 0;
    for (int channel = 0; channel < 4; ++channel) {
        average |= Pixel((sums[channel] + count / 2) / count) << (8 * channel);
    }
    return average;
}

TEST_F(RasterOpsTest, StretchingTakesTheSourcePixelsEachDestinationPixelCovers)
{
    PixelGrid source(41, 29, false);
    source.Fill(random_);
    const std::vector<Pixel> from = source.Pixels();
    struct Case {
        int width, height;  // destination extents; negative ones mirror
        int sourceWidth, sourceHeight;  // from (3, 2)
    };
    const Case cases[] = {
        {33, 23, 33, 23}, {-33, 23, 33, 23}, {33, -23, 33, 23}, {35, 25, 12, 9},  {-35, 25, 12, 9},
        {30, 20, 36, 26}, {17, 13, 34, 26}, {20, 14, 28, 19}, {11, 8, 34, 26},  {-11, 8, 34, 26},
        {5, 3, 38, 27},   {13, 25, 37, 5},  {33, 9, 7, 26},
    };
    PixelGrid target(40, 30);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    for (const int mode : {COLORONCOLOR, HALFTONE, BLACKONWHITE, WHITEONBLACK}) {
        SetStretchBltMode(target.Dc(), mode);
        for (const Case& test : cases) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ": " << test.width << " x " << test.height << " from "
                                            << test.sourceWidth << " x " << test.sourceHeight);
            target.Set(before);
            // Mirrored extents run from the far side, so that every case lands at (2, 1) too.
            const int width = std::abs(test.width);
            const int height = std::abs(test.height);
            ASSERT_TRUE(StretchBlt(target.Dc(), test.width < 0 ? 2 + width : 2, test.height < 0 ? 1 + height : 1,
                                   test.width, test.height, source.Dc(), 3, 2, test.sourceWidth, test.sourceHeight,
                                   SRCCOPY));
            const std::vector<Pixel> after = target.Pixels();
            const int left = 2;
            const int top = 1;
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 40; ++x) {
                    const std::size_t at = std::size_t(y * 40 + x);
                    Pixel expected = before[at];
                    if (x >= left && x < left + width && y >= top && y < top + height) {
                        const int i = test.width < 0 ? left + width - 1 - x : x - left;
                        const int j = test.height < 0 ? top + height - 1 - y : y - top;
                        auto columns = Covered(i, width, test.sourceWidth, mode != COLORONCOLOR);
                        auto rows = Covered(j, height, test.sourceHeight, mode != COLORONCOLOR);
                        columns = {columns.first + 3, columns.second + 3};
                        rows = {rows.first + 2, rows.second + 2};
                        expected = Combined(from, 41, columns, rows, mode);
                    }
                    ASSERT_EQ(after[at], expected) << "at " << x << ", " << y;
                }
            }
        }
    }
}

// Source rectangles at the ends of the int range draw nothing and leave the destination as it was (a
// metafile may ask for them).
TEST_F(RasterOpsTest, SourcesBeyondTheIntRangeLeaveTheDestinationAlone)
{
    PixelGrid source(9, 5);
    source.Fill(random_);
    PixelGrid target(9, 5);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    constexpr int Least = std::numeric_limits<int>::min();
    constexpr int Most = std::numeric_limits<int>::max();
    struct Case {
        int x, width;  // of the source, across
        int destinationWidth;
    };
    for (const int mode : {COLORONCOLOR, HALFTONE}) {
        SetStretchBltMode(target.Dc(), mode);
        for (const Case test : {Case{Least, 4, 8}, Case{Least + 2, -5, 8}, Case{Least, -1, -8}, Case{Most, 7, 8},
                                Case{Most - 3, 6, -8}, Case{Most, -Most, 3}}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", from " << test.x << " over " << test.width);
            const int x = test.destinationWidth < 0 ? 8 : 0;
            ASSERT_TRUE(StretchBlt(target.Dc(), x, 0, test.destinationWidth, 5, source.Dc(), test.x, 0, test.width, 5,
                                   SRCCOPY));
            if (test.width != -Most) {
                EXPECT_EQ(target.Pixels(), before);
            }
        }
    }
}

// Per channel, with the constant alpha k: without AC_SRC_ALPHA (s * k + d * (255 - k)) / 255; with
// it s' = s * k / 255 and a' = a * k / 255, then min(s' + d * (255 - a') / 255, 255); each rounded.
Pixel Blended(Pixel s, Pixel d, BYTE constant, bool perPixel)
{
    const auto divide = [](unsigned value) { return (value + 127) / 255; };
    Pixel result = 0;
    const unsigned alpha = divide((s >> 24) * constant);
    for (int channel = 0; channel < 4; ++channel) {
        const unsigned sc = s >> (8 * channel) & 0xFF;
        const unsigned dc = d >> (8 * channel) & 0xFF;
        const unsigned mixed = perPixel ? std::min(divide(sc * constant) + divide(dc * (255 - alpha)), 255u)
                                        : divide(sc * constant + dc * (255 - constant));
        result |= Pixel(mixed) << (8 * channel);
    }
    return result;
}

TEST_F(RasterOpsTest, AlphaBlendFollowsItsFormulaOnBitmapsAndWindows)
{
    PixelGrid source(31, 17, false);
    std::vector<Pixel> pixels;
    for (int k = 0; k < 31 * 17; ++k) {
        // Premultiplied mostly, some not (the sums saturate), some fully transparent or opaque.
        const Pixel alpha = k % 7 == 0 ? 0 : k % 5 == 0 ? 255 : random_() % 256;
        Pixel pixel = alpha << 24;
        for (int channel = 0; channel < 3; ++channel) {
            pixel |= (k % 11 == 0 ? random_() % 256 : random_() % (alpha + 1)) << (8 * channel);
        }
        pixels.push_back(pixel);
    }
    source.Set(pixels);
    PixelGrid target(29, 15);
    target.Fill(random_);
    const std::vector<Pixel> before = target.Pixels();
    detail::Surface window(29, 15);
    HDC windowDc = detail::CreateSurfaceDC(window, POINT{0, 0}, nullptr);
    struct Case {
        BYTE constant;
        bool perPixel;
        int width, height;  // of the source rectangle from (1, 1), drawn on 27 x 13 at (1, 1)
    };
    for (const Case test : {Case{255, true, 27, 13}, Case{100, true, 27, 13}, Case{0, true, 27, 13},
                            Case{77, false, 27, 13}, Case{255, true, 30, 15}, Case{130, true, 11, 7},
                            Case{200, false, 30, 15}}) {
        SCOPED_TRACE(testing::Message() << int(test.constant) << (test.perPixel ? " per pixel, " : " constant, ")
                                        << test.width << " x " << test.height);
        BLENDFUNCTION blend;
        blend.SourceConstantAlpha = test.constant;
        blend.AlphaFormat = test.perPixel ? AC_SRC_ALPHA : 0;
        target.Set(before);
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 29; ++x) {
                window.SetPixel(x, y, before[std::size_t(y * 29 + x)] & Colour);
            }
        }
        ASSERT_TRUE(AlphaBlend(target.Dc(), 1, 1, 27, 13, source.Dc(), 1, 1, test.width, test.height, blend));
        ASSERT_TRUE(AlphaBlend(windowDc, 1, 1, 27, 13, source.Dc(), 1, 1, test.width, test.height, blend));
        const std::vector<Pixel> after = target.Pixels();
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 29; ++x) {
                const std::size_t at = std::size_t(y * 29 + x);
                Pixel onBitmap = before[at];
                Pixel onWindow = before[at] & Colour;
                if (x >= 1 && x < 28 && y >= 1 && y < 14) {
                    const int column = 1 + Covered(x - 1, 27, test.width, false).first;
                    const int row = 1 + Covered(y - 1, 13, test.height, false).first;
                    const Pixel s = pixels[std::size_t(row * 31 + column)];
                    onBitmap = Blended(s, onBitmap, test.constant, test.perPixel);
                    onWindow = Blended(s, onWindow, test.constant, test.perPixel) & Colour;  // a window keeps no alpha
                }
                ASSERT_EQ(after[at], onBitmap) << "bitmap at " << x << ", " << y;
                ASSERT_EQ(window.Pixel(x, y), onWindow) << "window at " << x << ", " << y;
            }
        }
    }
    DeleteDC(windowDc);
}

}  // namespace
