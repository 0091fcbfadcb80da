#include "update/detail/RelayWindow.h"

#include "update/upThread.h"

#include "platform/rtl/SyncObjs.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include <memory>
#include <thread>

namespace update::detail {

namespace {

constexpr const char* RelayWindowClass = "TupThreadWindow";
// Posted by a last user on another thread: the window destroys itself when nobody joined since.
constexpr win::UINT CloseRelayMessage = UpRelayMessage - 1;

std::unique_ptr<rtl::TCriticalSection> lock;
win::HWND window = nullptr;
std::thread::id windowThread;
int users = 0;

void DestroyRelayWindow()
{
    win::DestroyWindow(window);
    win::UnregisterClass(RelayWindowClass, nullptr);
    window = nullptr;
}

win::LRESULT RelayWindowProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message == CloseRelayMessage) {
        rtl::CriticalSectionGuard guard(*lock);
        if (users == 0 && window == hwnd)
            DestroyRelayWindow();
        return 0;
    }
    return TupEventThread::RelayWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

void InitializeRelayWindow()
{
    lock = std::make_unique<rtl::TCriticalSection>();
    users = 0;
}

void FinalizeRelayWindow()
{
    if (window)
        DestroyRelayWindow();
    lock.reset();
}

void EnterRelayWindow()
{
    rtl::CriticalSectionGuard guard(*lock);
    if (users++ == 0 && !window) {
        win::WNDCLASS windowClass;
        windowClass.lpfnWndProc = RelayWindowProc;
        windowClass.lpszClassName = RelayWindowClass;
        win::RegisterClass(&windowClass);
        window = win::CreateWindowEx(0, RelayWindowClass, "", win::WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                     nullptr);
        windowThread = std::this_thread::get_id();
    }
}

void LeaveRelayWindow()
{
    rtl::CriticalSectionGuard guard(*lock);
    if (--users > 0 || !window)
        return;
    if (std::this_thread::get_id() == windowThread)
        DestroyRelayWindow();
    else
        win::PostMessage(window, CloseRelayMessage, 0, 0);
}

win::HWND RelayWindow()
{
    rtl::CriticalSectionGuard guard(*lock);
    return window;
}

}  // namespace update::detail
