#include "platform/services/DialogService.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace win {

std::vector<int> MessageBoxButtons(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

int DefaultMessageBoxAnswer(unsigned type)
{
    const std::vector<int> buttons = MessageBoxButtons(type);
    const size_t index = (type & MB_DEFMASK) >> 8;
    return buttons[index < buttons.size() ? index : 0];
}

int ConsoleDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    std::fprintf(stderr, "%s: %s\n", rtl::AnsiToUtf8(caption).c_str(), rtl::AnsiToUtf8(text).c_str());
    return DefaultMessageBoxAnswer(type);
}

namespace {

int DefaultButtonResult(const MessageDialogRequest& request)
{
    if (request.defaultButton >= 0 && std::size_t(request.defaultButton) < request.buttons.size())
        return request.buttons[std::size_t(request.defaultButton)].result;
    return request.buttons.empty() ? 0 : request.buttons.front().result;
}

}  // namespace

int DialogService::MessageDialog(MessageDialogRequest& request)
{
    return DefaultButtonResult(request);
}

int ConsoleDialogs::MessageDialog(MessageDialogRequest& request)
{
    std::fprintf(stderr, "%s: %s\n", rtl::AnsiToUtf8(request.caption).c_str(), rtl::AnsiToUtf8(request.text).c_str());
    return DefaultButtonResult(request);
}

void ScriptedDialogs::CheckRequestAnswer(int answer)
{
    if (answer != IDOK && answer != IDCANCEL)
        throw rtl::EInvalidOperation("A dialog answers IDOK or IDCANCEL, not " + std::to_string(answer));
}

int ScriptedDialogs::MessageDialog(MessageDialogRequest& request)
{
    int answer = DefaultButtonResult(request);
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
        if (std::none_of(request.buttons.begin(), request.buttons.end(),
                         [answer](const MessageDialogButton& button) { return button.result == answer; }))
            throw rtl::EInvalidOperation("The scripted answer " + std::to_string(answer) +
                                         " is not a button of the message dialog \"" + request.text + "\"");
    }
    askedMessageDialogs_.push_back(request);
    return answer;
}

void ScriptedDialogs::AnswerProperties(int answer, PropertiesChange change)
{
    if (answer != IDOK && answer != IDCANCEL)
        throw rtl::EInvalidOperation("A properties dialog answers IDOK or IDCANCEL, not " + std::to_string(answer));
    propertiesScript_.push_back({answer, std::move(change)});
}

int ScriptedDialogs::DocumentProperties(DocumentPropertiesRequest& request)
{
    askedProperties_.push_back(request);
    if (propertiesScript_.empty())
        return IDOK;
    PropertiesAnswer next = std::move(propertiesScript_.front());
    propertiesScript_.pop_front();
    if (next.answer == IDOK && next.change)
        next.change(request);
    return next.answer;
}

int ScriptedDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    int answer = DefaultMessageBoxAnswer(type);
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
        const std::vector<int> buttons = MessageBoxButtons(type);
        if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
            throw rtl::EInvalidOperation("The scripted answer " + std::to_string(answer) +
                                         " is not a button of the message box \"" + text + "\"");
    }
    asked_.push_back({text, caption, type, answer});
    return answer;
}

namespace {

ConsoleDialogs consoleDialogs;
std::atomic<DialogService*> currentService{&consoleDialogs};

}  // namespace

DialogService& CurrentDialogService()
{
    return *currentService.load();
}

DialogService* SetDialogService(DialogService* service)
{
    return currentService.exchange(service ? service : &consoleDialogs);
}

int MessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    return CurrentDialogService().MessageBox(text, caption, type);
}

}  // namespace win
