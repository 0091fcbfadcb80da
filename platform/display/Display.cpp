#include "platform/display/Display.h"

#include "platform/display/detail/SdlDisplay.h"
#include "platform/win/detail/DisplayDriver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace win::display {

namespace {

bool running = false;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

void initialize()
{
    std::string choice = Environment("RIVUVE_DISPLAY");
    if (choice.empty()) {
        if (Environment("DISPLAY").empty()) {
            std::fputs("No X display (DISPLAY is not set): windows are not shown\n", stderr);
            return;
        }
        choice = "sdl";
    }
    if (choice == "headless") {
        return;
    }
    if (choice != "sdl") {
        throw EDisplayError("RIVUVE_DISPLAY is \"" + choice + "\": it must be \"headless\" or \"sdl\"");
    }
    detail::SetDisplayDriver(detail::StartSdlDisplay());
    running = true;
}

void finalize()
{
    if (running) {
        detail::SetDisplayDriver(nullptr);
        running = false;
    }
}

bool OnScreen()
{
    return running;
}

}  // namespace win::display
