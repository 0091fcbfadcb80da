#pragma once
// TCustomFrame and TFrame: a group of controls designed once and placed in forms (or other frames) as one
// control. A frame class whose controls were designed reads them like a form: the RCDATA named after the
// class, read by CreateFromStoredData() at the end of its constructor.

#include "platform/gui/core/ScrollingWinControl.h"

namespace gui {

class TCustomFrame : public TScrollingWinControl {
public:
    explicit TCustomFrame(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;

protected:
    // Reads the stored data of the frame's class, then BindComponents.
    void CreateFromStoredData();
    virtual void BindComponents() {}
};

class TFrame : public TCustomFrame {
public:
    explicit TFrame(classes::TComponent* owner) : TCustomFrame(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
