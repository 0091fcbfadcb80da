#include "platform/registry/Registry.h"

#include "platform/rtl/StringList.h"
#include "platform/registry/RegistryStore.h"

#include "tests/support/Lines.h"
#include "tests/support/ScratchRegistry.h"

#include <gtest/gtest.h>


namespace {

using namespace win;

// Every test works on an empty registry of its own.
class RegistryTest : public ::testing::Test {
protected:
    testsupport::ScratchRegistry registry_;
};

using testsupport::LinesOf;

template <typename F>
std::string RegistryError(F&& action)
{
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "no error";
}

TEST_F(RegistryTest, KeyPaths)
{
    const struct {
        const char* current;  // opened (with create) before
        const char* key;
        bool canCreate;
        bool opens;
        const char* path;  // CurrentPath afterwards
    } cases[] = {
        {"", "Software\\Pellawinsbry\\ZEL\\SETUP", true, true, "Software\\Pellawinsbry\\ZEL\\SETUP"},
        {"", "Software\\Missing", false, false, ""},
        {"Software", "Pellawinsbry", true, true, "Software\\Pellawinsbry"},
        {"Software", "\\Top", true, true, "Top"},
        {"Software", "", false, true, "Software"},
        {"Software", "\\", false, true, ""},
        {"", "\\SOFTWARE\\PELLAWINSBRY\\ZEL\\MENU\\", true, true, "SOFTWARE\\PELLAWINSBRY\\ZEL\\MENU"},
        {"Software", "A\\\\B", true, false, "Software"},
        {"Software", "\\\\A", true, false, "Software"},
        {"Software", "Missing", false, false, "Software"},
    };
    for (const auto& c : cases) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(c.current, true));
        EXPECT_EQ(registry.OpenKey(c.key, c.canCreate), c.opens) << c.current << " + " << c.key;
        EXPECT_EQ(registry.CurrentPath(), c.path) << c.current << " + " << c.key;
    }

    // Every level was created; names match without regard to case and keep their first spelling.
    TRegistry registry;
    EXPECT_TRUE(registry.KeyExists("\\software\\PELLAWINSBRY\\zel"));
    EXPECT_TRUE(registry.KeyExists("SOFTWARE\\pellawinsbry\\ZEL\\MENU"));
    ASSERT_TRUE(registry.OpenKey("SOFTWARE", false));
    rtl::TStringList names;
    registry.GetKeyNames(names);
    EXPECT_EQ(LinesOf(names), (std::vector<std::string>{"Pellawinsbry"}));
    registry.CloseKey();
    registry.GetKeyNames(names);
    EXPECT_EQ(LinesOf(names), (std::vector<std::string>{"Software", "Top"}));
    EXPECT_EQ(RegistryError([&] { registry.CreateKey("A\\\\B"); }), "Failed to create key A\\\\B");
}

