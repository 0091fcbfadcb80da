#include "translation/Lingua.h"

#include "platform/classes/Reflection.h"
#include "translation/LangStrUtils.h"

namespace translation {

namespace {

const classes::TTypeInfo& CursorType()
{
    static const classes::TTypeInfo type =
        classes::IntegerType("TCursor", classes::TOrdType::SWord, INT16_MIN, INT16_MAX);
    return type;
}

}  // namespace

void TtrLingua::SetDlgsCaptions(const rtl::TStrings& value)
{
    CopyLines(*DlgsCaptions(), value);
}

const classes::TClassInfo& TtrLingua::StaticClass()
{
    using L = TtrLingua;
    static const classes::TClassInfo info("TtrLingua", &TtrCustomLang::StaticClass(), [](classes::TClassInfo& c) {
        // The lists travel in the TranslationData block, not as properties.
        classes::ClassBuilder<L>(c)
            .Property("Captions", &L::Captions).Stored(false)
            .Property("Hints", &L::Hints).Stored(false)
            .Property("DisplayLabels", &L::DisplayLabels).Stored(false)
            .Property("Strings", &L::Strings).Stored(false)
            .Property("Fonts", &L::Fonts).Stored(false)
            .Property("MultiLines", &L::MultiLines).Stored(false)
            .Property("OtherStrings", &L::OtherStrings).Stored(false)
            .Property("Locales", &L::Locales).Stored(false)
            .Property("CharSets", &L::CharSets).Stored(false)
            .Property("Collections", &L::Collections).Stored(false)
            .Property("DlgsCaptions", &L::DlgsCaptions).Stored(false)
            .Property("Version", &L::Version, &L::SetVersion)
            .Property("NumOfLanguages", &L::NumOfLanguages, &L::SetNumOfLanguages).Default(1)
            .Property("ActiveLanguage", &L::ActiveLanguage, &L::SetActiveLanguage).Default(1)
            .Property("LangNames", &L::LangNames)
            .Property("Language", &L::Language, &L::SetLanguage)
            .Property("LangDelim", &L::LangDelim, &L::SetLangDelim).Default(9)
            .Property("DefaultLanguage", &L::DefaultLanguage, &L::SetDefaultLanguage).Default(1)
            .Property("UseDefaultLanguage", &L::UseDefaultLanguage, &L::SetUseDefaultLanguage).Default(0)
            .Property("TranslateType", TranslateTypeType(), &L::TranslateType, &L::SetTranslateType).Default(0)
            .Property("DoRaiseExceptions", &L::DoRaiseExceptions, &L::SetDoRaiseExceptions).Default(0)
            .Property("ChangeLocales", &L::ChangeLocales, &L::SetChangeLocales).Default(0)
            .Property("Options", LinguaOptionsType(), &L::Options, &L::SetOptions).Default(0)
            .Property("NeedAllDlgs", &L::NeedAllDlgs, &L::SetNeedAllDlgs).Default(0)
            .Property("DoNotTranslate", &L::DoNotTranslate).Stored(&L::StoreDoNotTranslate)
            .Property("ExcludedProperties", &L::ExcludedProperties).Stored(&L::StoreExcludedProperties)
            .Property("SmartExcludeProps", &L::SmartExcludeProps).Stored(&L::StoreSmartExcludeProps)
            .Property("StringsTypes", &L::StringsTypes)
            .Property("AutoSkipEmpties", &L::AutoSkipEmpties, &L::SetAutoSkipEmpties).Default(0)
            .Property("HandleResourceStrings", &L::HandleResourceStrings, &L::SetHandleResourceStrings).Default(0)
            .Property("ResourceLanguageIndex", &L::ResourceLanguageIndex, &L::SetResourceLanguageIndex).Default(1)
            .Property("TranslateExtendedFirst", &L::TranslateExtendedFirst, &L::SetTranslateExtendedFirst).Default(0)
            .Property("IsInheritedOwner", &L::IsInheritedOwner, &L::SetIsInheritedOwner).Default(0)
            .Property("ChangingCursor", CursorType(), &L::ChangingCursor, &L::SetChangingCursor).Default(-1)
            .Property("LangDispatcher", &L::LangDispatcher, &L::SetLangDispatcher)
            .Property("OnChangeLanguage", classes::NotifyEventType(), &L::OnChangeLanguage)
            .Property("ExtendedTranslations", &L::ExtendedTranslations, &L::SetExtendedTranslations)
                .Stored(&L::StoreExtendedTranslations);
    });
    return info;
}

}  // namespace translation
