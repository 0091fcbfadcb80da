#pragma once
// TObject, the root of the object model (its class is known at run time), and TPersistent, an object
// that can be copied from another (Assign) and stored (DefineProperties).

#include "platform/classes/ClassRegistry.h"

#include <string>

namespace classes {

class TFiler;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
};

class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies source into this object: the source's AssignTo decides unless this class knows the
    // source. Unknown pairs raise EConvertError "Cannot assign a %s to a %s".
    virtual void Assign(const TPersistent* source);
    // The object that holds this one (a component's owner, an item's collection), or null.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // The dotted name designers and error messages use ("Form1.Button1.Font").
    virtual std::string GetNamePath() const;
    // Stored data besides the published properties.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace classes
