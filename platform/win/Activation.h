#pragma once
// Activation: each thread has one active top-level window; the thread that activated last is in the
// foreground, and its active window is the foreground window.
//
// Activating a window sends, in this order: the z-order change that brings it to the top of its
// group (WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED), WM_NCACTIVATE (FALSE) and WM_ACTIVATE
// (WA_INACTIVE) to the window losing activation, WM_ACTIVATEAPP (FALSE) to the top-level windows of
// the thread leaving the foreground and WM_ACTIVATEAPP (TRUE) to those of the thread entering it,
// then WM_NCACTIVATE (TRUE) and WM_ACTIVATE to the new window, whose default handling gives it the
// focus. A focus left outside the active window afterwards is taken away (WM_KILLFOCUS).

#include "platform/wintypes/Types.h"

namespace win {

// WM_MOUSEACTIVATE answers.
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// hwnd (or its top-level window) becomes the calling thread's active window; answers the one before.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

}  // namespace win
