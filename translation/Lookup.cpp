#include "translation/Lookup.h"

#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringUtils.h"
#include "translation/Lang.h"

#include <algorithm>
#include <functional>

namespace translation {

std::string LineField(std::string_view line, int field, char delimiter)
{
    std::size_t start = 0;
    for (int k = 0; k < field; ++k) {
        std::size_t at = line.find(delimiter, start);
        if (at == std::string_view::npos)
            return {};
        start = at + 1;
    }
    std::size_t end = line.find(delimiter, start);
    return std::string(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

// --- the sorted table ---

void TStringsLookup::Build(const rtl::TStrings& lines, char delimiter, int languages, int sortLanguage)
{
    items_.clear();
    items_.reserve(std::size_t(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines.Strings(i);
        Item item{LineField(line, 0, delimiter), {}};
        for (int language = 1; language <= languages; ++language)
            item.values.push_back(LineField(line, language, delimiter));
        items_.push_back(std::move(item));
    }
    sortLanguage_ = sortLanguage;
    Sort();
}

void TStringsLookup::SetSortLanguage(int sortLanguage)
{
    sortLanguage_ = sortLanguage;
    Sort();
}

const std::string& TStringsLookup::Key(const Item& item) const
{
    static const std::string empty;
    if (sortLanguage_ == 0)
        return item.identifier;
    return std::size_t(sortLanguage_) <= item.values.size() ? item.values[std::size_t(sortLanguage_ - 1)] : empty;
}

int TStringsLookup::Compare(std::string_view a, std::string_view b) const
{
    return sortLanguage_ == 0 ? rtl::AnsiCompareText(a, b) : rtl::AnsiCompareStr(a, b);
}

void TStringsLookup::Sort()
{
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(Key(a), Key(b)) < 0; });
}

const TStringsLookup::Item* TStringsLookup::Find(std::string_view key) const
{
    auto found = std::lower_bound(items_.begin(), items_.end(), key,
                                  [this](const Item& item, std::string_view k) { return Compare(Key(item), k) < 0; });
    return found != items_.end() && Compare(Key(*found), key) == 0 ? &*found : nullptr;
}

int TStringsLookup::IndexOfIdentifier(std::string_view identifier) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (rtl::AnsiSameText(items_[i].identifier, identifier))
            return int(i);
    return -1;
}

namespace {

std::string ValueOf(const std::vector<std::string>& values, int language)
{
    return language >= 1 && std::size_t(language) <= values.size() ? values[std::size_t(language - 1)] : std::string();
}

}  // namespace

std::string TStringsLookup::FindByIdentifier(std::string_view identifier, int language) const
{
    if (sortLanguage_ != 0) {
        int index = IndexOfIdentifier(identifier);
        return index < 0 ? std::string() : ValueOf(items_[std::size_t(index)].values, language);
    }
    const Item* item = Find(identifier);
    return item ? ValueOf(item->values, language) : std::string();
}

std::string TStringsLookup::FindByText(std::string_view text, int language) const
{
    if (sortLanguage_ == 0)
        return std::string(text);
    const Item* item = Find(text);
    return item ? ValueOf(item->values, language) : std::string(text);
}

// --- the component's look-ups ---

std::string TsiCustomLang::LookupStringOrDefault(std::string_view identifier) const
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

std::string TsiCustomLang::LookupString(std::string_view identifier) const
{
    const rtl::TStringList* strings = GetListByType(TStringsType::stStrings);
    if (!strings)
        return {};
    return FindTranslatedString(*strings, identifier, translateType_ == TTranslateType::ttGetDefault);
}

std::string TsiCustomLang::FindTranslatedString(const rtl::TStrings& list, std::string_view identifier,
                                                bool fallBack) const
{
    return FindIn(list, identifier, fallBack, activeLanguage_);
}

std::optional<TStringsType> TsiCustomLang::SharedType(const rtl::TStrings& list) const
{
    if (options_ & loUseExtCommonStrings)
        for (TStringsType type : {TStringsType::stDlgsCaptions, TStringsType::stLocales})
            if (&list == GetListByType(type))
                return type;
    if ((options_ & loUseExtUDStrings) && &list == GetListByType(TStringsType::stStrings))
        return TStringsType::stStrings;
    return std::nullopt;
}

std::string TsiCustomLang::FindIn(const rtl::TStrings& list, std::string_view identifier, bool fallBack,
                                  int language) const
{
    if (std::optional<TStringsType> shared = SharedType(list)) {
        if (!dispatcher_)
            return {};
        // Another linked component's list answers, searched directly: delegating to this component
        // itself, or on from that component, would go round in circles.
        for (const TsiCustomLang* other : dispatcher_->LinkedLanguages()) {
            if (other == this)
                continue;
            const rtl::TStringList* theirs = other->GetListByType(*shared);
            if (theirs && theirs->Count() > 0)
                return other->SearchOwnList(*theirs, identifier, fallBack, other->activeLanguage_);
        }
    }
    return SearchOwnList(list, identifier, fallBack, language);
}

std::string TsiCustomLang::SearchOwnList(const rtl::TStrings& list, std::string_view identifier, bool fallBack,
                                         int language) const
{
    auto notFound = [&] {
        return ELanguageError(rtl::Format(classes::LoadResString(SStringIdNotFound), {identifier}));
    };
    if (!Designing() && &list == GetListByType(TStringsType::stStrings)) {
        if (doRaiseExceptions_ && stringsLookup_.IndexOfIdentifier(identifier) < 0)
            throw notFound();
        std::string result = stringsLookup_.FindByIdentifier(identifier, language);
        if (result.empty() && fallBack)
            result = stringsLookup_.FindByIdentifier(identifier, 1);
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
        const std::string pattern = "\r\n" + rtl::AnsiUpperCase(key);
        auto found = std::search(upper.begin(), upper.end(),
                                 std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
        if (found != upper.end())
            at = std::size_t(found - upper.begin()) + 2;
    }
    if (at == std::string::npos) {
        if (doRaiseExceptions_)
            throw notFound();
        return {};
    }
    std::string_view line = std::string_view(text).substr(at);
    std::string result = LineField(line, language, Delimiter());
    if (result.empty() && fallBack)
        result = LineField(line, 1, Delimiter());
    return result;
}

std::string TsiCustomLang::FindLineField(const rtl::TStrings& list, std::string_view identifier, int field) const
{
    for (int i = 0; i < list.Count(); ++i) {
        std::string line = list.Strings(i);
        if (rtl::AnsiSameText(LineField(line, 0, Delimiter()), identifier))
            return LineField(line, field, Delimiter());
    }
    return {};
}

std::string TsiCustomLang::GetLineField(const rtl::TStrings& list, int index, bool fallBack) const
{
    const rtl::TStrings* source = &list;
    const TsiCustomLang* owner = this;
    if (std::optional<TStringsType> shared = SharedType(list); shared && *shared != TStringsType::stStrings) {
        if (!dispatcher_)
            return {};
        for (const TsiCustomLang* other : dispatcher_->LinkedLanguages()) {
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
    std::string result = LineField(line, owner->activeLanguage_, owner->Delimiter());
    if (result.empty() && fallBack)
        result = LineField(line, 1, owner->Delimiter());
    return result;
}

}  // namespace translation
