// The COMBOBOX window class: a selection field over a list of items. CBS_SIMPLE shows an EDIT field and the
// list below it at all times; CBS_DROPDOWN has the EDIT field and a list that drops down from a button;
// CBS_DROPDOWNLIST shows the selected item itself (highlighted while focused) and drops the list on any
// click. The dropped list is a "ComboLBox" popup (topmost, never activated) placed below the box, or
// above it where it would leave the work area; while it shows it holds the capture: it follows the
// mouse, a release on an item chooses it, a press anywhere outside closes it and goes no further.
//
// The list's requests (WM_MEASUREITEM, WM_DRAWITEM, WM_DELETEITEM) and the box's own field drawing reach
// the parent as the combo box's (ODT_COMBOBOX); the user's doings come as CBN_ notifications in
// WM_COMMAND. The selection the field shows changes only by the user's choice or CB_ messages: while the
// list is dropped, the item under the mouse is highlighted without being chosen.

#include "platform/gdi/DeviceContext.h"
#include "platform/commctrl/detail/ComboBoxState.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowFont.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/win/ComboBoxInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace combobox {

constexpr int EditId = 1001;
constexpr int Edge = 2;  // the sunken edge round the field

ComboState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<ComboState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD StyleOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
}

win::DWORD KindOf(win::HWND hwnd)
{
    return StyleOf(hwnd) & 0x3;
}

bool OwnerDrawn(win::DWORD style)
{
    return style & (win::CBS_OWNERDRAWFIXED | win::CBS_OWNERDRAWVARIABLE);
}

bool HasStrings(win::DWORD style)
{
    return !OwnerDrawn(style) || (style & win::CBS_HASSTRINGS);
}

win::LRESULT ListSend(const ComboState& state, win::UINT message, win::WPARAM wParam = 0, win::LPARAM lParam = 0)
{
    return state.list ? win::SendMessage(state.list, message, wParam, lParam) : win::CB_ERR;
}

int Count(const ComboState& state)
{
    return std::max(0, int(ListSend(state, win::LB_GETCOUNT)));
}

win::UINT IdOf(win::HWND hwnd)
{
    return win::UINT(win::GetWindowLongPtr(hwnd, win::GWL_ID));
}

// Sends a notification; false when a handler destroyed the box.
bool Notify(win::HWND hwnd, win::WORD code)
{
    if (win::HWND parent = win::GetParent(hwnd)) {
        win::SendMessage(parent, win::WM_COMMAND, win::MAKEWPARAM(win::WORD(IdOf(hwnd)), code), reinterpret_cast<win::LPARAM>(hwnd));
    }
    return win::IsWindow(hwnd) != win::FALSE;
}

std::string ItemText(const ComboState& state, win::HWND hwnd, int index)
{
    if (index < 0 || !HasStrings(StyleOf(hwnd))) {
        return {};
    }
    const win::LRESULT length = ListSend(state, win::LB_GETTEXTLEN, win::WPARAM(index));
    if (length < 0) {
        return {};
    }
    std::string text(std::size_t(length) + 1, '\0');
    const win::LRESULT copied = ListSend(state, win::LB_GETTEXT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(text.data()));
    text.resize(std::size_t(std::clamp<win::LRESULT>(copied, 0, length)));
    return text;
}

// --- geometry ---

// The part of the box that is the field, its edge and its button (all of a drop-down box).
int FieldAreaHeight(const ComboState& state)
{
    return state.fieldHeight + 2 * Edge + 2;
}

win::RECT Client(win::HWND hwnd)
{
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    return client;
}

win::RECT ButtonRect(win::HWND hwnd, const ComboState& state)
{
    if (KindOf(hwnd) == win::CBS_SIMPLE) {
        return {};
    }
    const win::RECT client = Client(hwnd);
    const int width = win::GetSystemMetrics(win::SM_CXVSCROLL);
    return win::RECT{std::max<int>(Edge, client.right - Edge - width), Edge, client.right - Edge, FieldAreaHeight(state) - Edge};
}

// The selection field inside the edge (left of the button).
win::RECT ItemRect(win::HWND hwnd, const ComboState& state)
{
    const win::RECT client = Client(hwnd);
    const int right = KindOf(hwnd) == win::CBS_SIMPLE ? client.right - Edge - 1 : ButtonRect(hwnd, state).left - 1;
    return win::RECT{Edge + 1, Edge + 1, std::max(Edge + 1, right), Edge + 1 + state.fieldHeight};
}

