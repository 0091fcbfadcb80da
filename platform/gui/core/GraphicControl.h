#pragma once
// TGraphicControl: a control without a window of its own, drawn by its parent in z-order among the
// parent's other graphic controls. It draws itself in Paint on its Canvas, whose origin is its top left
// and whose drawing is clipped to its bounds.

#include "platform/gui/core/Control.h"
#include "platform/gui/graphics/ControlCanvas.h"

#include <memory>

namespace gui {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(classes::TComponent* owner);
    ~TGraphicControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TCanvas* Canvas() const { return canvas_.get(); }
    void Dispatch(win::TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace gui
