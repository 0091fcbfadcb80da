#pragma once
// TCustomControl: a windowed control that draws itself in Paint on its Canvas, which is valid there.

#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ControlCanvas.h"

#include <memory>

namespace gui {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(classes::TComponent* owner);
    ~TCustomControl() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TCanvas* Canvas() const { return canvas_.get(); }
    void Dispatch(win::TMessage& message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(win::HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace gui
