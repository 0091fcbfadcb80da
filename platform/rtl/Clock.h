#pragma once
// The process-wide clock: wall time, tick count and sleeping. Everything that needs the time asks the
// current clock, so tests can install a VirtualClock whose time moves only when they move it.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace rtl {

class Clock {
public:
    virtual ~Clock() = default;

    // Local wall time as a TDateTime: days since 1899-12-30, the time of day as the fraction.
    virtual double Now() = 0;
    // Milliseconds on a monotonic count; the 32-bit tick count is its low half.
    virtual std::uint64_t TickCount64() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Waits on condition, lock held, until it is notified or the tick count reaches tick; answers whether
    // the tick is still to come (false: the wait timed out).
    virtual bool WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, std::uint64_t tick) = 0;
};

// The machine's clock: wall time of the local time zone, ticks of the monotonic clock.
class SystemClock final : public Clock {
public:
    double Now() override;
    std::uint64_t TickCount64() override;
    void Sleep(std::uint32_t milliseconds) override;
    bool WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, std::uint64_t tick) override;
};

// A clock that stands still until advanced. Sleep advances it instead of waiting; so does a wait that
// nothing ends within a short real moment (RealSlice): time passes for a waiting thread as for a
// sleeping one, and a thread of a test that moves the clock itself is seen within that moment. Safe to
// use from several threads.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double now = 0.0, std::uint64_t ticks = 0);

    double Now() override;
    std::uint64_t TickCount64() override;
    void Sleep(std::uint32_t milliseconds) override;
    bool WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, std::uint64_t tick) override;

    static constexpr std::uint32_t RealSlice = 10;  // milliseconds

    // Moves wall time and ticks forward together.
    void Advance(std::uint64_t milliseconds);
    // Sets the wall time only; the tick count stays monotonic.
    void SetNow(double now);

private:
    std::mutex mutex_;
    double base_;                  // wall time at the last SetNow
    std::uint64_t sinceBase_ = 0;  // milliseconds advanced since then, kept whole to avoid drift
    std::uint64_t ticks_;
};

// The clock in use; the system clock unless one was installed.
Clock& CurrentClock();
// Installs clock (null restores the system clock) and returns the one installed before, which is
// never null. The caller keeps ownership and must keep the clock alive while it is installed.
Clock* SetClock(Clock* clock);

// Installs a clock for the lifetime of the guard and restores the previous one after.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) : previous_(SetClock(&clock)) {}
    ~ScopedClock() { SetClock(previous_); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous_;
};

double Now();
// Milliseconds, wrapping to 0 after 2^32 - 1 (about 49.7 days).
std::uint32_t GetTickCount();
std::uint64_t GetTickCount64();
void Sleep(std::uint32_t milliseconds);

}  // namespace rtl
