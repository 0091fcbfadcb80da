// The "ComboLBox" list of a combo box: a list box whose requests go to the combo box. A simple box's list
// is its child and takes clicks as any list box, without the focus; a dropped list (a popup holding the
// capture) follows the mouse, chooses the item a release falls on, and is cancelled by a press anywhere
// else, which goes no further. A drop-down list that does not show takes no input.

#include "platform/commctrl/detail/ComboBoxState.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/win/Activation.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Messages.h"

namespace win::detail::combobox {

void Highlight(win::HWND list, win::POINT point)
{
    const win::LRESULT found = win::SendMessage(list, win::LB_ITEMFROMPOINT, 0, win::MAKELPARAM(win::WORD(point.x), win::WORD(point.y)));
    if (win::HIWORD(win::DWORD(found)) == 0 && int(win::LOWORD(found)) != int(win::SendMessage(list, win::LB_GETCURSEL, 0, 0))) {
        win::SendMessage(list, win::LB_SETCURSEL, win::LOWORD(found), 0);
    }
}

bool InClient(win::HWND hwnd, win::POINT point)
{
    const win::RECT client = Client(hwnd);
    return point.x >= 0 && point.y >= 0 && point.x < client.right && point.y < client.bottom;
}

// A dropped list's mouse, under the capture; everything else is the list box's.
win::LRESULT DroppedListMouse(win::HWND hwnd, win::HWND combo, ComboState& state, win::UINT message, win::LPARAM lParam)
{
    const win::POINT point{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    switch (message) {
    case win::WM_MOUSEMOVE:
        if (InClient(hwnd, point)) {
            Highlight(hwnd, point);
        }
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN: {
        if (InClient(hwnd, point)) {
            Highlight(hwnd, point);
            return 0;
        }
        win::POINT screen = point;
        win::ClientToScreen(hwnd, &screen);
        win::RECT window{};
        win::GetWindowRect(hwnd, &window);
        const bool onList = screen.x >= window.left && screen.x < window.right && screen.y >= window.top && screen.y < window.bottom;
        if (onList && message == win::WM_LBUTTONDOWN) {
            // The list's own scroll bar.
            const win::LPARAM where = win::MAKELPARAM(win::WORD(screen.x), win::WORD(screen.y));
            const win::LRESULT hit = win::SendMessage(hwnd, win::WM_NCHITTEST, 0, where);
            win::SendMessage(hwnd, win::WM_NCLBUTTONDOWN, win::WPARAM(hit), where);
            if (win::IsWindow(hwnd) && state.dropped && win::GetCapture() != hwnd) {
                win::SetCapture(hwnd);
            }
            return 0;
        }
        // Anywhere else (the box and its button too) the press cancels the list's selection, which closes
        // it, and goes no further.
        win::SendMessage(combo, win::WM_COMMAND, win::MAKEWPARAM(ListId, win::LBN_SELCANCEL), reinterpret_cast<win::LPARAM>(hwnd));
        return 0;
    }
    case win::WM_LBUTTONUP:
        if (InClient(hwnd, point) &&
            win::HIWORD(win::DWORD(win::SendMessage(hwnd, win::LB_ITEMFROMPOINT, 0, lParam))) == 0) {
            Highlight(hwnd, point);
            CloseUp(combo, state, Close::Ok);
        } else if (state.buttonHeld) {
            state.buttonHeld = false;
            win::InvalidateRect(combo, nullptr, true);
        }
        return 0;
    default:
        return 0;
    }
}

win::LRESULT ComboListProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message == win::WM_MOUSEACTIVATE) {
        return win::MA_NOACTIVATE;
    }
    const win::HWND combo = win::IsWindow(hwnd) && message != win::WM_NCCREATE ? ComboOfList(hwnd) : nullptr;
    ComboState* state = combo && win::IsWindow(combo) ? StateOf(combo) : nullptr;
    if (state && message == win::WM_SETFOCUS) {
        // The box keeps the focus: a simple box's list is clicked without taking it.
        win::SetFocus(state->edit ? state->edit : combo);
        return 0;
    }
    if (state && !state->dropped && KindOf(combo) != win::CBS_SIMPLE &&
        ((message >= win::WM_MOUSEFIRST && message <= win::WM_MOUSELAST) || (message >= win::WM_KEYFIRST && message <= win::WM_KEYLAST))) {
        // A drop-down list that does not show takes no input of its own.
        return 0;
    }
    if (state && state->dropped) {
        switch (message) {
        case win::WM_MOUSEMOVE:
        case win::WM_LBUTTONDOWN:
        case win::WM_LBUTTONDBLCLK:
        case win::WM_LBUTTONUP:
        case win::WM_RBUTTONDOWN:
        case win::WM_MBUTTONDOWN:
            return DroppedListMouse(hwnd, combo, *state, message, lParam);
        case win::WM_CAPTURECHANGED:
            if (reinterpret_cast<win::HWND>(lParam) != hwnd) {
                CloseUp(combo, *state, Close::Cancel);
            }
            return 0;
        default:
            break;
        }
    }
    return ListBoxProc(hwnd, message, wParam, lParam);
}

}  // namespace win::detail::combobox
