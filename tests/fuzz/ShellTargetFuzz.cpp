// Any text handed to the shell's open verb or as a mail message: whatever would be started is one of
// the desktop's programs with arguments that cannot read as options, and a URL opened has one of the
// schemes the shell opens.
#include "platform/services/Launcher.h"
#include "platform/services/Shell.h"
#include "platform/services/SimpleMapi.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool Plain(const std::string& argument)
{
    return !argument.empty() && argument[0] != '-' &&
           std::none_of(argument.begin(), argument.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; });
}

bool OpenableTarget(const std::string& target)
{
    if (!Plain(target))
        return false;
    if (target[0] == '/')
        return true;
    const std::string scheme = target.substr(0, target.find(':'));
    std::string lower(scheme);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(c | 0x20); });
    return lower == "http" || lower == "https" || lower == "ftp" || lower == "mailto";
}

bool SafeMailArguments(const std::vector<std::string>& argv)
{
    if (argv.size() < 2 || argv[0] != "xdg-email" || argv[1] != "--utf8")
        return false;
    size_t i = 2;
    for (; i + 1 < argv.size(); i += 2) {
        const std::string& option = argv[i];
        if (option != "--cc" && option != "--bcc" && option != "--subject" && option != "--body" && option != "--attach")
            break;
    }
    for (; i < argv.size(); ++i)
        if (!Plain(argv[i]))
            return false;
    return true;
}

std::vector<std::string> Fields(std::string_view text)
{
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = text.find('\x01', start);
        fields.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static win::RecordingLauncher launcher;
    static win::ScopedLauncher installed(launcher);
    launcher.Clear();
    const std::vector<std::string> fields = Fields(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    auto field = [&](size_t i) { return i < fields.size() ? fields[i].c_str() : nullptr; };

    if (data[0] & 1) {
        win::MapiRecipDesc recipients[3];
        for (int i = 0; i < 3; ++i) {
            recipients[i].ulRecipClass = win::MAPI_ULONG((data[0] >> (2 * i + 1)) & 3);
            recipients[i].lpszAddress = field(i);
        }
        win::MapiFileDesc file;
        file.lpszPathName = field(3);
        win::MapiMessage message;
        message.lpszSubject = field(4);
        message.lpszNoteText = field(5);
        message.nRecipCount = 3;
        message.lpRecips = recipients;
        message.nFileCount = field(3) ? 1 : 0;
        message.lpFiles = &file;
        win::MAPISendMail(0, 0, &message, win::MAPI_DIALOG, 0);
        for (const win::RecordingLauncher::Call& call : launcher.Calls())
            if (!SafeMailArguments(call.argv))
                __builtin_trap();
    } else {
        const int answer = int(win::HandleValue(win::ShellExecute(nullptr, field(1), field(0), field(2), field(3), 1)));
        for (const win::RecordingLauncher::Call& call : launcher.Calls()) {
            const bool opener = call.argv.size() == 2 && call.argv[0] == "xdg-open" && OpenableTarget(call.argv[1]);
            const bool calculator = call.argv.size() == 1 && call.kind == win::RecordingLauncher::Call::Start;
            if (!opener && !calculator)
                __builtin_trap();
        }
        if (answer > 32 && launcher.Calls().empty())
            __builtin_trap();
    }
    return 0;
}
