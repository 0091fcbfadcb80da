#include "platform/win/Menu.h"

#include "platform/gdi/detail/Handles.h"
#include "platform/win/detail/Menu.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <cstring>

namespace win {

using namespace detail;

namespace {

struct MenuRecord : HandleObject {
    explicit MenuRecord(bool isPopup) : popup(isPopup) {}
    bool popup;
    std::vector<MenuItemRecord> items;
};

// Menus nest only as deep as a user could follow; deeper chains are refused as submenus.
constexpr int MaxMenuDepth = 32;

// Lock held for everything below.
MenuRecord* FindMenu(HMENU menu)
{
    return FindHandleOf<MenuRecord>(menu, HandleKind::Menu);
}

MenuRecord* MenuOrError(HMENU menu)
{
    MenuRecord* record = FindMenu(menu);
    if (!record) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    }
    return record;
}

struct ItemPlace {
    MenuRecord* menu = nullptr;
    std::size_t index = 0;
    MenuItemRecord& Item() const { return menu->items[index]; }
};

// The first item of the command, depth first through the submenus.
bool FindCommand(MenuRecord* menu, UINT id, ItemPlace& place, int depth = 0)
{
    if (depth > MaxMenuDepth) {
        return false;
    }
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItemRecord& item = menu->items[i];
        if (item.subMenu) {
            if (HandleValue(item.subMenu) == static_cast<std::intptr_t>(id)) {
                place = {menu, i};
                return true;
            }
            if (MenuRecord* sub = FindMenu(item.subMenu); sub && FindCommand(sub, id, place, depth + 1)) {
                return true;
            }
        } else if (item.id == id) {
            place = {menu, i};
            return true;
        }
    }
    return false;
}

// The item named by position or command; sets ERROR_MENU_ITEM_NOT_FOUND when there is none.
bool FindItem(HMENU menu, UINT item, bool byPosition, ItemPlace& place)
{
    MenuRecord* record = MenuOrError(menu);
    if (!record) {
        return false;
    }
    if (byPosition) {
        if (item < record->items.size()) {
            place = {record, item};
            return true;
        }
    } else if (FindCommand(record, item, place)) {
        return true;
    }
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return false;
}

// True when sub is menu or holds it somewhere below: making it menu's submenu would close a circle.
bool Contains(HMENU sub, HMENU menu, int depth = 0)
{
    if (sub == menu) {
        return true;
    }
    const MenuRecord* record = FindMenu(sub);
    if (!record || depth > MaxMenuDepth) {
        return depth > MaxMenuDepth;
    }
    return std::any_of(record->items.begin(), record->items.end(),
                       [&](const MenuItemRecord& item) { return item.subMenu && Contains(item.subMenu, menu, depth + 1); });
}

bool AcceptableSubMenu(HMENU menu, HMENU sub)
{
    if (!FindMenu(sub)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    if (Contains(sub, menu)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

// The item AppendMenu, InsertMenu and ModifyMenu describe; false for a bad submenu.
bool ItemFromFlags(HMENU menu, UINT flags, UINT_PTR newItem, const char* text, MenuItemRecord& item)
{
    item = {};
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    item.type = flags & (MF_MENUBREAK | MF_MENUBARBREAK);
    if (flags & MF_SEPARATOR) {
        item.type |= MFT_SEPARATOR;
    } else if (flags & MF_OWNERDRAW) {
        item.type |= MFT_OWNERDRAW;
        item.data = reinterpret_cast<ULONG_PTR>(text);
    } else if (flags & MF_BITMAP) {
        item.type |= MFT_BITMAP;
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
    } else if (text) {
        item.text = text;
    }
    if (flags & MF_POPUP) {
        item.subMenu = reinterpret_cast<HMENU>(newItem);
        return AcceptableSubMenu(menu, item.subMenu);
    }
    item.id = static_cast<UINT>(newItem);
    return true;
}

// Destroys the menu and, below it, every submenu. Lock held.
void Destroy(HMENU menu, int depth = 0)
{
    std::unique_ptr<HandleObject> object = RemoveHandle(HandleValue(menu), HandleKind::Menu);
    if (!object || depth > MaxMenuDepth) {
        return;
    }
    for (const MenuItemRecord& item : static_cast<MenuRecord*>(object.get())->items) {
        if (item.subMenu) {
            Destroy(item.subMenu, depth + 1);
        }
    }
}

HMENU Create(bool popup)
{
    auto lock = LockSystem();
    return HandleFromValue<HMENU>(AddHandle(HandleKind::Menu, std::make_unique<MenuRecord>(popup)));
}

UINT StateFlags(const MenuItemRecord& item)
{
    return (item.type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP | MFT_MENUBREAK | MFT_MENUBARBREAK)) |
           (item.state & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT));
}

void CopyText(const std::string& text, char* buffer, UINT& count)
{
    if (!buffer || count == 0) {
        count = static_cast<UINT>(text.size());
        return;
    }
    const std::size_t copied = std::min<std::size_t>(text.size(), count - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    count = static_cast<UINT>(copied);
}

// Applies what info's mask names to item; false (nothing applied) for a bad submenu or size.
bool ApplyInfo(HMENU menu, MenuItemRecord& item, const MENUITEMINFO* info)
{
    if (!info || info->cbSize < sizeof(MENUITEMINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const UINT mask = info->fMask;
    if ((mask & MIIM_SUBMENU) && info->hSubMenu && !AcceptableSubMenu(menu, info->hSubMenu)) {
        return false;
    }
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) {
        item.type = info->fType;
    }
    if (mask & MIIM_TYPE) {
        if (info->fType & MFT_BITMAP) {
            item.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
        } else if (!(info->fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
            item.text = info->dwTypeData ? info->dwTypeData : "";
        }
    }
    if (mask & MIIM_STRING) {
        item.text = info->dwTypeData ? info->dwTypeData : "";
    }
    if (mask & MIIM_STATE) {
        item.state = info->fState;
    }
    if (mask & MIIM_ID) {
        item.id = info->wID;
    }
    if (mask & MIIM_SUBMENU) {
        item.subMenu = info->hSubMenu;
    }
    if (mask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info->hbmpChecked;
        item.uncheckedBitmap = info->hbmpUnchecked;
    }
    if (mask & MIIM_DATA) {
        item.data = info->dwItemData;
    }
    if (mask & MIIM_BITMAP) {
        item.bitmap = info->hbmpItem;
    }
    return true;
}

// Sets the state bits of mask as flags has them; answers them as they were, or -1 for no such item.
UINT ChangeState(HMENU menu, UINT position, UINT flags, UINT mask)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place)) {
        return static_cast<UINT>(-1);
    }
    UINT& state = place.Item().state;
    const UINT before = state & mask;
    state = (state & ~mask) | (flags & mask);
    return before;
}

}  // namespace

