// The tree view window class: a tree of items with a text, two pictures of an image list (normal and
// selected), a state and a value of the caller's, shown as rows of the expanded branches with dotted
// lines, plus and minus buttons and a highlighted caret item. It tells its parent through WM_NOTIFY:
// the user's and the program's selection changes (which the parent may refuse), the user's expanding
// and collapsing (which it may refuse too; TVM_EXPAND sent by the program asks nobody), every deleted
// item, and clicks. Items are named by handles that are never reused, so a message naming a deleted
// item answers 0 instead of reaching freed memory.

#include "platform/gdi/DeviceContext.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowFont.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/GuardedSort.h"
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
#include "platform/wintypes/TreeViewMessages.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace treeview {

constexpr int kDefaultIndent = 19;
constexpr int kButtonSize = 9;

struct Item {
    win::UINT_PTR id = 0;
    Item* parent = nullptr;
    std::vector<Item*> children;
    std::string text;
    int image = 0;
    int selectedImage = 0;
    win::UINT state = 0;
    int childrenFlag = -1;  // -1: whether it has child items; else as the caller set it
    win::LPARAM param = 0;
};

struct TreeState {
    std::map<win::UINT_PTR, std::unique_ptr<Item>> items;
    std::vector<Item*> roots;
    win::UINT_PTR nextId = 1;
    Item* caret = nullptr;
    Item* dropTarget = nullptr;
    win::HIMAGELIST images = nullptr;
    win::HIMAGELIST stateImages = nullptr;
    win::HFONT font = nullptr;
    int indent = kDefaultIndent;
    int itemHeight = 0;  // 0: from the font and the pictures
    int top = 0;         // the first visible row
    win::COLORREF background = win::CLR_NONE;
    win::COLORREF textColor = win::CLR_NONE;
    bool focused = false;
    bool redraw = true;
};

TreeState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<TreeState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD StyleOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
}

win::HTREEITEM HandleOf(const Item* item)
{
    return item ? reinterpret_cast<win::HTREEITEM>(item->id) : nullptr;
}

Item* Find(TreeState& state, win::HTREEITEM handle)
{
    const auto found = state.items.find(reinterpret_cast<win::UINT_PTR>(handle));
    return found == state.items.end() ? nullptr : found->second.get();
}

bool IsRootHandle(win::HTREEITEM handle)
{
    return handle == nullptr || handle == win::TVI_ROOT;
}

std::vector<Item*>& Siblings(TreeState& state, Item* item)
{
    return item->parent ? item->parent->children : state.roots;
}

bool HasChildren(const Item& item)
{
    return item.childrenFlag < 0 ? !item.children.empty() : item.childrenFlag != 0;
}

bool Expanded(const Item& item)
{
    return item.state & win::TVIS_EXPANDED;
}

int Level(const Item& item)
{
    int level = 0;
    for (const Item* p = item.parent; p; p = p->parent) {
        ++level;
    }
    return level;
}

Item* NextSibling(TreeState& state, Item* item)
{
    auto& siblings = Siblings(state, item);
    const auto at = std::find(siblings.begin(), siblings.end(), item);
    return at + 1 < siblings.end() ? *(at + 1) : nullptr;
}

Item* PreviousSibling(TreeState& state, Item* item)
{
    auto& siblings = Siblings(state, item);
    const auto at = std::find(siblings.begin(), siblings.end(), item);
    return at > siblings.begin() ? *(at - 1) : nullptr;
}

// The rows shown: every item whose ancestors are all expanded, in display order.
std::vector<Item*> Rows(const TreeState& state)
{
    std::vector<Item*> rows;
    std::vector<Item*> pending(state.roots.rbegin(), state.roots.rend());
    while (!pending.empty()) {
        Item* item = pending.back();
        pending.pop_back();
        rows.push_back(item);
        if (Expanded(*item)) {
            pending.insert(pending.end(), item->children.rbegin(), item->children.rend());
        }
    }
    return rows;
}

int RowOf(const std::vector<Item*>& rows, const Item* item)
{
    const auto at = std::find(rows.begin(), rows.end(), item);
    return at == rows.end() ? -1 : int(at - rows.begin());
}

bool IsShown(const Item& item)
{
    for (const Item* p = item.parent; p; p = p->parent) {
        if (!Expanded(*p)) {
            return false;
        }
    }
    return true;
}

win::RECT Client(win::HWND hwnd)
{
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    return client;
}

win::SIZE ImageSize(win::HIMAGELIST list)
{
    int cx = 0;
    int cy = 0;
    if (!list || !win::ImageList_GetIconSize(list, &cx, &cy)) {
        return {0, 0};
    }
    return {cx, cy};
}

int ItemHeight(win::HWND hwnd, const TreeState& state)
{
    if (state.itemHeight > 0) {
        return state.itemHeight;
    }
    return std::max({FontHeight(hwnd, state.font) + 2, int(ImageSize(state.images).cy) + 1, int(ImageSize(state.stateImages).cy) + 1});
}

int PageRows(win::HWND hwnd, const TreeState& state)
{
    return std::max(1, int(Client(hwnd).bottom) / ItemHeight(hwnd, state));
}

// The column left of the item's picture holds its button and lines; root items have one only with
// TVS_LINESATROOT (and lines or buttons to show in it).
int RootColumns(win::DWORD style)
{
    return (style & win::TVS_LINESATROOT) && (style & (win::TVS_HASLINES | win::TVS_HASBUTTONS)) ? 1 : 0;
}

struct RowLayout {
    win::RECT row{};
    int indentRight = 0;  // where the item's own pictures start
    win::RECT button{};   // empty when the item has no column of its own
    win::RECT stateIcon{};
    win::RECT icon{};
    win::RECT label{};
};

int TextWidth(win::HWND hwnd, const TreeState& state, const std::string& text)
{
    win::HDC dc = win::GetDC(hwnd);
    const win::HGDIOBJ old = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    win::SIZE size{};
    win::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    win::SelectObject(dc, old);
    win::ReleaseDC(hwnd, dc);
    return int(size.cx);
}

