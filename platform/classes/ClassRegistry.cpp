#include "platform/classes/ClassRegistry.h"

#include "platform/classes/Errors.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <map>

namespace classes {

namespace {

struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const { return rtl::CompareText(a, b) < 0; }
};

std::map<std::string, const TClassInfo*, NameLess>& ClassTable()
{
    static std::map<std::string, const TClassInfo*, NameLess> registry;
    return registry;
}

}  // namespace

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent,
                       const std::function<void(TClassInfo&)>& describe)
    : name_(std::move(name)), parent_(parent)
{
    typeInfo_.kind = TTypeKind::Class;
    typeInfo_.name = name_;
    typeInfo_.classType = this;
    if (parent_) {
        properties_ = parent_->properties_;
        methods_ = parent_->methods_;
        interfaces_ = parent_->interfaces_;
    }
    if (describe)
        describe(*this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &ancestor)
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TPropInfo& p : properties_)
        if (rtl::SameText(p.name, name))
            return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    // Own methods were added last, so a redeclared name finds the most derived one.
    for (auto it = methods_.rbegin(); it != methods_.rend(); ++it)
        if (rtl::SameText(it->name, name))
            return &*it;
    return nullptr;
}

std::string TClassInfo::MethodName(TObject* instance, TMethodRef handler) const
{
    if (!handler || !instance)
        return {};
    for (auto it = methods_.rbegin(); it != methods_.rend(); ++it)
        if (it->code == handler.code && it->dataOf(instance) == handler.data)
            return it->name;
    return {};
}

TMethodRef TClassInfo::MethodAddress(TObject* instance, std::string_view name) const
{
    const TMethodInfo* method = FindMethod(name);
    if (!method || !instance)
        return {};
    return TMethodRef{method->dataOf(instance), method->code};
}

TPropInfo& TClassInfo::AddProperty(TPropInfo property)
{
    auto same = [&](const TPropInfo& p) { return rtl::SameText(p.name, property.name); };
    auto it = std::find_if(properties_.begin(), properties_.end(), same);
    // A class that publishes an inherited property again (with another default, say) keeps its place.
    if (it != properties_.end()) {
        *it = std::move(property);
        return *it;
    }
    properties_.push_back(std::move(property));
    return properties_.back();
}

void TClassInfo::AddMethod(TMethodInfo method)
{
    methods_.push_back(std::move(method));
}

void RegisterClass(const TClassInfo& cls)
{
    auto [it, inserted] = ClassTable().emplace(cls.Name(), &cls);
    if (!inserted && it->second != &cls)
        throw EFilerError("A class named " + cls.Name() + " already exists");
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes)
{
    for (const TClassInfo* cls : classes)
        RegisterClass(*cls);
}

void UnRegisterClass(const TClassInfo& cls)
{
    auto it = ClassTable().find(cls.Name());
    if (it != ClassTable().end() && it->second == &cls)
        ClassTable().erase(it);
}

const TClassInfo& FindClass(std::string_view name)
{
    const TClassInfo* cls = GetClass(name);
    if (!cls)
        throw EClassNotFound("Class " + std::string(name) + " not found");
    return *cls;
}

const TClassInfo* GetClass(std::string_view name)
{
    auto it = ClassTable().find(std::string(name));
    return it == ClassTable().end() ? nullptr : it->second;
}

void UnRegisterAllClasses()
{
    ClassTable().clear();
}

}  // namespace classes
