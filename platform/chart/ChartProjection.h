#pragma once
// Where a point of a chart's box is drawn. The box is the chart rectangle (x, y in its pixels) carried
// back to the depth D (z from 0 at the front to D at the back).
//   Flat: (x, y), the depth unused.
//   Orthogonal: (x + z, y − z).
//   Turned: rotated by 360 − Rotation about the vertical axis and by 360 − Elevation about the
//   horizontal one, both through the box's centre; then shrunk where it would not fit, and centred, in
//   the rectangle the orthogonal box takes: (L, T − D) .. (Rr + D, Bm).
// L, T, Rr, Bm are the chart rectangle's first and last pixels.

#include "platform/wintypes/Types.h"

namespace chart {

struct TPoint3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

class TChartProjection {
public:
    TChartProjection() = default;
    static TChartProjection Flat() { return {}; }
    static TChartProjection Orthogonal(int depth);
    // chartRect as laid out: right and bottom excluded.
    static TChartProjection Turned(const win::RECT& chartRect, int depth, int rotation, int elevation);

    bool IsFlat() const { return kind_ == Kind::flat; }
    bool IsTurned() const { return kind_ == Kind::turned; }
    int Depth() const { return depth_; }

    win::POINT Point(const TPoint3& p) const;
    win::POINT Point(double x, double y, double z) const { return Point(TPoint3{x, y, z}); }
    // How far back a point lies once turned (the larger, the further): faces are drawn far to near.
    double Distance(const TPoint3& p) const;

private:
    enum class Kind { flat, orthogonal, turned };
    // The turned point before shrinking and centring.
    TPoint3 Turn(const TPoint3& p) const;

    Kind kind_ = Kind::flat;
    int depth_ = 0;
    TPoint3 centre_;
    double cosA_ = 1, sinA_ = 0, cosB_ = 1, sinB_ = 0;
    double scale_ = 1;
    double fromX_ = 0, fromY_ = 0;  // the turned box's bounding centre
    double toX_ = 0, toY_ = 0;      // where it goes
};

}  // namespace chart
