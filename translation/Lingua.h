#pragma once
// TtrLingua: the translation component placed on windows. It publishes the eleven lists and the
// language properties of TtrCustomLang; assigning a list copies its lines and applies that type.

#include "translation/Lang.h"

namespace translation {

class TtrLingua : public TtrCustomLang {
public:
    explicit TtrLingua(classes::TComponent* owner) : TtrCustomLang(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStringList* Captions() const { return OwnList(TStringsType::stCaptions); }
    void SetCaptions(const rtl::TStrings& value) { AssignList(TStringsType::stCaptions, value); }
    rtl::TStringList* Hints() const { return OwnList(TStringsType::stHints); }
    void SetHints(const rtl::TStrings& value) { AssignList(TStringsType::stHints, value); }
    rtl::TStringList* DisplayLabels() const { return OwnList(TStringsType::stDisplayLabels); }
    void SetDisplayLabels(const rtl::TStrings& value) { AssignList(TStringsType::stDisplayLabels, value); }
    rtl::TStringList* Strings() const { return OwnList(TStringsType::stStrings); }
    void SetStrings(const rtl::TStrings& value) { AssignList(TStringsType::stStrings, value); }
    rtl::TStringList* Fonts() const { return OwnList(TStringsType::stFonts); }
    void SetFonts(const rtl::TStrings& value) { AssignList(TStringsType::stFonts, value); }
    rtl::TStringList* MultiLines() const { return OwnList(TStringsType::stMultiLines); }
    void SetMultiLines(const rtl::TStrings& value) { AssignList(TStringsType::stMultiLines, value); }
    rtl::TStringList* OtherStrings() const { return OwnList(TStringsType::stOtherStrings); }
    void SetOtherStrings(const rtl::TStrings& value) { AssignList(TStringsType::stOtherStrings, value); }
    rtl::TStringList* Locales() const { return OwnList(TStringsType::stLocales); }
    void SetLocales(const rtl::TStrings& value) { AssignList(TStringsType::stLocales, value); }
    rtl::TStringList* CharSets() const { return OwnList(TStringsType::stCharSets); }
    void SetCharSets(const rtl::TStrings& value) { AssignList(TStringsType::stCharSets, value); }
    rtl::TStringList* Collections() const { return OwnList(TStringsType::stCollections); }
    void SetCollections(const rtl::TStrings& value) { AssignList(TStringsType::stCollections, value); }
    // Copies the lines only.
    rtl::TStringList* DlgsCaptions() const { return OwnList(TStringsType::stDlgsCaptions); }
    void SetDlgsCaptions(const rtl::TStrings& value);

private:
    bool StoreDoNotTranslate() const { return DoNotTranslate()->Count() > 0; }
    bool StoreExcludedProperties() const { return ExcludedProperties()->Count() > 0; }
    bool StoreSmartExcludeProps() const { return SmartExcludeProps()->Count() > 0; }
    bool StoreExtendedTranslations() const { return ExtendedTranslations()->Count() > 0; }
};

}  // namespace translation
