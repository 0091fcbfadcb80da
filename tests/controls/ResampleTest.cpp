// Lanczos-3 resampling: weights worked out from the filter, indexes kept inside short sources, and a
// resize to the same size that changes nothing.

#include "controls/clResample.h"

#include "tests/controls/ControlsFixture.h"

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

}  // namespace
