// Which values an axis labels, and how a label reads in the user's settings.

#include "platform/chart/AxisScale.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<double> Range(double first, double step, int count)
{
    std::vector<double> values;
    for (int k = 0; k < count; ++k) {
        values.push_back(first + k * step);
    }
    return values;
}

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-9 * std::max(1.0, std::abs(expected[i]))) << i;
    }
}

TEST(AxisScaleTest, VerticalStepsAreTheSmallestWithTwoTextHeightsBetweenLabels)
{
    chart::TLabelSpacing spacing;
    spacing.textHeight = 14;  // needs 28 pixels between labels
    struct Case {
        double minimum, maximum;
        int pixels;
        std::vector<double> labels;
    };
    const Case cases[] = {
        {0, 100, 300, Range(0, 10, 11)},    // 10 × 3 = 30 px
        {0, 100, 279, Range(0, 20, 6)},     // 10 would be 27.9 px
        {0, 100, 100, Range(0, 50, 3)},     // 20 would be 20 px
        {-5, 105, 330, Range(0, 10, 11)},   // multiples of the step only, never the ends
        {0, 0.3, 300, Range(0, 0.05, 7)},   // 6 × 0.05 lies a hair above 0.3 and counts
        {0, 1, 0, Range(0, 1, 2)},          // nothing fits: the first step at least the range
        {1e6, 1e6 + 2, 56, {1e6, 1e6 + 1, 1e6 + 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << ".." << c.maximum << " on " << c.pixels);
        ExpectValues(chart::StepLabels(c.minimum, c.maximum, c.pixels, spacing), c.labels);
    }
}

TEST(AxisScaleTest, HorizontalStepsLeaveTheWidestLabelAndSixteenPixels)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    chart::TLabelSpacing spacing;
    spacing.vertical = false;
    spacing.textWidth = [](const std::string& text) { return 6 * int(text.size()); };
    // "12,000" is 36 px wide and needs 52: 1,000 apart is 50 px on 600, 2,000 is 100.
    ExpectValues(chart::StepLabels(0, 12000, 600, spacing), Range(0, 2000, 7));
    // "1" .. "9" and "10" need 28 px: 1 apart is 30.
    ExpectValues(chart::StepLabels(0, 10, 300, spacing), Range(0, 1, 11));
    rtl::SetLocaleSource(nullptr);
}

TEST(AxisScaleTest, CategoriesGetEveryKthLabelFromTheFirst)
{
    chart::TLabelSpacing spacing;
    spacing.textHeight = 14;
    const std::vector<double> categories = Range(0, 10, 11);
    // 10 px per category: 28 px need every third.
    ExpectValues(chart::CategoryLabels(categories, 10, -5, 105, 110, spacing), {0, 30, 60, 90});
    ExpectValues(chart::CategoryLabels(categories, 10, -5, 105, 330, spacing), categories);
    // Not even two fit: the first alone.
    ExpectValues(chart::CategoryLabels(categories, 10, -5, 105, 5, spacing), {0});
}

TEST(AxisScaleTest, FarAndTinyRangesStayBounded)
{
    chart::TLabelSpacing spacing;
    spacing.textHeight = 14;
    EXPECT_LE(chart::StepLabels(-1e300, 1e300, 32767, spacing).size(), 32767u / 28 + 2);
    EXPECT_LE(chart::StepLabels(1e17, 1e17 + 64, 32767, spacing).size(), 32767u / 28 + 2);
    EXPECT_LE(chart::StepLabels(0, 1e-320, 32767, spacing).size(), 32767u / 28 + 2);
    EXPECT_EQ(chart::RoundPixel(1e300), 1 << 24);
    EXPECT_EQ(chart::RoundPixel(-2.5), -2);
    EXPECT_EQ(chart::RoundPixel(2.5), 3);
}

TEST(AxisScaleTest, LabelsReadWithTheUsersSeparators)
{
    struct Case {
        double value;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {12000, "12,000", "12.000"}, {0.5, "0.5", "0,5"}, {1234.5678, "1,234.568", "1.234,568"},
        {-40, "-40", "-40"},         {0, "0", "0"},
    };
    for (const Case& c : cases) {
        rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
        EXPECT_EQ(chart::LabelText(c.value), c.english);
        rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
        EXPECT_EQ(chart::LabelText(c.value), c.german);
    }
    rtl::SetLocaleSource(nullptr);
}

}  // namespace
