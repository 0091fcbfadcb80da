#pragma once
// How the window system learns of changes of the system settings, and their reset.

#include "platform/gdi/SystemInfo.h"

#include <functional>

namespace win::detail {

// What changed: a parameter set with SPIF_SENDCHANGE (action: its SPI_ number), the colour scheme, or
// the monitor layout.
enum class SettingsChange { Parameter, Colors, Monitors };
using SettingsChangedHook = std::function<void(SettingsChange change, UINT action)>;
// Called after each change, outside every lock of the settings; null: nobody listens.
void SetSettingsChangedHook(SettingsChangedHook hook);

// Back to the defaults above, with no hook (the GDI's start-up calls it).
void ResetSystemInfo();

}  // namespace win::detail
