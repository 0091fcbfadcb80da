#include "analysis/Payback.h"
#include "tests/analysis/CalculationFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace analysis;

class PaybackTest : public analysis_test::CalculationTest {};

TEST_F(PaybackTest, YearsNeverAndImmediately)
{
    struct Case {
        double vfdCost, motorPower, incentive, saving;
        IncentiveType type;
        const char* text;
        bool red;
    };
    const auto oneTime = IncentiveType::OneTime;
    const auto yearly = IncentiveType::Yearly;
    const Case cases[] = {
        {12000, 150, 0, 4000, oneTime, "3.000 Years", false},
        {12000, 150, 0, 4000, yearly, "3.000 Years", false},
        {12000, 150, 10, 4000, oneTime, "2.625 Years", false},
        {12000, 150, 10, 4000, yearly, "2.182 Years", false},
        // The incentive covers the price, with some to spare or exactly.
        {12000, 150, 100, 10, oneTime, "Immediately", false},
        {12000, 120, 100, 10, oneTime, "Immediately", false},
        // The saving is tested first: no saving, no payback, whatever the incentive.
        {12000, 150, 100, 0, oneTime, "Never", true},
        {12000, 150, 0, -5, oneTime, "Never", true},
        // A yearly incentive can outweigh a negative saving; zero in all is no payback.
        {12000, 150, 10, -500, yearly, "12.000 Years", false},
        {12000, 150, 10, -1500, yearly, "Never", true},
        // A free drive pays back at once, but the yearly form says so in years.
        {0, 150, 0, 4000, yearly, "0.000 Years", false},
        {12345.68, 150, 0, 10, oneTime, "1,234.568 Years", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.vfdCost << " " << c.incentive << " " << c.saving << " "
                                        << (c.type == oneTime ? "one-time" : "yearly"));
        VfdCost = c.vfdCost;
        MotorPower = c.motorPower;
        IncentiveAmount = c.incentive;
        const PaybackValue value = PaybackFor(c.saving, c.type, EnglishTexts());
        EXPECT_EQ(value.Text, c.text);
        EXPECT_EQ(value.Red, c.red);
    }
}

TEST_F(PaybackTest, DefaultFanRows)
{
    CalculateRivuve(1, inputs);
    const auto rows = PaybackRows(1, IncentiveType::OneTime, EnglishTexts());
    EXPECT_EQ(rows[0].Caption, "No Speed Control");
    EXPECT_EQ(rows[0].Value, "0.149 Years");   // 12000 / 80406.38
    EXPECT_EQ(rows[1].Caption, "Outlet Damper Control");
    EXPECT_EQ(rows[1].Value, "0.229 Years");   // 12000 / 52296.32
    EXPECT_EQ(rows[2].Caption, "Inlet Vane Control");
    EXPECT_EQ(rows[2].Value, "0.359 Years");   // 12000 / 33426.41
    for (size_t i = 3; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].Caption.empty() && rows[i].Value.empty()) << i;
}

TEST_F(PaybackTest, RowsFollowAFixedOrderOfMethods)
{
    struct Case {
        int app;
        bool custom1, custom2;
        const char* captions[5];
    };
    const Case cases[] = {
        {1, false, true, {"No Speed Control", "Outlet Damper Control", "Inlet Vane Control", "Custom Control 2", ""}},
        {1, true, true,
         {"No Speed Control", "Outlet Damper Control", "Inlet Vane Control", "Custom Control 1", "Custom Control 2"}},
        {2, false, false, {"No Speed Control", "Throttling Valve Control", "", "", ""}},
        {2, false, true, {"No Speed Control", "Throttling Valve Control", "Custom Control 2", "", ""}},
        {2, true, true, {"No Speed Control", "Throttling Valve Control", "Custom Control 1", "Custom Control 2", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.app << c.custom1 << c.custom2);
        Custom1Enabled = c.custom1;
        Custom2Enabled = c.custom2;
        CalculateRivuve(c.app, inputs);
        const auto rows = PaybackRows(c.app, IncentiveType::Yearly, EnglishTexts());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].Caption, c.captions[i]) << i;
            EXPECT_EQ(rows[i].Value.empty(), *c.captions[i] == '\0') << i;
        }
        // With its default curve custom control 2 costs less than the drive: it never pays back.
        size_t last = 0;
        while (last + 1 < rows.size() && !rows[last + 1].Caption.empty())
            ++last;
        if (c.custom2) {
            EXPECT_EQ(rows[last].Value, "Never");
            EXPECT_TRUE(rows[last].Red);
        }
    }
}

TEST_F(PaybackTest, UncomputedMethodKeepsItsCaptionWithoutAValue)
{
    DamperCurve[2] = 0;
    CalculateRivuve(1, inputs);
    const auto rows = PaybackRows(1, IncentiveType::OneTime, EnglishTexts());
    EXPECT_EQ(rows[1].Caption, "Outlet Damper Control");
    EXPECT_EQ(rows[1].Value, "");
    EXPECT_FALSE(rows[1].Red);
    EXPECT_EQ(rows[2].Value, "0.359 Years");
}

}  // namespace
