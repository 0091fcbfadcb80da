#include "WinFixture.h"

#include "platform/win/Hooks.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include <thread>

namespace wintest {
namespace {

using namespace win;

std::vector<std::string> trace;
HHOOK keyboardHook = nullptr;
HHOOK outerHook = nullptr;
HHOOK callHook = nullptr;
HHOOK getHook = nullptr;
HHOOK mouseHook = nullptr;
MOUSEHOOKSTRUCT lastMouse;

// Swallows the Escape key, passes every other key on.
LRESULT SwallowEscape(int code, WPARAM wParam, LPARAM lParam)
{
    trace.push_back("inner " + std::to_string(code) + " " + std::to_string(wParam));
    if (code == HC_ACTION && wParam == VK_ESCAPE) {
        return 1;
    }
    return CallNextHookEx(keyboardHook, code, wParam, lParam);
}

LRESULT OuterKeyboard(int code, WPARAM wParam, LPARAM lParam)
{
    trace.push_back("outer " + std::to_string(wParam));
    return CallNextHookEx(outerHook, code, wParam, lParam);
}

LRESULT SeeSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_USER) {
        trace.push_back("hook " + std::to_string(call->wParam) + (wParam ? " same thread" : " other thread"));
    }
    return CallNextHookEx(callHook, code, wParam, lParam);
}

LRESULT TracingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER || message == WM_KEYDOWN || message == WM_NULL || message == WM_CHAR) {
        trace.push_back("window " + std::to_string(message) + " " + std::to_string(wParam));
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Swallows exactly one message by putting a procedure in place that answers it and puts the real one back.
WNDPROC savedProc = nullptr;
LRESULT AnswerOnce(HWND hwnd, UINT, WPARAM, LPARAM)
{
    SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc));
    trace.push_back("swallowed");
    return 1;
}

LRESULT SwallowUserPlusOne(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_USER + 1) {
        savedProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(call->hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerOnce)));
    }
    return CallNextHookEx(callHook, code, wParam, lParam);
}

// Neutralises WM_CHAR 'x' as it leaves the queue.
LRESULT DropX(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (wParam == PM_REMOVE && msg->message == WM_CHAR && msg->wParam == 'x') {
        msg->message = WM_NULL;
    }
    return CallNextHookEx(getHook, code, wParam, lParam);
}

LRESULT SwallowRightClicks(int code, WPARAM wParam, LPARAM lParam)
{
    lastMouse = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && wParam == WM_RBUTTONDOWN) {
        return 1;
    }
    return CallNextHookEx(mouseHook, code, wParam, lParam);
}

class HooksTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        WNDCLASSEX windowClass;
        windowClass.lpfnWndProc = TracingProc;
        windowClass.lpszClassName = "Tracing";
        ASSERT_NE(RegisterClassEx(&windowClass), 0);
        hwnd = CreateWindowEx(0, "Tracing", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        trace.clear();
    }

    void Key(UINT message, UINT vk)
    {
        MSG msg;
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = vk;
        msg.lParam = message == WM_KEYUP ? static_cast<LPARAM>(0xC0000001u) : 1;
        ASSERT_TRUE(PostInputMessage(&msg));
    }

    void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    HWND hwnd = nullptr;
};

TEST_F(HooksTest, KeyboardHooksRunNewestFirstAndCanSwallowAKey)
{
    keyboardHook = SetWindowsHookEx(WH_KEYBOARD, SwallowEscape, nullptr, GetCurrentThreadId());
    outerHook = SetWindowsHookEx(WH_KEYBOARD, OuterKeyboard, nullptr, GetCurrentThreadId());
    ASSERT_NE(keyboardHook, nullptr);
    Key(WM_KEYDOWN, VK_ESCAPE);
    Key(WM_KEYDOWN, 'A');
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));  // the hooks see a peek as HC_NOREMOVE
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    trace.clear();
    Pump();
    const std::vector<std::string> expected = {
        "outer 27", "inner 0 27",                                      // Escape: swallowed, never dispatched
        "outer 65", "inner 0 65", "window 256 65", "window 258 97",     // 'A': key down, then its character
    };
    EXPECT_EQ(trace, expected);
    EXPECT_TRUE(UnhookWindowsHookEx(outerHook));
    EXPECT_TRUE(UnhookWindowsHookEx(keyboardHook));
    EXPECT_FALSE(UnhookWindowsHookEx(keyboardHook));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
    trace.clear();
    Key(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(trace, (std::vector<std::string>{"window 256 27", "window 258 27"}));
}

