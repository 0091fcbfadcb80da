#include "platform/gdi/Lines.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Lines.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace win {

using namespace detail;

namespace {

struct PointF {
    double x;
    double y;
};

PointF operator+(PointF a, PointF b) { return {a.x + b.x, a.y + b.y}; }
PointF operator-(PointF a, PointF b) { return {a.x - b.x, a.y - b.y}; }
PointF operator*(PointF a, double k) { return {a.x * k, a.y * k}; }
double Dot(PointF a, PointF b) { return a.x * b.x + a.y * b.y; }

// The pixels whose centres lie inside a polygon (non-zero winding), a centre on a left or top edge
// inside, as far as they lie within limits: a pen as wide as the coordinates allow then costs no more
// than the pixels it can reach. A polygon with a point that is no finite number (the miter of a pen of
// no width) covers nothing.
Region FillPolygon(const std::vector<PointF>& polygon, const RECT& limits)
{
    const bool finite = std::all_of(polygon.begin(), polygon.end(),
                                    [](const PointF& point) { return std::isfinite(point.x) && std::isfinite(point.y); });
    if (polygon.size() < 3 || !finite) {
        return Region();
    }
    double top = polygon[0].y;
    double bottom = polygon[0].y;
    for (const PointF& point : polygon) {
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    const auto within = [](double value, LONG low, LONG high) {
        return static_cast<int>(std::clamp(value, double(low), double(high)));
    };
    const int firstRow = within(std::floor(top), limits.top, limits.bottom);
    const int lastRow = within(std::ceil(bottom), limits.top - 1, limits.bottom - 1);
    std::vector<RECT> rows;
    std::vector<std::pair<double, int>> crossings;
    for (int y = firstRow; y <= lastRow; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            const PointF a = polygon[k];
            const PointF b = polygon[(k + 1) % polygon.size()];
            if (a.y == b.y || centre < std::min(a.y, b.y) || centre >= std::max(a.y, b.y)) {
                continue;
            }
            const double x = a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y);
            crossings.emplace_back(x, b.y > a.y ? 1 : -1);
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += crossings[k].second;
            if (winding == 0) {
                continue;
            }
            const int left = within(std::ceil(crossings[k].first - 0.5), limits.left, limits.right);
            const int right = within(std::ceil(crossings[k + 1].first - 0.5), limits.left, limits.right);
            if (left < right) {
                rows.push_back(RECT{left, y, right, y + 1});
            }
        }
    }
    return Region(rows);
}

