// The BUTTON window class: push buttons (the default one framed in black), check boxes, three-state boxes
// and radio buttons drawn with DrawFrameControl, and owner-drawn buttons drawn by the parent. A press
// captures the mouse; the release inside (or Space released) clicks.

#include "platform/gdi/Brush.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/DrawText.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Points.h"

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace button {

constexpr int kCheckSize = 13;
constexpr int kCheckGap = 4;

struct ButtonState {
    win::WPARAM check = win::BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false;  // the left button went down on it and is held
    bool spaceDown = false;
    win::HFONT font = nullptr;
};

ButtonState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<ButtonState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD TypeOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE)) & win::BS_TYPEMASK;
}

bool IsPush(win::DWORD type)
{
    return type == win::BS_PUSHBUTTON || type == win::BS_DEFPUSHBUTTON;
}

bool IsRadio(win::DWORD type)
{
    return type == win::BS_RADIOBUTTON || type == win::BS_AUTORADIOBUTTON;
}

void Notify(win::HWND hwnd, win::WORD code)
{
    if (win::HWND parent = win::GetParent(hwnd)) {
        const auto id = win::WORD(win::GetWindowLongPtr(hwnd, win::GWL_ID));
        win::SendMessage(parent, win::WM_COMMAND, win::MAKEWPARAM(id, code), reinterpret_cast<win::LPARAM>(hwnd));
    }
}

void Redraw(win::HWND hwnd)
{
    win::InvalidateRect(hwnd, nullptr, true);
}

void SetPushed(win::HWND hwnd, ButtonState& state, bool pushed)
{
    if (state.pushed != pushed) {
        state.pushed = pushed;
        Redraw(hwnd);
    }
}

// A click: the automatic kinds change their check first; then BN_CLICKED.
void Clicked(win::HWND hwnd, ButtonState& state)
{
    switch (TypeOf(hwnd)) {
    case win::BS_AUTOCHECKBOX:
        state.check = state.check == win::BST_CHECKED ? win::BST_UNCHECKED : win::BST_CHECKED;
        Redraw(hwnd);
        break;
    case win::BS_AUTO3STATE:
        state.check = (state.check + 1) % 3;
        Redraw(hwnd);
        break;
    case win::BS_AUTORADIOBUTTON:
        state.check = win::BST_CHECKED;
        Redraw(hwnd);
        break;
    default:
        break;
    }
    Notify(hwnd, win::BN_CLICKED);
}

// The caption in the text colour, or embossed when disabled.
void DrawCaption(win::HDC dc, const std::string& text, win::RECT rect, win::UINT format, bool enabled)
{
    win::SetBkMode(dc, win::TRANSPARENT);
    if (enabled) {
        win::DrawTextA(dc, text.data(), int(text.size()), &rect, format);
        return;
    }
    const win::COLORREF old = win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
    win::RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    win::DrawTextA(dc, text.data(), int(text.size()), &shifted, format);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNSHADOW));
    win::DrawTextA(dc, text.data(), int(text.size()), &rect, format);
    win::SetTextColor(dc, old);
}

void PaintPush(win::HWND hwnd, win::HDC dc, const ButtonState& state, win::RECT rect, bool enabled)
{
    if (TypeOf(hwnd) == win::BS_DEFPUSHBUTTON) {
        win::FrameRect(dc, &rect, reinterpret_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    win::RECT face = rect;
    win::DrawFrameControl(dc, &face, win::DFC_BUTTON, win::DFCS_BUTTONPUSH | (state.pushed ? win::DFCS_PUSHED : 0));
    win::RECT text = rect;
    if (state.pushed) {
        text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
    }
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNTEXT));
    DrawCaption(dc, win::GetWindowText(hwnd), text, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE, enabled);
    if (state.focused) {
        const win::RECT focus{rect.left + 3, rect.top + 3, rect.right - 3, rect.bottom - 3};
        win::DrawFocusRect(dc, &focus);
    }
}

