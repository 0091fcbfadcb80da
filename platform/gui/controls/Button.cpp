#include "platform/gui/controls/Button.h"

#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

namespace gui {

TButtonControl::TButtonControl(classes::TComponent* owner) : TWinControl(owner) {}

const classes::TClassInfo& TButtonControl::StaticClass()
{
    static const classes::TClassInfo info("TButtonControl", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TButtonControl>(c).Property("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption)
            .Stored(&TButtonControl::IsCaptionStored);
    });
    return info;
}

bool TButtonControl::ClicksDisabled() const
{
    return clicksDisabled_ || HasState(classes::csLoading) || HasState(classes::csReading);
}

TButton::TButton(classes::TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

const classes::TClassInfo& TButton::StaticClass()
{
    static const classes::TClassInfo info("TButton", &TButtonControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TButton>(c)
            .Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0)
            .Property("Default", &TButton::Default, &TButton::SetDefault).Default(0)
            .Property("ModalResult", ModalResultType(), &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone)
            .Property("TabStop", &TButton::TabStop, &TButton::SetTabStop).Default(1)
            .Method<&TButton::Click>("Click");
    });
    return info;
}

void TButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.style |= default_ ? win::BS_DEFPUSHBUTTON : win::BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    active_ = default_;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated()) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(form->ActiveControl()));
        }
    }
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) {
        form->SetModalResult(modalResult_);
    }
    TButtonControl::Click();
}

void TButton::SetButtonStyle(bool isDefault)
{
    if (HandleAllocated()) {
        const win::DWORD style = isDefault ? win::BS_DEFPUSHBUTTON : win::BS_PUSHBUTTON;
        if ((win::DWORD(win::GetWindowLongPtr(Handle(), win::GWL_STYLE)) & win::BS_TYPEMASK) != style) {
            win::SendMessage(Handle(), win::BM_SETSTYLE, style, 1);
        }
    }
}

void TButton::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (win::HIWORD(win::DWORD(message.WParam)) == win::BN_CLICKED) {
            Click();
        }
        return;
    case CM_DIALOGKEY:
        if (((message.WParam == win::VK_RETURN && active_) || (message.WParam == win::VK_ESCAPE && cancel_)) &&
            KeyDataToShiftState(message.LParam) == 0 && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(char(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TControl*>(message.LParam);
        active_ = dynamic_cast<TButton*>(focused) ? focused == this : default_;
        SetButtonStyle(active_);
        break;
    }
    default:
        break;
    }
    TButtonControl::Dispatch(message);
}

}  // namespace gui
