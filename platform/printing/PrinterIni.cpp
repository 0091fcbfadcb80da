#include "platform/printing/detail/PrinterIni.h"

#include "platform/printing/detail/Capabilities.h"
#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PaperCodes.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace win {

using namespace detail;

namespace {

constexpr int kSixthInch = 423;  // hundredths of a millimetre

struct NamedPaper {
    const char* keyword;
    const char* name;
    int width;
    int length;
};

const NamedPaper kFilePapers[] = {
    {"iso_a4_210x297mm", "A4", 21000, 29700},
    {"na_letter_8.5x11in", "Letter", 21590, 27940},
    {"na_legal_8.5x14in", "Legal", 21590, 35560},
    {"iso_a3_297x420mm", "A3", 29700, 42000},
    {"iso_a5_148x210mm", "A5", 14800, 21000},
    {"jis_b5_182x257mm", "B5 (JIS)", 18200, 25700},
    {"na_executive_7.25x10.5in", "Executive", 18415, 26670},
    {"iso_dl_110x220mm", "Envelope DL", 11000, 22000},
};

PaperSource SourceNamed(const std::string& name)
{
    struct Kind {
        const char* name;
        const char* keyword;
    };
    static const Kind kinds[] = {
        {"Automatically Select", "auto"}, {"Auto", "auto"},           {"Manual Feed", "manual"}, {"Manual", "manual"},
        {"Envelope", "envelope"},         {"Main", "main"},           {"Alternate", "alternate"},
        {"Large Capacity", "large-capacity"},
    };
    for (const Kind& kind : kinds) {
        if (rtl::SameText(name, kind.name)) {
            return PaperSource{kind.keyword, name};
        }
    }
    // "Tray 2" is tray-2; anything else its name in lower case, blanks as dashes.
    std::string keyword;
    for (const char c : rtl::LowerCase(name)) {
        keyword += c == ' ' ? '-' : c;
    }
    if (keyword.rfind("tray-", 0) != 0 && keyword.rfind("tray", 0) == 0 && keyword.size() > 4) {
        keyword.insert(4, "-");
    }
    return PaperSource{keyword, name};
}

class Damaged {
public:
    explicit Damaged(int line) : line_(line) {}
    [[noreturn]] void operator()(const std::string& what) const
    {
        throw EPrintError("printers.ini line " + std::to_string(line_) + ": " + what, ERROR_INVALID_DATA);
    }

private:
    int line_;
};

std::vector<std::string> Items(const std::string& value)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        items.push_back(rtl::Trim(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) {
            return items;
        }
        start = comma + 1;
    }
}

// A decimal number, whole text.
std::optional<double> Number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

int Hundredths(double millimetres)
{
    return static_cast<int>(std::lround(millimetres * 100));
}

Paper ReadPaper(const std::string& item, const Damaged& damaged)
{
    for (const NamedPaper& known : kFilePapers) {
        if (rtl::SameText(item, known.name)) {
            return Paper{known.keyword, known.name, known.width, known.length, RECT{}};
        }
    }
    if (const StandardPaper* standard = FindStandardPaper(item)) {
        return Paper{CustomMediaKeyword(standard->width * 10, standard->length * 10), standard->name,
                     standard->width * 10, standard->length * 10, RECT{}};
    }
    const std::size_t blank = item.rfind(' ');
    const std::string size = blank == std::string::npos ? item : item.substr(blank + 1);
    const std::size_t times = size.find_first_of("xX");
    const std::optional<double> width = times == std::string::npos ? std::nullopt : Number(size.substr(0, times));
    const std::optional<double> length = times == std::string::npos ? std::nullopt : Number(size.substr(times + 1));
    if (blank == std::string::npos || !width || !length) {
        damaged("\"" + item + "\" is no standard paper and gives no size (a name and WIDTHxHEIGHT in millimetres)");
    }
    if (*width < 1 || *length < 1 || *width > kMaxPaperLength / 100 || *length > kMaxPaperLength / 100) {
        damaged("the paper \"" + item + "\" is not between 1 mm and 5 m each way");
    }
    const std::string name = rtl::Trim(item.substr(0, blank));
    Paper paper{"", name, Hundredths(*width), Hundredths(*length), RECT{}};
    paper.keyword = "custom_" + rtl::LowerCase(name) + "_" + CustomMediaKeyword(paper.width, paper.length).substr(7);
    std::replace(paper.keyword.begin(), paper.keyword.end(), ' ', '-');
    return paper;
}

