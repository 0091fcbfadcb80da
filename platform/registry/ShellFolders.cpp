#include "platform/registry/ShellFolders.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringUtils.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace win {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ConfigHome()
{
    std::string home = Environment("XDG_CONFIG_HOME");
    if (!home.empty())
        return home;
    home = Environment("HOME");
    return home.empty() ? "" : home + "/.config";
}

// The value of key in user-dirs.dirs: a quoted path, absolute or starting with "$HOME/"; empty when the
// file does not set it.
std::string UserDirectory(const std::string& key)
{
    const std::string config = ConfigHome();
    if (config.empty())
        return "";
    std::ifstream file(config + "/user-dirs.dirs");
    std::string line;
    const std::string prefix = key + "=\"";
    while (std::getline(file, line)) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        const std::size_t end = line.find('"', prefix.size());
        if (end == std::string::npos)
            return "";
        std::string value = line.substr(prefix.size(), end - prefix.size());
        if (value.rfind("$HOME", 0) == 0)
            value = Environment("HOME") + value.substr(5);
        return value.empty() || value[0] != '/' ? "" : value;
    }
    return "";
}

std::string UserDirectoryOr(const std::string& key, const char* fallback)
{
    std::string value = UserDirectory(key);
    if (!value.empty())
        return value;
    const std::string home = Environment("HOME");
    return home.empty() ? "" : home + "/" + fallback;
}

std::string SystemFolder(std::string_view name)
{
    const std::string lower = rtl::LowerCase(name);
    if (lower == "desktop")
        return UserDirectoryOr("XDG_DESKTOP_DIR", "Desktop");
    if (lower == "personal")
        return UserDirectoryOr("XDG_DOCUMENTS_DIR", "Documents");
    if (lower == "my pictures")
        return UserDirectoryOr("XDG_PICTURES_DIR", "Pictures");
    if (lower == "appdata")
        return ConfigHome();
    return "";
}

}  // namespace

std::string ShellFolderPath(std::string_view name)
{
    const std::string folder = SystemFolder(name);
    if (folder.empty())
        return "";
    try {
        return rtl::ExcludeTrailingPathDelimiter(rtl::AnsiFileName(folder));
    } catch (const rtl::EEncodingError&) {
        return "";
    }
}

}  // namespace win
