#pragma once
// Message queues, one per thread, and the calls that send, post, fetch and dispatch messages.
//
// A thread gets its queue when it first needs one. Fetching looks, in this order, at: messages sent from
// other threads (handled at once, never answered to the caller), posted messages, keyboard and mouse
// input, the quit request, and timers that are due. WM_QUIT is answered whatever filter is given.
//
// A message sent to a window of another thread waits until that thread fetches messages (GetMessage,
// PeekMessage, WaitMessage) or itself waits for a sent message; the sending thread meanwhile handles
// messages sent to it, so two threads sending to each other do not deadlock.

#include "platform/wintypes/Types.h"

namespace win {

// Runs the window procedure (after the thread's WH_CALLWNDPROC hooks) and answers its result. A
// handle of HWND_BROADCAST sends to every top-level window, hidden and message-only ones included,
// and answers 0. An invalid window answers 0 with ERROR_INVALID_WINDOW_HANDLE.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// As SendMessage on the window's own thread; for another thread's window it queues the message and
// returns at once.
BOOL SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Queues the message for the window's thread; a null window makes it a message of the calling thread.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Fails with ERROR_INVALID_THREAD_ID for a thread without a queue.
BOOL PostThreadMessage(DWORD thread, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the calling thread's message loop to end: WM_QUIT comes once the posted messages are fetched.
void PostQuitMessage(int exitCode);

// Waits for a message of the filter and removes it. Answers 0 for WM_QUIT, -1 for an invalid window
// filter and non-zero otherwise. A window filter of -1 takes only thread messages; min = max = 0 takes
// every message.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// As GetMessage without waiting; answers whether a message was there. PM_REMOVE removes it.
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits until the queue holds something to fetch (or a message was sent and has been handled).
BOOL WaitMessage();

// Calls the window procedure of msg->hwnd, or for WM_TIMER with a timer procedure that procedure.
// Answers 0 for a window that is gone or belongs to another thread.
LRESULT DispatchMessage(const MSG* msg);

// The calling thread's queue: high word the kinds of message present (QS_*) among flags.
DWORD GetQueueStatus(UINT flags);
// True while the thread handles a message another thread sent it.
BOOL InSendMessage();
// Time and cursor position of the message last fetched.
LONG GetMessageTime();
DWORD GetMessagePos();

}  // namespace win