Resolution ReadResolution(const std::string& item, const Damaged& damaged)
{
    const std::size_t times = item.find_first_of("xX");
    const std::optional<double> x = Number(item.substr(0, times));
    const std::optional<double> y = times == std::string::npos ? x : Number(item.substr(times + 1));
    if (!x || !y || *x != std::floor(*x) || *y != std::floor(*y) || *x < 1 || *y < 1 || *x > kMaxResolution ||
        *y > kMaxResolution) {
        damaged("\"" + item + "\" is no resolution from 1 to 9600 dots per inch");
    }
    return Resolution{int(*x), int(*y)};
}

bool ReadSwitch(const std::string& value, const Damaged& damaged)
{
    for (const char* yes : {"yes", "true", "1"}) {
        if (rtl::SameText(value, yes)) {
            return true;
        }
    }
    for (const char* no : {"no", "false", "0"}) {
        if (rtl::SameText(value, no)) {
            return false;
        }
    }
    damaged("\"" + value + "\" is neither Yes nor No");
}

RECT ReadMargins(const std::string& value, const Damaged& damaged)
{
    std::vector<int> sides;
    for (std::size_t start = 0; start < value.size();) {
        const std::size_t end = std::min(value.find(' ', start), value.size());
        if (end > start) {
            const std::optional<double> millimetres = Number(value.substr(start, end - start));
            if (!millimetres || *millimetres < 0 || *millimetres > 1000) {
                damaged("\"" + value + "\" are no margins in millimetres");
            }
            sides.push_back(Hundredths(*millimetres));
        }
        start = end + 1;
    }
    if (sides.size() == 1) {
        return RECT{sides[0], sides[0], sides[0], sides[0]};
    }
    if (sides.size() != 4) {
        damaged("margins are one length, or four: left top right bottom");
    }
    return RECT{sides[0], sides[1], sides[2], sides[3]};
}

// A section as it is read: the keys given so far.
struct Section {
    FilePrinterSpec spec;
    int line = 0;
    std::optional<std::string> defaultPaper;
    int defaultPaperLine = 0;
    RECT margins{kSixthInch, kSixthInch, kSixthInch, kSixthInch};
};

FilePrinterSpec Finish(Section section)
{
    FilePrinterSpec& spec = section.spec;
    std::vector<Paper>& papers = spec.capabilities.papers;
    for (Paper& paper : papers) {
        paper.margins = section.margins;
        if (section.margins.left + section.margins.right >= paper.width ||
            section.margins.top + section.margins.bottom >= paper.length) {
            Damaged(section.line)("the margins leave nothing of the paper \"" + paper.name + "\"");
        }
    }
    spec.defaults.paper = papers.front().keyword;
    if (section.defaultPaper) {
        const auto found = std::find_if(papers.begin(), papers.end(),
                                        [&](const Paper& paper) { return rtl::SameText(paper.name, *section.defaultPaper); });
        if (found == papers.end()) {
            Damaged(section.defaultPaperLine)("the default paper \"" + *section.defaultPaper + "\" is none of the papers");
        }
        spec.defaults.paper = found->keyword;
    }
    spec.defaults.source = spec.capabilities.sources.empty() ? std::string() : spec.capabilities.sources.front().keyword;
    spec.defaults.resolution = spec.capabilities.resolutions.front();
    spec.defaults.color = spec.capabilities.color;
    return spec;
}

}  // namespace