void Layout(win::HWND hwnd, const ComboState& state)
{
    const win::RECT item = ItemRect(hwnd, state);
    if (state.edit) {
        win::SetWindowPos(state.edit, nullptr, item.left, item.top, win::Width(item), win::Height(item),
                          win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    }
    if (KindOf(hwnd) == win::CBS_SIMPLE && state.list) {
        const win::RECT client = Client(hwnd);
        const int top = FieldAreaHeight(state);
        win::SetWindowPos(state.list, nullptr, 0, top, client.right, std::max(0, int(client.bottom) - top),
                          win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    }
}

// A drop-down box is as high as its field; the height asked for is not kept.
void FitHeight(win::HWND hwnd, const ComboState& state)
{
    if (KindOf(hwnd) == win::CBS_SIMPLE) {
        return;
    }
    win::RECT window{};
    win::GetWindowRect(hwnd, &window);
    if (win::Height(window) != FieldAreaHeight(state)) {
        win::SetWindowPos(hwnd, nullptr, 0, 0, win::Width(window), FieldAreaHeight(state),
                          win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    }
}

// Where the dropped list goes (screen): as wide as the box or the dropped width, high enough for
// min(visible items, count) items (one when empty) and its border; below the box, or above it when the
// work area ends first and there is room above.
win::RECT DroppedRect(win::HWND hwnd, const ComboState& state)
{
    win::RECT box{};
    win::GetWindowRect(hwnd, &box);
    const int shown = std::min(state.visibleItems, Count(state));
    int height = 2;
    if (shown == 0) {
        const int itemHeight = int(ListSend(state, win::LB_GETITEMHEIGHT, 0));
        height += itemHeight > 0 ? itemHeight : state.fieldHeight;
    } else {
        for (int i = 0; i < shown; ++i) {
            height += std::max(1, int(ListSend(state, win::LB_GETITEMHEIGHT, win::WPARAM(i))));
        }
    }
    const int width = std::max(int(win::Width(box)), state.droppedWidth);
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    int top = box.bottom;
    if (top + height > work.bottom && box.top - height >= work.top) {
        top = box.top - height;
    }
    int left = box.left;
    if (left + width > work.right) {
        left = std::max<int>(work.left, work.right - width);
    }
    return win::RECT{left, top, left + width, top + height};
}

// --- selection ---

void ShowSelectionText(win::HWND hwnd, ComboState& state)
{
    if (state.edit) {
        const std::string text = ItemText(state, hwnd, state.selection);
        state.settingText = true;
        win::SetWindowText(state.edit, text.c_str());
        state.settingText = false;
        if (state.focused) {
            win::SendMessage(state.edit, win::EM_SETSEL, 0, -1);
        }
    }
    win::InvalidateRect(hwnd, nullptr, true);
}

// The field's selection (and the list's highlight): -1 or an item.
void Select(win::HWND hwnd, ComboState& state, int index)
{
    ListSend(state, win::LB_SETCURSEL, win::WPARAM(index));
    state.selection = int(ListSend(state, win::LB_GETCURSEL));
    ShowSelectionText(hwnd, state);
}

// The user's selection: the field follows it and the parent hears of it.
bool Choose(win::HWND hwnd, ComboState& state, int index)
{
    if (index == state.selection) {
        return true;
    }
    Select(hwnd, state, index);
    return Notify(hwnd, win::CBN_SELCHANGE);
}

// --- dropping down ---

void DropDown(win::HWND hwnd, ComboState& state)
{
    if (state.dropped || KindOf(hwnd) == win::CBS_SIMPLE || !state.list) {
        return;
    }
    if (!Notify(hwnd, win::CBN_DROPDOWN)) {
        return;
    }
    const win::RECT rect = DroppedRect(hwnd, state);
    win::SetWindowPos(state.list, win::HWND_TOPMOST, rect.left, rect.top, win::Width(rect), win::Height(rect),
                      win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW);
    ListSend(state, win::LB_SETCURSEL, win::WPARAM(state.selection));
    if (state.selection < 0) {
        ListSend(state, win::LB_SETTOPINDEX, 0);
    }
    state.dropped = true;
    win::SetCapture(state.list);
    win::InvalidateRect(hwnd, nullptr, true);
}

void CloseUp(win::HWND hwnd, ComboState& state, Close how)
{
    if (!state.dropped) {
        return;
    }
    state.dropped = false;
    state.buttonHeld = false;
    const int chosen = int(ListSend(state, win::LB_GETCURSEL));
    if (how == Close::Ok) {
        if (!Notify(hwnd, win::CBN_SELENDOK)) {
            return;
        }
    } else {
        ListSend(state, win::LB_SETCURSEL, win::WPARAM(state.selection));
        if (how == Close::Cancel && !Notify(hwnd, win::CBN_SELENDCANCEL)) {
            return;
        }
    }
    win::ShowWindow(state.list, win::SW_HIDE);
    if (win::GetCapture() == state.list) {
        win::ReleaseCapture();
    }
    win::InvalidateRect(hwnd, nullptr, true);
    if (!Notify(hwnd, win::CBN_CLOSEUP)) {
        return;
    }
    if (how == Close::Ok) {
        Choose(hwnd, state, chosen);
    }
}

// --- keys ---

// F4 and Alt+Up/Down drop the list and close it again; Enter and Tab close it choosing the highlighted
// item, Esc without; the arrows (and in the list style Home/End) move the selection.
bool KeyDown(win::HWND hwnd, ComboState& state, win::WPARAM key, bool alt)
{
    if (KindOf(hwnd) != win::CBS_SIMPLE) {
        if ((key == win::VK_F4 && !alt) || (alt && (key == win::VK_UP || key == win::VK_DOWN))) {
            if (state.dropped) {
                CloseUp(hwnd, state, Close::Ok);
            } else {
                DropDown(hwnd, state);
            }
            return true;
        }
        if (state.dropped && (key == win::VK_RETURN || key == win::VK_TAB)) {
            CloseUp(hwnd, state, Close::Ok);
            return true;
        }
        if (state.dropped && key == win::VK_ESCAPE) {
            CloseUp(hwnd, state, Close::Cancel);
            return true;
        }
        if (state.extendedUI && !state.dropped && key == win::VK_DOWN) {
            DropDown(hwnd, state);
            return true;
        }
    }
    const int count = Count(state);
    const bool listStyle = !state.edit;
    const int from = state.dropped ? int(ListSend(state, win::LB_GETCURSEL)) : state.selection;
    const int page = std::max(1, std::min(state.visibleItems, count) - 1);
    int target = from;
    switch (key) {
    case win::VK_UP:
        target = from < 0 ? 0 : from - 1;
        break;
    case win::VK_DOWN:
        target = from + 1;
        break;
    case win::VK_PRIOR:
        target = from - page;
        break;
    case win::VK_NEXT:
        target = from + page;
        break;
    case win::VK_LEFT:
        if (!listStyle) {
            return false;
        }
        target = from < 0 ? 0 : from - 1;
        break;
    case win::VK_RIGHT:
        if (!listStyle) {
            return false;
        }
        target = from + 1;
        break;
    case win::VK_HOME:
        if (!listStyle && !state.dropped) {
            return false;
        }
        target = 0;
        break;
    case win::VK_END:
        if (!listStyle && !state.dropped) {
            return false;
        }
        target = count - 1;
        break;
    default:
        return false;
    }
    if (count > 0) {
        Choose(hwnd, state, std::clamp(target, 0, count - 1));
    }
    return true;
}

// A typed character in the list style: the next item starting with it.
void Character(win::HWND hwnd, ComboState& state, char c)
{
    if (state.edit || static_cast<unsigned char>(c) < ' ' || !HasStrings(StyleOf(hwnd))) {
        return;
    }
    const char text[2] = {c, 0};
    const int from = state.dropped ? int(ListSend(state, win::LB_GETCURSEL)) : state.selection;
    const win::LRESULT found = ListSend(state, win::LB_FINDSTRING, win::WPARAM(from), reinterpret_cast<win::LPARAM>(text));
    if (found >= 0) {
        Choose(hwnd, state, int(found));
    }
}

// --- focus ---

void FocusGained(win::HWND hwnd, ComboState& state)
{
    if (state.focused) {
        return;
    }
    state.focused = true;
    if (state.edit) {
        win::SendMessage(state.edit, win::EM_SETSEL, 0, -1);
    }
    win::InvalidateRect(hwnd, nullptr, true);
    Notify(hwnd, win::CBN_SETFOCUS);
}

void FocusLost(win::HWND hwnd, ComboState& state, win::HWND newFocus)
{
    if (!state.focused || newFocus == hwnd || (newFocus && (newFocus == state.edit || newFocus == state.list))) {
        return;
    }
    state.focused = false;
    CloseUp(hwnd, state, Close::Cancel);
    if (!win::IsWindow(hwnd)) {
        return;
    }
    win::InvalidateRect(hwnd, nullptr, true);
    Notify(hwnd, win::CBN_KILLFOCUS);
}

// --- the user's edits ---

// Typing picks the item the text names (or none) without changing the text; a dropped list scrolls to
// the first item the text begins.
void EditChanged(win::HWND hwnd, ComboState& state)
{
    const std::string text = win::GetWindowText(state.edit);
    const win::LRESULT exact = ListSend(state, win::LB_FINDSTRINGEXACT, win::WPARAM(-1), reinterpret_cast<win::LPARAM>(text.c_str()));
    ListSend(state, win::LB_SETCURSEL, win::WPARAM(exact >= 0 ? exact : -1));
    state.selection = int(ListSend(state, win::LB_GETCURSEL));
    if (state.dropped && !text.empty()) {
        const win::LRESULT prefix = ListSend(state, win::LB_FINDSTRING, win::WPARAM(-1), reinterpret_cast<win::LPARAM>(text.c_str()));
        if (prefix >= 0) {
            ListSend(state, win::LB_SETTOPINDEX, win::WPARAM(prefix));
        }
    }
    Notify(hwnd, win::CBN_EDITCHANGE);
}

void ChildCommand(win::HWND hwnd, ComboState& state, win::WPARAM wParam, win::LPARAM lParam)
{
    const auto from = reinterpret_cast<win::HWND>(lParam);
    const win::WORD code = win::HIWORD(win::DWORD(wParam));
    if (from && from == state.edit && !state.settingText) {
        if (code == win::EN_UPDATE) {
            Notify(hwnd, win::CBN_EDITUPDATE);
        } else if (code == win::EN_CHANGE) {
            EditChanged(hwnd, state);
        }
    } else if (from && from == state.list && state.dropped) {
        if (code == win::LBN_SELCANCEL) {
            CloseUp(hwnd, state, Close::Cancel);
        }
    } else if (from && from == state.list) {
        // Only a simple box's list takes clicks and keys of its own.
        if (code == win::LBN_SELCHANGE) {
            if (int(ListSend(state, win::LB_GETCURSEL)) == state.selection) {
                return;
            }
            state.selection = int(ListSend(state, win::LB_GETCURSEL));
            ShowSelectionText(hwnd, state);
            Notify(hwnd, win::CBN_SELCHANGE);
        } else if (code == win::LBN_DBLCLK) {
            Notify(hwnd, win::CBN_DBLCLK);
        }
    }
}

// --- the list's requests, passed on as the box's ---

win::LRESULT ForwardItemMessage(win::HWND hwnd, win::UINT message, win::LPARAM lParam)
{
    win::HWND parent = win::GetParent(hwnd);
    if (!parent || !lParam) {
        return 0;
    }
    const win::UINT id = IdOf(hwnd);
    switch (message) {
    case win::WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<win::MEASUREITEMSTRUCT*>(lParam);
        measure->CtlType = win::ODT_COMBOBOX;
        measure->CtlID = id;
        return win::SendMessage(parent, message, id, lParam);
    }
    case win::WM_DRAWITEM: {
        win::DRAWITEMSTRUCT item = *reinterpret_cast<const win::DRAWITEMSTRUCT*>(lParam);
        item.CtlType = win::ODT_COMBOBOX;
        item.CtlID = id;
        item.hwndItem = hwnd;
        return win::SendMessage(parent, message, id, reinterpret_cast<win::LPARAM>(&item));
    }
    case win::WM_DELETEITEM: {
        win::DELETEITEMSTRUCT item = *reinterpret_cast<const win::DELETEITEMSTRUCT*>(lParam);
        item.CtlType = win::ODT_COMBOBOX;
        item.CtlID = id;
        item.hwndItem = hwnd;
        return win::SendMessage(parent, message, id, reinterpret_cast<win::LPARAM>(&item));
    }
    default:
        return 0;
    }
}

// --- drawing ---

void DrawField(win::HWND hwnd, const ComboState& state, win::HDC dc, win::HBRUSH brush)
{
    const win::DWORD style = StyleOf(hwnd);
    const bool enabled = win::IsWindowEnabled(hwnd) != win::FALSE;
    const bool highlighted = state.focused && !state.dropped && enabled;
    win::RECT item = ItemRect(hwnd, state);
    if (OwnerDrawn(style)) {
        win::DRAWITEMSTRUCT draw;
        draw.CtlType = win::ODT_COMBOBOX;
        draw.CtlID = IdOf(hwnd);
        draw.itemID = win::UINT(state.selection);
        draw.itemAction = win::ODA_DRAWENTIRE;
        draw.itemState = win::ODS_COMBOBOXEDIT | (highlighted ? win::ODS_SELECTED | win::ODS_FOCUS : 0) |
                         (enabled ? 0 : win::ODS_DISABLED);
        draw.hwndItem = hwnd;
        draw.hDC = dc;
        draw.rcItem = item;
        draw.itemData = state.selection >= 0 ? win::ULONG_PTR(ListSend(state, win::LB_GETITEMDATA, win::WPARAM(state.selection))) : 0;
        if (win::HWND parent = win::GetParent(hwnd)) {
            win::SendMessage(parent, win::WM_DRAWITEM, draw.CtlID, reinterpret_cast<win::LPARAM>(&draw));
        }
        return;
    }
    const win::COLORREF oldText = win::GetTextColor(dc);
    const win::COLORREF oldBack = win::GetBkColor(dc);
    if (highlighted) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
        win::SetBkColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHT));
    } else if (!enabled) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
    }
    win::FillRect(dc, &item, highlighted ? win::GetSysColorBrush(win::COLOR_HIGHLIGHT) : brush);
    const std::string text = ItemText(state, hwnd, state.selection);
    win::ExtTextOutA(dc, item.left + 2, item.top + 1, win::ETO_CLIPPED, &item, text.data(), win::UINT(text.size()), nullptr);
    win::SetTextColor(dc, oldText);
    win::SetBkColor(dc, oldBack);
    if (highlighted) {
        win::DrawFocusRect(dc, &item);
    }
}

