#pragma once
// The window classes of the standard controls, which the control classes of the GUI class library
// subclass: EDIT (single- and multi-line text entry), BUTTON (push buttons, check boxes, radio buttons,
// owner-drawn buttons), STATIC (text or a bitmap), LISTBOX (lists of texts or owner-drawn items) and
// SCROLLBAR (a bar that reports scrolling to its parent). They notify their parent through WM_COMMAND (the
// scroll bar through WM_HSCROLL / WM_VSCROLL) and take their colours from its WM_CTLCOLOR* answers, in the
// classic look of the system colours.

#include "platform/wintypes/Types.h"

#include <string>

namespace win {

void RegisterStandardWindowClasses();
void UnregisterStandardWindowClasses();

// What a right click (or the menu key) on an EDIT window shows; null: nothing but the default handling.
using EditContextMenuHook = void (*)(win::HWND edit, win::POINT screenPos);
void SetEditContextMenuHook(EditContextMenuHook hook);

// Where an EDIT window's Cut and Copy put text and its Paste takes it from (an rtl::Exception when the
// clipboard cannot be had); the class library puts its clipboard object here. Without one, and when the
// clipboard cannot be had, the edit beeps.
struct EditClipboard {
    std::string (*read)() = nullptr;
    void (*write)(const std::string& text) = nullptr;
};
void SetEditClipboard(EditClipboard clipboard);

}  // namespace win
