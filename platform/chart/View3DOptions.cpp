#include "platform/chart/View3DOptions.h"

#include <algorithm>

namespace chart {

const classes::TClassInfo& TView3DOptions::StaticClass()
{
    static const classes::TClassInfo info("TView3DOptions", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TView3DOptions>(c)
            .Property("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation)
            .Default(345)
            .Property("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal)
            .Default(1)
            .Property("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation)
            .Default(345);
    });
    return info;
}

void TView3DOptions::SetRotation(int value)
{
    Change(rotation_, std::clamp(value, 270, 360));
}

void TView3DOptions::SetElevation(int value)
{
    Change(elevation_, std::clamp(value, 270, 360));
}

}  // namespace chart
