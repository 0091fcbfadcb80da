#include "translation/TranslationData.h"

#include "platform/rtl/Collation.h"
#include "translation/LangStrUtils.h"
#include "translation/SortedStrings.h"

#include <algorithm>
#include <optional>

namespace translation {

namespace {

constexpr std::string_view kTypeNames[kStringsTypeCount] = {
    "stCaptions", "stHints",       "stDisplayLabels", "stFonts",       "stMultiLines", "stDlgsCaptions",
    "stStrings",  "stOtherStrings", "stLocales",      "stCollections", "stCharSets",   "stListView_TreeView_Items"};

std::string Translate(std::string_view line, char cr, char lf, char storedCr, char storedLf)
{
    std::string out(line);
    for (char& c : out) {
        if (c == cr)
            c = storedCr;
        else if (c == lf)
            c = storedLf;
    }
    return out;
}

// The type whose name the line is, case ignored.
std::optional<TStringsType> HeaderType(std::string_view line)
{
    for (int type = 0; type < kStringsTypeCount; ++type)
        if (rtl::AnsiSameText(line, kTypeNames[type]))
            return TStringsType(type);
    return std::nullopt;
}

rtl::TStrings* ListOf(const TTranslationListRefs& lists, TStringsType type)
{
    return lists[std::size_t(type)];
}

// The window's own line goes first, so a later one for it comes before an earlier one.
void PlaceLine(rtl::TStrings& target, const std::string& line, const TTranslationReadContext& context)
{
    if (!context.ownerClassName.empty() && line.starts_with(context.ownerClassName + context.delimiter))
        target.Insert(0, line);
    else
        target.Add(line);
}

void MergeLine(rtl::TStrings& target, const std::string& line, const TTranslationReadContext& context)
{
    int index = IndexOfLineIdentifier(target, line, context.delimiter);
    if (index < 0) {
        PlaceLine(target, line, context);
        return;
    }
    std::string merged = MergeInheritedLine(target.Strings(index), line, context.delimiter);
    target.Delete(index);
    target.Insert(index, merged);
}

void PruneLines(rtl::TStrings& list, bool collection, const rtl::TStrings& excluded, const rtl::TStrings& smartExclude,
                char delimiter)
{
    std::string separators = std::string(".") + delimiter + (collection ? "[" : "");
    for (int i = list.Count() - 1; i >= 0; --i) {
        std::string line = list.Strings(i);
        std::string component = WordOfText(1, line, separators);
        if (IsPropertyExcluded(component, WordOfText(2, line, separators), excluded, smartExclude)
            || (collection && IsPropertyExcluded(component, WordOfText(4, line, separators), excluded, smartExclude)))
            list.Delete(i);
    }
}

}  // namespace

std::string_view StringsTypeName(TStringsType type)
{
    return kTypeNames[int(type)];
}

std::string EncodeTranslationLine(std::string_view line)
{
    return Translate(line, '\r', '\n', '\x19', '\x1A');
}

std::string DecodeTranslationLine(std::string_view line)
{
    return Translate(line, '\x19', '\x1A', '\r', '\n');
}

std::string TranslationDataBlock(const TTranslationListRefs& lists)
{
    std::string block;
    for (int type = 0; type < kStringsTypeCount; ++type) {
        const rtl::TStrings* list = lists[std::size_t(type)];
        if (!list)
            continue;
        block.append(kTypeNames[type]).append("\r\n");
        for (int i = 0; i < list->Count(); ++i)
            block.append(EncodeTranslationLine(list->Strings(i))).append("\r\n");
    }
    return block;
}

bool HasTranslationData(const TTranslationListRefs& lists, const TTranslationListRefs* ancestor)
{
    if (!ancestor)
        return true;
    for (std::size_t type = 0; type < lists.size(); ++type) {
        const rtl::TStrings* own = lists[type];
        const rtl::TStrings* inherited = (*ancestor)[type];
        if (own && inherited && rtl::AnsiCompareStr(own->Text(), inherited->Text()) != 0)
            return true;
    }
    return false;
}

void WriteTranslationData(const TTranslationListRefs& lists, rtl::TStream& stream)
{
    std::string block = TranslationDataBlock(lists);
    stream.WriteBuffer(block.data(), std::int64_t(block.size()));
}

void ReadTranslationData(rtl::TStream& stream, const TTranslationListRefs& lists,
                         const TTranslationReadContext& context)
{
    std::string block(std::size_t(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(block.data(), std::int64_t(block.size()));
    ReadTranslationBlock(block, lists, context);
}

void ReadTranslationBlock(std::string_view block, const TTranslationListRefs& lists,
                          const TTranslationReadContext& context)
{
    rtl::TStringList lines;
    lines.SetText(block);
    rtl::TStrings* target = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines.Strings(i);
        if (std::optional<TStringsType> type = HeaderType(line)) {
            target = ListOf(lists, *type);
            if (target && (context.designing || !context.inheritedOwner))
                target->Clear();
            continue;
        }
        if (!target)
            continue;
        if (context.inheritedOwner)
            MergeLine(*target, DecodeTranslationLine(line), context);
        else
            PlaceLine(*target, DecodeTranslationLine(line), context);
    }
}

std::vector<std::string> SplitByDelimiter(std::string_view text, char delimiter)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(delimiter, start)) != std::string_view::npos; start = found + 1)
        pieces.emplace_back(text.substr(start, found - start));
    if (start < text.size())
        pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string JoinWithSeparator(const std::vector<std::string>& pieces, std::string_view separator, bool skipEmpty)
{
    std::string out;
    bool first = true;
    for (const std::string& piece : pieces) {
        if (skipEmpty && piece.empty())
            continue;
        if (!first)
            out += separator;
        out += piece;
        first = false;
    }
    return out;
}

