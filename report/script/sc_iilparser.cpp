#include "report/script/sc_iilparser.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringUtils.h"
#include "report/script/detail/GrammarGraph.h"
#include "report/script/detail/Languages.h"
#include "report/script/detail/ProgramOutput.h"

namespace script {

namespace {

using detail::GrammarItem;
using detail::ItemKind;

std::unique_ptr<rtl::TStringList> languages;

[[noreturn]] void InvalidLanguageDefinition()
{
    throw rtl::Exception("Invalid language definition");
}

// Holds one level of MatchItem's nesting for the length of the call.
class NestingLevel {
public:
    explicit NestingLevel(int& nesting) : nesting_(nesting) { ++nesting_; }
    ~NestingLevel() { --nesting_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& nesting_;
};

}  // namespace

namespace detail {

void ReleaseScriptLanguages()
{
    languages.reset();
}

}  // namespace detail

rtl::TStringList& ScriptLanguages()
{
    if (!languages)
        languages = std::make_unique<rtl::TStringList>();
    return *languages;
}

void RegisterScriptLanguage(const std::string& name, const std::string& grammar)
{
    rtl::TStringList& list = ScriptLanguages();
    const int index = list.IndexOfName(name);
    if (index >= 0)
        list.SetStrings(index, name + "=" + grammar);
    else
        list.Add(name + "=" + grammar);
}

std::string FindScriptGrammar(const std::string& name)
{
    rtl::TStringList& list = ScriptLanguages();
    const int index = list.IndexOfName(name);
    if (index < 0)
        throw rtl::Exception(rtl::Format("Language '%s' not found", {name}));
    return list.ValueFromIndex(index);
}

// ---- TscILParser ----

TscILParser::TscILParser(IscParserScript& script) : TscILParser(script, nullptr)
{
}

TscILParser::TscILParser(IscParserScript& script, int* nesting)
    : script_(script), nesting_(nesting ? nesting : &ownNesting_), output_(std::make_unique<detail::ProgramOutput>())
{
}

TscILParser::~TscILParser() = default;

void TscILParser::SelectLanguage(const std::string& name)
{
    // Everything comes from the defaults and the new grammar, whatever was selected before.
    lexer_.ResetDefaults();
    languageName_ = name;
    grammar_.reset();
    rtl::TStringStream grammarText(FindScriptGrammar(name));
    grammarDocument_.LoadFromStream(grammarText);
    grammar_ = std::make_unique<detail::Grammar>(*grammarDocument_.Root());

    TscXMLItem* parser = grammarDocument_.Root()->FindItem("parser");
    const TscXMLItem* keywords = parser->FindItem("keywords");
    {
        rtl::TStringsUpdate update(lexer_.Keywords);
        for (int i = 0; i < keywords->Count(); ++i)
            lexer_.Keywords.Add(keywords->Items(i)->Name);
    }
    declareVarsRequired_ = true;
    for (int i = 0; i < parser->Count(); ++i) {
        const TscXMLItem* setting = parser->Items(i);
        const std::string settingName = rtl::AnsiLowerCase(setting->Name);
        const std::string value = setting->Prop("text");
        if (settingName == "identchars")
            lexer_.SetIdentChars(value);
        else if (settingName == "commentline1")
            lexer_.SetCommentLine1(value);
        else if (settingName == "commentline2")
            lexer_.SetCommentLine2(value);
        else if (settingName == "commentblock1")
            lexer_.SetCommentBlock1(value);
        else if (settingName == "commentblock2")
            lexer_.SetCommentBlock2(value);
        else if (settingName == "stringquotes")
            lexer_.SetStringQuotes(value);
        else if (settingName == "hexsequence")
            lexer_.SetHexSequence(value);
        else if (settingName == "skipchar")
            lexer_.SetSkipChar(value);
        else if (settingName == "skipeol" && value == "0")
            lexer_.SetSkipEOL(false);
        else if (settingName == "declarevars" && value == "0")
            declareVarsRequired_ = false;
        else if (settingName == "casesensitive" && value == "1")
            lexer_.SetCaseSensitive(true);
    }
    if (script_.HighCharNames())
        lexer_.AddIdentChars(128, 255);
}

bool TscILParser::ParseSource(const std::string& text)
{
    programDocument_.Root()->Clear();
    programDocument_.Root()->Name.clear();
    programDocument_.Root()->Text.clear();
    output_->Clear();
    errorRecorded_ = false;
    errorText_.clear();
    errorPlace_.clear();
    discardError_ = false;
    aborted_ = false;

    lexer_.SetText(text);
    int start = 1;
    if (!text.empty() && text[0] == '#') {
        lexer_.SetPosition(2);
        if (rtl::AnsiSameText(lexer_.ReadWordView(), "language")) {
            // The language line ends at its first CR or LF; positions still count from the text's start.
            const size_t nameStart = size_t(lexer_.Position() - 1);
            size_t lineEnd = text.find_first_of("\r\n", nameStart);
            if (lineEnd == std::string::npos)
                lineEnd = text.size();
            SelectLanguage(rtl::Trim(std::string_view(text).substr(nameStart, lineEnd - nameStart)));
            if (lineEnd < text.size())
                lineEnd += text.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1;
            start = int(lineEnd) + 1;
        }
    }
    if (!grammar_)
        throw rtl::EInvalidOperation("No script language selected");
    const GrammarItem* program = grammar_->FindRule("program");
    if (!program)
        InvalidLanguageDefinition();
    lexer_.SetPosition(start);

    const bool parsed = MatchItem(*program) && !errorRecorded_;
    if (parsed)
        LoadProgram();
    output_->Clear();
    script_.SetErrorPlace(errorPlace_);
    script_.SetErrorText(errorText_);
    return parsed;
}

void TscILParser::LoadProgram()
{
    rtl::TStringStream text("<?xml version=\"1.0\"?><program>" + output_->Join() + "</program>");
    programDocument_.LoadFromStream(text);
    TscXMLItem* types = programDocument_.Root()->Add();
    const int grammarTypes = grammarDocument_.Root()->IndexOf("types");
    if (grammarTypes >= 0)
        types->Assign(*grammarDocument_.Root()->Items(grammarTypes));
    else
        types->Name = "types";
}

bool TscILParser::MatchItem(const GrammarItem& item)
{
    if (aborted_)
        return false;
    NestingLevel level(*nesting_);
    if (*nesting_ > MaxNesting) {
        NestingTooDeep();
        return false;
    }
    const int entry = lexer_.Position();
    const size_t entryLine = output_->Count();
    switch (item.kind) {
    case ItemKind::Rule:
    case ItemKind::Sequence:
        break;
    case ItemKind::Switch:
    case ItemKind::OptionalSwitch:
        return MatchSwitch(item, entry, entryLine);
    case ItemKind::Loop:
    case ItemKind::OptionalLoop:
        return MatchLoop(item, entry, entryLine);
    case ItemKind::Optional:
        return MatchOptional(item, entry, entryLine);
    case ItemKind::Reference:
        if (!item.rule)
            InvalidLanguageDefinition();
        if (!MatchItem(*item.rule))
            return Fail(item, entry, entryLine);
        // The reference's own node wraps what the rule produced.
        CloseNode(item, true, entry, entryLine);
        WriteToken(item, {});
        break;
    default:
        if (!MatchTerminal(item, entry, entryLine))
            return false;
        break;
    }
    const bool matched = MatchChildren(item);
    if (item.isRule)
        CloseNode(item, matched, entry, entryLine);
    if (!matched)
        GoBack(entry, entryLine);
    return matched;
}

bool TscILParser::MatchChildren(const GrammarItem& item)
{
    for (const GrammarItem* child : item.children) {
        if (!MatchItem(*child))
            return false;
    }
    return true;
}

bool TscILParser::MatchTerminal(const GrammarItem& item, int entry, size_t entryLine)
{
    std::string read;
    std::string_view token;
    switch (item.kind) {
    case ItemKind::Char:
        if (!item.noSkip)
            lexer_.SkipSpaces();
        token = lexer_.GetCharView();
        break;
    case ItemKind::Keyword:
        token = lexer_.ReadWordView();
        break;
    case ItemKind::Ident:
        token = lexer_.ReadWordView();
        if (!token.empty() && lexer_.IsKeyword(token))
            token = {};
        break;
    case ItemKind::Number:
        read = lexer_.GetNumber();
        token = read;
        break;
    case ItemKind::String:
        read = lexer_.GetString();
        token = read;
        break;
    case ItemKind::FrString:
        read = lexer_.GetFRString();
        WriteFieldReference(read);
        token = read;
        break;
    case ItemKind::Eol:
        if (!lexer_.AtLineEnd())
            return Fail(item, entry, entryLine);
        CloseNode(item, true, entry, entryLine);
        WriteToken(item, {});
        return true;
    case ItemKind::Eof: {
        // Only blanks, comments and line ends may follow; the error stands at the first other character.
        lexer_.SkipSpaces();
        while (lexer_.AtLineEnd()) {
        }
        if (lexer_.Position() <= lexer_.Size())
            return Fail(item, entry, entryLine, lexer_.Position());
        CloseNode(item, true, entry, entryLine);
        WriteToken(item, {});
        return true;
    }
    default:
        InvalidLanguageDefinition();
    }
    if (token.empty() || (!item.text.empty() && !lexer_.SameToken(token, item.text)))
        return Fail(item, entry, entryLine);
    CloseNode(item, true, entry, entryLine);
    WriteToken(item, token);
    return true;
}

bool TscILParser::MatchSwitch(const GrammarItem& item, int entry, size_t entryLine)
{
    for (const GrammarItem* child : item.children) {
        if (MatchItem(*child))
            return true;
    }
    if (item.kind == ItemKind::OptionalSwitch && !aborted_)
        return true;
    return Fail(item, entry, entryLine);
}

bool TscILParser::MatchLoop(const GrammarItem& item, int entry, size_t entryLine)
{
    int attempts = 0;
    bool matched = false;
    int afterChildren = entry;
    for (;;) {
        ++attempts;
        const int iterationStart = lexer_.Position();
        matched = MatchChildren(item);
        afterChildren = lexer_.Position();
        if (!matched || aborted_)
            break;
        if (!item.text.empty()) {
            lexer_.SkipSpaces();
            if (lexer_.GetCharView() != item.text) {
                lexer_.SetPosition(afterChildren);
                break;
            }
        }
        if (lexer_.Position() == iterationStart)
            break;
    }
    if (aborted_)
        return Fail(item, entry, entryLine);
    if (attempts > 1) {
        // A later iteration that matched only in part stays consumed, with what it wrote.
        if (item.discardsError || discardError_) {
            errorRecorded_ = false;
            errorText_.clear();
            errorPlace_.clear();
            discardError_ = false;
        }
        lexer_.SetPosition(afterChildren);
        return true;
    }
    if (matched)
        return true;
    if (item.kind == ItemKind::OptionalLoop) {
        GoBack(entry, entryLine);
        return true;
    }
    return Fail(item, entry, entryLine);
}

bool TscILParser::MatchOptional(const GrammarItem& item, int entry, size_t entryLine)
{
    if (MatchChildren(item))
        return true;
    if (aborted_)
        return Fail(item, entry, entryLine);
    GoBack(entry, entryLine);
    return true;
}

bool TscILParser::Fail(const GrammarItem& item, int entry, size_t entryLine, int errorPosition)
{
    ReportGrammarError(item, errorPosition ? errorPosition : FirstTokenAt(entry));
    GoBack(entry, entryLine);
    return false;
}

void TscILParser::GoBack(int entry, size_t entryLine)
{
    // What an item wrote goes with it whenever the interpreter goes back to where the item began.
    lexer_.SetPosition(entry);
    output_->Truncate(entryLine);
}

int TscILParser::FirstTokenAt(int position)
{
    const int saved = lexer_.Position();
    lexer_.SetPosition(position);
    lexer_.SkipSpaces();
    const int first = lexer_.Position();
    lexer_.SetPosition(saved);
    return first;
}

void TscILParser::WriteToken(const GrammarItem& item, std::string_view token)
{
    if (item.add.empty())
        return;
    output_->Append("<" + item.add + " text=\"" + EscapeXMLText(item.hasAddText ? std::string_view(item.addText) : token) +
                    "\" pos=\"" + lexer_.PositionText() + "\"/>");
}

void TscILParser::WriteFieldReference(const std::string& reference)
{
    // A report field reference <R> reads as the call Get('R').
    const std::string pos = "pos=\"" + lexer_.PositionText() + "\"";
    output_->Append("<dsgn " + pos + ">");
    output_->Append("<node text=\"Get\" " + pos + "/>");
    output_->Append("<expr " + pos + ">");
    output_->Append("<string text=\"'" + EscapeXMLText(reference) + "'\" " + pos + "/>");
    output_->Append("</expr>");
    output_->Append("</dsgn>");
}

void TscILParser::CloseNode(const GrammarItem& item, bool success, int entry, size_t entryLine)
{
    if (item.includesUnits) {
        IncludeUnits(entryLine);
        return;
    }
    if (item.node.empty())
        return;
    if (!success) {
        output_->Truncate(entryLine);
        return;
    }
    std::string tag = "<" + item.node + " pos=\"" + lexer_.PositionText(FirstTokenAt(entry)) + "\"";
    if (item.node == "expr")
        tag += " pos1=\"" + lexer_.PositionText() + "\"";
    tag += ">";
    output_->Append("</" + item.node + ">");
    output_->InsertStartTag(entryLine, tag);
}

void TscILParser::ReportGrammarError(const GrammarItem& item, int position)
{
    if (!item.hasErr || errorRecorded_)
        return;
    errorRecorded_ = true;
    errorText_ = item.errText;
    errorPlace_ = lexer_.PositionText(position);
    discardError_ = item.term;
}

void TscILParser::NestingTooDeep()
{
    aborted_ = true;
    errorRecorded_ = true;
    errorText_ = "Nesting too deep";
    errorPlace_ = lexer_.PositionText(FirstTokenAt(lexer_.Position()));
    discardError_ = false;
}

void TscILParser::IncludeUnits(size_t entryLine)
{
    // The clause's file elements name the units; the last named is included first, so the uses
    // elements stand in the reverse order of the names.
    std::vector<std::string> names;
    for (size_t line = entryLine; line < output_->Count(); ++line) {
        TscXMLItem element;
        element.Text = output_->Line(line);
        const std::string quoted = element.Prop("text");
        names.push_back(quoted.size() >= 2 ? quoted.substr(1, quoted.size() - 2) : std::string());
    }
    output_->Truncate(entryLine);
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        IncludeUnit(*name);
}

void TscILParser::IncludeUnit(const std::string& name)
{
    if (unitsSeen_.IndexOf(name) >= 0)
        return;
    unitsSeen_.Add(name);
    rtl::TStringList lines;
    lines.SetText(UnitText(name));
    std::string program;
    if (lines.Count() > 0) {
        TscILParser unit(script_, nesting_);
        unit.SetUnitName(name);
        unit.SelectLanguage(languageName_);
        unit.UnitsSeen().Assign(unitsSeen_);
        if (unit.ParseSource(lines.Text())) {
            unitsSeen_.Assign(unit.UnitsSeen());
            program = unit.ProgramText();
        } else {
            errorRecorded_ = true;
            errorText_ = script_.ErrorText();
            errorPlace_ = script_.ErrorPlace();
            discardError_ = false;
            aborted_ = aborted_ || unit.aborted_;
            if (script_.ErrorUnitName().empty())
                script_.SetErrorUnitName(name);
        }
    }
    output_->Append("<uses unit=\"" + EscapeXMLText(name) + "\">");
    output_->Append(program);
    output_->Append("</uses>");
}

std::string TscILParser::UnitText(const std::string& name)
{
    std::string text;
    if (script_.GetUnit(name, text))
        return text;
    const rtl::TStrings& folders = script_.UnitFolders();
    std::string fileName = name;
    for (int i = 0; i < folders.Count(); ++i) {
        const std::string folder = folders.Strings(i);
        fileName = folder.empty() || folder.back() == '/' || folder.back() == '\\' ? folder + name : folder + "/" + name;
        if (rtl::FileExists(fileName))
            break;
    }
    // A unit found in no folder raises the file error of the last one tried.
    rtl::TStringList lines;
    lines.LoadFromFile(fileName);
    return lines.Text();
}

std::string TscILParser::ProgramText() const
{
    rtl::TStringStream text;
    programDocument_.SaveToStream(text);
    const std::string& saved = text.DataString();
    const size_t declarationEnd = saved.find("?>");
    return declarationEnd == std::string::npos ? saved : saved.substr(declarationEnd + 2);
}

}  // namespace script
