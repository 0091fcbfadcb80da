#include "platform/rtl/Clock.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

constexpr double OneMs = 1.0 / 86400000.0;

TEST(VirtualClock, AdvanceMovesWallTimeAndTicksTogether)
{
    rtl::VirtualClock clock(36526.5, 1000);  // 2000-01-01 12:00
    rtl::ScopedClock installed(clock);
    clock.Advance(90 * 60 * 1000);
    EXPECT_NEAR(rtl::Now(), 36526.5 + 1.5 / 24, OneMs / 2);
    EXPECT_EQ(rtl::GetTickCount64(), 1000u + 90 * 60 * 1000);

    // Many small steps must not drift from one big one.
    for (int i = 0; i < 100000; ++i) {
        clock.Advance(1);
    }
    EXPECT_NEAR(rtl::Now(), 36526.5 + 1.5 / 24 + 100.0 / 86400, OneMs / 2);
}

TEST(VirtualClock, SleepAdvancesInsteadOfWaiting)
{
    rtl::VirtualClock clock;
    rtl::ScopedClock installed(clock);
    const auto before = std::chrono::steady_clock::now();
    rtl::Sleep(60 * 60 * 1000);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_EQ(rtl::GetTickCount(), 60u * 60 * 1000);
    EXPECT_NEAR(rtl::Now(), 1.0 / 24, OneMs / 2);
}

TEST(VirtualClock, AWaitNothingEndsMovesTheClockToItsEnd)
{
    rtl::VirtualClock clock(100.0, 1000);
    std::mutex mutex;
    std::condition_variable condition;
    std::unique_lock lock(mutex);
    while (clock.WaitUntil(condition, lock, 1250)) {
        // a spurious wake: wait on
    }
    EXPECT_EQ(clock.TickCount64(), 1250u);
    EXPECT_DOUBLE_EQ(clock.Now(), 100.0 + 250 / 86400000.0);
    EXPECT_FALSE(clock.WaitUntil(condition, lock, 1200)) << "a tick already passed ends the wait at once";
    EXPECT_EQ(clock.TickCount64(), 1250u);
}

TEST(VirtualClock, SetNowLeavesTicksMonotonic)
{
    rtl::VirtualClock clock(40000.0, 5);
    clock.SetNow(30000.25);
    EXPECT_EQ(clock.Now(), 30000.25);
    EXPECT_EQ(clock.TickCount64(), 5u);
    clock.Advance(6 * 60 * 60 * 1000);
    EXPECT_NEAR(clock.Now(), 30000.5, OneMs / 2);
}

TEST(VirtualClock, TickCountWrapsAtTwoToThe32)
{
    rtl::VirtualClock clock(0.0, 0xFFFFFFFFull - 9);
    rtl::ScopedClock installed(clock);
    EXPECT_EQ(rtl::GetTickCount(), 0xFFFFFFF6u);
    clock.Advance(20);
    EXPECT_EQ(rtl::GetTickCount(), 10u);
    EXPECT_EQ(rtl::GetTickCount64(), 0x10000000Aull);
    // Elapsed time measured the 32-bit way survives the wrap.
    EXPECT_EQ(rtl::GetTickCount() - 0xFFFFFFF6u, 20u);
}

TEST(Clock, ScopedClockRestoresThePreviousOne)
{
    rtl::Clock& system = rtl::CurrentClock();
    {
        rtl::VirtualClock outer;
        rtl::ScopedClock installOuter(outer);
        {
            rtl::VirtualClock inner;
            rtl::ScopedClock installInner(inner);
            EXPECT_EQ(&rtl::CurrentClock(), &inner);
        }
        EXPECT_EQ(&rtl::CurrentClock(), &outer);
    }
    EXPECT_EQ(&rtl::CurrentClock(), &system);
    EXPECT_EQ(rtl::SetClock(nullptr), &system);
    EXPECT_EQ(&rtl::CurrentClock(), &system);
}

// The local calendar date and time of day, turned into a TDateTime through the calendar library.
double LocalNowByCalendar()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const sys_days date{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    const sys_days origin{year{1899} / December / 30};
    const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    return static_cast<double>((date - origin).count()) + seconds / 86400.0;
}

TEST(SystemClock, NowIsLocalWallTime)
{
    rtl::SystemClock clock;
    const double expected = LocalNowByCalendar();
    const double now = clock.Now();
    // Within two seconds: the reference drops the milliseconds and the two reads are not simultaneous.
    EXPECT_NEAR(now, expected, 2.0 / 86400);
}

TEST(SystemClock, TicksAdvanceWithSleep)
{
    rtl::SystemClock clock;
    const std::uint64_t before = clock.TickCount64();
    clock.Sleep(20);
    EXPECT_GE(clock.TickCount64() - before, 20u);
}

}  // namespace
