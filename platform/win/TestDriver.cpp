#include "platform/win/TestDriver.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Timers.h"
#include "platform/win/WindowClass.h"

#include "platform/rtl/Collation.h"

#include <algorithm>
#include <cstdlib>

namespace win {

namespace {

bool IsDown(UINT vk)
{
    return GetAsyncKeyState(static_cast<int>(vk)) < 0;
}

// The screen point of a client point: client rectangles are relative to the parent's client area.
POINT ClientToScreenPoint(HWND hwnd, int x, int y)
{
    POINT pt{x, y};
    for (HWND window = hwnd; window && window != GetDesktopWindow();) {
        WindowState state;
        if (!ReadWindowState(window, state)) {
            break;
        }
        pt.x += state.clientRect.left;
        pt.y += state.clientRect.top;
        window = (state.style & WS_CHILD) ? state.parent : nullptr;
    }
    return pt;
}

bool Matches(HWND hwnd, const char* className, const char* text)
{
    return (!className || rtl::AnsiSameText(GetClassName(hwnd), className)) && (!text || GetWindowText(hwnd) == text);
}

// Depth first, in z-order.
HWND FindInTree(HWND parent, const char* className, const char* text)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Matches(child, className, text)) {
            return child;
        }
        if (HWND found = FindInTree(child, className, text)) {
            return found;
        }
    }
    return nullptr;
}

// The button a mouse message presses (positive) or releases (negative), as an MK_ flag.
int ButtonChange(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return static_cast<int>(MK_LBUTTON);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return static_cast<int>(MK_RBUTTON);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return static_cast<int>(MK_MBUTTON);
    case WM_LBUTTONUP: return -static_cast<int>(MK_LBUTTON);
    case WM_RBUTTONUP: return -static_cast<int>(MK_RBUTTON);
    case WM_MBUTTONUP: return -static_cast<int>(MK_MBUTTON);
    default: return 0;
    }
}

}  // namespace

TestDriver::TestDriver(rtl::VirtualClock& clock) : clock_(clock)
{
}

void TestDriver::PostKey(HWND hwnd, UINT message, UINT vk, DWORD lPrivate)
{
    if (!hwnd) {
        return;
    }
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    DWORD data = 1;
    if (IsDown(VK_MENU)) {
        data |= 1u << 29;
    }
    if (up || IsDown(vk)) {
        data |= 1u << 30;
    }
    if (up) {
        data |= 1u << 31;
    }
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = static_cast<LPARAM>(data);
    msg.time = static_cast<DWORD>(clock_.TickCount64());
    GetCursorPos(&msg.pt);
    msg.lPrivate = lPrivate;
    PostInputMessage(&msg);
}

