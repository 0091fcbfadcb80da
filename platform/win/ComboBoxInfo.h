#pragma once
// What a combo box window is made of: its selection field, its button and its child windows, as the
// combo box itself reports them (CB_GETCOMBOBOXINFO).

#include "platform/wintypes/Types.h"

namespace win {

constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;

struct COMBOBOXINFO {
    DWORD cbSize = sizeof(COMBOBOXINFO);
    RECT rcItem{};    // the selection field, client coordinates
    RECT rcButton{};  // the drop-down button (empty for a simple combo box)
    DWORD stateButton = 0;
    HWND hwndCombo = nullptr;
    HWND hwndItem = nullptr;  // the edit field (null for a drop-down list)
    HWND hwndList = nullptr;
};

// FALSE when hwnd is no combo box or info's size is not that of the structure.
BOOL GetComboBoxInfo(HWND hwnd, COMBOBOXINFO* info);

}  // namespace win
