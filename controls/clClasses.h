#pragma once
// The lowest layer of the controls: rectangle and point routines, rectangle and size values with a
// change event, interface-capable objects that their owners free, an owning object list, class
// registries looked up by inheritance or kept with descriptions, weak object links, a free-notification
// relay, and a collection whose items are components. Rectangles are Left, Top, Right, Bottom with
// Right and Bottom exclusive.

#include "platform/classes/Component.h"
#include "platform/classes/Interfaces.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/List.h"
#include "platform/rtl/Method.h"
#include "platform/wintypes/Types.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// Rectangle and point routines; each works on copies and returns the result. div rounds toward zero.
int clRectGetWidth(const win::RECT& r);
int clRectGetHeight(const win::RECT& r);
win::SIZE clRectGetSize(const win::RECT& r);
win::RECT clRectExpand(win::RECT r, int dx, int dy);
win::RECT clRectExpandSides(win::RECT r, int left, int top, int right, int bottom);
win::RECT clRectInnerArea(win::RECT r, const win::RECT& margins);
win::RECT clRectNegate(win::RECT r);
win::RECT clRectShift(win::RECT r, int dx, int dy);
win::RECT clRectShiftByPoint(win::RECT r, win::POINT p);
win::RECT clRectShiftHorz(win::RECT r, int dx);
win::RECT clRectPlaceTop(win::RECT r, int y, int height);
win::RECT clRectPlaceBottom(win::RECT r, int y, int height);
win::RECT clRectPlaceLeft(win::RECT r, int x, int width);
win::RECT clRectPlaceHorz(win::RECT r, int x, int width);
win::RECT clRectPlaceCentered(const win::RECT& r, win::SIZE size);
win::RECT clRectPlaceCenteredWH(const win::RECT& r, int width, int height);
win::POINT clRectMidPoint(const win::RECT& r);
// a unchanged when b has no positive width or height; else the smallest rectangle holding both.
win::RECT clRectJoin(const win::RECT& a, const win::RECT& b);
bool clRectHasNoArea(const win::RECT& r);
bool clRectIsZero(const win::RECT& r);
bool clRectEquals(const win::RECT& a, const win::RECT& b);
bool clRectContainsPoint(const win::RECT& r, win::POINT p);
bool clRectContainsXY(const win::RECT& r, int x, int y);
win::RECT clMakeRect(int left, int top, int right, int bottom);
win::RECT clMakeBounds(int left, int top, int width, int height);
win::POINT clMakePoint(int x, int y);
win::SIZE clMakeSize(int cx, int cy);
win::SIZE clPairToSize(int cx, int cy);
win::POINT clPointNegate(win::POINT p);
bool clPointEquals(win::POINT a, win::POINT b);
win::POINT clPointAdd(win::POINT a, win::POINT b);
win::POINT clPointShift(win::POINT p, int dx, int dy);
bool clSizeEquals(win::SIZE a, win::SIZE b);
// The middle of a range, rounded down: (a + b) div 2 when a + b > 0, else (a + b - 1) div 2.
int clRangeCenter(int a, int b);

