#include "platform/win/detail/ScreenEvents.h"

#include "platform/win/Activation.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Activation.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/wintypes/Messages.h"

namespace win::detail {

namespace {

// The window system's own message for the screen's events; wParam the event.
constexpr UINT WM_SCREENEVENT = 0x0060;
enum ScreenEvent : WPARAM { Activate, ActivateByClick, Deactivate, MoveOrSize };

// A pending geometry the window manager gave, by window (lock held).
std::map<HWND, RECT>& PendingGeometry()
{
    static std::map<HWND, RECT> pending;
    return pending;
}

// The enabled popup a disabled window hands the activation to: the last enabled, visible window it owns.
HWND EnabledPopupOf(HWND hwnd)
{
    HWND found = nullptr;
    auto lock = LockSystem();
    for (HWND candidate : TopLevelWindows()) {
        const Window* window = FindWindowRecord(candidate);
        if (window && window->owner == hwnd && (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED)) {
            found = candidate;
        }
    }
    return found;
}

}  // namespace

void ScreenActivated(HWND hwnd, bool byClick)
{
    PostMessage(hwnd, WM_SCREENEVENT, byClick ? ActivateByClick : Activate, 0);
}

void ScreenAppDeactivated()
{
    if (HWND active = GetForegroundWindow()) {
        PostMessage(active, WM_SCREENEVENT, Deactivate, 0);
    }
}

void ScreenMovedOrSized(HWND hwnd, const RECT& rect)
{
    {
        auto lock = LockSystem();
        PendingGeometry()[hwnd] = rect;
    }
    PostMessage(hwnd, WM_SCREENEVENT, MoveOrSize, 0);
}

void ScreenCloseRequested(HWND hwnd)
{
    PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ScreenRestored(HWND hwnd)
{
    PostMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

HWND KeyboardTarget()
{
    auto lock = LockSystem();
    ThreadQueue* queue = QueueOf(System().foregroundThread);
    if (!queue) {
        return nullptr;
    }
    return queue->focus ? queue->focus : queue->active;
}

bool DefScreenMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_SCREENEVENT) {
        return false;
    }
    result = 0;
    switch (wParam) {
    case Activate:
    case ActivateByClick:
        if (!IsWindowEnabled(hwnd)) {
            if (HWND popup = EnabledPopupOf(hwnd)) {
                ScreenActivated(popup, false);
            }
            return true;
        }
        ActivateWindow(hwnd, wParam == ActivateByClick ? WA_CLICKACTIVE : WA_ACTIVE);
        {
            // Already active, it still takes the screen's focus back from the window that passed it on.
            auto lock = LockSystem();
            if (Window* window = FindWindowRecord(hwnd); window && IsOnScreen(*window)) {
                Display().WindowActivated(hwnd);
            }
        }
        return true;
    case Deactivate:
        if (GetActiveWindow() == hwnd) {
            ActivateWindow(nullptr, WA_INACTIVE);
        }
        return true;
    case MoveOrSize: {
        RECT rect;
        {
            auto lock = LockSystem();
            auto found = PendingGeometry().find(hwnd);
            if (found == PendingGeometry().end()) {
                return true;
            }
            rect = found->second;
            PendingGeometry().erase(found);
        }
        SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    default:
        return true;
    }
}

}  // namespace win::detail
