// Stored data of the tab control: the client rectangle written after the published properties, damaged
// values refused with the property named, unknown styles kept, and client rectangles of any size or order.

#include "tests/controls/pagecontrol/TabFixture.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/TextForm.h"
#include "platform/rtl/Streams.h"

#include <string>

namespace pctest {
namespace {

using namespace pagecontrol;

// A tab control that publishes what the stored data tests read.
class TStoredTabControl : public TclCustomTabControl {
public:
    using TclCustomTabControl::TclCustomTabControl;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info(
            "TStoredTabControl", &TclCustomTabControl::StaticClass(), [](classes::TClassInfo& c) {
                classes::ClassBuilder<TStoredTabControl>(c)
                    .Property("Options", PCOptionsType(), &TStoredTabControl::Options, &TStoredTabControl::SetOptions)
                    .Default(clPCDefaultOptions)
                    .Property("Style", &TStoredTabControl::Style, &TStoredTabControl::SetStyle)
                    .Default(0)
                    .Property("TabHeight", classes::TypeInfoOf<std::int16_t>(), &TStoredTabControl::TabHeight,
                              &TStoredTabControl::SetTabHeight)
                    .Default(0)
                    .Property("TabWidth", classes::TypeInfoOf<std::int16_t>(), &TStoredTabControl::TabWidth,
                              &TStoredTabControl::SetTabWidth)
                    .Default(0);
            });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

class StoredDataTest : public TabTest {
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        classes::RegisterClass(TStoredTabControl::StaticClass());
    }
    void TearDown() override
    {
        classes::UnRegisterClass(TStoredTabControl::StaticClass());
        TabTest::TearDown();
    }
    static void Read(TStoredTabControl& control, const std::string& properties)
    {
        const std::string bytes =
            classes::ObjectTextToBinary("object Tabs1: TStoredTabControl\n" + properties + "end\n");
        rtl::TMemoryStream in;
        in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        in.SetPosition(0);
        classes::TReader(in).ReadRootComponent(&control);
    }
    static std::string Write(TStoredTabControl& control)
    {
        rtl::TMemoryStream binary;
        classes::TWriter(binary).WriteRootComponent(&control);
        return classes::ObjectBinaryToText(std::string_view(binary.Memory(), std::size_t(binary.Size())));
    }
};

TEST_F(StoredDataTest, TheClientRectangleIsWrittenAfterThePublishedProperties)
{
    Fixed({{"A", 60}});
    TStoredTabControl control(nullptr);
    control.SetBounds(0, 0, 300, 200);
    control.Tabs()->Add("A");
    control.SetTabWidth(60);
    const std::string text = Write(control);
    const auto top = text.find("ClientRectTop = 20");
    const auto right = text.find("ClientRectRight = 300");
    const auto bottom = text.find("ClientRectBottom = 200");
    ASSERT_NE(top, std::string::npos) << text;
    ASSERT_NE(right, std::string::npos) << text;
    ASSERT_NE(bottom, std::string::npos) << text;
    EXPECT_LT(text.find("TabWidth = 60"), top);
    EXPECT_LT(top, right);
    EXPECT_LT(right, bottom);
    EXPECT_EQ(text.find("ClientRectLeft"), std::string::npos) << "0 is not written";
}

TEST_F(StoredDataTest, DamagedValuesAreRefusedNamingTheProperty)
{
    for (const char* line : {"  TabWidth = 40000\n", "  TabHeight = -32769\n", "  Options = [pcoGoDialog, pcoNoSuch]\n"}) {
        TStoredTabControl control(nullptr);
        try {
            Read(control, line);
            ADD_FAILURE() << "no error for " << line;
        } catch (const rtl::EReadError& error) {
            const std::string name = std::string(line).substr(2, std::string(line).find(' ', 2) - 2);
            EXPECT_NE(error.Message().find(name), std::string::npos) << error.Message();
        }
        EXPECT_EQ(control.TabWidth(), 0);
        EXPECT_EQ(control.TabHeight(), 0);
        EXPECT_EQ(control.Options(), clPCDefaultOptions);
    }
}

TEST_F(StoredDataTest, AnUnknownStyleKeepsTheStyleAndAnyClientRectangleLoads)
{
    Fixed({{"A", 60}});
    TStoredTabControl control(nullptr);
    control.SetBounds(0, 0, 300, 200);
    Read(control,
         "  Style = 55\n  ClientRectLeft = 9999999999\n  ClientRectTop = 300\n  ClientRectRight = -20\n"
         "  ClientRectBottom = 40\n");
    EXPECT_EQ(control.Style(), 0);
    EXPECT_EQ(control.PainterClass(), &fixedStyle);
    control.Tabs()->Add("A");
    win::RECT client{0, 0, 300, 200};
    control.AdjustClientRect(client);
    EXPECT_EQ(client, control.Painter()->GetPageClientRect()) << "after loading the painter's rectangle applies";
    EXPECT_EQ(client, (win::RECT{0, 20, 300, 200}));
}

}  // namespace
}  // namespace pctest
