#pragma once
// Moving and sizing a window with the mouse: the loop WM_SYSCOMMAND SC_MOVE and SC_SIZE run. Nothing
// else moves a window the screen shows without a frame of its own.

#include "platform/wintypes/Types.h"

namespace win::detail {

// The window's track limits: the system's defaults as WM_GETMINMAXINFO leaves them (lock not held).
MINMAXINFO AskTrackLimits(HWND hwnd);

// Runs the loop for command (SC_MOVE, or SC_SIZE with a WMSZ_ edge in its low bits) from the screen
// point start, with full-window dragging: the window captures the mouse, gets WM_ENTERSIZEMOVE, its
// track limits, WM_MOVING or WM_SIZING before each step (it may change the rectangle) and
// WM_EXITSIZEMOVE when the button is released, Enter is pressed or the capture is lost; Esc puts the
// starting rectangle back. Lock not held.
void RunSizeMoveLoop(HWND hwnd, WPARAM command, POINT start);

}  // namespace win::detail
