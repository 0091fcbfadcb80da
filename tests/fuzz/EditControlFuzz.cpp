// Applies message and key sequences read from the input to a single-line and a multi-line EDIT window:
// typing, caret and selection keys with Shift and Ctrl, the mouse, the clipboard, undo, the EM_ messages
// with any arguments, the window's own scroll bars, fonts, margins and painting. After every step the
// selection lies inside the text, and nothing the user does makes the text longer than the limit (text
// set from code may be).
#include "platform/gdi/GdiObjects.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/WindowFuzz.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using fuzz::Check;
using fuzz::SetModifiers;

class Input : public fuzz::ByteReader {
public:
    using ByteReader::ByteReader;
    std::string Text()
    {
        const std::size_t length = Byte() % 12;
        std::string text;
        for (std::size_t i = 0; i < length && More(); ++i) {
            text += char(Byte());
        }
        return text;
    }
};

// Ctrl+Z: undoing gives back what was there before, whatever the limit is now.
constexpr std::uint8_t kUndoChar = 0x1A;

constexpr std::array<win::UINT, 10> kKeys = {win::VK_LEFT, win::VK_RIGHT, win::VK_UP,     win::VK_DOWN,   win::VK_HOME,
                                             win::VK_END,  win::VK_PRIOR, win::VK_NEXT, win::VK_DELETE, win::VK_INSERT};

win::LPARAM Point(Input& in)
{
    return win::MAKELPARAM(win::WORD(int(in.Byte()) - 20), win::WORD(int(in.Byte() % 80) - 10));
}

