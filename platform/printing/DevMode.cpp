#include "platform/printing/detail/DevMode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace win {

using namespace detail;

namespace {

constexpr DWORD kFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                          DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLOR | DM_DUPLEX | DM_COLLATE;

template <std::size_t N>
void CopyText(char (&to)[N], std::string_view text)
{
    std::memset(to, 0, N);
    std::memcpy(to, text.data(), std::min(text.size(), N - 1));
}

template <std::size_t N>
void CopyText(BYTE (&to)[N], std::string_view text)
{
    std::memset(to, 0, N);
    std::memcpy(to, text.data(), std::min(text.size(), N - 1));
}

template <std::size_t N>
std::string TextOf(const char (&from)[N])
{
    return std::string(from, strnlen(from, N));
}

SHORT Tenths(int hundredths)
{
    return static_cast<SHORT>(std::clamp((hundredths + 5) / 10, 0, 32767));
}

// The extra part of a program's device mode, when it is ours.
const DevModeExtra* ExtraOf(const DEVMODEA& mode)
{
    if (mode.dmSize != sizeof(DEVMODEA) || mode.dmDriverExtra != sizeof(DevModeExtra)) {
        return nullptr;
    }
    const auto* extra = reinterpret_cast<const DevModeExtra*>(reinterpret_cast<const BYTE*>(&mode) + sizeof(DEVMODEA));
    return std::memcmp(extra->signature, DevModeExtra{}.signature, sizeof(extra->signature)) == 0 ? extra : nullptr;
}

void SetPaper(const PrinterModel& printer, FullDevMode& result, int index)
{
    const Paper& paper = printer.capabilities.papers[std::size_t(index)];
    result.mode.dmPaperSize = printer.paperCodes[std::size_t(index)];
    result.mode.dmPaperWidth = Tenths(paper.width);
    result.mode.dmPaperLength = Tenths(paper.length);
    CopyText(result.mode.dmFormName, paper.name);
    result.extra.paperCode = result.mode.dmPaperSize;
    CopyText(result.extra.media, paper.keyword.size() < sizeof(result.extra.media) ? paper.keyword : "");
}

void SetSource(const PrinterModel& printer, FullDevMode& result, int index)
{
    const std::string keyword = index < 0 ? std::string() : printer.capabilities.sources[std::size_t(index)].keyword;
    result.mode.dmDefaultSource = index < 0 ? DMBIN_AUTO : printer.sourceCodes[std::size_t(index)];
    result.extra.sourceCode = result.mode.dmDefaultSource;
    CopyText(result.extra.source, keyword.size() < sizeof(result.extra.source) ? keyword : "");
}

// The paper a device mode names: by its keyword while the number is the one it was written with, else
// by the number; -1 for neither.
int PaperOf(const PrinterModel& printer, SHORT code, const DevModeExtra* extra)
{
    const int named = extra && extra->paperCode == code ? printer.PaperOfKeyword(TextOf(extra->media)) : -1;
    return named >= 0 ? named : printer.PaperOfCode(code);
}

int SourceOf(const PrinterModel& printer, SHORT code, const DevModeExtra* extra)
{
    const int named = extra && extra->sourceCode == code ? printer.SourceOfKeyword(TextOf(extra->source)) : -1;
    return named >= 0 ? named : printer.SourceOfCode(code);
}

void SetResolution(FullDevMode& result, Resolution resolution)
{
    result.mode.dmPrintQuality = static_cast<SHORT>(resolution.x);
    result.mode.dmYResolution = static_cast<SHORT>(resolution.y);
}

// The printer's resolution a program asks for: dots per inch (the first that matches, else the nearest
// across), or DMRES_HIGH .. DMRES_DRAFT from the finest to the coarsest.
std::optional<Resolution> AskedResolution(const std::vector<Resolution>& resolutions, SHORT quality, SHORT y, bool withY)
{
    if (resolutions.empty()) {
        return std::nullopt;
    }
    if (quality >= DMRES_HIGH && quality <= DMRES_DRAFT) {
        std::vector<Resolution> finest = resolutions;
        std::stable_sort(finest.begin(), finest.end(), [](Resolution a, Resolution b) {
            return std::int64_t{a.x} * a.y > std::int64_t{b.x} * b.y;
        });
        const int steps = static_cast<int>(finest.size()) - 1;
        const int index = (steps * (quality - DMRES_HIGH) * 2 + 3) / 6;  // -4 .. -1 spread over the list
        return finest[std::size_t(std::clamp(index, 0, steps))];
    }
    if (quality <= 0) {
        return std::nullopt;
    }
    for (const Resolution& resolution : resolutions) {
        if (resolution.x == quality && (!withY || y <= 0 || resolution.y == y)) {
            return resolution;
        }
    }
    return *std::min_element(resolutions.begin(), resolutions.end(), [quality](Resolution a, Resolution b) {
        return std::abs(a.x - quality) < std::abs(b.x - quality);
    });
}

}  // namespace

