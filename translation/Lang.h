#pragma once
// TtrCustomLang: the translation component a window (form or data module) carries, at most one per
// window. It holds the window's translation tables, one list of lines per kind of text, each line an
// identifier followed by one text per language:
//
//     "IDS_5" <delimiter> "Save active project?" <delimiter>
//
// and answers look-ups of texts by identifier (Lookup.cpp). The tables travel in the window's stored
// data as the binary property "TranslationData"; once the window is read (Loaded) the Strings lines
// are sorted into a look-up table, so the window's creation code can already look its texts up.
// TtrLingua (Lingua.h) publishes the lists and the language properties.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "translation/ExtendedTranslations.h"
#include "translation/Lookup.h"
#include "translation/SortedStrings.h"
#include "translation/TranslationData.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace translation {

class ELanguageError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "ELanguageError"; }
};

inline constexpr classes::TResStringRec SOnlyOneLangComponent{
    "SOnlyOneLangComponent", "Only one TtrCustomLang component per Form/DataModule allowed!"};
inline constexpr classes::TResStringRec SInvalidLanguageIndex{
    "SInvalidLanguageIndex", "%d - is not a valid property value!\rValue must be within [1..%d]!"};
inline constexpr classes::TResStringRec SInvalidLanguageCount{
    "SInvalidLanguageCount", " - is not a valid property value !\rValue must be more than ZERO !"};
inline constexpr classes::TResStringRec SLanguageNotInNames{
    "SLanguageNotInNames", "Language name shall be included in LangNames property!"};
inline constexpr classes::TResStringRec SStringIdNotFound{"SStringIdNotFound",
                                                          "String identifier \"%s\" not found!"};

enum class TTranslateType : std::uint8_t { ttNoChange, ttGetDefault };
const classes::TTypeInfo& TranslateTypeType();

enum TtrLinguaOption : std::uint8_t { loUseExtUDStrings = 1u << 0, loUseExtCommonStrings = 1u << 1 };
using TtrLinguaOptions = std::uint8_t;
const classes::TTypeInfo& LinguaOptionsType();

// Standard dialog texts: 83 entries; the first 15 are the message-box captions and buttons, whose
// texts are the platform's current ones (read at start-up, TakeMessageCaptionTexts).
constexpr int kDialogCaptionCount = 83;
constexpr int kBasicDialogCaptionCount = 15;
// Entry i (1-based) as the component shows it, and its identifier (the text without "&").
std::string DialogCaptionText(int i);
std::string DialogCaptionIdentifier(int i);
void TakeMessageCaptionTexts();

// The locale items of Locales lines, in order, and their current values: the currency string, the
// separators, the date and time formats and strings, then the month and day names, each list joined
// with ",".
constexpr int kLocaleItemCount = 15;
std::string_view LocaleItemName(int index);
using TLocaleSnapshot = std::array<std::string, kLocaleItemCount>;
TLocaleSnapshot TakeLocaleSnapshot();

class TtrCustomLang : public classes::TComponent {
public:
    // A second component on one owner raises rtl::Exception "Only one TtrCustomLang component per
    // Form/DataModule allowed!" before it joins the owner, which keeps its first.
    explicit TtrCustomLang(classes::TComponent* owner);
    ~TtrCustomLang() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The list of a string type: the published string-list property named after the type less its
    // "st"; none for stListView_TreeView_Items and for a class that publishes no lists.
    virtual rtl::TStringList* GetListByType(TStringsType type) const;

