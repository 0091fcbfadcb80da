#pragma once
// The one hidden window that runs relayed calls on the GUI thread: made by the first thread object
// (on its thread), destroyed with the last; a count of users under the unit's critical section.

#include "platform/wintypes/Types.h"

namespace update::detail {

// update::initialize() and finalize(): the lock, and a window left over.
void InitializeRelayWindow();
void FinalizeRelayWindow();

void EnterRelayWindow();
// The last user destroys the window, or, on another thread than the window's, asks it to go.
void LeaveRelayWindow();
// The window while any thread object exists, null otherwise.
win::HWND RelayWindow();

}  // namespace update::detail