void PaintCheck(win::HWND hwnd, win::HDC dc, const ButtonState& state, const win::RECT& client, bool enabled)
{
    const win::DWORD style = win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
    const win::DWORD type = style & win::BS_TYPEMASK;
    const bool leftText = style & win::BS_LEFTTEXT;
    const int boxTop = client.top + (client.bottom - client.top - kCheckSize) / 2;
    const int boxLeft = leftText ? client.right - kCheckSize : client.left;
    win::RECT box{boxLeft, boxTop, boxLeft + kCheckSize, boxTop + kCheckSize};
    win::UINT flags = IsRadio(type) ? win::DFCS_BUTTONRADIO
                      : state.check == win::BST_INDETERMINATE ? win::DFCS_BUTTON3STATE
                                                              : win::DFCS_BUTTONCHECK;
    if (state.check != win::BST_UNCHECKED) {
        flags |= win::DFCS_CHECKED;
    }
    if (state.pushed) {
        flags |= win::DFCS_PUSHED;
    }
    if (!enabled) {
        flags |= win::DFCS_INACTIVE;
    }
    win::DrawFrameControl(dc, &box, win::DFC_BUTTON, flags);

    const std::string caption = win::GetWindowText(hwnd);
    win::RECT text = leftText ? win::RECT{client.left, client.top, box.left - kCheckGap, client.bottom}
                              : win::RECT{box.right + kCheckGap, client.top, client.right, client.bottom};
    const win::UINT format = win::DT_SINGLELINE | win::DT_VCENTER | (leftText ? win::DT_RIGHT : win::DT_LEFT);
    DrawCaption(dc, caption, text, format, enabled);
    if (state.focused && !caption.empty()) {
        win::RECT measured = text;
        win::DrawTextA(dc, caption.data(), int(caption.size()), &measured, format | win::DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        const int width = measured.right - measured.left;
        const int top = text.top + (text.bottom - text.top - height) / 2;
        const int left = leftText ? text.right - width : text.left;
        const win::RECT focus{left - 1, top - 1, left + width + 1, top + height + 1};
        win::DrawFocusRect(dc, &focus);
    }
}

void PaintOwnerDrawn(win::HWND hwnd, win::HDC dc, const ButtonState& state, const win::RECT& client, bool enabled)
{
    win::DRAWITEMSTRUCT item;
    item.CtlType = win::ODT_BUTTON;
    item.CtlID = win::UINT(win::GetWindowLongPtr(hwnd, win::GWL_ID));
    item.itemAction = win::ODA_DRAWENTIRE;
    item.itemState = (state.pushed ? win::ODS_SELECTED : 0) | (state.focused ? win::ODS_FOCUS : 0) |
                     (enabled ? 0 : win::ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    if (win::HWND parent = win::GetParent(hwnd)) {
        win::SendMessage(parent, win::WM_DRAWITEM, item.CtlID, reinterpret_cast<win::LPARAM>(&item));
    }
}

void Paint(win::HWND hwnd, ButtonState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    const bool enabled = win::IsWindowEnabled(hwnd);
    const win::DWORD type = TypeOf(hwnd);
    if (type == win::BS_OWNERDRAW) {
        PaintOwnerDrawn(hwnd, dc, state, client, enabled);
        win::EndPaint(hwnd, &paint);
        return;
    }
    const bool push = IsPush(type);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNTEXT));
    win::SetBkColor(dc, win::GetSysColor(win::COLOR_BTNFACE));
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = win::GetParent(hwnd)) {
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, push ? win::WM_CTLCOLORBTN : win::WM_CTLCOLORSTATIC,
                                                               reinterpret_cast<win::WPARAM>(dc),
                                                               reinterpret_cast<win::LPARAM>(hwnd)));
    }
    win::FillRect(dc, &client, brush ? brush : win::GetSysColorBrush(win::COLOR_BTNFACE));
    const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    if (push) {
        PaintPush(hwnd, dc, state, client, enabled);
    } else {
        PaintCheck(hwnd, dc, state, client, enabled);
    }
    win::SelectObject(dc, oldFont);
    win::EndPaint(hwnd, &paint);
}

win::LRESULT DialogCode(win::HWND hwnd)
{
    const win::DWORD type = TypeOf(hwnd);
    if (type == win::BS_DEFPUSHBUTTON) {
        return win::DLGC_BUTTON | win::DLGC_DEFPUSHBUTTON;
    }
    if (type == win::BS_PUSHBUTTON || type == win::BS_OWNERDRAW) {
        return win::DLGC_BUTTON | win::DLGC_UNDEFPUSHBUTTON;
    }
    return win::DLGC_BUTTON | (IsRadio(type) ? win::DLGC_RADIOBUTTON : 0);
}

