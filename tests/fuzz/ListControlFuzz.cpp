// Applies message sequences read from the input to a LISTBOX window of any selection and drawing style:
// items added, inserted, deleted and reset, the LB_ messages with any arguments, keys with Shift and Ctrl,
// typed letters, the mouse, the wheel, scroll-bar messages, item heights and painting. After every step
// the selection, the caret, the anchor and the top item lie inside the item count.
//
// Inputs whose first byte has its bit 0x80 set and 0x10 clear go to a tree view instead (TreeViewFuzzSteps.h).
// Or (the first byte's bits 0x80 and 0x10 both set) to a COMBOBOX of any style: the CB_ messages with any arguments, the keys
// that drop, close and move, typing in the field, the mouse on the box and on its dropped list, a lost
// capture, and a new font. After every step the selection lies inside the item count, and the list is
// shown, and holds the capture, exactly while the box says it is dropped.
#include "platform/gdi/GdiObjects.h"
#include "platform/win/ComboBoxInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/TreeViewFuzzSteps.h"
#include "tests/fuzz/WindowFuzz.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using fuzz::Check;
using fuzz::SetModifiers;

class Input : public fuzz::ByteReader {
public:
    using ByteReader::ByteReader;
    std::string Text()
    {
        const std::size_t length = Byte() % 8;
        std::string text;
        for (std::size_t i = 0; i < length && More(); ++i) {
            text += char('a' + Byte() % 6);
        }
        return text;
    }
    // An index near the items: from -2 to a few past the end.
    int Index() { return int(Byte() % 24) - 2; }
};

constexpr std::array<win::UINT, 11> kKeys = {win::VK_LEFT, win::VK_RIGHT, win::VK_UP,    win::VK_DOWN,
                                             win::VK_HOME, win::VK_END,   win::VK_PRIOR, win::VK_NEXT,
                                             win::VK_SPACE, win::VK_RETURN, win::VK_DELETE};

win::LPARAM Point(Input& in)
{
    return win::MAKELPARAM(win::WORD(int(in.Byte()) - 20), win::WORD(int(in.Byte()) - 40));
}

