#include "platform/chart/ChartFaces.h"

#include "platform/chart/ChartClip.h"
#include "platform/gui/graphics/Colors.h"

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

gui::TColor Shade(gui::TColor color, int numerator, int denominator)
{
    const win::COLORREF rgb = gui::ColorToRGB(color);
    const auto channel = [&](int shift) { return ((int(rgb >> shift) & 0xFF) * numerator / denominator) << shift; };
    return gui::TColor(channel(0) | channel(8) | channel(16));
}

namespace {

void UseEdgePen(gui::TCanvas& canvas, const TChartFace& face)
{
    if (face.pen) {
        UsePen(canvas, *face.pen, face.penColor);
        return;
    }
    gui::TPen& pen = *canvas.Pen();
    pen.SetColor(gui::clBlack);
    pen.SetWidth(1);
    pen.SetStyle(gui::psSolid);
    pen.SetMode(gui::pmCopy);
}

}  // namespace

void DrawFace(gui::TCanvas& canvas, const TChartProjection& projection, const TChartFace& face, gui::TColor background,
              const win::RECT& room)
{
    std::vector<win::POINT> points;
    points.reserve(face.points.size());
    for (const TPoint3& p : face.points) {
        points.push_back(projection.Point(p));
    }
    if (face.line) {
        UseEdgePen(canvas, face);
        for (const std::vector<win::POINT>& part : ClipPolyline(points, room)) {
            canvas.Polyline(part);
        }
        return;
    }
    points = ClipPolygon(points, room);
    if (points.empty()) {
        return;
    }
    gui::TBrush& brush = *canvas.Brush();
    if (face.style != gui::bsSolid && face.style != gui::bsClear) {
        canvas.Pen()->SetStyle(gui::psClear);
        brush.SetColor(background);
        brush.SetStyle(gui::bsSolid);
        canvas.Polygon(points);
    }
    UseEdgePen(canvas, face);
    if (face.style == gui::bsClear) {
        brush.SetStyle(gui::bsClear);
    } else {
        brush.SetColor(face.color);
        brush.SetStyle(face.style);
    }
    canvas.Polygon(points);
}

void AddBox(std::vector<TChartFace>& faces, const win::RECT& box, double zFront, double zBack, gui::TColor color,
            gui::TBrushStyle style, const TChartPen* pen)
{
    const double l = box.left, t = box.top, r = box.right, b = box.bottom;
    const gui::TColor penColor = pen ? pen->Color() : gui::clBlack;
    faces.push_back({{{l, t, zFront}, {r, t, zFront}, {r, t, zBack}, {l, t, zBack}},
                     Shade(color, 7, 8), style, pen, penColor});
    faces.push_back({{{r, t, zFront}, {r, b, zFront}, {r, b, zBack}, {r, t, zBack}},
                     Shade(color, 3, 4), style, pen, penColor});
    faces.push_back({{{l, t, zFront}, {r, t, zFront}, {r, b, zFront}, {l, b, zFront}}, color, style, pen, penColor});
}

}  // namespace chart
