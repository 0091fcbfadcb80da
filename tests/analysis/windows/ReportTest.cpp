// The calculation overview: the default fan's figures in every cell the worked example gives, each
// method's own arrays and medium, the locale's separators and the currency symbol in full, and the two
// buttons that close it.

#include "analysis/windows/Report.h"

#include "tests/analysis/windows/OverviewFixture.h"
#include "tests/support/WindowLayout.h"

#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/Shape.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/wintypes/Messages.h"
#include "translation/Lingua.h"

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
    for (const auto& [kw, heading] : {std::pair{false, "Shaft HP"}, std::pair{true, "Shaft kW"}}) {
        ShowAnalysisWindowIn(kw);
        Overview().FormShow(&Overview());
        EXPECT_EQ(Overview().POWER_LABEL->Caption(), heading);
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

TEST_F(OverviewTest, TheStoredWindowIsTheDialogItsUsersKnow)
{
    TCALCREP& window = Overview();
    EXPECT_EQ(window.Caption(), "Rududo Dedaridod Calculation Overview");
    EXPECT_EQ(window.BorderStyle(), gui::bsDialog);
    EXPECT_EQ(window.Position(), gui::poMainFormCenter);
    EXPECT_FALSE(window.Scaled());
    EXPECT_EQ(window.ClientWidth(), 665);
    EXPECT_EQ(window.ClientHeight(), 396);
    EXPECT_EQ(window.Font()->Name(), "Arial");
    EXPECT_EQ(window.Font()->Height(), -13);

    auto* heading = dynamic_cast<gui::TControl*>(window.FindComponent("Panel3"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->Height(), 56);
    auto* headingShape = dynamic_cast<gui::TShape*>(window.FindComponent("Shape11"));
    auto* totalsShape = dynamic_cast<gui::TShape*>(window.FindComponent("Shape1"));
    ASSERT_TRUE(headingShape && totalsShape);
    EXPECT_EQ(headingShape->Parent(), heading);
    EXPECT_EQ(totalsShape->Parent()->Name(), "Panel4");
    EXPECT_EQ(window.TOTALCOST->Parent()->Name(), "Panel4");
    EXPECT_EQ(headingShape->Brush()->Color(), gui::clWhite);

    // Ten rows 24 pixels apart, each row's flow label and five cells on one line.
    const char* const flowLabels[10] = {"Label12", "Label13", "Label14", "Label15", "Label16",
                                        "Label17", "Label18", "Label19", "Label10", "Label21"};
    for (int row = 1; row <= 10; ++row) {
        auto* flow = dynamic_cast<gui::TLabel*>(window.FindComponent(flowLabels[row - 1]));
        ASSERT_NE(flow, nullptr) << flowLabels[row - 1];
        EXPECT_EQ(flow->Caption(), std::to_string(110 - 10 * row));
        EXPECT_EQ(flow->Parent()->Name(), "Panel1");
        for (gui::TLabel* cell : {window.Ap[row], window.HRY[row], window.SHP[row], window.CPH[row], window.OC[row]}) {
            EXPECT_EQ(cell->Top(), flow->Top()) << cell->Name();
            EXPECT_EQ(cell->Alignment(), gui::taRightJustify) << cell->Name();
        }
        if (row > 1) {
            EXPECT_EQ(flow->Top() - window.HRY[row - 1]->Top(), 24) << "row " << row;
        }
    }

    for (const char* name : {"ESCCANCEL", "Help"}) {
        auto* button = dynamic_cast<gui::TButton*>(window.FindComponent(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->Parent()->Name(), "Panel8");
        EXPECT_EQ(button->ModalResult(), gui::mrCancel) << name;
        EXPECT_TRUE(button->Cancel()) << name;
    }
    EXPECT_EQ(dynamic_cast<gui::TControl*>(window.FindComponent("ESCCANCEL"))->Hint(), "Go one step back");
    EXPECT_EQ(dynamic_cast<gui::TControl*>(window.FindComponent("Help"))->Hint(), "Get Help!");
}

TEST_F(OverviewTest, TheStringTableHoldsTheMediaAndTheHeadingsFirstWord)
{
    const std::pair<const char*, const char*> texts[] = {
        {"IDS_0", "AIR"}, {"IDS_5", "LIQUID"}, {"IDS_10", "Shaft "}, {"IDS_1", ""}, {"IDS_248", ""}};
    for (const auto& [id, text] : texts)
        EXPECT_EQ(Overview().trLingua1->LookupStringOrDefault(id), text) << id;
}

// Filled with a fan's and a pump's figures, in kW and with a long currency symbol, every cell still
// fits its column and nothing overlaps.
TEST_F(OverviewTest, TheFilledTableKeepsItsLayout)
{
    ShowAnalysisWindowIn(true);
    analysis::CurrencySymbol = "Swiss Fr.x";
    SetParam(5, 1000);
    for (int application : {1, 2}) {
        Calculate(application);
        analysis::OverviewApp = application;
        analysis::OverviewMethod = 3;
        Overview().FormShow(&Overview());
        EXPECT_EQ(testsupport::LayoutProblems(Overview()), std::vector<std::string>{}) << "application " << application;
    }
}

}  // namespace
}  // namespace analysis_windows_test
