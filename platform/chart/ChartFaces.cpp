#include "platform/chart/ChartFaces.h"

namespace chart {

void UsePen(gui::TCanvas& canvas, const TChartPen& pen, gui::TColor color)
{
    canvas.Pen()->Assign(&pen);
    canvas.Pen()->SetColor(color);
    canvas.Pen()->SetMode(gui::pmCopy);
    if (!pen.Visible()) {
        canvas.Pen()->SetStyle(gui::psClear);
    }
}

void DrawFace(gui::TCanvas& canvas, const win::RECT& rect, gui::TColor color, gui::TBrushStyle style,
              gui::TColor background, const TChartPen* pen)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    gui::TBrush* brush = canvas.Brush();
    if (style != gui::bsSolid && style != gui::bsClear) {
        brush->SetColor(background);
        brush->SetStyle(gui::bsSolid);
        canvas.FillRect(rect);
    }
    if (style != gui::bsClear) {
        brush->SetColor(color);
        brush->SetStyle(style);
        canvas.FillRect(rect);
    }
    if (pen && pen->Visible()) {
        UsePen(canvas, *pen, pen->Color());
        brush->SetStyle(gui::bsClear);
        canvas.Rectangle(rect);
    }
}

}  // namespace chart
