#pragma once
// Start-up and shut-down of the services: initialize() forgets the sounds asked for so far and registers
// the libraries the desktop's programs stand in for ("HHCTRL.OCX" while xdg-open is installed,
// "MAPI32.DLL" while xdg-email is); finalize() unregisters them. The dialog service and the launcher
// installed stay, so that a caller may install its own before the libraries start.

namespace win::services {

void initialize();
void finalize();

}  // namespace win::services
