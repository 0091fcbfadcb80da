#pragma once
// Start-up and shut-down of the page control library: initialize() starts the tab control's unit,
// then the painters' (their colour sets, the palette notifier and the registered styles); finalize()
// ends them in reverse. initialize() also registers the page control and tab sheet classes for stored
// windows. Runs after the control foundation's start-up and before its shut-down.

namespace pagecontrol {

void initialize();
void finalize();

}  // namespace pagecontrol
