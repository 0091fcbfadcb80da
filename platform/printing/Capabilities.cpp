#include "platform/printing/detail/Capabilities.h"

#include <algorithm>

namespace win {

namespace {

class Corrections {
public:
    void Note(std::size_t count, const char* what)
    {
        if (count > 0) {
            text_ += (text_.empty() ? "" : ", ") + std::to_string(count) + " " + what;
        }
    }
    std::string Text() const { return text_; }

private:
    std::string text_;
};

bool Cut(std::string& name, std::size_t length)
{
    if (name.size() <= length) {
        return false;
    }
    name.resize(length);
    return true;
}

bool UsableLength(int length)
{
    return length > 0 && length <= detail::kMaxPaperLength;
}

// Margins that leave nothing printable (or lie outside the paper) are taken away.
bool ClampMargins(LONG& first, LONG& second, int length)
{
    const bool negative = first < 0 || second < 0;
    first = std::max<LONG>(first, 0);
    second = std::max<LONG>(second, 0);
    if (std::int64_t{first} + second >= length) {
        first = second = 0;
        return true;
    }
    return negative;
}

template <class Item>
std::size_t Bound(std::vector<Item>& items, std::size_t limit)
{
    const std::size_t extra = items.size() > limit ? items.size() - limit : 0;
    items.resize(std::min(items.size(), limit));
    return extra;
}

}  // namespace

std::string detail::SanitizeCapabilities(PrinterCapabilities& capabilities)
{
    Corrections corrections;
    std::vector<Paper>& papers = capabilities.papers;
    const auto unusable = std::remove_if(papers.begin(), papers.end(), [](const Paper& paper) {
        return !UsableLength(paper.width) || !UsableLength(paper.length);
    });
    corrections.Note(std::size_t(papers.end() - unusable), "papers of impossible sizes skipped");
    papers.erase(unusable, papers.end());
    corrections.Note(Bound(papers, kMaxPapers), "papers beyond the 256th skipped");
    std::size_t margins = 0;
    std::size_t paperNames = 0;
    for (Paper& paper : papers) {
        const bool across = ClampMargins(paper.margins.left, paper.margins.right, paper.width);
        const bool down = ClampMargins(paper.margins.top, paper.margins.bottom, paper.length);
        margins += across || down;
        if (paper.name.empty()) {
            paper.name = paper.keyword;
        }
        paperNames += Cut(paper.name, kPaperNameLength);
    }
    corrections.Note(margins, "papers' margins clamped");
    corrections.Note(paperNames, "paper names cut");
    if (papers.empty()) {
        papers.push_back(Paper{"iso_a4_210x297mm", "A4", 21000, 29700, RECT{500, 500, 500, 500}});
        corrections.Note(1, "A4 put in place of no usable paper");
    }

    corrections.Note(Bound(capabilities.sources, kMaxListed), "sources beyond the 256th skipped");
    std::size_t sourceNames = 0;
    for (PaperSource& source : capabilities.sources) {
        if (source.name.empty()) {
            source.name = source.keyword;
        }
        sourceNames += Cut(source.name, kSourceNameLength);
    }
    corrections.Note(sourceNames, "source names cut");

    std::vector<Resolution>& resolutions = capabilities.resolutions;
    const auto impossible = std::remove_if(resolutions.begin(), resolutions.end(), [](Resolution r) {
        return r.x <= 0 || r.y <= 0 || r.x > kMaxResolution || r.y > kMaxResolution;
    });
    corrections.Note(std::size_t(resolutions.end() - impossible), "impossible resolutions skipped");
    resolutions.erase(impossible, resolutions.end());
    corrections.Note(Bound(resolutions, kMaxListed), "resolutions beyond the 256th skipped");
    if (resolutions.empty()) {
        resolutions.push_back(Resolution{300, 300});
    }

    const int copies = std::clamp(capabilities.maxCopies, 1, kMaxCopies);
    corrections.Note(copies != capabilities.maxCopies, "copy limit clamped");
    capabilities.maxCopies = copies;

    CustomSizes& custom = capabilities.custom;
    if (custom.maxWidth != 0 || custom.maxLength != 0) {
        const CustomSizes asked = custom;
        custom.minWidth = std::max(custom.minWidth, 1);
        custom.minLength = std::max(custom.minLength, 1);
        custom.maxWidth = std::min(custom.maxWidth, kMaxPaperLength);
        custom.maxLength = std::min(custom.maxLength, kMaxPaperLength);
        if (custom.minWidth > custom.maxWidth || custom.minLength > custom.maxLength) {
            custom = CustomSizes{};
        }
        corrections.Note(asked.minWidth != custom.minWidth || asked.maxWidth != custom.maxWidth ||
                             asked.minLength != custom.minLength || asked.maxLength != custom.maxLength,
                         "custom size range clamped");
    }
    corrections.Note(Bound(capabilities.formats, kMaxListed), "document formats beyond the 256th skipped");
    return corrections.Text();
}

void detail::SanitizeDefaults(const PrinterCapabilities& capabilities, PrinterDefaults& defaults)
{
    const std::vector<Paper>& papers = capabilities.papers;
    if (std::none_of(papers.begin(), papers.end(), [&](const Paper& p) { return p.keyword == defaults.paper; })) {
        defaults.paper = papers.empty() ? std::string() : papers.front().keyword;
    }
    const std::vector<PaperSource>& sources = capabilities.sources;
    if (std::none_of(sources.begin(), sources.end(), [&](const PaperSource& s) { return s.keyword == defaults.source; })) {
        defaults.source = sources.empty() ? std::string() : sources.front().keyword;
    }
    const std::vector<Resolution>& resolutions = capabilities.resolutions;
    if (std::find(resolutions.begin(), resolutions.end(), defaults.resolution) == resolutions.end()) {
        defaults.resolution = resolutions.empty() ? Resolution{300, 300} : resolutions.front();
    }
    if (defaults.duplex < DMDUP_SIMPLEX || defaults.duplex > DMDUP_HORIZONTAL || !capabilities.duplex) {
        defaults.duplex = DMDUP_SIMPLEX;
    }
    defaults.color = defaults.color && capabilities.color;
    defaults.collate = defaults.collate && capabilities.collate;
    defaults.copies = std::clamp(defaults.copies, 1, capabilities.maxCopies);
}

}  // namespace win
