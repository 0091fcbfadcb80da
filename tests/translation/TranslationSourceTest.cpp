#include "translation/TranslationSource.h"

#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"
#include "translation/Translation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace std::string_literals;
using classes::FindResource;
using classes::RT_CURSOR;
using classes::RT_RCDATA;
using classes::RT_STRING;
using translation::CompileWindowSource;
using translation::ParseTranslationSource;

const std::string kFolder = std::string(RIVUVE_FIXTURES) + "/forms/folder";

std::string Fixture(const std::string& name)
{
    std::ifstream file(std::string(RIVUVE_FIXTURES) + "/forms/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// Assembled by hand from the stored format: every list of the component in type order, each header
// even when its list is empty, delimiter byte 1, CR as 0x19 and LF as 0x1A inside a line.
TEST(TranslationSource, WindowSourceBecomesTheStoredBlock)
{
    std::string expected =
        "stCaptions\r\n"
        "TAPPSEL2\x01Select Application\x01\r\n"
        "cancel_button\x01&Cancel\x01\r\n"
        "stHints\r\n"
        "SpeedButton1\x01Start a New Fan Application Estimation\x01\r\n"
        "stDisplayLabels\r\n"
        "stFonts\r\n"
        "stMultiLines\r\n"
        "SelectionGraphType.Items\x01\"%Flow versus Cost Estimation Graph\",Other\x01\r\n"
        "stDlgsCaptions\r\n"
        "No To All\x01N&o to All\x01\r\n"
        "stStrings\r\n"
        "IDS_0\x01Inverter\x01\r\n"
        "IDS_1\x01Two\x19\x1Alines\x01\r\n"
        "stOtherStrings\r\n"
        "TAPPSEL2.HelpFile\x01\x01\r\n"
        "stLocales\r\n"
        "stCollections\r\n"
        "TSaveDialogMsg\x01\r\n"
        "stCharSets\r\n"
        "TAPPSEL2\x01" "ANSI_CHARSET\x01\r\n"s;
    EXPECT_EQ(CompileWindowSource(Fixture("TAPPSEL2.strings")), expected);
}

TEST(TranslationSource, EmptySourceGivesTheElevenHeaders)
{
    EXPECT_EQ(CompileWindowSource("# nothing\n"),
              "stCaptions\r\nstHints\r\nstDisplayLabels\r\nstFonts\r\nstMultiLines\r\nstDlgsCaptions\r\n"
              "stStrings\r\nstOtherStrings\r\nstLocales\r\nstCollections\r\nstCharSets\r\n");
}

TEST(TranslationSource, LanguagesEscapesAndDelimiter)
{
    auto lists = ParseTranslationSource("[captions]\r\nLabel1 = \"Neu\", \"\\x41\\t\\\\\"\r\n", '\t');
    ASSERT_EQ(lists[0]->Count(), 1);
    EXPECT_EQ(lists[0]->Strings(0), "Label1\tNeu\tA\t\\\t");
    EXPECT_FALSE(lists[std::size_t(translation::TStringsType::stListView_TreeView_Items)]);
}

TEST(TranslationSource, MalformedSourceNamesTheLine)
{
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"IDS_0 \"x\"\n", "Line 1: '=' expected"},
        {"\n[Labels]\n", "Line 2: Unknown translation list [Labels]"},
        {"[ListView_TreeView_Items]\n", "Line 1: Unknown translation list [ListView_TreeView_Items]"},
        {"IDS_0 = \"open\n", "Line 1: Unterminated text"},
        {"\n\nIDS_0 = \"caf\xC3\xA9\"\n", "Line 3: Byte 195 must be written as \\xNN"},
        {"IDS_0 = \"a\" \"b\"\n", "Line 1: ',' expected between texts"},
        {"IDS_0 = bare\n", "Line 1: Quoted text expected"},
        {"IDS_0 = \"\\q\"\n", "Line 1: Unknown escape \\q"},
        {"IDS_0 = \"\\x4\"\n", "Line 1: \\x must be followed by two hexadecimal digits"},
        {" = \"x\"\n", "Line 1: Identifier expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        try {
            ParseTranslationSource(c.source);
            ADD_FAILURE() << "no error";
        } catch (const classes::EParserError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

// Resource folders with translation sources, read with the translation library started.
class ResourceFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("RIVUVE_RESOURCES");
        translation::initialize();
        char pattern[] = "/tmp/rivuve-resources-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
    }
    void TearDown() override
    {
        unsetenv("RIVUVE_RESOURCES");
        translation::finalize();
        std::filesystem::remove_all(root_);
    }

    void Put(const std::string& name, const std::string& content)
    {
        std::filesystem::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name, std::ios::binary) << content;
    }

    std::filesystem::path root_;
};

