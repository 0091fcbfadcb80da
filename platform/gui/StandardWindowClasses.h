#pragma once
// The window classes of the standard controls, which the control classes of the library subclass:
// EDIT (single- and multi-line text entry), BUTTON (push buttons, check boxes, radio buttons, owner-drawn
// buttons), STATIC (text or a bitmap), LISTBOX (lists of texts or owner-drawn items) and SCROLLBAR (a
// bar that reports scrolling to its parent). They notify their parent through WM_COMMAND (the scroll bar
// through WM_HSCROLL / WM_VSCROLL) and take their colours from its WM_CTLCOLOR* answers, in the classic
// look of the system colours.

#include "platform/wintypes/Types.h"

namespace gui {

void RegisterStandardWindowClasses();
void UnregisterStandardWindowClasses();

// What a right click (or the menu key) on an EDIT window shows; null: nothing but the default handling.
using EditContextMenuHook = void (*)(win::HWND edit, win::POINT screenPos);
void SetEditContextMenuHook(EditContextMenuHook hook);

}  // namespace gui
