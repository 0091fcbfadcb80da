// A printers.ini of any bytes: refused with a message naming a line, or printers that need no
// correction at all (every value was checked as it was read).
#include "platform/printing/detail/Capabilities.h"
#include "platform/printing/detail/PrinterIni.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace win;
    std::vector<detail::FilePrinterSpec> printers;
    try {
        printers = detail::ReadPrintersIni(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EPrintError& error) {
        if (std::string_view(error.what()).rfind("printers.ini line ", 0) != 0) {
            __builtin_trap();
        }
        return 0;
    }
    for (detail::FilePrinterSpec& printer : printers) {
        std::string names;
        for (const Paper& paper : printer.capabilities.papers) {
            names += paper.name;
        }
        const std::string corrected = detail::SanitizeCapabilities(printer.capabilities);
        // Names are the only thing the reader leaves long.
        if (!corrected.empty() && corrected.find("names cut") == std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