// The folder compiles to what the text form and the stored translation format give by hand.
TEST_F(ResourceFolder, GivesTheCompiledBytes)
{
    std::string block = "stCaptions\r\nTSample\x01Sample\x01\r\nstHints\r\nstDisplayLabels\r\nstFonts\r\n"
                        "stMultiLines\r\nstDlgsCaptions\r\nstStrings\r\nIDS_0\x01Zero\x01\r\nstOtherStrings\r\n"
                        "stLocales\r\nstCollections\r\nstCharSets\r\n";
    std::string hex;
    for (unsigned char c : block) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    std::string form = classes::ObjectTextToBinary("object Sample: TSample\n  Caption = 'Sample'\n"
                                                   "  object trLingua1: TtrLingua\n    LangDelim = 1\n"
                                                   "    TranslationData = {" + hex + "}\n  end\nend\n");

    setenv("RIVUVE_RESOURCES", kFolder.c_str(), 1);
    EXPECT_EQ(*FindResource("TSAMPLE", RT_RCDATA), form);
    EXPECT_EQ(*FindResource("SAMPLECURSOR", RT_CURSOR), "cursor bytes\0\1\2"s);
    EXPECT_EQ(*FindResource("BLACK", "UXSKINS"), "skin");
    EXPECT_EQ(*FindResource(7, RT_RCDATA), "seven");
    EXPECT_EQ(*FindResource(41026, RT_STRING),
              "Host %s unavailable.\r\n\r\nPlease check your Internet connection and try again later.");
    // The folder replaces the registered tables.
    EXPECT_FALSE(FindResource(41001, RT_STRING));
    EXPECT_THROW(classes::TResourceStream("NOSUCH", RT_RCDATA), classes::EResNotFound);
}

TEST_F(ResourceFolder, MalformedTranslationSourcesNameTheirFile)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        const char* message;
    };
    const Case cases[] = {
        {{{"forms/TBad.form", "object Bad: TBad\nend\n"}, {"forms/TBad.strings", "[Nothing]\n"}},
         "forms/TBad.strings: Line 1: Unknown translation list [Nothing]"},
        {{{"forms/TBad.form", "object Bad: TBad\nend\n"}, {"forms/TBad.strings", "IDS_0 = \"x\"\n"}},
         "forms/TBad.form: the string table needs exactly one TtrLingua component, found 0"},
        {{{"stringtables/t.txt", "IDS_0 = \"x\"\n"}}, "stringtables/t.txt: \"IDS_0\" is not a string number (1 to 65535)"},
        {{{"stringtables/t.txt", "0 = \"x\"\n"}}, "stringtables/t.txt: \"0\" is not a string number (1 to 65535)"},
        {{{"stringtables/t.txt", "65536 = \"x\"\n"}}, "stringtables/t.txt: \"65536\" is not a string number (1 to 65535)"},
        {{{"stringtables/t.txt", "5 = \"x\", \"y\"\n"}}, "stringtables/t.txt: string 5 needs exactly one text"},
        {{{"stringtables/t.txt", "[Captions]\nA = \"x\"\n"}}, "stringtables/t.txt: a string table has numbered strings only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove_all(root_);
        std::filesystem::create_directory(root_);
        for (const auto& [name, content] : c.files)
            Put(name, content);
        try {
            classes::CompileResourceFolder(root_.string());
            ADD_FAILURE() << "no error";
        } catch (const rtl::Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

}  // namespace