void ListStep(win::HWND list, Input& in)
{
    const std::uint8_t op = in.Byte();
    switch (op % 12) {
    case 0:
    case 1: {
        const std::string text = in.Text();
        win::SendMessage(list, (op & 0x10) ? win::LB_INSERTSTRING : win::LB_ADDSTRING, win::WPARAM(in.Index()),
                         reinterpret_cast<win::LPARAM>(text.c_str()));
        break;
    }
    case 2:
        win::SendMessage(list, (op & 0x10) ? win::LB_RESETCONTENT : win::LB_DELETESTRING, win::WPARAM(in.Index()), 0);
        break;
    case 3: {
        static constexpr win::UINT selections[] = {win::LB_SETCURSEL,    win::LB_SETSEL,        win::LB_SELITEMRANGE,
                                                   win::LB_SELITEMRANGEEX, win::LB_SETTOPINDEX, win::LB_SETCARETINDEX,
                                                   win::LB_SETANCHORINDEX, win::LB_SETITEMDATA};
        const win::UINT message = selections[in.Byte() % 8];
        const int a = in.Index();
        const int b = in.Index();
        win::SendMessage(list, message, win::WPARAM(a), message == win::LB_SELITEMRANGE ? win::MAKELPARAM(win::WORD(a), win::WORD(b)) : b);
        break;
    }
    case 4: {
        static constexpr win::UINT queries[] = {win::LB_GETTEXTLEN, win::LB_GETSEL,  win::LB_GETITEMDATA, win::LB_GETITEMHEIGHT,
                                                win::LB_GETCURSEL,  win::LB_GETSELCOUNT, win::LB_ITEMFROMPOINT, win::LB_GETCARETINDEX};
        const win::UINT message = queries[in.Byte() % 8];
        win::SendMessage(list, message, win::WPARAM(in.Index()), message == win::LB_ITEMFROMPOINT ? Point(in) : 0);
        // Texts are read as the wrappers do: the length first.
        const int index = in.Index();
        const win::LRESULT length = win::SendMessage(list, win::LB_GETTEXTLEN, win::WPARAM(index), 0);
        std::vector<char> buffer(std::size_t(std::max<win::LRESULT>(length, 0)) + 1);
        win::SendMessage(list, win::LB_GETTEXT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(buffer.data()));
        win::RECT rect{};
        win::SendMessage(list, win::LB_GETITEMRECT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(&rect));
        int items[4] = {};
        win::SendMessage(list, win::LB_GETSELITEMS, in.Byte() % 5, reinterpret_cast<win::LPARAM>(items));
        break;
    }
    case 5: {
        const std::string text = in.Text();
        static constexpr win::UINT finds[] = {win::LB_FINDSTRING, win::LB_FINDSTRINGEXACT, win::LB_SELECTSTRING};
        win::SendMessage(list, finds[in.Byte() % 3], win::WPARAM(in.Index()), reinterpret_cast<win::LPARAM>(text.c_str()));
        break;
    }
    case 6:
        SetModifiers(in.Byte());
        win::SendMessage(list, win::WM_KEYDOWN, kKeys[in.Byte() % kKeys.size()], 0);
        SetModifiers(0);
        break;
    case 7:
        win::SendMessage(list, win::WM_CHAR, 'a' + in.Byte() % 8, 0);
        break;
    case 8: {
        static constexpr win::UINT mouse[] = {win::WM_LBUTTONDOWN, win::WM_MOUSEMOVE, win::WM_LBUTTONUP, win::WM_LBUTTONDBLCLK};
        const std::uint8_t keys = in.Byte();
        win::SendMessage(list, mouse[keys % 4], ((keys & 0x10) ? win::MK_SHIFT : 0) | ((keys & 0x20) ? win::MK_CONTROL : 0), Point(in));
        break;
    }
    case 9: {
        static constexpr win::UINT scrolls[] = {win::WM_VSCROLL, win::WM_HSCROLL, win::WM_MOUSEWHEEL};
        const win::UINT message = scrolls[in.Byte() % 3];
        const win::WPARAM wParam = message == win::WM_MOUSEWHEEL ? win::MAKEWPARAM(0, win::WORD(int(std::int8_t(in.Byte())) * 40))
                                                                : win::MAKEWPARAM(in.Byte() % 10, in.Byte());
        win::SendMessage(list, message, wParam, 0);
        break;
    }
    case 10:
        win::SendMessage(list, (op & 0x10) ? win::LB_SETITEMHEIGHT : win::LB_SETHORIZONTALEXTENT, win::WPARAM(in.Index()),
                         in.Byte() * 2 - 20);
        win::SendMessage(list, win::LB_SETCOLUMNWIDTH, in.Byte(), 0);
        break;
    default:
        win::InvalidateRect(list, nullptr, true);
        win::UpdateWindow(list);
        win::SendMessage(list, (op & 0x10) ? win::WM_SETFOCUS : win::WM_KILLFOCUS, 0, 0);
        break;
    }
}


constexpr std::array<win::UINT, 12> kComboKeys = {win::VK_F4,   win::VK_UP,    win::VK_DOWN,   win::VK_LEFT,
                                                  win::VK_RIGHT, win::VK_HOME, win::VK_END,    win::VK_PRIOR,
                                                  win::VK_NEXT,  win::VK_RETURN, win::VK_ESCAPE, win::VK_TAB};

