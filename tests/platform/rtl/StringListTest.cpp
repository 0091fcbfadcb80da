#include "platform/rtl/StringList.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/support/Lines.h"
#include "tests/support/UsingCodePage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

using testsupport::LinesOf;

void Fill(rtl::TStrings& list, const Lines& lines)
{
    for (const std::string& line : lines)
        list.Add(line);
}

TEST(StringList, SetTextSplitsAtEveryKindOfLineEnd)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\0b\r\nc"s, {"a"}},
        {"\0a"s, {}},
        {"  padded  \r\n", {"  padded  "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        rtl::TStringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(LinesOf(list), c.lines);
    }
}

TEST(StringList, TextEndsEveryLineWithCrLf)
{
    rtl::TStringList list;
    EXPECT_EQ(list.Text(), "");
    Fill(list, {"a", "", "b"});
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringList, CommaTextQuotesOnlyWhereNeeded)
{
    const struct {
        Lines lines;
        std::string text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "b"}, "a,b"},
        {{"a", "", "b"}, "a,\"\",b"},
        {{"two words"}, "\"two words\""},
        {{"tab\there"}, "\"tab\there\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"x,y", "z"}, "\"x,y\",z"},
        {{"semi;colon", "it's"}, "semi;colon,it's"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        rtl::TStringList list;
        Fill(list, c.lines);
        EXPECT_EQ(list.CommaText(), c.text);
        rtl::TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(LinesOf(back), c.lines);
    }
}

TEST(StringList, SetCommaTextSplitsAtBlanksAndCommasOutsideQuotes)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b,c", {"a", "b", "c"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {"a, ", {"a", ""}},
        {"\"a b\" c", {"a b", "c"}},
        {"\"\",\"\"", {"", ""}},
        {"\"x\"\"y\"", {"x\"y"}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"\"open", {"open"}},
        {"a\0,b"s, {"a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        rtl::TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(LinesOf(list), c.lines);
    }
}

TEST(StringList, DelimitedTextUsesItsOwnDelimiterAndQuote)
{
    rtl::TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    Fill(list, {"a,b", "it's", "x y", "", "plain"});
    EXPECT_EQ(list.DelimitedText(), "a,b;'it''s';'x y';'';plain");
    // CommaText keeps its own characters whatever the list's are.
    EXPECT_EQ(list.CommaText(), "\"a,b\",it's,\"x y\",\"\",plain");

    rtl::TStringList back;
    back.SetDelimiter(';');
    back.SetQuoteChar('\'');
    back.SetDelimitedText("a,b; 'it''s' ;'x y';'';plain two;");
    EXPECT_EQ(LinesOf(back), (Lines{"a,b", "it's", "x y", "", "plain", "two", ""}));
}

