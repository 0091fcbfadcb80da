#include "controls/clClasses.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <cctype>

namespace controls {

int clRectGetWidth(const win::RECT& r) { return r.right - r.left; }
int clRectGetHeight(const win::RECT& r) { return r.bottom - r.top; }
win::SIZE clRectGetSize(const win::RECT& r) { return win::SIZE{clRectGetWidth(r), clRectGetHeight(r)}; }

win::RECT clRectExpand(win::RECT r, int dx, int dy)
{
    return clRectExpandSides(r, dx, dy, dx, dy);
}

win::RECT clRectExpandSides(win::RECT r, int left, int top, int right, int bottom)
{
    return win::RECT{r.left - left, r.top - top, r.right + right, r.bottom + bottom};
}

win::RECT clRectInnerArea(win::RECT r, const win::RECT& m)
{
    return win::RECT{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

win::RECT clRectNegate(win::RECT r) { return win::RECT{-r.left, -r.top, -r.right, -r.bottom}; }
win::RECT clRectShift(win::RECT r, int dx, int dy) { return win::RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
win::RECT clRectShiftByPoint(win::RECT r, win::POINT p) { return clRectShift(r, p.x, p.y); }
win::RECT clRectShiftHorz(win::RECT r, int dx) { return clRectShift(r, dx, 0); }

win::RECT clRectPlaceTop(win::RECT r, int y, int height)
{
    r.top = y;
    r.bottom = y + height;
    return r;
}

win::RECT clRectPlaceBottom(win::RECT r, int y, int height)
{
    r.bottom = y;
    r.top = y - height;
    return r;
}

win::RECT clRectPlaceLeft(win::RECT r, int x, int width)
{
    r.left = x;
    r.right = x + width;
    return r;
}

win::RECT clRectPlaceHorz(win::RECT r, int x, int width) { return clRectPlaceLeft(r, x, width); }

win::RECT clRectPlaceCentered(const win::RECT& r, win::SIZE size) { return clRectPlaceCenteredWH(r, size.cx, size.cy); }

win::RECT clRectPlaceCenteredWH(const win::RECT& r, int width, int height)
{
    return clMakeBounds((r.left + r.right - width) / 2, (r.top + r.bottom - height) / 2, width, height);
}

win::POINT clRectMidPoint(const win::RECT& r) { return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

win::RECT clRectJoin(const win::RECT& a, const win::RECT& b)
{
    if (clRectHasNoArea(b))
        return a;
    return win::RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                     std::max(a.bottom, b.bottom)};
}

bool clRectHasNoArea(const win::RECT& r) { return !(r.left < r.right && r.top < r.bottom); }
bool clRectIsZero(const win::RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

bool clRectEquals(const win::RECT& a, const win::RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool clRectContainsPoint(const win::RECT& r, win::POINT p) { return clRectContainsXY(r, p.x, p.y); }
bool clRectContainsXY(const win::RECT& r, int x, int y) { return r.left <= x && x < r.right && r.top <= y && y < r.bottom; }
win::RECT clMakeRect(int left, int top, int right, int bottom) { return win::RECT{left, top, right, bottom}; }
win::RECT clMakeBounds(int left, int top, int width, int height) { return win::RECT{left, top, left + width, top + height}; }
win::POINT clMakePoint(int x, int y) { return win::POINT{x, y}; }
win::SIZE clMakeSize(int cx, int cy) { return win::SIZE{cx, cy}; }
win::SIZE clPairToSize(int cx, int cy) { return win::SIZE{cx, cy}; }
win::POINT clPointNegate(win::POINT p) { return win::POINT{-p.x, -p.y}; }
bool clPointEquals(win::POINT a, win::POINT b) { return a.x == b.x && a.y == b.y; }
win::POINT clPointAdd(win::POINT a, win::POINT b) { return win::POINT{a.x + b.x, a.y + b.y}; }
win::POINT clPointShift(win::POINT p, int dx, int dy) { return win::POINT{p.x + dx, p.y + dy}; }
bool clSizeEquals(win::SIZE a, win::SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

int clRangeCenter(int a, int b)
{
    const int sum = a + b;
    return sum > 0 ? sum / 2 : (sum - 1) / 2;
}

// TclRect

TclRect::TclRect(classes::TPersistent* owner) : owner_(owner), rect_{0, 0, 0, 0} {}

const classes::TClassInfo& TclRect::StaticClass()
{
    static const classes::TClassInfo info("TclRect", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclRect>(c)
            .Property("Left", &TclRect::Left, &TclRect::SetLeft).Default(0)
            .Property("Top", &TclRect::Top, &TclRect::SetTop).Default(0)
            .Property("Right", &TclRect::Right, &TclRect::SetRight).Default(0)
            .Property("Bottom", &TclRect::Bottom, &TclRect::SetBottom).Default(0)
            .Property("OnChange", classes::NotifyEventType(), &TclRect::OnChange);
    });
    return info;
}

void TclRect::Assign(const classes::TPersistent* source)
{
    if (auto* other = dynamic_cast<const TclRect*>(source))
        SetRect(other->rect_);
}

int TclRect::GetEdgeByIndex(int index) const
{
    switch (index) {
    case 0: return rect_.left;
    case 1: return rect_.top;
    case 2: return rect_.right;
    default: return rect_.bottom;
    }
}

void TclRect::SetEdgeByIndex(int index, int value)
{
    win::RECT r = rect_;
    switch (index) {
    case 0: r.left = value; break;
    case 1: r.top = value; break;
    case 2: r.right = value; break;
    default: r.bottom = value; break;
    }
    SetRect(r);
}

void TclRect::SetRect(const win::RECT& value)
{
    if (clRectEquals(value, rect_))
        return;
    rect_ = value;
    clFireNotify(this, OnChange);
}

// TclSize

TclSize::TclSize(classes::TPersistent* owner) : owner_(owner), size_{0, 0} {}

const classes::TClassInfo& TclSize::StaticClass()
{
    static const classes::TClassInfo info("TclSize", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclSize>(c)
            .Property("Width", &TclSize::Width, &TclSize::SetWidth).Stored(&TclSize::IsWidthStored)
            .Property("Height", &TclSize::Height, &TclSize::SetHeight).Stored(&TclSize::IsHeightStored);
    });
    return info;
}

void TclSize::Assign(const classes::TPersistent* source)
{
    if (auto* other = dynamic_cast<const TclSize*>(source))
        SetSize(other->size_);
    else
        TPersistent::Assign(source);
}

void TclSize::SizeChanged()
{
    clFireNotify(this, OnChange);
}

int TclSize::GetSizeByIndex(int index) const
{
    return index == 1 ? size_.cx : size_.cy;
}

void TclSize::SetSize(win::SIZE value)
{
    value.cx = std::max(value.cx, 0);
    value.cy = std::max(value.cy, 0);
    if (clSizeEquals(value, size_))
        return;
    size_ = value;
    SizeChanged();
}

// TclIUnknownObject, TclInterfacedPersistent, TclComponent

const classes::TClassInfo& TclIUnknownObject::StaticClass()
{
    static const classes::TClassInfo info("TclIUnknownObject", &TNonRefCountedObject::StaticClass());
    return info;
}

const classes::TClassInfo& TclInterfacedPersistent::StaticClass()
{
    static const classes::TClassInfo info("TclInterfacedPersistent", &TInterfacedPersistent::StaticClass());
    return info;
}

TclComponent::~TclComponent()
{
    Destroying();
    clInvalidateObjectLinks(this);
}

const classes::TClassInfo& TclComponent::StaticClass()
{
    static const classes::TClassInfo info("TclComponent", &TComponent::StaticClass());
    return info;
}

// TclObjectList, TclEventHandlerCollection

TclObjectList::~TclObjectList()
{
    Clear();
}

void TclObjectList::Clear()
{
    for (int i = 0; i < Count(); ++i)
        delete static_cast<classes::TObject*>(Get(i));
    TList::Clear();
}

void TclEventHandlerCollection::Remove(const TclEventHandler& handler)
{
    std::erase(handlers_, handler);
}

void TclEventHandlerCollection::InvokeAll(classes::TObject* sender, const void* arguments) const
{
    for (const TclEventHandler& handler : handlers_)
        handler(sender, arguments);
}

// TclRegisteredClassList

bool TclRegisteredClassList::LocateEntry(const classes::TClassInfo& itemClass, int& index) const
{
    index = -1;
    for (int i = int(pairs_.size()) - 1; i >= 0; --i) {
        const classes::TClassInfo& entry = *pairs_[i].itemClass;
        if (itemClass.InheritsFrom(entry)) {
            index = i;
            return true;
        }
        if (entry.InheritsFrom(itemClass))
            index = i;
    }
    return false;
}

void TclRegisteredClassList::RegisterPair(const classes::TClassInfo& itemClass,
                                          const classes::TClassInfo& registeredClass)
{
    int index = -1;
    const Pair pair{&itemClass, &registeredClass};
    if (LocateEntry(itemClass, index))
        pairs_.insert(pairs_.begin() + index + 1, pair);
    else if (index >= 0)
        pairs_.insert(pairs_.begin() + index, pair);
    else
        pairs_.push_back(pair);
}

void TclRegisteredClassList::UnregisterPair(const classes::TClassInfo& itemClass,
                                            const classes::TClassInfo& registeredClass)
{
    std::erase_if(pairs_, [&](const Pair& pair) {
        return pair.itemClass == &itemClass && pair.registeredClass == &registeredClass;
    });
}

const classes::TClassInfo* TclRegisteredClassList::LookupRegisteredClass(const classes::TClassInfo& itemClass) const
{
    int index = -1;
    return LocateEntry(itemClass, index) ? pairs_[index].registeredClass : nullptr;
}

// TclRegisteredClasses

namespace {
std::string_view DescriptionProper(const std::string& description)
{
    return std::string_view(description).substr(0, description.find('|'));
}
}  // namespace

int TclRegisteredClasses::CompareItemTexts(int i, int j) const
{
    return rtl::AnsiCompareText(DescriptionProper(items_[i].description), DescriptionProper(items_[j].description));
}

void TclRegisteredClasses::SortItems()
{
    // Sorted by index through CompareItemTexts, which descendants may change.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return CompareItemTexts(a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(items_[i]);
    items_ = std::move(sorted);
}

void TclRegisteredClasses::AddClass(const classes::TClassInfo& cls, const std::string& description)
{
    if (IndexOf(cls) >= 0)
        return;
    items_.push_back(Item{description, &cls});
    if (keepSorted_)
        SortItems();
    if (register_)
        classes::RegisterClass(cls);
}

int TclRegisteredClasses::IndexOf(const classes::TClassInfo& cls) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].cls == &cls)
            return int(i);
    return -1;
}

void TclRegisteredClasses::SetKeepSorted(bool value)
{
    if (value == keepSorted_)
        return;
    keepSorted_ = value;
    if (value)
        SortItems();
}

// Object links: the live links of the process, there while any link exists.

namespace {
struct TclObjectLinkController {
    std::vector<TclObjectLink*> links;
    int references = 0;
};
std::unique_ptr<TclObjectLinkController> linkController;
}  // namespace

TclObjectLink* clCreateObjectLink(classes::TObject* object)
{
    if (!object)
        return nullptr;
    if (!linkController)
        linkController = std::make_unique<TclObjectLinkController>();
    auto* link = new TclObjectLink{object};
    linkController->links.push_back(link);
    ++linkController->references;
    return link;
}

void clReleaseObjectLink(TclObjectLink* link)
{
    if (!link)
        return;
    if (link->Ref)
        std::erase(linkController->links, link);
    delete link;
    if (--linkController->references == 0)
        linkController.reset();
}

void clInvalidateObjectLinks(classes::TObject* object)
{
    if (!linkController || !object)
        return;
    std::erase_if(linkController->links, [object](TclObjectLink* link) {
        if (link->Ref != object)
            return false;
        link->Ref = nullptr;
        return true;
    });
}

// TclFreeNotificator

const classes::TClassInfo& TclFreeNotificator::StaticClass()
{
    static const classes::TClassInfo info("TclFreeNotificator", &TComponent::StaticClass());
    return info;
}

void TclFreeNotificator::WatchComponent(classes::TComponent* component)
{
    if (component)
        component->FreeNotification(this);
}

void TclFreeNotificator::UnwatchComponent(classes::TComponent* component)
{
    if (component)
        component->RemoveFreeNotification(this);
}

void TclFreeNotificator::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && OnWatchedComponentFreed)
        OnWatchedComponentFreed(component);
}

