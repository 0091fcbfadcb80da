#pragma once
// The non-client sizes the window system lays windows out with.

#include "platform/win/NonClient.h"

namespace win::detail {

// The widths of the non-client area on each side of a window with these styles.
struct NonClientInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
NonClientInsets NonClientInsetsOf(DWORD style, DWORD exStyle);

// The client rectangle of a window rectangle: what the default WM_NCCALCSIZE answers. Never inside out.
RECT DefaultClientRect(DWORD style, DWORD exStyle, const RECT& windowRect);

}  // namespace win::detail
