#include "WinFixture.h"

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ObjectInstance.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/detail/Window.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Timers.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <functional>
#include <thread>

namespace wintest {
namespace {

using namespace win;
using namespace win::detail;

class DriverTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass(CS_DBLCLKS);
        top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, nullptr, "Main");
        child = MakeWindow(WS_CHILD | WS_VISIBLE, top, "Field");
        SetFocus(child);
        driver.Pump();  // the first paint, so that the tests' own loops see only their input
        Log().Clear();
    }

    std::vector<Received> Of(std::initializer_list<UINT> messages)
    {
        std::vector<Received> result;
        for (const Received& entry : Log().Entries()) {
            for (UINT message : messages) {
                if (entry.message == message) {
                    result.push_back(entry);
                }
            }
        }
        return result;
    }

    rtl::VirtualClock clock{0.0, 5000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
    HWND top = nullptr;
    HWND child = nullptr;
};

TEST_F(DriverTest, KeysBecomeCharactersSystemCharactersAndDeadCharacters)
{
    driver.KeyDown(VK_SHIFT);
    driver.PressKey('A');
    driver.KeyUp(VK_SHIFT);
    driver.PressKey('1');
    driver.KeyDown(VK_MENU);
    driver.PressKey('F');
    driver.KeyUp(VK_MENU);
    driver.TypeChar('\xB4', VK_OEM_7, true);  // an accent key of a layout that has one
    driver.TypeChar('\xE9');
    driver.Pump();
    std::vector<std::pair<UINT, WPARAM>> chars;
    for (const Received& entry : Of({WM_CHAR, WM_SYSCHAR, WM_DEADCHAR})) {
        EXPECT_EQ(entry.hwnd, child);
        chars.emplace_back(entry.message, entry.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_CHAR, 'A'}, {WM_CHAR, '1'}, {WM_SYSCHAR, 'f'}, {WM_DEADCHAR, 0xB4}, {WM_CHAR, 0xE9},
    };
    EXPECT_EQ(chars, expected);
    const auto altDown = Of({WM_SYSKEYDOWN});
    ASSERT_EQ(altDown.size(), 2u);
    EXPECT_EQ(altDown[1].wParam, static_cast<WPARAM>('F'));
    EXPECT_NE(altDown[1].lParam & (1 << 29), 0) << "the context bit tells Alt is held";
    EXPECT_FALSE(GetKeyState(VK_MENU) < 0);
}

TEST_F(DriverTest, ClicksCarryPositionButtonsAndBecomeDoubleClicksInTime)
{
    SetWindowRects(top, RECT{100, 100, 400, 300}, RECT{104, 123, 396, 296});
    SetWindowRects(child, RECT{10, 10, 110, 40}, RECT{12, 12, 108, 38});
    driver.Click(child, TestDriver::Button::Left, 5, 6);
    clock.Advance(GetDoubleClickTime());
    driver.Click(child, TestDriver::Button::Left, 6, 6);  // second press in time and place
    clock.Advance(GetDoubleClickTime() + 1);
    driver.Click(child, TestDriver::Button::Left, 6, 6);  // too late
    MSG msg;
    std::vector<UINT> messages;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        messages.push_back(msg.message);
        if (msg.message == WM_LBUTTONDOWN && messages.size() == 1) {
            EXPECT_EQ(msg.wParam, MK_LBUTTON);
            EXPECT_EQ(msg.lParam, MAKELPARAM(5, 6));
            EXPECT_EQ(msg.pt, (POINT{104 + 12 + 5, 123 + 12 + 6}));
            EXPECT_EQ(msg.time, 5000u);
        }
    }
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                        WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(messages, expected);
}

TEST_F(DriverTest, CaptureTakesTheMouseAndIsReleasedWithItsWindow)
{
    SetCapture(top);
    driver.MouseMove(child, 1, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top);
    DestroyWindow(child);
    EXPECT_EQ(GetCapture(), top);
    Log().Clear();
    DestroyWindow(top);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    ASSERT_FALSE(Log().Entries().empty());
    EXPECT_EQ(Log().Entries().front().message, WM_CAPTURECHANGED);
}

TEST_F(DriverTest, FindsWindowsAndReadsTheirState)
{
    EXPECT_EQ(TestDriver::Find("recorder", "Field"), child);
    EXPECT_EQ(TestDriver::Find(nullptr, "Main"), top);
    EXPECT_EQ(TestDriver::Find("Nothing"), nullptr);
    const WindowState state = TestDriver::State(child);
    EXPECT_EQ(state.parent, top);
    EXPECT_TRUE(state.visible);
    EXPECT_EQ(state.windowRect, (RECT{10, 20, 110, 70}));
}

