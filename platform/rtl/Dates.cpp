#include "platform/rtl/Dates.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace rtl {

namespace {

constexpr int kMsPerDay = 86400000;
// 1899-12-30 counted from 1970-01-01.
constexpr int kEpochOffset = -25569;

// Today's year, for dates typed without one or with two digits.
int CurrentYear()
{
    int year, month, day;
    DecodeDate(Now(), year, month, day);
    return year;
}

// The whole day and the millisecond of the day, rounding carried into the day.
struct DayAndTime {
    long day;
    int ms;
};

DayAndTime Split(TDateTime value)
{
    double whole = std::trunc(value);
    long ms = std::lround(std::fabs(value - whole) * kMsPerDay);
    long day = long(whole);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++day;
    }
    return {day, int(ms)};
}

std::chrono::year_month_day CivilDate(long day)
{
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{day + kEpochOffset}}};
}

// --- FormatDateTime ---

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}

bool StartsWithText(std::string_view s, size_t i, std::string_view prefix)
{
    return s.size() - i >= prefix.size() && SameText(s.substr(i, prefix.size()), prefix);
}

class DateTimeWriter {
public:
    DateTimeWriter(TDateTime value, const FormatSettings& fs) : fs_(fs)
    {
        DayAndTime split = Split(value);
        auto ymd = CivilDate(split.day);
        year_ = int(ymd.year());
        month_ = int(unsigned(ymd.month()));
        day_ = int(unsigned(ymd.day()));
        dayOfWeek_ = DayOfWeek(double(split.day)) - 1;
        hour_ = split.ms / 3600000;
        minute_ = split.ms / 60000 % 60;
        second_ = split.ms / 1000 % 60;
        ms_ = split.ms % 1000;
    }

    std::string Write(std::string_view format)
    {
        Append(format.empty() ? std::string_view("C") : format, 0);
        return out_;
    }

private:
    void Number(int value, int digits)
    {
        std::string text = std::to_string(value);
        if (int(text.size()) < digits)
            out_ += std::string(size_t(digits) - text.size(), '0');
        out_ += text;
    }

    bool TwelveHourClockFollows(std::string_view f, size_t i) const
    {
        char quote = 0;
        for (; i < f.size(); ++i) {
            char c = f[i];
            if (quote != 0) {
                if (c == quote)
                    quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == 'a' || c == 'A') {
                return StartsWithText(f, i, "AM/PM") || StartsWithText(f, i, "A/P") || StartsWithText(f, i, "AMPM");
            } else if (c == 'h' || c == 'H') {
                return false;
            }
        }
        return false;
    }

    // Writes an AM/PM mark at f[i], or the letter itself; returns the characters used.
    size_t AmPm(std::string_view f, size_t i)
    {
        bool am = hour_ < 12;
        if (StartsWithText(f, i, "AM/PM")) {
            out_ += f.substr(am ? i : i + 3, 2);
            return 5;
        }
        if (StartsWithText(f, i, "A/P")) {
            out_ += f[am ? i : i + 2];
            return 3;
        }
        if (StartsWithText(f, i, "AMPM")) {
            out_ += am ? fs_.TimeAMString : fs_.TimePMString;
            return 4;
        }
        out_ += f[i];
        return 1;
    }

