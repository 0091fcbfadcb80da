#include "platform/win/ScrollBar.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/win/MessageQueue.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Frame.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <iterator>

namespace win {

using namespace detail;

namespace {

using Bar = Window::ScrollBar;

DWORD StyleOf(int bar)
{
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

// The last position the page allows.
int MaxPos(const Bar& bar)
{
    return bar.max - std::max(static_cast<int>(bar.page) - 1, 0);
}

void Normalize(Bar& bar)
{
    const long long range = static_cast<long long>(bar.max) - bar.min + 1;
    bar.page = static_cast<UINT>(std::clamp<long long>(bar.page, 0, std::max<long long>(range, 0)));
    bar.pos = std::clamp(bar.pos, bar.min, std::max(bar.min, MaxPos(bar)));
}

bool HasSomethingToScroll(const Bar& bar)
{
    return bar.max > bar.min && MaxPos(bar) > bar.min;
}

bool ValidBar(int bar)
{
    if (bar != SB_HORZ && bar != SB_VERT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

// Sets or clears the style bits of the bars and lets the frame be computed again.
void ChangeBars(HWND hwnd, DWORD show, DWORD hide)
{
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return;
        }
        const DWORD style = (window->style | show) & ~hide;
        if (style == window->style) {
            return;
        }
        window->style = style;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Where a bar's parts lie along it, from its top (left) edge; it runs beside the client area.
struct BarLayout {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbEnd = 0;
};

BarLayout LayoutOf(const Window& window, int barKind)
{
    const Bar& bar = window.scrollBars[barKind];
    const bool vertical = barKind == SB_VERT;
    BarLayout layout;
    layout.length = vertical ? window.clientRect.bottom - window.clientRect.top : window.clientRect.right - window.clientRect.left;
    layout.arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    const int track = std::max(layout.length - 2 * layout.arrow, 0);
    const long long range = static_cast<long long>(bar.max) - bar.min + 1;
    int thumb = bar.page > 0 && range > 0 ? static_cast<int>(track * static_cast<long long>(bar.page) / range) : layout.arrow;
    thumb = std::clamp(thumb, std::min(layout.arrow / 2, track), track);
    const int travel = MaxPos(bar) - bar.min;
    layout.thumbStart = layout.arrow + (travel > 0 ? static_cast<int>(static_cast<long long>(track - thumb) *
                                                                      (bar.pos - bar.min) / travel)
                                                   : 0);
    layout.thumbEnd = layout.thumbStart + thumb;
    return layout;
}

// The part of a bar a screen point falls on: an arrow, the page above or below the thumb, or the thumb.
WORD PartAt(HWND hwnd, int barKind, POINT point)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return SB_ENDSCROLL;
    }
    const POINT origin = ClientOriginOnScreen(*window);
    const BarLayout layout = LayoutOf(*window, barKind);
    const int offset = barKind == SB_VERT ? point.y - origin.y : point.x - origin.x;
    if (offset < layout.arrow) {
        return SB_LINEUP;
    }
    if (offset >= layout.length - layout.arrow) {
        return SB_LINEDOWN;
    }
    if (offset < layout.thumbStart) {
        return SB_PAGEUP;
    }
    if (offset >= layout.thumbEnd) {
        return SB_PAGEDOWN;
    }
    return SB_THUMBTRACK;
}

// Shows a bar's new state at once.
void RedrawBar(HWND hwnd, int barKind)
{
    SCROLLBARINFO info;
    if (!GetScrollBarInfo(hwnd, barKind == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info) ||
        (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        return;
    }
    const HRGN region = CreateRectRgnIndirect(&info.rcScrollBar);
    DrawDefaultFrame(hwnd, region);
    DeleteObject(region);
}

}  // namespace

bool detail::DefScrollBarMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NCLBUTTONDOWN || (wParam != static_cast<WPARAM>(HTVSCROLL) && wParam != static_cast<WPARAM>(HTHSCROLL))) {
        return false;
    }
    const int bar = wParam == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ;
    const WORD part = PartAt(hwnd, bar, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    const UINT notify = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    // Dragging the thumb needs the tracking loop of the scroll-bar controls; a press on it scrolls nothing.
    if (part != SB_THUMBTRACK) {
        UINT disabled;
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(hwnd);
            disabled = window ? window->scrollBars[bar].disabledArrows : ESB_DISABLE_BOTH;
        }
        const bool blocked = ((part == SB_LINEUP || part == SB_PAGEUP) && (disabled & ESB_DISABLE_LTUP)) ||
                             ((part == SB_LINEDOWN || part == SB_PAGEDOWN) && (disabled & ESB_DISABLE_RTDN));
        if (!blocked) {
            SendMessage(hwnd, notify, MAKEWPARAM(part, 0), 0);
            SendMessage(hwnd, notify, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        }
    }
    result = 0;
    return true;
}

int SetScrollInfo(HWND hwnd, int barKind, const SCROLLINFO* info, BOOL redraw)
{
    if (!info || !ValidBar(barKind)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int pos;
    DWORD show = 0;
    DWORD hide = 0;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        Bar& bar = window->scrollBars[barKind];
        if (info->fMask & SIF_RANGE) {
            bar.min = info->nMin;
            bar.max = std::max(info->nMin, info->nMax);
        }
        if (info->fMask & SIF_PAGE) {
            bar.page = info->nPage;
        }
        if (info->fMask & SIF_POS) {
            bar.pos = info->nPos;
        }
        Normalize(bar);
        pos = bar.pos;
        if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
            const bool scrolls = HasSomethingToScroll(bar);
            if (info->fMask & SIF_DISABLENOSCROLL) {
                show = StyleOf(barKind);
                bar.disabledArrows = scrolls ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
            } else if (scrolls) {
                show = StyleOf(barKind);
            } else {
                hide = StyleOf(barKind);
            }
        }
    }
    ChangeBars(hwnd, show, hide);
    if (redraw) {
        RedrawBar(hwnd, barKind);
    }
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int barKind, SCROLLINFO* info)
{
    if (!info || !ValidBar(barKind)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return FALSE;
    }
    const Bar& bar = window->scrollBars[barKind];
    if (info->fMask & SIF_RANGE) {
        info->nMin = bar.min;
        info->nMax = bar.max;
    }
    if (info->fMask & SIF_PAGE) {
        info->nPage = bar.page;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = bar.pos;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = bar.pos;
    }
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    const int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    if (!ValidBar(bar)) {
        return FALSE;
    }
    if (static_cast<long long>(maxPos) - minPos > 0x7FFFFFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!minPos || !maxPos || !GetScrollInfo(hwnd, bar, &info)) {
        return FALSE;
    }
    *minPos = info.nMin;
    *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : StyleOf(bar);
    ChangeBars(hwnd, show ? bits : 0, show ? 0 : bits);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool changed = false;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return FALSE;
        }
        for (int kind : {SB_HORZ, SB_VERT}) {
            if (bar == SB_BOTH || static_cast<int>(bar) == kind) {
                changed |= window->scrollBars[kind].disabledArrows != (arrows & ESB_DISABLE_BOTH);
                window->scrollBars[kind].disabledArrows = arrows & ESB_DISABLE_BOTH;
            }
        }
    }
    if (changed) {
        for (int kind : {SB_HORZ, SB_VERT}) {
            if (bar == SB_BOTH || static_cast<int>(bar) == kind) {
                RedrawBar(hwnd, kind);
            }
        }
    }
    return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info)
{
    if (!info || info->cbSize != sizeof(SCROLLBARINFO) || (object != OBJID_HSCROLL && object != OBJID_VSCROLL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return FALSE;
    }
    const int barKind = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    const Bar& bar = window->scrollBars[barKind];
    const BarLayout layout = LayoutOf(*window, barKind);
    const POINT origin = ClientOriginOnScreen(*window);
    const int clientWidth = window->clientRect.right - window->clientRect.left;
    const int clientHeight = window->clientRect.bottom - window->clientRect.top;
    if (barKind == SB_VERT) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const int left = (window->exStyle & WS_EX_LEFTSCROLLBAR) ? origin.x - width : origin.x + clientWidth;
        info->rcScrollBar = RECT{left, origin.y, left + width, origin.y + clientHeight};
    } else {
        info->rcScrollBar = RECT{origin.x, origin.y + clientHeight, origin.x + clientWidth,
                                 origin.y + clientHeight + GetSystemMetrics(SM_CYHSCROLL)};
    }
    info->dxyLineButton = layout.arrow;
    info->xyThumbTop = layout.thumbStart;
    info->xyThumbBottom = layout.thumbEnd;
    info->reserved = 0;
    const bool shown = window->style & StyleOf(barKind);
    const bool scrolls = HasSomethingToScroll(bar);
    const bool upBlocked = !scrolls || (bar.disabledArrows & ESB_DISABLE_LTUP);
    const bool downBlocked = !scrolls || (bar.disabledArrows & ESB_DISABLE_RTDN);
    if (!shown) {
        std::fill(std::begin(info->rgstate), std::end(info->rgstate), STATE_SYSTEM_INVISIBLE);
        return TRUE;
    }
    info->rgstate[0] = upBlocked && downBlocked ? STATE_SYSTEM_UNAVAILABLE : 0;
    info->rgstate[1] = upBlocked ? STATE_SYSTEM_UNAVAILABLE : 0;
    info->rgstate[2] = 0;
    info->rgstate[3] = scrolls ? 0 : STATE_SYSTEM_INVISIBLE;
    info->rgstate[4] = 0;
    info->rgstate[5] = downBlocked ? STATE_SYSTEM_UNAVAILABLE : 0;
    return TRUE;
}

RECT ScrollBarSpan(const ScrollBarLook& look, int from, int to)
{
    const RECT& bar = look.bar;
    return look.vertical ? RECT{bar.left, bar.top + from, bar.right, bar.top + to}
                         : RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
}

void DrawScrollBarLook(HDC dc, const ScrollBarLook& look)
{
    const int length = look.vertical ? look.bar.bottom - look.bar.top : look.bar.right - look.bar.left;
    const RECT track = ScrollBarSpan(look, look.arrow, length - look.arrow);
    FillRect(dc, &track, look.track);
    RECT first = ScrollBarSpan(look, 0, look.arrow);
    DrawFrameControl(dc, &first, DFC_SCROLL, (look.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | look.firstArrow);
    RECT last = ScrollBarSpan(look, length - look.arrow, length);
    DrawFrameControl(dc, &last, DFC_SCROLL, (look.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | look.lastArrow);
    if (look.thumbEnd > look.thumbStart) {
        RECT thumb = ScrollBarSpan(look, look.thumbStart, look.thumbEnd);
        DrawFrameControl(dc, &thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
}

}  // namespace win
