#include "platform/printing/Spooler.h"

#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PrintErrors.h"

#include <algorithm>
#include <cstring>

namespace win {

using namespace detail;

namespace {

// Copies the entries (when output is given) and answers their number.
template <class Entry, class Items, class Make>
int Entries(char* output, const Items& items, Make make)
{
    for (std::size_t index = 0; output && index < items.size(); ++index) {
        const Entry entry = make(items[index], index);
        std::memcpy(output + index * sizeof(Entry), &entry, sizeof(Entry));
    }
    return static_cast<int>(items.size());
}

template <std::size_t Length>
struct Name {
    char text[Length];
};

template <std::size_t Length>
Name<Length> NameOf(const std::string& text)
{
    Name<Length> name{};
    std::memcpy(name.text, text.data(), std::min(text.size(), Length - 1));
    return name;
}

LONG ToTenths(int hundredths)
{
    return (hundredths + 5) / 10;
}

// The smallest or largest size the printer takes, as one LONG of tenths of a millimetre (width low).
int Extent(const PrinterCapabilities& capabilities, bool largest)
{
    int width = largest ? capabilities.custom.maxWidth : capabilities.custom.minWidth;
    int length = largest ? capabilities.custom.maxLength : capabilities.custom.minLength;
    if (capabilities.custom.maxWidth == 0) {
        const auto widths = std::minmax_element(capabilities.papers.begin(), capabilities.papers.end(),
                                                [](const Paper& a, const Paper& b) { return a.width < b.width; });
        const auto lengths = std::minmax_element(capabilities.papers.begin(), capabilities.papers.end(),
                                                 [](const Paper& a, const Paper& b) { return a.length < b.length; });
        width = largest ? widths.second->width : widths.first->width;
        length = largest ? lengths.second->length : lengths.first->length;
    }
    return MAKELONG(WORD(std::min<LONG>(ToTenths(width), 0x7FFF)), WORD(std::min<LONG>(ToTenths(length), 0x7FFF)));
}

}  // namespace

int DeviceCapabilitiesA(const char* device, const char*, WORD capability, char* output, const DEVMODEA*)
{
    std::shared_ptr<const PrinterModel> model;
    try {
        if (!device) {
            throw EPrintError("DeviceCapabilities needs a printer name", ERROR_INVALID_PARAMETER);
        }
        model = FindPrinterModel(device);
    } catch (const EPrintError& error) {
        NoteFailure(error);
        return -1;
    }
    const PrinterCapabilities& capabilities = model->capabilities;
    switch (capability) {
    case DC_PAPERS:
        return Entries<WORD>(output, model->paperCodes, [](SHORT code, std::size_t) { return WORD(code); });
    case DC_PAPERNAMES:
        return Entries<Name<64>>(output, capabilities.papers, [](const Paper& paper, std::size_t) { return NameOf<64>(paper.name); });
    case DC_PAPERSIZE:
        return Entries<POINT>(output, capabilities.papers, [](const Paper& paper, std::size_t) {
            return POINT{ToTenths(paper.width), ToTenths(paper.length)};
        });
    case DC_BINS:
        return Entries<WORD>(output, model->sourceCodes, [](SHORT code, std::size_t) { return WORD(code); });
    case DC_BINNAMES:
        return Entries<Name<24>>(output, capabilities.sources,
                                 [](const PaperSource& source, std::size_t) { return NameOf<24>(source.name); });
    case DC_ENUMRESOLUTIONS:
        return Entries<POINT>(output, capabilities.resolutions, [](Resolution r, std::size_t) { return POINT{r.x, r.y}; });
    case DC_DUPLEX:
        return capabilities.duplex ? 1 : 0;
    case DC_COPIES:
        return capabilities.maxCopies;
    case DC_COLLATE:
        return capabilities.collate ? 1 : 0;
    case DC_ORIENTATION:
        return 90;
    case DC_COLORDEVICE:
        return capabilities.color ? 1 : 0;
    case DC_MINEXTENT:
        return Extent(capabilities, false);
    case DC_MAXEXTENT:
        return Extent(capabilities, true);
    case DC_SIZE:
        return sizeof(DEVMODEA);
    case DC_EXTRA:
        return sizeof(DevModeExtra);
    case DC_FIELDS:
        return static_cast<int>(DefaultDevMode(*model).mode.dmFields);
    case DC_VERSION:
        return DM_SPECVERSION;
    case DC_DRIVER:
        return 1;
    default:
        NoteFailure(ERROR_INVALID_PARAMETER, "The printer does not answer capability " + std::to_string(capability));
        return -1;
    }
}

}  // namespace win