void ComboStep(win::HWND combo, const win::COMBOBOXINFO& parts, Input& in)
{
    const std::uint8_t op = in.Byte();
    switch (op % 12) {
    case 0:
    case 1: {
        const std::string text = in.Text();
        win::SendMessage(combo, (op & 0x10) ? win::CB_INSERTSTRING : win::CB_ADDSTRING, win::WPARAM(in.Index()),
                         reinterpret_cast<win::LPARAM>(text.c_str()));
        break;
    }
    case 2:
        win::SendMessage(combo, (op & 0x10) ? win::CB_RESETCONTENT : win::CB_DELETESTRING, win::WPARAM(in.Index()), 0);
        break;
    case 3: {
        static constexpr win::UINT settings[] = {win::CB_SETCURSEL,      win::CB_SETTOPINDEX,  win::CB_SETITEMDATA,
                                                 win::CB_SETITEMHEIGHT,   win::CB_SETMINVISIBLE, win::CB_SETDROPPEDWIDTH,
                                                 win::CB_SETEXTENDEDUI,   win::CB_SHOWDROPDOWN,  win::CB_LIMITTEXT,
                                                 win::CB_SETEDITSEL};
        const win::UINT message = settings[in.Byte() % 10];
        const int a = in.Index();
        const int b = int(in.Byte()) * 2 - 20;
        win::SendMessage(combo, message, win::WPARAM(a), message == win::CB_SETEDITSEL ? win::MAKELPARAM(win::WORD(a), win::WORD(b)) : b);
        break;
    }
    case 4: {
        const std::string text = in.Text();
        static constexpr win::UINT finds[] = {win::CB_FINDSTRING, win::CB_FINDSTRINGEXACT, win::CB_SELECTSTRING};
        win::SendMessage(combo, finds[in.Byte() % 3], win::WPARAM(in.Index()), reinterpret_cast<win::LPARAM>(text.c_str()));
        // Texts are read as the wrappers do: the length first.
        const int index = in.Index();
        const win::LRESULT length = win::SendMessage(combo, win::CB_GETLBTEXTLEN, win::WPARAM(index), 0);
        std::vector<char> buffer(std::size_t(std::max<win::LRESULT>(length, 0)) + 1);
        win::SendMessage(combo, win::CB_GETLBTEXT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(buffer.data()));
        char field[8];
        win::SendMessage(combo, win::WM_GETTEXT, sizeof(field), reinterpret_cast<win::LPARAM>(field));
        win::RECT rect{};
        win::SendMessage(combo, win::CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<win::LPARAM>(&rect));
        break;
    }
    case 5: {
        const std::uint8_t key = in.Byte();
        const win::HWND target = parts.hwndItem ? parts.hwndItem : combo;
        win::SendMessage(target, (key & 0x80) ? win::WM_SYSKEYDOWN : win::WM_KEYDOWN, kComboKeys[key % kComboKeys.size()], 0);
        break;
    }
    case 6:
        win::SendMessage(parts.hwndItem ? parts.hwndItem : combo, win::WM_CHAR, 'a' + in.Byte() % 8, 0);
        break;
    case 7: {
        const std::string text = in.Text();
        win::SendMessage(combo, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
        break;
    }
    case 8: {
        static constexpr win::UINT mouse[] = {win::WM_LBUTTONDOWN, win::WM_MOUSEMOVE, win::WM_LBUTTONUP, win::WM_LBUTTONDBLCLK};
        const std::uint8_t which = in.Byte();
        win::SendMessage((which & 0x10) ? parts.hwndList : combo, mouse[which % 4], 0, Point(in));
        break;
    }
    case 9:
        win::SendMessage(parts.hwndList, win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, win::WORD(int(std::int8_t(in.Byte())) * 40)), 0);
        break;
    case 10:
        if (op & 0x10) {
            win::ReleaseCapture();
        } else {
            win::SendMessage(combo, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(win::GetStockObject(
                                                             (op & 0x20) ? win::SYSTEM_FONT : win::DEFAULT_GUI_FONT)),
                             1);
        }
        break;
    default:
        win::InvalidateRect(combo, nullptr, true);
        win::UpdateWindow(combo);
        win::SetFocus((op & 0x10) ? combo : win::GetParent(combo));
        break;
    }
}

