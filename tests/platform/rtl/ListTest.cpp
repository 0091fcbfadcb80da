#include "platform/rtl/List.h"

#include "platform/rtl/Exceptions.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Items are addresses inside one array, so tests can name them by their index.
int pool[16];
void* P(int i)
{
    return &pool[i];
}

std::vector<int> Contents(const rtl::TList& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Get(i) ? int(static_cast<int*>(list.Get(i)) - pool) : -1);
    return out;
}

void Fill(rtl::TList& list, std::initializer_list<int> items)
{
    for (int i : items)
        list.Add(i < 0 ? nullptr : P(i));
}

TEST(List, ErrorsNameTheBadValueAndChangeNothing)
{
    struct Case {
        const char* name;
        std::function<void(rtl::TList&)> action;
        const char* message;
    };
    const Case cases[] = {
        {"Get below", [](rtl::TList& l) { l.Get(-1); }, "List index out of bounds (-1)"},
        {"Get past end", [](rtl::TList& l) { l.Get(3); }, "List index out of bounds (3)"},
        {"Put past end", [](rtl::TList& l) { l.Put(3, P(9)); }, "List index out of bounds (3)"},
        {"Insert past end", [](rtl::TList& l) { l.Insert(4, P(9)); }, "List index out of bounds (4)"},
        {"Delete past end", [](rtl::TList& l) { l.Delete(3); }, "List index out of bounds (3)"},
        {"Exchange", [](rtl::TList& l) { l.Exchange(0, 7); }, "List index out of bounds (7)"},
        {"Move to past end", [](rtl::TList& l) { l.Move(0, 3); }, "List index out of bounds (3)"},
        {"Move from past end", [](rtl::TList& l) { l.Move(5, 0); }, "List index out of bounds (5)"},
        {"Capacity below count", [](rtl::TList& l) { l.SetCapacity(2); }, "List capacity out of bounds (2)"},
        {"Negative count", [](rtl::TList& l) { l.SetCount(-1); }, "List count out of bounds (-1)"},
        {"Huge count", [](rtl::TList& l) { l.SetCount(0x7FFFFFFF); }, "List count out of bounds (2147483647)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rtl::TList list;
        Fill(list, {0, 1, 2});
        try {
            c.action(list);
            ADD_FAILURE() << "no exception";
        } catch (const rtl::EListError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2}));
    }
    rtl::TList empty;
    EXPECT_THROW(empty.First(), rtl::EListError);
    EXPECT_THROW(empty.Last(), rtl::EListError);
}

TEST(List, EditingOperations)
{
    struct Case {
        const char* name;
        std::function<void(rtl::TList&)> action;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"insert at front and end", [](rtl::TList& l) { l.Insert(0, P(9)); l.Insert(5, P(8)); }, {9, 0, 1, 2, 3, 8}},
        {"move forward", [](rtl::TList& l) { l.Move(0, 2); }, {1, 2, 0, 3}},
        {"move back", [](rtl::TList& l) { l.Move(3, 1); }, {0, 3, 1, 2}},
        {"exchange", [](rtl::TList& l) { l.Exchange(0, 3); }, {3, 1, 2, 0}},
        {"remove first occurrence", [](rtl::TList& l) { l.Add(P(1)); EXPECT_EQ(l.Remove(P(1)), 1); }, {0, 2, 3, 1}},
        {"remove absent", [](rtl::TList& l) { EXPECT_EQ(l.Remove(P(9)), -1); }, {0, 1, 2, 3}},
        {"extract", [](rtl::TList& l) { EXPECT_EQ(l.Extract(P(2)), P(2)); EXPECT_EQ(l.Extract(P(9)), nullptr); },
         {0, 1, 3}},
        {"pack drops nils", [](rtl::TList& l) { l.Put(1, nullptr); l.Add(nullptr); l.Pack(); }, {0, 2, 3}},
        {"grow count with nils", [](rtl::TList& l) { l.SetCount(6); }, {0, 1, 2, 3, -1, -1}},
        {"shrink count", [](rtl::TList& l) { l.SetCount(1); }, {0}},
        {"sort descending", [](rtl::TList& l) { l.Sort([](void* a, void* b) { return int(static_cast<int*>(b) - static_cast<int*>(a)); }); },
         {3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rtl::TList list;
        Fill(list, {0, 1, 2, 3});
        c.action(list);
        EXPECT_EQ(Contents(list), c.expected);
    }
}

TEST(List, SortIsStable)
{
    rtl::TList list;
    Fill(list, {5, 2, 4, 1, 3, 0});
    // Even items compare equal to each other, odd items too; evens first.
    list.Sort([](void* a, void* b) {
        return int((static_cast<int*>(a) - pool) % 2) - int((static_cast<int*>(b) - pool) % 2);
    });
    EXPECT_EQ(Contents(list), (std::vector<int>{2, 4, 0, 5, 1, 3}));
}

TEST(List, CapacityGrowsInSteps)
{
    rtl::TList list;
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        list.Add(nullptr);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    list.SetCapacity(500);
    EXPECT_EQ(list.Capacity(), 500);
    EXPECT_EQ(list.Count(), 100);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Expand().Capacity(), 4);
}

// A list that owns what it holds, as descendants build them through Notify.
class CountingList : public rtl::TList {
public:
    ~CountingList() override { Clear(); }
    std::vector<std::string> events;

protected:
    void Notify(void* item, Notification action) override
    {
        const char* names[] = {"added", "extracted", "deleted"};
        events.push_back(std::string(names[int(action)]) + ' ' + std::to_string(static_cast<int*>(item) - pool));
    }
};

TEST(List, NotifiesEveryItemThatEntersOrLeaves)
{
    CountingList list;
    Fill(list, {0, -1, 1});
    list.Put(0, P(2));
    list.Extract(P(1));
    list.Insert(0, P(3));
    list.Clear();
    EXPECT_EQ(list.events, (std::vector<std::string>{"added 0", "added 1", "deleted 0", "added 2", "extracted 1",
                                                     "added 3", "deleted 2", "deleted 3"}));
}

TEST(List, AssignCopiesItems)
{
    rtl::TList source;
    Fill(source, {3, 1});
    rtl::TList copy;
    Fill(copy, {7});
    copy.Assign(source);
    EXPECT_EQ(Contents(copy), (std::vector<int>{3, 1}));
    EXPECT_EQ(copy.First(), P(3));
    EXPECT_EQ(copy.Last(), P(1));
    EXPECT_EQ(copy.IndexOf(P(1)), 1);
}

}  // namespace
