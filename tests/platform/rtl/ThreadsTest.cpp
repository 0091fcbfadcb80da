#include "platform/rtl/Threads.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SyncObjs.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Ends the process when a test blocks too long, so a deadlock fails instead of hanging.
class Watchdog {
public:
    explicit Watchdog(const char* what)
        : guard_([this, what] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) {
                  std::fprintf(stderr, "Deadlock: %s\n", what);
                  std::abort();
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
        guard_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    std::thread guard_;
};

// A thread that runs a given body.
class BodyThread : public rtl::TThread {
public:
    explicit BodyThread(std::function<int(BodyThread&)> body, std::atomic<int>* destroyed = nullptr)
        : body_(std::move(body)), destroyed_(destroyed)
    {
    }
    ~BodyThread() override
    {
        TerminateAndWait();
        if (destroyed_) {
            ++*destroyed_;
        }
    }
    using TThread::Terminated;

protected:
    void Execute() override { SetReturnValue(body_(*this)); }

private:
    std::function<int(BodyThread&)> body_;
    std::atomic<int>* destroyed_;
};

class Threads : public testing::Test {
protected:
    void SetUp() override { rtl::InitializeThreads(); }
};

TEST_F(Threads, WaitForAnswersTheReturnValue)
{
    std::thread::id ranOn;
    BodyThread thread([&](BodyThread&) {
        ranOn = std::this_thread::get_id();
        return 42;
    });
    EXPECT_TRUE(thread.Suspended());
    EXPECT_EQ(thread.ThreadID(), std::thread::id());
    EXPECT_THROW(thread.WaitFor(), rtl::EThread);
    thread.Start();
    EXPECT_FALSE(thread.Suspended());
    EXPECT_THROW(thread.Start(), rtl::EThread);
    thread.Resume();  // already running: nothing
    EXPECT_EQ(thread.WaitFor(), 42);
    EXPECT_EQ(thread.WaitFor(), 42);
    EXPECT_EQ(ranOn, thread.ThreadID());
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_EQ(thread.FatalException(), nullptr);
}

TEST_F(Threads, CreatedRunning)
{
    std::unique_ptr<BodyThread> thread(rtl::CreateRunningThread<BodyThread>([](BodyThread&) { return 7; }));
    EXPECT_FALSE(thread->Suspended());
    EXPECT_EQ(thread->WaitFor(), 7);
}

TEST_F(Threads, ExceptionInExecuteIsKeptAndTheThreadEndsNormally)
{
    bool terminated = false;
    BodyThread thread([](BodyThread&) -> int { throw rtl::EConvertError("'x' is not a valid integer value"); });
    thread.SetOnTerminate([&](rtl::TThread&) { terminated = true; });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 0);
    EXPECT_TRUE(terminated);
    ASSERT_NE(thread.FatalException(), nullptr);
    try {
        std::rethrow_exception(thread.FatalException());
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
    }
}

TEST_F(Threads, SynchronizeRunsOnTheMainThreadWhileItWaits)
{
    Watchdog watchdog("Synchronize while the main thread is in WaitFor");
    int wakes = 0;
    rtl::WakeMainThreadHandler previous = rtl::SetWakeMainThread([&] { ++wakes; });
    std::vector<bool> onMain;
    BodyThread thread([&](BodyThread&) {
        for (int i = 0; i < 3; ++i) {
            rtl::TThread::Synchronize([&] { onMain.push_back(rtl::IsMainThread()); });
        }
        // An exception of the main-thread call comes back to the thread that asked for it.
        try {
            rtl::TThread::Synchronize([] { throw rtl::EInvalidOperation("refused"); });
        } catch (const rtl::EInvalidOperation&) {
            return 1;
        }
        return 0;
    });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 1);
    rtl::SetWakeMainThread(previous);
    EXPECT_EQ(onMain, std::vector<bool>(3, true));
    EXPECT_EQ(wakes, 4);
}

