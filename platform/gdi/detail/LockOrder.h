#pragma once
// The order of the platform's locks. A thread that holds one of them takes only locks of a later rank:
//
//   1. the system lock (win): windows, queues, hooks, timers, carets, events, the surfaces of windows
//      and the device contexts handed out for them, the display driver
//   2. the GDI lock (gdi): graphics objects, device contexts, image lists and the pixels of surfaces
//   3. short locks, held only for a moment and never while calling out: the system settings, the
//      cursors, global memory, the clipboard
//   4. the handle table's lock, the innermost: taken under any of the others, it takes nothing
//
// So the window system may draw (system lock, then GDI lock) but the GDI never calls up into the window
// system while it holds its lock, and code that holds a short lock lets it go before it tells the
// window system (SetCursor, CloseClipboard). Debug builds check each acquisition of the first two ranks
// and stop the program at the first one out of order.

#include <cstdint>
#include <mutex>

namespace win::detail {

enum class LockRank : std::uint8_t { System = 1, Gdi = 2 };

// For the lock functions (LockSystem, LockGdi): notes that the calling thread takes or gives back a lock
// of the rank. Taking a lock while one of a later rank is held aborts in debug builds.
void NoteLockTaken(LockRank rank);
void NoteLockReleased(LockRank rank);

// A lock of a rank: std::unique_lock with the notes of the order check. Native() is the lock itself, for
// condition variables (a wait gives the lock back and takes it again before it returns).
template <class Mutex, LockRank Rank>
class RankedLock {
public:
    RankedLock() = default;
    explicit RankedLock(Mutex& mutex) : lock_(mutex, std::defer_lock) { lock(); }
    RankedLock(RankedLock&& other) noexcept : lock_(std::move(other.lock_)) {}
    RankedLock& operator=(RankedLock&& other) noexcept
    {
        if (lock_.owns_lock()) {
            unlock();
        }
        lock_ = std::move(other.lock_);
        return *this;
    }
    ~RankedLock()
    {
        if (lock_.owns_lock()) {
            unlock();
        }
    }

    void lock()
    {
        NoteLockTaken(Rank);
        lock_.lock();
    }
    void unlock()
    {
        lock_.unlock();
        NoteLockReleased(Rank);
    }
    bool owns_lock() const { return lock_.owns_lock(); }
    std::unique_lock<Mutex>& Native() { return lock_; }

private:
    std::unique_lock<Mutex> lock_;
};

}  // namespace win::detail
