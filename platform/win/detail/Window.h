#pragma once
// The stored state of a window, for the display and the geometry.

#include "platform/win/Window.h"

namespace win::detail {

// The stored state of a window, as the geometry and the display back ends keep it: rectangles in the
// client coordinates of the parent (the screen for top-level windows).
struct WindowState {
    RECT windowRect;
    RECT clientRect;
    bool visible = false;
    bool enabled = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HWND owner = nullptr;
    DWORD thread = 0;
};
bool ReadWindowState(HWND hwnd, WindowState& state);
// Plain setters of the record, without any message (SetWindowPos and ShowWindow send them): for display
// back ends that learn of a change the system has made already.
bool SetWindowRects(HWND hwnd, const RECT& windowRect, const RECT& clientRect);
bool SetWindowVisibleFlag(HWND hwnd, bool visible);

}  // namespace win::detail
