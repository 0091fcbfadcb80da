#pragma once
// Start-up and shut-down of the GUI class library. initialize() registers its classes for stored window
// data and scripts, the picture file formats of the library and the loaders of the program's icons and
// cursors, and makes the screen and application objects; finalize() frees the application (and with it
// the forms it owns), the screen and the printer object, and drops all of that again. Runs after the
// window system's start-up and before its shut-down.

namespace gui {

void initialize();
void finalize();

}  // namespace gui
