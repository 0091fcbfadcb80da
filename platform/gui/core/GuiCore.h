#pragma once
// Start-up and shut-down of the class library's core. initialize() registers the control, form and action
// classes for stored window data and scripts, puts the program's clipboard object under the EDIT
// window's Cut, Copy and Paste, and makes the screen and application objects; finalize() ends a drag,
// frees the application (and with it the forms it owns) and the screen, and drops all of that again.

namespace gui::core {

void initialize();
void finalize();

}  // namespace gui::core
