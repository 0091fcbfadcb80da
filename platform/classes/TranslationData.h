#pragma once
// The "TranslationData" block of a window's translation component and the readable source it is made
// from at build time.
//
// Block: for each string type in order whose list exists, the type's name ("stCaptions") and CR LF,
// then each line of its list with every CR stored as byte 25 and every LF as byte 26, followed by
// CR LF. A line is the identifier, then for each language the delimiter and the text, then a closing
// delimiter.
//
// Source, one file per window (UTF-8 is not accepted: texts are single-byte, so a byte outside
// printable ASCII is written as an escape):
//
//   # a comment
//   IDS_0 = "Inverter"                       lines before any section belong to [Strings]
//   [Captions]                               a list, by its property name (the type less "st")
//   TAPPSEL2 = "Select Application"
//   "No To All" = "N&o to All"               an identifier with blanks or "=" is quoted
//   Label1 = "English", "Deutsch"            one text per language
//   TSaveDialogMsg =                         no text: the identifier and one delimiter
//
// Escapes in quotes: \" \\ \r \n \t \xNN. A malformed source raises EParserError "Line n: ...".

#include "platform/rtl/Streams.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace classes {

enum class TStringsType {
    stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stDlgsCaptions, stStrings, stOtherStrings,
    stLocales, stCollections, stCharSets, stListView_TreeView_Items
};
constexpr int kStringsTypeCount = 12;

// The value names, which are the block's section headers.
std::string_view StringsTypeName(TStringsType type);

// The lists by type; a type without a list is left out of the block.
using TTranslationLists = std::array<std::optional<std::vector<std::string>>, kStringsTypeCount>;

// CR as byte 25, LF as byte 26.
std::string EncodeTranslationLine(std::string_view line);
void WriteTranslationData(const TTranslationLists& lists, rtl::TStream& stream);
std::string TranslationDataBlock(const TTranslationLists& lists);

// The lists of a translation component (every type but stListView_TreeView_Items, empty ones
// included) read from a window's source; lines use the given delimiter.
TTranslationLists ParseTranslationSource(std::string_view source, char delimiter = '\x01');

}  // namespace classes
