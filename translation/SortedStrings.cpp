#include "translation/SortedStrings.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/List.h"

#include <algorithm>
#include <utility>

namespace translation {

namespace {

// The sort text of an item; an item with fewer values counts as having an empty one.
std::string SortText(const TtrStringsCollectionItem& item, int language)
{
    return language <= item.Values.Count() ? item.Values.Strings(language - 1) : std::string();
}

}  // namespace

TtrStringsCollectionItem& TtrStringsCollection::Add()
{
    items_.push_back(std::make_unique<TtrStringsCollectionItem>());
    return *items_.back();
}

TtrStringsCollectionItem& TtrStringsCollection::Items(int index)
{
    return const_cast<TtrStringsCollectionItem&>(std::as_const(*this).Items(index));
}

const TtrStringsCollectionItem& TtrStringsCollection::Items(int index) const
{
    rtl::CheckListIndex(index, Count());
    return *items_[std::size_t(index)];
}

int TtrStringsCollection::IndexOfIdentifier(const std::string& identifier) const
{
    for (int i = 0; i < Count(); ++i)
        if (rtl::AnsiCompareText(items_[std::size_t(i)]->Identifier, identifier) == 0)
            return i;
    return -1;
}

// Halves [lo, hi] until the middle item matches. The upper bound is never moved past an item that is
// greater, so when the lower bound stops moving the key can only be the item just above it: one last
// probe looks there.
template <class Compare>
const TtrStringsCollectionItem* TtrStringsCollection::Search(Compare compareWithKey) const
{
    if (items_.empty())
        return nullptr;
    std::size_t lo = 0;
    std::size_t hi = items_.size() - 1;
    do {
        std::size_t mid = (lo + hi) / 2;
        int order = compareWithKey(*items_[mid]);
        if (order == 0)
            return items_[mid].get();
        if (order < 0) {
            if (lo == mid) {
                if (mid + 1 < items_.size() && compareWithKey(*items_[mid + 1]) == 0)
                    return items_[mid + 1].get();
                return nullptr;
            }
            lo = mid;
        } else {
            hi = mid;
        }
    } while (lo < hi);
    return nullptr;
}

std::string TtrStringsCollection::FindByIdentifier(const std::string& identifier, int language) const
{
    const TtrStringsCollectionItem* item
        = Search([&](const TtrStringsCollectionItem& i) { return rtl::AnsiCompareText(i.Identifier, identifier); });
    return item ? item->Values.Strings(language - 1) : std::string();
}

std::string TtrStringsCollection::FindByText(const std::string& text, int language) const
{
    // Ordered by identifier, the collection has no texts to search: a resource language index of 0 read
    // from stored data must not make every resource string fail.
    if (sortLanguage_ < 1)
        return text;
    const TtrStringsCollectionItem* item = Search(
        [&](const TtrStringsCollectionItem& i) { return rtl::AnsiCompareStr(SortText(i, sortLanguage_), text); });
    if (!item)
        return text;
    std::string found = item->Values.Strings(language - 1);
    if (found.empty() && OnEmptyText)
        return OnEmptyText(*item, language);
    return found;
}

void TtrStringsCollection::Resort()
{
    if (sortLanguage_ == 0)
        Sort([](const TtrStringsCollectionItem& a, const TtrStringsCollectionItem& b) {
            return rtl::AnsiCompareText(a.Identifier, b.Identifier);
        });
    else
        Sort([language = sortLanguage_](const TtrStringsCollectionItem& a, const TtrStringsCollectionItem& b) {
            return rtl::AnsiCompareStr(SortText(a, language), SortText(b, language));
        });
}

void TtrStringsCollection::Sort(const CompareFunc& compare)
{
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
}

}  // namespace translation
