#include "platform/gui/controls/Shape.h"

#include <algorithm>

namespace gui {

TShape::TShape(classes::TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>())
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 65, 65);
    pen_->OnChange = classes::TNotifyEvent::Of<&TShape::StyleChanged>(this);
    brush_->OnChange = classes::TNotifyEvent::Of<&TShape::StyleChanged>(this);
}

TShape::~TShape() = default;

const classes::TClassInfo& TShape::StaticClass()
{
    static const classes::TClassInfo info("TShape", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TShape>(c)
            .Property("Brush", &TShape::Brush, &TShape::SetBrush)
            .Property("Pen", &TShape::Pen, &TShape::SetPen)
            .Property("Shape", ShapeTypeType(), &TShape::Shape, &TShape::SetShape).Default(stRectangle);
    });
    return info;
}

void TShape::StyleChanged(classes::TObject*)
{
    Invalidate();
}

void TShape::SetShape(TShapeType value)
{
    shape_ = value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetPen(pen_.get());
    canvas.SetBrush(brush_.get());
    // A wide pen draws centred on the figure's edge: the figure shrinks by half the width to keep it inside.
    const int penWidth = pen_->Width();
    int x = penWidth / 2;
    int y = x;
    int w = Width() - penWidth + 1;
    int h = Height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        if (w < h) {
            y += (h - w) / 2;
            h = w;
        } else {
            x += (w - h) / 2;
            w = h;
        }
    }
    switch (shape_) {
    case stRectangle:
    case stSquare:
        canvas.Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const int corner = std::min(w, h) / 4;
        canvas.RoundRect(x, y, x + w, y + h, corner, corner);
        break;
    }
    case stEllipse:
    case stCircle:
        canvas.Ellipse(x, y, x + w, y + h);
        break;
    }
}

}  // namespace gui
