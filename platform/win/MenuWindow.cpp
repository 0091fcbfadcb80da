#include "platform/win/detail/MenuWindow.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Activation.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/Messages.h"

#include "platform/rtl/StringUtils.h"

#include <algorithm>

namespace win::detail {

namespace {

constexpr int SeparatorHeight = 9;
// Between an item's text and its shortcut text.
constexpr int ShortcutGap = 12;
// Between two columns, around the etched line of a bar break.
constexpr int BarBreakGap = 4;

bool IsSeparator(const MenuItemRecord& item)
{
    return (item.type & MFT_SEPARATOR) != 0;
}

bool IsOwnerDrawn(const MenuItemRecord& item)
{
    return (item.type & MFT_OWNERDRAW) != 0;
}

bool HasBitmap(const MenuItemRecord& item)
{
    return item.bitmap && item.bitmap != HBMMENU_CALLBACK;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || bitmap == HBMMENU_CALLBACK || !GetObject(bitmap, sizeof(info), &info)) {
        return {0, 0};
    }
    return {info.bmWidth, info.bmHeight};
}

std::string ShortcutText(const MenuItemRecord& item)
{
    const auto tab = item.text.find('\t');
    return tab == std::string::npos ? std::string() : item.text.substr(tab + 1);
}

int TextWidth(HDC dc, const std::string& text, UINT format)
{
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT | DT_SINGLELINE);
    return rect.right - rect.left;
}

