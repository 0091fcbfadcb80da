#pragma once
// An exclusive lock on a file or a folder that every running copy of the program takes to serialise
// its read-modify-write cycles on shared files. The system releases it when its holder dies; a holder
// that is stopped keeps it, so nobody waits for one for long.

#include <cstdint>
#include <string>

namespace rtl {

// How long a writer waits for a lock whose holder makes no progress before it gives up; a write held up
// by a stopped copy of the program is delayed by at most this much.
inline constexpr std::uint32_t kFileLockTimeout = 2000;

class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Takes the lock on osName (the system's form of a name; a missing file is made, readable by the
    // user only, when create is set), waiting on the current clock. The wait ends after timeout
    // milliseconds in which the file guarded (osGuarded, when given) did not change: a holder that keeps
    // rewriting it is alive and busy, not stopped. Answers 0, ETIMEDOUT when the holder kept the lock that
    // long, or the errno of opening it. A lock this object held before is released first.
    int Take(const std::string& osName, bool create, const std::string& osGuarded = {},
             std::uint32_t timeout = kFileLockTimeout);
    bool Held() const { return fd_ >= 0; }

private:
    void Release();

    int fd_ = -1;
};

}  // namespace rtl
