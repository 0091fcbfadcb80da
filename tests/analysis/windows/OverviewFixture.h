#pragma once
// The program's windows over the default project: the libraries, the estimator and the windows started
// as the tools start them (InitGlobals, the parameters defined, the options loaded, then the analysis
// window, the calculation overview and the hidden translation window), the GUI on a virtual clock driven
// through the application's loop, English separators, a scratch registry and a host that records what
// the windows ask of it.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/AnalysisHost.h"
#include "analysis/windows/Fan.h"
#include "analysis/windows/Report.h"
#include "platform/gui/Application.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/testing/TestDriver.h"
#include "tests/support/ScratchRegistry.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"
#include "tools/common/ProgramWindows.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace analysis_windows_test {

struct RecordingHost final : analysis::AnalysisHost {
    std::vector<std::string> calls;
    void GetHelp(std::string_view topic) override { calls.push_back("help " + std::string(topic)); }
    void SaveProject() override { calls.push_back("save"); }
    void UpdateStatusBar() override { calls.push_back("status"); }
    void ShowSetupPage(int index) override { calls.push_back("setup " + std::to_string(index)); }
};

class OverviewTest : public testing::Test {
protected:
    void SetUp() override
    {
        UseSeparators('.', ',');
        libraries_.emplace(tools::ProgramLibraries::Reach::Windows);
        registry_.emplace();
        tools::StartEstimator();
        analysis::InstallAnalysisHost(&host);
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        windows_.emplace();
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        windows_.reset();
        analysis::InstallAnalysisHost(nullptr);
        registry_.reset();
        libraries_.reset();
        rtl::SetLocaleSource(nullptr);
    }

    // The locale's separators, taken by the number texts as the program takes them at start-up.
    static void UseSeparators(char decimal, char thousands)
    {
        auto locale = rtl::FixedLocaleSource::UnitedStates();
        locale->Set(rtl::LocaleItem::DecimalSeparator, std::string(1, decimal));
        locale->Set(rtl::LocaleItem::ThousandSeparator, std::string(1, thousands));
        rtl::SetLocaleSource(std::move(locale));
        analysis::InitNumberSeparators();
    }

    static void SetParam(int number, float value) { analysis::ParamTable[number]->Value = value; }

    // The estimate of the application from the parameters, as the analysis window's edits would show them.
    static void Calculate(int application)
    {
        ASSERT_TRUE(analysis::CheckDutyCycleTotal());
        ASSERT_TRUE(analysis::CalculateRivuve(application, analysis::ParamInputs()).Ok());
    }

    // The analysis window of a new fan project shown and hidden again with the power unit kW or HP, as a
    // result line leaves it under the overview.
    void ShowAnalysisWindowIn(bool kw)
    {
        analysis::PowerInKW = kw;
        Windows().NewProject(1);
        Windows().Analysis().Show();
        driver.Pump();
        Windows().Analysis().Hide();
    }

    tools::ProgramWindows& Windows() { return *windows_; }
    analysis::TCALCREP& Overview() { return windows_->Overview(); }

    rtl::VirtualClock clock;
    rtl::ScopedClock installedClock{clock};
    win::TestDriver driver{clock};
    RecordingHost host;

private:
    std::optional<tools::ProgramLibraries> libraries_;
    std::optional<testsupport::ScratchRegistry> registry_;
    std::optional<tools::ProgramWindows> windows_;
};

}  // namespace analysis_windows_test