UINT OwnerDrawState(const MenuItemRecord& item, bool selected)
{
    UINT state = selected ? ODS_SELECTED : 0;
    if (item.state & MFS_GRAYED) {
        state |= ODS_GRAYED | ODS_DISABLED;
    }
    if (item.state & MFS_CHECKED) {
        state |= ODS_CHECKED;
    }
    if (item.state & MFS_DEFAULT) {
        state |= ODS_DEFAULT;
    }
    return state;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& column)
{
    const SIZE size = BitmapSize(bitmap);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, column.left + (column.right - column.left - size.cx) / 2, column.top + (column.bottom - column.top - size.cy) / 2,
           size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

// Text in the item's colours; disabled text is embossed (a highlight copy below right) unless selected.
void DrawItemText(HDC dc, const std::string& text, RECT rect, UINT format, const MenuItemRecord& item, bool selected)
{
    SetBkMode(dc, TRANSPARENT);
    if (item.state & MFS_GRAYED) {
        if (!selected) {
            RECT shifted = rect;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
        }
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void DrawSubmenuArrow(HDC dc, const RECT& rect, COLORREF colour)
{
    const int side = GetSystemMetrics(SM_CXMENUCHECK);
    const int left = rect.right - side - 2;
    const int top = rect.top + (rect.bottom - rect.top - side) / 2;
    DrawMenuGlyph(dc, {left, top, left + side, top + side}, DFCS_MENUARROW, colour);
}

void PaintItem(const MenuPopup& popup, HDC dc, int index, UINT action)
{
    const MenuItemRecord& item = popup.items[static_cast<std::size_t>(index)];
    const RECT rect = popup.rects[static_cast<std::size_t>(index)];
    const bool selected = index == popup.selected && !IsSeparator(item);
    HGDIOBJ oldFont = SelectObject(dc, (item.state & MFS_DEFAULT) ? popup.fonts->bold : popup.fonts->normal);
    if (IsOwnerDrawn(item)) {
        DRAWITEMSTRUCT draw;
        draw.CtlType = ODT_MENU;
        draw.itemID = item.id;
        draw.itemAction = action;
        draw.itemState = OwnerDrawState(item, selected);
        draw.hwndItem = reinterpret_cast<HWND>(popup.menu);
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = item.data;
        SendMessage(popup.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        if (item.subMenu) {
            DrawSubmenuArrow(dc, rect, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
        SelectObject(dc, oldFont);
        return;
    }
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (IsSeparator(item)) {
        const int y = rect.top + SeparatorHeight / 2 - 1;
        RECT line{rect.left + 1, y, rect.right - 1, y + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DSHADOW));
        OffsetRect(&line, 0, 1);
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DHILIGHT));
        SelectObject(dc, oldFont);
        return;
    }
    const COLORREF glyphColour = GetSysColor((item.state & MFS_GRAYED) ? COLOR_GRAYTEXT
                                             : selected                ? COLOR_HIGHLIGHTTEXT
                                                                       : COLOR_MENUTEXT);
    const RECT column{rect.left, rect.top, rect.left + popup.imageColumn, rect.bottom};
    const RECT textRect{column.right, rect.top, rect.right - popup.arrowColumn, rect.bottom};
    const bool checked = (item.state & MFS_CHECKED) != 0;
    const HBITMAP own = checked ? item.checkedBitmap : item.uncheckedBitmap;
    if (own) {
        DrawBitmap(dc, own, column);
    } else if (HasBitmap(item)) {
        DrawBitmap(dc, item.bitmap, column);
        if (checked) {
            RECT frame = column;
            InflateRect(&frame, -1, -1);
            DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        }
    } else if (checked) {
        const int side = GetSystemMetrics(SM_CXMENUCHECK);
        const RECT box{column.left + (column.right - column.left - side) / 2, column.top + (column.bottom - column.top - side) / 2,
                       0, 0};
        DrawMenuGlyph(dc, {box.left, box.top, box.left + side, box.top + side},
                  (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, glyphColour);
    }
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    DrawItemText(dc, MenuItemLabel(item), textRect, format | DT_LEFT, item, selected);
    if (const std::string shortcut = ShortcutText(item); !shortcut.empty()) {
        DrawItemText(dc, shortcut, textRect, format | DT_RIGHT | DT_NOPREFIX, item, selected);
    }
    if (item.subMenu) {
        DrawSubmenuArrow(dc, rect, glyphColour);
    }
    SelectObject(dc, oldFont);
}

LRESULT MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* popup = reinterpret_cast<MenuPopup*>(GetWindowLongPtr(hwnd, 0));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case MN_GETHMENU:
        return popup ? reinterpret_cast<LRESULT>(popup->menu) : 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (popup) {
            RECT client{0, 0, popup->size.cx, popup->size.cy};
            FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
            DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
            for (int x : popup->barLines) {
                RECT line{x - 1, MenuBorder, x + 1, client.bottom - MenuBorder};
                DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
            }
            for (std::size_t i = 0; i < popup->items.size(); ++i) {
                RECT overlap;
                if (IntersectRect(&overlap, &popup->rects[i], &paint.rcPaint)) {
                    PaintItem(*popup, dc, static_cast<int>(i), ODA_DRAWENTIRE);
                }
            }
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void RegisterMenuWindowClass()
{
    WNDCLASS existing;
    if (GetClassInfo(nullptr, MenuWindowClass, &existing)) {
        return;
    }
    WNDCLASS windowClass;
    windowClass.style = CS_SAVEBITS | CS_DROPSHADOW;
    windowClass.lpfnWndProc = MenuWindowProc;
    windowClass.cbWndExtra = sizeof(MenuPopup*);
    windowClass.lpszClassName = MenuWindowClass;
    RegisterClass(&windowClass);
}

}  // namespace

std::string MenuItemLabel(const MenuItemRecord& item)
{
    return item.text.substr(0, item.text.find('\t'));
}

char MenuItemMnemonic(const MenuItemRecord& item)
{
    const std::string label = MenuItemLabel(item);
    for (std::size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] == '&') {
            if (label[i + 1] != '&') {
                return rtl::AnsiUpperChar(label[i + 1]);
            }
            ++i;
        }
    }
    return 0;
}

void LayoutMenuPopup(MenuPopup& popup)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, popup.fonts->normal);
    TEXTMETRIC metrics{};
    GetTextMetricsA(dc, &metrics);
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    int bitmapWidth = check;
    int textHeight = std::max<int>(metrics.tmHeight, check) + 4;
    for (const MenuItemRecord& item : popup.items) {
        for (HBITMAP bitmap : {item.bitmap, item.checkedBitmap, item.uncheckedBitmap}) {
            const SIZE size = BitmapSize(bitmap);
            bitmapWidth = std::max<int>(bitmapWidth, size.cx);
            textHeight = std::max<int>(textHeight, size.cy + 2);
        }
    }
    popup.imageColumn = bitmapWidth + 6;
    popup.arrowColumn = check + 6;
    // Each item's size; widths of text items are their label and shortcut, the columns add the rest.
    struct Measured {
        int label = 0;
        int shortcut = 0;
        int owner = 0;
        int height = 0;
    };
    std::vector<Measured> sizes;
    for (const MenuItemRecord& item : popup.items) {
        Measured size;
        if (IsSeparator(item)) {
            size.height = SeparatorHeight;
        } else if (IsOwnerDrawn(item)) {
            MEASUREITEMSTRUCT measure;
            measure.CtlType = ODT_MENU;
            measure.itemID = item.id;
            measure.itemHeight = static_cast<UINT>(textHeight);
            measure.itemData = item.data;
            SendMessage(popup.owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            size.height = static_cast<int>(std::min<UINT>(measure.itemHeight, 0x7FFF));
            size.owner = static_cast<int>(std::min<UINT>(measure.itemWidth, 0x7FFF));
        } else {
            SelectObject(dc, (item.state & MFS_DEFAULT) ? popup.fonts->bold : popup.fonts->normal);
            size.label = TextWidth(dc, MenuItemLabel(item), 0);
            size.shortcut = TextWidth(dc, ShortcutText(item), DT_NOPREFIX);
            size.height = textHeight;
        }
        sizes.push_back(size);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    // A break starts a new column; a bar break draws a line between the two.
    popup.rects.assign(popup.items.size(), RECT{});
    popup.barLines.clear();
    int left = MenuBorder;
    int bottom = MenuBorder;
    for (std::size_t first = 0; first < popup.items.size();) {
        std::size_t end = first + 1;
        while (end < popup.items.size() && !(popup.items[end].type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
            ++end;
        }
        int label = 0;
        int shortcut = 0;
        int owner = 0;
        for (std::size_t i = first; i < end; ++i) {
            label = std::max(label, sizes[i].label);
            shortcut = std::max(shortcut, sizes[i].shortcut);
            owner = std::max(owner, sizes[i].owner);
        }
        const int textWidth = label + (shortcut ? ShortcutGap + shortcut : 0);
        const int width = std::max(popup.imageColumn + textWidth + popup.arrowColumn, owner);
        int top = MenuBorder;
        for (std::size_t i = first; i < end; ++i) {
            popup.rects[i] = {left, top, left + width, top + sizes[i].height};
            top += sizes[i].height;
        }
        bottom = std::max(bottom, top);
        left += width;
        if (end < popup.items.size() && (popup.items[end].type & MFT_MENUBARBREAK)) {
            popup.barLines.push_back(left + BarBreakGap / 2);
            left += BarBreakGap;
        }
        first = end;
    }
    popup.size = {left + MenuBorder, bottom + MenuBorder};
}

HWND CreateMenuWindow(MenuPopup& popup, POINT at)
{
    RegisterMenuWindowClass();
    popup.hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MenuWindowClass, "", WS_POPUP, at.x, at.y, popup.size.cx,
                                popup.size.cy, popup.owner, nullptr, nullptr, nullptr);
    if (popup.hwnd) {
        SetWindowLongPtr(popup.hwnd, 0, reinterpret_cast<LONG_PTR>(&popup));
        SetWindowPos(popup.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(popup.hwnd);
    }
    return popup.hwnd;
}

void RedrawMenuItem(const MenuPopup& popup, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= popup.rects.size() || !popup.hwnd) {
        return;
    }
    InvalidateRect(popup.hwnd, &popup.rects[static_cast<std::size_t>(index)], FALSE);
    UpdateWindow(popup.hwnd);
}

int MenuItemAt(const MenuPopup& popup, POINT client)
{
    for (std::size_t i = 0; i < popup.rects.size(); ++i) {
        if (PtInRect(&popup.rects[i], client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace win::detail

namespace win {

// DrawFrameControl gives the glyph as a black-on-white mask; its black pixels take the colour.
void DrawMenuGlyph(HDC dc, const RECT& box, UINT part, COLORREF colour)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(mask, bitmap);
    RECT local{0, 0, width, height};
    DrawFrameControl(mask, &local, DFC_MENU, part);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetPixel(mask, x, y) == RGB(0, 0, 0)) {
                SetPixel(dc, box.left + x, box.top + y, colour);
            }
        }
    }
    SelectObject(mask, old);
    DeleteObject(bitmap);
    DeleteDC(mask);
}

}  // namespace win
