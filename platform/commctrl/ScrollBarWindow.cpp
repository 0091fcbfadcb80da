// The SCROLLBAR window class: a horizontal (SBS_HORZ) or vertical (SBS_VERT) bar with a range, a page
// and a position. A press on an arrow or on the page beside the thumb sends the parent WM_HSCROLL /
// WM_VSCROLL with its SB_ code at once and again on a window timer while the button stays down on that
// part; dragging the thumb under capture sends SB_THUMBTRACK, the release SB_THUMBPOSITION; every
// gesture ends with SB_ENDSCROLL. The keys do the same while it has the focus. The bar only reports:
// the parent sets the position.

#include "platform/gdi/DeviceContext.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace scrollbar {

constexpr win::UINT_PTR kRepeatTimer = 1;
constexpr win::UINT kFirstRepeat = 400;  // ms before a held arrow or page repeats
constexpr win::UINT kRepeat = 100;       // ms between the repeats

struct BarState {
    int min = 0;
    int max = 100;
    win::UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    win::UINT disabledArrows = win::ESB_ENABLE_BOTH;
    // The part pressed (SB_ code) while the mouse button is down; SB_ENDSCROLL when none.
    win::WORD pressed = win::SB_ENDSCROLL;
    bool overPressed = false;
    int grabOffset = 0;  // from the thumb's start to the press, while dragging it
};

BarState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<BarState*>(win::GetWindowLongPtr(hwnd, 0));
}

bool Vertical(win::HWND hwnd)
{
    return win::GetWindowLongPtr(hwnd, win::GWL_STYLE) & win::SBS_VERT;
}

int MaxPos(const BarState& state)
{
    return std::max(state.min, state.max - std::max(int(state.page) - 1, 0));
}

void Normalize(BarState& state)
{
    const long long range = static_cast<long long>(state.max) - state.min + 1;
    state.page = win::UINT(std::clamp<long long>(state.page, 0, std::max<long long>(range, 0)));
    state.pos = std::clamp(state.pos, state.min, MaxPos(state));
}

// The bar's parts along its length: the arrows, and the thumb within the track between them.
struct Geometry {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumb = 0;  // 0: no room for a thumb
};

Geometry Measure(win::HWND hwnd, const BarState& state, int pos)
{
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    const bool vertical = Vertical(hwnd);
    Geometry g;
    g.length = vertical ? client.bottom : client.right;
    const int thickness = vertical ? client.right : client.bottom;
    g.arrow = std::min(thickness, g.length / 2);
    const int track = g.length - 2 * g.arrow;
    const long long range = static_cast<long long>(state.max) - state.min + 1;
    const int minimum = std::max(8, thickness / 2);
    if (track < minimum || state.max <= state.min) {
        g.thumbStart = g.arrow;
        return g;
    }
    g.thumb = state.page > 0 ? int(track * static_cast<long long>(state.page) / range) : thickness;
    g.thumb = std::clamp(g.thumb, minimum, track);
    const int travel = MaxPos(state) - state.min;
    g.thumbStart = g.arrow + (travel > 0 ? int(static_cast<long long>(track - g.thumb) * (pos - state.min) / travel) : 0);
    return g;
}

win::WORD PartAt(win::HWND hwnd, const BarState& state, win::POINT point)
{
    const Geometry g = Measure(hwnd, state, state.pos);
    const int offset = Vertical(hwnd) ? point.y : point.x;
    if (offset < g.arrow) {
        return win::SB_LINEUP;
    }
    if (offset >= g.length - g.arrow) {
        return win::SB_LINEDOWN;
    }
    if (g.thumb == 0) {
        return win::SB_ENDSCROLL;
    }
    if (offset < g.thumbStart) {
        return win::SB_PAGEUP;
    }
    return offset >= g.thumbStart + g.thumb ? win::SB_PAGEDOWN : win::SB_THUMBTRACK;
}

void Notify(win::HWND hwnd, win::WORD code, int pos = 0)
{
    if (win::HWND parent = win::GetParent(hwnd)) {
        win::SendMessage(parent, Vertical(hwnd) ? win::WM_VSCROLL : win::WM_HSCROLL, win::MAKEWPARAM(code, win::WORD(pos)),
                         reinterpret_cast<win::LPARAM>(hwnd));
    }
}

bool Blocked(const BarState& state, win::WORD part)
{
    const bool up = part == win::SB_LINEUP || part == win::SB_PAGEUP;
    const bool down = part == win::SB_LINEDOWN || part == win::SB_PAGEDOWN;
    return (up && (state.disabledArrows & win::ESB_DISABLE_LTUP)) || (down && (state.disabledArrows & win::ESB_DISABLE_RTDN));
}

