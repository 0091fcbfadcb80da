#pragma once
// Start-up and shut-down of the window system. initialize() starts a fresh system: no classes, no
// windows, the desktop (the size of the primary monitor) and the message root, no atoms, cursors or
// clipboard data. finalize() drops whatever is left without sending any message. The libraries below it
// (the GDI, text, services) start before it and end after it. No other thread may use the window system
// across either call.

namespace win {

void initialize();
void finalize();

}  // namespace win
