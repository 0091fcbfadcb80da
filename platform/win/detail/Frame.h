#pragma once
// The default non-client frame in the classic look: the border of the window's style, its edges and the
// caption with icon, title and buttons, drawn by DefWindowProc's WM_NCPAINT and WM_NCACTIVATE for every
// window that has them, child controls with a border or an edge among them.

#include "platform/wintypes/Types.h"

namespace win::detail {

struct Window;

// The icon the caption shows: the window's small icon, else its big one, else its class's; null for none
// (lock held).
HICON CaptionIconOf(const Window& window);

// Draws the frame of hwnd within region (screen coordinates; null or 1 for the whole window), in the
// active or inactive state the last WM_NCACTIVATE default left it in. The client area is never touched.
void DrawDefaultFrame(HWND hwnd, HRGN region);

// Keeps the state the caption is drawn in and draws the frame in it.
void ActivateFrame(HWND hwnd, bool active);

}  // namespace win::detail
