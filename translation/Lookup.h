#pragma once
// What the translation component looks texts up with: the field of a translation line, the sorted
// table of the Strings lines that answers look-ups by identifier (and by text, for resource strings)
// in logarithmic time, and the dispatcher whose linked components share their lists.
//
// The look-ups themselves are members of TsiCustomLang (Lang.h) and are defined in Lookup.cpp.

#include "platform/classes/Component.h"
#include "platform/rtl/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace translation {

class TsiCustomLang;

// Field n of a translation line: field 0 is the identifier, field k the text between the k-th and
// the (k+1)-th delimiter; a field runs to the next delimiter or to the end. Missing fields are empty.
std::string LineField(std::string_view line, int field, char delimiter);

// The Strings lines kept a second time, one item per line with its identifier and one text per
// language, sorted by identifier (sort language 0, case ignored) or by the texts of one language
// (case kept), both in the user's locale order.
class TStringsLookup {
public:
    // Refills from lines: every item gets exactly `languages` texts (missing ones empty).
    void Build(const rtl::TStrings& lines, char delimiter, int languages, int sortLanguage);
    void Clear() { items_.clear(); }
    int Count() const { return int(items_.size()); }
    int SortLanguage() const { return sortLanguage_; }
    // Sorts again by the given order.
    void SetSortLanguage(int sortLanguage);

    // The first item with the identifier, in table order, case ignored; -1 when none.
    int IndexOfIdentifier(std::string_view identifier) const;
    // The identifier's text of language (1-based); empty when absent.
    std::string FindByIdentifier(std::string_view identifier, int language) const;
    // The text of language of the item whose sort-language text equals text (case kept); text
    // itself when no item holds it.
    std::string FindByText(std::string_view text, int language) const;

private:
    struct Item {
        std::string identifier;
        std::vector<std::string> values;
    };
    const std::string& Key(const Item& item) const;
    int Compare(std::string_view a, std::string_view b) const;
    const Item* Find(std::string_view key) const;
    void Sort();

    std::vector<Item> items_;
    int sortLanguage_ = 0;
};

// A dispatcher the translation components of several windows link to. A component whose options ask
// for shared lists takes its dialog captions, locales or strings from the first other linked component
// that has them.
class TLanguageDispatcher : public classes::TComponent {
public:
    using classes::TComponent::TComponent;

    // Linked components, in the order they linked.
    virtual std::vector<TsiCustomLang*> LinkedLanguages() const = 0;
    virtual void Link(TsiCustomLang& language) = 0;
    virtual void Unlink(TsiCustomLang& language) = 0;
};

}  // namespace translation
