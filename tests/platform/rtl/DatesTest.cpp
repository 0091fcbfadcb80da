#include "platform/rtl/Dates.h"

#include "LocaleFixture.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using rtl::EncodeDate;
using rtl::EncodeTime;

TEST(Dates, EncodeDateCountsDaysFrom18991230)
{
    const struct {
        int year, month, day;
        double value;
    } cases[] = {{1899, 12, 30, 0}, {1900, 1, 1, 2},        {2000, 1, 1, 36526},
                 {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1899, 12, 29, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value) << c.year;
        int y, m, d;
        rtl::DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day);
    }
    const int bad[][3] = {{2023, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2023, 13, 1}, {2023, 0, 1}, {2023, 4, 31}, {2023, 1, 0}};
    for (const auto& b : bad) {
        try {
            EncodeDate(b[0], b[1], b[2]);
            ADD_FAILURE() << b[0] << "-" << b[1] << "-" << b[2];
        } catch (const rtl::EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    // Every day of four centuries survives the round trip.
    for (double day = EncodeDate(1800, 1, 1); day <= EncodeDate(2200, 1, 1); day += 1) {
        int y, m, d;
        rtl::DecodeDate(day, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), day);
    }
}

TEST(Dates, EncodeAndDecodeTime)
{
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_NEAR(EncodeTime(23, 59, 59, 999), 1.0 - 1.0 / 86400000, 1e-12);
    const int bad[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& b : bad)
        EXPECT_THROW(EncodeTime(b[0], b[1], b[2], b[3]), rtl::EConvertError);

    int h, n, s, ms;
    rtl::DecodeTime(EncodeTime(14, 7, 9, 45), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 14070 * 10000 + 9045);
    // Before 1899-12-30 the fraction is the time of the negative day.
    int y, m, d;
    rtl::DecodeDate(-1.25, y, m, d);
    rtl::DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
    // A time that rounds to midnight belongs to the next day.
    double almost = EncodeDate(2024, 5, 7) + 0.9999999999;
    rtl::DecodeDate(almost, y, m, d);
    rtl::DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ(d, 8);
    EXPECT_EQ(h + n + s + ms, 0);
}

TEST(Dates, TodayAndTimeOfDayComeFromTheClock)
{
    rtl::VirtualClock clock(EncodeDate(2026, 12, 10) + EncodeTime(15, 30, 0, 0));
    rtl::ScopedClock scope(clock);
    EXPECT_EQ(rtl::Date(), EncodeDate(2026, 12, 10));
    EXPECT_NEAR(rtl::Time(), EncodeTime(15, 30, 0, 0), 1e-9);  // well under a millisecond
    clock.Advance(9 * 3600 * 1000);
    EXPECT_EQ(rtl::Date(), EncodeDate(2026, 12, 11));
}

TEST(Dates, CalendarHelpers)
{
    EXPECT_EQ(rtl::DayOfWeek(EncodeDate(2024, 1, 1)), 2);   // a Monday
    EXPECT_EQ(rtl::DayOfWeek(0), 7);                        // 1899-12-30, a Saturday
    EXPECT_EQ(rtl::DayOfWeek(-1.5), 6);
    EXPECT_EQ(rtl::DayOfWeek(EncodeDate(1, 1, 1)), 2);
    EXPECT_TRUE(rtl::IsLeapYear(2000));
    EXPECT_FALSE(rtl::IsLeapYear(1900));
    EXPECT_TRUE(rtl::IsLeapYear(2024));
    EXPECT_FALSE(rtl::IsLeapYear(2023));
    EXPECT_EQ(rtl::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(rtl::DaysInMonth(1900, 2), 28);
    EXPECT_EQ(rtl::DaysInMonth(2023, 4), 30);
    EXPECT_EQ(rtl::DaysInMonth(2023, 13), 0);

    const struct {
        double from;
        int months;
        double to;
    } cases[] = {
        {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 3, 31), -1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2023, 12, 15), 1, EncodeDate(2024, 1, 15)},
        {EncodeDate(2024, 5, 10), -17, EncodeDate(2022, 12, 10)},
        {EncodeDate(2024, 1, 31) + 0.5, 13, EncodeDate(2025, 2, 28) + 0.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::IncMonth(c.from, c.months), c.to) << c.from << " " << c.months;
}

class DatesText : public rtl_test::LocaleTest {
protected:
    // Tuesday 2024-05-07 14:07:09.045: month and day names that are ASCII in both locales.
    const double when = EncodeDate(2024, 5, 7) + EncodeTime(14, 7, 9, 45);
};
INSTANTIATE_TEST_SUITE_P(Locales, DatesText,
                         testing::Values(rtl_test::Locale::UnitedStates, rtl_test::Locale::Germany),
                         rtl_test::LocaleName);

