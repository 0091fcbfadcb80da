#include "platform/chart/ChartLayout.h"

#include "platform/chart/AxisScale.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartSeries.h"
#include "platform/text/TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

struct TRange {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();

    bool Empty() const { return minimum > maximum; }
    void Include(double value)
    {
        minimum = std::min(minimum, value);
        maximum = std::max(maximum, value);
    }
};

bool HasDrawablePoint(const TChartSeries& series)
{
    for (int i = 0; i < series.Count(); ++i) {
        if (series.IsDrawablePoint(i)) {
            return true;
        }
    }
    return false;
}

TBarGroup BarGroup(const TCustomChart& chart, bool horizontal)
{
    TBarGroup group;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (!series.Active() || !series.Categorized() || series.HorizontalValues() != horizontal) {
            continue;
        }
        group.series.push_back(&series);
        for (int i = 0; i < series.Count(); ++i) {
            if (series.IsDrawablePoint(i)) {
                group.categories.push_back(series.CategoryOf(i));
            }
        }
    }
    std::sort(group.categories.begin(), group.categories.end());
    group.categories.erase(std::unique(group.categories.begin(), group.categories.end()), group.categories.end());
    if (group.categories.size() >= 2) {
        group.gap = std::numeric_limits<double>::infinity();
        for (std::size_t i = 1; i < group.categories.size(); ++i) {
            group.gap = std::min(group.gap, group.categories[i] - group.categories[i - 1]);
        }
    }
    return group;
}

// The automatic range of the bottom (X) or left (Y) axis; categories is the bar group whose categories
// lie along it.
void SetAutomaticRange(const TCustomChart& chart, TChartAxis& axis, const TBarGroup& categories)
{
    const bool bottom = axis.Horizontal();
    TRange range;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (!series.Active() || !HasDrawablePoint(series)) {
            continue;
        }
        for (int i = 0; i < series.Count(); ++i) {
            if (series.IsDrawablePoint(i)) {
                range.Include(bottom ? series.XValue(i) : series.YValue(i));
            }
        }
        if (series.ValuesFromZero() && series.HorizontalValues() == bottom) {
            range.Include(0);
        }
    }
    if (range.Empty()) {
        range = {-1, 1};
    } else if (!categories.categories.empty()) {
        range.minimum -= categories.gap / 2;
        range.maximum += categories.gap / 2;
    }
    if (!(range.maximum > range.minimum)) {
        // Far from 0 a step of 1 is lost in the rounding: the ends then move by a share of the value.
        const double e = range.minimum;
        const double delta = std::max(1.0, std::abs(e) * 1e-12);
        range = {e - delta, e + delta};
    }
    axis.SetRange(range.minimum, range.maximum);
}

std::vector<double> AxisLabels(const TChartAxis& axis, const TBarGroup& categories, int pixels,
                               const TLabelSpacing& spacing)
{
    if (!categories.categories.empty()) {
        return CategoryLabels(categories.categories, categories.gap, axis.Minimum(), axis.Maximum(), pixels, spacing);
    }
    return StepLabels(axis.Minimum(), axis.Maximum(), pixels, spacing);
}

TLabelSpacing Spacing(gui::TCanvas& canvas, const TChartAxis& axis)
{
    TLabelSpacing spacing;
    spacing.vertical = !axis.Horizontal();
    spacing.textHeight = FontTextHeight(canvas, *axis.LabelsFont());
    const gui::TFont* font = axis.LabelsFont();
    spacing.textWidth = [&canvas, font](const std::string& text) { return FontTextWidth(canvas, *font, text); };
    return spacing;
}

// Step 1.
win::RECT LessBevels(const TCustomChart& chart, win::RECT frame)
{
    for (TPanelBevel bevel : {chart.BevelOuter(), chart.BevelInner()}) {
        if (bevel != bvNone) {
            frame.left += chart.BevelWidth();
            frame.top += chart.BevelWidth();
            frame.right -= chart.BevelWidth();
            frame.bottom -= chart.BevelWidth();
        }
    }
    return frame;
}

// Step 2.
win::RECT LessMargins(const win::RECT& frame)
{
    const int dx = std::max(0, frame.right - frame.left) * 3 / 100;
    const int dy = std::max(0, frame.bottom - frame.top) * 4 / 100;
    return {frame.left + dx, frame.top + dy, frame.right - dx, frame.bottom - dy};
}

// Step 3.
void PlaceTitle(const TCustomChart& chart, gui::TCanvas& canvas, TChartLayout& layout, win::RECT& r)
{
    const TChartTitle& title = *chart.Title();
    if (!title.Visible() || title.Text()->Count() == 0) {
        return;
    }
    for (int i = 0; i < title.Text()->Count(); ++i) {
        layout.titleLines.push_back(title.Text()->Strings(i));
    }
    layout.titleArea = r;
    layout.titleLineHeight = FontTextHeight(canvas, *title.Font());
    r.top += int(layout.titleLines.size()) * layout.titleLineHeight + 4;
}

