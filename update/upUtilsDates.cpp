// The dates of HTTP headers and of the information file.

#include "update/upUtils.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"

#include <array>
#include <cmath>
#include <ctime>

namespace update {

namespace {

constexpr rtl::TDateTime UnixEpoch = 25569.0;  // 1970-01-01 as a TDateTime

bool ReadNumber(std::string_view text, int& value)
{
    std::int32_t number = 0;
    if (text.empty() || !rtl::TryStrToInt(text, number))
        return false;
    value = number;
    return true;
}

// The 1-based month of a three-letter English month name in any case; 0 for anything else.
int MonthOfName(std::string_view token)
{
    static const std::array<const char*, 12> names = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const std::string upper = rtl::UpperCase(token);
    for (std::size_t month = 0; month < names.size(); ++month)
        if (upper == names[month])
            return int(month) + 1;
    return 0;
}

bool IsDayName(std::string_view text)
{
    static const std::array<const char*, 7> names = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    const std::string upper = rtl::UpperCase(text.substr(0, 3));
    for (const char* name : names)
        if (upper == name)
            return true;
    return false;
}

// Cuts the text up to separator off the front of rest, and the blanks after it.
std::string NextToken(std::string& rest, char separator)
{
    const std::size_t at = rest.find(separator);
    std::string token = rest.substr(0, at);
    rest = at == std::string::npos ? "" : rtl::TrimLeft(rest.substr(at + 1));
    return token;
}

// "+hhmm" or "-hhmm" in minutes; 0 for a zone name or anything else.
int ZoneOffsetMinutes(const std::string& rest)
{
    if (rest.size() <= 4)
        return 0;
    const std::string zone = rtl::Trim(rest.substr(0, 5));
    if (zone.size() != 5 || (zone[0] != '+' && zone[0] != '-'))
        return 0;
    for (std::size_t at = 1; at < 5; ++at)
        if (zone[at] < '0' || zone[at] > '9')
            return 0;
    const int minutes = ((zone[1] - '0') * 10 + (zone[2] - '0')) * 60 + (zone[3] - '0') * 10 + (zone[4] - '0');
    return zone[0] == '-' ? -minutes : minutes;
}

// Date and time of the text; false when it cannot be read. rest keeps what follows the time.
bool ReadDateAndTime(std::string& rest, rtl::TDateTime& result)
{
    const std::size_t blank = rest.find(' ');
    const std::size_t dash = rest.find('-');
    const char separator = dash != std::string::npos && dash >= 1 && dash < blank ? '-' : ' ';

    const std::string first = NextToken(rest, separator);
    const std::string second = NextToken(rest, separator);
    const bool monthFirst = MonthOfName(first) != 0;
    const int month = MonthOfName(monthFirst ? first : second);
    int day = 1;
    if (!ReadNumber(monthFirst ? second : first, day))
        day = 1;

    int year = 0;
    std::string yearToken = NextToken(rest, ' ');
    if (!ReadNumber(yearToken, year)) {
        if (!ReadNumber(rtl::Trim(rest), year))
            return false;
        rest = yearToken;
    }
    if (year < 80)
        year += 2000;
    else if (year < 100)
        year += 1900;
    if (month == 0 || !rtl::TryEncodeDate(year, month, day, result))
        return false;

    if (rest.find(':') != std::string::npos) {
        std::string clock = NextToken(rest, ' ');
        int parts[3] = {0, 0, 0};
        for (int& part : parts)
            if (!ReadNumber(NextToken(clock, ':'), part))
                part = 0;
        rtl::TDateTime time = 0;
        if (!rtl::TryEncodeTime(parts[0], parts[1], parts[2], 0, time))
            return false;
        result += time;
    }
    return true;
}

}  // namespace

rtl::TDateTime UtcToLocal(rtl::TDateTime date)
{
    const double seconds = std::floor((date - UnixEpoch) * 86400.0 + 0.5);
    if (!(std::fabs(seconds) < 1e15))
        return date;
    const time_t moment = time_t(seconds);
    tm local{};
    if (!localtime_r(&moment, &local))
        return date;
    return date + double(local.tm_gmtoff) / 86400.0;
}

rtl::TDateTime ParseInternetDate(std::string_view text)
{
    std::string rest = rtl::Trim(text);
    if (rest.empty())
        return 0;
    if (IsDayName(rest)) {
        const std::size_t blank = rest.find(' ');
        rest = blank == std::string::npos ? "" : rtl::TrimLeft(rest.substr(blank + 1));
    }
    rtl::TDateTime result = 0;
    if (!ReadDateAndTime(rest, result))
        return 0;
    result -= ZoneOffsetMinutes(rtl::Trim(rest)) / 1440.0;
    return UtcToLocal(result);
}

rtl::TDateTime ParseUsDate(std::string_view text)
{
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    int month = 0, day = 0, year = 0;
    rtl::TDateTime date = 0;
    if (second != std::string_view::npos && ReadNumber(text.substr(0, first), month)
        && ReadNumber(text.substr(first + 1, second - first - 1), day) && ReadNumber(text.substr(second + 1), year)
        && rtl::TryEncodeDate(year, month, day, date))
        return date;
    return rtl::Date();
}

std::string FormatUsDate(rtl::TDateTime date)
{
    int year, month, day;
    rtl::DecodeDate(date, year, month, day);
    return rtl::Format("%.2d/%.2d/%.4d", {month, day, year});
}

}  // namespace update
