#include "WinFixture.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/detail/Timers.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"

#include <chrono>
#include <thread>

namespace wintest {
namespace {

using namespace win;
using namespace win::detail;

std::vector<std::string> fired;

void ThreadTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time)
{
    fired.push_back("thread " + std::to_string(id == 0 ? 0 : 1) + " at " + std::to_string(time) +
                    (hwnd == nullptr && message == WM_TIMER ? "" : " wrong"));
}

class TimersTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
        hwnd = MakeWindow(WS_OVERLAPPED);
        fired.clear();
    }

    // The window timers that fired, as "id at tick".
    std::vector<std::string> WindowTimers()
    {
        std::vector<std::string> result;
        for (const Received& entry : Log().Entries()) {
            if (entry.message == WM_TIMER && entry.hwnd == hwnd) {
                result.push_back(std::to_string(entry.wParam));
            }
        }
        return result;
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
    HWND hwnd = nullptr;
};

TEST_F(TimersTest, WindowAndThreadTimersFireInOrderOfTheirDueTime)
{
    ASSERT_NE(SetTimer(hwnd, 1, 300, nullptr), 0u);
    ASSERT_NE(SetTimer(hwnd, 2, 200, nullptr), 0u);
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 250, ThreadTimerProc);
    ASSERT_NE(threadTimer, 0u);
    EXPECT_EQ(driver.Pump(), 0) << "nothing is due yet";

    std::vector<std::pair<std::uint64_t, std::string>> order;
    for (int i = 0; i < 4; ++i) {
        Log().Clear();
        fired.clear();
        ASSERT_TRUE(driver.AdvanceToNext());
        for (const std::string& id : WindowTimers()) {
            order.emplace_back(clock.TickCount64(), "window " + id);
        }
        for (const std::string& entry : fired) {
            order.emplace_back(clock.TickCount64(), entry);
        }
    }
    const std::vector<std::pair<std::uint64_t, std::string>> expected = {
        {1200, "window 2"}, {1250, "thread 1 at 1250"}, {1300, "window 1"}, {1400, "window 2"},
    };
    EXPECT_EQ(order, expected);
}

TEST_F(TimersTest, AKilledTimerNeverFiresAndALateThreadGetsOneMessagePerTimer)
{
    SetTimer(hwnd, 1, 100, nullptr);
    SetTimer(hwnd, 2, 100, nullptr);
    clock.Advance(1000);  // ten intervals pass without pumping
    ASSERT_TRUE(KillTimer(hwnd, 2));
    EXPECT_FALSE(KillTimer(hwnd, 2));
    driver.Pump();
    EXPECT_EQ(WindowTimers(), std::vector<std::string>{"1"});
    // A timer re-set with the same id starts a new interval.
    SetTimer(hwnd, 1, 500, nullptr);
    Log().Clear();
    driver.AdvanceBy(499);
    EXPECT_TRUE(WindowTimers().empty());
    driver.AdvanceBy(1);
    EXPECT_EQ(WindowTimers(), std::vector<std::string>{"1"});
    // Destroying the window ends its timers.
    DestroyWindow(hwnd);
    std::uint64_t due;
    EXPECT_FALSE(GetNextTimerDue(due));
}

TEST_F(TimersTest, AWaitingGetMessageWakesForATimerOnTheVirtualClock)
{
    SetTimer(hwnd, 7, 50, nullptr);
    std::thread mover([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        clock.Advance(50);
    });
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    mover.join();
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(TimersTest, ScriptedActionsRunAtTheirTimeAmongTimers)
{
    SetTimer(hwnd, 1, 100, nullptr);
    std::vector<std::string> events;
    driver.At(1150, [&] { events.push_back("action at " + std::to_string(clock.TickCount64())); });
    driver.AdvanceBy(250);
    for (const std::string& id : WindowTimers()) {
        events.push_back("timer " + id);
    }
    EXPECT_EQ(clock.TickCount64(), 1250u);
    EXPECT_EQ(events, (std::vector<std::string>{"action at 1150", "timer 1", "timer 1"}));
}

}  // namespace
}  // namespace wintest
