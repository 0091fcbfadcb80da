#pragma once
// TPaintBox: a place on its parent that its owner paints in OnPaint, on the box's Canvas (clipped to the
// box, with the box's font and colour selected).

#include "platform/gui/core/GraphicControl.h"

namespace gui {

class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

}  // namespace gui
