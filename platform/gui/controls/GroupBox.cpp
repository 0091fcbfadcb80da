#include "platform/gui/controls/GroupBox.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gui/core/Messages.h"
#include "platform/text/DrawText.h"
#include "platform/win/Paint.h"

namespace gui {

namespace {

// The caption starts this far from the frame's left edge, with a blank pixel on either side of it.
constexpr int kCaptionIndent = 8;

}  // namespace

TCustomGroupBox::TCustomGroupBox(classes::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks |
                    csReplicatable);
    SetBounds(0, 0, 185, 105);
}

const classes::TClassInfo& TCustomGroupBox::StaticClass()
{
    static const classes::TClassInfo info("TCustomGroupBox", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomGroupBox>(c).Property("Caption", &TCustomGroupBox::Caption,
                                                           &TCustomGroupBox::SetCaption)
            .Stored(&TCustomGroupBox::IsCaptionStored);
    });
    return info;
}

const classes::TClassInfo& TGroupBox::StaticClass()
{
    static const classes::TClassInfo info("TGroupBox", &TCustomGroupBox::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TGroupBox>{c}; });
    return info;
}

int TCustomGroupBox::CaptionHeight()
{
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::RECT rect{0, 0, 0, 0};
    win::DrawTextA(dc, "0", 1, &rect, win::DT_CALCRECT | win::DT_SINGLELINE);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    return rect.bottom - rect.top;
}

void TCustomGroupBox::AdjustClientRect(win::RECT& rect)
{
    TCustomControl::AdjustClientRect(rect);
    rect.top += CaptionHeight();
    const int inset = Ctl3D() ? 2 : 1;
    rect = {rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
}

void TCustomGroupBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const int textHeight = CaptionHeight();
    win::RECT frame = ClientRect();
    frame.top += textHeight / 2;
    if (Ctl3D()) {
        win::DrawEdge(canvas.Handle(), &frame, win::EDGE_ETCHED, win::BF_RECT);
    } else {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(frame);
    }
    const std::string text = Caption();
    if (text.empty()) {
        return;
    }
    win::RECT caption{0, 0, 0, textHeight};
    win::DrawTextA(canvas.Handle(), text.data(), int(text.size()), &caption, win::DT_CALCRECT | win::DT_SINGLELINE);
    caption = {kCaptionIndent, 0, kCaptionIndent + caption.right + 2, textHeight};
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(caption);
    canvas.Brush()->SetStyle(bsClear);
    win::RECT textRect{caption.left + 1, 0, caption.right - 1, textHeight};
    if (!Enabled()) {
        win::RECT shifted{textRect.left + 1, 1, textRect.right + 1, textHeight + 1};
        canvas.Font()->SetColor(clBtnHighlight);
        win::DrawTextA(canvas.Handle(), text.data(), int(text.size()), &shifted, win::DT_SINGLELINE);
        canvas.Font()->SetColor(clBtnShadow);
    }
    win::DrawTextA(canvas.Handle(), text.data(), int(text.size()), &textRect, win::DT_SINGLELINE);
}

void TCustomGroupBox::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        Realign();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

}  // namespace gui
