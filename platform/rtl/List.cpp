#include "platform/rtl/List.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <string>

namespace rtl {

namespace {

// The largest list the original addressing allowed; larger requests are refused, not attempted.
constexpr int MaxListSize = 0x7FFFFFFF / 16;

[[noreturn]] void ListError(const char* format, int value)
{
    std::string text(format);
    text.replace(text.find("%d"), 2, std::to_string(value));
    throw EListError(text);
}

}  // namespace

void CheckListIndex(int index, int count)
{
    if (index < 0 || index >= count)
        ListError("List index out of bounds (%d)", index);
}

TList::~TList() = default;

void TList::CheckIndex(int index) const
{
    CheckListIndex(index, Count());
}

// Grows by a quarter for big lists and by small steps for short ones, so adding stays amortised O(1).
void TList::Grow()
{
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + delta);
}

int TList::Add(void* item)
{
    const int index = Count();
    if (index == capacity_)
        Grow();
    items_.push_back(item);
    if (item)
        Notify(item, Notification::Added);
    return index;
}

void TList::Insert(int index, void* item)
{
    CheckListIndex(index, Count() + 1);
    if (Count() == capacity_)
        Grow();
    items_.insert(items_.begin() + index, item);
    if (item)
        Notify(item, Notification::Added);
}

void TList::Delete(int index)
{
    CheckIndex(index);
    void* item = items_[size_t(index)];
    items_.erase(items_.begin() + index);
    if (item)
        Notify(item, Notification::Deleted);
}

int TList::Remove(void* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item)
{
    const int index = IndexOf(item);
    if (index < 0)
        return nullptr;
    items_.erase(items_.begin() + index);
    Notify(item, Notification::Extracted);
    return item;
}

void TList::Clear()
{
    SetCount(0);
    SetCapacity(0);
}

int TList::IndexOf(void* item) const
{
    const auto at = std::find(items_.begin(), items_.end(), item);
    return at == items_.end() ? -1 : int(at - items_.begin());
}

void* TList::Get(int index) const
{
    CheckIndex(index);
    return items_[size_t(index)];
}

void TList::Put(int index, void* item)
{
    CheckIndex(index);
    void* old = items_[size_t(index)];
    if (item == old)
        return;
    items_[size_t(index)] = item;
    if (old)
        Notify(old, Notification::Deleted);
    if (item)
        Notify(item, Notification::Added);
}

void* TList::First() const
{
    return Get(0);
}

void* TList::Last() const
{
    return Get(Count() - 1);
}

void TList::SetCount(int count)
{
    if (count < 0 || count > MaxListSize)
        ListError("List count out of bounds (%d)", count);
    if (count > capacity_)
        SetCapacity(count);
    if (count > Count()) {
        items_.resize(size_t(count), nullptr);
        return;
    }
    // One by one from the end, so a list that owns its items frees each of them.
    for (int i = Count() - 1; i >= count; --i)
        Delete(i);
}

void TList::SetCapacity(int capacity)
{
    if (capacity < Count() || capacity > MaxListSize)
        ListError("List capacity out of bounds (%d)", capacity);
    if (capacity == capacity_)
        return;
    if (capacity < int(items_.capacity()))
        items_.shrink_to_fit();
    items_.reserve(size_t(capacity));
    capacity_ = capacity;
}

void TList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[size_t(index1)], items_[size_t(index2)]);
}

void TList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    const auto from = items_.begin() + curIndex;
    const auto to = items_.begin() + newIndex;
    if (curIndex < newIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
}

void TList::Sort(const CompareFunc& compare)
{
    std::stable_sort(items_.begin(), items_.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Pack()
{
    std::erase(items_, nullptr);
}

TList& TList::Expand()
{
    if (Count() == capacity_)
        Grow();
    return *this;
}

void TList::Assign(const TList& source)
{
    if (&source == this)
        return;
    Clear();
    SetCapacity(source.Capacity());
    for (void* item : source.items_)
        Add(item);
}

void TList::Notify(void*, Notification)
{
}

}  // namespace rtl
