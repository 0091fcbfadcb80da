#pragma once
// A printer as the spooler calls and printer contexts see it: its capabilities (made fit for device
// modes), its defaults, and the numbers device modes give its papers and sources. Kept per printer until
// another back end is installed.

#include "platform/printing/PrintBackend.h"

#include <memory>
#include <string>
#include <vector>

namespace win::detail {

struct PrinterModel {
    std::string name;
    PrinterCapabilities capabilities;
    PrinterDefaults defaults;
    std::vector<SHORT> paperCodes;  // one per paper
    std::vector<SHORT> sourceCodes;  // one per source

    // Positions in the lists, -1 when absent.
    int PaperOfCode(SHORT code) const;
    int PaperOfKeyword(const std::string& keyword) const;
    int SourceOfCode(SHORT code) const;
    int SourceOfKeyword(const std::string& keyword) const;
};

// Builds the model from what a back end answered; what had to be corrected is told on one line of the
// standard error stream.
PrinterModel MakePrinterModel(const std::string& name, PrinterCapabilities capabilities, PrinterDefaults defaults);
// The model of a printer of the installed back end; EPrintError as the back end raises it, and with
// ERROR_INVALID_PRINTER_NAME when there is no back end.
std::shared_ptr<const PrinterModel> FindPrinterModel(const std::string& printer);
// Forgets every model (the back end changes).
void ForgetPrinterModels();

}  // namespace win::detail
