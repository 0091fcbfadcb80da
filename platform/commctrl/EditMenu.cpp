#include "platform/commctrl/detail/EditMenu.h"

#include "platform/win/Caret.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Messages.h"

namespace win::detail {

namespace {

// The choices are the messages that carry them out; Select All has one of its own.
constexpr win::UINT SelectAllCommand = win::EM_SETSEL;

struct Entry {
    const char* caption;
    win::UINT command;  // 0: a separator
};

constexpr Entry kEntries[] = {{"&Undo", win::WM_UNDO},     {nullptr, 0},          {"Cu&t", win::WM_CUT},
                              {"&Copy", win::WM_COPY},     {"&Paste", win::WM_PASTE}, {"&Delete", win::WM_CLEAR},
                              {nullptr, 0},                {"Select &All", SelectAllCommand}};

bool Enabled(win::HWND edit, win::UINT command)
{
    const auto style = win::DWORD(win::GetWindowLongPtr(edit, win::GWL_STYLE));
    const bool readOnly = (style & win::ES_READONLY) != 0;
    const bool password = (style & win::ES_PASSWORD) != 0;
    win::DWORD start = 0;
    win::DWORD end = 0;
    win::SendMessage(edit, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    const bool selected = start != end;
    switch (command) {
    case win::WM_UNDO: return !readOnly && win::SendMessage(edit, win::EM_CANUNDO, 0, 0) != 0;
    case win::WM_CUT: return selected && !readOnly && !password;
    case win::WM_COPY: return selected && !password;
    case win::WM_PASTE: return !readOnly && win::IsClipboardFormatAvailable(win::CF_TEXT);
    case win::WM_CLEAR: return selected && !readOnly;
    default: {
        const auto length = win::DWORD(win::GetWindowTextLength(edit));
        return length > 0 && (start != 0 || end != length);
    }
    }
}

win::POINT AtCaret(win::HWND edit)
{
    win::POINT caret{0, 0};
    if (!win::GetCaretPos(&caret)) {
        caret = {0, 0};
    }
    win::ClientToScreen(edit, &caret);
    return caret;
}

}  // namespace

void ShowEditContextMenu(win::HWND edit, win::POINT screenPos)
{
    if (win::GetFocus() != edit) {
        win::SetFocus(edit);
    }
    win::HMENU menu = win::CreatePopupMenu();
    for (const Entry& entry : kEntries) {
        if (!entry.caption) {
            win::AppendMenu(menu, win::MF_SEPARATOR, 0, nullptr);
        } else {
            win::AppendMenu(menu, Enabled(edit, entry.command) ? win::MF_ENABLED : win::MF_GRAYED, entry.command,
                            entry.caption);
        }
    }
    if (screenPos.x == -1 && screenPos.y == -1) {
        screenPos = AtCaret(edit);
    }
    const auto chosen = win::UINT(win::TrackPopupMenuEx(
        menu, win::TPM_RETURNCMD | win::TPM_NONOTIFY | win::TPM_RIGHTBUTTON, screenPos.x, screenPos.y, edit, nullptr));
    win::DestroyMenu(menu);
    if (chosen == 0 || !win::IsWindow(edit)) {
        return;
    }
    if (chosen == SelectAllCommand) {
        win::SendMessage(edit, win::EM_SETSEL, 0, -1);
    } else {
        win::SendMessage(edit, chosen, 0, 0);
    }
}

}  // namespace win::detail
