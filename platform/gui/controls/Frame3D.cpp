#include "platform/gui/controls/detail/Frame3D.h"

#include "platform/gui/graphics/Canvas.h"

namespace gui::detail {

void Frame3D(TCanvas& canvas, win::RECT& rect, TColor topColor, TColor bottomColor, int width)
{
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    for (int i = 0; i < width && rect.right - rect.left > 1 && rect.bottom - rect.top > 1; ++i) {
        const int right = rect.right - 1;
        const int bottom = rect.bottom - 1;
        canvas.Pen()->SetColor(topColor);
        canvas.Polyline({{rect.left, bottom}, {rect.left, rect.top}, {right, rect.top}});
        canvas.Pen()->SetColor(bottomColor);
        canvas.Polyline({{right, rect.top}, {right, bottom}, {rect.left - 1, bottom}});
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
}

}  // namespace gui::detail
