#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/services/Sound.h"
#include "platform/text/DrawText.h"
#include "platform/win/Icon.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace gui::detail {

namespace {

constexpr win::UINT kTextFormat = win::DT_WORDBREAK | win::DT_NOPREFIX | win::DT_EXPANDTABS;

struct MessageButton {
    std::string caption;
    TModalResult result;  // mrNone: the help button
};

struct MessageLayout {
    std::string text;
    std::string caption;
    unsigned icon = 0;  // MB_ICON...
    std::vector<MessageButton> buttons;
    int defaultButton = 0;
    std::optional<TModalResult> closeAnswer;
    int helpContext = 0;
};

const char* IconName(unsigned icon)
{
    switch (icon & win::MB_ICONMASK) {
    case win::MB_ICONHAND:
        return win::IDI_HAND;
    case win::MB_ICONQUESTION:
        return win::IDI_QUESTION;
    case win::MB_ICONEXCLAMATION:
        return win::IDI_EXCLAMATION;
    case win::MB_ICONASTERISK:
        return win::IDI_ASTERISK;
    default:
        return nullptr;
    }
}

// Icon and text above a centred row of buttons, with the margins and gaps of the classic message box.
class TMessageForm : public TDialogForm {
public:
    explicit TMessageForm(const MessageLayout& layout) : TDialogForm(layout.caption), text_(layout.text), helpContext_(layout.helpContext)
    {
        const DialogUnits& u = Units();
        const int margin = u.X(8);
        const int top = u.Y(8);
        const char* iconName = IconName(layout.icon);
        icon_ = iconName ? win::LoadIcon(nullptr, iconName) : nullptr;
        const int iconSize = icon_ ? win::GetSystemMetrics(win::SM_CXICON) : 0;
        const win::RECT work = Screen()->WorkAreaRect();
        const win::SIZE text = MeasureText(text_, (work.right - work.left) / 2, kTextFormat);
        const int textLeft = margin + (icon_ ? iconSize + u.X(10) : 0);
        const int bodyHeight = std::max<int>(text.cy, iconSize);
        textRect_ = {textLeft, top + (bodyHeight - text.cy) / 2, textLeft + text.cx, top + (bodyHeight - text.cy) / 2 + text.cy};
        iconPoint_ = {margin, top + (bodyHeight - iconSize) / 2};

        const int buttonWidth = u.X(50);
        const int buttonHeight = u.Y(14);
        const int gap = u.X(4);
        const int count = int(layout.buttons.size());
        const int rowWidth = count * buttonWidth + std::max(count - 1, 0) * gap;
        const int clientWidth = std::max<int>(textRect_.right + margin, rowWidth + 2 * margin);
        const int buttonsTop = top + bodyHeight + u.Y(8);
        SetClientWidth(clientWidth);
        SetClientHeight(buttonsTop + buttonHeight + u.Y(8));
        int left = (clientWidth - rowWidth) / 2;
        for (int i = 0; i < count; ++i) {
            const MessageButton& kind = layout.buttons[std::size_t(i)];
            TButton* button = AddButton(kind.caption, kind.result, left, buttonsTop, buttonWidth, buttonHeight);
            if (kind.result == mrNone)
                button->OnClick = TNotifyEvent::Of<&TMessageForm::HelpClick>(this);
            if (i == layout.defaultButton) {
                button->SetDefault(true);
                SetActiveControl(button);
            }
            left += buttonWidth + gap;
        }
        SetCloseAnswer(layout.closeAnswer);
    }

    void HelpClick(TObject*)
    {
        if (Application())
            Application()->HelpContext(helpContext_);
    }

protected:
    void Paint() override
    {
        if (icon_)
            win::DrawIcon(Canvas()->Handle(), iconPoint_.x, iconPoint_.y, icon_);
        Canvas()->SetFont(Font());
        Canvas()->Brush()->SetStyle(bsClear);
        win::RECT rect = textRect_;
        win::DrawTextA(Canvas()->Handle(), text_.c_str(), int(text_.size()), &rect, kTextFormat);
    }

private:
    std::string text_;
    int helpContext_;
    win::HICON icon_ = nullptr;
    win::POINT iconPoint_{};
    win::RECT textRect_{};
};

int Run(const MessageLayout& layout, bool onScreen)
{
    TMessageForm form(layout);
    return form.Execute(onScreen);
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    static constexpr TDialogText kTexts[] = {dtOk, dtCancel, dtAbort, dtRetry, dtIgnore, dtYes, dtNo};
    MessageLayout layout;
    layout.text = text;
    layout.caption = caption.empty() ? "Error" : caption;
    layout.icon = type & win::MB_ICONMASK;
    const std::vector<int> answers = win::MessageBoxButtons(type);
    for (int answer : answers)
        layout.buttons.push_back({DialogText(kTexts[answer - 1]), answer});
    const int defaultAnswer = win::DefaultMessageBoxAnswer(type);
    layout.defaultButton = int(std::find(answers.begin(), answers.end(), defaultAnswer) - answers.begin());
    if (std::find(answers.begin(), answers.end(), win::IDCANCEL) != answers.end())
        layout.closeAnswer = win::IDCANCEL;
    else if (answers.size() == 1 && answers[0] == win::IDOK)
        layout.closeAnswer = win::IDOK;
    win::MessageBeep(layout.icon);
    return Run(layout, false);
}

int ShowMessageDialog(win::MessageDialogRequest& request)
{
    MessageLayout layout;
    layout.text = request.text;
    layout.caption = request.caption;
    layout.icon = request.icon;
    for (const win::MessageDialogButton& button : request.buttons)
        layout.buttons.push_back({button.caption, button.result});
    layout.defaultButton = request.defaultButton;
    if (request.cancelButton >= 0 && std::size_t(request.cancelButton) < request.buttons.size())
        layout.closeAnswer = request.buttons[std::size_t(request.cancelButton)].result;
    layout.helpContext = request.helpContext;
    if (layout.icon)
        win::MessageBeep(layout.icon);
    return Run(layout, true);
}

}  // namespace gui::detail