FullDevMode detail::DefaultDevMode(const PrinterModel& printer)
{
    const PrinterDefaults& defaults = printer.defaults;
    FullDevMode result;
    DEVMODEA& mode = result.mode;
    CopyText(mode.dmDeviceName, printer.name);
    mode.dmSpecVersion = DM_SPECVERSION;
    mode.dmDriverVersion = 1;
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmDriverExtra = sizeof(DevModeExtra);
    mode.dmFields = kFields;
    mode.dmOrientation = DMORIENT_PORTRAIT;
    mode.dmScale = 100;
    SetPaper(printer, result, std::max(printer.PaperOfKeyword(defaults.paper), 0));
    SetSource(printer, result, printer.SourceOfKeyword(defaults.source));
    SetResolution(result, defaults.resolution);
    mode.dmCopies = static_cast<SHORT>(defaults.copies);
    mode.dmColor = defaults.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    mode.dmDuplex = defaults.duplex;
    mode.dmCollate = defaults.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    return result;
}

FullDevMode detail::MergeDevMode(const PrinterModel& printer, const FullDevMode& base, const DEVMODEA& change)
{
    FullDevMode result = base;
    if (change.dmSize != sizeof(DEVMODEA)) {
        return result;
    }
    const PrinterCapabilities& capabilities = printer.capabilities;
    const PrinterDefaults& defaults = printer.defaults;
    const FullDevMode fallback = DefaultDevMode(printer);
    const DevModeExtra* extra = ExtraOf(change);
    DEVMODEA& mode = result.mode;
    const DWORD fields = change.dmFields;

    if (fields & DM_ORIENTATION) {
        const bool valid = change.dmOrientation == DMORIENT_PORTRAIT || change.dmOrientation == DMORIENT_LANDSCAPE;
        mode.dmOrientation = valid ? change.dmOrientation : DMORIENT_PORTRAIT;
    }
    if (fields & DM_PAPERSIZE) {
        const bool sized = (fields & DM_PAPERWIDTH) && (fields & DM_PAPERLENGTH) && change.dmPaperWidth > 0 &&
                           change.dmPaperLength > 0;
        const int index = PaperOf(printer, change.dmPaperSize, extra);
        if (change.dmPaperSize == DMPAPER_USER && sized) {
            mode.dmPaperSize = DMPAPER_USER;
            mode.dmPaperWidth = change.dmPaperWidth;
            mode.dmPaperLength = change.dmPaperLength;
            CopyText(mode.dmFormName, "Custom");
            result.extra.paperCode = DMPAPER_USER;
            CopyText(result.extra.media, CustomMediaKeyword(change.dmPaperWidth * 10, change.dmPaperLength * 10));
        } else {
            SetPaper(printer, result, index >= 0 ? index : std::max(printer.PaperOfKeyword(defaults.paper), 0));
        }
    }
    if (fields & DM_COPIES) {
        mode.dmCopies = change.dmCopies < 1 ? fallback.mode.dmCopies
                                            : static_cast<SHORT>(std::min<int>(change.dmCopies, capabilities.maxCopies));
    }
    if (fields & DM_DEFAULTSOURCE) {
        const int index = SourceOf(printer, change.dmDefaultSource, extra);
        SetSource(printer, result, index >= 0 ? index : printer.SourceOfKeyword(defaults.source));
    }
    if (fields & DM_PRINTQUALITY) {
        const std::optional<Resolution> asked = AskedResolution(capabilities.resolutions, change.dmPrintQuality,
                                                                change.dmYResolution, fields & DM_YRESOLUTION);
        SetResolution(result, asked.value_or(defaults.resolution));
    }
    if (fields & DM_COLOR) {
        const bool valid = change.dmColor == DMCOLOR_MONOCHROME || change.dmColor == DMCOLOR_COLOR;
        const bool color = valid ? change.dmColor == DMCOLOR_COLOR && capabilities.color : defaults.color;
        mode.dmColor = color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    }
    if (fields & DM_DUPLEX) {
        const bool valid = change.dmDuplex >= DMDUP_SIMPLEX && change.dmDuplex <= DMDUP_HORIZONTAL;
        mode.dmDuplex = !valid ? defaults.duplex : capabilities.duplex ? change.dmDuplex : DMDUP_SIMPLEX;
    }
    if (fields & DM_COLLATE) {
        const bool valid = change.dmCollate == DMCOLLATE_FALSE || change.dmCollate == DMCOLLATE_TRUE;
        const bool collate = valid ? change.dmCollate == DMCOLLATE_TRUE && capabilities.collate : defaults.collate;
        mode.dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    }
    return result;
}

