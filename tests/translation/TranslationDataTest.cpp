#include "translation/TranslationData.h"

#include "translation/SortedStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using namespace translation;
using enum TStringsType;

// A translation component's eleven lists, delimiter byte 1 written as '|' in the tables below.
struct Lists {
    std::array<rtl::TStringList, kStringsTypeCount> lists;
    TTranslationListRefs refs{};

    Lists()
    {
        for (std::size_t type = 0; type + 1 < lists.size(); ++type)
            refs[type] = &lists[type];
    }
    rtl::TStringList& operator[](TStringsType type) { return lists[std::size_t(type)]; }
};

std::string Bars(std::string text)
{
    for (char& c : text)
        if (c == '|')
            c = '\x01';
    return text;
}

std::vector<std::string> Lines(const rtl::TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

std::vector<std::string> BarLines(std::initializer_list<const char*> lines)
{
    std::vector<std::string> out;
    for (const char* line : lines)
        out.push_back(Bars(line));
    return out;
}

TEST(TranslationData, EmptyListsGiveTheElevenHeaders)
{
    Lists lists;
    EXPECT_EQ(TranslationDataBlock(lists.refs),
              "stCaptions\r\nstHints\r\nstDisplayLabels\r\nstFonts\r\nstMultiLines\r\nstDlgsCaptions\r\n"
              "stStrings\r\nstOtherStrings\r\nstLocales\r\nstCollections\r\nstCharSets\r\n");
}

TEST(TranslationData, LineBreaksSurviveWritingAndReading)
{
    Lists written;
    written[stCaptions].Add(Bars("TAPPSEL2|Select Application|"));
    written[stStrings].Add(Bars("IDS_1|Two\r\nlines\rand\nmore|"));
    written[stCharSets].Add(Bars("TAPPSEL2|ANSI_CHARSET|"));
    rtl::TMemoryStream stream;
    WriteTranslationData(written.refs, stream);
    std::string block = TranslationDataBlock(written.refs);
    EXPECT_TRUE(block.starts_with("stCaptions\r\nTAPPSEL2\x01Select Application\x01\r\nstHints\r\n")) << block;
    EXPECT_NE(block.find("IDS_1\x01Two\x19\x1Alines\x19" "and\x1Amore\x01\r\n"), std::string::npos);
    EXPECT_TRUE(block.ends_with("\r\nstCharSets\r\nTAPPSEL2\x01" "ANSI_CHARSET\x01\r\n")) << block;

    Lists read;
    read[stStrings].Add("left over");
    stream.SetPosition(stream.Size());
    ReadTranslationData(stream, read.refs, {});
    for (int type = 0; type + 1 < kStringsTypeCount; ++type)
        EXPECT_EQ(Lines(read.lists[std::size_t(type)]), Lines(written.lists[std::size_t(type)])) << type;
}

TEST(TranslationData, ReaderTables)
{
    struct Case {
        const char* name;
        std::string block;
        TStringsType type;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"stored bytes 25 and 26 read as line breaks", Bars("stStrings\r\nIDS_0|a\x19\x1A" "b|\r\n"), stStrings,
         BarLines({"IDS_0|a\r\nb|"})},
        {"the window's lines go first, the later before the earlier",
         Bars("stCaptions\r\nLabel1|L|\r\nTAPPSEL2|first|\r\nButton1|B|\r\nTAPPSEL2|second|\r\n"), stCaptions,
         BarLines({"TAPPSEL2|second|", "TAPPSEL2|first|", "Label1|L|", "Button1|B|"})},
        {"the class name must be followed by the delimiter",
         Bars("stCaptions\r\nTAPPSEL2x|x|\r\nTAPPSEL2|w|\r\n"), stCaptions, BarLines({"TAPPSEL2|w|", "TAPPSEL2x|x|"})},
        {"an identifier with one delimiter is kept", Bars("stCollections\r\nTSaveDialogMsg|\r\n"), stCollections,
         BarLines({"TSaveDialogMsg|"})},
        {"lines before the first header are dropped", Bars("IDS_9|x|\r\nsTsTrInGs\r\nIDS_0|y|\r\n"), stStrings,
         BarLines({"IDS_0|y|"})},
        {"a line that is no type name belongs to the section", Bars("stFonts\r\nstFont\r\nLabel8|Arial|\r\n"), stFonts,
         BarLines({"stFont", "Label8|Arial|"})},
        {"the type without a list drops its lines",
         Bars("stListView_TreeView_Items\r\nItem|x|\r\nstHints\r\nA|h|\n"), stHints, BarLines({"A|h|"})},
        {"lines end at CR, LF or CR LF and the text at NUL", Bars("stHints\rA|1|\nB|2|\r\nC|3|\0D|4|\r\n"s), stHints,
         BarLines({"A|1|", "B|2|", "C|3|"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lists lists;
        lists[c.type].Add("replaced");
        TTranslationReadContext context;
        context.ownerClassName = "TAPPSEL2";
        ReadTranslationBlock(c.block, lists.refs, context);
        EXPECT_EQ(Lines(lists[c.type]), c.expected);
    }
}

TEST(TranslationData, InheritedWindowMergesItsLines)
{
    Lists lists;
    lists[stCaptions].Add(Bars("TBase|Base|Basis|"));
    lists[stCaptions].Add(Bars("Label1|Alt|Old2|"));
    TTranslationReadContext context;
    context.inheritedOwner = true;
    context.ownerClassName = "TDerived";
    ReadTranslationBlock(Bars("stCaptions\r\nlabel1|Neu||\r\nLabel2|Two|\r\nTDerived|D||\r\nTBase|B|B2|B3|\r\n"),
                         lists.refs, context);
    EXPECT_EQ(Lines(lists[stCaptions]),
              BarLines({"TDerived|D||", "TBase|B|B2|B3|", "Label1|Neu|Old2|", "Label2|Two|"}));

    // At design time the inherited lines are replaced.
    context.designing = true;
    ReadTranslationBlock(Bars("stCaptions\r\nLabel1|Neu||\r\n"), lists.refs, context);
    EXPECT_EQ(Lines(lists[stCaptions]), BarLines({"Label1|Neu||"}));
}

TEST(TranslationData, LineHelpers)
{
    EXPECT_EQ(SplitByDelimiter("id||", '|'), (std::vector<std::string>{"id", ""}));
    EXPECT_EQ(SplitByDelimiter("id|text|", '|'), (std::vector<std::string>{"id", "text"}));
    EXPECT_EQ(SplitByDelimiter("id|text", '|'), (std::vector<std::string>{"id", "text"}));
    EXPECT_EQ(SplitByDelimiter("", '|'), std::vector<std::string>{});
    EXPECT_EQ(JoinWithSeparator({"a", "", "b"}, ", ", false), "a, , b");
    EXPECT_EQ(JoinWithSeparator({"a", "", "b"}, ", ", true), "a, b");
    EXPECT_EQ(MergeInheritedLine("Label1|Alt|Old2|", "LABEL1|Neu||", '|'), "Label1|Neu|Old2|");
    EXPECT_EQ(MergeInheritedLine("Label1|Alt|", "Label1||Two|Three|", '|'), "Label1|Alt|Two|Three|");
    rtl::TStringList list;
    list.Add("IDS_10|ten|");
    list.Add("IDS_1|one|");
    EXPECT_EQ(IndexOfLineIdentifier(list, "ids_1|x|", '|'), 1);
    EXPECT_EQ(IndexOfLineIdentifier(list, "IDS_2|x|", '|'), -1);
}

TEST(TranslationData, StoredOnlyWhenItDiffersFromTheAncestor)
{
    Lists own;
    Lists ancestor;
    ancestor.refs[std::size_t(stFonts)] = nullptr;
    EXPECT_TRUE(HasTranslationData(own.refs, nullptr));
    EXPECT_FALSE(HasTranslationData(own.refs, &ancestor.refs));
    own[stFonts].Add("Label8|Arial|");
    EXPECT_FALSE(HasTranslationData(own.refs, &ancestor.refs)) << "the ancestor has no such list";
    own[stHints].Add("A|hint|");
    ancestor[stHints].Add("A|Hint|");
    EXPECT_TRUE(HasTranslationData(own.refs, &ancestor.refs));
    ancestor[stHints].SetStrings(0, "A|hint|");
    EXPECT_FALSE(HasTranslationData(own.refs, &ancestor.refs));
}

TEST(TranslationData, PruneExcludedProperties)
{
    Lists lists;
    for (TStringsType type : {stCaptions, stHints, stFonts, stCharSets, stStrings})
        lists[type].Add(Bars("Form1|x|"));
    lists[stMultiLines].SetText(Bars("Memo1.Lines|a|\nMemo1.Name|b|\nList1.Items|c|\nMemo2.Lines|d|\n"));
    lists[stOtherStrings].SetText(Bars("Form1.HelpFile|h|\nForm1.Name|n|\nDlg1.FILENAME|f|\n"));
    lists[stCollections].SetText(
        Bars("Bar1.ItemLinks[0].UserCaption|u|\nBar1.ItemLinks[1].Caption|c|\nGrid.Columns[0].Title|t|\n"
             "Grid.Panels[0].Text|p|\n"));
    rtl::TStringList excluded;
    excluded.SetCommaText("caption,font,FileName,usercaption,Panels");
    rtl::TStringList smart;
    smart.Add("Memo2.Lines");
    PruneExcludedProperties(lists.refs, excluded, smart, '\x01');
    EXPECT_EQ(lists[stCaptions].Count(), 0);
    EXPECT_EQ(lists[stFonts].Count(), 0);
    EXPECT_EQ(lists[stCharSets].Count(), 0);
    EXPECT_EQ(lists[stHints].Count(), 1);
    EXPECT_EQ(lists[stStrings].Count(), 1);
    EXPECT_EQ(Lines(lists[stMultiLines]), BarLines({"Memo1.Lines|a|", "List1.Items|c|"}));
    EXPECT_EQ(Lines(lists[stOtherStrings]), BarLines({"Form1.HelpFile|h|"}));
    EXPECT_EQ(Lines(lists[stCollections]), BarLines({"Grid.Columns[0].Title|t|"}));
}

TEST(TranslationData, StringsCollectionHoldsEveryLanguage)
{
    rtl::TStringList strings;
    strings.SetText(Bars("IDS_10|ten|zehn|\nIDS_1|one\nIDS_0|\n"));
    TtrStringsCollection lookup;
    TtrStringsCollection resources;
    RebuildStringLookup({lookup, &resources, 2}, strings, 2, '\x01', false);
    ASSERT_EQ(lookup.Count(), 3);
    EXPECT_EQ(lookup.Items(0).Identifier, "IDS_0");
    for (int i = 0; i < lookup.Count(); ++i)
        EXPECT_EQ(lookup.Items(i).Values.Count(), 2);
    EXPECT_EQ(lookup.FindByIdentifier("IDS_1", 1), "one");
    EXPECT_EQ(lookup.FindByIdentifier("IDS_1", 2), "");
    EXPECT_EQ(lookup.FindByIdentifier("IDS_10", 2), "zehn");
    EXPECT_EQ(resources.SortLanguage(), 2);
    EXPECT_EQ(resources.FindByText("zehn", 1), "ten");

    TtrStringsCollection untouched;
    RebuildStringLookup({untouched, nullptr, 1}, strings, 2, '\x01', true);
    EXPECT_EQ(untouched.Count(), 0);
}

TEST(TranslationData, DelimiterChanges)
{
    Lists lists;
    lists[stCaptions].Add(Bars("A|a|"));
    lists[stStrings].Add(Bars("IDS_0|zero|null|"));
    char delimiter = '\x01';
    SetLangDelim(delimiter, '\x01', false, lists.refs);
    EXPECT_EQ(lists[stStrings].Strings(0), Bars("IDS_0|zero|null|"));
    SetLangDelim(delimiter, '\t', true, lists.refs);
    EXPECT_EQ(delimiter, '\t');
    EXPECT_EQ(lists[stStrings].Strings(0), Bars("IDS_0|zero|null|")) << "only the value while loading";
    delimiter = '\x01';
    SetLangDelim(delimiter, '\x09', false, lists.refs);
    EXPECT_EQ(lists[stCaptions].Strings(0), "A\ta\t");
    EXPECT_EQ(lists[stStrings].Strings(0), "IDS_0\tzero\tnull\t");
}

TEST(TranslationData, TabDelimitedLinesTakeTheDelimiter)
{
    struct Case {
        std::string line;
        char delimiter;
        std::string expected;
    };
    const Case cases[] = {
        {"IDS_0\tzero\t", '\x01', "IDS_0\x01zero\x01"},
        {"TSaveDialogMsg\t", '\x01', "TSaveDialogMsg\x01"},
        // A TAB in the text of a line with the current delimiter is text.
        {"IDS_1\x01" "a\tb\x01", '\x01', "IDS_1\x01" "a\tb\x01"},
        {"IDS_2", '\x01', "IDS_2"},
        {"IDS_3\tx\t", '\t', "IDS_3\tx\t"},
    };
    Lists lists;
    for (const Case& c : cases)
        lists[stStrings].Add(c.line);
    EXPECT_TRUE(ConvertTabDelimitedLines(lists.refs, '\x01'));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lists[stStrings].Strings(i), cases[i].expected) << i;
    EXPECT_FALSE(ConvertTabDelimitedLines(lists.refs, '\x01'));
    std::string line = cases[4].line;
    EXPECT_FALSE(ConvertTabDelimitedLine(line, '\t'));
    EXPECT_EQ(line, cases[4].expected);
}

}  // namespace
