#pragma once
// The popup windows of the menu loop: one per open level, laid out from a copy of the menu's items and
// painted in the classic menu look (owner-drawn items by the owner).

#include "platform/win/detail/Menu.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <string>
#include <vector>

namespace win::detail {

struct MenuFonts {
    HFONT normal = nullptr;
    HFONT bold = nullptr;  // the default item
};

struct MenuPopup {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HWND hwnd = nullptr;
    const MenuFonts* fonts = nullptr;
    std::vector<MenuItemRecord> items;
    std::vector<RECT> rects;  // client coordinates
    int selected = -1;
    int imageColumn = 0;        // at an item's left: check marks and bitmaps
    int arrowColumn = 0;        // at its right: the submenu arrow
    std::vector<int> barLines;  // x of the lines between columns
    SIZE size{};         // of the window
};

// The frame around the items.
constexpr int MenuBorder = 3;

// Lays the items out (asking the owner to measure owner-drawn ones) and sets the window size.
void LayoutMenuPopup(MenuPopup& popup);
// Creates the popup's window at a screen point, shown on top without activation.
HWND CreateMenuWindow(MenuPopup& popup, POINT at);
// Repaints one item at once (after its selection changed).
void RedrawMenuItem(const MenuPopup& popup, int index);

// The item at a client point of the popup; -1 for none.
int MenuItemAt(const MenuPopup& popup, POINT client);
// The text before the tab and the mnemonic character (0 for none).
std::string MenuItemLabel(const MenuItemRecord& item);
char MenuItemMnemonic(const MenuItemRecord& item);

}  // namespace win::detail