FilePrinterSpec detail::DefaultFilePrinter()
{
    FilePrinterSpec spec;
    spec.name = "File Printer";
    PrinterCapabilities& capabilities = spec.capabilities;
    for (const NamedPaper& paper : kFilePapers) {
        capabilities.papers.push_back(
            Paper{paper.keyword, paper.name, paper.width, paper.length, RECT{kSixthInch, kSixthInch, kSixthInch, kSixthInch}});
    }
    for (const char* source : {"Automatically Select", "Tray 1", "Manual Feed"}) {
        capabilities.sources.push_back(SourceNamed(source));
    }
    capabilities.resolutions = {Resolution{600, 600}, Resolution{300, 300}};
    capabilities.duplex = true;
    capabilities.color = true;
    capabilities.maxCopies = 999;
    capabilities.collate = true;
    capabilities.custom = CustomSizes{2500, 100000, 2500, 100000};
    PrinterDefaults& defaults = spec.defaults;
    defaults.paper = "iso_a4_210x297mm";
    defaults.source = "auto";
    defaults.resolution = Resolution{600, 600};
    defaults.color = true;
    defaults.collate = true;
    return spec;
}

std::vector<FilePrinterSpec> detail::ReadPrintersIni(std::string_view text)
{
    std::vector<FilePrinterSpec> printers;
    std::optional<Section> section;
    const auto close = [&] {
        if (section) {
            printers.push_back(Finish(std::move(*section)));
            section.reset();
        }
    };
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = rtl::Trim(text.substr(start, end - start));
        start = end + 1;
        ++number;
        const Damaged damaged(number);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::string name = line.back() == ']' ? rtl::Trim(line.substr(1, line.size() - 2)) : std::string();
            if (name.empty() || name.find_first_of("/,") != std::string::npos) {
                damaged("a section names a printer: [name], without '/' or ','");
            }
            close();
            if (std::any_of(printers.begin(), printers.end(), [&](const FilePrinterSpec& p) { return rtl::SameText(p.name, name); })) {
                damaged("the printer \"" + name + "\" is described twice");
            }
            section.emplace();
            section->spec = DefaultFilePrinter();
            section->spec.name = name;
            section->line = number;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!section || equals == std::string::npos) {
            damaged(section ? "\"" + line + "\" is no key=value" : "a key before the first [printer] section");
        }
        const std::string key = rtl::Trim(line.substr(0, equals));
        const std::string value = rtl::Trim(line.substr(equals + 1));
        PrinterCapabilities& capabilities = section->spec.capabilities;
        if (rtl::SameText(key, "Papers")) {
            capabilities.papers.clear();
            for (const std::string& item : Items(value)) {
                capabilities.papers.push_back(ReadPaper(item, damaged));
            }
            if (capabilities.papers.size() > kMaxPapers) {
                damaged("more than 256 papers");
            }
        } else if (rtl::SameText(key, "DefaultPaper")) {
            section->defaultPaper = value;
            section->defaultPaperLine = number;
        } else if (rtl::SameText(key, "Sources")) {
            capabilities.sources.clear();
            for (const std::string& item : Items(value)) {
                if (!item.empty()) {
                    capabilities.sources.push_back(SourceNamed(item));
                }
            }
            if (capabilities.sources.size() > kMaxListed) {
                damaged("more than 256 sources");
            }
        } else if (rtl::SameText(key, "Resolutions")) {
            capabilities.resolutions.clear();
            for (const std::string& item : Items(value)) {
                capabilities.resolutions.push_back(ReadResolution(item, damaged));
            }
            if (capabilities.resolutions.size() > kMaxListed) {
                damaged("more than 256 resolutions");
            }
        } else if (rtl::SameText(key, "Margins")) {
            section->margins = ReadMargins(value, damaged);
        } else if (rtl::SameText(key, "Duplex")) {
            capabilities.duplex = ReadSwitch(value, damaged);
        } else if (rtl::SameText(key, "Color")) {
            capabilities.color = ReadSwitch(value, damaged);
        } else {
            damaged("unknown key \"" + key + "\"");
        }
    }
    close();
    return printers;
}

}  // namespace win
