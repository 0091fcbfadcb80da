#include "platform/rtl/StringUtils.h"

#include "tests/support/UsingCodePage.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using testsupport::UsingCodePage;

// The expected classes of a code page, written from its published chart: case pairs (small, capital),
// small letters without a capital in the page, and letters without case. Every other byte is no letter.
struct CaseChart {
    int codePage;
    std::vector<std::pair<int, int>> pairs;
    std::vector<int> smallOnly;
    std::vector<int> uncased;
};

void AddRange(std::vector<std::pair<int, int>>& pairs, int firstSmall, int firstCapital, int count, int skip = -1)
{
    for (int i = 0; i < count; ++i)
        if (firstSmall + i != skip)
            pairs.emplace_back(firstSmall + i, firstCapital + i);
}

std::vector<CaseChart> Charts()
{
    CaseChart cp1250{1250,
                     {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}, {0xB3, 0xA3},
                      {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xBE, 0xBC}},
                     {0xB5, 0xDF},
                     {}};
    AddRange(cp1250.pairs, 0xE0, 0xC0, 31, 0xF7);
    CaseChart cp1251{1251,
                     {{0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
                      {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
                      {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD}},
                     {0xB5},
                     {}};
    AddRange(cp1251.pairs, 0xE0, 0xC0, 32);
    CaseChart cp1252{1252,
                     {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}},
                     {0x83, 0xB5, 0xDF},
                     {0xAA, 0xBA}};
    AddRange(cp1252.pairs, 0xE0, 0xC0, 31, 0xF7);
    std::vector<CaseChart> charts{cp1250, cp1251, cp1252};
    for (CaseChart& chart : charts)
        AddRange(chart.pairs, 'a', 'A', 26);
    return charts;
}

TEST(StringUtils, CaseAndClassesFollowTheCodePageChart)
{
    for (const CaseChart& chart : Charts()) {
        SCOPED_TRACE(chart.codePage);
        UsingCodePage page(chart.codePage);
        int upper[256], lower[256];
        enum Kind { NoLetter, Small, Capital, Uncased } kind[256];
        for (int b = 0; b < 256; ++b) {
            upper[b] = lower[b] = b;
            kind[b] = NoLetter;
        }
        for (auto [small, capital] : chart.pairs) {
            upper[small] = capital;
            lower[capital] = small;
            kind[small] = Small;
            kind[capital] = Capital;
        }
        for (int b : chart.smallOnly)
            kind[b] = Small;
        for (int b : chart.uncased)
            kind[b] = Uncased;

        for (int b = 0; b < 256; ++b) {
            SCOPED_TRACE(b);
            const char c = char(b);
            EXPECT_EQ(rtl::IsCharAlpha(c), kind[b] != NoLetter);
            EXPECT_EQ(rtl::IsCharUpper(c), kind[b] == Capital);
            EXPECT_EQ(rtl::IsCharLower(c), kind[b] == Small);
            EXPECT_EQ(rtl::IsCharAlphaNumeric(c), kind[b] != NoLetter || (b >= '0' && b <= '9'));
            EXPECT_EQ((unsigned char)rtl::AnsiUpperChar(c), upper[b]);
            EXPECT_EQ((unsigned char)rtl::AnsiLowerChar(c), lower[b]);
        }
    }
}

TEST(StringUtils, CaseOfTheOtherScripts)
{
    struct Case {
        int codePage;
        unsigned char small;
        unsigned char capital;
    };
    const Case cases[] = {
        {1253, 0xE1, 0xC1},  // alpha
        {1253, 0xDC, 0xA2},  // alpha with tonos
        {1253, 0xFE, 0xBF},  // omega with tonos
        {1254, 0xF0, 0xD0},  // g with breve
        {1257, 0xE0, 0xC0},  // a with ogonek
        {1258, 0xFD, 0xDD},  // u with horn
    };
    for (const Case& c : cases) {
        UsingCodePage page(c.codePage);
        EXPECT_EQ((unsigned char)rtl::AnsiUpperChar(char(c.small)), c.capital) << c.codePage;
        EXPECT_EQ((unsigned char)rtl::AnsiLowerChar(char(c.capital)), c.small) << c.codePage;
    }
    {
        UsingCodePage greek(1253);
        EXPECT_EQ(rtl::AnsiUpperCase("\xF2"), "\xD3");  // final sigma has the capital sigma
        EXPECT_EQ(rtl::AnsiLowerCase("\xD3"), "\xF3");
        EXPECT_EQ(rtl::AnsiUpperCase("\xC0"), "\xC0");  // iota with dialytika and tonos has no capital
    }
    {
        UsingCodePage turkish(1254);
        EXPECT_EQ(rtl::AnsiLowerCase("\xDD"), "i");  // capital I with dot
        EXPECT_EQ(rtl::AnsiUpperCase("\xFD"), "I");  // dotless small i
        EXPECT_EQ(rtl::AnsiUpperCase("i"), "I");
    }
    {
        UsingCodePage hebrew(1255);
        EXPECT_TRUE(rtl::IsCharAlpha('\xE0'));
        EXPECT_FALSE(rtl::IsCharUpper('\xE0'));
        EXPECT_FALSE(rtl::IsCharAlpha('\xC0'));  // a vowel point
    }
}

