// The geometry routines, the value classes, the class registries, object links and the component
// collection of the control foundation.

#include "controls/clClasses.h"

#include "tests/controls/ControlsFixture.h"

#include <string>
#include <vector>

namespace {

using controls::clMakeRect;
using win::RECT;

class ClassesTest : public controlstest::ControlsTest {};

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Geometry, RangeCenterRoundsDownAndJoinIgnoresAnEmptySecondRect)
{
    EXPECT_EQ(controls::clRangeCenter(3, 4), 3);
    EXPECT_EQ(controls::clRangeCenter(-3, 0), -2);
    EXPECT_EQ(controls::clRangeCenter(-3, -4), -4);
    EXPECT_EQ(controls::clRangeCenter(0, 0), 0);

    const RECT empty = clMakeRect(5, 5, 5, 9);
    EXPECT_TRUE(SameRect(controls::clRectJoin(clMakeRect(1, 2, 3, 4), clMakeRect(10, 10, 10, 20)),
                         clMakeRect(1, 2, 3, 4)));
    EXPECT_TRUE(SameRect(controls::clRectJoin(empty, clMakeRect(10, 10, 8, 20)), empty));
    EXPECT_TRUE(SameRect(controls::clRectJoin(empty, clMakeRect(10, 10, 12, 20)), clMakeRect(5, 5, 12, 20)));
}

TEST(Geometry, PlacingAndContaining)
{
    const RECT r = clMakeRect(10, 20, 31, 41);
    EXPECT_TRUE(SameRect(controls::clRectPlaceCenteredWH(r, 5, 6), clMakeRect(18, 27, 23, 33)));
    EXPECT_TRUE(SameRect(controls::clRectPlaceBottom(r, 50, 7), clMakeRect(10, 43, 31, 50)));
    EXPECT_TRUE(SameRect(controls::clRectInnerArea(r, clMakeRect(1, 2, 3, 4)), clMakeRect(11, 22, 28, 37)));
    EXPECT_TRUE(controls::clRectContainsXY(r, 10, 20));
    EXPECT_FALSE(controls::clRectContainsXY(r, 31, 20));
    EXPECT_FALSE(controls::clRectContainsXY(r, 10, 41));
    EXPECT_TRUE(controls::clRectHasNoArea(clMakeRect(0, 0, 0, 5)));
    EXPECT_EQ(controls::clRectMidPoint(clMakeRect(-3, -3, 0, 0)).x, -1);
}

TEST_F(ClassesTest, RectAndSizeStoreOnlyChangesAndSizesNeverGoNegative)
{
    struct Counter {
        int changes = 0;
        void Changed(classes::TObject*) { ++changes; }
    } counter;

    controls::TclRect rect(nullptr);
    rect.OnChange = rtl::MethodOf<&Counter::Changed>(&counter);
    rect.SetLeft(4);
    rect.SetLeft(4);
    rect.SetBottom(9);
    EXPECT_EQ(counter.changes, 2);
    controls::TclRect copy(nullptr);
    copy.Assign(&rect);
    EXPECT_EQ(copy.GetEdgeByIndex(0), 4);
    EXPECT_EQ(copy.GetEdgeByIndex(3), 9);

    counter.changes = 0;
    controls::TclSize size(nullptr);
    size.OnChange = rtl::MethodOf<&Counter::Changed>(&counter);
    size.SetWidth(-5);
    EXPECT_EQ(size.Width(), 0);
    EXPECT_EQ(counter.changes, 0);
    size.SetHeight(7);
    size.SetHeight(7);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(size.GetSizeByIndex(0), 7);
    EXPECT_FALSE(size.IsSizeValueStored(1));
    EXPECT_TRUE(size.IsSizeValueStored(0));
}

TEST_F(ClassesTest, StoredSizesLoadNegativeValuesAsZero)
{
    controls::TclSize size(nullptr);
    classes::SetPropValue(size, "Width", rtl::Variant(-12));
    classes::SetPropValue(size, "Height", rtl::Variant(30));
    EXPECT_EQ(size.Width(), 0);
    EXPECT_EQ(size.Height(), 30);
}

// A hierarchy like the framework's controls, and two classes to register against it.
const classes::TClassInfo& WinControlClass()
{
    static const classes::TClassInfo info("TWinControl", nullptr);
    return info;
}
const classes::TClassInfo& ButtonClass()
{
    static const classes::TClassInfo info("TButton", &WinControlClass());
    return info;
}
const classes::TClassInfo& BitBtnClass()
{
    static const classes::TClassInfo info("TBitBtn", &ButtonClass());
    return info;
}
const classes::TClassInfo& CustomEditClass()
{
    static const classes::TClassInfo info("TCustomEdit", &WinControlClass());
    return info;
}
const classes::TClassInfo& XClass()
{
    static const classes::TClassInfo info("X", nullptr);
    return info;
}
const classes::TClassInfo& YClass()
{
    static const classes::TClassInfo info("Y", nullptr);
    return info;
}

