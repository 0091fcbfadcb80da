#pragma once
// Routines the update component and its HTTP transfer share: the program's own place, the folders a
// download may name, the online test, a bounded name/value list, waiting with a live GUI, opening web
// pages, HTTP dates, small file routines, and reading the update information file.

#include "platform/rtl/Dates.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/Types.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {
class TStream;
}

namespace update {

// --- the program and its folders ---

// The program's file name and its folder (with a trailing separator), set by initialize().
const std::string& UpgraderProgramPath();
const std::string& UpgraderProgramFolder();
// Sets both from the program's file name (initialize() passes the running program's).
void SetUpgraderProgramPath(const std::string& programPath);

// The program's private temporary folder with a trailing separator; the program folder when there is none.
std::string GetUpdateTempFolder();
// This system has neither folder: both are empty.
std::string GetWindowsFolderPath();
std::string GetSystemFolderPath();

// The folder of a folder macro, by its index in FolderMacros (with a trailing separator); empty for a
// folder this system lacks and for an index outside the table.
std::string GetSpecialFolder(int index);
// "%current%", "%desktop%" ... "%cursors%", in the order of their indexes.
const std::vector<std::string>& FolderMacros();

// Replaces every folder macro of path (without regard to case) by its folder. A path that needs a
// folder this system lacks gives the empty text. With absolute, a result that begins with '/' or '\'
// stays, one that names a drive ("X:") gives the empty text, and any other gets the program folder in
// front: the empty text is an unusable target, never the root.
std::string ExpandFolderMacros(const std::string& path, bool absolute);

// Creates every missing folder on the path of fileName (each prefix ending with a separator);
// failures are ignored.
void CreateFolders(const std::string& fileName);
bool IsExistingFolder(const std::string& path);

// --- online test ---

// The dial-up flag of the registry when it is there, else HasNetworkAddress.
bool IsOnline();
// Whether the last IPv4 address the host's own name resolves to exists and is not 127.0.0.1.
bool HasNetworkAddress();
// The resolver behind HasNetworkAddress: the dotted IPv4 addresses of a host name, in the resolver's
// order. Installing an empty one restores the system's; answers the one installed before.
using HostResolver = std::function<std::vector<std::string>(const std::string& hostName)>;
HostResolver SetHostResolver(HostResolver resolver);

// --- the bounded name/value list ---

// A string list that holds at most LineLimit lines (the oldest goes first) and splits each line at its
// first (or, with SeparatorFromEnd, last) NameValueSeparator.
class TupStringList : public rtl::TStringList {
public:
    int AddObject(const std::string& s, void* object) override;

    // The largest number of lines; lowering it below Count drops nothing at once.
    int LineLimit() const { return lineLimit_; }
    void SetLineLimit(int limit) { lineLimit_ = limit; }
    bool SeparatorFromEnd() const { return separatorFromEnd_; }
    void SetSeparatorFromEnd(bool fromEnd) { separatorFromEnd_ = fromEnd; }

    // 1-based position of the separator in line index, 0 when it has none.
    int SeparatorPos(int index) const;
    std::string NamePart(int index) const;
    std::string ValuePart(int index) const;
    // Only a line that has a separator takes the value.
    void SetValuePart(int index, const std::string& value);
    // Writes every non-empty value, each followed by CR LF, replacing the file as a whole; no file at
    // all when no line has a value.
    void SaveValuesToFile(const std::string& fileName) const;

private:
    int lineLimit_ = INT_MAX;
    bool separatorFromEnd_ = false;
};

// --- waiting with a live GUI ---

// The value of a wait variable that holds no event.
inline const win::HANDLE NoWaitEvent = reinterpret_cast<win::HANDLE>(std::intptr_t{-1});

// Creates a manual-reset event into event and waits for it (milliseconds, 0 without limit) while the
// application's messages are processed; with stopOnTerminate it also ends when the application
// terminates. The event is closed and the variable set to NoWaitEvent at the end.
void WaitWithMessages(win::HANDLE& event, std::uint32_t milliseconds, bool stopOnTerminate);
// Ends the wait on event, unless the variable holds no event.
void SignalWait(win::HANDLE event);
// Closes the main form when there is one and tells the application to terminate.
void CloseApplication();

// --- web pages ---

// Opens address (the HTTP scheme added when it has none): with useBrowser in the program registered for
// ".html", started with the address as its one argument; otherwise, or when none is registered or it does
// not start, through the shell's open verb (the desktop's opener).
void OpenURL(const std::string& address, bool useBrowser);
// The program of the open command registered for extension among the current user's classes
// ("Software\Classes" of the current user, which this system's classes root stands for); false when none.
bool FindHtmlHandler(const std::string& extension, std::string& program);
// Splits a registered command into its program and its parameter text.
void SplitCommandLine(const std::string& command, std::string& program, std::string& parameters);

// --- dates and files ---

// A Date, Last-Modified or Expires header's date as local time; 0 when it is empty or unreadable.
rtl::TDateTime ParseInternetDate(std::string_view text);
// A universal time as local time, by the zone offset in force at that moment.
rtl::TDateTime UtcToLocal(rtl::TDateTime date);

// Sets the last-write and last-access times of file (-1 leaves a time); times are rounded as a DOS date
// is (2 seconds; a date it cannot hold leaves that time). This system keeps no creation time. False when
// the file cannot be opened for writing.
bool SetFileTimes(const std::string& fileName, rtl::TDateTime creation, rtl::TDateTime lastWrite,
                  rtl::TDateTime lastAccess);
// -1 when the file cannot be opened.
std::int64_t GetFileSize64(const std::string& fileName);
// Appends the bytes of the program's resource to stream; false when there is no stream, no such
// resource, an empty one, or writing fails.
bool WriteResourceToStream(const std::string& name, const std::string& type, rtl::TStream* stream);
// round(part * 100 / whole), at most 100; 0 when whole is not positive.
std::uint8_t PercentOf(std::int64_t part, std::int64_t whole);

// --- the update information file ---

enum TupUpdaterVersionControl { byDate, byNumber };

// The value of key (lower-case or not) in the information file: the text after "key=" up to the first
// control character, or with braced after "key={" up to the first '}'; empty when the key is missing.
std::string GetInfoValue(std::string_view text, std::string_view key, bool braced);
// +1, 0 or -1 for versions of up to four dot-separated numbers.
int CompareVersions(std::string_view a, std::string_view b);
// month/day/year; today for anything else.
rtl::TDateTime ParseUsDate(std::string_view text);
// "mm/dd/yyyy", whatever the date settings are.
std::string FormatUsDate(rtl::TDateTime date);
// Whether the information file announces a version newer than the running one.
bool IsNewerVersion(std::string_view infoText, TupUpdaterVersionControl control, std::string_view versionNumber,
                    std::string_view versionDate);
// Empties queue and fills it with the "#url" lines of the information file, in their order.
void FillDownloadQueue(std::string_view infoText, TupStringList& queue);

}  // namespace update
