#include "platform/gui/controls/PaintBox.h"

namespace gui {

TPaintBox::TPaintBox(classes::TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
}

const classes::TClassInfo& TPaintBox::StaticClass()
{
    static const classes::TClassInfo info("TPaintBox", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TPaintBox>(c).Property("OnPaint", classes::NotifyEventType(), &TPaintBox::OnPaint);
    });
    return info;
}

void TPaintBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    canvas.Brush()->SetColor(Color());
    if (OnPaint) {
        OnPaint(this);
    }
}

}  // namespace gui