Region Disc(PointF centre, double radius, const RECT& limits)
{
    constexpr int Sides = 32;
    std::vector<PointF> polygon;
    for (int k = 0; k < Sides; ++k) {
        const double angle = 2 * M_PI * k / Sides;
        polygon.push_back(PointF{centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return FillPolygon(polygon, limits);
}

}  // namespace

Stroke::Stroke(DeviceContext& context, const PenShape& pen)
    : context_(context), pen_(pen), clip_(context.ClipRegion())
{
    if (!pen.dashes.empty()) {
        dashLeft_ = pen.dashes[0];
    }
}

void Stroke::Figure(const std::vector<POINT>& points, bool closed)
{
    if (pen_.null || points.empty()) {
        return;
    }
    if (pen_.geometric) {
        GeometricFigure(points, closed);
        return;
    }
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        CosmeticSegment(points[k], points[k + 1]);
    }
    if (closed && points.size() > 1) {
        CosmeticSegment(points.back(), points.front());
    }
}

void Stroke::CosmeticSegment(POINT from, POINT to)
{
    Surface* surface = context_.Target();
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    const std::uint32_t pen = PixelFromColor(pen_.colour);
    const std::uint32_t background = PixelFromColor(context_.state.backgroundColor);
    const bool opaque = context_.state.backgroundMode == OPAQUE;
    const POINT shift = context_.surfaceOrigin;
    // Along the major axis each step moves one pixel, so a solid line only needs the steps that fall
    // within the clip's bounds there: a line running far outside costs nothing.
    std::int64_t first = 0;
    std::int64_t last = steps;
    if (pen_.dashes.empty() && steps > 0) {
        const RECT bounds = clip_.Bounds();
        const bool across = std::llabs(dx) == steps;
        const std::int64_t start = across ? from.x : from.y;
        const std::int64_t low = across ? bounds.left : bounds.top;
        const std::int64_t high = across ? bounds.right : bounds.bottom;  // excluded
        const std::int64_t delta = across ? dx : dy;
        if (delta > 0) {
            first = std::max<std::int64_t>(0, low - start);
            last = std::min<std::int64_t>(steps, high - start);
        } else {
            first = std::max<std::int64_t>(0, start - (high - 1));
            last = std::min<std::int64_t>(steps, start - low + 1);
        }
    }
    for (std::int64_t step = first; step < last; ++step) {
        // Halves round up: floor((2 * step * d + steps) / (2 * steps)).
        const auto along = [&](std::int64_t delta) {
            const std::int64_t numerator = 2 * step * delta + steps;
            const std::int64_t denominator = 2 * steps;
            return numerator >= 0 ? numerator / denominator : -((-numerator + denominator - 1) / denominator);
        };
        const POINT point{from.x + static_cast<LONG>(along(dx)), from.y + static_cast<LONG>(along(dy))};
        bool on = true;
        if (!pen_.dashes.empty()) {
            on = dashIndex_ % 2 == 0;
            if (--dashLeft_ <= 0) {
                dashIndex_ = (dashIndex_ + 1) % static_cast<int>(pen_.dashes.size());
                dashLeft_ = pen_.dashes[static_cast<std::size_t>(dashIndex_)];
            }
        }
        if ((!on && !opaque) || !clip_.Contains(point)) {
            continue;
        }
        std::uint32_t& pixel = surface->Row(point.y + shift.y)[point.x + shift.x];
        pixel = MixRop2(context_.state.rop2, on ? pen : background, pixel);
    }
}

void Stroke::GeometricFigure(const std::vector<POINT>& points, bool closed)
{
    const RECT limits = clip_.Bounds();
    const double half = pen_.width / 2.0;
    std::vector<PointF> path;
    for (const POINT& point : points) {
        const PointF centre{point.x + 0.5, point.y + 0.5};
        if (path.empty() || path.back().x != centre.x || path.back().y != centre.y) {
            path.push_back(centre);
        }
    }
    // A figure that already ends where it starts is closed by its last segment.
    if (closed && path.size() > 2 && (path.back().x != path.front().x || path.back().y != path.front().y)) {
        path.push_back(path.front());
    }
    if (path.size() == 1) {
        if (pen_.endCap == PS_ENDCAP_ROUND) {
            covered_.Unite(Disc(path[0], half, limits));
        }
        return;
    }
    const auto normal = [half](PointF a, PointF b) {
        const PointF d = b - a;
        const double length = std::hypot(d.x, d.y);
        return PointF{-d.y / length * half, d.x / length * half};
    };
    for (std::size_t k = 0; k + 1 < path.size(); ++k) {
        const PointF a = path[k];
        const PointF b = path[k + 1];
        const PointF n = normal(a, b);
        const PointF u{n.y, -n.x};  // along the segment, half the width long
        const bool firstEnd = k == 0 && !closed;
        const bool lastEnd = k + 2 == path.size() && !closed;
        const PointF start = firstEnd && pen_.endCap == PS_ENDCAP_SQUARE ? a - u : a;
        const PointF end = lastEnd && pen_.endCap == PS_ENDCAP_SQUARE ? b + u : b;
        covered_.Unite(FillPolygon({start + n, end + n, end - n, start - n}, limits));
        if ((firstEnd || lastEnd) && pen_.endCap == PS_ENDCAP_ROUND) {
            if (firstEnd) {
                covered_.Unite(Disc(a, half, limits));
            }
            if (lastEnd) {
                covered_.Unite(Disc(b, half, limits));
            }
        }
        // The join with the next segment (closed figures join their last point to their first).
        const bool hasNext = k + 2 < path.size() || closed;
        if (!hasNext) {
            continue;
        }
        const PointF next = k + 2 < path.size() ? path[k + 2] : path[1];
        const PointF m = normal(b, next);
        if (pen_.join == PS_JOIN_ROUND) {
            covered_.Unite(Disc(b, half, limits));
            continue;
        }
        for (const double side : {1.0, -1.0}) {
            const PointF n1 = n * side;
            const PointF n2 = m * side;
            const PointF bisector = n1 + n2;
            // The miter reaches half / cos(a / 2) from the point, a the angle between the normals, and
            // is cut to a bevel beyond ten times that (the default miter limit).
            constexpr double MiterLimit = 10;
            if (pen_.join == PS_JOIN_MITER && std::hypot(bisector.x, bisector.y) >= 2 * half / MiterLimit) {
                const double scale = half * half / Dot(bisector, n1);
                covered_.Unite(FillPolygon({b, b + n1, b + bisector * scale, b + n2}, limits));
            } else {
                covered_.Unite(FillPolygon({b, b + n1, b + n2}, limits));
            }
        }
    }
}

void Stroke::Finish()
{
    if (covered_.IsEmpty()) {
        return;
    }
    PaintRegion(context_, covered_, BrushPaint(PixelFromColor(pen_.colour)), context_.state.rop2);
    covered_ = Region();
}

namespace {

// Strokes figures of logical points on a raster context; the points span every figure.
template <class Figures>
BOOL StrokeFigures(DeviceContext& context, const std::vector<POINT>& points, Figures figures)
{
    if (!context.Target()) {
        return FALSE;
    }
    const PenShape pen = PenShapeOf(context);
    DrawScope scope(context, PenReach(PointsBounds(points), pen), true, context.state.rop2 != R2_COPYPEN);
    Stroke stroke(context, pen);
    figures(stroke);
    stroke.Finish();
    return TRUE;
}

std::vector<POINT> ToDevice(const DeviceContext& context, const POINT* points, std::size_t count)
{
    std::vector<POINT> device;
    device.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        device.push_back(context.ToDevice(points[k]));
    }
    return device;
}

}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return FALSE;
    }
    if (previous) {
        *previous = context->state.currentPosition;
    }
    context->state.currentPosition = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* position)
{
    auto lock = LockGdi();
    const DeviceContext* context = FindDC(dc);
    if (!context || !position) {
        return FALSE;
    }
    *position = context->state.currentPosition;
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) { return context.Drawing().LineTo(context, x, y); });
}

