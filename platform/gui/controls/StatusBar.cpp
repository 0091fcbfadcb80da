#include "platform/gui/controls/StatusBar.h"

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/detail/Frame3D.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/text/DrawText.h"

#include <algorithm>

namespace gui {

namespace {

// Panels start this far below the bar's top and lie this far apart.
constexpr int kPanelTop = 2;
constexpr int kPanelGap = 2;
// Text keeps this distance from a panel's bevel.
constexpr int kTextMargin = 2;

class TStatusPanels : public classes::TCollection {
public:
    explicit TStatusPanels(TStatusBar* bar) : TCollection(TStatusPanel::StaticClass(), bar, "Panels"), bar_(bar) {}

protected:
    void Update(classes::TCollectionItem*) override { bar_->Invalidate(); }

private:
    TStatusBar* bar_;
};

}  // namespace

const classes::TTypeInfo& StatusPanelBevelType()
{
    static const classes::TTypeInfo type = classes::EnumType("TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"});
    return type;
}

const classes::TTypeInfo& StatusPanelStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TStatusPanelStyle", {"psText", "psOwnerDraw"});
    return type;
}

const classes::TTypeInfo& DrawPanelEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(TStatusBar*, TStatusPanel*, const win::RECT&)>("TDrawPanelEvent");
    return type;
}

// --- TStatusPanel ---

const classes::TClassInfo& TStatusPanel::StaticClass()
{
    static const classes::TClassInfo info("TStatusPanel", &TCollectionItem::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TStatusPanel>(c)
            .Property("Alignment", AlignmentType(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Default(taLeftJustify)
            .Property("Bevel", StatusPanelBevelType(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered)
            .Property("Style", StatusPanelStyleType(), &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText)
            .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    });
    return info;
}

void TStatusPanel::Assign(const classes::TPersistent* source)
{
    const auto* other = dynamic_cast<const TStatusPanel*>(source);
    if (!other) {
        return TCollectionItem::Assign(source);
    }
    text_ = other->text_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    bevel_ = other->bevel_;
    style_ = other->style_;
    Changed(false);
}

void TStatusPanel::SetText(const std::string& value)
{
    if (value != text_) {
        text_ = value;
        Changed(false);
    }
}

void TStatusPanel::SetWidth(int value)
{
    width_ = std::max(value, 0);
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    style_ = value;
    Changed(false);
}

// --- TStatusBar ---

TStatusBar::TStatusBar(classes::TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TStatusPanels>(this))
{
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar()
{
    // The panels' last change notices must not reach a bar that is half gone.
    panels_.reset();
}

const classes::TClassInfo& TStatusBar::StaticClass()
{
    static const classes::TClassInfo info("TStatusBar", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TStatusBar>(c)
            .Property("Align", AlignType(), &TStatusBar::Align, &TStatusBar::SetAlign).Default(alBottom)
            .Property("AutoHint", &TStatusBar::AutoHint, &TStatusBar::SetAutoHint).Default(0)
            .Property("Panels", &TStatusBar::Panels)
            .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(0)
            .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
            .Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(1)
            .Property("OnDrawPanel", DrawPanelEventType(), &TStatusBar::OnDrawPanel);
    });
    return info;
}

void TStatusBar::SetSimplePanel(bool value)
{
    simplePanel_ = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& value)
{
    simpleText_ = value;
    if (simplePanel_) {
        Invalidate();
    }
}

void TStatusBar::SetSizeGrip(bool value)
{
    sizeGrip_ = value;
    Invalidate();
}

void TStatusBar::SetAutoHint(bool value)
{
    autoHint_ = value;
}

win::RECT TStatusBar::GripRect()
{
    const TCustomForm* form = dynamic_cast<TCustomForm*>(Parent());
    if (!sizeGrip_ || !form || (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin)) {
        return {0, 0, 0, 0};
    }
    const win::RECT client = ClientRect();
    const int side = std::min<int>(win::GetSystemMetrics(win::SM_CXVSCROLL), client.bottom);
    return {client.right - side, client.bottom - side, client.right, client.bottom};
}

win::RECT TStatusBar::PanelRect(int index)
{
    const win::RECT client = ClientRect();
    const win::RECT grip = GripRect();
    const int right = grip.right > grip.left ? grip.left : client.right;
    if (simplePanel_ || index < 0) {
        return {0, kPanelTop, right, client.bottom};
    }
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += Panel(i)->Width() + kPanelGap;
    }
    const bool last = index == panels_->Count() - 1;
    return {left, kPanelTop, last ? std::max(right, left) : left + Panel(index)->Width(), client.bottom};
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const std::string& text, TAlignment alignment, TStatusPanelBevel bevel,
                           win::RECT rect)
{
    TCanvas& canvas = *Canvas();
    if (bevel == pbLowered) {
        detail::Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    } else if (bevel == pbRaised) {
        detail::Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
    }
    if (panel && panel->Style() == psOwnerDraw) {
        if (OnDrawPanel) {
            OnDrawPanel(this, panel, rect);
        }
        return;
    }
    win::RECT textRect{rect.left + kTextMargin, rect.top, rect.right - kTextMargin, rect.bottom};
    unsigned flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX | win::DT_EXPANDTABS;
    flags |= alignment == taRightJustify ? win::DT_RIGHT : alignment == taCenter ? win::DT_CENTER : win::DT_LEFT;
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    win::DrawTextA(canvas.Handle(), text.data(), int(text.size()), &textRect, flags);
}

void TStatusBar::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    if (simplePanel_) {
        DrawPanel(nullptr, simpleText_, taLeftJustify, pbLowered, PanelRect(-1));
    } else {
        for (int i = 0; i < panels_->Count(); ++i) {
            TStatusPanel* panel = Panel(i);
            DrawPanel(panel, panel->Text(), panel->Alignment(), panel->Bevel(), PanelRect(i));
        }
    }
    win::RECT grip = GripRect();
    if (grip.right > grip.left) {
        win::DrawFrameControl(canvas.Handle(), &grip, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);
    }
}

void TStatusBar::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_NCHITTEST: {
        TCustomControl::Dispatch(message);
        const win::POINT screen{static_cast<std::int16_t>(win::LOWORD(win::DWORD(message.LParam))),
                                static_cast<std::int16_t>(win::HIWORD(win::DWORD(message.LParam)))};
        const win::POINT point = ScreenToClient(screen);
        const win::RECT grip = GripRect();
        if (message.Result == win::HTCLIENT && point.x >= grip.left && point.x < grip.right && point.y >= grip.top &&
            point.y < grip.bottom) {
            message.Result = win::HTBOTTOMRIGHT;
        }
        return;
    }
    case win::WM_SIZE:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_APPLICATIONHINT:
        if (autoHint_) {
            const std::string& hint = *reinterpret_cast<const std::string*>(message.LParam);
            if (simplePanel_ || panels_->Count() == 0) {
                SetSimpleText(hint);
            } else {
                Panel(0)->SetText(hint);
            }
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

}  // namespace gui
