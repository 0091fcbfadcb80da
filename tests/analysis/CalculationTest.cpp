#include "tests/analysis/CalculationFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace analysis;
using analysis_test::CalculationTest;

void ExpectArray(const ByFlowPoint<double>& actual, const std::vector<double>& expected, const char* name)
{
    for (int i = 1; i <= 10; ++i)
        EXPECT_NEAR(actual[i], expected[size_t(i - 1)], 1e-9) << name << "[" << i << "]";
}

void ExpectAllZero(const ByFlowPoint<double>& values, const char* name)
{
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(values[i], 0.0) << name << "[" << i << "]";
}

const std::vector<double> kVfdCostPerHour{12.14, 8.85, 6.21, 4.16, 2.62, 1.52, 0.78, 0.33, 0.10, 0.01};
const std::vector<double> kDamperCostPerHour{11.77, 11.17, 10.52, 9.85, 9.12, 8.33, 7.45, 6.49, 5.26, 3.57};
const std::vector<double> kVaneCostPerHour{11.77, 10.60, 9.42, 8.24, 7.06, 5.89, 4.71, 3.49, 2.35, 1.13};

TEST_F(CalculationTest, DefaultFanGivesTheWorkedExampleToTheCent)
{
    const CalcStatus status = CalculateRivuve(1, inputs);
    EXPECT_TRUE(status.Ok());
    EXPECT_EQ(YearlyHours, 8760);
    ExpectArray(FanHours, {87.6, 175.2, 788.4, 1489.2, 2102.4, 1489.2, 1138.8, 963.6, 525.6, 0}, "FanHours");
    EXPECT_NEAR(FanTotalHours, 8760, 1e-9);
    ExpectArray(FanVfdCostPerHour, kVfdCostPerHour, "FanVfdCostPerHour");
    ExpectArray(DamperCostPerHour, kDamperCostPerHour, "DamperCostPerHour");
    ExpectArray(InletVaneCostPerHour, kVaneCostPerHour, "InletVaneCostPerHour");
    EXPECT_NEAR(FanVfdYearlyCost, 22735.70, 0.005);
    EXPECT_NEAR(DamperYearlyCost, 75032.03, 0.005);
    EXPECT_NEAR(InletVaneYearlyCost, 56162.11, 0.005);
    EXPECT_NEAR(NoControlYearlyCost, 103142.08, 0.005);
    // The cost per point is the rounded cost per hour times the hours, not rounded itself.
    EXPECT_DOUBLE_EQ(FanVfdPointCost[3], 6.21 * 788.4);
    // The inputs stay readable in their computed form.
    EXPECT_DOUBLE_EQ(RivuveCost, 0.10);
    EXPECT_DOUBLE_EQ(MotorEfficiency, 0.95);
    EXPECT_DOUBLE_EQ(VfdCost, 12000);
    // At full flow every curve of 1.0 draws the motor's power.
    EXPECT_DOUBLE_EQ(FanVfdPower[1], 150);
    EXPECT_DOUBLE_EQ(DamperPower[1], 150);
    EXPECT_DOUBLE_EQ(Custom1Power[1], 150);
}

TEST_F(CalculationTest, DefaultPumpValveEqualsTheDamper)
{
    EXPECT_TRUE(CalculateRivuve(2, inputs).Ok());
    ExpectArray(PumpVfdCostPerHour, kVfdCostPerHour, "PumpVfdCostPerHour");
    ExpectArray(ValveCostPerHour, kDamperCostPerHour, "ValveCostPerHour");
    EXPECT_NEAR(ValveYearlyCost, 75032.03, 0.005);
    EXPECT_NEAR(PumpVfdYearlyCost, 22735.70, 0.005);
    EXPECT_NEAR(NoControlYearlyCost, 103142.08, 0.005);
}

TEST_F(CalculationTest, KilowattAgainstHorsepower)
{
    CalculateRivuve(1, inputs);
    const double hp[] = {NoControlYearlyCost, FanVfdYearlyCost, DamperYearlyCost, InletVaneYearlyCost};
    PowerUnitFactor = 1.0;
    CalculateRivuve(1, inputs);
    const double kw[] = {NoControlYearlyCost, FanVfdYearlyCost, DamperYearlyCost, InletVaneYearlyCost};
    EXPECT_NEAR(hp[0] / kw[0], 0.7457, 1e-12) << "no rounding without speed control";
    // The other methods round each cost per hour to the cent before it is multiplied by the hours.
    for (int m = 1; m < 4; ++m)
        EXPECT_NEAR(hp[m] / kw[m], 0.7457, 2e-3) << m;
}

TEST_F(CalculationTest, YearlyHoursCountContinuousOperationAsAWholeYear)
{
    struct Case {
        const char* weeks;
        int yearly;
    };
    for (const Case& c : {Case{"52", 8760}, Case{"51", 8568}, Case{"53", 8904}}) {
        inputs.edits[InputEdit::A103] = c.weeks;
        CalculateRivuve(1, inputs);
        EXPECT_EQ(YearlyHours, c.yearly) << c.weeks;
    }
    inputs.edits[InputEdit::A101] = "8";
    inputs.edits[InputEdit::A102] = "5";
    inputs.edits[InputEdit::A103] = "50";
    CalculateRivuve(2, inputs);
    EXPECT_EQ(YearlyHours, 2000);
    EXPECT_DOUBLE_EQ(PumpHours[5], 480);
}

