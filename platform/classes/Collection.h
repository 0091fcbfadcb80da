#pragma once
// TCollection: an ordered, owning list of items of one class (TCollectionItem descendants), with an
// update bracket and change notifications; the stored form of list-like properties.

#include "platform/classes/Persistent.h"

#include <vector>

namespace classes {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins collection (when given) at its end.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    TCollection* Collection() const { return collection_; }
    // Moves the item to the end of another collection (or out of every collection, for null).
    void SetCollection(TCollection* collection);
    int Index() const;
    // Moves the item within its collection; out-of-range indexes are ignored.
    virtual void SetIndex(int index);
    int ID() const { return id_; }
    // The class name unless a descendant names its items.
    virtual std::string DisplayName() const;
    virtual void SetDisplayName(const std::string&) { Changed(false); }

    TPersistent* GetOwner() const override;
    // Owner path, the collection's property name, and "[index]".
    std::string GetNamePath() const override;

protected:
    // Tells the collection the item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

enum class TCollectionNotification { Added, Extracting, Deleting };

class TCollection : public TPersistent {
public:
    // owner is the persistent whose property this collection is (null for a free collection);
    // propName is that property's name, for GetNamePath.
    TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr, std::string propName = {});
    ~TCollection() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    const TClassInfo& ItemClass() const { return itemClass_; }
    int Count() const { return int(items_.size()); }
    // EListError "List index out of bounds (%d)" for a bad index.
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    // Changes inside the bracket are reported once, by the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Replaces the items with copies of a collection's items.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }
    std::string GetNamePath() const override;
    const std::string& PropName() const { return propName_; }

protected:
    // item is the changed item, or null when the whole collection changed.
    virtual void Update(TCollectionItem*) {}
    virtual void Notify(TCollectionItem*, TCollectionNotification) {}
    void Changed();

private:
    friend class TCollectionItem;
    void CheckIndex(int index) const;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void ItemChanged(TCollectionItem* item);

    const TClassInfo& itemClass_;
    TPersistent* owner_;
    std::string propName_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

}  // namespace classes
