#pragma once
// The file printer (RIVUVE_PRINTER_DIR): a printer whose jobs become folders of page images, for tests
// and for looking at what would be printed. Its printer is "File Printer" (A4 default, Letter, Legal, A3,
// A5, B5 (JIS), Executive, Envelope DL and sizes of 25 to 1000 mm; sources "Automatically Select",
// "Tray 1", "Manual Feed"; 600 and 300 dpi; 1/6 inch margins; duplex; colour; 999 copies), or those of a
// printers.ini in the folder (detail/PrinterIni.h).
//
// A job becomes <folder>/<NNNN>-<document name>/ (NNNN the next free number; '/' and control
// characters of the name made '_'), holding page-0001.png ... (as drawn: a landscape page is a landscape
// image), job.ini (printer, document, copies, collation, and for each page its paper and size in mm,
// orientation, resolution, duplex, source and colour) and, for a raw job, raw.bin. The folder is built
// under a temporary name and takes its own at the job's end; an aborted job leaves nothing.

#include "platform/printing/PrintBackend.h"

#include <memory>
#include <string>

namespace win {

// folder in the system's form. EPrintError naming the line when printers.ini is damaged.
std::unique_ptr<PrintBackend> MakeFilePrinter(const std::string& folder);

}  // namespace win