FullDevMode detail::ReadDevMode(const PrinterModel& printer, const DEVMODEA* mode)
{
    const FullDevMode defaults = DefaultDevMode(printer);
    return mode ? MergeDevMode(printer, defaults, *mode) : defaults;
}

bool detail::IsValidDevMode(const PrinterModel& printer, const FullDevMode& full)
{
    const DEVMODEA& mode = full.mode;
    const PrinterCapabilities& capabilities = printer.capabilities;
    const bool paper = mode.dmPaperSize == DMPAPER_USER ? mode.dmPaperWidth > 0 && mode.dmPaperLength > 0
                                                        : printer.PaperOfCode(mode.dmPaperSize) >= 0;
    const bool source = printer.SourceOfCode(mode.dmDefaultSource) >= 0 ||
                        (mode.dmDefaultSource == DMBIN_AUTO && printer.SourceOfKeyword(printer.defaults.source) < 0);
    const Resolution resolution{mode.dmPrintQuality, mode.dmYResolution};
    const auto& resolutions = capabilities.resolutions;
    return mode.dmSize == sizeof(DEVMODEA) && mode.dmDriverExtra == sizeof(DevModeExtra) && mode.dmFields == kFields &&
           (mode.dmOrientation == DMORIENT_PORTRAIT || mode.dmOrientation == DMORIENT_LANDSCAPE) && paper && source &&
           std::find(resolutions.begin(), resolutions.end(), resolution) != resolutions.end() && mode.dmCopies >= 1 &&
           mode.dmCopies <= capabilities.maxCopies &&
           (mode.dmColor == DMCOLOR_MONOCHROME || (mode.dmColor == DMCOLOR_COLOR && capabilities.color)) &&
           (mode.dmDuplex == DMDUP_SIMPLEX || (capabilities.duplex && (mode.dmDuplex == DMDUP_VERTICAL ||
                                                                       mode.dmDuplex == DMDUP_HORIZONTAL))) &&
           (mode.dmCollate == DMCOLLATE_FALSE || (mode.dmCollate == DMCOLLATE_TRUE && capabilities.collate)) &&
           full.extra.media[sizeof(full.extra.media) - 1] == '\0' && full.extra.source[sizeof(full.extra.source) - 1] == '\0';
}