RowLayout Layout(win::HWND hwnd, const TreeState& state, const Item& item, int row)
{
    const win::DWORD style = StyleOf(hwnd);
    const int height = ItemHeight(hwnd, state);
    RowLayout layout;
    const int top = (row - state.top) * height;
    layout.row = {0, top, Client(hwnd).right, top + height};
    const int columns = Level(item) + RootColumns(style);
    layout.indentRight = columns * state.indent;
    if (columns > 0) {
        layout.button = {layout.indentRight - state.indent, top, layout.indentRight, top + height};
    }
    const win::SIZE stateImage = ImageSize(state.stateImages);
    layout.stateIcon = {layout.indentRight, top, layout.indentRight + stateImage.cx, top + height};
    const win::SIZE image = ImageSize(state.images);
    layout.icon = {layout.stateIcon.right, top, layout.stateIcon.right + image.cx, top + height};
    const int labelLeft = layout.icon.right + (image.cx > 0 ? 1 : 0);
    layout.label = {labelLeft, top, labelLeft + TextWidth(hwnd, state, item.text) + 4, top + height};
    return layout;
}

// --- notifications ---

win::LRESULT Notify(win::HWND hwnd, win::UINT code, win::NMTREEVIEW& data)
{
    const win::HWND parent = win::GetParent(hwnd);
    if (!parent) {
        return 0;
    }
    data.hdr.hwndFrom = hwnd;
    data.hdr.idFrom = win::UINT_PTR(win::GetWindowLongPtr(hwnd, win::GWL_ID));
    data.hdr.code = code;
    return win::SendMessage(parent, win::WM_NOTIFY, data.hdr.idFrom, reinterpret_cast<win::LPARAM>(&data));
}

win::LRESULT NotifyCode(win::HWND hwnd, win::UINT code)
{
    win::NMTREEVIEW data;
    return Notify(hwnd, code, data);
}

void Describe(const Item* item, win::TVITEM& out)
{
    out.mask = win::TVIF_HANDLE | win::TVIF_STATE | win::TVIF_PARAM;
    out.hItem = HandleOf(item);
    if (item) {
        out.state = item->state;
        out.stateMask = ~0u;
        out.lParam = item->param;
    }
}

// The window and the item may both be gone after a notification: the caller looks them up again.
bool StillThere(win::HWND hwnd, win::UINT_PTR id)
{
    TreeState* state = win::IsWindow(hwnd) ? StateOf(hwnd) : nullptr;
    return state && state->items.count(id);
}

// --- scrolling ---

void UpdateScrollBar(win::HWND hwnd, TreeState& state)
{
    const int rows = int(Rows(state).size());
    const int page = PageRows(hwnd, state);
    state.top = std::clamp(state.top, 0, std::max(0, rows - page));
    win::SCROLLINFO info;
    info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, rows - 1);
    info.nPage = win::UINT(page);
    info.nPos = state.top;
    win::SetScrollInfo(hwnd, win::SB_VERT, &info, win::TRUE);
}

void Changed(win::HWND hwnd, TreeState& state)
{
    if (state.redraw) {
        UpdateScrollBar(hwnd, state);
        win::InvalidateRect(hwnd, nullptr, true);
    }
}

void SetTop(win::HWND hwnd, TreeState& state, int top)
{
    state.top = top;
    Changed(hwnd, state);
}

// Scrolls so that the item's row is whole in the client area; false when it already was.
bool ScrollIntoView(win::HWND hwnd, TreeState& state, const Item* item)
{
    const int row = RowOf(Rows(state), item);
    if (row < 0) {
        return false;
    }
    const int page = PageRows(hwnd, state);
    if (row < state.top) {
        SetTop(hwnd, state, row);
        return true;
    }
    if (row >= state.top + page) {
        SetTop(hwnd, state, row - page + 1);
        return true;
    }
    return false;
}

// --- expanding ---

// Expands, collapses or toggles the item; `user` asks the parent first and tells it afterwards. A
// collapse that hides the caret item moves the caret to the collapsed item.
bool Expand(win::HWND hwnd, win::UINT_PTR id, win::UINT action, bool user);

bool SelectCaret(win::HWND hwnd, Item* target, win::UINT cause);

bool Expand(win::HWND hwnd, win::UINT_PTR id, win::UINT action, bool user)
{
    TreeState* state = StateOf(hwnd);
    Item* item = state ? Find(*state, reinterpret_cast<win::HTREEITEM>(id)) : nullptr;
    if (!item) {
        return false;
    }
    const win::UINT kind = action & win::TVE_TOGGLE;
    if (kind == 0) {
        return false;
    }
    const bool expand = kind == win::TVE_EXPAND || (kind == win::TVE_TOGGLE && !Expanded(*item));
    if (expand == Expanded(*item) && !(action & win::TVE_COLLAPSERESET)) {
        return true;
    }
    if (user) {
        if (expand && !HasChildren(*item)) {
            return false;
        }
        win::NMTREEVIEW data;
        data.action = expand ? win::TVE_EXPAND : win::TVE_COLLAPSE;
        Describe(item, data.itemNew);
        if (Notify(hwnd, win::TVN_ITEMEXPANDING, data) || !StillThere(hwnd, id)) {
            return false;
        }
        state = StateOf(hwnd);
        item = Find(*state, reinterpret_cast<win::HTREEITEM>(id));
    }
    if (expand) {
        item->state |= win::TVIS_EXPANDED | win::TVIS_EXPANDEDONCE;
    } else {
        item->state &= ~win::TVIS_EXPANDED;
        if (action & win::TVE_COLLAPSERESET) {
            item->state &= ~win::TVIS_EXPANDEDONCE;
        }
    }
    Changed(hwnd, *state);
    if (!expand && state->caret && !IsShown(*state->caret)) {
        SelectCaret(hwnd, item, user ? win::TVC_BYMOUSE : win::TVC_UNKNOWN);
        if (!StillThere(hwnd, id)) {
            return true;
        }
        state = StateOf(hwnd);
        item = Find(*state, reinterpret_cast<win::HTREEITEM>(id));
    }
    if (user) {
        win::NMTREEVIEW data;
        data.action = expand ? win::TVE_EXPAND : win::TVE_COLLAPSE;
        Describe(item, data.itemNew);
        Notify(hwnd, win::TVN_ITEMEXPANDED, data);
    }
    return true;
}