TEST(StringList, NamesAndValues)
{
    rtl::TStringList list;
    Fill(list, {"Alpha=1", "novalue", "=empty name", "Beta=x=y", "Gamma="});
    const struct {
        int index;
        std::string name;
        std::string value;
    } rows[] = {{0, "Alpha", "1"}, {1, "", ""}, {2, "", "empty name"}, {3, "Beta", "x=y"}, {4, "Gamma", ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(list.Names(r.index), r.name);
        EXPECT_EQ(list.ValueFromIndex(r.index), r.value);
    }
    EXPECT_EQ(list.IndexOfName("ALPHA"), 0);
    EXPECT_EQ(list.IndexOfName("novalue"), -1);
    EXPECT_EQ(list.Values("beta"), "x=y");
    EXPECT_EQ(list.Values("missing"), "");

    list.SetValues("alpha", "2");
    list.SetValues("Delta", "4");
    list.SetValues("Beta", "");
    list.SetValues("nothing", "");
    EXPECT_EQ(LinesOf(list), (Lines{"alpha=2", "novalue", "=empty name", "Gamma=", "Delta=4"}));

    list.SetNameValueSeparator(':');
    list.SetText("key:v=1\r\nother=2");
    EXPECT_EQ(list.Values("key"), "v=1");
    EXPECT_EQ(list.IndexOfName("other"), -1);
}

TEST(StringList, SortedListAndDuplicates)
{
    const struct {
        rtl::TDuplicates mode;
        Lines lines;
    } cases[] = {
        {rtl::TDuplicates::Ignore, {"apple", "Banana", "cherry"}},
        // A duplicate goes in front of its equals.
        {rtl::TDuplicates::Accept, {"apple", "BANANA", "banana", "Banana", "cherry"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        rtl::TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.mode);
        Fill(list, {"cherry", "Banana", "apple", "banana", "BANANA"});
        EXPECT_EQ(LinesOf(list), c.lines);
        EXPECT_EQ(list.IndexOf("BANANA"), 1);
    }

    rtl::TStringList strict;
    strict.SetSorted(true);
    strict.SetDuplicates(rtl::TDuplicates::Error);
    Fill(strict, {"b", "a"});
    try {
        strict.Add("A");
        ADD_FAILURE() << "no exception";
    } catch (const rtl::EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(LinesOf(strict), (Lines{"a", "b"}));
}

TEST(StringList, FindReturnsMatchOrInsertionPlace)
{
    rtl::TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(rtl::TDuplicates::Accept);
    Fill(list, {"b", "d", "d", "d", "f"});
    const struct {
        std::string key;
        bool found;
        int index;
    } cases[] = {{"a", false, 0}, {"b", true, 0}, {"c", false, 1}, {"D", true, 1}, {"e", false, 4}, {"z", false, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        int index = -1;
        EXPECT_EQ(list.Find(c.key, index), c.found);
        EXPECT_EQ(index, c.index);
    }
}

TEST(StringList, SortedListRefusesPositionalEdits)
{
    const std::function<void(rtl::TStringList&)> edits[] = {
        [](rtl::TStringList& l) { l.Insert(0, "x"); },
        [](rtl::TStringList& l) { l.InsertObject(1, "x", nullptr); },
        [](rtl::TStringList& l) { l.SetStrings(0, "x"); },
        [](rtl::TStringList& l) { l.Move(0, 2); },
    };
    for (const auto& edit : edits) {
        rtl::TStringList list;
        Fill(list, {"c", "a", "b"});
        list.SetSorted(true);
        try {
            edit(list);
            ADD_FAILURE() << "no exception";
        } catch (const rtl::EStringListError& e) {
            EXPECT_EQ(e.Message(), "Operation not allowed on sorted string list");
        }
        EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "c"}));
    }
}

TEST(StringList, ValuesOfSortedListStaySorted)
{
    rtl::TStringList list;
    list.SetSorted(true);
    Fill(list, {"b=2", "a=1"});
    list.SetValues("c", "3");
    list.SetValues("a", "9");
    EXPECT_EQ(LinesOf(list), (Lines{"a=9", "b=2", "c=3"}));
}

TEST(StringList, CaseSensitiveComparisonResorts)
{
    rtl::TStringList list;
    Fill(list, {"b", "B", "a", "A", "c"});
    list.SetSorted(true);
    list.SetDuplicates(rtl::TDuplicates::Accept);
    EXPECT_EQ(list.IndexOf("C"), 4);
    list.SetCaseSensitive(true);
    const Lines lines = LinesOf(list);
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                               [](const std::string& a, const std::string& b) { return rtl::AnsiCompareStr(a, b) < 0; }));
    EXPECT_EQ(list.IndexOf("C"), -1);
    for (const char* s : {"a", "A", "b", "B", "c"})
        EXPECT_EQ(list.Strings(list.IndexOf(s)), s);
}