TEST_F(Threads, SynchronizeOnTheMainThreadRunsAtOnce)
{
    bool ran = false;
    rtl::TThread::Synchronize([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(rtl::CheckSynchronize());
}

TEST_F(Threads, CheckSynchronizeServesAWaitingWorker)
{
    Watchdog watchdog("worker waiting in Synchronize");
    bool ran = false;
    BodyThread thread([&](BodyThread&) {
        EXPECT_FALSE(rtl::IsMainThread());
        EXPECT_THROW(rtl::CheckSynchronize(), rtl::EThread);
        rtl::TThread::Synchronize([&] { ran = true; });
        return 0;
    });
    thread.Start();
    while (!rtl::CheckSynchronize(1000)) {
    }
    EXPECT_TRUE(ran);
    thread.WaitFor();
}

TEST_F(Threads, FreeOnTerminateFiresOnTerminateOnTheMainThreadThenFreesItself)
{
    Watchdog watchdog("thread that frees itself");
    std::atomic<int> destroyed{0};
    bool terminatedOnMain = false;
    rtl::TSimpleEvent go;
    auto* thread = new BodyThread(
        [&](BodyThread&) {
            go.WaitFor();
            return 0;
        },
        &destroyed);
    thread->SetFreeOnTerminate(true);
    thread->SetOnTerminate([&](rtl::TThread& sender) {
        terminatedOnMain = rtl::IsMainThread() && &sender == thread;
        EXPECT_EQ(destroyed, 0);
    });
    thread->Start();
    EXPECT_THROW(thread->WaitFor(), rtl::EThread);
    go.SetEvent();
    // The object is gone after the loop: only the counters tell what happened.
    while (destroyed == 0) {
        rtl::CheckSynchronize(10);
        std::this_thread::yield();
    }
    EXPECT_TRUE(terminatedOnMain);
    EXPECT_EQ(destroyed, 1);
}

// A thread that frees itself is stopped early from the main thread while its end handler still needs the
// main thread: the handler runs during the wait and the object is freed once.
TEST_F(Threads, StoppingAThreadThatFreesItself)
{
    Watchdog watchdog("stopping a thread that frees itself");
    std::atomic<int> destroyed{0};
    int terminations = 0;
    rtl::TSimpleEvent running;
    auto* thread = new BodyThread(
        [&](BodyThread& self) {
            running.SetEvent();
            while (!self.Terminated()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return 0;
        },
        &destroyed);
    thread->SetFreeOnTerminate(true);
    thread->SetOnTerminate([&](rtl::TThread&) { ++terminations; });
    thread->Start();
    ASSERT_EQ(running.WaitFor(5000), rtl::wrSignaled);
    thread->SetFreeOnTerminate(false);
    thread->Terminate();
    thread->WaitFor();
    delete thread;
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(destroyed, 1);
}

std::atomic<bool> spinning{false};

// Its Execute uses no member of its own, so the base destructor may stop it.
class SpinThread : public rtl::TThread {
public:
    explicit SpinThread(std::atomic<int>& destroyed) : destroyed_(destroyed) {}
    ~SpinThread() override { ++destroyed_; }

protected:
    void Execute() override
    {
        spinning = true;
        while (!Terminated()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

private:
    std::atomic<int>& destroyed_;
};

TEST_F(Threads, DestroyingARunningThreadTerminatesAndWaits)
{
    Watchdog watchdog("destroying a running thread");
    std::atomic<int> destroyed{0};
    int terminations = 0;
    spinning = false;
    {
        auto thread = std::make_unique<SpinThread>(destroyed);
        // Freeing itself as well must not free it twice.
        thread->SetFreeOnTerminate(true);
        thread->SetOnTerminate([&](rtl::TThread&) { ++terminations; });
        thread->Start();
        while (!spinning) {
            std::this_thread::yield();
        }
    }
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(Threads, FreeOnTerminateCannotBeTurnedOnWhileAnotherThreadWaits)
{
    Watchdog watchdog("waiting thread");
    rtl::TSimpleEvent go;
    BodyThread worker([&](BodyThread&) {
        go.WaitFor();
        return 5;
    });
    worker.Start();
    int waited = 0;
    std::thread waiter([&] {
        // Refused while the flag happens to be on; it is off for good once the main thread was refused.
        for (;;) {
            try {
                waited = worker.WaitFor();
                return;
            } catch (const rtl::EThread&) {
                std::this_thread::yield();
            }
        }
    });
    // The waiter may not have begun to wait yet; once it has, turning the flag on must be refused.
    bool refused = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!refused && std::chrono::steady_clock::now() < deadline) {
        try {
            worker.SetFreeOnTerminate(true);
            worker.SetFreeOnTerminate(false);
            std::this_thread::yield();
        } catch (const rtl::EThread&) {
            refused = true;
        }
    }
    EXPECT_TRUE(refused);
    EXPECT_FALSE(worker.FreeOnTerminate());
    go.SetEvent();
    waiter.join();
    EXPECT_EQ(waited, 5);
}

}  // namespace
