#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"
#include "tests/report/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using scripttest::ScriptTest;

std::vector<std::string> LanguageNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < script::ScriptLanguages().Count(); ++i)
        names.push_back(script::ScriptLanguages().Names(i));
    return names;
}

std::string Message(const std::function<void()>& call)
{
    try {
        call();
    } catch (const rtl::Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

const std::string MiniGrammar = "<?xml version=\"1.0\"?><language text=\"Mini\"><parser><keywords><go/></keywords>"
                                "<errors><err1 text=\"Go expected\"/></errors></parser><types/>"
                                "<program><keyword text=\"GO\" err=\"err1\"/><rest/></program><rest><optional><missing/></optional></rest></language>";

TEST_F(ScriptTest, TheFourLanguagesAreRegisteredInOrderOnce)
{
    EXPECT_EQ(LanguageNames(), (std::vector<std::string>{"ZododuVudizu", "Z++Everav", "RorozEdedod", "JScript"}));
    script::RegisterScriptLanguage("ZODODUVUDIZU", MiniGrammar);
    EXPECT_EQ(script::ScriptLanguages().Count(), 4);
    EXPECT_EQ(script::FindScriptGrammar("zododuvudizu"), MiniGrammar);
    // A module registers its language only once: the host's grammar stays.
    script::initialize();
    EXPECT_EQ(script::FindScriptGrammar("ZododuVudizu"), MiniGrammar);
    script::RegisterScriptLanguage("Mini", MiniGrammar);
    EXPECT_EQ(script::ScriptLanguages().Count(), 5);
    EXPECT_EQ(Message([] { script::FindScriptGrammar("MyScript"); }), "Language 'MyScript' not found");
    // After a shut-down the start-up registers the four again.
    script::finalize();
    script::initialize();
    EXPECT_EQ(LanguageNames(), (std::vector<std::string>{"ZododuVudizu", "Z++Everav", "RorozEdedod", "JScript"}));
}

TEST_F(ScriptTest, HostGrammars)
{
    script::RegisterScriptLanguage("Mini", MiniGrammar);
    script::RegisterScriptLanguage("Broken", "language text=\"Broken\"");
    script::TscILParser parser(fake);
    parser.SelectLanguage("Mini");
    EXPECT_FALSE(parser.ParseSource("stop"));
    EXPECT_EQ(fake.errorText, "Go expected");
    EXPECT_EQ(fake.errorPlace, "1:1");
    // A rule the grammar lacks fails only when it is reached.
    EXPECT_EQ(Message([&] { parser.ParseSource("go"); }), "Invalid language definition");
    EXPECT_EQ(Message([&] { parser.SelectLanguage("Broken"); }), "Invalid file format");
    EXPECT_EQ(Message([&] { parser.SelectLanguage("MyScript"); }), "Language 'MyScript' not found");
    EXPECT_EQ(Message([&] { parser.ParseSource("#language MyScript\r\nbegin end."); }),
              "Language 'MyScript' not found");
    EXPECT_EQ(parser.ProgramDocument().Root()->Count(), 0);
}

// Selecting a language starts from the defaults, whatever was selected before on the same parser.
TEST_F(ScriptTest, SelectingALanguageStartsFromTheDefaults)
{
    script::TscILParser parser(fake);
    parser.SelectLanguage("RorozEdedod");
    EXPECT_FALSE(parser.DeclareVarsRequired());
    EXPECT_EQ(parser.Lexer().CommentLine2(), "rem");
    EXPECT_TRUE(parser.ParseSource("#language JScript\r\nremove(x);"));
    EXPECT_EQ(parser.LanguageName(), "JScript");
    EXPECT_EQ(scripttest::Compact(*parser.ProgramDocument().Root()),
              "program(compoundstmt(callstmt(dsgn(node=remove expr(dsgn(node=x))))))");
    EXPECT_EQ(parser.Lexer().CommentLine2(), "");

    parser.SelectLanguage("Z++Everav");
    EXPECT_TRUE(parser.Lexer().CaseSensitive());
    EXPECT_TRUE(parser.ParseSource("#language ZododuVudizu\r\nBEGIN x := 1 END."));
    EXPECT_FALSE(parser.Lexer().CaseSensitive());
    EXPECT_TRUE(parser.DeclareVarsRequired());

    parser.SelectLanguage("JScript");
    EXPECT_FALSE(parser.DeclareVarsRequired());
    parser.SelectLanguage("ZododuVudizu");
    EXPECT_TRUE(parser.DeclareVarsRequired());
}

TEST_F(ScriptTest, HighCharNamesAddTheUpperHalfToIdentifiers)
{
    for (bool high : {false, true}) {
        fake.highCharNames = high;
        script::TscILParser parser(fake);
        parser.SelectLanguage("ZododuVudizu");
        for (int c = 128; c < 256; ++c)
            EXPECT_EQ(parser.Lexer().IdentChars()[size_t(c)], high) << c;
        EXPECT_EQ(parser.ParseSource("begin \xe9t\xe9 := 1 end."), high);
    }
}

// What each registered grammar holds, typed in from the language descriptions.
struct Expected {
    std::map<std::string, std::string> settings;
    std::string keywords;
    std::map<int, std::string> errors;
    std::map<std::string, std::string> types;
};

std::map<int, std::string> Errors(std::initializer_list<std::pair<const int, std::string>> list)
{
    return std::map<int, std::string>(list);
}

std::map<std::string, Expected> ExpectedGrammars()
{
    const auto zvErrors = Errors({{1, "Identifier expected"}, {2, "Expression expected"}, {3, "Statement expected"},
                                  {4, "':' expected"}, {5, "';' expected"}, {6, "'.' expected"}, {7, "')' expected"},
                                  {8, "']' expected"}, {9, "'=' expected"}, {10, "'BEGIN' expected"},
                                  {11, "'END' expected"}, {12, "'OF' expected"}, {13, "'THEN' expected"},
                                  {14, "'UNTIL' expected"}, {15, "'TO' or 'DOWNTO' expected"}, {16, "'DO' expected"},
                                  {17, "'FINALLY' or 'EXCEPT' expected"}, {18, "'[' expected"}, {19, "'..' expected"},
                                  {20, "'>' expected"}});
    auto cppErrors = zvErrors;
    for (int code : {13, 14, 15, 16})
        cppErrors.erase(code);
    cppErrors[10] = "'{' expected";
    cppErrors[11] = "'}' expected";
    cppErrors[12] = "'(' expected";
    cppErrors[13] = "'DEFINE' expected";
    cppErrors[14] = "'WHILE' expected";
    auto jsErrors = cppErrors;
    jsErrors.erase(13);
    return {
        {"ZododuVudizu",
         {{{"commentline1", "//"}, {"commentblock1", "{,}"}, {"commentblock2", "(*,*)"}, {"stringquotes", "'"},
           {"hexsequence", "$"}},
          "and array begin break case const continue div do downto else end except exit finally for function goto if "
          "in is label mod not of or procedure program repeat shl shr then to try until uses var while with xor",
          zvErrors,
          {}}},
        {"Z++Everav",
         {{{"commentline1", "//"}, {"commentblock1", "/*,*/"}, {"commentblock2", "/*,*/"}, {"stringquotes", "\""},
           {"hexsequence", "0x"}, {"casesensitive", "1"}},
          "break case continue define default delete do else except finally for in is if new return switch try while",
          cppErrors,
          {{"int", "Integer"}, {"long", "Integer"}, {"void", "Integer"}, {"bool", "Boolean"}, {"float", "Extended"}}}},
        {"RorozEdedod",
         {{{"commentline1", "'"}, {"commentline2", "rem"}, {"commentblock1", "/\\,/\\"}, {"commentblock2", "/\\,/\\"},
           {"stringquotes", "\""}, {"hexsequence", "0x"}, {"declarevars", "0"}, {"skipeol", "0"}, {"skipchar", "_"}},
          "addressof and as byref byval case catch delete dim do else elseif end endif exit finally for function if "
          "imports is loop mod new next not or rem return select set step sub then to try wend while with xor",
          Errors({{1, "Identifier expected"}, {2, "Expression expected"}, {3, "End of line expected"},
                  {4, "':' expected"}, {5, "';' expected"}, {6, "'.' expected"}, {7, "')' expected"},
                  {8, "']' expected"}, {9, "'=' expected"}, {10, "'TO' expected"}, {11, "'END' expected"},
                  {12, "'(' expected"}, {13, "'THEN' expected"}, {14, "'WHILE' expected"}, {15, "'CASE' expected"},
                  {16, "'SELECT' expected"}, {17, "'FINALLY' or 'CATCH' expected"}, {18, "'[' expected"},
                  {19, "'..' expected"}, {20, "'>' expected"}, {21, "'WEND' expected"}, {22, "'NEXT' expected"},
                  {23, "'WITH' expected"}, {24, "'TRY' expected"}, {25, "'SUB' expected"},
                  {26, "'FUNCTION' expected"}, {27, "'ELSE' expected"}, {28, "'IF' expected"},
                  {29, "Statement expected"}}),
          {{"decimal", "Extended"}}}},
        {"JScript",
         {{{"commentline1", "//"}, {"commentblock1", "/*,*/"}, {"commentblock2", "/*,*/"}, {"stringquotes", "\""},
           {"hexsequence", "0x"}, {"declarevars", "0"}},
          "break case continue default delete do else except finally for function import in is if new return switch "
          "try var while with",
          jsErrors,
          {}}},
    };
}

// Every registered grammar loads; its settings, reserved words, error texts and types are the
// language's; every item is a known kind or a rule the grammar defines; every err names one of its errors.
TEST_F(ScriptTest, GrammarCheck)
{
    const std::set<std::string> kinds = {"char", "keyword", "ident", "number", "string", "frstring", "eol", "eof",
                                         "sequence", "switch", "optionalswitch", "loop", "optionalloop", "optional"};
    const auto expectedGrammars = ExpectedGrammars();
    for (const std::string& language : LanguageNames()) {
        SCOPED_TRACE(language);
        script::TscILParser parser(fake);
        parser.SelectLanguage(language);
        const script::TscXMLItem& root = *parser.GrammarDocument().Root();
        EXPECT_EQ(root.Name, "language");
        EXPECT_EQ(root.Prop("text"), language);
        ASSERT_GE(root.Count(), 3);
        EXPECT_EQ(root.Items(0)->Name, "parser");
        EXPECT_EQ(root.Items(1)->Name, "types");
        const Expected& expected = expectedGrammars.at(language);

        std::map<std::string, std::string> settings;
        std::string keywords;
        std::map<int, std::string> errors;
        const script::TscXMLItem& parserElement = *root.Items(0);
        for (int i = 0; i < parserElement.Count(); ++i) {
            const script::TscXMLItem& setting = *parserElement.Items(i);
            if (setting.Name == "keywords") {
                for (int k = 0; k < setting.Count(); ++k)
                    keywords += (keywords.empty() ? "" : " ") + setting.Items(k)->Name;
            } else if (setting.Name == "errors") {
                for (int k = 0; k < setting.Count(); ++k) {
                    const std::string& code = setting.Items(k)->Name;
                    ASSERT_TRUE(code.starts_with("err"));
                    errors[std::stoi(code.substr(3))] = setting.Items(k)->Prop("text");
                }
            } else {
                settings[setting.Name] = setting.Prop("text");
            }
        }
        EXPECT_EQ(settings, expected.settings);
        EXPECT_EQ(keywords, expected.keywords);
        EXPECT_EQ(errors, expected.errors);
        std::map<std::string, std::string> types;
        for (int i = 0; i < root.Items(1)->Count(); ++i)
            types[root.Items(1)->Items(i)->Name] = root.Items(1)->Items(i)->Prop("type");
        EXPECT_EQ(types, expected.types);

        std::set<std::string> rules;
        for (int i = 2; i < root.Count(); ++i)
            EXPECT_TRUE(rules.insert(rtl::AnsiLowerCase(root.Items(i)->Name)).second) << root.Items(i)->Name;
        EXPECT_TRUE(rules.contains("program"));
        EXPECT_TRUE(rules.contains("empty"));
        std::vector<const script::TscXMLItem*> pending;
        for (int i = 2; i < root.Count(); ++i)
            pending.push_back(root.Items(i));
        while (!pending.empty()) {
            const script::TscXMLItem* item = pending.back();
            pending.pop_back();
            for (int i = 0; i < item->Count(); ++i) {
                const script::TscXMLItem* child = item->Items(i);
                pending.push_back(child);
                EXPECT_TRUE(kinds.contains(child->Name) || rules.contains(child->Name)) << child->Name;
                const std::string err = child->Prop("err");
                if (!err.empty()) {
                    EXPECT_TRUE(errors.contains(std::stoi(err.substr(3)))) << err;
                }
            }
        }
    }
}

}  // namespace
