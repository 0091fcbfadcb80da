#pragma once
// Numbers to text and back with the library's digits. Floating-point values are first rounded to 15
// significant digits (FloatToStrF: to its precision) and then to the requested decimals, halves away
// from zero, so FloatToStrF(1.005, Fixed, 15, 2) is "1.01". Separators come from FormatSettings.

#include "platform/rtl/FormatSettings.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

// A fixed-point amount with four decimals, held as the value times 10,000.
struct Currency {
    std::int64_t scaled = 0;

    static constexpr Currency FromScaled(std::int64_t scaled) { return Currency{scaled}; }
    // Rounded to four decimals, halves to even; EConvertError when out of range.
    static Currency FromDouble(double value);
    double ToDouble() const { return double(scaled) / 10000.0; }
    friend auto operator<=>(Currency, Currency) = default;
};

// --- integers ---

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal with at least 'digits' digits; negative values as their two's complement of
// the argument's width.
std::string IntToHex(std::int32_t value, int digits);
std::string IntToHex(std::int64_t value, int digits);

// Decimal, or hexadecimal after "$" or "0x"; leading blanks and a sign allowed. EConvertError
// "'x' is not a valid integer value" for anything else or a value out of range.
std::int32_t StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t fallback);
bool TryStrToInt(std::string_view s, std::int32_t& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// Reading in the manner of the language's Val: errorPos is 0 when the whole text was read, otherwise
// the 1-based position of the first character that could not be (length + 1 when the text ended too
// soon). The float form always reads '.' as the decimal point.
std::int32_t ValInt(std::string_view s, int& errorPos);
std::int64_t ValInt64(std::string_view s, int& errorPos);
double ValFloat(std::string_view s, int& errorPos);

// --- floating point ---

enum class FloatFormat { General, Exponent, Fixed, Number, Currency };

// General format, 15 significant digits.
std::string FloatToStr(double value);
std::string FloatToStr(double value, const FormatSettings& settings);
// General: the shortest of fixed and scientific (scientific when the exponent exceeds the precision or
// the value is below 0.0001), digits = minimum exponent digits. Exponent: d.ddd with precision digits,
// "E", sign and at least 'digits' exponent digits. Fixed, Number (with thousands separators), Currency:
// 'digits' decimals; values with more integer digits than the precision fall back to General.
std::string FloatToStrF(double value, FloatFormat format, int precision, int digits);
std::string FloatToStrF(double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& settings);

std::string CurrToStr(Currency value);
std::string CurrToStr(Currency value, const FormatSettings& settings);
std::string CurrToStrF(Currency value, FloatFormat format, int digits);
std::string CurrToStrF(Currency value, FloatFormat format, int digits, const FormatSettings& settings);

// A picture of up to three sections "positive;negative;zero" with 0 (digit), # (digit if any),
// . (decimal point), , (thousands separators), E+ E- e+ e- (scientific), 'text' and "text".
std::string FormatFloat(std::string_view picture, double value);
std::string FormatFloat(std::string_view picture, double value, const FormatSettings& settings);

// Blanks around, a sign, digits with the decimal separator, an exponent. EConvertError
// "'x' is not a valid floating point value" otherwise.
double StrToFloat(std::string_view s);
double StrToFloat(std::string_view s, const FormatSettings& settings);
bool TryStrToFloat(std::string_view s, double& value);
bool TryStrToFloat(std::string_view s, double& value, const FormatSettings& settings);

// Round rounds halves to the even neighbour; Trunc drops the fraction. Both raise EInvalidArgument
// for values outside the 64-bit range and for NaN.
std::int64_t Round(double value);
std::int64_t Trunc(double value);
double Int(double value);
double Frac(double value);

}  // namespace rtl
