#include "platform/services/Services.h"

#include "platform/services/Help.h"
#include "platform/services/Launcher.h"
#include "platform/services/Modules.h"
#include "platform/services/SimpleMapi.h"
#include "platform/services/Sound.h"

namespace win::services {

namespace {

std::function<bool()> Installed(const char* program)
{
    return [program] { return !CurrentLauncher().FindProgram(program).empty(); };
}

}  // namespace

void initialize()
{
    ClearSoundLog();
    RegisterModule("HHCTRL.OCX", {{"HtmlHelpA", reinterpret_cast<FARPROC>(&HtmlHelpA)}}, Installed("xdg-open"));
    RegisterModule("MAPI32.DLL", {{"MAPISendMail", reinterpret_cast<FARPROC>(&MAPISendMail)}}, Installed("xdg-email"));
}

void finalize()
{
    UnregisterModule("MAPI32.DLL");
    UnregisterModule("HHCTRL.OCX");
    ClearSoundLog();
}

}  // namespace win::services
