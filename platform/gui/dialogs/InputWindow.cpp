#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"

#include <algorithm>

namespace gui::detail {

namespace {

constexpr int kMaxInput = 255;

// The prompt above a 180-unit edit holding the value, OK and Cancel centred below.
class TInputForm : public TDialogForm {
public:
    explicit TInputForm(const win::InputRequest& request) : TDialogForm(request.caption)
    {
        const DialogUnits& u = Units();
        const int margin = u.X(8);
        const int editWidth = u.X(180);
        edit_ = AddEdit(request.value.substr(0, kMaxInput), margin, 0, editWidth, u.Y(12));
        edit_->SetMaxLength(kMaxInput);
        TLabel* prompt = AddLabel(request.prompt, margin, u.Y(8), edit_);
        edit_->SetTop(prompt->Top() + prompt->Height() + u.Y(4));
        const int buttonWidth = u.X(50);
        const int gap = u.X(4);
        const int clientWidth = std::max(editWidth, prompt->Width()) + 2 * margin;
        const int buttonsTop = edit_->Top() + edit_->Height() + u.Y(15) - u.Y(8);
        const int left = (clientWidth - 2 * buttonWidth - gap) / 2;
        TButton* ok = AddButton(DialogText(dtOk), mrOk, left, buttonsTop, buttonWidth, u.Y(14));
        ok->SetDefault(true);
        AddButton(DialogText(dtCancel), mrCancel, left + buttonWidth + gap, buttonsTop, buttonWidth, u.Y(14));
        SetClientWidth(clientWidth);
        SetClientHeight(buttonsTop + u.Y(14) + u.Y(8));
        SetActiveControl(edit_);
        edit_->SelectAll();
    }

    std::string Value() const { return edit_->Text(); }

private:
    TEdit* edit_;
};

}  // namespace

int ShowInputDialog(win::InputRequest& request)
{
    TInputForm form(request);
    if (form.Execute(true) != mrOk)
        return win::IDCANCEL;
    request.value = form.Value();
    return win::IDOK;
}

}  // namespace gui::detail
