#include "platform/rtl/Exceptions.h"
#include "tests/report/script/ScriptFixture.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using scripttest::Compact;
using scripttest::Dump;
using scripttest::ScriptTest;

TEST_F(ScriptTest, TheWorkedExampleGivesItsTreeWithEveryPosition)
{
    script::TscILParser parser(fake);
    parser.SelectLanguage("ZododuVudizu");
    ASSERT_TRUE(parser.ParseSource("begin\r\n  x := a + 1\r\nend."));
    EXPECT_EQ(Dump(*parser.ProgramDocument().Root()),
              "program\n"
              "  compoundstmt pos=\"1:1\"\n"
              "    assignstmt pos=\"2:3\"\n"
              "      dsgn pos=\"2:3\"\n"
              "        node text=\"x\" pos=\"2:4\"\n"
              "      expr pos=\"2:8\" pos1=\"2:13\"\n"
              "        dsgn pos=\"2:8\"\n"
              "          node text=\"a\" pos=\"2:9\"\n"
              "        op text=\"+\" pos=\"2:11\"\n"
              "        number text=\"1\" pos=\"2:13\"\n"
              "  types\n");
    EXPECT_EQ(fake.errorText, "");
    EXPECT_EQ(fake.errorPlace, "");
}

TEST_F(ScriptTest, SyntaxErrors)
{
    struct Case {
        const char* language;
        std::string text;
        const char* message;
        const char* place;
    };
    const Case cases[] = {
        // The assignment fails silently at the missing ':', "x" is taken as a call, END carries the error.
        {"ZododuVudizu", "begin x = 1 end.", "';' expected", "1:9"},
        {"ZododuVudizu", "begin x : = 1 end.", "'=' expected", "1:11"},
        {"ZododuVudizu", "begin goto := 1 end.", "';' expected", "1:7"},
        // The position is that of the first token after blanks and comments.
        {"ZododuVudizu", "begin x := (* c *) end.", "Expression expected", "1:20"},
        {"ZododuVudizu", "begin\r\n  x := 1;\r\n  y := ;\r\nend.", "Expression expected", "3:8"},
        {"ZododuVudizu", "begin end", "'.' expected", "1:10"},
        {"ZododuVudizu", "x := 1", "'BEGIN' expected", "1:1"},
        {"ZododuVudizu", "begin x := <Orders.Total end.", "'>' expected", "1:30"},
        {"ZododuVudizu", "var a: ; begin end.", "Identifier expected", "1:8"},
        {"ZododuVudizu", "begin for i := 1 up 5 do x end.", "'TO' or 'DOWNTO' expected", "1:18"},
        {"ZododuVudizu", "begin try x; y end.", "'FINALLY' or 'EXCEPT' expected", "1:16"},
        {"Z++Everav", "#INCLUDE \"a\" {}", "'DEFINE' expected", "1:2"},
        {"Z++Everav", "{ x = 1 }", "';' expected", "1:9"},
        {"Z++Everav", "{ do x++; (y); }", "'WHILE' expected", "1:11"},
        {"Z++Everav", "{ switch (x) { case 1: y; }", "'}' expected", "1:28"},
        // A switch needs a case before its default; the statement fails silently.
        {"Z++Everav", "{ switch (x) { default: y; } }", "'}' expected", "1:3"},
        {"RorozEdedod", "x = 1", "End of line expected", "1:6"},
        {"RorozEdedod", "x = 1\r\n)\r\n", "Statement expected", "2:1"},
        // A comment after a statement takes the line end with it.
        {"RorozEdedod", "x = 1 ' note\r\n", "End of line expected", "2:1"},
        // A first line that starts no statement fails the start rule itself, with no message.
        {"RorozEdedod", ")\r\n", "", ""},
        {"RorozEdedod", "If x Then\r\ny = 1\r\nEnd\r\n", "'IF' expected", "3:4"},
        {"RorozEdedod", "For i = 1 To 5\r\nLoop\r\n", "'NEXT' expected", "2:1"},
        {"JScript", "x = 1; }", "Statement expected", "1:8"},
        {"JScript", "}", "Statement expected", "1:1"},
        {"JScript", "do x++; while (y)", "';' expected", "1:18"},
        {"JScript", "function f(a { }", "')' expected", "1:14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + (": " + c.text));
        const auto result = Parse(c.language, c.text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorText, c.message);
        EXPECT_EQ(result.errorPlace, c.place);
    }
}

// Errors that a loop discards, text after an explicit end, and other cases that parse.
TEST_F(ScriptTest, TextsThatParse)
{
    struct Case {
        const char* language;
        const char* text;
        const char* program;
    };
    const Case cases[] = {
        {"ZododuVudizu", "begin x := 1 end.", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))"},
        // The third constant fails at "begin" with term set; the loop discards its error.
        {"ZododuVudizu", "const a = 1; b = 2; begin end.",
         "program(const(ident=a expr(number=1)) const(ident=b expr(number=2)) compoundstmt)"},
        // The selector after the last ';' fails; the loop's skip discards its error.
        {"ZododuVudizu", "begin case x of 1: a; 2: b; else c end end.",
         "program(compoundstmt(casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1)) callstmt(dsgn(node=a))) "
         "caseselector(set(expr(number=2)) callstmt(dsgn(node=b))) callstmt(dsgn(node=c)))))"},
        {"ZododuVudizu", "begin end. whatever follows", "program(compoundstmt)"},
        {"Z++Everav", "{} whatever follows", "program(compoundstmt)"},
        // A later iteration that matched in part stays consumed: the expression ends with its operator.
        {"ZododuVudizu", "begin x := a + b + end.",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(node=a) op=+ dsgn(node=b) op=+))))"},
        // A failed alternative takes what it wrote with it: one bound, not the same bound twice.
        {"ZododuVudizu", "var a: array[3] of Integer; begin end.",
         "program(var(ident=a array(dim(expr(number=3))) type=Integer) compoundstmt)"},
        {"JScript", "", "program(compoundstmt)"},
        {"JScript", "  // only a comment\r\n /* and another */\r\n", "program(compoundstmt)"},
        {"RorozEdedod", "\r\n' a comment\r\n\r\n", "program(compoundstmt)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + std::string(": ") + c.text);
        const auto result = Parse(c.language, c.text);
        EXPECT_TRUE(result.ok) << result.errorText << " at " << result.errorPlace;
        EXPECT_EQ(result.program, c.program);
    }
}

