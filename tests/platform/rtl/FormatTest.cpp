#include "platform/rtl/Format.h"

#include "LocaleFixture.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using rtl::Format;
using rtl_test::LocaleTest;

class FormatLocales : public LocaleTest {};
INSTANTIATE_TEST_SUITE_P(Locales, FormatLocales,
                         testing::Values(rtl_test::Locale::UnitedStates, rtl_test::Locale::Germany),
                         rtl_test::LocaleName);

// Format rounds to 18 significant digits first, so values stored just below a tie round down, unlike
// FloatToStrF; exact ties round away from zero.
TEST_P(FormatLocales, FloatSpecifiersRoundFromEighteenDigits)
{
    const struct {
        const char* format;
        double value;
        const char* text;
    } cases[] = {
        {"%.2f", 1.005, "1.00"},
        {"%.2f", 2.675, "2.67"},
        {"%.2f", 0.285, "0.28"},
        {"%.2f", 0.125, "0.13"},
        {"%.1f", 1.45, "1.4"},
        {"%.0f", 2.5, "3"},
        {"%f", 3.14159, "3.14"},
        {"%8.3f|", -3.14159, "  -3.142|"},
        {"%-8.1f|", 2.0, "2.0     |"},
        {"%e", 12345.678, "1.23456780000000E+004"},
        {"%.3e", 12345.678, "1.23E+004"},
        {"%g", 0.5, "0.5"},
        {"%g", 1.0 / 3.0, "0.333333333333333"},
        {"%.3g", 1234.0, "1.23E003"},
        {"%n", 1234567.891, "1,234,567.89"},
        {"%.0n", 1234567.891, "1,234,568"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.format, {c.value}), Local(c.text)) << c.format << " " << c.value;
    EXPECT_EQ(Format("%m", {1234.5}), German() ? "1.234,50 \x80" : "$1,234.50");
    EXPECT_EQ(Format("%.2f", {rtl::Currency::FromScaled(10050)}), Local("1.01"));
}

TEST(Format, IntegerAndTextSpecifiers)
{
    const struct {
        const char* format;
        std::initializer_list<rtl::FormatArg> args;
        const char* text;
    } cases[] = {
        {"%d", {42}, "42"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.4d", {-42}, "-0042"},
        {"%D", {7}, "7"},
        {"%d", {std::int64_t(-9000000000)}, "-9000000000"},
        {"%u", {-1}, "4294967295"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {std::int64_t(-1)}, "FFFFFFFFFFFFFFFF"},
        {"%s and %s", {"abc", std::string("def")}, "abc and def"},
        {"%.2s", {"abc"}, "ab"},
        {"%4s|%-4s|", {"ab", 'c'}, "  ab|c   |"},
        {"%*d|%-*.*f", {4, 7, 6, 1, 2.25}, "   7|2.3   "},
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"%0:s-%s", {"a", "b"}, "a-b"},
        {"100%%", {}, "100%"},
        {"%p", {reinterpret_cast<const void*>(std::uintptr_t(0xBEEF))}, "000000000000BEEF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.format, c.args), c.text) << c.format;
}

TEST(Format, WrongOrMissingArgumentsRaise)
{
    const struct {
        const char* format;
        std::initializer_list<rtl::FormatArg> args;
        const char* message;
    } cases[] = {
        {"%d", {2.5}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {true}, "Format '%s' invalid or incompatible with argument"},
        {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        {"%k", {1}, "Format '%k' invalid or incompatible with argument"},
        {"abc%", {1}, "Format 'abc%' invalid or incompatible with argument"},
        {"%*d", {"x", 1}, "Format '%*d' invalid or incompatible with argument"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%5:d", {1}, "No argument for format '%5:d'"},
    };
    for (const auto& c : cases) {
        try {
            Format(c.format, c.args);
            ADD_FAILURE() << c.format;
        } catch (const rtl::EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

}  // namespace