// TclComponentCollection

TclComponentCollection::TclComponentCollection(classes::TComponent* parentComponent,
                                               const classes::TClassInfo& itemClass)
    : parent_(parentComponent), itemClass_(itemClass)
{
}

TclComponentCollection::~TclComponentCollection()
{
    lockCount_ = 1;
    Clear();
}

const classes::TClassInfo& TclComponentCollection::StaticClass()
{
    static const classes::TClassInfo info("TclComponentCollection", &TPersistent::StaticClass());
    return info;
}

void TclComponentCollection::Assign(const classes::TPersistent* source)
{
    auto* other = dynamic_cast<const TclComponentCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    LockUpdates();
    try {
        Clear();
        for (TclComponentCollectionItem* item : other->items_)
            AppendNewItem()->Assign(item);
    } catch (...) {
        UnlockUpdates(true);
        throw;
    }
    UnlockUpdates(true);
}

void TclComponentCollection::ItemNotification(TclComponentCollectionItem*, TclComponentCollectionNotification) {}
void TclComponentCollection::AssignItemName(TclComponentCollectionItem*) {}

void TclComponentCollection::FireChange(TclComponentCollectionItem* item, TclComponentCollectionNotification action)
{
    if (OnChange)
        OnChange(this, item, action);
}

void TclComponentCollection::UnlockUpdates(bool force)
{
    --lockCount_;
    if (force)
        Report(nullptr, ccnChanged);
}

