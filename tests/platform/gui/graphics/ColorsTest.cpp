#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"

#include "tests/platform/gui/graphics/GuiFixture.h"

namespace {

class ColorsTest : public guitest::GuiTest {};

// The colour table, in the order the script bindings register it, with the values given for it.
TEST_F(ColorsTest, TheTableHoldsTheFiftyTwoNamesInOrder)
{
    int count = 0;
    const gui::TIdentMapEntry* table = gui::ColorTable(count);
    ASSERT_EQ(count, 52);
    const char* const names[] = {
        "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver", "clRed",
        "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen", "clSkyBlue", "clCream",
        "clMedGray", "clActiveBorder", "clActiveCaption", "clAppWorkSpace", "clBackground", "clBtnFace",
        "clBtnHighlight", "clBtnShadow", "clBtnText", "clCaptionText", "clDefault", "clGradientActiveCaption",
        "clGradientInactiveCaption", "clGrayText", "clHighlight", "clHighlightText", "clHotLight",
        "clInactiveBorder", "clInactiveCaption", "clInactiveCaptionText", "clInfoBk", "clInfoText", "clMenu",
        "clMenuBar", "clMenuHighlight", "clMenuText", "clNone", "clScrollBar", "cl3DDkShadow", "cl3DLight",
        "clWindow", "clWindowFrame", "clWindowText"};
    for (int i = 0; i < count; ++i) {
        EXPECT_STREQ(table[i].name, names[i]) << i;
    }
    struct Value {
        const char* name;
        std::uint32_t value;
    };
    for (const Value v : {Value{"clBlack", 0x000000}, Value{"clMaroon", 0x000080}, Value{"clRed", 0x0000FF},
                          Value{"clBlue", 0xFF0000}, Value{"clWhite", 0xFFFFFF}, Value{"clMoneyGreen", 0xC0DCC0},
                          Value{"clSkyBlue", 0xF0CAA6}, Value{"clCream", 0xF0FBFF}, Value{"clMedGray", 0xA4A0A0},
                          Value{"clScrollBar", 0xFF000000}, Value{"clBackground", 0xFF000001},
                          Value{"clBtnFace", 0xFF00000F}, Value{"clWindow", 0xFF000005},
                          Value{"clWindowText", 0xFF000008}, Value{"clMenuBar", 0xFF00001E},
                          Value{"clNone", 0x1FFFFFFF}, Value{"clDefault", 0x20000000}}) {
        gui::TColor color = 0;
        ASSERT_TRUE(gui::IdentToColor(v.name, color)) << v.name;
        EXPECT_EQ(static_cast<std::uint32_t>(color), v.value) << v.name;
    }
}

TEST_F(ColorsTest, SystemColoursResolveThroughTheSchemeAndOthersStayAsTheyAre)
{
    EXPECT_EQ(gui::ColorToRGB(gui::clBtnFace), win::GetSysColor(win::COLOR_BTNFACE));
    EXPECT_EQ(gui::ColorToRGB(gui::clInfoBk), win::GetSysColor(win::COLOR_INFOBK));
    const int index = win::COLOR_HIGHLIGHT;
    const win::COLORREF changed = win::RGB(1, 2, 3);
    win::SetSysColors(1, &index, &changed);
    EXPECT_EQ(gui::ColorToRGB(gui::clHighlight), changed);
    EXPECT_EQ(gui::ColorToRGB(gui::clRed), win::RGB(255, 0, 0));
    EXPECT_EQ(gui::ColorToRGB(gui::clNone), 0x1FFFFFFFu);
}

TEST_F(ColorsTest, NamesAndNumbersConvertBothWays)
{
    EXPECT_EQ(gui::ColorToString(gui::clBtnFace), "clBtnFace");
    EXPECT_EQ(gui::ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(gui::StringToColor("CLWINDOW"), gui::clWindow);
    EXPECT_EQ(gui::StringToColor("$00123456"), 0x00123456);
    EXPECT_EQ(gui::StringToColor("$FF000010"), gui::clBtnShadow);
    EXPECT_THROW(gui::StringToColor("clNoSuchColour"), rtl::EConvertError);
}

// A font's colour and character set go by name in stored data, and an unknown name is refused.
TEST_F(ColorsTest, StoredDataNamesColoursAndCharacterSets)
{
    class THolder : public classes::TComponent {
    public:
        using TComponent::TComponent;
        static const classes::TClassInfo& StaticClass()
        {
            static const classes::TClassInfo info("TColourHolder", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
                classes::ClassBuilder<THolder>(c)
                    .Property("Font", &THolder::Font, &THolder::SetFont)
                    .Property("Shade", gui::ColorType(), &THolder::shade);
            });
            return info;
        }
        const classes::TClassInfo& ClassType() const override { return StaticClass(); }
        gui::TFont* Font() const { return font.get(); }
        void SetFont(gui::TFont* value) { font->Assign(value); }
        std::unique_ptr<gui::TFont> font = std::make_unique<gui::TFont>();
        gui::TColor shade = 0x00102030;
    };
    classes::RegisterClass(THolder::StaticClass());
    THolder holder(nullptr);
    holder.SetName("Holder");
    holder.font->SetColor(gui::clHighlight);
    holder.font->SetCharset(win::RUSSIAN_CHARSET);
    rtl::TMemoryStream binary;
    classes::TWriter(binary).WriteRootComponent(&holder);
    const std::string text = classes::ObjectBinaryToText(std::string_view(binary.Memory(), std::size_t(binary.Size())));
    EXPECT_NE(text.find("Font.Charset = RUSSIAN_CHARSET"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Color = clHighlight"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Height = -11"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Name = 'MS Sans Serif'"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Style = []"), std::string::npos) << text;
    EXPECT_NE(text.find("Shade = 1056816"), std::string::npos) << text;
    EXPECT_EQ(text.find("Font.Size"), std::string::npos) << text;

    const std::string bytes = classes::ObjectTextToBinary(text);
    rtl::TMemoryStream in;
    in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    in.SetPosition(0);
    THolder read(nullptr);
    classes::TReader(in).ReadRootComponent(&read);
    EXPECT_EQ(read.font->Color(), gui::clHighlight);
    EXPECT_EQ(read.font->Charset(), win::RUSSIAN_CHARSET);
    EXPECT_EQ(read.shade, 0x00102030);

    std::string damaged = text;
    damaged.replace(damaged.find("clHighlight"), 11, "clHilite");
    const std::string damagedBytes = classes::ObjectTextToBinary(damaged);
    rtl::TMemoryStream damagedIn;
    damagedIn.WriteBuffer(damagedBytes.data(), std::int64_t(damagedBytes.size()));
    damagedIn.SetPosition(0);
    THolder refused(nullptr);
    EXPECT_THROW(classes::TReader(damagedIn).ReadRootComponent(&refused), rtl::EReadError);
    classes::UnRegisterClass(THolder::StaticClass());
}

}  // namespace