TEST_F(RegistryTest, TypedValuesAndTheirErrors)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Test", true));
    registry.WriteString("Text", "42");
    registry.WriteInteger("Number", -42);
    registry.WriteBool("Flag", true);
    registry.WriteBinaryData("Bytes", "\x00\x80\r\n", 4);

    EXPECT_EQ(registry.ReadString("TEXT"), "42");
    EXPECT_EQ(registry.ReadInteger("number"), -42);
    EXPECT_TRUE(registry.ReadBool("Flag"));
    char buffer[8] = {};
    EXPECT_EQ(registry.ReadBinaryData("Bytes", buffer, sizeof buffer), 4);
    EXPECT_EQ(std::string(buffer, 4), std::string("\x00\x80\r\n", 4));

    const struct {
        const char* name;
        TRegDataType type;
        int size;
    } types[] = {{"Text", rdString, 3}, {"Number", rdInteger, 4}, {"Bytes", rdBinary, 4}, {"None", rdUnknown, -1}};
    for (const auto& t : types) {
        EXPECT_EQ(registry.GetDataType(t.name), t.type) << t.name;
        EXPECT_EQ(registry.GetDataSize(t.name), t.size) << t.name;
    }

    const struct {
        const char* what;
        std::function<void()> action;
        const char* message;
    } errors[] = {
        {"integer stored as text", [&] { registry.ReadInteger("Text"); }, "Invalid data type for 'Text'"},
        {"bool stored as text", [&] { registry.ReadBool("Text"); }, "Invalid data type for 'Text'"},
        {"text stored as integer", [&] { registry.ReadString("Number"); }, "Invalid data type for 'Number'"},
        {"binary stored as integer", [&] { registry.ReadBinaryData("Number", buffer, 8); },
         "Invalid data type for 'Number'"},
        {"missing integer", [&] { registry.ReadInteger("None"); }, "Failed to get data for 'None'"},
        {"binary too big for the buffer", [&] { registry.ReadBinaryData("Bytes", buffer, 3); },
         "Failed to get data for 'Bytes'"},
    };
    for (const auto& e : errors)
        EXPECT_EQ(RegistryError(e.action), e.message) << e.what;
    EXPECT_EQ(registry.ReadString("None"), "");

    // Writing under another spelling replaces the value (and its type) in place.
    registry.WriteString("NUMBER", "now text");
    rtl::TStringList names;
    registry.GetValueNames(names);
    EXPECT_EQ(LinesOf(names), (std::vector<std::string>{"Text", "Number", "Flag", "Bytes"}));
    EXPECT_EQ(registry.GetDataType("Number"), rdString);
    EXPECT_TRUE(registry.DeleteValue("number"));
    EXPECT_FALSE(registry.DeleteValue("number"));
    EXPECT_FALSE(registry.ValueExists("Number"));
}

