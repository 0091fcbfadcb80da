#include "platform/classes/Persistent.h"

#include "platform/rtl/Exceptions.h"

namespace classes {

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info("TObject", nullptr);
    return info;
}

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info("TPersistent", &TObject::StaticClass());
    return info;
}

void TPersistent::Assign(const TPersistent* source)
{
    if (source)
        source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const
{
    std::string sourceName = source ? source->ClassName() : "nil";
    throw rtl::EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() const
{
    TPersistent* owner = GetOwner();
    std::string ownerPath = owner ? owner->GetNamePath() : std::string();
    return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}

void TPersistent::DefineProperties(TFiler&)
{
}

}  // namespace classes