// Expands every collapsed ancestor; true when one was.
bool ExpandAncestors(win::HWND hwnd, TreeState& state, Item* item)
{
    bool changed = false;
    for (Item* p = item->parent; p; p = p->parent) {
        if (!Expanded(*p)) {
            p->state |= win::TVIS_EXPANDED | win::TVIS_EXPANDEDONCE;
            changed = true;
        }
    }
    if (changed) {
        Changed(hwnd, state);
    }
    return changed;
}

// --- selection ---

// Moves the caret (and the selection) to the target (null: none), asking the parent first. With
// TVS_SINGLEEXPAND a user's choice expands the new item and collapses the old one.
bool SelectCaret(win::HWND hwnd, Item* target, win::UINT cause)
{
    TreeState* state = StateOf(hwnd);
    if (state->caret == target) {
        if (target) {
            ScrollIntoView(hwnd, *state, target);
        }
        return true;
    }
    const win::UINT_PTR targetId = target ? target->id : 0;
    const win::UINT_PTR oldId = state->caret ? state->caret->id : 0;
    win::NMTREEVIEW data;
    data.action = cause;
    Describe(state->caret, data.itemOld);
    Describe(target, data.itemNew);
    if (Notify(hwnd, win::TVN_SELCHANGING, data) || !win::IsWindow(hwnd) || (targetId && !StillThere(hwnd, targetId))) {
        return false;
    }
    state = StateOf(hwnd);
    target = targetId ? Find(*state, reinterpret_cast<win::HTREEITEM>(targetId)) : nullptr;
    Item* old = state->caret;
    if (old) {
        old->state &= ~win::TVIS_SELECTED;
    }
    state->caret = target;
    if (target) {
        target->state |= win::TVIS_SELECTED;
        ExpandAncestors(hwnd, *state, target);
        ScrollIntoView(hwnd, *state, target);
    }
    win::InvalidateRect(hwnd, nullptr, true);
    Describe(old, data.itemOld);
    Describe(target, data.itemNew);
    Notify(hwnd, win::TVN_SELCHANGED, data);
    if (cause != win::TVC_UNKNOWN && (StyleOf(hwnd) & win::TVS_SINGLEEXPAND) && targetId && StillThere(hwnd, targetId)) {
        if (oldId && StillThere(hwnd, oldId)) {
            Item* before = Find(*StateOf(hwnd), reinterpret_cast<win::HTREEITEM>(oldId));
            Item* now = Find(*StateOf(hwnd), reinterpret_cast<win::HTREEITEM>(targetId));
            bool ancestor = false;
            for (Item* p = now->parent; p; p = p->parent) {
                ancestor = ancestor || p == before;
            }
            if (!ancestor) {
                Expand(hwnd, oldId, win::TVE_COLLAPSE, true);
            }
        }
        if (StillThere(hwnd, targetId)) {
            Expand(hwnd, targetId, win::TVE_EXPAND, true);
        }
    }
    return true;
}

// --- inserting and deleting ---

win::LRESULT Insert(win::HWND hwnd, TreeState& state, const win::TVINSERTSTRUCT* insert)
{
    if (!insert) {
        return 0;
    }
    Item* parent = nullptr;
    if (!IsRootHandle(insert->hParent)) {
        parent = Find(state, insert->hParent);
        if (!parent) {
            return 0;
        }
    }
    auto& siblings = parent ? parent->children : state.roots;
    auto item = std::make_unique<Item>();
    const win::TVITEM& data = insert->item;
    if ((data.mask & win::TVIF_TEXT) && data.pszText && data.pszText != win::LPSTR_TEXTCALLBACK) {
        item->text = data.pszText;
    }
    if (data.mask & win::TVIF_IMAGE) {
        item->image = data.iImage;
    }
    if (data.mask & win::TVIF_SELECTEDIMAGE) {
        item->selectedImage = data.iSelectedImage;
    }
    if (data.mask & win::TVIF_STATE) {
        item->state = data.state & data.stateMask & ~win::TVIS_SELECTED;
    }
    if (data.mask & win::TVIF_CHILDREN) {
        item->childrenFlag = data.cChildren == win::I_CHILDRENCALLBACK ? 1 : (data.cChildren != 0);
    }
    if (data.mask & win::TVIF_PARAM) {
        item->param = data.lParam;
    }
    std::size_t place = siblings.size();
    if (insert->hInsertAfter == win::TVI_FIRST) {
        place = 0;
    } else if (insert->hInsertAfter == win::TVI_SORT) {
        place = 0;
        while (place < siblings.size() && rtl::AnsiCompareText(siblings[place]->text, item->text) <= 0) {
            ++place;
        }
    } else if (insert->hInsertAfter != win::TVI_LAST && insert->hInsertAfter != nullptr) {
        Item* after = Find(state, insert->hInsertAfter);
        const auto at = std::find(siblings.begin(), siblings.end(), after);
        if (at != siblings.end()) {
            place = std::size_t(at - siblings.begin()) + 1;
        }
    }
    item->id = state.nextId++;
    item->parent = parent;
    Item* raw = item.get();
    siblings.insert(siblings.begin() + std::ptrdiff_t(place), raw);
    state.items.emplace(raw->id, std::move(item));
    Changed(hwnd, state);
    return reinterpret_cast<win::LRESULT>(HandleOf(raw));
}

// Removes the item and its subtree, the children first, each announced by TVN_DELETEITEM after it left
// the tree (a handler that looks for it finds it gone).
void DeleteSubtree(win::HWND hwnd, win::UINT_PTR id)
{
    for (;;) {
        TreeState* state = win::IsWindow(hwnd) ? StateOf(hwnd) : nullptr;
        Item* item = state ? Find(*state, reinterpret_cast<win::HTREEITEM>(id)) : nullptr;
        if (!item) {
            return;
        }
        if (item->children.empty()) {
            break;
        }
        DeleteSubtree(hwnd, item->children.back()->id);
    }
    TreeState& state = *StateOf(hwnd);
    Item* item = Find(state, reinterpret_cast<win::HTREEITEM>(id));
    auto& siblings = Siblings(state, item);
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    if (state.dropTarget == item) {
        state.dropTarget = nullptr;
    }
    const bool wasCaret = state.caret == item;
    if (wasCaret) {
        state.caret = nullptr;
    }
    win::NMTREEVIEW data;
    Describe(item, data.itemOld);
    const std::unique_ptr<Item> gone = std::move(state.items[id]);
    state.items.erase(id);
    Notify(hwnd, win::TVN_DELETEITEM, data);
}

