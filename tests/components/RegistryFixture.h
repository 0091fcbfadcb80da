#pragma once
// Every test here keeps the registry in a file of its own temporary folder, never the user's.

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "tests/support/ScratchRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace components_test {

class RegistryFixture : public ::testing::Test {
protected:
    testsupport::ScratchRegistry registry_;

    // Forgets the tree and reads the file again, as the next run of the program would.
    void Restart() { registry_.Restart(); }

    static void PutString(win::HKEY root, const std::string& key, const std::string& name, const std::string& value)
    {
        win::TRegistry registry;
        registry.SetRootKey(root);
        ASSERT_TRUE(registry.OpenKey(key, true));
        registry.WriteString(name, value);
    }

    // The text of a string value, "<missing>" when the value or its key is missing.
    static std::string GetString(win::HKEY root, const std::string& key, const std::string& name)
    {
        win::TRegistry registry;
        registry.SetRootKey(root);
        if (!registry.OpenKey(key, false) || !registry.ValueExists(name))
            return "<missing>";
        EXPECT_EQ(registry.GetDataType(name), win::rdString) << name;
        return registry.ReadString(name);
    }

    static bool KeyExists(win::HKEY root, const std::string& key)
    {
        win::TRegistry registry;
        registry.SetRootKey(root);
        return registry.KeyExists("\\" + key);
    }
};

}  // namespace components_test
