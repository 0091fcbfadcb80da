#include "platform/gui/controls/Edit.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/Messages.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

namespace gui {

TCustomEdit::TCustomEdit(classes::TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

const classes::TClassInfo& TCustomEdit::StaticClass()
{
    static const classes::TClassInfo info("TCustomEdit", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomEdit>(c)
            .Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(1)
            .Property("BorderStyle", BorderStyleType(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
            .Default(bsSingle)
            .Property("CharCase", EditCharCaseType(), &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal)
            .Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default(1)
            .Property("ImeMode", ImeModeType(), &TCustomEdit::ImeMode, &TCustomEdit::SetImeMode).Default(imDontCare)
            .Property("ImeName", &TCustomEdit::ImeName, &TCustomEdit::SetImeName)
            .Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0)
            .Property("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert).Default(0)
            .Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0)
            .Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(0)
            .Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
            .Property("OnChange", classes::NotifyEventType(), &TCustomEdit::OnChange)
            .Method<&TCustomEdit::SelectAll>("SelectAll")
            .Method<&TCustomEdit::ClearSelection>("ClearSelection")
            .Method<&TCustomEdit::Clear>("Clear")
            .Method<&TCustomEdit::CopyToClipboard>("CopyToClipboard")
            .Method<&TCustomEdit::CutToClipboard>("CutToClipboard")
            .Method<&TCustomEdit::PasteFromClipboard>("PasteFromClipboard")
            .Method<&TCustomEdit::Undo>("Undo")
            .Method<&TCustomEdit::ClearUndo>("ClearUndo");
    });
    return info;
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.style |= win::ES_AUTOHSCROLL | win::ES_AUTOVSCROLL;
    if (borderStyle_ == bsSingle) {
        if (Ctl3D()) {
            params.exStyle |= win::WS_EX_CLIENTEDGE;
        } else {
            params.style |= win::WS_BORDER;
        }
    }
    if (passwordChar_ != 0) {
        params.style |= win::ES_PASSWORD;
    }
    if (readOnly_) {
        params.style |= win::ES_READONLY;
    }
    if (charCase_ == ecUpperCase) {
        params.style |= win::ES_UPPERCASE;
    } else if (charCase_ == ecLowerCase) {
        params.style |= win::ES_LOWERCASE;
    }
    if (!hideSelection_) {
        params.style |= win::ES_NOHIDESEL;
    }
    if (oemConvert_) {
        params.style |= win::ES_OEMCONVERT;
    }
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    const win::HWND hwnd = Handle();
    win::SendMessage(hwnd, win::EM_LIMITTEXT, win::WPARAM(maxLength_), 0);
    if (passwordChar_ != 0) {
        win::SendMessage(hwnd, win::EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    }
    win::SendMessage(hwnd, win::EM_SETSEL, win::WPARAM(savedSelStart_), win::LPARAM(savedSelEnd_));
    win::SendMessage(hwnd, win::EM_SETMODIFY, modified_, 0);
}

void TCustomEdit::DestroyWnd()
{
    win::DWORD start = 0;
    win::DWORD end = 0;
    win::SendMessage(Handle(), win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    savedSelStart_ = int(start);
    savedSelEnd_ = int(end);
    modified_ = win::SendMessage(Handle(), win::EM_GETMODIFY, 0, 0) != 0;
    TWinControl::DestroyWnd();
}

bool TCustomEdit::CanAutoSize(int& newWidth, int& newHeight)
{
    (void)newWidth;
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::TEXTMETRIC metrics{};
    win::GetTextMetricsA(dc, &metrics);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    // The frame and the room above and below the text that the edit keeps.
    const int extra = borderStyle_ == bsNone ? 0 : Ctl3D() ? 8 : 6;
    newHeight = metrics.tmHeight + extra;
    return true;
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = std::max(0, value);
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_LIMITTEXT, win::WPARAM(maxLength_), 0);
    }
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_SETREADONLY, value, 0);
    }
}

void TCustomEdit::SetPasswordChar(char value)
{
    if (value != passwordChar_) {
        passwordChar_ = value;
        if (HandleAllocated()) {
            win::SendMessage(Handle(), win::EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
            Invalidate();
        }
    }
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (value != charCase_) {
        charCase_ = value;
        RecreateWnd();
    }
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value != hideSelection_) {
        hideSelection_ = value;
        RecreateWnd();
    }
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        AdjustSize();
        RecreateWnd();
    }
}

void TCustomEdit::SetOEMConvert(bool value)
{
    if (value != oemConvert_) {
        oemConvert_ = value;
        RecreateWnd();
    }
}

int TCustomEdit::SelStart()
{
    win::DWORD start = 0;
    win::SendMessage(Handle(), win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), 0);
    return int(start);
}

void TCustomEdit::SetSelStart(int value)
{
    win::SendMessage(Handle(), win::EM_SETSEL, win::WPARAM(value), win::LPARAM(value));
}

int TCustomEdit::SelLength()
{
    win::DWORD start = 0;
    win::DWORD end = 0;
    win::SendMessage(Handle(), win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    return int(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    win::SendMessage(Handle(), win::EM_SETSEL, win::WPARAM(start), win::LPARAM(start + std::max(0, value)));
}

std::string TCustomEdit::SelText()
{
    const int start = SelStart();
    return Text().substr(std::size_t(start), std::size_t(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& value)
{
    win::SendMessage(Handle(), win::EM_REPLACESEL, 0, reinterpret_cast<win::LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_SETSEL, 0, -1);
    }
}

void TCustomEdit::ClearSelection()
{
    win::SendMessage(Handle(), win::WM_CLEAR, 0, 0);
}

void TCustomEdit::Clear()
{
    SetText("");
}

void TCustomEdit::CopyToClipboard()
{
    win::SendMessage(Handle(), win::WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    win::SendMessage(Handle(), win::WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    win::SendMessage(Handle(), win::WM_PASTE, 0, 0);
}

void TCustomEdit::Undo()
{
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_UNDO, 0, 0);
    }
}

bool TCustomEdit::CanUndo()
{
    return HandleAllocated() && win::SendMessage(Handle(), win::EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::ClearUndo()
{
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_EMPTYUNDOBUFFER, 0, 0);
    }
}

bool TCustomEdit::Modified()
{
    return HandleAllocated() ? win::SendMessage(Handle(), win::EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomEdit::SetModified(bool value)
{
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::EM_SETMODIFY, value, 0);
    } else {
        modified_ = value;
    }
}

void TCustomEdit::Change()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomEdit::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (win::HIWORD(win::DWORD(message.WParam)) == win::EN_CHANGE) {
            Change();
        }
        return;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(message);
        if (!HandleAllocated() || MultiLine()) {
            Change();
        }
        return;
    case CM_ENTER:
        // Entered by the keyboard (not a click), a single-line edit offers its whole text for replacing.
        if (autoSelect_ && !(ControlState() & csLButtonDown) && !MultiLine()) {
            SelectAll();
        }
        TWinControl::Dispatch(message);
        return;
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        AdjustSize();
        return;
    default:
        TWinControl::Dispatch(message);
        return;
    }
}

TEdit::TEdit(classes::TComponent* owner) : TCustomEdit(owner)
{
    SetAutoSize(true);
}

const classes::TClassInfo& TEdit::StaticClass()
{
    static const classes::TClassInfo info("TEdit", &TCustomEdit::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TEdit>(c).Property("AutoSize", &TEdit::AutoSize, &TEdit::SetAutoSize).Default(1);
    });
    return info;
}

}  // namespace gui
