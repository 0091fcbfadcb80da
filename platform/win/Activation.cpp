#include "platform/win/Activation.h"

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Activation.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

// The windows told of a thread entering or leaving the foreground: its visible and hidden top-level
// windows, not the message-only ones.
std::vector<HWND> TopLevelWindowsOfThread(DWORD thread)
{
    std::vector<HWND> result;
    Window* desktop = FindWindowRecord(System().desktop);
    if (!desktop) {
        return result;
    }
    for (HWND hwnd : desktop->children) {
        Window* window = FindWindowRecord(hwnd);
        if (window && window->thread == thread && !window->destroying) {
            result.push_back(hwnd);
        }
    }
    return result;
}

bool CanBeActive(const Window& window)
{
    return (window.style & WS_VISIBLE) && !(window.style & WS_DISABLED) && !(window.style & WS_MINIMIZE) &&
           !(window.exStyle & WS_EX_NOACTIVATE) && !window.destroying && window.parent == System().desktop;
}

// True when the window is the top of its z-order group already.
bool IsOnTop(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    Window* parent = window ? FindWindowRecord(window->parent) : nullptr;
    if (!parent) {
        return true;
    }
    for (HWND sibling : parent->children) {
        if (sibling == hwnd) {
            return true;
        }
        Window* other = FindWindowRecord(sibling);
        if (other && (other->style & WS_VISIBLE) &&
            (other->exStyle & WS_EX_TOPMOST) == (window->exStyle & WS_EX_TOPMOST)) {
            return false;
        }
    }
    return true;
}

void Deactivate(HWND hwnd, HWND next)
{
    if (!hwnd || !IsWindow(hwnd)) {
        return;
    }
    SendMessage(hwnd, WM_NCACTIVATE, FALSE, 0);
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(hwnd) ? 1 : 0), HandleValue(next));
}

void SendActivateApp(const std::vector<HWND>& windows, bool active, DWORD otherThread)
{
    for (HWND hwnd : windows) {
        SendMessage(hwnd, WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
    }
}

}  // namespace

void detail::ActivateWindow(HWND hwnd, WORD how)
{
    const DWORD thread = GetCurrentThreadId();
    HWND old;
    HWND otherOld = nullptr;
    DWORD oldForeground;
    {
        auto lock = LockSystem();
        hwnd = hwnd ? RootWindowOf(hwnd) : nullptr;
        Window* window = FindWindowRecord(hwnd);
        if (window && (window->thread != thread || window->parent != System().desktop)) {
            return;
        }
        ThreadQueue& queue = QueueOfCurrentThread();
        old = queue.active;
        oldForeground = System().foregroundThread;
        if (old == hwnd && (oldForeground == thread || !hwnd)) {
            return;
        }
        if (oldForeground != thread && hwnd) {
            if (ThreadQueue* other = QueueOf(oldForeground)) {
                otherOld = other->active;
                other->active = nullptr;
            }
        }
    }
    if (hwnd && !IsOnTop(hwnd)) {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (old != hwnd) {
        Deactivate(old, hwnd);
    }
    Deactivate(otherOld, hwnd);
    std::vector<HWND> leaving;
    std::vector<HWND> entering;
    DWORD newForeground;
    {
        auto lock = LockSystem();
        if (hwnd && !FindWindowRecord(hwnd)) {
            hwnd = nullptr;  // destroyed by a handler of the deactivation
        }
        QueueOfCurrentThread().active = hwnd;
        if (Window* window = FindWindowRecord(hwnd); window && IsOnScreen(*window)) {
            Display().WindowActivated(hwnd);
        }
        newForeground = hwnd ? thread : (oldForeground == thread ? 0 : oldForeground);
        System().foregroundThread = newForeground;
        if (newForeground != oldForeground) {
            if (oldForeground != 0) {
                leaving = TopLevelWindowsOfThread(oldForeground);
            }
            if (newForeground != 0) {
                entering = TopLevelWindowsOfThread(newForeground);
            }
        }
    }
    SendActivateApp(leaving, false, newForeground);
    SendActivateApp(entering, true, oldForeground);
    if (hwnd) {
        SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), HandleValue(old));
    }
    HWND focus = GetFocus();
    bool focusOutside;
    {
        auto lock = LockSystem();
        focusOutside = focus && (!hwnd || !IsSelfOrDescendant(hwnd, focus)) && hwnd == QueueOfCurrentThread().active;
    }
    if (focusOutside) {
        SetFocus(nullptr);
    }
}

void detail::LeaveActivation(HWND hwnd)
{
    HWND next = nullptr;
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        ThreadQueue* queue = window ? QueueOf(window->thread) : nullptr;
        if (!queue || queue->thread != GetCurrentThreadId() || !queue->active ||
            !IsSelfOrDescendant(hwnd, queue->active)) {
            return;
        }
        const HWND leaving = queue->active;
        Window* owner = FindWindowRecord(FindWindowRecord(leaving)->owner);
        if (owner && owner->thread == queue->thread && CanBeActive(*owner)) {
            next = owner->handle;
        } else {
            for (HWND candidate : TopLevelWindowsOfThread(queue->thread)) {
                Window* other = FindWindowRecord(candidate);
                if (candidate != leaving && other && CanBeActive(*other)) {
                    next = candidate;
                    break;
                }
            }
        }
    }
    ActivateWindow(next, WA_ACTIVE);
}

HWND SetActiveWindow(HWND hwnd)
{
    HWND old;
    {
        auto lock = LockSystem();
        if (hwnd && !OwnWindowOrError(hwnd)) {
            return nullptr;
        }
        old = QueueOfCurrentThread().active;
    }
    ActivateWindow(hwnd, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    auto lock = LockSystem();
    return QueueOfCurrentThread().active;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    {
        auto lock = LockSystem();
        if (!OwnWindowOrError(hwnd)) {
            return FALSE;
        }
    }
    ActivateWindow(hwnd, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow()
{
    auto lock = LockSystem();
    ThreadQueue* queue = QueueOf(System().foregroundThread);
    return queue ? queue->active : nullptr;
}

}  // namespace win
