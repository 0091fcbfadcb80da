#pragma once
// Where MessageBeep is heard: a display with a bell installs its ringer here (null: none).

#include "platform/wintypes/Types.h"

#include <functional>

namespace win::detail {

using BellRinger = std::function<void(UINT type)>;
void SetBellRinger(BellRinger ringer);

}  // namespace win::detail
