#pragma once
// Each standard window class's own registration (StandardWindowClasses.h registers them all).

#include "platform/commctrl/StandardWindowClasses.h"
#include "platform/wintypes/Types.h"

namespace win::detail {

// One standard class: double clicks as the style asks, a pointer of window data for the control's state.
void RegisterStandardClass(const char* name, win::WNDPROC proc, win::UINT style = win::CS_DBLCLKS,
                           win::HCURSOR cursor = nullptr);

void RegisterEditClass();
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterListBoxClass();
void RegisterScrollBarClass();
void RegisterTreeViewClass();
EditContextMenuHook& EditContextMenu();
EditClipboard& EditClipboardHook();

// The combo box and its list ("ComboLBox", a list box whose requests go to the combo box).
void RegisterComboBoxClass();
win::LRESULT ListBoxProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);
// The combo box of a "ComboLBox" list (null for other lists).
win::HWND ComboOfList(win::HWND list);

}  // namespace win::detail
