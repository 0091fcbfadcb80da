#pragma once
// A default project as the analysis window would hold it: the texts its edits show for the built-in
// parameters, the built-in control curves (single-precision, as the parameters store them), power in
// HP, '.' and ',' as the locale's separators, and the window's English texts from its stored data.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/support/StoredWindows.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace analysis_test {

class EditTexts final : public analysis::RivuveInputs {
public:
    std::map<analysis::InputEdit, std::string> edits{
        {analysis::InputEdit::A101, "24"},   {analysis::InputEdit::A102, "7"},
        {analysis::InputEdit::A103, "52"},   {analysis::InputEdit::A104, "10.00"},
        {analysis::InputEdit::A105, "150.0"}, {analysis::InputEdit::A106, "95.0"},
        {analysis::InputEdit::A108, "0.0"},  {analysis::InputEdit::A109, "12,000"},
    };
    std::string duty[10] = {"1", "2", "9", "17", "24", "17", "13", "11", "6", "0"};

    std::string EditText(analysis::InputEdit edit) const override { return edits.at(edit); }
    std::string DutyCycleText(int flowPoint) const override { return duty[flowPoint - 1]; }
};

class CalculationTest : public testing::Test {
protected:
    CalculationTest()
    {
        rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
        analysis::InitNumberSeparators();
        const float damper[10] = {1.0f, 0.7683f, 0.573f, 0.4098f, 0.2789f, 0.1767f, 0.1012f, 0.049f, 0.0179f, 0.0033f};
        const float vane[10] = {1.0f, 0.81f, 0.64f, 0.49f, 0.36f, 0.25f, 0.16f, 0.091f, 0.04f, 0.0104f};
        for (int i = 1; i <= 10; ++i) {
            analysis::VfdCurve[i] = 0.97f;
            analysis::DamperCurve[i] = damper[i - 1];
            analysis::ValveCurve[i] = damper[i - 1];
            analysis::InletVaneCurve[i] = vane[i - 1];
            analysis::Custom1Curve[i] = 1.0;
            analysis::Custom2Curve[i] = 1.0;
        }
        analysis::PowerUnitFactor = 0.7457;
        analysis::Custom1Enabled = false;
        analysis::Custom2Enabled = false;
        analysis::Custom1Title = "Custom Control 1";
        analysis::Custom2Title = "Custom Control 2";
        analysis::CurrencySymbol = "$";
    }
    ~CalculationTest() override { rtl::SetLocaleSource(nullptr); }

    const analysis::TextSource& EnglishTexts() const { return windows_.AnalysisTexts(); }

    EditTexts inputs;

private:
    testsupport::StoredWindows windows_;
};

}  // namespace analysis_test
