#include "platform/rtl/Threads.h"

#include "platform/rtl/Exceptions.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>

namespace rtl {

namespace {

struct SyncRequest {
    const std::function<void()>* method;
    bool done = false;
    std::exception_ptr error;
};

// One lock guards every thread's state and the queue of Synchronize calls, so the main thread can wait
// for "a thread ended or a call is queued" on one condition.
struct SharedState {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<SyncRequest*> pending;
    WakeMainThreadHandler wakeMainThread;
};

SharedState& Shared()
{
    static SharedState state;
    return state;
}

std::atomic<std::thread::id>& MainThreadId()
{
    static std::atomic<std::thread::id> id{std::this_thread::get_id()};
    return id;
}

// Runs the queued calls (main thread only). Called and returns with lock held.
bool RunPendingCalls(std::unique_lock<std::mutex>& lock)
{
    SharedState& shared = Shared();
    if (shared.pending.empty()) {
        return false;
    }
    // Calls queued while these run wait for the next round, so a busy worker cannot starve the caller.
    std::deque<SyncRequest*> batch;
    batch.swap(shared.pending);
    lock.unlock();
    for (SyncRequest* request : batch) {
        std::exception_ptr error;
        try {
            (*request->method)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        request->error = error;
        request->done = true;
        shared.changed.notify_all();
        lock.unlock();
    }
    lock.lock();
    return true;
}

// Waits with lock held until finished is true, running queued calls meanwhile on the main thread.
void WaitUntil(std::unique_lock<std::mutex>& lock, const bool& finished)
{
    const bool onMainThread = IsMainThread();
    while (!finished) {
        if (onMainThread && RunPendingCalls(lock)) {
            continue;
        }
        Shared().changed.wait(lock);
    }
}

}  // namespace

void InitializeThreads()
{
    MainThreadId().store(std::this_thread::get_id());
}

bool IsMainThread()
{
    return MainThreadId().load() == std::this_thread::get_id();
}

bool CheckSynchronize(std::uint32_t timeoutMs)
{
    if (!IsMainThread()) {
        throw EThread("CheckSynchronize called from a thread that is not the main thread");
    }
    SharedState& shared = Shared();
    std::unique_lock lock(shared.mutex);
    if (shared.pending.empty() && timeoutMs > 0) {
        shared.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !shared.pending.empty(); });
    }
    return RunPendingCalls(lock);
}

WakeMainThreadHandler SetWakeMainThread(WakeMainThreadHandler handler)
{
    std::lock_guard lock(Shared().mutex);
    std::swap(Shared().wakeMainThread, handler);
    return handler;
}

TThread::TThread()
{
    // Makes the creating thread the main thread when nothing chose one yet.
    MainThreadId();
}

TThread::~TThread()
{
    {
        std::lock_guard lock(Shared().mutex);
        if (started_ && id_ == std::this_thread::get_id()) {
            // Freeing itself at the end of Run: nobody else will join it.
            if (thread_.joinable()) {
                thread_.detach();
            }
            return;
        }
    }
    TerminateAndWait();
}

void TThread::TerminateAndWait()
{
    std::thread worker;
    {
        std::unique_lock lock(Shared().mutex);
        if (!started_ || id_ == std::this_thread::get_id()) {
            return;
        }
        if (!finished_) {
            freeOnTerminate_ = false;
            terminated_.store(true);
            ++waiters_;
            WaitUntil(lock, finished_);
            --waiters_;
        }
        worker = std::move(thread_);
    }
    if (worker.joinable()) {
        worker.join();
    }
}

void TThread::Start()
{
    std::lock_guard lock(Shared().mutex);
    if (started_) {
        throw EThread("Cannot start a thread that has already been started");
    }
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error& e) {
        throw EThread(std::string("Cannot create a thread: ") + e.what());
    }
    id_ = thread_.get_id();
    started_ = true;
}

void TThread::Resume()
{
    if (Suspended()) {
        Start();
    }
}

bool TThread::Suspended() const
{
    std::lock_guard lock(Shared().mutex);
    return !started_;
}

int TThread::WaitFor()
{
    std::thread worker;
    {
        std::unique_lock lock(Shared().mutex);
        if (!started_) {
            throw EThread("Cannot wait for a thread that has not been started");
        }
        if (freeOnTerminate_) {
            throw EThread("Cannot wait for a thread that frees itself when it ends");
        }
        if (id_ == std::this_thread::get_id()) {
            throw EThread("A thread cannot wait for itself");
        }
        ++waiters_;
        WaitUntil(lock, finished_);
        --waiters_;
        worker = std::move(thread_);
    }
    if (worker.joinable()) {
        worker.join();
    }
    return ReturnValue();
}

bool TThread::FreeOnTerminate() const
{
    std::lock_guard lock(Shared().mutex);
    return freeOnTerminate_;
}

void TThread::SetFreeOnTerminate(bool value)
{
    std::lock_guard lock(Shared().mutex);
    if (value && waiters_ > 0) {
        throw EThread("Cannot make a thread free itself while another thread waits for it");
    }
    freeOnTerminate_ = value;
}

std::exception_ptr TThread::FatalException() const
{
    std::lock_guard lock(Shared().mutex);
    return fatalException_;
}

std::thread::id TThread::ThreadID() const
{
    std::lock_guard lock(Shared().mutex);
    return id_;
}

void TThread::Synchronize(const std::function<void()>& method)
{
    if (IsMainThread()) {
        method();
        return;
    }
    SharedState& shared = Shared();
    SyncRequest request{&method, false, nullptr};
    WakeMainThreadHandler wake;
    {
        std::lock_guard lock(shared.mutex);
        shared.pending.push_back(&request);
        wake = shared.wakeMainThread;
        shared.changed.notify_all();
    }
    if (wake) {
        wake();
    }
    {
        std::unique_lock lock(shared.mutex);
        shared.changed.wait(lock, [&] { return request.done; });
    }
    if (request.error) {
        std::rethrow_exception(request.error);
    }
}

void TThread::DoTerminate()
{
    if (onTerminate_) {
        Synchronize([this] { onTerminate_(*this); });
    }
}

void TThread::Run()
{
    SharedState& shared = Shared();
    // Start holds the lock until thread_ and id_ are stored.
    { std::lock_guard lock(shared.mutex); }
    try {
        Execute();
    } catch (...) {
        std::lock_guard lock(shared.mutex);
        fatalException_ = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        std::lock_guard lock(shared.mutex);
        if (!fatalException_) {
            fatalException_ = std::current_exception();
        }
    }
    bool freeItself;
    {
        std::lock_guard lock(shared.mutex);
        finished_ = true;
        freeItself = freeOnTerminate_;
        shared.changed.notify_all();
    }
    // After the lock is released a waiter may delete this object: touch it only when it is ours.
    if (freeItself) {
        delete this;
    }
}

}  // namespace rtl

