#pragma once
// TCustomGroupBox: a windowed container framed by an etched line that the caption breaks at the top left;
// the controls in it lie inside the frame, below the caption's line. TGroupBox publishes it.

#include "platform/gui/core/CustomControl.h"

namespace gui {

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Dispatch(win::TMessage& message) override;

protected:
    void AdjustClientRect(win::RECT& rect) override;
    void Paint() override;

private:
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
