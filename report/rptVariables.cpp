#include "report/rptVariables.h"

#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "report/detail/Units.h"

#include <memory>
#include <mutex>

namespace report {

namespace {

struct GlobalVariables {
    std::mutex mutex;
    std::unique_ptr<TrptVariables> variables;
};

GlobalVariables& TheGlobalVariables()
{
    static GlobalVariables state;
    return state;
}

int IndexOfName(const classes::TCollection& collection, std::string_view name)
{
    for (int i = 0; i < collection.Count(); ++i)
        if (rtl::AnsiSameText(static_cast<TrptVariable*>(collection.Items(i))->Name, name))
            return i;
    return -1;
}

}  // namespace

// --- TrptVariable ---

const classes::TClassInfo& TrptVariable::StaticClass()
{
    using V = TrptVariable;
    static const classes::TClassInfo info("TrptVariable", &classes::TCollectionItem::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<V>(c).Property("Name", &V::Name).Property("Value", &V::Value);
    });
    return info;
}

void TrptVariable::Assign(const classes::TPersistent* source)
{
    const auto* variable = dynamic_cast<const TrptVariable*>(source);
    if (!variable)
        return classes::TCollectionItem::Assign(source);
    Name = variable->Name;
    Value = variable->Value;
}

// --- TrptVariables ---

TrptVariables::TrptVariables(classes::TPersistent* owner)
    : classes::TCollection(TrptVariable::StaticClass(), owner, "Variables")
{
}

const classes::TClassInfo& TrptVariables::StaticClass()
{
    static const classes::TClassInfo info("TrptVariables", &classes::TCollection::StaticClass());
    return info;
}

TrptVariable* TrptVariables::Add()
{
    return static_cast<TrptVariable*>(classes::TCollection::Add());
}

TrptVariable* TrptVariables::Items(int index) const
{
    return static_cast<TrptVariable*>(classes::TCollection::Items(index));
}

int TrptVariables::IndexOf(std::string_view name) const
{
    return IndexOfName(*this, name);
}

rtl::Variant TrptVariables::Variables(std::string_view name) const
{
    const int index = IndexOf(name);
    return index < 0 ? rtl::Variant::Null() : Items(index)->Value;
}

void TrptVariables::SetVariables(std::string_view name, const rtl::Variant& value)
{
    const int index = IndexOf(name);
    TrptVariable* variable = index < 0 ? Add() : Items(index);
    if (index < 0)
        variable->Name = std::string(name);
    variable->Value = value;
}

// --- TrptArray ---

TrptArray::TrptArray() : classes::TCollection(TrptVariable::StaticClass())
{
}

const classes::TClassInfo& TrptArray::StaticClass()
{
    static const classes::TClassInfo info("TrptArray", &classes::TCollection::StaticClass());
    return info;
}

int TrptArray::IndexOf(const rtl::Variant& key) const
{
    return IndexOfName(*this, rtl::VarToStr(key));
}

rtl::Variant TrptArray::Variables(const rtl::Variant& key) const
{
    const int index = IndexOf(key);
    return index < 0 ? rtl::Variant::Null() : static_cast<TrptVariable*>(Items(index))->Value;
}

void TrptArray::SetVariables(const rtl::Variant& key, const rtl::Variant& value)
{
    const int index = IndexOf(key);
    auto* variable = static_cast<TrptVariable*>(index < 0 ? Add() : Items(index));
    if (index < 0)
        variable->Name = rtl::VarToStr(key);
    variable->Value = value;
}

// --- the global variables ---

TrptVariables& rptGlobalVariables()
{
    GlobalVariables& state = TheGlobalVariables();
    std::lock_guard lock(state.mutex);
    if (!state.variables)
        throw rtl::EInvalidOperation("The report library has not been started");
    return *state.variables;
}

namespace detail {

void InitializeVariables()
{
    GlobalVariables& state = TheGlobalVariables();
    std::lock_guard lock(state.mutex);
    state.variables = std::make_unique<TrptVariables>();
}

void FinalizeVariables()
{
    GlobalVariables& state = TheGlobalVariables();
    std::lock_guard lock(state.mutex);
    state.variables.reset();
}

}  // namespace detail

}  // namespace report
