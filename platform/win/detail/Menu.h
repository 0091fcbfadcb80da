#pragma once
// What a menu handle keeps, for the menu loop and the menu windows.

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <string>
#include <vector>

namespace win::detail {

struct MenuItemRecord {
    UINT type = 0;   // MFT_*
    UINT state = 0;  // MFS_*
    UINT id = 0;
    HMENU subMenu = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP bitmap = nullptr;
    ULONG_PTR data = 0;
    std::string text;
};

// A copy of the menu's items as they are now; false for a handle that is no menu.
bool CopyMenuItems(HMENU menu, std::vector<MenuItemRecord>& items);

}  // namespace win::detail
