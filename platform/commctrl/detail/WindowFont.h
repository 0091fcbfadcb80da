#pragma once
// The font a standard window class measures its rows and fields with (WM_SETFONT's, else the system font).

#include "platform/wintypes/Types.h"

namespace win::detail {

// The font's line height on the window's screen context; at least 1. A null font is the system font.
int FontHeight(win::HWND hwnd, win::HFONT font);

}  // namespace win::detail
