#include "platform/win/WindowPos.h"

#include "platform/win/Activation.h"
#include "platform/win/Desktop.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/NonClient.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Window.h"
#include "platform/win/detail/Activation.h"
#include "platform/win/detail/NonClient.h"
#include "platform/win/detail/SizeMove.h"
#include "platform/win/detail/Window.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/Frame.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/win/detail/ScreenDC.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

bool IsTopLevel(const Window& window)
{
    return IsRootWindow(window.parent);
}

struct Before {
    RECT windowRect;
    RECT clientRect;
    DWORD style = 0;
    bool topLevel = false;
    HWND parent = nullptr;
};

// Where the window goes among its siblings; answers false for an insert-after window that is not one.
bool PlaceInZOrder(Window& window, HWND insertAfter)
{
    Window* parent = FindWindowRecord(window.parent);
    if (!parent) {
        return false;
    }
    auto& siblings = parent->children;
    const bool groups = IsTopLevel(window);
    const bool special = insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM || insertAfter == HWND_TOPMOST ||
                         insertAfter == HWND_NOTOPMOST;
    if (!special && (insertAfter == window.handle ||
                     std::find(siblings.begin(), siblings.end(), insertAfter) == siblings.end())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::erase(siblings, window.handle);
    auto isTopmost = [](HWND sibling) {
        Window* other = FindWindowRecord(sibling);
        return other && (other->exStyle & WS_EX_TOPMOST);
    };
    auto firstOrdinary = [&] {
        return groups ? std::find_if_not(siblings.begin(), siblings.end(), isTopmost) : siblings.begin();
    };
    if (groups && insertAfter == HWND_TOPMOST) {
        window.exStyle |= WS_EX_TOPMOST;
    } else if (groups && (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)) {
        window.exStyle &= ~WS_EX_TOPMOST;
    }
    std::vector<HWND>::iterator position;
    if (insertAfter == HWND_BOTTOM) {
        position = siblings.end();
    } else if (special) {
        position = (window.exStyle & WS_EX_TOPMOST) && groups ? siblings.begin() : firstOrdinary();
    } else {
        // Below a given sibling: a topmost window put below an ordinary one stops being topmost, and an
        // ordinary window never goes above the topmost ones.
        if (groups && !isTopmost(insertAfter)) {
            window.exStyle &= ~WS_EX_TOPMOST;
        }
        position = std::find(siblings.begin(), siblings.end(), insertAfter) + 1;
        if (groups && !(window.exStyle & WS_EX_TOPMOST)) {
            position = std::max(position, firstOrdinary());
        }
    }
    siblings.insert(position, window.handle);
    return true;
}

// Keeps the windows owned by a top-level window above it, in their order, within its z-order group.
// depth ends owner chains that GWL_HWNDPARENT made into a loop.
void RaiseOwnedWindows(Window& owner, int depth = 0)
{
    if (depth > 32) {
        return;
    }
    Window* parent = FindWindowRecord(owner.parent);
    if (!parent || !IsTopLevel(owner)) {
        return;
    }
    auto& siblings = parent->children;
    std::vector<HWND> owned;
    for (HWND sibling : siblings) {
        Window* other = FindWindowRecord(sibling);
        if (other && other->owner == owner.handle &&
            (other->exStyle & WS_EX_TOPMOST) == (owner.exStyle & WS_EX_TOPMOST)) {
            owned.push_back(sibling);
        }
    }
    for (HWND hwnd : owned) {
        std::erase(siblings, hwnd);
    }
    siblings.insert(std::find(siblings.begin(), siblings.end(), owner.handle), owned.begin(), owned.end());
    for (HWND hwnd : owned) {
        if (Window* window = FindWindowRecord(hwnd)) {
            RaiseOwnedWindows(*window, depth + 1);
        }
    }
}

// The rectangle of a maximized window: the work area of its monitor (the parent's client area for a
// child) with the frame outside it, as WM_GETMINMAXINFO finally says.
RECT MaximizedRect(HWND hwnd, const Before& before)
{
    MINMAXINFO info;
    RECT area;
    if (before.topLevel) {
        MONITORINFO monitor;
        GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
        area = monitor.rcWork;
    } else {
        GetClientRect(before.parent, &area);
    }
    // The frame lies outside the area; the caption stays inside.
    const int frame = NonClientInsetsOf(before.style & ~(WS_VSCROLL | WS_HSCROLL), 0).left;
    info.ptMaxPosition = {area.left - frame, area.top - frame};
    info.ptMaxSize = {Width(area) + 2 * frame, Height(area) + 2 * frame};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                info.ptMaxPosition.y + info.ptMaxSize.y};
}

