#include "platform/gdi/Shapes.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Lines.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace win {

using namespace detail;

namespace {

// A shape's area for a box of pixels (right and bottom excluded).
using AreaOf = std::function<Region(const RECT&)>;

// The box the pen's outer edge follows and the box inside the pen, which the brush fills.
void PenBoxes(const PenShape& pen, const RECT& box, RECT& outer, RECT& inner)
{
    if (pen.null) {
        outer = inner = RECT{box.left, box.top, box.right - 1, box.bottom - 1};
        return;
    }
    const int width = pen.geometric ? pen.width : 1;
    outer = box;
    if (width > 1 && !pen.insideFrame) {
        const int outside = width / 2;
        const int beyond = (width - 1) / 2;
        outer = RECT{box.left - outside, box.top - outside, box.right + beyond, box.bottom + beyond};
    }
    inner = outer;
    InflateRect(&inner, -width, -width);
}

// Runs a shape drawing on a raster context: the box normalized to device coordinates, the pen resolved.
template <class Draw>
BOOL DrawShape(DeviceContext& context, RECT box, Draw draw)
{
    if (!context.Target()) {
        return FALSE;
    }
    const PenShape pen = PenShapeOf(context);
    DrawScope scope(context, PenReach(context.ToDevice(box), pen), true, context.state.rop2 != R2_COPYPEN);
    const std::unique_ptr<BrushPaint> brush = BrushPaint::Of(context, context.state.brush);
    draw(context, context.ToDevice(box), pen, brush.get());
    return TRUE;
}

void PaintShape(DeviceContext& context, const PenShape& pen, const BrushPaint* brush, const RECT& box, const AreaOf& area,
                const Region* within = nullptr)
{
    RECT outer;
    RECT inner;
    PenBoxes(pen, box, outer, inner);
    Region fill = area(inner);
    Region ring = area(outer);
    ring.Subtract(fill);
    if (within) {
        fill.Intersect(*within);
        ring.Intersect(*within);
    }
    if (brush) {
        PaintRegion(context, fill, *brush, context.state.rop2);
    }
    if (!pen.null) {
        PaintRegion(context, ring, BrushPaint(PixelFromColor(pen.colour)), context.state.rop2);
    }
}

Region EllipseArea(const RECT& box)
{
    if (IsRectEmpty(&box)) {
        return Region();
    }
    return Region::Ellipse(RECT{box.left, box.top, box.right + 1, box.bottom + 1});
}

// The point where the radial from the box's centre through (x, y) meets the ellipse of the box's
// outline, and the radial's angle (counter-clockwise, y upwards).
struct Radial {
    POINT point;
    double angle;
};

Radial RadialOf(const RECT& box, POINT through)
{
    const double cx = (box.left + box.right - 1) / 2.0;
    const double cy = (box.top + box.bottom - 1) / 2.0;
    const double rx = std::max((box.right - 1 - box.left) / 2.0, 0.5);
    const double ry = std::max((box.bottom - 1 - box.top) / 2.0, 0.5);
    double dx = through.x - cx;
    double dy = through.y - cy;
    if (dx == 0 && dy == 0) {
        dx = 1;
    }
    const double angle = std::atan2(-dy, dx);
    const double c = std::cos(angle);
    const double s = -std::sin(angle);
    const double reach = 1 / std::sqrt((c / rx) * (c / rx) + (s / ry) * (s / ry));
    return Radial{POINT{static_cast<LONG>(std::lround(cx + c * reach)), static_cast<LONG>(std::lround(cy + s * reach))},
                  angle};
}

// The part of a polygon within a box (Sutherland-Hodgman, one side of the box at a time). Points inside
// stay as they are; the new ones lie on the box's edges.
std::vector<POINT> ClipPolygon(std::vector<POINT> polygon, const RECT& box)
{
    struct Side {
        bool vertical;  // a line x = at, else y = at
        double at;
        bool keepAbove;  // keeps the coordinates >= at, else those <= at
    };
    const Side sides[] = {{true, double(box.left), true}, {true, double(box.right), false},
                          {false, double(box.top), true}, {false, double(box.bottom), false}};
    for (const Side& side : sides) {
        const auto coordinate = [&](const POINT& p) { return double(side.vertical ? p.x : p.y); };
        const auto inside = [&](const POINT& p) { return side.keepAbove ? coordinate(p) >= side.at : coordinate(p) <= side.at; };
        std::vector<POINT> kept;
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            const POINT a = polygon[k];
            const POINT b = polygon[(k + 1) % polygon.size()];
            if (inside(a)) {
                kept.push_back(a);
            }
            if (inside(a) != inside(b)) {
                const double t = (side.at - coordinate(a)) / (coordinate(b) - coordinate(a));
                const double x = side.vertical ? side.at : a.x + t * (double(b.x) - a.x);
                const double y = side.vertical ? a.y + t * (double(b.y) - a.y) : side.at;
                kept.push_back(POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))});
            }
        }
        polygon = std::move(kept);
    }
    return polygon;
}

