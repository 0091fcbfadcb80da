#pragma once
// Drawing the faces and lines of a chart with its own pens: a hidden pen draws nothing, a hatched face
// shows its hatch in the face's colour over the chart's colour, a clear face is left unfilled.

#include "platform/chart/ChartPen.h"
#include "platform/gui/Canvas.h"

namespace chart {

// Makes pen the canvas's pen in color (no pen when hidden).
void UsePen(gui::TCanvas& canvas, const TChartPen& pen, gui::TColor color);
// The rectangle (right and bottom excluded) filled in color with style over background and, when the
// pen is given and visible, framed with it on its outer pixels.
void DrawFace(gui::TCanvas& canvas, const win::RECT& rect, gui::TColor color, gui::TBrushStyle style,
              gui::TColor background, const TChartPen* pen);

}  // namespace chart
