// Lanczos-3 resampling: weights worked out from the filter, indexes kept inside short sources, and a
// resize to the same size that changes nothing. Alpha blending through the system, through smooth
// scaling, and pixel by pixel without the system's routine.

#include "controls/clResample.h"

#include "controls/clEntryPoints.h"
#include "platform/gdi/Blit.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

using namespace controls;

TEST(ResampleTest, WeightsFromTheFilter)
{
    EXPECT_EQ(clLanczos3Weight(0), 1);
    EXPECT_EQ(clLanczos3Weight(3), 0);
    EXPECT_EQ(clLanczos3Weight(-4.5), 0);
    // sinc(0.5) x sinc(1 / 6) = (2 / pi) x (sin(pi / 6) / (pi / 6)) = 0.6079..., x 256 = 155.6.
    const double expected = (2 / std::numbers::pi) * (0.5 / (std::numbers::pi / 6));
    EXPECT_NEAR(clLanczos3Weight(0.5), expected, 1e-12);
    // 2 -> 3 pixels: factor 2, so the middle pixel's centre is 0.5 and source pixel 0 weighs 156.
    const auto contributions = clBuildResampleContributions(2, 3);
    ASSERT_EQ(contributions.size(), 3u);
    bool found = false;
    for (const TclResampleContribution& c : contributions[1])
        if (c.Index == 0 && c.Weight == 156)
            found = true;
    EXPECT_TRUE(found);
}

TEST(ResampleTest, IndexesStayInsideTheSource)
{
    const int sizes[][2] = {{2, 3}, {3, 1}, {1, 5}, {2, 1}, {1000, 1}, {5, 400}, {7, 2}};
    for (const auto& size : sizes)
        for (const auto& pixel : clBuildResampleContributions(size[0], size[1]))
            for (const TclResampleContribution& c : pixel) {
                EXPECT_GE(c.Index, 0) << size[0] << " -> " << size[1];
                EXPECT_LT(c.Index, size[0]) << size[0] << " -> " << size[1];
            }
}

class SmoothResizeTest : public controlstest::ControlsTest {};

TEST_F(SmoothResizeTest, SameSizeChangesNothingAndShortSourcesAreSafe)
{
    gui::TBitmap source;
    source.SetPixelFormat(gui::pf32bit);
    source.SetSize(5, 4);
    std::vector<TclRGBQuad> pixels;
    for (int i = 0; i < 20; ++i)
        pixels.push_back(TclRGBQuad{std::uint8_t(i * 12), std::uint8_t(255 - i), std::uint8_t(i * 7), 255});
    clPutBitmapPixels(source, pixels);
    gui::TBitmap same;
    same.SetPixelFormat(gui::pf32bit);
    same.SetSize(5, 4);
    clSmoothResizeBitmap(source, same, true);
    const std::vector<TclRGBQuad> result = clGetBitmapPixels(same);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        EXPECT_EQ(result[i].Blue, pixels[i].Blue) << i;
        EXPECT_EQ(result[i].Green, pixels[i].Green) << i;
        EXPECT_EQ(result[i].Red, pixels[i].Red) << i;
    }

    // 2 -> 3 and 3 -> 1 pixels: uniform grey stays grey, and nothing outside the source is read.
    for (const auto& size : {std::pair{2, 3}, std::pair{3, 1}}) {
        gui::TBitmap from;
        from.SetPixelFormat(gui::pf32bit);
        from.SetSize(size.first, 1);
        clPutBitmapPixels(from, std::vector<TclRGBQuad>(std::size_t(size.first), TclRGBQuad{90, 90, 90, 255}));
        gui::TBitmap to;
        to.SetPixelFormat(gui::pf32bit);
        to.SetSize(size.second, 1);
        clSmoothResizeBitmap(from, to, true);
        for (const TclRGBQuad& p : clGetBitmapPixels(to))
            EXPECT_NEAR(p.Blue, 90, 2) << size.first << " -> " << size.second;
    }

    // Empty sizes do nothing.
    gui::TBitmap empty;
    clSmoothResizeBitmap(empty, same, true);
    clSmoothResizeBitmap(source, empty, false);
    EXPECT_EQ(clGetBitmapPixels(same)[3].Blue, pixels[3].Blue);
}

