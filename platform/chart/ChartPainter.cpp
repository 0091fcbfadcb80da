#include "platform/chart/ChartPainter.h"

#include "platform/chart/AxisScale.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartClip.h"
#include "platform/chart/ChartFaces.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace chart {

namespace {

constexpr int kTick = 4;

void Fill(gui::TCanvas& canvas, const win::RECT& rect, gui::TColor color)
{
    if (rect.right > rect.left && rect.bottom > rect.top) {
        canvas.Brush()->SetColor(color);
        canvas.Brush()->SetStyle(gui::bsSolid);
        canvas.FillRect(rect);
    }
}

void Text(gui::TCanvas& canvas, const gui::TFont& font, int x, int y, const std::string& text)
{
    canvas.Font()->Assign(&font);
    canvas.Brush()->SetStyle(gui::bsClear);
    canvas.TextOut(x, y, text);
}

void Line(gui::TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// One bevel of width lines around frame, taken off it.
void DrawBevel(gui::TCanvas& canvas, win::RECT& frame, TPanelBevel bevel, int width)
{
    if (bevel == bvNone) {
        return;
    }
    const gui::TColor light = bevel == bvRaised ? gui::clBtnHighlight : gui::clBtnShadow;
    const gui::TColor dark = bevel == bvRaised ? gui::clBtnShadow : gui::clBtnHighlight;
    for (int i = 0; i < width && frame.right > frame.left && frame.bottom > frame.top; ++i) {
        if (bevel != bvSpace) {
            Fill(canvas, {frame.left, frame.top, frame.right - 1, frame.top + 1}, light);
            Fill(canvas, {frame.left, frame.top, frame.left + 1, frame.bottom - 1}, light);
            Fill(canvas, {frame.left, frame.bottom - 1, frame.right, frame.bottom}, dark);
            Fill(canvas, {frame.right - 1, frame.top, frame.right, frame.bottom}, dark);
        }
        frame = {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    }
}

void DrawBackground(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& bounds)
{
    Fill(canvas, bounds, chart.Color());
    win::RECT frame = bounds;
    DrawBevel(canvas, frame, chart.BevelOuter(), chart.BevelWidth());
    DrawBevel(canvas, frame, chart.BevelInner(), chart.BevelWidth());
}

// Flat: the back wall alone, as a rectangle. In depth: the back, left and bottom walls, each when
// visible, as faces of the box.
void DrawWalls(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    const win::RECT& c = layout.chartRect;
    const TChartProjection& projection = layout.projection;
    if (projection.IsFlat()) {
        const TChartWall& wall = *chart.BackWall();
        if (wall.Visible()) {
            DrawFace(canvas, c, wall.Color(), wall.Brush()->Style(), chart.Color(), wall.Pen());
        }
        return;
    }
    const double l = c.left, t = c.top, r = c.right - 1, b = c.bottom - 1, d = projection.Depth();
    const std::pair<const TChartWall*, std::vector<TPoint3>> walls[] = {
        {chart.BackWall(), {{l, t, d}, {r, t, d}, {r, b, d}, {l, b, d}}},
        {chart.LeftWall(), {{l, t, 0}, {l, b, 0}, {l, b, d}, {l, t, d}}},
        {chart.BottomWall(), {{l, b, 0}, {r, b, 0}, {r, b, d}, {l, b, d}}},
    };
    for (const auto& [wall, corners] : walls) {
        if (wall->Visible()) {
            DrawFace(canvas, projection,
                     {corners, wall->Color(), wall->Brush()->Style(), wall->Pen(), wall->Pen()->Color()},
                     chart.Color(), ClipRoom(layout.visible));
        }
    }
}

// A line of the grid at each label: flat across the chart rectangle; in depth along the left or bottom
// wall to the back, then across the back wall.
void DrawGrid(gui::TCanvas& canvas, const TChartAxis& axis, const TChartLayout& layout)
{
    if (!axis.Visible() || !axis.Grid()->Visible()) {
        return;
    }
    const win::RECT& c = layout.chartRect;
    const TChartProjection& projection = layout.projection;
    UsePen(canvas, *axis.Grid(), axis.Grid()->Color());
    const double l = c.left, t = c.top, r = c.right - 1, b = c.bottom - 1, d = projection.Depth();
    for (double value : axis.LabelValues()) {
        const int p = axis.CalcPosValue(value);
        if (projection.IsFlat()) {
            if (axis.Horizontal()) {
                Line(canvas, p, c.top, p, c.bottom);
            } else {
                Line(canvas, c.left, p, c.right, p);
            }
        } else if (axis.Horizontal()) {
            canvas.Polyline({projection.Point(p, b, 0), projection.Point(p, b, d), projection.Point(p, t, d)});
        } else {
            canvas.Polyline({projection.Point(l, p, 0), projection.Point(l, p, d), projection.Point(r, p, d)});
        }
    }
}

// A line from a to b, b included.
void EdgeLine(gui::TCanvas& canvas, win::POINT a, win::POINT b)
{
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
    canvas.LineTo(b.x + 1, b.y);
}

// The axes lie along the front face's bottom and left edges, wherever the projection puts them.
void DrawBottomAxis(gui::TCanvas& canvas, const TChartAxis& axis, const TChartLayout& layout)
{
    const win::RECT& c = layout.chartRect;
    const TChartProjection& projection = layout.projection;
    const int bottom = c.bottom - 1;
    const TChartPen black(gui::clBlack, 1, true);
    UsePen(canvas, black, gui::clBlack);
    EdgeLine(canvas, projection.Point(c.left, bottom, 0), projection.Point(c.right - 1, bottom, 0));
    for (double value : axis.LabelValues()) {
        const win::POINT p = projection.Point(axis.CalcPosValue(value), bottom, 0);
        Line(canvas, p.x, p.y + 1, p.x, p.y + 1 + kTick);
    }
    const int labelHeight = FontTextHeight(canvas, *axis.LabelsFont());
    for (double value : axis.LabelValues()) {
        const std::string text = LabelText(value);
        const int width = FontTextWidth(canvas, *axis.LabelsFont(), text);
        const win::POINT p = projection.Point(axis.CalcPosValue(value), bottom, 0);
        Text(canvas, *axis.LabelsFont(), p.x - width / 2, p.y + 1 + kTick + 2, text);
    }
    const std::string& caption = axis.Title()->Caption();
    if (!caption.empty()) {
        const int width = FontTextWidth(canvas, *axis.Title()->Font(), caption);
        Text(canvas, *axis.Title()->Font(), c.left + (c.right - c.left - width) / 2,
             c.bottom + kTick + 2 + labelHeight + 2, caption);
    }
}

void DrawLeftAxis(gui::TCanvas& canvas, const TChartAxis& axis, const TChartLayout& layout)
{
    const win::RECT& c = layout.chartRect;
    const TChartProjection& projection = layout.projection;
    const TChartPen black(gui::clBlack, 1, true);
    UsePen(canvas, black, gui::clBlack);
    EdgeLine(canvas, projection.Point(c.left, c.top, 0), projection.Point(c.left, c.bottom - 1, 0));
    for (double value : axis.LabelValues()) {
        const win::POINT p = projection.Point(c.left, axis.CalcPosValue(value), 0);
        Line(canvas, p.x - 1, p.y, p.x - 1 - kTick, p.y);
    }
    const int labelHeight = FontTextHeight(canvas, *axis.LabelsFont());
    for (double value : axis.LabelValues()) {
        const std::string text = LabelText(value);
        const int width = FontTextWidth(canvas, *axis.LabelsFont(), text);
        const win::POINT p = projection.Point(c.left, axis.CalcPosValue(value), 0);
        Text(canvas, *axis.LabelsFont(), p.x - kTick - 2 - width, p.y - labelHeight / 2, text);
    }
    const std::string& caption = axis.Title()->Caption();
    if (!caption.empty()) {
        // Turned a quarter to the left: the text runs upwards from its start, its top towards the left.
        const int width = FontTextWidth(canvas, *axis.Title()->Font(), caption);
        canvas.Font()->Assign(axis.Title()->Font());
        win::LOGFONT turned = canvas.Font()->LogFont();
        turned.lfEscapement = 900;
        turned.lfOrientation = 900;
        canvas.Font()->SetHandle(win::CreateFontIndirect(&turned));
        canvas.Brush()->SetStyle(gui::bsClear);
        canvas.TextOut(layout.leftAxisRoom, c.top + (c.bottom - c.top + width) / 2, caption);
    }
}

void DrawAxes(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    DrawGrid(canvas, *chart.BottomAxis(), layout);
    DrawGrid(canvas, *chart.LeftAxis(), layout);
    if (chart.LeftAxis()->Visible()) {
        DrawLeftAxis(canvas, *chart.LeftAxis(), layout);
    }
    if (chart.BottomAxis()->Visible()) {
        DrawBottomAxis(canvas, *chart.BottomAxis(), layout);
    }
}

TSeriesDrawing DrawingOf(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout,
                         const TChartSeries& series)
{
    TSeriesDrawing drawing{canvas, *chart.BottomAxis(), *chart.LeftAxis(), chart.Color(), ClipRoom(layout.visible)};
    if (series.Categorized()) {
        const TBarGroup& group = series.HorizontalValues() ? layout.horizontalBars : layout.verticalBars;
        drawing.barSeries = int(group.series.size());
        drawing.barIndex = int(std::find(group.series.begin(), group.series.end(), &series) - group.series.begin());
        drawing.categoryGap = group.gap;
    }
    return drawing;
}

// Each mark beyond its point's end, at the front of the series' slice.
void DrawMarks(gui::TCanvas& canvas, const TSeriesDrawing& drawing, const TChartSeries& series,
               const TChartProjection& projection, double zFront)
{
    const std::unique_ptr<gui::TFont> font = NewChartFont();
    const int height = FontTextHeight(canvas, *font) + 4;
    const bool horizontal = series.HorizontalValues();
    const TChartAxis& values = horizontal ? drawing.bottomAxis : drawing.leftAxis;
    const TChartAxis& categories = horizontal ? drawing.leftAxis : drawing.bottomAxis;
    const TChartPen frame(gui::clBlack, 1, true);
    // The font is set once: the faces between the texts change only the pen and the brush.
    canvas.Font()->Assign(font.get());
    for (int i = 0; i < series.Count(); ++i) {
        if (!series.IsDrawablePoint(i)) {
            continue;
        }
        const double value = series.ValueOf(i);
        const std::string text = LabelText(value);
        const int width = canvas.TextWidth(text) + 4;
        const int c = categories.CalcPosValue(series.CategoryOf(i));
        const int v = values.CalcPosValue(value);
        const win::POINT end = horizontal ? projection.Point(v, c, zFront) : projection.Point(c, v, zFront);
        win::RECT box;
        if (horizontal) {
            const int left = value >= 0 ? end.x + 9 : end.x - 8 - width;
            box = {left, end.y - height / 2, left + width, end.y - height / 2 + height};
        } else {
            const int top = value >= 0 ? end.y - 8 - height : end.y + 9;
            box = {end.x - width / 2, top, end.x - width / 2 + width, top + height};
        }
        DrawFace(canvas, box, gui::clWhite, gui::bsSolid, gui::clWhite, &frame);
        canvas.Brush()->SetStyle(gui::bsClear);
        canvas.TextOut(box.left + 2, box.top + 2, text);
    }
}

// Where each series lies in depth: m slices (the bar series sharing one), the first series at the back.
struct TSlice {
    double zFront = 0;
    double zBack = 0;
};

std::vector<TSlice> Slices(const TCustomChart& chart, int depth)
{
    std::vector<int> index(std::size_t(chart.SeriesCount()), -1);
    int m = 0;
    int bars = -1;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (!series.Active()) {
            continue;
        }
        if (series.Categorized()) {
            if (bars < 0) {
                bars = m++;
            }
            index[std::size_t(s)] = bars;
        } else {
            index[std::size_t(s)] = m++;
        }
    }
    std::vector<TSlice> slices(index.size());
    for (std::size_t s = 0; s < index.size(); ++s) {
        if (index[s] >= 0) {
            slices[s] = {double(depth - (index[s] + 1) * depth / m), double(depth - index[s] * depth / m)};
        }
    }
    return slices;
}

// The bodies: slice by slice from the back, the bars of all bar series in rising category order;
// turned, every face from the furthest to the nearest.
void DrawBodies(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout,
                const std::vector<TSlice>& slices)
{
    std::vector<TChartFace> faces;
    bool barsAdded = false;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (!series.Active() || (series.Categorized() && barsAdded)) {
            continue;
        }
        const TSlice slice = slices[std::size_t(s)];
        if (!series.Categorized()) {
            series.AddFaces(DrawingOf(chart, canvas, layout, series), slice.zFront, slice.zBack, faces);
            continue;
        }
        barsAdded = true;
        const std::size_t first = faces.size();
        for (int b = s; b < chart.SeriesCount(); ++b) {
            const TChartSeries& bar = *chart.Series(b);
            if (bar.Active() && bar.Categorized()) {
                bar.AddFaces(DrawingOf(chart, canvas, layout, bar), slice.zFront, slice.zBack, faces);
            }
        }
        std::stable_sort(faces.begin() + std::ptrdiff_t(first), faces.end(),
                         [](const TChartFace& a, const TChartFace& b) { return a.category < b.category; });
    }
    const TChartProjection& projection = layout.projection;
    const win::RECT room = ClipRoom(layout.visible);
    if (projection.IsTurned()) {
        std::vector<std::pair<double, const TChartFace*>> order;
        order.reserve(faces.size());
        for (const TChartFace& face : faces) {
            TPoint3 centre;
            for (const TPoint3& p : face.points) {
                centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
            }
            const double n = double(std::max<std::size_t>(1, face.points.size()));
            order.emplace_back(projection.Distance({centre.x / n, centre.y / n, centre.z / n}), &face);
        }
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& [distance, face] : order) {
            DrawFace(canvas, projection, *face, chart.Color(), room);
        }
        return;
    }
    for (const TChartFace& face : faces) {
        DrawFace(canvas, projection, face, chart.Color(), room);
    }
}

