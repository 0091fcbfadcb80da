#include "LangFixture.h"

#include "platform/classes/Resources.h"
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

}  // namespace
