// The LISTBOX window class: a list of texts (or owner-drawn items with their data) in one column or
// several (LBS_MULTICOLUMN), with one selected item, or many (LBS_MULTIPLESEL: each click toggles;
// LBS_EXTENDEDSEL: Shift extends from the anchor, Ctrl toggles). The caret item carries the focus
// rectangle while the window has the focus. It tells its parent through WM_COMMAND (LBN_ codes, those of
// the user's selection only with LBS_NOTIFY), asks it for colours (WM_CTLCOLORLISTBOX), item heights
// (WM_MEASUREITEM) and drawings (WM_DRAWITEM), and reports deleted items (WM_DELETEITEM).

#include "platform/gdi/DeviceContext.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowFont.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Collation.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace listbox {

struct Item {
    std::string text;
    win::ULONG_PTR data = 0;
    bool selected = false;
    int height = 0;  // LBS_OWNERDRAWVARIABLE only
};

struct ListState {
    std::vector<Item> items;
    win::HFONT font = nullptr;
    int itemHeight = 0;
    int top = 0;
    int caret = 0;
    int anchor = 0;
    int current = -1;  // the selected item of a single-selection list
    int horizontalExtent = 0;
    int left = 0;  // pixels scrolled to the left (one column) or columns (several)
    int columnWidth = 0;
    bool focused = false;
    bool tracking = false;
    bool trackSelects = true;  // what a drag in a multiple-selection list does to the items it passes
    win::HWND combo = nullptr;  // the combo box a "ComboLBox" list belongs to
    // The bars the window was made with: a bar hidden while there is nothing to scroll comes back.
    win::DWORD bars = 0;
};

ListState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<ListState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD StyleOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
}

bool OwnerDrawn(win::DWORD style)
{
    return style & (win::LBS_OWNERDRAWFIXED | win::LBS_OWNERDRAWVARIABLE);
}

bool HasStrings(win::DWORD style)
{
    return !OwnerDrawn(style) || (style & win::LBS_HASSTRINGS);
}

bool MultipleSelection(win::DWORD style)
{
    return style & (win::LBS_MULTIPLESEL | win::LBS_EXTENDEDSEL);
}

int Count(const ListState& state)
{
    return int(state.items.size());
}

bool Valid(const ListState& state, int index)
{
    return index >= 0 && index < Count(state);
}

// Where notifications, colour, measure and draw requests go: the parent, or a combo box's list's combo box
// (a dropped list is a popup owned by the top-level window).
win::HWND Target(win::HWND hwnd)
{
    const ListState* state = StateOf(hwnd);
    return state && state->combo ? state->combo : win::GetParent(hwnd);
}

void Notify(win::HWND hwnd, win::WORD code)
{
    if (win::HWND parent = Target(hwnd)) {
        const auto id = win::WORD(win::GetWindowLongPtr(hwnd, win::GWL_ID));
        win::SendMessage(parent, win::WM_COMMAND, win::MAKEWPARAM(id, code), reinterpret_cast<win::LPARAM>(hwnd));
    }
}

void NotifyUser(win::HWND hwnd, win::WORD code)
{
    if (StyleOf(hwnd) & win::LBS_NOTIFY) {
        Notify(hwnd, code);
    }
}

win::RECT Client(win::HWND hwnd)
{
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    return client;
}

int ItemHeight(const ListState& state, win::DWORD style, int index)
{
    if ((style & win::LBS_OWNERDRAWVARIABLE) && Valid(state, index)) {
        return std::max(1, state.items[std::size_t(index)].height);
    }
    return std::max(1, state.itemHeight);
}

// Items per column of a multi-column list (at least one).
int RowsPerColumn(win::HWND hwnd, const ListState& state)
{
    return std::max(1, int(Client(hwnd).bottom) / std::max(1, state.itemHeight));
}

int ColumnWidth(win::HWND hwnd, const ListState& state)
{
    return state.columnWidth > 0 ? state.columnWidth : std::max(1, int(Client(hwnd).right) / 2);
}

// Where an item stands in the client area (it may lie outside it).
win::RECT ItemRect(win::HWND hwnd, const ListState& state, int index)
{
    const win::DWORD style = StyleOf(hwnd);
    const win::RECT client = Client(hwnd);
    if (style & win::LBS_MULTICOLUMN) {
        const int rows = RowsPerColumn(hwnd, state);
        const int width = ColumnWidth(hwnd, state);
        const int column = index / rows - state.top / rows;
        const int row = index % rows;
        return win::RECT{column * width, row * state.itemHeight, (column + 1) * width, (row + 1) * state.itemHeight};
    }
    int y = 0;
    if (style & win::LBS_OWNERDRAWVARIABLE) {
        for (int i = state.top; i < index; ++i) {
            y += ItemHeight(state, style, i);
        }
        for (int i = index; i < state.top; ++i) {
            y -= ItemHeight(state, style, i);
        }
    } else {
        y = (index - state.top) * std::max(1, state.itemHeight);
    }
    const int width = std::max(int(client.right), state.horizontalExtent);
    return win::RECT{-state.left, y, width - state.left, y + ItemHeight(state, style, index)};
}

