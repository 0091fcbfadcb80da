#include "platform/chart/ChartPainter.h"

#include "platform/chart/AxisScale.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartFaces.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>

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

void DrawBackWall(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& rect)
{
    const TChartWall& wall = *chart.BackWall();
    if (wall.Visible()) {
        DrawFace(canvas, rect, wall.Color(), wall.Brush()->Style(), chart.Color(), wall.Pen());
    }
}

void DrawGrid(gui::TCanvas& canvas, const TChartAxis& axis, const win::RECT& c)
{
    if (!axis.Visible() || !axis.Grid()->Visible()) {
        return;
    }
    UsePen(canvas, *axis.Grid(), axis.Grid()->Color());
    for (double value : axis.LabelValues()) {
        const int p = axis.CalcPosValue(value);
        if (axis.Horizontal()) {
            Line(canvas, p, c.top, p, c.bottom);
        } else {
            Line(canvas, c.left, p, c.right, p);
        }
    }
}

void DrawBottomAxis(gui::TCanvas& canvas, const TChartAxis& axis, const win::RECT& c)
{
    const TChartPen black(gui::clBlack, 1, true);
    UsePen(canvas, black, gui::clBlack);
    Line(canvas, c.left, c.bottom - 1, c.right, c.bottom - 1);
    for (double value : axis.LabelValues()) {
        const int x = axis.CalcPosValue(value);
        Line(canvas, x, c.bottom, x, c.bottom + kTick);
    }
    const int labelHeight = FontTextHeight(canvas, *axis.LabelsFont());
    for (double value : axis.LabelValues()) {
        const std::string text = LabelText(value);
        const int width = FontTextWidth(canvas, *axis.LabelsFont(), text);
        Text(canvas, *axis.LabelsFont(), axis.CalcPosValue(value) - width / 2, c.bottom + kTick + 2, text);
    }
    const std::string& caption = axis.Title()->Caption();
    if (!caption.empty()) {
        const int width = FontTextWidth(canvas, *axis.Title()->Font(), caption);
        Text(canvas, *axis.Title()->Font(), c.left + (c.right - c.left - width) / 2,
             c.bottom + kTick + 2 + labelHeight + 2, caption);
    }
}

void DrawLeftAxis(gui::TCanvas& canvas, const TChartAxis& axis, const win::RECT& c, int room)
{
    const TChartPen black(gui::clBlack, 1, true);
    UsePen(canvas, black, gui::clBlack);
    Line(canvas, c.left, c.top, c.left, c.bottom);
    for (double value : axis.LabelValues()) {
        const int y = axis.CalcPosValue(value);
        Line(canvas, c.left - 1, y, c.left - 1 - kTick, y);
    }
    const int labelHeight = FontTextHeight(canvas, *axis.LabelsFont());
    for (double value : axis.LabelValues()) {
        const std::string text = LabelText(value);
        const int width = FontTextWidth(canvas, *axis.LabelsFont(), text);
        Text(canvas, *axis.LabelsFont(), c.left - kTick - 2 - width, axis.CalcPosValue(value) - labelHeight / 2, text);
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
        canvas.TextOut(room, c.top + (c.bottom - c.top + width) / 2, caption);
    }
}

void DrawAxes(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    const win::RECT& c = layout.chartRect;
    DrawGrid(canvas, *chart.BottomAxis(), c);
    DrawGrid(canvas, *chart.LeftAxis(), c);
    if (chart.LeftAxis()->Visible()) {
        DrawLeftAxis(canvas, *chart.LeftAxis(), c, layout.leftAxisRoom);
    }
    if (chart.BottomAxis()->Visible()) {
        DrawBottomAxis(canvas, *chart.BottomAxis(), c);
    }
}

TSeriesDrawing DrawingOf(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout,
                         const TChartSeries& series)
{
    TSeriesDrawing drawing{canvas, *chart.BottomAxis(), *chart.LeftAxis(), chart.Color()};
    if (series.Categorized()) {
        const TBarGroup& group = series.HorizontalValues() ? layout.horizontalBars : layout.verticalBars;
        drawing.barSeries = int(group.series.size());
        drawing.barIndex = int(std::find(group.series.begin(), group.series.end(), &series) - group.series.begin());
        drawing.categoryGap = group.gap;
    }
    return drawing;
}

void DrawMarks(gui::TCanvas& canvas, const TSeriesDrawing& drawing, const TChartSeries& series)
{
    const std::unique_ptr<gui::TFont> font = NewChartFont();
    const int height = FontTextHeight(canvas, *font) + 4;
    const TChartAxis& values = series.HorizontalValues() ? drawing.bottomAxis : drawing.leftAxis;
    const TChartAxis& categories = series.HorizontalValues() ? drawing.leftAxis : drawing.bottomAxis;
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
        win::RECT box;
        if (series.HorizontalValues()) {
            const int left = value >= 0 ? v + 9 : v - 8 - width;
            box = {left, c - height / 2, left + width, c - height / 2 + height};
        } else {
            const int top = value >= 0 ? v - 8 - height : v + 9;
            box = {c - width / 2, top, c - width / 2 + width, top + height};
        }
        DrawFace(canvas, box, gui::clWhite, gui::bsSolid, gui::clWhite, &frame);
        canvas.Brush()->SetStyle(gui::bsClear);
        canvas.TextOut(box.left + 2, box.top + 2, text);
    }
}

void DrawSeries(const TCustomChart& chart, gui::TCanvas& canvas, const TChartLayout& layout)
{
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (series.Active()) {
            series.DrawSeries(DrawingOf(chart, canvas, layout, series));
        }
    }
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (series.Active() && series.Marks()->Visible()) {
            DrawMarks(canvas, DrawingOf(chart, canvas, layout, series), series);
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
        DrawBackWall(chart, canvas, layout.chartRect);
        DrawAxes(chart, canvas, layout);
        DrawSeries(chart, canvas, layout);
    }
    DrawLegend(chart, canvas, layout);
    DrawTitle(chart, canvas, layout);
}

}  // namespace chart
