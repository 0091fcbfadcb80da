#pragma once
// The numbers device modes give papers and paper sources. A paper whose size lies within 1 mm of one of
// the standard papers takes the lowest such number that no paper before it took (A4 9, Letter 1); the
// others take 257, 258 ... in the printer's order (256 stays "a size of the document's own"). A source
// takes the number of its kind: automatic 7, main or tray 1 1, alternate or tray 2 2, manual 4, envelope
// 5, large capacity 11, and any other (or a second of one kind) 257, 258 ...

#include "platform/printing/PrintBackend.h"

#include <string_view>
#include <vector>

namespace win::detail {

struct StandardPaper {
    SHORT code;
    const char* name;
    int width;  // tenths of a millimetre
    int length;
};
// The standard papers, by code (1 to 68 without 48 and 49).
const std::vector<StandardPaper>& StandardPapers();
// The standard paper of a name (case-insensitive), or null.
const StandardPaper* FindStandardPaper(std::string_view name);

std::vector<SHORT> PaperCodes(const std::vector<Paper>& papers);
std::vector<SHORT> SourceCodes(const std::vector<PaperSource>& sources);

}  // namespace win::detail