win::LRESULT Delete(win::HWND hwnd, TreeState& state, win::HTREEITEM handle)
{
    std::vector<win::UINT_PTR> doomed;
    Item* caretBefore = state.caret;
    Item* successor = nullptr;
    if (IsRootHandle(handle)) {
        for (Item* root : state.roots) {
            doomed.push_back(root->id);
        }
    } else {
        Item* item = Find(state, handle);
        if (!item) {
            return win::FALSE;
        }
        doomed.push_back(item->id);
        // The caret inside the deleted branch goes to the next item, else the previous one, else the parent.
        for (Item* p = caretBefore; p; p = p->parent) {
            if (p == item) {
                successor = NextSibling(state, item);
                successor = successor ? successor : PreviousSibling(state, item);
                successor = successor ? successor : item->parent;
            }
        }
    }
    const win::UINT_PTR successorId = successor ? successor->id : 0;
    for (win::UINT_PTR id : doomed) {
        DeleteSubtree(hwnd, id);
    }
    if (!win::IsWindow(hwnd) || !StateOf(hwnd)) {
        return win::TRUE;
    }
    TreeState& now = *StateOf(hwnd);
    Changed(hwnd, now);
    if (successorId && !now.caret && StillThere(hwnd, successorId)) {
        SelectCaret(hwnd, Find(now, reinterpret_cast<win::HTREEITEM>(successorId)), win::TVC_UNKNOWN);
    }
    return win::TRUE;
}

// --- sorting ---

// Orders the children of the parent (the roots for TVI_ROOT or null), their children too with recurse;
// equal items keep their order. The callback may not change the tree: it sees values, not items.
win::LRESULT SortChildren(win::HWND hwnd, TreeState& state, win::HTREEITEM parent, bool recurse,
                          const win::TVSORTCB* callback)
{
    Item* item = IsRootHandle(parent) ? nullptr : Find(state, parent);
    if (!item && !IsRootHandle(parent)) {
        return win::FALSE;
    }
    std::vector<std::vector<Item*>*> lists{item ? &item->children : &state.roots};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::vector<Item*>& list = *lists[i];
        if (callback && callback->lpfnCompare) {
            rtl::GuardedStableSort(list, [&](const Item* a, const Item* b) {
                return callback->lpfnCompare(a->param, b->param, callback->lParam) < 0;
            });
        } else {
            rtl::GuardedStableSort(list, [](const Item* a, const Item* b) { return rtl::AnsiCompareText(a->text, b->text) < 0; });
        }
        if (recurse) {
            for (Item* child : list) {
                lists.push_back(&child->children);
            }
        }
    }
    Changed(hwnd, state);
    return win::TRUE;
}

// --- items ---