win::LRESULT ButtonProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    ButtonState* state = LiveState<ButtonState>(hwnd, message);
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_SETTEXT: {
        const win::LRESULT result = win::DefWindowProc(hwnd, message, wParam, lParam);
        Redraw(hwnd);
        return result;
    }
    case win::WM_ENABLE:
    case win::WM_STYLECHANGED:
        Redraw(hwnd);
        break;
    case win::WM_SETFONT:
        state->font = reinterpret_cast<win::HFONT>(wParam);
        if (lParam) {
            Redraw(hwnd);
        }
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_GETDLGCODE:
        return DialogCode(hwnd);
    case win::WM_SETFOCUS:
        state->focused = true;
        Redraw(hwnd);
        // A radio button reached by the keyboard is checked as it takes the focus.
        if (IsRadio(TypeOf(hwnd)) && state->check == win::BST_UNCHECKED && win::GetKeyState(win::VK_LBUTTON) >= 0) {
            Clicked(hwnd, *state);
        }
        return 0;
    case win::WM_KILLFOCUS:
        state->focused = false;
        state->spaceDown = false;
        if (state->tracking) {
            win::ReleaseCapture();
        }
        SetPushed(hwnd, *state, false);
        Redraw(hwnd);
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        if (win::GetFocus() != hwnd) {
            win::SetFocus(hwnd);
        }
        state->tracking = true;
        win::SetCapture(hwnd);
        SetPushed(hwnd, *state, true);
        return 0;
    case win::WM_MOUSEMOVE:
        if (state->tracking) {
            win::RECT client{};
            win::GetClientRect(hwnd, &client);
            SetPushed(hwnd, *state, PointIn(client, PointOf(lParam)));
        }
        return 0;
    case win::WM_LBUTTONUP:
        if (state->tracking) {
            win::RECT client{};
            win::GetClientRect(hwnd, &client);
            const bool inside = PointIn(client, PointOf(lParam));
            state->tracking = false;
            win::ReleaseCapture();
            SetPushed(hwnd, *state, false);
            if (inside) {
                Clicked(hwnd, *state);
            }
        }
        return 0;
    case win::WM_CAPTURECHANGED:
        if (state->tracking) {
            state->tracking = false;
            SetPushed(hwnd, *state, false);
        }
        return 0;
    case win::WM_KEYDOWN:
        if (wParam == win::VK_SPACE && !state->tracking) {
            state->spaceDown = true;
            SetPushed(hwnd, *state, true);
            return 0;
        }
        break;
    case win::WM_KEYUP:
        if (wParam == win::VK_SPACE && state->spaceDown) {
            state->spaceDown = false;
            SetPushed(hwnd, *state, false);
            Clicked(hwnd, *state);
            return 0;
        }
        break;
    case win::BM_CLICK:
        Clicked(hwnd, *state);
        return 0;
    case win::BM_GETCHECK:
        return win::LRESULT(state->check);
    case win::BM_SETCHECK: {
        const win::WPARAM check = wParam > win::BST_INDETERMINATE ? win::BST_CHECKED : wParam;
        if (state->check != check) {
            state->check = check;
            Redraw(hwnd);
        }
        return 0;
    }
    case win::BM_GETSTATE:
        return win::LRESULT(state->check | (state->pushed ? win::BST_PUSHED : 0) | (state->focused ? win::BST_FOCUS : 0));
    case win::BM_SETSTATE:
        SetPushed(hwnd, *state, wParam != 0);
        return 0;
    case win::BM_SETSTYLE: {
        const win::DWORD style = win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
        win::SetWindowLongPtr(hwnd, win::GWL_STYLE,
                              win::LONG_PTR((style & ~win::BS_TYPEMASK) | (win::DWORD(wParam) & win::BS_TYPEMASK)));
        if (lParam) {
            Redraw(hwnd);
        }
        return 0;
    }
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace button

void RegisterButtonClass()
{
    RegisterStandardClass("BUTTON", &button::ButtonProc);
}

}  // namespace win::detail