TEST_F(HooksTest, CallWindowHookSeesASentMessageBeforeTheWindow)
{
    callHook = SetWindowsHookEx(WH_CALLWNDPROC, SeeSent, nullptr, GetCurrentThreadId());
    SendMessage(hwnd, WM_USER, 5, 0);
    PostMessage(hwnd, WM_USER, 6, 0);  // dispatched, not sent: no hook
    Pump();
    std::thread([&] { SendNotifyMessage(hwnd, WM_USER, 7, 0); }).join();
    Pump();
    const std::vector<std::string> expected = {
        "hook 5 same thread", "window 1024 5", "window 1024 6", "hook 7 other thread", "window 1024 7",
    };
    EXPECT_EQ(trace, expected);
    UnhookWindowsHookEx(callHook);
}

TEST_F(HooksTest, CallWindowHookCanSwallowOneMessageBySubclassing)
{
    callHook = SetWindowsHookEx(WH_CALLWNDPROC, SwallowUserPlusOne, nullptr, GetCurrentThreadId());
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 1, 0, 0), 1);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"swallowed", "window 1024 0"}));
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(TracingProc));
    UnhookWindowsHookEx(callHook);
}

TEST_F(HooksTest, GetMessageHookRewritesAFetchedMessage)
{
    getHook = SetWindowsHookEx(WH_GETMESSAGE, DropX, nullptr, GetCurrentThreadId());
    PostMessage(hwnd, WM_CHAR, 'x', 0);
    PostMessage(hwnd, WM_CHAR, 'y', 0);
    Pump();
    EXPECT_EQ(trace, (std::vector<std::string>{"window 0 120", "window 258 121"}));
    UnhookWindowsHookEx(getHook);
}

TEST_F(HooksTest, MouseHookGetsItsRecordAndCanDiscardAClick)
{
    mouseHook = SetWindowsHookEx(WH_MOUSE, SwallowRightClicks, nullptr, GetCurrentThreadId());
    for (UINT message : {WM_RBUTTONDOWN, WM_LBUTTONDOWN}) {
        MSG msg;
        msg.hwnd = hwnd;
        msg.message = message;
        msg.lParam = MAKELPARAM(5, 6);
        msg.pt = POINT{105, 206};
        ASSERT_TRUE(PostInputMessage(&msg));
    }
    std::vector<UINT> fetched;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        fetched.push_back(msg.message);
    }
    EXPECT_EQ(fetched, std::vector<UINT>{WM_LBUTTONDOWN});
    EXPECT_EQ(lastMouse.hwnd, hwnd);
    EXPECT_EQ(lastMouse.pt, (POINT{105, 206}));
    EXPECT_EQ(lastMouse.wHitTestCode, static_cast<UINT>(HTCLIENT));
    EXPECT_TRUE(GetKeyState(VK_LBUTTON) < 0);
    EXPECT_FALSE(GetKeyState(VK_RBUTTON) < 0) << "a discarded click leaves the key state alone";
    UnhookWindowsHookEx(mouseHook);
}

TEST_F(HooksTest, OnlyThreadHooksOfKnownTypesInstall)
{
    SetLastError(0);
    EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, SwallowEscape, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_HOOK_NEEDS_HMOD);
    EXPECT_EQ(SetWindowsHookEx(13, SwallowEscape, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_FILTER);
    EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, SwallowEscape, nullptr, 999999), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
}

}  // namespace
}  // namespace wintest
