#include "platform/win/detail/DisplayDriver.h"

#include "platform/win/detail/WindowTable.h"
#include "platform/win/detail/ScreenDC.h"

#include <cstdlib>
#include <string_view>
#include <utility>

namespace win {

using namespace detail;

namespace {

class HeadlessDriver final : public DisplayDriver {};

}  // namespace

DisplayDriver& detail::Display()
{
    // Before the window system starts and after it ends nothing is shown: the headless driver listens.
    static HeadlessDriver idle;
    DisplayDriver* installed = System().display.get();
    return installed ? *installed : idle;
}

std::shared_ptr<DisplayDriver> detail::SetDisplayDriver(std::shared_ptr<DisplayDriver> driver)
{
    if (!driver) {
        driver = std::make_shared<HeadlessDriver>();
    }
    std::shared_ptr<DisplayDriver> previous;
    {
        auto lock = LockSystem();
        previous = std::exchange(System().display, std::move(driver));
    }
    WakeMessageWaits();
    return previous;
}

bool detail::HeadlessForced()
{
    const char* choice = std::getenv("RIVUVE_DISPLAY");
    return choice && std::string_view(choice) == "headless";
}

void detail::WakeMessageWaits()
{
    auto lock = LockSystem();
    ++System().wakes;
    System().changed.notify_all();
}

void detail::PumpDisplayEvents()
{
    ShowPendingScreenDrawing();
    std::shared_ptr<DisplayDriver> driver;
    {
        auto lock = LockSystem();
        driver = System().display;
    }
    if (driver) {
        driver->PumpEvents();
    }
}

bool detail::FetchForeignClipboardText(std::vector<BYTE>& unicodeText)
{
    std::shared_ptr<DisplayDriver> driver;
    {
        auto lock = LockSystem();
        driver = System().display;
    }
    return driver && driver->ForeignClipboardText(unicodeText);
}

}  // namespace win
