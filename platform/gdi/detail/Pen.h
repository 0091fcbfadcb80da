#pragma once
// A pen as drawing sees it, and its stored record.

#include "platform/gdi/Pen.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <vector>

namespace win::detail {

struct DeviceContext;

// GetObject's record of a pen from ExtCreatePen: an EXTLOGPEN with its user lengths.
int GetExtPenObject(const PenObject& pen, int size, void* buffer);

// The selected pen of a context, resolved for one drawing.
struct PenShape {
    bool null = false;
    bool geometric = false;
    bool insideFrame = false;
    int width = 1;
    COLORREF colour = 0;
    std::vector<int> dashes;  // on and off lengths in pixels; empty for a solid pen
    DWORD endCap = PS_ENDCAP_ROUND;
    DWORD join = PS_JOIN_ROUND;
};
// The caller holds the GDI lock.
PenShape PenShapeOf(const DeviceContext& context);

// The device rectangle a figure of device points (or a shape's box) may paint with the pen: its bounds
// grown by the pen's widest reach, miter joins and square ends included.
RECT PenReach(const RECT& bounds, const PenShape& pen);
RECT PointsBounds(const std::vector<POINT>& points);

}  // namespace win::detail