void DrawSeries(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    const std::vector<TSlice> slices = Slices(chart, layout.projection.Depth());
    if (layout.projection.IsFlat()) {
        for (int s = 0; s < chart.SeriesCount(); ++s) {
            const TChartSeries& series = *chart.Series(s);
            if (series.Active()) {
                series.DrawSeries(DrawingOf(chart, canvas, layout, series));
            }
        }
    } else {
        DrawBodies(chart, canvas, layout, slices);
    }
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (series.Active() && series.Marks()->Visible()) {
            DrawMarks(canvas, DrawingOf(chart, canvas, layout, series), series, layout.projection,
                      slices[std::size_t(s)].zFront);
        }
    }
}

void DrawLegend(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    if (layout.legendEntries.empty()) {
        return;
    }
    const TChartLegend& legend = *chart.Legend();
    const win::RECT& box = layout.legend;
    const int th = layout.legendLineHeight;
    Fill(canvas, box, legend.Color());
    if (legend.Frame()->Visible()) {
        UsePen(canvas, *legend.Frame(), legend.Frame()->Color());
        canvas.Brush()->SetStyle(gui::bsClear);
        canvas.Rectangle(box);
    }
    for (std::size_t i = 0; i < layout.legendEntries.size(); ++i) {
        const int row = box.top + 2 + int(i) * (th + 2);
        if (i > 0 && legend.DividingLines()->Visible()) {
            UsePen(canvas, *legend.DividingLines(), legend.DividingLines()->Color());
            Line(canvas, box.left, row - 1, box.right, row - 1);
        }
        const int symbolTop = row + (th + 2 - (th - 4)) / 2;
        layout.legendEntries[i]->DrawLegendSymbol(canvas, {box.left + 4, symbolTop, box.left + 16, symbolTop + th - 4},
                                                  chart.Color());
        Text(canvas, *legend.Font(), box.left + 20, row + 1, layout.legendEntries[i]->Title());
    }
}

void DrawTitle(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    const win::RECT& area = layout.titleArea;
    for (std::size_t i = 0; i < layout.titleLines.size(); ++i) {
        const std::string& line = layout.titleLines[i];
        const int width = FontTextWidth(canvas, *chart.Title()->Font(), line);
        Text(canvas, *chart.Title()->Font(), area.left + (area.right - area.left - width) / 2,
             area.top + int(i) * layout.titleLineHeight, line);
    }
}

}  // namespace

void PaintChart(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& bounds, const TChartLayout& layout)
{
    DrawBackground(chart, canvas, bounds);
    if (layout.HasChartRect()) {
        DrawWalls(chart, canvas, layout);
        DrawAxes(chart, canvas, layout);
        DrawSeries(chart, canvas, layout);
    }
    DrawLegend(chart, canvas, layout);
    DrawTitle(chart, canvas, layout);
}

}  // namespace chart
