// The worker thread component: relayed calls on the GUI thread, exceptions, waiting starts, priorities.

#include "update/upThread.h"

#include "tests/update/TransferRecorder.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using update::TupCustomThread;
using update::TupEventThread;
using update_test::PumpUntil;

class WorkerThread : public ::testing::Test {
protected:
    TupCustomThread thread_{nullptr};
    const std::thread::id gui_ = std::this_thread::get_id();
    std::vector<std::string> steps_;
    std::atomic<bool> ended_{false};

    void Record(const std::string& step) { steps_.push_back(step + (std::this_thread::get_id() == gui_ ? "@gui" : "@worker")); }
};

TEST_F(WorkerThread, RelayedCallsRunOnTheGuiThreadInOrder)
{
    thread_.SetExecuteStep([&](TupCustomThread& owner, int& result) {
        for (const char* step : {"first", "second", "third"})
            owner.Synchronize([&, step] { Record(step); });
        result = 7;
    });
    thread_.SetTerminateHandler([&](TupCustomThread&, int& result) {
        Record("terminate " + std::to_string(result));
        ended_ = true;
    });
    ASSERT_TRUE(thread_.Start());
    ASSERT_TRUE(PumpUntil([&] { return ended_.load(); }));
    EXPECT_EQ(steps_, (std::vector<std::string>{"first@gui", "second@gui", "third@gui", "terminate 7@gui"}));
}

TEST_F(WorkerThread, ExceptionsOfTheStepAndOfRelayedCalls)
{
    std::string caught;
    std::string reachedWorker;
    thread_.SetExecuteStep([&](TupCustomThread& owner, int&) {
        try {
            owner.Synchronize([] { throw rtl::Exception("relayed"); });
        } catch (const rtl::Exception& error) {
            reachedWorker = error.Message();
        }
        throw rtl::Exception("step");
    });
    thread_.SetExceptionHandler([&](TupCustomThread&, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const rtl::Exception& e) {
            caught = e.Message() + (std::this_thread::get_id() == gui_ ? "@gui" : "@worker");
        }
    });
    thread_.SetTerminateHandler([&](TupCustomThread&, int&) { ended_ = true; });
    ASSERT_TRUE(thread_.Start());
    ASSERT_TRUE(PumpUntil([&] { return ended_.load(); }));
    EXPECT_EQ(caught, "step@gui");
    EXPECT_EQ(reachedWorker, "");  // caught worker exceptions stay on the GUI side

    // Without catching, a relayed call's exception is raised again in the worker.
    ended_ = false;
    thread_.SetCatchWorkerExceptions(false);
    thread_.SetExecuteStep([&](TupCustomThread& owner, int&) {
        try {
            owner.Synchronize([] { throw rtl::Exception("relayed"); });
        } catch (const rtl::Exception& error) {
            reachedWorker = error.Message();
        }
    });
    ASSERT_TRUE(thread_.Start());
    ASSERT_TRUE(PumpUntil([&] { return ended_.load(); }));
    EXPECT_EQ(reachedWorker, "relayed");
}

class TimeoutAnswer {
public:
    void TimedOut(classes::TObject*, bool& terminate)
    {
        ++calls;
        terminate = terminateThread;
    }
    int calls = 0;
    bool terminateThread = true;
};

TEST_F(WorkerThread, WaitingStartThatTimesOut)
{
    TimeoutAnswer answer;
    thread_.OnStartWaitTimedOut = TupCustomThread::StartWaitTimedOutEvent::Of<&TimeoutAnswer::TimedOut>(&answer);
    std::atomic<int> stepsEnded{0};
    thread_.SetExecuteStep([&](TupCustomThread&, int&) {
        while (!TupEventThread::Current()->Terminated())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ++stepsEnded;
    });
    thread_.SetWaitAfterStart(true);
    thread_.SetStartWaitLimit(100);
    EXPECT_FALSE(thread_.Start());  // terminated: the worker was stopped and waited for
    EXPECT_EQ(answer.calls, 1);
    EXPECT_EQ(stepsEnded.load(), 1);

    answer.terminateThread = false;
    EXPECT_TRUE(thread_.Start());
    EXPECT_EQ(answer.calls, 2);
    EXPECT_TRUE(thread_.Running());
    thread_.Stop(false);
    EXPECT_TRUE(PumpUntil([&] { return stepsEnded.load() == 2 && !thread_.Running(); }));

    thread_.SetStartWaitLimit(0);
    thread_.SetExecuteStep([](TupCustomThread&, int&) {});
    EXPECT_TRUE(thread_.Start());  // no limit: waits for the end
    EXPECT_FALSE(thread_.Running());
}

TEST_F(WorkerThread, SuspendedThreadPausesAtItsChecks)
{
    std::atomic<int> rounds{0};
    thread_.SetExecuteStep([&](TupCustomThread&, int&) {
        while (!TupEventThread::Current()->Terminated()) {
            TupEventThread::Current()->CheckSuspended();
            ++rounds;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_TRUE(thread_.Suspended());  // not started yet
    ASSERT_TRUE(thread_.Start());
    ASSERT_TRUE(PumpUntil([&] { return rounds.load() > 3; }));
    thread_.Suspend();
    EXPECT_TRUE(thread_.Suspended());
    PumpUntil([] { return false; }, 50);
    const int paused = rounds.load();
    PumpUntil([] { return false; }, 100);
    EXPECT_LE(rounds.load(), paused + 1);
    thread_.SetSuspended(false);
    EXPECT_TRUE(PumpUntil([&] { return rounds.load() > paused + 3; }));
    thread_.Stop(true);
    EXPECT_FALSE(thread_.Running());
}

TEST(ThreadPriority, TableAndUnknownValues)
{
    TupCustomThread thread(nullptr);
    const int expected[] = {-15, -2, -1, 0, 1, 2, 15};
    for (int priority = rtl::tpIdle; priority <= rtl::tpTimeCritical; ++priority) {
        thread.SetPriority(rtl::TThreadPriority(priority));
        EXPECT_EQ(thread.Thread().SystemPriority(), expected[priority]);
        EXPECT_EQ(thread.Priority(), rtl::TThreadPriority(priority));
    }
    for (int unknown : {-3, 3, 14, 100}) {
        thread.Thread().SetSystemPriority(unknown);
        EXPECT_EQ(thread.Priority(), rtl::tpNormal) << unknown;
    }
    // A fresh thread object for the next start keeps the priority.
    thread.SetPriority(rtl::tpLower);
    thread.SetExecuteStep([](TupCustomThread&, int&) {});
    ASSERT_TRUE(thread.Start());
    EXPECT_EQ(thread.Priority(), rtl::tpLower);
}

}  // namespace