    // --- languages ---
    int NumOfLanguages() const { return numOfLanguages_; }
    // Below 1: ELanguageError; fewer languages cut every line after the last kept text.
    void SetNumOfLanguages(int value);
    int ActiveLanguage() const { return activeLanguage_; }
    // Outside 1..NumOfLanguages: ELanguageError (ignored while reading); applies the language, the screen
    // showing ChangingCursor meanwhile.
    void SetActiveLanguage(int value);
    const std::string& Language() const { return language_; }
    // A name that LangNames lacks: ELanguageError (added to LangNames while reading).
    void SetLanguage(const std::string& value);
    rtl::TStringList* LangNames() const { return langNames_.get(); }
    void SetLangNames(const rtl::TStrings& value);
    std::uint8_t LangDelim() const { return std::uint8_t(langDelim_); }
    // Rewrites every line and every extended translation with the new delimiter (not while reading).
    void SetLangDelim(std::uint8_t value);
    int DefaultLanguage() const { return defaultLanguage_; }
    // Outside 1..NumOfLanguages: ignored.
    void SetDefaultLanguage(int value);
    bool UseDefaultLanguage() const { return useDefaultLanguage_; }
    void SetUseDefaultLanguage(bool value) { useDefaultLanguage_ = value; }
    TTranslateType TranslateType() const { return translateType_; }
    void SetTranslateType(TTranslateType value) { translateType_ = value; }
    bool DoRaiseExceptions() const { return doRaiseExceptions_; }
    void SetDoRaiseExceptions(bool value) { doRaiseExceptions_ = value; }
    std::uint16_t ResourceLanguageIndex() const { return resourceLanguageIndex_; }
    // Outside 1..NumOfLanguages: ELanguageError (accepted while reading); re-sorts the resource look-up.
    void SetResourceLanguageIndex(std::uint16_t value);

    // --- what is translated ---
    bool ChangeLocales() const { return changeLocales_; }
    // Switched on with Locales empty: one line per locale item with its current value.
    void SetChangeLocales(bool value);
    TtrLinguaOptions Options() const { return options_; }
    void SetOptions(TtrLinguaOptions value);
    bool NeedAllDlgs() const { return needAllDlgs_; }
    // All 83 dialog lines, or back to the 15 basic ones.
    void SetNeedAllDlgs(bool value);
    rtl::TStringList* DoNotTranslate() const { return doNotTranslate_.get(); }
    void SetDoNotTranslate(const rtl::TStrings& value);
    rtl::TStringList* ExcludedProperties() const { return excludedProperties_.get(); }
    void SetExcludedProperties(const rtl::TStrings& value);
    rtl::TStringList* SmartExcludeProps() const { return smartExcludeProps_.get(); }
    void SetSmartExcludeProps(const rtl::TStrings& value);
    rtl::TStringList* StringsTypes() const { return stringsTypes_.get(); }
    void SetStringsTypes(const rtl::TStrings& value);
    bool AutoSkipEmpties() const { return autoSkipEmpties_; }
    void SetAutoSkipEmpties(bool value);
    bool HandleResourceStrings() const { return handleResourceStrings_; }
    void SetHandleResourceStrings(bool value) { handleResourceStrings_ = value; }
    bool TranslateExtendedFirst() const { return translateExtendedFirst_; }
    void SetTranslateExtendedFirst(bool value) { translateExtendedFirst_ = value; }
    bool IsInheritedOwner() const { return isInheritedOwner_; }
    void SetIsInheritedOwner(bool value) { isInheritedOwner_ = value; }
    // The screen cursor (ScreenCursor.h) while the language changes at run time; -1: none.
    std::int16_t ChangingCursor() const { return changingCursor_; }
    void SetChangingCursor(std::int16_t value) { changingCursor_ = value; }
    TLanguageDispatcher* LangDispatcher() const { return dispatcher_; }
    // While the window is read the component takes the dispatcher's number of languages and default
    // language; otherwise it links to it.
    void SetLangDispatcher(TLanguageDispatcher* value);
    TtrExtendedItems* ExtendedTranslations() const { return extendedTranslations_.get(); }
    // Copies the given items into the component's own collection.
    void SetExtendedTranslations(TtrExtendedItems* value);
    // Always "6.2".
    std::string Version() const { return "6.2"; }
    void SetVersion(const std::string&) {}

    classes::TNotifyEvent OnChangeLanguage;

    // --- look-ups (Lookup.cpp) ---
    // The text of the active language, falling back to language 1; the empty text for an identifier
    // the Strings list lacks (ELanguageError with DoRaiseExceptions).
    std::string LookupStringOrDefault(std::string_view identifier) const;
    // As above, falling back to language 1 only with TranslateType ttGetDefault.
    std::string LookupString(std::string_view identifier) const;
    // The identifier's text of the active language in any of the lists.
    std::string FindTranslatedString(const rtl::TStrings& list, std::string_view identifier, bool fallBack) const;
    // Field n of the first line with the identifier (linear); empty when none.
    std::string FindLineField(const rtl::TStrings& list, std::string_view identifier, int field) const;
    // The active language's text of line index; empty outside the list.
    std::string GetLineField(const rtl::TStrings& list, int index, bool fallBack) const;

