#pragma once
// Bar series: one bar per point from 0 to its value. TBarSeries stands its bars on the bottom axis (X the
// category, Y the value); THorizBarSeries lays them along it (X the value, Y the category). The active
// bar series of one orientation share each category's room, the first at the left (or bottom).

#include "platform/chart/ChartBrush.h"
#include "platform/chart/ChartPen.h"
#include "platform/chart/ChartSeries.h"

namespace chart {

class TCustomBarSeries : public TChartSeries {
public:
    explicit TCustomBarSeries(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Only its style is used: the bars take the colour of their points.
    TChartBrush* BarBrush() const { return barBrush_.get(); }
    TChartPen* BarPen() const { return barPen_.get(); }
    // The share of a category's room its bars fill, 1..100.
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int value);

    bool ValuesFromZero() const override { return true; }
    bool Categorized() const override { return true; }
    void DrawSeries(const TSeriesDrawing& drawing) const override;
    // A box per bar, each face tagged with the bar's category.
    void AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                  std::vector<TChartFace>& faces) const override;
    void DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const override;

    // The bar of a point: right and bottom excluded.
    win::RECT BarRect(const TSeriesDrawing& drawing, int index) const;

private:
    std::unique_ptr<TChartBrush> barBrush_;
    std::unique_ptr<TChartPen> barPen_;
    int barWidthPercent_ = 70;
};

class TBarSeries : public TCustomBarSeries {
public:
    using TCustomBarSeries::TCustomBarSeries;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

class THorizBarSeries : public TCustomBarSeries {
public:
    using TCustomBarSeries::TCustomBarSeries;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool HorizontalValues() const override { return true; }
};

}  // namespace chart
