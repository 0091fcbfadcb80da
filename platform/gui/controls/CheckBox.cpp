#include "platform/gui/controls/CheckBox.h"

#include "platform/gui/core/Messages.h"
#include "platform/win/MessageQueue.h"
#include "platform/wintypes/ControlMessages.h"

namespace gui {

TCustomCheckBox::TCustomCheckBox(classes::TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

const classes::TClassInfo& TCustomCheckBox::StaticClass()
{
    static const classes::TClassInfo info("TCustomCheckBox", &TButtonControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomCheckBox>(c)
            .Property("Alignment", LeftRightType(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
            .Default(taRightJustify)
            .Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(0)
            .Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Stored(false)
            .Property("State", CheckBoxStateType(), &TCustomCheckBox::State, &TCustomCheckBox::SetState)
            .Default(cbUnchecked)
            .Property("TabStop", &TCustomCheckBox::TabStop, &TCustomCheckBox::SetTabStop).Default(1);
    });
    return info;
}

const classes::TClassInfo& TCheckBox::StaticClass()
{
    static const classes::TClassInfo info("TCheckBox", &TCustomCheckBox::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCheckBox>{c}; });
    return info;
}

void TCustomCheckBox::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.style |= win::BS_3STATE | (alignment_ == taLeftJustify ? win::BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    win::SendMessage(Handle(), win::BM_SETCHECK, win::WPARAM(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState value)
{
    if (value == state_) {
        return;
    }
    state_ = value;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::BM_SETCHECK, win::WPARAM(state_), 0);
    }
    if (!ClicksDisabled()) {
        Click();
    }
}

void TCustomCheckBox::SetAlignment(TLeftRight value)
{
    if (value != alignment_) {
        alignment_ = value;
        RecreateWnd();
    }
}

void TCustomCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (win::HIWORD(win::DWORD(message.WParam)) == win::BN_CLICKED) {
            Toggle();
        }
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(char(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            if (Focused()) {
                Toggle();
            }
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonControl::Dispatch(message);
}

TRadioButton::TRadioButton(classes::TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 113, 17);
}

const classes::TClassInfo& TRadioButton::StaticClass()
{
    static const classes::TClassInfo info("TRadioButton", &TButtonControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TRadioButton>(c)
            .Property("Alignment", LeftRightType(), &TRadioButton::Alignment, &TRadioButton::SetAlignment)
            .Default(taRightJustify)
            .Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(0);
    });
    return info;
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.style |= win::BS_RADIOBUTTON | (alignment_ == taLeftJustify ? win::BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    win::SendMessage(Handle(), win::BM_SETCHECK, checked_ ? win::BST_CHECKED : win::BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TLeftRight value)
{
    if (value != alignment_) {
        alignment_ = value;
        RecreateWnd();
    }
}

void TRadioButton::SetChecked(bool value)
{
    if (value == checked_) {
        return;
    }
    checked_ = value;
    SetTabStop(value);
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::BM_SETCHECK, value ? win::BST_CHECKED : win::BST_UNCHECKED, 0);
    }
    if (value) {
        TurnSiblingsOff();
        if (!ClicksDisabled()) {
            Click();
        }
    }
}

void TRadioButton::TurnSiblingsOff()
{
    if (!Parent()) {
        return;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        if (auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); sibling && sibling != this) {
            sibling->SetChecked(false);
        }
    }
}

void TRadioButton::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (win::HIWORD(win::DWORD(message.WParam))) {
        case win::BN_CLICKED:
            SetChecked(true);
            break;
        case win::BN_DOUBLECLICKED:
            DblClick();
            break;
        default:
            break;
        }
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(char(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonControl::Dispatch(message);
}

}  // namespace gui