TEST(RegisteredClassList, FindsTheMostSpecificRegisteredAncestor)
{
    controls::TclRegisteredClassList list;
    list.RegisterPair(ButtonClass(), XClass());
    list.RegisterPair(WinControlClass(), YClass());
    EXPECT_EQ(list.LookupRegisteredClass(BitBtnClass()), &XClass());
    EXPECT_EQ(list.LookupRegisteredClass(CustomEditClass()), &YClass());
    EXPECT_EQ(list.LookupRegisteredClass(XClass()), nullptr);

    // A later registration for the same item class wins; unregistering it brings the earlier back.
    list.RegisterPair(ButtonClass(), YClass());
    EXPECT_EQ(list.LookupRegisteredClass(BitBtnClass()), &YClass());
    list.UnregisterPair(ButtonClass(), YClass());
    EXPECT_EQ(list.LookupRegisteredClass(BitBtnClass()), &XClass());
    EXPECT_EQ(list.Count(), 2);
}

TEST(RegisteredClasses, SortsByTheDescriptionBeforeTheBar)
{
    controls::TclRegisteredClasses classes;
    classes.AddClass(ButtonClass(), "button|Zeta");
    classes.AddClass(XClass(), "Apple|Zzz");
    classes.AddClass(ButtonClass(), "again");
    classes.AddClass(YClass(), "Banana");
    EXPECT_EQ(classes.Count(), 3);
    classes.SetKeepSorted(true);
    EXPECT_EQ(classes.Items(0), &XClass());
    EXPECT_EQ(classes.Items(1), &YClass());
    EXPECT_EQ(classes.Items(2), &ButtonClass());
    classes.AddClass(CustomEditClass(), "alpha");
    EXPECT_EQ(classes.IndexOf(CustomEditClass()), 0);
}

TEST_F(ClassesTest, ObjectLinksNameNullOnceTheirObjectIsGone)
{
    auto* first = new controls::TclComponent(nullptr);
    controls::TclComponent second(nullptr);
    controls::TclObjectLink* a = controls::clCreateObjectLink(first);
    controls::TclObjectLink* b = controls::clCreateObjectLink(first);
    controls::TclObjectLink* c = controls::clCreateObjectLink(&second);
    EXPECT_EQ(controls::clCreateObjectLink(nullptr), nullptr);
    delete first;
    EXPECT_EQ(a->Ref, nullptr);
    EXPECT_EQ(b->Ref, nullptr);
    EXPECT_EQ(c->Ref, &second);

    // Released after invalidation, a link is only freed: the other links stay registered.
    controls::clReleaseObjectLink(a);
    controls::clInvalidateObjectLinks(&second);
    EXPECT_EQ(c->Ref, nullptr);
    controls::clReleaseObjectLink(b);
    controls::clReleaseObjectLink(c);

    // With every link released the controller is gone, and a new link starts a new one.
    controls::TclObjectLink* d = controls::clCreateObjectLink(&second);
    EXPECT_EQ(d->Ref, &second);
    controls::clReleaseObjectLink(d);
}

TEST_F(ClassesTest, FreeNotificatorReportsWatchedComponentsOnly)
{
    struct Watcher {
        std::vector<classes::TComponent*> freed;
        void Freed(classes::TComponent* c) { freed.push_back(c); }
    } watcher;
    controls::TclFreeNotificator notificator(nullptr);
    notificator.OnWatchedComponentFreed = rtl::MethodOf<&Watcher::Freed>(&watcher);
    auto* watched = new classes::TComponent(nullptr);
    auto* unwatched = new classes::TComponent(nullptr);
    notificator.WatchComponent(watched);
    notificator.WatchComponent(unwatched);
    notificator.UnwatchComponent(unwatched);
    notificator.WatchComponent(nullptr);
    classes::TComponent* watchedAddress = watched;
    delete watched;
    delete unwatched;
    ASSERT_EQ(watcher.freed.size(), 1u);
    EXPECT_EQ(watcher.freed[0], watchedAddress);
}

// A grid with a collection of columns, and a foreign class of item.
class TclGridColumn;

class TestGrid : public classes::TComponent {
public:
    explicit TestGrid(classes::TComponent* owner);
    controls::TclComponentCollection columns;
};

class TclGridColumn : public controls::TclComponentCollectionItem {
public:
    explicit TclGridColumn(classes::TComponent* owner) : TclComponentCollectionItem(owner) {}
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TclGridColumn", &TclComponentCollectionItem::StaticClass(),
                                              [](classes::TClassInfo& c) {
                                                  c.createComponent = [](classes::TComponent* owner) {
                                                      return new TclGridColumn(owner);
                                                  };
                                              });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    controls::TclComponentCollection* CollectionOfParent(classes::TComponent* parent) const override
    {
        auto* grid = dynamic_cast<TestGrid*>(parent);
        return grid ? &grid->columns : nullptr;
    }
};

class TForeignItem : public controls::TclComponentCollectionItem {
public:
    using TclComponentCollectionItem::TclComponentCollectionItem;
    controls::TclComponentCollection* CollectionOfParent(classes::TComponent* parent) const override
    {
        auto* grid = dynamic_cast<TestGrid*>(parent);
        return grid ? &grid->columns : nullptr;
    }
};

