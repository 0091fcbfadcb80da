#pragma once
// Start-up and shut-down of the standard controls: their classes and the menus', registered for stored
// window data and scripts, and unregistered again.

namespace gui::controls {

void initialize();
void finalize();

}  // namespace gui::controls
