#include "platform/registry/RegistryStore.h"

#include "platform/registry/detail/RegistryStore.h"
#include "platform/registry/detail/RegistryTree.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/registry/detail/RegistryFile.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace win {

using namespace detail;

namespace {

// What identifies one version of the file: a rewrite makes a new file (new inode) and a new time.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    static FileStamp Of(const struct stat& st)
    {
        return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    }

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct Store {
    std::mutex mutex;
    std::filesystem::path fileName;  // empty until first needed
    bool loaded = false;
    RegistryTree tree;
    std::vector<RegistryChange> changes;  // made since the file was last read
    int openCount = 0;
    FileStamp stamp;  // of the file as last read or written
    std::string notice;
    std::function<void()> writeHook;
};

Store& TheStore()
{
    static Store store;
    return store;
}

std::filesystem::path DefaultFileName()
{
    if (const char* name = std::getenv("RIVUVE_REGISTRY"); name && *name)
        return name;
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : "/";
        }
        config = std::filesystem::path(home) / ".config";
    }
    return config / "rivuve" / "registry";
}

const std::filesystem::path& FileName(Store& s)
{
    if (s.fileName.empty())
        s.fileName = DefaultFileName();
    return s.fileName;
}

// A file name as the program shows it: in the ANSI code page.
std::string Shown(const std::filesystem::path& name)
{
    return rtl::WideToAnsi(rtl::Utf8ToWide(name.string()));
}

[[noreturn]] void RaiseWriteError(const std::filesystem::path& name, int error)
{
    throw rtl::EFCreateError("Cannot write the settings file " + Shown(name) + ". " + rtl::SysErrorMessage(error));
}

// Creates the missing folders down to the file's, each readable by the user only.
void CreateFolders(const std::filesystem::path& fileName)
{
    const std::filesystem::path folder = fileName.parent_path();
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path p = folder; !p.empty() && ::access(p.c_str(), F_OK) != 0; p = p.parent_path()) {
        missing.push_back(p);
        if (p == p.parent_path())
            break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST)
            RaiseWriteError(fileName, errno);
}

// The exclusive lock that every running copy takes to read and rewrite the file; the system releases it
// when a holder dies.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& fileName)
    {
        const std::string lockName = fileName.string() + ".lock";
        fd_ = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            RaiseWriteError(fileName, errno);
        while (::flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR) {
                const int error = errno;
                ::close(fd_);
                RaiseWriteError(fileName, error);
            }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { ::close(fd_); }

private:
    int fd_;
};

// The file's bytes and stamp; false when there is no file.
bool ReadWholeFile(const std::filesystem::path& fileName, std::string& text, FileStamp& stamp)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return false;
        throw rtl::EFOpenError("Cannot read the settings file " + Shown(fileName) + ". " +
                               rtl::SysErrorMessage(errno));
    }
    struct stat st {};
    ::fstat(fd, &st);
    text.clear();
    const int error = rtl::ReadToEnd(fd, text);
    ::close(fd);
    if (error)
        throw rtl::EFOpenError("Cannot read the settings file " + Shown(fileName) + ". " + rtl::SysErrorMessage(error));
    stamp = FileStamp::Of(st);
    return true;
}

std::string TimeSuffix()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Renames the damaged file aside under a name no earlier damaged file has, and notes it for the program.
void SetAside(Store& s)
{
    const std::string base = FileName(s).string() + ".damaged-" + TimeSuffix();
    std::string aside = base;
    for (int n = 2; ::access(aside.c_str(), F_OK) == 0; ++n)
        aside = base + '-' + std::to_string(n);
    if (::rename(FileName(s).c_str(), aside.c_str()) != 0)
        RaiseWriteError(FileName(s), errno);
    s.stamp = FileStamp{};
    if (s.notice.empty())
        s.notice = "The settings file " + Shown(FileName(s)) + " was damaged and has been set aside as " +
                   Shown(aside) + "; the program starts with default settings.";
}