// Whole items the client area shows from the top item on (at least one).
int VisibleCount(win::HWND hwnd, const ListState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    const win::RECT client = Client(hwnd);
    if (style & win::LBS_MULTICOLUMN) {
        const int columns = std::max(1, int(client.right) / ColumnWidth(hwnd, state));
        return RowsPerColumn(hwnd, state) * columns;
    }
    int shown = 0;
    int y = 0;
    for (int i = state.top; i < Count(state); ++i) {
        y += ItemHeight(state, style, i);
        if (y > client.bottom) {
            break;
        }
        ++shown;
    }
    if (!(style & win::LBS_OWNERDRAWVARIABLE)) {
        shown = std::max(shown, int(client.bottom) / std::max(1, state.itemHeight));
    }
    return std::max(1, shown);
}

// The item under a client point, or -1 below the last item.
int ItemAt(win::HWND hwnd, const ListState& state, win::POINT point)
{
    for (int i = state.top; i < Count(state); ++i) {
        const win::RECT rect = ItemRect(hwnd, state, i);
        if (rect.top > Client(hwnd).bottom && !(StyleOf(hwnd) & win::LBS_MULTICOLUMN)) {
            break;
        }
        if (point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom) {
            return i;
        }
    }
    return -1;
}

int MaxTop(win::HWND hwnd, const ListState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    if (style & win::LBS_MULTICOLUMN) {
        const int rows = RowsPerColumn(hwnd, state);
        const int columns = std::max(1, int(Client(hwnd).right) / ColumnWidth(hwnd, state));
        const int lastColumn = std::max(0, (Count(state) - 1) / rows);
        return std::max(0, lastColumn - columns + 1) * rows;
    }
    // The top that still fills the window from the bottom.
    int y = 0;
    int top = Count(state);
    while (top > 0) {
        y += ItemHeight(state, style, top - 1);
        if (y > Client(hwnd).bottom) {
            break;
        }
        --top;
    }
    return std::min(top, std::max(0, Count(state) - 1));
}

void UpdateScrollBars(win::HWND hwnd, ListState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    const win::UINT disable = (style & win::LBS_DISABLENOSCROLL) ? win::SIF_DISABLENOSCROLL : 0;
    state.top = std::clamp(state.top, 0, MaxTop(hwnd, state));
    if (style & win::LBS_MULTICOLUMN) {
        state.top -= state.top % RowsPerColumn(hwnd, state);
    }
    if ((state.bars & win::WS_VSCROLL) && !(style & win::LBS_MULTICOLUMN)) {
        win::SCROLLINFO info;
        info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | disable;
        info.nMax = std::max(0, Count(state) - 1);
        info.nPage = win::UINT(VisibleCount(hwnd, state));
        info.nPos = state.top;
        win::SetScrollInfo(hwnd, win::SB_VERT, &info, win::TRUE);
    }
    if (state.bars & win::WS_HSCROLL) {
        win::SCROLLINFO info;
        info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | disable;
        if (style & win::LBS_MULTICOLUMN) {
            const int rows = RowsPerColumn(hwnd, state);
            info.nMax = std::max(0, (Count(state) - 1) / rows);
            info.nPage = win::UINT(std::max(1, int(Client(hwnd).right) / ColumnWidth(hwnd, state)));
            info.nPos = state.top / rows;
        } else {
            state.left = std::clamp(state.left, 0, std::max(0, state.horizontalExtent - int(Client(hwnd).right)));
            info.nMax = std::max(0, state.horizontalExtent - 1);
            info.nPage = win::UINT(Client(hwnd).right);
            info.nPos = state.left;
        }
        win::SetScrollInfo(hwnd, win::SB_HORZ, &info, win::TRUE);
    }
}

void Changed(win::HWND hwnd, ListState& state)
{
    UpdateScrollBars(hwnd, state);
    win::InvalidateRect(hwnd, nullptr, true);
}

void SetTop(win::HWND hwnd, ListState& state, int top)
{
    state.top = top;
    Changed(hwnd, state);
}

// Scrolls the least that shows the whole item.
void EnsureVisible(win::HWND hwnd, ListState& state, int index)
{
    if (!Valid(state, index)) {
        return;
    }
    if (index < state.top) {
        SetTop(hwnd, state, index);
        return;
    }
    if (StyleOf(hwnd) & win::LBS_MULTICOLUMN) {
        const int shown = VisibleCount(hwnd, state);
        if (index >= state.top + shown) {
            const int rows = RowsPerColumn(hwnd, state);
            SetTop(hwnd, state, (index / rows) * rows - shown + rows);
        }
        return;
    }
    while (state.top < index && ItemRect(hwnd, state, index).bottom > Client(hwnd).bottom) {
        ++state.top;
    }
    Changed(hwnd, state);
}

int Measure(win::HWND hwnd, int index, win::ULONG_PTR data, int fallback)
{
    win::MEASUREITEMSTRUCT measure;
    measure.CtlType = win::ODT_LISTBOX;
    measure.CtlID = win::UINT(win::GetWindowLongPtr(hwnd, win::GWL_ID));
    measure.itemID = win::UINT(index);
    measure.itemWidth = win::UINT(Client(hwnd).right);
    measure.itemHeight = win::UINT(fallback);
    measure.itemData = data;
    if (win::HWND parent = Target(hwnd)) {
        win::SendMessage(parent, win::WM_MEASUREITEM, measure.CtlID, reinterpret_cast<win::LPARAM>(&measure));
    }
    return std::max(1, int(measure.itemHeight));
}