// Step 4.
void PlaceLegend(const TCustomChart& chart, gui::TCanvas& canvas, TChartLayout& layout, win::RECT& r)
{
    const TChartLegend& legend = *chart.Legend();
    if (!legend.Visible()) {
        return;
    }
    int widest = 0;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const TChartSeries& series = *chart.Series(s);
        if (series.Active() && series.ShowInLegend()) {
            layout.legendEntries.push_back(&series);
            widest = std::max(widest, FontTextWidth(canvas, *legend.Font(), series.Title()));
        }
    }
    if (layout.legendEntries.empty()) {
        return;
    }
    layout.legendLineHeight = FontTextHeight(canvas, *legend.Font());
    const int width = 4 + 12 + 4 + widest + 4;
    const int height = int(layout.legendEntries.size()) * (layout.legendLineHeight + 2) + 4;
    layout.legend = {r.right - width, r.top, r.right, r.top + height};
    r.right -= width + 8;
}

int CaptionRoom(gui::TCanvas& canvas, const TChartAxis& axis)
{
    return axis.Title()->Caption().empty() ? 0 : FontTextHeight(canvas, *axis.Title()->Font()) + 2;
}

}  // namespace

int FontTextHeight(gui::TCanvas& canvas, const gui::TFont& font)
{
    canvas.Font()->Assign(&font);
    win::TEXTMETRIC metrics{};
    win::GetTextMetricsA(canvas.Handle(), &metrics);
    return metrics.tmHeight;
}

int FontTextWidth(gui::TCanvas& canvas, const gui::TFont& font, const std::string& text)
{
    canvas.Font()->Assign(&font);
    return canvas.TextWidth(text);
}

TChartLayout LayOut(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& bounds)
{
    TChartLayout layout;
    layout.verticalBars = BarGroup(chart, false);
    layout.horizontalBars = BarGroup(chart, true);
    TChartAxis& bottomAxis = *chart.BottomAxis();
    TChartAxis& leftAxis = *chart.LeftAxis();
    SetAutomaticRange(chart, bottomAxis, layout.verticalBars);
    SetAutomaticRange(chart, leftAxis, layout.horizontalBars);
    bottomAxis.SetLabelValues({});
    leftAxis.SetLabelValues({});

    layout.bounds = bounds;
    layout.visible = bounds;
    layout.frame = LessBevels(chart, bounds);
    win::RECT r = LessMargins(layout.frame);
    PlaceTitle(chart, canvas, layout, r);
    PlaceLegend(chart, canvas, layout, r);
    // Step 5.
    if (bottomAxis.Visible()) {
        r.bottom -= 4 + 2 + FontTextHeight(canvas, *bottomAxis.LabelsFont()) + CaptionRoom(canvas, bottomAxis);
    }
    // Step 6.
    if (chart.View3D()) {
        const int smaller = std::max(0, std::min(r.right - r.left, r.bottom - r.top));
        layout.depth = smaller * chart.Chart3DPercent() / 200;
    }
    // Step 7.
    const int depth = layout.depth;
    layout.leftAxisRoom = r.left;
    if (leftAxis.Visible()) {
        leftAxis.SetLabelValues(AxisLabels(leftAxis, layout.horizontalBars, (r.bottom - 1) - (r.top + depth),
                                           Spacing(canvas, leftAxis)));
        int widest = 0;
        for (double value : leftAxis.LabelValues()) {
            widest = std::max(widest, FontTextWidth(canvas, *leftAxis.LabelsFont(), LabelText(value)));
        }
        r.left += widest + 2 + 4 + CaptionRoom(canvas, leftAxis);
    }
    // Step 8.
    layout.chartRect = {r.left, r.top + depth, r.right - depth, r.bottom};
    const win::RECT& c = layout.chartRect;
    const TView3DOptions& view = *chart.View3DOptions();
    if (!chart.View3D()) {
        layout.projection = TChartProjection::Flat();
    } else if (view.Orthogonal()) {
        layout.projection = TChartProjection::Orthogonal(depth);
    } else {
        layout.projection = TChartProjection::Turned(c, depth, view.Rotation(), view.Elevation());
    }
    bottomAxis.SetPixels(c.left, c.right - 1);
    leftAxis.SetPixels(c.bottom - 1, c.top);
    if (!layout.HasChartRect()) {
        leftAxis.SetLabelValues({});
    } else if (bottomAxis.Visible()) {
        bottomAxis.SetLabelValues(
            AxisLabels(bottomAxis, layout.verticalBars, (c.right - 1) - c.left, Spacing(canvas, bottomAxis)));
    }
    return layout;
}

}  // namespace chart
