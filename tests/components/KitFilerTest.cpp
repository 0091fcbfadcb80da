#include "components/KitFiler.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using components::TKitAbstractStore;

// Counts how often the backing store opens and closes; can be told to fail its next opening.
class CountingStore : public TKitAbstractStore {
public:
    CountingStore() : TKitAbstractStore(nullptr) {}

    std::string ReadString(const std::string&, const std::string&, const std::string& defaultValue) override
    {
        return defaultValue;
    }
    void WriteString(const std::string&, const std::string&, const std::string&) override {}

    int opened = 0;
    int closed = 0;
    bool failNextOpen = false;

protected:
    void OpenBackingStore() override
    {
        if (failNextOpen) {
            failNextOpen = false;
            throw rtl::EInvalidOperation("cannot open");
        }
        ++opened;
    }
    void CloseBackingStore() override { ++closed; }
};

struct BracketCase {
    const char* calls;  // O = Open, C = Close
    int opened;
    int closed;
    int count;
};

TEST(KitAbstractStore, OnlyTheOutermostBracketOpensAndCloses)
{
    const BracketCase cases[] = {
        {"O", 1, 0, 1},      {"OO", 1, 0, 2},   {"OOC", 1, 0, 1}, {"OOCC", 1, 1, 0},
        {"C", 0, 0, 0},      {"OCC", 1, 1, 0},  {"OCCO", 2, 1, 1}, {"OCOC", 2, 2, 0},
    };
    for (const BracketCase& c : cases) {
        CountingStore store;
        for (const char* call = c.calls; *call; ++call)
            *call == 'O' ? store.Open() : store.Close();
        EXPECT_EQ(store.opened, c.opened) << c.calls;
        EXPECT_EQ(store.closed, c.closed) << c.calls;
        EXPECT_EQ(store.OpenCount(), c.count) << c.calls;
    }
}

TEST(KitAbstractStore, AFailedOpenLeavesTheStoreClosed)
{
    CountingStore store;
    store.failNextOpen = true;
    EXPECT_THROW(store.Open(), rtl::EInvalidOperation);
    EXPECT_EQ(store.OpenCount(), 0);

    // The Close a caller runs in its cleanup must not close a backing store that never opened.
    store.Close();
    EXPECT_EQ(store.closed, 0);

    store.Open();
    store.Close();
    EXPECT_EQ(store.opened, 1);
    EXPECT_EQ(store.closed, 1);
}

}  // namespace
