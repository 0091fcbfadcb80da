#include "platform/display/detail/ScreenCursor.h"

#include <gtest/gtest.h>

namespace displaytest {
namespace {

using win::detail::CursorMasks;
using win::detail::CursorShape;
using win::detail::MasksOfCursor;

// A pixel of the screen's masks as 'B'lack, 'W'hite, '.' transparent or 'I'nverted.
char ScreenPixel(const CursorMasks& masks, int x, int y)
{
    const std::size_t at = static_cast<std::size_t>(y * masks.width / 8 + x / 8);
    const bool data = masks.data[at] & (0x80 >> (x % 8));
    const bool mask = masks.mask[at] & (0x80 >> (x % 8));
    return mask ? (data ? 'B' : 'W') : (data ? 'I' : '.');
}

TEST(ScreenCursorTest, MasksKeepEachKindOfPixelAcrossTheRowPadding)
{
    // 20 pixels wide: the window system's rows take 4 bytes (16-bit padding), the screen's 3 bytes of
    // a 24-pixel row whose last 4 pixels are transparent.
    CursorShape shape;
    shape.size = win::SIZE{20, 2};
    shape.andMask.assign(8, 0xFF);
    shape.xorMask.assign(8, 0x00);
    struct Case {
        int x, y;
        bool andBit, xorBit;
        char expected;
    };
    const Case cases[] = {
        {0, 0, false, false, 'B'}, {1, 0, false, true, 'W'}, {2, 0, true, false, '.'}, {3, 0, true, true, 'I'},
        {17, 0, false, false, 'B'},  // in the second 16 bits of the row
        {19, 1, false, true, 'W'},   // the last pixel of the second row
        {8, 1, true, true, 'I'},
    };
    for (const Case& c : cases) {
        const std::size_t at = static_cast<std::size_t>(c.y * 4 + c.x / 8);
        const auto bit = static_cast<win::BYTE>(0x80 >> (c.x % 8));
        shape.andMask[at] = static_cast<win::BYTE>(c.andBit ? shape.andMask[at] | bit : shape.andMask[at] & ~bit);
        shape.xorMask[at] = static_cast<win::BYTE>(c.xorBit ? shape.xorMask[at] | bit : shape.xorMask[at] & ~bit);
    }
    const CursorMasks masks = MasksOfCursor(shape);
    ASSERT_EQ(masks.width, 24);
    ASSERT_EQ(masks.height, 2);
    ASSERT_EQ(masks.data.size(), 6u);
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenPixel(masks, c.x, c.y), c.expected) << c.x << "," << c.y;
    }
    int transparent = 0;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 24; ++x) {
            transparent += ScreenPixel(masks, x, y) == '.';
        }
    }
    EXPECT_EQ(transparent, 48 - 6) << "every pixel not set above, the padding among them, is transparent";
}

TEST(ScreenCursorTest, ColourPixelsTakeTheirAlphaOrTheMask)
{
    CursorShape shape;
    shape.size = win::SIZE{2, 1};
    shape.colour = {0x00112233, 0x80445566};
    shape.andMask = {0x40, 0x00};  // the second pixel is transparent by the mask
    EXPECT_EQ(win::detail::PixelsOfCursor(shape), (std::vector<std::uint32_t>{0xFF112233, 0x00000000}));
    shape.alpha = true;
    EXPECT_EQ(win::detail::PixelsOfCursor(shape), (std::vector<std::uint32_t>{0x00112233, 0x80445566}));
}

TEST(ScreenCursorTest, AMonochromeIconIsBlackWhiteAndTransparent)
{
    // One row of four pixels: black, white, transparent, and screen-inverting (no colour of its own).
    CursorShape shape;
    shape.size = win::SIZE{4, 1};
    shape.andMask = {0x30, 0x00};
    shape.xorMask = {0x50, 0x00};
    EXPECT_EQ(win::detail::PixelsOfIcon(shape), (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0, 0}));
}

TEST(ScreenCursorTest, DrawnSystemCursorsPointWithAnOpaquePixel)
{
    for (win::WORD id : {win::WORD{32516}, win::WORD{32651}}) {
        CursorShape shape;
        ASSERT_TRUE(win::detail::DrawnSystemCursor(id, shape)) << id;
        EXPECT_EQ(shape.systemId, id);
        const CursorMasks masks = MasksOfCursor(shape);
        EXPECT_EQ(ScreenPixel(masks, shape.hotSpot.x, shape.hotSpot.y), 'B') << id;
    }
    CursorShape arrow;
    EXPECT_FALSE(win::detail::DrawnSystemCursor(32512, arrow)) << "the screen has an arrow of its own";
}

}  // namespace
}  // namespace displaytest
