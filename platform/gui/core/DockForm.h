#pragma once
// TCustomDockForm: the small tool window a control floats in when it is undocked (ManualFloat). It is a
// dock site holding that one control, takes its caption from it, and goes away when the control leaves.

#include "platform/gui/core/Form.h"

namespace gui {

class TCustomDockForm : public TCustomForm {
public:
    explicit TCustomDockForm(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Dispatch(win::TMessage& message) override;
};

}  // namespace gui
