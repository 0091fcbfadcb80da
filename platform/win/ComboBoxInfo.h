#pragma once
// What a combo box window is made of: its selection field, its button and its child windows, as the
// combo box itself reports them (CB_GETCOMBOBOXINFO).

#include "platform/win/ScrollBar.h"
#include "platform/wintypes/Types.h"

namespace win {

struct COMBOBOXINFO {
    DWORD cbSize = sizeof(COMBOBOXINFO);
    RECT rcItem{};    // the selection field, client coordinates
    RECT rcButton{};  // the drop-down button (empty for a simple combo box)
    DWORD stateButton = 0;  // STATE_SYSTEM_ bits
    HWND hwndCombo = nullptr;
    HWND hwndItem = nullptr;  // the edit field (null for a drop-down list)
    HWND hwndList = nullptr;
};

// FALSE when hwnd is no combo box or info's size is not that of the structure.
BOOL GetComboBoxInfo(HWND hwnd, COMBOBOXINFO* info);

}  // namespace win
