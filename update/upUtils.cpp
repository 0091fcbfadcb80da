#include "update/upUtils.h"

#include "platform/classes/Resources.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/registry/Registry.h"
#include "platform/registry/ShellFolders.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringUtils.h"
#include "platform/rtl/TempFiles.h"
#include "platform/win/Waits.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace update {

namespace {

std::string programPath;
std::string programFolder;
HostResolver hostResolver;

std::vector<std::string> SystemResolve(const std::string& hostName)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::vector<std::string> addresses;
    if (getaddrinfo(hostName.c_str(), nullptr, &hints, &found) != 0)
        return addresses;
    for (addrinfo* entry = found; entry; entry = entry->ai_next) {
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text))
            addresses.emplace_back(text);
    }
    freeaddrinfo(found);
    return addresses;
}

// The folders of the macros by index; an empty entry is a folder this system lacks.
std::string MacroFolder(int index)
{
    static const char* const shellFolders[] = {"Desktop", "Personal", "My Pictures", "AppData"};
    switch (index) {
    case 0:
        return UpgraderProgramFolder();
    case 1:
    case 2:
    case 3:
    case 4: {
        const std::string folder = win::ShellFolderPath(shellFolders[index - 1]);
        return folder.empty() ? "" : rtl::IncludeTrailingPathDelimiter(folder);
    }
    case 8:
        return GetUpdateTempFolder();
    default:
        return "";
    }
}

// Replaces every occurrence of macro (lower case) in text, without regard to ASCII case; answers
// whether there was one.
bool ReplaceMacro(std::string& text, const std::string& macro, const std::string& folder)
{
    std::string lower = rtl::LowerCase(text);
    std::string result;
    std::size_t from = 0;
    bool found = false;
    for (std::size_t at = lower.find(macro); at != std::string::npos; at = lower.find(macro, from)) {
        result.append(text, from, at - from).append(folder);
        from = at + macro.size();
        found = true;
    }
    if (found)
        text = result + text.substr(from);
    return found;
}

// Lets the list change without telling its handlers, as dropping the oldest line must.
class QuietChange {
public:
    explicit QuietChange(rtl::TStringList& list)
        : list_(list), onChange_(std::move(list.OnChange)), onChanging_(std::move(list.OnChanging))
    {
        list_.OnChange = nullptr;
        list_.OnChanging = nullptr;
    }
    ~QuietChange()
    {
        list_.OnChange = std::move(onChange_);
        list_.OnChanging = std::move(onChanging_);
    }
    QuietChange(const QuietChange&) = delete;
    QuietChange& operator=(const QuietChange&) = delete;

private:
    rtl::TStringList& list_;
    rtl::TStringList::ChangeEvent onChange_;
    rtl::TStringList::ChangeEvent onChanging_;
};

}  // namespace

const std::string& UpgraderProgramPath()
{
    return programPath;
}

const std::string& UpgraderProgramFolder()
{
    return programFolder;
}

void SetUpgraderProgramPath(const std::string& path)
{
    programPath = path;
    programFolder = path.empty() ? "" : rtl::ExtractFilePath(path);
    hostResolver = nullptr;
}

std::string GetUpdateTempFolder()
{
    try {
        const std::string folder = rtl::PrivateTempFolder();
        if (rtl::DirectoryExists(folder))
            return rtl::IncludeTrailingPathDelimiter(folder);
    } catch (const rtl::Exception&) {
        // An unsafe or missing temporary folder: the program folder serves, as on a system without one.
    }
    return UpgraderProgramFolder();
}

std::string GetWindowsFolderPath()
{
    return "";
}

std::string GetSystemFolderPath()
{
    return "";
}

const std::vector<std::string>& FolderMacros()
{
    static const std::vector<std::string> macros = {
        "%current%",      "%desktop%", "%mydocuments%", "%mypictures%", "%appdata%", "%programfiles%",
        "%windows%",      "%system%",  "%temp%",        "%help%",       "%media%",   "%cursors%"};
    return macros;
}

std::string GetSpecialFolder(int index)
{
    if (index < 0 || index >= int(FolderMacros().size()))
        return "";
    return MacroFolder(index);
}

std::string ExpandFolderMacros(const std::string& path, bool absolute)
{
    std::string result = path;
    const std::vector<std::string>& macros = FolderMacros();
    for (std::size_t index = 0; index < macros.size(); ++index) {
        const std::string folder = MacroFolder(int(index));
        if (ReplaceMacro(result, macros[index], folder) && folder.empty())
            return "";
    }
    if (!absolute || result.empty() || result[0] == '/' || result[0] == '\\')
        return result;
    if (result.size() >= 2 && result[1] == ':')
        return "";
    return UpgraderProgramFolder() + result;
}

void CreateFolders(const std::string& fileName)
{
    for (std::size_t at = 1; at < fileName.size(); ++at)
        if (rtl::IsPathDelimiter(fileName[at]) && !rtl::DirectoryExists(fileName.substr(0, at)))
            rtl::CreateDir(fileName.substr(0, at));
}

bool IsExistingFolder(const std::string& path)
{
    return rtl::DirectoryExists(path);
}

bool IsOnline()
{
    win::TRegistry registry;
    registry.SetRootKey(win::HKEY_LOCAL_MACHINE);
    if (registry.OpenKeyReadOnly("\\System\\CurrentControlSet\\Services\\RemoteAccess")) {
        const std::string name = "Remote Connection";
        if (registry.GetDataType(name) == win::rdInteger)
            return registry.ReadInteger(name) == 1;
        if (registry.GetDataType(name) == win::rdBinary && registry.GetDataSize(name) == 4) {
            std::int32_t flag = 0;
            registry.ReadBinaryData(name, &flag, sizeof flag);
            return flag == 1;
        }
    }
    return HasNetworkAddress();
}

