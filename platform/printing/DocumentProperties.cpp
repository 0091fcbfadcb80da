#include "platform/printing/Spooler.h"

#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PrintErrors.h"
#include "platform/printing/detail/PrinterHandles.h"
#include "platform/services/DialogService.h"

#include <cstring>

namespace win {

using namespace detail;

namespace {

std::string ResolutionText(Resolution resolution)
{
    return resolution.x == resolution.y ? std::to_string(resolution.x) + " dpi"
                                        : std::to_string(resolution.x) + " x " + std::to_string(resolution.y) + " dpi";
}

// Shows the printer's properties dialog on a device mode; on IDOK the mode holds what the user chose.
int AskUser(const PrinterModel& printer, FullDevMode& mode)
{
    const PrinterCapabilities& capabilities = printer.capabilities;
    const PrintSettings settings = SettingsOf(printer, mode);
    DocumentPropertiesRequest request;
    request.printer = printer.name;
    for (const Paper& paper : capabilities.papers) {
        request.papers.push_back(paper.name);
    }
    for (const PaperSource& source : capabilities.sources) {
        request.sources.push_back(source.name);
    }
    for (const Resolution& resolution : capabilities.resolutions) {
        request.resolutions.push_back(ResolutionText(resolution));
    }
    request.duplexAvailable = capabilities.duplex;
    request.colorAvailable = capabilities.color;
    request.maxCopies = capabilities.maxCopies;
    request.paper = settings.paperIndex;
    request.source = settings.sourceIndex;
    const Resolution asked{mode.mode.dmPrintQuality, mode.mode.dmYResolution};
    const auto resolution = std::find(capabilities.resolutions.begin(), capabilities.resolutions.end(), asked);
    request.resolution = static_cast<int>(resolution - capabilities.resolutions.begin());
    request.landscape = settings.orientation == DMORIENT_LANDSCAPE;
    request.copies = settings.copies;
    request.collate = settings.collate;
    request.duplex = settings.duplex;
    request.color = settings.color;
    const DocumentPropertiesRequest shown = request;
    if (CurrentDialogService().DocumentProperties(request) != IDOK) {
        return IDCANCEL;
    }
    DEVMODEA change;
    change.dmSize = sizeof(DEVMODEA);
    change.dmFields = DM_ORIENTATION | DM_COPIES | DM_COLLATE | DM_DUPLEX | DM_COLOR;
    change.dmOrientation = request.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    change.dmCopies = static_cast<SHORT>(std::clamp(request.copies, 0, 32767));
    change.dmCollate = request.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    change.dmDuplex = static_cast<SHORT>(request.duplex);
    change.dmColor = request.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    // A paper of the list chosen anew replaces the one before (a size of the document's own among them).
    if (request.paper != shown.paper && request.paper >= 0 && std::size_t(request.paper) < capabilities.papers.size()) {
        change.dmFields |= DM_PAPERSIZE;
        change.dmPaperSize = printer.paperCodes[std::size_t(request.paper)];
    }
    if (request.source >= 0 && std::size_t(request.source) < capabilities.sources.size()) {
        change.dmFields |= DM_DEFAULTSOURCE;
        change.dmDefaultSource = printer.sourceCodes[std::size_t(request.source)];
    }
    if (request.resolution >= 0 && std::size_t(request.resolution) < capabilities.resolutions.size()) {
        const Resolution chosen = capabilities.resolutions[std::size_t(request.resolution)];
        change.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
        change.dmPrintQuality = static_cast<SHORT>(chosen.x);
        change.dmYResolution = static_cast<SHORT>(chosen.y);
    }
    mode = MergeDevMode(printer, mode, change);
    return IDOK;
}

}  // namespace

LONG DocumentPropertiesA(HWND, HANDLE printer, const char* deviceName, DEVMODEA* out, const DEVMODEA* in, DWORD mode)
{
    std::string name = deviceName ? deviceName : "";
    if (printer) {
        const std::optional<std::string> open = PrinterOfHandle(printer);
        if (!open) {
            return -1;
        }
        name = *open;
    }
    std::shared_ptr<const PrinterModel> model;
    try {
        model = FindPrinterModel(name);
    } catch (const EPrintError& error) {
        NoteFailure(error);
        return -1;
    }
    if (mode == 0) {
        return sizeof(FullDevMode);
    }
    if ((mode & DM_OUT_BUFFER) && !out) {
        NoteFailure(ERROR_INVALID_PARAMETER, "DocumentProperties has no buffer to fill");
        return -1;
    }
    FullDevMode result = (mode & DM_IN_BUFFER) ? ReadDevMode(*model, in) : DefaultDevMode(*model);
    if ((mode & DM_IN_PROMPT) && AskUser(*model, result) != IDOK) {
        return IDCANCEL;
    }
    if (mode & DM_OUT_BUFFER) {
        std::memcpy(static_cast<void*>(out), &result, sizeof(result));
    }
    return IDOK;
}

}  // namespace win