// A rectangle with a change event; Left .. Bottom are published and share one getter and setter.
class TclRect : public classes::TPersistent {
public:
    explicit TclRect(classes::TPersistent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    // From another TclRect its rectangle; anything else is ignored.
    void Assign(const classes::TPersistent* source) override;
    classes::TPersistent* GetOwner() const override { return owner_; }

    // 0 Left, 1 Top, 2 Right, 3 Bottom.
    int GetEdgeByIndex(int index) const;
    void SetEdgeByIndex(int index, int value);
    int Left() const { return rect_.left; }
    void SetLeft(int value) { SetEdgeByIndex(0, value); }
    int Top() const { return rect_.top; }
    void SetTop(int value) { SetEdgeByIndex(1, value); }
    int Right() const { return rect_.right; }
    void SetRight(int value) { SetEdgeByIndex(2, value); }
    int Bottom() const { return rect_.bottom; }
    void SetBottom(int value) { SetEdgeByIndex(3, value); }
    const win::RECT& Rect() const { return rect_; }
    // Stores the rectangle and fires OnChange only when it differs.
    void SetRect(const win::RECT& value);

    classes::TNotifyEvent OnChange;

private:
    classes::TPersistent* owner_;
    win::RECT rect_;
};

// A size that never goes below 0, with a change event.
class TclSize : public classes::TPersistent {
public:
    explicit TclSize(classes::TPersistent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;
    classes::TPersistent* GetOwner() const override { return owner_; }

    virtual void SizeChanged();
    // 1 width, 0 height.
    virtual int GetSizeByIndex(int index) const;
    virtual bool IsSizeValueStored(int index) const { return GetSizeByIndex(index) != 0; }
    // Each coordinate clamped to at least 0; stored and SizeChanged called only when different.
    virtual void SetSize(win::SIZE value);

    int Width() const { return GetSizeByIndex(1); }
    void SetWidth(int value) { SetSize(win::SIZE{value, size_.cy}); }
    int Height() const { return GetSizeByIndex(0); }
    void SetHeight(int value) { SetSize(win::SIZE{size_.cx, value}); }
    win::SIZE Size() const { return size_; }
    bool IsZero() const { return size_.cx == 0 && size_.cy == 0; }

    classes::TNotifyEvent OnChange;

private:
    bool IsWidthStored() const { return IsSizeValueStored(1); }
    bool IsHeightStored() const { return IsSizeValueStored(0); }

    classes::TPersistent* owner_;
    win::SIZE size_;
};

// Interfaces without reference counting: such objects are freed by their owners.
class TclIUnknownObject : public classes::TNonRefCountedObject {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

// A persistent with an owner given to its constructor.
class TclInterfacedPersistent : public classes::TInterfacedPersistent {
public:
    explicit TclInterfacedPersistent(classes::TPersistent* owner) : owner_(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    classes::TPersistent* GetOwner() const override { return owner_; }

private:
    classes::TPersistent* owner_;
};

// The component base of the controls: object links to it die with it.
class TclComponent : public classes::TComponent {
public:
    explicit TclComponent(classes::TComponent* owner) : TComponent(owner) {}
    ~TclComponent() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The components this one depends on; none here.
    virtual void CollectLinkedComponents(std::vector<classes::TComponent*>& list) { (void)list; }
};

// A list that owns its objects.
class TclObjectList : public rtl::TList {
public:
    ~TclObjectList() override;
    // Frees every object, then empties the list.
    void Clear() override;
};

// Handlers called in array order.
using TclEventHandler = rtl::Method<void(classes::TObject* sender, const void* arguments)>;

class TclEventHandlerCollection {
public:
    void Add(const TclEventHandler& handler) { handlers_.push_back(handler); }
    void Remove(const TclEventHandler& handler);
    int Count() const { return int(handlers_.size()); }
    void InvokeAll(classes::TObject* sender, const void* arguments) const;

private:
    std::vector<TclEventHandler> handlers_;
};

// Pairs (item class, registered class) in which ancestors stand before their descendants, so that a
// look-up from the end finds the most specific registered ancestor.
class TclRegisteredClassList {
public:
    virtual ~TclRegisteredClassList() = default;

    // True and the pair's index for the last pair whose item class is the class or an ancestor; else
    // False with the index of the lowest pair whose item class descends from the class, or -1.
    virtual bool LocateEntry(const classes::TClassInfo& itemClass, int& index) const;
    virtual void RegisterPair(const classes::TClassInfo& itemClass, const classes::TClassInfo& registeredClass);
    // Removes every pair of exactly these two classes.
    virtual void UnregisterPair(const classes::TClassInfo& itemClass, const classes::TClassInfo& registeredClass);

    // The registered class for the item class, or null.
    const classes::TClassInfo* LookupRegisteredClass(const classes::TClassInfo& itemClass) const;
    int Count() const { return int(pairs_.size()); }

private:
    struct Pair {
        const classes::TClassInfo* itemClass;
        const classes::TClassInfo* registeredClass;
    };
    std::vector<Pair> pairs_;
};

// Classes with descriptions ("Grid column|Columns": only the part before the first "|" counts), kept
// sorted on request, registered with the streaming on request.
class TclRegisteredClasses {
public:
    explicit TclRegisteredClasses(bool registerWithStreaming = false) : register_(registerWithStreaming) {}
    virtual ~TclRegisteredClasses() = default;

    // Compares the descriptions proper without regard to case, in the user's collation.
    virtual int CompareItemTexts(int i, int j) const;
    virtual void SortItems();

    // Nothing when the class is listed already.
    void AddClass(const classes::TClassInfo& cls, const std::string& description);
    void Clear() { items_.clear(); }
    int Count() const { return int(items_.size()); }
    const classes::TClassInfo* Items(int index) const { return items_.at(index).cls; }
    // The description as given, "|" part included.
    const std::string& Descriptions(int index) const { return items_.at(index).description; }
    int IndexOf(const classes::TClassInfo& cls) const;
    bool KeepSorted() const { return keepSorted_; }
    // Sorts at once when switched on.
    void SetKeepSorted(bool value);

private:
    struct Item {
        std::string description;
        const classes::TClassInfo* cls;
    };
    std::vector<Item> items_;
    bool keepSorted_ = false;
    bool register_;
};

// A weak reference: the object it names, or null once that object was destroyed.
struct TclObjectLink {
    classes::TObject* Ref = nullptr;
};

// Null for null.
TclObjectLink* clCreateObjectLink(classes::TObject* object);
void clReleaseObjectLink(TclObjectLink* link);
// Every link to the object names null from now on.
void clInvalidateObjectLinks(classes::TObject* object);

// Relays the free notification of watched components to one event.
class TclFreeNotificator : public classes::TComponent {
public:
    explicit TclFreeNotificator(classes::TComponent* owner) : TComponent(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Null is ignored.
    void WatchComponent(classes::TComponent* component);
    void UnwatchComponent(classes::TComponent* component);

    rtl::Method<void(classes::TComponent* component)> OnWatchedComponentFreed;

protected:
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
};

class TclComponentCollectionItem;

enum TclComponentCollectionNotification { ccnAdded, ccnChanged, ccnExtracting, ccnExtracted };

using TclComponentCollectionChangeEvent =
    rtl::Method<void(classes::TObject* sender, TclComponentCollectionItem* item, TclComponentCollectionNotification action)>;

// A collection whose items are components owned by the parent component's owner.
class TclComponentCollection : public classes::TPersistent {
public:
    TclComponentCollection(classes::TComponent* parentComponent, const classes::TClassInfo& itemClass);
    ~TclComponentCollection() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    classes::TPersistent* GetOwner() const override { return parent_; }
    // From another collection: a copy of each of its items, under one update lock.
    void Assign(const classes::TPersistent* source) override;

