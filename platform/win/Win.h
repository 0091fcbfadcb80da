#pragma once
// Start-up and shut-down of the window system. initialize() starts a fresh system: no classes, no
// windows, the desktop and the message root, default system settings. finalize() writes the settings
// still held only in memory (raising when that fails), then drops whatever is
// left without sending any message. No other thread may use the window system across either call.

namespace win {

void initialize();
void finalize();

}  // namespace win