TEST_F(CalculationTest, PumpLeavesTheFanResultsAlone)
{
    CalculateRivuve(1, inputs);
    const double fanVfd = FanVfdYearlyCost;
    const double damper = DamperYearlyCost;
    inputs.edits[InputEdit::A105] = "300.0";
    CalculateRivuve(2, inputs);
    EXPECT_EQ(FanVfdYearlyCost, fanVfd);
    EXPECT_EQ(DamperYearlyCost, damper);
    EXPECT_NEAR(PumpVfdYearlyCost, 2 * fanVfd, 50);
    // Another application type reads the inputs and computes nothing.
    inputs.edits[InputEdit::A105] = "75.0";
    CalculateRivuve(3, inputs);
    EXPECT_EQ(MotorPower, 75);
    EXPECT_EQ(FanVfdYearlyCost, fanVfd);
}

TEST_F(CalculationTest, ZeroInACurveClearsOnlyThatMethodAndIsReportedOnce)
{
    Custom2Enabled = true;
    CalculateRivuve(1, inputs);
    const double vane = InletVaneYearlyCost;
    DamperCurve[3] = 0;
    DamperCurve[9] = 0;
    Custom2Curve[10] = 0;
    const CalcStatus status = CalculateRivuve(1, inputs);
    EXPECT_EQ(status.Faults, (std::vector<CalcFault>{CalcFault::DamperCurve, CalcFault::Custom2Curve}));
    EXPECT_EQ(LastCalcStatus.Faults, status.Faults);
    // No stale figures from the earlier call are left looking valid.
    ExpectAllZero(DamperPower, "DamperPower");
    ExpectAllZero(DamperCostPerHour, "DamperCostPerHour");
    ExpectAllZero(DamperPointCost, "DamperPointCost");
    EXPECT_EQ(DamperYearlyCost, 0);
    EXPECT_EQ(Custom2YearlyCost, 0);
    EXPECT_EQ(InletVaneYearlyCost, vane);
    EXPECT_NEAR(FanVfdYearlyCost, 22735.70, 0.005);
    EXPECT_GT(Custom1YearlyCost, 0);

    // The pump does not use the damper curve.
    EXPECT_EQ(CalculateRivuve(2, inputs).Faults, std::vector<CalcFault>{CalcFault::Custom2Curve});
}

TEST_F(CalculationTest, CurveOfACustomControlNotComparedIsNoFaultButIsCleared)
{
    struct Case {
        bool custom1Enabled;
        bool custom2Enabled;
        std::vector<CalcFault> faults;
    };
    const Case cases[] = {
        {false, false, {}},
        {true, false, {CalcFault::Custom1Curve}},
        {false, true, {CalcFault::Custom2Curve}},
        {true, true, {CalcFault::Custom1Curve, CalcFault::Custom2Curve}},
    };
    for (int appType : {1, 2}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(appType) + (c.custom1Enabled ? " custom 1 on" : " custom 1 off")
                         + (c.custom2Enabled ? ", custom 2 on" : ", custom 2 off"));
            Custom1Curve.Fill(1.0);
            Custom2Curve.Fill(1.0);
            Custom1Enabled = c.custom1Enabled;
            Custom2Enabled = c.custom2Enabled;
            ASSERT_TRUE(CalculateRivuve(appType, inputs).Ok());
            ASSERT_GT(Custom1YearlyCost, 0);
            Custom1Curve[5] = 0;
            Custom2Curve[10] = 0;
            EXPECT_EQ(CalculateRivuve(appType, inputs).Faults, c.faults);
            ExpectAllZero(Custom1Power, "Custom1Power");
            ExpectAllZero(Custom2CostPerHour, "Custom2CostPerHour");
            EXPECT_EQ(Custom1YearlyCost, 0);
            EXPECT_EQ(Custom2YearlyCost, 0);
        }
    }
}

TEST_F(CalculationTest, ZeroEfficiencyClearsEveryResult)
{
    struct Case {
        const char* motorEfficiency;
        double driveEfficiency;
        std::vector<CalcFault> faults;
    };
    const Case cases[] = {
        {"0.0", 0.97, {CalcFault::MotorEfficiency}},
        {"95.0", 0.0, {CalcFault::VfdEfficiency}},
        {"", 0.0, {CalcFault::MotorEfficiency, CalcFault::VfdEfficiency}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.motorEfficiency);
        inputs.edits[InputEdit::A106] = "95.0";
        VfdCurve.Fill(0.97);
        ASSERT_TRUE(CalculateRivuve(1, inputs).Ok());
        inputs.edits[InputEdit::A106] = c.motorEfficiency;
        VfdCurve.Fill(c.driveEfficiency);
        EXPECT_EQ(CalculateRivuve(1, inputs).Faults, c.faults);
        EXPECT_EQ(YearlyHours, 0);
        EXPECT_EQ(FanTotalHours, 0);
        ExpectAllZero(FanHours, "FanHours");
        ExpectAllZero(FanVfdCostPerHour, "FanVfdCostPerHour");
        ExpectAllZero(InletVanePointCost, "InletVanePointCost");
        for (double cost : {FanVfdYearlyCost, DamperYearlyCost, InletVaneYearlyCost, Custom1YearlyCost,
                            Custom2YearlyCost, NoControlYearlyCost})
            EXPECT_EQ(cost, 0);
    }
}

TEST_F(CalculationTest, ZeroDutyGivesNoHoursAndNoCost)
{
    inputs.duty[0] = "0";
    inputs.duty[9] = "1";
    CalculateRivuve(1, inputs);
    EXPECT_EQ(FanDutyPercent[1], 0);
    EXPECT_EQ(FanHours[1], 0);
    EXPECT_EQ(FanVfdPointCost[1], 0);
    EXPECT_EQ(DamperPointCost[1], 0);
    EXPECT_DOUBLE_EQ(FanVfdCostPerHour[1], 12.14) << "the cost per hour does not depend on the duty";
}

}  // namespace
