#include "platform/printing/detail/PaperCodes.h"

#include "platform/rtl/Collation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>

namespace win {

using namespace detail;

const std::vector<StandardPaper>& detail::StandardPapers()
{
    static const std::vector<StandardPaper> papers = {
        {1, "Letter", 2159, 2794},
        {2, "Letter small", 2159, 2794},
        {3, "Tabloid", 2794, 4318},
        {4, "Ledger", 4318, 2794},
        {5, "Legal", 2159, 3556},
        {6, "Statement", 1397, 2159},
        {7, "Executive", 1842, 2667},
        {8, "A3", 2970, 4200},
        {9, "A4", 2100, 2970},
        {10, "A4 small", 2100, 2970},
        {11, "A5", 1480, 2100},
        {12, "B4 (JIS)", 2500, 3540},
        {13, "B5 (JIS)", 1820, 2570},
        {14, "Folio", 2159, 3302},
        {15, "Quarto", 2150, 2750},
        {16, "10x14 in", 2540, 3556},
        {17, "11x17 in", 2794, 4318},
        {18, "Note", 2159, 2794},
        {19, "Envelope #9", 984, 2254},
        {20, "Envelope #10", 1048, 2413},
        {21, "Envelope #11", 1143, 2635},
        {22, "Envelope #12", 1207, 2794},
        {23, "Envelope #14", 1270, 2921},
        {24, "C size sheet", 4318, 5588},
        {25, "D size sheet", 5588, 8636},
        {26, "E size sheet", 8636, 11176},
        {27, "Envelope DL", 1100, 2200},
        {28, "Envelope C5", 1620, 2290},
        {29, "Envelope C3", 3240, 4580},
        {30, "Envelope C4", 2290, 3240},
        {31, "Envelope C6", 1140, 1620},
        {32, "Envelope C65", 1140, 2290},
        {33, "Envelope B4", 2500, 3530},
        {34, "Envelope B5", 1760, 2500},
        {35, "Envelope B6", 1760, 1250},
        {36, "Envelope Italy", 1100, 2300},
        {37, "Envelope Monarch", 984, 1905},
        {38, "Envelope Personal", 920, 1651},
        {39, "US standard fanfold", 3778, 2794},
        {40, "German standard fanfold", 2159, 3048},
        {41, "German legal fanfold", 2159, 3302},
        {42, "B4 (ISO)", 2500, 3530},
        {43, "Japanese postcard", 1000, 1480},
        {44, "9x11 in", 2286, 2794},
        {45, "10x11 in", 2540, 2794},
        {46, "15x11 in", 3810, 2794},
        {47, "Envelope Invite", 2200, 2200},
        {50, "Letter extra", 2355, 3048},
        {51, "Legal extra", 2355, 3810},
        {52, "Tabloid extra", 2969, 4572},
        {53, "A4 extra", 2354, 3223},
        {54, "Letter transverse", 2101, 2794},
        {55, "A4 transverse", 2100, 2970},
        {56, "Letter extra transverse", 2355, 3048},
        {57, "Super A", 2270, 3560},
        {58, "Super B", 3050, 4870},
        {59, "Letter plus", 2159, 3223},
        {60, "A4 plus", 2100, 3300},
        {61, "A5 transverse", 1480, 2100},
        {62, "B5 (JIS) transverse", 1820, 2570},
        {63, "A3 extra", 3220, 4450},
        {64, "A5 extra", 1740, 2350},
        {65, "B5 (ISO) extra", 2010, 2760},
        {66, "A2", 4200, 5940},
        {67, "A3 transverse", 2970, 4200},
        {68, "A3 extra transverse", 3220, 4450},
    };
    return papers;
}

const StandardPaper* detail::FindStandardPaper(std::string_view name)
{
    const std::vector<StandardPaper>& papers = StandardPapers();
    const auto found =
        std::find_if(papers.begin(), papers.end(), [&](const StandardPaper& paper) { return rtl::SameText(paper.name, name); });
    return found == papers.end() ? nullptr : &*found;
}

std::vector<SHORT> detail::PaperCodes(const std::vector<Paper>& papers)
{
    std::vector<SHORT> codes;
    std::set<SHORT> taken;
    SHORT next = DMPAPER_USER + 1;
    for (const Paper& paper : papers) {
        SHORT code = 0;
        for (const StandardPaper& standard : StandardPapers()) {
            // Hundredths of the paper against tenths of the table: within 1 mm each way.
            if (std::abs(std::int64_t{paper.width} - standard.width * 10) <= 100 &&
                std::abs(std::int64_t{paper.length} - standard.length * 10) <= 100 &&
                !taken.count(standard.code)) {
                code = standard.code;
                break;
            }
        }
        if (code == 0) {
            code = next++;
        }
        taken.insert(code);
        codes.push_back(code);
    }
    return codes;
}

namespace {

SHORT KindOfSource(std::string_view keyword)
{
    struct Kind {
        const char* keyword;
        SHORT code;
    };
    static const Kind kinds[] = {
        {"auto", DMBIN_AUTO},         {"main", DMBIN_UPPER},         {"tray-1", DMBIN_UPPER},
        {"alternate", DMBIN_LOWER},   {"tray-2", DMBIN_LOWER},       {"manual", DMBIN_MANUAL},
        {"envelope", DMBIN_ENVELOPE}, {"large-capacity", DMBIN_LARGECAPACITY},
    };
    for (const Kind& kind : kinds) {
        if (keyword == kind.keyword) {
            return kind.code;
        }
    }
    return 0;
}

}  // namespace

std::vector<SHORT> detail::SourceCodes(const std::vector<PaperSource>& sources)
{
    std::vector<SHORT> codes;
    std::set<SHORT> taken;
    SHORT next = DMBIN_USER + 1;
    for (const PaperSource& source : sources) {
        SHORT code = KindOfSource(source.keyword);
        if (code == 0 || taken.count(code)) {
            code = next++;
        }
        taken.insert(code);
        codes.push_back(code);
    }
    return codes;
}

}  // namespace win
