#include "translation/Lookup.h"

#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringUtils.h"
#include "translation/Lang.h"
#include "translation/LangStrUtils.h"

namespace translation {

namespace {

// Where, in the list's text (every line followed by CR LF), the line that holds position at ends. A
// text may hold line breaks of its own, so the end is the line's, not the next line break.
std::size_t EndOfLine(const rtl::TStrings& list, std::size_t at)
{
    std::size_t start = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const std::size_t end = start + list.Strings(i).size();
        if (at <= end)
            return end;
        start = end + 2;
    }
    return at;
}

}  // namespace

const classes::TClassInfo& TLanguageDispatcher::StaticClass()
{
    static const classes::TClassInfo info("TLanguageDispatcher", &classes::TComponent::StaticClass());
    return info;
}

// --- the component's look-ups ---

std::string TtrCustomLang::LookupStringOrDefault(std::string_view identifier) const
{
    const rtl::TStringList* strings = GetListByType(TStringsType::stStrings);
    if (!strings)
        return {};
    if (!useDefaultLanguage_)
        return FindTranslatedString(*strings, identifier, true);
    std::string result = LookupString(identifier);
    if (result.empty())
        result = FindIn(*strings, identifier, translateType_ == TTranslateType::ttGetDefault, defaultLanguage_);
    if (result.empty())
        result = FindIn(*strings, identifier, true, defaultLanguage_);
    return result;
}

std::string TtrCustomLang::LookupString(std::string_view identifier) const
{
    const rtl::TStringList* strings = GetListByType(TStringsType::stStrings);
    if (!strings)
        return {};
    return FindTranslatedString(*strings, identifier, translateType_ == TTranslateType::ttGetDefault);
}

std::string TtrCustomLang::FindTranslatedString(const rtl::TStrings& list, std::string_view identifier,
                                                bool fallBack) const
{
    return FindIn(list, identifier, fallBack, activeLanguage_);
}

std::optional<TStringsType> TtrCustomLang::SharedType(const rtl::TStrings& list) const
{
    if (options_ & loUseExtCommonStrings)
        for (TStringsType type : {TStringsType::stDlgsCaptions, TStringsType::stLocales})
            if (&list == GetListByType(type))
                return type;
    if ((options_ & loUseExtUDStrings) && &list == GetListByType(TStringsType::stStrings))
        return TStringsType::stStrings;
    return std::nullopt;
}

std::string TtrCustomLang::FindIn(const rtl::TStrings& list, std::string_view identifier, bool fallBack,
                                  int language) const
{
    if (std::optional<TStringsType> shared = SharedType(list)) {
        if (!dispatcher_)
            return {};
        // Another linked component's list answers, searched directly: delegating to this component
        // itself, or on from that component, would go round in circles.
        for (const TtrCustomLang* other : dispatcher_->LinkedLanguages()) {
            if (other == this)
                continue;
            const rtl::TStringList* theirs = other->GetListByType(*shared);
            if (theirs && theirs->Count() > 0)
                return other->SearchOwnList(*theirs, identifier, fallBack, other->activeLanguage_);
        }
    }
    return SearchOwnList(list, identifier, fallBack, language);
}

std::string TtrCustomLang::SearchOwnList(const rtl::TStrings& list, std::string_view identifier, bool fallBack,
                                         int language) const
{
    auto notFound = [&] {
        return ELanguageError(rtl::Format(classes::LoadResString(SStringIdNotFound), {identifier}));
    };
    if (!Designing() && &list == GetListByType(TStringsType::stStrings)) {
        const std::string key(identifier);
        if (doRaiseExceptions_ && stringsLookup_.IndexOfIdentifier(key) < 0)
            throw notFound();
        std::string result = stringsLookup_.FindByIdentifier(key, language);
        if (result.empty() && fallBack)
            result = stringsLookup_.FindByIdentifier(key, 1);
        return result;
    }
    // Line search over the list's text: a line starts the text or follows a line break, and the
    // delimiter after the identifier keeps "IDS_1" from matching "IDS_10".
    const std::string text = list.Text();
    const std::string key = std::string(identifier) + Delimiter();
    std::size_t at = std::string::npos;
    if (text.size() >= key.size() && rtl::AnsiSameText(std::string_view(text).substr(0, key.size()), key)) {
        at = 0;
    } else {
        const std::string upper = rtl::AnsiUpperCase(text);
        // The match starts at the line break in front of the line.
        if (int found = FindSubstring("\r\n" + rtl::AnsiUpperCase(key), upper); found > 0)
            at = std::size_t(found - 1) + 2;
    }
    if (at == std::string::npos) {
        if (doRaiseExceptions_)
            throw notFound();
        return {};
    }
    // The fields end with the matched line: a line without its closing delimiter, or with fewer texts
    // than there are languages, must not answer with the text of the next one.
    std::string_view line = std::string_view(text).substr(at, EndOfLine(list, at) - at);
    std::string result = GetDelimitedField(line, Delimiter(), language);
    if (result.empty() && fallBack)
        result = GetDelimitedField(line, Delimiter(), 1);
    return result;
}

std::string TtrCustomLang::FindLineField(const rtl::TStrings& list, std::string_view identifier, int field) const
{
    for (int i = 0; i < list.Count(); ++i) {
        std::string line = list.Strings(i);
        if (rtl::AnsiSameText(GetDelimitedField(line, Delimiter(), 0), identifier))
            return GetDelimitedField(line, Delimiter(), field);
    }
    return {};
}

std::string TtrCustomLang::GetLineField(const rtl::TStrings& list, int index, bool fallBack) const
{
    const rtl::TStrings* source = &list;
    const TtrCustomLang* owner = this;
    if (std::optional<TStringsType> shared = SharedType(list); shared && *shared != TStringsType::stStrings) {
        if (!dispatcher_)
            return {};
        for (const TtrCustomLang* other : dispatcher_->LinkedLanguages()) {
            const rtl::TStringList* theirs = other == this ? nullptr : other->GetListByType(*shared);
            if (theirs && theirs->Count() > 0) {
                source = theirs;
                owner = other;
                break;
            }
        }
    }
    if (index < 0 || index >= source->Count())
        return {};
    std::string line = source->Strings(index);
    std::string result = GetDelimitedField(line, owner->Delimiter(), owner->activeLanguage_);
    if (result.empty() && fallBack)
        result = GetDelimitedField(line, owner->Delimiter(), 1);
    return result;
}

}  // namespace translation
