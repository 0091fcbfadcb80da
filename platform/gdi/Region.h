#pragma once
// Regions: sets of pixels kept as bands of rectangles. Region is the value type the window system and
// the device contexts work with; HRGN handles wrap one each in the object table.
//
// Pixel rules: a rectangle holds left <= x < right, top <= y < bottom. A polygon region holds the
// pixels whose centres lie inside the polygon (a centre on a left edge is inside, on a right edge
// outside). Elliptic and round-rectangle regions are one pixel narrower and shorter than their
// bounding rectangle, as the documented API makes them: the ellipse of (0, 0, 11, 11) covers (0, 0, 10, 10), so a
// window of w x h pixels takes CreateRoundRectRgn(0, 0, w + 1, h + 1, ...).

#include "platform/wintypes/GdiTypes.h"

namespace win {

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode);
// xform must be null or the identity; data holds nCount rectangles after its header.
HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data);
// With data null: the bytes needed. Otherwise fills data and answers size, or 0 when size is too small.
DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data);

// The kind of the result, or ERROR when a handle is not a region or mode is unknown. destination may be
// one of the sources.
int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN first, HRGN second);
int GetRgnBox(HRGN region, RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);

}  // namespace win