void Paint(win::HWND hwnd, const BarState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    const bool vertical = Vertical(hwnd);
    const bool enabled = win::IsWindowEnabled(hwnd);
    const int pos = state.pressed == win::SB_THUMBTRACK ? state.trackPos : state.pos;
    const Geometry g = Measure(hwnd, state, pos);
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = win::GetParent(hwnd)) {
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, win::WM_CTLCOLORSCROLLBAR, reinterpret_cast<win::WPARAM>(dc),
                                                               reinterpret_cast<win::LPARAM>(hwnd)));
    }
    const win::UINT inactive = enabled ? 0 : win::DFCS_INACTIVE;
    const bool thumb = enabled && g.thumb > 0 && state.disabledArrows != win::ESB_DISABLE_BOTH;
    const win::ScrollBarLook look{
        client, vertical, g.arrow, g.thumbStart, thumb ? g.thumbStart + g.thumb : 0,
        (enabled && (state.disabledArrows & win::ESB_DISABLE_LTUP) ? win::DFCS_INACTIVE : inactive) |
                (state.overPressed && state.pressed == win::SB_LINEUP ? win::DFCS_PUSHED | win::DFCS_FLAT : 0),
        (enabled && (state.disabledArrows & win::ESB_DISABLE_RTDN) ? win::DFCS_INACTIVE : inactive) |
                (state.overPressed && state.pressed == win::SB_LINEDOWN ? win::DFCS_PUSHED | win::DFCS_FLAT : 0),
        brush ? brush : win::GetSysColorBrush(win::COLOR_SCROLLBAR)};
    win::DrawScrollBarLook(dc, look);
    // The page held down shows dark.
    if (state.overPressed && (state.pressed == win::SB_PAGEUP || state.pressed == win::SB_PAGEDOWN)) {
        const win::RECT page = state.pressed == win::SB_PAGEUP ? win::ScrollBarSpan(look, g.arrow, g.thumbStart)
                                                               : win::ScrollBarSpan(look, g.thumbStart + g.thumb, g.length - g.arrow);
        win::FillRect(dc, &page, win::GetSysColorBrush(win::COLOR_3DDKSHADOW));
    }
    win::EndPaint(hwnd, &paint);
}

void Redraw(win::HWND hwnd)
{
    win::InvalidateRect(hwnd, nullptr, true);
}

void MouseDown(win::HWND hwnd, BarState& state, win::POINT point)
{
    if (win::GetWindowLongPtr(hwnd, win::GWL_STYLE) & win::WS_TABSTOP) {
        win::SetFocus(hwnd);
    }
    const win::WORD part = PartAt(hwnd, state, point);
    if (part == win::SB_ENDSCROLL || Blocked(state, part) || state.disabledArrows == win::ESB_DISABLE_BOTH) {
        return;
    }
    state.pressed = part;
    state.overPressed = true;
    win::SetCapture(hwnd);
    if (part == win::SB_THUMBTRACK) {
        state.trackPos = state.pos;
        state.grabOffset = (Vertical(hwnd) ? point.y : point.x) - Measure(hwnd, state, state.pos).thumbStart;
    } else {
        Notify(hwnd, part);
        win::SetTimer(hwnd, kRepeatTimer, kFirstRepeat, nullptr);
    }
    Redraw(hwnd);
}

// The position the thumb stands for when its start lies at `start`.
int PosForThumbAt(win::HWND hwnd, const BarState& state, int start)
{
    const Geometry g = Measure(hwnd, state, state.pos);
    const int track = g.length - 2 * g.arrow - g.thumb;
    if (track <= 0) {
        return state.pos;
    }
    const int travel = MaxPos(state) - state.min;
    const int offset = std::clamp(start - g.arrow, 0, track);
    return state.min + int((static_cast<long long>(offset) * travel + track / 2) / track);
}

void MouseMove(win::HWND hwnd, BarState& state, win::POINT point)
{
    if (state.pressed == win::SB_ENDSCROLL) {
        return;
    }
    if (state.pressed == win::SB_THUMBTRACK) {
        const int pos = PosForThumbAt(hwnd, state, (Vertical(hwnd) ? point.y : point.x) - state.grabOffset);
        if (pos != state.trackPos) {
            state.trackPos = pos;
            Notify(hwnd, win::SB_THUMBTRACK, pos);
            Redraw(hwnd);
        }
        return;
    }
    const bool over = PartAt(hwnd, state, point) == state.pressed;
    if (over != state.overPressed) {
        state.overPressed = over;
        Redraw(hwnd);
    }
}

void Repeat(win::HWND hwnd, BarState& state)
{
    if (state.pressed == win::SB_ENDSCROLL || state.pressed == win::SB_THUMBTRACK) {
        win::KillTimer(hwnd, kRepeatTimer);
        return;
    }
    win::SetTimer(hwnd, kRepeatTimer, kRepeat, nullptr);
    win::POINT cursor{};
    win::GetCursorPos(&cursor);
    win::ScreenToClient(hwnd, &cursor);
    // A page repeats until the thumb reaches the pointer.
    state.overPressed = PartAt(hwnd, state, cursor) == state.pressed;
    if (state.overPressed && !Blocked(state, state.pressed)) {
        Notify(hwnd, state.pressed);
    }
    Redraw(hwnd);
}

