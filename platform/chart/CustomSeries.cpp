#include "platform/chart/CustomSeries.h"

#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartClip.h"
#include "platform/chart/ChartFaces.h"

#include <algorithm>

namespace chart {

TCustomSeries::TCustomSeries(classes::TComponent* owner, bool pointerVisible)
    : TChartSeries(owner),
      pointer_(std::make_unique<TSeriesPointer>(pointerVisible)),
      linePen_(std::make_unique<TChartPen>(gui::clDefault, 1, true))
{
    Watch(*pointer_);
    linePen_->OnChange = classes::TNotifyEvent::Of<&TCustomSeries::LinePenChanged>(this);
}

const classes::TClassInfo& TCustomSeries::StaticClass()
{
    static const classes::TClassInfo info("TCustomSeries", &TChartSeries::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomSeries>(c).Property("Pointer", &TCustomSeries::Pointer);
    });
    return info;
}

void TCustomSeries::LinePenChanged(classes::TObject*)
{
    SetSeriesColor(linePen_->Color());
    Repaint();
}

void TCustomSeries::SeriesColorChanged()
{
    linePen_->SetColor(SeriesColor());
}

void TCustomSeries::DrawSeries(const TSeriesDrawing& drawing) const
{
    DrawLines(drawing);
    if (pointer_->Visible()) {
        DrawPointers(drawing);
    }
}

void TCustomSeries::AddFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                             std::vector<TChartFace>& faces) const
{
    AddLineFaces(drawing, zFront, zBack, faces);
    if (!pointer_->Visible()) {
        return;
    }
    const int h = pointer_->HorizSize();
    const int v = pointer_->VertSize();
    const TChartBrush& brush = *pointer_->Brush();
    for (int i = 0; i < Count(); ++i) {
        if (IsDrawablePoint(i)) {
            const int x = drawing.bottomAxis.CalcPosValue(XValue(i));
            const int y = drawing.leftAxis.CalcPosValue(YValue(i));
            const gui::TColor color = brush.Color() == gui::clDefault ? ValueColor(i) : brush.Color();
            AddBox(faces, {x - h, y - v, x + h, y + v}, zFront, zBack, color, brush.Style(), pointer_->Pen());
        }
    }
}

void TCustomSeries::DrawPointers(const TSeriesDrawing& drawing) const
{
    const int h = pointer_->HorizSize();
    const int v = pointer_->VertSize();
    const TChartBrush& brush = *pointer_->Brush();
    for (int i = 0; i < Count(); ++i) {
        if (!IsDrawablePoint(i)) {
            continue;
        }
        const int x = drawing.bottomAxis.CalcPosValue(XValue(i));
        const int y = drawing.leftAxis.CalcPosValue(YValue(i));
        const gui::TColor color = brush.Color() == gui::clDefault ? ValueColor(i) : brush.Color();
        DrawFace(drawing.canvas, {x - h, y - v, x + h + 1, y + v + 1}, color, brush.Style(), drawing.chartColor,
                 pointer_->Pen());
    }
}

void DrawLegendLine(gui::TCanvas& canvas, const win::RECT& box, const TChartPen& pen, gui::TColor color)
{
    UsePen(canvas, pen, color);
    const int y = (box.top + box.bottom) / 2;
    canvas.MoveTo(box.left, y);
    canvas.LineTo(box.right, y);
}

const classes::TClassInfo& TLineSeries::StaticClass()
{
    static const classes::TClassInfo info("TLineSeries", &TCustomSeries::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TLineSeries>(c).Property("LinePen", &TLineSeries::LinePen);
    });
    return info;
}

void TLineSeries::DrawLines(const TSeriesDrawing& drawing) const
{
    UsePen(drawing.canvas, *LinePen(), SeriesColor());
    for (const std::vector<win::POINT>& run : PixelRuns(drawing)) {
        for (const std::vector<win::POINT>& part : ClipPolyline(run, drawing.room)) {
            drawing.canvas.Polyline(part);
        }
    }
}

void TLineSeries::AddLineFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                               std::vector<TChartFace>& faces) const
{
    for (const std::vector<win::POINT>& run : PixelRuns(drawing)) {
        for (std::size_t i = 1; i < run.size(); ++i) {
            const double x0 = run[i - 1].x, y0 = run[i - 1].y, x1 = run[i].x, y1 = run[i].y;
            faces.push_back({{{x0, y0, zFront}, {x1, y1, zFront}, {x1, y1, zBack}, {x0, y0, zBack}}, SeriesColor()});
        }
    }
}

void TLineSeries::DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor) const
{
    DrawLegendLine(canvas, box, *LinePen(), SeriesColor());
}

const classes::TClassInfo& TAreaSeries::StaticClass()
{
    static const classes::TClassInfo info("TAreaSeries", &TCustomSeries::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TAreaSeries>{c}; });
    return info;
}

int TAreaSeries::Base(const TSeriesDrawing& drawing)
{
    const TChartAxis& axis = drawing.leftAxis;
    return axis.CalcPosValue(std::clamp(0.0, axis.Minimum(), axis.Maximum()));
}

void TAreaSeries::DrawLines(const TSeriesDrawing& drawing) const
{
    const int base = Base(drawing);
    const TChartPen frame(gui::clBlack, 1, true);
    UsePen(drawing.canvas, frame, gui::clBlack);
    drawing.canvas.Brush()->SetColor(SeriesColor());
    drawing.canvas.Brush()->SetStyle(gui::bsSolid);
    for (std::vector<win::POINT>& run : PixelRuns(drawing)) {
        const win::POINT first = run.front();
        const win::POINT last = run.back();
        run.push_back({last.x, base});
        run.push_back({first.x, base});
        const std::vector<win::POINT> shape = ClipPolygon(run, drawing.room);
        if (!shape.empty()) {
            drawing.canvas.Polygon(shape);
        }
    }
}

void TAreaSeries::AddLineFaces(const TSeriesDrawing& drawing, double zFront, double zBack,
                               std::vector<TChartFace>& faces) const
{
    const double base = Base(drawing);
    const gui::TColor top = Shade(SeriesColor(), 7, 8);
    for (const std::vector<win::POINT>& run : PixelRuns(drawing)) {
        for (std::size_t i = 1; i < run.size(); ++i) {
            const double x0 = run[i - 1].x, y0 = run[i - 1].y, x1 = run[i].x, y1 = run[i].y;
            faces.push_back({{{x0, y0, zFront}, {x1, y1, zFront}, {x1, y1, zBack}, {x0, y0, zBack}}, top});
        }
        const double x = run.back().x, y = run.back().y;
        faces.push_back(
            {{{x, y, zFront}, {x, base, zFront}, {x, base, zBack}, {x, y, zBack}}, Shade(SeriesColor(), 3, 4)});
        TChartFace front{{}, SeriesColor()};
        for (const win::POINT& p : run) {
            front.points.push_back({double(p.x), double(p.y), zFront});
        }
        front.points.push_back({x, base, zFront});
        front.points.push_back({double(run.front().x), base, zFront});
        faces.push_back(std::move(front));
    }
}

const classes::TClassInfo& TPointSeries::StaticClass()
{
    static const classes::TClassInfo info("TPointSeries", &TCustomSeries::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TPointSeries>{c}; });
    return info;
}

void TPointSeries::DrawLegendSymbol(gui::TCanvas& canvas, const win::RECT& box, gui::TColor chartColor) const
{
    const TChartPen frame(gui::clBlack, 1, true);
    DrawFace(canvas, box, SeriesColor(), Pointer()->Brush()->Style(), chartColor, &frame);
}

}  // namespace chart
