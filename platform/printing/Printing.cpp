#include "platform/printing/Printing.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/printing/FilePrinter.h"
#include "platform/printing/detail/Cups.h"
#include "platform/printing/detail/PrinterDC.h"

#include <cstdlib>

namespace win::printing {

void initialize()
{
    const char* folder = std::getenv("RIVUVE_PRINTER_DIR");
    SetPrintBackend(folder && *folder ? MakeFilePrinter(folder) : detail::MakeCupsBackend());
    detail::SetPrinterContextFactory(&detail::CreatePrinterDC);
}

void finalize()
{
    detail::SetPrinterContextFactory(nullptr);
    SetPrintBackend(nullptr);
}

}  // namespace win::printing
