#pragma once
// Start-up and shut-down of the services: initialize() forgets the sounds asked for so far; the dialog
// service installed stays, so that a caller may install its own before the libraries start.

namespace win::services {

void initialize();
void finalize();

}  // namespace win::services
