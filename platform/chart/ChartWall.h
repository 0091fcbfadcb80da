#pragma once
// TChartWall: the back, left or bottom face behind a chart's series. The brush's colour follows the
// wall's Color; its style may hatch or clear the face. Flat charts draw the back wall only.

#include "platform/chart/ChartBrush.h"
#include "platform/chart/ChartPart.h"
#include "platform/chart/ChartPen.h"

namespace chart {

class TChartWall : public TChartPart {
public:
    TChartWall();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    gui::TColor Color() const { return color_; }
    void SetColor(gui::TColor value);
    TChartBrush* Brush() const { return brush_.get(); }
    TChartPen* Pen() const { return pen_.get(); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }

private:
    gui::TColor color_ = gui::clWhite;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
    bool visible_ = true;
};

}  // namespace chart
