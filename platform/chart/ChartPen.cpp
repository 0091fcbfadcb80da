#include "platform/chart/ChartPen.h"

#include <algorithm>

namespace chart {

TChartPen::TChartPen(gui::TColor color, int width, bool visible) : visible_(visible)
{
    SetColor(color);
    SetWidth(width);
}

const classes::TClassInfo& TChartPen::StaticClass()
{
    static const classes::TClassInfo info("TChartPen", &gui::TPen::StaticClass(), [](classes::TClassInfo& c) {
        // Colour and visibility are always written: the pens of a chart differ in their defaults.
        classes::ClassBuilder<TChartPen>(c)
            .Property("Color", gui::ColorType(), &TChartPen::Color, &TChartPen::SetColor)
            .Property("Width", &TChartPen::Width, &TChartPen::SetWidth)
            .Default(1)
            .Property("Visible", &TChartPen::Visible, &TChartPen::SetVisible);
    });
    return info;
}

void TChartPen::Assign(const classes::TPersistent* source)
{
    if (const auto* pen = dynamic_cast<const TChartPen*>(source)) {
        visible_ = pen->visible_;
    }
    gui::TPen::Assign(source);
}

void TChartPen::SetVisible(bool value)
{
    if (value != visible_) {
        visible_ = value;
        Changed();
    }
}

void TChartPen::SetWidth(int value)
{
    gui::TPen::SetWidth(std::clamp(value, 0, 100));
}

}  // namespace chart
