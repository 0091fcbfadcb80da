#include "platform/rtl/AtomicFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

namespace {

[[noreturn]] void RaiseCreateError(std::string_view fileName, int error)
{
    throw EFCreateError("Cannot create file \"" + std::string(fileName) + "\". " + SysErrorMessage(error));
}

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

}  // namespace

void WriteFileAtomically(std::string_view fileName, std::string_view data)
{
    if (fileName.empty())
        throw EFCreateError("Cannot create file \"\". The file name is empty.");
    const std::string path = OsFileName(fileName);
    static std::atomic<unsigned> serial{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = path + ".~" + std::to_string(::getpid()) + '-' + std::to_string(serial++) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            RaiseCreateError(fileName, errno);
    }
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        ::close(fd);
        ::unlink(temporary.c_str());
        RaiseCreateError(fileName, EISDIR);
    }
    const bool written = WriteAll(fd, data) && (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                         ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        RaiseCreateError(fileName, error);
    }
    SyncFolder(path);
}

}  // namespace rtl
