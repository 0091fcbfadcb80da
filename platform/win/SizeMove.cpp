#include "platform/win/detail/SizeMove.h"

#include "platform/win/Input.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace win::detail {

namespace {

bool DragsLeft(WPARAM edge)
{
    return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
}
bool DragsRight(WPARAM edge)
{
    return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
}
bool DragsTop(WPARAM edge)
{
    return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
}
bool DragsBottom(WPARAM edge)
{
    return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

// One side pair: the dragged edge moves by delta, the length kept within the limits.
void Track(LONG& low, LONG& high, bool dragLow, bool dragHigh, int delta, int minimum, int maximum)
{
    maximum = std::max(minimum, maximum);
    if (dragLow) {
        low = high - std::clamp(static_cast<int>(high - (low + delta)), minimum, maximum);
    } else if (dragHigh) {
        high = low + std::clamp(static_cast<int>(high + delta - low), minimum, maximum);
    }
}

// The rectangle the pointer at point asks for.
RECT Tracked(const RECT& start, POINT from, POINT point, bool sizing, WPARAM edge, const MINMAXINFO& limits)
{
    const int dx = point.x - from.x;
    const int dy = point.y - from.y;
    RECT rect = start;
    if (!sizing) {
        OffsetRect(&rect, dx, dy);
        return rect;
    }
    Track(rect.left, rect.right, DragsLeft(edge), DragsRight(edge), dx, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
    Track(rect.top, rect.bottom, DragsTop(edge), DragsBottom(edge), dy, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
    return rect;
}

void Place(HWND hwnd, const RECT& rect)
{
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void RunSizeMoveLoop(HWND hwnd, WPARAM command, POINT start)
{
    const bool sizing = (command & 0xFFF0) == SC_SIZE;
    const WPARAM edge = command & 0x000F;
    RECT startRect;
    if (!GetWindowRect(hwnd, &startRect) || IsIconic(hwnd) || IsZoomed(hwnd) || (sizing && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT))) {
        return;
    }
    SetCapture(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    const MINMAXINFO limits = AskTrackLimits(hwnd);
    RECT current = startRect;
    POINT last = start;
    bool restore = false;
    MSG msg;
    while (GetCapture() == hwnd && IsWindow(hwnd)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // Input queued before the loop took the capture comes as non-client messages.
        const bool released = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE || released) {
            if (msg.pt.x != last.x || msg.pt.y != last.y) {
                last = msg.pt;
                RECT next = Tracked(startRect, start, msg.pt, sizing, edge, limits);
                SendMessage(hwnd, sizing ? WM_SIZING : WM_MOVING, sizing ? edge : 0, reinterpret_cast<LPARAM>(&next));
                if (!EqualRect(&next, &current)) {
                    Place(hwnd, next);
                    current = next;
                }
            }
            if (released) {
                break;
            }
        } else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            restore = msg.wParam == VK_ESCAPE;
            break;
        } else if (!IsMouseMessage(msg.message) && msg.message != WM_KEYDOWN && msg.message != WM_KEYUP &&
                   msg.message != WM_CHAR) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (restore && IsWindow(hwnd)) {
        Place(hwnd, startRect);
    }
    SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace win::detail
