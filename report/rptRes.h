#pragma once
// The report library's texts: one process-wide table of localisable strings by name, filled at start-up
// from the library's XML string table and, over it, from language files; the list of language files
// beside the program; and the link to the help file.
//
// String table XML: root "Resources" with the decimal attribute "CodePage" (the code page of the 8-bit
// texts handed out), children "StrRes" with "Name" and "Text"; a text is unescaped twice (as an attribute
// value and once more) and then read as UTF-8, so a quotation mark is stored as "&#38;#34;". Other
// children are ignored; a root of another name adds nothing.

#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "platform/wintypes/Types.h"
#include "report/rptUnicodeUtils.h"

#include <string>
#include <string_view>

namespace classes {
class TObject;
}

namespace report {

class TrptResources {
public:
    // Builds the list of languages.
    TrptResources();
    TrptResources(const TrptResources&) = delete;
    TrptResources& operator=(const TrptResources&) = delete;

    // The text of name in 8-bit text of CodePage; name itself when there is none. A leading "!" is dropped.
    std::string Get(std::string_view name) const;
    // A new name gets the text; a known one has its text replaced.
    void Add(const std::string& name, const std::u16string& text);
    // Loads a string table held as text.
    void AddStrings(std::string_view xml);
    // Reads a whole string table and only then adds it: a malformed document raises
    // TrptInvalidXMLException, a CodePage that is no number or that the runtime has no table for raises
    // EConvertError naming it, and in both cases nothing is added. Afterwards the script engine gets its
    // messages in the texts now in the table.
    void LoadFromStream(rtl::TStream& stream);
    // The script engine's 17 messages as their current texts.
    void PushScriptMessages() const;

    // The XML files beside the program (rptGetAppPath), as language names: "german.xml" is "German"; the
    // files wizstyle, users, config and schedule are no languages.
    void BuildLanguagesList();
    const rtl::TStringList& LanguageNames() const { return languageNames_; }

    int CodePage() const { return codePage_; }
    const std::string& HelpFileName() const { return helpFileName_; }
    void SetHelpFileName(std::string name) { helpFileName_ = std::move(name); }

    // Opens the help file at the page of the window's class (only its class name is read), or at its
    // start for a class without one.
    void ShowHelp(const classes::TObject* form) const;

private:
    rtl::TStringList names_;     // sorted; each object is the index of its text in values_
    TrptWideStringList values_;  // in the order first added
    int codePage_ = 0;
    std::string helpFileName_ = "DUVoze.chm";
    rtl::TStringList languageNames_;
};

// The process-wide table, made on first use; the library's finalize() frees it.
TrptResources& rptGetResources();
// Get of the decimal text of id.
std::string rptGetResourceById(int id);

// Opens HTML Help with the path (HH_DISPLAY_TOC) when the HTML Help library is there; otherwise nothing.
void rptDisplayHHelp(win::HWND window, const std::string& path);

}  // namespace report
