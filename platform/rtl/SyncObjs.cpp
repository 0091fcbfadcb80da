#include "platform/rtl/SyncObjs.h"

#include "platform/rtl/Exceptions.h"

#include <chrono>

namespace rtl {

void TCriticalSection::Enter()
{
    mutex_.lock();
    owner_.store(std::this_thread::get_id());
    ++depth_;
}

void TCriticalSection::Leave()
{
    // Unlocking a mutex the thread does not hold is undefined, so refuse it instead.
    if (owner_.load() != std::this_thread::get_id()) {
        throw EInvalidOperation("Critical section left by a thread that has not entered it");
    }
    if (--depth_ == 0) {
        owner_.store(std::thread::id());
    }
    mutex_.unlock();
}

bool TCriticalSection::TryEnter()
{
    if (!mutex_.try_lock()) {
        return false;
    }
    owner_.store(std::this_thread::get_id());
    ++depth_;
    return true;
}

TEvent::TEvent(bool manualReset, bool initialState) : manualReset_(manualReset), signaled_(initialState)
{
}

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(mutex_);
        signaled_ = true;
    }
    if (manualReset_) {
        changed_.notify_all();
    } else {
        changed_.notify_one();
    }
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(mutex_);
    signaled_ = false;
}

TWaitResult TEvent::WaitFor(std::uint32_t timeoutMs)
{
    std::unique_lock lock(mutex_);
    const auto isSet = [this] { return signaled_; };
    if (timeoutMs == InfiniteWait) {
        changed_.wait(lock, isSet);
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSet)) {
        return wrTimeout;
    }
    if (!manualReset_) {
        signaled_ = false;
    }
    return wrSignaled;
}

}  // namespace rtl
