#include "platform/registry/RegistryStore.h"

#include "platform/registry/detail/RegistryStore.h"
#include "platform/registry/detail/RegistryTree.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/FileUtils.h"
#include "platform/registry/detail/RegistryFile.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace win {

using namespace detail;

namespace {

struct Store {
    std::mutex mutex;
    std::filesystem::path fileName;  // empty until first needed
    bool loaded = false;
    RegistryTree tree;
    std::vector<RegistryChange> changes;  // made since the file was last read
    int openCount = 0;
    rtl::FileVersion stamp;  // of the file as last read or written
    std::string notice;
    bool unsavedNoticeGiven = false;  // since the last successful write
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

// The exclusive lock that every running copy takes to read and rewrite the file. Answers 0 or
// ETIMEDOUT when another copy (a stopped one, say) held it longer than a writer waits; raises when the
// lock file cannot be made.
int TakeLock(rtl::FileLock& lock, const std::filesystem::path& fileName)
{
    const int error = lock.Take(fileName.string() + ".lock", true, fileName.string());
    if (error && error != ETIMEDOUT)
        RaiseWriteError(fileName, error);
    return error;
}

enum class FileRead { Missing, Read, TooLarge };

// The file's bytes and stamp. A file beyond MaxRegistryFileSize is not read: no settings need that much,
// and reading and rewriting it would cost every start and every change of every copy.
FileRead ReadWholeFile(const std::filesystem::path& fileName, std::string& text, rtl::FileVersion& stamp)
{
    const int fd = rtl::OpenForReading(fileName.string());
    if (fd < 0) {
        if (errno == ENOENT)
            return FileRead::Missing;
        throw rtl::EFOpenError("Cannot read the settings file " + Shown(fileName) + ". " +
                               rtl::SysErrorMessage(errno));
    }
    const rtl::FileVersion version = rtl::FileVersionOf(fd);
    text.clear();
    const int error = version.size > MaxRegistryFileSize ? EFBIG : rtl::ReadToEnd(fd, text, MaxRegistryFileSize);
    ::close(fd);
    if (error == EFBIG)
        return FileRead::TooLarge;
    if (error)
        throw rtl::EFOpenError("Cannot read the settings file " + Shown(fileName) + ". " + rtl::SysErrorMessage(error));
    stamp = version;
    return FileRead::Read;
}

void AddNotice(Store& s, const std::string& text)
{
    s.notice += (s.notice.empty() ? "" : "\r\n") + text;
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

// Renames the damaged (or oversized) file aside under a name no earlier damaged file has, and notes it
// for the program.
void SetAside(Store& s)
{
    const std::string base = FileName(s).string() + ".damaged-" + TimeSuffix();
    std::string aside = base;
    for (int n = 2; ::access(aside.c_str(), F_OK) == 0; ++n)
        aside = base + '-' + std::to_string(n);
    if (::rename(FileName(s).c_str(), aside.c_str()) != 0)
        RaiseWriteError(FileName(s), errno);
    s.stamp = rtl::FileVersion{};
    AddNotice(s, "The settings file " + Shown(FileName(s)) + " was damaged and has been set aside as " + Shown(aside) +
                     "; the program starts with default settings.");
}

// With the file lock held: the file's tree with this process's unwritten changes replayed over it. When
// the file is damaged it is set aside and what this process holds is kept instead.
RegistryTree MergedTree(Store& s)
{
    std::string text;
    rtl::FileVersion stamp;
    const FileRead read = ReadWholeFile(FileName(s), text, stamp);
    if (read == FileRead::Missing) {
        s.stamp = rtl::FileVersion{};
        RegistryTree tree;
        for (const RegistryChange& change : s.changes)
            ApplyChange(tree, change);
        return tree;
    }
    if (std::optional<RegistryTree> tree = read == FileRead::Read ? ParseRegistryFile(text) : std::nullopt) {
        s.stamp = stamp;
        for (const RegistryChange& change : s.changes)
            ApplyChange(*tree, change);
        return std::move(*tree);
    }
    SetAside(s);
    return s.loaded ? s.tree : RegistryTree{};
}

// Without the lock (another copy holds it too long) the file is read all the same, since writers replace
// it whole; only a damaged file is left where it is, and the tree kept as it is in memory.
void LoadUnlocked(Store& s)
{
    std::string text;
    rtl::FileVersion stamp;
    std::optional<RegistryTree> tree;
    if (ReadWholeFile(FileName(s), text, stamp) == FileRead::Read)
        tree = ParseRegistryFile(text);
    if (!tree)
        return;
    for (const RegistryChange& change : s.changes)
        ApplyChange(*tree, change);
    s.tree = std::move(*tree);
    s.stamp = stamp;
}

void Load(Store& s)
{
    if (::access(FileName(s).c_str(), F_OK) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        // No file and so no folder to lock in, perhaps: there is nothing to read.
        s.tree = RegistryTree{};
        for (const RegistryChange& change : s.changes)
            ApplyChange(s.tree, change);
        s.stamp = rtl::FileVersion{};
    } else if (rtl::FileLock lock; TakeLock(lock, FileName(s)) == 0) {
        s.tree = MergedTree(s);
    } else {
        LoadUnlocked(s);
    }
    s.loaded = true;
}

bool FileChanged(Store& s)
{
    return rtl::FileVersionOf(FileName(s).string()) != s.stamp;
}

void WriteAtomically(Store& s, std::string_view text)
{
    const std::filesystem::path& fileName = FileName(s);
    try {
        rtl::WriteSystemFileAtomically(fileName.string(), text, {.mode = 0600, .beforeReplace = s.writeHook});
    } catch (const rtl::EOSError& e) {
        RaiseWriteError(fileName, e.ErrorCode());
    }
    s.stamp = rtl::FileVersionOf(fileName.string());
}

void Flush(Store& s)
{
    if (s.changes.empty())
        return;
    CreateFolders(FileName(s));
    rtl::FileLock lock;
    if (TakeLock(lock, FileName(s)) != 0)
        throw rtl::EFCreateError("Cannot write the settings file " + Shown(FileName(s)) +
                                 ". Another copy of the program keeps it locked.");
    RegistryTree merged = MergedTree(s);
    WriteAtomically(s, FormatRegistryFile(merged));
    s.tree = std::move(merged);
    s.changes.clear();
    s.unsavedNoticeGiven = false;
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
        } catch (const rtl::Exception& e) {
            // Closing cannot report; the changes stay in memory for the next write, the program is told
            // once through the notice, and the write at exit reports a failure that lasts.
            if (!s.unsavedNoticeGiven)
                AddNotice(s, "The settings could not be saved: " + e.Message() +
                                 " They are kept and saved with the next change.");
            s.unsavedNoticeGiven = true;
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
    s.stamp = rtl::FileVersion{};
    s.notice.clear();
    s.unsavedNoticeGiven = false;
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
