#include "LangFixture.h"

#include <algorithm>

namespace {

using namespace translation_test;
using translation::ELanguageError;
using translation::TtrCustomLang;
using translation::TtrLingua;

using Lookup = TranslationTest;

// A table holding "IDS_10" before "IDS_1", at run time (sorted look-up) and at design time (line search).
struct Table {
    TSampleModule module{nullptr};
    TtrLingua* lang = new TtrLingua(&module);

    Table(bool designing, std::initializer_list<std::string> lines, int languages = 1)
    {
        lang->SetNumOfLanguages(languages);
        for (const std::string& line : lines)
            lang->Strings()->Add(L(line));
        if (designing)
            lang->SetDesigning(true);
        else
            lang->RebuildStringLookup();
    }
};

TEST_F(Lookup, FindsByIdentifierInBothSearches)
{
    struct Case {
        const char* identifier;
        const char* expected;
    };
    const Case cases[] = {
        {"IDS_1", "One"},       {"IDS_10", "Ten"},  {"ids_1", "One"}, {"Ids_10", "Ten"},
        {"IDS_0", "Zero"},      {"IDS_2", ""},      {"IDS_", ""},     {"IDS_100", ""},
        {"IDS_5", ""},
    };
    for (bool designing : {false, true}) {
        Table table(designing, {"IDS_0|Zero|", "IDS_10|Ten|", "IDS_1|One|", "IDS_5||", "IDS_100"});
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(designing ? "line search " : "sorted look-up ") + c.identifier);
            EXPECT_EQ(table.lang->LookupStringOrDefault(c.identifier), c.expected);
            EXPECT_EQ(table.lang->FindTranslatedString(*table.lang->Strings(), c.identifier, false), c.expected);
        }
    }
}

TEST_F(Lookup, LineSearchFindsTheFirstLineAndWorksOnEveryList)
{
    Table table(false, {});
    rtl::TStringList& captions = *table.lang->Captions();
    captions.Add(L("Label1|First|"));
    captions.Add(L("Label10|Tenth|"));
    EXPECT_EQ(table.lang->FindTranslatedString(captions, "label1", false), "First");
    EXPECT_EQ(table.lang->FindTranslatedString(captions, "Label10", false), "Tenth");
    EXPECT_EQ(table.lang->FindLineField(captions, "LABEL10", 0), "Label10");
    EXPECT_EQ(table.lang->GetLineField(captions, 1, false), "Tenth");
    EXPECT_EQ(table.lang->GetLineField(captions, 2, false), "");
    EXPECT_EQ(table.lang->GetLineField(captions, -1, false), "");
}

// Lines with fewer texts than languages, without their closing delimiter, first or last in their list:
// a missing text reads as empty (or as the language-1 text when falling back), never as the next line.
TEST_F(Lookup, AMatchedLineEndsWhereItsLineEnds)
{
    const char* const lines[] = {
        "First|Alpha|Eins|", "TSaveDialogMsg|", "SaveDialog1.Title|Save as|Speichern|", "Label1|One",
        "Label2|Two|Zwei|",  "Short|Kurz|",     "Next|x|y|",                            "Last|Final",
    };
    struct Case {
        const char* identifier;
        const char* language1;            // falling back
        const char* language2;            // not falling back
        const char* language2FallingBack;
    };
    const Case cases[] = {
        {"First", "Alpha", "Eins", "Eins"},
        {"TSaveDialogMsg", "", "", ""},
        {"SaveDialog1.Title", "Save as", "Speichern", "Speichern"},
        {"Label1", "One", "", "One"},
        {"Short", "Kurz", "", "Kurz"},
        {"Last", "Final", "", "Final"},
    };
    using translation::TStringsType;
    for (TStringsType type : {TStringsType::stStrings, TStringsType::stCaptions, TStringsType::stOtherStrings}) {
        for (bool designing : {false, true}) {
            TSampleModule module(nullptr);
            auto* lang = new TtrLingua(&module);
            lang->SetNumOfLanguages(2);
            rtl::TStringList& list = *lang->GetListByType(type);
            for (const char* line : lines)
                list.Add(L(line));
            if (designing)
                lang->SetDesigning(true);
            else
                lang->RebuildStringLookup();
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(translation::StringsTypeName(type)) + (designing ? " design time " : " run time ")
                             + c.identifier);
                lang->SetActiveLanguage(1);
                EXPECT_EQ(lang->FindTranslatedString(list, c.identifier, true), c.language1);
                lang->SetActiveLanguage(2);
                EXPECT_EQ(lang->FindTranslatedString(list, c.identifier, false), c.language2);
                EXPECT_EQ(lang->FindTranslatedString(list, c.identifier, true), c.language2FallingBack);
            }
        }
    }
}

