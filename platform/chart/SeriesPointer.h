#pragma once
// TSeriesPointer: the marker drawn at each point of a line, area or point series: a box of
// 2 × HorizSize + 1 by 2 × VertSize + 1 pixels around the point. Sizes are kept within 0..100.

#include "platform/chart/ChartBrush.h"
#include "platform/chart/ChartPart.h"
#include "platform/chart/ChartPen.h"

namespace chart {

enum TSeriesPointerStyle { psRectangle };

const classes::TTypeInfo& SeriesPointerStyleType();

class TSeriesPointer : public TChartPart {
public:
    explicit TSeriesPointer(bool visible);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle value) { Change(style_, value); }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value);
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value);
    // Its colour clDefault: the colour of the point.
    TChartBrush* Brush() const { return brush_.get(); }
    TChartPen* Pen() const { return pen_.get(); }

private:
    bool visible_;
    TSeriesPointerStyle style_ = psRectangle;
    int horizSize_ = 4;
    int vertSize_ = 4;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
};

}  // namespace chart