    // --- state for the apply, collect and resource-string passes ---
    // The type the next apply handles, or -1 for all.
    int ApplySelector() const { return applySelector_; }
    const TLocaleSnapshot& LocaleSnapshot() const { return localeSnapshot_; }
    bool OwnerHasNoFont() const { return ownerHasNoFont_; }
    const TtrStringsCollection& StringsLookup() const { return stringsLookup_; }
    const TtrStringsCollection& ResourceLookup() const { return resourceLookup_; }

    // Empties the lists and deletes the lines of properties that ExcludedProperties and
    // SmartExcludeProps name.
    void PruneExcludedProperties();
    // Run time only: the look-up collections again from Strings.
    void RebuildStringLookup();
    // Design time, on removal: deletes the lines of component from list.
    virtual void RemoveComponentLines(rtl::TStrings* list, classes::TComponent* component, TStringsType type,
                                      classes::TOperation operation);
    // A component of the window was renamed (the window itself: its class name follows, "T" + name):
    // its lines, its names in DoNotTranslate and SmartExcludeProps and its extended translations take
    // the new name. Nothing for an empty new name.
    virtual void RenameComponentEntries(const std::string& oldName, const std::string& newName);

protected:
    // The passes of applying a language to the window and collecting its texts; the component itself
    // only decides when they run.
    virtual void ApplyLanguage();
    virtual void CollectStrings() {}

    // The component's own list of a type, published or not.
    rtl::TStringList* OwnList(TStringsType type) const;
    // The list setters of TtrLingua: copy the lines, then apply that type only.
    void AssignList(TStringsType type, const rtl::TStrings& source);

    void DefineProperties(classes::TFiler& filer) override;
    void Loaded() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    bool Reading() const { return HasState(classes::csLoading); }
    bool Designing() const { return HasState(classes::csDesigning); }
    char Delimiter() const { return langDelim_; }
    // The lists of GetListByType, by type.
    TTranslationListRefs TypeLists() const;
    // Lookup.cpp: the look-up in a given language, with and without the shared lists.
    std::string FindIn(const rtl::TStrings& list, std::string_view identifier, bool fallBack, int language) const;
    std::string SearchOwnList(const rtl::TStrings& list, std::string_view identifier, bool fallBack,
                              int language) const;
    std::optional<TStringsType> SharedType(const rtl::TStrings& list) const;

    void FillDefaultDialogCaptions();
    void SyncDialogCaptions();
    void PadLines();
    void AppendLocaleLines(int from);

    std::array<std::unique_ptr<rtl::TStringList>, kStringsTypeCount> lists_;
    int numOfLanguages_ = 1;
    int activeLanguage_ = 1;
    std::string language_;
    std::unique_ptr<rtl::TStringList> langNames_;
    char langDelim_ = '\x01';
    int defaultLanguage_ = 1;
    bool useDefaultLanguage_ = false;
    TTranslateType translateType_ = TTranslateType::ttNoChange;
    bool doRaiseExceptions_ = false;
    std::uint16_t resourceLanguageIndex_ = 1;
    bool changeLocales_ = false;
    TtrLinguaOptions options_ = 0;
    bool needAllDlgs_ = false;
    std::unique_ptr<rtl::TStringList> doNotTranslate_;
    std::unique_ptr<rtl::TStringList> excludedProperties_;
    std::unique_ptr<rtl::TStringList> smartExcludeProps_;
    std::unique_ptr<rtl::TStringList> stringsTypes_;
    bool autoSkipEmpties_ = false;
    bool handleResourceStrings_ = false;
    bool translateExtendedFirst_ = false;
    bool isInheritedOwner_ = false;
    std::int16_t changingCursor_ = -1;
    TLanguageDispatcher* dispatcher_ = nullptr;
    std::unique_ptr<TtrExtendedItems> extendedTranslations_;

    int applySelector_ = -1;
    TLocaleSnapshot localeSnapshot_;
    bool ownerHasNoFont_ = false;
    TtrStringsCollection stringsLookup_{this};
    TtrStringsCollection resourceLookup_{this};
};

}  // namespace translation
