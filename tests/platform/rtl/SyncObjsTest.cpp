#include "platform/rtl/SyncObjs.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

bool TryEnterFromOtherThread(rtl::TCriticalSection& section)
{
    bool entered = false;
    std::thread other([&] {
        entered = section.TryEnter();
        if (entered) {
            section.Leave();
        }
    });
    other.join();
    return entered;
}

TEST(TCriticalSection, SameThreadMayEnterTwice)
{
    rtl::TCriticalSection section;
    section.Enter();
    {
        rtl::CriticalSectionGuard again(section);
        EXPECT_TRUE(section.TryEnter());
        section.Leave();
        EXPECT_FALSE(TryEnterFromOtherThread(section));
    }
    EXPECT_FALSE(TryEnterFromOtherThread(section)) << "still held once";
    section.Leave();
    EXPECT_TRUE(TryEnterFromOtherThread(section));
}

TEST(TCriticalSection, LeavingWithoutEnteringIsRefused)
{
    rtl::TCriticalSection section;
    EXPECT_THROW(section.Leave(), rtl::EInvalidOperation);
    section.Enter();
    std::thread other([&] { EXPECT_THROW(section.Leave(), rtl::EInvalidOperation); });
    other.join();
    section.Leave();
    EXPECT_TRUE(TryEnterFromOtherThread(section));
}

TEST(TCriticalSection, ExcludesOtherThreads)
{
    rtl::TCriticalSection section;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                rtl::CriticalSectionGuard guard(section);
                counter = counter + 1;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counter, 40000);
}

TEST(TEvent, ResetModes)
{
    const struct {
        bool manualReset;
        bool initialState;
        rtl::TWaitResult first, second;
    } cases[] = {
        {false, false, rtl::wrTimeout, rtl::wrTimeout},
        {false, true, rtl::wrSignaled, rtl::wrTimeout},
        {true, false, rtl::wrTimeout, rtl::wrTimeout},
        {true, true, rtl::wrSignaled, rtl::wrSignaled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "manual " << c.manualReset << ", initially " << c.initialState);
        rtl::TEvent event(c.manualReset, c.initialState);
        EXPECT_EQ(event.WaitFor(0), c.first);
        EXPECT_EQ(event.WaitFor(0), c.second);
        event.SetEvent();
        EXPECT_EQ(event.WaitFor(0), rtl::wrSignaled);
        EXPECT_EQ(event.WaitFor(0), c.manualReset ? rtl::wrSignaled : rtl::wrTimeout);
        event.SetEvent();
        event.ResetEvent();
        EXPECT_EQ(event.WaitFor(0), rtl::wrTimeout);
    }
    rtl::TSimpleEvent simple;
    EXPECT_EQ(simple.WaitFor(0), rtl::wrTimeout);
    simple.SetEvent();
    EXPECT_EQ(simple.WaitFor(0), rtl::wrSignaled);
    EXPECT_EQ(simple.WaitFor(0), rtl::wrSignaled);
}

TEST(TEvent, TimeoutRunsOnRealTimeEvenUnderAVirtualClock)
{
    rtl::VirtualClock clock;
    rtl::ScopedClock installed(clock);
    rtl::TEvent event(true, false);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(event.WaitFor(30), rtl::wrTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(30));
    EXPECT_EQ(clock.TickCount64(), 0u);
}

// Waits up to a few seconds for the count to reach want, so a fault fails instead of hanging.
bool Reaches(const std::atomic<int>& count, int want)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (count.load() < want && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    return count.load() == want;
}

TEST(TEvent, AutoResetReleasesOneWaiterManualResetAll)
{
    for (bool manualReset : {false, true}) {
        SCOPED_TRACE(manualReset ? "manual reset" : "auto reset");
        rtl::TEvent event(manualReset, false);
        std::atomic<int> released{0};
        std::vector<std::thread> waiters;
        for (int i = 0; i < 3; ++i) {
            waiters.emplace_back([&] {
                EXPECT_EQ(event.WaitFor(5000), rtl::wrSignaled);
                ++released;
            });
        }
        event.SetEvent();
        if (manualReset) {
            EXPECT_TRUE(Reaches(released, 3));
            EXPECT_EQ(event.WaitFor(0), rtl::wrSignaled);
        } else {
            EXPECT_TRUE(Reaches(released, 1));
            // The release used the signal up.
            EXPECT_EQ(event.WaitFor(0), rtl::wrTimeout);
            event.SetEvent();
            EXPECT_TRUE(Reaches(released, 2));
            event.SetEvent();
            EXPECT_TRUE(Reaches(released, 3));
        }
        for (auto& waiter : waiters) {
            waiter.join();
        }
    }
}

}  // namespace
