#include "platform/rtl/AtomicFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

namespace {

constexpr std::string_view kTemporaryMark = ".~";
constexpr std::string_view kTemporaryEnd = ".tmp";

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data.remove_prefix(size_t(n));
    }
    return true;
}

// Flushes the folder entry of the rename; a folder that cannot be opened for this is no failure of the write.
void SyncFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The write itself; answers 0 or the errno of the step that failed.
int TryWrite(const std::string& path, std::string_view data, const AtomicWriteOptions& options)
{
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return EISDIR;
    static std::atomic<unsigned> serial{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = path + std::string(kTemporaryMark) + std::to_string(::getpid()) + '-' +
                    std::to_string(serial++) + std::string(kTemporaryEnd);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, options.mode.value_or(0666));
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            return errno;
    }
    // The new file's permissions: as asked, else the old file's, else what open gave it.
    const bool setMode = options.mode.has_value() || replacing;
    const unsigned mode = options.mode.value_or(old.st_mode & 07777);
    const bool written = WriteAll(fd, data) && (!setMode || ::fchmod(fd, mode) == 0) && ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && options.beforeReplace)
        options.beforeReplace();
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolder(path);
    return 0;
}

}  // namespace

void WriteFileAtomically(std::string_view fileName, std::string_view data, const AtomicWriteOptions& options)
{
    if (fileName.empty())
        throw EFCreateError("Cannot create file \"\". The file name is empty.");
    if (const int error = TryWrite(OsFileName(fileName), data, options))
        throw EFCreateError("Cannot create file \"" + std::string(fileName) + "\". " + SysErrorMessage(error));
}

void WriteSystemFileAtomically(const std::string& osName, std::string_view data, const AtomicWriteOptions& options)
{
    if (const int error = TryWrite(osName, data, options))
        RaiseLastOSError(error);
}

bool IsAtomicWriteLeftover(std::string_view osName, std::string_view osEntry)
{
    const size_t slash = osName.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? osName : osName.substr(slash + 1);
    return osEntry.size() > base.size() + kTemporaryMark.size() + kTemporaryEnd.size() &&
           osEntry.starts_with(base) && osEntry.substr(base.size()).starts_with(kTemporaryMark) &&
           osEntry.ends_with(kTemporaryEnd);
}

}  // namespace rtl