    virtual void ItemNotification(TclComponentCollectionItem* item, TclComponentCollectionNotification action);
    virtual void AssignItemName(TclComponentCollectionItem* item);
    virtual void FireChange(TclComponentCollectionItem* item, TclComponentCollectionNotification action);
    virtual void LockUpdates() { ++lockCount_; }
    // With force, reports a change of all items (item null, changed).
    virtual void UnlockUpdates(bool force);

    TclComponentCollectionItem* AppendNewItem();
    TclComponentCollectionItem* ItemAt(int index) const { return items_.at(index); }
    int ItemCount() const { return int(items_.size()); }
    int IndexOf(const TclComponentCollectionItem* item) const;
    // Frees the items, last first, under one update lock.
    void Clear();
    classes::TComponent* ParentComponent() const { return parent_; }
    const classes::TClassInfo& ItemClass() const { return itemClass_; }

    TclComponentCollectionChangeEvent OnChange;

private:
    friend class TclComponentCollectionItem;
    // Only items of the item class are taken.
    void InsertItem(TclComponentCollectionItem* item);
    void RemoveItem(TclComponentCollectionItem* item);
    void MoveItem(TclComponentCollectionItem* item, int index);
    void Report(TclComponentCollectionItem* item, TclComponentCollectionNotification action);

    classes::TComponent* parent_;
    const classes::TClassInfo& itemClass_;
    std::vector<TclComponentCollectionItem*> items_;
    int lockCount_ = 0;
    int nextId_ = 0;
};

class TclComponentCollectionItem : public classes::TComponent {
public:
    explicit TclComponentCollectionItem(classes::TComponent* owner) : TComponent(owner) {}
    // Leaves its collection first.
    ~TclComponentCollectionItem() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The collection a parent component offers for this item; none here.
    virtual TclComponentCollection* CollectionOfParent(classes::TComponent* parent) const;
    virtual std::string DisplayText() const { return Name(); }
    virtual void MoveToCollection(TclComponentCollection* collection);
    // Moves the item in its collection's list and reports a change of all items.
    virtual void MoveToIndex(int index);

    classes::TComponent* GetParentComponent() const override;
    bool HasParent() const override;
    void SetParentComponent(classes::TComponent* parent) override;

    TclComponentCollection* Collection() const { return collection_; }
    int Id() const { return id_; }
    int IndexInCollection() const { return collection_ ? collection_->IndexOf(this) : -1; }
    // Reports a change of the item (or of all items) unless it is being destroyed.
    void NotifyChanged(bool all = false);

private:
    friend class TclComponentCollection;
    TclComponentCollection* collection_ = nullptr;
    int id_ = 0;
};

// The parent component's name, a stem and a number, raised until no other component of the owner has
// the name (without regard to case). The stem is the base name's letters, digits and underscores, with
// the item's class name (less the prefix, or less a leading "T") before it when it is empty or starts
// with a digit. Numbers start at 1 without a base name, else at 0 (no number).
std::string clMakeUniqueItemName(classes::TComponent* owner, classes::TComponent* parent,
                                 classes::TComponent* item, std::string_view prefix, std::string_view baseName);

// The locale's text for the item, or the default when it has none.
std::string clReadLocaleString(int locale, rtl::LocaleItem item, const std::string& defaultText);
// The byte length of the character at a 1-based position: 1 (the code pages here are one byte a
// character), 0 outside the text.
int clCharByteLength(std::string_view text, int position);
// The 1-based position of the next / previous character (at most one past the end, at least 1).
int clNextCharPosition(std::string_view text, int position);
int clPrevCharPosition(std::string_view text, int position);
std::string clFetchResourceText(const classes::TResStringRec& resource);

void clFireNotify(classes::TObject* sender, const classes::TNotifyEvent& event);
template <class Sig>
bool clSameMethod(const rtl::Method<Sig>& a, const rtl::Method<Sig>& b)
{
    return a == b;
}
classes::TPersistent* clGetPersistentOwner(const classes::TPersistent* persistent);

namespace detail {
// The unit's start and end: registers and unregisters TclRect and TclSize with the streaming.
void InitializeClasses();
void FinalizeClasses();
}  // namespace detail

}  // namespace controls
