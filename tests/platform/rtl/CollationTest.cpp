#include "platform/rtl/Collation.h"

#include "tests/support/UsingCodePage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using testsupport::UsingCodePage;

int Sign(int n)
{
    return (n > 0) - (n < 0);
}

// Sorts the flattened groups with `compare` and checks that every pair compares as its groups do:
// equal within a group, in group order across groups.
void ExpectOrder(const std::vector<std::vector<std::string>>& groups, int (*compare)(std::string_view, std::string_view))
{
    std::vector<std::string> items;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group)
        items.insert(items.end(), group->rbegin(), group->rend());
    auto groupOf = [&groups](const std::string& s) {
        for (size_t g = 0; g < groups.size(); ++g)
            if (std::find(groups[g].begin(), groups[g].end(), s) != groups[g].end())
                return int(g);
        return -1;
    };
    std::sort(items.begin(), items.end(), [compare](const std::string& a, const std::string& b) {
        return compare(a, b) < 0;
    });
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(groupOf(items[i - 1]), groupOf(items[i]))
                << "\"" << items[i - 1] << "\" before \"" << items[i] << "\"";
        }
        for (const std::string& other : items)
            EXPECT_EQ(Sign(compare(items[i], other)), Sign(groupOf(items[i]) - groupOf(other)))
                << "\"" << items[i] << "\" against \"" << other << "\"";
    }
}

// The same list in both orders; bytes are code page 1252 (\xE9 e acute, \xC9 E acute).
TEST(Collation, MixedListWithCase)
{
    UsingCodePage page(1252);
    ExpectOrder({{""}, {"-"}, {" "}, {"!"}, {"_"}, {"~"}, {"+"}, {"1"}, {"10"}, {"2"},
                 {"a"}, {"A"}, {"a b"}, {"ab"}, {"Ab"}, {"b"}, {"B"}, {"coop"}, {"co-op"}, {"cop"},
                 {"e"}, {"E"}, {"\xE9"}, {"\xC9"}, {"\xE9t\xE9"}, {"f"}},
                rtl::AnsiCompareStr);
}

TEST(Collation, MixedListWithoutCase)
{
    UsingCodePage page(1252);
    ExpectOrder({{""}, {"-"}, {" "}, {"!"}, {"_"}, {"~"}, {"+"}, {"1"}, {"10"}, {"2"},
                 {"a", "A"}, {"a b"}, {"ab", "Ab"}, {"b", "B"}, {"coop"}, {"co-op"}, {"cop"},
                 {"e", "E"}, {"\xE9", "\xC9"}, {"\xE9t\xE9"}, {"f"}},
                rtl::AnsiCompareText);
}

TEST(Collation, PairsAcrossCodePages)
{
    struct Case {
        int codePage;
        const char* a;
        const char* b;
        int str;   // the sign of AnsiCompareStr(a, b)
        int text;  // the sign of AnsiCompareText(a, b)
    };
    const Case cases[] = {
        {1252, "stra\xDF" "e", "STRASSE", -1, 0},  // sharp s expands to "ss"
        {1252, "stra\xDF" "e", "strasse", 1, 0},   // then only the bytes tell them apart
        {1252, "\xC6" "ble", "AEble", 1, 0},       // AE ligature, after AE by its bytes
        {1252, "\x9C" "uvre", "oeuvre", 1, 0},     // oe ligature
        {1252, "r\xE9sum\xE9", "resume", 1, 1},
        {1252, "\xE9" "a", "eb", -1, -1},           // letters decide before accents
        {1252, "e\xE9", "\xE9" "e", -1, -1},        // the first accent that differs decides
        {1252, "\xFE", "z", 1, 1},                  // thorn after z
        {1252, "\xD8", "P", -1, -1},                // O with stroke among the o's
        {1252, "9", "a", -1, -1},
        {1252, "\x80", "~", 1, 1},                  // euro sign among the other symbols, after the listed ones
        {1252, "\xA7", "\x80", -1, -1},             // section sign before euro sign: by Unicode value
        {1252, "\x80", "+", -1, -1},
        {1252, "a\tb", "ab", -1, 0},                // control characters are ignored
        {1252, "a\x81", "a", 1, 0},                 // so are undefined bytes
        {1252, "it's", "its", 1, 1},
        {1252, "it's", "it-s", -1, -1},             // apostrophe before hyphen at the same place
        {1252, "co\xADop", "co-op", 1, 1},          // soft hyphen after hyphen
        {1252, "c-oop", "co-op", -1, -1},           // the earlier word-sort character first
        {1252, "\xA0", " ", 1, 1},                  // no-break space after the blank
        {1250, "\xA3\xF3" "d\x9F", "Lodz", 1, 1},   // L with stroke, o acute, z acute
        {1250, "\xA3", "M", -1, -1},
        {1250, "\x8A", "T", -1, -1},                // S caron among the s's
        {1251, "\xFF", "\xE0", 1, 1},               // ya after a
        {1251, "\xC1", "\xE0", 1, 1},               // capital be after small a
        {1251, "z", "\xE0", -1, -1},                // Latin before Cyrillic
        {1253, "\xDC", "\xE1", 1, 1},               // alpha with tonos after alpha
        {1253, "\xDC", "\xE2", -1, -1},             // and before beta
        {1253, "\xA2", "\xDC", 1, 0},               // capital and small alpha with tonos
        {1253, "\xF2", "\xF3", 1, 1},               // final sigma with sigma, after it
        {1253, "\xF2", "\xF4", -1, -1},
        {1254, "\xDD", "J", -1, -1},                // capital I with dot among the i's
        {1258, "e\xEC", "e", 1, 1},                 // a combining acute counts as an accent
        {1258, "e\xEC", "f", -1, -1},
        {1255, "\xE0", "\xE1", -1, -1},             // alef before bet
        {1256, "z", "\xC7", -1, -1},                // Latin before Arabic
    };
    for (const Case& c : cases) {
        UsingCodePage page(c.codePage);
        SCOPED_TRACE(std::to_string(c.codePage) + ": \"" + c.a + "\" against \"" + c.b + "\"");
        EXPECT_EQ(Sign(rtl::AnsiCompareStr(c.a, c.b)), c.str);
        EXPECT_EQ(Sign(rtl::AnsiCompareStr(c.b, c.a)), -c.str);
        EXPECT_EQ(Sign(rtl::AnsiCompareText(c.a, c.b)), c.text);
        EXPECT_EQ(Sign(rtl::AnsiCompareText(c.b, c.a)), -c.text);
        EXPECT_EQ(rtl::AnsiSameText(c.a, c.b), c.text == 0);
        EXPECT_FALSE(rtl::AnsiSameStr(c.a, c.b));
    }
}