BOOL Polyline(HDC dc, const POINT* points, int count)
{
    if (!points || count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().Poly(context, PolyShape::Polyline, points, static_cast<std::size_t>(count));
    });
}

BOOL PolylineTo(HDC dc, const POINT* points, DWORD count)
{
    if (!points || count < 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().Poly(context, PolyShape::PolylineTo, points, count);
    });
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines)
{
    if (!points || !counts || polylines == 0 ||
        std::any_of(counts, counts + polylines, [](DWORD count) { return count < 2; })) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        return context.Drawing().PolyPoly(context, PolyPolyShape::PolyPolyline, points, counts, polylines);
    });
}

// The raster device's lines.

BOOL RasterDevice::LineTo(DeviceContext& context, int x, int y)
{
    const std::vector<POINT> ends{context.ToDevice(context.state.currentPosition), context.ToDevice(POINT{x, y})};
    return StrokeFigures(context, ends, [&](Stroke& stroke) {
        stroke.Figure(ends, false);
        context.state.currentPosition = POINT{x, y};
    });
}

BOOL RasterDevice::Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count)
{
    if (shape == PolyShape::Polygon) {
        const int counts[] = {static_cast<int>(count)};
        return RasterPolygons(context, points, counts, 1);
    }
    std::vector<POINT> figure;
    if (shape == PolyShape::PolylineTo) {
        figure.push_back(context.ToDevice(context.state.currentPosition));
    }
    const std::vector<POINT> rest = ToDevice(context, points, count);
    figure.insert(figure.end(), rest.begin(), rest.end());
    return StrokeFigures(context, figure, [&](Stroke& stroke) {
        stroke.Figure(figure, false);
        if (shape == PolyShape::PolylineTo) {
            context.state.currentPosition = points[count - 1];
        }
    });
}

BOOL RasterDevice::PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                            std::size_t figures)
{
    if (shape == PolyPolyShape::PolyPolygon) {
        const std::vector<int> sizes(counts, counts + figures);
        return RasterPolygons(context, points, sizes.data(), static_cast<int>(figures));
    }
    std::size_t total = 0;
    for (std::size_t k = 0; k < figures; ++k) {
        total += counts[k];
    }
    return StrokeFigures(context, ToDevice(context, points, total), [&](Stroke& stroke) {
        std::size_t start = 0;
        for (std::size_t k = 0; k < figures; ++k) {
            stroke.Figure(ToDevice(context, points + start, counts[k]), false);
            start += counts[k];
        }
    });
}

}  // namespace win
