#pragma once
// The printers of the file printer: one "File Printer", or those a printers.ini in its folder describes,
// one section per printer:
//
//   [Office]
//   Papers=A4, Letter, Photo 100x150     standard paper names, or a name and its size in millimetres
//   DefaultPaper=Letter                  one of the papers (the first when absent)
//   Sources=Automatically Select, Tray 1, Manual Feed
//   Resolutions=600, 300x150             dots per inch, across or across x down
//   Margins=4.2                          millimetres: all four, or left top right bottom
//   Duplex=Yes                           Yes or No (also 1/0, True/False)
//   Color=No
//
// A key left out takes the File Printer's setting. Blank lines and lines starting with ';' or '#' are
// skipped; any other line that is no section or known key with a sound value is damaged.

#include "platform/printing/PrintBackend.h"

#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

struct FilePrinterSpec {
    std::string name;
    PrinterCapabilities capabilities;
    PrinterDefaults defaults;
};

FilePrinterSpec DefaultFilePrinter();
// EPrintError (ERROR_INVALID_DATA) naming the first damaged line: "printers.ini line 4: ...".
std::vector<FilePrinterSpec> ReadPrintersIni(std::string_view text);

}  // namespace win::detail