// Half-transparent premultiplied red (B 0, G 0, R 128, A 128) over white, at constant alpha 255:
// red 128 + 255 x 127 / 255 = 255, green and blue 127.
void PaintHalfRed(testsupport::Surface& source)
{
    gui::TBitmap bitmap;
    bitmap.SetPixelFormat(gui::pf32bit);
    bitmap.SetSize(source.Width(), source.Height());
    clPutBitmapPixels(bitmap, std::vector<TclRGBQuad>(std::size_t(source.Width() * source.Height()),
                                                      TclRGBQuad{0, 0, 128, 128}));
    win::BitBlt(source.DC(), 0, 0, source.Width(), source.Height(), bitmap.Canvas()->Handle(), 0, 0, win::SRCCOPY);
}

class AlphaBlendTest : public controlstest::ControlsTest {};

class AlphaBlendWithoutSystemTest : public controlstest::ControlsTest {
protected:
    TclEntryPoints EntryPoints() const override
    {
        TclEntryPoints entries = PlatformEntryPoints();
        entries.AlphaBlend = nullptr;
        return entries;
    }
};

void ExpectBlendedHalfRed(bool smooth, int sourceSize, int destinationSize)
{
    testsupport::Surface source(sourceSize, sourceSize, 0);
    PaintHalfRed(source);
    testsupport::Surface target(destinationSize + 2, destinationSize + 2, win::RGB(255, 255, 255));
    clAlphaBlend(target.DC(), win::RECT{1, 1, 1 + destinationSize, 1 + destinationSize}, source.DC(),
                 win::RECT{0, 0, sourceSize, sourceSize}, 255, smooth);
    for (int y = 1; y <= destinationSize; ++y)
        for (int x = 1; x <= destinationSize; ++x) {
            const win::COLORREF pixel = win::GetPixel(target.DC(), x, y);
            EXPECT_NEAR(win::GetRValue(pixel), 255, 2) << x << ", " << y;
            EXPECT_NEAR(win::GetGValue(pixel), 127, 2) << x << ", " << y;
            EXPECT_NEAR(win::GetBValue(pixel), 127, 2) << x << ", " << y;
        }
    // Nothing outside the destination rect.
    EXPECT_EQ(win::GetPixel(target.DC(), 0, 0), win::RGB(255, 255, 255));
    EXPECT_EQ(win::GetPixel(target.DC(), destinationSize + 1, destinationSize + 1), win::RGB(255, 255, 255));
}

TEST_F(AlphaBlendTest, SystemAndSmoothPathsBlendAlike)
{
    ExpectBlendedHalfRed(false, 4, 4);
    ExpectBlendedHalfRed(true, 2, 7);
    ExpectBlendedHalfRed(true, 9, 1);
    ExpectBlendedHalfRed(false, 3, 6);
}

TEST_F(AlphaBlendWithoutSystemTest, PixelBlendingTakesOver)
{
    testsupport::Surface source(2, 2, 0);
    testsupport::Surface target(2, 2, win::RGB(255, 255, 255));
    EXPECT_FALSE(clSystemAlphaBlend(target.DC(), win::RECT{0, 0, 2, 2}, source.DC(), win::RECT{0, 0, 2, 2}, 255));
    EXPECT_EQ(target.Painted(win::RGB(255, 255, 255)), 0);
    ExpectBlendedHalfRed(false, 4, 4);
    ExpectBlendedHalfRed(true, 2, 5);
}

TEST_F(AlphaBlendTest, EmptyRectsDoNothing)
{
    testsupport::Surface source(2, 2, win::RGB(0, 0, 0));
    testsupport::Surface target(4, 4, win::RGB(255, 255, 255));
    clAlphaBlend(target.DC(), win::RECT{0, 0, 0, 4}, source.DC(), win::RECT{0, 0, 2, 2}, 255, true);
    clAlphaBlend(target.DC(), win::RECT{0, 0, 4, 4}, source.DC(), win::RECT{1, 1, 1, 2}, 255, true);
    EXPECT_EQ(target.Painted(win::RGB(255, 255, 255)), 0);
}

}  // namespace
