#pragma once
// Closed shapes: outlined with the selected pen and filled with the selected brush, both mixed as
// SetROP2 says.
//
// Pixel rules, for a box (left, top, right, bottom): a one-pixel pen draws the outline on the box's
// own pixels, left .. right - 1 and top .. bottom - 1, and the brush fills inside it; without a pen
// the fill covers left .. right - 2 and top .. bottom - 2, as the documented API does. A wider pen is
// centred on that outline (half its width outside, rounded down), except PS_INSIDEFRAME, which keeps
// it inside the box. Ellipses and round rectangles follow the regions of Region.h over the same box;
// arcs run counter-clockwise from the radial through the start point to the radial through the end
// point. Polygons fill the pixels whose centres lie inside, by the context's fill mode.

#include "platform/wintypes/GdiTypes.h"

namespace win {

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
// count at least 2; the figure is closed.
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons);

}  // namespace win
