#pragma once
// Drawing a laid-out chart, back to front: the background and bevels; the walls (flat: the back wall
// only); the grid; the axis lines, ticks, labels and titles; the series in list order (in depth: each in
// its slice, the first at the back; turned: every face from the furthest to the nearest); their marks;
// the legend; the title. Texts are drawn as they are, blanks kept, on a transparent background.

#include "platform/chart/ChartLayout.h"

namespace chart {

void PaintChart(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& bounds, const TChartLayout& layout);

}  // namespace chart
