#pragma once
// Which window is at a point. The mouse goes to the deepest visible window under it whose WM_NCHITTEST
// does not answer HTTRANSPARENT (a transparent window passes the point on to the windows below it);
// a disabled child passes it to its parent, and a disabled top-level window (one a modal window
// disabled) takes it with HTERROR, which its messages never get past.

#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

namespace win {

constexpr UINT CWP_ALL = 0x0000;
constexpr UINT CWP_SKIPINVISIBLE = 0x0001;
constexpr UINT CWP_SKIPDISABLED = 0x0002;
constexpr UINT CWP_SKIPTRANSPARENT = 0x0004;

// The window under a screen point as the mouse finds it, or null over the desktop.
HWND WindowFromPoint(POINT point);
// The child of parent (parent itself when none) containing a point in parent's client coordinates;
// null when the point is outside parent. Only direct children count.
HWND ChildWindowFromPoint(HWND parent, POINT point);
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);

}  // namespace win
