#pragma once
// TBitBtn: a push button that draws a glyph beside its caption (owner-drawn BUTTON window). Glyph holds up
// to four images side by side (NumGlyphs: up, disabled, down, exclusive), its bottom-left pixel's colour
// transparent; Layout puts the glyph left, right, above or below the caption, Margin away from the edge
// (-1 centres both) and Spacing away from the caption. Kind makes it a standard button: its caption,
// modal result and Default or Cancel (bkClose closes the form); the windows supply the glyphs.

#include "platform/classes/ResourceStrings.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/detail/ButtonGlyph.h"

namespace gui {

inline constexpr classes::TResStringRec SCloseButton{"SCloseButton", "&Close"};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TBitmap* Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(TBitmap* value) { glyph_.Glyph()->Assign(value); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    // EInvalidArgument outside 1..4.
    void SetNumGlyphs(int value) { glyph_.SetNumGlyphs(value); }
    TButtonLayout Layout() const { return glyph_.Layout(); }
    void SetLayout(TButtonLayout value) { glyph_.SetLayout(value); }
    int Margin() const { return glyph_.Margin(); }
    void SetMargin(int value) { glyph_.SetMargin(value); }
    int Spacing() const { return glyph_.Spacing(); }
    void SetSpacing(int value) { glyph_.SetSpacing(value); }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);
    // Kept for stored data: every style draws the same frame.
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value) { style_ = value; }

    void Click() override;
    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void SetButtonStyle(bool isDefault) override;

private:
    void DrawItem(const win::DRAWITEMSTRUCT& item);

    detail::ButtonGlyph glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonStyle style_ = bsAutoDetect;
};

}  // namespace gui
