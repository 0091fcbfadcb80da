#include "tools/common/ProgramWindows.h"

#include "analysis/Globals.h"
#include "analysis/Texts.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/core/Application.h"
#include "shell/ProjectWindows.h"
#include "tools/common/ProjectOpening.h"
#include "translation/Lingua.h"

#include <memory>

namespace tools {
namespace {

const char* const kCustomerEditNames[shell::CustomerEditCount] = {
    "PREPFOR", "Titlefor", "Companyfor", "AddressFor", "ZipFor",
    "CountryFor", "Telfor", "Faxfor", "EmailFor", "PROJECTNAME",
};

// What the project file gives the windows: the analysis window's customer edits. The setup window,
// whose titles, currency and power buttons the file would set, is not made; the file's power unit and
// currency reach the options all the same.
class CustomerEdits final : public shell::ProjectWindows {
public:
    explicit CustomerEdits(analysis::TFANFORM& window) : window_(window) {}

    std::string CustomerText(shell::CustomerEdit edit) const override { return Edit(edit).Text(); }
    void SetCustomerText(shell::CustomerEdit edit, const std::string& text) override { Edit(edit).SetText(text); }
    std::string CustomTitleText(int) const override { return {}; }
    void CheckCurrencyButton(shell::CurrencyButton) override {}
    void SetCustomCurrencyText(const std::string&) override {}
    void CheckPowerButton(shell::PowerButton) override {}

private:
    gui::TEdit& Edit(shell::CustomerEdit edit) const
    {
        return *static_cast<gui::TEdit*>(window_.FindComponent(kCustomerEditNames[int(edit) - 1]));
    }

    analysis::TFANFORM& window_;
};

}  // namespace

ProgramWindows::ProgramWindows()
{
    gui::TApplication* application = gui::Application();
    try {
        analysis_ = new analysis::TFANFORM(application);
        overview_ = new analysis::TCALCREP(application);
        graphStyle_ = new analysis::TGRSEL(application);
        analysis::GRSEL = graphStyle_;
        translation_ = new translation::TTranslationForm(application);
    } catch (...) {
        Free();
        throw;
    }
}

ProgramWindows::~ProgramWindows()
{
    Free();
}

void ProgramWindows::Free()
{
    delete translation_;
    analysis::GRSEL = nullptr;
    delete graphStyle_;
    delete overview_;
    delete analysis_;
}

void ProgramWindows::NewProject(int application)
{
    analysis::AppType = application;
    analysis::AppTypeText = application == 1 ? "FAN" : "PUMP";
    analysis::ProjectOpen = true;
    analysis::ProjectFileName.clear();
    analysis_->set_default_values();
}

bool ProgramWindows::OpenProject(const std::string& fileName, int& reported)
{
    CustomerEdits edits(*analysis_);
    const analysis::LinguaTexts<translation::TtrCustomLang> texts(*translation_->trLingua1());
    if (!tools::OpenProject(fileName, edits, texts, reported))
        return false;
    analysis::ProjectFileName = fileName;
    analysis::ProjectModified = false;
    analysis::ProjectOpen = true;
    if (analysis::FileAppType == 1 || analysis::FileAppType == 2) {
        analysis::AppType = analysis::FileAppType;
        analysis::AppTypeText = analysis::AppType == 1 ? "FAN" : "PUMP";
    }
    return true;
}

}  // namespace tools
