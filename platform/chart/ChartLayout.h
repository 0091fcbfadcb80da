#pragma once
// Where each piece of a chart goes in a rectangle B, in pixels (TH a font's tmHeight, TW a measured
// text width, divisions rounding down):
//   1. B less the bevels (outer, then inner, BevelWidth lines each);
//   2. R = B less 3 % of its width at left and right and 4 % of its height at top and bottom;
//   3. the title's lines from R's top, TH apart; R.top += lines × TH + 4;
//   4. the legend's box, 4 + 12 + 4 + widest entry + 4 wide and entries × (TH + 2) + 4 high, at R's top
//      right; R.right −= its width + 8;
//   5. the bottom axis's room: R.bottom −= 4 + 2 + TH(labels), and TH(title) + 2 with a caption;
//   6. the depth D = min(width, height) × Chart3DPercent / 200 of R (0 when flat);
//   7. the left axis's labels for its height, and its room: R.left += widest label + 2 + 4, and
//      TH(title) + 2 with a caption;
//   8. the chart rectangle (R with its top lowered and its right moved in by D: the front face of the
//      box), and the bottom axis's labels for its width.
// Laying out also gives the axes their automatic ranges.

#include "platform/chart/ChartProjection.h"
#include "platform/gui/graphics/Canvas.h"

#include <string>
#include <vector>

namespace chart {

class TChartSeries;
class TCustomChart;

// The active bar series of one orientation, which share each category's room.
struct TBarGroup {
    std::vector<const TChartSeries*> series;
    std::vector<double> categories;  // distinct, sorted
    double gap = 1;                  // the smallest distance between them (1 with fewer than two)
};

struct TChartLayout {
    win::RECT bounds{};      // B
    win::RECT visible{};     // the part of B a raster canvas shows (all of B on a metafile)
    win::RECT frame{};       // after step 1
    win::RECT titleArea{};   // R at step 3, where the title's lines are centred
    int titleLineHeight = 0;
    std::vector<std::string> titleLines;
    win::RECT legend{};      // empty without a legend
    int legendLineHeight = 0;
    std::vector<const TChartSeries*> legendEntries;
    int leftAxisRoom = 0;    // where the left axis's room begins
    int depth = 0;
    win::RECT chartRect{};
    TChartProjection projection;  // flat without View3D
    TBarGroup verticalBars;
    TBarGroup horizontalBars;

    bool HasChartRect() const { return chartRect.right > chartRect.left && chartRect.bottom > chartRect.top; }
};

// Lays chart out in bounds, measuring with canvas; sets the axes' ranges, pixels and labels.
TChartLayout LayOut(const TCustomChart& chart, gui::TCanvas& canvas, const win::RECT& bounds);

// A font's tmHeight and a text's width in it, measured on canvas (which keeps the font).
int FontTextHeight(gui::TCanvas& canvas, const gui::TFont& font);
int FontTextWidth(gui::TCanvas& canvas, const gui::TFont& font, const std::string& text);

}  // namespace chart
