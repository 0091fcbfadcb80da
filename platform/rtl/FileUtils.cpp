#include "platform/rtl/FileUtils.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Dates.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rtl {

namespace {

constexpr std::string_view kDelimiters = "\\/";

std::string NormalizedDelimiters(std::string_view name)
{
    std::string result(name);
    std::replace(result.begin(), result.end(), '\\', PathDelim);
    return result;
}

bool StatFile(std::string_view name, struct stat& st)
{
    return ::stat(OsFileName(name).c_str(), &st) == 0;
}

// A file time as a local TDateTime; -1 when the system cannot place it in the local calendar.
double ToDateTime(const timespec& ts)
{
    tm local{};
    const time_t seconds = ts.tv_sec;
    TDateTime date, time;
    if (!localtime_r(&seconds, &local) ||
        !TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date) ||
        !TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec, int(ts.tv_nsec / 1'000'000), time))
        return -1;
    // Before the epoch the time of day still counts forward: -1.25 is 6:00 on the day before it.
    return date >= 0 ? date + time : date - time;
}

bool SameCharIgnoringCase(char a, char b)
{
    return a == b || AnsiUpperChar(a) == AnsiUpperChar(b);
}

bool MatchesWildcards(std::string_view name, std::string_view mask)
{
    size_t n = 0;
    size_t m = 0;
    size_t starMask = std::string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || SameCharIgnoringCase(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}


int AttributesOf(std::string_view name, const struct stat& st)
{
    int attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= faDirectory;
    else
        attr |= faArchive;
    // Read-only is "nobody may write", from the mode bits alone, so it does not depend on who asks.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attr |= faReadOnly;
    if (name.starts_with('.') && name != "." && name != "..")
        attr |= faHidden;
    return attr;
}

}  // namespace

struct TSearchRec::Finder {
    DIR* dir = nullptr;
    std::string mask;
    int excludedAttr = 0;

