#include "platform/gui/controls/SpeedButton.h"

#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/WinControl.h"

namespace gui {

TSpeedButton::TSpeedButton(classes::TComponent* owner) : TGraphicControl(owner), glyph_([this] { Invalidate(); })
{
    SetBounds(0, 0, 23, 22);
    SetControlStyle(csCaptureMouse | csDoubleClicks);
}

const classes::TClassInfo& TSpeedButton::StaticClass()
{
    static const classes::TClassInfo info("TSpeedButton", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TSpeedButton>(c)
            .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(0)
            .Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption).Stored(&TSpeedButton::IsCaptionStored)
            .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(0)
            .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(0)
            .Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
            .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0)
            .Property("Layout", ButtonLayoutType(), &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft)
            .Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1)
            .Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1)
            .Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4)
            .Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(1);
    });
    return info;
}

void TSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value)
{
    transparent_ = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    groupIndex_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value)
{
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value)
{
    // Stored data may give Down before GroupIndex: Loaded settles it.
    const bool loading = HasState(classes::csLoading);
    if (groupIndex_ == 0 && !loading) {
        value = false;
    }
    if (value == down_ || (down_ && !allowAllUp_ && !loading)) {
        return;
    }
    down_ = value;
    if (value) {
        UpdateExclusive();
    }
    Invalidate();
}

void TSpeedButton::Loaded()
{
    TGraphicControl::Loaded();
    if (groupIndex_ == 0) {
        down_ = false;
    } else if (down_) {
        UpdateExclusive();
    }
}

void TSpeedButton::UpdateExclusive()
{
    if (groupIndex_ == 0 || !Parent() || HasState(classes::csLoading)) {
        return;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_) {
            continue;
        }
        if (down_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        pressed_ = true;
        pressedInside_ = true;
        Invalidate();
    }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (pressed_) {
        const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            Invalidate();
        }
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !pressed_) {
        return;
    }
    pressed_ = false;
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    Invalidate();
    if (!inside) {
        return;
    }
    if (groupIndex_ != 0) {
        SetDown(!down_);
    }
    Click();
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = *Canvas();
    const win::RECT client = ClientRect();
    const bool shownDown = down_ || (pressed_ && pressedInside_);
    if (!transparent_ || (!flat_ && !shownDown)) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(client);
    }
    win::RECT frame = client;
    if (flat_) {
        if (shownDown) {
            win::DrawEdge(canvas.Handle(), &frame, win::BDR_SUNKENOUTER, win::BF_RECT);
        } else if (mouseInControl_ && Enabled()) {
            win::DrawEdge(canvas.Handle(), &frame, win::BDR_RAISEDINNER, win::BF_RECT);
        }
    } else {
        win::DrawFrameControl(canvas.Handle(), &frame, win::DFC_BUTTON,
                              win::DFCS_BUTTONPUSH | (shownDown ? win::DFCS_PUSHED : 0));
    }
    win::RECT content = client;
    if (shownDown) {
        content = {content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
    }
    canvas.SetFont(Font());
    const TButtonState state =
        !Enabled() ? bsDisabled : (pressed_ && pressedInside_) ? bsDown : down_ ? bsExclusive : bsUp;
    glyph_.Draw(canvas, content, Caption(), state);
}

void TSpeedButton::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(message);
        if (message.LParam == 0 || reinterpret_cast<TControl*>(message.LParam) == this) {
            mouseInControl_ = message.Msg == CM_MOUSEENTER;
            if (flat_) {
                Invalidate();
            }
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(char(message.WParam), Caption()) && Enabled() && IsControlShowing()) {
            Click();
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
