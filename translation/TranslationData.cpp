#include "translation/TranslationData.h"

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

void WriteTranslationData(const TTranslationListRefs& lists, rtl::TStream& stream)
{
    std::string block = TranslationDataBlock(lists);
    stream.WriteBuffer(block.data(), std::int64_t(block.size()));
}

}  // namespace translation