TEST(StringList, IndexErrorsChangeNothing)
{
    const struct {
        std::function<void(rtl::TStringList&)> action;
        const char* message;
    } cases[] = {
        {[](rtl::TStringList& l) { l.Strings(3); }, "List index out of bounds (3)"},
        {[](rtl::TStringList& l) { l.Objects(-1); }, "List index out of bounds (-1)"},
        {[](rtl::TStringList& l) { l.Delete(3); }, "List index out of bounds (3)"},
        {[](rtl::TStringList& l) { l.Insert(4, "x"); }, "List index out of bounds (4)"},
        {[](rtl::TStringList& l) { l.Exchange(0, 3); }, "List index out of bounds (3)"},
        {[](rtl::TStringList& l) { l.Move(0, 3); }, "List index out of bounds (3)"},
        {[](rtl::TStringList& l) { l.SetCapacity(2); }, "List capacity out of bounds (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        rtl::TStringList list;
        Fill(list, {"a", "b", "c"});
        try {
            c.action(list);
            ADD_FAILURE() << "no exception";
        } catch (const rtl::EStringListError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "c"}));
    }
}

TEST(StringList, OneChangeNotificationPerOutermostUpdate)
{
    rtl::TStringList list;
    int changing = 0;
    int changed = 0;
    list.OnChanging = [&](rtl::TStringList&) { ++changing; };
    list.OnChange = [&](rtl::TStringList& sender) {
        EXPECT_EQ(&sender, &list);
        ++changed;
    };
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);

    list.BeginUpdate();
    list.Add("c");
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    list.Exchange(0, 1);
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);

    list.SetText("x\r\ny\r\nz");
    list.SetCommaText("p,q");
    EXPECT_EQ(changed, 5);

    // Adding a line the list ignores is no change.
    list.SetSorted(true);
    const int before = changed;
    list.Add("p");
    EXPECT_EQ(changed, before);
}

TEST(StringList, MoveKeepsObjectsAndCustomSortSeesIndexes)
{
    int one = 1;
    int two = 2;
    rtl::TStringList list;
    list.AddObject("one", &one);
    list.AddObject("two", &two);
    list.Add("three");
    list.Move(0, 2);
    EXPECT_EQ(LinesOf(list), (Lines{"two", "three", "one"}));
    EXPECT_EQ(list.Objects(2), &one);
    EXPECT_EQ(list.IndexOfObject(&two), 0);

    list.Add("eleven");
    list.CustomSort([](rtl::TStringList& l, int a, int b) {
        return int(l.Strings(b).size()) - int(l.Strings(a).size());
    });
    EXPECT_EQ(LinesOf(list), (Lines{"eleven", "three", "two", "one"}));
    EXPECT_EQ(list.Objects(3), &one);
}

// Sort gives the order of the collation, ties in their old order, whichever way it gets there; a derived
// list that compares in its own way sorts by its comparison.
TEST(StringList, SortFollowsTheCollationAndKeepsTies)
{
    testsupport::UsingCodePage page(1252);
    const Lines words = {"co-op", "Coop", "\xE9t\xE9", "coop", "ETE", "cop", "\xC9t\xE9", "stra\xDF" "e",
                         "STRASSE", "a", "A", "", "b-", "B", "ete", "\x9C" "uvre", "OEuvre", "10", "9", "a b"};
    for (const bool caseSensitive : {false, true}) {
        SCOPED_TRACE(caseSensitive ? "case-sensitive" : "without case");
        rtl::TStringList list;
        list.SetCaseSensitive(caseSensitive);
        for (int round = 0; round < 3; ++round)
            for (size_t i = 0; i < words.size(); ++i)
                list.AddObject(words[i], reinterpret_cast<void*>(round * 100 + i));
        std::vector<std::pair<std::string, void*>> expected;
        for (int i = 0; i < list.Count(); ++i)
            expected.emplace_back(list.Strings(i), list.Objects(i));
        const auto compare = caseSensitive ? rtl::AnsiCompareStr : rtl::AnsiCompareText;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const auto& a, const auto& b) { return compare(a.first, b.first) < 0; });
        list.Sort();
        ASSERT_EQ(list.Count(), int(expected.size()));
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list.Strings(i), expected[size_t(i)].first) << i;
            EXPECT_EQ(list.Objects(i), expected[size_t(i)].second) << i;
        }
    }

    class ByLength : public rtl::TStringList {
    protected:
        int CompareStrings(const std::string& a, const std::string& b) const override
        {
            return int(a.size()) - int(b.size());
        }
    };
    ByLength byLength;
    Fill(byLength, {"three", "a", "eleven", "zz", "b"});
    byLength.Sort();
    EXPECT_EQ(LinesOf(byLength), (Lines{"a", "b", "zz", "three", "eleven"}));
}

