#include "analysis/NumberText.h"

#include "analysis/Globals.h"
#include "platform/rtl/Numbers.h"

#include <cmath>
#include <limits>

namespace analysis {

namespace {

const rtl::FormatSettings& PointSettings()
{
    static const rtl::FormatSettings settings = [] {
        rtl::FormatSettings s;
        s.DecimalSeparator = '.';
        s.ThousandSeparator = ',';
        return s;
    }();
    return settings;
}

// Inserts the thousands separator into the leading run of digits, every three digits from its end.
void GroupThousands(std::string& text, char separator)
{
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    for (size_t at = digits; at > 3; at -= 3)
        text.insert(at - 3, 1, separator);
}

bool AllZeroDigits(std::string_view text)
{
    for (char c : text)
        if (c >= '1' && c <= '9')
            return false;
    return true;
}

std::string GroupedText(int decimals, double value, char decimalSeparator)
{
    const bool negative = value < 0;
    std::string text = FixedText(decimals, negative ? -value : value);
    if (decimals >= 1) {
        const size_t point = text.find('.');
        if (point != std::string::npos)
            text[point] = decimalSeparator;
    }
    GroupThousands(text, LocaleThousandSep);
    // A value that rounds to zero has no sign.
    return negative && !AllZeroDigits(text) ? "-" + text : text;
}

// The text with the locale's separators made plain: thousands dropped, the decimal separator a point.
std::string CleanNumberText(std::string_view text)
{
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (c == LocaleThousandSep)
            continue;
        clean += c == LocaleDecimalSep ? '.' : c;
    }
    return clean;
}

}  // namespace

std::string FixedText(int decimals, double value)
{
    return rtl::FloatToStrF(value, rtl::FloatFormat::Fixed, 15, decimals, PointSettings());
}

std::string FloatToGroupedText(int decimals, double value)
{
    return GroupedText(decimals, value, LocaleDecimalSep);
}

std::string SingleToGroupedText(int decimals, float value)
{
    return GroupedText(decimals, value, '.');
}

std::string DoubleToGroupedText(int decimals, double value)
{
    return FloatToGroupedText(decimals, value);
}

std::string FloatToFieldText(int decimals, int width, double value)
{
    return PadText(FixedText(decimals, value) + ";", width);
}

std::string PadText(std::string_view text, int width)
{
    std::string padded(text);
    if (width > 0 && padded.size() < size_t(width))
        padded.resize(size_t(width), ' ');
    return padded;
}

double TextToDouble(std::string_view text, int& errorPos)
{
    return rtl::ValFloat(CleanNumberText(text), errorPos);
}

double TextToDouble(std::string_view text)
{
    int errorPos;
    return TextToDouble(text, errorPos);
}

float TextToSingle(std::string_view text, int& errorPos)
{
    // Narrowing a double beyond single precision is undefined; such a text reads as the infinity of its
    // sign, which every range check then clamps.
    const double value = TextToDouble(text, errorPos);
    constexpr float infinity = std::numeric_limits<float>::infinity();
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return value > 0 ? infinity : -infinity;
    return float(value);
}

float TextToSingle(std::string_view text)
{
    int errorPos;
    return TextToSingle(text, errorPos);
}

std::int32_t TextToInt(std::string_view text, int& errorPos)
{
    return rtl::ValInt(CleanNumberText(text), errorPos);
}

std::int32_t TextToInt(std::string_view text)
{
    int errorPos;
    return TextToInt(text, errorPos);
}

}  // namespace analysis
