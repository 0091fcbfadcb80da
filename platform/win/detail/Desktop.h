#pragma once
// Connecting the system settings to the window system.

#include "platform/win/Desktop.h"

namespace win::detail {

// Installs the settings hook and sizes the desktop to the primary monitor (the window system's start-up calls it).
void ConnectSystemSettings();

}  // namespace win::detail
