// The calculation overview: the default fan's figures in every cell the worked example gives, each
// method's own arrays and medium, the locale's separators and the currency symbol in full, and the two
// buttons that close it.

#include "analysis/windows/Report.h"

#include "tests/analysis/windows/OverviewFixture.h"

#include "platform/gui/Label.h"
#include "platform/gui/Button.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/wintypes/Messages.h"

#include <string>
#include <vector>

namespace analysis_windows_test {
namespace {

using analysis::TCALCREP;

TEST_F(OverviewTest, TheDriveOfTheDefaultFanShowsTheYearAsTheCalculationLeftIt)
{
    Calculate(1);
    TCALCREP& window = Overview();
    analysis::OverviewApp = 1;
    analysis::OverviewMethod = 1;
    window.FormShow(&window);

    EXPECT_EQ(window.FLOWM->Caption(), "AIR");
    EXPECT_EQ(window.POWER_LABEL->Caption(), "Shaft HP");
    const std::vector<std::string> hours{"87.60",    "175.20",   "788.40", "1,489.20", "2,102.40",
                                         "1,489.20", "1,138.80", "963.60", "525.60",   "0.00"};
    const std::vector<std::string> shares{"1", "2", "9", "17", "24", "17", "13", "11", "6", "0"};
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(window.HRY[row]->Caption(), hours[size_t(row - 1)]) << "row " << row;
        EXPECT_EQ(window.Ap[row]->Caption(), shares[size_t(row - 1)]) << "row " << row;
    }
    EXPECT_EQ(window.TOTHOUR->Caption(), "8,760.00");
    EXPECT_EQ(window.SHP[2]->Caption(), "109.35");
    EXPECT_EQ(window.CPH[1]->Caption(), "$  12.14");
    EXPECT_EQ(window.OC[1]->Caption(), "$  1,063.46");
    EXPECT_EQ(window.OC[4]->Caption(), "$  6,195.07");
    EXPECT_EQ(window.TOTALCOST->Caption(), "$  22,736");
    // A share of 0 % costs nothing, though its power and cost per hour are shown.
    EXPECT_EQ(window.OC[10]->Caption(), "$  0.00");
    EXPECT_EQ(window.CPH[10]->Caption(), "$  0.01");
    EXPECT_EQ(window.SHP[10]->Caption(), "0.15");
}

// Each pair of the overview's numbering shows its method's arrays: the cost per hour at 100 % and at
// 90 % flow from the worked example (the valve's curve is the damper's), and the custom controls,
// whose curves hold 1.0, the drive's power without its efficiency: 109.35 HP * 0.7457 * $ 0.10 / 0.95.
TEST_F(OverviewTest, EachMethodShowsItsOwnArraysAndTheApplicationItsMedium)
{
    struct Case {
        std::uint8_t application;
        std::uint8_t method;
        const char* medium;
        const char* costAtFull;
        const char* costAt90;
        const char* powerAt90;
    };
    const Case cases[] = {
        {1, 1, "AIR", "$  12.14", "$  8.85", "109.35"},
        {1, 2, "AIR", "$  11.77", "$  11.17", "142.33"},
        {1, 3, "AIR", "$  11.77", "$  10.60", "135.00"},
        {1, 4, "AIR", "$  11.77", "$  8.58", "109.35"},
        {1, 5, "AIR", "$  11.77", "$  8.58", "109.35"},
        {2, 1, "LIQUID", "$  12.14", "$  8.85", "109.35"},
        {2, 3, "LIQUID", "$  11.77", "$  11.17", "142.33"},
        {2, 4, "LIQUID", "$  11.77", "$  8.58", "109.35"},
        {2, 5, "LIQUID", "$  11.77", "$  8.58", "109.35"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "application " << int(c.application) << ", method " << int(c.method));
        Calculate(c.application);
        TCALCREP& window = Overview();
        window.BuildCalculationOverview(c.application, c.method);
        EXPECT_EQ(window.FLOWM->Caption(), c.medium);
        EXPECT_EQ(window.CPH[1]->Caption(), c.costAtFull);
        EXPECT_EQ(window.CPH[2]->Caption(), c.costAt90);
        EXPECT_EQ(window.SHP[2]->Caption(), c.powerAt90);
        EXPECT_EQ(window.TOTHOUR->Caption(), "8,760.00");
    }
}

TEST_F(OverviewTest, TheTotalIsTheMethodsYearlyCostInWholeUnits)
{
    // The yearly costs of the worked example, to the cent.
    const std::pair<std::uint8_t, const char*> cases[] = {{1, "$  22,736"}, {2, "$  75,032"}, {3, "$  56,162"}};
    Calculate(1);
    for (const auto& [method, total] : cases) {
        Overview().BuildCalculationOverview(1, method);
        EXPECT_EQ(Overview().TOTALCOST->Caption(), total) << "method " << int(method);
    }
}

TEST_F(OverviewTest, ThePumpsHoursFollowItsOwnSchedule)
{
    // A pump running 8 hours, 5 days, 50 weeks: 2000 hours, 480 of them at 60 % flow.
    SetParam(1, 8);
    SetParam(2, 5);
    SetParam(3, 50);
    Calculate(2);
    SetParam(1, 24);
    SetParam(2, 7);
    SetParam(3, 52);
    Calculate(1);
    Overview().BuildCalculationOverview(2, 1);
    EXPECT_EQ(Overview().TOTHOUR->Caption(), "2,000.00");
    EXPECT_EQ(Overview().HRY[5]->Caption(), "480.00");
    Overview().BuildCalculationOverview(1, 1);
    EXPECT_EQ(Overview().TOTHOUR->Caption(), "8,760.00") << "the fan keeps its own hours";
}

TEST_F(OverviewTest, NumbersTakeTheLocalesSeparatorsAndTheCurrencySymbolStaysWhole)
{
    struct Case {
        const char* name;
        char decimal;
        char thousands;
        const char* symbol;
        const char* hours;
        const char* operatingCost;
        const char* total;
    };
    const Case cases[] = {
        {"English", '.', ',', "$", "1,489.20", "$  1,063.46", "$  22,736"},
        {"German", ',', '.', "$", "1.489,20", "$  1.063,46", "$  22.736"},
        {"ten-character symbol", '.', ',', "Swiss Fr.x", "1,489.20", "Swiss Fr.x  1,063.46", "Swiss Fr.x  22,736"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseSeparators(c.decimal, c.thousands);
        analysis::CurrencySymbol = c.symbol;
        Calculate(1);
        Overview().BuildCalculationOverview(1, 1);
        EXPECT_EQ(Overview().HRY[4]->Caption(), c.hours);
        EXPECT_EQ(Overview().OC[1]->Caption(), c.operatingCost);
        EXPECT_EQ(Overview().TOTALCOST->Caption(), c.total);
    }
}

TEST_F(OverviewTest, TheShaftPowerHeadingNamesTheAnalysisWindowsPowerUnit)
{
    for (const char* unit : {"HP", "kW"}) {
        AnalysisWindow().SetPowerUnit(unit);
        Calculate(1);
        Overview().FormShow(&Overview());
        EXPECT_EQ(Overview().POWER_LABEL->Caption(), std::string("Shaft ") + unit);
    }
}

TEST_F(OverviewTest, AnApplicationOtherThanFanOrPumpChangesNothing)
{
    Calculate(1);
    Overview().BuildCalculationOverview(1, 1);
    analysis::FanHours[1] = 1;
    for (std::uint8_t application : {0, 3, 255}) {
        Overview().BuildCalculationOverview(application, 1);
        EXPECT_EQ(Overview().FLOWM->Caption(), "AIR");
        EXPECT_EQ(Overview().HRY[1]->Caption(), "87.60");
    }
}

// Both buttons, and Escape, end the modal run with Cancel; the Help button first asks for the step's
// help topic.
TEST_F(OverviewTest, GoBackHelpAndEscapeCloseTheWindow)
{
    struct Case {
        const char* name;
        std::vector<std::string> calls;
    };
    const Case cases[] = {{"ESCCANCEL", {}}, {"Help", {"help STEP4"}}, {"Escape", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.calls.clear();
        Calculate(1);
        Overview();
        driver.At(clock.TickCount64() + 50, [&] {
            if (std::string(c.name) == "Escape") {
                driver.PressKey(win::VK_ESCAPE);
                return;
            }
            auto* button = dynamic_cast<gui::TButton*>(Overview().FindComponent(c.name));
            ASSERT_NE(button, nullptr);
            driver.Click(button->Handle(), win::TestDriver::Button::Left, 10, 10);
        });
        analysis::ShowCalculationOverview(1, 3);
        EXPECT_EQ(Overview().ModalResult(), gui::mrCancel);
        EXPECT_FALSE(Overview().Visible());
        EXPECT_EQ(host.calls, c.calls);
        EXPECT_EQ(analysis::OverviewApp, 1);
        EXPECT_EQ(analysis::OverviewMethod, 3);
        EXPECT_EQ(Overview().TOTALCOST->Caption(), "$  56,162") << "the inlet vane was shown";
    }
}

}  // namespace
}  // namespace analysis_windows_test
