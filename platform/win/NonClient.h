#pragma once
// The non-client area: the frame, caption and scroll bars around a window's client area, sized by the
// classic metrics of SystemInfo, and the default answers of WM_NCCALCSIZE and WM_NCHITTEST.

#include "platform/wintypes/Types.h"

namespace win {

// The window rectangle a window of these styles needs around the client rectangle in rect (scroll
// bars not included, as documented). A menu bar adds one menu line.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);

// The hit-test code of a screen point for a window with these styles, whose window and client
// rectangles on the screen are given: what the default WM_NCHITTEST answers. icon: whether the window
// has an icon for its caption, where HTSYSMENU is answered.
LRESULT DefaultHitTest(DWORD style, DWORD exStyle, const RECT& windowRect, const RECT& clientRect, POINT point,
                       bool icon);

}  // namespace win
