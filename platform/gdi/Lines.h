#pragma once
// Lines: the current position, LineTo and the polylines, drawn with the selected pen mixed as SetROP2
// says.
//
// Pixel rules: a cosmetic line covers, for each step along its longer axis from its start, the pixel
// nearest the exact line (halves rounded up), and never its end point, so that the segments of a
// polyline meet without drawing a shared point twice. A geometric pen covers the pixels whose centres
// lie inside its outline (Pen.h); one call paints each pixel once, whatever its segments overlap.

#include "platform/wintypes/GdiTypes.h"

namespace win {

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);
// From the current position to (x, y), which becomes the current position.
BOOL LineTo(HDC dc, int x, int y);
// count at least 2; the current position neither used nor changed.
BOOL Polyline(HDC dc, const POINT* points, int count);
// From the current position through the points; the last becomes the current position.
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
// counts[i] points (at least 2) for each of polylines lines.
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);

}  // namespace win
