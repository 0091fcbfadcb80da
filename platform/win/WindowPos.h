#pragma once
// Where windows are: window and client rectangles, SetWindowPos with its flags, z-order with the
// topmost group, ShowWindow, minimizing and maximizing, and mapping points between windows.
//
// A change of place, size, order or visibility sends, in this order: WM_WINDOWPOSCHANGING (whose
// default handling sends WM_GETMINMAXINFO to top-level windows with a sizing frame and keeps the size
// within it), WM_NCCALCSIZE when the size or frame changes, the activation messages when the window is
// activated, WM_WINDOWPOSCHANGED, and from its default handling WM_MOVE and WM_SIZE for a client area
// that moved or changed size. ShowWindow sends WM_SHOWWINDOW before all of them.

#include "platform/wintypes/Types.h"

namespace win {

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];  // new window rectangle (the new client rectangle on return), old window, old client
    WINDOWPOS* lppos = nullptr;
};

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;
constexpr UINT SWP_NOREPOSITION = SWP_NOOWNERZORDER;
constexpr UINT SWP_DEFERERASE = 0x2000;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;
// In WM_WINDOWPOSCHANGED: the client area kept its size or its place.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// x, y are in the client coordinates of the parent (the screen for top-level windows). Fails with
// ERROR_INVALID_PARAMETER for an insert-after window that is not a sibling.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Answers whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
BOOL BringWindowToTop(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// The window rectangle on the screen; the client rectangle in client coordinates (0, 0 at the top left).
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);

// From the client coordinates of one window to another's (null: the screen). Answers the horizontal
// offset in the low word and the vertical one in the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);

}  // namespace win
