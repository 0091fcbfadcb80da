#pragma once
// Drawing the faces and lines of a chart with its own pens: a hidden pen draws nothing, a hatched face
// shows its hatch in the face's colour over the chart's colour, a clear face is left unfilled. Faces of
// bodies in depth are polygons of the chart's box, drawn through its projection.

#include "platform/chart/ChartPen.h"
#include "platform/chart/ChartProjection.h"
#include "platform/gui/graphics/Canvas.h"

#include <vector>

namespace chart {

// Makes pen the canvas's pen in color (no pen when hidden).
void UsePen(gui::TCanvas& canvas, const TChartPen& pen, gui::TColor color);
// The rectangle (right and bottom excluded) filled in color with style over background and, when the
// pen is given and visible, framed with it on its outer pixels.
void DrawFace(gui::TCanvas& canvas, const win::RECT& rect, gui::TColor color, gui::TBrushStyle style,
              gui::TColor background, const TChartPen* pen);

// color with each RGB channel × numerator / denominator, rounded down: the lit sides of a body.
gui::TColor Shade(gui::TColor color, int numerator, int denominator);

// A polygon of the chart's box filled in color with style and edged with pen, or (line) an open line
// in pen's colour. Without a pen the edges are black, 1 px.
struct TChartFace {
    std::vector<TPoint3> points;
    gui::TColor color = gui::clBlack;
    gui::TBrushStyle style = gui::bsSolid;
    const TChartPen* pen = nullptr;
    gui::TColor penColor = gui::clBlack;
    bool line = false;
    double category = 0;  // bars are drawn in rising category order
};

// The face as projection puts it, cut to room (ClipRoom).
void DrawFace(gui::TCanvas& canvas, const TChartProjection& projection, const TChartFace& face, gui::TColor background,
              const win::RECT& room);

// The faces of a box from (left, top) to (right, bottom), pixels included, between the depths zFront and
// zBack that a viewer from the front, above and right sees: top, right side, front.
void AddBox(std::vector<TChartFace>& faces, const win::RECT& box, double zFront, double zBack, gui::TColor color,
            gui::TBrushStyle style, const TChartPen* pen);

}  // namespace chart
