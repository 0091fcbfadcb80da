#pragma once
// A program with its parameters defined, an English (United States) locale, a clock standing on
// 5 March 2024, a scratch registry file, scripted message boxes, windows made of plain fields and the
// hidden translation window's English texts from its stored data.

#include "analysis/Analysis.h"
#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Dates.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/services/DialogService.h"
#include "platform/registry/RegistryStore.h"
#include "shell/ProjectFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/StoredWindows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace shell_test {

class FieldWindows final : public shell::ProjectWindows {
public:
    std::array<std::string, shell::CustomerEditCount> customer{};
    std::array<std::string, 2> titles{};
    std::vector<shell::CurrencyButton> currencyChecks;
    std::string customCurrencyEdit = "unset";
    std::vector<shell::PowerButton> powerChecks;

    std::string CustomerText(shell::CustomerEdit edit) const override { return customer[size_t(edit) - 1]; }
    void SetCustomerText(shell::CustomerEdit edit, const std::string& text) override
    {
        customer[size_t(edit) - 1] = text;
    }
    std::string CustomTitleText(int number) const override { return titles[size_t(number - 1)]; }
    void CheckCurrencyButton(shell::CurrencyButton button) override { currencyChecks.push_back(button); }
    void SetCustomCurrencyText(const std::string& text) override { customCurrencyEdit = text; }
    void CheckPowerButton(shell::PowerButton button) override { powerChecks.push_back(button); }
};

inline std::string Fixture(const std::string& name)
{
    return std::string(RIVUVE_FIXTURES) + "/projects/" + name;
}

class ProjectTest : public testing::Test {
protected:
    ProjectTest() : clock_(rtl::EncodeDate(2024, 3, 5) + 0.75), clockScope_(clock_), dialogScope_(dialogs)
    {
        rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
        win::UseRegistryFile(scratch.Path("registry"));
        analysis::initialize();
        analysis::DefineAllParams();
        analysis::CustomCurrency = "-";
        analysis::FileAppType = 0;
    }
    ~ProjectTest() override
    {
        analysis::finalize();
        win::UseRegistryFile({});
        rtl::SetLocaleSource(nullptr);
    }

    bool Save(const std::string& name)
    {
        return shell::SaveProjectFile(analysis::ParamTable, scratch.Path(name), windows, TranslationTexts());
    }
    bool Load(const std::string& path, shell::LoadMode mode)
    {
        analysis::TParamTable& table =
            mode == shell::LoadMode::Check ? analysis::ShadowParamTable : analysis::ParamTable;
        return shell::LoadProjectFile(path, table, mode, windows, TranslationTexts());
    }
    // The Open command: the check pass, and the live pass only when it passes.
    bool Open(const std::string& path) { return shell::OpenProjectFile(path, windows, TranslationTexts()); }

    // The texts the project file's reader and writer show.
    const analysis::TextSource& TranslationTexts() const { return storedWindows_.TranslationTexts(); }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const win::AskedMessageBox& box : dialogs.Asked())
            texts.push_back(box.text);
        return texts;
    }

    testsupport::ScratchFolder scratch;
    win::ScriptedDialogs dialogs;
    FieldWindows windows;

private:
    testsupport::StoredWindows storedWindows_;
    rtl::VirtualClock clock_;
    rtl::ScopedClock clockScope_;
    win::ScopedDialogService dialogScope_;
};

}  // namespace shell_test
