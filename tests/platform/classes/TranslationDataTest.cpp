#include "platform/classes/TextForm.h"
#include "platform/classes/TranslationData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace std::string_literals;
using classes::ParseTranslationSource;
using classes::TranslationDataBlock;

std::string Fixture(const std::string& name)
{
    std::ifstream file(std::string(RIVUVE_FIXTURES) + "/forms/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// Assembled by hand from the stored format: every list of the component in type order, each header
// even when its list is empty, delimiter byte 1, CR as 0x19 and LF as 0x1A inside a line.
TEST(TranslationData, WindowSourceBecomesTheStoredBlock)
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
    EXPECT_EQ(TranslationDataBlock(ParseTranslationSource(Fixture("TAPPSEL2.strings"))), expected);
}

TEST(TranslationData, EmptySourceGivesTheElevenHeaders)
{
    EXPECT_EQ(TranslationDataBlock(ParseTranslationSource("# nothing\n")),
              "stCaptions\r\nstHints\r\nstDisplayLabels\r\nstFonts\r\nstMultiLines\r\nstDlgsCaptions\r\n"
              "stStrings\r\nstOtherStrings\r\nstLocales\r\nstCollections\r\nstCharSets\r\n");
}

TEST(TranslationData, LanguagesEscapesAndDelimiter)
{
    auto lists = ParseTranslationSource("[captions]\r\nLabel1 = \"Neu\", \"\\x41\\t\\\\\"\r\n", '\t');
    ASSERT_EQ(lists[0]->size(), 1u);
    EXPECT_EQ(lists[0]->front(), "Label1\tNeu\tA\t\\\t");
    EXPECT_FALSE(lists[std::size_t(classes::TStringsType::stListView_TreeView_Items)]);
}

TEST(TranslationData, MalformedSourceNamesTheLine)
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

}  // namespace