TEST_P(DatesText, FormatDateTimePatternLetters)
{
    const struct {
        const char* format;
        const char* us;
        const char* de;
    } cases[] = {
        {"yyyy-mm-dd hh:nn:ss.zzz", "2024-05-07 14:07:09.045", "2024-05-07 14:07:09.045"},
        {"d/m/yy", "7/5/24", "7.5.24"},
        {"y yy yyy", "24 24 2024", "24 24 2024"},
        {"dddd, mmmm d", "Tuesday, May 7", "Dienstag, Mai 7"},
        {"DDD MMM", "Tue May", "Di Mai"},
        {"h:nn am/pm", "2:07 pm", "2:07 pm"},
        {"hh:mm AM/PM", "02:07 PM", "02:07 PM"},
        {"h A/P", "2 P", "2 P"},
        {"h:mm ampm", "2:07 PM", "2:07 "},
        {"hh:mm", "14:07", "14:07"},
        {"mm", "05", "05"},
        {"h:mm:ss", "14:07:09", "14:07:09"},
        {"z zzz", "45 045", "45 045"},
        {"c", "5/7/2024 2:07:09 PM", "07.05.2024 14:07:09"},
        {"ddddd", "5/7/2024", "07.05.2024"},
        {"dddddd", "Tuesday, May 07, 2024", "Dienstag, 7. Mai 2024"},
        {"t", "2:07 PM", "14:07"},
        {"tt", "2:07:09 PM", "14:07:09"},
        {"'Date:' yyyy \"h\"", "Date: 2024 h", "Date: 2024 h"},
        {"e gg", "2024 ", "2024 "},
        {"[x]", "[x]", "[x]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::FormatDateTime(c.format, when), German() ? c.de : c.us) << c.format;
    EXPECT_EQ(rtl::FormatDateTime("h AM/PM", EncodeDate(2024, 5, 7)), "12 AM");
    EXPECT_EQ(rtl::DateTimeToStr(EncodeDate(2024, 5, 7)), German() ? "07.05.2024" : "5/7/2024");
    EXPECT_EQ(rtl::DateToStr(when), German() ? "07.05.2024" : "5/7/2024");
    EXPECT_EQ(rtl::TimeToStr(when), German() ? "14:07:09" : "2:07:09 PM");
    EXPECT_EQ(rtl::DateTimeToStr(when), German() ? "07.05.2024 14:07:09" : "5/7/2024 2:07:09 PM");
}

TEST_P(DatesText, StrToDateFollowsTheShortDateOrder)
{
    const double may7 = EncodeDate(2024, 5, 7);
    const char* const good[] = {German() ? "7.5.2024" : "5/7/2024", German() ? "07.05.2024." : "05/07/2024",
                                German() ? " 7 . 5 . 24 " : " 5 / 7 / 24 "};
    for (const char* text : good)
        EXPECT_EQ(rtl::StrToDate(text), may7) << text;
    // A date without a year takes the clock's year.
    rtl::VirtualClock clock(EncodeDate(2031, 1, 2) + EncodeTime(6, 0, 0, 0));
    rtl::ScopedClock scope(clock);
    EXPECT_EQ(rtl::StrToDate(German() ? "7.5" : "5/7"), EncodeDate(2031, 5, 7));
    for (const char* bad : {"", "abc", "2/30/2024", "30.2.2024", "13/13/2024", "5/7/2024x", "5-7-2024", "5/"})
        EXPECT_THROW(rtl::StrToDate(bad), rtl::EConvertError) << bad;
    try {
        rtl::StrToDate("x");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid date");
    }
}

TEST_P(DatesText, StrToTimeAndDateTime)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"14:07:09", EncodeTime(14, 7, 9, 0)},
        {"2:07 PM", EncodeTime(14, 7, 0, 0)},
        {"pm 2:07", EncodeTime(14, 7, 0, 0)},
        {"12:00 AM", 0},
        {"12 PM", 0.5},
        {"7", EncodeTime(7, 0, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::StrToTime(c.text), c.value) << c.text;
    EXPECT_EQ(rtl::StrToTime(German() ? "14:07:09,5" : "14:07:09.5"), EncodeTime(14, 7, 9, 500));
    for (const char* bad : {"", "25:00", "13:00 PM", "0:00 AM", "14:07:", "x", "14:07 x"})
        EXPECT_THROW(rtl::StrToTime(bad), rtl::EConvertError) << bad;

    EXPECT_EQ(rtl::StrToDateTime(German() ? "7.5.2024 14:07:09" : "5/7/2024 2:07:09 PM"),
              EncodeDate(2024, 5, 7) + EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(rtl::StrToDateTime(German() ? "29.12.1899 06:00" : "12/29/1899 6:00 AM"), -1.25);
    EXPECT_EQ(rtl::StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(rtl::StrToDateTime(rtl::DateTimeToStr(EncodeDate(2024, 5, 7) + EncodeTime(8, 9, 10, 0))),
              EncodeDate(2024, 5, 7) + EncodeTime(8, 9, 10, 0));
    EXPECT_THROW(rtl::StrToDateTime("5/7/2024 x"), rtl::EConvertError);
}

}  // namespace
