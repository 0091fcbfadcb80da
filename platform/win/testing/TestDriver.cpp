#include "platform/win/testing/TestDriver.h"

#include "platform/gdi/detail/Surface.h"
#include "platform/win/detail/Paint.h"
#include "platform/win/detail/Timers.h"
#include "platform/win/detail/Window.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Timers.h"
#include "platform/win/WindowPos.h"
#include "platform/win/WindowClass.h"

#include "platform/rtl/Collation.h"

#include <algorithm>
#include <cstdlib>

namespace win {

using namespace detail;

namespace {

bool IsDown(UINT vk)
{
    return GetAsyncKeyState(static_cast<int>(vk)) < 0;
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

}  // namespace

TestDriver::TestDriver(rtl::VirtualClock& clock) : clock_(clock)
{
    hook_.runNext = [this](std::optional<std::uint64_t> deadline) { return RunNext(deadline); };
    hook_.stalled = [this](const std::string& loop) {
        const std::string message = "Nothing scripted and no timer due while " + loop + " waits for a message";
        stalls_.push_back(message);
        PostQuitMessage(1);
        throw EStalled(message);
    };
    SetIdleHook(&hook_);
}

TestDriver::~TestDriver()
{
    SetIdleHook(nullptr);
}

bool TestDriver::RunNext(std::optional<std::uint64_t> deadline)
{
    std::uint64_t next = 0;
    bool any = GetNextTimerDue(next);
    if (!script_.empty() && (!any || script_.begin()->first < next)) {
        next = script_.begin()->first;
        any = true;
    }
    if (deadline && (!any || *deadline < next)) {
        next = *deadline;
        any = true;
    }
    const std::uint64_t now = clock_.TickCount64();
    const bool actionDue = !script_.empty() && script_.begin()->first <= std::max(next, now);
    // A timer already due that the waiting loop does not take (another window's, filtered out) is no news.
    if (!any || (next <= now && !actionDue)) {
        return false;
    }
    MoveTo(next);
    if (actionDue) {
        // What the action changed (a modal result, a flag) is seen by the waiting loop only once its wait
        // ends: an empty thread message ends it.
        PostMessage(nullptr, WM_NULL, 0, 0);
    }
    return true;
}

void TestDriver::MoveTo(std::uint64_t next)
{
    const std::uint64_t now = clock_.TickCount64();
    if (next > now) {
        clock_.Advance(next - now);
    }
    while (!script_.empty() && script_.begin()->first <= clock_.TickCount64()) {
        auto action = std::move(script_.begin()->second);
        script_.erase(script_.begin());
        action();
    }
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

void TestDriver::PostMouse(HWND hwnd, UINT message, int wheelDelta, int x, int y)
{
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    PostMouseInput(message, pt, wheelDelta, static_cast<DWORD>(clock_.TickCount64()));
}

void TestDriver::MouseMove(HWND hwnd, int x, int y)
{
    PostMouse(hwnd, WM_MOUSEMOVE, 0, x, y);
}

void TestDriver::MouseDown(HWND hwnd, Button button, int x, int y)
{
    static constexpr UINT downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    PostMouse(hwnd, downs[static_cast<int>(button)], 0, x, y);
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
    PostMouse(hwnd, WM_MOUSEWHEEL, delta, x, y);
}

void TestDriver::At(std::uint64_t tick, std::function<void()> action)
{
    script_.emplace(tick, std::move(action));
}

bool TestDriver::ProcessOne()
{
    if (processOne_) {
        return processOne_();
    }
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        // Left for the test's own loop to see.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

int TestDriver::Pump()
{
    int count = 0;
    while (ProcessOne()) {
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
    MoveTo(next);
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

detail::WindowState TestDriver::State(HWND hwnd)
{
    WindowState state;
    ReadWindowState(hwnd, state);
    return state;
}

DWORD TestDriver::PixelAt(HWND hwnd, int x, int y)
{
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    RECT rootRect;
    POINT pt{x, y};
    if (!GetWindowRect(root, &rootRect) || !ClientToScreen(hwnd, &pt)) {
        return CLR_INVALID;
    }
    pt.x -= rootRect.left;
    pt.y -= rootRect.top;
    DWORD colour = CLR_INVALID;
    ReadWindowSurface(root, [&](const Surface& surface) {
        if (pt.x >= 0 && pt.y >= 0 && pt.x < surface.Width() && pt.y < surface.Height()) {
            colour = ColorFromPixel(surface.Pixel(pt.x, pt.y));
        }
    });
    return colour;
}

}  // namespace win
