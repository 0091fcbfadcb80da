#pragma once
// TChartBrush: a brush of the chart's parts and series. Its colour is always written, since the brushes
// of a chart differ in their defaults (clDefault stands for the colour of the point drawn).

#include "platform/gui/graphics/Brush.h"

namespace chart {

class TChartBrush : public gui::TBrush {
public:
    explicit TChartBrush(gui::TColor color = gui::clWhite) { SetColor(color); }

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace chart
