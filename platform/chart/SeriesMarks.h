#pragma once
// TSeriesMarks: the value of each point written in a small white box beyond its end.

#include "platform/chart/ChartPart.h"

namespace chart {

class TSeriesMarks : public TChartPart {
public:
    TSeriesMarks() = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }

private:
    bool visible_ = true;
};

}  // namespace chart
