#pragma once
// Check boxes and radio buttons over a BUTTON window. A check box is unchecked, checked or (with
// AllowGrayed) grayed; a click, Space or its accelerator steps it on. Checking a radio button unchecks the
// other radio buttons of its parent; only the checked one is a tab stop, and the arrow keys move among
// them checking each. Setting Checked or State from code fires OnClick too, except while loading.

#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/StdCtrlTypes.h"

namespace gui {

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // The next state: unchecked, (grayed,) checked, unchecked ...
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TLeftRight alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void TurnSiblingsOff();

    bool checked_ = false;
    TLeftRight alignment_ = taRightJustify;
};

}  // namespace gui