// A text of its own may hold a line break; its line still runs to its end.
TEST_F(Lookup, LineSearchReadsTextsWithLineBreaks)
{
    Table table(true, {"IDS_0|Two\r\nlines|", "IDS_1|One|"});
    EXPECT_EQ(table.lang->LookupStringOrDefault("IDS_0"), "Two\r\nlines");
}

TEST_F(Lookup, FallsBackToLanguageOne)
{
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "line search" : "sorted look-up");
        Table table(designing, {"IDS_0|Inverter||", "IDS_1|Damper|Klappe|"}, 2);
        TtrLingua& lang = *table.lang;
        lang.SetActiveLanguage(2);
        EXPECT_EQ(lang.LookupStringOrDefault("IDS_0"), "Inverter");
        EXPECT_EQ(lang.LookupStringOrDefault("IDS_1"), "Klappe");
        EXPECT_EQ(lang.LookupString("IDS_0"), "");
        lang.SetTranslateType(translation::TTranslateType::ttGetDefault);
        EXPECT_EQ(lang.LookupString("IDS_0"), "Inverter");
    }
}

TEST_F(Lookup, UseDefaultLanguageTriesTheDefaultWithoutChangingTheComponent)
{
    Table table(false, {"IDS_0|Inverter|||", "IDS_1|Damper||Volet|"}, 3);
    TtrLingua& lang = *table.lang;
    lang.SetActiveLanguage(2);
    lang.SetDefaultLanguage(3);
    lang.SetUseDefaultLanguage(true);
    EXPECT_EQ(lang.LookupStringOrDefault("IDS_1"), "Volet");
    EXPECT_EQ(lang.LookupStringOrDefault("IDS_0"), "Inverter");
    EXPECT_EQ(lang.ActiveLanguage(), 2);
}

TEST_F(Lookup, LanguageNamesAddedAtRunTimeKeepLookUpsWorking)
{
    Table table(false, {"IDS_0|Inverter|"});
    rtl::TStringList names;
    names.Add("English");
    names.Add("Deutsch");
    table.lang->SetLangNames(names);
    table.lang->SetActiveLanguage(2);
    EXPECT_EQ(table.lang->LookupStringOrDefault("IDS_0"), "Inverter");
    EXPECT_EQ(table.lang->LookupString("IDS_0"), "");
}

TEST_F(Lookup, AbsentIdentifierRaisesOnlyWhenAsked)
{
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "line search" : "sorted look-up");
        Table table(designing, {"IDS_0|Inverter|"});
        EXPECT_EQ(table.lang->LookupStringOrDefault("IDS_9"), "");
        table.lang->SetDoRaiseExceptions(true);
        try {
            table.lang->LookupStringOrDefault("IDS_9");
            ADD_FAILURE() << "no error";
        } catch (const ELanguageError& e) {
            EXPECT_STREQ(e.what(), "String identifier \"IDS_9\" not found!");
        }
        EXPECT_EQ(table.lang->LookupStringOrDefault("IDS_0"), "Inverter");
    }
}

// A dispatcher that only keeps its linked components.
class TLinks : public translation::TLanguageDispatcher {
public:
    using translation::TLanguageDispatcher::TLanguageDispatcher;
    std::vector<TtrCustomLang*> LinkedLanguages() const override { return linked; }
    void Link(TtrCustomLang& l) override { linked.push_back(&l); }
    void Unlink(TtrCustomLang& l) override { std::erase(linked, &l); }
    int NumOfLanguages() const override { return 1; }
    int DefaultLanguage() const override { return 1; }
    bool UseDefaultLanguage() const override { return false; }
    std::vector<TtrCustomLang*> linked;
};

