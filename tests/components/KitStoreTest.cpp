#include "components/KitStore.h"

#include "RegistryFixture.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using components::TKitRegistryStore;
using components_test::RegistryFixture;
using win::HKEY_CURRENT_USER;
using win::HKEY_LOCAL_MACHINE;

const std::string kKey = "SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP";

class KitRegistryStoreTest : public RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        store_.SetName("REGIST");
        store_.SetKeyName(kKey);
    }

    TKitRegistryStore store_{nullptr};
};

TEST_F(KitRegistryStoreTest, MissingSectionGivesDefaultsAndWritesNothing)
{
    store_.Open();
    EXPECT_EQ(store_.ReadInteger("PROXY", "PORT", 8080), 8080);
    EXPECT_FALSE(store_.ReadBoolean("PROXY", "USE", false));
    EXPECT_TRUE(store_.ReadBoolean("PROXY", "USE", true));
    EXPECT_EQ(store_.ReadString("PROXY", "HOST", "none"), "none");
    store_.Close();
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey + "\\PROXY"));

    // A present section without the item gives the default too.
    PutString(HKEY_CURRENT_USER, kKey + "\\PROXY", "HOST", "proxy.example");
    store_.Open();
    EXPECT_EQ(store_.ReadInteger("PROXY", "PORT", -1), -1);
    EXPECT_EQ(store_.ReadString("PROXY", "HOST", "none"), "proxy.example");
    store_.Close();
}

TEST_F(KitRegistryStoreTest, BooleansAreTrueExactlyWhenTheTextStartsWithOne)
{
    struct Case {
        const char* stored;
        bool expected;
    };
    const Case cases[] = {
        {"1", true},     {"10", true},     {"1abc", true}, {"0", false}, {"True", false},
        {"yes", false},  {" 1", false},    {"", false},    {"-1", false},
    };
    for (const Case& c : cases) {
        PutString(HKEY_CURRENT_USER, kKey + "\\PRG", "FLAG", c.stored);
        store_.Open();
        EXPECT_EQ(store_.ReadBoolean("PRG", "FLAG", false), c.expected) << '"' << c.stored << '"';
        EXPECT_EQ(store_.ReadBoolean("PRG", "FLAG", true), c.expected) << '"' << c.stored << '"';
        store_.Close();
    }
}

TEST_F(KitRegistryStoreTest, IntegersThatAreNotIntegersGiveTheDefault)
{
    struct Case {
        const char* stored;
        int expected;
    };
    const int fallback = 77;
    const Case cases[] = {
        {"-5", -5},         {"0", 0},           {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"abc", fallback},  {"5.0", fallback},  {"", fallback},          {"2147483648", fallback},
        {"12 ", fallback},  {"1,000", fallback},
    };
    for (const Case& c : cases) {
        PutString(HKEY_CURRENT_USER, kKey + "\\PROXY", "PORT", c.stored);
        store_.Open();
        EXPECT_EQ(store_.ReadInteger("PROXY", "PORT", fallback), c.expected) << '"' << c.stored << '"';
        store_.Close();
    }
}

TEST_F(KitRegistryStoreTest, TypedWritesStoreText)
{
    struct Case {
        std::function<void(TKitRegistryStore&)> write;
        const char* stored;
    };
    const Case cases[] = {
        {[](TKitRegistryStore& s) { s.WriteBoolean("PRG", "V", true); }, "1"},
        {[](TKitRegistryStore& s) { s.WriteBoolean("PRG", "V", false); }, "0"},
        {[](TKitRegistryStore& s) { s.WriteInteger("PRG", "V", -42); }, "-42"},
        {[](TKitRegistryStore& s) { s.WriteInteger("PRG", "V", 0); }, "0"},
        {[](TKitRegistryStore& s) { s.WriteInteger("PRG", "V", 1234567); }, "1234567"},
        {[](TKitRegistryStore& s) { s.WriteInteger("PRG", "V", INT_MIN); }, "-2147483648"},
        {[](TKitRegistryStore& s) { s.WriteString("PRG", "V", " a = b \\ [c]"); }, " a = b \\ [c]"},
        {[](TKitRegistryStore& s) { s.WriteString("PRG", "V", ""); }, ""},
    };
    for (const Case& c : cases) {
        store_.Open();
        c.write(store_);
        store_.Close();
        Restart();
        EXPECT_EQ(GetString(HKEY_CURRENT_USER, kKey + "\\PRG", "V"), c.stored);
    }
}

