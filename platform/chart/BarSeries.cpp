#include "platform/chart/BarSeries.h"

#include "platform/chart/AxisScale.h"
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartFaces.h"

#include <algorithm>
#include <cstdlib>

namespace chart {

TCustomBarSeries::TCustomBarSeries(classes::TComponent* owner)
    : TChartSeries(owner),
      barBrush_(std::make_unique<TChartBrush>(gui::clWhite)),
      barPen_(std::make_unique<TChartPen>(gui::clBlack, 1, true))
{
    Watch(*barBrush_);
    Watch(*barPen_);
}

const classes::TClassInfo& TCustomBarSeries::StaticClass()
{
    static const classes::TClassInfo info("TCustomBarSeries", &TChartSeries::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomBarSeries>(c)
            .Property("BarBrush", &TCustomBarSeries::BarBrush)
            .Property("BarPen", &TCustomBarSeries::BarPen)
            .Property("BarWidthPercent", &TCustomBarSeries::BarWidthPercent, &TCustomBarSeries::SetBarWidthPercent)
            .Default(70);
    });
    return info;
}

void TCustomBarSeries::SetBarWidthPercent(int value)
{
    value = std::clamp(value, 1, 100);
    if (value != barWidthPercent_) {
        barWidthPercent_ = value;
        Repaint();
    }
}

win::RECT TCustomBarSeries::BarRect(const TSeriesDrawing& drawing, int index) const
{
    const bool horizontal = HorizontalValues();
    const TChartAxis& categories = horizontal ? drawing.leftAxis : drawing.bottomAxis;
    const TChartAxis& values = horizontal ? drawing.bottomAxis : drawing.leftAxis;
    const double pixelsPerUnit =
        std::abs(categories.EndPixel() - categories.StartPixel()) / (categories.Maximum() - categories.Minimum());
    const int group = RoundPixel(drawing.categoryGap * pixelsPerUnit * barWidthPercent_ / 100.0);
    const int width = std::max(1, group / std::max(1, drawing.barSeries));
    const int start = categories.CalcPosValue(CategoryOf(index)) - group / 2;
    const int zero = values.CalcPosValue(0);
    const int end = values.CalcPosValue(ValueOf(index));
    const int low = std::min(zero, end);
    const int high = std::max(zero, end) + 1;
    if (horizontal) {
        const int bottom = start + group - drawing.barIndex * width;
        return {low, bottom - width, high, bottom};
    }
    const int left = start + drawing.barIndex * width;
    return {left, low, left + width, high};
}

void TCustomBarSeries::DrawSeries(const TSeriesDrawing& drawing) const
{
    for (int i = 0; i < Count(); ++i) {
        if (IsDrawablePoint(i)) {
            DrawFace(drawing.canvas, BarRect(drawing, i), ValueColor(i), barBrush_->Style(), drawing.chartColor,
                     barPen_.get());
        }
    }
}

void TCustomBarSeries::AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                                std::vector<TChartFace>& faces) const
{
    for (int i = 0; i < Count(); ++i) {
        if (!IsDrawablePoint(i)) {
            continue;
        }
        const win::RECT bar = BarRect(drawing, i);
        const std::size_t first = faces.size();
        AddBox(faces, {bar.left, bar.top, bar.right - 1, bar.bottom - 1}, zFront, zBack, ValueColor(i),
               barBrush_->Style(), barPen_.get());
        for (std::size_t f = first; f < faces.size(); ++f) {
            faces[f].category = CategoryOf(i);
        }
    }
}

void TCustomBarSeries::DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const
{
    const TChartPen frame(gui::clBlack, 1, true);
    DrawFace(canvas, box, SeriesColor(), barBrush_->Style(), chartColor, &frame);
}

const classes::TClassInfo& TBarSeries::StaticClass()
{
    static const classes::TClassInfo info("TBarSeries", &TCustomBarSeries::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TBarSeries>{c}; });
    return info;
}

const classes::TClassInfo& THorizBarSeries::StaticClass()
{
    static const classes::TClassInfo info("THorizBarSeries", &TCustomBarSeries::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<THorizBarSeries>{c}; });
    return info;
}

}  // namespace chart
