#include "platform/gui/controls/Bevel.h"

#include "platform/gui/controls/detail/Frame3D.h"

namespace gui {

TBevel::TBevel(classes::TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 50, 50);
}

const classes::TClassInfo& TBevel::StaticClass()
{
    static const classes::TClassInfo info("TBevel", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TBevel>(c)
            .Property("Shape", BevelShapeType(), &TBevel::Shape, &TBevel::SetShape).Default(bsBox)
            .Property("Style", BevelStyleType(), &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    });
    return info;
}

void TBevel::SetShape(TBevelShape value)
{
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    style_ = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas& canvas = *Canvas();
    // Lowered: the shadow line above or left of the highlight one; raised the other way round.
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int width = Width();
    const int height = Height();
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen()->SetColor(color);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    switch (shape_) {
    case bsBox: {
        win::RECT rect{0, 0, width, height};
        detail::Frame3D(canvas, rect, first, second, 1);
        break;
    }
    case bsFrame: {
        // The second colour's frame one pixel down and right, under the first colour's.
        win::RECT inner{1, 1, width, height};
        detail::Frame3D(canvas, inner, second, second, 1);
        win::RECT outer{0, 0, width - 1, height - 1};
        detail::Frame3D(canvas, outer, first, first, 1);
        break;
    }
    case bsTopLine:
        line(first, 0, 0, width, 0);
        line(second, 0, 1, width, 1);
        break;
    case bsBottomLine:
        line(first, 0, height - 2, width, height - 2);
        line(second, 0, height - 1, width, height - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, height);
        line(second, 1, 0, 1, height);
        break;
    case bsRightLine:
        line(first, width - 2, 0, width - 2, height);
        line(second, width - 1, 0, width - 1, height);
        break;
    case bsSpacer:
        break;
    }
}

}  // namespace gui
