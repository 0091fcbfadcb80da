#include "analysis/Comparison.h"
#include "tests/analysis/CalculationFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace analysis;
using M = ControlMethod;

class ComparisonTest : public analysis_test::CalculationTest {
protected:
    static std::vector<M> Methods(const std::vector<RankedMethod>& ranking)
    {
        std::vector<M> methods;
        for (const RankedMethod& r : ranking)
            methods.push_back(r.Method);
        return methods;
    }
    static std::vector<std::string> Captions(const std::vector<RankedMethod>& ranking)
    {
        std::vector<std::string> captions;
        for (const RankedMethod& r : ranking)
            captions.push_back(r.Caption);
        return captions;
    }
    static std::vector<int> Numbers(const std::vector<RankedMethod>& ranking)
    {
        std::vector<int> numbers;
        for (const RankedMethod& r : ranking)
            numbers.push_back(r.MethodNumber);
        return numbers;
    }

    // Yearly costs given directly, as if a calculation had left them.
    void FanCosts(double noControl, double drive, double damper, double vane)
    {
        LastCalcStatus = CalcStatus();
        NoControlYearlyCost = noControl;
        FanVfdYearlyCost = drive;
        DamperYearlyCost = damper;
        InletVaneYearlyCost = vane;
    }
};

TEST_F(ComparisonTest, DefaultFan)
{
    CalculateRivuve(1, inputs);
    EXPECT_EQ(ComparisonTitle(1, EnglishTexts()), "Payback Estimation: Fan Application ");
    const auto cost = RankByCost(1, EnglishTexts());
    EXPECT_EQ(Captions(cost), (std::vector<std::string>{"Variable Speed Drive", "Inlet Vane Control",
                                                        "Outlet Damper Control", "No Speed Control"}));
    EXPECT_EQ(Numbers(cost), (std::vector<int>{2, 4, 3, 1}));
    ASSERT_EQ(cost.size(), 4u);
    EXPECT_EQ(cost[0].AmountText, "$ 22,736");
    EXPECT_EQ(cost[3].AmountText, "$ 103,142");

    const auto savings = RankBySavings(1, EnglishTexts());
    EXPECT_EQ(Methods(savings), (std::vector<M>{M::NoSpeedControl, M::OutletDamper, M::InletVane}));
    EXPECT_EQ(Numbers(savings), (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(savings.size(), 3u);
    EXPECT_DOUBLE_EQ(savings[0].Amount, NoControlYearlyCost - FanVfdYearlyCost);
    EXPECT_EQ(savings[0].AmountText, "$ 80,406");
    EXPECT_EQ(savings[2].AmountText, "$ 33,426");
}

TEST_F(ComparisonTest, BothCustomControlsWithDefaultCurves)
{
    Custom1Enabled = true;
    Custom2Enabled = true;
    CalculateRivuve(1, inputs);
    const auto cost = RankByCost(1, EnglishTexts());
    EXPECT_EQ(Captions(cost), (std::vector<std::string>{"Custom Control 1", "Custom Control 2", "Variable Speed Drive",
                                                        "Inlet Vane Control", "Outlet Damper Control",
                                                        "No Speed Control"}));
    const auto savings = RankBySavings(1, EnglishTexts());
    EXPECT_EQ(Methods(savings), (std::vector<M>{M::NoSpeedControl, M::OutletDamper, M::InletVane, M::CustomControl1,
                                                M::CustomControl2}));
    EXPECT_EQ(Numbers(savings), (std::vector<int>{1, 2, 3, 4, 5}));
    // Cheaper than the drive: a negative saving, ranked last.
    EXPECT_LT(savings[3].Amount, 0);
    EXPECT_EQ(savings[3].AmountText, "$ -692");
}

TEST_F(ComparisonTest, DefaultPump)
{
    CalculateRivuve(2, inputs);
    EXPECT_EQ(ComparisonTitle(2, EnglishTexts()), "Payback Estimation: Pump Application ");
    EXPECT_EQ(Captions(RankByCost(2, EnglishTexts())),
              (std::vector<std::string>{"Variable Speed Drive", "Throttling Valve Control", "No Speed Control"}));
    EXPECT_EQ(Numbers(RankByCost(2, EnglishTexts())), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(Methods(RankBySavings(2, EnglishTexts())), (std::vector<M>{M::NoSpeedControl, M::ThrottlingValve}));
}

TEST_F(ComparisonTest, CustomControl2AloneKeepsItsOwnNumber)
{
    Custom2Enabled = true;
    Custom2Title = "Fluid coupling";
    CalculateRivuve(1, inputs);
    auto cost = RankByCost(1, EnglishTexts());
    ASSERT_EQ(cost.size(), 5u);
    EXPECT_EQ(cost[0].Method, M::CustomControl2);
    EXPECT_EQ(cost[0].MethodNumber, 6);
    EXPECT_EQ(cost[0].Caption, "Fluid coupling");
    EXPECT_EQ(RankBySavings(1, EnglishTexts()).back().MethodNumber, 5);

    CalculateRivuve(2, inputs);
    cost = RankByCost(2, EnglishTexts());
    ASSERT_EQ(cost.size(), 4u);
    EXPECT_EQ(cost[0].MethodNumber, 5);
    EXPECT_EQ(RankBySavings(2, EnglishTexts()).back().MethodNumber, 4);
}

TEST_F(ComparisonTest, SelectionSortResolvesTiesBySwaps)
{
    std::vector<ComparisonEntry> entries{{5, 1}, {5, 2}, {1, 3}};
    SortMethodsAscending(entries, 3);
    EXPECT_EQ(entries[0].MethodNumber, 3);
    EXPECT_EQ(entries[1].MethodNumber, 2);
    EXPECT_EQ(entries[2].MethodNumber, 1);

    entries = {{1, 1}, {5, 2}, {5, 3}};
    SortMethodsDescending(entries, 3);
    EXPECT_EQ(entries[0].MethodNumber, 2);
    EXPECT_EQ(entries[1].MethodNumber, 3);
    EXPECT_EQ(entries[2].MethodNumber, 1);

    entries = {{3, 1}, {2, 2}, {1, 3}};
    SortMethodsAscending(entries, 0);
    EXPECT_EQ(entries[0].MethodNumber, 1);
    SortMethodsAscending(entries, 2);
    EXPECT_EQ(entries[0].MethodNumber, 2);
    EXPECT_EQ(entries[2].MethodNumber, 3) << "positions after n are left alone";
}

TEST_F(ComparisonTest, SavingsTiesAreDecidedOnWholeUnitsRoundedToEven)
{
    // Savings 4.6 and 5.4 both round to 5: the damper, met first, ranks above the larger vane saving.
    FanCosts(1000.6, 1000, 1004.6, 1005.4);
    auto savings = RankBySavings(1, EnglishTexts());
    EXPECT_EQ(Methods(savings), (std::vector<M>{M::OutletDamper, M::InletVane, M::NoSpeedControl}));
    EXPECT_EQ(savings[0].AmountText, "$ 5");
    EXPECT_DOUBLE_EQ(savings[1].Amount, 1005.4 - 1000);

    // 2.5 rounds to 2, not 3, so the vane's 2.6 (3) leads and the damper's 2.1 (2) wins the tie.
    FanCosts(1002.5, 1000, 1002.1, 1002.6);
    savings = RankBySavings(1, EnglishTexts());
    EXPECT_EQ(Methods(savings), (std::vector<M>{M::InletVane, M::OutletDamper, M::NoSpeedControl}));
}

TEST_F(ComparisonTest, PositionsUsedByApplicationAndCustomControls)
{
    struct Case {
        int app;
        bool custom1, custom2;
        int cost, savings, payback;
    };
    const Case cases[] = {
        {1, false, false, 4, 3, 3}, {1, true, false, 5, 4, 4}, {1, false, true, 5, 4, 4}, {1, true, true, 6, 5, 5},
        {2, false, false, 3, 2, 2}, {2, false, true, 4, 3, 3}, {2, true, true, 5, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.app << c.custom1 << c.custom2);
        const PositionsUsed used = PositionsUsedFor(c.app, c.custom1, c.custom2);
        EXPECT_EQ(used.CostPositions, c.cost);
        EXPECT_EQ(used.SavingsRows, c.savings);
        EXPECT_EQ(used.PaybackRows, c.payback);
        // With every method computed the rankings fill exactly these positions.
        Custom1Enabled = c.custom1;
        Custom2Enabled = c.custom2;
        CalculateRivuve(c.app, inputs);
        EXPECT_EQ(int(RankByCost(c.app, EnglishTexts()).size()), c.cost);
        EXPECT_EQ(int(RankBySavings(c.app, EnglishTexts()).size()), c.savings);
    }
}

TEST_F(ComparisonTest, UncomputedMethodsTakeNoPlace)
{
    Custom1Enabled = true;
    DamperCurve[4] = 0;
    CalculateRivuve(1, inputs);
    EXPECT_EQ(Methods(RankByCost(1, EnglishTexts())),
              (std::vector<M>{M::CustomControl1, M::VfdControl, M::InletVane, M::NoSpeedControl}));
    EXPECT_EQ(Methods(RankBySavings(1, EnglishTexts())),
              (std::vector<M>{M::NoSpeedControl, M::InletVane, M::CustomControl1}));

    inputs.edits[InputEdit::A106] = "0.0";
    CalculateRivuve(1, inputs);
    EXPECT_TRUE(RankByCost(1, EnglishTexts()).empty());
    EXPECT_TRUE(RankBySavings(1, EnglishTexts()).empty());
}

TEST_F(ComparisonTest, MoneyTextPutsTheSignAfterTheBlank)
{
    CurrencySymbol = "EUR";
    EXPECT_EQ(MoneyText(12000), "EUR 12,000");
    EXPECT_EQ(MoneyText(-500.4), "EUR -500");
    rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
    InitNumberSeparators();
    EXPECT_EQ(MoneyText(1234567.5), "EUR 1.234.568");
}

}  // namespace
