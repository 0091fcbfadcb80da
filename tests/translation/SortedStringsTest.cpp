#include "translation/SortedStrings.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using translation::TtrStringsCollection;

struct Line {
    std::string identifier;
    std::vector<std::string> values;
};

void Fill(TtrStringsCollection& collection, const std::vector<Line>& lines, int sortLanguage = 0)
{
    collection.Clear();
    for (const Line& line : lines) {
        auto& item = collection.Add();
        item.Identifier = line.identifier;
        for (const std::string& value : line.values)
            item.Values.Add(value);
    }
    collection.SetSortLanguage(sortLanguage);
    collection.Resort();
}

std::vector<std::string> Identifiers(const TtrStringsCollection& collection)
{
    std::vector<std::string> out;
    for (int i = 0; i < collection.Count(); ++i)
        out.push_back(collection.Items(i).Identifier);
    return out;
}

TEST(SortedStrings, IdentifiersSortCharacterByCharacterWithoutRegardToCase)
{
    TtrStringsCollection collection;
    Fill(collection, {{"IDS_120", {}}, {"ids_113", {}}, {"IDS_0", {}}, {"IDS_12", {}}, {"IDS_115", {}}, {"IDS_1", {}}});
    EXPECT_EQ(Identifiers(collection),
              (std::vector<std::string>{"IDS_0", "IDS_1", "ids_113", "IDS_115", "IDS_12", "IDS_120"}));
}

TEST(SortedStrings, FindByIdentifier)
{
    struct Case {
        std::vector<Line> lines;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "IDS_0", ""},
        {{{"IDS_0", {"Inverter"}}}, "IDS_0", "Inverter"},
        {{{"IDS_0", {"Inverter"}}}, "IDS_1", ""},
        {{{"IDS_0", {"Inverter"}}}, "ids_0", "Inverter"},
        // A key that is a prefix of its neighbour, from either side of the search.
        {{{"IDS_1", {"one"}}, {"IDS_10", {"ten"}}}, "IDS_1", "one"},
        {{{"IDS_1", {"one"}}, {"IDS_10", {"ten"}}}, "IDS_10", "ten"},
        {{{"IDS_0", {"zero"}}, {"IDS_1", {"one"}}, {"IDS_10", {"ten"}}}, "IDS_1", "one"},
        // Equal to the last of two: only the final probe reaches it.
        {{{"IDS_0", {"zero"}}, {"IDS_9", {"nine"}}}, "IDS_9", "nine"},
        {{{"IDS_0", {"zero"}}, {"IDS_9", {"nine"}}}, "IDS_99", ""},
        {{{"IDS_5", {"five"}}, {"IDS_9", {"nine"}}}, "IDS_0", ""},
        // Missing languages of a line read as empty.
        {{{"IDS_0", {"zero", ""}}}, "IDS_0", "zero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TtrStringsCollection collection;
        Fill(collection, c.lines);
        EXPECT_EQ(collection.FindByIdentifier(c.key, 1), c.expected);
    }
}

// Every identifier of collections of every size up to 40 is found by the binary search, as the linear
// search finds it, and the keys between them are not.
TEST(SortedStrings, BinarySearchAgreesWithLinearSearch)
{
    for (int size = 0; size <= 40; ++size) {
        SCOPED_TRACE(size);
        std::vector<Line> lines;
        for (int i = size - 1; i >= 0; --i)
            lines.push_back({"IDS_" + std::to_string(i * 2), {"text " + std::to_string(i * 2)}});
        TtrStringsCollection collection;
        Fill(collection, lines);
        for (int key = -1; key <= size * 2; ++key) {
            std::string identifier = "IDS_" + std::to_string(key);
            int index = collection.IndexOfIdentifier(identifier);
            EXPECT_EQ(collection.FindByIdentifier(identifier, 1),
                      index < 0 ? "" : collection.Items(index).Values.Strings(0))
                << identifier;
        }
    }
}

TEST(SortedStrings, DuplicatesAreKeptAndOneIsFound)
{
    TtrStringsCollection collection;
    Fill(collection, {{"IDS_2", {"b"}}, {"IDS_1", {"first"}}, {"ids_1", {"second"}}});
    EXPECT_EQ(collection.Count(), 3);
    std::string found = collection.FindByIdentifier("IDS_1", 1);
    EXPECT_TRUE(found == "first" || found == "second") << found;
    EXPECT_EQ(collection.IndexOfIdentifier("IDS_1"), 0);
}

TEST(SortedStrings, LanguageOutsideTheValuesRaises)
{
    TtrStringsCollection collection;
    Fill(collection, {{"IDS_0", {"zero"}}});
    EXPECT_THROW(collection.FindByIdentifier("IDS_0", 2), rtl::EStringListError);
    EXPECT_THROW(collection.FindByIdentifier("IDS_0", 0), rtl::EStringListError);
    EXPECT_EQ(collection.FindByIdentifier("IDS_7", 2), "");
}

TEST(SortedStrings, FindByTextSortsAndComparesWithCase)
{
    TtrStringsCollection collection;
    Fill(collection,
         {{"IDS_0", {"Open", "Offnen"}}, {"IDS_1", {"open", "oeffnen"}}, {"IDS_2", {"Close", ""}}, {"IDS_3", {}}},
         1);
    EXPECT_EQ(collection.FindByText("Open", 2), "Offnen");
    EXPECT_EQ(collection.FindByText("open", 2), "oeffnen");
    EXPECT_EQ(collection.FindByText("Save", 2), "Save");
    EXPECT_EQ(collection.FindByText("Close", 2), "");
    // The item without values sorts as an empty text.
    EXPECT_EQ(collection.Items(0).Identifier, "IDS_3");

    collection.OnEmptyText = [](const translation::TtrStringsCollectionItem& item, int language) {
        return "[" + item.Values.Strings(0) + " " + std::to_string(language) + "]";
    };
    EXPECT_EQ(collection.FindByText("Close", 2), "[Close 2]");
    EXPECT_EQ(collection.FindByText("Open", 2), "Offnen");
}

TEST(SortedStrings, FindByTextWithoutASortLanguageGivesTheTextBack)
{
    TtrStringsCollection collection;
    Fill(collection, {{"IDS_0", {"Open", "Offnen"}}, {"IDS_1", {"", "leer"}}});
    EXPECT_EQ(collection.FindByText("Open", 2), "Open");
    EXPECT_EQ(collection.FindByText("", 2), "");
}

TEST(SortedStrings, ResortFollowsTheSortLanguage)
{
    TtrStringsCollection collection;
    Fill(collection, {{"IDS_0", {"b", "x"}}, {"IDS_1", {"a", "y"}}, {"IDS_2", {"c", "w"}}}, 2);
    EXPECT_EQ(Identifiers(collection), (std::vector<std::string>{"IDS_2", "IDS_0", "IDS_1"}));
    collection.SetSortLanguage(1);
    collection.Resort();
    EXPECT_EQ(Identifiers(collection), (std::vector<std::string>{"IDS_1", "IDS_0", "IDS_2"}));
    EXPECT_EQ(collection.FindByText("c", 2), "w");
}

}  // namespace
