#pragma once
// Windows: creation and destruction, window procedures and subclassing, window longs, text,
// properties, and the relations between windows (parent, owner, children, z-order).
//
// A handle stays valid until its window got WM_NCDESTROY; after that every call on it fails as the API
// does (0 or FALSE, ERROR_INVALID_WINDOW_HANDLE) and the handle value is not given out again for a long
// time. Windows belong to the thread that created them; only that thread may destroy them.

#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace win {

// Creates a window of a registered class. A WS_CHILD window needs a parent; a top-level window given a
// parent is owned by that parent's top-level window; HWND_MESSAGE as parent makes a message-only window.
// The new window receives, in order: WM_GETMINMAXINFO (top-level only), WM_NCCREATE, WM_NCCALCSIZE,
// WM_CREATE, WM_SIZE, WM_MOVE; then its parent WM_PARENTNOTIFY (children without
// WS_EX_NOPARENTNOTIFY), and with WS_VISIBLE it gets WM_SHOWWINDOW. WM_NCCREATE answering FALSE or
// WM_CREATE answering -1 destroys it again and the call answers null.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
inline HWND CreateWindow(const char* className, const char* windowName, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

// Destroys the windows it owns first, then sends WM_DESTROY to the window and then to its children
// (each before its own children), releases capture, focus and timers, and sends WM_NCDESTROY to the
// children before the window itself (deepest first).
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// The default handling of a message: text, WM_CLOSE destroying the window, and so on.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls a window procedure (one answered by GetWindowLongPtr(GWL_WNDPROC) when subclassing).
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// GWL_* indexes or a byte offset into the window's extra bytes. Setting answers the value before;
// GWL_STYLE and GWL_EXSTYLE send WM_STYLECHANGING and WM_STYLECHANGED; GWL_WNDPROC subclasses.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);

// Text goes through WM_SETTEXT and WM_GETTEXT on the window's own thread; from another thread the
// stored text is read directly.
BOOL SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int maxCount);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowText(HWND hwnd);
BOOL SetWindowTextW(HWND hwnd, const char16_t* text);
std::u16string GetWindowTextW(HWND hwnd);

// Properties by name (without regard to case) or by atom (MAKEINTATOM).
BOOL SetProp(HWND hwnd, const char* name, HANDLE data);
HANDLE GetProp(HWND hwnd, const char* name);
HANDLE RemoveProp(HWND hwnd, const char* name);

// Relations. GetParent answers the parent of a child window and the owner of a popup window.
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT command);
HWND GetTopWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

// Enumeration in z-order, topmost first; the callback answers FALSE to stop. EnumWindows lists the
// top-level windows, not the message-only ones.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam);
BOOL EnumThreadWindows(DWORD thread, WNDENUMPROC callback, LPARAM lParam);
// By class and text (null matches any); FindWindowEx searches the children of parent after
// childAfter, with HWND_MESSAGE the message-only windows, with null the top-level windows.
HWND FindWindow(const char* className, const char* windowName);
HWND FindWindowEx(HWND parent, HWND childAfter, const char* className, const char* windowName);

// Visibility counts the parents: a window is visible when it and every parent are.
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
// Sends WM_ENABLE on a change and answers whether the window was disabled before. Disabling takes the
// focus away from the window and its children (WM_KILLFOCUS) and sends WM_CANCELMODE, whose default
// handling releases the capture.
BOOL EnableWindow(HWND hwnd, BOOL enable);

}  // namespace win
