#pragma once
// How numbers, money, dates and times are written in the user's locale. Every value comes from one
// locale source: the process locale by default (its POSIX values mapped to the Windows forms the
// program expects), replaceable as a whole, e.g. by a fixed table in tests.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

// The locale items a source answers, named after the Windows locale values they stand for. Texts are
// ANSI; numeric items are decimal texts ("0", "2"). Date and time patterns use the Windows letters
// (d dd ddd dddd, M MM MMM MMMM, yy yyyy, h hh H HH, m mm, s ss, tt).
enum class LocaleItem {
    DecimalSeparator,        // sDecimal
    ThousandSeparator,       // sThousand
    ListSeparator,           // sList
    CurrencyString,          // sCurrency
    CurrencyFormat,          // iCurrency: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    NegCurrencyFormat,       // iNegCurr: 0..15
    CurrencyDigits,          // iCurrDigits
    DateSeparator,           // sDate
    TimeSeparator,           // sTime
    ShortDateFormat,         // sShortDate, e.g. "M/d/yyyy"
    LongDateFormat,          // sLongDate, e.g. "dddd, MMMM d, yyyy"
    TimeFormat,              // sTimeFormat, e.g. "h:mm:ss tt"
    TimeAMString,            // s1159
    TimePMString,            // s2359
    Country,                 // sCountry
    FirstDayOfWeek,          // iFirstDayOfWeek: 0 Monday .. 6 Sunday
    LongMonthName1,          // .. LongMonthName1 + 11
    ShortMonthName1 = LongMonthName1 + 12,
    LongDayName1 = ShortMonthName1 + 12,   // Sunday first, 7 names
    ShortDayName1 = LongDayName1 + 7,
    Count = ShortDayName1 + 7
};

inline LocaleItem operator+(LocaleItem item, int offset)
{
    return LocaleItem(int(item) + offset);
}

// One locale: its identifier and its items.
class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    // The Windows locale identifier (1033 for English, United States).
    virtual int Lcid() const = 0;
    // The item's value; empty when the locale has none.
    virtual std::string Info(LocaleItem item) const = 0;
};

// A locale given as a table, for tests and for the neutral "C" locale.
class FixedLocaleSource final : public LocaleSource {
public:
    FixedLocaleSource(int lcid, std::map<LocaleItem, std::string> items);
    int Lcid() const override { return lcid_; }
    std::string Info(LocaleItem item) const override;
    // Replaces one item, for tests of unusual locales.
    void Set(LocaleItem item, std::string value) { items_[item] = std::move(value); }

    // English (United States): '.' and ',', "$", M/d/yyyy, h:mm:ss tt, Sunday first.
    static std::unique_ptr<FixedLocaleSource> UnitedStates();
    // German (Germany): ',' and '.', euro sign after the amount, dd.MM.yyyy, HH:mm:ss, Monday first.
    static std::unique_ptr<FixedLocaleSource> Germany();

private:
    int lcid_;
    std::map<LocaleItem, std::string> items_;
};

// A named POSIX locale ("" for the one the environment selects), read with newlocale and
// nl_langinfo_l; the process locale is never changed. The neutral locales "C" and "POSIX" answer as
// English (United States). Texts the ANSI code page cannot hold fall back to the English ones; a
// missing or unrepresentable thousands separator is a blank.
class PosixLocaleSource final : public LocaleSource {
public:
    explicit PosixLocaleSource(const std::string& name = "");
    int Lcid() const override { return lcid_; }
    std::string Info(LocaleItem item) const override;

private:
    int lcid_ = 1033;
    std::array<std::string, size_t(LocaleItem::Count)> items_;
};

// A strftime pattern ("%m/%d/%Y") as the Windows pattern ("MM/dd/yyyy"); time fields are dropped when
// dateOnly is set, date fields when timeOnly is set.
std::string PosixToWindowsPattern(std::string_view posix, bool dateOnly = false, bool timeOnly = false);

// The source in use; the process locale until one is installed.
const LocaleSource& CurrentLocaleSource();
// Installs source (null restores the process locale) and refills DefaultFormatSettings from it.
void SetLocaleSource(std::unique_ptr<LocaleSource> source);

// The Windows locale query: the item of the system (2048) or user (1024) default locale, or of the
// source's own identifier; nothing for any other locale.
std::optional<std::string> GetLocaleInfo(int lcid, LocaleItem item);

// A value of the "intl" section of the user profile ("sDecimal", "iCurrDigits", "sShortDate" ...), as
// the system keeps it for the current locale; nothing for a key it does not hold.
std::optional<std::string> GetIntlProfileString(std::string_view key);

struct FormatSettings {
    std::string CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    // Patterns in the library's letters (d m y h n s z, t tt, AMPM, c).
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;   // Sunday first
    std::array<std::string, 7> LongDayNames;
    // Two-digit years fall within this many years before today and the rest of the century after.
    int TwoDigitYearCenturyWindow = 50;
    int FirstDayOfWeek = 6;   // 0 Monday .. 6 Sunday

    static FormatSettings FromLocale(const LocaleSource& source);
};

// The settings the routines use when none are passed; filled from CurrentLocaleSource.
FormatSettings& DefaultFormatSettings();
// Refills DefaultFormatSettings from the current source.
void GetFormatSettings();

}  // namespace rtl
