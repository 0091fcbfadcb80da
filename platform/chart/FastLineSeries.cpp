#include "platform/chart/FastLineSeries.h"

#include "platform/chart/ChartClip.h"
#include "platform/chart/ChartFaces.h"
#include "platform/chart/CustomSeries.h"

namespace chart {

TFastLineSeries::TFastLineSeries(classes::TComponent* owner)
    : TChartSeries(owner), linePen_(std::make_unique<TChartPen>(gui::clDefault, 1, true))
{
    linePen_->OnChange = classes::TNotifyEvent::Of<&TFastLineSeries::LinePenChanged>(this);
}

const classes::TClassInfo& TFastLineSeries::StaticClass()
{
    static const classes::TClassInfo info("TFastLineSeries", &TChartSeries::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TFastLineSeries>(c).Property("LinePen", &TFastLineSeries::LinePen);
    });
    return info;
}

void TFastLineSeries::LinePenChanged(classes::TObject*)
{
    SetSeriesColor(linePen_->Color());
    Repaint();
}

void TFastLineSeries::SeriesColorChanged()
{
    linePen_->SetColor(SeriesColor());
}

void TFastLineSeries::DrawSeries(const TSeriesDrawing& drawing) const
{
    UsePen(drawing.canvas, *linePen_, SeriesColor());
    for (const std::vector<win::POINT>& run : PixelRuns(drawing)) {
        for (const std::vector<win::POINT>& part : ClipPolyline(run, drawing.room)) {
            drawing.canvas.Polyline(part);
        }
    }
}

void TFastLineSeries::AddFaces(const TSeriesDrawing& drawing, double zFront, double,
                               std::vector<TChartFace>& faces) const
{
    for (const std::vector<win::POINT>& run : PixelRuns(drawing)) {
        TChartFace line{{}, SeriesColor(), gui::bsSolid, linePen_.get(), SeriesColor(), true};
        for (const win::POINT& p : run) {
            line.points.push_back({double(p.x), double(p.y), zFront});
        }
        faces.push_back(std::move(line));
    }
}

void TFastLineSeries::DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor) const
{
    DrawLegendLine(canvas, box, *linePen_, SeriesColor());
}

}  // namespace chart

