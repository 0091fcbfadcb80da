#include "platform/rtl/AtomicFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

namespace {

// Temporary files are ".~rv", eight letters or digits and ".tmp", whatever the target's name, so that
// a target whose name is as long as the folder allows still has room for its temporary beside it.
constexpr std::string_view kTemporaryStart = ".~rv";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr size_t kTemporaryRandom = 8;
constexpr std::string_view kTemporaryLetters = "0123456789abcdefghijklmnopqrstuvwxyz";

// A temporary file this many seconds old is no longer being written: its writer was killed.
constexpr time_t kLeftoverAge = 60;

// Links followed before giving up, as the system does.
constexpr int kMaxLinks = 40;

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

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a name leads to, following symbolic links (a link's relative target counts from the link's
// folder). The file itself need not exist: a dangling link is written through and makes it. Answers 0 or
// the errno (ELOOP for a cycle).
int ResolveLinks(const std::string& name, std::string& resolved)
{
    resolved = name;
    for (int links = 0; links < kMaxLinks; ++links) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::string target(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(resolved.c_str(), target.data(), target.size());
        if (length < 0)
            return errno;
        if (size_t(length) >= target.size())
            return ENAMETOOLONG;
        target.resize(size_t(length));
        resolved = target.starts_with('/') ? target : FolderOf(resolved) + '/' + target;
    }
    return ELOOP;
}

// A fresh temporary name in folder: eight characters from the process, a counter and the clock.
std::string TemporaryName(const std::string& folder)
{
    static std::atomic<std::uint64_t> serial{0};
    std::uint64_t seed = (std::uint64_t(::getpid()) << 40) ^ (serial++ * 0x9E3779B97F4A7C15ull) ^
                         std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    std::string name = folder + '/' + std::string(kTemporaryStart);
    for (size_t k = 0; k < kTemporaryRandom; ++k) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        name += kTemporaryLetters[size_t(seed >> 33) % kTemporaryLetters.size()];
    }
    return name + std::string(kTemporaryEnd);
}

// Removes the temporaries that writers killed before their rename left in folder. One that is younger
// than a minute may belong to a write still going on (in this process or another), and stays.
void SweepLeftovers(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t oldest = ::time(nullptr) - kLeftoverAge;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsAtomicWriteTemporary(entry->d_name))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (st.st_mtim.tv_sec < oldest)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Flushes the folder entry of the rename; a folder that cannot be opened for this is no failure of the write.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The new file takes the old one's owner where the process may give it (its group at least), then its
// permission bits, which a change of owner may have cleared.
bool TakeOwnerAndMode(int fd, const struct stat& old, bool replacing, const AtomicWriteOptions& options)
{
    if (replacing && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    if (!options.mode.has_value() && !replacing)
        return true;
    return ::fchmod(fd, options.mode.value_or(old.st_mode & 07777)) == 0;
}

// The write itself; answers 0 or the errno of the step that failed.
int TryWrite(const std::string& name, std::string_view data, const AtomicWriteOptions& options)
{
    std::string path;
    if (const int error = ResolveLinks(name, path))
        return error;
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return EISDIR;
    // A FIFO or a device would be replaced by a regular file: that is not what a save of it means.
    if (replacing && !S_ISREG(old.st_mode))
        return ErrorNotRegularFile;
    const std::string folder = FolderOf(path);
    SweepLeftovers(folder);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = TemporaryName(folder);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, options.mode.value_or(0666));
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            return errno;
    }
    const bool written = WriteAll(fd, data) && TakeOwnerAndMode(fd, old, replacing, options) && ::fsync(fd) == 0;
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
    SyncFolder(folder);
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

bool IsAtomicWriteTemporary(std::string_view osEntry)
{
    if (osEntry.size() != kTemporaryStart.size() + kTemporaryRandom + kTemporaryEnd.size() ||
        !osEntry.starts_with(kTemporaryStart) || !osEntry.ends_with(kTemporaryEnd))
        return false;
    const std::string_view random = osEntry.substr(kTemporaryStart.size(), kTemporaryRandom);
    return random.find_first_not_of(kTemporaryLetters) == std::string_view::npos;
}

}  // namespace rtl
