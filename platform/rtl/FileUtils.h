#pragma once
// File names, folders and files. Names are ANSI strings; both '\' and '/' separate folders in any name
// given to these routines, and names built here use PathDelim. Conversion to the system's UTF-8 names
// happens only in OsFileName/AnsiFileName.

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

namespace rtl {

constexpr char PathDelim = '/';

// The system's (UTF-8, '/'-separated) form of an ANSI file name, and back. AnsiFileName is also how a
// name from the command line or the environment enters the program; it raises EEncodingError naming the
// name when the ANSI code page cannot hold it.
std::string OsFileName(std::string_view name);
std::string AnsiFileName(std::string_view osName);

bool IsPathDelimiter(char c);

// Parts of a name. ExtractFilePath keeps the trailing separator, ExtractFileDir drops it (except for the
// root). ExtractFileExt includes the dot and looks at the last component only ("a.b/c" has none).
std::string ExtractFilePath(std::string_view name);
std::string ExtractFileDir(std::string_view name);
std::string ExtractFileName(std::string_view name);
std::string ExtractFileExt(std::string_view name);
std::string ChangeFileExt(std::string_view name, std::string_view extension);

// The absolute form of name relative to the current folder, with "." and ".." resolved and separators
// made PathDelim; a trailing separator stays. An empty name gives an empty result.
std::string ExpandFileName(std::string_view name);

std::string IncludeTrailingPathDelimiter(std::string_view name);
std::string ExcludeTrailingPathDelimiter(std::string_view name);
inline std::string IncludeTrailingBackslash(std::string_view name)
{
    return IncludeTrailingPathDelimiter(name);
}
inline std::string ExcludeTrailingBackslash(std::string_view name)
{
    return ExcludeTrailingPathDelimiter(name);
}

// File names compare case-sensitively, as the file system does; the two separators count as equal.
int AnsiCompareFileName(std::string_view a, std::string_view b);
bool SameFileName(std::string_view a, std::string_view b);
// Whether name's extension is extension (with its dot), without regard to case.
bool SameFileExt(std::string_view name, std::string_view extension);

// FileExists is false for folders. The others return false on failure; RenameFile also fails when
// newName exists, and DeleteFile does not remove folders.
bool FileExists(std::string_view name);
bool DirectoryExists(std::string_view name);
bool ForceDirectories(std::string_view dir);
bool CreateDir(std::string_view dir);
bool RemoveDir(std::string_view dir);
bool DeleteFile(std::string_view name);
bool RenameFile(std::string_view oldName, std::string_view newName);

// Last-modification time as a TDateTime in local time; -1 when the file does not exist.
double FileAge(std::string_view name);
// Sets the last-modification time; returns 0 or the errno code.
int FileSetDate(std::string_view name, double age);
// A local TDateTime as the system's file time; false for one the local calendar cannot place.
bool DateTimeToFileTime(double dateTime, timespec& time);
// The size in bytes; -1 when the file does not exist or is a folder.
std::int64_t FileSize(std::string_view name);
// What tells one version of a file from the next: a rewrite renamed over it makes a new file (a new
// inode), a change a new time or size. A file that cannot be found has the empty version.
struct FileVersion {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileVersion&) const = default;
};
// By the system's form of the name, or of an open descriptor.
FileVersion FileVersionOf(const std::string& osName);
FileVersion FileVersionOf(int fd);

// Opens an existing file, by the system's form of its name, for reading without ever waiting on it:
// answers the descriptor, or -1 with errno set: EISDIR for a folder and ErrorNotRegularFile for a FIFO,
// a device or a socket, which a reader would wait on forever or read without end.
int OpenForReading(const std::string& osName);
// Appends what is left of an open file descriptor to content, retrying interrupted reads; 0, or the
// errno of the failure (EFBIG, with nothing of the too-large part appended, when content would grow
// past limit bytes). The descriptor stays open.
int ReadToEnd(int fd, std::string& content, std::int64_t limit = INT64_MAX);

// File attributes with the library's values.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    TSearchRec();
    ~TSearchRec();
    TSearchRec(TSearchRec&&) noexcept;
    TSearchRec& operator=(TSearchRec&&) noexcept;

    std::string Name;
    std::int64_t Size = 0;
    int Attr = 0;
    double Time = 0;  // TDateTime, local time

private:
    friend int FindFirst(std::string_view path, int attr, TSearchRec& searchRec);
    friend int FindNext(TSearchRec& searchRec);
    friend void FindClose(TSearchRec& searchRec);

    struct Finder;
    std::unique_ptr<Finder> finder_;
};

// Lists the entries of a folder whose names match the mask after the last separator of path ('*' and
// '?', without regard to case; "*.*" also matches names without a dot). Hidden entries (names starting
// with '.') are listed only when attr asks for faHidden, folders only when it asks for faDirectory.
// Returns 0, or an errno code: ENOENT when no (further) entry matches.
int FindFirst(std::string_view path, int attr, TSearchRec& searchRec);
int FindNext(TSearchRec& searchRec);
void FindClose(TSearchRec& searchRec);
// Whether name matches mask as FindFirst matches them.
bool MatchesMask(std::string_view name, std::string_view mask);

// The running program's file name and its folder (with a trailing separator).
std::string ProgramFileName();
std::string ProgramFolder();

}  // namespace rtl
