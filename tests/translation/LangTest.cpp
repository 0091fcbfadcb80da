#include "LangFixture.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/FormatSettings.h"
#include "translation/ScreenCursor.h"

#include <functional>
#include <vector>

namespace {

using namespace translation_test;
using translation::ELanguageError;
using translation::TStringsType;
using translation::TtrLingua;

using LangComponent = TranslationTest;

TEST_F(LangComponent, OnlyOneComponentPerOwner)
{
    TSampleModule module(nullptr);
    auto* first = new TtrLingua(&module);
    first->SetStrings(rtl::TStringList());
    first->Strings()->Add(L("IDS_0|Inverter|"));
    first->RebuildStringLookup();
    try {
        new TtrLingua(&module);
        FAIL() << "a second component was accepted";
    } catch (const rtl::Exception& e) {
        EXPECT_STREQ(e.what(), "Only one TtrCustomLang component per Form/DataModule allowed!");
    }
    ASSERT_EQ(module.ComponentCount(), 1);
    EXPECT_EQ(module.Components(0), first);
    EXPECT_EQ(first->LookupStringOrDefault("IDS_0"), "Inverter");
    // Components of other owners are not affected.
    TSampleModule other(nullptr);
    EXPECT_NO_THROW(new TtrLingua(&other));
}

TEST_F(LangComponent, CreationDefaults)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    EXPECT_EQ(lang.NumOfLanguages(), 1);
    EXPECT_EQ(lang.ActiveLanguage(), 1);
    EXPECT_EQ(lang.DefaultLanguage(), 1);
    EXPECT_EQ(lang.Language(), "Language N1");
    EXPECT_EQ(Lines(*lang.LangNames()), "Language N1\n");
    EXPECT_EQ(lang.LangDelim(), 1);
    EXPECT_EQ(lang.ApplySelector(), -1);
    EXPECT_EQ(lang.ResourceLanguageIndex(), 1);
    EXPECT_EQ(lang.ChangingCursor(), -1);
    EXPECT_EQ(lang.Options(), 0);
    EXPECT_EQ(lang.TranslateType(), translation::TTranslateType::ttNoChange);
    EXPECT_EQ(lang.Version(), "6.2");
    EXPECT_TRUE(lang.OwnerHasNoFont());
    EXPECT_EQ(Lines(*lang.StringsTypes()), "TIB_STRINGLIST\nTSTRINGLIST\n");
    ASSERT_EQ(lang.ExcludedProperties()->Count(), 20);
    EXPECT_EQ(lang.ExcludedProperties()->Strings(4), "HelpKeyword");
    EXPECT_EQ(lang.ExcludedProperties()->Strings(19), "MasterFields");
    // The 15 basic dialog lines carry the platform's current texts under the table's identifiers.
    ASSERT_EQ(lang.DlgsCaptions()->Count(), 15);
    EXPECT_EQ(lang.DlgsCaptions()->Strings(0), L("Warning|Warning|"));
    EXPECT_EQ(lang.DlgsCaptions()->Strings(12), L("No To All|N&o to All|"));
    EXPECT_EQ(lang.DlgsCaptions()->Strings(13), L("Yes To All|Yes to &All|"));
    EXPECT_EQ(lang.DlgsCaptions()->Strings(14), L("Help|&Help|"));
    for (TStringsType type : {TStringsType::stCaptions, TStringsType::stStrings, TStringsType::stLocales})
        EXPECT_EQ(lang.GetListByType(type)->Count(), 0);
    EXPECT_EQ(lang.GetListByType(TStringsType::stListView_TreeView_Items), nullptr);
    // A bare TtrCustomLang publishes no lists.
    TSampleModule bare(nullptr);
    translation::TtrCustomLang custom(&bare);
    EXPECT_EQ(custom.GetListByType(TStringsType::stStrings), nullptr);
    EXPECT_EQ(custom.LookupStringOrDefault("IDS_0"), "");
}