// Where a new text goes: its place in a sorted list (after its equals), else the index asked (-1: the end).
int PlaceFor(win::HWND hwnd, const ListState& state, const std::string& text, int asked)
{
    const win::DWORD style = StyleOf(hwnd);
    if ((style & win::LBS_SORT) && HasStrings(style) && asked == -2) {
        const auto place = std::upper_bound(state.items.begin(), state.items.end(), text, [](const std::string& t, const Item& item) {
            return rtl::AnsiCompareText(t, item.text) < 0;
        });
        return int(place - state.items.begin());
    }
    return asked < 0 ? Count(state) : asked;
}

win::LRESULT Insert(win::HWND hwnd, ListState& state, int asked, win::LPARAM lParam)
{
    const win::DWORD style = StyleOf(hwnd);
    Item item;
    if (HasStrings(style)) {
        item.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    } else {
        item.data = win::ULONG_PTR(lParam);
    }
    const int index = PlaceFor(hwnd, state, item.text, asked);
    if (index > Count(state)) {
        return win::LB_ERR;
    }
    if (style & win::LBS_OWNERDRAWVARIABLE) {
        item.height = Measure(hwnd, index, win::ULONG_PTR(lParam), state.itemHeight);
    }
    state.items.insert(state.items.begin() + index, item);
    if (state.current >= index) {
        ++state.current;
    }
    if (state.caret >= index && Count(state) > 1) {
        ++state.caret;
    }
    if (state.anchor >= index && Count(state) > 1) {
        ++state.anchor;
    }
    Changed(hwnd, state);
    return index;
}

void SendDeleteItem(win::HWND hwnd, const ListState& state, int index)
{
    const win::DWORD style = StyleOf(hwnd);
    if (!OwnerDrawn(style) && state.items[std::size_t(index)].data == 0) {
        return;
    }
    win::DELETEITEMSTRUCT deleted;
    deleted.CtlType = win::ODT_LISTBOX;
    deleted.CtlID = win::UINT(win::GetWindowLongPtr(hwnd, win::GWL_ID));
    deleted.itemID = win::UINT(index);
    deleted.hwndItem = hwnd;
    deleted.itemData = state.items[std::size_t(index)].data;
    if (win::HWND parent = Target(hwnd)) {
        win::SendMessage(parent, win::WM_DELETEITEM, deleted.CtlID, reinterpret_cast<win::LPARAM>(&deleted));
    }
}

win::LRESULT Delete(win::HWND hwnd, ListState& state, int index)
{
    if (!Valid(state, index)) {
        return win::LB_ERR;
    }
    SendDeleteItem(hwnd, state, index);
    state.items.erase(state.items.begin() + index);
    if (state.current == index) {
        state.current = -1;
    } else if (state.current > index) {
        --state.current;
    }
    const int last = std::max(0, Count(state) - 1);
    if (state.caret > index) {
        --state.caret;
    }
    if (state.anchor > index) {
        --state.anchor;
    }
    state.caret = std::min(state.caret, last);
    state.anchor = std::min(state.anchor, last);
    Changed(hwnd, state);
    return Count(state);
}

void ResetContent(win::HWND hwnd, ListState& state)
{
    for (int i = 0; i < Count(state); ++i) {
        SendDeleteItem(hwnd, state, i);
    }
    state.items.clear();
    state.top = state.caret = state.anchor = state.left = 0;
    state.current = -1;
    Changed(hwnd, state);
}

// The first item from `start` + 1 on (wrapping round) whose text begins with `text` (exact: equals it),
// compared without case; -1 when none does. Without strings the item data is compared.
win::LRESULT Find(win::HWND hwnd, const ListState& state, int start, win::LPARAM lParam, bool exact)
{
    const int count = Count(state);
    if (count == 0) {
        return win::LB_ERR;
    }
    const bool strings = HasStrings(StyleOf(hwnd));
    const std::string text = strings && lParam ? reinterpret_cast<const char*>(lParam) : "";
    const int first = start < 0 || start >= count ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const Item& item = state.items[std::size_t(i)];
        if (!strings) {
            if (item.data == win::ULONG_PTR(lParam)) {
                return i;
            }
            continue;
        }
        const std::string_view head = exact ? std::string_view(item.text) : std::string_view(item.text).substr(0, text.size());
        if ((exact || item.text.size() >= text.size()) && rtl::AnsiCompareText(head, text) == 0) {
            return i;
        }
    }
    return win::LB_ERR;
}

void SetCaret(win::HWND hwnd, ListState& state, int index)
{
    if (Valid(state, index)) {
        state.caret = index;
        EnsureVisible(hwnd, state, index);
        win::InvalidateRect(hwnd, nullptr, true);
    }
}

// A single-selection list's selection (-1: none).
void SetCurrent(win::HWND hwnd, ListState& state, int index)
{
    state.current = Valid(state, index) ? index : -1;
    if (state.current >= 0) {
        state.caret = state.anchor = index;
        EnsureVisible(hwnd, state, index);
    }
    win::InvalidateRect(hwnd, nullptr, true);
}

void SelectRange(ListState& state, int from, int to, bool select)
{
    if (from > to) {
        std::swap(from, to);
    }
    for (int i = std::max(0, from); i <= to && i < Count(state); ++i) {
        state.items[std::size_t(i)].selected = select;
    }
}

void ClearSelection(ListState& state)
{
    SelectRange(state, 0, Count(state) - 1, false);
}

