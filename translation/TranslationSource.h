#pragma once
// The readable source a window's "TranslationData" block is made from at build time, and the string
// tables of a resources folder, which use the same syntax.
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
// A string table holds numbered strings only, each with one text: `41000 = "text"`.

#include "translation/TranslationData.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace translation {

// The lists of a source, by type; null where the component has none.
using TTranslationLists = std::array<std::unique_ptr<rtl::TStringList>, kStringsTypeCount>;
TTranslationListRefs ListRefs(const TTranslationLists& lists);

// The lists of a translation component (every type but stListView_TreeView_Items, empty ones
// included) read from a window's source; lines use the given delimiter.
TTranslationLists ParseTranslationSource(std::string_view source, char delimiter = '\x01');

// The block of a window's source, lines delimited by byte 1.
std::string CompileWindowSource(std::string_view source);
// A string table's numbered strings (1 to 65535) in source order.
std::vector<std::pair<int, std::string>> CompileStringTableSource(std::string_view source);

// Lets the resource folder compiler of the class library compile translation sources.
void InstallTranslationSourceCompiler();
void RemoveTranslationSourceCompiler();

}  // namespace translation
