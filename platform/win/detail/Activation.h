#pragma once
// Activation as the window system itself moves it.

#include "platform/win/Activation.h"

namespace win::detail {

// Within the window system: activates a top-level window of the calling thread (null: none) with the
// WM_ACTIVATE code how (WA_ACTIVE or WA_CLICKACTIVE).
void ActivateWindow(HWND hwnd, WORD how);
// When hwnd goes away (hidden, minimized, destroyed) while it or a window within it is active: the
// owner, or else the next visible top-level window of the thread, becomes active.
void LeaveActivation(HWND hwnd);

}  // namespace win::detail
