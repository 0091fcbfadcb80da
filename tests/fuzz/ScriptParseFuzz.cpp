// Parses arbitrary text in one script language (SCRIPT_LANGUAGE, given by the build): no crash; every
// pos and pos1 of the XML program, and a non-empty error place, is a line:column inside the text it
// belongs to (the main text, or the unit for what a unit produced); a parsed program saves and reloads
// to the same tree. Every used unit is answered with one small fixed unit.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/script/Script.h"
#include "report/script/sc_iilparser.h"
#include "report/script/sc_xml.h"
#include "tests/support/ScriptHost.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Finding(const std::string& what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

// A unit that parses in its language; in another one (a "#language" line) it may well not.
std::string FixedUnit()
{
    const std::string_view language = SCRIPT_LANGUAGE;
    if (language == "ZododuVudizu")
        return "procedure U; begin end;\r\nbegin end.\r\n";
    if (language == "Z++Everav")
        return "int u() { return 1; }\r\n{}\r\n";
    if (language == "RorozEdedod")
        return "Sub U()\r\nEnd Sub\r\n";
    return "function u() { return 1; }\r\n";
}

// Whether place is "line:column" of a position from 1 to the text's length + 1, the column within its
// line (an LF is the last column of its line).
bool InsideText(const std::string& place, std::string_view text)
{
    const size_t colon = place.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == place.size() || place.size() > 20)
        return false;
    for (size_t i = 0; i < place.size(); ++i) {
        if (i != colon && (place[i] < '0' || place[i] > '9'))
            return false;
    }
    const long line = std::stol(place.substr(0, colon));
    const long column = std::stol(place.substr(colon + 1));
    std::vector<long> lineStarts{0};
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            lineStarts.push_back(long(i) + 1);
    }
    if (line < 1 || line > long(lineStarts.size()) || column < 1)
        return false;
    const long position = lineStarts[size_t(line - 1)] + column;
    const long lineEnd = line < long(lineStarts.size()) ? lineStarts[size_t(line)] : long(text.size()) + 1;
    return position <= lineEnd;
}

void CheckPositions(const script::TscXMLItem& root, std::string_view text, std::string_view unitText)
{
    std::vector<std::pair<const script::TscXMLItem*, bool>> pending{{&root, false}};
    while (!pending.empty()) {
        auto [item, inUnit] = pending.back();
        pending.pop_back();
        for (const char* attribute : {"pos", "pos1"}) {
            const std::string place = item->Prop(attribute);
            if (!place.empty() && !InsideText(place, inUnit ? unitText : text))
                Finding(item->Name + " " + attribute + "=" + place + " lies outside its text");
        }
        for (int i = 0; i < item->Count(); ++i)
            pending.emplace_back(item->Items(i), inUnit || item->Name == "uses");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static testsupport::ScriptHost fuzzScript;
    static const bool started = [] {
        script::initialize();
        fuzzScript.highCharNames = true;
        fuzzScript.OnGetUnit = [](const std::string&, std::string& answer) { answer = FixedUnit(); };
        return true;
    }();
    (void)started;
    const std::string text(reinterpret_cast<const char*>(data), size);
    rtl::TStringList unitLines;
    unitLines.SetText(FixedUnit());
    const std::string unitText = unitLines.Text();

    // One parser serves every input; it selects its language again only when a "#language" line
    // changed it, and forgets the units of the input before.
    static script::TscILParser parser(fuzzScript);
    if (parser.LanguageName() != SCRIPT_LANGUAGE)
        parser.SelectLanguage(SCRIPT_LANGUAGE);
    parser.UnitsSeen().Clear();
    fuzzScript.errorText.clear();
    fuzzScript.errorPlace.clear();
    fuzzScript.errorUnitName.clear();
    bool parsed;
    try {
        parsed = parser.ParseSource(text);
    } catch (const rtl::Exception& e) {
        // A "#language" line may name a language that does not exist; nothing else may fail this way.
        if (e.Message().starts_with("Language '") && e.Message().ends_with("' not found"))
            return 0;
        Finding(std::string("unexpected failure: ") + e.what());
    }
    if (!fuzzScript.errorPlace.empty() &&
        !InsideText(fuzzScript.errorPlace, fuzzScript.errorUnitName.empty() ? std::string_view(text) : unitText))
        Finding("error place " + fuzzScript.errorPlace + " lies outside its text");
    if (!parsed) {
        if (parser.ProgramDocument().Root()->Count() != 0)
            Finding("a failed parse left a program");
        return 0;
    }
    CheckPositions(*parser.ProgramDocument().Root(), text, unitText);
    const std::string saved = testsupport::SavedText(parser.ProgramDocument());
    script::TscXMLDocument reloaded;
    rtl::TStringStream again(saved);
    reloaded.LoadFromStream(again);
    if (testsupport::SavedText(reloaded) != saved)
        Finding("the program did not reload to the same tree");
    return 0;
}
