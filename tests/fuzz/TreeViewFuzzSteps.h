#pragma once
// The tree view part of the list control fuzz target: message sequences from the input applied to a tree
// view window of any style, naming items by handles it gave (deleted ones among them) and by made-up
// ones. After every step the caret and the first visible item are items of the tree, and walking the
// tree finds exactly as many items as it counts.

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/wintypes/TreeViewMessages.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace treefuzz {

class Reader : public fuzz::ByteReader {
public:
    using ByteReader::ByteReader;
    std::string Text()
    {
        const std::size_t length = Byte() % 6;
        std::string text;
        for (std::size_t i = 0; i < length && More(); ++i) {
            text += char('a' + Byte() % 5);
        }
        return text;
    }
};

using fuzz::Check;

class Session {
public:
    Session(win::HWND tree, Reader& in) : tree_(tree), in_(in) {}

    void Step()
    {
        const std::uint8_t op = in_.Byte();
        switch (op % 12) {
        case 0:
        case 1:
            Insert(op);
            break;
        case 2:
            Send(win::TVM_DELETEITEM, 0, Item(true));
            break;
        case 3: {
            static constexpr win::UINT actions[] = {win::TVE_EXPAND, win::TVE_COLLAPSE, win::TVE_TOGGLE,
                                                    win::TVE_COLLAPSE | win::TVE_COLLAPSERESET, 0};
            Send(win::TVM_EXPAND, actions[in_.Byte() % 5], Item(false));
            break;
        }
        case 4: {
            static constexpr win::UINT codes[] = {win::TVGN_CARET, win::TVGN_FIRSTVISIBLE, win::TVGN_DROPHILITE, 0x77};
            Send(win::TVM_SELECTITEM, codes[in_.Byte() % 4], Item(true));
            break;
        }
        case 5:
            Query();
            break;
        case 6:
            SetItem();
            break;
        case 7: {
            static constexpr win::UINT keys[] = {win::VK_UP,   win::VK_DOWN,     win::VK_LEFT,     win::VK_RIGHT,
                                                 win::VK_HOME, win::VK_END,      win::VK_PRIOR,    win::VK_NEXT,
                                                 win::VK_ADD,  win::VK_SUBTRACT, win::VK_MULTIPLY, win::VK_RETURN};
            Send(win::WM_KEYDOWN, keys[in_.Byte() % 12], 0);
            break;
        }
        case 8: {
            static constexpr win::UINT mouse[] = {win::WM_LBUTTONDOWN, win::WM_LBUTTONDBLCLK, win::WM_RBUTTONDOWN, win::WM_CHAR};
            const win::UINT message = mouse[in_.Byte() % 4];
            Send(message, message == win::WM_CHAR ? win::WPARAM("+-*a"[in_.Byte() % 4]) : 0, Point());
            break;
        }
        case 9: {
            const win::UINT message = (op & 0x10) ? win::WM_MOUSEWHEEL : win::WM_VSCROLL;
            Send(message, message == win::WM_MOUSEWHEEL ? win::MAKEWPARAM(0, win::WORD(int(std::int8_t(in_.Byte())) * 40))
                                                        : win::MAKEWPARAM(in_.Byte() % 9, in_.Byte()),
                 0);
            break;
        }
        case 10:
            if (op & 0x20) {
                Sort(op);
            } else {
                Send((op & 0x10) ? win::TVM_SETITEMHEIGHT : win::TVM_SETINDENT, win::WPARAM(int(in_.Byte()) - 20), 0);
            }
            break;
        default:
            win::InvalidateRect(tree_, nullptr, true);
            win::UpdateWindow(tree_);
            Send((op & 0x10) ? win::WM_SETFOCUS : win::WM_KILLFOCUS, 0, 0);
            break;
        }
    }

    void CheckConsistent()
    {
        const auto caret = Get(win::TVGN_CARET, nullptr);
        Check(!caret || Exists(caret));
        const auto first = Get(win::TVGN_FIRSTVISIBLE, nullptr);
        Check(!first || Exists(first));
        Check(Walk(nullptr, 0) == int(Send(win::TVM_GETCOUNT, 0, 0)));
    }

private:
    win::LRESULT Send(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
    {
        return win::SendMessage(tree_, message, wParam, lParam);
    }
    win::HTREEITEM Get(win::UINT code, win::HTREEITEM item)
    {
        return reinterpret_cast<win::HTREEITEM>(Send(win::TVM_GETNEXTITEM, code, reinterpret_cast<win::LPARAM>(item)));
    }
    bool Exists(win::HTREEITEM item)
    {
        win::TVITEM data;
        data.mask = win::TVIF_HANDLE;
        data.hItem = item;
        return Send(win::TVM_GETITEM, 0, reinterpret_cast<win::LPARAM>(&data)) != 0;
    }
    int Walk(win::HTREEITEM parent, int depth)
    {
        Check(depth < 10000);
        int count = 0;
        for (auto child = Get(win::TVGN_CHILD, parent ? parent : win::TVI_ROOT); child; child = Get(win::TVGN_NEXT, child)) {
            Check(Get(win::TVGN_PARENT, child) == parent);
            count += 1 + Walk(child, depth + 1);
        }
        return count;
    }
    // A handle the tree gave (perhaps deleted since), a made-up one, or (when allowed) none.
    win::LPARAM Item(bool mayBeNull)
    {
        const std::uint8_t pick = in_.Byte();
        if (pick == 0xFF || handles_.empty()) {
            return mayBeNull && (pick & 1) ? 0 : win::LPARAM(0x5A5A) + pick;
        }
        return reinterpret_cast<win::LPARAM>(handles_[pick % handles_.size()]);
    }
    win::LPARAM Point() { return win::MAKELPARAM(win::WORD(int(in_.Byte()) - 20), win::WORD(int(in_.Byte()) - 20)); }

    void Insert(std::uint8_t op)
    {
        win::TVINSERTSTRUCT insert;
        const std::string text = in_.Text();
        insert.hParent = (op & 0x10) ? reinterpret_cast<win::HTREEITEM>(Item(true)) : win::TVI_ROOT;
        static const win::HTREEITEM places[] = {win::TVI_FIRST, win::TVI_LAST, win::TVI_SORT, nullptr};
        const std::uint8_t place = in_.Byte();
        insert.hInsertAfter = place % 5 == 4 ? reinterpret_cast<win::HTREEITEM>(Item(true)) : places[place % 5];
        insert.item.mask = win::UINT(in_.Byte()) & 0x7F;
        insert.item.pszText = const_cast<char*>(text.c_str());
        insert.item.state = in_.Byte();
        insert.item.stateMask = 0xFF;
        insert.item.iImage = int(in_.Byte() % 4) - 1;
        insert.item.lParam = in_.Byte();
        insert.item.cChildren = int(in_.Byte() % 3) - 1;
        const auto item = reinterpret_cast<win::HTREEITEM>(Send(win::TVM_INSERTITEM, 0, reinterpret_cast<win::LPARAM>(&insert)));
        if (item) {
            handles_.push_back(item);
        }
    }
    // By text, or by the items' values (a comparison that is not a strict order is allowed too).
    void Sort(std::uint8_t op)
    {
        const win::LPARAM parent = (op & 0x40) ? Item(true) : 0;
        if (op & 0x10) {
            Send(win::TVM_SORTCHILDREN, in_.Byte() & 1, parent);
            return;
        }
        win::TVSORTCB sort;
        sort.hParent = reinterpret_cast<win::HTREEITEM>(parent);
        sort.lpfnCompare = [](win::LPARAM a, win::LPARAM b, win::LPARAM how) {
            return how ? int(a % 3) - int(b % 5) : int(a < b) - int(a > b);
        };
        sort.lParam = in_.Byte() & 1;
        Send(win::TVM_SORTCHILDRENCB, in_.Byte() & 1, reinterpret_cast<win::LPARAM>(&sort));
    }
    void Query()
    {
        const auto item = reinterpret_cast<win::HTREEITEM>(Item(true));
        Get(in_.Byte() % 12, item);
        win::RECT rect{};
        *reinterpret_cast<win::HTREEITEM*>(&rect) = item;
        Send(win::TVM_GETITEMRECT, in_.Byte() & 1, reinterpret_cast<win::LPARAM>(&rect));
        win::TVHITTESTINFO hit;
        hit.pt = {int(in_.Byte()) - 20, int(in_.Byte()) - 20};
        Send(win::TVM_HITTEST, 0, reinterpret_cast<win::LPARAM>(&hit));
        Check(!hit.hItem || Exists(hit.hItem));
        Send(win::TVM_ENSUREVISIBLE, 0, reinterpret_cast<win::LPARAM>(item));
        char buffer[8] = {};
        win::TVITEM data;
        data.mask = win::TVIF_TEXT | win::TVIF_STATE | win::TVIF_CHILDREN;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = int(in_.Byte() % 9);
        data.stateMask = ~0u;
        Send(win::TVM_GETITEM, 0, reinterpret_cast<win::LPARAM>(&data));
        Check(buffer[sizeof(buffer) - 1] == '\0');
    }
    void SetItem()
    {
        const std::string text = in_.Text();
        win::TVITEM data;
        data.mask = win::UINT(in_.Byte()) & 0x7F;
        data.hItem = reinterpret_cast<win::HTREEITEM>(Item(false));
        data.pszText = const_cast<char*>(text.c_str());
        data.state = in_.Byte();
        data.stateMask = in_.Byte();
        data.iImage = int(in_.Byte() % 4) - 1;
        data.cChildren = int(in_.Byte() % 3) - 1;
        Send(win::TVM_SETITEM, 0, reinterpret_cast<win::LPARAM>(&data));
    }

    win::HWND tree_;
    Reader& in_;
    std::vector<win::HTREEITEM> handles_;
};

// Runs one input on a tree view inside `frame`.
inline void Run(win::HWND frame, const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    const std::uint8_t shape = in.Byte();
    const win::DWORD styles =
            (win::DWORD(shape) & (win::TVS_HASBUTTONS | win::TVS_HASLINES | win::TVS_LINESATROOT | win::TVS_SHOWSELALWAYS)) |
            ((shape & 0x40) ? win::TVS_SINGLEEXPAND : 0);
    const win::HWND tree = win::CreateWindowEx(0, win::WC_TREEVIEW, "", win::WS_CHILD | win::WS_VISIBLE | styles, 5, 5, 150, 90,
                                               frame, nullptr, nullptr, nullptr);
    Check(tree != nullptr);
    win::SetFocus(tree);
    Session session(tree, in);
    while (in.More()) {
        session.Step();
        session.CheckConsistent();
    }
    win::DestroyWindow(tree);
}

}  // namespace treefuzz
