// The results page as the window shows it for the default projects: the ranked cost positions with the
// methods they open, the savings rows, the payback rows in their colours, and the entries and duty chart
// of the system data page. The figures are the worked example's yearly costs (22735.70, 56162.11,
// 75032.03, 103142.08) as the page rounds them.

#include "tests/analysis/windows/FanFixture.h"

namespace fantest {
namespace {

struct Row {
    const char* caption;
    const char* value;
};

class FanResultsTest : public FanWindowTest {
protected:
    // The cost positions LINE1 .. LINECUSTOM2: caption and value of the visible ones, in order.
    std::vector<std::pair<std::string, std::string>> CostPositions() const
    {
        std::vector<std::pair<std::string, std::string>> shown;
        for (std::size_t k = 0; k < window->Lines.size(); ++k)
            if (window->Lines[k]->Visible())
                shown.emplace_back(window->Lines[k]->Caption(), window->LineValues[k]->Caption());
        return shown;
    }
    std::vector<std::pair<std::string, std::string>> SavingsRows() const
    {
        std::vector<std::pair<std::string, std::string>> shown;
        for (std::size_t k = 0; k < window->CONTROL.size(); ++k)
            if (window->CONTROL[k]->Visible())
                shown.emplace_back(window->CONTROL[k]->Caption(), window->VALUE[k]->Caption());
        return shown;
    }
    std::vector<std::string> PaybackValues() const
    {
        std::vector<std::string> values;
        for (gui::TLabel* value : window->PAYBACKVALUE)
            values.push_back(value->Caption());
        return values;
    }
    using Pairs = std::vector<std::pair<std::string, std::string>>;
};

TEST_F(FanResultsTest, TheDefaultFanProject)
{
    Open();
    EXPECT_EQ(window->Caption(), "Pellawinsbry Rivuve Savings Estimator, Active Project: Fan Application");
    EXPECT_EQ(Caption("FLOWM"), "Payback Estimation: Fan Application ");
    EXPECT_EQ(CostPositions(), (Pairs{{"Variable Speed Drive", "$ 22,736"},
                                      {"Inlet Vane Control", "$ 56,162"},
                                      {"Outlet Damper Control", "$ 75,032"},
                                      {"No Speed Control", "$ 103,142"}}));
    EXPECT_FALSE(Named("LINECUSTOM1").Visible());
    EXPECT_FALSE(Named("LINECUSTOM2").Visible());
    EXPECT_EQ(Caption("VALCUSTOM1"), "");
    EXPECT_EQ(Caption("VALCUSTOM2"), "");
    EXPECT_EQ(SavingsRows(), (Pairs{{"No Speed Control", "$ 80,406"},
                                    {"Outlet Damper Control", "$ 52,296"},
                                    {"Inlet Vane Control", "$ 33,426"}}));
    for (const char* empty : {"CONTROL4", "VALUE4", "CONTROL5", "VALUE5"})
        EXPECT_EQ(Caption(empty), "") << empty;
    EXPECT_EQ(PaybackValues(), (std::vector<std::string>{"0.149 Years", "0.229 Years", "0.359 Years", "", ""}));
    EXPECT_EQ(Caption("PAYBACK2"), "Outlet Damper Control");
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(Named("PAYBACKVALUE" + std::to_string(k)).Font()->Color(), gui::TColor(0)) << k;

    EXPECT_EQ(Edit("A104").Text(), "10.00");
    EXPECT_EQ(Edit("A105").Text(), "150.0");
    EXPECT_EQ(Edit("A109").Text(), "12,000");
    EXPECT_EQ(Caption("Power_Label"), "HP");
    EXPECT_EQ(Caption("CompanyIncentiveLabel"), "$/HP");
    EXPECT_EQ(Caption("Currency_label2"), "Cents");
    EXPECT_EQ(Caption("DRIVEEFF"), "97.00");
    EXPECT_EQ(Caption("Label50"), "100%");
    EXPECT_EQ(Named("Label50").Font()->Color(), gui::clBlack);
    EXPECT_EQ(window->DutySeries1->SeriesColor(), gui::clBlue);
    EXPECT_EQ(window->DutyChart->Title()->Text()->Text(), "   Duty Cycle\r\n");
    EXPECT_EQ(window->DutyChart->BottomAxis()->Title()->Caption(), "Percentage Flow (%)");
    EXPECT_EQ(window->DutyChart->LeftAxis()->Title()->Caption(), "Percentage Time (%) ");
    const double points[][2] = {{0, 0},  {10, 0},  {20, 6},  {30, 11}, {40, 13}, {50, 17},
                                {60, 24}, {70, 17}, {80, 9}, {90, 2},  {100, 1}};
    ASSERT_EQ(window->DutySeries1->Count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(window->DutySeries1->XValue(i), points[i][0]) << i;
        EXPECT_EQ(window->DutySeries1->YValue(i), points[i][1]) << i;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FanResultsTest, TheDefaultPumpProject)
{
    analysis::AppType = 2;
    Open();
    EXPECT_EQ(window->Caption(), "Pellawinsbry Rivuve Savings Estimator, Active Project: Pump Application");
    EXPECT_EQ(Caption("FLOWM"), "Payback Estimation: Pump Application ");
    EXPECT_EQ(CostPositions(), (Pairs{{"Variable Speed Drive", "$ 22,736"},
                                      {"Throttling Valve Control", "$ 75,032"},
                                      {"No Speed Control", "$ 103,142"}}));
    EXPECT_FALSE(Named("LINE4").Visible());
    EXPECT_EQ(Caption("VAL4"), "");
    // The fifth savings row is only emptied: it keeps the visibility it had.
    EXPECT_EQ(SavingsRows(), (Pairs{{"No Speed Control", "$ 80,406"}, {"Throttling Valve Control", "$ 52,296"}, {"", ""}}));
    EXPECT_FALSE(Named("CONTROL3").Visible());
    EXPECT_FALSE(Named("CONTROL4").Visible());
    EXPECT_EQ(PaybackValues(), (std::vector<std::string>{"0.149 Years", "0.229 Years", "", "", ""}));
    EXPECT_TRUE(Named("LINE1").OnClick == gui::TNotifyEvent::Of<&analysis::TFANFORM::LINE2Click>(window));
    EXPECT_TRUE(Named("LINE2").OnClick == gui::TNotifyEvent::Of<&analysis::TFANFORM::LINE3Click>(window));
}

TEST_F(FanResultsTest, PowerInKilowattsCostsMoreThanTheSameFiguresInHorsepower)
{
    analysis::PowerInKW = true;
    Open();
    EXPECT_EQ(Caption("Power_Label"), "kW");
    EXPECT_EQ(Caption("CompanyIncentiveLabel"), "$/kW");
    EXPECT_EQ(Caption("VAL4"), "$ 138,316");
}

TEST_F(FanResultsTest, GermanSeparators)
{
    UseSeparators(',', '.');
    Open();
    EXPECT_EQ(Caption("VAL1"), "$ 22.736");
    EXPECT_EQ(Caption("PAYBACKVALUE1"), "0,149 Years");
    EXPECT_EQ(Edit("A105").Text(), "150,0");
    EXPECT_EQ(Edit("A109").Text(), "12.000");
}

// The incentive of 10 per HP counts every year on top of the saving, or once against the drive's price,
// as the checked button says when Continue recomputes.
TEST_F(FanResultsTest, TheIncentiveButtonsDecideThePayback)
{
    struct Case {
        const char* button;
        std::vector<std::string> payback;
    };
    const Case cases[] = {
        {"Incentive02", {"0.147 Years", "0.223 Years", "0.344 Years", "", ""}},
        {"Incentive01", {"0.131 Years", "0.201 Years", "0.314 Years", "", ""}},
    };
    Open();
    GoToPage(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Retype(Edit("A108"), "10");
        ClickOn(Named(c.button));
        ClickOn(Named("BitBtn2"));
        EXPECT_EQ(Page(), 2);
        EXPECT_EQ(PaybackValues(), c.payback);
        GoToPage(1);
    }
}

// A control curve holding 0 leaves its method out: one message names it, the next estimate with the same
// fault says nothing again, and the method takes no position.
TEST_F(FanResultsTest, AMethodThatCannotBeComputedIsNamedOnceAndLeftOut)
{
    analysis::DamperCurve[5] = 0;
    Open();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Outlet Damper Control is left out of the estimate: its control curve holds the value 0."}));
    EXPECT_EQ(CostPositions(), (Pairs{{"Variable Speed Drive", "$ 22,736"},
                                      {"Inlet Vane Control", "$ 56,162"},
                                      {"No Speed Control", "$ 103,142"}}));
    EXPECT_FALSE(Named("LINE4").Visible());
    EXPECT_EQ(Caption("VAL4"), "");
    EXPECT_EQ(SavingsRows(), (Pairs{{"No Speed Control", "$ 80,406"}, {"Inlet Vane Control", "$ 33,426"}}));
    GoToPage(1);
    ClickOn(Named("BitBtn2"));
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(Messages().size(), 1u);

    // Once the fault is gone the next one is named again.
    analysis::DamperCurve[5] = 0.2789;
    window->RecalculateAndRedraw();
    analysis::DamperCurve[5] = 0;
    window->RecalculateAndRedraw();
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(FanResultsTest, AnEfficiencyOfZeroLeavesNoEstimate)
{
    analysis::VfdCurve.Fill(0);
    Open();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"No estimate can be made: the VFD efficiency is 0."}));
    EXPECT_TRUE(CostPositions().empty());
    EXPECT_TRUE(SavingsRows().empty());
}

}  // namespace
}  // namespace fantest