TEST_F(KitRegistryStoreTest, ValuesSurviveTheNextRun)
{
    store_.Open();
    store_.WriteString("USER", "NAME", "Ann");
    store_.WriteInteger("PROXY", "PORT", 3128);
    store_.WriteBoolean("PRG", "KORVA1", false);
    store_.Close();

    Restart();
    TKitRegistryStore next(nullptr);
    next.SetKeyName(kKey);
    next.Open();
    EXPECT_EQ(next.ReadString("USER", "NAME", ""), "Ann");
    EXPECT_EQ(next.ReadInteger("PROXY", "PORT", 8080), 3128);
    EXPECT_FALSE(next.ReadBoolean("PRG", "KORVA1", true));
    next.Close();
}

TEST_F(KitRegistryStoreTest, NestedOpenKeepsTheKeyOpenUntilTheLastClose)
{
    store_.Open();
    store_.Open();
    store_.WriteString("PRG", "A", "a");
    store_.Close();
    // Still open: reads work and nothing has reached the file yet.
    EXPECT_EQ(store_.ReadString("PRG", "A", ""), "a");
    EXPECT_FALSE(std::filesystem::exists(registry_.File()));
    store_.Close();
    EXPECT_TRUE(std::filesystem::exists(registry_.File()));
    EXPECT_THROW(store_.ReadString("PRG", "A", ""), rtl::EInvalidOperation);
    store_.Close();
    EXPECT_EQ(store_.OpenCount(), 0);
}

TEST_F(KitRegistryStoreTest, ReadsAndWritesOfAClosedStoreAreRefused)
{
    const std::function<void(TKitRegistryStore&)> calls[] = {
        [](TKitRegistryStore& s) { s.ReadString("PRG", "A", ""); },
        [](TKitRegistryStore& s) { s.WriteString("PRG", "A", "a"); },
        [](TKitRegistryStore& s) { s.ReadBoolean("PRG", "A", true); },
        [](TKitRegistryStore& s) { s.ReadInteger("PRG", "A", 1); },
        [](TKitRegistryStore& s) { s.WriteBoolean("PRG", "A", true); },
        [](TKitRegistryStore& s) { s.WriteInteger("PRG", "A", 1); },
        [](TKitRegistryStore& s) { s.EraseSection("PRG"); },
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        try {
            calls[i](store_);
            ADD_FAILURE() << "call " << i << " ran on a closed store";
        } catch (const rtl::EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "The settings store REGIST is not open; settings are read and written only "
                                   "between Open and Close")
                << i;
        }
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(KitRegistryStoreTest, RegistryErrorsPassThroughWithTheirMessages)
{
    {
        win::TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(kKey + "\\PROXY", true));
        registry.WriteInteger("PORT", 3128);
    }
    struct Case {
        std::function<void(TKitRegistryStore&)> call;
        const char* message;
    };
    const Case cases[] = {
        {[](TKitRegistryStore& s) { s.ReadString("PROXY", "PORT", ""); }, "Invalid data type for 'PORT'"},
        {[](TKitRegistryStore& s) { s.ReadInteger("PROXY", "PORT", 8080); }, "Invalid data type for 'PORT'"},
        {[](TKitRegistryStore& s) { s.ReadBoolean("PROXY", "PORT", false); }, "Invalid data type for 'PORT'"},
        {[](TKitRegistryStore& s) { s.WriteString("BAD\\\\LEVEL", "A", "a"); }, "Failed to create key BAD\\\\LEVEL"},
    };
    store_.Open();
    for (const Case& c : cases) {
        try {
            c.call(store_);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const win::ERegistryException& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    store_.Close();
}

TEST_F(KitRegistryStoreTest, EraseSectionRemovesTheSectionWithEverythingBelowIt)
{
    store_.Open();
    store_.WriteString("RECENT", "1", "a.kvx");
    store_.WriteString("RECENT\\OLD", "1", "b.kvx");
    store_.WriteString("PRG", "RS", "1");
    store_.EraseSection("RECENT");
    // An empty section names the store's own key, which erasing must not remove.
    store_.EraseSection("");
    store_.EraseSection("MISSING");
    EXPECT_EQ(store_.ReadString("RECENT", "1", "gone"), "gone");
    store_.Close();

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey + "\\RECENT"));
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, kKey + "\\PRG", "RS"), "1");
}

