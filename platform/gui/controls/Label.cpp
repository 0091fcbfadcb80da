#include "platform/gui/controls/Label.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/WinControl.h"
#include "platform/text/DrawText.h"
#include "platform/win/Paint.h"

namespace gui {

TCustomLabel::TCustomLabel(classes::TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

const classes::TClassInfo& TCustomLabel::StaticClass()
{
    static const classes::TClassInfo info("TCustomLabel", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomLabel>(c)
            .Property("Alignment", AlignmentType(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
            .Default(taLeftJustify)
            .Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(1)
            .Property("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption).Stored(&TCustomLabel::IsCaptionStored)
            .Property("FocusControl", classes::ClassRefType<TWinControl>(), &TCustomLabel::FocusControl,
                      &TCustomLabel::SetFocusControl)
            .Property("Layout", TextLayoutType(), &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop)
            .Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(1)
            .Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(0)
            .Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(0);
    });
    return info;
}

const classes::TClassInfo& TLabel::StaticClass()
{
    static const classes::TClassInfo info("TLabel", &TCustomLabel::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TLabel>{c}; });
    return info;
}

unsigned TCustomLabel::TextFlags() const
{
    unsigned flags = win::DT_EXPANDTABS;
    flags |= alignment_ == taRightJustify ? win::DT_RIGHT : alignment_ == taCenter ? win::DT_CENTER : win::DT_LEFT;
    if (wordWrap_) {
        flags |= win::DT_WORDBREAK;
    }
    if (!showAccelChar_) {
        flags |= win::DT_NOPREFIX;
    }
    return flags;
}

void TCustomLabel::DoDrawText(win::HDC dc, win::RECT& rect, unsigned flags)
{
    std::string text = LabelText();
    // An empty caption (or a lone accelerator mark) still measures one line.
    if ((flags & win::DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) {
        text += ' ';
    }
    if ((flags & win::DT_CALCRECT) || Enabled()) {
        win::DrawTextA(dc, text.data(), int(text.size()), &rect, flags);
        return;
    }
    win::RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    win::SetTextColor(dc, ColorToRGB(clBtnHighlight));
    win::DrawTextA(dc, text.data(), int(text.size()), &shifted, flags);
    win::SetTextColor(dc, ColorToRGB(clBtnShadow));
    win::DrawTextA(dc, text.data(), int(text.size()), &rect, flags);
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    const win::RECT client = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const win::HDC dc = canvas->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::RECT rect = client;
    if (layout_ != tlTop) {
        win::RECT measured = client;
        DoDrawText(dc, measured, TextFlags() | win::DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        const int offset = layout_ == tlBottom ? client.bottom - height : (client.bottom - height) / 2;
        rect.top = offset;
        rect.bottom = offset + height;
    }
    win::SetTextColor(dc, ColorToRGB(Font()->Color()));
    DoDrawText(dc, rect, TextFlags());
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

bool TCustomLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::RECT rect{0, 0, wordWrap_ ? Width() : 0x7FFF, 0};
    DoDrawText(dc, rect, TextFlags() | win::DT_CALCRECT);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    if (!wordWrap_) {
        newWidth = rect.right - rect.left;
    }
    newHeight = rect.bottom - rect.top;
    return true;
}

void TCustomLabel::Changed()
{
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    wordWrap_ = value;
    Changed();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    showAccelChar_ = value;
    Changed();
}

void TCustomLabel::SetTransparent(bool value)
{
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value)
{
    if (focusControl_) {
        focusControl_->RemoveFreeNotification(this);
    }
    focusControl_ = value;
    if (value) {
        value->FreeNotification(this);
    }
}

void TCustomLabel::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

void TCustomLabel::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        Changed();
        return;
    case CM_DIALOGCHAR:
        if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(char(message.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

}  // namespace gui
