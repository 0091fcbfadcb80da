#pragma once
// TScrollBox: a windowed container whose controls scroll within it (AutoScroll), framed sunken by default.

#include "platform/gui/core/Form.h"
#include "platform/gui/core/ScrollingWinControl.h"

namespace gui {

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TFormBorderStyle borderStyle_ = bsSingle;
};

}  // namespace gui
