#pragma once
// Report variables: named Variant values. A report keeps its own (stored with it), every report reads
// the process-wide rptGlobalVariables, and scripts make TrptArray objects as associative arrays. Names
// and keys are found without regard to case, the first one of a name in insertion order.

#include "platform/classes/Collection.h"
#include "platform/rtl/Variant.h"

#include <string>
#include <string_view>

namespace report {

class TrptVariable : public classes::TCollectionItem {
public:
    using classes::TCollectionItem::TCollectionItem;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies name and value of another variable.
    void Assign(const classes::TPersistent* source) override;

    std::string Name;
    rtl::Variant Value = rtl::Variant::Null();
};

class TrptVariables : public classes::TCollection {
public:
    // owner: the report whose variables these are (null for free-standing ones).
    explicit TrptVariables(classes::TPersistent* owner = nullptr);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TrptVariable* Add();
    TrptVariable* Items(int index) const;
    // The first variable of that name; -1 when none.
    int IndexOf(std::string_view name) const;
    // The value, Null when there is no such variable (and none is added).
    rtl::Variant Variables(std::string_view name) const;
    // Sets the value, adding a variable of that name when there is none.
    void SetVariables(std::string_view name, const rtl::Variant& value);
};

// Variables addressed by a key of any kind, held as its text: the keys 1 and "1" are one item.
class TrptArray : public classes::TCollection {
public:
    TrptArray();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int IndexOf(const rtl::Variant& key) const;
    rtl::Variant Variables(const rtl::Variant& key) const;
    void SetVariables(const rtl::Variant& key, const rtl::Variant& value);
};

// The variables every report sees; made by the library's initialize() and freed by its finalize().
// EInvalidOperation outside that time.
TrptVariables& rptGlobalVariables();

}  // namespace report