TEST(StringUtils, AnsiCaseOfStringsAndTheAsciiOnlyForms)
{
    UsingCodePage page(1252);
    EXPECT_EQ(rtl::AnsiUpperCase("Stra\xDF" "e \xE9t\xE9 \xFF"), "STRA\xDF" "E \xC9T\xC9 \x9F");
    EXPECT_EQ(rtl::AnsiLowerCase("\xC9T\xC9 \x8A\x9F"), "\xE9t\xE9 \x9A\xFF");
    EXPECT_EQ(rtl::UpperCase("abc \xE9"), "ABC \xE9");
    EXPECT_EQ(rtl::LowerCase("ABC \xC9"), "abc \xC9");
}

TEST(StringUtils, TrimRemovesBlanksAndControlsOnly)
{
    EXPECT_EQ(rtl::Trim(" \t\r\n a b \x01\x00"), "a b");
    EXPECT_EQ(rtl::TrimLeft("  a  "), "a  ");
    EXPECT_EQ(rtl::TrimRight("  a  "), "  a");
    EXPECT_EQ(rtl::Trim("\xA0" "a\xA0"), "\xA0" "a\xA0");  // the no-break space is text
    EXPECT_EQ(rtl::Trim(" \t "), "");
}

TEST(StringUtils, PositionsAreOneBasedAndClamped)
{
    EXPECT_EQ(rtl::Pos("b", "abcb"), 2);
    EXPECT_EQ(rtl::Pos("x", "abc"), 0);
    EXPECT_EQ(rtl::Pos("", "abc"), 0);
    EXPECT_EQ(rtl::Pos("abcd", "abc"), 0);

    struct CopyCase {
        int index;
        int count;
        const char* expected;
    };
    const CopyCase copies[] = {
        {1, 2, "ab"}, {2, 100, "bcde"}, {0, 2, "ab"}, {-5, 1, "a"}, {5, 1, "e"},
        {6, 1, ""},   {3, 0, ""},       {3, -1, ""},
    };
    for (const CopyCase& c : copies)
        EXPECT_EQ(rtl::Copy("abcde", c.index, c.count), c.expected) << c.index << "," << c.count;

    struct DeleteCase {
        int index;
        int count;
        const char* expected;
    };
    const DeleteCase deletes[] = {
        {2, 2, "ade"}, {4, 100, "abc"}, {0, 2, "abcde"}, {6, 1, "abcde"}, {1, 0, "abcde"}, {5, 1, "abcd"},
    };
    for (const DeleteCase& c : deletes) {
        std::string s = "abcde";
        rtl::Delete(s, c.index, c.count);
        EXPECT_EQ(s, c.expected) << c.index << "," << c.count;
    }

    struct InsertCase {
        int index;
        const char* expected;
    };
    const InsertCase inserts[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {99, "abcXY"}, {0, "XYabc"}, {-3, "XYabc"}};
    for (const InsertCase& c : inserts) {
        std::string s = "abc";
        rtl::Insert("XY", s, c.index);
        EXPECT_EQ(s, c.expected) << c.index;
    }
}

TEST(StringUtils, StringReplaceFlags)
{
    using rtl::ReplaceFlag;
    UsingCodePage page(1252);
    struct Case {
        const char* text;
        const char* oldPattern;
        const char* newPattern;
        ReplaceFlag flags;
        const char* expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", "+", ReplaceFlag::None, "a+b-c"},
        {"a-b-c", "-", "+", ReplaceFlag::ReplaceAll, "a+b+c"},
        {"aXbxc", "x", "", ReplaceFlag::ReplaceAll, "aXbc"},
        {"aXbxc", "x", "", ReplaceFlag::ReplaceAll | ReplaceFlag::IgnoreCase, "abc"},
        {"aXbxc", "x", "_", ReplaceFlag::IgnoreCase, "a_bxc"},
        {"caf\xE9 CAF\xC9", "caf\xC9", "tea", ReplaceFlag::ReplaceAll | ReplaceFlag::IgnoreCase, "tea tea"},
        {"aaa", "aa", "b", ReplaceFlag::ReplaceAll, "ba"},  // matches do not overlap
        {"aaa", "a", "aa", ReplaceFlag::ReplaceAll, "aaaaaa"},  // replacements are not searched again
        {"abc", "", "x", ReplaceFlag::ReplaceAll, "abc"},
        {"abc", "z", "x", ReplaceFlag::ReplaceAll, "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::StringReplace(c.text, c.oldPattern, c.newPattern, c.flags), c.expected) << c.text;
}

TEST(StringUtils, QuotedStrings)
{
    EXPECT_EQ(rtl::QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(rtl::QuotedStr(""), "''");
    EXPECT_EQ(rtl::AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");

    struct Case {
        const char* text;
        size_t start;
        const char* expected;
        size_t end;
    };
    const Case cases[] = {
        {"'it''s' rest", 0, "it's", 7},
        {"x'a'", 1, "a", 4},
        {"''", 0, "", 2},
        {"'''", 0, "'", 3},           // unterminated: the text up to the end
        {"'open", 0, "open", 5},
        {"plain", 0, "", 0},          // not at a quote: nothing read, position kept
        {"'a'", 3, "", 3},
    };
    for (const Case& c : cases) {
        size_t pos = c.start;
        EXPECT_EQ(rtl::AnsiExtractQuotedStr(c.text, pos, '\''), c.expected) << c.text;
        EXPECT_EQ(pos, c.end) << c.text;
    }
    // What AnsiQuotedStr writes, AnsiExtractQuotedStr reads back.
    for (const char* text : {"", "a", "'", "a''b'", "\xE9'\xFF"}) {
        const std::string quoted = rtl::AnsiQuotedStr(text, '\'');
        size_t pos = 0;
        EXPECT_EQ(rtl::AnsiExtractQuotedStr(quoted, pos, '\''), text);
        EXPECT_EQ(pos, quoted.size());
    }
}

}  // namespace