std::string MergeInheritedLine(std::string_view existing, std::string_view line, char delimiter)
{
    std::vector<std::string> pieces = SplitByDelimiter(existing, delimiter);
    std::vector<std::string> newer = SplitByDelimiter(line, delimiter);
    if (pieces.empty())
        pieces.emplace_back();
    for (std::size_t i = 1; i < newer.size(); ++i) {
        if (i >= pieces.size())
            pieces.push_back(newer[i]);
        else if (!newer[i].empty())
            pieces[i] = newer[i];
    }
    return JoinWithSeparator(pieces, std::string_view(&delimiter, 1), false) + delimiter;
}

int IndexOfLineIdentifier(const rtl::TStrings& list, std::string_view line, char delimiter)
{
    std::vector<std::string> pieces = SplitByDelimiter(line, delimiter);
    std::string identifier = pieces.empty() ? std::string() : pieces[0];
    for (int i = 0; i < list.Count(); ++i) {
        std::vector<std::string> own = SplitByDelimiter(list.Strings(i), delimiter);
        if (rtl::AnsiSameText(own.empty() ? std::string() : own[0], identifier))
            return i;
    }
    return -1;
}

bool IsPropertyExcluded(const std::string& component, const std::string& property, const rtl::TStrings& excluded,
                        const rtl::TStrings& smartExclude)
{
    return excluded.IndexOf(property) >= 0 || smartExclude.IndexOf(component + "." + property) >= 0
        || property == "Name";
}

void PruneExcludedProperties(const TTranslationListRefs& lists, const rtl::TStrings& excluded,
                             const rtl::TStrings& smartExclude, char delimiter)
{
    using enum TStringsType;
    const std::pair<const char*, TStringsType> whole[] = {
        {"Caption", stCaptions}, {"Hint", stHints},       {"DisplayLabel", stDisplayLabels},
        {"Font", stFonts},       {"Font", stCharSets},    {"Charset", stCharSets}};
    for (const auto& [property, type] : whole)
        if (rtl::TStrings* list = ListOf(lists, type); list && excluded.IndexOf(property) >= 0)
            list->Clear();
    for (TStringsType type : {stMultiLines, stOtherStrings, stCollections})
        if (rtl::TStrings* list = ListOf(lists, type))
            PruneLines(*list, type == stCollections, excluded, smartExclude, delimiter);
}

void BuildStringsCollection(TtrStringsCollection& collection, const rtl::TStrings& strings, int numOfLanguages,
                            char delimiter, int sortLanguage)
{
    collection.Clear();
    for (int i = 0; i < strings.Count(); ++i) {
        std::string line = strings.Strings(i);
        TtrStringsCollectionItem& item = collection.Add();
        item.Identifier = GetDelimitedField(line, delimiter, 0);
        for (int language = 1; language <= numOfLanguages; ++language)
            item.Values.Add(GetDelimitedField(line, delimiter, language));
    }
    collection.SetSortLanguage(sortLanguage);
    collection.Resort();
}

void RebuildStringLookup(const TStringLookups& lookups, const rtl::TStrings& strings, int numOfLanguages,
                         char delimiter, bool designing)
{
    if (designing)
        return;
    BuildStringsCollection(lookups.stringsLookup, strings, numOfLanguages, delimiter, 0);
    if (lookups.resourceLookup)
        BuildStringsCollection(*lookups.resourceLookup, strings, numOfLanguages, delimiter,
                               lookups.resourceLanguageIndex);
}

void ReplaceDelimiter(const TTranslationListRefs& lists, char oldDelimiter, char newDelimiter)
{
    for (rtl::TStrings* list : lists) {
        if (!list)
            continue;
        for (int i = 0; i < list->Count(); ++i) {
            std::string line = list->Strings(i);
            if (line.find(oldDelimiter) == std::string::npos)
                continue;
            std::replace(line.begin(), line.end(), oldDelimiter, newDelimiter);
            list->SetStrings(i, line);
        }
    }
}

void SetLangDelim(char& langDelim, char value, bool loading, const TTranslationListRefs& lists)
{
    if (value == langDelim)
        return;
    if (!loading)
        ReplaceDelimiter(lists, langDelim, value);
    langDelim = value;
}

bool ConvertTabDelimitedLine(std::string& line, char delimiter)
{
    if (delimiter == '\t' || line.find(delimiter) != std::string::npos || line.find('\t') == std::string::npos)
        return false;
    std::replace(line.begin(), line.end(), '\t', delimiter);
    return true;
}

bool ConvertTabDelimitedLines(const TTranslationListRefs& lists, char delimiter)
{
    bool converted = false;
    for (rtl::TStrings* list : lists) {
        if (!list)
            continue;
        for (int i = 0; i < list->Count(); ++i) {
            std::string line = list->Strings(i);
            if (ConvertTabDelimitedLine(line, delimiter)) {
                list->SetStrings(i, line);
                converted = true;
            }
        }
    }
    return converted;
}

}  // namespace translation