TclComponentCollectionItem* TclComponentCollection::AppendNewItem()
{
    if (!itemClass_.createComponent)
        return nullptr;
    classes::TComponent* created = itemClass_.createComponent(parent_ ? parent_->Owner() : nullptr);
    auto* item = dynamic_cast<TclComponentCollectionItem*>(created);
    if (!item) {
        delete created;
        return nullptr;
    }
    item->SetParentComponent(parent_);
    AssignItemName(item);
    return item;
}

int TclComponentCollection::IndexOf(const TclComponentCollectionItem* item) const
{
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : int(found - items_.begin());
}

void TclComponentCollection::Clear()
{
    LockUpdates();
    while (!items_.empty())
        delete items_.back();
    UnlockUpdates(true);
}

void TclComponentCollection::InsertItem(TclComponentCollectionItem* item)
{
    if (!item->InheritsFrom(itemClass_))
        return;
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    ItemNotification(item, ccnAdded);
    Report(item, ccnAdded);
}

void TclComponentCollection::RemoveItem(TclComponentCollectionItem* item)
{
    ItemNotification(item, ccnExtracting);
    std::erase(items_, item);
    item->collection_ = nullptr;
    ItemNotification(item, ccnExtracted);
    Report(item, ccnExtracted);
}

void TclComponentCollection::MoveItem(TclComponentCollectionItem* item, int index)
{
    const int current = IndexOf(item);
    if (current < 0)
        return;
    index = std::clamp(index, 0, int(items_.size()) - 1);
    if (index == current)
        return;
    items_.erase(items_.begin() + current);
    items_.insert(items_.begin() + index, item);
    Report(nullptr, ccnChanged);
}

