// A printer's answer of any bytes, read as IPP into capabilities and made fit: what comes out has papers
// of positive sizes with room inside their margins, bounded lists and names, and sane numbers.
#include "platform/printing/detail/Capabilities.h"
#include "platform/printing/detail/Cups.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace win;
    PrinterCapabilities capabilities;
    try {
        capabilities = detail::CapabilitiesFromIpp(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EPrintError&) {
        return 0;
    }
    detail::SanitizeCapabilities(capabilities);
    if (capabilities.papers.empty() || capabilities.papers.size() > detail::kMaxPapers ||
        capabilities.sources.size() > detail::kMaxListed || capabilities.resolutions.empty() ||
        capabilities.resolutions.size() > detail::kMaxListed || capabilities.maxCopies < 1 ||
        capabilities.maxCopies > detail::kMaxCopies) {
        __builtin_trap();
    }
    for (const Paper& paper : capabilities.papers) {
        if (paper.width <= 0 || paper.length <= 0 || paper.width > detail::kMaxPaperLength ||
            paper.length > detail::kMaxPaperLength || paper.name.size() > detail::kPaperNameLength ||
            paper.margins.left < 0 || paper.margins.right < 0 || paper.margins.top < 0 || paper.margins.bottom < 0 ||
            std::int64_t{paper.margins.left} + paper.margins.right >= paper.width ||
            std::int64_t{paper.margins.top} + paper.margins.bottom >= paper.length) {
            __builtin_trap();
        }
    }
    for (const PaperSource& source : capabilities.sources) {
        if (source.name.size() > detail::kSourceNameLength) {
            __builtin_trap();
        }
    }
    for (const Resolution& resolution : capabilities.resolutions) {
        if (resolution.x < 1 || resolution.y < 1 || resolution.x > detail::kMaxResolution || resolution.y > detail::kMaxResolution) {
            __builtin_trap();
        }
    }
    return 0;
}