    void Append(std::string_view f, int depth)
    {
        if (depth > 2)   // patterns that name each other
            return;
        char lastToken = ' ';
        for (size_t i = 0; i < f.size();) {
            char c = f[i];
            if (c == '\'' || c == '"') {
                size_t close = f.find(c, i + 1);
                size_t end = close == std::string_view::npos ? f.size() : close;
                out_ += f.substr(i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
            size_t count = 1;
            while (i + count < f.size() && f[i + count] == c)
                ++count;
            char token = AsciiUpper(c);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            if (token == 'A') {
                i += AmPm(f, i);
                continue;
            }
            if (!Field(token, int(count), f, i, depth)) {
                out_ += c;
                count = 1;
            }
            i += count;
        }
    }

    // Writes the field of 'count' letters 'token'; false when the character is not a field.
    bool Field(char token, int count, std::string_view f, size_t i, int depth)
    {
        switch (token) {
        case 'C':
            Append(fs_.ShortDateFormat, depth + 1);
            if (hour_ != 0 || minute_ != 0 || second_ != 0 || ms_ != 0) {
                out_ += ' ';
                Append(fs_.LongTimeFormat, depth + 1);
            }
            return true;
        case 'D':
            switch (count) {
            case 1: case 2: Number(day_, count); break;
            case 3: out_ += fs_.ShortDayNames[size_t(dayOfWeek_)]; break;
            case 4: out_ += fs_.LongDayNames[size_t(dayOfWeek_)]; break;
            case 5: Append(fs_.ShortDateFormat, depth + 1); break;
            default: Append(fs_.LongDateFormat, depth + 1); break;
            }
            return true;
        case 'E':
            Number(year_, 1);
            return true;
        case 'G':
            return true;
        case 'Y':
            if (count <= 2)
                Number(year_ % 100, 2);
            else
                Number(year_, 4);
            return true;
        case 'M':
            switch (count) {
            case 1: case 2: Number(month_, count); break;
            case 3: out_ += fs_.ShortMonthNames[size_t(month_ - 1)]; break;
            default: out_ += fs_.LongMonthNames[size_t(month_ - 1)]; break;
            }
            return true;
        case 'H': {
            int hour = hour_;
            if (TwelveHourClockFollows(f, i + size_t(count)))
                hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
            Number(hour, std::min(count, 2));
            return true;
        }
        case 'N':
            Number(minute_, std::min(count, 2));
            return true;
        case 'S':
            Number(second_, std::min(count, 2));
            return true;
        case 'Z':
            Number(ms_, count == 1 ? 1 : 3);
            return true;
        case 'T':
            Append(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
            return true;
        case '/':
            if (fs_.DateSeparator != 0)
                out_.append(size_t(count), fs_.DateSeparator);
            return true;
        case ':':
            if (fs_.TimeSeparator != 0)
                out_.append(size_t(count), fs_.TimeSeparator);
            return true;
        default:
            return false;
        }
    }

    const FormatSettings& fs_;
    std::string out_;
    int year_, month_, day_, dayOfWeek_;
    int hour_, minute_, second_, ms_;
};

// --- reading dates and times ---

class DateTimeScanner {
public:
    DateTimeScanner(std::string_view s, const FormatSettings& fs) : s_(s), fs_(fs) {}

    bool AtEnd() const { return pos_ >= s_.size(); }
    void Restart() { pos_ = 0; }

    bool Date(TDateTime& date)
    {
        int n1, n2, n3, l1, l2, l3;
        if (!Number(n1, l1) || !Char(fs_.DateSeparator) || !Number(n2, l2))
            return false;
        enum { MDY, DMY, YMD } order = MDY;
        size_t first = fs_.ShortDateFormat.find_first_of("dDmMyY");
        if (first != std::string::npos)
            order = AsciiUpper(fs_.ShortDateFormat[first]) == 'D' ? DMY : AsciiUpper(fs_.ShortDateFormat[first]) == 'Y' ? YMD : MDY;
        int year, month, day, yearLength = 4;
        if (Char(fs_.DateSeparator)) {
            if (!Number(n3, l3))
                return false;
            switch (order) {
            case MDY: year = n3; yearLength = l3; month = n1; day = n2; break;
            case DMY: year = n3; yearLength = l3; month = n2; day = n1; break;
            default: year = n1; yearLength = l1; month = n2; day = n3; break;
            }
            if (yearLength <= 2)
                year = WindowedYear(year);
        } else {
            year = CurrentYear();
            month = order == DMY ? n2 : n1;
            day = order == DMY ? n1 : n2;
        }
        Char(fs_.DateSeparator);
        Blanks();
        return TryEncodeDate(year, month, day, date);
    }

    bool Time(TDateTime& time)
    {
        int baseHour = Mark();
        int hour, minute = 0, second = 0, ms = 0, length;
        if (!Number(hour, length))
            return false;
        if (Char(fs_.TimeSeparator)) {
            if (!Number(minute, length))
                return false;
            if (Char(fs_.TimeSeparator)) {
                if (!Number(second, length))
                    return false;
                if (Char(fs_.DecimalSeparator) && !Fraction(ms))
                    return false;
            }
        }
        if (baseHour < 0)
            baseHour = Mark();
        if (baseHour >= 0) {
            if (hour == 0 || hour > 12)
                return false;
            hour = hour % 12 + baseHour;
        }
        Blanks();
        return TryEncodeTime(hour, minute, second, ms, time);
    }

private:
    void Blanks()
    {
        while (pos_ < s_.size() && s_[pos_] == ' ')
            ++pos_;
    }

    bool Number(int& value, int& length)
    {
        Blanks();
        size_t start = pos_;
        value = 0;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9' && pos_ - start < 9)
            value = value * 10 + (s_[pos_++] - '0');
        length = int(pos_ - start);
        return length > 0;
    }

    // Milliseconds of the digits after the decimal separator, as a fraction of a second.
    bool Fraction(int& ms)
    {
        size_t start = pos_;
        ms = 0;
        int scale = 100;
        for (; pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9'; ++pos_, scale /= 10)
            ms += (s_[pos_] - '0') * scale;
        return pos_ > start;
    }

    bool Char(char c)
    {
        Blanks();
        if (c == 0 || pos_ >= s_.size() || s_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }

    bool Text(std::string_view text)
    {
        Blanks();
        if (text.empty() || s_.size() - pos_ < text.size() || !SameText(s_.substr(pos_, text.size()), text))
            return false;
        pos_ += text.size();
        return true;
    }

    // 0 after an AM mark, 12 after a PM mark, -1 without one.
    int Mark()
    {
        if (Text(fs_.TimeAMString) || Text("AM"))
            return 0;
        if (Text(fs_.TimePMString) || Text("PM"))
            return 12;
        return -1;
    }

    int WindowedYear(int year) const
    {
        int base = CurrentYear() - fs_.TwoDigitYearCenturyWindow;
        year += base / 100 * 100;
        if (fs_.TwoDigitYearCenturyWindow > 0 && year < base)
            year += 100;
        return year;
    }

    std::string_view s_;
    const FormatSettings& fs_;
    size_t pos_ = 0;
};

[[noreturn]] void Invalid(std::string_view s, const char* what)
{
    throw EConvertError("'" + std::string(s) + "' is not a valid " + what);
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month))
        return false;
    std::chrono::sys_days days{std::chrono::year{year} / month / day};
    date = double(days.time_since_epoch().count() - kEpochOffset);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    time = (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / double(kMsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime time;
    if (!TryEncodeTime(hour, minute, second, millisecond, time))
        throw EConvertError("Invalid argument to time encode");
    return time;
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    return Frac(Now());
}

void DecodeDate(TDateTime date, int& year, int& month, int& day)
{
    auto ymd = CivilDate(Split(date).day);
    year = int(ymd.year());
    month = int(unsigned(ymd.month()));
    day = int(unsigned(ymd.day()));
}

void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond)
{
    int ms = Split(time).ms;
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    millisecond = ms % 1000;
}

int DayOfWeek(TDateTime date)
{
    // Day 0, 1899-12-30, was a Saturday.
    long day = Split(date).day;
    return int(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime date, int months)
{
    int year, month, day;
    DecodeDate(date, year, month, day);
    int total = year * 12 + (month - 1) + months;
    year = total / 12;
    month = total % 12 + 1;
    day = std::min(day, DaysInMonth(year, month));
    TDateTime result = EncodeDate(year, month, day);
    double time = std::fabs(date - std::trunc(date));
    return result < 0 ? result - time : result + time;
}

std::string FormatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings)
{
    return DateTimeWriter(value, settings).Write(format);
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    return FormatDateTime(format, value, DefaultFormatSettings());
}

std::string DateToStr(TDateTime value, const FormatSettings& settings)
{
    return FormatDateTime("ddddd", value, settings);
}

std::string DateToStr(TDateTime value)
{
    return DateToStr(value, DefaultFormatSettings());
}

std::string TimeToStr(TDateTime value, const FormatSettings& settings)
{
    return FormatDateTime("tt", value, settings);
}

std::string TimeToStr(TDateTime value)
{
    return TimeToStr(value, DefaultFormatSettings());
}

std::string DateTimeToStr(TDateTime value, const FormatSettings& settings)
{
    return FormatDateTime("c", value, settings);
}

std::string DateTimeToStr(TDateTime value)
{
    return DateTimeToStr(value, DefaultFormatSettings());
}

bool TryStrToDate(std::string_view s, TDateTime& value, const FormatSettings& settings)
{
    DateTimeScanner scanner(s, settings);
    TDateTime date;
    if (!scanner.Date(date) || !scanner.AtEnd())
        return false;
    value = date;
    return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value, const FormatSettings& settings)
{
    DateTimeScanner scanner(s, settings);
    TDateTime time;
    if (!scanner.Time(time) || !scanner.AtEnd())
        return false;
    value = time;
    return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const FormatSettings& settings)
{
    DateTimeScanner scanner(s, settings);
    TDateTime date, time = 0;
    if (scanner.Date(date) && (scanner.AtEnd() || (scanner.Time(time) && scanner.AtEnd()))) {
        value = date >= 0 ? date + time : date - time;
        return true;
    }
    return TryStrToTime(s, value, settings);
}

TDateTime StrToDate(std::string_view s, const FormatSettings& settings)
{
    TDateTime value;
    if (!TryStrToDate(s, value, settings))
        Invalid(s, "date");
    return value;
}

TDateTime StrToDate(std::string_view s)
{
    return StrToDate(s, DefaultFormatSettings());
}

TDateTime StrToTime(std::string_view s, const FormatSettings& settings)
{
    TDateTime value;
    if (!TryStrToTime(s, value, settings))
        Invalid(s, "time");
    return value;
}

TDateTime StrToTime(std::string_view s)
{
    return StrToTime(s, DefaultFormatSettings());
}

TDateTime StrToDateTime(std::string_view s, const FormatSettings& settings)
{
    TDateTime value;
    if (!TryStrToDateTime(s, value, settings))
        Invalid(s, "date and time");
    return value;
}

TDateTime StrToDateTime(std::string_view s)
{
    return StrToDateTime(s, DefaultFormatSettings());
}

}  // namespace rtl
