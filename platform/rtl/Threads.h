#pragma once
// Worker threads, and running code on the main thread on their behalf.
//
// The main thread is the one that called InitializeThreads (rtl::initialize does) or, before that, the
// first thread that used this unit. Code that must run there (window and control access) goes through
// TThread::Synchronize; the main thread runs the queued calls in CheckSynchronize, which its message
// loop calls when WakeMainThread tells it a call is waiting, and in TThread::WaitFor.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace rtl {

// Records the calling thread as the main thread.
void InitializeThreads();
bool IsMainThread();

// Runs the Synchronize calls queued so far, first waiting up to timeoutMs (real time) for one to
// arrive when none is queued. Answers whether any ran. Only the main thread may call it (EThread).
// A call that raises passes its exception back to the thread that asked for it.
bool CheckSynchronize(std::uint32_t timeoutMs = 0);

// Called on the requesting thread each time a Synchronize call is queued, so a message loop that sleeps
// can wake up and call CheckSynchronize. Answers the handler installed before.
using WakeMainThreadHandler = std::function<void()>;
WakeMainThreadHandler SetWakeMainThread(WakeMainThreadHandler handler);

// Kept for the program's settings; threads run at the system's normal priority.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A thread running Execute. It is created suspended and runs from Start (see CreateRunningThread).
//
// The thread ends when Execute returns or raises; an exception is kept as FatalException. Then
// DoTerminate runs on the thread, which by default calls OnTerminate on the main thread. A thread with
// FreeOnTerminate deletes itself after that; nobody may wait for it (WaitFor raises EThread) or
// delete it once it ended.
//
// Destroying a thread that still runs stops it with TerminateAndWait, also one with FreeOnTerminate.
// The base destructor runs after the derived one, so a class whose Execute or DoTerminate uses its own
// members calls TerminateAndWait first thing in its own destructor.
class TThread {
public:
    using NotifyEvent = std::function<void(TThread& sender)>;

    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts Execute on a new thread; a thread starts only once (EThread).
    void Start();
    // Starts the thread when it was not started yet, and otherwise does nothing.
    void Resume();
    // True until the thread was started.
    bool Suspended() const;

    // Asks Execute to stop: it reads Terminated and returns.
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }

    // Waits until the thread ended and answers its ReturnValue. On the main thread it keeps running the
    // queued Synchronize calls meanwhile, so a thread that synchronizes cannot deadlock with it.
    // EThread for a thread not started, one that frees itself, or the thread itself.
    int WaitFor();

    bool FreeOnTerminate() const;
    // EThread when turning it on while a thread waits for this one, which would lose its object.
    void SetFreeOnTerminate(bool value);
    // Set before Start: the thread reads it when it ends.
    void SetOnTerminate(NotifyEvent handler) { onTerminate_ = std::move(handler); }

    // The exception that ended Execute, or null; read it after WaitFor.
    std::exception_ptr FatalException() const;
    // The system thread's id once started, none before.
    std::thread::id ThreadID() const;
    TThreadPriority Priority() const { return priority_.load(); }
    void SetPriority(TThreadPriority priority) { priority_.store(priority); }

    // Runs method on the main thread and returns when it has run; on the main thread it runs at once.
    // An exception of method is raised again here.
    static void Synchronize(const std::function<void()>& method);

protected:
    virtual void Execute() = 0;
    // Runs on the thread after Execute: calls OnTerminate on the main thread.
    virtual void DoTerminate();

    // When the thread runs: clears FreeOnTerminate, sets Terminated and waits for the end as WaitFor
    // does. Nothing when it was never started or already joined, or on the thread itself.
    void TerminateAndWait();

    int ReturnValue() const { return returnValue_.load(); }
    void SetReturnValue(int value) { returnValue_.store(value); }

private:
    void Run();

    std::thread thread_;
    std::thread::id id_;
    bool started_ = false;
    bool finished_ = false;
    bool freeOnTerminate_ = false;
    int waiters_ = 0;
    std::exception_ptr fatalException_;
    std::atomic<bool> terminated_{false};
    std::atomic<int> returnValue_{0};
    std::atomic<TThreadPriority> priority_{tpNormal};
    NotifyEvent onTerminate_;
};

// Creates a T (derived from TThread) and starts it: the running form of creation. A base constructor
// cannot start the thread, as Execute must not run before the derived constructor has finished. The
// caller owns the thread unless it frees itself.
template <class T, class... Args>
T* CreateRunningThread(Args&&... args)
{
    auto thread = std::make_unique<T>(std::forward<Args>(args)...);
    thread->Start();
    return thread.release();
}

}  // namespace rtl
