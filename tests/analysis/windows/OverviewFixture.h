#pragma once
// The calculation overview beside the analysis window of a default fan project (FanFixture.h), made in
// the program's order, with the estimate taken from the parameters as the window's edits would show them.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/Report.h"
#include "tests/analysis/windows/FanFixture.h"

namespace analysis_windows_test {

class OverviewTest : public fantest::FanWindowTest {
protected:
    void SetUp() override
    {
        FanWindowTest::SetUp();
        overview_ = new analysis::TCALCREP(gui::Application());
    }
    void TearDown() override
    {
        delete overview_;
        FanWindowTest::TearDown();
    }

    static void SetParam(int number, float value) { analysis::ParamTable[number]->Value = value; }

    // The estimate of the application from the parameters.
    static void Calculate(int application)
    {
        ASSERT_TRUE(analysis::CheckDutyCycleTotal());
        ASSERT_TRUE(analysis::CalculateRivuve(application, analysis::ParamInputs()).Ok());
    }

    // The analysis window shown and hidden again with the power unit kW or HP, as a result line leaves it
    // under the overview.
    void ShowAnalysisWindowIn(bool kw)
    {
        analysis::PowerInKW = kw;
        Open();
        window->Hide();
    }

    analysis::TCALCREP& Overview() { return *overview_; }

private:
    analysis::TCALCREP* overview_ = nullptr;
};

}  // namespace analysis_windows_test