void RunCombo(win::HWND frame, std::uint8_t shape, Input& in)
{
    static constexpr win::DWORD kinds[] = {win::CBS_DROPDOWN, win::CBS_DROPDOWNLIST, win::CBS_SIMPLE, win::CBS_DROPDOWNLIST};
    static constexpr win::DWORD drawing[] = {0, win::CBS_OWNERDRAWFIXED | win::CBS_HASSTRINGS, win::CBS_OWNERDRAWVARIABLE, 0};
    const win::DWORD styles = kinds[shape % 4] | drawing[(shape >> 2) % 4] | ((shape & 0x20) ? win::CBS_SORT : 0) |
                              ((shape & 0x40) ? win::CBS_AUTOHSCROLL | win::CBS_UPPERCASE : 0);
    const win::HWND combo = win::CreateWindowEx(0, "COMBOBOX", "", win::WS_CHILD | win::WS_VISIBLE | styles, 5, 5, 150, 120,
                                                frame, nullptr, nullptr, nullptr);
    Check(combo != nullptr);
    win::COMBOBOXINFO parts;
    Check(win::GetComboBoxInfo(combo, &parts) != win::FALSE);
    const bool simple = (styles & 0x3) == win::CBS_SIMPLE;
    win::SetFocus(combo);
    while (in.More()) {
        ComboStep(combo, parts, in);
        const int count = int(win::SendMessage(combo, win::CB_GETCOUNT, 0, 0));
        const int current = int(win::SendMessage(combo, win::CB_GETCURSEL, 0, 0));
        Check(current >= -1 && current < count);
        const bool dropped = win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0) != 0;
        Check(!simple || !dropped);
        if (!simple) {
            Check(dropped == (win::IsWindowVisible(parts.hwndList) != win::FALSE));
            Check(dropped == (win::GetCapture() == parts.hwndList));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const win::HWND frame = fuzz::MakeFrame();
    Input in(data, size);
    const std::uint8_t shape = in.Byte();
    if ((shape & 0x90) == 0x90) {
        RunCombo(frame, shape, in);
        win::DestroyWindow(frame);
        return 0;
    }
    if (shape & 0x80) {
        treefuzz::Run(frame, data, size);
        win::DestroyWindow(frame);
        return 0;
    }
    static constexpr win::DWORD selections[] = {0, win::LBS_MULTIPLESEL, win::LBS_EXTENDEDSEL, 0};
    static constexpr win::DWORD drawing[] = {0, win::LBS_OWNERDRAWFIXED | win::LBS_HASSTRINGS, win::LBS_OWNERDRAWVARIABLE, 0};
    const win::DWORD styles = selections[shape % 4] | drawing[(shape >> 2) % 4] | ((shape & 0x10) ? win::LBS_SORT : 0) |
                              ((shape & 0x20) ? win::LBS_MULTICOLUMN | win::WS_HSCROLL : win::WS_VSCROLL) |
                              ((shape & 0x40) ? win::LBS_DISABLENOSCROLL : 0) | win::LBS_NOTIFY;
    const win::HWND list = win::CreateWindowEx(0, "LISTBOX", "", win::WS_CHILD | win::WS_VISIBLE | styles, 5, 5, 150, 90, frame,
                                               nullptr, nullptr, nullptr);
    Check(list != nullptr);
    win::SetFocus(list);
    while (in.More()) {
        ListStep(list, in);
        const int count = int(win::SendMessage(list, win::LB_GETCOUNT, 0, 0));
        const int current = int(win::SendMessage(list, win::LB_GETCURSEL, 0, 0));
        const int caret = int(win::SendMessage(list, win::LB_GETCARETINDEX, 0, 0));
        const int anchor = int(win::SendMessage(list, win::LB_GETANCHORINDEX, 0, 0));
        const int top = int(win::SendMessage(list, win::LB_GETTOPINDEX, 0, 0));
        Check(current >= -1 && current < count);
        Check(caret >= 0 && caret <= std::max(count - 1, 0));
        Check(anchor >= 0 && anchor <= std::max(count - 1, 0));
        Check(top >= 0 && top <= std::max(count - 1, 0));
        const int selected = int(win::SendMessage(list, win::LB_GETSELCOUNT, 0, 0));
        Check(selected <= count);
    }
    win::DestroyWindow(frame);
    return 0;
}