// The pixels between two radials going counter-clockwise from the first, far beyond the box; with the
// chord flag, those beyond the chord between the radials' points. Only those within limits are found,
// so that a box far larger than the target costs no more than the pixels that can be drawn.
Region Sector(const RECT& box, const Radial& start, const Radial& end, bool chord, RECT limits)
{
    const double cx = (box.left + box.right - 1) / 2.0 + 0.5;
    const double cy = (box.top + box.bottom - 1) / 2.0 + 0.5;
    const double far = 2.0 * ((box.right - box.left) + (box.bottom - box.top)) + 16;
    double sweep = end.angle - start.angle;
    while (sweep <= 1e-9) {
        sweep += 2 * M_PI;
    }
    std::vector<POINT> polygon;
    if (chord) {
        polygon.push_back(start.point);
    } else {
        polygon.push_back(POINT{static_cast<LONG>(std::lround(cx)), static_cast<LONG>(std::lround(cy))});
    }
    const int steps = std::max(2, static_cast<int>(sweep / (M_PI / 90)));
    for (int k = 0; k <= steps; ++k) {
        const double angle = start.angle + sweep * k / steps;
        polygon.push_back(POINT{static_cast<LONG>(std::lround(cx + far * std::cos(angle))),
                                static_cast<LONG>(std::lround(cy - far * std::sin(angle)))});
    }
    if (chord) {
        polygon.push_back(end.point);
    }
    // A margin keeps the edges that clipping adds outside the limits.
    InflateRect(&limits, 2, 2);
    polygon = ClipPolygon(std::move(polygon), limits);
    const int count = static_cast<int>(polygon.size());
    return count < 3 ? Region() : Region::Polygons(polygon.data(), &count, 1, WINDING);
}

BOOL DrawArc(HDC dc, RECT box, POINT start, POINT end, ArcShape kind)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) { return context.Drawing().Arc(context, kind, box, start, end); });
}

BOOL DrawBox(HDC dc, BoxShape shape, RECT box)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) { return context.Drawing().Box(context, shape, box); });
}

}  // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    return DrawBox(dc, BoxShape::Rectangle, RECT{left, top, right, bottom});
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().RoundRect(context, RECT{left, top, right, bottom}, SIZE{ellipseWidth, ellipseHeight});
    });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    return DrawBox(dc, BoxShape::Ellipse, RECT{left, top, right, bottom});
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    return DrawArc(dc, RECT{left, top, right, bottom}, POINT{startX, startY}, POINT{endX, endY}, ArcShape::Arc);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    return DrawArc(dc, RECT{left, top, right, bottom}, POINT{startX, startY}, POINT{endX, endY}, ArcShape::Pie);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    return DrawArc(dc, RECT{left, top, right, bottom}, POINT{startX, startY}, POINT{endX, endY}, ArcShape::Chord);
}

BOOL Polygon(HDC dc, const POINT* points, int count)
{
    if (!points || count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().Poly(context, PolyShape::Polygon, points, static_cast<std::size_t>(count));
    });
}

BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons)
{
    if (!points || !counts || polygons < 1 || std::any_of(counts, counts + polygons, [](int count) { return count < 2; })) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<DWORD> sizes(counts, counts + polygons);
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().PolyPoly(context, PolyPolyShape::PolyPolygon, points, sizes.data(),
                                          static_cast<std::size_t>(polygons));
    });
}

// The raster device's shapes.

