#include "LangFixture.h"

#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"

namespace {

using namespace translation_test;
using translation::TPropertyTypeKind;
using translation::TtrExtendedItem;
using translation::TtrExtendedItems;
using translation::TtrLingua;

using ExtendedTranslations = TranslationTest;

// Three items as a window's stored data holds them: a sub-object's property of Label1 in two languages,
// the window's own caption, and a hint of Label2 without texts.
const std::string kStoredItems = "    ExtendedTranslations = <\n"
                                 "      item\n"
                                 "        Identifier = 'Label1.Font.Name'\n"
                                 "        PropertyType = tkLString\n"
                                 "        ValuesEx = {417269616C015461686F6D6101}\n"
                                 "      end\n"
                                 "      item\n"
                                 "        Identifier = 'TSampleModule.Caption'\n"
                                 "        PropertyType = tkString\n"
                                 "        ValuesEx = {53616D706C6501}\n"
                                 "      end\n"
                                 "      item\n"
                                 "        Identifier = 'Label2.Hint'\n"
                                 "        PropertyType = tkString\n"
                                 "      end>\n";

std::string Identifiers(const TtrExtendedItems& items)
{
    std::string text;
    for (int i = 0; i < items.Count(); ++i)
        text += items.Items(i)->Identifier() + "\n";
    return text;
}

// A module with components of the given names, besides the translation component.
std::unique_ptr<TSampleModule> ModuleWith(std::initializer_list<const char*> names)
{
    auto module = std::make_unique<TSampleModule>(nullptr);
    for (const char* name : names)
        (new TSampleModule(module.get()))->SetName(name);
    return module;
}

TEST_F(ExtendedTranslations, StoredItemsLoad)
{
    auto module = LoadModule(kStoredItems, Block({"stCaptions"}));
    const TtrExtendedItems& items = *module->Lingua()->ExtendedTranslations();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(Identifiers(items), "Label1.Font.Name\nTSampleModule.Caption\nLabel2.Hint\n");
    EXPECT_EQ(items.Items(0)->Values(), "Arial\x01Tahoma\x01");
    EXPECT_EQ(items.Items(0)->PropertyType(), TPropertyTypeKind::tkLString);
    EXPECT_FALSE(items.Items(0)->IsRoot());
    EXPECT_TRUE(items.Items(1)->IsRoot());
    EXPECT_EQ(items.Items(1)->Values(), "Sample\x01");
    EXPECT_EQ(items.Items(2)->Values(), "");
    EXPECT_EQ(items.FindByIdentifier("label2.HINT"), items.Items(2));
    EXPECT_EQ(items.FindByIdentifier("Label2"), nullptr);
    EXPECT_EQ(items.Items(0)->DisplayName(), "Label1.Font.Name");
    // At run time the items stay as stored, whether or not their components exist.
    EXPECT_EQ(items.Items(0)->RelatedComponent(), nullptr);
}

TEST_F(ExtendedTranslations, WrittenWithTheComponentAndReadBack)
{
    auto module = LoadModule(kStoredItems, Block({"stCaptions"}));
    rtl::TMemoryStream stream;
    classes::TWriter(stream).WriteRootComponent(module.get());
    const std::string binary(reinterpret_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
    const std::string text = classes::ObjectBinaryToText(binary);
    EXPECT_NE(text.find("ValuesEx = {\n          417269616C015461686F6D6101}"), std::string::npos) << text;
    EXPECT_EQ(text.find("IsRoot"), std::string::npos) << "not stored";
    // An item without texts stores no texts.
    const std::size_t hint = text.find("'Label2.Hint'");
    ASSERT_NE(hint, std::string::npos);
    EXPECT_EQ(text.find("ValuesEx", hint), std::string::npos);

    TSampleModule copy(nullptr);
    stream.SetPosition(0);
    classes::TReader(stream).ReadRootComponent(&copy);
    const TtrExtendedItems& items = *copy.Lingua()->ExtendedTranslations();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(Identifiers(items), "Label1.Font.Name\nTSampleModule.Caption\nLabel2.Hint\n");
    EXPECT_EQ(items.Items(0)->Values(), "Arial\x01Tahoma\x01");
    EXPECT_EQ(items.Items(2)->PropertyType(), TPropertyTypeKind::tkString);

    // Without items the collection is not stored at all.
    TSampleModule empty(nullptr);
    empty.SetName("Empty");
    (new TtrLingua(&empty))->SetName("trLingua1");
    rtl::TMemoryStream emptyStream;
    classes::TWriter(emptyStream).WriteRootComponent(&empty);
    const std::string emptyBinary(reinterpret_cast<const char*>(emptyStream.Memory()), std::size_t(emptyStream.Size()));
    EXPECT_EQ(classes::ObjectBinaryToText(emptyBinary).find("ExtendedTranslations"), std::string::npos);
}

TEST_F(ExtendedTranslations, DesignTimeLoadingLinksItemsToTheirComponentsOrDeletesThem)
{
    auto module = ModuleWith({"Label1"});
    module->SetDesigning(true);
    module = LoadModule(kStoredItems, Block({"stCaptions"}), module.release());
    TtrExtendedItems& items = *module->Lingua()->ExtendedTranslations();
    ASSERT_EQ(Identifiers(items), "Label1.Font.Name\nTSampleModule.Caption\n") << "Label2 is gone";
    classes::TComponent* label = module->FindComponent("Label1");
    EXPECT_EQ(items.Items(0)->RelatedComponent(), label);
    EXPECT_EQ(items.Items(1)->RelatedComponent(), module.get());
    // A linked item follows its component's new name.
    label->SetName("Caption1");
    EXPECT_EQ(items.Items(0)->Identifier(), "Caption1.Font.Name");
    delete label;
    EXPECT_EQ(Identifiers(items), "TSampleModule.Caption\n");
}

TEST_F(ExtendedTranslations, ARemovedComponentTakesItsItemsWithIt)
{
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "design time" : "run time");
        auto module = ModuleWith({"Label1", "Label10"});
        auto* lang = new TtrLingua(module.get());
        for (const char* identifier : {"Label1.Caption", "Label10.Caption", "Label1.Font.Name", "Label1"}) {
            TtrExtendedItem& item = lang->ExtendedTranslations()->Add();
            item.SetIdentifier(identifier);
            item.SetValues("x\x01");
        }
        lang->Captions()->Add(L("Label1|One|"));
        if (designing)
            lang->SetDesigning(true);
        delete module->FindComponent("Label1");
        EXPECT_EQ(Identifiers(*lang->ExtendedTranslations()), "Label10.Caption\nLabel1\n");
        EXPECT_EQ(lang->Captions()->Count(), designing ? 0 : 1);
    }
}