TEST_F(ScriptTest, LanguageLine)
{
    struct Case {
        const char* text;
        const char* program;
        const char* place;  // of the error, when the text does not parse
    };
    const Case cases[] = {
        {"#language JScript\r\nx = 1;", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))", nullptr},
        {"#language JScript\nx = 1;", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))", nullptr},
        {"#language JScript\rx = 1;", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))", nullptr},
        {"# LANGUAGE   jscript  \r\nx = 1;", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))", nullptr},
        {"#language JScript", "program(compoundstmt)", nullptr},
        // Positions count from the text's start.
        {"#language JScript\nx = ;", nullptr, "2:5"},
        {"#language RorozEdedod\r\nx = 1\r\n", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))", nullptr},
        // Not a language line: Z++Everav's include.
        {"#include \"u\"\r\n{}", "program(uses compoundstmt)", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        fake.answerUnits = true;
        const auto result = Parse("Z++Everav", c.text);
        EXPECT_EQ(result.ok, c.program != nullptr) << result.errorText;
        if (c.program)
            EXPECT_EQ(result.program, c.program);
        else
            EXPECT_EQ(result.errorPlace, c.place);
    }
}

TEST_F(ScriptTest, AFailedParseLeavesTheProgramEmpty)
{
    script::TscILParser parser(fake);
    parser.SelectLanguage("ZododuVudizu");
    ASSERT_TRUE(parser.ParseSource("begin x := 1 end."));
    EXPECT_EQ(parser.ProgramDocument().Root()->Count(), 2);
    EXPECT_FALSE(parser.ParseSource("begin x := 1"));
    EXPECT_EQ(parser.ProgramDocument().Root()->Count(), 0);
    EXPECT_EQ(parser.ProgramDocument().Root()->Name, "");
    EXPECT_EQ(fake.errorText, "';' expected");
    // Start rule failed with no error recorded: false with an empty message.
    script::RegisterScriptLanguage("Silent", "<?xml version=\"1.0\"?><language><program><keyword text=\"go\"/></program></language>");
    parser.SelectLanguage("Silent");
    EXPECT_FALSE(parser.ParseSource("stop"));
    EXPECT_EQ(fake.errorText, "");
    EXPECT_EQ(fake.errorPlace, "");
}