bool IsSelected(win::HWND hwnd, const ListState& state, int index)
{
    if (MultipleSelection(StyleOf(hwnd))) {
        return Valid(state, index) && state.items[std::size_t(index)].selected;
    }
    return index == state.current && index >= 0;
}

// --- the user's choices ---

// What a click or a key move to `index` selects, as the selection style and the Shift and Ctrl keys say.
void Choose(win::HWND hwnd, ListState& state, int index, bool shift, bool control, bool toggle)
{
    if (!Valid(state, index)) {
        return;
    }
    const win::DWORD style = StyleOf(hwnd);
    if (style & win::LBS_EXTENDEDSEL) {
        if (shift) {
            if (!control) {
                ClearSelection(state);
            }
            SelectRange(state, state.anchor, index, true);
        } else if (control) {
            if (toggle) {
                state.items[std::size_t(index)].selected = !state.items[std::size_t(index)].selected;
                state.anchor = index;
            }
        } else {
            ClearSelection(state);
            state.items[std::size_t(index)].selected = true;
            state.anchor = index;
        }
        SetCaret(hwnd, state, index);
    } else if (style & win::LBS_MULTIPLESEL) {
        if (toggle) {
            state.items[std::size_t(index)].selected = !state.items[std::size_t(index)].selected;
        }
        SetCaret(hwnd, state, index);
    } else {
        SetCurrent(hwnd, state, index);
    }
    NotifyUser(hwnd, win::LBN_SELCHANGE);
}

void KeyDown(win::HWND hwnd, ListState& state, win::WPARAM key)
{
    const int count = Count(state);
    if (count == 0) {
        return;
    }
    const win::DWORD style = StyleOf(hwnd);
    const bool multiColumn = style & win::LBS_MULTICOLUMN;
    const int from = (style & (win::LBS_MULTIPLESEL | win::LBS_EXTENDEDSEL)) || state.current < 0 ? state.caret : state.current;
    const int page = std::max(1, VisibleCount(hwnd, state) - (multiColumn ? 0 : 1));
    const int rows = multiColumn ? RowsPerColumn(hwnd, state) : 1;
    int target = from;
    switch (key) {
    case win::VK_UP:
        target = from - 1;
        break;
    case win::VK_DOWN:
        target = from + 1;
        break;
    case win::VK_LEFT:
        target = multiColumn ? from - rows : from;
        break;
    case win::VK_RIGHT:
        target = multiColumn ? from + rows : from;
        break;
    case win::VK_PRIOR:
        target = from - page;
        break;
    case win::VK_NEXT:
        target = from + page;
        break;
    case win::VK_HOME:
        target = 0;
        break;
    case win::VK_END:
        target = count - 1;
        break;
    case win::VK_SPACE:
        if (style & (win::LBS_MULTIPLESEL | win::LBS_EXTENDEDSEL)) {
            Choose(hwnd, state, state.caret, false, (style & win::LBS_EXTENDEDSEL) != 0, true);
        }
        return;
    default:
        return;
    }
    target = std::clamp(target, 0, count - 1);
    const bool shift = win::GetKeyState(win::VK_SHIFT) < 0;
    const bool control = win::GetKeyState(win::VK_CONTROL) < 0;
    if (style & win::LBS_MULTIPLESEL) {
        SetCaret(hwnd, state, target);
    } else if ((style & win::LBS_EXTENDEDSEL) && control && !shift) {
        SetCaret(hwnd, state, target);
    } else if (target != from || state.current < 0 || (style & win::LBS_EXTENDEDSEL)) {
        Choose(hwnd, state, target, shift, control, false);
    }
}

// A typed character: the next item (after the caret, wrapping round) whose text starts with it.
void Character(win::HWND hwnd, ListState& state, char c)
{
    const win::DWORD style = StyleOf(hwnd);
    if (!HasStrings(style) || static_cast<unsigned char>(c) < ' ') {
        return;
    }
    const char text[2] = {c, 0};
    const int start = (style & (win::LBS_MULTIPLESEL | win::LBS_EXTENDEDSEL)) || state.current < 0 ? state.caret : state.current;
    const win::LRESULT found = Find(hwnd, state, start, reinterpret_cast<win::LPARAM>(text), false);
    if (found != win::LB_ERR) {
        if (style & win::LBS_MULTIPLESEL) {
            SetCaret(hwnd, state, int(found));
        } else {
            Choose(hwnd, state, int(found), false, false, false);
        }
    }
}

void MouseDown(win::HWND hwnd, ListState& state, win::LPARAM lParam, win::WPARAM keys)
{
    if (!state.focused) {
        win::SetFocus(hwnd);
    }
    const int index = ItemAt(hwnd, state, win::POINT{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)});
    if (index < 0) {
        return;
    }
    const bool shift = keys & win::MK_SHIFT;
    const bool control = keys & win::MK_CONTROL;
    Choose(hwnd, state, index, shift, control, true);
    state.trackSelects = !MultipleSelection(StyleOf(hwnd)) || state.items[std::size_t(index)].selected;
    state.tracking = true;
    win::SetCapture(hwnd);
}

