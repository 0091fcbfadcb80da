#pragma once
// Classes by name. Every class of the object model has one TClassInfo: its name, its parent, the
// factory its stored instances are made with, and its published properties and methods. A class is
// found by name only after RegisterClass, which the libraries call from their initialize().

#include "platform/classes/TypeInfo.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace classes {

class TComponent;
class TCollection;
class TCollectionItem;
struct TGUID;

// One interface a class implements: its identifier and how an instance becomes that interface.
struct TInterfaceEntry {
    const TGUID* iid = nullptr;
    void* (*cast)(TObject* instance) = nullptr;
};

class TClassInfo {
public:
    // describe adds the class's own properties, methods and factories (see ClassBuilder).
    TClassInfo(std::string name, const TClassInfo* parent,
               const std::function<void(TClassInfo&)>& describe = nullptr);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    // The type of properties holding an instance of this class.
    const TTypeInfo& TypeInfo() const { return typeInfo_; }
    bool InheritsFrom(const TClassInfo& ancestor) const;

    // Virtual constructors; null for classes that cannot be made by name. createObject makes the
    // plain objects (neither components nor collection items) that have a constructor without arguments.
    std::function<TComponent*(TComponent* owner)> createComponent;
    std::function<TCollectionItem*(TCollection* collection)> createItem;
    std::function<TObject*()> createObject;

    // Published properties, inherited ones first, each in its class's declaration order.
    const std::vector<TPropInfo>& Properties() const { return properties_; }
    // By name, without regard to case; null when none.
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    // The name of the published method of instance (of this class) that handler calls; empty when none.
    std::string MethodName(TObject* instance, TMethodRef handler) const;
    TMethodRef MethodAddress(TObject* instance, std::string_view name) const;

    // The reference stays valid until the next AddProperty.
    TPropInfo& AddProperty(TPropInfo property);
    void AddMethod(TMethodInfo method);
    const std::vector<TInterfaceEntry>& Interfaces() const { return interfaces_; }
    void AddInterface(TInterfaceEntry entry) { interfaces_.push_back(entry); }

private:
    std::string name_;
    const TClassInfo* parent_;
    TTypeInfo typeInfo_;
    std::vector<TPropInfo> properties_;
    std::vector<TMethodInfo> methods_;
    std::vector<TInterfaceEntry> interfaces_;
};

// Registering a second class under a name already taken by another class raises EFilerError
// "A class named %s already exists"; registering the same class again does nothing.
void RegisterClass(const TClassInfo& cls);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void UnRegisterClass(const TClassInfo& cls);
// Without regard to case. FindClass raises EClassNotFound "Class %s not found"; GetClass gives null.
const TClassInfo& FindClass(std::string_view name);
const TClassInfo* GetClass(std::string_view name);
// Forgets every registration (the library's finalize()).
void UnRegisterAllClasses();

}  // namespace classes
