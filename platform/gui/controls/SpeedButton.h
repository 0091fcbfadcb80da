#pragma once
// TSpeedButton: a button without a window of its own (a tool bar's), with a glyph and caption laid out as
// on a TBitBtn. Flat shows its raised edge only while the mouse is over it. Buttons of one GroupIndex
// (other than 0) on one parent are exclusive: the one pressed stays Down and the others come up; with
// AllowAllUp a down button comes up when pressed again. OnClick fires when the button is released over it.

#include "platform/gui/controls/detail/ButtonGlyph.h"
#include "platform/gui/core/GraphicControl.h"

namespace gui {

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(classes::TComponent* owner);

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
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    // Down only in a group; up only with AllowAllUp (or outside a group).
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Loaded() override;

private:
    // The other buttons of the group come up (and take AllowAllUp) as this one goes down.
    void UpdateExclusive();

    detail::ButtonGlyph glyph_;
    bool flat_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool transparent_ = true;
    // Pressed: the left button went down on it; pressedInside: and the mouse is over it now.
    bool pressed_ = false;
    bool pressedInside_ = false;
    bool mouseInControl_ = false;
};

}  // namespace gui