win::LRESULT GetItem(TreeState& state, win::TVITEM* out)
{
    Item* item = out ? Find(state, out->hItem) : nullptr;
    if (!item) {
        return win::FALSE;
    }
    if ((out->mask & win::TVIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        const std::size_t count = std::min(item->text.size(), std::size_t(out->cchTextMax - 1));
        std::memcpy(out->pszText, item->text.data(), count);
        out->pszText[count] = '\0';
    }
    if (out->mask & win::TVIF_IMAGE) {
        out->iImage = item->image;
    }
    if (out->mask & win::TVIF_SELECTEDIMAGE) {
        out->iSelectedImage = item->selectedImage;
    }
    if (out->mask & win::TVIF_STATE) {
        out->state = item->state & out->stateMask;
    }
    if (out->mask & win::TVIF_CHILDREN) {
        out->cChildren = HasChildren(*item) ? 1 : 0;
    }
    if (out->mask & win::TVIF_PARAM) {
        out->lParam = item->param;
    }
    return win::TRUE;
}

win::LRESULT SetItem(win::HWND hwnd, TreeState& state, const win::TVITEM* in)
{
    Item* item = in ? Find(state, in->hItem) : nullptr;
    if (!item) {
        return win::FALSE;
    }
    const Item before = *item;
    if (in->mask & win::TVIF_TEXT) {
        item->text = in->pszText && in->pszText != win::LPSTR_TEXTCALLBACK ? in->pszText : "";
    }
    if (in->mask & win::TVIF_IMAGE) {
        item->image = in->iImage;
    }
    if (in->mask & win::TVIF_SELECTEDIMAGE) {
        item->selectedImage = in->iSelectedImage;
    }
    if (in->mask & win::TVIF_STATE) {
        // The selection follows the caret only.
        const win::UINT mask = in->stateMask & ~win::TVIS_SELECTED;
        item->state = (item->state & ~mask) | (in->state & mask);
    }
    if (in->mask & win::TVIF_CHILDREN) {
        item->childrenFlag = in->cChildren == win::I_CHILDRENCALLBACK ? 1 : (in->cChildren != 0);
    }
    if (in->mask & win::TVIF_PARAM) {
        item->param = in->lParam;
    }
    // Nothing changed, nothing to draw (the parent sets items while they are drawn).
    if (item->text != before.text || item->image != before.image || item->selectedImage != before.selectedImage ||
        item->state != before.state || item->childrenFlag != before.childrenFlag) {
        Changed(hwnd, state);
    }
    return win::TRUE;
}

Item* NextItem(win::HWND hwnd, TreeState& state, win::UINT code, win::HTREEITEM handle)
{
    Item* item = Find(state, handle);
    const std::vector<Item*> rows = Rows(state);
    switch (code) {
    case win::TVGN_ROOT:
        return state.roots.empty() ? nullptr : state.roots.front();
    case win::TVGN_CARET:
        return state.caret;
    case win::TVGN_DROPHILITE:
        return state.dropTarget;
    case win::TVGN_FIRSTVISIBLE:
        return state.top < int(rows.size()) ? rows[std::size_t(state.top)] : nullptr;
    case win::TVGN_LASTVISIBLE:
        return rows.empty() ? nullptr : rows.back();
    case win::TVGN_CHILD:
        if (IsRootHandle(handle)) {
            return state.roots.empty() ? nullptr : state.roots.front();
        }
        return item && !item->children.empty() ? item->children.front() : nullptr;
    default:
        break;
    }
    if (!item) {
        return nullptr;
    }
    switch (code) {
    case win::TVGN_NEXT:
        return NextSibling(state, item);
    case win::TVGN_PREVIOUS:
        return PreviousSibling(state, item);
    case win::TVGN_PARENT:
        return item->parent;
    case win::TVGN_NEXTVISIBLE:
    case win::TVGN_PREVIOUSVISIBLE: {
        const int row = RowOf(rows, item);
        const int other = row + (code == win::TVGN_NEXTVISIBLE ? 1 : -1);
        return row >= 0 && other >= 0 && other < int(rows.size()) ? rows[std::size_t(other)] : nullptr;
    }
    default:
        (void)hwnd;
        return nullptr;
    }
}

win::UINT HitTest(win::HWND hwnd, TreeState& state, win::POINT point, Item** hit)
{
    *hit = nullptr;
    const win::RECT client = Client(hwnd);
    win::UINT flags = 0;
    if (point.y < 0) {
        flags |= win::TVHT_ABOVE;
    } else if (point.y >= client.bottom) {
        flags |= win::TVHT_BELOW;
    }
    if (point.x < 0) {
        flags |= win::TVHT_TOLEFT;
    } else if (point.x >= client.right) {
        flags |= win::TVHT_TORIGHT;
    }
    if (flags) {
        return flags;
    }
    const std::vector<Item*> rows = Rows(state);
    const int row = state.top + int(point.y) / ItemHeight(hwnd, state);
    if (row >= int(rows.size())) {
        return win::TVHT_NOWHERE;
    }
    Item* item = rows[std::size_t(row)];
    *hit = item;
    const RowLayout layout = Layout(hwnd, state, *item, row);
    const win::DWORD style = StyleOf(hwnd);
    if (point.x >= layout.label.right) {
        return win::TVHT_ONITEMRIGHT;
    }
    if (point.x >= layout.label.left) {
        return win::TVHT_ONITEMLABEL;
    }
    if (point.x >= layout.icon.left) {
        return win::TVHT_ONITEMICON;
    }
    if (point.x >= layout.stateIcon.left) {
        return win::TVHT_ONITEMSTATEICON;
    }
    if (point.x >= layout.button.left && layout.button.right > layout.button.left && (style & win::TVS_HASBUTTONS) &&
        HasChildren(*item)) {
        return win::TVHT_ONITEMBUTTON;
    }
    return win::TVHT_ONITEMINDENT;
}

// --- drawing ---

void DottedLine(win::HDC dc, int x0, int y0, int x1, int y1, win::COLORREF color)
{
    // Every other pixel on the checkerboard, so lines that meet keep one pattern.
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            if (((x + y) & 1) == 0) {
                win::SetPixel(dc, x, y, color);
            }
        }
    }
}

void DrawLinesAndButton(win::HWND hwnd, TreeState& state, win::HDC dc, Item& item, const RowLayout& layout)
{
    const win::DWORD style = StyleOf(hwnd);
    const win::COLORREF gray = win::GetSysColor(win::COLOR_BTNSHADOW);
    const int middle = (layout.row.top + layout.row.bottom) / 2;
    const bool ownColumn = layout.button.right > layout.button.left;
    if ((style & win::TVS_HASLINES) && ownColumn) {
        const int x = (layout.button.left + layout.button.right) / 2;
        const bool first = !item.parent && state.roots.front() == &item;
        DottedLine(dc, x, first ? middle : int(layout.row.top), x, middle, gray);
        if (NextSibling(state, &item)) {
            DottedLine(dc, x, middle, x, int(layout.row.bottom) - 1, gray);
        }
        DottedLine(dc, x, middle, int(layout.button.right) - 1, middle, gray);
        // The lines of the ancestors that have siblings still to come pass through this row.
        int column = int(layout.button.left) - state.indent;
        for (Item* p = item.parent; p && column >= 0; p = p->parent, column -= state.indent) {
            if (NextSibling(state, p)) {
                const int px = column + state.indent / 2;
                DottedLine(dc, px, int(layout.row.top), px, int(layout.row.bottom) - 1, gray);
            }
        }
    }
    if ((style & win::TVS_HASBUTTONS) && ownColumn && HasChildren(item)) {
        const int x = (layout.button.left + layout.button.right) / 2 - kButtonSize / 2;
        const int y = middle - kButtonSize / 2;
        win::RECT box{x, y, x + kButtonSize, y + kButtonSize};
        win::FillRect(dc, &box, win::GetSysColorBrush(win::COLOR_WINDOW));
        win::FrameRect(dc, &box, win::GetSysColorBrush(win::COLOR_BTNSHADOW));
        const win::COLORREF mark = win::GetSysColor(win::COLOR_WINDOWTEXT);
        for (int i = 2; i <= kButtonSize - 3; ++i) {
            win::SetPixel(dc, x + i, middle, mark);
            if (!Expanded(item)) {
                win::SetPixel(dc, x + kButtonSize / 2, y + i, mark);
            }
        }
    }
}

// The pictures of the rows to draw, those of callback items asked of the parent first: its answer may
// change the tree, so nothing is drawn from before it.
using Pictures = std::map<win::UINT_PTR, std::pair<int, int>>;