bool HasNetworkAddress()
{
    char hostName[256] = {};
    if (gethostname(hostName, sizeof hostName - 1) != 0)
        return false;
    const std::vector<std::string> addresses = hostResolver ? hostResolver(hostName) : SystemResolve(hostName);
    return !addresses.empty() && !addresses.back().empty() && addresses.back() != "127.0.0.1";
}

HostResolver SetHostResolver(HostResolver resolver)
{
    std::swap(hostResolver, resolver);
    return resolver;
}

int TupStringList::AddObject(const std::string& s, void* object)
{
    int index = 0;
    if (Sorted() && Duplicates() != rtl::TDuplicates::Accept && Find(s, index))
        return TStringList::AddObject(s, object);  // the existing index, or the duplicate error
    if (Count() > 0 && Count() >= lineLimit_) {
        QuietChange quiet(*this);
        Delete(0);
    }
    return TStringList::AddObject(s, object);
}

int TupStringList::SeparatorPos(int index) const
{
    const std::string line = Strings(index);
    const std::size_t at = separatorFromEnd_ ? line.rfind(NameValueSeparator()) : line.find(NameValueSeparator());
    return at == std::string::npos ? 0 : int(at) + 1;
}

std::string TupStringList::NamePart(int index) const
{
    const int at = SeparatorPos(index);
    const std::string line = Strings(index);
    return at == 0 ? line : line.substr(0, std::size_t(at) - 1);
}

std::string TupStringList::ValuePart(int index) const
{
    const int at = SeparatorPos(index);
    return at == 0 ? "" : Strings(index).substr(std::size_t(at));
}

void TupStringList::SetValuePart(int index, const std::string& value)
{
    if (SeparatorPos(index) != 0)
        SetStrings(index, NamePart(index) + NameValueSeparator() + value);
}

void TupStringList::SaveValuesToFile(const std::string& fileName) const
{
    std::string content;
    for (int index = 0; index < Count(); ++index) {
        const std::string value = ValuePart(index);
        if (!value.empty())
            content += value + "\r\n";
    }
    if (!content.empty())
        rtl::WriteFileAtomically(fileName, content);
}

void WaitWithMessages(win::HANDLE& event, std::uint32_t milliseconds, bool stopOnTerminate)
{
    event = win::CreateEvent(nullptr, win::TRUE, win::FALSE, nullptr);
    const std::uint64_t deadline = rtl::GetTickCount64() + milliseconds;
    gui::TApplication* application = gui::Application();
    for (;;) {
        win::DWORD timeout = win::INFINITE;
        if (milliseconds != 0) {
            const std::uint64_t now = rtl::GetTickCount64();
            timeout = now >= deadline ? 0 : win::DWORD(deadline - now);
        }
        const win::DWORD result = win::MsgWaitForMultipleObjects(1, &event, win::FALSE, timeout, win::QS_ALLINPUT);
        if (result != win::WAIT_OBJECT_0 + 1)
            break;
        if (application)
            application->ProcessMessages();
        if (stopOnTerminate && application && application->Terminated())
            break;
    }
    win::CloseHandle(event);
    event = NoWaitEvent;
}

void SignalWait(win::HANDLE event)
{
    if (event != nullptr && event != NoWaitEvent)
        win::SetEvent(event);
}

void CloseApplication()
{
    gui::TApplication* application = gui::Application();
    if (!application)
        return;
    if (application->MainForm())
        application->MainForm()->Close();
    application->Terminate();
}

bool SetFileTimes(const std::string& fileName, rtl::TDateTime, rtl::TDateTime lastWrite, rtl::TDateTime lastAccess)
{
    std::string osName;
    try {
        osName = rtl::OsFileName(fileName);
    } catch (const rtl::Exception&) {
        return false;
    }
    const int fd = open(osName.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    // File times pass through DOS dates: local time, years 1980 to 2107, even seconds.
    auto toTimespec = [](rtl::TDateTime date) {
        timespec time{0, UTIME_OMIT};
        if (date == -1 || !(date >= rtl::EncodeDate(1980, 1, 1)) || date >= rtl::EncodeDate(2108, 1, 1))
            return time;
        int hour, minute, second, millisecond;
        rtl::DecodeTime(date, hour, minute, second, millisecond);
        timespec even{};
        if (rtl::DateTimeToFileTime(std::floor(date) + rtl::EncodeTime(hour, minute, second & ~1, 0), even))
            time = even;
        return time;
    };
    const timespec times[2] = {toTimespec(lastAccess), toTimespec(lastWrite)};
    const bool done = futimens(fd, times) == 0;
    close(fd);
    return done;
}

std::int64_t GetFileSize64(const std::string& fileName)
{
    int fd = -1;
    try {
        fd = rtl::OpenForReading(rtl::OsFileName(fileName));
    } catch (const rtl::Exception&) {
        return -1;
    }
    if (fd < 0)
        return -1;
    struct stat status{};
    const std::int64_t size = fstat(fd, &status) == 0 ? std::int64_t(status.st_size) : -1;
    close(fd);
    return size;
}

bool WriteResourceToStream(const std::string& name, const std::string& type, rtl::TStream* stream)
{
    if (!stream)
        return false;
    const std::optional<std::string_view> data = classes::FindResource(classes::TResId(name), classes::TResId(type));
    if (!data || data->empty())
        return false;
    return stream->Write(data->data(), std::int64_t(data->size())) == std::int64_t(data->size());
}

std::uint8_t PercentOf(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0 || part <= 0)
        return 0;
    const double percent = std::nearbyint(double(part) * 100.0 / double(whole));
    return std::uint8_t(std::min(percent, 100.0));
}

}  // namespace update