void Paint(win::HWND hwnd, const ComboState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
    win::SetBkColor(dc, win::GetSysColor(win::COLOR_WINDOW));
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = win::GetParent(hwnd)) {
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, state.edit ? win::WM_CTLCOLOREDIT : win::WM_CTLCOLORLISTBOX,
                                                               reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(hwnd)));
    }
    if (!brush) {
        brush = win::GetSysColorBrush(win::IsWindowEnabled(hwnd) ? win::COLOR_WINDOW : win::COLOR_BTNFACE);
    }
    const win::RECT client = Client(hwnd);
    win::RECT field{0, 0, client.right, std::min<int>(client.bottom, FieldAreaHeight(state))};
    win::FillRect(dc, &field, brush);
    win::DrawEdge(dc, &field, win::EDGE_SUNKEN, win::BF_RECT);
    if (KindOf(hwnd) != win::CBS_SIMPLE) {
        win::RECT button = ButtonRect(hwnd, state);
        win::DrawFrameControl(dc, &button, win::DFC_SCROLL,
                              win::DFCS_SCROLLCOMBOBOX | (state.buttonHeld ? win::DFCS_PUSHED : 0) |
                                      (win::IsWindowEnabled(hwnd) ? 0 : win::DFCS_INACTIVE));
    }
    if (!state.edit) {
        const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
        DrawField(hwnd, state, dc, brush);
        win::SelectObject(dc, oldFont);
    }
    win::EndPaint(hwnd, &paint);
}

