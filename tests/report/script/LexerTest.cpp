#include "report/script/sc_iparser.h"

#include "tests/report/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using scripttest::ScriptTest;
using script::TscParser;

class ScriptLexer : public ScriptTest {
protected:
    // The lexer as the language's grammar sets it up.
    TscParser& Lexer(const std::string& language, const std::string& text)
    {
        parser_ = std::make_unique<script::TscILParser>(fake);
        parser_->SelectLanguage(language);
        parser_->Lexer().SetText(text);
        return parser_->Lexer();
    }

private:
    std::unique_ptr<script::TscILParser> parser_;
};

// Reads the text as a row of tokens, each tagged by the reader that took it: "w:" word, "n:" number,
// "s:" string, "c:" punctuation, and "eol" for a line end.
std::vector<std::string> Tokens(TscParser& lexer)
{
    std::vector<std::string> tokens;
    for (;;) {
        if (lexer.AtLineEnd()) {
            tokens.push_back("eol");
            continue;
        }
        std::string token;
        if (!(token = lexer.GetNumber()).empty())
            tokens.push_back("n:" + token);
        else if (!(token = lexer.GetString()).empty())
            tokens.push_back("s:" + token);
        else if (!(token = lexer.ReadWord()).empty())
            tokens.push_back("w:" + token);
        else if (!(token = lexer.GetChar()).empty())
            tokens.push_back("c:" + token);
        else
            break;
    }
    EXPECT_EQ(lexer.Position(), lexer.Size() + 1) << "stopped before the end";
    return tokens;
}

