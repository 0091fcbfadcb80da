#include "platform/gui/core/HelpPopup.h"

#include "platform/gui/core/HintWindow.h"
#include "platform/gui/core/Screen.h"
#include "platform/services/Help.h"
#include "platform/win/Hooks.h"

namespace gui {

namespace {

struct Popup {
    THintWindow* window = nullptr;
    win::HHOOK messages = nullptr;
    win::HHOOK sent = nullptr;
};

Popup popup;

void CloseIf(const win::MSG& message)
{
    if (popup.window && popup.window->IsHintMsg(message))
        CloseHelpPopup();
}

win::LRESULT GetMessageHook(int code, win::WPARAM wParam, win::LPARAM lParam)
{
    const win::HHOOK hook = popup.messages;
    if (code >= 0)
        CloseIf(*reinterpret_cast<const win::MSG*>(lParam));
    return win::CallNextHookEx(hook, code, wParam, lParam);
}

// Activation messages are sent, not posted.
win::LRESULT SentMessageHook(int code, win::WPARAM wParam, win::LPARAM lParam)
{
    const win::HHOOK hook = popup.sent;
    if (code >= 0) {
        const auto& sent = *reinterpret_cast<const win::CWPSTRUCT*>(lParam);
        const bool deactivation = (sent.message == win::WM_ACTIVATE && win::LOWORD(sent.wParam) == 0) ||
                                  (sent.message == win::WM_ACTIVATEAPP && sent.wParam == 0);
        if (deactivation)
            CloseIf(win::MSG{sent.hwnd, sent.message, sent.wParam, sent.lParam, 0, {}});
    }
    return win::CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

win::HWND ShowHelpPopup(const std::string& text, win::POINT at)
{
    CloseHelpPopup();
    if (text.empty())
        return nullptr;
    popup.window = new THintWindow(nullptr);
    const int maxWidth = Screen() ? Screen()->Width() / 3 : 300;
    win::RECT rect = popup.window->CalcHintRect(maxWidth, text, nullptr);
    win::OffsetRect(&rect, at.x, at.y);
    popup.window->ActivateHint(rect, text);
    const win::DWORD thread = win::GetCurrentThreadId();
    popup.messages = win::SetWindowsHookEx(win::WH_GETMESSAGE, &GetMessageHook, nullptr, thread);
    popup.sent = win::SetWindowsHookEx(win::WH_CALLWNDPROC, &SentMessageHook, nullptr, thread);
    return popup.window->Handle();
}

void CloseHelpPopup()
{
    if (!popup.window)
        return;
    win::UnhookWindowsHookEx(popup.messages);
    win::UnhookWindowsHookEx(popup.sent);
    delete popup.window;
    popup = {};
}

void InstallHelpPopup()
{
    win::SetHelpPopup(&ShowHelpPopup);
}

void UninstallHelpPopup()
{
    win::SetHelpPopup({});
    CloseHelpPopup();
}

}  // namespace gui
