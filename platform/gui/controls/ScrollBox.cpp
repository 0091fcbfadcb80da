#include "platform/gui/controls/ScrollBox.h"

#include "platform/gui/controls/StdCtrlTypes.h"

namespace gui {

TScrollBox::TScrollBox(classes::TComponent* owner) : TScrollingWinControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 185, 41);
}

const classes::TClassInfo& TScrollBox::StaticClass()
{
    static const classes::TClassInfo info("TScrollBox", &TScrollingWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TScrollBox>(c)
            .Property("BorderStyle", BorderStyleType(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
            .Default(bsSingle);
    });
    return info;
}

void TScrollBox::CreateParams(TCreateParams& params)
{
    TScrollingWinControl::CreateParams(params);
    if (borderStyle_ == bsSingle) {
        if (Ctl3D()) {
            params.exStyle |= win::WS_EX_CLIENTEDGE;
        } else {
            params.style |= win::WS_BORDER;
        }
    }
}

void TScrollBox::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        RecreateWnd();
    }
}

}  // namespace gui
