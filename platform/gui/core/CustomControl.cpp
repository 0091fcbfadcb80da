#include "platform/gui/core/CustomControl.h"

#include "platform/gui/core/Messages.h"
#include "platform/gui/core/detail/PaintingOn.h"

namespace gui {

TCustomControl::TCustomControl(classes::TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>())
{
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    canvas_->SetControl(nullptr);
    DestroyHandle();
}

const classes::TClassInfo& TCustomControl::StaticClass()
{
    static const classes::TClassInfo info("TCustomControl", &TWinControl::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomControl>{c}; });
    return info;
}

void TCustomControl::Dispatch(win::TMessage& message)
{
    if (message.Msg == win::WM_PAINT) {
        SetControlState(ControlState() | csCustomPaint);
        TWinControl::Dispatch(message);
        SetControlState(ControlState() & ~csCustomPaint);
        return;
    }
    TWinControl::Dispatch(message);
}

void TCustomControl::PaintWindow(win::HDC dc)
{
    detail::PaintingOn painting(*canvas_, dc);
    Paint();
}

}  // namespace gui
