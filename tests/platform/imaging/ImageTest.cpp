#include "platform/imaging/Image.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, SizeLimitsAreCheckedBeforeAllocating)
{
    struct Case {
        std::uint64_t width, height;
        bool allowed;
    };
    const Case cases[] = {
        {1, 1, true},
        {65535, 1, true},
        {8192, 8192, true},  // exactly 64 megapixels
        {65535, 1024, true},
        {0, 1, false},
        {1, 0, false},
        {65536, 1, false},
        {1, 65536, false},
        {8192, 8193, false},
        {16384, 16384, false},
        {65535, 65535, false},
        {std::uint64_t{1} << 40, std::uint64_t{1} << 40, false},  // the product would overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        if (c.allowed)
            EXPECT_NO_THROW(win::CheckImageSize(c.width, c.height));
        else
            EXPECT_THROW(win::CheckImageSize(c.width, c.height), win::EInvalidGraphic);
    }
    EXPECT_THROW(win::Image(-1, 5), win::EInvalidGraphic);
    EXPECT_THROW(win::Image(70000, 70000), win::EInvalidGraphic);
}

TEST(Image, NewImageIsTransparentBlackWithRowsTopDown)
{
    win::Image image(3, 2);
    EXPECT_EQ(image.Pixels(), std::vector<std::uint32_t>(6, 0));
    image.SetPixel(2, 1, 0x80112233);
    EXPECT_EQ(image.Row(1)[2], 0x80112233u);
    EXPECT_EQ(image.Pixels()[5], 0x80112233u);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_TRUE(image.Palette().empty());
}

}  // namespace
