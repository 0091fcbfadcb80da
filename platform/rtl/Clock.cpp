#include "platform/rtl/Clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace rtl {

namespace {

constexpr double MillisecondsPerDay = 86400000.0;
constexpr std::int64_t SecondsPerDay = 86400;
// 1970-01-01 as a TDateTime.
constexpr std::int64_t UnixEpochDay = 25569;

SystemClock& TheSystemClock()
{
    static SystemClock clock;
    return clock;
}

std::atomic<Clock*>& Installed()
{
    static std::atomic<Clock*> clock{&TheSystemClock()};
    return clock;
}

}  // namespace

double SystemClock::Now()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
    std::int64_t seconds = ms / 1000;
    std::int64_t millis = ms % 1000;
    if (millis < 0) {
        millis += 1000;
        --seconds;
    }
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    const std::int64_t localSeconds = seconds + local.tm_gmtoff;
    std::int64_t day = localSeconds / SecondsPerDay;
    std::int64_t secondOfDay = localSeconds % SecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += SecondsPerDay;
        --day;
    }
    return static_cast<double>(day + UnixEpochDay) +
           static_cast<double>(secondOfDay * 1000 + millis) / MillisecondsPerDay;
}

std::uint64_t SystemClock::TickCount64()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool SystemClock::WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, std::uint64_t tick)
{
    const std::uint64_t now = TickCount64();
    if (now >= tick) {
        return false;
    }
    condition.wait_for(lock, std::chrono::milliseconds(tick - now));
    return TickCount64() < tick;
}

VirtualClock::VirtualClock(double now, std::uint64_t ticks) : base_(now), ticks_(ticks)
{
}

double VirtualClock::Now()
{
    std::lock_guard lock(mutex_);
    return base_ + static_cast<double>(sinceBase_) / MillisecondsPerDay;
}

std::uint64_t VirtualClock::TickCount64()
{
    std::lock_guard lock(mutex_);
    return ticks_;
}

void VirtualClock::Sleep(std::uint32_t milliseconds)
{
    Advance(milliseconds);
    // A sleeping thread gives up the processor; threads polling the clock rely on that.
    std::this_thread::yield();
}

bool VirtualClock::WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, std::uint64_t tick)
{
    if (TickCount64() >= tick) {
        return false;
    }
    if (condition.wait_for(lock, std::chrono::milliseconds(RealSlice)) == std::cv_status::no_timeout) {
        return TickCount64() < tick;
    }
    std::lock_guard guard(mutex_);
    if (ticks_ < tick) {
        sinceBase_ += tick - ticks_;
        ticks_ = tick;
    }
    return false;
}

void VirtualClock::Advance(std::uint64_t milliseconds)
{
    std::lock_guard lock(mutex_);
    sinceBase_ += milliseconds;
    ticks_ += milliseconds;
}

void VirtualClock::SetNow(double now)
{
    std::lock_guard lock(mutex_);
    base_ = now;
    sinceBase_ = 0;
}

Clock& CurrentClock()
{
    return *Installed().load();
}

Clock* SetClock(Clock* clock)
{
    return Installed().exchange(clock ? clock : &TheSystemClock());
}

double Now()
{
    return CurrentClock().Now();
}

std::uint32_t GetTickCount()
{
    return static_cast<std::uint32_t>(CurrentClock().TickCount64());
}

std::uint64_t GetTickCount64()
{
    return CurrentClock().TickCount64();
}

void Sleep(std::uint32_t milliseconds)
{
    CurrentClock().Sleep(milliseconds);
}

}  // namespace rtl
