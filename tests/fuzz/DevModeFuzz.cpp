// A device mode of any bytes merged into a printer's defaults: the result is always a device mode the
// printer honours, and the settings it stands for are paper the printer has.
#include "platform/printing/detail/DevMode.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace win;

detail::PrinterModel Printer(bool rich)
{
    PrinterCapabilities capabilities;
    capabilities.papers = {Paper{"iso_a4_210x297mm", "A4", 21000, 29700, RECT{423, 423, 423, 423}},
                           Paper{"na_letter_8.5x11in", "Letter", 21590, 27940, RECT{}},
                           Paper{"photo", "Photo", 10000, 15000, RECT{}}};
    capabilities.resolutions = {{600, 600}, {300, 300}};
    if (rich) {
        capabilities.sources = {{"auto", "Auto"}, {"tray-1", "Tray 1"}, {"roll", "Roll"}};
        capabilities.duplex = capabilities.color = capabilities.collate = true;
        capabilities.maxCopies = 999;
        capabilities.custom = CustomSizes{2500, 100000, 2500, 100000};
    }
    PrinterDefaults defaults;
    defaults.paper = "photo";
    defaults.resolution = {300, 300};
    return detail::MakePrinterModel("Fuzz", capabilities, defaults);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const detail::PrinterModel printers[] = {Printer(true), Printer(false)};
    if (size < 1) {
        return 0;
    }
    const detail::PrinterModel& printer = printers[data[0] & 1];
    // The program's device mode: the bytes, followed by zeros up to the size ours would have.
    detail::FullDevMode given{};
    std::memcpy(static_cast<void*>(&given), data + 1, std::min(size - 1, sizeof(given)));
    const detail::FullDevMode merged = detail::ReadDevMode(printer, &given.mode);
    if (!detail::IsValidDevMode(printer, merged)) {
        __builtin_trap();
    }
    const detail::PrintSettings settings = detail::SettingsOf(printer, merged);
    if (settings.paper.width <= 0 || settings.paper.length <= 0 || settings.copies < 1 ||
        settings.copies > printer.capabilities.maxCopies || settings.resolution.x <= 0) {
        __builtin_trap();
    }
    return 0;
}