TEST_F(LangComponent, SetterErrors)
{
    struct Case {
        const char* name;
        std::function<void(TtrLingua&)> set;
        const char* message;
    };
    const Case cases[] = {
        {"ActiveLanguage 0", [](TtrLingua& l) { l.SetActiveLanguage(0); },
         "0 - is not a valid property value!\rValue must be within [1..1]!"},
        {"ActiveLanguage 3", [](TtrLingua& l) { l.SetActiveLanguage(3); },
         "3 - is not a valid property value!\rValue must be within [1..1]!"},
        {"NumOfLanguages 0", [](TtrLingua& l) { l.SetNumOfLanguages(0); },
         "0 - is not a valid property value !\rValue must be more than ZERO !"},
        {"NumOfLanguages -2", [](TtrLingua& l) { l.SetNumOfLanguages(-2); },
         "-2 - is not a valid property value !\rValue must be more than ZERO !"},
        {"Language", [](TtrLingua& l) { l.SetLanguage("Deutsch"); },
         "Language name shall be included in LangNames property!"},
        {"ResourceLanguageIndex", [](TtrLingua& l) { l.SetResourceLanguageIndex(2); },
         "2 - is not a valid property value!\rValue must be within [1..1]!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSampleModule module(nullptr);
        TtrLingua lang(&module);
        try {
            c.set(lang);
            ADD_FAILURE() << "accepted";
        } catch (const ELanguageError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(lang.ActiveLanguage(), 1);
        EXPECT_EQ(lang.NumOfLanguages(), 1);
        EXPECT_EQ(lang.Language(), "Language N1");
        EXPECT_EQ(lang.ResourceLanguageIndex(), 1);
    }
}

TEST_F(LangComponent, ValuesThatAreIgnored)
{
    TSampleModule module(nullptr);
    TCountingLingua lang(&module);
    lang.SetNumOfLanguages(2);
    lang.SetDefaultLanguage(2);
    lang.SetDefaultLanguage(0);
    lang.SetDefaultLanguage(3);
    EXPECT_EQ(lang.DefaultLanguage(), 2);
    classes::SetPropValue(lang, "Version", rtl::Variant(std::string("7.0")));
    EXPECT_EQ(lang.Version(), "6.2");
    lang.SetActiveLanguage(1);
    EXPECT_EQ(lang.applies, 0) << "the current language again applies nothing";
    lang.SetActiveLanguage(2);
    EXPECT_EQ(lang.applies, 1);
    EXPECT_EQ(lang.Language(), "Language N2");
}

TEST_F(LangComponent, AssignedListNarrowsTheApplyUntilTheLanguageChanges)
{
    TSampleModule module(nullptr);
    TCountingLingua lang(&module);
    rtl::TStringList hints;
    hints.Add(L("Button1|Press|"));
    lang.SetHints(hints);
    EXPECT_EQ(lang.applies, 1);
    EXPECT_EQ(lang.ApplySelector(), int(TStringsType::stHints));
    EXPECT_EQ(Lines(*lang.Hints()), "Button1|Press|\n");
    lang.SetDlgsCaptions(hints);
    EXPECT_EQ(lang.applies, 1) << "dialog captions are copied only";
    EXPECT_EQ(lang.ApplySelector(), int(TStringsType::stHints));
    lang.SetNumOfLanguages(2);
    lang.SetActiveLanguage(2);
    EXPECT_EQ(lang.ApplySelector(), -1);
}

TEST_F(LangComponent, NeedAllDlgsGivesAllDialogLinesAndBack)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    lang.SetNeedAllDlgs(true);
    rtl::TStringList& dialogs = *lang.DlgsCaptions();
    ASSERT_EQ(dialogs.Count(), 83);
    EXPECT_EQ(dialogs.Strings(13), L("Yes To All|Yes to &All|"));
    EXPECT_EQ(dialogs.Strings(15), L("Open|&Open|"));
    EXPECT_EQ(dialogs.Strings(28), "|Solid\x01|S&olid\x01");
    EXPECT_EQ(dialogs.Strings(82), L("Close|Close|"));
    lang.SetNeedAllDlgs(false);
    ASSERT_EQ(dialogs.Count(), 15);
    EXPECT_EQ(dialogs.Strings(14), L("Help|&Help|"));
}

TEST_F(LangComponent, NumberOfLanguagesCutsAndPadsLines)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    lang.Strings()->Add(L("IDS_0|Inverter|"));
    lang.Captions()->Add(L("Label1|One|Eins|Un|"));
    lang.SetNumOfLanguages(2);
    EXPECT_EQ(Lines(*lang.LangNames()), "Language N1\nLanguage N2\n");
    EXPECT_EQ(Lines(*lang.Strings()), "IDS_0|Inverter||\n");
    EXPECT_EQ(lang.StringsLookup().Count(), 1);
    lang.SetNumOfLanguages(1);
    EXPECT_EQ(Lines(*lang.Strings()), "IDS_0|Inverter|\n");
    EXPECT_EQ(Lines(*lang.Captions()), "Label1|One|\n");
    EXPECT_EQ(Lines(*lang.LangNames()), "Language N1\n");
}

