#pragma once
// Thread hooks: procedures that see messages of one thread before its windows do, newest first, each
// passing on to the next with CallNextHookEx.
//
// WH_KEYBOARD and WH_MOUSE see keyboard and mouse input as it is fetched (HC_ACTION when removed,
// HC_NOREMOVE when only peeked); an answer other than 0 discards the message. WH_GETMESSAGE sees every
// fetched message and may rewrite it (lParam points at the MSG; WM_NULL in place of the message
// number neutralises it). WH_CALLWNDPROC sees every sent message before the window procedure (lParam
// points at a CWPSTRUCT; wParam is non-zero when the calling thread sent it), WH_CALLWNDPROCRET after.

#include "platform/wintypes/Types.h"

namespace win {

// Only thread hooks exist: a thread of 0 (a system-wide hook) fails with ERROR_HOOK_NEEDS_HMOD, an
// unknown thread with ERROR_INVALID_THREAD_ID, an unsupported type with ERROR_INVALID_HOOK_FILTER.
HHOOK SetWindowsHookEx(int type, HOOKPROC proc, HINSTANCE instance, DWORD thread);
// Fails with ERROR_INVALID_HOOK_HANDLE for a hook that is not installed (any more).
BOOL UnhookWindowsHookEx(HHOOK hook);
// Calls the hook installed before hook, of the same type and thread; 0 when there is none.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

}  // namespace win
