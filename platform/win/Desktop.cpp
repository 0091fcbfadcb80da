#include "platform/win/Desktop.h"

#include "platform/gdi/detail/SystemInfo.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/detail/Desktop.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/wintypes/Messages.h"

namespace win {

using namespace detail;

namespace {

void FitDesktopToPrimaryMonitor()
{
    MONITORINFO primary;
    GetMonitorInfo(MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY), &primary);
    auto lock = LockSystem();
    if (Window* desktop = FindWindowRecord(System().desktop)) {
        desktop->windowRect = primary.rcMonitor;
        desktop->clientRect = primary.rcMonitor;
    }
}

void SettingsChanged(SettingsChange change, UINT action)
{
    switch (change) {
    case SettingsChange::Parameter:
        SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
        break;
    case SettingsChange::Colors:
        SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
        break;
    case SettingsChange::Monitors:
        FitDesktopToPrimaryMonitor();
        break;
    }
}

}  // namespace

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    RECT screenRect;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY);
        }
        // Window rectangles are relative to the parent's client area: add up the way to the screen.
        screenRect = window->windowRect;
        for (Window* parent = FindWindowRecord(window->parent); parent && parent->handle != System().desktop &&
                                                                parent->handle != System().messageRoot;
             parent = FindWindowRecord(parent->parent)) {
            const LONG dx = parent->clientRect.left;
            const LONG dy = parent->clientRect.top;
            screenRect = Moved(screenRect, dx, dy);
        }
    }
    return MonitorFromRect(&screenRect, flags);
}

void detail::ConnectSystemSettings()
{
    SetSettingsChangedHook(SettingsChanged);
    FitDesktopToPrimaryMonitor();
}

}  // namespace win
