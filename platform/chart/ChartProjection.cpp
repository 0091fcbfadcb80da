#include "platform/chart/ChartProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chart {

namespace {

int RoundHalfUp(double a)
{
    return int(std::floor(a + 0.5));
}

}  // namespace

TChartProjection TChartProjection::Orthogonal(int depth)
{
    TChartProjection projection;
    projection.kind_ = Kind::orthogonal;
    projection.depth_ = depth;
    return projection;
}

TChartProjection TChartProjection::Turned(const win::RECT& chartRect, int depth, int rotation, int elevation)
{
    TChartProjection p;
    p.kind_ = Kind::turned;
    p.depth_ = depth;
    const double left = chartRect.left;
    const double top = chartRect.top;
    const double right = chartRect.right - 1;
    const double bottom = chartRect.bottom - 1;
    p.centre_ = {(left + right) / 2, (top + bottom) / 2, depth / 2.0};
    const double alpha = (360 - rotation) * std::numbers::pi / 180;
    const double beta = (360 - elevation) * std::numbers::pi / 180;
    p.cosA_ = std::cos(alpha);
    p.sinA_ = std::sin(alpha);
    p.cosB_ = std::cos(beta);
    p.sinB_ = std::sin(beta);

    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    for (double x : {left, right}) {
        for (double y : {top, bottom}) {
            for (double z : {0.0, double(depth)}) {
                const TPoint3 t = p.Turn({x, y, z});
                minX = std::min(minX, t.x);
                maxX = std::max(maxX, t.x);
                minY = std::min(minY, t.y);
                maxY = std::max(maxY, t.y);
            }
        }
    }
    // The orthogonal box's bounding rectangle; a turned extent of 0 fits whatever the room.
    const double roomWidth = right + depth - left;
    const double roomHeight = bottom - (top - depth);
    const double w = maxX - minX;
    const double h = maxY - minY;
    p.scale_ = 1;
    if (w > 0) {
        p.scale_ = std::min(p.scale_, roomWidth / w);
    }
    if (h > 0) {
        p.scale_ = std::min(p.scale_, roomHeight / h);
    }
    p.fromX_ = (minX + maxX) / 2;
    p.fromY_ = (minY + maxY) / 2;
    p.toX_ = (left + right + depth) / 2;
    p.toY_ = (top - depth + bottom) / 2;
    return p;
}

TPoint3 TChartProjection::Turn(const TPoint3& p) const
{
    const double dx = p.x - centre_.x;
    const double dz = p.z - centre_.z;
    const double x1 = centre_.x + dx * cosA_ + dz * sinA_;
    const double z1 = centre_.z - dx * sinA_ + dz * cosA_;
    const double y1 = centre_.y + (p.y - centre_.y) * cosB_ - (z1 - centre_.z) * sinB_;
    return {x1, y1, z1};
}

win::POINT TChartProjection::Point(const TPoint3& p) const
{
    switch (kind_) {
    case Kind::flat:
        return {RoundHalfUp(p.x), RoundHalfUp(p.y)};
    case Kind::orthogonal:
        return {RoundHalfUp(p.x + p.z), RoundHalfUp(p.y - p.z)};
    case Kind::turned:
        break;
    }
    const TPoint3 t = Turn(p);
    return {RoundHalfUp(toX_ + (t.x - fromX_) * scale_), RoundHalfUp(toY_ + (t.y - fromY_) * scale_)};
}

double TChartProjection::Distance(const TPoint3& p) const
{
    switch (kind_) {
    case Kind::flat:
        return 0;
    case Kind::orthogonal:
        return p.z;
    case Kind::turned:
        break;
    }
    return Turn(p).z;
}

}  // namespace chart