bool detail::CopyMenuItems(HMENU menu, std::vector<MenuItemRecord>& items)
{
    auto lock = LockSystem();
    const MenuRecord* record = FindMenu(menu);
    if (!record) {
        return false;
    }
    items = record->items;
    return true;
}

HMENU CreateMenu()
{
    return Create(false);
}

HMENU CreatePopupMenu()
{
    return Create(true);
}

BOOL DestroyMenu(HMENU menu)
{
    auto lock = LockSystem();
    if (!MenuOrError(menu)) {
        return FALSE;
    }
    Destroy(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu)
{
    auto lock = LockSystem();
    return FindMenu(menu) != nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR newItem, const char* text)
{
    return InsertMenu(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, newItem, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, const char* text)
{
    auto lock = LockSystem();
    MenuRecord* record = MenuOrError(menu);
    MenuItemRecord item;
    if (!record || !ItemFromFlags(menu, flags, newItem, text, item)) {
        return FALSE;
    }
    if ((flags & MF_BYPOSITION) || position == static_cast<UINT>(-1)) {
        record->items.insert(record->items.begin() + std::min<std::size_t>(position, record->items.size()), std::move(item));
        return TRUE;
    }
    ItemPlace place;
    if (!FindCommand(record, position, place)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    place.menu->items.insert(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.index), std::move(item));
    return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFO* info)
{
    auto lock = LockSystem();
    MenuRecord* record = MenuOrError(menu);
    MenuItemRecord item;
    if (!record || !ApplyInfo(menu, item, info)) {
        return FALSE;
    }
    ItemPlace place{record, record->items.size()};
    if (byPosition) {
        place.index = std::min<std::size_t>(position, place.index);
    } else if (!FindCommand(record, position, place)) {
        place = {record, record->items.size()};
    }
    place.menu->items.insert(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.index), std::move(item));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, const char* text)
{
    auto lock = LockSystem();
    ItemPlace place;
    MenuItemRecord item;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place) || !ItemFromFlags(menu, flags, newItem, text, item)) {
        return FALSE;
    }
    const HMENU oldSub = place.Item().subMenu;
    if (oldSub && oldSub != item.subMenu) {
        Destroy(oldSub);
    }
    place.Item() = std::move(item);
    return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT position, BOOL byPosition, MENUITEMINFO* info)
{
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, byPosition != FALSE, place)) {
        return FALSE;
    }
    const MenuItemRecord& item = place.Item();
    const UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) {
        info->fType = item.type;
    }
    if (mask & MIIM_TYPE) {
        if (item.type & MFT_BITMAP) {
            info->dwTypeData = reinterpret_cast<char*>(item.bitmap);
        } else if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
            CopyText(item.text, info->dwTypeData, info->cch);
        }
    }
    if (mask & MIIM_STRING) {
        CopyText(item.text, info->dwTypeData, info->cch);
    }
    if (mask & MIIM_STATE) {
        info->fState = item.state;
    }
    if (mask & MIIM_ID) {
        info->wID = item.subMenu ? static_cast<UINT>(HandleValue(item.subMenu)) : item.id;
    }
    if (mask & MIIM_SUBMENU) {
        info->hSubMenu = item.subMenu;
    }
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item.checkedBitmap;
        info->hbmpUnchecked = item.uncheckedBitmap;
    }
    if (mask & MIIM_DATA) {
        info->dwItemData = item.data;
    }
    if (mask & MIIM_BITMAP) {
        info->hbmpItem = item.bitmap;
    }
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFO* info)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, byPosition != FALSE, place)) {
        return FALSE;
    }
    MenuItemRecord item = place.Item();
    if (!ApplyInfo(menu, item, info)) {
        return FALSE;
    }
    const HMENU oldSub = place.Item().subMenu;
    if (oldSub && oldSub != item.subMenu) {
        Destroy(oldSub);
    }
    place.Item() = std::move(item);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place)) {
        return FALSE;
    }
    const HMENU sub = place.Item().subMenu;
    place.menu->items.erase(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.index));
    if (sub) {
        Destroy(sub);
    }
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place)) {
        return FALSE;
    }
    place.menu->items.erase(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.index));
    return TRUE;
}

