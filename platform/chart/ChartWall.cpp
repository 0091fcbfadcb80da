#include "platform/chart/ChartWall.h"

namespace chart {

TChartWall::TChartWall()
    : brush_(std::make_unique<TChartBrush>(gui::clWhite)), pen_(std::make_unique<TChartPen>(gui::clBlack, 1, true))
{
    Watch(*brush_);
    Watch(*pen_);
}

const classes::TClassInfo& TChartWall::StaticClass()
{
    static const classes::TClassInfo info("TChartWall", &TChartPart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChartWall>(c)
            .Property("Brush", &TChartWall::Brush)
            .Property("Color", gui::ColorType(), &TChartWall::Color, &TChartWall::SetColor)
            .Default(gui::clWhite)
            .Property("Pen", &TChartWall::Pen)
            .Property("Visible", &TChartWall::Visible, &TChartWall::SetVisible)
            .Default(1);
    });
    return info;
}

void TChartWall::SetColor(gui::TColor value)
{
    color_ = value;
    // A brush given a colour turns solid; the wall's colour leaves its style as it is.
    const gui::TBrushStyle style = brush_->Style();
    brush_->SetColor(value);
    brush_->SetStyle(style);
    Changed();
}

}  // namespace chart