TEST_F(ExtendedTranslations, DelimiterChangesRewriteTheTexts)
{
    auto module = LoadModule(kStoredItems + "    LangDelim = 1\n", Block({"stStrings", L("IDS_0|Inverter|")}));
    TtrLingua& lang = *module->Lingua();
    lang.SetLangDelim(9);
    EXPECT_EQ(lang.ExtendedTranslations()->Items(0)->Values(), "Arial\tTahoma\t");
    EXPECT_EQ(lang.Strings()->Strings(0), "IDS_0\tInverter\t");
    lang.SetLangDelim(9);
    EXPECT_EQ(lang.ExtendedTranslations()->Items(0)->Values(), "Arial\tTahoma\t");
}

TEST_F(ExtendedTranslations, TabDelimitedTextsTakeTheDelimiterInLoaded)
{
    const std::string items = "    ExtendedTranslations = <\n"
                              "      item\n"
                              "        Identifier = 'Label1.Hint'\n"
                              "        ValuesEx = {410942097C01}\n"   // A TAB B TAB, then "|" and byte 1
                              "      end\n"
                              "      item\n"
                              "        Identifier = 'Label2.Hint'\n"
                              "        ValuesEx = {4109420909}\n"   // A TAB B TAB TAB
                              "      end>\n";
    auto module = LoadModule(items + "    LangDelim = 1\n", Block({"stCaptions"}));
    TtrExtendedItems& loaded = *module->Lingua()->ExtendedTranslations();
    EXPECT_EQ(loaded.Items(0)->Values(), "A\tB\t|\x01") << "texts that hold the delimiter keep their TABs";
    EXPECT_EQ(loaded.Items(1)->Values(), "A\x01" "B\x01\x01");
}

TEST_F(ExtendedTranslations, AssigningCopiesTheItems)
{
    auto module = LoadModule(kStoredItems, Block({"stCaptions"}));
    TSampleModule other(nullptr);
    auto* lang = new TtrLingua(&other);
    TtrExtendedItems* given = module->Lingua()->ExtendedTranslations();
    lang->SetExtendedTranslations(given);
    ASSERT_NE(lang->ExtendedTranslations(), given);
    EXPECT_EQ(Identifiers(*lang->ExtendedTranslations()), Identifiers(*given));
    EXPECT_EQ(lang->ExtendedTranslations()->Items(0)->Values(), "Arial\x01Tahoma\x01");
    EXPECT_EQ(lang->ExtendedTranslations()->Items(0)->PropertyType(), TPropertyTypeKind::tkLString);
    lang->ExtendedTranslations()->Items(0)->SetValues("changed");
    EXPECT_EQ(given->Items(0)->Values(), "Arial\x01Tahoma\x01") << "the given collection stays the caller's";
}

}  // namespace