// One step; answers whether it was the user's doing (which the limit binds).
bool Step(win::HWND edit, Input& in)
{
    const std::uint8_t op = in.Byte();
    switch (op % 16) {
    case 0: {
        const std::uint8_t ch = in.Byte();
        win::SendMessage(edit, win::WM_CHAR, ch, 0);
        return ch != kUndoChar;
    }
    case 1:
        SetModifiers(in.Byte());
        win::SendMessage(edit, win::WM_KEYDOWN, kKeys[in.Byte() % kKeys.size()], 0);
        SetModifiers(0);
        return true;
    case 2:
        win::SendMessage(edit, win::EM_SETSEL, win::WPARAM(std::int8_t(in.Byte())), win::LPARAM(std::int8_t(in.Byte())));
        return false;
    case 3: {
        const std::string text = in.Text();
        win::SendMessage(edit, win::EM_REPLACESEL, in.Byte() & 1, reinterpret_cast<win::LPARAM>(text.c_str()));
        return true;
    }
    case 4: {
        const std::string text = in.Text();
        win::SendMessage(edit, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
        return false;
    }
    case 5:
        win::SendMessage(edit, win::EM_LIMITTEXT, in.Byte() % 24, 0);
        return false;
    case 6:
        win::SendMessage(edit, (op & 0x10) ? win::WM_UNDO : win::EM_EMPTYUNDOBUFFER, 0, 0);
        return false;  // undo restores what was there, whatever the limit is now
    case 7:
        win::SendMessage(edit, win::WM_CUT + (in.Byte() % 4), 0, 0);
        return true;
    case 8: {
        static constexpr win::UINT mouse[] = {win::WM_LBUTTONDOWN, win::WM_MOUSEMOVE, win::WM_LBUTTONUP,
                                              win::WM_LBUTTONDBLCLK};
        win::SendMessage(edit, mouse[in.Byte() % 4], in.Byte() & win::MK_SHIFT, Point(in));
        return false;
    }
    case 9:
        if (op & 0x10) {
            win::SendMessage(edit, win::EM_SETMARGINS, in.Byte() % 4, win::MAKELPARAM(in.Byte() * 257, in.Byte() * 3));
        } else {
            const win::RECT rect{int(in.Byte()) - 10, int(in.Byte()) - 10, int(in.Byte()), int(in.Byte() % 60)};
            win::SendMessage(edit, win::EM_SETRECT, 0, (op & 0x20) ? 0 : reinterpret_cast<win::LPARAM>(&rect));
        }
        return false;
    case 10: {
        static constexpr win::UINT queries[] = {win::EM_LINESCROLL,  win::EM_SCROLLCARET, win::EM_POSFROMCHAR,
                                                win::EM_LINEINDEX,   win::EM_LINELENGTH,  win::EM_LINEFROMCHAR,
                                                win::EM_GETFIRSTVISIBLELINE, win::EM_GETLINECOUNT, win::WM_VSCROLL,
                                                win::WM_HSCROLL};
        const win::UINT query = queries[in.Byte() % 10];
        // Scroll-bar codes and thumb positions in the two halves of wParam.
        const win::WPARAM wParam = query == win::WM_VSCROLL || query == win::WM_HSCROLL
                                       ? win::MAKEWPARAM(in.Byte() % 10, in.Byte() * 3)
                                       : win::WPARAM(std::int8_t(in.Byte()));
        win::SendMessage(edit, query, wParam, win::LPARAM(std::int8_t(in.Byte())));
        return false;
    }
    case 11: {
        char buffer[16] = {};
        const win::WORD capacity = in.Byte() % 8;
        buffer[0] = char(capacity);
        win::SendMessage(edit, win::EM_GETLINE, in.Byte() % 8, reinterpret_cast<win::LPARAM>(buffer));
        win::SendMessage(edit, win::WM_GETTEXT, in.Byte() % 8, reinterpret_cast<win::LPARAM>(buffer + 8));
        win::SendMessage(edit, win::EM_CHARFROMPOS, 0, Point(in));
        return false;
    }
    case 12: {
        static constexpr int fonts[] = {win::SYSTEM_FONT, win::ANSI_VAR_FONT, win::ANSI_FIXED_FONT, win::DEFAULT_GUI_FONT};
        win::SendMessage(edit, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(win::GetStockObject(fonts[in.Byte() % 4])), 1);
        return false;
    }
    case 13:
        if (op & 0x10) {
            win::SendMessage(edit, win::EM_SETPASSWORDCHAR, (op & 0x20) ? '*' : 0, 0);
        } else {
            win::SendMessage(edit, win::EM_SETREADONLY, op & 0x20, 0);
        }
        return false;
    case 14:
        win::InvalidateRect(edit, nullptr, true);
        win::UpdateWindow(edit);
        win::SendMessage(edit, (op & 0x10) ? win::WM_SETFOCUS : win::WM_KILLFOCUS, 0, 0);
        return false;
    default: {
        const std::uint8_t lead = in.Byte();
        const std::uint8_t trail = in.Byte();
        win::SendMessage(edit, win::WM_IME_CHAR, win::WPARAM(lead) << 8 | trail, 0);
        return lead != kUndoChar && trail != kUndoChar;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const win::HWND frame = fuzz::MakeFrame();
    Input in(data, size);
    const std::uint8_t shape = in.Byte();
    const win::DWORD multiLine = (shape & 1) ? win::ES_MULTILINE | win::ES_WANTRETURN : 0;
    const win::DWORD bars = (shape & 2) ? win::WS_VSCROLL | win::WS_HSCROLL : 0;
    const win::DWORD vertical = (shape & 4) ? 0 : win::ES_AUTOVSCROLL;
    const win::DWORD styles =
        multiLine | bars | vertical | (in.Byte() % 3) | (in.Byte() & (win::ES_AUTOHSCROLL | win::ES_UPPERCASE));
    const win::HWND edit = win::CreateWindowEx(0, "EDIT", "start", win::WS_CHILD | win::WS_VISIBLE | styles, 5, 5, 120,
                                               60, frame, nullptr, nullptr, nullptr);
    Check(edit != nullptr);
    win::SetFocus(edit);
    while (in.More()) {
        const auto before = std::size_t(win::GetWindowTextLength(edit));
        const bool byUser = Step(edit, in);
        const auto length = std::size_t(win::GetWindowTextLength(edit));
        const auto limit = std::size_t(win::SendMessage(edit, win::EM_GETLIMITTEXT, 0, 0));
        win::DWORD start = 0;
        win::DWORD end = 0;
        win::SendMessage(edit, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
        Check(start <= end && end <= length);
        Check(!byUser || length <= std::max(before, limit));
    }
    win::DestroyWindow(frame);
    return 0;
}