int KeyCompareStr(std::string_view a, std::string_view b)
{
    return rtl::AnsiSortKey(a, true).compare(rtl::AnsiSortKey(b, true));
}

int KeyCompareText(std::string_view a, std::string_view b)
{
    return rtl::AnsiSortKey(a, false).compare(rtl::AnsiSortKey(b, false));
}

// Sort keys order texts as the comparisons do: the lists above, and random texts in every code page made
// of characters that tie at one level and differ at the next (case, accents, ligatures, word-sort
// characters, ignored bytes, marks).
TEST(Collation, SortKeysOrderAsTheComparisons)
{
    {
        UsingCodePage page(1252);
        ExpectOrder({{""}, {"-"}, {" "}, {"!"}, {"_"}, {"~"}, {"+"}, {"1"}, {"10"}, {"2"},
                     {"a"}, {"A"}, {"a b"}, {"ab"}, {"Ab"}, {"b"}, {"B"}, {"coop"}, {"co-op"}, {"cop"},
                     {"e"}, {"E"}, {"\xE9"}, {"\xC9"}, {"\xE9t\xE9"}, {"f"}},
                    KeyCompareStr);
        ExpectOrder({{""}, {"-"}, {" "}, {"!"}, {"_"}, {"~"}, {"+"}, {"1"}, {"10"}, {"2"},
                     {"a", "A"}, {"a b"}, {"ab", "Ab"}, {"b", "B"}, {"coop"}, {"co-op"}, {"cop"},
                     {"e", "E"}, {"\xE9", "\xC9"}, {"\xE9t\xE9"}, {"f"}},
                    KeyCompareText);
    }
    std::string alphabet = "aAeEsSoO-' \t1";
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        alphabet += char(byte);
    std::mt19937 random(7);
    const auto text = [&] {
        std::string s;
        for (int n = int(random() % 5); n > 0; --n)
            s += random() % 2 ? alphabet[random() % 14] : alphabet[random() % alphabet.size()];
        return s;
    };
    for (int codePage = 1250; codePage <= 1258; ++codePage) {
        UsingCodePage page(codePage);
        SCOPED_TRACE(codePage);
        int failures = 0;
        for (int k = 0; k < 20000 && failures < 5; ++k) {
            const std::string a = text();
            const std::string b = random() % 4 ? text() : a.substr(0, a.size() / 2) + text();
            const bool same = Sign(KeyCompareStr(a, b)) == Sign(rtl::AnsiCompareStr(a, b)) &&
                              Sign(KeyCompareText(a, b)) == Sign(rtl::AnsiCompareText(a, b));
            EXPECT_TRUE(same) << testing::PrintToString(a) << " against " << testing::PrintToString(b);
            failures += same ? 0 : 1;
        }
    }
}

TEST(Collation, OrdinalFormsCompareBytesWithAsciiFolding)
{
    UsingCodePage page(1252);
    EXPECT_LT(rtl::CompareStr("B", "a"), 0);
    EXPECT_GT(rtl::CompareStr("a", "B"), 0);
    EXPECT_LT(rtl::CompareText("a", "B"), 0);
    EXPECT_EQ(rtl::CompareText("Hello", "hELLO"), 0);
    EXPECT_LT(rtl::CompareText("ab", "abc"), 0);
    EXPECT_TRUE(rtl::SameText("Hello", "HELLO"));
    EXPECT_FALSE(rtl::SameText("\xE9", "\xC9"));  // no folding above ASCII
    EXPECT_GT(rtl::CompareStr("\xE9", "f"), 0);
    EXPECT_TRUE(rtl::AnsiSameStr("\xE9", "\xE9"));
}

}  // namespace
