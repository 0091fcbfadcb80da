#include "LangFixture.h"

#include "platform/classes/ResourceStrings.h"
#include "platform/classes/Resources.h"
#include "translation/ResStringRedirect.h"

namespace {

using namespace translation_test;

constexpr classes::TResStringRec SCancel{"SCancel", "Cancel"};
constexpr classes::TResStringRec SUnknown{"SUnknown", "Unknown"};

using ResourceStrings = TranslationTest;

// A window whose component serves resource strings: texts keyed by language 1, active language 2.
std::unique_ptr<TSampleModule> ServingWindow(int activeLanguage = 2)
{
    auto module = std::make_unique<TSampleModule>(nullptr);
    auto* lang = new TCountingLingua(module.get());
    lang->SetName("trLingua1");
    lang->SetNumOfLanguages(2);
    lang->Strings()->Add(L("IDS_0|Cancel|Abbrechen|"));
    lang->Strings()->Add(L("IDS_1|Yes||"));
    lang->SetHandleResourceStrings(true);
    lang->SetActiveLanguage(activeLanguage);
    lang->Loaded();
    return module;
}

TEST_F(ResourceStrings, TranslatedByTheServingComponent)
{
    auto window = ServingWindow();
    ASSERT_EQ(translation::ActiveResourceComponent(), window->Lingua());
    EXPECT_EQ(classes::LoadResString(SCancel), "Abbrechen");
    EXPECT_EQ(classes::LoadResString(SUnknown), "Unknown") << "a text no line holds";
    EXPECT_EQ(classes::LoadResString({"SYes", "Yes"}), "Yes") << "an empty translation leaves the text";
}

TEST_F(ResourceStrings, UnchangedInTheKeyLanguage)
{
    auto window = ServingWindow(1);
    EXPECT_EQ(classes::LoadResString(SCancel), "Cancel");
}

TEST_F(ResourceStrings, StoredKeyLanguageZeroLeavesTextsAlone)
{
    auto window = LoadModule("    HandleResourceStrings = True\n    ResourceLanguageIndex = 0\n",
                             Block({"stStrings", L("IDS_0|Cancel|")}));
    ASSERT_EQ(translation::ActiveResourceComponent(), window->Lingua());
    EXPECT_EQ(classes::LoadResString(SCancel), "Cancel");
}

TEST_F(ResourceStrings, OneServingComponentUntilItGoes)
{
    auto first = ServingWindow();
    auto second = ServingWindow();
    EXPECT_EQ(translation::ActiveResourceComponent(), first->Lingua());
    first.reset();
    EXPECT_EQ(translation::ActiveResourceComponent(), nullptr);
    EXPECT_EQ(classes::LoadResString(SCancel), "Cancel");
    auto third = ServingWindow();
    EXPECT_EQ(translation::ActiveResourceComponent(), third->Lingua());
    EXPECT_EQ(classes::LoadResString(SCancel), "Abbrechen");
}

TEST_F(ResourceStrings, NumberedStringsKeepAtMost1023Characters)
{
    static const std::string longText(1500, 'x');
    static const std::string exact(1023, 'y');
    static const classes::TResourceEntry entries[] = {
        {classes::RT_STRING, nullptr, 64000, nullptr, longText.data(), longText.size()},
        {classes::RT_STRING, nullptr, 64001, nullptr, exact.data(), exact.size()}};
    classes::RegisterResources(entries, 2);
    auto window = ServingWindow();
    EXPECT_EQ(classes::LoadStr(64000), std::string(1023, 'x'));
    EXPECT_EQ(classes::LoadStr(64001), exact);
    classes::UnregisterResources(entries);
}

}  // namespace