PrintSettings detail::SettingsOf(const PrinterModel& printer, const FullDevMode& full)
{
    const DEVMODEA& mode = full.mode;
    const PrinterCapabilities& capabilities = printer.capabilities;
    PrintSettings settings;
    const int defaultPaper = std::max(printer.PaperOfKeyword(printer.defaults.paper), 0);
    if (mode.dmPaperSize == DMPAPER_USER) {
        const int width = mode.dmPaperWidth * 10;
        const int length = mode.dmPaperLength * 10;
        if (capabilities.custom.Holds(width, length)) {
            settings.paper = capabilities.papers[std::size_t(defaultPaper)];
            settings.paper.keyword = CustomMediaKeyword(width, length);
            settings.paper.name = "Custom";
            settings.paper.width = width;
            settings.paper.length = length;
        } else {
            std::int64_t smallest = INT64_MAX;
            settings.paperIndex = defaultPaper;
            for (std::size_t index = 0; index < capabilities.papers.size(); ++index) {
                const Paper& paper = capabilities.papers[index];
                const std::int64_t area = std::int64_t{paper.width} * paper.length;
                if (paper.width >= width && paper.length >= length && area < smallest) {
                    smallest = area;
                    settings.paperIndex = static_cast<int>(index);
                }
            }
        }
    } else {
        const int index = PaperOf(printer, mode.dmPaperSize, &full.extra);
        settings.paperIndex = index >= 0 ? index : defaultPaper;
    }
    if (settings.paperIndex >= 0) {
        settings.paper = capabilities.papers[std::size_t(settings.paperIndex)];
    }
    settings.orientation = mode.dmOrientation == DMORIENT_LANDSCAPE ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    settings.sourceIndex = SourceOf(printer, mode.dmDefaultSource, &full.extra);

    Resolution asked{mode.dmPrintQuality, mode.dmYResolution};
    const std::vector<Resolution>& resolutions = capabilities.resolutions;
    if (std::find(resolutions.begin(), resolutions.end(), asked) == resolutions.end()) {
        asked = printer.defaults.resolution;
    }
    const std::vector<Resolution>& sendable = capabilities.pageResolutions;
    settings.resolution = asked;
    if (!sendable.empty() && std::find(sendable.begin(), sendable.end(), asked) == sendable.end()) {
        settings.resolution = *std::min_element(sendable.begin(), sendable.end(), [&](Resolution a, Resolution b) {
            return std::abs(a.x - asked.x) + std::abs(a.y - asked.y) < std::abs(b.x - asked.x) + std::abs(b.y - asked.y);
        });
    }
    settings.duplex = capabilities.duplex && mode.dmDuplex >= DMDUP_SIMPLEX && mode.dmDuplex <= DMDUP_HORIZONTAL
                          ? mode.dmDuplex
                          : DMDUP_SIMPLEX;
    settings.color = mode.dmColor == DMCOLOR_COLOR && capabilities.color;
    settings.copies = std::clamp<int>(mode.dmCopies, 1, capabilities.maxCopies);
    settings.collate = mode.dmCollate == DMCOLLATE_TRUE && capabilities.collate;
    return settings;
}

std::string detail::CustomMediaKeyword(int width, int length)
{
    const auto millimetres = [](int hundredths) {
        std::string text = std::to_string(hundredths / 100);
        if (const int rest = hundredths % 100; rest != 0) {
            text += rest % 10 == 0 ? "." + std::to_string(rest / 10) : (rest < 10 ? ".0" : ".") + std::to_string(rest);
        }
        return text;
    };
    const std::string size = millimetres(width) + "x" + millimetres(length) + "mm";
    return "custom_" + size + "_" + size;
}

}  // namespace win
