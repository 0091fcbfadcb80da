#include "platform/rtl/FileLock.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace rtl {

namespace {

// How often a waiting writer tries again.
constexpr std::uint32_t kRetryInterval = 5;

}  // namespace

FileLock::~FileLock()
{
    Release();
}

void FileLock::Release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int FileLock::Take(const std::string& osName, bool create, const std::string& osGuarded, std::uint32_t timeout)
{
    Release();
    const int fd = ::open(osName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (create ? O_CREAT : 0), 0600);
    if (fd < 0)
        return errno;
    // flock cannot wait for a limited time, so the wait is a series of tries on the program's clock.
    std::uint64_t since = GetTickCount64();
    FileVersion seen = FileVersionOf(osGuarded);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return 0;
        }
        const int error = errno;
        if (error != EWOULDBLOCK && error != EINTR) {
            ::close(fd);
            return error;
        }
        if (const FileVersion now = FileVersionOf(osGuarded); now != seen) {
            seen = now;
            since = GetTickCount64();
        }
        const std::uint64_t waited = GetTickCount64() - since;
        if (waited >= timeout) {
            ::close(fd);
            return ETIMEDOUT;
        }
        if (error == EWOULDBLOCK)
            Sleep(static_cast<std::uint32_t>(std::min<std::uint64_t>(kRetryInterval, timeout - waited)));
    }
}

}  // namespace rtl
