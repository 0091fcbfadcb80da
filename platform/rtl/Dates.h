#pragma once
// Dates and times as TDateTime: days since 1899-12-30 with the time of day as the fraction. Before
// 1899-12-30 the fraction is the time of day of the (negative) whole day: -1.25 is 1899-12-29 06:00.
// Texts follow FormatSettings.

#include "platform/rtl/FormatSettings.h"

#include <string>
#include <string_view>

namespace rtl {

using TDateTime = double;

// 0001-01-01 and 9999-12-31, the first and last day a TDateTime may hold.
constexpr TDateTime MinDateTime = -693593.0;
constexpr TDateTime MaxDateTime = 2958465.0;

bool IsLeapYear(int year);
// Days of the month in the year; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// EConvertError "Invalid argument to date encode" / "... time encode" for parts out of range (years
// 1..9999; hours 0..23, minutes and seconds 0..59, milliseconds 0..999).
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
// The time is rounded to the millisecond; a time that rounds to midnight belongs to the next day.
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond);

// Today at midnight and the time of day, from the current clock (Now comes from Clock.h).
TDateTime Date();
TDateTime Time();

// 1 for Sunday .. 7 for Saturday.
int DayOfWeek(TDateTime date);
// The date moved by whole months; a day beyond the new month's end becomes its last day; the time of
// day is kept.
TDateTime IncMonth(TDateTime date, int months = 1);

// Pattern letters (case does not matter): c (short date, then long time unless midnight); d dd (day),
// ddd dddd (day name), ddddd (short date), dddddd (long date); e ee (year of the era), g gg (era name,
// empty here); m mm (month, or minutes right after an hour), mmm mmmm (month name); yy yyyy; h hh
// (12-hour when an AM/PM mark follows); n nn (minutes); s ss; z zzz; t (short time), tt (long time);
// am/pm, a/p (in the case written), ampm (the locale's strings); / and : (the separators); text in
// single or double quotes is copied.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string FormatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings);
std::string DateToStr(TDateTime value);
std::string DateToStr(TDateTime value, const FormatSettings& settings);
std::string TimeToStr(TDateTime value);
std::string TimeToStr(TDateTime value, const FormatSettings& settings);
std::string DateTimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value, const FormatSettings& settings);

// Numbers in the order of the short date format, separated by the date separator; a missing year is
// this year, a year of one or two digits falls within TwoDigitYearCenturyWindow. Times are
// hour[:minute[:second[.fraction]]] with an optional AM/PM mark before or after. EConvertError
// "'x' is not a valid date" / "... time" / "... date and time" otherwise.
TDateTime StrToDate(std::string_view s);
TDateTime StrToDate(std::string_view s, const FormatSettings& settings);
bool TryStrToDate(std::string_view s, TDateTime& value, const FormatSettings& settings);
TDateTime StrToTime(std::string_view s);
TDateTime StrToTime(std::string_view s, const FormatSettings& settings);
bool TryStrToTime(std::string_view s, TDateTime& value, const FormatSettings& settings);
TDateTime StrToDateTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s, const FormatSettings& settings);
bool TryStrToDateTime(std::string_view s, TDateTime& value, const FormatSettings& settings);

}  // namespace rtl