RECT MinimizedRect(const Before& before)
{
    const int width = GetSystemMetrics(SM_CXMINTRACK);
    const int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    if (before.topLevel) {
        return RECT{-32000, -32000, -32000 + width, -32000 + height};
    }
    RECT parent;
    GetClientRect(before.parent, &parent);
    return RECT{0, parent.bottom - height, width, parent.bottom};
}

// Changes WS_MINIMIZE / WS_MAXIMIZE, keeping the normal rectangle to come back to; answers the
// rectangle the window takes.
RECT ChangeState(HWND hwnd, DWORD newState, const Before& before)
{
    RECT target;
    if (newState & WS_MAXIMIZE) {
        target = MaximizedRect(hwnd, before);
    } else if (newState & WS_MINIMIZE) {
        target = MinimizedRect(before);
    }
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return target;
    }
    if (!(window->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        window->restoreRect = window->windowRect;
        window->hasRestoreRect = true;
    }
    window->restoreToMaximized = newState == WS_MINIMIZE && (window->style & WS_MAXIMIZE);
    if (newState == 0) {
        target = window->hasRestoreRect ? window->restoreRect : window->windowRect;
        window->hasRestoreRect = false;
    }
    window->style = (window->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | newState;
    return target;
}

bool RestoresToMaximized(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window && window->restoreToMaximized;
}

}  // namespace

POINT detail::ClientOriginOnScreen(const Window& window)
{
    POINT origin{window.clientRect.left, window.clientRect.top};
    for (Window* parent = FindWindowRecord(window.parent); parent && !IsRootWindow(parent->handle);
         parent = FindWindowRecord(parent->parent)) {
        origin.x += parent->clientRect.left;
        origin.y += parent->clientRect.top;
    }
    return origin;
}

RECT detail::WindowRectOnScreen(const Window& window)
{
    RECT rect = window.windowRect;
    if (Window* parent = FindWindowRecord(window.parent); parent && !IsRootWindow(parent->handle)) {
        const POINT origin = ClientOriginOnScreen(*parent);
        rect = Moved(rect, origin.x, origin.y);
    }
    return rect;
}

bool detail::IsOnScreen(const Window& window)
{
    return window.parent && window.parent == System().desktop;
}

bool detail::IsRootWindow(HWND hwnd)
{
    const WindowSystem& system = System();
    return hwnd && (hwnd == system.desktop || hwnd == system.messageRoot);
}

HWND detail::RootWindowOf(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    if (!window || IsRootWindow(hwnd)) {
        return nullptr;
    }
    while (window && !IsRootWindow(window->parent)) {
        window = FindWindowRecord(window->parent);
    }
    return window ? window->handle : nullptr;
}