TEST_F(ScriptLexer, Tokens)
{
    struct Case {
        const char* language;
        std::string text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"ZododuVudizu", "x := 1; // note", {"w:x", "c::", "c:=", "n:1", "c:;"}},
        // Block comments do not nest.
        {"ZododuVudizu", "{ a { b } c }", {"w:c", "c:}"}},
        {"ZododuVudizu", "(* a *) b (* c", {"w:b"}},
        {"ZododuVudizu", "'It''s'", {"s:'It's'"}},
        {"ZododuVudizu", "'abc'#13#10'def'", {"s:'abc\r\ndef'"}},
        {"ZododuVudizu", "#65#66", {"s:'AB'"}},
        {"ZododuVudizu", "#$41", {"s:'A'"}},
        {"ZododuVudizu", "$1F 10", {"n:$1F", "n:10"}},
        // Character codes keep the low eight bits of any digit run.
        {"ZododuVudizu", "#321 #99999999999999999999", {"s:'A'", "s:'\xff'"}},
        {"ZododuVudizu", "# 65", {"c:#", "n:65"}},
        {"ZododuVudizu", std::string("a\0b", 3), {"w:a", "w:b"}},
        {"Z++Everav", "\"a\\\"b\"", {"s:'a\"b'"}},
        {"Z++Everav", "\"\\x41\"", {"s:'A'"}},
        {"Z++Everav", "\"\\x1041\\n\\N\\r\\\\\\q\\x\"", {"s:'A\n\n\r\\q'"}},
        {"Z++Everav", "#0x41", {"s:'A'"}},
        {"Z++Everav", "0x1F", {"n:$1F"}},
        {"Z++Everav", "1..5", {"n:1", "c:.", "c:.", "n:5"}},
        {"Z++Everav", "1.5e3 2E-2 3.5", {"n:1.5e3", "n:2E-2", "n:3.5"}},
        {"Z++Everav", "1e", {"n:1", "w:e"}},
        {"Z++Everav", "1.x", {"n:1", "c:.", "w:x"}},
        {"Z++Everav", "a /* b */ c // d\nf", {"w:a", "w:c", "w:f"}},
        // Line ends visible: a comment takes its line end with it, a continuation character joins lines.
        {"RorozEdedod", "a ' note\r\nb", {"w:a", "w:b"}},
        {"RorozEdedod", "a\r\nb", {"w:a", "eol", "w:b"}},
        {"RorozEdedod", "a _\r\nb", {"w:a", "w:b"}},
        {"RorozEdedod", "a\r\n\r\n\r\nb rem c\r\n", {"w:a", "eol", "w:b"}},
        {"RorozEdedod", "a /\\ b \\/ /\\ c", {"w:a", "w:c"}},
        // A marker is a plain character sequence: "remaining" starts a comment, "REM" does not.
        {"RorozEdedod", "x remaining\r\nREM", {"w:x", "w:REM"}},
        {"RorozEdedod", "a\nb", {"w:a", "w:b"}},
        {"JScript", "\"x\"\"y\"", {"s:'xy'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + (": " + c.text));
        EXPECT_EQ(Tokens(Lexer(c.language, c.text)), c.tokens);
    }
}

TEST_F(ScriptLexer, ReadersThatFindNothingLeaveThePositionWhereItWas)
{
    struct Case {
        const char* language;
        const char* text;
        std::string (TscParser::*reader)();
        int position;  // after the reader, which answered empty
    };
    const Case cases[] = {
        // The string reader stays at the quote, after the blanks.
        {"ZododuVudizu", "  'abc\r\n", &TscParser::GetString, 3},
        {"Z++Everav", "\"abc", &TscParser::GetString, 1},
        {"ZododuVudizu", "#x", &TscParser::GetString, 1},
        {"ZododuVudizu", " $G", &TscParser::GetNumber, 2},
        {"ZododuVudizu", " 1x", &TscParser::GetChar, 1},
        {"ZododuVudizu", " begin", &TscParser::GetIdent, 1},
        {"ZododuVudizu", " 9a", &TscParser::ReadWord, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TscParser& lexer = Lexer(c.language, c.text);
        EXPECT_EQ((lexer.*c.reader)(), "");
        EXPECT_EQ(lexer.Position(), c.position);
    }
}

TEST_F(ScriptLexer, Keywords)
{
    TscParser& pascal = Lexer("ZododuVudizu", "BEGIN Begin x");
    EXPECT_TRUE(pascal.IsKeyword("begin"));
    EXPECT_TRUE(pascal.IsKeyword("BEGIN"));
    EXPECT_FALSE(pascal.IsKeyword("beginx"));
    EXPECT_EQ(pascal.GetIdent(), "");
    EXPECT_EQ(pascal.GetKeyword(), "BEGIN");
    EXPECT_EQ(pascal.GetKeyword(), "Begin");
    EXPECT_EQ(pascal.GetIdent(), "x");

    TscParser& cpp = Lexer("Z++Everav", "return Return");
    EXPECT_TRUE(cpp.IsKeyword("return"));
    EXPECT_FALSE(cpp.IsKeyword("Return"));
    EXPECT_EQ(cpp.GetIdent(), "");
    EXPECT_EQ(cpp.GetKeyword(), "return");
    EXPECT_EQ(cpp.GetIdent(), "Return");
}

TEST_F(ScriptLexer, FieldReferencesEndWhereBracketsBalance)
{
    struct Case {
        const char* text;  // after the opening '<'
        const char* reference;
        int position;
    };
    const Case cases[] = {
        {"a[<b>]>", "a[<b>]", 7},
        {"\"x>y\">z", "\"x>y\"", 6},
        {"'it\"s>'>", "'it\"s>'", 8},
        {"Orders.Total> + 1", "Orders.Total", 13},
        {"open[", "open[", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TscParser& lexer = Lexer("ZododuVudizu", c.text);
        EXPECT_EQ(lexer.GetFRString(), c.reference);
        EXPECT_EQ(lexer.Position(), c.position);
    }
}

TEST_F(ScriptLexer, Positions)
{
    TscParser& lexer = Lexer("ZododuVudizu", "ab\r\nc\n\nd");
    struct Case {
        int position;
        const char* text;
    };
    const Case cases[] = {{1, "1:1"}, {2, "1:2"}, {3, "1:3"}, {4, "1:4"}, {5, "2:1"}, {6, "2:2"}, {7, "3:1"}, {8, "4:1"}, {9, "4:2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(lexer.PositionText(c.position), c.text);
        lexer.SetPosition(c.position);
        EXPECT_EQ(lexer.PositionText(), c.text);
    }
    EXPECT_EQ(lexer.LineStarts(), (std::vector<int>{0, 4, 6, 7}));
    EXPECT_EQ(lexer.OffsetOf(1, 2), 5);
    EXPECT_EQ(lexer.OffsetOf(2, 4), 9);
    EXPECT_EQ(lexer.OffsetOf(1, 5), -1);
    EXPECT_EQ(lexer.OffsetOf(1, 0), -1);
}

TEST(ScriptLexerDefaults, ResetDefaultsRestoresEverySetting)
{
    TscParser lexer;
    lexer.Keywords.Add("if");
    lexer.SetCommentLine1("'");
    lexer.SetCommentLine2("rem");
    lexer.SetCommentBlock1("/*,*/");
    lexer.SetCommentBlock2("\"{ \", }");
    EXPECT_EQ(lexer.CommentBlock2(), "\"{ \", }");
    lexer.SetStringQuotes("\"");
    lexer.SetHexSequence("0x");
    lexer.SetIdentChars("ab");
    lexer.SetSkipChar("_");
    lexer.SetSkipEOL(false);
    lexer.SetCaseSensitive(true);
    lexer.ResetDefaults();
    EXPECT_EQ(lexer.Keywords.Count(), 0);
    EXPECT_EQ(lexer.CommentLine1(), "//");
    EXPECT_EQ(lexer.CommentLine2(), "");
    EXPECT_EQ(lexer.CommentBlock1(), "{,}");
    EXPECT_EQ(lexer.CommentBlock2(), "(*,*)");
    EXPECT_EQ(lexer.StringQuotes(), "'");
    EXPECT_EQ(lexer.HexSequence(), "$");
    EXPECT_EQ(lexer.SkipChar(), "");
    EXPECT_TRUE(lexer.SkipEOL());
    EXPECT_FALSE(lexer.CaseSensitive());
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(lexer.IdentChars()[size_t(c)], std::isalnum(c) || c == '_') << c;
}

TEST(ScriptLexerDefaults, CommentBlockMarkersSplitLikeACommaList)
{
    TscParser lexer;
    lexer.SetCommentBlock1("\"{ \", }");
    lexer.SetCommentBlock2("<< >>");
    lexer.SetText("x { b } c {d} << e >> f");
    EXPECT_EQ(lexer.ReadWord(), "x");
    EXPECT_EQ(lexer.ReadWord(), "c");
    lexer.SkipSpaces();
    EXPECT_EQ(lexer.GetChar(), "{");
    EXPECT_EQ(lexer.ReadWord(), "d");
    lexer.SkipSpaces();
    EXPECT_EQ(lexer.GetChar(), "}");
    EXPECT_EQ(lexer.ReadWord(), "f");
}

// Runs of a million continuation characters or comments are skipped in a loop, not by recursion, and
// an unclosed comment or string never takes the position past the end of the text.
TEST(ScriptLexerDefaults, LongRunsAndUnclosedTokens)
{
    TscParser lexer;
    lexer.SetSkipChar("_");
    lexer.SetSkipEOL(false);
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += "_\r\n{}";
    lexer.SetText(text + "x");
    EXPECT_EQ(lexer.ReadWord(), "x");

    for (const char* unclosed : {"{ open", "(* open", "'open", "// open", "#", "'a'#"}) {
        SCOPED_TRACE(unclosed);
        lexer.SetText(unclosed);
        lexer.SkipSpaces();
        lexer.GetString();
        lexer.GetNumber();
        EXPECT_LE(lexer.Position(), lexer.Size() + 1);
        lexer.SetPosition(2);
        lexer.GetFRString();
        EXPECT_EQ(lexer.Position(), lexer.Size() + 1);
    }
}

}  // namespace
