#pragma once
// Window procedures bound to objects, and the hidden utility windows built on them.
//
// MakeObjectInstance turns a method into a real WNDPROC, so a window whose procedure is an object's
// method can be subclassed like any other (GetWindowLongPtr answers that WNDPROC and CallWindowProc
// calls it). The instances come from a fixed pool; running out raises EOutOfResources.

#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

namespace win {

WNDPROC MakeObjectInstance(TWndMethod method);
// Gives the instance back; a procedure that is not an instance is ignored.
void FreeObjectInstance(WNDPROC proc);

// A hidden top-level window of its own class, whose messages go to method; it receives broadcasts.
HWND AllocateHWnd(TWndMethod method);
// Destroys the window and frees its instance.
void DeallocateHWnd(HWND hwnd);

}  // namespace win
