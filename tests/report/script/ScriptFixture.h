#pragma once
// What the front end's tests share: a script that records errors and answers units from a table, a
// compact rendering of XML programs, and a parse in one call.

#include "platform/rtl/StringList.h"
#include "report/script/Script.h"
#include "report/script/sc_iilparser.h"
#include "report/script/sc_xml.h"
#include "tests/support/ScriptHost.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>
#include <string>

namespace scripttest {

// A script that answers used units from a table (empty text for a name it lacks) once answerUnits is set.
class FakeScript : public testsupport::ScriptHost {
public:
    FakeScript()
    {
        OnGetUnit = [this](const std::string& unitName, std::string& unitText) {
            unitsAsked.push_back(unitName);
            auto it = units.find(unitName);
            if (it != units.end())
                unitText = it->second;
        };
    }

    bool GetUnit(const std::string& unitName, std::string& unitText) override
    {
        return answerUnits && ScriptHost::GetUnit(unitName, unitText);
    }

    bool answerUnits = false;
    std::map<std::string, std::string> units;
    std::vector<std::string> unitsAsked;
};

// name, then "=text" when the element has a text attribute, then its children in parentheses; the
// program's closing types element is left out. "compoundstmt(callstmt(dsgn(node=x)))".
inline std::string Compact(const script::TscXMLItem& item)
{
    std::string out = item.Name;
    if (item.Text.find("text=") != std::string::npos)
        out += "=" + item.Prop("text");
    int count = item.Count();
    if (item.Name == "program" && count > 0 && item.Items(count - 1)->Name == "types")
        --count;
    if (count > 0) {
        out += "(";
        for (int i = 0; i < count; ++i)
            out += (i ? " " : "") + Compact(*item.Items(i));
        out += ")";
    }
    return out;
}

// The whole tree with every attribute text, one element per line, indented.
inline std::string Dump(const script::TscXMLItem& item, int depth = 0)
{
    std::string out = std::string(size_t(depth) * 2, ' ') + item.Name + (item.Text.empty() ? "" : " " + item.Text) + "\n";
    for (int i = 0; i < item.Count(); ++i)
        out += Dump(*item.Items(i), depth + 1);
    return out;
}

struct ParseResult {
    bool ok;
    std::string program;  // Compact form of the program, empty when the parse failed
    std::string errorText;
    std::string errorPlace;
};

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override { script::initialize(); }
    void TearDown() override { script::finalize(); }

    ParseResult Parse(const std::string& language, const std::string& text)
    {
        script::TscILParser parser(fake);
        parser.SelectLanguage(language);
        const bool ok = parser.ParseSource(text);
        return {ok, ok ? Compact(*parser.ProgramDocument().Root()) : std::string(), fake.errorText, fake.errorPlace};
    }

    struct Program {
        std::string text;
        // The Compact form of the program, or "!message at place" for a text that does not parse.
        std::string expected;
    };

    void ExpectPrograms(const std::string& language, const std::vector<Program>& programs)
    {
        fake.answerUnits = true;
        for (const Program& program : programs) {
            SCOPED_TRACE(language + ": " + program.text);
            const ParseResult result = Parse(language, program.text);
            EXPECT_EQ(result.ok ? result.program : "!" + result.errorText + " at " + result.errorPlace, program.expected);
        }
    }

    FakeScript fake;
};

}  // namespace scripttest