int GetMenuItemCount(HMENU menu)
{
    auto lock = LockSystem();
    const MenuRecord* record = MenuOrError(menu);
    return record ? static_cast<int>(record->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (position < 0 || !FindItem(menu, static_cast<UINT>(position), true, place) || place.Item().subMenu) {
        return static_cast<UINT>(-1);
    }
    return place.Item().id;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (position < 0 || !FindItem(menu, static_cast<UINT>(position), true, place)) {
        return nullptr;
    }
    return place.Item().subMenu;
}

UINT GetMenuState(HMENU menu, UINT position, UINT flags)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place)) {
        return static_cast<UINT>(-1);
    }
    const MenuItemRecord& item = place.Item();
    if (const MenuRecord* sub = item.subMenu ? FindMenu(item.subMenu) : nullptr) {
        return (static_cast<UINT>(sub->items.size()) << 8) | MF_POPUP | (StateFlags(item) & 0xFF);
    }
    return StateFlags(item);
}

int GetMenuString(HMENU menu, UINT position, char* buffer, int maxCount, UINT flags)
{
    auto lock = LockSystem();
    ItemPlace place;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, place)) {
        return 0;
    }
    UINT count = buffer && maxCount > 0 ? static_cast<UINT>(maxCount) : 0;
    CopyText(place.Item().text, buffer, count);
    return static_cast<int>(count);
}

UINT EnableMenuItem(HMENU menu, UINT position, UINT flags)
{
    return ChangeState(menu, position, flags, MFS_GRAYED);
}

DWORD CheckMenuItem(HMENU menu, UINT position, UINT flags)
{
    return ChangeState(menu, position, flags, MFS_CHECKED);
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    auto lock = LockSystem();
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    ItemPlace from;
    ItemPlace to;
    ItemPlace chosen;
    if (!FindItem(menu, first, byPosition, from) || !FindItem(menu, last, byPosition, to) ||
        !FindItem(menu, check, byPosition, chosen) || from.menu != to.menu || chosen.menu != from.menu) {
        return FALSE;
    }
    const auto [low, high] = std::minmax(from.index, to.index);
    if (chosen.index < low || chosen.index > high) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    for (std::size_t i = low; i <= high; ++i) {
        MenuItemRecord& item = from.menu->items[i];
        if (i == chosen.index) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MFS_CHECKED;
        }
    }
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT position, UINT byPosition)
{
    auto lock = LockSystem();
    MenuRecord* record = MenuOrError(menu);
    if (!record) {
        return FALSE;
    }
    std::size_t index = record->items.size();
    if (position != static_cast<UINT>(-1)) {
        if (byPosition) {
            index = position;
        } else {
            const auto it = std::find_if(record->items.begin(), record->items.end(),
                                         [&](const MenuItemRecord& item) { return !item.subMenu && item.id == position; });
            index = static_cast<std::size_t>(it - record->items.begin());
        }
        if (index >= record->items.size()) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
    }
    for (std::size_t i = 0; i < record->items.size(); ++i) {
        record->items[i].state = i == index ? record->items[i].state | MFS_DEFAULT : record->items[i].state & ~MFS_DEFAULT;
    }
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT)
{
    auto lock = LockSystem();
    const MenuRecord* record = MenuOrError(menu);
    if (!record) {
        return static_cast<UINT>(-1);
    }
    const auto it = std::find_if(record->items.begin(), record->items.end(),
                                 [](const MenuItemRecord& item) { return (item.state & MFS_DEFAULT) != 0; });
    if (it == record->items.end()) {
        return static_cast<UINT>(-1);
    }
    return byPosition ? static_cast<UINT>(it - record->items.begin()) : it->id;
}

}  // namespace win