bool AskPictures(win::HWND hwnd, Pictures& pictures)
{
    std::vector<win::UINT_PTR> shown;
    {
        TreeState& state = *StateOf(hwnd);
        const std::vector<Item*> rows = Rows(state);
        const int height = ItemHeight(hwnd, state);
        const int bottom = Client(hwnd).bottom;
        for (int row = state.top; row < int(rows.size()) && (row - state.top) * height < bottom; ++row) {
            shown.push_back(rows[std::size_t(row)]->id);
        }
    }
    for (win::UINT_PTR id : shown) {
        if (!StillThere(hwnd, id)) {
            continue;
        }
        Item& item = *Find(*StateOf(hwnd), reinterpret_cast<win::HTREEITEM>(id));
        std::pair<int, int> images{item.image, item.selectedImage};
        if (item.image == win::I_IMAGECALLBACK || item.selectedImage == win::I_IMAGECALLBACK) {
            win::NMTVDISPINFO info;
            info.hdr.hwndFrom = hwnd;
            info.hdr.idFrom = win::UINT_PTR(win::GetWindowLongPtr(hwnd, win::GWL_ID));
            info.hdr.code = win::TVN_GETDISPINFO;
            info.item.mask = (item.image == win::I_IMAGECALLBACK ? win::TVIF_IMAGE : 0) |
                             (item.selectedImage == win::I_IMAGECALLBACK ? win::TVIF_SELECTEDIMAGE : 0);
            info.item.hItem = HandleOf(&item);
            info.item.lParam = item.param;
            info.item.iImage = item.image;
            info.item.iSelectedImage = item.selectedImage;
            if (const win::HWND parent = win::GetParent(hwnd)) {
                win::SendMessage(parent, win::WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<win::LPARAM>(&info));
            }
            if (!win::IsWindow(hwnd) || !StateOf(hwnd)) {
                return false;
            }
            images = {info.item.iImage, info.item.iSelectedImage};
        }
        pictures[id] = images;
    }
    return true;
}

void DrawImage(win::HIMAGELIST list, int index, win::HDC dc, const win::RECT& where, const win::RECT& row)
{
    if (list && index >= 0 && index < win::ImageList_GetImageCount(list)) {
        win::ImageList_Draw(list, index, dc, where.left, (row.top + row.bottom - ImageSize(list).cy) / 2, win::ILD_TRANSPARENT);
    }
}

void DrawRow(win::HWND hwnd, TreeState& state, win::HDC dc, Item& item, int row, const Pictures& pictures)
{
    const RowLayout layout = Layout(hwnd, state, item, row);
    DrawLinesAndButton(hwnd, state, dc, item, layout);
    const bool isCaret = state.caret == &item;
    if (const int stateIndex = int((item.state & win::TVIS_STATEIMAGEMASK) >> 12); stateIndex > 0) {
        DrawImage(state.stateImages, stateIndex, dc, layout.stateIcon, layout.row);
    }
    if (const auto found = pictures.find(item.id); found != pictures.end()) {
        DrawImage(state.images, isCaret ? found->second.second : found->second.first, dc, layout.icon, layout.row);
    }
    const bool showSelection = isCaret && (state.focused || (StyleOf(hwnd) & win::TVS_SHOWSELALWAYS));
    const bool highlighted = (showSelection && state.focused) || state.dropTarget == &item;
    win::COLORREF text = state.textColor == win::CLR_NONE ? win::GetSysColor(win::COLOR_WINDOWTEXT) : state.textColor;
    if (highlighted) {
        win::FillRect(dc, &layout.label, win::GetSysColorBrush(win::COLOR_HIGHLIGHT));
        text = win::GetSysColor(win::COLOR_HIGHLIGHTTEXT);
    } else if (showSelection) {
        win::FillRect(dc, &layout.label, win::GetSysColorBrush(win::COLOR_BTNFACE));
    }
    win::SetTextColor(dc, text);
    win::SetBkMode(dc, win::TRANSPARENT);
    const int textTop = (layout.row.top + layout.row.bottom - FontHeight(hwnd, state.font)) / 2;
    win::TextOutA(dc, layout.label.left + 2, textTop, item.text.c_str(), int(item.text.size()));
    if (isCaret && state.focused) {
        win::DrawFocusRect(dc, &layout.label);
    }
}

void Paint(win::HWND hwnd)
{
    Pictures pictures;
    if (!AskPictures(hwnd, pictures)) {
        return;
    }
    TreeState& state = *StateOf(hwnd);
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    const win::RECT client = Client(hwnd);
    if (state.background == win::CLR_NONE) {
        win::FillRect(dc, &client, win::GetSysColorBrush(win::COLOR_WINDOW));
    } else {
        win::HBRUSH brush = win::CreateSolidBrush(state.background);
        win::FillRect(dc, &client, brush);
        win::DeleteObject(brush);
    }
    const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    const std::vector<Item*> rows = Rows(state);
    const int height = ItemHeight(hwnd, state);
    for (int row = state.top; row < int(rows.size()) && (row - state.top) * height < client.bottom; ++row) {
        DrawRow(hwnd, state, dc, *rows[std::size_t(row)], row, pictures);
    }
    win::SelectObject(dc, oldFont);
    win::EndPaint(hwnd, &paint);
}

// --- input ---

void ExpandAll(win::HWND hwnd, win::UINT_PTR id)
{
    if (!Expand(hwnd, id, win::TVE_EXPAND, true) || !StillThere(hwnd, id)) {
        return;
    }
    std::vector<win::UINT_PTR> children;
    for (Item* child : Find(*StateOf(hwnd), reinterpret_cast<win::HTREEITEM>(id))->children) {
        children.push_back(child->id);
    }
    for (win::UINT_PTR child : children) {
        if (StillThere(hwnd, child)) {
            ExpandAll(hwnd, child);
        }
    }
}

void SelectRow(win::HWND hwnd, TreeState& state, int row)
{
    const std::vector<Item*> rows = Rows(state);
    if (!rows.empty()) {
        SelectCaret(hwnd, rows[std::size_t(std::clamp(row, 0, int(rows.size()) - 1))], win::TVC_BYKEYBOARD);
    }
}

