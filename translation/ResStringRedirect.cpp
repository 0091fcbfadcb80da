#include "translation/ResStringRedirect.h"

#include "translation/Lang.h"

#include <atomic>

namespace translation {

namespace {

std::atomic<TtrCustomLang*> activeComponent{nullptr};
// The loader the redirection replaced; null while the loader is not redirected.
std::atomic<classes::TResStringLoader> replacedLoader{nullptr};

}  // namespace

TtrCustomLang* ActiveResourceComponent()
{
    return activeComponent.load();
}

void ServeResourceStrings(TtrCustomLang& component)
{
    TtrCustomLang* none = nullptr;
    if (!activeComponent.compare_exchange_strong(none, &component))
        return;
    if (!replacedLoader.load())
        replacedLoader = classes::SetResStringLoader(&TranslateResourceString);
}

void StopServingResourceStrings(const TtrCustomLang& component)
{
    TtrCustomLang* serving = const_cast<TtrCustomLang*>(&component);
    activeComponent.compare_exchange_strong(serving, nullptr);
}

void RestoreResourceStringLoader()
{
    if (classes::TResStringLoader replaced = replacedLoader.exchange(nullptr))
        classes::SetResStringLoader(replaced);
}

std::string TranslateResourceString(const classes::TResStringRec& rec)
{
    classes::TResStringLoader load = replacedLoader.load();
    std::string text = load ? load(rec) : classes::DefaultLoadResString(rec);
    if (rec.name.empty() && text.size() > kMaxResourceStringLength)
        text.resize(kMaxResourceStringLength);
    const TtrCustomLang* serving = activeComponent.load();
    if (serving && serving->ResourceLanguageIndex() != serving->ActiveLanguage()) {
        std::string translated = serving->ResourceLookup().FindByText(text, serving->ActiveLanguage());
        if (!translated.empty())
            text = std::move(translated);
    }
    return text;
}

}  // namespace translation
