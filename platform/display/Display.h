#pragma once
// Start-up and shut-down of the on-screen display. initialize() (after win::initialize) chooses the
// display from RIVUVE_DISPLAY: "headless" keeps every window in memory; "sdl" shows the top-level and
// popup windows on the X display named by DISPLAY; unset means "sdl" when DISPLAY is set and not empty,
// else headless with one line on stderr. A display that cannot be opened, or another value, raises
// EDisplayError naming the cause: the program ends then (exit status 2), it never falls back silently.

#include "platform/rtl/Exceptions.h"

namespace win {

class EDisplayError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EDisplayError"; }
};

namespace display {

void initialize();
void finalize();

// Whether windows are shown on a screen (the sdl display is running).
bool OnScreen();

}  // namespace display
}  // namespace win