TEST_F(DriverTest, UtilityWindowsRunObjectMethodsAndCanBeSubclassed)
{
    std::vector<UINT> seen;
    const HWND utility = AllocateHWnd([&](TMessage& msg) {
        seen.push_back(msg.Msg);
        msg.Result = msg.Msg == WM_USER ? 5 : 0;
    });
    EXPECT_FALSE(IsWindowVisible(utility));
    EXPECT_EQ(SendMessage(utility, WM_USER, 0, 0), 5);
    // Subclassing an object procedure and calling the previous one.
    static WNDPROC previous = nullptr;
    previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(utility, GWL_WNDPROC));
    SetWindowLongPtr(utility, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) {
                         return CallWindowProc(previous, h, m, w, l) * 10;
                     }));
    EXPECT_EQ(SendMessage(utility, WM_USER, 0, 0), 50);
    SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0);
    SetWindowLongPtr(utility, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    DeallocateHWnd(utility);
    EXPECT_FALSE(IsWindow(utility));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_USER), 2);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_SETTINGCHANGE), 1);
    EXPECT_EQ(seen.back(), WM_NCDESTROY);
}

TEST_F(DriverTest, MessageWaitsEndForEventsInputOrTimeout)
{
    const HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 10, QS_ALLINPUT), WAIT_TIMEOUT);
    // Joined however the test ends: a wait that gives up fails the test instead of ending the program.
    std::jthread setter([&] { SetEvent(event); });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "an auto-reset event is cleared by the wait";
    PostMessage(top, WM_USER, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_KEY), WAIT_TIMEOUT);
    // A message sent from another thread is answered while the thread waits for the event.
    std::thread sender([&] {
        SendMessage(top, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("sent"));
        SetEvent(event);
    });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_KEY), WAIT_OBJECT_0);
    sender.join();
    EXPECT_EQ(GetWindowText(top), "sent");
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
}

TEST_F(DriverTest, AWaitingLoopRunsTheScriptAndTheTimersInsteadOfBlocking)
{
    const std::uint64_t start = clock.TickCount64();
    std::vector<std::uint64_t> ran;
    driver.At(start + 300, [&] {
        ran.push_back(clock.TickCount64());
        PostMessage(top, WM_USER, 7, 0);
    });
    MSG msg;
    // The scripted action posts what GetMessage waits for.
    while (GetMessage(&msg, top, WM_USER, WM_USER) && msg.wParam != 7) {
    }
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(ran, std::vector<std::uint64_t>{start + 300});
    // A timer due later: WaitMessage, on an empty queue, moves the clock to it.
    driver.Pump();
    SetTimer(top, 1, 1000, nullptr);
    WaitMessage();
    EXPECT_EQ(clock.TickCount64(), start + 1300);
    ASSERT_TRUE(PeekMessage(&msg, top, WM_TIMER, WM_TIMER, PM_REMOVE));
    KillTimer(top, 1);
    // A wait with a timeout and nothing else ends at its timeout, on the virtual clock.
    const HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 5000, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_EQ(clock.TickCount64(), start + 6300);
    CloseHandle(event);
    EXPECT_TRUE(driver.Stalls().empty());
}

TEST_F(DriverTest, AWaitThatNothingWillEndFailsNamingItsLoop)
{
    MSG msg;
    struct Case {
        const char* loop;
        std::function<void()> wait;
    };
    const Case cases[] = {
        {"GetMessage", [&] { GetMessage(&msg, top, WM_USER, WM_USER); }},
        {"WaitMessage", [] { WaitMessage(); }},
        {"TestLoop", [] {
             ModalLoopScope scope("TestLoop");
             WaitMessage();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loop);
        try {
            c.wait();
            ADD_FAILURE() << "returned";
        } catch (const EStalled& e) {
            EXPECT_EQ(e.Message(), std::string("Nothing scripted and no timer due while ") + c.loop +
                                       " waits for a message");
        }
        ASSERT_EQ(driver.Stalls().size(), 1u);
        driver.ClearStalls();
        // The thread was asked to quit, so that a loop that caught the failure ends too.
        EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_QUIT);
    }
}

}  // namespace
}  // namespace wintest