void KeyDown(win::HWND hwnd, TreeState& state, win::WPARAM key)
{
    const std::vector<Item*> rows = Rows(state);
    if (rows.empty()) {
        return;
    }
    Item* caret = state.caret;
    const int row = caret ? RowOf(rows, caret) : -1;
    const int page = PageRows(hwnd, state);
    switch (key) {
    case win::VK_UP: SelectRow(hwnd, state, row < 0 ? 0 : row - 1); break;
    case win::VK_DOWN: SelectRow(hwnd, state, row + 1); break;
    case win::VK_HOME: SelectRow(hwnd, state, 0); break;
    case win::VK_END: SelectRow(hwnd, state, int(rows.size()) - 1); break;
    case win::VK_PRIOR: SelectRow(hwnd, state, row < 0 ? 0 : row - std::max(1, page - 1)); break;
    case win::VK_NEXT: SelectRow(hwnd, state, row + std::max(1, page - 1)); break;
    case win::VK_LEFT:
        if (!caret) {
            SelectRow(hwnd, state, 0);
        } else if (Expanded(*caret) && HasChildren(*caret)) {
            Expand(hwnd, caret->id, win::TVE_COLLAPSE, true);
        } else if (caret->parent) {
            SelectCaret(hwnd, caret->parent, win::TVC_BYKEYBOARD);
        }
        break;
    case win::VK_RIGHT:
        if (!caret) {
            SelectRow(hwnd, state, 0);
        } else if (!Expanded(*caret) && HasChildren(*caret)) {
            Expand(hwnd, caret->id, win::TVE_EXPAND, true);
        } else if (!caret->children.empty()) {
            SelectCaret(hwnd, caret->children.front(), win::TVC_BYKEYBOARD);
        }
        break;
    case win::VK_ADD:
        if (caret) {
            Expand(hwnd, caret->id, win::TVE_EXPAND, true);
        }
        break;
    case win::VK_SUBTRACT:
        if (caret) {
            Expand(hwnd, caret->id, win::TVE_COLLAPSE, true);
        }
        break;
    case win::VK_MULTIPLY:
        if (caret) {
            ExpandAll(hwnd, caret->id);
        }
        break;
    case win::VK_RETURN:
        NotifyCode(hwnd, win::NM_RETURN);
        break;
    default:
        break;
    }
}

void Character(win::HWND hwnd, TreeState& state, char ch)
{
    // "+", "-" and "*" of the main keyboard do what the keypad's keys do.
    if (state.caret && (ch == '+' || ch == '-')) {
        Expand(hwnd, state.caret->id, ch == '+' ? win::TVE_EXPAND : win::TVE_COLLAPSE, true);
    } else if (state.caret && ch == '*') {
        ExpandAll(hwnd, state.caret->id);
    }
}

void MouseDown(win::HWND hwnd, TreeState& state, win::LPARAM lParam, bool doubleClick)
{
    if (win::GetFocus() != hwnd) {
        win::SetFocus(hwnd);
        if (!win::IsWindow(hwnd)) {
            return;
        }
    }
    Item* item = nullptr;
    const win::UINT flags = HitTest(hwnd, state, {win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)}, &item);
    if (!item) {
        return;
    }
    const win::UINT_PTR id = item->id;
    if (flags & win::TVHT_ONITEMBUTTON) {
        Expand(hwnd, id, win::TVE_TOGGLE, true);
        return;
    }
    if (!(flags & win::TVHT_ONITEM)) {
        return;
    }
    if (!SelectCaret(hwnd, item, win::TVC_BYMOUSE) || !StillThere(hwnd, id)) {
        return;
    }
    if (!doubleClick) {
        NotifyCode(hwnd, win::NM_CLICK);
    } else if (!NotifyCode(hwnd, win::NM_DBLCLK) && StillThere(hwnd, id)) {
        Expand(hwnd, id, win::TVE_TOGGLE, true);
    }
}

