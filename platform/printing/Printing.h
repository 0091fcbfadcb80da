#pragma once
// Start-up and shut-down of the printing library. Start-up installs the printers: the file printer when
// RIVUVE_PRINTER_DIR names its folder (FilePrinter.h), else the system's through CUPS; and lets the
// GDI's CreateDC and CreateIC make printer contexts. A damaged printers.ini stops it with EPrintError
// naming the line. Shut-down removes both. Runs after the start-up of the GDI and the text library and
// before their shut-down, since pages are drawn through them.

namespace win::printing {

void initialize();
void finalize();

}  // namespace win::printing
