#pragma once
// The program's windows as far as tests need their English texts: the analysis window and the hidden
// translation window, read from their stored data in resources/ (RIVUVE_RESOURCE_FOLDER) as the
// program reads them, each answering look-ups through its translation component.

#include "analysis/Texts.h"
#include "platform/classes/Component.h"
#include "translation/Lingua.h"
#include "translation/Translation.h"
#include "translation/TranslationForm.h"

#include <cstdlib>
#include <memory>
#include <optional>

namespace testsupport {

class StoredWindows {
public:
    StoredWindows()
    {
        translation::initialize();
        setenv("RIVUVE_RESOURCES", RIVUVE_RESOURCE_FOLDER, 1);
        try {
            analysisTexts_.emplace(translation::ReadStoredWindow(*analysisWindow_, "TFANFORM"));
            translationWindow_ = std::make_unique<translation::TTranslationForm>(nullptr);
            translationTexts_.emplace(*translationWindow_->trLingua1());
        } catch (...) {
            Close();
            throw;
        }
        unsetenv("RIVUVE_RESOURCES");
    }
    ~StoredWindows() { Close(); }
    StoredWindows(const StoredWindows&) = delete;
    StoredWindows& operator=(const StoredWindows&) = delete;

    // The texts of the analysis window's table, and of the hidden translation window's.
    const analysis::TextSource& AnalysisTexts() const { return *analysisTexts_; }
    const analysis::TextSource& TranslationTexts() const { return *translationTexts_; }

private:
    void Close()
    {
        unsetenv("RIVUVE_RESOURCES");
        analysisTexts_.reset();
        translationTexts_.reset();
        analysisWindow_.reset();
        translationWindow_.reset();
        translation::finalize();
    }

    std::unique_ptr<classes::TComponent> analysisWindow_ = std::make_unique<classes::TComponent>(nullptr);
    std::unique_ptr<translation::TTranslationForm> translationWindow_;
    std::optional<analysis::LinguaTexts<translation::TtrCustomLang>> analysisTexts_;
    std::optional<analysis::LinguaTexts<translation::TtrCustomLang>> translationTexts_;
};

}  // namespace testsupport
