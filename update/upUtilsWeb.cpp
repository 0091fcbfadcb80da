// Finding the program that opens web pages.

#include "update/upUtils.h"

#include "platform/registry/Registry.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/StringUtils.h"
#include "platform/services/Launcher.h"
#include "platform/services/Shell.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

namespace update {

namespace {

const char* const ClassesKey = "\\Software\\Classes\\";

// The default value of key below the classes; empty when the key or the value is missing.
std::string ClassesDefault(const std::string& key)
{
    win::TRegistry registry;
    registry.SetRootKey(win::HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(ClassesKey + key) || registry.GetDataType("") != win::rdString)
        return "";
    return registry.ReadString("");
}

std::string VerbCommand(const std::string& fileType)
{
    std::string command = ClassesDefault(fileType + "\\shell\\open\\command");
    if (!command.empty())
        return command;
    rtl::TStringList verbs;
    {
        win::TRegistry registry;
        registry.SetRootKey(win::HKEY_CURRENT_USER);
        if (!registry.OpenKeyReadOnly(ClassesKey + fileType + "\\shell"))
            return "";
        registry.GetKeyNames(verbs);
    }
    for (int index = 0; index < verbs.Count(); ++index)
        if (rtl::LowerCase(verbs.Strings(index)).find("open") != std::string::npos)
            return ClassesDefault(fileType + "\\shell\\" + verbs.Strings(index) + "\\command");
    for (int index = 0; index < verbs.Count() && command.empty(); ++index)
        command = ClassesDefault(fileType + "\\shell\\" + verbs.Strings(index) + "\\command");
    return command;
}

std::string WithoutQuotes(std::string text)
{
    std::erase(text, '"');
    return text;
}

// Starts the registered browser with the address; false when it cannot be started.
bool StartBrowser(const std::string& program, const std::string& address)
{
    try {
        return win::CurrentLauncher().Start({rtl::OsFileName(program), rtl::AnsiToUtf8(address)});
    } catch (const rtl::Exception&) {
        return false;  // a program name the system cannot hold
    }
}

}  // namespace

void OpenURL(const std::string& address, bool useBrowser)
{
    const std::string target = address.find("://") == std::string::npos ? "http://" + address : address;
    std::string program;
    if (useBrowser && FindHtmlHandler(".html", program) && StartBrowser(program, target))
        return;
    win::ShellExecute(win::GetDesktopWindow(), "open", target.c_str(), nullptr, nullptr, win::SW_SHOWNORMAL);
}

bool FindHtmlHandler(const std::string& extension, std::string& program)
{
    program.clear();
    const std::string fileType = ClassesDefault(extension);
    if (fileType.empty())
        return false;
    const std::string command = VerbCommand(fileType);
    if (command.empty())
        return false;
    std::string parameters;
    SplitCommandLine(command, program, parameters);
    return !program.empty();
}

void SplitCommandLine(const std::string& command, std::string& program, std::string& parameters)
{
    const std::string text = rtl::Trim(command);
    if (!text.empty() && text[0] == '"') {
        const std::size_t close = text.find('"', 1);
        program = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        parameters = close == std::string::npos ? "" : rtl::Trim(WithoutQuotes(text.substr(close + 1)));
        return;
    }
    // A separator inside a path of blanks ("C:\My -Apps\a.exe") is no separator: the text before it
    // has no extension while the command has one.
    const bool commandHasExtension = !rtl::ExtractFileExt(text).empty();
    for (const char* separator : {" -", " /", " \\", ",", " %"}) {
        const std::size_t at = text.find(separator);
        if (at == std::string::npos)
            continue;
        const std::string before = text.substr(0, at);
        if (commandHasExtension && rtl::ExtractFileExt(before).empty())
            continue;
        program = rtl::Trim(before);
        parameters = rtl::Trim(text.substr(separator[0] == ',' ? at + 1 : at));
        return;
    }
    program = text;
    parameters.clear();
}

}  // namespace update
