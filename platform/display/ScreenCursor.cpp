#include "platform/display/detail/ScreenCursor.h"

#include <cstddef>
#include <string_view>

namespace win::detail {

namespace {

bool Bit(const std::vector<BYTE>& rows, std::size_t stride, int x, int y)
{
    const std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8);
    return at < rows.size() && (rows[at] & (0x80 >> (x % 8)));
}

// Art rows: 'X' black, 'o' white, anything else transparent.
CursorShape ShapeOfArt(std::initializer_list<std::string_view> art, POINT hotSpot)
{
    CursorShape shape;
    shape.hotSpot = hotSpot;
    const int width = static_cast<int>(art.begin()->size());
    shape.size = SIZE{width, static_cast<int>(art.size())};
    const std::size_t stride = static_cast<std::size_t>((width + 15) / 16 * 2);
    shape.andMask.assign(stride * art.size(), 0xFF);
    shape.xorMask.assign(stride * art.size(), 0x00);
    std::size_t y = 0;
    for (std::string_view row : art) {
        for (std::size_t x = 0; x < row.size(); ++x) {
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (row[x] == 'X' || row[x] == 'o') {
                shape.andMask[y * stride + x / 8] &= static_cast<BYTE>(~bit);
            }
            if (row[x] == 'o') {
                shape.xorMask[y * stride + x / 8] |= bit;
            }
        }
        ++y;
    }
    return shape;
}

}  // namespace

CursorMasks MasksOfCursor(const CursorShape& shape)
{
    CursorMasks masks;
    masks.width = (shape.size.cx + 7) / 8 * 8;
    masks.height = shape.size.cy;
    const std::size_t stride = static_cast<std::size_t>(masks.width / 8);
    masks.data.assign(stride * static_cast<std::size_t>(masks.height), 0);
    masks.mask.assign(masks.data.size(), 0);
    // The window system's rows are padded to 16 bits.
    const std::size_t sourceStride = static_cast<std::size_t>((shape.size.cx + 15) / 16 * 2);
    for (int y = 0; y < shape.size.cy; ++y) {
        for (int x = 0; x < shape.size.cx; ++x) {
            // A missing AND mask leaves the pixel transparent.
            const bool andBit = shape.andMask.empty() || Bit(shape.andMask, sourceStride, x, y);
            const bool xorBit = Bit(shape.xorMask, sourceStride, x, y);
            const std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if (andBit == xorBit) {
                masks.data[at] |= bit;
            }
            if (!andBit) {
                masks.mask[at] |= bit;
            }
        }
    }
    return masks;
}

std::vector<std::uint32_t> PixelsOfCursor(const CursorShape& shape)
{
    const auto count = static_cast<std::size_t>(shape.size.cx) * static_cast<std::size_t>(shape.size.cy);
    std::vector<std::uint32_t> pixels(count, 0);
    const std::size_t stride = static_cast<std::size_t>((shape.size.cx + 15) / 16 * 2);
    for (int y = 0; y < shape.size.cy; ++y) {
        for (int x = 0; x < shape.size.cx; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(shape.size.cx) +
                                   static_cast<std::size_t>(x);
            const std::uint32_t colour = at < shape.colour.size() ? shape.colour[at] : 0;
            if (shape.alpha) {
                pixels[at] = colour;
            } else if (!Bit(shape.andMask, stride, x, y)) {
                pixels[at] = colour | 0xFF000000u;
            }
        }
    }
    return pixels;
}

std::vector<std::uint32_t> PixelsOfIcon(const CursorShape& shape)
{
    if (!shape.colour.empty()) {
        return PixelsOfCursor(shape);
    }
    const CursorMasks masks = MasksOfCursor(shape);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(shape.size.cx) * static_cast<std::size_t>(shape.size.cy));
    for (int y = 0; y < shape.size.cy; ++y) {
        for (int x = 0; x < shape.size.cx; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * masks.width / 8 + x / 8);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            const bool opaque = masks.mask[at] & bit;
            const bool black = masks.data[at] & bit;
            pixels.push_back(!opaque ? 0u : black ? 0xFF000000u : 0xFFFFFFFFu);
        }
    }
    return pixels;
}

bool DrawnSystemCursor(WORD id, CursorShape& shape)
{
    switch (id) {
    case 32516:  // IDC_UPARROW
        shape = ShapeOfArt({"       X       ",
                            "      XoX      ",
                            "     XoooX     ",
                            "    XoooooX    ",
                            "   XoooooooX   ",
                            "  XoooooooooX  ",
                            " XoooooooooooX ",
                            "XXXXXoooooXXXXX",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XoooooX    ",
                            "    XXXXXXX    "},
                           POINT{7, 0});
        break;
    case 32651:  // IDC_HELP
        shape = ShapeOfArt({"X                   ",
                            "XX         XXXXX    ",
                            "XoX       XoooooX   ",
                            "XooX     XooXXXooX  ",
                            "XoooX    XooX XooX  ",
                            "XooooX    XX XooX   ",
                            "XoooooX     XooX    ",
                            "XooooooX   XooX     ",
                            "XoooooooX  XooX     ",
                            "XooooooooX  XX      ",
                            "XoooooXXXXX XX      ",
                            "XooXooX    XooX     ",
                            "XoX XooX   XooX     ",
                            "XX  XooX    XX      ",
                            "X    XooX           ",
                            "     XooX           ",
                            "      XooX          ",
                            "      XooX          ",
                            "       XX           "},
                           POINT{0, 0});
        break;
    default:
        return false;
    }
    shape.systemId = id;
    return true;
}

}  // namespace win::detail
