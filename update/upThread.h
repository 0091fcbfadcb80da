#pragma once
// A worker thread whose calls run on the GUI thread: TupEventThread runs one execute step on its own
// thread and relays calls to the GUI thread by sending message 0x8FFF to one hidden window of the
// process ("TupThreadWindow"), which exists while any thread object does. TupCustomThread is the
// component that gives each start a fresh thread object.
//
// No thread is ever killed. A thread that must end at once (Stop with kill, a replaced or destroyed
// one, a start that timed out) is abandoned: asked to stop, its pending and later relayed calls are
// skipped, and the GUI thread waits for its end while letting sent messages through. Only when that
// wait would deadlock (the call comes from within one of the thread's own relayed calls) is it left
// to end by itself and free its object; its steps then never reach the component again.

#include "platform/classes/Component.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/Threads.h"
#include "platform/wintypes/Types.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace update {

class TupCustomThread;

// The relay message: wParam 0, lParam the TupEventThread.
constexpr win::UINT UpRelayMessage = 0x8FFF;

// The execute step (on the thread) and the terminate handler (on the GUI thread after it). A step checks
// its own thread object, TupEventThread::Current(): the owner's Thread() is a fresh one once the running
// thread was replaced.
using TupThreadStep = std::function<void(TupCustomThread& owner, int& returnValue)>;
// Called with the exception of a step while the owner catches them.
using TupThreadExceptionHandler = std::function<void(TupCustomThread& owner, std::exception_ptr error)>;
using TupRelayedCall = std::function<void()>;

// The system priorities of tpIdle .. tpTimeCritical.
int SystemPriorityOf(rtl::TThreadPriority priority);

class TupEventThread {
public:
    explicit TupEventThread(TupCustomThread* owner);
    // Asks the thread to stop and waits for it (see the unit's comment for a thread that cannot be
    // waited for).
    ~TupEventThread();
    TupEventThread(const TupEventThread&) = delete;
    TupEventThread& operator=(const TupEventThread&) = delete;

    TupCustomThread* Owner() const { return owner_; }
    // The thread object whose step the calling thread runs; null on any other thread.
    static TupEventThread* Current();

    // Runs call on the GUI thread and returns when it has run. An exception of call is raised again
    // here unless the owner catches worker exceptions. Skipped once the thread is abandoned.
    void RelayCall(const TupRelayedCall& call);
    // Waits for the end and answers the return value; on the GUI thread sent messages go through.
    int WaitFor();

    // A created thread is suspended; resuming it the first time starts it. Suspending a running thread
    // pauses it at its next CheckSuspended.
    bool Suspended() const;
    void SetSuspended(bool suspended);
    // Called by the execute step between its steps: waits while the thread is suspended.
    void CheckSuspended();
    void Terminate();
    bool Terminated() const { return terminated_.load(); }
    bool Running() const { return running_.load(); }
    // Terminates the thread and skips its relayed calls from now on.
    void Abandon();
    bool Abandoned() const { return abandoned_.load(); }

    // The priority is kept, not applied, as the runtime's threads keep theirs; a system value outside
    // the table reads as tpNormal.
    rtl::TThreadPriority Priority() const;
    void SetPriority(rtl::TThreadPriority priority);
    int SystemPriority() const { return systemPriority_; }
    void SetSystemPriority(int value) { systemPriority_ = value; }

    void SetExecuteStep(TupThreadStep step) { execute_ = std::move(step); }
    void SetExceptionHandler(TupThreadExceptionHandler handler) { exceptionHandler_ = std::move(handler); }
    void SetTerminateHandler(TupThreadStep handler) { terminateHandler_ = std::move(handler); }
    // A fresh thread object of the same owner, priority and steps.
    std::unique_ptr<TupEventThread> Clone() const;

    // The relay window's procedure; its one message runs the pending call of the thread in lParam.
    static win::LRESULT RelayWindowProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

private:
    friend class TupCustomThread;