BOOL RasterDevice::Box(DeviceContext& context, BoxShape shape, const RECT& box)
{
    if (shape == BoxShape::Ellipse) {
        return DrawShape(context, box, [](DeviceContext& context, const RECT& box, const PenShape& pen, const BrushPaint* brush) {
            PaintShape(context, pen, brush, box, EllipseArea);
        });
    }
    return DrawShape(context, box,
                     [](DeviceContext& context, const RECT& box, const PenShape& pen, const BrushPaint* brush) {
                         if (pen.null || pen.geometric || pen.dashes.empty()) {
                             PaintShape(context, pen, brush, box, [](const RECT& rect) { return Region(rect); });
                             return;
                         }
                         // A styled one-pixel outline runs round the box with its pattern.
                         RECT outer;
                         RECT inner;
                         PenBoxes(pen, box, outer, inner);
                         if (brush) {
                             PaintRegion(context, Region(inner), *brush, context.state.rop2);
                         }
                         Stroke stroke(context, pen);
                         stroke.Figure({{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                                        {box.left, box.bottom - 1}},
                                       true);
                     });
}

BOOL RasterDevice::RoundRect(DeviceContext& context, const RECT& box, SIZE corner)
{
    const int ellipseWidth = corner.cx;
    const int ellipseHeight = corner.cy;
    return DrawShape(context, box,
                     [&](DeviceContext& context, const RECT& box, const PenShape& pen, const BrushPaint* brush) {
                         const int shrink = box.right - box.left;
                         PaintShape(context, pen, brush, box, [&](const RECT& rect) {
                             if (IsRectEmpty(&rect)) {
                                 return Region();
                             }
                             // Inner outlines keep the corners' centres: their ellipses shrink with the box.
                             const int less = shrink - (rect.right - rect.left);
                             return Region::RoundRect(RECT{rect.left, rect.top, rect.right + 1, rect.bottom + 1},
                                                      std::max(ellipseWidth - less, 0), std::max(ellipseHeight - less, 0));
                         });
                     });
}

BOOL RasterDevice::Arc(DeviceContext& context, ArcShape kind, const RECT& box, POINT start, POINT end)
{
    return DrawShape(context, box, [&](DeviceContext& context, const RECT& device, const PenShape& pen, const BrushPaint* brush) {
        const Radial first = RadialOf(device, context.ToDevice(start));
        const Radial last = RadialOf(device, context.ToDevice(end));
        const Region within = Sector(device, first, last, kind == ArcShape::Chord, context.ClipRegion().Bounds());
        PaintShape(context, pen, kind == ArcShape::Arc ? nullptr : brush, device, EllipseArea, &within);
        Stroke stroke(context, pen);
        if (kind == ArcShape::Pie) {
            const POINT centre{(device.left + device.right - 1) / 2, (device.top + device.bottom - 1) / 2};
            stroke.Figure({first.point, centre, last.point}, false);
        } else if (kind == ArcShape::Chord) {
            stroke.Figure({first.point, last.point}, false);
        }
        stroke.Finish();
    });
}

BOOL detail::RasterPolygons(DeviceContext& context, const POINT* points, const int* counts, int polygons)
{
    if (!context.Target()) {
        return FALSE;
    }
    std::vector<POINT> device;
    int total = 0;
    for (int k = 0; k < polygons; ++k) {
        total += counts[k];
    }
    for (int k = 0; k < total; ++k) {
        device.push_back(context.ToDevice(points[k]));
    }
    const PenShape pen = PenShapeOf(context);
    DrawScope scope(context, PenReach(PointsBounds(device), pen), true, context.state.rop2 != R2_COPYPEN);
    if (const auto brush = BrushPaint::Of(context, context.state.brush)) {
        PaintRegion(context, Region::Polygons(device.data(), counts, polygons, context.state.polyFillMode), *brush,
                    context.state.rop2);
    }
    Stroke stroke(context, pen);
    std::size_t start = 0;
    for (int k = 0; k < polygons; ++k) {
        stroke.Figure(std::vector<POINT>(device.begin() + static_cast<std::ptrdiff_t>(start),
                                         device.begin() + static_cast<std::ptrdiff_t>(start) + counts[k]),
                      true);
        start += static_cast<std::size_t>(counts[k]);
    }
    stroke.Finish();
    return TRUE;
}

}  // namespace win