void TclComponentCollection::Report(TclComponentCollectionItem* item, TclComponentCollectionNotification action)
{
    if (lockCount_ <= 0)
        FireChange(item, action);
}

// TclComponentCollectionItem

TclComponentCollectionItem::~TclComponentCollectionItem()
{
    MoveToCollection(nullptr);
}

const classes::TClassInfo& TclComponentCollectionItem::StaticClass()
{
    static const classes::TClassInfo info("TclComponentCollectionItem", &TComponent::StaticClass());
    return info;
}

TclComponentCollection* TclComponentCollectionItem::CollectionOfParent(classes::TComponent*) const
{
    return nullptr;
}

void TclComponentCollectionItem::MoveToCollection(TclComponentCollection* collection)
{
    if (collection == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

void TclComponentCollectionItem::MoveToIndex(int index)
{
    if (collection_)
        collection_->MoveItem(this, index);
}

classes::TComponent* TclComponentCollectionItem::GetParentComponent() const
{
    return collection_ ? collection_->ParentComponent() : nullptr;
}

bool TclComponentCollectionItem::HasParent() const
{
    return collection_ ? collection_->ParentComponent() != nullptr : TComponent::HasParent();
}

void TclComponentCollectionItem::SetParentComponent(classes::TComponent* parent)
{
    MoveToCollection(parent ? CollectionOfParent(parent) : nullptr);
}

void TclComponentCollectionItem::NotifyChanged(bool all)
{
    if (collection_ && !HasState(classes::csDestroying))
        collection_->Report(all ? nullptr : this, ccnChanged);
}

// Names and texts

namespace {
bool IsIdentChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u < 128 && std::isalnum(u)) || c == '_';
}

bool StartsWithText(std::string_view text, std::string_view prefix)
{
    return !prefix.empty() && text.size() >= prefix.size() &&
           rtl::AnsiCompareText(text.substr(0, prefix.size()), prefix) == 0;
}

bool NameTaken(classes::TComponent* owner, classes::TComponent* item, const std::string& name)
{
    if (!owner)
        return false;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        classes::TComponent* other = owner->Components(i);
        if (other != item && rtl::AnsiCompareText(other->Name(), name) == 0)
            return true;
    }
    return false;
}
}  // namespace