void RightClick(win::HWND hwnd, win::LPARAM lParam)
{
    if (NotifyCode(hwnd, win::NM_RCLICK) || !win::IsWindow(hwnd)) {
        return;
    }
    win::POINT screen{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    win::ClientToScreen(hwnd, &screen);
    win::SendMessage(hwnd, win::WM_CONTEXTMENU, reinterpret_cast<win::WPARAM>(hwnd), win::MAKELPARAM(win::WORD(screen.x), win::WORD(screen.y)));
}

void Scroll(win::HWND hwnd, TreeState& state, win::WPARAM wParam)
{
    const int page = PageRows(hwnd, state);
    switch (win::LOWORD(wParam)) {
    case win::SB_LINEUP: SetTop(hwnd, state, state.top - 1); break;
    case win::SB_LINEDOWN: SetTop(hwnd, state, state.top + 1); break;
    case win::SB_PAGEUP: SetTop(hwnd, state, state.top - page); break;
    case win::SB_PAGEDOWN: SetTop(hwnd, state, state.top + page); break;
    case win::SB_THUMBTRACK:
    case win::SB_THUMBPOSITION: SetTop(hwnd, state, win::HIWORD(wParam)); break;
    case win::SB_TOP: SetTop(hwnd, state, 0); break;
    case win::SB_BOTTOM: SetTop(hwnd, state, int(state.items.size())); break;
    default: break;
    }
}

void Wheel(win::HWND hwnd, TreeState& state, win::WPARAM wParam)
{
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notches = short(win::HIWORD(wParam)) / 120;
    if (notches != 0) {
        SetTop(hwnd, state, state.top - notches * int(std::max<win::UINT>(1, lines)));
    }
}

// --- messages ---

win::LRESULT TreeMessage(win::HWND hwnd, TreeState& state, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    switch (message) {
    case win::TVM_INSERTITEM:
        return Insert(hwnd, state, reinterpret_cast<const win::TVINSERTSTRUCT*>(lParam));
    case win::TVM_DELETEITEM:
        return Delete(hwnd, state, reinterpret_cast<win::HTREEITEM>(lParam));
    case win::TVM_EXPAND: {
        Item* item = Find(state, reinterpret_cast<win::HTREEITEM>(lParam));
        return item && Expand(hwnd, item->id, win::UINT(wParam), false);
    }
    case win::TVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<win::RECT*>(lParam);
        Item* item = rect ? Find(state, *reinterpret_cast<win::HTREEITEM*>(rect)) : nullptr;
        const int row = item ? RowOf(Rows(state), item) : -1;
        if (row < 0) {
            return win::FALSE;
        }
        const RowLayout layout = Layout(hwnd, state, *item, row);
        *rect = wParam ? layout.label : layout.row;
        return win::TRUE;
    }
    case win::TVM_GETCOUNT:
        return win::LRESULT(state.items.size());
    case win::TVM_GETINDENT:
        return state.indent;
    case win::TVM_SETINDENT:
        state.indent = std::max(int(ImageSize(state.images).cx), std::max(4, int(wParam)));
        Changed(hwnd, state);
        return 0;
    case win::TVM_GETIMAGELIST:
        return reinterpret_cast<win::LRESULT>(wParam == win::TVSIL_STATE ? state.stateImages : state.images);
    case win::TVM_SETIMAGELIST: {
        auto list = reinterpret_cast<win::HIMAGELIST>(lParam);
        win::HIMAGELIST& slot = wParam == win::TVSIL_STATE ? state.stateImages : state.images;
        const win::HIMAGELIST old = slot;
        slot = list;
        Changed(hwnd, state);
        return reinterpret_cast<win::LRESULT>(old);
    }
    case win::TVM_GETNEXTITEM:
        return reinterpret_cast<win::LRESULT>(HandleOf(NextItem(hwnd, state, win::UINT(wParam), reinterpret_cast<win::HTREEITEM>(lParam))));
    case win::TVM_SELECTITEM: {
        const auto handle = reinterpret_cast<win::HTREEITEM>(lParam);
        Item* item = Find(state, handle);
        if (!item && handle) {
            return win::FALSE;
        }
        switch (wParam) {
        case win::TVGN_CARET:
            return SelectCaret(hwnd, item, win::TVC_UNKNOWN);
        case win::TVGN_DROPHILITE:
            state.dropTarget = item;
            win::InvalidateRect(hwnd, nullptr, true);
            return win::TRUE;
        case win::TVGN_FIRSTVISIBLE:
            if (item) {
                ExpandAncestors(hwnd, state, item);
                SetTop(hwnd, state, RowOf(Rows(state), item));
            }
            return win::TRUE;
        default:
            return win::FALSE;
        }
    }
    case win::TVM_GETITEM:
        return GetItem(state, reinterpret_cast<win::TVITEM*>(lParam));
    case win::TVM_SETITEM:
        return SetItem(hwnd, state, reinterpret_cast<const win::TVITEM*>(lParam));
    case win::TVM_GETVISIBLECOUNT:
        return PageRows(hwnd, state);
    case win::TVM_HITTEST: {
        auto* info = reinterpret_cast<win::TVHITTESTINFO*>(lParam);
        if (!info) {
            return 0;
        }
        Item* item = nullptr;
        info->flags = HitTest(hwnd, state, info->pt, &item);
        info->hItem = HandleOf(item);
        return reinterpret_cast<win::LRESULT>(info->hItem);
    }
    case win::TVM_ENSUREVISIBLE: {
        Item* item = Find(state, reinterpret_cast<win::HTREEITEM>(lParam));
        if (!item) {
            return win::FALSE;
        }
        const bool expanded = ExpandAncestors(hwnd, state, item);
        return ScrollIntoView(hwnd, state, item) || expanded;
    }
    case win::TVM_SORTCHILDREN:
        return SortChildren(hwnd, state, reinterpret_cast<win::HTREEITEM>(lParam), wParam != 0, nullptr);
    case win::TVM_SORTCHILDRENCB: {
        const auto* sort = reinterpret_cast<const win::TVSORTCB*>(lParam);
        return sort ? SortChildren(hwnd, state, sort->hParent, wParam != 0, sort) : win::FALSE;
    }
    case win::TVM_SETITEMHEIGHT: {
        const int old = ItemHeight(hwnd, state);
        state.itemHeight = int(static_cast<short>(wParam)) > 0 ? int(static_cast<short>(wParam)) : 0;
        Changed(hwnd, state);
        return old;
    }
    case win::TVM_GETITEMHEIGHT:
        return ItemHeight(hwnd, state);
    case win::TVM_SETBKCOLOR:
    case win::TVM_SETTEXTCOLOR: {
        win::COLORREF& slot = message == win::TVM_SETBKCOLOR ? state.background : state.textColor;
        const win::COLORREF old = slot;
        slot = win::COLORREF(lParam);
        Changed(hwnd, state);
        return old;
    }
    case win::TVM_GETBKCOLOR:
        return state.background;
    case win::TVM_GETTEXTCOLOR:
        return state.textColor;
    default:
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

win::LRESULT TreeProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    TreeState* state = LiveState<TreeState>(hwnd, message);
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    if (message >= win::TV_FIRST && message <= win::TVM_GETTEXTCOLOR) {
        return TreeMessage(hwnd, *state, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_CREATE:
        UpdateScrollBar(hwnd, *state);
        return 0;
    case win::WM_DESTROY:
        state->redraw = false;
        Delete(hwnd, *state, win::TVI_ROOT);
        break;
    case win::WM_PAINT:
        Paint(hwnd);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_SIZE:
        Changed(hwnd, *state);
        break;
    case win::WM_SETREDRAW:
        state->redraw = wParam != 0;
        if (state->redraw) {
            Changed(hwnd, *state);
        }
        return 0;
    case win::WM_SETFONT:
        state->font = reinterpret_cast<win::HFONT>(wParam);
        UpdateScrollBar(hwnd, *state);
        if (lParam) {
            win::InvalidateRect(hwnd, nullptr, true);
        }
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_GETDLGCODE:
        return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        state->focused = message == win::WM_SETFOCUS;
        win::InvalidateRect(hwnd, nullptr, true);
        return 0;
    case win::WM_KEYDOWN:
        KeyDown(hwnd, *state, wParam);
        return 0;
    case win::WM_CHAR:
        Character(hwnd, *state, char(wParam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        MouseDown(hwnd, *state, lParam, message == win::WM_LBUTTONDBLCLK);
        return 0;
    case win::WM_RBUTTONDOWN:
        RightClick(hwnd, lParam);
        return 0;
    case win::WM_MOUSEWHEEL:
        Wheel(hwnd, *state, wParam);
        return 0;
    case win::WM_VSCROLL:
        Scroll(hwnd, *state, wParam);
        return 0;
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace treeview

void RegisterTreeViewClass()
{
    RegisterStandardClass(win::WC_TREEVIEW, &treeview::TreeProc);
}

}  // namespace win::detail
