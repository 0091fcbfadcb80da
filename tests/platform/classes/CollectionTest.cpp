#include "SampleComponents.h"

#include <gtest/gtest.h>

namespace {

using classes::TCollection;
using classes::TCollectionItem;
using classes::TCollectionNotification;
using sample::TItem;

// Records what the collection reports.
class TWatched : public TCollection {
public:
    TWatched() : TCollection(TItem::StaticClass()) {}
    std::vector<std::string> log;

protected:
    void Update(TCollectionItem* item) override
    {
        log.push_back(item ? "update " + static_cast<TItem*>(item)->caption : "update all");
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override
    {
        static const char* names[] = {"added", "extracting", "deleting"};
        log.push_back(std::string(names[int(action)]) + " " + std::to_string(item->ID()));
    }
};

std::string Captions(const TCollection& c)
{
    std::string text;
    for (int i = 0; i < c.Count(); ++i)
        text += static_cast<TItem*>(c.Items(i))->caption;
    return text;
}

TItem* Add(TCollection& c, const char* caption)
{
    auto* item = static_cast<TItem*>(c.Add());
    item->caption = caption;
    return item;
}

TEST(Collection, AddInsertDeleteAndMoves)
{
    TWatched c;
    Add(c, "a");
    Add(c, "b");
    static_cast<TItem*>(c.Insert(0))->caption = "c";
    EXPECT_EQ(Captions(c), "cab");
    EXPECT_EQ(c.Items(0)->ID(), 2);
    EXPECT_EQ(c.FindItemID(1), c.Items(2));
    c.Items(0)->SetIndex(2);
    EXPECT_EQ(Captions(c), "abc");
    c.Items(0)->SetIndex(7);  // out of range: ignored
    EXPECT_EQ(Captions(c), "abc");
    c.Delete(1);
    EXPECT_EQ(Captions(c), "ac");
    EXPECT_EQ(c.Items(1)->Index(), 1);
    for (int bad : {-1, 2}) {
        try {
            c.Delete(bad);
            ADD_FAILURE();
        } catch (const rtl::EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(c.Items(2), rtl::EListError);
    // An item moved to another collection leaves this one.
    TWatched other;
    c.Items(0)->SetCollection(&other);
    EXPECT_EQ(Captions(c), "c");
    EXPECT_EQ(Captions(other), "a");
}

TEST(Collection, ChangesAreReportedOnceOutsideTheUpdateBracket)
{
    TWatched c;
    TItem* a = Add(c, "a");
    EXPECT_EQ(c.log, (std::vector<std::string>{"added 0", "update all"}));
    c.log.clear();
    c.BeginUpdate();
    Add(c, "b");
    c.BeginUpdate();
    c.Delete(0);
    c.EndUpdate();
    EXPECT_EQ(c.log, (std::vector<std::string>{"added 1", "deleting 0", "extracting 0"}));
    c.EndUpdate();
    EXPECT_EQ(c.log.back(), "update all");
    c.log.clear();
    a = static_cast<TItem*>(c.Items(0));
    a->SetDisplayName("x");  // an item's own change names the item
    EXPECT_EQ(c.log, std::vector<std::string>{"update b"});
    EXPECT_EQ(a->DisplayName(), "TItem");
}

TEST(Collection, AssignCopiesItemsAndClearDeletesThem)
{
    TWatched source;
    Add(source, "a")->value = 1;
    Add(source, "b")->value = 2;
    TWatched copy;
    Add(copy, "old");
    copy.log.clear();
    copy.Assign(&source);
    EXPECT_EQ(Captions(copy), "ab");
    EXPECT_EQ(static_cast<TItem*>(copy.Items(1))->value, 2);
    EXPECT_EQ(std::count(copy.log.begin(), copy.log.end(), "update all"), 1);
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);
    sample::TFont font;
    EXPECT_THROW(copy.Assign(&font), rtl::EConvertError);
}

}  // namespace
