#include "platform/chart/ChartLegend.h"

namespace chart {

TChartLegend::TChartLegend()
    : font_(NewChartFont()),
      frame_(std::make_unique<TChartPen>(gui::clBlack, 1, true)),
      dividingLines_(std::make_unique<TChartPen>(gui::clBlack, 1, false))
{
    Watch(*font_);
    Watch(*frame_);
    Watch(*dividingLines_);
}

const classes::TClassInfo& TChartLegend::StaticClass()
{
    static const classes::TClassInfo info("TChartLegend", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartLegend>(c)
            .Property("Color", gui::ColorType(), &TChartLegend::Color, &TChartLegend::SetColor)
            .Default(gui::clWhite)
            .Property("DividingLines", &TChartLegend::DividingLines)
            .Property("Font", &TChartLegend::Font, &TChartLegend::SetFont)
            .Property("Frame", &TChartLegend::Frame)
            .Property("Visible", &TChartLegend::Visible, &TChartLegend::SetVisible)
            .Default(1);
    });
    return info;
}

}  // namespace chart
