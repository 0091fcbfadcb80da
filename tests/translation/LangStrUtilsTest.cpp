#include "translation/LangStrUtils.h"

#include "platform/rtl/StringUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace translation;

TEST(LangStrUtils, FindSubstringAgreesWithPos)
{
    struct Case {
        std::string pattern;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        // The line of IDS_1 behind the line of IDS_10.
        {"\r\nIDS_1\x01", "stStrings\r\nIDS_10\x01ten\x01\r\nIDS_1\x01one\x01\r\n", 23},
        {"", "abc", 1},
        {"", "", 1},
        {"abcd", "abc", 0},
        {"abc", "abc", 1},
        {"c", "abc", 3},
        {"aab", "aaab", 2},
        {"Abc", "abc", 0},
        {"\xE9t\xE9", "\xC9t\xE9 \xE9t\xE9", 5},
        // The pattern's last byte occurs earlier in it.
        {"abab", "abaabab", 4},
        {"xyzzy", "zzyxyzzyzz", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern + " in " + c.text);
        EXPECT_EQ(FindSubstring(c.pattern, c.text), c.expected);
        if (!c.pattern.empty()) {
            EXPECT_EQ(FindSubstring(c.pattern, c.text), rtl::Pos(c.pattern, c.text));
        }
    }
}

TEST(LangStrUtils, GetDelimitedField)
{
    struct Case {
        const char* line;
        int n;
        const char* expected;
    };
    const Case cases[] = {
        {"IDS_0|Inverter|", 0, "IDS_0"},
        {"IDS_0|Inverter|", 1, "Inverter"},
        {"IDS_0|Inverter|", 2, ""},
        {"IDS_0|Inverter|", 3, ""},
        {"IDS_0|Inverter", 1, "Inverter"},
        {"Label1|Alt|Old2|", 2, "Old2"},
        {"TSaveDialogMsg|", 1, ""},
        {"|x|", 0, "|x"},
        {"", 0, ""},
        {"", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " " + std::to_string(c.n));
        EXPECT_EQ(GetDelimitedField(c.line, '|', c.n), c.expected);
    }
}

TEST(LangStrUtils, ReplaceSubstring)
{
    EXPECT_EQ(ReplaceSubstring("a|b|c", "|", "--", false), "a--b|c");
    EXPECT_EQ(ReplaceSubstring("a|b|c", "|", "--", true), "a--b--c");
    EXPECT_EQ(ReplaceSubstring("aaa", "aa", "a", true), "aa");
    EXPECT_EQ(ReplaceSubstring("Abc abc", "abc", "x", true), "Abc x");
}

TEST(LangStrUtils, Words)
{
    struct Case {
        const char* text;
        int n;
        int start;
        const char* word;
    };
    const Case cases[] = {
        {"Form1.Caption|text|", 1, 1, "Form1"},
        {"Form1.Caption|text|", 2, 7, "Caption"},
        {"Form1.Caption|text|", 3, 15, "text"},
        {"Bar.ItemLinks[0].UserCaption|x|", 4, 18, "UserCaption"},
        // Word 2 starts at the last character, so it reads as empty.
        {"a.b", 2, 3, ""},
        {"a..b", 2, 3, ""},
        {"a.b", 3, 3, ""},
        {"abc", 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.n));
        EXPECT_EQ(WordStartPosition(c.n, c.text, ".|["), c.start);
        EXPECT_EQ(WordOfText(c.n, c.text, ".|["), c.word);
    }
    EXPECT_EQ(CountCharsInSet("a.b|c[d", ".|["), 3);
    EXPECT_EQ(CountCharsInSet("", ".|["), 0);
}

TEST(LangStrUtils, RemoveAndMoveFields)
{
    struct Case {
        const char* line;
        bool move;
        int from;
        int to;
        const char* expected;
    };
    const Case cases[] = {
        {"id|a|b|c|", false, 1, 0, "id|b|c||"},
        {"id|a|b|c|", false, 3, 0, "id|a|b||"},
        // Every field up to the last delimiter is written with its own, so the closing one doubles.
        {"id|a|b|c|", false, 9, 0, "id|a|b|c||"},
        {"id|a|b", false, 1, 0, "id|b|"},
        {"id|a|b|c|", true, 1, 3, "id|b|c|a|"},
        {"id|a|b|c|", true, 3, 1, "id|c|a|b|"},
        {"id|a|b|c|", true, 2, 2, "id|a|b|c|"},
        {"id|a|b|c|", true, 4, 1, "id|a|b|c|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.move ? MoveLineField(c.line, c.from, c.to, '|') : RemoveLineField(c.line, c.from, '|'), c.expected);
    }
    rtl::TStringList list;
    list.Add("one|1|eins|");
    list.Add("two|2|zwei|");
    MoveLanguageColumn(list, 1, 2, '|');
    EXPECT_EQ(list.Text(), "one|eins|1|\r\ntwo|zwei|2|\r\n");
    RemoveLanguageColumn(list, 1, '|');
    EXPECT_EQ(list.Text(), "one|1||\r\ntwo|2||\r\n");
}

TEST(LangStrUtils, FlipCaseAndExpandChars)
{
    EXPECT_EQ(FlipCase("Save As... 2x"), "sAVE aS... 2X");
    struct Case {
        const char* text;
        int percent;
        const char* expected;
    };
    const Case cases[] = {
        {"abc", 100, "a_b_c_"},
        {"abc", 50, "abc_"},
        {"abcd", 50, "abc_d_"},
        {"abc", 0, "abc"},
        {"", 100, ""},
        {"ab", 250, "a__b___"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.percent));
        EXPECT_EQ(ExpandChars(c.text, '_', c.percent), c.expected);
    }
}

}  // namespace
