#pragma once
// Cursors as the display draws them, and their reset.

#include "platform/win/Cursor.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <vector>

namespace win::detail {

// An icon or a cursor (one kind of object), and what a display back end needs to draw a cursor. A
// monochrome shape has its AND and XOR masks; a colour shape its pixels and the AND mask (1 bits
// transparent). Masks are rows of one bit per pixel padded to 16 bits.
struct CursorShape {
    WORD systemId = 0;  // the IDC_ or IDI_ number of a system shape, 0 for others
    bool icon = false;
    bool shared = false;  // handed out again by every load: destroying it leaves it alive
    POINT hotSpot;
    SIZE size;
    std::vector<BYTE> andMask;
    std::vector<BYTE> xorMask;  // monochrome shapes only
    std::vector<std::uint32_t> colour;  // colour shapes: 0xAARRGGBB, rows from the top
    bool alpha = false;  // the colour's alpha bytes blend; otherwise it is opaque where the mask is 0
    std::vector<CursorShape> otherSizes;  // the same picture at other sizes, drawn when asked for
};
HCURSOR AddCursorShape(CursorShape shape);
bool GetCursorShape(HCURSOR cursor, CursorShape& shape);

// Back to the system cursors only (the window system's start-up calls it).
void ResetCursors();
// Back to the system icons only, after ResetCursors (Icon.cpp).
void ResetIcons();
// The art of a system icon (an IDI_ number) at 32 pixels, with its 16-pixel picture (SystemIcons.cpp).
CursorShape SystemIconShape(WORD id);
// A 32-bit DIB section with rows from the top, its pixels (0xAARRGGBB) at *pixels; null when it cannot be had.
HBITMAP NewColourSection(int width, int height, std::uint32_t** pixels);
// A bitmap's pixels as 0xAARRGGBB, rows from the top; false when it cannot be read.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels);

}  // namespace win::detail
