#pragma once
// Cursors as the screen takes them: two masks of one bit per pixel, or a colour image. Plain C++, so
// the conversions are tested without a display.

#include "platform/win/detail/Cursor.h"

#include <cstdint>
#include <vector>

namespace win::detail {

// A monochrome cursor in the screen's terms: rows of width / 8 bytes (width a multiple of 8, the
// pixels beyond the shape's width transparent), most significant bit first. Per pixel, data and mask
// 1 1 black, 0 1 white, 0 0 transparent, 1 0 the screen inverted (black where it cannot invert).
struct CursorMasks {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> mask;
};
CursorMasks MasksOfCursor(const CursorShape& shape);

// A colour cursor's pixels as 0xAARRGGBB (straight alpha), rows from the top: without an alpha channel
// opaque where the AND mask is 0 and transparent where it is 1.
std::vector<std::uint32_t> PixelsOfCursor(const CursorShape& shape);

// An icon's picture as 0xAARRGGBB (straight alpha), rows from the top: a colour icon's pixels, or a
// monochrome one's masks in black and white (where it would invert the screen, transparent).
std::vector<std::uint32_t> PixelsOfIcon(const CursorShape& shape);

// The shape of a system cursor the screen has no cursor of its own for (IDC_UPARROW, IDC_HELP); false
// for the others.
bool DrawnSystemCursor(WORD id, CursorShape& shape);

}  // namespace win::detail
