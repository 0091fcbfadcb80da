#pragma once
// Stroking figures with a pen, for the drawing units.

#include "platform/gdi/Lines.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/Region.h"

#include <vector>

namespace win::detail {

struct DeviceContext;

// For the drawing units, the GDI lock and a DrawScope held: strokes device points with the pen,
// closing the figure when closed is set; the dash pattern runs on through every figure of one call.
class Stroke {
public:
    Stroke(DeviceContext& context, const PenShape& pen);
    void Figure(const std::vector<POINT>& points, bool closed);
    // Paints what the geometric figures covered; the cosmetic ones are painted as they go.
    void Finish();

private:
    void CosmeticSegment(POINT from, POINT to);
    void GeometricFigure(const std::vector<POINT>& points, bool closed);

    DeviceContext& context_;
    const PenShape& pen_;
    Region clip_;
    Region covered_;
    int dashIndex_ = 0;
    int dashLeft_ = 0;
};

}  // namespace win::detail