TestGrid::TestGrid(classes::TComponent* owner) : TComponent(owner), columns(this, TclGridColumn::StaticClass()) {}

struct ActionLog {
    std::vector<std::pair<controls::TclComponentCollectionItem*, controls::TclComponentCollectionNotification>> seen;
    void Changed(classes::TObject*, controls::TclComponentCollectionItem* item,
                 controls::TclComponentCollectionNotification action)
    {
        seen.emplace_back(item, action);
    }
};

TEST_F(ClassesTest, CollectionReportsAddingExtractingAndOneForcedChangeOnUnlock)
{
    classes::TComponent form(nullptr);
    auto* grid = new TestGrid(&form);
    ActionLog log;
    grid->columns.OnChange = rtl::MethodOf<&ActionLog::Changed>(&log);

    controls::TclComponentCollectionItem* first = grid->columns.AppendNewItem();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Owner(), &form);
    EXPECT_EQ(first->GetParentComponent(), grid);
    EXPECT_EQ(first->IndexInCollection(), 0);
    controls::TclComponentCollectionItem* second = grid->columns.AppendNewItem();
    EXPECT_EQ(second->Id(), 1);
    delete first;
    using controls::ccnAdded;
    using controls::ccnChanged;
    using controls::ccnExtracted;
    const std::vector<std::pair<controls::TclComponentCollectionItem*, controls::TclComponentCollectionNotification>>
        expected{{first, ccnAdded}, {second, ccnAdded}, {first, ccnExtracted}};
    EXPECT_EQ(log.seen, expected);
    EXPECT_EQ(second->IndexInCollection(), 0);

    // A foreign item is not taken.
    auto* foreign = new TForeignItem(&form);
    foreign->SetParentComponent(grid);
    EXPECT_EQ(foreign->Collection(), nullptr);
    EXPECT_EQ(grid->columns.ItemCount(), 1);

    log.seen.clear();
    grid->columns.LockUpdates();
    grid->columns.AppendNewItem();
    second->NotifyChanged();
    grid->columns.UnlockUpdates(true);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].first, nullptr);
    EXPECT_EQ(log.seen[0].second, ccnChanged);

    log.seen.clear();
    grid->columns.Clear();
    EXPECT_EQ(grid->columns.ItemCount(), 0);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].second, ccnChanged);
}

TEST_F(ClassesTest, CollectionItemNotificationsSeeExtractingThenExtracted)
{
    struct LoggingCollection : controls::TclComponentCollection {
        using TclComponentCollection::TclComponentCollection;
        std::vector<controls::TclComponentCollectionNotification> seen;
        void ItemNotification(controls::TclComponentCollectionItem*,
                              controls::TclComponentCollectionNotification action) override
        {
            seen.push_back(action);
        }
    };
    classes::TComponent form(nullptr);
    TestGrid grid(nullptr);
    LoggingCollection collection(&grid, TclGridColumn::StaticClass());
    auto* item = new TclGridColumn(&form);
    item->MoveToCollection(&collection);
    delete item;
    const std::vector<controls::TclComponentCollectionNotification> expected{controls::ccnAdded, controls::ccnExtracting,
                                                                            controls::ccnExtracted};
    EXPECT_EQ(collection.seen, expected);
}

TEST_F(ClassesTest, UniqueItemNamesFollowTheParentsName)
{
    classes::TComponent form(nullptr);
    TestGrid grid(nullptr);
    grid.SetName("Grid1");
    auto* column = new TclGridColumn(&form);

    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, column, "Tcl", ""), "Grid1GridColumn1");
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, column, "Tcl", "Net Sales"), "Grid1NetSales");
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, column, "Tcl", "2nd"), "Grid1GridColumn2nd");
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, column, "X", ""), "Grid1clGridColumn1");

    // The item itself is no clash; another component of the owner is, in any case.
    column->SetName("grid1gridcolumn1");
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, column, "Tcl", ""), "Grid1GridColumn1");
    auto* other = new TclGridColumn(&form);
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, other, "Tcl", ""), "Grid1GridColumn2");
    column->SetName("grid1netsales");
    EXPECT_EQ(controls::clMakeUniqueItemName(&form, &grid, other, "Tcl", "Net Sales"), "Grid1NetSales1");
}

TEST(TextRoutines, CharacterLengthsStayInsideTheText)
{
    EXPECT_EQ(controls::clCharByteLength("abc", 1), 1);
    EXPECT_EQ(controls::clCharByteLength("abc", 3), 1);
    EXPECT_EQ(controls::clCharByteLength("abc", 0), 0);
    EXPECT_EQ(controls::clCharByteLength("abc", 4), 0);
    EXPECT_EQ(controls::clCharByteLength("", 1), 0);
    EXPECT_EQ(controls::clNextCharPosition("ab", 2), 3);
    EXPECT_EQ(controls::clNextCharPosition("ab", 3), 3);
    EXPECT_EQ(controls::clPrevCharPosition("ab", 1), 1);
}

}  // namespace
