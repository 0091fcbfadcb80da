#pragma once
// The "TranslationData" block: the translation component's lists as stored in a window's form data,
// the writer and the reader (with the merge of inherited windows), and what the component does with the
// lists once they are loaded.
//
// Block: for each string type in order whose list exists, the type's name ("stCaptions") and CR LF,
// then each line of its list with every CR stored as byte 25 and every LF as byte 26, followed by
// CR LF. A line is the identifier, then for each language the delimiter and the text, then a closing
// delimiter.

#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace translation {

class TsiStringsCollection;

enum class TStringsType {
    stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stDlgsCaptions, stStrings, stOtherStrings,
    stLocales, stCollections, stCharSets, stListView_TreeView_Items
};
constexpr int kStringsTypeCount = 12;

// The value names, which are the block's section headers.
std::string_view StringsTypeName(TStringsType type);

// A component's lists by type; null where it has none (stListView_TreeView_Items never has one).
using TTranslationListRefs = std::array<rtl::TStrings*, kStringsTypeCount>;

// CR as byte 25, LF as byte 26, and back.
std::string EncodeTranslationLine(std::string_view line);
std::string DecodeTranslationLine(std::string_view line);

void WriteTranslationData(const TTranslationListRefs& lists, rtl::TStream& stream);
std::string TranslationDataBlock(const TTranslationListRefs& lists);

}  // namespace translation
