#pragma once
// Numbers as the user sees them and back: the locale's decimal and thousands separators
// (LocaleDecimalSep, LocaleThousandSep of Globals.h), thousands grouped every three digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace analysis {

// Fixed-point text with 'decimals' decimals and '.' as the decimal point, no grouping; the value is
// first rounded to 15 significant digits, then to the decimals, halves away from zero.
std::string FixedText(int decimals, double value);

// The value for display: fixed-point with the locale's decimal separator and thousands grouped.
// Grouping and sign follow the rounded digits, so 999.996 with 2 decimals is "1,000.00" and -0.001
// is "0.00".
std::string FloatToGroupedText(int decimals, double value);
// As FloatToGroupedText; the formula calculators keep '.' as the decimal point whatever the locale.
std::string SingleToGroupedText(int decimals, float value);
// The same text as FloatToGroupedText for every number of decimals.
std::string DoubleToGroupedText(int decimals, double value);

// The value field of a project file's parameter line: FixedText followed by ";", padded with blanks
// on the right to width (never cut).
std::string FloatToFieldText(int decimals, int width, double value);
// text padded with blanks on the right to width; a longer text is returned unchanged.
std::string PadText(std::string_view text, int width);

// The number a text shows: the locale's thousands separators are dropped and its decimal separator
// read as the point. An empty text, or one that is not wholly a number, reads as 0. errorPos is the
// 1-based position of the first character that could not be read, 0 when all were.
// TextToSingle reads a number beyond single precision as the infinity of its sign.
double TextToDouble(std::string_view text);
double TextToDouble(std::string_view text, int& errorPos);
float TextToSingle(std::string_view text);
float TextToSingle(std::string_view text, int& errorPos);
std::int32_t TextToInt(std::string_view text);
std::int32_t TextToInt(std::string_view text, int& errorPos);

}  // namespace analysis
