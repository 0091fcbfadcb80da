#include "platform/chart/ChartBrush.h"

namespace chart {

const classes::TClassInfo& TChartBrush::StaticClass()
{
    static const classes::TClassInfo info("TChartBrush", &gui::TBrush::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartBrush>(c).Property("Color", gui::ColorType(), &TChartBrush::Color,
                                                       &TChartBrush::SetColor);
    });
    return info;
}

}  // namespace chart
