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

class TtrStringsCollection;

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

// Whether the block is stored: always without an ancestor; against an ancestor (an inherited window),
// only when some type both have a list for differs in its text, case-sensitively.
bool HasTranslationData(const TTranslationListRefs& lists, const TTranslationListRefs* ancestor);
void WriteTranslationData(const TTranslationListRefs& lists, rtl::TStream& stream);
std::string TranslationDataBlock(const TTranslationListRefs& lists);

// What the reader needs to know of the component; its lists' delimiter is already read.
struct TTranslationReadContext {
    char delimiter = '\x01';
    bool designing = false;
    // The window inherits from one whose block was read before: lines merge into the lists.
    bool inheritedOwner = false;
    // The owner's class name; a line for the window itself goes first in its list. Empty: no owner.
    std::string ownerClassName;
};

// Reads the whole stream, from its start, as the block and fills the lists. Lines before the first
// header, and lines of a type without a list, are dropped. Without inheritance each list read is
// replaced; with it, a line whose identifier is already there is merged into it (MergeInheritedLine).
void ReadTranslationData(rtl::TStream& stream, const TTranslationListRefs& lists,
                         const TTranslationReadContext& context);
void ReadTranslationBlock(std::string_view block, const TTranslationListRefs& lists,
                          const TTranslationReadContext& context);

// The existing line with each non-empty language text of the new line over its own, and the new line's
// further languages appended; closed by the delimiter.
std::string MergeInheritedLine(std::string_view existing, std::string_view line, char delimiter);
// The index of the line with the same identifier (case ignored), or -1.
int IndexOfLineIdentifier(const rtl::TStrings& list, std::string_view line, char delimiter);
// The pieces between delimiters; the rest after the last delimiter only when it is not empty.
std::vector<std::string> SplitByDelimiter(std::string_view text, char delimiter);
std::string JoinWithSeparator(const std::vector<std::string>& pieces, std::string_view separator, bool skipEmpty);

// A property of a component is left untranslated when its name is in excluded, "component.property" is
// in smartExclude, or it is "Name".
bool IsPropertyExcluded(const std::string& component, const std::string& property, const rtl::TStrings& excluded,
                        const rtl::TStrings& smartExclude);
// Removes from the lists what the exclusions exclude: whole lists for "Caption", "Hint", "DisplayLabel",
// "Font" and "Charset", lines of MultiLines, OtherStrings and Collections by their component and property
// (and, for collections, the item's property).
void PruneExcludedProperties(const TTranslationListRefs& lists, const rtl::TStrings& excluded,
                             const rtl::TStrings& smartExclude, char delimiter);

// Refills the collection from the Strings lines, numOfLanguages values per item, and sorts it by
// sortLanguage (0: identifier).
void BuildStringsCollection(TtrStringsCollection& collection, const rtl::TStrings& strings, int numOfLanguages,
                            char delimiter, int sortLanguage);

// The component's look-ups, rebuilt after its Strings changed.
struct TStringLookups {
    TtrStringsCollection& stringsLookup;
    // Null unless the component handles resource strings and has an owner.
    TtrStringsCollection* resourceLookup;
    int resourceLanguageIndex;
};
// Does nothing at design time.
void RebuildStringLookup(const TStringLookups& lookups, const rtl::TStrings& strings, int numOfLanguages,
                         char delimiter, bool designing);

// Every byte oldDelimiter in every line of every list becomes newDelimiter.
void ReplaceDelimiter(const TTranslationListRefs& lists, char oldDelimiter, char newDelimiter);
// The delimiter property's setter: nothing for the same value; while loading only the value changes;
// otherwise the lists are rewritten first. (The component rewrites its extended translations too.)
void SetLangDelim(char& langDelim, char value, bool loading, const TTranslationListRefs& lists);
// Lines stored with TAB as delimiter (older tables) take the delimiter; a line that holds the delimiter
// already keeps its TABs, which are text. Whether any line changed.
bool ConvertTabDelimitedLine(std::string& line, char delimiter);
bool ConvertTabDelimitedLines(const TTranslationListRefs& lists, char delimiter);

}  // namespace translation
