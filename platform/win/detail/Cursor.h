#pragma once
// Cursors as the display draws them, and their reset.

#include "platform/win/Cursor.h"

#include <vector>

namespace win::detail {

// What a display back end needs to draw a cursor.
struct CursorShape {
    WORD systemId = 0;  // the IDC_ number of a system cursor, 0 for others
    POINT hotSpot;
    SIZE size;
    std::vector<BYTE> andMask;
    std::vector<BYTE> xorMask;
};
bool GetCursorShape(HCURSOR cursor, CursorShape& shape);

// Back to the system cursors only (the window system's start-up calls it).
void ResetCursors();

}  // namespace win::detail
