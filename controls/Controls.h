#pragma once
// Start-up and shut-down of the control foundation. initialize() binds the optional system functions
// (the platform's, or a table a test gives), then starts the units in this order: the platform flags,
// the classes, the theme binding, the Office 2003 colours, the look-and-feel objects and the painters'
// shared resources; finalize() ends them in reverse. Runs after the GUI class library's start-up and
// before its shut-down.

#include "controls/clEntryPoints.h"

namespace controls {

void initialize(const TclEntryPoints& entries = PlatformEntryPoints());
void finalize();

}  // namespace controls
