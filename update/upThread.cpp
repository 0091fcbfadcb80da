#include "update/upThread.h"

#include "update/detail/RelayWindow.h"

#include "platform/classes/Reflection.h"
#include "platform/gui/core/Application.h"
#include "platform/rtl/Clock.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"

#include <array>

namespace update {

namespace {

constexpr std::array<int, 7> SystemPriorities = {-15, -2, -1, 0, 1, 2, 15};

thread_local TupEventThread* currentThread = nullptr;

}  // namespace

int SystemPriorityOf(rtl::TThreadPriority priority)
{
    const auto index = std::size_t(priority);
    return index < SystemPriorities.size() ? SystemPriorities[index] : 0;
}

// --- TupEventThread ---

TupEventThread::TupEventThread(TupCustomThread* owner)
    : owner_(owner), done_(win::CreateEvent(nullptr, win::TRUE, win::FALSE, nullptr))
{
    detail::EnterRelayWindow();
}

TupEventThread::~TupEventThread()
{
    Terminate();
    if (thread_.joinable())
        WaitFor();
    win::CloseHandle(done_);
    detail::LeaveRelayWindow();
}

void TupEventThread::Dispose(std::unique_ptr<TupEventThread> thread)
{
    if (!thread)
        return;
    thread->Abandon();
    if (thread->relayDepth_.load() > 0)
        thread.release()->Release();
}

void TupEventThread::Release()
{
    freeWhenDone_.store(true);
    if (thread_.joinable())
        thread_.detach();
}

void TupEventThread::Terminate()
{
    std::lock_guard lock(pauseMutex_);
    terminated_.store(true);
    pauseChanged_.notify_all();
}

void TupEventThread::Abandon()
{
    abandoned_.store(true);
    Terminate();
}

bool TupEventThread::OwnerDestroying() const
{
    if (abandoned_.load())
        return true;
    const classes::TComponent* owner = owner_;
    return owner->HasState(classes::csDestroying) || (owner->Owner() && owner->Owner()->HasState(classes::csDestroying));
}

bool TupEventThread::Suspended() const
{
    std::lock_guard lock(pauseMutex_);
    return !started_.load() || paused_;
}

void TupEventThread::SetSuspended(bool suspended)
{
    if (!started_.load()) {
        if (!suspended)
            Start();
        return;
    }
    std::lock_guard lock(pauseMutex_);
    paused_ = suspended;
    pauseChanged_.notify_all();
}

void TupEventThread::CheckSuspended()
{
    std::unique_lock lock(pauseMutex_);
    pauseChanged_.wait(lock, [this] { return !paused_ || terminated_.load(); });
}

rtl::TThreadPriority TupEventThread::Priority() const
{
    for (std::size_t index = 0; index < SystemPriorities.size(); ++index)
        if (SystemPriorities[index] == systemPriority_)
            return rtl::TThreadPriority(index);
    return rtl::tpNormal;
}

void TupEventThread::SetPriority(rtl::TThreadPriority priority)
{
    systemPriority_ = SystemPriorityOf(priority);
}

std::unique_ptr<TupEventThread> TupEventThread::Clone() const
{
    auto clone = std::make_unique<TupEventThread>(owner_);
    clone->systemPriority_ = systemPriority_;
    clone->execute_ = execute_;
    clone->exceptionHandler_ = exceptionHandler_;
    clone->terminateHandler_ = terminateHandler_;
    return clone;
}

void TupEventThread::Start()
{
    catchExceptions_ = owner_->CatchWorkerExceptions();
    started_.store(true);
    running_.store(true);  // from the start on, not only once the system has scheduled the thread
    thread_ = std::thread([this] { Run(); });
}

TupEventThread* TupEventThread::Current()
{
    return currentThread;
}

void TupEventThread::Run()
{
    currentThread = this;
    if (!terminated_.load()) {
        running_.store(true);
        try {
            RunExecuteStep();
            if (terminateHandler_)
                RelayCall([this] { RunTerminateStep(); });
        } catch (...) {
            // An exception the owner does not catch ends the thread, as it would end a system thread.
        }
    }
    running_.store(false);
    const bool freeSelf = freeWhenDone_.load();
    win::SetEvent(done_);
    if (freeSelf)
        delete this;
}

void TupEventThread::RunExecuteStep()
{
    if (!execute_ || abandoned_.load())
        return;
    if (!catchExceptions_) {
        execute_(*owner_, returnValue_);
        return;
    }
    try {
        execute_(*owner_, returnValue_);
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (exceptionHandler_)
            RelayCall([this, error] { exceptionHandler_(*owner_, error); });
    }
}

void TupEventThread::RunTerminateStep()
{
    TupCustomThread& owner = *owner_;
    const bool releaseOwner = owner.ReleaseOwnerWhenDone();
    if (terminateHandler_) {
        if (!catchExceptions_) {
            terminateHandler_(owner, returnValue_);
        } else {
            try {
                terminateHandler_(owner, returnValue_);
            } catch (...) {
                if (exceptionHandler_)
                    exceptionHandler_(owner, std::current_exception());
            }
        }
    }
    if (releaseOwner && owner.Owner() && owner.thread_.get() == this) {
        owner.thread_.release();
        owner.thread_ = Clone();
        Release();
        delete owner.Owner();
    }
}

void TupEventThread::RelayCall(const TupRelayedCall& call)
{
    if (abandoned_.load())
        return;
    const win::HWND window = detail::RelayWindow();
    if (!window)
        return;
    callError_ = nullptr;
    pendingCall_ = &call;
    win::SendMessage(window, UpRelayMessage, 0, reinterpret_cast<win::LPARAM>(this));
    pendingCall_ = nullptr;
    if (callError_ && !catchExceptions_)
        std::rethrow_exception(std::exchange(callError_, nullptr));
}

win::LRESULT TupEventThread::RelayWindowProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message != UpRelayMessage)
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    auto* thread = reinterpret_cast<TupEventThread*>(lParam);
    if (!thread || !thread->pendingCall_ || thread->OwnerDestroying())
        return 0;
    thread->callError_ = nullptr;
    ++thread->relayDepth_;
    try {
        (*thread->pendingCall_)();
    } catch (...) {
        thread->callError_ = std::current_exception();
    }
    --thread->relayDepth_;
    return 0;
}

