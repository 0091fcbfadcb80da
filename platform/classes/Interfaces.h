#pragma once
// Interfaces of the object model. An object answers QueryInterface from its class's interface table
// (filled by ClassBuilder::Implements, inherited entries included). TInterfacedObject counts its
// references and deletes itself when the last is released; TNonRefCountedObject leaves its lifetime
// to its owner (AddRef and Release answer -1); TInterfacedPersistent counts on its owner's interface
// when its owner has one, and otherwise leaves its lifetime to its owner too. Interfaces derive virtually from IInterface, so an object
// has one IInterface whatever interfaces it implements.

#include "platform/classes/Persistent.h"

#include <compare>
#include <cstdint>

namespace classes {

struct TGUID {
    std::uint32_t d1 = 0;
    std::uint16_t d2 = 0;
    std::uint16_t d3 = 0;
    std::uint8_t d4[8] = {};
    friend bool operator==(const TGUID&, const TGUID&) = default;
};

inline constexpr std::int32_t S_OK = 0;
inline constexpr std::int32_t E_NOINTERFACE = std::int32_t(0x80004002u);

class IInterface {
public:
    static constexpr TGUID IID = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    virtual std::int32_t QueryInterface(const TGUID& iid, void** object) = 0;
    virtual std::int32_t AddRef() = 0;
    virtual std::int32_t Release() = 0;

protected:
    ~IInterface() = default;
};

// S_OK and the interface of instance's class with that iid, or E_NOINTERFACE and null. Counts nothing.
std::int32_t GetInterface(TObject* instance, const TGUID& iid, void** object);

template <class I>
I* Supports(TObject* instance)
{
    void* found = nullptr;
    return instance && GetInterface(instance, I::IID, &found) == S_OK ? static_cast<I*>(found) : nullptr;
}

class TInterfacedObject : public TObject, public virtual IInterface {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    // A successful query counts one reference.
    std::int32_t QueryInterface(const TGUID& iid, void** object) override;
    std::int32_t AddRef() override { return ++refCount_; }
    std::int32_t Release() override;
    std::int32_t RefCount() const { return refCount_; }

private:
    std::int32_t refCount_ = 0;
};

class TNonRefCountedObject : public TObject, public virtual IInterface {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::int32_t QueryInterface(const TGUID& iid, void** object) override { return GetInterface(this, iid, object); }
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }
};

class TInterfacedPersistent : public TPersistent, public virtual IInterface {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::int32_t QueryInterface(const TGUID& iid, void** object) override;
    std::int32_t AddRef() override;
    std::int32_t Release() override;

private:
    // The owner's IInterface, or null: looked up on each use, since the owner may be set late.
    IInterface* OwnerInterface() const;
};

}  // namespace classes
