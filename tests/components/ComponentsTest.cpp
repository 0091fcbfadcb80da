#include "components/Components.h"
#include "components/KitStore.h"

#include "platform/classes/Classes.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using components::TKitComponent;
using components::TKitRegistryStore;

class ComponentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        classes::initialize();
        components::initialize();
    }
    void TearDown() override
    {
        components::finalize();
        classes::finalize();
    }

    static std::string Write(classes::TComponent* root)
    {
        rtl::TMemoryStream stream;
        classes::TWriter writer(stream);
        writer.WriteRootComponent(root);
        std::string bytes(size_t(stream.Size()), '\0');
        stream.SetPosition(0);
        stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
        return bytes;
    }

    static classes::TComponent* Read(const std::string& bytes)
    {
        rtl::TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        stream.SetPosition(0);
        classes::TReader reader(stream);
        return reader.ReadRootComponent(nullptr);
    }
};

TEST_F(ComponentsTest, AboutShowsTheVersionAndIgnoresAssignment)
{
    TKitRegistryStore store(nullptr);
    EXPECT_EQ(classes::GetPropValue(store, "About").ToString(), "v4.06");
    classes::SetPropValue(store, "About", rtl::Variant(std::string("v9")));
    EXPECT_EQ(store.About(), "v4.06");
}

// Stored window data names the store by its class and holds its key and root; About is not stored.
TEST_F(ComponentsTest, StoredDataCreatesAndLoadsTheStore)
{
    TKitRegistryStore original(nullptr);
    original.SetName("REGIST");
    original.SetKeyName("\\SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP\\");
    original.SetRegistryRoot(components::rrLocalMachine);
    const std::string bytes = Write(&original);
    EXPECT_EQ(bytes.find("About"), std::string::npos);

    std::unique_ptr<classes::TComponent> loaded(Read(bytes));
    auto* store = dynamic_cast<TKitRegistryStore*>(loaded.get());
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->Name(), "REGIST");
    EXPECT_EQ(store->KeyName(), "SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP");
    EXPECT_EQ(store->RegistryRoot(), components::rrLocalMachine);
    EXPECT_EQ(store->OpenCount(), 0);

    // The default root is not written, and reads back as the current user.
    TKitRegistryStore plain(nullptr);
    plain.SetKeyName("A");
    std::unique_ptr<classes::TComponent> plainLoaded(Read(Write(&plain)));
    EXPECT_EQ(static_cast<TKitRegistryStore&>(*plainLoaded).RegistryRoot(), components::rrCurrentUser);
}

TEST_F(ComponentsTest, RegistrationFollowsTheLibrarysLifetime)
{
    const classes::TClassInfo* cls = classes::GetClass("TKitRegistryStore");
    ASSERT_EQ(cls, &TKitRegistryStore::StaticClass());
    EXPECT_TRUE(cls->InheritsFrom(TKitComponent::StaticClass()));
    EXPECT_EQ(classes::GetEnumProp(TKitRegistryStore(nullptr), *cls->FindProperty("RegistryRoot")), "rrCurrentUser");
    components::finalize();
    EXPECT_EQ(classes::GetClass("TKitRegistryStore"), nullptr);
    components::initialize();
}

}  // namespace