// With the file lock held: the file's tree with this process's unwritten changes replayed over it. When
// the file is damaged it is set aside and what this process holds is kept instead.
RegistryTree MergedTree(Store& s)
{
    std::string text;
    FileStamp stamp;
    if (!ReadWholeFile(FileName(s), text, stamp)) {
        s.stamp = FileStamp{};
        RegistryTree tree;
        for (const RegistryChange& change : s.changes)
            ApplyChange(tree, change);
        return tree;
    }
    if (std::optional<RegistryTree> tree = ParseRegistryFile(text)) {
        s.stamp = stamp;
        for (const RegistryChange& change : s.changes)
            ApplyChange(*tree, change);
        return std::move(*tree);
    }
    SetAside(s);
    return s.loaded ? s.tree : RegistryTree{};
}

void Load(Store& s)
{
    if (::access(FileName(s).c_str(), F_OK) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        // No file and so no folder to lock in, perhaps: there is nothing to read.
        s.tree = RegistryTree{};
        for (const RegistryChange& change : s.changes)
            ApplyChange(s.tree, change);
        s.stamp = FileStamp{};
    } else {
        FileLock lock(FileName(s));
        s.tree = MergedTree(s);
    }
    s.loaded = true;
}

bool FileChanged(Store& s)
{
    struct stat st {};
    const FileStamp now = ::stat(FileName(s).c_str(), &st) == 0 ? FileStamp::Of(st) : FileStamp{};
    return !(now == s.stamp);
}

// Removes temporary files that a copy killed while writing left behind; every writer holds the lock
// while its temporary file exists, so with the lock held any such file is stale.
void RemoveStaleTemporaries(const std::filesystem::path& fileName)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(fileName.parent_path(), error))
        if (rtl::IsAtomicWriteLeftover(fileName.string(), entry.path().filename().string()))
            std::filesystem::remove(entry.path(), error);
}

void WriteAtomically(Store& s, std::string_view text)
{
    const std::filesystem::path& fileName = FileName(s);
    try {
        rtl::WriteSystemFileAtomically(fileName.string(), text, {.mode = 0600, .beforeReplace = s.writeHook});
    } catch (const rtl::EOSError& e) {
        RaiseWriteError(fileName, e.ErrorCode());
    }
    struct stat st {};
    s.stamp = ::stat(fileName.c_str(), &st) == 0 ? FileStamp::Of(st) : FileStamp{};
}

void Flush(Store& s)
{
    if (s.changes.empty())
        return;
    CreateFolders(FileName(s));
    FileLock lock(FileName(s));
    RegistryTree merged = MergedTree(s);
    RemoveStaleTemporaries(FileName(s));
    WriteAtomically(s, FormatRegistryFile(merged));
    s.tree = std::move(merged);
    s.changes.clear();
}

}  // namespace

void FlushRegistry()
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    Flush(s);
}

std::string TakeRegistryNotice()
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    return std::exchange(s.notice, std::string());
}

RegistryAccess::RegistryAccess() : lock_(TheStore().mutex)
{
    if (!TheStore().loaded)
        Load(TheStore());
}

const RegistryTree& RegistryAccess::Tree() const
{
    return TheStore().tree;
}

void RegistryAccess::Apply(const RegistryChange& change)
{
    Store& s = TheStore();
    ApplyChange(s.tree, change);
    s.changes.push_back(change);
}

void detail::OpenRegistryStore()
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    if (!s.loaded || (s.openCount == 0 && s.changes.empty() && FileChanged(s)))
        Load(s);
    ++s.openCount;
}

void detail::CloseRegistryStore()
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    if (s.openCount > 0 && --s.openCount == 0) {
        try {
            Flush(s);
        } catch (const rtl::Exception&) {
            // Closing cannot report; the changes stay in memory and the write at exit reports the failure.
        }
    }
}

void UseRegistryFile(const std::filesystem::path& fileName)
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.fileName = fileName;
    s.loaded = false;
    s.tree = RegistryTree{};
    s.changes.clear();
    s.openCount = 0;
    s.stamp = FileStamp{};
    s.notice.clear();
}

void SetRegistryWriteHook(std::function<void()> hook)
{
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.writeHook = std::move(hook);
}

}  // namespace win

namespace win::registry {

void initialize()
{
    UseRegistryFile({});
}

void finalize()
{
    FlushRegistry();
}

}  // namespace win::registry
