#include "platform/rtl/Numbers.h"

#include "LocaleFixture.h"
#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using rtl::FloatFormat;
using rtl_test::LocaleTest;

class Numbers : public LocaleTest {};
INSTANTIATE_TEST_SUITE_P(Locales, Numbers,
                         testing::Values(rtl_test::Locale::UnitedStates, rtl_test::Locale::Germany),
                         rtl_test::LocaleName);

TEST_P(Numbers, FloatToStrUsesFifteenDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.5, "-1.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1234567890123456789.0, "1.23456789012346E18"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {1e100, "1E100"},
        {99.9999999999999999, "100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::FloatToStr(c.value), Local(c.text)) << c.value;
    EXPECT_EQ(rtl::FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(rtl::FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

// The decimals are rounded half away from zero from the value already rounded to the precision, so
// binary values just below a tie still round up.
TEST_P(Numbers, FloatToStrFRoundsTiesFromThePrecisionDigits)
{
    const struct {
        double value;
        FloatFormat format;
        int precision, digits;
        const char* text;
    } cases[] = {
        {1.005, FloatFormat::Fixed, 15, 2, "1.01"},
        {2.675, FloatFormat::Fixed, 15, 2, "2.68"},
        {0.285, FloatFormat::Fixed, 15, 2, "0.29"},
        {0.125, FloatFormat::Fixed, 15, 2, "0.13"},
        {-0.125, FloatFormat::Fixed, 15, 2, "-0.13"},
        {1.45, FloatFormat::Fixed, 15, 1, "1.5"},
        {99.995, FloatFormat::Fixed, 15, 2, "100.00"},
        {2.5, FloatFormat::Fixed, 15, 0, "3"},
        {-0.001, FloatFormat::Fixed, 15, 2, "0.00"},
        {0.0, FloatFormat::Fixed, 15, 3, "0.000"},
        {1e20, FloatFormat::Fixed, 15, 2, "1E20"},
        {1234567.891, FloatFormat::Number, 15, 2, "1,234,567.89"},
        {-1234.5, FloatFormat::Number, 15, 0, "-1,235"},
        {999.996, FloatFormat::Number, 15, 2, "1,000.00"},
        {123.0, FloatFormat::Number, 15, 1, "123.0"},
        {123.456, FloatFormat::General, 4, 0, "123.5"},
        {123456.0, FloatFormat::General, 4, 0, "1.235E5"},
        {0.0000123456, FloatFormat::General, 15, 2, "1.23456E-05"},
        {0.000123456, FloatFormat::General, 15, 2, "0.000123456"},
        {12345.678, FloatFormat::Exponent, 5, 2, "1.2346E+04"},
        {-0.00012345, FloatFormat::Exponent, 3, 3, "-1.23E-004"},
        {0.0, FloatFormat::Exponent, 3, 1, "0.00E+0"},
        {9.9999, FloatFormat::Exponent, 3, 0, "1.00E+1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::FloatToStrF(c.value, c.format, c.precision, c.digits), Local(c.text)) << c.value;
}

TEST_P(Numbers, CurrencyFormatsFollowTheLocale)
{
    if (German()) {
        EXPECT_EQ(rtl::FloatToStrF(1234.5, FloatFormat::Currency, 15, 2), "1.234,50 \x80");
        EXPECT_EQ(rtl::FloatToStrF(-1234.5, FloatFormat::Currency, 15, 2), "-1.234,50 \x80");
    } else {
        EXPECT_EQ(rtl::FloatToStrF(1234.5, FloatFormat::Currency, 15, 2), "$1,234.50");
        EXPECT_EQ(rtl::FloatToStrF(-1234.5, FloatFormat::Currency, 15, 2), "($1,234.50)");
    }
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency::FromScaled(12345678)), Local("1234.5678"));
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency::FromScaled(-5000)), Local("-0.5"));
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency::FromScaled(std::numeric_limits<std::int64_t>::min())),
              Local("-922337203685477.5808"));
    EXPECT_EQ(rtl::CurrToStrF(rtl::Currency::FromScaled(10050), FloatFormat::Fixed, 2), Local("1.01"));
    EXPECT_EQ(rtl::Currency::FromDouble(2.5).scaled, 25000);
    EXPECT_THROW(rtl::Currency::FromDouble(1e300), rtl::EConvertError);
}

