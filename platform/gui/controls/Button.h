#pragma once
// TButtonControl: the base of the controls over a BUTTON window. TButton: a push button. Default makes it
// the form's default button (Enter clicks it unless another button has the focus, which then is the
// default one and wears the black frame); Cancel makes Esc click it; a click sets the form's ModalResult
// to the button's; the caption's accelerator (Alt+letter, or the letter where no control takes
// characters) clicks it.

#include "platform/gui/core/WinControl.h"

namespace gui {

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

protected:
    // Clicks from code (a check set, a state changed) are not reported while this is set or while loading.
    bool ClicksDisabled() const;
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }

private:
    bool clicksDisabled_ = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    void Click() override;
    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Whether Enter clicks this button now: it has the focus, or it is the default and no button has.
    bool Active() const { return active_; }
    // Shows the button as the one Enter clicks (the default frame), or not.
    virtual void SetButtonStyle(bool isDefault);

private:

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

}  // namespace gui
