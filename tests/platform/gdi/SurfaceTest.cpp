#include "platform/gdi/detail/Surface.h"

#include "platform/rtl/Exceptions.h"
#include "platform/wintypes/GdiTypes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using win::detail::Surface;

TEST(SurfaceTest, PixelsAreBgrxWordsInRowsWithoutPadding)
{
    Surface surface(3, 2);
    EXPECT_EQ(surface.Stride(), 12);
    surface.SetPixel(2, 1, 0x00112233);
    const auto* bytes = reinterpret_cast<const unsigned char*>(surface.Bits());
    const unsigned char expected[4] = {0x33, 0x22, 0x11, 0x00};
    EXPECT_EQ(std::memcmp(bytes + 1 * surface.Stride() + 2 * 4, expected, 4), 0);
    EXPECT_EQ(surface.Pixel(0, 0), 0u) << "a new surface is black";
}

TEST(SurfaceTest, FillCutsTheRectangleToTheSurface)
{
    Surface surface(4, 4);
    surface.Fill(win::RECT{-2, 2, 2, 10}, 0xFFFFFF);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(surface.Pixel(x, y), (x < 2 && y >= 2) ? 0xFFFFFFu : 0u) << x << "," << y;
        }
    }
}

TEST(SurfaceTest, ColorOrderConversionsSwapRedAndBlue)
{
    EXPECT_EQ(win::detail::PixelFromColor(win::RGB(0x11, 0x22, 0x33)), 0x00112233u);
    EXPECT_EQ(win::detail::ColorFromPixel(0x00112233u), win::RGB(0x11, 0x22, 0x33));
}

TEST(SurfaceTest, BadSizesRaiseClearErrors)
{
    EXPECT_THROW(Surface(-1, 5), rtl::EInvalidArgument);
    EXPECT_THROW(Surface(1 << 16, 1 << 16), rtl::EOutOfResources);
    EXPECT_NO_THROW(Surface(0, 0));
}

}  // namespace
