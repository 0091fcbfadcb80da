#pragma once
// TFastLineSeries: a plain line through the points in the series' colour and LinePen, without markers.

#include "platform/chart/ChartPen.h"
#include "platform/chart/ChartSeries.h"

namespace chart {

class TFastLineSeries : public TChartSeries {
public:
    explicit TFastLineSeries(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Width and style of the line; its colour is the series' colour (setting either sets both).
    TChartPen* LinePen() const { return linePen_.get(); }

    void DrawSeries(const TSeriesDrawing& drawing) const override;
    // The line at the front of its slice, without a ribbon.
    void AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                  std::vector<TChartFace>& faces) const override;
    void DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const override;

protected:
    void SeriesColorChanged() override;

private:
    void LinePenChanged(classes::TObject*);

    std::unique_ptr<TChartPen> linePen_;
};

}  // namespace chart