TEST_P(Numbers, FormatFloatPictures)
{
    const struct {
        const char* picture;
        double value;
        const char* text;
    } cases[] = {
        {"#,##0.00", 1234.5, "1,234.50"},
        {"#,##0", 1234567.0, "1,234,567"},
        {"#,##0", 0.0, "0"},
        {"#", 0.0, ""},
        {"0.00", 1.005, "1.01"},
        {"0.00", 2.675, "2.68"},
        {"0.00", 0.285, "0.29"},
        {"0.00", 0.125, "0.13"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"#.##", 1.0, "1"},
        {"0.##", 1.5, "1.5"},
        {"000.0", 1.25, "001.3"},
        {"000-00", 12345.0, "123-45"},
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.00E-00", 0.00012345, "1.23E-04"},
        {"0.00E-00", 1234.5, "1.23E03"},
        {"0.0E+0", 0.0, "0.0E+0"},
        {"0.00;(0.00);zero", -1.5, "(1.50)"},
        {"0.00;(0.00);zero", 0.0, "zero"},
        {"0.00;(0.00);zero", 0.001, "zero"},
        {"0.00;;zero", -2.0, "-2.00"},
        {"0.00", -0.001, "0.00"},
        {"'Sum: '0.0", 3.0, "Sum: 3.0"},
        {"\"#\"0", 5.0, "#5"},
        {"", 1.5, "1.5"},
        {"0.00", 1e20, "1E20"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::FormatFloat(c.picture, c.value), Local(c.text)) << c.picture << " " << c.value;
}

TEST_P(Numbers, StrToFloatReadsTheLocaleDecimalSeparator)
{
    EXPECT_EQ(rtl::StrToFloat(Local("1.5")), 1.5);
    EXPECT_EQ(rtl::StrToFloat(Local(" -1.5e3 ")), -1500.0);
    EXPECT_EQ(rtl::StrToFloat(Local("1.005")), 1.005);
    EXPECT_EQ(rtl::StrToFloat(Local(".5")), 0.5);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1e", "1e999", "1,000.5", "--1"}) {
        double value = 7;
        EXPECT_FALSE(rtl::TryStrToFloat(Local(bad), value)) << bad;
        EXPECT_EQ(value, 7);
    }
    try {
        rtl::StrToFloat("x1");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
    }
}

TEST(NumbersIntegers, StrToIntAcceptsDecimalAndHexOnly)
{
    const struct {
        const char* text;
        std::int64_t value;
    } good[] = {{"123", 123},   {" -45", -45},         {"+7", 7},
                {"$FF", 255},   {"0x1a", 26},   {"x1F", 31},          {"-$10", -16},
                {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"$FFFFFFFF", -1}};
    for (const auto& c : good)
        EXPECT_EQ(rtl::StrToInt(c.text), c.value) << c.text;
    for (const char* bad : {"", "12a", "12 ", "abc", "--1", "2147483648", "-2147483649", "$", "$100000000", "1.0"})
        EXPECT_THROW(rtl::StrToInt(bad), rtl::EConvertError) << bad;
    EXPECT_EQ(rtl::StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(rtl::StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(rtl::StrToInt64("3000000000"), 3000000000LL);
    EXPECT_THROW(rtl::StrToInt64("9223372036854775808"), rtl::EConvertError);
    EXPECT_EQ(rtl::StrToIntDef("x", -1), -1);
    EXPECT_EQ(rtl::StrToInt64Def("12", -1), 12);
    try {
        rtl::StrToInt("12a");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
    }
}

TEST(NumbersIntegers, ValReportsTheFirstUnreadPosition)
{
    const struct {
        const char* text;
        int errorPos;
    } ints[] = {{"42", 0}, {"12a", 3}, {"", 1}, {"-", 2}, {"  x", 4}, {"  y", 3}, {"99999999999", 10}, {"$G", 2}};
    for (const auto& c : ints) {
        int pos = -1;
        rtl::ValInt(c.text, pos);
        EXPECT_EQ(pos, c.errorPos) << c.text;
    }
    const struct {
        const char* text;
        double value;
        int errorPos;
    } floats[] = {{"1.5", 1.5, 0}, {" 2.5", 2.5, 0}, {"1,5", 0, 2}, {"1e", 0, 3}, {"2.5 ", 0, 4}, {"", 0, 1}};
    for (const auto& c : floats) {
        int pos = -1;
        EXPECT_EQ(rtl::ValFloat(c.text, pos), c.value) << c.text;
        EXPECT_EQ(pos, c.errorPos) << c.text;
    }
}

TEST(NumbersIntegers, IntToStrAndHex)
{
    EXPECT_EQ(rtl::IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
    EXPECT_EQ(rtl::IntToHex(255, 4), "00FF");
    EXPECT_EQ(rtl::IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(rtl::IntToHex(std::int64_t(-1), 4), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(rtl::IntToHex(std::int64_t(0xABC), 0), "ABC");
}

TEST(NumbersRounding, RoundHalvesToEvenAndTruncTowardZero)
{
    const struct {
        double value;
        std::int64_t round, trunc;
    } cases[] = {{2.5, 2, 2},   {3.5, 4, 3},   {-2.5, -2, -2}, {0.5, 0, 0},     {1.5, 2, 1},
                 {-1.5, -2, -1}, {2.4999, 2, 2}, {-1.7, -2, -1}, {4503599627370497.0, 4503599627370497, 4503599627370497}};
    for (const auto& c : cases) {
        EXPECT_EQ(rtl::Round(c.value), c.round) << c.value;
        EXPECT_EQ(rtl::Trunc(c.value), c.trunc) << c.value;
    }
    EXPECT_EQ(rtl::Int(-1.7), -1.0);
    EXPECT_EQ(rtl::Frac(-1.75), -0.75);
    EXPECT_EQ(rtl::Frac(2.25), 0.25);
    EXPECT_THROW(rtl::Round(1e19), rtl::EInvalidArgument);
    EXPECT_THROW(rtl::Trunc(std::nan("")), rtl::EInvalidArgument);
    EXPECT_EQ(rtl::Round(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

}  // namespace
