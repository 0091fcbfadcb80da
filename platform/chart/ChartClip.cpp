#include "platform/chart/ChartClip.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// Pens are at most 100 pixels wide.
constexpr int kMargin = 256;

bool Inside(const win::POINT& p, const win::RECT& room)
{
    return p.x >= room.left && p.x <= room.right && p.y >= room.top && p.y <= room.bottom;
}

bool AllInside(const std::vector<win::POINT>& points, const win::RECT& room)
{
    return std::all_of(points.begin(), points.end(), [&](const win::POINT& p) { return Inside(p, room); });
}

struct TPointF {
    double x;
    double y;
};

win::POINT Rounded(const TPointF& p)
{
    return {int(std::floor(p.x + 0.5)), int(std::floor(p.y + 0.5))};
}

// One side of the room: a point is kept when its coordinate (x or y) is on the room's side of limit.
struct TSide {
    bool vertical;  // the side is a vertical line x = limit
    double limit;
    bool keepBelow;

    double Coordinate(const TPointF& p) const { return vertical ? p.x : p.y; }
    bool Keeps(const TPointF& p) const { return keepBelow ? Coordinate(p) <= limit : Coordinate(p) >= limit; }
    TPointF Crossing(const TPointF& a, const TPointF& b) const
    {
        const double t = (limit - Coordinate(a)) / (Coordinate(b) - Coordinate(a));
        return vertical ? TPointF{limit, a.y + t * (b.y - a.y)} : TPointF{a.x + t * (b.x - a.x), limit};
    }
};

std::vector<TSide> Sides(const win::RECT& room)
{
    return {{true, double(room.left), false}, {true, double(room.right), true},
            {false, double(room.top), false}, {false, double(room.bottom), true}};
}

}  // namespace

win::RECT ClipRoom(const win::RECT& bounds)
{
    return {bounds.left - kMargin, bounds.top - kMargin, bounds.right + kMargin, bounds.bottom + kMargin};
}

std::vector<win::POINT> ClipPolygon(const std::vector<win::POINT>& points, const win::RECT& room)
{
    if (AllInside(points, room)) {
        return points;
    }
    std::vector<TPointF> shape;
    for (const win::POINT& p : points) {
        shape.push_back({double(p.x), double(p.y)});
    }
    for (const TSide& side : Sides(room)) {
        std::vector<TPointF> kept;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const TPointF& a = shape[i];
            const TPointF& b = shape[(i + 1) % shape.size()];
            if (side.Keeps(a)) {
                kept.push_back(a);
                if (!side.Keeps(b)) {
                    kept.push_back(side.Crossing(a, b));
                }
            } else if (side.Keeps(b)) {
                kept.push_back(side.Crossing(a, b));
            }
        }
        shape = std::move(kept);
    }
    std::vector<win::POINT> clipped;
    for (const TPointF& p : shape) {
        clipped.push_back(Rounded(p));
    }
    return clipped;
}

std::vector<std::vector<win::POINT>> ClipPolyline(const std::vector<win::POINT>& points, const win::RECT& room)
{
    if (AllInside(points, room)) {
        return {points};
    }
    std::vector<std::vector<win::POINT>> runs;
    bool open = false;  // the last run goes on at the current point
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        TPointF a{double(points[i].x), double(points[i].y)};
        TPointF b{double(points[i + 1].x), double(points[i + 1].y)};
        bool cutStart = false;
        bool cutEnd = false;
        bool visible = true;
        for (const TSide& side : Sides(room)) {
            const bool keepsA = side.Keeps(a);
            const bool keepsB = side.Keeps(b);
            if (!keepsA && !keepsB) {
                visible = false;
                break;
            }
            if (!keepsA) {
                a = side.Crossing(a, b);
                cutStart = true;
            } else if (!keepsB) {
                b = side.Crossing(a, b);
                cutEnd = true;
            }
        }
        if (!visible) {
            open = false;
            continue;
        }
        if (!open || cutStart) {
            runs.push_back({Rounded(a)});
        }
        runs.back().push_back(Rounded(b));
        open = !cutEnd;
    }
    return runs;
}

}  // namespace chart
