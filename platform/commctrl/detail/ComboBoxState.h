#pragma once
// What the COMBOBOX window and its dropped "ComboLBox" list share: the box's state and the closing of the
// list (ComboBoxWindow.cpp, ComboListWindow.cpp).

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

namespace win::detail::combobox {

constexpr int ListId = 1000;

struct ComboState {
    win::HWND edit = nullptr;
    win::HWND list = nullptr;
    win::WNDPROC editProc = nullptr;  // the edit's own procedure, under the box's key handling
    win::HFONT font = nullptr;
    int fieldHeight = 0;  // the selection field's item height
    int selection = -1;   // what the field shows; the list's highlight may differ while it is dropped
    int droppedWidth = 0;
    int visibleItems = 30;
    bool dropped = false;
    bool focused = false;     // the box or its edit field has the focus
    bool buttonHeld = false;  // the press that dropped the list is still down
    bool extendedUI = false;
    bool settingText = false;  // the box sets the edit's text: that is no user's edit
};

enum class Close { Ok, Cancel, Quiet };

ComboState* StateOf(win::HWND hwnd);
// CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST.
win::DWORD KindOf(win::HWND hwnd);
win::RECT Client(win::HWND hwnd);
// Hides a dropped list: Ok chooses the highlighted item, Cancel and Quiet (CB_SHOWDROPDOWN) go back to the
// selection; Quiet tells no end of selection.
void CloseUp(win::HWND hwnd, ComboState& state, Close how);

win::LRESULT ComboListProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

}  // namespace win::detail::combobox
