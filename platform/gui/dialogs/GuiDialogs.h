#pragma once
// Start-up and shut-down of the dialogs: the dialog components' classes, registered for stored window
// data and scripts, and unregistered again.

namespace gui::dialogs {

void initialize();
void finalize();

}  // namespace gui::dialogs