void MouseUp(win::HWND hwnd, BarState& state)
{
    const win::WORD pressed = state.pressed;
    if (pressed == win::SB_ENDSCROLL) {
        return;
    }
    state.pressed = win::SB_ENDSCROLL;
    state.overPressed = false;
    win::KillTimer(hwnd, kRepeatTimer);
    if (win::GetCapture() == hwnd) {
        win::ReleaseCapture();
    }
    if (pressed == win::SB_THUMBTRACK) {
        Notify(hwnd, win::SB_THUMBPOSITION, state.trackPos);
    }
    Notify(hwnd, win::SB_ENDSCROLL);
    Redraw(hwnd);
}

void KeyDown(win::HWND hwnd, const BarState& state, win::WPARAM key)
{
    win::WORD code = win::SB_ENDSCROLL;
    switch (key) {
    case win::VK_UP:
    case win::VK_LEFT: code = win::SB_LINEUP; break;
    case win::VK_DOWN:
    case win::VK_RIGHT: code = win::SB_LINEDOWN; break;
    case win::VK_PRIOR: code = win::SB_PAGEUP; break;
    case win::VK_NEXT: code = win::SB_PAGEDOWN; break;
    case win::VK_HOME: code = win::SB_TOP; break;
    case win::VK_END: code = win::SB_BOTTOM; break;
    default: return;
    }
    if (!Blocked(state, code) && state.disabledArrows != win::ESB_DISABLE_BOTH) {
        Notify(hwnd, code);
        Notify(hwnd, win::SB_ENDSCROLL);
    }
}

win::LRESULT SetInfo(win::HWND hwnd, BarState& state, const win::SCROLLINFO* info, bool redraw)
{
    if (!info) {
        return state.pos;
    }
    if (info->fMask & win::SIF_RANGE) {
        state.min = info->nMin;
        state.max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & win::SIF_PAGE) {
        state.page = info->nPage;
    }
    if (info->fMask & win::SIF_POS) {
        state.pos = info->nPos;
    }
    Normalize(state);
    if (redraw) {
        Redraw(hwnd);
    }
    return state.pos;
}

win::LRESULT BarProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    BarState* state = LiveState<BarState>(hwnd, message);
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    const win::POINT point{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    switch (message) {
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_ENABLE:
    case win::WM_SIZE:
        Redraw(hwnd);
        break;
    case win::WM_GETDLGCODE:
        return win::DLGC_WANTARROWS;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        MouseDown(hwnd, *state, point);
        return 0;
    case win::WM_MOUSEMOVE:
        MouseMove(hwnd, *state, point);
        return 0;
    case win::WM_LBUTTONUP:
        MouseUp(hwnd, *state);
        return 0;
    case win::WM_CAPTURECHANGED:
        if (reinterpret_cast<win::HWND>(lParam) != hwnd) {
            MouseUp(hwnd, *state);
        }
        return 0;
    case win::WM_TIMER:
        if (wParam == kRepeatTimer) {
            Repeat(hwnd, *state);
            return 0;
        }
        break;
    case win::WM_KEYDOWN:
        KeyDown(hwnd, *state, wParam);
        return 0;
    case win::SBM_SETPOS: {
        const int previous = state->pos;
        state->pos = int(static_cast<std::intptr_t>(wParam));
        Normalize(*state);
        if (lParam) {
            Redraw(hwnd);
        }
        return previous;
    }
    case win::SBM_GETPOS:
        return state->pos;
    case win::SBM_SETRANGE:
    case win::SBM_SETRANGEREDRAW: {
        const int previous = state->pos;
        state->min = int(static_cast<std::intptr_t>(wParam));
        state->max = std::max(state->min, int(lParam));
        Normalize(*state);
        if (message == win::SBM_SETRANGEREDRAW) {
            Redraw(hwnd);
        }
        return previous;
    }
    case win::SBM_GETRANGE:
        if (wParam) {
            *reinterpret_cast<int*>(wParam) = state->min;
        }
        if (lParam) {
            *reinterpret_cast<int*>(lParam) = state->max;
        }
        return 0;
    case win::SBM_ENABLE_ARROWS:
        state->disabledArrows = win::UINT(wParam) & win::ESB_DISABLE_BOTH;
        Redraw(hwnd);
        return 1;
    case win::SBM_SETSCROLLINFO:
        return SetInfo(hwnd, *state, reinterpret_cast<const win::SCROLLINFO*>(lParam), wParam != 0);
    case win::SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<win::SCROLLINFO*>(lParam);
        if (!info) {
            return 0;
        }
        if (info->fMask & win::SIF_RANGE) {
            info->nMin = state->min;
            info->nMax = state->max;
        }
        if (info->fMask & win::SIF_PAGE) {
            info->nPage = state->page;
        }
        if (info->fMask & win::SIF_POS) {
            info->nPos = state->pos;
        }
        if (info->fMask & win::SIF_TRACKPOS) {
            info->nTrackPos = state->pressed == win::SB_THUMBTRACK ? state->trackPos : state->pos;
        }
        return 1;
    }
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace scrollbar

void RegisterScrollBarClass()
{
    RegisterStandardClass("SCROLLBAR", &scrollbar::BarProc);
}

}  // namespace win::detail
