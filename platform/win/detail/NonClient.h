#pragma once
// The non-client sizes the window system lays windows out with.

#include "platform/win/NonClient.h"

#include <vector>

namespace win::detail {

// The widths of the non-client area on each side of a window with these styles.
struct NonClientInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
NonClientInsets NonClientInsetsOf(DWORD style, DWORD exStyle);

// The width of the outer frame alone (sizing, dialog or thin), without edges, caption or scroll bars.
int FrameWidthOf(DWORD style, DWORD exStyle);
// The caption's height with the one-pixel line under it; 0 without a caption.
int CaptionHeightOf(DWORD style, DWORD exStyle);

// A caption button: what hit-testing answers over it, the DFCS_CAPTION* part that draws it, whether the
// window's style lets it act, and where it lies.
struct CaptionButton {
    LRESULT hit = 0;
    UINT part = 0;
    bool enabled = true;
    RECT rect{};
};

// Where the parts of a caption lie, in the coordinates of the window rectangle they were laid out for.
// Drawing and hit-testing both take them from here, so a click lands on what the user sees.
struct CaptionLayout {
    RECT bar{};    // the coloured bar, above the line that parts it from the rest; empty without a caption
    RECT icon{};   // the system-menu icon; empty when the caption shows none
    RECT title{};  // where the window text may run
    std::vector<CaptionButton> buttons;  // from the right
};
// icon: whether the window has an icon to show at the left of its caption.
CaptionLayout CaptionLayoutOf(DWORD style, DWORD exStyle, const RECT& windowRect, bool icon);

// The client rectangle of a window rectangle: what the default WM_NCCALCSIZE answers. Never inside out.
RECT DefaultClientRect(DWORD style, DWORD exStyle, const RECT& windowRect);

}  // namespace win::detail