std::string clMakeUniqueItemName(classes::TComponent* owner, classes::TComponent* parent, classes::TComponent* item,
                                 std::string_view prefix, std::string_view baseName)
{
    std::string stem;
    for (char c : baseName)
        if (IsIdentChar(c))
            stem += c;
    if (stem.empty() || std::isdigit(static_cast<unsigned char>(stem[0]))) {
        std::string_view className = item ? std::string_view(item->ClassName()) : std::string_view();
        if (StartsWithText(className, prefix))
            className.remove_prefix(prefix.size());
        else if (!className.empty() && (className[0] == 'T' || className[0] == 't'))
            className.remove_prefix(1);
        stem = std::string(className) + stem;
    }
    const std::string base = (parent ? parent->Name() : std::string()) + stem;
    for (int number = baseName.empty() ? 1 : 0;; ++number) {
        const std::string name = number == 0 ? base : base + std::to_string(number);
        if (!NameTaken(owner, item, name))
            return name;
    }
}

std::string clReadLocaleString(int locale, rtl::LocaleItem item, const std::string& defaultText)
{
    std::optional<std::string> text = rtl::GetLocaleInfo(locale, item);
    return text ? *text : defaultText;
}

int clCharByteLength(std::string_view text, int position)
{
    return position >= 1 && position <= int(text.size()) ? 1 : 0;
}

int clNextCharPosition(std::string_view text, int position)
{
    return std::min(position + 1, int(text.size()) + 1);
}

int clPrevCharPosition(std::string_view, int position)
{
    return std::max(position - 1, 1);
}

std::string clFetchResourceText(const classes::TResStringRec& resource)
{
    return classes::LoadResString(resource);
}

void clFireNotify(classes::TObject* sender, const classes::TNotifyEvent& event)
{
    if (event)
        event(sender);
}

classes::TPersistent* clGetPersistentOwner(const classes::TPersistent* persistent)
{
    return persistent ? persistent->GetOwner() : nullptr;
}

namespace detail {
void InitializeClasses()
{
    classes::RegisterClasses({&TclRect::StaticClass(), &TclSize::StaticClass()});
}

void FinalizeClasses()
{
    classes::UnRegisterClass(TclSize::StaticClass());
    classes::UnRegisterClass(TclRect::StaticClass());
    linkController.reset();
}
}  // namespace detail

}  // namespace controls
