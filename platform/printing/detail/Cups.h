#pragma once
// What the one unit that speaks to libcups (Cups.cpp) offers the rest of the library: the CUPS back end,
// page raster streams (PWG raster, as every driverless queue takes it and filters convert it for driver
// queues) and the reading of a printer's IPP attributes.

#include "platform/printing/PrintBackend.h"

#include <memory>
#include <string>
#include <string_view>

namespace win::detail {

// The printers of the CUPS scheduler the environment names (CUPS_SERVER, client.conf), as libcups finds
// it. A scheduler that cannot be reached counts as no printers, told once on the standard error stream.
std::unique_ptr<PrintBackend> MakeCupsBackend();

// A job whose pages go to a file as PWG raster: made beside the file under a temporary name, named at
// Finish. Copies are repeated pages (a file keeps no job attributes). EPrintError when the folder does
// not exist (ERROR_PATH_NOT_FOUND) or refuses the file; nothing is left behind.
std::unique_ptr<PrintJob> OpenPrintToFile(const std::string& fileName, const JobTicket& ticket);
// The same for a file in the system's form, for a printer that wants the backs of sheets as
// pwg-raster-document-sheet-back says ("normal", "flipped", "rotated", "manual-tumble").
std::unique_ptr<PrintJob> OpenRasterFile(const std::string& path, const JobTicket& ticket, const std::string& sheetBack);

// A printer's capabilities from a Get-Printer-Attributes response (IPP encoding): papers from
// media-col-database (or media-supported), and the -supported attributes the spooler calls read.
// Nothing is corrected here (Capabilities.h does that). EPrintError for bytes that are no IPP message.
PrinterCapabilities CapabilitiesFromIpp(std::string_view response);

}  // namespace win::detail
