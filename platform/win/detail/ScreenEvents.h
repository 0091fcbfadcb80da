#pragma once
// What the screen tells the window system about its windows, from the display's own thread. Each is
// posted to the window and handled on the window's own thread, as the user's acts would be.

#include "platform/wintypes/Types.h"

namespace win::detail {

// The screen gave the keyboard to a window: it becomes active (WA_CLICKACTIVE when a click did it),
// the program's windows get WM_ACTIVATEAPP(TRUE) when it was inactive. A disabled window passes the
// activation to its enabled modal popup, which is raised.
void ScreenActivated(HWND hwnd, bool byClick);
// Another program took the keyboard: the active window of the foreground thread is deactivated and the
// program's windows get WM_ACTIVATEAPP(FALSE).
void ScreenAppDeactivated();
// The window manager moved or sized a window (rect on the screen).
void ScreenMovedOrSized(HWND hwnd, const RECT& rect);
// The window manager's close button; restoring an iconified window from the task bar.
void ScreenCloseRequested(HWND hwnd);
void ScreenRestored(HWND hwnd);

// The pointer left every window of the program for another program's (pt on the screen): mouse-leave
// and hover tracking end, GetCursorPos answers pt. Any thread.
void ScreenPointerLeft(POINT pt, DWORD time);

// The window that gets the keyboard: the focus of the foreground thread, else its active window.
HWND KeyboardTarget();

// The default handling of the posted screen events (DefWindowProc).
bool DefScreenMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace win::detail
