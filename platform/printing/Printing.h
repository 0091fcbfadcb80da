#pragma once
// Start-up and shut-down of the printing library: both drop the installed back end, so the program
// starts without printers until a back end is installed. Runs after the GDI's start-up and before its
// shut-down, since pages are drawn through the GDI.

namespace win::printing {

void initialize();
void finalize();

}  // namespace win::printing
