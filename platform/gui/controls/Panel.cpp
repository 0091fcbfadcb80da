#include "platform/gui/controls/Panel.h"

#include "platform/gui/controls/detail/Frame3D.h"
#include "platform/gui/core/Messages.h"
#include "platform/text/DrawText.h"

namespace gui {

namespace {

void DrawBevel(TCanvas& canvas, win::RECT& rect, TPanelBevel bevel, int width, TColor face)
{
    switch (bevel) {
    case bvNone:
        break;
    case bvLowered:
        detail::Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
        break;
    case bvRaised:
        detail::Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
        break;
    case bvSpace:
        detail::Frame3D(canvas, rect, face, face, width);
        break;
    }
}

}  // namespace

TCustomPanel::TCustomPanel(classes::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

const classes::TClassInfo& TCustomPanel::StaticClass()
{
    static const classes::TClassInfo info("TCustomPanel", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomPanel>(c)
            .Property("Alignment", AlignmentType(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
            .Default(taCenter)
            .Property("BevelInner", PanelBevelType(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
            .Default(bvNone)
            .Property("BevelOuter", PanelBevelType(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
            .Default(bvRaised)
            .Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1)
            .Property("BorderStyle", BorderStyleType(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
            .Default(bsNone)
            .Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0)
            .Property("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption).Stored(&TCustomPanel::IsCaptionStored)
            .Property("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).Default(1)
            .Property("Locked", &TCustomPanel::Locked, &TCustomPanel::SetLocked).Default(0)
            .Property("ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground)
            .Default(0);
    });
    return info;
}

const classes::TClassInfo& TPanel::StaticClass()
{
    static const classes::TClassInfo info("TPanel", &TCustomPanel::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TPanel>{c}; });
    return info;
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) {
        if (Ctl3D()) {
            params.exStyle |= win::WS_EX_CLIENTEDGE;
        } else {
            params.style |= win::WS_BORDER;
        }
    }
    params.windowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(win::RECT& rect)
{
    TCustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) {
        inset += bevelWidth_;
    }
    if (bevelInner_ != bvNone) {
        inset += bevelWidth_;
    }
    rect = {rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    win::RECT rect = ClientRect();
    DrawBevel(canvas, rect, bevelOuter_, bevelWidth_, Color());
    detail::Frame3D(canvas, rect, Color(), Color(), borderWidth_);
    DrawBevel(canvas, rect, bevelInner_, bevelWidth_, Color());
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    const std::string text = Caption();
    if (text.empty()) {
        return;
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    unsigned flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_EXPANDTABS;
    flags |= alignment_ == taRightJustify ? win::DT_RIGHT : alignment_ == taCenter ? win::DT_CENTER : win::DT_LEFT;
    win::DrawTextA(canvas.Handle(), text.data(), int(text.size()), &rect, flags);
}

void TCustomPanel::FrameChanged()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    bevelInner_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    bevelOuter_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(value, 1);
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value)
{
    borderWidth_ = std::max(value, 0);
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        RecreateWnd();
    }
}

void TCustomPanel::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case win::WM_SIZE:
        TCustomControl::Dispatch(message);
        if (fullRepaint_) {
            Invalidate();
        }
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

}  // namespace gui
