// Any help file address, alias table or popup text file: a page opened lies inside the help folder.
// The first byte chooses what the rest is: a page after "::/", the alias table with a context number
// looked up in it, or the popup text file with a topic shown from it.
#include "platform/services/Help.h"
#include "platform/services/Launcher.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string root;

void RemoveRoot()
{
    std::error_code error;
    std::filesystem::remove_all(root, error);
}

// A help folder with pages, a sub-folder, a link out of it and a page beside it, made once per run.
const std::string& HelpRoot()
{
    static const bool made = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "rivuve-helpfuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            __builtin_trap();
        const std::string folder = pattern + "/help/KORVA_32/";
        std::filesystem::create_directories(folder + "Sub");
        for (const char* page : {"index.htm", "STEP4.htm", "Sub/a.htm"})
            std::ofstream(folder + page) << "<html></html>";
        std::ofstream(pattern + "/help/outside.htm") << "<html></html>";
        std::ofstream(pattern + "/secret.htm") << "<html></html>";
        std::filesystem::create_symlink("../outside.htm", folder + "out.htm");
        std::filesystem::create_symlink("..", folder + "Sub/up");
        root = pattern + "/";
        std::atexit(RemoveRoot);
        return true;
    }();
    (void)made;
    return root;
}

std::string RealPath(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    std::string result = resolved ? resolved : "";
    ::free(resolved);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static win::RecordingLauncher launcher;
    static win::ScopedLauncher installed(launcher);
    launcher.Clear();
    const std::string root = HelpRoot();
    const std::string folder = root + "help/KORVA_32/";
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string chm = root + "KORVA_32.chm";
    switch (data[0] % 3) {
    case 0:
        win::HtmlHelpA(nullptr, (chm + "::/" + text).c_str(), win::HH_DISPLAY_TOPIC, 0);
        break;
    case 1:
        std::ofstream(folder + "alias.txt", std::ios::binary | std::ios::trunc) << text;
        for (win::ULONG_PTR number : {0u, 1u, 1000u, 4294967295u})
            win::HtmlHelpA(nullptr, chm.c_str(), win::HH_HELP_CONTEXT, number);
        break;
    default: {
        std::ofstream(folder + "CSHelp.txt", std::ios::binary | std::ios::trunc) << text;
        win::SetHelpPopup([](const std::string&, win::POINT) { return win::HWND(nullptr); });
        win::HH_POPUP popup;
        popup.idString = 7;
        win::HtmlHelpA(nullptr, (chm + "::/CSHelp.txt").c_str(), win::HH_DISPLAY_TEXT_POPUP,
                       reinterpret_cast<win::ULONG_PTR>(&popup));
        break;
    }
    }
    const std::string realFolder = RealPath(folder);
    for (const win::RecordingLauncher::Call& call : launcher.Calls()) {
        const std::string opened = RealPath(call.argv.back());
        if (call.argv.size() != 2 || opened.compare(0, realFolder.size() + 1, realFolder + "/") != 0)
            __builtin_trap();
    }
    return 0;
}
