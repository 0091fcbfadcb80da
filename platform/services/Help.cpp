#include "platform/services/Help.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringUtils.h"
#include "platform/services/detail/DesktopOpen.h"

#include <dirent.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace win {

namespace {

// The help viewer is another program; this token stands for its window, so callers see success.
const HWND kViewerWindow = HandleFromValue<HWND>(0x7E000001);

std::mutex popupMutex;
HelpPopup installedPopup;

// A help file name split into its help folder (OS name with a trailing '/') and the page after "::".
struct HelpAddress {
    std::string folder;
    std::string page;
};

std::optional<HelpAddress> Parse(const char* file)
{
    if (!file || !*file)
        return std::nullopt;
    std::string_view name(file);
    std::string page;
    if (size_t mark = name.find("::"); mark != std::string_view::npos) {
        page = std::string(name.substr(mark + 2));
        name = name.substr(0, mark);
        // "::/page" names the page from the help file's root; the one '/' is part of the notation.
        if (!page.empty() && rtl::IsPathDelimiter(page[0]))
            page.erase(0, 1);
    }
    if (name.empty())
        return std::nullopt;
    try {
        const std::string chm = rtl::ExpandFileName(name);
        const std::string base = rtl::ChangeFileExt(rtl::ExtractFileName(chm), "");
        return HelpAddress{rtl::OsFileName(rtl::ExtractFilePath(chm) + "help/" + base + "/"), page};
    } catch (const rtl::Exception&) {
        return std::nullopt;
    }
}

std::string RealPath(const std::string& osName)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(osName.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// The entry of folder whose name equals name without regard to case (an exact match first); empty when
// there is none.
std::string FindEntry(const std::string& folder, const std::string& name)
{
    struct stat st {};
    if (::lstat((folder + name).c_str(), &st) == 0)
        return name;
    struct CloseDir {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
    if (!dir)
        return {};
    const std::string wanted = rtl::AnsiLowerCase(rtl::WideToAnsi(rtl::Utf8ToWide(name)));
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string ansi;
        if (rtl::TryUtf8ToAnsi(entry->d_name, ansi) && rtl::AnsiLowerCase(ansi) == wanted)
            return entry->d_name;
    }
    return {};
}

// The OS name of a page inside the help folder, found part by part without regard to case; empty for a
// page that is missing, absolute, climbs out with "..", or leads out through a link.
std::string FindPage(const std::string& folder, const std::string& page)
{
    std::string relative = page.substr(0, page.find('#'));
    if (relative.empty() || rtl::IsPathDelimiter(relative[0]))
        return {};
    std::string path = folder;
    try {
        relative = rtl::OsFileName(relative);
    } catch (const rtl::Exception&) {
        return {};
    }
    for (size_t start = 0; start < relative.size();) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string part = relative.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return {};
        const std::string found = FindEntry(path, part);
        if (found.empty())
            return {};
        path += found;
        if (end < relative.size())
            path += "/";
        start = end + 1;
    }
    const std::string root = RealPath(folder);
    const std::string real = RealPath(path);
    if (root.empty() || real.size() <= root.size() || real.compare(0, root.size(), root) != 0 || real[root.size()] != '/')
        return {};
    struct stat st {};
    return ::stat(real.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? path : std::string();
}

std::vector<std::string> ReadLines(const std::string& osName)
{
    std::vector<std::string> lines;
    std::ifstream in(osName, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<long> Number(std::string_view text)
{
    const std::string trimmed = rtl::Trim(text);
    if (trimmed.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(trimmed.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0 || value > UINT_MAX)
        return std::nullopt;
    return value;
}

// The page alias.txt gives the number; empty when none does. Lines that are no "<number>=<page>" are
// passed over.
std::string AliasedPage(const std::string& folder, ULONG_PTR number)
{
    const std::string alias = FindPage(folder, "alias.txt");
    if (alias.empty())
        return {};
    for (const std::string& line : ReadLines(alias)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::optional<long> value = Number(std::string_view(line).substr(0, equals));
        if (value && ULONG_PTR(*value) == number)
            return rtl::Trim(std::string_view(line).substr(equals + 1));
    }
    return {};
}

// The text of a topic of a popup text file: the lines between ".topic <number>" and the next ".topic".
std::optional<std::string> TopicText(const std::string& textFile, UINT topic)
{
    bool inTopic = false;
    std::optional<std::string> text;
    for (const std::string& line : ReadLines(textFile)) {
        if (rtl::LowerCase(std::string_view(line).substr(0, 6)) == ".topic") {
            if (inTopic)
                break;
            const std::optional<long> value = Number(std::string_view(line).substr(6));
            inTopic = value && UINT(*value) == topic;
            if (inTopic)
                text.emplace();
            continue;
        }
        if (inTopic)
            *text += (text->empty() ? "" : "\n") + line;
    }
    if (text)
        *text = rtl::Trim(*text);
    return text;
}

HWND Open(const std::string& page)
{
    return !page.empty() && detail::OpenWithDesktop(page) > 32 ? kViewerWindow : nullptr;
}

HWND ShowPopup(const char* file, const HH_POPUP* popup)
{
    if (!popup)
        return nullptr;
    std::string text = popup->pszText ? popup->pszText : "";
    if (text.empty()) {
        const std::optional<HelpAddress> address = Parse(file);
        if (!address || address->page.empty())
            return nullptr;
        const std::string textFile = FindPage(address->folder, address->page);
        if (textFile.empty())
            return nullptr;
        std::optional<std::string> topic = TopicText(textFile, popup->idString);
        if (!topic)
            return nullptr;
        text = std::move(*topic);
    }
    HelpPopup show;
    {
        std::lock_guard lock(popupMutex);
        show = installedPopup;
    }
    return show ? show(text, popup->pt) : nullptr;
}

}  // namespace

HWND HtmlHelpA(HWND, const char* file, UINT command, ULONG_PTR data)
{
    if (command == HH_CLOSE_ALL)
        return kViewerWindow;
    if (command == HH_DISPLAY_TEXT_POPUP)
        return ShowPopup(file, reinterpret_cast<const HH_POPUP*>(data));
    const std::optional<HelpAddress> address = Parse(file);
    if (!address)
        return nullptr;
    switch (command) {
    case HH_DISPLAY_TOPIC:
        return Open(FindPage(address->folder, address->page.empty() ? "index.htm" : address->page));
    case HH_DISPLAY_TOC:
    case HH_DISPLAY_INDEX:
        return Open(FindPage(address->folder, "index.htm"));
    case HH_HELP_CONTEXT: {
        const std::string page = AliasedPage(address->folder, data);
        return page.empty() ? nullptr : Open(FindPage(address->folder, page));
    }
    default:
        return nullptr;
    }
}

void SetHelpPopup(HelpPopup popup)
{
    std::lock_guard lock(popupMutex);
    installedPopup = std::move(popup);
}

BOOL WinHelp(HWND, const char*, UINT command, ULONG_PTR)
{
    return command == HELP_QUIT ? TRUE : FALSE;
}

}  // namespace win
