#pragma once
// Menus: HMENU objects holding items (text, separators, owner-drawn items, submenus, check and enabled
// state), and the popup menus TrackPopupMenu shows in "#32768" windows while it runs a modal loop.
//
// Items are addressed by command (MF_BYCOMMAND, the default: the first item of the id, submenus searched
// depth first) or by position (MF_BYPOSITION). A menu used as another item's submenu belongs to that
// item: DestroyMenu and DeleteMenu destroy it with the item, RemoveMenu leaves it alive.

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace win {

constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
constexpr DWORD ERROR_POPUP_ALREADY_ACTIVE = 1446;
constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;

// The flags of AppendMenu, InsertMenu, ModifyMenu, EnableMenuItem, CheckMenuItem and GetMenuState.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// MENUITEMINFO: which members count (fMask), the item's type and state.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_BITMAP = 0x0004;
constexpr UINT MFT_MENUBARBREAK = 0x0020;
constexpr UINT MFT_MENUBREAK = 0x0040;
constexpr UINT MFT_OWNERDRAW = 0x0100;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFT_RIGHTJUSTIFY = 0x4000;
constexpr UINT MFS_ENABLED = 0x0000;
constexpr UINT MFS_UNCHECKED = 0x0000;
constexpr UINT MFS_UNHILITE = 0x0000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = 0x0008;
constexpr UINT MFS_HILITE = 0x0080;
constexpr UINT MFS_DEFAULT = 0x1000;
// hbmpItem: the owner draws the item's bitmap (WM_MEASUREITEM / WM_DRAWITEM for the bitmap part).
inline const HBITMAP HBMMENU_CALLBACK = HandleFromValue<HBITMAP>(-1);

struct MENUITEMINFO {
    UINT cbSize = sizeof(MENUITEMINFO);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    HBITMAP hbmpChecked = nullptr;
    HBITMAP hbmpUnchecked = nullptr;
    ULONG_PTR dwItemData = 0;
    // In: the text (MIIM_STRING, or MIIM_TYPE with MFT_STRING). Out: a buffer of cch bytes, or null to
    // learn the length; cch answers the text's length without its terminating zero.
    char* dwTypeData = nullptr;
    UINT cch = 0;
    HBITMAP hbmpItem = nullptr;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu, its submenus and their items.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// newItem is the id, or the submenu with MF_POPUP; item the text (MF_STRING), the bitmap (MF_BITMAP) or
// the item data (MF_OWNERDRAW).
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR newItem, const char* item);
// Inserts before the item named by position (flags) or -1 for the end.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, const char* item);
// Inserts before the item at item (byPosition) or before the item of the command item.
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
// Replaces the item's type, state, id or submenu and text as AppendMenu gives them.
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, const char* item);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);

// -1 for an invalid menu.
int GetMenuItemCount(HMENU menu);
// The id of the item at position; -1 for a submenu item or a bad position.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// MF_ flags of the item (for a submenu item the high byte is its item count); -1 when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies at most maxCount - 1 characters and a zero; answers the number copied (the length with a null
// buffer), 0 when there is no such item.
int GetMenuString(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags);

// Answer the state before (MF_ENABLED/MF_GRAYED/MF_DISABLED, MF_CHECKED/MF_UNCHECKED), or -1 when there
// is no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// Checks check as a radio item and unchecks the other items of first .. last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// item -1 clears the default.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
struct TPMPARAMS {
    UINT cbSize = sizeof(TPMPARAMS);
    RECT rcExclude;
};

// WM_MENUCHAR answers: the high word says what to do with the item in the low word.
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;

// The class of the popup menu windows; MN_GETHMENU asks one for the menu it shows.
inline constexpr const char* MenuWindowClass = "#32768";
constexpr UINT MN_GETHMENU = 0x01E1;

// Shows the popup menu at the screen point (aligned by flags, kept on the work area) and runs the menu
// loop until the user chooses an item or leaves the menu. The owner receives WM_ENTERMENULOOP,
// WM_INITMENUPOPUP before each popup shows, WM_MENUSELECT as the highlight moves (and with 0xFFFF flags
// and no menu when the loop ends), WM_MEASUREITEM / WM_DRAWITEM for owner-drawn items, WM_MENUCHAR
// for a letter no item has as mnemonic, WM_EXITMENULOOP, then the chosen item's WM_COMMAND as a posted
// message. TPM_RETURNCMD answers the chosen id (0 for none) instead of posting it; TPM_NONOTIFY sends
// no notification (owner-draw messages still come). Without TPM_RETURNCMD answers whether the menu was
// shown. Fails with ERROR_POPUP_ALREADY_ACTIVE while the thread runs another menu loop. A menu that
// would cover params->rcExclude moves below or above it (TPM_VERTICAL), else right or left of it.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* reserved2);
// Ends the calling thread's menu loop as if the user left it.
BOOL EndMenu();

// Draws a menu glyph of DrawFrameControl's DFC_MENU (DFCS_MENUCHECK, DFCS_MENUBULLET, DFCS_MENUARROW) in
// colour, leaving the rest of the box as it was: the marks menus show, for owner-drawn items too.
void DrawMenuGlyph(HDC dc, const RECT& box, UINT part, COLORREF colour);

}  // namespace win