TEST_F(LangComponent, LangNamesSetLanguageAndCount)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    rtl::TStringList names;
    names.Add("English");
    names.Add("Deutsch");
    lang.SetLangNames(names);
    EXPECT_EQ(lang.NumOfLanguages(), 2);
    EXPECT_EQ(lang.Language(), "English");
    lang.SetLanguage("Deutsch");
    EXPECT_EQ(lang.ActiveLanguage(), 2);
}

TEST_F(LangComponent, ChangeLocalesFillsTheLocaleLines)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    lang.SetChangeLocales(true);
    const rtl::FormatSettings& settings = rtl::DefaultFormatSettings();
    ASSERT_EQ(lang.Locales()->Count(), 15);
    EXPECT_EQ(lang.Locales()->Strings(0), L("Currency String|" + settings.CurrencyString + "|"));
    EXPECT_EQ(lang.Locales()->Strings(2), L("Decimal Separator|" + std::string(1, settings.DecimalSeparator) + "|"));
    std::string months = settings.ShortMonthNames[0];
    for (int i = 1; i < 12; ++i)
        months += "," + settings.ShortMonthNames[std::size_t(i)];
    EXPECT_EQ(lang.Locales()->Strings(11), L("Short Month Names|" + months + "|"));
    EXPECT_EQ(lang.Locales()->Strings(14).substr(0, 15), "Long Day Names\x01");
    lang.SetChangeLocales(false);
    lang.SetChangeLocales(true);
    EXPECT_EQ(lang.Locales()->Count(), 15) << "filled only while empty";
}

TEST_F(LangComponent, ChangingTheDelimiterRewritesEveryLine)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    lang.Strings()->Add(L("IDS_0|Inverter|"));
    lang.SetLangDelim(9);
    EXPECT_EQ(lang.Strings()->Strings(0), "IDS_0\tInverter\t");
    EXPECT_EQ(lang.DlgsCaptions()->Strings(0), "Warning\tWarning\t");
    lang.SetLangDelim(9);
    EXPECT_EQ(lang.Strings()->Strings(0), "IDS_0\tInverter\t");
}

TEST_F(LangComponent, RemovedComponentsLeaveDoNotTranslateAndTheirLinesAtDesignTime)
{
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "design time" : "run time");
        TSampleModule module(nullptr);
        auto* lang = new TtrLingua(&module);
        auto* label = new TSampleModule(&module);
        label->SetName("Label1");
        lang->DoNotTranslate()->Add("Label1");
        lang->Captions()->Add(L("Label1|One|"));
        lang->Captions()->Add(L("Label10|Ten|"));
        lang->MultiLines()->Add(L("Label1.Items|a,b|"));
        lang->SmartExcludeProps()->Add("Label1.Hint");
        if (designing)
            lang->SetDesigning(true);
        delete label;
        EXPECT_EQ(lang->DoNotTranslate()->Count(), 0);
        EXPECT_EQ(Lines(*lang->Captions()), designing ? "Label10|Ten|\n" : "Label1|One|\nLabel10|Ten|\n");
        EXPECT_EQ(lang->MultiLines()->Count(), designing ? 0 : 1);
        EXPECT_EQ(lang->SmartExcludeProps()->Count(), designing ? 0 : 1);
    }
}

TEST_F(LangComponent, ExcludedPropertiesPruneTheLists)
{
    TSampleModule module(nullptr);
    TtrLingua lang(&module);
    lang.Captions()->Add(L("Label1|One|"));
    lang.MultiLines()->Add(L("Memo1.Name|x|"));
    lang.MultiLines()->Add(L("Memo1.Lines|a,b|"));
    lang.OtherStrings()->Add(L("Dialog1.FileName|x.txt|"));
    lang.Collections()->Add(L("Bar1.ItemLinks[0].UserCaption|File|"));
    lang.Collections()->Add(L("Bar1.ItemLinks[1].Category|x|"));
    rtl::TStringList excluded;
    excluded.Add("Caption");
    excluded.Add("FileName");
    excluded.Add("Category");
    lang.SetExcludedProperties(excluded);
    EXPECT_EQ(lang.Captions()->Count(), 0);
    EXPECT_EQ(Lines(*lang.MultiLines()), "Memo1.Lines|a,b|\n");
    EXPECT_EQ(lang.OtherStrings()->Count(), 0);
    EXPECT_EQ(Lines(*lang.Collections()), "Bar1.ItemLinks[0].UserCaption|File|\n");
}