    ~Finder()
    {
        if (dir)
            closedir(dir);
    }
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;
TSearchRec::TSearchRec(TSearchRec&&) noexcept = default;
TSearchRec& TSearchRec::operator=(TSearchRec&&) noexcept = default;

std::string OsFileName(std::string_view name)
{
    // A NUL would silently cut the name at the system call and act on another file.
    if (name.find('\0') != std::string_view::npos)
        throw EInvalidArgument("The file name contains a null character");
    return AnsiToUtf8(NormalizedDelimiters(name));
}

std::string AnsiFileName(std::string_view osName)
{
    try {
        return Utf8ToAnsi(osName);
    } catch (const EEncodingError& e) {
        // Named with '?' for what the code page cannot show, so the user can tell which name it is.
        throw EEncodingError("The name \"" + WideToAnsi(Utf8ToWide(osName)) + "\" cannot be used: " + e.Message());
    }
}

bool IsPathDelimiter(char c)
{
    return c == '/' || c == '\\';
}

std::string ExtractFilePath(std::string_view name)
{
    const size_t i = name.find_last_of(kDelimiters);
    return i == std::string_view::npos ? std::string() : std::string(name.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view name)
{
    const size_t i = name.find_last_of(kDelimiters);
    if (i == std::string_view::npos)
        return {};
    // The root, and a separator that follows another, stay.
    if (i > 0 && !IsPathDelimiter(name[i - 1]))
        return std::string(name.substr(0, i));
    return std::string(name.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view name)
{
    const size_t i = name.find_last_of(kDelimiters);
    return std::string(i == std::string_view::npos ? name : name.substr(i + 1));
}

std::string ExtractFileExt(std::string_view name)
{
    const size_t i = name.find_last_of(".\\/");
    if (i == std::string_view::npos || name[i] != '.')
        return {};
    return std::string(name.substr(i));
}

std::string ChangeFileExt(std::string_view name, std::string_view extension)
{
    const size_t i = name.find_last_of(".\\/");
    std::string result(i == std::string_view::npos || name[i] != '.' ? name : name.substr(0, i));
    result += extension;
    return result;
}

std::string ExpandFileName(std::string_view name)
{
    if (name.empty())
        return {};
    std::string full;
    if (!IsPathDelimiter(name.front())) {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (error)
            RaiseLastOSError(error.value());
        full = IncludeTrailingPathDelimiter(AnsiFileName(current.native()));
    }
    full += name;

    std::vector<std::string_view> parts;
    const std::string_view view(full);
    for (size_t start = 0; start < view.size();) {
        size_t end = view.find_first_of(kDelimiters, start);
        if (end == std::string_view::npos)
            end = view.size();
        const std::string_view part = view.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }

    std::string result;
    for (std::string_view part : parts) {
        result += PathDelim;
        result += part;
    }
    if (result.empty() || IsPathDelimiter(full.back()))
        result += PathDelim;
    return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view name)
{
    std::string result(name);
    if (result.empty() || !IsPathDelimiter(result.back()))
        result += PathDelim;
    return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view name)
{
    if (!name.empty() && IsPathDelimiter(name.back()))
        name.remove_suffix(1);
    return std::string(name);
}

int AnsiCompareFileName(std::string_view a, std::string_view b)
{
    return NormalizedDelimiters(a).compare(NormalizedDelimiters(b));
}

bool SameFileName(std::string_view a, std::string_view b)
{
    return AnsiCompareFileName(a, b) == 0;
}

bool SameFileExt(std::string_view name, std::string_view extension)
{
    return AnsiSameText(ExtractFileExt(name), extension);
}

bool FileExists(std::string_view name)
{
    struct stat st;
    return StatFile(name, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view name)
{
    struct stat st;
    return StatFile(name, st) && S_ISDIR(st.st_mode);
}

bool ForceDirectories(std::string_view dir)
{
    if (dir.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(OsFileName(ExcludeTrailingPathDelimiter(dir)), error);
    return DirectoryExists(dir);
}

bool CreateDir(std::string_view dir)
{
    return ::mkdir(OsFileName(dir).c_str(), 0777) == 0;
}

bool RemoveDir(std::string_view dir)
{
    return ::rmdir(OsFileName(dir).c_str()) == 0;
}

bool DeleteFile(std::string_view name)
{
    return ::unlink(OsFileName(name).c_str()) == 0;
}

bool RenameFile(std::string_view oldName, std::string_view newName)
{
    const std::string from = OsFileName(oldName);
    const std::string to = OsFileName(newName);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: check first, accepting the small window it leaves.
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0)
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

double FileAge(std::string_view name)
{
    struct stat st;
    if (!StatFile(name, st))
        return -1;
    return ToDateTime(st.st_mtim);
}

bool DateTimeToFileTime(double dateTime, timespec& ts)
{
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3'000'000)
        return false;
    int year, month, day, hour, minute, second, millisecond;
    DecodeDate(dateTime, year, month, day);
    DecodeTime(dateTime, hour, minute, second, millisecond);
    tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    errno = 0;
    const time_t seconds = mktime(&local);
    if (seconds == time_t(-1) && errno != 0)
        return false;
    ts.tv_sec = seconds;
    ts.tv_nsec = long(millisecond) * 1'000'000;
    return true;
}

int FileSetDate(std::string_view name, double age)
{
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    if (!DateTimeToFileTime(age, times[1]))
        return EINVAL;
    if (::utimensat(AT_FDCWD, OsFileName(name).c_str(), times, 0) != 0)
        return errno;
    return 0;
}

namespace {

FileVersion VersionOf(const struct stat& st)
{
    return {true, std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec),
            std::int64_t(st.st_mtim.tv_nsec)};
}

}  // namespace

FileVersion FileVersionOf(const std::string& osName)
{
    struct stat st;
    return ::stat(osName.c_str(), &st) == 0 ? VersionOf(st) : FileVersion{};
}

FileVersion FileVersionOf(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? VersionOf(st) : FileVersion{};
}

int OpenForReading(const std::string& osName)
{
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    const int fd = ::open(osName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st;
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!S_ISREG(st.st_mode))
        error = ErrorNotRegularFile;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    if (error) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

int ReadToEnd(int fd, std::string& content, std::int64_t limit)
{
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        if (std::int64_t(content.size()) + n > limit)
            return EFBIG;
        content.append(chunk, size_t(n));
    }
}

std::int64_t FileSize(std::string_view name)
{
    struct stat st;
    if (!StatFile(name, st) || S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

int FindFirst(std::string_view path, int attr, TSearchRec& searchRec)
{
    FindClose(searchRec);
    const std::string folder = ExtractFilePath(path);
    const std::string osFolder = folder.empty() ? std::string(".") : OsFileName(folder);
    DIR* dir = ::opendir(osFolder.c_str());
    if (!dir)
        return errno;
    searchRec.finder_ = std::make_unique<TSearchRec::Finder>();
    searchRec.finder_->dir = dir;
    searchRec.finder_->mask = ExtractFileName(path);
    searchRec.finder_->excludedAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    const int result = FindNext(searchRec);
    if (result != 0)
        FindClose(searchRec);
    return result;
}

int FindNext(TSearchRec& searchRec)
{
    TSearchRec::Finder* finder = searchRec.finder_.get();
    if (!finder)
        return EBADF;
    while (const dirent* entry = ::readdir(finder->dir)) {
        std::string name;
        // A name the ANSI code page cannot hold could not be opened again through its ANSI form, so it is
        // left out of the listing.
        if (!TryUtf8ToAnsi(entry->d_name, name) || !MatchesMask(name, finder->mask))
            continue;
        struct stat st;
        if (::fstatat(::dirfd(finder->dir), entry->d_name, &st, 0) != 0)
            continue;  // removed meanwhile, or a dangling link
        const int attr = AttributesOf(name, st);
        if (attr & finder->excludedAttr)
            continue;
        searchRec.Name = std::move(name);
        searchRec.Size = S_ISDIR(st.st_mode) ? 0 : st.st_size;
        searchRec.Attr = attr;
        searchRec.Time = ToDateTime(st.st_mtim);
        return 0;
    }
    return ENOENT;
}

void FindClose(TSearchRec& searchRec)
{
    searchRec.finder_.reset();
}

std::string ProgramFileName()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        RaiseLastOSError(error.value());
    return AnsiFileName(program.native());
}

std::string ProgramFolder()
{
    return ExtractFilePath(ProgramFileName());
}

bool MatchesMask(std::string_view name, std::string_view mask)
{
    return MatchesWildcards(name, mask) ||
           (mask.ends_with(".*") && MatchesWildcards(name, mask.substr(0, mask.size() - 2)));
}

}  // namespace rtl
