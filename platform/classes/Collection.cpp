#include "platform/classes/Collection.h"

#include "platform/classes/Errors.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/List.h"

#include <algorithm>

namespace classes {

TCollectionItem::TCollectionItem(TCollection* collection)
{
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->Notify(this, TCollectionNotification::Deleting);
    SetCollection(nullptr);
}

const TClassInfo& TCollectionItem::StaticClass()
{
    static const TClassInfo info("TCollectionItem", &TPersistent::StaticClass());
    return info;
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    auto& items = collection_->items_;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    int current = Index();
    if (current < 0 || index < 0 || index >= collection_->Count() || index == current)
        return;
    auto& items = collection_->items_;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const
{
    return ClassName();
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

std::string TCollectionItem::GetNamePath() const
{
    if (!collection_)
        return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner, std::string propName)
    : itemClass_(itemClass), owner_(owner), propName_(std::move(propName))
{
}

TCollection::~TCollection()
{
    updateCount_ = 1;
    while (!items_.empty())
        delete items_.back();
}

const TClassInfo& TCollection::StaticClass()
{
    static const TClassInfo info("TCollection", &TPersistent::StaticClass());
    return info;
}

TCollectionItem* TCollection::Items(int index) const
{
    CheckIndex(index);
    return items_[std::size_t(index)];
}

TCollectionItem* TCollection::Add()
{
    if (!itemClass_.createItem)
        throw EComponentError("Cannot create an instance of " + itemClass_.Name());
    return itemClass_.createItem(this);
}

TCollectionItem* TCollection::Insert(int index)
{
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index)
{
    CheckIndex(index);
    delete items_[std::size_t(index)];
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    --updateCount_;
    Changed();
}

void TCollection::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other)
        return TPersistent::Assign(source);
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TCollection::GetNamePath() const
{
    std::string ownerPath = owner_ ? owner_->GetNamePath() : std::string();
    if (ownerPath.empty() || propName_.empty())
        return ClassName();
    return ownerPath + "." + propName_;
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::CheckIndex(int index) const
{
    rtl::CheckListIndex(index, Count());
}

void TCollection::InsertItem(TCollectionItem* item)
{
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, TCollectionNotification::Added);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    Notify(item, TCollectionNotification::Extracting);
    items_.erase(std::find(items_.begin(), items_.end(), item));
    item->collection_ = nullptr;
    Changed();
}

}  // namespace classes
