#include "platform/gui/controls/BitBtn.h"

#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/controls/MessageTexts.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/wintypes/ControlMessages.h"

#include <array>

namespace gui {

namespace {

struct KindInfo {
    const classes::TResStringRec* caption;
    TModalResult result;
    bool isDefault;
    bool isCancel;
};

// In the order of TBitBtnKind, from bkOK on.
const std::array<KindInfo, 10> kKinds{{{&SMsgDlgOK, mrOk, true, false},
                                       {&SMsgDlgCancel, mrCancel, false, true},
                                       {&SMsgDlgHelp, mrNone, false, false},
                                       {&SMsgDlgYes, mrYes, true, false},
                                       {&SMsgDlgNo, mrNo, false, true},
                                       {&SCloseButton, mrNone, false, false},
                                       {&SMsgDlgAbort, mrAbort, false, false},
                                       {&SMsgDlgRetry, mrRetry, false, false},
                                       {&SMsgDlgIgnore, mrIgnore, false, false},
                                       {&SMsgDlgAll, mrAll, false, false}}};

}  // namespace

TBitBtn::TBitBtn(classes::TComponent* owner) : TButton(owner), glyph_([this] { Invalidate(); }) {}

const classes::TClassInfo& TBitBtn::StaticClass()
{
    static const classes::TClassInfo info("TBitBtn", &TButton::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TBitBtn>(c)
            .Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
            .Property("Kind", BitBtnKindType(), &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom)
            .Property("Layout", ButtonLayoutType(), &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft)
            .Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1)
            .Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1)
            .Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4)
            .Property("Style", ButtonStyleType(), &TBitBtn::Style, &TBitBtn::SetStyle).Default(bsAutoDetect);
    });
    return info;
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.style = (params.style & ~win::BS_TYPEMASK) | win::BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool)
{
    // The owner-drawn window keeps its type; the frame is drawn from Active().
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value)
{
    kind_ = value;
    // Stored data carries the caption, result and roles a kind gave, perhaps changed since.
    if (value == bkCustom || HasState(classes::csLoading) || HasState(classes::csReading)) {
        return;
    }
    const KindInfo& info = kKinds[std::size_t(value) - 1];
    SetCaption(classes::LoadResString(*info.caption));
    SetModalResult(info.result);
    SetDefault(info.isDefault);
    SetCancel(info.isCancel);
}

void TBitBtn::Click()
{
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::DrawItem(const win::DRAWITEMSTRUCT& item)
{
    const bool pressed = item.itemState & win::ODS_SELECTED;
    const bool focused = item.itemState & win::ODS_FOCUS;
    const bool enabled = !(item.itemState & win::ODS_DISABLED);
    TCanvas canvas;
    canvas.SetHandle(item.hDC);
    win::RECT face = item.rcItem;
    if (Active() || focused) {
        win::FrameRect(item.hDC, &face, reinterpret_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
        face = {face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
    }
    win::RECT frame = face;
    win::DrawFrameControl(item.hDC, &frame, win::DFC_BUTTON, win::DFCS_BUTTONPUSH | (pressed ? win::DFCS_PUSHED : 0));
    win::RECT content = item.rcItem;
    if (pressed) {
        content = {content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
    }
    canvas.SetFont(Font());
    glyph_.Draw(canvas, content, Caption(), !enabled ? bsDisabled : pressed ? bsDown : bsUp);
    if (focused) {
        const win::RECT focus{face.left + 3, face.top + 3, face.right - 3, face.bottom - 3};
        win::DrawFocusRect(item.hDC, &focus);
    }
    canvas.SetHandle(nullptr);
}

void TBitBtn::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam));
        message.Result = 1;
        return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        TButton::Dispatch(message);
        Invalidate();
        return;
    default:
        break;
    }
    TButton::Dispatch(message);
}

}  // namespace gui
