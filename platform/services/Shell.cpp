#include "platform/services/Shell.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringUtils.h"
#include "platform/services/Launcher.h"
#include "platform/services/detail/DesktopOpen.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace win {

namespace detail {

bool IsPlainArgument(const std::string& text)
{
    return !text.empty() && text[0] != '-' &&
           std::none_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; });
}

int OpenWithDesktop(const std::string& target)
{
    if (!IsPlainArgument(target))
        return SE_ERR_NOASSOC;
    const RunResult result = CurrentLauncher().Run({"xdg-open", target}, std::chrono::seconds(2));
    if (result.kind == RunResult::StillRunning || (result.kind == RunResult::Exited && result.code == 0))
        return 42;
    if (result.kind == RunResult::Exited && result.code == 2)
        return SE_ERR_FNF;
    return SE_ERR_NOASSOC;
}

}  // namespace detail

namespace {

constexpr std::array<const char*, 5> kCalculators = {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"};
constexpr std::array<std::string_view, 4> kOpenSchemes = {"http", "https", "ftp", "mailto"};

HINSTANCE Answer(int code)
{
    return HandleFromValue<HINSTANCE>(code);
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scheme of a URL in lower case, empty when text is no URL. One letter before the colon is a drive.
std::string SchemeOf(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(text[0]))
        return {};
    for (char c : text.substr(0, colon))
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return {};
    return rtl::LowerCase(text.substr(0, colon));
}

int StartCalculator()
{
    Launcher& launcher = CurrentLauncher();
    for (const char* program : kCalculators)
        if (!launcher.FindProgram(program).empty())
            return launcher.Start({program}) ? 42 : SE_ERR_NOASSOC;
    return SE_ERR_FNF;
}

int OpenPath(const std::string& file, const char* dir)
{
    std::string name = file;
    if (!rtl::IsPathDelimiter(name[0]) && dir && *dir)
        name = rtl::IncludeTrailingPathDelimiter(dir) + name;
    std::string osName;
    try {
        osName = rtl::OsFileName(rtl::ExpandFileName(name));
    } catch (const rtl::Exception&) {
        return SE_ERR_NOASSOC;
    }
    struct stat st {};
    if (::stat(osName.c_str(), &st) != 0)
        return SE_ERR_FNF;
    const bool program = S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    if (program || rtl::SameFileExt(name, ".desktop") || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
        return SE_ERR_NOASSOC;
    return detail::OpenWithDesktop(osName);
}

int Open(const char* verb, const char* file, const char* dir)
{
    if (verb && *verb && !rtl::SameText(verb, "open"))
        return SE_ERR_NOASSOC;
    const std::string target = file ? file : "";
    if (target.empty())
        return SE_ERR_FNF;
    if (!detail::IsPlainArgument(target))
        return SE_ERR_NOASSOC;
    if (rtl::SameText(target, "calc.exe"))
        return StartCalculator();
    const std::string scheme = SchemeOf(target);
    if (!scheme.empty()) {
        if (std::find(kOpenSchemes.begin(), kOpenSchemes.end(), scheme) == kOpenSchemes.end())
            return SE_ERR_NOASSOC;
        return detail::OpenWithDesktop(rtl::AnsiToUtf8(target));
    }
    return OpenPath(target, dir);
}

}  // namespace

HINSTANCE ShellExecute(HWND, const char* verb, const char* file, const char*, const char* dir, int)
{
    return Answer(Open(verb, file, dir));
}

}  // namespace win
