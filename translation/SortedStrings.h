#pragma once
// The sorted string collections of a translation component: the Strings list held a second time, one
// item per line with its identifier and per-language texts, in an order that binary searches use.
// StringsLookup is sorted by identifier (case ignored) and serves every look-up by "IDS_" identifier;
// ResourceLookup is sorted by the texts of one language (case-sensitive) and serves the redirection of
// resource strings. Both orders are the runtime's fixed collation.

#include "platform/rtl/StringList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace translation {

struct TtrStringsCollectionItem {
    // Field 0 of the source line ("IDS_0").
    std::string Identifier;
    // Entry k-1 is the text of language k.
    rtl::TStringList Values;
};

class TtrStringsCollection {
public:
    // Negative when a sorts before b.
    using CompareFunc = std::function<int(const TtrStringsCollectionItem& a, const TtrStringsCollectionItem& b)>;
    // Fills in the text of a found item whose requested language is empty (the test mode of the
    // component's dispatcher); unset, the empty text stays.
    using EmptyTextFill = std::function<std::string(const TtrStringsCollectionItem& item, int language)>;

    // owner: the component that owns the collection, returned as is.
    explicit TtrStringsCollection(void* owner = nullptr) : owner_(owner) {}

    void* Owner() const { return owner_; }
    int Count() const { return int(items_.size()); }
    // A new empty item at the end.
    TtrStringsCollectionItem& Add();
    // EListError for an index out of range.
    TtrStringsCollectionItem& Items(int index);
    const TtrStringsCollectionItem& Items(int index) const;
    void Clear() { items_.clear(); }

    // 0: ordered by identifier; k >= 1: ordered by the texts of language k.
    int SortLanguage() const { return sortLanguage_; }
    void SetSortLanguage(int language) { sortLanguage_ = language; }

    // The first item, in collection order, whose identifier equals the given one, case ignored; -1 when
    // none. Works on an unsorted collection.
    int IndexOfIdentifier(const std::string& identifier) const;
    // By binary search in a collection sorted by identifier: the text of the language (1-based) of an
    // item with that identifier, empty when there is none. A language outside the item's values raises
    // EStringListError.
    std::string FindByIdentifier(const std::string& identifier, int language) const;
    // By binary search in a collection sorted by language SortLanguage(): the text of the language of
    // the item whose sort text equals the given text; the given text itself when there is none, or
    // when the collection is ordered by identifier.
    std::string FindByText(const std::string& text, int language) const;

    // Sorts by identifier or by the SortLanguage texts. Items with equal keys keep no particular order.
    void Resort();
    void Sort(const CompareFunc& compare);

    EmptyTextFill OnEmptyText;

private:
    template <class Compare>
    const TtrStringsCollectionItem* Search(Compare compareWithKey) const;

    void* owner_;
    int sortLanguage_ = 0;
    std::vector<std::unique_ptr<TtrStringsCollectionItem>> items_;
};

}  // namespace translation
