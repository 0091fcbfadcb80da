#include "LangFixture.h"

#include "platform/classes/Resources.h"
#include "tests/support/ScratchFolder.h"
#include "translation/TranslationForm.h"

#include <cstdlib>

namespace {

using namespace translation_test;

class TranslationFormTable : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        setenv("RIVUVE_RESOURCES", (std::string(RIVUVE_FIXTURES) + "/../../resources").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("RIVUVE_RESOURCES");
        TranslationTest::TearDown();
    }
};

TEST_F(TranslationFormTable, AnswersCodeWithoutAWindow)
{
    translation::TTranslationForm form(nullptr);
    ASSERT_EQ(translation::TranslationForm(), &form);
    struct Case {
        const char* identifier;
        const char* text;
    };
    const Case cases[] = {
        {"IDS_61", "Estimation Saved!"},
        {"IDS_12", "Parameter "},
        {"IDS_21", "Error in line : "},
        {"IDS_27", "Currency Mode Information is Missing! Unable to load this file."},
        {"IDS_28", "\x80"},
        {"IDS_31", "\xA3"},
        {"IDS_33", "/100"},
        {"IDS_51", "NO MESSAGES / BAD RECIPIENT"},
        {"IDS_71", "UNKNOWN"},
        {"IDS_76", "Error detected while sending mail ["},
        {"IDS_0", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translation::TranslationFormText(c.identifier), c.text) << c.identifier;
    const translation::TtrLingua& lang = *form.trLingua1();
    EXPECT_EQ(lang.Language(), "English");
    EXPECT_EQ(lang.LangDelim(), 1);
    EXPECT_EQ(lang.ExcludedProperties()->Count(), 20);
}

TEST_F(TranslationFormTable, NoWindowNoText)
{
    EXPECT_THROW(translation::TranslationFormText("IDS_61"), rtl::EInvalidOperation);
    {
        translation::TTranslationForm form(nullptr);
    }
    EXPECT_EQ(translation::TranslationForm(), nullptr);
    EXPECT_THROW(translation::TranslationFormText("IDS_61"), rtl::EInvalidOperation);
}

// Any window's table is read the same way: the window's stored data by its class name, then its
// translation component, stepping over the window's other components whatever their classes; a window
// without one, or without stored data, is refused with a message.
TEST_F(TranslationTest, ReadStoredWindowFindsTheTableOrSaysWhy)
{
    testsupport::ScratchFolder folder;
    std::filesystem::create_directories(folder.Path("forms"));
    folder.WriteFile("forms/TWithTable.form", "object WithTable: TWithTable\n  object trLingua1: TtrLingua\n"
                                              "    LangDelim = 1\n  end\nend\n");
    folder.WriteFile("forms/TWithTable.strings", "IDS_3 = \"Three\"\n");
    folder.WriteFile("forms/TPlain.form", "object Plain: TPlain\nend\n");
    // A window of controls this library does not know, its table among them: only the table is read.
    folder.WriteFile("forms/TWithControls.form",
                     "object WithControls: TWithControls\n  Caption = 'Window'\n  Font.Height = -13\n"
                     "  object Panel1: TSomePanel\n    Width = 3\n    Items.Strings = (\n      'a')\n"
                     "    object Edit1: TSomeEdit\n      Text = 'trLingua1'\n    end\n  end\n"
                     "  object trLingua1: TtrLingua\n    LangDelim = 1\n  end\n"
                     "  object Button1: TSomeButton\n    OnClick = Button1Click\n  end\nend\n");
    folder.WriteFile("forms/TWithControls.strings", "IDS_3 = \"Three\"\n");
    folder.WriteFile("forms/TNested.form", "object Nested: TNested\n  object Panel1: TSomePanel\n"
                                               "    object trLingua1: TtrLingua\n    end\n  end\nend\n");
    folder.WriteFile("forms/TNested.strings", "IDS_3 = \"Three\"\n");
    setenv("RIVUVE_RESOURCES", folder.Folder().c_str(), 1);
    struct Case {
        const char* window;
        const char* error;
    };
    const Case cases[] = {
        {"TWithTable", nullptr},
        {"twithtable", nullptr},
        {"TWithControls", nullptr},
        {"TPlain", "The stored data of TPlain has no translation component trLingua1"},
        {"TNested", nullptr},
        {"TNone", "Resource TNONE not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        classes::TComponent window(nullptr);
        try {
            const translation::TtrLingua& lingua = translation::ReadStoredWindow(window, c.window);
            EXPECT_EQ(c.error, nullptr);
            EXPECT_EQ(lingua.Owner(), &window);
            EXPECT_EQ(lingua.LookupStringOrDefault("IDS_3"), "Three");
        } catch (const rtl::Exception& e) {
            EXPECT_STREQ(e.what(), c.error ? c.error : "");
        }
    }
    unsetenv("RIVUVE_RESOURCES");
}

}  // namespace
