#pragma once
// TCustomPanel: a windowed container with an outer and an inner bevel (lowered, raised or a blank band
// of the panel's colour), each BevelWidth wide, a border of BorderWidth between them, and its caption
// centred vertically and placed by Alignment. The controls in it lie inside the bevels and border.
// TPanel publishes it.

#include "platform/gui/controls/ExtCtrlTypes.h"
#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/Form.h"

namespace gui {

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    // Whether a change of size repaints the whole panel (else only what the new size uncovers).
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    // A locked panel stays where it is when the form it lies in takes in-place controls.
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(win::RECT& rect) override;
    void Paint() override;

private:
    // Bevels and border changed: the client area of the controls in it and the picture follow.
    void FrameChanged();

    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TFormBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
    bool locked_ = false;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
