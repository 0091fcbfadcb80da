#pragma once
// Window timers and thread timers, timed by the installed clock (rtl::Clock).
//
// A timer does not queue messages: when the thread fetches messages and nothing else is waiting, the
// earliest due timer makes one WM_TIMER and starts its next interval, so a late thread gets one
// WM_TIMER per timer however many intervals passed. A killed timer never fires again.

#include "platform/wintypes/Types.h"

#include <cstdint>

namespace win {

constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// With a window (of the calling thread): the timer (window, id), replacing one of the same id; answers
// non-zero. Without a window: a thread timer whose WM_TIMER carries proc, which DispatchMessage calls;
// answers its new id (or id itself when that names a thread timer of the thread, which is replaced).
// Intervals are clamped to USER_TIMER_MINIMUM .. USER_TIMER_MAXIMUM.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// The system's own timers of a window (the caret's blinking): they come as WM_SYSTIMER, which
// DefWindowProc handles, and KillTimer does not see them.
constexpr UINT WM_SYSTIMER = 0x0118;

}  // namespace win
