#pragma once
// The window system's side of the system settings: the monitor a window is on, and what windows learn
// of a change of the settings (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE broadcasts, the desktop window
// following the primary monitor).

#include "platform/gdi/SystemInfo.h"
#include "platform/wintypes/Types.h"

namespace win {

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);

}  // namespace win
