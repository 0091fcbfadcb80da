#pragma once
// Locks and events for threads of one process. Timeouts are real time: they do not follow the
// installed clock (rtl::Clock), so a virtual clock in a test never stalls or hurries a wait.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace rtl {

// A lock the holding thread may enter again; it is free when every Enter has had its Leave.
class TCriticalSection {
public:
    TCriticalSection() = default;
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter();
    // Leaving a section the calling thread does not hold raises EInvalidOperation.
    void Leave();
    bool TryEnter();

private:
    std::recursive_mutex mutex_;
    std::atomic<std::thread::id> owner_{};
    int depth_ = 0;  // touched only by the owner
};

// Holds a critical section for its lifetime.
class CriticalSectionGuard {
public:
    explicit CriticalSectionGuard(TCriticalSection& section) : section_(section) { section_.Enter(); }
    ~CriticalSectionGuard() { section_.Leave(); }
    CriticalSectionGuard(const CriticalSectionGuard&) = delete;
    CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

private:
    TCriticalSection& section_;
};

// wrAbandoned and wrError are never answered here; they exist for callers that test for them.
enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// The timeout that waits without limit.
constexpr std::uint32_t InfiniteWait = 0xFFFFFFFF;

// An event that is set or not. A manual-reset event stays set and releases every waiter until reset;
// an auto-reset event releases one waiter and is cleared by that release.
class TEvent {
public:
    TEvent(bool manualReset, bool initialState);
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // Waits until the event is set or timeoutMs milliseconds passed (0 only tests the state).
    TWaitResult WaitFor(std::uint32_t timeoutMs = InfiniteWait);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const bool manualReset_;
    bool signaled_;
};

// A manual-reset event that starts cleared.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

}  // namespace rtl
