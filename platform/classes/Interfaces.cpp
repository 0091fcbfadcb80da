#include "platform/classes/Interfaces.h"

#include "platform/classes/Reflection.h"

namespace classes {

std::int32_t GetInterface(TObject* instance, const TGUID& iid, void** object)
{
    *object = nullptr;
    for (const TInterfaceEntry& entry : instance->ClassType().Interfaces())
        if (*entry.iid == iid) {
            *object = entry.cast(instance);
            return S_OK;
        }
    return E_NOINTERFACE;
}

const TClassInfo& TInterfacedObject::StaticClass()
{
    static const TClassInfo info("TInterfacedObject", &TObject::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TInterfacedObject>(c).Implements<IInterface>();
    });
    return info;
}

std::int32_t TInterfacedObject::QueryInterface(const TGUID& iid, void** object)
{
    std::int32_t result = GetInterface(this, iid, object);
    if (result == S_OK)
        AddRef();
    return result;
}

std::int32_t TInterfacedObject::Release()
{
    std::int32_t count = --refCount_;
    if (count == 0)
        delete this;
    return count;
}

const TClassInfo& TNonRefCountedObject::StaticClass()
{
    static const TClassInfo info("TNonRefCountedObject", &TObject::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TNonRefCountedObject>(c).Implements<IInterface>();
    });
    return info;
}

const TClassInfo& TInterfacedPersistent::StaticClass()
{
    static const TClassInfo info("TInterfacedPersistent", &TPersistent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TInterfacedPersistent>(c).Implements<IInterface>();
    });
    return info;
}

IInterface* TInterfacedPersistent::OwnerInterface() const
{
    TPersistent* owner = GetOwner();
    return owner ? Supports<IInterface>(owner) : nullptr;
}

std::int32_t TInterfacedPersistent::QueryInterface(const TGUID& iid, void** object)
{
    std::int32_t result = GetInterface(this, iid, object);
    if (result == S_OK)
        AddRef();
    return result;
}

std::int32_t TInterfacedPersistent::AddRef()
{
    IInterface* owner = OwnerInterface();
    return owner ? owner->AddRef() : -1;
}

std::int32_t TInterfacedPersistent::Release()
{
    IInterface* owner = OwnerInterface();
    return owner ? owner->Release() : -1;
}

}  // namespace classes
