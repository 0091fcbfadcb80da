#include "platform/services/SimpleMapi.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/Launcher.h"
#include "platform/services/detail/DesktopOpen.h"

#include <string>
#include <vector>

namespace win {

namespace {

bool Present(const char* text)
{
    return text && *text;
}

// The bare address of a recipient: its address without the "SMTP:" of the address type, else its name.
std::string AddressOf(const MapiRecipDesc& recipient)
{
    std::string address = Present(recipient.lpszAddress) ? recipient.lpszAddress
                          : Present(recipient.lpszName) ? recipient.lpszName
                                                        : "";
    if (address.size() >= 5 && rtl::SameText(address.substr(0, 5), "SMTP:"))
        address.erase(0, 5);
    return rtl::AnsiToUtf8(address);
}

// xdg-email's exit status as a Simple MAPI result.
MAPI_ULONG ResultOf(const RunResult& run)
{
    switch (run.kind) {
    case RunResult::StillRunning:
        return SUCCESS_SUCCESS;
    case RunResult::Exited:
        switch (run.code) {
        case 0:
            return SUCCESS_SUCCESS;
        case 2:
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        case 3:
            return MAPI_E_NOT_SUPPORTED;
        case 5:
            return MAPI_E_ATTACHMENT_OPEN_FAILURE;
        default:
            return MAPI_E_FAILURE;
        }
    default:
        return MAPI_E_FAILURE;
    }
}

}  // namespace

MAPI_ULONG MAPISendMail(LHANDLE, ULONG_PTR, MapiMessage* message, FLAGS flags, MAPI_ULONG)
{
    if (!(flags & MAPI_DIALOG))
        return MAPI_E_NOT_SUPPORTED;
    if (!message || (message->nRecipCount && !message->lpRecips) || (message->nFileCount && !message->lpFiles))
        return MAPI_E_INVALID_MESSAGE;

    std::vector<std::string> argv = {"xdg-email", "--utf8"};
    std::vector<std::string> to;
    for (MAPI_ULONG i = 0; i < message->nRecipCount; ++i) {
        const MapiRecipDesc& recipient = message->lpRecips[i];
        const std::string address = AddressOf(recipient);
        if (!detail::IsPlainArgument(address))
            return MAPI_E_INVALID_RECIPS;
        if (recipient.ulRecipClass == MAPI_CC)
            argv.insert(argv.end(), {"--cc", address});
        else if (recipient.ulRecipClass == MAPI_BCC)
            argv.insert(argv.end(), {"--bcc", address});
        else if (recipient.ulRecipClass == MAPI_TO)
            to.push_back(address);
        else
            return MAPI_E_INVALID_RECIPS;
    }
    if (Present(message->lpszSubject))
        argv.insert(argv.end(), {"--subject", rtl::AnsiToUtf8(message->lpszSubject)});
    if (Present(message->lpszNoteText))
        argv.insert(argv.end(), {"--body", rtl::AnsiToUtf8(message->lpszNoteText)});
    for (MAPI_ULONG i = 0; i < message->nFileCount; ++i) {
        const char* path = message->lpFiles[i].lpszPathName;
        if (!Present(path))
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        std::string osPath;
        try {
            osPath = rtl::OsFileName(rtl::ExpandFileName(path));
        } catch (const rtl::Exception&) {
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        }
        if (!detail::IsPlainArgument(osPath) || !rtl::FileExists(path))
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        argv.insert(argv.end(), {"--attach", osPath});
    }
    argv.insert(argv.end(), to.begin(), to.end());
    // The mail program may take a while to show its window; once it runs that long it has the message.
    return ResultOf(CurrentLauncher().Run(argv, std::chrono::seconds(10)));
}

}  // namespace win
