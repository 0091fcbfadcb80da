#pragma once
// TList: an ordered list of untyped pointers whose users own what the pointers point to.
// Indexes are 0-based; a bad index raises EListError.

#include <functional>
#include <vector>

namespace rtl {

// Raises EListError "List index out of bounds (%d)" unless 0 <= index < count: the index check of
// every list of the library.
void CheckListIndex(int index, int count);

class TList {
public:
    // Negative when a sorts before b, 0 when equal, positive after.
    using CompareFunc = std::function<int(void* a, void* b)>;

    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    virtual ~TList();

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Remove deletes the first occurrence and returns its former index, or -1.
    int Remove(void* item);
    // Takes the first occurrence out without deleting it; nullptr when absent.
    void* Extract(void* item);
    virtual void Clear();

    int IndexOf(void* item) const;
    void* Get(int index) const;
    void Put(int index, void* item);
    void* First() const;
    void* Last() const;

    int Count() const { return int(items_.size()); }
    // Growing fills with nullptr; shrinking deletes from the end.
    void SetCount(int count);
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity);

    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    // A stable sort, so equal items keep their order.
    void Sort(const CompareFunc& compare);
    // Drops every nullptr item.
    void Pack();
    // Makes room for at least one more item.
    TList& Expand();
    void Assign(const TList& source);

protected:
    enum class Notification { Added, Extracted, Deleted };
    // Called after an item enters the list and after it leaves; lists that own their items free them here.
    virtual void Notify(void* item, Notification action);

private:
    void CheckIndex(int index) const;
    void Grow();

    std::vector<void*> items_;
    int capacity_ = 0;
};

}  // namespace rtl
