#pragma once
// TChartPen: a pen of the chart's parts and series that can be switched off (Visible) without losing
// its colour, style and width. Widths are kept within 0..100, from stored data and code alike.

#include "platform/gui/graphics/Pen.h"

namespace chart {

class TChartPen : public gui::TPen {
public:
    TChartPen() = default;
    TChartPen(gui::TColor color, int width, bool visible);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void SetWidth(int value);

private:
    bool visible_ = true;
};

}  // namespace chart
