#pragma once
// The display thread over SDL's X11 video driver: the only code that includes SDL and X11 headers.

#include "platform/win/detail/DisplayDriver.h"

#include <cstdint>
#include <memory>
#include <string>

namespace win::detail {

// Opens the X display and starts the display thread; raises EDisplayError naming DISPLAY and SDL's
// error when it cannot.
std::shared_ptr<DisplayDriver> StartSdlDisplay();

// The number of presents made so far (tests and the benchmark wait for it to move).
std::uint64_t PresentCount();

}  // namespace win::detail