TEST_F(ScriptTest, UnitsFromTheScript)
{
    fake.answerUnits = true;
    fake.units["a"] = "uses 'c';\r\nbegin end.";
    fake.units["b"] = "uses 'c';\r\nprocedure B; begin end;\r\nbegin end.";
    fake.units["c"] = "const C = 1;\r\nbegin end.";
    fake.units["x&<\"y\">"] = "begin end.";
    script::TscILParser parser(fake);
    parser.SelectLanguage("ZododuVudizu");
    ASSERT_TRUE(parser.ParseSource("uses 'a', 'b';\r\nbegin end.")) << fake.errorText;
    // b is included first and brings c along; a's mention of c gives no element.
    EXPECT_EQ(Compact(*parser.ProgramDocument().Root()),
              "program(uses(program(uses(program(const(ident=C expr(number=1)) compoundstmt)) "
              "procedure(name=B compoundstmt) compoundstmt)) "
              "uses(program(compoundstmt)) compoundstmt)");
    EXPECT_EQ(parser.ProgramDocument().Root()->Items(0)->Prop("unit"), "b");
    EXPECT_EQ(parser.ProgramDocument().Root()->Items(1)->Prop("unit"), "a");
    EXPECT_EQ(fake.unitsAsked, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(parser.UnitsSeen().CommaText(), "b,c,a");

    // A unit named twice in one clause is included once; names are escaped.
    script::TscILParser second(fake);
    second.SelectLanguage("ZododuVudizu");
    ASSERT_TRUE(second.ParseSource("uses 'c', 'c', 'x&<\"y\">';\r\nbegin end."));
    const script::TscXMLItem& root = *second.ProgramDocument().Root();
    EXPECT_EQ(Compact(root), "program(uses(program(compoundstmt)) uses(program(const(ident=C expr(number=1)) "
                             "compoundstmt)) compoundstmt)");
    EXPECT_EQ(root.Items(0)->Prop("unit"), "x&<\"y\">");
    EXPECT_EQ(root.Items(0)->Text, "unit=\"x&#38;&#60;&#34;y&#34;&#62;\"");

    // A unit that uses itself is parsed once.
    fake.units["self"] = "uses 'self';\r\nbegin end.";
    ASSERT_TRUE(parser.ParseSource("uses 'self';\r\nbegin end."));
    EXPECT_EQ(Compact(*parser.ProgramDocument().Root()), "program(uses(program(compoundstmt)) compoundstmt)");

    // An empty unit gives an empty uses element.
    ASSERT_TRUE(parser.ParseSource("uses 'none';\r\nbegin end."));
    EXPECT_EQ(Compact(*parser.ProgramDocument().Root()), "program(uses compoundstmt)");
}

TEST_F(ScriptTest, AUnitsSyntaxErrorNamesTheUnit)
{
    fake.answerUnits = true;
    fake.units["bad"] = "begin\r\n  x :=\r\nend.";
    const auto result = Parse("ZododuVudizu", "uses 'bad';\r\nbegin end.");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Expression expected");
    EXPECT_EQ(result.errorPlace, "3:1");
    EXPECT_EQ(fake.errorUnitName, "bad");
}

TEST_F(ScriptTest, UnitsFromFolders)
{
    const std::string fixtures = std::string(RIVUVE_FIXTURES) + "/script/units";
    testsupport::ScratchFolder empty;
    fake.unitFolders.Clear();
    fake.unitFolders.Add(empty.Folder());
    fake.unitFolders.Add(fixtures);
    script::TscILParser parser(fake);
    parser.SelectLanguage("ZododuVudizu");
    ASSERT_TRUE(parser.ParseSource("uses 'Limits.unit';\r\nbegin end.")) << fake.errorText;
    EXPECT_EQ(Compact(*parser.ProgramDocument().Root()),
              "program(uses(program(uses(program(procedure(name=Help compoundstmt) compoundstmt)) "
              "const(ident=Limit expr(number=10)) compoundstmt)) compoundstmt)");

    EXPECT_FALSE(parser.ParseSource("uses 'Broken.unit';\r\nbegin end."));
    EXPECT_EQ(fake.errorText, "Expression expected");
    EXPECT_EQ(fake.errorPlace, "3:1");
    EXPECT_EQ(fake.errorUnitName, "Broken.unit");

    // A unit file is read as lines, joined with CR LF: its LF line ends are line ends in RorozEdedod too.
    parser.SelectLanguage("RorozEdedod");
    ASSERT_TRUE(parser.ParseSource("Imports \"LfOnly.unit\"\r\n")) << fake.errorText << " at " << fake.errorPlace;
    EXPECT_EQ(Compact(*parser.ProgramDocument().Root()),
              "program(compoundstmt(uses(program(compoundstmt(procedure(name=U parameters exit))))))");
    parser.SelectLanguage("ZododuVudizu");

    // A folder given with its separator; then a unit that is in no folder raises the file error.
    fake.unitFolders.Clear();
    fake.unitFolders.Add(fixtures + "/");
    EXPECT_TRUE(parser.ParseSource("uses 'Helpers.unit';\r\nbegin end."));
    EXPECT_THROW(parser.ParseSource("uses 'Missing.unit';\r\nbegin end."), rtl::EFOpenError);
    EXPECT_EQ(parser.ProgramDocument().Root()->Count(), 0);
}

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Deep nesting parses in every language up to a shared bound; past it the parse fails cleanly.
TEST_F(ScriptTest, Nesting)
{
    struct Case {
        const char* language;
        const char* open;
        const char* middle;
        const char* close;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"ZododuVudizu", "(", "1", ")", "begin x := ", " end."},
        {"ZododuVudizu", "begin ", "x := 1", " end", "", "."},
        {"Z++Everav", "(", "1", ")", "{ x = ", "; }"},
        {"Z++Everav", "{ ", "x = 1;", " }", "", ""},
        {"RorozEdedod", "(", "1", ")", "x = ", "\r\n"},
        {"RorozEdedod", "If x Then\r\n", "y = 1\r\n", "End If\r\n", "", ""},
        {"JScript", "(", "1", ")", "x = ", ";"},
        {"JScript", "{ ", "x = 1;", " }", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + std::string(" ") + c.open);
        auto nested = [&](int depth) {
            return c.before + Repeat(c.open, depth) + c.middle + Repeat(c.close, depth) + c.after;
        };
        const auto shallow = Parse(c.language, nested(200));
        EXPECT_TRUE(shallow.ok) << shallow.errorText << " at " << shallow.errorPlace;
        const auto deep = Parse(c.language, nested(100000));
        EXPECT_FALSE(deep.ok);
        EXPECT_EQ(deep.errorText, "Nesting too deep");
    }
}

TEST_F(ScriptTest, ALeftRecursiveGrammarEndsTooDeep)
{
    script::RegisterScriptLanguage("Loop", "<?xml version=\"1.0\"?><language text=\"Loop\"><parser/><types/>"
                                           "<program><optionalloop><program/></optionalloop></program></language>");
    const auto result = Parse("Loop", "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Nesting too deep");
    EXPECT_EQ(result.errorPlace, "1:1");
}

TEST_F(ScriptTest, NestingIsSharedWithUnits)
{
    fake.answerUnits = true;
    fake.units["deep"] = "begin x := " + Repeat("(", 100000) + "1" + Repeat(")", 100000) + " end.";
    const auto result = Parse("ZododuVudizu", "uses 'deep'; begin end.");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Nesting too deep");
    EXPECT_EQ(fake.errorUnitName, "deep");
}

}  // namespace
