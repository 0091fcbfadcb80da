#include "platform/printing/detail/SpoolFile.h"

#include "platform/printing/detail/PrintErrors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace win {

using namespace detail;

namespace {

std::atomic<unsigned> spoolCount{0};

}  // namespace

SpoolFile::SpoolFile(const std::string& folder, unsigned mode)
{
    const std::string stem = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + ".rivuve-spool-" +
                             std::to_string(::getpid()) + "-";
    for (int attempt = 0; fd_ < 0; ++attempt) {
        name_ = stem + std::to_string(spoolCount++);
        fd_ = ::open(name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ < 0 && (errno != EEXIST || attempt > 100)) {
            const int error = errno;
            name_.clear();
            throw FileError("The print file cannot be made in \"" + folder + "\"", error);
        }
    }
}

SpoolFile::~SpoolFile()
{
    Discard();
}

void SpoolFile::Write(const void* bytes, std::size_t count)
{
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t written = ::pwrite(fd_, at, count, static_cast<off_t>(size_));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw FileError("The print file cannot be written", written < 0 ? errno : ENOSPC);
        }
        at += written;
        count -= std::size_t(written);
        size_ += std::uint64_t(written);
    }
}

std::size_t SpoolFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const
{
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer, std::min<std::uint64_t>(count, size_ - offset), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw FileError("The print file cannot be read", got < 0 ? errno : EIO);
        }
        return std::size_t(got);
    }
}

void SpoolFile::Repeat(std::uint64_t offset, std::uint64_t count)
{
    char buffer[65536];
    while (count > 0) {
        const std::size_t got = ReadAt(offset, buffer, std::min<std::uint64_t>(count, sizeof(buffer)));
        Write(buffer, got);
        offset += got;
        count -= got;
    }
}

void SpoolFile::Commit(const std::string& path)
{
    if (::fsync(fd_) != 0) {
        throw FileError("The print file cannot be written", errno);
    }
    if (::rename(name_.c_str(), path.c_str()) != 0) {
        throw FileError("The print file cannot be named \"" + path + "\"", errno);
    }
    ::close(fd_);
    fd_ = -1;
    name_.clear();
}

void SpoolFile::Discard() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!name_.empty()) {
        ::unlink(name_.c_str());
        name_.clear();
    }
}

}  // namespace win
