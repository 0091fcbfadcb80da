#pragma once
// The caret: one per thread, in the client area of one window. It is created hidden; ShowCaret and
// HideCaret nest. While shown it blinks on the installed clock (rtl::Clock), switching between drawn and
// not drawn every blink time through the window's system timer, and a move starts it drawn again.
// Drawing inverts the pixels under the caret; BeginPaint hides it while the window paints.

#include "platform/wintypes/Types.h"

namespace win {

// bitmap: null for a solid caret, (HBITMAP)1 for a grey one, or a bitmap giving its shape and size.
// A width or height of 0 takes the system's border width or height. Replaces the thread's caret.
BOOL CreateCaret(HWND hwnd, HANDLE bitmap, int width, int height);
BOOL DestroyCaret();
// Both fail for a window that does not own the caret (null: whichever window owns it).
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

}  // namespace win