// --- loaded from stored data ---

TEST_F(LangComponent, OwnerFindsItsTextsRightAfterLoading)
{
    auto module = LoadModule("    LangDelim = 1\n    LangNames.Strings = (\n      'English')\n    Language = 'English'\n",
                             Block({"stCaptions", L("Label1|One|"), L("TSampleModule|Sample|"), "stStrings",
                                    L("IDS_10|Ten|"), L("IDS_1|One|"), "stDlgsCaptions"}));
    TtrLingua* lang = module->Lingua();
    ASSERT_NE(lang, nullptr);
    EXPECT_EQ(lang->LookupStringOrDefault("IDS_1"), "One");
    EXPECT_EQ(lang->LookupStringOrDefault("ids_10"), "Ten");
    EXPECT_EQ(lang->Language(), "English");
    EXPECT_EQ(Lines(*lang->Captions()), "TSampleModule|Sample|\nLabel1|One|\n") << "the owner's line comes first";
    EXPECT_EQ(lang->DlgsCaptions()->Count(), 0);
}

TEST_F(LangComponent, TabDelimitedLinesTakeTheDelimiterInLoaded)
{
    struct Case {
        const char* name;
        const char* properties;
    };
    const Case cases[] = {{"LangDelim absent", ""}, {"LangDelim TAB", "    LangDelim = 9\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto module = LoadModule(c.properties, Block({"stStrings", "IDS_0\tInverter\t", "stHints", "B1\tPress\t"}));
        TtrLingua* lang = module->Lingua();
        EXPECT_EQ(lang->LangDelim(), 1);
        EXPECT_EQ(Lines(*lang->Strings()), "IDS_0|Inverter|\n");
        EXPECT_EQ(Lines(*lang->Hints()), "B1|Press|\n");
        EXPECT_EQ(lang->LookupStringOrDefault("IDS_0"), "Inverter");
    }
}

TEST_F(LangComponent, LoadedCompletesOldLocaleTables)
{
    for (int stored : {11, 15}) {
        SCOPED_TRACE(stored);
        std::string block = "stLocales\r\n";
        for (int i = 0; i < stored; ++i)
            block += std::string(translation::LocaleItemName(i)) + "\x01" + "v" + std::to_string(i) + "\x01\r\n";
        auto module = LoadModule("    LangDelim = 1\n", block);
        rtl::TStringList& locales = *module->Lingua()->Locales();
        ASSERT_EQ(locales.Count(), 15);
        EXPECT_EQ(locales.Strings(10), L("Long Time Format|v10|"));
        std::string expected = stored == 11 ? module->Lingua()->LocaleSnapshot()[11] : "v11";
        EXPECT_EQ(locales.Strings(11), L("Short Month Names|" + expected + "|"));
    }
}

TEST_F(LangComponent, LoadedPrunesExcludedProperties)
{
    auto module = LoadModule("    ExcludedProperties.Strings = (\n      'Caption')\n",
                             Block({"stCaptions", L("Label1|One|"), "stMultiLines", L("Memo1.Name|x|"),
                                    L("Memo1.Lines|a|")}));
    EXPECT_EQ(module->Lingua()->Captions()->Count(), 0);
    EXPECT_EQ(Lines(*module->Lingua()->MultiLines()), "Memo1.Lines|a|\n");
}

TEST_F(LangComponent, InheritedWindowMergesItsLines)
{
    // The ancestor's data was read first; the derived window's lines override non-empty texts.
    auto* module = new TSampleModule(nullptr);
    module->SetName("SampleModule");
    auto* lang = new TtrLingua(module);
    lang->SetName("trLingua1");
    lang->SetNumOfLanguages(2);
    lang->SetIsInheritedOwner(true);
    lang->Captions()->Add(L("Label1|Alt|Old2|"));
    lang->Captions()->Add(L("Label2|Two|Zwei|"));
    std::unique_ptr<TSampleModule> owned(module);
    ReadModuleText("object SampleModule: TSampleModule\n  inherited trLingua1: TtrLingua\n  end\nend\n",
                   Block({"stCaptions", L("Label1|Neu||"), L("TSampleModule|Sample||")}), *module);
    EXPECT_EQ(Lines(*lang->Captions()), "TSampleModule|Sample||\nLabel1|Neu|Old2|\nLabel2|Two|Zwei|\n");
}

TEST_F(LangComponent, RenamedComponentsTakeTheirEntriesAlong)
{
    TSampleModule module(nullptr);
    module.SetName("SampleModule");
    auto* lang = new TtrLingua(&module);
    lang->SetDesigning(true);
    for (const char* line : {"Label1|One|", "Label10|Ten|", "TSampleModule|Sample|", "Label1Caption|x|"})
        lang->Captions()->Add(L(line));
    lang->MultiLines()->Add(L("Label1.Items|Label1,b|"));
    lang->Collections()->Add(L("Label1.Items[0].Caption|x|"));
    lang->DoNotTranslate()->Add("Label1");
    lang->SmartExcludeProps()->Add("Label1.Hint");
    for (const char* identifier : {"Label1.Caption", "Label10.Caption", "TSampleModule.Caption"})
        lang->ExtendedTranslations()->Add().SetIdentifier(identifier);
    auto identifiers = [lang] {
        std::string text;
        for (int i = 0; i < lang->ExtendedTranslations()->Count(); ++i)
            text += lang->ExtendedTranslations()->Items(i)->Identifier() + "\n";
        return text;
    };

    lang->RenameComponentEntries("Label1", "Caption1");
    EXPECT_EQ(Lines(*lang->Captions()), "Caption1|One|\nLabel10|Ten|\nTSampleModule|Sample|\nLabel1Caption|x|\n");
    EXPECT_EQ(Lines(*lang->MultiLines()), "Caption1.Items|Label1,b|\n") << "the first occurrence only";
    EXPECT_EQ(Lines(*lang->Collections()), "Caption1.Items[0].Caption|x|\n");
    EXPECT_EQ(Lines(*lang->DoNotTranslate()), "Caption1\n");
    EXPECT_EQ(Lines(*lang->SmartExcludeProps()), "Caption1.Hint\n");
    EXPECT_EQ(identifiers(), "Caption1.Caption\nLabel10.Caption\nTSampleModule.Caption\n");

    // The window's lines carry its class name.
    lang->RenameComponentEntries("SampleModule", "Main");
    EXPECT_EQ(lang->Captions()->Strings(2), L("TMain|Sample|"));
    EXPECT_EQ(identifiers(), "Caption1.Caption\nLabel10.Caption\nTMain.Caption\n");

    lang->RenameComponentEntries("Label10", "");
    EXPECT_EQ(lang->Captions()->Strings(1), L("Label10|Ten|"));
}

// The screen cursor as a test sees it: every cursor shown, in order.
class TRecordingCursor final : public translation::TScreenCursor {
public:
    std::int16_t Cursor() const override { return cursor; }
    void SetCursor(std::int16_t value) override
    {
        cursor = value;
        shown.push_back(value);
    }
    std::int16_t cursor = translation::crDefault;
    std::vector<std::int16_t> shown;
};

// A component whose apply pass notes the cursor the screen shows, and fails when asked to.
class TCursorLingua final : public TtrLingua {
public:
    using TtrLingua::TtrLingua;
    std::vector<std::int16_t> seen;
    bool fail = false;

protected:
    void ApplyLanguage() override
    {
        seen.push_back(translation::ScreenCursor()->Cursor());
        if (fail)
            throw ELanguageError("the apply failed");
    }
};

TEST_F(LangComponent, ChangingTheLanguageShowsTheChangingCursor)
{
    constexpr std::int16_t crHourGlass = -11;
    struct Case {
        const char* name;
        std::int16_t changingCursor;
        std::int16_t screenBefore;
        bool designing;
        bool fail;
        std::int16_t seen;
        std::vector<std::int16_t> shown;
    };
    const Case cases[] = {
        {"shown and restored", crHourGlass, translation::crDefault, false, false, crHourGlass, {crHourGlass, 0}},
        {"restored after a failure", crHourGlass, translation::crDefault, false, true, crHourGlass, {crHourGlass, 0}},
        {"no changing cursor", -1, translation::crDefault, false, false, translation::crDefault, {}},
        {"the screen shows another cursor", crHourGlass, -12, false, false, -12, {}},
        {"design time", crHourGlass, translation::crDefault, true, false, translation::crDefault, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingCursor screen;
        screen.cursor = c.screenBefore;
        translation::SetScreenCursor(&screen);
        TSampleModule module(nullptr);
        auto* lang = new TCursorLingua(&module);
        lang->SetNumOfLanguages(2);
        lang->SetChangingCursor(c.changingCursor);
        lang->fail = c.fail;
        if (c.designing)
            lang->SetDesigning(true);
        if (c.fail)
            EXPECT_THROW(lang->SetActiveLanguage(2), ELanguageError);
        else
            lang->SetActiveLanguage(2);
        EXPECT_EQ(lang->seen, std::vector<std::int16_t>{c.seen});
        EXPECT_EQ(screen.shown, c.shown);
        EXPECT_EQ(screen.cursor, c.screenBefore);
        translation::SetScreenCursor(nullptr);
    }
    // Without a screen cursor bound, the language changes all the same.
    TSampleModule module(nullptr);
    TCountingLingua lang(&module);
    lang.SetNumOfLanguages(2);
    lang.SetChangingCursor(crHourGlass);
    lang.SetActiveLanguage(2);
    EXPECT_EQ(lang.applies, 1);
}

// A dispatcher of two languages, language 2 the default, that notes what a component has when it links.
class TTwoLanguageDispatcher final : public translation::TLanguageDispatcher {
public:
    using translation::TLanguageDispatcher::TLanguageDispatcher;
    static const classes::TClassInfo& StaticClass()
    {
        // Made by name when a window is read.
        static const classes::TClassInfo info("TTwoLanguageDispatcher", &TLanguageDispatcher::StaticClass(),
                                              [](classes::TClassInfo& c) {
                                                  const classes::ClassBuilder<TTwoLanguageDispatcher> builder(c);
                                              });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    std::vector<translation::TtrCustomLang*> LinkedLanguages() const override { return linked; }
    void Link(translation::TtrCustomLang& l) override
    {
        linked.push_back(&l);
        languagesAtLink.push_back(l.NumOfLanguages());
    }
    void Unlink(translation::TtrCustomLang& l) override { std::erase(linked, &l); }
    int NumOfLanguages() const override { return 2; }
    int DefaultLanguage() const override { return 2; }
    bool UseDefaultLanguage() const override { return true; }

    std::vector<translation::TtrCustomLang*> linked;
    std::vector<int> languagesAtLink;
};

TEST_F(LangComponent, ReadingTakesTheDispatchersLanguages)
{
    classes::RegisterClass(TTwoLanguageDispatcher::StaticClass());
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "design time" : "run time");
        const std::string text = "object SampleModule: TSampleModule\n"
                                 "  object Dispatcher1: TTwoLanguageDispatcher\n  end\n"
                                 "  object trLingua1: TtrLingua\n    LangDispatcher = Dispatcher1\n  end\n"
                                 "end\n";
        TSampleModule module(nullptr);
        module.SetDesigning(designing);
        ReadModuleText(text, Block({"stStrings", L("IDS_0|One|Zwei|"), L("IDS_1|Only|")}), module);

        TtrLingua& lang = *module.Lingua();
        auto& dispatcher = *dynamic_cast<TTwoLanguageDispatcher*>(module.FindComponent("Dispatcher1"));
        EXPECT_EQ(lang.LangDispatcher(), &dispatcher);
        EXPECT_EQ(lang.NumOfLanguages(), 2);
        EXPECT_EQ(lang.DefaultLanguage(), 2);
        EXPECT_TRUE(lang.UseDefaultLanguage());
        EXPECT_EQ(lang.LangNames()->Count(), 2);
        EXPECT_EQ(dispatcher.languagesAtLink, std::vector<int>{2}) << "linked once, at load completion";
        if (designing) {
            EXPECT_EQ(Lines(*lang.Strings()), "IDS_0|One|Zwei|\nIDS_1|Only||\n");
        } else {
            EXPECT_EQ(lang.StringsLookup().FindByIdentifier("IDS_0", 2), "Zwei");
            lang.SetActiveLanguage(2);
            EXPECT_EQ(lang.LookupString("IDS_0"), "Zwei");
        }
    }
    classes::UnRegisterClass(TTwoLanguageDispatcher::StaticClass());
}

}  // namespace
