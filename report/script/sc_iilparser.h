#pragma once
// The script front end: the list of script languages and the grammar-driven parser that turns source
// text in the selected language into the XML program, with the first syntax error and its position.
// No language is known to the code; every language-specific decision is in the language's grammar.

#include "platform/rtl/StringList.h"
#include "report/script/sc_iparser.h"
#include "report/script/sc_xml.h"

#include <memory>
#include <string>

namespace script {

namespace detail {
class Grammar;
struct GrammarItem;
class ProgramOutput;
}  // namespace detail

// The script as the parser sees it: where errors go and where used units come from.
class IscParserScript {
public:
    virtual ~IscParserScript() = default;

    virtual std::string ErrorText() const = 0;
    virtual void SetErrorText(const std::string& text) = 0;
    // "line:column" of the error.
    virtual std::string ErrorPlace() const = 0;
    virtual void SetErrorPlace(const std::string& place) = 0;
    // The unit the error is in; empty for the main text.
    virtual std::string ErrorUnitName() const = 0;
    virtual void SetErrorUnitName(const std::string& name) = 0;
    // Characters 128 to 255 count as identifier characters.
    virtual bool HighCharNames() const = 0;
    // Folders searched for used units: an empty entry is the current folder.
    virtual const rtl::TStrings& UnitFolders() const = 0;
    // The OnGetUnit event: false when no handler is assigned; otherwise the handler's answer is in
    // unitText (empty before the call).
    virtual bool GetUnit(const std::string& unitName, std::string& unitText) = 0;
};

// Every registered language as a line "name=grammar text", in the order of registration.
rtl::TStringList& ScriptLanguages();
// Adds the language, or replaces the grammar of one of that name (case ignored) in place.
void RegisterScriptLanguage(const std::string& name, const std::string& grammar);
// The grammar of that language (case ignored); "Language '%s' not found" when there is none.
std::string FindScriptGrammar(const std::string& name);

class TscILParser {
public:
    explicit TscILParser(IscParserScript& script);
    ~TscILParser();
    TscILParser(const TscILParser&) = delete;
    TscILParser& operator=(const TscILParser&) = delete;

    // Resets the lexer, loads the language's grammar and applies its settings. "Language '%s' not
    // found" for a name not registered, "Invalid file format" for a grammar that is no XML.
    void SelectLanguage(const std::string& name);
    // Parses text into the program document (emptied when the parse fails) and sets the script's
    // ErrorText and ErrorPlace (empty on success). A first line "#language Name" selects that language.
    // Raises "Invalid language definition" when the grammar lacks a rule it reaches, and the file error
    // of a used unit that cannot be read.
    bool ParseSource(const std::string& text);

    IscParserScript& Script() const { return script_; }
    TscXMLDocument& GrammarDocument() { return grammarDocument_; }
    TscXMLDocument& ProgramDocument() { return programDocument_; }
    TscParser& Lexer() { return lexer_; }
    rtl::TStringList& UnitsSeen() { return unitsSeen_; }
    const std::string& LanguageName() const { return languageName_; }
    const std::string& UnitName() const { return unitName_; }
    void SetUnitName(const std::string& name) { unitName_ = name; }
    // Cleared by a grammar whose undeclared identifiers become variables.
    bool DeclareVarsRequired() const { return declareVarsRequired_; }

    // How deep grammar items may nest, used units included; past it a parse fails with "Nesting too
    // deep". Two hundred nested brackets or blocks stay far below it in every language.
    static constexpr int MaxNesting = 4000;

private:
    TscILParser(IscParserScript& script, int* nesting);

    bool MatchItem(const detail::GrammarItem& item);
    bool MatchTerminal(const detail::GrammarItem& item, int entry, size_t entryLine);
    bool MatchSwitch(const detail::GrammarItem& item, int entry, size_t entryLine);
    bool MatchLoop(const detail::GrammarItem& item, int entry, size_t entryLine);
    bool MatchOptional(const detail::GrammarItem& item, int entry, size_t entryLine);
    bool MatchChildren(const detail::GrammarItem& item);
    bool Fail(const detail::GrammarItem& item, int entry, size_t entryLine, int errorPosition = 0);
    void GoBack(int entry, size_t entryLine);
    void WriteToken(const detail::GrammarItem& item, std::string_view token);
    void WriteFieldReference(const std::string& reference);
    void CloseNode(const detail::GrammarItem& item, bool success, int entry, size_t entryLine);
    void ReportGrammarError(const detail::GrammarItem& item, int position);
    void NestingTooDeep();
    void IncludeUnits(size_t entryLine);
    void IncludeUnit(const std::string& name);
    std::string UnitText(const std::string& name);
    std::string ProgramText() const;
    void LoadProgram();
    int FirstTokenAt(int position);

    IscParserScript& script_;
    TscXMLDocument grammarDocument_;
    TscXMLDocument programDocument_;
    TscParser lexer_;
    rtl::TStringList unitsSeen_;
    std::string languageName_;
    std::string unitName_;
    bool declareVarsRequired_ = true;
    std::unique_ptr<detail::Grammar> grammar_;

    // Nesting of MatchItem, shared with the parsers of used units.
    int ownNesting_ = 0;
    int* nesting_;

    // State of one ParseSource.
    std::unique_ptr<detail::ProgramOutput> output_;
    bool errorRecorded_ = false;
    std::string errorText_;
    std::string errorPlace_;
    bool discardError_ = false;
    // Nesting ran too deep: every item now fails at once and no loop discards the error.
    bool aborted_ = false;
};

}  // namespace script