void TestDriver::KeyDown(UINT vk)
{
    const bool alt = vk == VK_MENU || IsDown(VK_MENU);
    const bool system = vk == VK_F10 || (alt && !IsDown(VK_CONTROL));
    PostKey(GetFocus(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 0);
}

void TestDriver::KeyUp(UINT vk)
{
    const bool alt = vk == VK_MENU || IsDown(VK_MENU);
    const bool system = vk == VK_F10 || (alt && !IsDown(VK_CONTROL));
    PostKey(GetFocus(), system ? WM_SYSKEYUP : WM_KEYUP, vk, 0);
}

void TestDriver::PressKey(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void TestDriver::TypeChar(char ch, UINT vk, bool dead)
{
    const DWORD character = InputChar(static_cast<unsigned char>(ch), dead);
    PostKey(GetFocus(), IsDown(VK_MENU) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, character);
    PostKey(GetFocus(), IsDown(VK_MENU) ? WM_SYSKEYUP : WM_KEYUP, vk, 0);
}

void TestDriver::TypeText(const std::string& text)
{
    for (char ch : text) {
        TypeChar(ch);
    }
}

WPARAM TestDriver::MouseKeys() const
{
    WPARAM keys = 0;
    keys |= IsDown(VK_LBUTTON) ? MK_LBUTTON : 0;
    keys |= IsDown(VK_RBUTTON) ? MK_RBUTTON : 0;
    keys |= IsDown(VK_MBUTTON) ? MK_MBUTTON : 0;
    keys |= IsDown(VK_SHIFT) ? MK_SHIFT : 0;
    keys |= IsDown(VK_CONTROL) ? MK_CONTROL : 0;
    return keys;
}

void TestDriver::PostMouse(HWND hwnd, UINT message, WPARAM extra, int x, int y)
{
    MSG msg;
    msg.pt = ClientToScreenPoint(hwnd, x, y);
    // A window holding the capture gets the mouse wherever it is.
    if (HWND capture = GetCapture(); capture && capture != hwnd && message != WM_MOUSEWHEEL) {
        const POINT origin = ClientToScreenPoint(capture, 0, 0);
        x = msg.pt.x - origin.x;
        y = msg.pt.y - origin.y;
        hwnd = capture;
    }
    msg.hwnd = hwnd;
    msg.message = message;
    msg.time = static_cast<DWORD>(clock_.TickCount64());
    if (message == WM_MOUSEWHEEL) {
        msg.wParam = (extra << 16) | MouseKeys();
        msg.lParam = MAKELPARAM(static_cast<WORD>(msg.pt.x), static_cast<WORD>(msg.pt.y));
    } else {
        // The buttons in wParam are those after this message.
        const int change = ButtonChange(message);
        msg.wParam = change > 0 ? (MouseKeys() | static_cast<WPARAM>(change))
                                : (MouseKeys() & ~static_cast<WPARAM>(-change));
        msg.lParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    }
    PostInputMessage(&msg);
}

void TestDriver::MouseMove(HWND hwnd, int x, int y)
{
    PostMouse(hwnd, WM_MOUSEMOVE, 0, x, y);
}

void TestDriver::MouseDown(HWND hwnd, Button button, int x, int y)
{
    static constexpr UINT downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    UINT message = downs[static_cast<int>(button)];
    const POINT pt = ClientToScreenPoint(hwnd, x, y);
    const std::uint64_t now = clock_.TickCount64();
    const bool doubleClick = lastClick_.hwnd == hwnd && lastClick_.message == message &&
                             now - lastClick_.tick <= GetDoubleClickTime() &&
                             std::abs(pt.x - lastClick_.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                             std::abs(pt.y - lastClick_.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
                             (GetClassLongPtr(hwnd, GCL_STYLE) & CS_DBLCLKS);
    if (doubleClick) {
        lastClick_ = LastClick();
        message += 2;  // the DBLCLK message of the button
    } else {
        lastClick_ = LastClick{hwnd, message, now, pt};
    }
    PostMouse(hwnd, message, 0, x, y);
}

void TestDriver::MouseUp(HWND hwnd, Button button, int x, int y)
{
    static constexpr UINT ups[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    PostMouse(hwnd, ups[static_cast<int>(button)], 0, x, y);
}

void TestDriver::Click(HWND hwnd, Button button, int x, int y)
{
    MouseDown(hwnd, button, x, y);
    MouseUp(hwnd, button, x, y);
}

void TestDriver::Wheel(HWND hwnd, int delta, int x, int y)
{
    PostMouse(hwnd, WM_MOUSEWHEEL, static_cast<WORD>(delta), x, y);
}

void TestDriver::At(std::uint64_t tick, std::function<void()> action)
{
    script_.emplace(tick, std::move(action));
}

int TestDriver::Pump()
{
    int count = 0;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the test's own loop to see.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++count;
    }
    return count;
}

bool TestDriver::AdvanceToNext()
{
    std::uint64_t next = 0;
    bool any = GetNextTimerDue(next);
    if (!script_.empty() && (!any || script_.begin()->first < next)) {
        next = script_.begin()->first;
        any = true;
    }
    if (!any) {
        return false;
    }
    const std::uint64_t now = clock_.TickCount64();
    if (next > now) {
        clock_.Advance(next - now);
    }
    while (!script_.empty() && script_.begin()->first <= clock_.TickCount64()) {
        auto action = std::move(script_.begin()->second);
        script_.erase(script_.begin());
        action();
    }
    Pump();
    return true;
}

void TestDriver::AdvanceBy(std::uint64_t milliseconds)
{
    const std::uint64_t end = clock_.TickCount64() + milliseconds;
    for (;;) {
        Pump();
        std::uint64_t next = end + 1;
        std::uint64_t due;
        if (GetNextTimerDue(due)) {
            next = std::min(next, due);
        }
        if (!script_.empty()) {
            next = std::min(next, script_.begin()->first);
        }
        if (next > end) {
            break;
        }
        AdvanceToNext();
    }
    if (clock_.TickCount64() < end) {
        clock_.Advance(end - clock_.TickCount64());
    }
    Pump();
}

HWND TestDriver::Find(const char* className, const char* text)
{
    if (HWND found = FindInTree(GetDesktopWindow(), className, text)) {
        return found;
    }
    HWND messageOnly = FindWindowEx(HWND_MESSAGE, nullptr, nullptr, nullptr);
    return messageOnly ? FindInTree(GetAncestor(messageOnly, GA_PARENT), className, text) : nullptr;
}

WindowState TestDriver::State(HWND hwnd)
{
    WindowState state;
    ReadWindowState(hwnd, state);
    return state;
}

}  // namespace win