void MouseMove(win::HWND hwnd, ListState& state, win::LPARAM lParam)
{
    if (!state.tracking) {
        return;
    }
    win::POINT point{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    const win::RECT client = Client(hwnd);
    const int count = Count(state);
    int index = -1;
    if (point.y < 0) {
        index = std::max(0, state.top - 1);
    } else if (point.y >= client.bottom && !(StyleOf(hwnd) & win::LBS_MULTICOLUMN)) {
        index = std::min(count - 1, state.top + VisibleCount(hwnd, state));
    } else {
        point.x = std::clamp<int>(point.x, 0, std::max<int>(0, client.right - 1));
        index = ItemAt(hwnd, state, point);
    }
    if (index < 0 || index == state.caret) {
        return;
    }
    const win::DWORD style = StyleOf(hwnd);
    if (style & win::LBS_EXTENDEDSEL) {
        if (!(win::GetKeyState(win::VK_CONTROL) < 0)) {
            ClearSelection(state);
        }
        SelectRange(state, state.anchor, index, state.trackSelects);
        SetCaret(hwnd, state, index);
        NotifyUser(hwnd, win::LBN_SELCHANGE);
    } else if (style & win::LBS_MULTIPLESEL) {
        SetCaret(hwnd, state, index);
    } else {
        Choose(hwnd, state, index, false, false, false);
    }
}

void MouseUp(ListState& state)
{
    if (state.tracking) {
        state.tracking = false;
        win::ReleaseCapture();
    }
}

void Scroll(win::HWND hwnd, ListState& state, bool vertical, win::WPARAM wParam)
{
    const win::DWORD style = StyleOf(hwnd);
    const bool columns = style & win::LBS_MULTICOLUMN;
    if (!vertical && !columns) {
        const int page = std::max(1, int(Client(hwnd).right));
        const int line = std::max(1, state.itemHeight);
        int left = state.left;
        switch (win::LOWORD(wParam)) {
        case win::SB_LINELEFT: left -= line; break;
        case win::SB_LINERIGHT: left += line; break;
        case win::SB_PAGELEFT: left -= page; break;
        case win::SB_PAGERIGHT: left += page; break;
        case win::SB_THUMBTRACK:
        case win::SB_THUMBPOSITION: left = win::HIWORD(wParam); break;
        case win::SB_LEFT: left = 0; break;
        case win::SB_RIGHT: left = state.horizontalExtent; break;
        default: return;
        }
        state.left = left;
        Changed(hwnd, state);
        return;
    }
    if (vertical == columns) {
        return;
    }
    const int step = columns ? RowsPerColumn(hwnd, state) : 1;
    const int page = columns ? VisibleCount(hwnd, state) : std::max(1, VisibleCount(hwnd, state) - 1);
    int top = state.top;
    switch (win::LOWORD(wParam)) {
    case win::SB_LINEUP: top -= step; break;
    case win::SB_LINEDOWN: top += step; break;
    case win::SB_PAGEUP: top -= page; break;
    case win::SB_PAGEDOWN: top += page; break;
    case win::SB_THUMBTRACK:
    case win::SB_THUMBPOSITION: top = win::HIWORD(wParam) * step; break;
    case win::SB_TOP: top = 0; break;
    case win::SB_BOTTOM: top = Count(state); break;
    default: return;
    }
    SetTop(hwnd, state, top);
}

void Wheel(win::HWND hwnd, ListState& state, win::WPARAM wParam)
{
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notches = short(win::HIWORD(wParam)) / 120;
    if (notches != 0) {
        SetTop(hwnd, state, state.top - notches * int(std::max<win::UINT>(1, lines)));
    }
}

// --- drawing ---

void DrawItem(win::HWND hwnd, const ListState& state, win::HDC dc, int index, const win::RECT& rect,
              win::UINT action = win::ODA_DRAWENTIRE)
{
    const win::DWORD style = StyleOf(hwnd);
    const bool selected = IsSelected(hwnd, state, index);
    const bool focus = state.focused && index == state.caret;
    if (OwnerDrawn(style)) {
        win::DRAWITEMSTRUCT item;
        item.CtlType = win::ODT_LISTBOX;
        item.CtlID = win::UINT(win::GetWindowLongPtr(hwnd, win::GWL_ID));
        item.itemID = win::UINT(index);
        item.itemAction = action;
        item.itemState = (selected ? win::ODS_SELECTED : 0) | (focus ? win::ODS_FOCUS : 0) |
                         (win::IsWindowEnabled(hwnd) ? 0 : win::ODS_DISABLED);
        item.hwndItem = hwnd;
        item.hDC = dc;
        item.rcItem = rect;
        item.itemData = state.items[std::size_t(index)].data;
        if (win::HWND parent = Target(hwnd)) {
            win::SendMessage(parent, win::WM_DRAWITEM, item.CtlID, reinterpret_cast<win::LPARAM>(&item));
        }
        return;
    }
    const win::COLORREF oldText = win::GetTextColor(dc);
    const win::COLORREF oldBack = win::GetBkColor(dc);
    if (selected) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
        win::SetBkColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHT));
    } else if (!win::IsWindowEnabled(hwnd)) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
    }
    const std::string& text = state.items[std::size_t(index)].text;
    win::ExtTextOutA(dc, rect.left + 2, rect.top, win::ETO_OPAQUE | win::ETO_CLIPPED, &rect, text.data(), win::UINT(text.size()), nullptr);
    win::SetTextColor(dc, oldText);
    win::SetBkColor(dc, oldBack);
    if (focus) {
        win::DrawFocusRect(dc, &rect);
    }
}

