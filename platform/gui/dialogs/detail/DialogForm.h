#pragma once
// The window every standard dialog is built on: a dialog-framed form in the message font, laid out in
// dialog units of that font, centred in a work area and run modally. Esc and the close box give the
// answer the dialog chooses, or nothing at all (the close box is then greyed).

#include "platform/gui/controls/Button.h"
#include "platform/gui/core/Form.h"

#include <optional>
#include <string>

namespace gui {
class TEdit;
class TLabel;
}

namespace gui::detail {

// Pixels of the message font's dialog units: x a quarter of its average letter width, y an eighth of
// its height.
struct DialogUnits {
    int baseX = 0;
    int baseY = 0;
    int X(int units) const;
    int Y(int units) const;
};

class TDialogForm : public TForm {
public:
    explicit TDialogForm(const std::string& caption);

    const DialogUnits& Units() const { return units_; }
    // The message font on a screen DC, for measuring texts before the window exists.
    win::SIZE MeasureText(const std::string& text, int maxWidth, win::UINT format) const;

    // Controls in pixels of the client area. A button with a result ends the dialog with it.
    TButton* AddButton(const std::string& caption, TModalResult result, int left, int top, int width, int height);
    TLabel* AddLabel(const std::string& caption, int left, int top, TWinControl* focusControl = nullptr);
    TEdit* AddEdit(const std::string& text, int left, int top, int width, int height);
    // Any control, on parent (a group box, or the form), with a caption when one is given.
    template <class C>
    C* Add(TWinControl* parent, const std::string& caption, int left, int top, int width, int height)
    {
        auto* control = new C(this);
        control->SetParent(parent);
        if (!caption.empty())
            control->SetCaption(caption);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // What Esc and the close box answer; none: neither does anything and the close box is greyed.
    void SetCloseAnswer(std::optional<TModalResult> answer) { closeAnswer_ = answer; }
    std::optional<TModalResult> CloseAnswer() const { return closeAnswer_; }

    // Runs the dialog centred in the work area of the active window's monitor (onScreen: of the primary
    // screen), owned by the active window.
    TModalResult Execute(bool onScreen = false);

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    DialogUnits units_;
    std::optional<TModalResult> closeAnswer_ = mrCancel;
};

}  // namespace gui::detail
