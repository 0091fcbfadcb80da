#pragma once
// The EDIT window's own context menu: Undo, Cut, Copy, Paste, Delete and Select All.

#include "platform/wintypes/Types.h"

namespace win::detail {

// Shows the menu at screenPos, or at the caret when screenPos is (-1, -1) (the keyboard asked), and
// carries the choice out with the edit's own messages.
void ShowEditContextMenu(win::HWND edit, win::POINT screenPos);

}  // namespace win::detail
