#pragma once
// Painting: update regions, WM_PAINT, device contexts of windows, scrolling, printing into a device
// context, and window regions.
//
// Each top-level window has a 32-bit surface of its window rectangle's size (headless: in memory);
// child windows draw into the surface of their top-level window. A window's device context has its
// origin at the client area's top left (the window's top left for a window DC) and may draw only in
// the window's visible region: its rectangle cut by every parent's client area and window region,
// without the windows above it when it has WS_CLIPSIBLINGS, and without its children when it has
// WS_CLIPCHILDREN.
//
// Invalidating collects an update region per window (and the wish to erase and to paint the frame).
// A thread with such a window fetches one WM_PAINT for it, after WM_QUIT and before timers; parents
// come before their children. BeginPaint sends WM_NCPAINT when the frame is invalid (wParam: the
// update region in screen coordinates, which the window procedure must not delete; DefWindowProc draws
// the window's border, edges, caption and scroll bars within it), then WM_ERASEBKGND when an erase is
// pending, and validates the window.

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

namespace win {

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;  // the background still needs erasing (WM_ERASEBKGND answered 0)
    RECT rcPaint;         // the bounds of the update region, client coordinates
    BOOL fRestore = FALSE;
    BOOL fIncUpdate = FALSE;
    BYTE rgbReserved[32] = {};
};

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
constexpr DWORD DCX_USESTYLE = 0x00010000;

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;

// WM_PRINT and WM_PRINTCLIENT.
constexpr LPARAM PRF_CHECKVISIBLE = 0x00000001;
constexpr LPARAM PRF_NONCLIENT = 0x00000002;
constexpr LPARAM PRF_CLIENT = 0x00000004;
constexpr LPARAM PRF_ERASEBKGND = 0x00000008;
constexpr LPARAM PRF_CHILDREN = 0x00000010;
constexpr LPARAM PRF_OWNED = 0x00000020;

// rect (client coordinates) or region (client coordinates) or, with both null, the whole client area;
// RDW_FRAME takes the non-client area in too. Windows not visible are left alone. Children are
// included with RDW_ALLCHILDREN, left out with RDW_NOCHILDREN, and otherwise included unless the
// window has WS_CLIPCHILDREN. RDW_ERASENOW and RDW_UPDATENOW paint at once.
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
// Sends WM_PAINT at once to the window and then its children when they need painting.
BOOL UpdateWindow(HWND hwnd);
// The bounds (client coordinates) of the update region; answers whether it is not empty. With erase,
// a pending erase is done now.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Copies the client part of the update region into region; answers its kind.
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// A client DC (window DC with DCX_WINDOW) with the visible region as its clip; clip (screen
// coordinates) is intersected with it (DCX_INTERSECTRGN) or taken out of it (DCX_EXCLUDERGN) and stays
// the caller's. Every DC of a window must be given back with ReleaseDC; the window's destruction ends
// those that are not. A null window gives a DC over the desktop.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

// Moves the pixels of the client area (or of scrollRect, cut to clipRect) by dx, dy and makes invalid
// exactly the part they uncover (with SW_INVALIDATE; SW_ERASE erases it too); the update region moves
// along. SW_SCROLLCHILDREN moves the child windows as well. updateRegion and updateRect receive what
// was uncovered. Answers the kind of that region.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect, HRGN updateRegion,
                   RECT* updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect);

// The window region (window coordinates) limits where the window is seen, hit and painted. The window
// system keeps its own copy and deletes region; null removes the window region.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window region into region; ERROR when the window has none.
int GetWindowRgn(HWND hwnd, HRGN region);

// Calls back for each monitor that meets the clip rectangle and, with a device context of a window,
// the part of the screen it can draw on; the rectangle passed is that meeting, in the device context's
// coordinates (the screen's without one). Stops when the callback answers FALSE.
using MONITORENUMPROC = BOOL (*)(HMONITOR monitor, HDC dc, RECT* rect, LPARAM data);
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data);

}  // namespace win
