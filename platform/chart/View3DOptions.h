#pragma once
// TView3DOptions: how a chart drawn in depth is turned. Rotation and Elevation are degrees within
// 270..360, from stored data and code alike.

#include "platform/chart/ChartPart.h"

namespace chart {

class TView3DOptions : public TChartPart {
public:
    TView3DOptions() = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool value) { Change(orthogonal_, value); }
    int Rotation() const { return rotation_; }
    void SetRotation(int value);
    int Elevation() const { return elevation_; }
    void SetElevation(int value);

private:
    bool orthogonal_ = true;
    int rotation_ = 345;
    int elevation_ = 345;
};

}  // namespace chart