int TupEventThread::WaitFor()
{
    if (!thread_.joinable())
        return returnValue_;
    // Sent messages are handled while this waits, so a relayed call of the thread cannot deadlock it.
    while (win::MsgWaitForMultipleObjects(1, &done_, win::FALSE, win::INFINITE, 0) != win::WAIT_OBJECT_0) {
    }
    thread_.join();
    return returnValue_;
}

// --- TupCustomThread ---

TupCustomThread::TupCustomThread(classes::TComponent* owner)
    : TComponent(owner), thread_(std::make_unique<TupEventThread>(this))
{
}

TupCustomThread::~TupCustomThread()
{
    Destroying();
    TupEventThread::Dispose(std::move(thread_));
}

const classes::TClassInfo& TupCustomThread::StaticClass()
{
    static const classes::TClassInfo info("TupCustomThread", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupCustomThread>(c)
            .Property("Suspended", &TupCustomThread::Suspended, &TupCustomThread::SetSuspended)
            .Default(1)
            .Property("CatchWorkerExceptions", &TupCustomThread::catchWorkerExceptions_)
            .Default(1)
            .Property("ReleaseOwnerWhenDone", &TupCustomThread::releaseOwnerWhenDone_)
            .Default(0)
            .Property("WaitAfterStart", &TupCustomThread::waitAfterStart_)
            .Default(0)
            .Property("StartWaitLimit", &TupCustomThread::startWaitLimit_)
            .Default(0);
    });
    return info;
}

void TupCustomThread::Loaded()
{
    TComponent::Loaded();
    if (!HasState(classes::csDesigning))
        thread_->SetSuspended(suspended_);
}

bool TupCustomThread::Suspended() const
{
    return HasState(classes::csDesigning) ? suspended_ : thread_->Suspended();
}

void TupCustomThread::SetSuspended(bool suspended)
{
    suspended_ = suspended;
    if (!HasState(classes::csDesigning | classes::csLoading))
        thread_->SetSuspended(suspended);
}

void TupCustomThread::ReplaceEventThread()
{
    std::unique_ptr<TupEventThread> fresh = thread_->Clone();
    TupEventThread::Dispose(std::exchange(thread_, std::move(fresh)));
}

bool TupCustomThread::Start()
{
    ReplaceEventThread();
    thread_->SetSuspended(false);
    return waitAfterStart_ ? WaitForStartedThread() : true;
}

bool TupCustomThread::WaitForStartedThread()
{
    // The limit is for the whole wait, however many messages arrive meanwhile.
    const std::uint64_t deadline = rtl::GetTickCount64() + startWaitLimit_;
    gui::TApplication* application = gui::Application();
    for (;;) {
        win::DWORD limit = win::INFINITE;
        if (startWaitLimit_ != 0) {
            const std::uint64_t now = rtl::GetTickCount64();
            limit = now >= deadline ? 0 : win::DWORD(deadline - now);
        }
        const win::DWORD result = win::MsgWaitForMultipleObjects(1, &thread_->done_, win::FALSE, limit, win::QS_ALLINPUT);
        if (result == win::WAIT_OBJECT_0)
            return true;
        if (result == win::WAIT_OBJECT_0 + 1) {
            if (application)
                application->ProcessMessages();
            if (HasState(classes::csDestroying) || (application && application->Terminated()))
                return true;
            continue;
        }
        bool terminate = true;
        if (OnStartWaitTimedOut)
            OnStartWaitTimedOut(this, terminate);
        if (terminate)
            ReplaceEventThread();
        return !terminate;
    }
}

void TupCustomThread::Synchronize(const TupRelayedCall& call)
{
    if (!thread_->OwnerDestroying())
        thread_->RelayCall(call);
}

void TupCustomThread::Stop(bool kill)
{
    if (kill)
        ReplaceEventThread();
    else
        thread_->Terminate();
}

}  // namespace update
