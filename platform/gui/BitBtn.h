#pragma once
// TBitBtn: a push button that draws a glyph beside its caption (owner-drawn BUTTON window). Glyph holds up
// to four images side by side (NumGlyphs: up, disabled, down, exclusive), its bottom-left pixel's colour
// transparent; Layout puts the glyph left, right, above or below the caption, Margin away from the edge
// (-1 centres both) and Spacing away from the caption. Kind makes it a standard button: its caption,
// modal result and Default or Cancel (bkClose closes the form); the windows supply the glyphs.

#include "platform/classes/ResourceStrings.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Button.h"
#include "platform/gui/StdCtrlTypes.h"

#include <memory>

namespace gui {

inline constexpr classes::TResStringRec SCloseButton{"SCloseButton", "&Close"};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(classes::TComponent* owner);
    ~TBitBtn() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
    int NumGlyphs() const { return numGlyphs_; }
    // EInvalidArgument outside 1..4.
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
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
    void GlyphChanged(classes::TObject* sender);

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = bkCustom;
    TButtonStyle style_ = bsAutoDetect;
};

}  // namespace gui