TEST_F(KitRegistryStoreTest, KeyNameLosesOuterBackslashes)
{
    struct Case {
        const char* given;
        const char* stored;
    };
    const Case cases[] = {
        {"\\\\SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP\\\\\\", "SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP"},
        {"\\A", "A"},
        {"A\\", "A"},
        {"A\\\\B", "A\\\\B"},
        {"\\\\\\", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        TKitRegistryStore store(nullptr);
        store.SetDesigning(true);
        store.SetKeyName(c.given);
        EXPECT_EQ(store.KeyName(), c.stored) << c.given;
    }
}

TEST_F(KitRegistryStoreTest, AnEmptyKeyNameUsesTheProgramsName)
{
    const std::string programKey = "Software\\" + std::filesystem::read_symlink("/proc/self/exe").stem().string();
    store_.SetKeyName("\\\\");
    EXPECT_EQ(store_.KeyName(), programKey);

    store_.Open();
    store_.WriteString("PRG", "A", "a");
    store_.Close();
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, programKey + "\\PRG", "A"), "a");
}

TEST_F(KitRegistryStoreTest, LocalMachineStoreCreatesTheKeyUnderBothRoots)
{
    store_.SetRegistryRoot(components::rrLocalMachine);
    store_.Open();
    store_.WriteString("PRG", "A", "machine");
    store_.Close();

    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, kKey + "\\PRG", "A"), "machine");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey + "\\PRG"));
}

// A key path with an empty level can be neither opened nor created: Open says nothing, reads give
// their defaults, and a write fails instead of landing in a section below the root.
TEST_F(KitRegistryStoreTest, AKeyThatCannotBeOpenedLosesNoWriteSilently)
{
    store_.SetKeyName("Software\\\\Odd");
    ASSERT_NO_THROW(store_.Open());
    EXPECT_EQ(store_.ReadInteger("PRG", "A", 5), 5);
    try {
        store_.WriteString("PRG", "A", "a");
        ADD_FAILURE() << "the write was reported as done";
    } catch (const win::ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to create key Software\\\\Odd");
    }
    EXPECT_NO_THROW(store_.EraseSection("PRG"));
    store_.Close();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "PRG"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Odd"));
}

TEST_F(KitRegistryStoreTest, DestroyingAnOpenStoreKeepsWhatItWrote)
{
    {
        TKitRegistryStore store(nullptr);
        store.SetKeyName(kKey);
        store.Open();
        store.WriteString("PRG", "PROGRAMVERSION", "2.0");
    }
    Restart();
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, kKey + "\\PRG", "PROGRAMVERSION"), "2.0");
}

// Two running copies each write their own value through their own store while both have the file
// loaded; the file keeps both.
TEST_F(KitRegistryStoreTest, TwoProcessesBothKeepTheirValues)
{
    int opened[2];
    int go[2];
    ASSERT_EQ(::pipe(opened), 0);
    ASSERT_EQ(::pipe(go), 0);
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = ::fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            int status = 1;
            try {
                Restart();
                TKitRegistryStore store(nullptr);
                store.SetKeyName(kKey);
                store.Open();
                store.ReadString("USER", "NAME", "");
                char byte = 'o';
                if (::write(opened[1], &byte, 1) == 1 && ::read(go[0], &byte, 1) == 1) {
                    store.WriteString("USER", i == 0 ? "NAME" : "COMPANY", i == 0 ? "Ann" : "Acme");
                    store.Close();
                    status = 0;
                }
            } catch (...) {
            }
            ::_exit(status);
        }
    }
    // Both children have read the file before either writes.
    char bytes[2];
    ASSERT_EQ(::read(opened[0], bytes, 1), 1);
    ASSERT_EQ(::read(opened[0], bytes + 1, 1), 1);
    ASSERT_EQ(::write(go[1], "gg", 2), 2);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int fd : {opened[0], opened[1], go[0], go[1]})
        ::close(fd);

    Restart();
    store_.Open();
    EXPECT_EQ(store_.ReadString("USER", "NAME", ""), "Ann");
    EXPECT_EQ(store_.ReadString("USER", "COMPANY", ""), "Acme");
    store_.Close();
}

}  // namespace