    void Start();
    void Run();
    void RunExecuteStep();
    void RunTerminateStep();
    // Leaves a thread that cannot be waited for to end by itself; it frees this object then.
    void Release();
    bool OwnerDestroying() const;
    // Deletes a thread object, or releases it when deleting would wait for a thread that waits for us.
    static void Dispose(std::unique_ptr<TupEventThread> thread);

    TupCustomThread* owner_;
    std::thread thread_;
    win::HANDLE done_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> started_{false};
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> freeWhenDone_{false};
    std::atomic<int> relayDepth_{0};  // relayed calls of this thread running on the GUI thread
    bool catchExceptions_ = true;     // copied from the owner at the start: the thread never reads it
    int returnValue_ = 0;
    int systemPriority_ = 0;

    mutable std::mutex pauseMutex_;
    std::condition_variable pauseChanged_;
    bool paused_ = false;

    const TupRelayedCall* pendingCall_ = nullptr;
    std::exception_ptr callError_;

    TupThreadStep execute_;
    TupThreadExceptionHandler exceptionHandler_;
    TupThreadStep terminateHandler_;
};

class TupCustomThread : public classes::TComponent {
public:
    using StartWaitTimedOutEvent = rtl::Method<void(classes::TObject* sender, bool& terminate)>;

    explicit TupCustomThread(classes::TComponent* owner);
    ~TupCustomThread() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Starts a fresh thread. With WaitAfterStart it waits for its end while processing messages: True
    // when it ended, the component is being destroyed or the application terminates; after
    // StartWaitLimit milliseconds OnStartWaitTimedOut decides, and a terminated thread answers False.
    bool Start();
    // Runs call on the GUI thread on behalf of the thread, unless the owner is being destroyed.
    void Synchronize(const TupRelayedCall& call);
    // kill False asks the execute step to stop; kill True abandons the thread at once.
    void Stop(bool kill);
    void Suspend() { SetSuspended(true); }
    bool Running() const { return thread_->Running(); }
    bool Terminated() const { return thread_->Terminated(); }
    TupEventThread& Thread() const { return *thread_; }

    rtl::TThreadPriority Priority() const { return thread_->Priority(); }
    void SetPriority(rtl::TThreadPriority priority) { thread_->SetPriority(priority); }
    bool Suspended() const;
    void SetSuspended(bool suspended);
    bool CatchWorkerExceptions() const { return catchWorkerExceptions_; }
    void SetCatchWorkerExceptions(bool value) { catchWorkerExceptions_ = value; }
    bool ReleaseOwnerWhenDone() const { return releaseOwnerWhenDone_; }
    void SetReleaseOwnerWhenDone(bool value) { releaseOwnerWhenDone_ = value; }
    bool WaitAfterStart() const { return waitAfterStart_; }
    void SetWaitAfterStart(bool value) { waitAfterStart_ = value; }
    std::uint32_t StartWaitLimit() const { return startWaitLimit_; }
    void SetStartWaitLimit(std::uint32_t milliseconds) { startWaitLimit_ = milliseconds; }

    void SetExecuteStep(TupThreadStep step) { thread_->SetExecuteStep(std::move(step)); }
    void SetExceptionHandler(TupThreadExceptionHandler handler) { thread_->SetExceptionHandler(std::move(handler)); }
    void SetTerminateHandler(TupThreadStep handler) { thread_->SetTerminateHandler(std::move(handler)); }

    StartWaitTimedOutEvent OnStartWaitTimedOut;

protected:
    void Loaded() override;

private:
    friend class TupEventThread;

    // Abandons a running thread and puts a fresh one of the same settings in its place.
    void ReplaceEventThread();
    bool WaitForStartedThread();

    std::unique_ptr<TupEventThread> thread_;
    bool suspended_ = true;
    bool catchWorkerExceptions_ = true;
    bool releaseOwnerWhenDone_ = false;
    bool waitAfterStart_ = false;
    std::uint32_t startWaitLimit_ = 0;
};

}  // namespace update
