#pragma once
// TBevel: a bevelled box, etched frame or line drawn on its parent, lowered or raised; bsSpacer draws
// nothing (it only keeps a place).

#include "platform/gui/controls/ExtCtrlTypes.h"
#include "platform/gui/core/GraphicControl.h"

namespace gui {

class TBevel : public TGraphicControl {
public:
    explicit TBevel(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

}  // namespace gui