void Paint(win::HWND hwnd, const ListState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    const win::RECT client = Client(hwnd);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
    win::SetBkColor(dc, win::GetSysColor(win::COLOR_WINDOW));
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = Target(hwnd)) {
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, win::WM_CTLCOLORLISTBOX, reinterpret_cast<win::WPARAM>(dc),
                                                               reinterpret_cast<win::LPARAM>(hwnd)));
    }
    win::FillRect(dc, &client, brush ? brush : win::GetSysColorBrush(win::COLOR_WINDOW));
    const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    for (int i = state.top; i < Count(state); ++i) {
        const win::RECT rect = ItemRect(hwnd, state, i);
        if (rect.top >= client.bottom && !(StyleOf(hwnd) & win::LBS_MULTICOLUMN)) {
            break;
        }
        if (rect.left >= client.right) {
            break;
        }
        DrawItem(hwnd, state, dc, i, rect);
    }
    // An empty focused list still shows where the focus is.
    if (state.focused && Count(state) == 0 && !OwnerDrawn(StyleOf(hwnd))) {
        const win::RECT rect{0, 0, client.right, state.itemHeight};
        win::DrawFocusRect(dc, &rect);
    }
    win::SelectObject(dc, oldFont);
    win::EndPaint(hwnd, &paint);
}

// --- messages ---

win::LRESULT SetSel(win::HWND hwnd, ListState& state, bool select, int index)
{
    if (!MultipleSelection(StyleOf(hwnd)) || index < -1 || index >= Count(state)) {
        return win::LB_ERR;
    }
    if (index == -1) {
        SelectRange(state, 0, Count(state) - 1, select);
    } else {
        state.items[std::size_t(index)].selected = select;
        if (select) {
            state.caret = state.anchor = index;
        }
    }
    win::InvalidateRect(hwnd, nullptr, true);
    return win::LB_OKAY;
}