// --- creation ---

int MeasureField(win::HWND hwnd, int fallback)
{
    win::MEASUREITEMSTRUCT measure;
    measure.CtlType = win::ODT_COMBOBOX;
    measure.CtlID = IdOf(hwnd);
    measure.itemID = win::UINT(-1);
    measure.itemWidth = win::UINT(Client(hwnd).right);
    measure.itemHeight = win::UINT(fallback);
    if (win::HWND parent = win::GetParent(hwnd)) {
        win::SendMessage(parent, win::WM_MEASUREITEM, measure.CtlID, reinterpret_cast<win::LPARAM>(&measure));
    }
    return std::clamp(int(measure.itemHeight), 1, 255);
}

win::LRESULT EditProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

bool Create(win::HWND hwnd, ComboState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    const win::DWORD kind = style & 0x3;
    state.fieldHeight = FontHeight(hwnd, state.font) + 2;
    win::DWORD listStyle = win::WS_VSCROLL | win::LBS_NOTIFY | win::LBS_NOINTEGRALHEIGHT;
    const std::pair<win::DWORD, win::DWORD> listStyles[] = {
            {win::CBS_SORT, win::LBS_SORT},
            {win::CBS_OWNERDRAWFIXED, win::LBS_OWNERDRAWFIXED},
            {win::CBS_OWNERDRAWVARIABLE, win::LBS_OWNERDRAWVARIABLE},
            {win::CBS_HASSTRINGS, win::LBS_HASSTRINGS},
            {win::CBS_DISABLENOSCROLL, win::LBS_DISABLENOSCROLL}};
    for (const auto& [comboBit, listBit] : listStyles) {
        if (style & comboBit) {
            listStyle |= listBit;
        }
    }
    if (kind == win::CBS_SIMPLE) {
        state.list = win::CreateWindowEx(0, "ComboLBox", "", listStyle | win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER, 0, 0, 0,
                                         0, hwnd, win::HandleFromValue<win::HMENU>(ListId), nullptr, hwnd);
    } else {
        state.list = win::CreateWindowEx(win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST, "ComboLBox", "",
                                         listStyle | win::WS_POPUP | win::WS_BORDER, 0, 0, 0, 0, hwnd, nullptr, nullptr, hwnd);
    }
    if (!state.list) {
        return false;
    }
    if (OwnerDrawn(style)) {
        state.fieldHeight = MeasureField(hwnd, state.fieldHeight - 2);
    }
    if (kind != win::CBS_DROPDOWNLIST) {
        win::DWORD editStyle = win::WS_CHILD | win::WS_VISIBLE;
        const std::pair<win::DWORD, win::DWORD> editStyles[] = {
                {win::CBS_AUTOHSCROLL, win::ES_AUTOHSCROLL},
                {win::CBS_UPPERCASE, win::ES_UPPERCASE},
                {win::CBS_LOWERCASE, win::ES_LOWERCASE},
                {win::CBS_OEMCONVERT, win::ES_OEMCONVERT}};
        for (const auto& [comboBit, editBit] : editStyles) {
            if (style & comboBit) {
                editStyle |= editBit;
            }
        }
        state.edit = win::CreateWindowEx(0, "EDIT", "", editStyle, 0, 0, 0, 0, hwnd, win::HandleFromValue<win::HMENU>(EditId),
                                         nullptr, nullptr);
        if (!state.edit) {
            return false;
        }
        state.editProc = reinterpret_cast<win::WNDPROC>(
                win::SetWindowLongPtr(state.edit, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(&EditProc)));
    }
    FitHeight(hwnd, state);
    Layout(hwnd, state);
    return true;
}