TEST(StringList, AssignAddStringsAndEquals)
{
    int tag = 0;
    rtl::TStringList source;
    source.SetDelimiter(';');
    source.AddObject("a", &tag);
    source.Add("b");
    rtl::TStringList copy;
    copy.Add("old");
    copy.Assign(source);
    EXPECT_TRUE(copy.Equals(source));
    EXPECT_EQ(copy.Objects(0), &tag);
    EXPECT_EQ(copy.Delimiter(), ';');
    copy.AddStrings(copy);
    EXPECT_EQ(LinesOf(copy), (Lines{"a", "b", "a", "b"}));
    EXPECT_FALSE(copy.Equals(source));
    rtl::TStringList other;
    Fill(other, {"A", "b"});
    EXPECT_FALSE(other.Equals(source));
}

class MemoryStream : public rtl::TStream {
public:
    std::string data;
    std::int64_t position = 0;

    std::int64_t Read(void* buffer, std::int64_t count) override
    {
        const std::int64_t n = std::min<std::int64_t>(count, std::int64_t(data.size()) - position);
        std::memcpy(buffer, data.data() + position, size_t(n));
        position += n;
        return n;
    }
    std::int64_t Write(const void* buffer, std::int64_t count) override
    {
        data.replace(size_t(position), size_t(count), static_cast<const char*>(buffer), size_t(count));
        position += count;
        return count;
    }
    std::int64_t Seek(std::int64_t offset, rtl::SeekOrigin origin) override
    {
        const std::int64_t base = origin == rtl::SeekOrigin::Beginning ? 0
                                  : origin == rtl::SeekOrigin::Current ? position
                                                                       : std::int64_t(data.size());
        return position = base + offset;
    }
};

TEST(StringList, StreamsHoldText)
{
    MemoryStream stream;
    stream.data = "skip|one\ntwo\r\n";
    stream.position = 5;
    rtl::TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(LinesOf(list), (Lines{"one", "two"}));

    MemoryStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.data, "one\r\ntwo\r\n");
}

TEST(WideStringList, CoreOperations)
{
    rtl::TWideStringList list;
    list.SetText(u"beta\r\nAlpha\n\u4E2D\rgamma\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(2), u"\u4E2D");
    EXPECT_EQ(list.IndexOf(u"ALPHA"), 1);
    EXPECT_EQ(list.IndexOf(u"\u4E2D"), 2);
    EXPECT_EQ(list.IndexOf(u"delta"), -1);

    list.SetSorted(true);
    EXPECT_EQ(list.Strings(0), u"Alpha");
    EXPECT_EQ(list.Strings(1), u"beta");
    EXPECT_EQ(list.Add(u"Beta"), 1);
    EXPECT_EQ(list.IndexOf(u"GAMMA"), 3);
    EXPECT_THROW(list.Insert(0, u"x"), rtl::EStringListError);
    EXPECT_THROW(list.SetStrings(0, u"x"), rtl::EStringListError);

    int tag = 0;
    list.SetObjects(0, &tag);
    EXPECT_EQ(list.Objects(0), &tag);
    list.Delete(0);
    EXPECT_EQ(list.Objects(0), nullptr);
    EXPECT_THROW(list.Delete(9), rtl::EStringListError);
    EXPECT_EQ(list.Text().substr(0, 12), u"Beta\r\nbeta\r\n");
}

}  // namespace