win::LRESULT ListMessage(win::HWND hwnd, ListState& state, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    const win::DWORD style = StyleOf(hwnd);
    const int index = int(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case win::LB_ADDSTRING:
        return Insert(hwnd, state, -2, lParam);
    case win::LB_INSERTSTRING:
        return Insert(hwnd, state, index < -1 ? -1 : index, lParam);
    case win::LB_DELETESTRING:
        return Delete(hwnd, state, index);
    case win::LB_RESETCONTENT:
        ResetContent(hwnd, state);
        return win::LB_OKAY;
    case win::LB_GETCOUNT:
        return Count(state);
    case win::LB_GETTEXTLEN:
        if (!Valid(state, index)) {
            return win::LB_ERR;
        }
        return HasStrings(style) ? win::LRESULT(state.items[std::size_t(index)].text.size()) : win::LRESULT(sizeof(win::ULONG_PTR));
    case win::LB_GETTEXT:
        if (!Valid(state, index) || !lParam) {
            return win::LB_ERR;
        }
        if (!HasStrings(style)) {
            std::memcpy(reinterpret_cast<void*>(lParam), &state.items[std::size_t(index)].data, sizeof(win::ULONG_PTR));
            return sizeof(win::ULONG_PTR);
        } else {
            const std::string& text = state.items[std::size_t(index)].text;
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
            return win::LRESULT(text.size());
        }
    case win::LB_GETCURSEL:
        if (MultipleSelection(style)) {
            return Count(state) ? state.caret : win::LB_ERR;
        }
        return state.current;
    case win::LB_SETCURSEL:
        if (MultipleSelection(style)) {
            return win::LB_ERR;
        }
        SetCurrent(hwnd, state, index);
        return Valid(state, index) ? index : win::LB_ERR;
    case win::LB_GETSEL:
        return Valid(state, index) ? (IsSelected(hwnd, state, index) ? 1 : 0) : win::LB_ERR;
    case win::LB_SETSEL:
        return SetSel(hwnd, state, wParam != 0, int(lParam));
    case win::LB_GETSELCOUNT:
        if (!MultipleSelection(style)) {
            return win::LB_ERR;
        }
        return std::count_if(state.items.begin(), state.items.end(), [](const Item& item) { return item.selected; });
    case win::LB_GETSELITEMS: {
        if (!MultipleSelection(style) || !lParam) {
            return win::LB_ERR;
        }
        auto* out = reinterpret_cast<int*>(lParam);
        int written = 0;
        for (int i = 0; i < Count(state) && written < int(wParam); ++i) {
            if (state.items[std::size_t(i)].selected) {
                out[written++] = i;
            }
        }
        return written;
    }
    case win::LB_SELITEMRANGE:
        if (!MultipleSelection(style)) {
            return win::LB_ERR;
        }
        SelectRange(state, win::LOWORD(lParam), win::HIWORD(lParam), wParam != 0);
        win::InvalidateRect(hwnd, nullptr, true);
        return win::LB_OKAY;
    case win::LB_SELITEMRANGEEX: {
        if (!MultipleSelection(style)) {
            return win::LB_ERR;
        }
        // A first index above the last deselects the range.
        const int first = index;
        const int last = int(lParam);
        SelectRange(state, first, last, first <= last);
        win::InvalidateRect(hwnd, nullptr, true);
        return win::LB_OKAY;
    }
    case win::LB_GETTOPINDEX:
        return state.top;
    case win::LB_SETTOPINDEX:
        if (!Valid(state, index)) {
            return win::LB_ERR;
        }
        SetTop(hwnd, state, index);
        return win::LB_OKAY;
    case win::LB_GETCARETINDEX:
        return state.caret;
    case win::LB_SETCARETINDEX:
        if (!Valid(state, index)) {
            return win::LB_ERR;
        }
        SetCaret(hwnd, state, index);
        return win::LB_OKAY;
    case win::LB_GETANCHORINDEX:
        return state.anchor;
    case win::LB_SETANCHORINDEX:
        if (!Valid(state, index)) {
            return win::LB_ERR;
        }
        state.anchor = index;
        return win::LB_OKAY;
    case win::LB_GETITEMHEIGHT:
        if ((style & win::LBS_OWNERDRAWVARIABLE) && !Valid(state, index)) {
            return win::LB_ERR;
        }
        return ItemHeight(state, style, index);
    case win::LB_SETITEMHEIGHT: {
        const int height = win::LOWORD(lParam);
        if (height <= 0 || height > 255) {
            return win::LB_ERR;
        }
        if (style & win::LBS_OWNERDRAWVARIABLE) {
            if (!Valid(state, index)) {
                return win::LB_ERR;
            }
            state.items[std::size_t(index)].height = height;
        } else {
            state.itemHeight = height;
        }
        Changed(hwnd, state);
        return win::LB_OKAY;
    }
    case win::LB_GETITEMDATA:
        return Valid(state, index) ? win::LRESULT(state.items[std::size_t(index)].data) : win::LB_ERR;
    case win::LB_SETITEMDATA:
        if (!Valid(state, index)) {
            return win::LB_ERR;
        }
        state.items[std::size_t(index)].data = win::ULONG_PTR(lParam);
        return win::LB_OKAY;
    case win::LB_GETITEMRECT:
        if (!lParam || (!Valid(state, index) && !(index == 0 && Count(state) == 0))) {
            return win::LB_ERR;
        }
        *reinterpret_cast<win::RECT*>(lParam) = ItemRect(hwnd, state, index);
        return win::LB_OKAY;
    case win::LB_ITEMFROMPOINT: {
        // The nearest item, and in the high word whether the point lies outside the client area.
        const win::POINT point{short(win::LOWORD(lParam)), short(win::HIWORD(lParam))};
        const win::RECT client = Client(hwnd);
        const bool outside = point.x < 0 || point.y < 0 || point.x >= client.right || point.y >= client.bottom;
        int found = ItemAt(hwnd, state, point);
        if (found < 0) {
            found = point.y < 0 ? state.top : std::max(0, Count(state) - 1);
        }
        return win::MAKELONG(win::WORD(found), outside || ItemAt(hwnd, state, point) < 0 ? 1 : 0);
    }
    case win::LB_FINDSTRING:
    case win::LB_FINDSTRINGEXACT:
        return Find(hwnd, state, index, lParam, message == win::LB_FINDSTRINGEXACT);
    case win::LB_SELECTSTRING: {
        if (MultipleSelection(style)) {
            return win::LB_ERR;
        }
        const win::LRESULT found = Find(hwnd, state, index, lParam, false);
        if (found != win::LB_ERR) {
            SetCurrent(hwnd, state, int(found));
        }
        return found;
    }
    case win::LB_GETHORIZONTALEXTENT:
        return state.horizontalExtent;
    case win::LB_SETHORIZONTALEXTENT:
        state.horizontalExtent = std::max(0, index);
        Changed(hwnd, state);
        return 0;
    case win::LB_SETCOLUMNWIDTH:
        state.columnWidth = std::max(0, index);
        Changed(hwnd, state);
        return 0;
    default:
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void Create(win::HWND hwnd, ListState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    state.bars = style & (win::WS_VSCROLL | win::WS_HSCROLL);
    state.itemHeight = FontHeight(hwnd, state.font);
    if (style & win::LBS_OWNERDRAWFIXED) {
        state.itemHeight = Measure(hwnd, 0, 0, state.itemHeight);
    }
    UpdateScrollBars(hwnd, state);
}

// What an owner-drawn list shows of its selection and focus: a message that changes only these redraws
// just the items concerned (ODA_FOCUS where the focus leaves and arrives, ODA_SELECT where the selection
// changed) instead of the whole list.
struct Shown {
    std::vector<bool> selected;
    int caret = 0;
    bool focused = false;
    int top = 0;
    int left = 0;
    int itemHeight = 0;
};

Shown ShownBy(win::HWND hwnd, const ListState& state)
{
    Shown shown;
    shown.selected.resize(state.items.size());
    for (int i = 0; i < Count(state); ++i) {
        shown.selected[std::size_t(i)] = IsSelected(hwnd, state, i);
    }
    shown.caret = state.caret;
    shown.focused = state.focused;
    shown.top = state.top;
    shown.left = state.left;
    shown.itemHeight = state.itemHeight;
    return shown;
}

bool MayChangeSelectionOrFocus(win::UINT message)
{
    switch (message) {
    case win::LB_SETCURSEL:
    case win::LB_SETSEL:
    case win::LB_SELITEMRANGE:
    case win::LB_SELITEMRANGEEX:
    case win::LB_SETCARETINDEX:
    case win::LB_SELECTSTRING:
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
    case win::WM_KEYDOWN:
    case win::WM_CHAR:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}

void DrawChanges(win::HWND hwnd, const ListState& state, const Shown& before, const Shown& after)
{
    win::HDC dc = win::GetDC(hwnd);
    const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    const win::RECT client = Client(hwnd);
    const auto draw = [&](int index, win::UINT action) {
        if (!Valid(state, index)) {
            return;
        }
        const win::RECT rect = ItemRect(hwnd, state, index);
        if (rect.bottom > 0 && rect.top < client.bottom && rect.right > 0 && rect.left < client.right) {
            DrawItem(hwnd, state, dc, index, rect, action);
        }
    };
    const bool focusMoved = before.caret != after.caret || before.focused != after.focused;
    if (focusMoved && before.focused) {
        draw(before.caret, win::ODA_FOCUS);
    }
    for (std::size_t i = 0; i < after.selected.size(); ++i) {
        if (before.selected[i] != after.selected[i]) {
            draw(int(i), win::ODA_SELECT);
        }
    }
    if (focusMoved && after.focused) {
        draw(after.caret, win::ODA_FOCUS);
    }
    win::SelectObject(dc, oldFont);
    win::ReleaseDC(hwnd, dc);
}

win::LRESULT ListProcBody(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

win::LRESULT ListProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    const ListState* state = message == win::WM_NCCREATE ? nullptr : StateOf(hwnd);
    if (!state || !OwnerDrawn(StyleOf(hwnd)) || !MayChangeSelectionOrFocus(message) ||
        win::GetUpdateRect(hwnd, nullptr, win::FALSE)) {
        return ListProcBody(hwnd, message, wParam, lParam);
    }
    const Shown before = ShownBy(hwnd, *state);
    const win::LRESULT result = ListProcBody(hwnd, message, wParam, lParam);
    // The parent may have destroyed the list on a notification.
    if (!win::IsWindow(hwnd) || StateOf(hwnd) != state) {
        return result;
    }
    const Shown after = ShownBy(hwnd, *state);
    if (after.selected.size() == before.selected.size() && after.top == before.top && after.left == before.left &&
        after.itemHeight == before.itemHeight) {
        win::ValidateRect(hwnd, nullptr);
        DrawChanges(hwnd, *state, before, after);
    }
    return result;
}

win::LRESULT ListProcBody(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    ListState* state = LiveState<ListState>(hwnd, message, [&] {
        auto* made = new ListState;
        const auto* create = reinterpret_cast<const win::CREATESTRUCT*>(lParam);
        if (create && win::GetClassName(hwnd) == "ComboLBox") {
            made->combo = static_cast<win::HWND>(create->lpCreateParams);
        }
        return made;
    });
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    if (message >= win::LB_ADDSTRING && message <= win::LB_ITEMFROMPOINT) {
        return ListMessage(hwnd, *state, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_CREATE:
        Create(hwnd, *state);
        return 0;
    case win::WM_DESTROY:
        ResetContent(hwnd, *state);
        break;
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_SIZE:
        Changed(hwnd, *state);
        break;
    case win::WM_ENABLE:
        win::InvalidateRect(hwnd, nullptr, true);
        break;
    case win::WM_SETFONT:
        state->font = reinterpret_cast<win::HFONT>(wParam);
        if (!OwnerDrawn(StyleOf(hwnd))) {
            state->itemHeight = FontHeight(hwnd, state->font);
        }
        UpdateScrollBars(hwnd, *state);
        if (lParam) {
            win::InvalidateRect(hwnd, nullptr, true);
        }
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_GETDLGCODE:
        return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS;
    case win::WM_SETFOCUS:
        state->focused = true;
        win::InvalidateRect(hwnd, nullptr, true);
        NotifyUser(hwnd, win::LBN_SETFOCUS);
        return 0;
    case win::WM_KILLFOCUS:
        state->focused = false;
        MouseUp(*state);
        win::InvalidateRect(hwnd, nullptr, true);
        NotifyUser(hwnd, win::LBN_KILLFOCUS);
        return 0;
    case win::WM_KEYDOWN:
        KeyDown(hwnd, *state, wParam);
        return 0;
    case win::WM_CHAR:
        Character(hwnd, *state, char(wParam));
        return 0;
    case win::WM_LBUTTONDOWN:
        MouseDown(hwnd, *state, lParam, wParam);
        return 0;
    case win::WM_LBUTTONDBLCLK:
        MouseDown(hwnd, *state, lParam, wParam);
        if (ItemAt(hwnd, *state, win::POINT{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)}) >= 0) {
            NotifyUser(hwnd, win::LBN_DBLCLK);
        }
        return 0;
    case win::WM_MOUSEMOVE:
        MouseMove(hwnd, *state, lParam);
        return 0;
    case win::WM_LBUTTONUP:
        MouseUp(*state);
        return 0;
    case win::WM_CAPTURECHANGED:
        state->tracking = false;
        return 0;
    case win::WM_MOUSEWHEEL:
        Wheel(hwnd, *state, wParam);
        return 0;
    case win::WM_VSCROLL:
    case win::WM_HSCROLL:
        Scroll(hwnd, *state, message == win::WM_VSCROLL, wParam);
        return 0;
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace listbox

win::LRESULT ListBoxProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    return listbox::ListProc(hwnd, message, wParam, lParam);
}

win::HWND ComboOfList(win::HWND list)
{
    const listbox::ListState* state = listbox::StateOf(list);
    return state ? state->combo : nullptr;
}

void RegisterListBoxClass()
{
    RegisterStandardClass("LISTBOX", &listbox::ListProc);
}

}  // namespace win::detail