void SetFont(win::HWND hwnd, ComboState& state, win::HFONT font, bool redraw)
{
    state.font = font;
    if (state.edit) {
        win::SendMessage(state.edit, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(font), 0);
    }
    ListSend(state, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(font), 0);
    if (!OwnerDrawn(StyleOf(hwnd))) {
        state.fieldHeight = FontHeight(hwnd, font) + 2;
    }
    FitHeight(hwnd, state);
    Layout(hwnd, state);
    if (redraw) {
        win::InvalidateRect(hwnd, nullptr, true);
    }
}

// --- messages ---

win::LRESULT GetText(win::HWND hwnd, const ComboState& state, win::WPARAM size, char* buffer)
{
    if (state.edit) {
        return win::SendMessage(state.edit, win::WM_GETTEXT, size, reinterpret_cast<win::LPARAM>(buffer));
    }
    if (!buffer || size == 0) {
        return 0;
    }
    const std::string text = ItemText(state, hwnd, state.selection);
    const std::size_t copied = std::min(text.size(), std::size_t(size) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return win::LRESULT(copied);
}

win::LRESULT SetText(win::HWND hwnd, ComboState& state, const char* text)
{
    if (state.edit) {
        state.settingText = true;
        win::SetWindowText(state.edit, text ? text : "");
        state.settingText = false;
        const win::LRESULT exact = ListSend(state, win::LB_FINDSTRINGEXACT, win::WPARAM(-1), reinterpret_cast<win::LPARAM>(text ? text : ""));
        ListSend(state, win::LB_SETCURSEL, win::WPARAM(exact >= 0 ? exact : -1));
        state.selection = int(ListSend(state, win::LB_GETCURSEL));
        return win::TRUE;
    }
    // A list-style box shows items only: the text selects the item it names.
    const win::LRESULT exact = ListSend(state, win::LB_FINDSTRINGEXACT, win::WPARAM(-1), reinterpret_cast<win::LPARAM>(text ? text : ""));
    if (exact < 0) {
        return win::CB_ERR;
    }
    Select(hwnd, state, int(exact));
    return win::TRUE;
}

win::LRESULT ComboMessage(win::HWND hwnd, ComboState& state, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    const int index = int(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case win::CB_ADDSTRING:
        return ListSend(state, win::LB_ADDSTRING, 0, lParam);
    case win::CB_INSERTSTRING: {
        const win::LRESULT inserted = ListSend(state, win::LB_INSERTSTRING, wParam, lParam);
        if (inserted >= 0 && state.selection >= inserted) {
            ++state.selection;
        }
        return inserted;
    }
    case win::CB_DELETESTRING: {
        const win::LRESULT left = ListSend(state, win::LB_DELETESTRING, wParam);
        if (left >= 0) {
            if (state.selection == index) {
                state.selection = -1;
            } else if (state.selection > index) {
                --state.selection;
            }
            win::InvalidateRect(hwnd, nullptr, true);
        }
        return left;
    }
    case win::CB_RESETCONTENT:
        ListSend(state, win::LB_RESETCONTENT);
        state.selection = -1;
        ShowSelectionText(hwnd, state);
        return win::CB_OKAY;
    case win::CB_GETCOUNT:
        return ListSend(state, win::LB_GETCOUNT);
    case win::CB_GETLBTEXT:
        return lParam ? ListSend(state, win::LB_GETTEXT, wParam, lParam) : win::CB_ERR;
    case win::CB_GETLBTEXTLEN:
        return ListSend(state, win::LB_GETTEXTLEN, wParam);
    case win::CB_GETCURSEL:
        return ListSend(state, win::LB_GETCURSEL);
    case win::CB_SETCURSEL:
        Select(hwnd, state, index >= 0 && index < Count(state) ? index : -1);
        return state.selection >= 0 ? state.selection : win::CB_ERR;
    case win::CB_FINDSTRING:
        return ListSend(state, win::LB_FINDSTRING, wParam, lParam);
    case win::CB_FINDSTRINGEXACT:
        return ListSend(state, win::LB_FINDSTRINGEXACT, wParam, lParam);
    case win::CB_SELECTSTRING: {
        const win::LRESULT found = ListSend(state, win::LB_FINDSTRING, wParam, lParam);
        if (found >= 0) {
            Select(hwnd, state, int(found));
        }
        return found >= 0 ? found : win::CB_ERR;
    }
    case win::CB_SHOWDROPDOWN:
        if (wParam) {
            DropDown(hwnd, state);
        } else {
            CloseUp(hwnd, state, Close::Quiet);
        }
        return win::TRUE;
    case win::CB_GETDROPPEDSTATE:
        return state.dropped ? win::TRUE : win::FALSE;
    case win::CB_GETITEMHEIGHT:
        return index == -1 ? state.fieldHeight : ListSend(state, win::LB_GETITEMHEIGHT, wParam);
    case win::CB_SETITEMHEIGHT: {
        const int height = int(lParam);
        if (height <= 0 || height > 255) {
            return win::CB_ERR;
        }
        if (index != -1) {
            return ListSend(state, win::LB_SETITEMHEIGHT, wParam, lParam);
        }
        state.fieldHeight = height;
        FitHeight(hwnd, state);
        Layout(hwnd, state);
        win::InvalidateRect(hwnd, nullptr, true);
        return win::CB_OKAY;
    }
    case win::CB_GETITEMDATA:
        return ListSend(state, win::LB_GETITEMDATA, wParam);
    case win::CB_SETITEMDATA:
        return ListSend(state, win::LB_SETITEMDATA, wParam, lParam);
    case win::CB_LIMITTEXT:
        if (!state.edit) {
            return win::CB_ERR;
        }
        win::SendMessage(state.edit, win::EM_LIMITTEXT, wParam, 0);
        return win::TRUE;
    case win::CB_GETEDITSEL:
        if (!state.edit) {
            return win::CB_ERR;
        }
        return win::SendMessage(state.edit, win::EM_GETSEL, wParam, lParam);
    case win::CB_SETEDITSEL:
        if (!state.edit) {
            return win::CB_ERR;
        }
        win::SendMessage(state.edit, win::EM_SETSEL, win::WPARAM(std::intptr_t(short(win::LOWORD(lParam)))),
                         win::LPARAM(short(win::HIWORD(lParam))));
        return win::TRUE;
    case win::CB_GETDROPPEDWIDTH: {
        win::RECT box{};
        win::GetWindowRect(hwnd, &box);
        return std::max(int(win::Width(box)), state.droppedWidth);
    }
    case win::CB_SETDROPPEDWIDTH: {
        state.droppedWidth = std::max(0, index);
        win::RECT box{};
        win::GetWindowRect(hwnd, &box);
        return std::max(int(win::Width(box)), state.droppedWidth);
    }
    case win::CB_GETDROPPEDCONTROLRECT: {
        if (!lParam) {
            return win::FALSE;
        }
        win::RECT box{};
        win::GetWindowRect(hwnd, &box);
        const win::RECT list = DroppedRect(hwnd, state);
        *reinterpret_cast<win::RECT*>(lParam) = win::RECT{std::min(box.left, list.left), std::min(box.top, list.top),
                                                          std::max(box.right, list.right), std::max(box.bottom, list.bottom)};
        return win::TRUE;
    }
    case win::CB_SETEXTENDEDUI:
        state.extendedUI = wParam != 0;
        return win::CB_OKAY;
    case win::CB_GETEXTENDEDUI:
        return state.extendedUI ? win::TRUE : win::FALSE;
    case win::CB_GETTOPINDEX:
        return ListSend(state, win::LB_GETTOPINDEX);
    case win::CB_SETTOPINDEX:
        return ListSend(state, win::LB_SETTOPINDEX, wParam);
    case win::CB_SETMINVISIBLE:
        if (index <= 0) {
            return win::FALSE;
        }
        state.visibleItems = index;
        return win::TRUE;
    case win::CB_GETMINVISIBLE:
        return state.visibleItems;
    case win::CB_GETCOMBOBOXINFO: {
        auto* info = reinterpret_cast<win::COMBOBOXINFO*>(lParam);
        if (!info) {
            return win::FALSE;
        }
        info->rcItem = ItemRect(hwnd, state);
        info->rcButton = ButtonRect(hwnd, state);
        info->stateButton = KindOf(hwnd) == win::CBS_SIMPLE ? win::STATE_SYSTEM_INVISIBLE
                                                              : (state.buttonHeld ? win::STATE_SYSTEM_PRESSED : 0);
        info->hwndCombo = hwnd;
        info->hwndItem = state.edit;
        info->hwndList = state.list;
        return win::TRUE;
    }
    default:
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void MouseDown(win::HWND hwnd, ComboState& state, win::LPARAM lParam)
{
    if (!state.focused) {
        win::SetFocus(hwnd);
        if (!win::IsWindow(hwnd)) {
            return;
        }
    }
    const win::POINT point{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    const win::RECT button = ButtonRect(hwnd, state);
    const bool onButton = point.x >= button.left && point.x < button.right && point.y >= button.top && point.y < button.bottom;
    if (KindOf(hwnd) == win::CBS_DROPDOWNLIST || (KindOf(hwnd) == win::CBS_DROPDOWN && onButton)) {
        DropDown(hwnd, state);
        if (win::IsWindow(hwnd) && state.dropped) {
            state.buttonHeld = true;
            win::InvalidateRect(hwnd, nullptr, true);
        }
    }
}

win::LRESULT ComboProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    ComboState* state = LiveState<ComboState>(hwnd, message);
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    if ((message >= win::CB_GETEDITSEL && message <= win::CB_GETCOMBOBOXINFO) || message == win::CB_SETMINVISIBLE ||
        message == win::CB_GETMINVISIBLE) {
        return ComboMessage(hwnd, *state, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_CREATE:
        return Create(hwnd, *state) ? 0 : -1;
    case win::WM_DESTROY:
        if (state->dropped && win::GetCapture() == state->list) {
            state->dropped = false;
            win::ReleaseCapture();
        }
        // A dropped list is owned by the top-level window, not a child of the box.
        if (state->list && win::IsWindow(state->list) && KindOf(hwnd) != win::CBS_SIMPLE) {
            win::DestroyWindow(state->list);
        }
        state->list = nullptr;
        break;
    case win::WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<win::WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & win::SWP_NOSIZE) && KindOf(hwnd) != win::CBS_SIMPLE && state->fieldHeight > 0) {
            pos->cy = FieldAreaHeight(*state);
        }
        return 0;
    }
    case win::WM_SIZE:
        Layout(hwnd, *state);
        win::InvalidateRect(hwnd, nullptr, true);
        break;
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_ENABLE:
        if (state->edit) {
            win::EnableWindow(state->edit, wParam ? win::TRUE : win::FALSE);
        }
        win::InvalidateRect(hwnd, nullptr, true);
        return 0;
    case win::WM_SETFONT:
        SetFont(hwnd, *state, reinterpret_cast<win::HFONT>(wParam), lParam != 0);
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_SETTEXT:
        return SetText(hwnd, *state, reinterpret_cast<const char*>(lParam));
    case win::WM_GETTEXT:
        return GetText(hwnd, *state, wParam, reinterpret_cast<char*>(lParam));
    case win::WM_GETTEXTLENGTH:
        return state->edit ? win::GetWindowTextLength(state->edit) : win::LRESULT(ItemText(*state, hwnd, state->selection).size());
    case win::WM_GETDLGCODE:
        return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | (state->dropped ? win::DLGC_WANTALLKEYS : 0);
    case win::WM_SETFOCUS:
        if (state->edit) {
            win::SetFocus(state->edit);
        } else {
            FocusGained(hwnd, *state);
        }
        return 0;
    case win::WM_KILLFOCUS:
        FocusLost(hwnd, *state, reinterpret_cast<win::HWND>(wParam));
        return 0;
    case win::WM_KEYDOWN:
        KeyDown(hwnd, *state, wParam, false);
        return 0;
    case win::WM_SYSKEYDOWN:
        if ((wParam == win::VK_UP || wParam == win::VK_DOWN) && KeyDown(hwnd, *state, wParam, true)) {
            return 0;
        }
        break;
    case win::WM_CHAR:
        Character(hwnd, *state, char(wParam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        MouseDown(hwnd, *state, lParam);
        return 0;
    case win::WM_CANCELMODE:
        CloseUp(hwnd, *state, Close::Cancel);
        return 0;
    case win::WM_MOUSEWHEEL:
        // The wheel goes to the focus; it scrolls a dropped list.
        if (state->dropped) {
            return ListSend(*state, message, wParam, lParam);
        }
        break;
    case win::WM_COMMAND:
        ChildCommand(hwnd, *state, wParam, lParam);
        return 0;
    case win::WM_MEASUREITEM:
    case win::WM_DRAWITEM:
    case win::WM_DELETEITEM:
        return ForwardItemMessage(hwnd, message, lParam);
    case win::WM_CTLCOLOREDIT:
    case win::WM_CTLCOLORLISTBOX:
        if (win::HWND parent = win::GetParent(hwnd)) {
            return win::SendMessage(parent, message, wParam, lParam);
        }
        break;
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

// The edit field's keys and focus, ahead of the edit's own handling.
win::LRESULT EditProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    const win::HWND combo = win::GetParent(hwnd);
    ComboState* state = combo ? StateOf(combo) : nullptr;
    if (!state || !state->editProc) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    const win::WNDPROC editProc = state->editProc;
    switch (message) {
    case win::WM_KEYDOWN:
        if (KeyDown(combo, *state, wParam, false)) {
            return 0;
        }
        break;
    case win::WM_SYSKEYDOWN:
        if ((wParam == win::VK_UP || wParam == win::VK_DOWN) && KeyDown(combo, *state, wParam, true)) {
            return 0;
        }
        break;
    case win::WM_MOUSEWHEEL:
        if (state->dropped) {
            return ListSend(*state, message, wParam, lParam);
        }
        break;
    case win::WM_CHAR:
        // Enter, Esc and Tab belong to the box, never to the field's text.
        if (wParam == '\r' || wParam == 0x1B || wParam == '\t') {
            return 0;
        }
        break;
    case win::WM_SETFOCUS: {
        const win::LRESULT result = win::CallWindowProc(editProc, hwnd, message, wParam, lParam);
        if (win::IsWindow(combo)) {
            FocusGained(combo, *state);
        }
        return result;
    }
    case win::WM_KILLFOCUS: {
        const win::LRESULT result = win::CallWindowProc(editProc, hwnd, message, wParam, lParam);
        if (win::IsWindow(combo)) {
            FocusLost(combo, *state, reinterpret_cast<win::HWND>(wParam));
        }
        return result;
    }
    default:
        break;
    }
    return win::CallWindowProc(editProc, hwnd, message, wParam, lParam);
}

}  // namespace combobox

void RegisterComboBoxClass()
{
    RegisterStandardClass("COMBOBOX", &combobox::ComboProc);
    RegisterStandardClass("ComboLBox", &combobox::ComboListProc);
}

}  // namespace win::detail
