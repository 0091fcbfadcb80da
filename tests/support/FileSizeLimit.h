#pragma once
// Caps the size of files this process writes, for as long as the guard lives: a write past the cap fails
// (EFBIG) instead of raising SIGXFSZ. It binds every user, root too, so tests use it to cut a write off
// half way.

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace testsupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            throw std::runtime_error("cannot read the file size limit");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            throw std::runtime_error("cannot set the file size limit");
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace testsupport
