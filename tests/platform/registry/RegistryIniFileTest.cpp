#include "platform/registry/RegistryIniFile.h"

#include "platform/rtl/StringList.h"
#include "platform/registry/RegistryStore.h"

#include "tests/support/Lines.h"
#include "tests/support/ScratchRegistry.h"

#include <gtest/gtest.h>


namespace {

using namespace win;

class RegistryIniFileTest : public ::testing::Test {
protected:
    testsupport::ScratchRegistry registry_;
};

using testsupport::LinesOf;

const std::string kBase = "\\SOFTWARE\\PELLAWINSBRY\\ZEL\\MENU\\";

// A bar layout as the bar manager stores it: absolute sections below the current user.
TEST_F(RegistryIniFileTest, LayoutSectionsAreKeysWithTypedValues)
{
    {
        TRegistryIniFile ini(kBase);
        rtl::TCustomIniFile& layout = ini;
        layout.WriteInteger(kBase, "Version", 35);
        layout.WriteBool(kBase, "LargeIcons", true);
        layout.WriteString(kBase + "Bar0", "Caption", "Main menu");
        layout.WriteInteger(kBase + "Bar0\\ItemLink0", "ItemIndex", -3);
    }

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Pellawinsbry\\ZEL\\Menu", false));
    EXPECT_EQ(registry.GetDataType("Version"), rdInteger);
    EXPECT_EQ(registry.ReadInteger("Version"), 35);
    EXPECT_EQ(registry.GetDataType("LargeIcons"), rdString);
    EXPECT_EQ(registry.ReadString("LargeIcons"), "1");
    ASSERT_TRUE(registry.OpenKey("Bar0\\ItemLink0", false));
    EXPECT_EQ(registry.ReadInteger("ItemIndex"), -3);

    TRegistryIniFile ini(kBase);
    EXPECT_EQ(ini.ReadInteger(kBase, "Version", 0), 35);
    EXPECT_TRUE(ini.ReadBool(kBase, "LargeIcons", false));
    EXPECT_EQ(ini.ReadString(kBase + "Bar0", "Caption", ""), "Main menu");
    EXPECT_EQ(ini.ReadInteger(kBase + "Bar0\\ItemLink0", "ItemIndex", 0), -3);
    EXPECT_EQ(ini.ReadInteger(kBase + "Bar1", "ItemIndex", 7), 7);
    EXPECT_FALSE(ini.SectionExists(kBase + "Bar1"));
    EXPECT_TRUE(ini.ValueExists(kBase + "Bar0", "caption"));
    // Reading created nothing.
    EXPECT_FALSE(registry.KeyExists("\\Software\\Pellawinsbry\\ZEL\\Menu\\Bar1"));

    try {
        ini.ReadString(kBase, "Version", "");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'Version'");
    }
}

TEST_F(RegistryIniFileTest, IntegersOverTextStayText)
{
    TRegistryIniFile ini(kBase);
    const struct {
        const char* stored;
        int expected;
    } texts[] = {{"12", 12}, {"$1F", 31}, {"abc", -1}, {"", -1}};
    for (const auto& t : texts) {
        ini.WriteString(kBase, "Count", t.stored);
        EXPECT_EQ(ini.ReadInteger(kBase, "Count", -1), t.expected) << t.stored;
    }
    ini.WriteInteger(kBase, "Count", 99);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kBase, false));
    EXPECT_EQ(registry.GetDataType("Count"), rdString);
    EXPECT_EQ(registry.ReadString("Count"), "99");
}

TEST_F(RegistryIniFileTest, SectionListsAndErasing)
{
    TRegistryIniFile ini("Software\\Layout");
    ini.WriteString("Bar0", "Caption", "Tools");
    ini.WriteInteger("Bar0", "Index", 2);
    ini.WriteBool("Bar0", "Visible", false);
    ini.WriteString("Bar1", "Caption", "x=y");
    ini.RegIniFile().OpenKey("Bar1", false);
    const char bytes[] = {'\x00', '\xab', '\x10'};
    ini.RegIniFile().WriteBinaryData("Data", bytes, 3);
    ini.RegIniFile().OpenKey("\\Software\\Layout", false);

    rtl::TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Bar0", "Bar1"}));
    ini.ReadSection("Bar0", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Caption", "Index", "Visible"}));
    ini.ReadSectionValues("Bar0", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Caption=Tools", "Index=2", "Visible=0"}));
    ini.ReadSectionValues("Bar1", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Caption=x=y", "Data=00AB10"}));
    ini.ReadSectionValues("Missing", list);
    EXPECT_EQ(list.Count(), 0);

    ini.DeleteKey("Bar0", "Index");
    EXPECT_EQ(ini.ReadInteger("Bar0", "Index", -1), -1);
    ini.EraseSection("Bar1");
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Bar0"}));
}

}  // namespace
