#include "platform/rtl/FormatSettings.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

class FormatSettingsSource : public testing::Test {
protected:
    void TearDown() override { rtl::SetLocaleSource(nullptr); }
};

TEST_F(FormatSettingsSource, FilledFromTheInstalledSource)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    const rtl::FormatSettings& us = rtl::DefaultFormatSettings();
    EXPECT_EQ(us.DecimalSeparator, '.');
    EXPECT_EQ(us.ThousandSeparator, ',');
    EXPECT_EQ(us.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(us.LongTimeFormat, "h:mm:ss AMPM");
    EXPECT_EQ(us.ShortTimeFormat, "h:mm AMPM");
    EXPECT_EQ(us.LongMonthNames[0], "January");
    EXPECT_EQ(us.ShortDayNames[0], "Sun");
    EXPECT_EQ(us.FirstDayOfWeek, 6);

    rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
    const rtl::FormatSettings& de = rtl::DefaultFormatSettings();
    EXPECT_EQ(de.DecimalSeparator, ',');
    EXPECT_EQ(de.ThousandSeparator, '.');
    EXPECT_EQ(de.DateSeparator, '.');
    EXPECT_EQ(de.LongTimeFormat, "hh:mm:ss");
    EXPECT_EQ(de.ShortTimeFormat, "hh:mm");
    EXPECT_EQ(de.CurrencyFormat, 3);
    EXPECT_EQ(de.FirstDayOfWeek, 0);
}

TEST_F(FormatSettingsSource, MissingThousandsSeparatorBecomesBlank)
{
    auto source = rtl::FixedLocaleSource::UnitedStates();
    source->Set(rtl::LocaleItem::ThousandSeparator, "");
    rtl::SetLocaleSource(std::move(source));
    EXPECT_EQ(rtl::DefaultFormatSettings().ThousandSeparator, ' ');
}

TEST_F(FormatSettingsSource, LocaleQueriesAnswerForTheDefaultLocales)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
    EXPECT_EQ(rtl::GetLocaleInfo(2048, rtl::LocaleItem::DecimalSeparator), ",");
    EXPECT_EQ(rtl::GetLocaleInfo(1024, rtl::LocaleItem::ThousandSeparator), ".");
    EXPECT_EQ(rtl::GetLocaleInfo(1031, rtl::LocaleItem::ShortDateFormat), "dd.MM.yyyy");
    EXPECT_EQ(rtl::GetLocaleInfo(1033, rtl::LocaleItem::DecimalSeparator), std::nullopt);
}

TEST_F(FormatSettingsSource, IntlProfileKeys)
{
    const struct {
        const char* key;
        const char* us;
        const char* de;
    } cases[] = {
        {"sDecimal", ".", ","},        {"STHOUSAND", ",", "."},         {"iCurrDigits", "2", "2"},
        {"iNegCurr", "0", "8"},        {"iCurrency", "0", "3"},         {"sCurrency", "$", "\x80"},
        {"sList", ",", ";"},           {"sDate", "/", "."},             {"sTime", ":", ":"},
        {"s1159", "AM", ""},           {"s2359", "PM", ""},             {"sShortDate", "M/d/yyyy", "dd.MM.yyyy"},
        {"iTLZero", "0", "1"},         {"iTime", "0", "1"},             {"iDate", "0", "1"},
        {"sCountry", "United States", "Deutschland"},
    };
    for (bool german : {false, true}) {
        rtl::SetLocaleSource(german ? rtl::FixedLocaleSource::Germany() : rtl::FixedLocaleSource::UnitedStates());
        for (const auto& c : cases)
            EXPECT_EQ(rtl::GetIntlProfileString(c.key), german ? c.de : c.us) << c.key;
        EXPECT_EQ(rtl::GetIntlProfileString("sNoSuchKey"), std::nullopt);
    }
}

TEST(FormatSettingsPosix, PatternsBecomeWindowsPatterns)
{
    const struct {
        const char* posix;
        bool dateOnly, timeOnly;
        const char* windows;
    } cases[] = {
        {"%m/%d/%Y", false, false, "MM/dd/yyyy"},
        {"%d.%m.%Y", false, false, "dd.MM.yyyy"},
        {"%-d/%-m/%y", false, false, "d/M/yy"},
        {"%F", false, false, "yyyy-MM-dd"},
        {"%r", false, true, "hh:mm:ss tt"},
        {"%H:%M:%S", false, true, "HH:mm:ss"},
        {"%A %d %B %Y %r %Z", true, false, "dddd dd MMMM yyyy"},
        {"%d.%m.%Y %H:%M", true, false, "dd.MM.yyyy"},
        {"%Hh%M", false, false, "HH'h'mm"},
        {"%e de %B", false, false, "d' de 'MMMM"},
        {"%Y年%m月", false, false, "yyyy年MM月"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::PosixToWindowsPattern(c.posix, c.dateOnly, c.timeOnly), c.windows) << c.posix;
}

TEST(FormatSettingsPosix, NeutralLocaleAnswersAsUnitedStates)
{
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        rtl::PosixLocaleSource source(name);
        EXPECT_EQ(source.Lcid(), 1033) << name;
        EXPECT_EQ(source.Info(rtl::LocaleItem::DecimalSeparator), ".");
        EXPECT_EQ(source.Info(rtl::LocaleItem::ThousandSeparator), ",");
        EXPECT_EQ(source.Info(rtl::LocaleItem::ShortDateFormat), "M/d/yyyy");
        EXPECT_EQ(source.Info(rtl::LocaleItem::LongMonthName1 + 11), "December");
    }
    EXPECT_THROW(rtl::PosixLocaleSource("xx_NOWHERE.UTF-8"), rtl::EInvalidArgument);
}

}  // namespace
