#pragma once
// TCustomLabel: a caption drawn on its parent (no window of its own) by DrawText: aligned, laid out top,
// centre or bottom, wrapped at words with WordWrap, with "&x" drawn as an underlined accelerator unless
// ShowAccelChar is off; embossed when disabled. AutoSize fits the control to the text (keeping the width
// with WordWrap). The accelerator focuses FocusControl. TLabel publishes it.

#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/GraphicControl.h"

namespace gui {

class TWinControl;

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);

    void Dispatch(win::TMessage& message) override;

protected:
    // The stored caption and font are in place only now: an auto-sized label takes their size.
    void Loaded() override;
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    // The text DrawText draws (descendants may show something else than the caption).
    virtual std::string LabelText() const { return Caption(); }
    // Draws the text into rect of dc with flags; DT_CALCRECT measures instead.
    virtual void DoDrawText(win::HDC dc, win::RECT& rect, unsigned flags);

private:
    unsigned TextFlags() const;
    void Changed();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
