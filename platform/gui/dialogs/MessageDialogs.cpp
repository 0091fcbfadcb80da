#include "platform/gui/dialogs/MessageDialogs.h"

#include "platform/gui/core/Application.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/services/DialogService.h"

#include <array>

namespace gui {

namespace {

const std::array<const classes::TResStringRec*, 15> kCaptionTexts{
    &SMsgDlgWarning, &SMsgDlgError, &SMsgDlgInformation, &SMsgDlgConfirm, &SMsgDlgYes,
    &SMsgDlgNo,      &SMsgDlgOK,    &SMsgDlgCancel,      &SMsgDlgAbort,   &SMsgDlgRetry,
    &SMsgDlgIgnore,  &SMsgDlgAll,   &SMsgDlgNoToAll,     &SMsgDlgYesToAll, &SMsgDlgHelp};

struct ButtonKind {
    const classes::TResStringRec* text;
    TModalResult result;
};

// In the order of TMsgDlgBtn.
const std::array<ButtonKind, 11> kButtons{{{&SMsgDlgYes, mrYes},
                                           {&SMsgDlgNo, mrNo},
                                           {&SMsgDlgOK, mrOk},
                                           {&SMsgDlgCancel, mrCancel},
                                           {&SMsgDlgAbort, mrAbort},
                                           {&SMsgDlgRetry, mrRetry},
                                           {&SMsgDlgIgnore, mrIgnore},
                                           {&SMsgDlgAll, mrAll},
                                           {&SMsgDlgNoToAll, mrNoToAll},
                                           {&SMsgDlgYesToAll, mrYesToAll},
                                           {&SMsgDlgHelp, mrNone}}};

int IndexOfResult(const win::MessageDialogRequest& request, std::initializer_list<int> results)
{
    for (int result : results) {
        for (std::size_t i = 0; i < request.buttons.size(); ++i) {
            if (request.buttons[i].result == result) {
                return int(i);
            }
        }
    }
    return -1;
}

}  // namespace

std::vector<std::string> MessageCaptionTexts()
{
    std::vector<std::string> texts;
    for (const classes::TResStringRec* rec : kCaptionTexts) {
        texts.push_back(classes::LoadResString(*rec));
    }
    return texts;
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    win::MessageDialogRequest request;
    request.text = text;
    static constexpr unsigned kIcons[] = {win::MB_ICONWARNING, win::MB_ICONERROR, win::MB_ICONINFORMATION,
                                          win::MB_ICONQUESTION, 0};
    request.icon = kIcons[type];
    request.caption = type == mtCustom ? Application()->Title() : classes::LoadResString(*kCaptionTexts[type]);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        if (buttons & (1u << i)) {
            request.buttons.push_back({classes::LoadResString(*kButtons[i].text), kButtons[i].result});
        }
    }
    request.defaultButton = std::max(IndexOfResult(request, {mrOk, mrYes, mrRetry}), 0);
    request.cancelButton = IndexOfResult(request, {mrCancel, mrNo, mrOk});
    request.helpContext = helpContext;
    return win::CurrentDialogService().MessageDialog(request);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    win::InputRequest request{caption, prompt, value};
    if (win::CurrentDialogService().InputDialog(request) != win::IDOK) {
        return false;
    }
    value = request.value;
    return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue)
{
    std::string value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}

}  // namespace gui