TEST_F(RegistryTest, OtherRootsAreEmptyAndReadOnly)
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA}) {
        TRegistry registry;
        registry.SetRootKey(root);
        EXPECT_TRUE(registry.OpenKey("", false));
        EXPECT_FALSE(registry.OpenKey("Software", true));
        EXPECT_FALSE(registry.KeyExists("Software"));
        EXPECT_EQ(RegistryError([&] { registry.CreateKey("Software"); }), "Failed to create key Software");
        EXPECT_EQ(RegistryError([&] { registry.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
        EXPECT_FALSE(registry.DeleteKey("Software"));
        rtl::TStringList names;
        registry.GetKeyNames(names);
        registry.GetValueNames(names);
        EXPECT_EQ(names.Count(), 0);
    }
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites)
{
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey("Software\\Test", true));
        writer.WriteString("Name", "kept");
    }
    TRegistry registry;
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Missing"));
    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\Test"));
    EXPECT_EQ(registry.ReadString("Name"), "kept");
    EXPECT_EQ(RegistryError([&] { registry.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
    EXPECT_FALSE(registry.DeleteValue("Name"));
    EXPECT_EQ(registry.ReadString("Name"), "kept");
    // Opening a key normally makes it writable again.
    ASSERT_TRUE(registry.OpenKey("\\Software\\Test", false));
    registry.WriteString("Name", "changed");
    EXPECT_EQ(registry.ReadString("Name"), "changed");
}

TEST_F(RegistryTest, DeleteKeyTakesEverythingBelow)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("A\\B\\C", true));
    registry.WriteString("Deep", "x");
    TRegistry other;
    ASSERT_TRUE(other.OpenKey("A\\B", false));

    registry.CloseKey();
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(registry.DeleteKey("a"));
    EXPECT_FALSE(registry.KeyExists("A"));
    EXPECT_FALSE(registry.KeyExists("A\\B\\C"));
    EXPECT_FALSE(registry.DeleteKey("A"));
    // A key deleted under another object's feet takes no more values.
    EXPECT_EQ(RegistryError([&] { other.WriteString("Late", "x"); }), "Failed to set data for 'Late'");
    EXPECT_FALSE(registry.KeyExists("A"));
}

// The settings store's use: sections are subkeys of the file's key, every value is text.
TEST_F(RegistryTest, RegIniFileSections)
{
    TRegIniFile ini("SOFTWARE\\Pellawinsbry\\ZEL\\SETUP");
    ini.CloseKey();
    ini.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(ini.OpenKey(ini.FileName(), true));

    // Reading a missing section gives the default and creates nothing.
    EXPECT_EQ(ini.ReadInteger("PROXY", "PORT", 8080), 8080);
    EXPECT_FALSE(ini.ReadBool("PROXY", "USE", false));
    EXPECT_EQ(ini.ReadString("PROXY", "HOST", "none"), "none");
    EXPECT_FALSE(ini.KeyExists("PROXY"));

    ini.WriteInteger("PROXY", "PORT", -42);
    ini.WriteBool("PROXY", "USE", true);
    ini.WriteString("PRG\\SUB", "PATH", " C:\\x=y\r\n");
    EXPECT_EQ(ini.ReadString("proxy", "port", ""), "-42");
    EXPECT_EQ(ini.ReadInteger("PROXY", "PORT", 0), -42);
    EXPECT_TRUE(ini.ReadBool("PROXY", "USE", false));
    EXPECT_EQ(ini.ReadString("PRG\\SUB", "PATH", ""), " C:\\x=y\r\n");
    EXPECT_EQ(ini.CurrentPath(), "SOFTWARE\\Pellawinsbry\\ZEL\\SETUP");

    // Integers stored as text read as the runtime reads numbers: leading blanks and hexadecimal too.
    const struct {
        const char* text;
        int value;
    } integers[] = {{"17", 17}, {"-5", -5}, {"abc", 3},  {"5.0", 3},         {"", 3},
                    {" 1", 1},  {"$1F", 31}, {"12a", 3}, {"99999999999", 3}};
    for (const auto& i : integers) {
        ini.WriteString("NUM", "V", i.text);
        EXPECT_EQ(ini.ReadInteger("NUM", "V", 3), i.value) << i.text;
    }

    rtl::TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"NUM", "PRG", "PROXY"}));
    ini.ReadSection("PROXY", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"PORT", "USE"}));
    ini.ReadSectionValues("PROXY", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"PORT=-42", "USE=1"}));

    ini.DeleteKey("PROXY", "USE");
    EXPECT_EQ(ini.ReadString("PROXY", "USE", "gone"), "gone");
    ini.EraseSection("PRG");
    EXPECT_FALSE(ini.KeyExists("PRG\\SUB"));

    // The file's key was created below the current user as well.
    TRegistry user;
    EXPECT_TRUE(user.KeyExists("\\SOFTWARE\\Pellawinsbry\\ZEL\\SETUP"));
    EXPECT_FALSE(user.KeyExists("\\SOFTWARE\\Pellawinsbry\\ZEL\\SETUP\\PROXY"));
}

TEST_F(RegistryTest, RegIniFileErrorsPassThrough)
{
    TRegIniFile ini("Software\\Test");
    ini.WriteInteger("PROXY", "PORT", 1);
    ASSERT_TRUE(ini.OpenKey("PROXY", false));
    ini.WriteInteger("PORT", 8080);
    ini.CloseKey();
    ASSERT_TRUE(ini.OpenKey("Software\\Test", false));
    EXPECT_EQ(RegistryError([&] { ini.ReadString("PROXY", "PORT", ""); }), "Invalid data type for 'PORT'");

    ini.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_EQ(RegistryError([&] { ini.WriteString("PROXY", "PORT", "1"); }), "Failed to create key PROXY");
    EXPECT_EQ(RegistryError([&] { ini.WriteString("", "PORT", "1"); }), "Failed to set data for 'PORT'");
    EXPECT_EQ(ini.ReadString("PROXY", "PORT", "default"), "default");
}

}  // namespace
