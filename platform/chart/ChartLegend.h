#pragma once
// TChartLegend: the box at a chart's top right listing its active series that ask for an entry.

#include "platform/chart/ChartPart.h"
#include "platform/chart/ChartPen.h"

namespace chart {

class TChartLegend : public TChartPart {
public:
    TChartLegend();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    gui::TColor Color() const { return color_; }
    void SetColor(gui::TColor value) { Change(color_, value); }
    gui::TFont* Font() const { return font_.get(); }
    void SetFont(gui::TFont* value) { font_->Assign(value); }
    TChartPen* Frame() const { return frame_.get(); }
    // Lines between the entries.
    TChartPen* DividingLines() const { return dividingLines_.get(); }

private:
    bool visible_ = true;
    gui::TColor color_ = gui::clWhite;
    std::unique_ptr<gui::TFont> font_;
    std::unique_ptr<TChartPen> frame_;
    std::unique_ptr<TChartPen> dividingLines_;
};

}  // namespace chart
