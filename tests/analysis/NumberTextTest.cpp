#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/platform/rtl/LocaleFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace analysis;

class NumberText : public rtl_test::LocaleTest {
protected:
    void SetUp() override
    {
        LocaleTest::SetUp();
        InitNumberSeparators();
    }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberText,
                         testing::Values(rtl_test::Locale::UnitedStates, rtl_test::Locale::Germany),
                         rtl_test::LocaleName);

TEST_P(NumberText, GroupedTextFollowsTheRoundedDigits)
{
    struct Case {
        int decimals;
        double value;
        const char* english;
    };
    const Case cases[] = {
        {0, 12000, "12,000"},
        {2, 1234567.891, "1,234,567.89"},
        {3, 0.97, "0.970"},
        {1, -2500, "-2,500.0"},
        {2, 1234.5, "1,234.50"},
        {0, 999, "999"},
        {0, 1000, "1,000"},
        {0, -1000, "-1,000"},
        {2, 1000.004, "1,000.00"},
        // Grouping and sign are decided on the rounded digits.
        {2, 999.996, "1,000.00"},
        {2, 999999.996, "1,000,000.00"},
        {0, 999999999.5, "1,000,000,000"},
        {2, -999.996, "-1,000.00"},
        {2, -0.001, "0.00"},
        {0, -0.4, "0"},
        // Every group of three digits is separated, also beyond the billions.
        {0, 1234567890123.0, "1,234,567,890,123"},
        {3, 1234.5675, "1,234.568"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToGroupedText(c.decimals, c.value), Local(c.english)) << c.decimals << " " << c.value;
        EXPECT_EQ(DoubleToGroupedText(c.decimals, c.value), Local(c.english)) << c.decimals << " " << c.value;
    }
}

TEST_P(NumberText, SingleTextKeepsThePointAsDecimalSeparator)
{
    EXPECT_EQ(SingleToGroupedText(2, 0.5f), "0.50");
    EXPECT_EQ(SingleToGroupedText(3, 0.97f), "0.970");
    EXPECT_EQ(SingleToGroupedText(1, 2500.0f), German() ? "2.500.0" : "2,500.0");
}

TEST_P(NumberText, TextReadsBackWhatGroupedTextShows)
{
    EXPECT_DOUBLE_EQ(TextToDouble(Local("1,234.5")), 1234.5);
    EXPECT_DOUBLE_EQ(TextToDouble(Local("-1,234,567.89")), -1234567.89);
    EXPECT_DOUBLE_EQ(TextToDouble("  42"), 42);
    EXPECT_EQ(TextToInt(Local("12,000")), 12000);
    EXPECT_FLOAT_EQ(TextToSingle(Local("0.970")), 0.97f);
    for (double value : {0.0, 0.97, 150.0, 12000.0, -2500.5, 1234567.25}) {
        for (int decimals : {0, 1, 2, 3}) {
            const double expected = std::round(value * std::pow(10, decimals)) / std::pow(10, decimals);
            EXPECT_DOUBLE_EQ(TextToDouble(FloatToGroupedText(decimals, value)), expected) << value;
        }
    }
}

TEST_P(NumberText, EmptyOrBrokenTextReadsAsZeroWithTheErrorPosition)
{
    int errorPos = -1;
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToDouble(""), 0);
    EXPECT_EQ(TextToDouble(Local("12.5"), errorPos), 12.5);
    EXPECT_EQ(errorPos, 0);
    EXPECT_EQ(TextToDouble("12x", errorPos), 0);
    EXPECT_EQ(errorPos, 3);
    EXPECT_EQ(TextToInt("7a", errorPos), 0);
    EXPECT_EQ(errorPos, 2);
}

TEST_P(NumberText, SingleBeyondItsRangeReadsAsInfinityOfItsSign)
{
    EXPECT_EQ(TextToSingle("1e39"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(TextToSingle("-1e300"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(TextToSingle("3e38"), 3e38f);
}

TEST(NumberTextFields, FieldAndPaddedTexts)
{
    EXPECT_EQ(FloatToFieldText(2, 15, 10), "10.00;         ");
    EXPECT_EQ(FloatToFieldText(3, 4, 0.97), "0.970;");
    EXPECT_EQ(FloatToFieldText(0, 8, 12000), "12000;  ");
    EXPECT_EQ(PadText("ABCDEFGHIJ", 7), "ABCDEFGHIJ");
    EXPECT_EQ(PadText("AB", 4), "AB  ");
    EXPECT_EQ(PadText("", 0), "");
}

TEST(NumberSeparators, EqualOrMissingSeparatorsFallBackToPointAndComma)
{
    struct Case {
        const char* decimal;
        const char* thousand;
    };
    for (const Case& c : {Case{",", ","}, Case{"", ""}, Case{".", "."}}) {
        auto source = rtl::FixedLocaleSource::Germany();
        source->Set(rtl::LocaleItem::DecimalSeparator, c.decimal);
        source->Set(rtl::LocaleItem::ThousandSeparator, c.thousand);
        rtl::SetLocaleSource(std::move(source));
        InitNumberSeparators();
        EXPECT_EQ(LocaleDecimalSep, '.');
        EXPECT_EQ(LocaleThousandSep, ',');
        EXPECT_EQ(rtl::DefaultFormatSettings().DecimalSeparator, '.');
        EXPECT_EQ(rtl::DefaultFormatSettings().ThousandSeparator, ',');
        EXPECT_EQ(FloatToGroupedText(2, 1234.5), "1,234.50");
        EXPECT_DOUBLE_EQ(TextToDouble("1,234.5"), 1234.5);
    }
    rtl::SetLocaleSource(nullptr);
}

}  // namespace