TEST_F(Lookup, SharedStringsComeFromAnotherLinkedComponent)
{
    TLinks links(nullptr);
    Table asking(false, {"IDS_0|Own|"});
    Table main(false, {"IDS_0|Shared|"});
    asking.lang->SetOptions(translation::loUseExtUDStrings);
    EXPECT_EQ(asking.lang->LookupStringOrDefault("IDS_0"), "") << "no dispatcher, no shared list";
    asking.lang->SetLangDispatcher(&links);
    main.lang->SetLangDispatcher(&links);
    ASSERT_EQ(links.linked.size(), 2u);
    // The asking component is linked first and has strings: it is skipped, not asked again.
    EXPECT_EQ(asking.lang->LookupStringOrDefault("IDS_0"), "Shared");
    // Two components sharing each other's strings do not go round in circles.
    main.lang->SetOptions(translation::loUseExtUDStrings);
    EXPECT_EQ(main.lang->LookupStringOrDefault("IDS_0"), "Own");
    EXPECT_EQ(asking.lang->LookupStringOrDefault("IDS_0"), "Shared");
    // Alone with the dispatcher, the component answers from its own list.
    main.lang->SetLangDispatcher(nullptr);
    EXPECT_EQ(asking.lang->LookupStringOrDefault("IDS_0"), "Own");
}

TEST_F(Lookup, SharedDialogCaptionsByIndex)
{
    TLinks links(nullptr);
    Table asking(false, {});
    Table main(false, {});
    asking.lang->SetOptions(translation::loUseExtCommonStrings);
    asking.lang->DlgsCaptions()->Clear();
    main.lang->DlgsCaptions()->SetStrings(1, L("Error|Fehler|"));
    EXPECT_EQ(asking.lang->GetLineField(*asking.lang->DlgsCaptions(), 1, true), "");
    asking.lang->SetLangDispatcher(&links);
    main.lang->SetLangDispatcher(&links);
    EXPECT_EQ(asking.lang->GetLineField(*asking.lang->DlgsCaptions(), 1, true), "Fehler");
    EXPECT_EQ(asking.lang->FindTranslatedString(*asking.lang->DlgsCaptions(), "Error", true), "Fehler");
}

TEST_F(Lookup, DispatcherGoneIsForgotten)
{
    Table table(false, {"IDS_0|Own|"});
    auto* links = new TLinks(nullptr);
    table.lang->SetLangDispatcher(links);
    delete links;
    EXPECT_EQ(table.lang->LangDispatcher(), nullptr);

    // A dispatcher of the window, at design time: its going clears the reference and nothing more.
    auto* own = new TLinks(&table.module);
    own->SetName("Dispatcher1");
    table.lang->SetLangDispatcher(own);
    table.lang->Captions()->Add(L("Dispatcher1|x|"));
    table.lang->ExtendedTranslations()->Add().SetIdentifier("Dispatcher1.Tag");
    table.lang->SetDesigning(true);
    delete own;
    EXPECT_EQ(table.lang->LangDispatcher(), nullptr);
    EXPECT_EQ(table.lang->Captions()->Count(), 1);
    EXPECT_EQ(table.lang->ExtendedTranslations()->Count(), 1);
}

TEST(StringsLookup, OrdersAndFindsByIdentifierAndByText)
{
    rtl::TStringList lines;
    for (const char* line : {"IDS_12|b|B|", "IDS_113|a|A|", "IDS_0|c|C|", "ids_1|d||"})
        lines.Add(L(line));
    translation::TtrStringsCollection lookup;
    translation::BuildStringsCollection(lookup, lines, 2, '\x01', 0);
    EXPECT_EQ(lookup.FindByIdentifier("IDS_113", 2), "A");
    EXPECT_EQ(lookup.FindByIdentifier("IDS_1", 1), "d");
    EXPECT_EQ(lookup.FindByIdentifier("IDS_12", 1), "b");
    EXPECT_EQ(lookup.FindByIdentifier("IDS_2", 1), "");
    EXPECT_EQ(lookup.IndexOfIdentifier("IDS_113"), 2) << "sorted: IDS_0, ids_1, IDS_113, IDS_12";
    lookup.SetSortLanguage(1);
    lookup.Resort();
    EXPECT_EQ(lookup.FindByText("b", 2), "B");
    EXPECT_EQ(lookup.FindByText("d", 2), "");
    EXPECT_EQ(lookup.FindByText("B", 2), "B") << "texts compare with case; unknown text comes back";
}

}  // namespace
