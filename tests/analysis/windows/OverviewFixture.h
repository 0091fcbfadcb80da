#pragma once
// The calculation overview over the default project: the libraries and the estimator started as the
// tools start them (InitGlobals, the parameters defined, the options loaded), the GUI on a virtual clock
// driven through the application's loop, English separators,
// and a host that records what the windows ask of it. A stand-in of the analysis window carries the
// power unit label the overview's heading reads.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/AnalysisHost.h"
#include "analysis/windows/Report.h"
#include "platform/gui/Application.h"
#include "platform/gui/Form.h"
#include "platform/gui/Label.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/testing/TestDriver.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"

#include <gtest/gtest.h>

#include <memory>
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

// A window of the analysis window's class name with its power unit label, and nothing else.
class TPowerUnitWindow : public gui::TForm {
public:
    explicit TPowerUnitWindow(classes::TComponent* owner) : gui::TForm(owner)
    {
        label_ = new gui::TLabel(this);
        label_->SetName("Power_Label");
        label_->SetParent(this);
        label_->SetCaption("HP");
    }
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TFANFORM", &gui::TForm::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void SetPowerUnit(const std::string& unit) { label_->SetCaption(unit); }

private:
    gui::TLabel* label_;
};

class OverviewTest : public testing::Test {
protected:
    void SetUp() override
    {
        UseSeparators('.', ',');
        libraries_.emplace(tools::ProgramLibraries::Reach::Windows);
        tools::StartEstimator();
        analysis::InstallAnalysisHost(&host);
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        analysisWindow_ = std::make_unique<TPowerUnitWindow>(gui::Application());
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        overview_.reset();
        analysisWindow_.reset();
        analysis::InstallAnalysisHost(nullptr);
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

    analysis::TCALCREP& Overview()
    {
        if (!overview_)
            overview_ = std::make_unique<analysis::TCALCREP>(gui::Application());
        return *overview_;
    }
    TPowerUnitWindow& AnalysisWindow() { return *analysisWindow_; }

    rtl::VirtualClock clock;
    rtl::ScopedClock installedClock{clock};
    win::TestDriver driver{clock};
    RecordingHost host;

private:
    std::optional<tools::ProgramLibraries> libraries_;
    std::unique_ptr<TPowerUnitWindow> analysisWindow_;
    std::unique_ptr<analysis::TCALCREP> overview_;
};

}  // namespace analysis_windows_test
