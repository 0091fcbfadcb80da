#include "platform/classes/Interfaces.h"
#include "platform/classes/Reflection.h"

#include <gtest/gtest.h>

namespace {

using classes::ClassBuilder;
using classes::TClassInfo;

class IShape : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x1A2B3C4D, 0x0001, 0x0002, {1, 2, 3, 4, 5, 6, 7, 8}};
    virtual int Corners() = 0;
};

class IColored : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x1A2B3C4D, 0x0001, 0x0003, {1, 2, 3, 4, 5, 6, 7, 8}};
    virtual int Color() = 0;
};

int alive = 0;

class TCounted : public classes::TInterfacedObject, public IShape {
public:
    TCounted() { ++alive; }
    ~TCounted() override { --alive; }
    static const TClassInfo& StaticClass()
    {
        static const TClassInfo info("TCounted", &TInterfacedObject::StaticClass(),
                                     [](TClassInfo& c) { ClassBuilder<TCounted>(c).Implements<IShape>(); });
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClass(); }
    int Corners() override { return 4; }
};

class TOwned : public classes::TNonRefCountedObject, public IColored {
public:
    static const TClassInfo& StaticClass()
    {
        static const TClassInfo info("TOwned", &TNonRefCountedObject::StaticClass(),
                                     [](TClassInfo& c) { ClassBuilder<TOwned>(c).Implements<IColored>(); });
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClass(); }
    int Color() override { return 7; }
};

TEST(Interfaces, CountedObjectsGoWithTheirLastReference)
{
    auto* object = new TCounted;
    IShape* shape = nullptr;
    ASSERT_EQ(object->QueryInterface(IShape::IID, reinterpret_cast<void**>(&shape)), classes::S_OK);
    EXPECT_EQ(shape->Corners(), 4);
    EXPECT_EQ(object->RefCount(), 1);
    void* none = &none;
    EXPECT_EQ(object->QueryInterface(IColored::IID, &none), classes::E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(shape->AddRef(), 2);
    EXPECT_EQ(shape->Release(), 1);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(shape->Release(), 0);
    EXPECT_EQ(alive, 0);
}

TEST(Interfaces, UncountedObjectsAnswerFromTheirClassTable)
{
    TOwned owned;
    EXPECT_EQ(classes::Supports<IColored>(&owned)->Color(), 7);
    EXPECT_NE(classes::Supports<classes::IInterface>(&owned), nullptr);  // inherited entry
    EXPECT_EQ(classes::Supports<IShape>(&owned), nullptr);
    EXPECT_EQ(owned.AddRef(), -1);
    EXPECT_EQ(owned.Release(), -1);
    classes::TObject plain;
    EXPECT_EQ(classes::Supports<IColored>(&plain), nullptr);
}

}  // namespace

namespace {

// An owner that counts the references its parts hand on to it.
class TCountingOwner : public classes::TPersistent, public virtual classes::IInterface {
public:
    static const TClassInfo& StaticClass()
    {
        static const TClassInfo info("TCountingOwner", &TPersistent::StaticClass(),
                                     [](TClassInfo& c) { ClassBuilder<TCountingOwner>(c).Implements<IInterface>(); });
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClass(); }
    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override
    {
        return classes::GetInterface(this, iid, object);
    }
    std::int32_t AddRef() override { return ++count; }
    std::int32_t Release() override { return --count; }
    int count = 0;
};

class TPart : public classes::TInterfacedPersistent {
public:
    explicit TPart(classes::TPersistent* owner) : owner_(owner) {}
    classes::TPersistent* GetOwner() const override { return owner_; }

private:
    classes::TPersistent* owner_;
};

TEST(InterfacedPersistent, CountsOnItsOwnersInterfaceOrNotAtAll)
{
    TPart alone(nullptr);
    EXPECT_EQ(alone.AddRef(), -1);
    EXPECT_EQ(alone.Release(), -1);
    void* found = nullptr;
    EXPECT_EQ(alone.QueryInterface(classes::IInterface::IID, &found), classes::S_OK);
    EXPECT_EQ(found, static_cast<classes::IInterface*>(&alone));

    // An owner without interfaces counts nothing either.
    classes::TPersistent plainOwner;
    TPart ofPlain(&plainOwner);
    EXPECT_EQ(ofPlain.AddRef(), -1);

    TCountingOwner owner;
    TPart part(&owner);
    EXPECT_EQ(part.AddRef(), 1);
    EXPECT_EQ(part.QueryInterface(classes::IInterface::IID, &found), classes::S_OK);
    EXPECT_EQ(owner.count, 2);
    EXPECT_EQ(part.Release(), 1);
    EXPECT_EQ(owner.count, 1);
}

}  // namespace