bool detail::DefGeometryMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        WindowState state;
        if (!ReadWindowState(hwnd, state) || !lParam) {
            return true;
        }
        RECT& rect = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        rect = DefaultClientRect(state.style, state.exStyle, rect);
        result = 0;
        return true;
    }
    case WM_NCHITTEST: {
        RECT screen;
        RECT client;
        DWORD style;
        DWORD exStyle;
        bool icon;
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(hwnd);
            if (!window) {
                result = HTNOWHERE;
                return true;
            }
            screen = WindowRectOnScreen(*window);
            const POINT origin = ClientOriginOnScreen(*window);
            client = Moved(window->clientRect, origin.x - window->clientRect.left, origin.y - window->clientRect.top);
            style = window->style;
            exStyle = window->exStyle;
            icon = CaptionIconOf(*window) != nullptr;
        }
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        result = DefaultHitTest(style, exStyle, screen, client, point, icon);
        return true;
    }
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        WindowState state;
        if (!pos || (pos->flags & SWP_NOSIZE) || !ReadWindowState(hwnd, state) ||
            !IsRootWindow(state.parent) || !(state.style & WS_THICKFRAME) ||
            (state.style & (WS_MINIMIZE | WS_MAXIMIZE))) {
            result = 0;
            return true;
        }
        const MINMAXINFO info = AskTrackLimits(hwnd);
        pos->cx = std::clamp(pos->cx, static_cast<int>(info.ptMinTrackSize.x),
                             std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
        pos->cy = std::clamp(pos->cy, static_cast<int>(info.ptMinTrackSize.y),
                             std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
        result = 0;
        return true;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        WindowState state;
        if (!pos || !ReadWindowState(hwnd, state)) {
            return true;
        }
        const RECT& client = state.clientRect;
        if (!(pos->flags & SWP_NOCLIENTMOVE)) {
            SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
        }
        if (!(pos->flags & SWP_NOCLIENTSIZE)) {
            const WPARAM kind = (state.style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                                : (state.style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                               : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, kind,
                        MAKELPARAM(static_cast<WORD>(Width(client)), static_cast<WORD>(Height(client))));
        }
        result = 0;
        return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        // The caption buttons act at the press; a double click on the caption maximizes or restores.
        const bool zoomed = IsZoomed(hwnd);
        const auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
        WPARAM command = 0;
        if (message == WM_NCLBUTTONDOWN && wParam == static_cast<WPARAM>(HTCLOSE)) {
            command = SC_CLOSE;
        } else if (message == WM_NCLBUTTONDOWN && wParam == static_cast<WPARAM>(HTMINBUTTON)) {
            // A greyed button (its box not in the style) does nothing.
            command = (style & WS_MINIMIZEBOX) ? SC_MINIMIZE : 0;
        } else if (message == WM_NCLBUTTONDOWN && wParam == static_cast<WPARAM>(HTMAXBUTTON)) {
            command = !(style & WS_MAXIMIZEBOX) ? 0 : zoomed ? SC_RESTORE : SC_MAXIMIZE;
        } else if (message == WM_NCLBUTTONDBLCLK && wParam == static_cast<WPARAM>(HTCAPTION) &&
                   (style & WS_MAXIMIZEBOX)) {
            command = zoomed ? SC_RESTORE : SC_MAXIMIZE;
        } else if (message == WM_NCLBUTTONDOWN && wParam == static_cast<WPARAM>(HTCAPTION)) {
            command = SC_MOVE | static_cast<WPARAM>(HTCAPTION);
        } else if (message == WM_NCLBUTTONDOWN && wParam >= static_cast<WPARAM>(HTLEFT) &&
                   wParam <= static_cast<WPARAM>(HTBOTTOMRIGHT)) {
            command = SC_SIZE | (wParam - static_cast<WPARAM>(HTLEFT) + WMSZ_LEFT);
        } else {
            return false;
        }
        if (command != 0) {
            SendMessage(hwnd, WM_SYSCOMMAND, command, lParam);
        }
        result = 0;
        return true;
    }
    case WM_SYSCOMMAND: {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_MOVE || command == SC_SIZE) {
            RunSizeMoveLoop(hwnd, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            result = 0;
            return true;
        }
        const int show = command == SC_MINIMIZE ? SW_MINIMIZE
                         : command == SC_MAXIMIZE ? SW_SHOWMAXIMIZED
                         : command == SC_RESTORE  ? SW_RESTORE
                                                  : -1;
        if (show < 0) {
            return false;
        }
        ShowWindow(hwnd, show);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

MINMAXINFO detail::AskTrackLimits(HWND hwnd)
{
    MINMAXINFO info;
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    info.ptMaxSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Before before;
    bool wasVisible;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return FALSE;
        }
        if (IsRootWindow(hwnd)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        before = Before{window->windowRect, window->clientRect, window->style, IsTopLevel(*window), window->parent};
        wasVisible = window->style & WS_VISIBLE;
    }
    if (flags & SWP_SHOWWINDOW) {
        flags &= ~SWP_HIDEWINDOW;
    }
    if ((wasVisible && (flags & SWP_SHOWWINDOW)) || (!wasVisible && (flags & SWP_HIDEWINDOW))) {
        flags &= ~(SWP_SHOWWINDOW | SWP_HIDEWINDOW);
    }
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = before.windowRect.left;
        pos.y = before.windowRect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = Width(before.windowRect);
        pos.cy = Height(before.windowRect);
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    }
    const RECT newWindow{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    const bool moved = newWindow.left != before.windowRect.left || newWindow.top != before.windowRect.top;
    const bool sized = Width(newWindow) != Width(before.windowRect) || Height(newWindow) != Height(before.windowRect);
    RECT newClient = Moved(before.clientRect, newWindow.left - before.windowRect.left,
                            newWindow.top - before.windowRect.top);
    if (sized || (pos.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{{newWindow, before.windowRect, before.clientRect}, &pos};
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        newClient = params.rgrc[0];
    }
    bool visibleNow;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return FALSE;
        }
        if (!(pos.flags & SWP_NOZORDER)) {
            if (!PlaceInZOrder(*window, pos.hwndInsertAfter)) {
                return FALSE;
            }
            if (!(pos.flags & SWP_NOOWNERZORDER)) {
                RaiseOwnedWindows(*window);
            }
        }
        window->windowRect = newWindow;
        window->clientRect = newClient;
        if (pos.flags & SWP_SHOWWINDOW) {
            window->style |= WS_VISIBLE;
        } else if (pos.flags & SWP_HIDEWINDOW) {
            window->style &= ~WS_VISIBLE;
        }
        visibleNow = window->style & WS_VISIBLE;
        if (IsOnScreen(*window)) {
            DisplayDriver& display = Display();
            if (visibleNow && !wasVisible) {
                display.WindowShown(hwnd, newWindow);
            }
            if (moved) {
                display.WindowMoved(hwnd, newWindow);
            }
            if (sized) {
                display.WindowResized(hwnd, newWindow);
            }
            if (!(pos.flags & SWP_NOZORDER)) {
                display.WindowRestacked(hwnd, pos.hwndInsertAfter);
            }
            if (wasVisible && !visibleNow) {
                display.WindowHidden(hwnd);
            }
            ScreenLayoutChanged();
        }
    }
    InvalidateAfterPositionChange(hwnd, before.windowRect, wasVisible, pos.flags);
    if (pos.flags & SWP_HIDEWINDOW) {
        LeaveActivation(hwnd);
    } else if (!(pos.flags & SWP_NOACTIVATE) && before.topLevel && visibleNow) {
        ActivateWindow(hwnd, WA_ACTIVE);
    }
    WINDOWPOS changed = pos;
    changed.x = newWindow.left;
    changed.y = newWindow.top;
    changed.cx = Width(newWindow);
    changed.cy = Height(newWindow);
    changed.flags |= (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    if (newClient.left == before.clientRect.left && newClient.top == before.clientRect.top) {
        changed.flags |= SWP_NOCLIENTMOVE;
    }
    if (Width(newClient) == Width(before.clientRect) && Height(newClient) == Height(before.clientRect)) {
        changed.flags |= SWP_NOCLIENTSIZE;
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command)
{
    Before before;
    bool wasVisible;
    bool active;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window || IsRootWindow(hwnd)) {
            return FALSE;
        }
        before = Before{window->windowRect, window->clientRect, window->style, IsTopLevel(*window), window->parent};
        wasVisible = window->style & WS_VISIBLE;
        ThreadQueue* queue = QueueOf(window->thread);
        active = queue && queue->active == hwnd;
    }
    const DWORD state = before.style & (WS_MINIMIZE | WS_MAXIMIZE);
    UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
    DWORD newState = state;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible) {
            return FALSE;
        }
        flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | (active ? 0 : SWP_NOACTIVATE | SWP_NOZORDER);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        newState = WS_MINIMIZE;
        flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | (command == SW_SHOWMINIMIZED ? 0 : SWP_NOACTIVATE);
        break;
    case SW_SHOWMAXIMIZED:
        newState = WS_MAXIMIZE;
        flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        newState = state == WS_MINIMIZE && RestoresToMaximized(hwnd) ? WS_MAXIMIZE : 0;
        if (state) {
            flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED;
        }
        break;
    case SW_SHOWNOACTIVATE:
        flags |= SWP_NOACTIVATE;
        break;
    case SW_SHOWNA:
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOW:
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    }
    RECT target = before.windowRect;
    if (newState != state) {
        target = ChangeState(hwnd, newState, before);
        flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
        if (newState == WS_MINIMIZE) {
            LeaveActivation(hwnd);
        }
    }
    SetWindowPos(hwnd, HWND_TOP, target.left, target.top, Width(target), Height(target), flags);
    return wasVisible ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL IsIconic(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window && (window->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window && (window->style & WS_MAXIMIZE);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window || !rect) {
        return FALSE;
    }
    *rect = WindowRectOnScreen(*window);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window || !rect) {
        return FALSE;
    }
    *rect = RECT{0, 0, Width(window->clientRect), Height(window->clientRect)};
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    auto lock = LockSystem();
    POINT origin[2] = {};
    const HWND windows[2] = {from, to};
    for (int i = 0; i < 2; ++i) {
        if (!windows[i] || windows[i] == System().desktop) {
            continue;
        }
        Window* window = WindowOrError(windows[i]);
        if (!window) {
            return 0;
        }
        origin[i] = ClientOriginOnScreen(*window);
    }
    const int dx = origin[0].x - origin[1].x;
    const int dy = origin[0].y - origin[1].y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    if (!point || !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MapWindowPoints(hwnd, nullptr, point, 1);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    if (!point || !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MapWindowPoints(nullptr, hwnd, point, 1);
    return TRUE;
}

}  // namespace win
