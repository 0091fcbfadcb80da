#include "platform/gui/core/GraphicControl.h"

#include "platform/gui/core/Messages.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/core/detail/PaintingOn.h"

namespace gui {

TGraphicControl::TGraphicControl(classes::TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>())
{
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
    canvas_->SetControl(nullptr);
}

const classes::TClassInfo& TGraphicControl::StaticClass()
{
    static const classes::TClassInfo info("TGraphicControl", &TControl::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TGraphicControl>{c}; });
    return info;
}

void TGraphicControl::Dispatch(win::TMessage& message)
{
    // The parent paints it into its own device context, moved to the control's top left and clipped.
    if (message.Msg == win::WM_PAINT && message.WParam != 0) {
        detail::PaintingOn painting(*canvas_, reinterpret_cast<win::HDC>(message.WParam));
        Paint();
        return;
    }
    TControl::Dispatch(message);
}

}  // namespace gui
