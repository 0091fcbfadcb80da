#include "platform/rtl/Numbers.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace rtl {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads an integer as Val does. The magnitude may reach 2^64 - 1 for hexadecimal (two's complement
// of the target width) and maxMagnitude for decimal.
struct IntScan {
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool hex = false;
    int errorPos = 0;
};

IntScan ScanInteger(std::string_view s, std::uint64_t decimalLimit, std::uint64_t hexLimit)
{
    IntScan scan;
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        scan.negative = s[i++] == '-';
    // "$1F", "x1F" and "0x1F" are all hexadecimal, as the original reads them.
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        scan.hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        scan.hex = true;
        i += 2;
    }
    const std::uint64_t limit = scan.hex ? hexLimit : decimalLimit;
    const unsigned base = scan.hex ? 16 : 10;
    size_t first = i;
    for (; i < s.size(); ++i) {
        int digit = scan.hex ? HexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (digit < 0)
            break;
        if (scan.magnitude > (limit - unsigned(digit)) / base) {
            scan.errorPos = int(i) + 1;
            return scan;
        }
        scan.magnitude = scan.magnitude * base + unsigned(digit);
    }
    if (i == first || i < s.size())
        scan.errorPos = int(i) + 1;
    return scan;
}

template <typename T>
T ValSigned(std::string_view s, int& errorPos)
{
    using U = std::make_unsigned_t<T>;
    const std::uint64_t maxPositive = std::uint64_t(std::numeric_limits<T>::max());
    IntScan scan = ScanInteger(s, maxPositive + 1, std::numeric_limits<U>::max());
    errorPos = scan.errorPos;
    if (errorPos == 0 && !scan.hex && !scan.negative && scan.magnitude > maxPositive)
        errorPos = int(s.size());   // the last digit overflowed
    if (errorPos != 0)
        return 0;
    U bits = U(scan.magnitude);
    if (scan.negative)
        bits = U(U(0) - bits);
    return T(bits);
}

[[noreturn]] void InvalidInteger(std::string_view s)
{
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

[[noreturn]] void InvalidFloat(std::string_view s)
{
    throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
}

// Reads sign, digits with 'point' and an exponent from s[i]; advances i to the first character not
// read. False when no digit was read or the exponent has no digits.
bool ScanFloat(std::string_view s, size_t& i, char point, double& value)
{
    std::string clean;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        clean += s[i++];
    bool anyDigit = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        clean += s[i++];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == point) {
        clean += '.';
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            clean += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        clean += 'e';
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            clean += s[i++];
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            return false;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            clean += s[i++];
    }
    const char* begin = clean.data();
    if (*begin == '+')
        ++begin;
    auto result = std::from_chars(begin, clean.data() + clean.size(), value);
    return result.ec == std::errc() && std::isfinite(value);
}

void CheckIntegralRange(double value)
{
    // 2^63 is exactly representable; everything below it in magnitude fits.
    if (!(std::fabs(value) < 9223372036854775808.0) && value != -9223372036854775808.0)
        throw EInvalidArgument("Invalid floating point operation");
}

// A non-negative decimal value as significant digits: value = 0.digits x 10^exponent. The digits
// have no leading or trailing zeros and are empty for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    // 18 significant digits of the exact binary value, correctly rounded.
    static Decimal Of(double value)
    {
        Decimal d;
        d.negative = std::signbit(value);
        char buffer[40];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
        std::string_view text(buffer, size_t(result.ptr - buffer));   // d.ddddde+xx
        size_t e = text.find('e');
        d.digits.assign(1, text[0]);
        d.digits.append(text.substr(2, e - 2));
        int exponent = 0;
        std::string_view exp = text.substr(e + 1);
        if (exp[0] == '+')
            exp.remove_prefix(1);
        std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
        d.exponent = exponent + 1;
        d.Normalize();
        return d;
    }

    static Decimal Of(Currency value)
    {
        Decimal d;
        d.negative = value.scaled < 0;
        std::uint64_t magnitude = d.negative ? std::uint64_t(0) - std::uint64_t(value.scaled) : std::uint64_t(value.scaled);
        d.digits = std::to_string(magnitude);
        d.exponent = int(d.digits.size()) - 4;
        d.Normalize();
        return d;
    }

    bool IsZero() const { return digits.empty(); }

    // Keeps 'count' significant digits, the rest rounded half away from zero.
    void RoundToSignificant(int count)
    {
        if (count < 0) {
            digits.clear();
        } else if (size_t(count) < digits.size()) {
            bool up = digits[size_t(count)] >= '5';
            digits.resize(size_t(count));
            if (up)
                Increment();
        }
        Normalize();
    }

    void RoundToDecimals(int decimals) { RoundToSignificant(exponent + decimals); }

    // Integer part (at least "0"), grouped by 'thousands' unless it is 0, then 'decimals' digits.
    std::string FixedText(int decimals, char thousands, char point) const
    {
        std::string integer;
        for (int i = 0; i < exponent; ++i)
            integer += size_t(i) < digits.size() ? digits[size_t(i)] : '0';
        if (integer.empty())
            integer.push_back('0');
        std::string out;
        for (size_t i = 0; i < integer.size(); ++i) {
            out += integer[i];
            size_t remaining = integer.size() - 1 - i;
            if (thousands != 0 && remaining > 0 && remaining % 3 == 0)
                out += thousands;
        }
        if (decimals > 0) {
            out += point;
            for (int k = 0; k < decimals; ++k)
                out += FractionDigit(k);
        }
        return out;
    }

    // The k-th digit after the decimal point.
    char FractionDigit(int k) const
    {
        int index = exponent + k;
        return index >= 0 && size_t(index) < digits.size() ? digits[size_t(index)] : '0';
    }

private:
    void Increment()
    {
        for (size_t i = digits.size(); i-- > 0;) {
            if (digits[i] != '9') {
                ++digits[i];
                return;
            }
            digits[i] = '0';
        }
        digits.insert(digits.begin(), '1');
        ++exponent;
    }

    void Normalize()
    {
        size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos) {
            digits.clear();
            exponent = 0;
            negative = false;
            return;
        }
        digits.erase(0, first);
        exponent -= int(first);
        digits.erase(digits.find_last_not_of('0') + 1);
    }
};

// --- floating-point text ---

std::string Exponent(int exponent, int minDigits, bool alwaysSign)
{
    std::string out;
    if (exponent < 0)
        out += '-';
    else if (alwaysSign)
        out += '+';
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (int(digits.size()) < minDigits)
        out += std::string(size_t(minDigits) - digits.size(), '0');
    return out + digits;
}

std::string GeneralText(Decimal d, int precision, int expDigits, const FormatSettings& fs)
{
    d.RoundToSignificant(precision);
    if (d.IsZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += fs.DecimalSeparator;
            out += d.digits.substr(1);
        }
        return out + "E" + Exponent(d.exponent - 1, expDigits, false);
    }
    int decimals = std::max(0, int(d.digits.size()) - d.exponent);
    return out + d.FixedText(decimals, 0, fs.DecimalSeparator);
}

std::string ExponentText(Decimal d, int precision, int expDigits, const FormatSettings& fs)
{
    d.RoundToSignificant(precision);
    std::string mantissa = d.digits;
    mantissa.resize(size_t(precision), '0');
    std::string out = d.negative ? "-" : "";
    out += mantissa[0];
    if (precision > 1) {
        out += fs.DecimalSeparator;
        out += mantissa.substr(1);
    }
    return out + "E" + Exponent(d.IsZero() ? 0 : d.exponent - 1, expDigits, true);
}

std::string CurrencyText(const std::string& number, bool negative, const FormatSettings& fs)
{
    static const char* const kPositive[4] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const kNegative[16] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)",  "-1$",  "1-$",   "1$-",
                                              "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const char* pattern = negative ? kNegative[std::clamp(fs.NegCurrFormat, 0, 15)]
                                   : kPositive[std::clamp(fs.CurrencyFormat, 0, 3)];
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '$')
            out += fs.CurrencyString;
        else if (*p == '1')
            out += number;
        else
            out += *p;
    }
    return out;
}

std::string DecimalToText(Decimal d, FloatFormat format, int precision, int digits, const FormatSettings& fs)
{
    switch (format) {
    case FloatFormat::General:
        return GeneralText(d, precision, std::clamp(digits, 0, 4), fs);
    case FloatFormat::Exponent:
        return ExponentText(d, precision, std::clamp(digits, 0, 4), fs);
    case FloatFormat::Fixed:
    case FloatFormat::Number:
    case FloatFormat::Currency:
        break;
    }
    d.RoundToSignificant(precision);
    if (d.exponent > precision)
        return GeneralText(d, precision, std::clamp(digits, 0, 4), fs);
    digits = std::clamp(digits, 0, 18);
    d.RoundToDecimals(digits);
    char thousands = format == FloatFormat::Fixed ? 0 : fs.ThousandSeparator;
    std::string number = d.FixedText(digits, thousands, fs.DecimalSeparator);
    if (format == FloatFormat::Currency)
        return CurrencyText(number, d.negative, fs);
    return d.negative ? "-" + number : number;
}

std::string SpecialText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

}  // namespace

Currency Currency::FromDouble(double value)
{
    double scaled = std::nearbyint(value * 10000.0);
    if (!(std::fabs(scaled) < 9223372036854775808.0))
        throw EConvertError(FloatToStr(value) + " is not a valid currency value");
    return Currency{std::int64_t(scaled)};
}

std::string IntToStr(std::int64_t value)
{
    return std::to_string(value);
}

std::string IntToHex(std::int32_t value, int digits)
{
    return IntToHex(std::int64_t(std::uint32_t(value)), digits);
}

std::string IntToHex(std::int64_t value, int digits)
{
    char buffer[17];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::uint64_t(value), 16);
    std::string hex(buffer, result.ptr);
    for (char& c : hex)
        if (c >= 'a' && c <= 'f')
            c = char(c - 32);
    if (int(hex.size()) < digits)
        hex.insert(0, size_t(digits) - hex.size(), '0');
    return hex;
}

std::int32_t ValInt(std::string_view s, int& errorPos)
{
    return ValSigned<std::int32_t>(s, errorPos);
}

std::int64_t ValInt64(std::string_view s, int& errorPos)
{
    return ValSigned<std::int64_t>(s, errorPos);
}

bool TryStrToInt(std::string_view s, std::int32_t& value)
{
    int errorPos;
    std::int32_t result = ValInt(s, errorPos);
    if (errorPos != 0)
        return false;
    value = result;
    return true;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value)
{
    int errorPos;
    std::int64_t result = ValInt64(s, errorPos);
    if (errorPos != 0)
        return false;
    value = result;
    return true;
}

std::int32_t StrToInt(std::string_view s)
{
    std::int32_t value;
    if (!TryStrToInt(s, value))
        InvalidInteger(s);
    return value;
}

std::int64_t StrToInt64(std::string_view s)
{
    std::int64_t value;
    if (!TryStrToInt64(s, value))
        InvalidInteger(s);
    return value;
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback)
{
    std::int32_t value;
    return TryStrToInt(s, value) ? value : fallback;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t fallback)
{
    std::int64_t value;
    return TryStrToInt64(s, value) ? value : fallback;
}

double ValFloat(std::string_view s, int& errorPos)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    double value = 0;
    if (!ScanFloat(s, i, '.', value)) {
        errorPos = int(std::min(i, s.size())) + 1;
        return 0;
    }
    errorPos = i < s.size() ? int(i) + 1 : 0;
    return errorPos == 0 ? value : 0;
}

bool TryStrToFloat(std::string_view s, double& value, const FormatSettings& settings)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    double result;
    if (!ScanFloat(s, i, settings.DecimalSeparator, result))
        return false;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i != s.size())
        return false;
    value = result;
    return true;
}

bool TryStrToFloat(std::string_view s, double& value)
{
    return TryStrToFloat(s, value, DefaultFormatSettings());
}

double StrToFloat(std::string_view s, const FormatSettings& settings)
{
    double value;
    if (!TryStrToFloat(s, value, settings))
        InvalidFloat(s);
    return value;
}

double StrToFloat(std::string_view s)
{
    return StrToFloat(s, DefaultFormatSettings());
}

std::string FloatToStrF(double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& settings)
{
    if (!std::isfinite(value))
        return SpecialText(value);
    return DecimalToText(Decimal::Of(value), format, std::clamp(precision, 1, 18), digits, settings);
}

std::string FloatToStrF(double value, FloatFormat format, int precision, int digits)
{
    return FloatToStrF(value, format, precision, digits, DefaultFormatSettings());
}

std::string FloatToStr(double value, const FormatSettings& settings)
{
    return FloatToStrF(value, FloatFormat::General, 15, 0, settings);
}

std::string FloatToStr(double value)
{
    return FloatToStr(value, DefaultFormatSettings());
}

std::string CurrToStrF(Currency value, FloatFormat format, int digits, const FormatSettings& settings)
{
    return DecimalToText(Decimal::Of(value), format, 19, digits, settings);
}

std::string CurrToStrF(Currency value, FloatFormat format, int digits)
{
    return CurrToStrF(value, format, digits, DefaultFormatSettings());
}

std::string CurrToStr(Currency value, const FormatSettings& settings)
{
    return CurrToStrF(value, FloatFormat::General, 0, settings);
}

std::string CurrToStr(Currency value)
{
    return CurrToStr(value, DefaultFormatSettings());
}

std::int64_t Round(double value)
{
    double rounded = std::nearbyint(value);
    CheckIntegralRange(rounded);
    return std::int64_t(rounded);
}

std::int64_t Trunc(double value)
{
    double truncated = std::trunc(value);
    CheckIntegralRange(truncated);
    return std::int64_t(truncated);
}

double Int(double value)
{
    return std::trunc(value);
}

double Frac(double value)
{
    return value - std::trunc(value);
}

namespace {

// --- FormatFloat pictures ---

// Splits the picture at the ';' outside quotes into at most three sections.
std::vector<std::string_view> PictureSections(std::string_view picture)
{
    std::vector<std::string_view> sections;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';' && sections.size() < 2) {
            sections.push_back(picture.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(picture.substr(start));
    return sections;
}

bool IsExponentMark(std::string_view section, size_t i)
{
    return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
           (section[i + 1] == '+' || section[i + 1] == '-');
}

// What a section asks for: its digit places before and after the point and the zeros among them.
struct PictureLayout {
    int integerPlaces = 0;
    int fractionPlaces = 0;
    int minIntegerDigits = 0;
    int minFractionDigits = 0;
    bool thousands = false;
    bool scientific = false;
    int exponentDigits = 0;

    explicit PictureLayout(std::string_view section)
    {
        int firstZero = -1;
        bool point = false;
        for (size_t i = 0; i < section.size(); ++i) {
            char c = section[i];
            if (c == '"' || c == '\'') {
                size_t close = section.find(c, i + 1);
                i = close == std::string_view::npos ? section.size() : close;
            } else if (c == '0' || c == '#') {
                if (point) {
                    ++fractionPlaces;
                    if (c == '0')
                        minFractionDigits = fractionPlaces;
                } else {
                    if (c == '0' && firstZero < 0)
                        firstZero = integerPlaces;
                    ++integerPlaces;
                }
            } else if (c == '.') {
                point = true;
            } else if (c == ',') {
                thousands = true;
            } else if (IsExponentMark(section, i)) {
                scientific = true;
                for (i += 2; i < section.size() && section[i] == '0'; ++i)
                    ++exponentDigits;
                exponentDigits = std::min(exponentDigits, 4);
                --i;
                point = true;   // places after the exponent are not mantissa places
            }
        }
        if (firstZero >= 0)
            minIntegerDigits = integerPlaces - firstZero;
    }
};

// The digits a section shows: integer part, fraction part and the exponent.
struct PictureDigits {
    std::string integer;
    std::string fraction;
    int exponent = 0;
};

PictureDigits LayOutDigits(Decimal d, const PictureLayout& layout)
{
    PictureDigits out;
    if (layout.scientific) {
        d.RoundToSignificant(std::max(1, layout.integerPlaces + layout.fractionPlaces));
        if (!d.IsZero()) {
            out.exponent = d.exponent - layout.integerPlaces;
            d.exponent = layout.integerPlaces;
        }
    } else {
        d.RoundToDecimals(layout.fractionPlaces);
    }
    for (int i = 0; i < d.exponent; ++i)
        out.integer += size_t(i) < d.digits.size() ? d.digits[size_t(i)] : '0';
    if (int(out.integer.size()) < layout.minIntegerDigits)
        out.integer.insert(0, size_t(layout.minIntegerDigits) - out.integer.size(), '0');
    for (int k = 0; k < layout.fractionPlaces; ++k)
        out.fraction += d.FractionDigit(k);
    while (int(out.fraction.size()) > layout.minFractionDigits && out.fraction.back() == '0')
        out.fraction.pop_back();
    return out;
}

std::string RenderSection(std::string_view section, const PictureLayout& layout, const PictureDigits& digits,
                          const FormatSettings& fs)
{
    std::string out;
    const std::string& integer = digits.integer;
    size_t nextInteger = 0;   // next integer digit to write
    int integerPlace = 0;
    int fractionPlace = 0;
    bool point = false;
    auto writeIntegerDigits = [&](size_t upTo) {
        for (; nextInteger < upTo && nextInteger < integer.size(); ++nextInteger) {
            out += integer[nextInteger];
            size_t remaining = integer.size() - 1 - nextInteger;
            if (layout.thousands && remaining > 0 && remaining % 3 == 0)
                out += fs.ThousandSeparator;
        }
    };
    auto finishInteger = [&] { writeIntegerDigits(integer.size()); };
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (c == '"' || c == '\'') {
            size_t close = section.find(c, i + 1);
            size_t end = close == std::string_view::npos ? section.size() : close;
            out += section.substr(i + 1, end - i - 1);
            i = end;
        } else if ((c == '0' || c == '#') && !point) {
            // The first place takes every digit beyond the places that follow it.
            ++integerPlace;
            size_t placesLeft = size_t(layout.integerPlaces - integerPlace);
            writeIntegerDigits(integer.size() > placesLeft ? integer.size() - placesLeft : 0);
        } else if (c == '0' || c == '#') {
            if (size_t(fractionPlace) < digits.fraction.size())
                out += digits.fraction[size_t(fractionPlace)];
            ++fractionPlace;
        } else if (c == '.' && !point) {
            finishInteger();
            point = true;
            if (!digits.fraction.empty())
                out += fs.DecimalSeparator;
        } else if (c == ',') {
            // A flag, not a character of the result.
        } else if (IsExponentMark(section, i)) {
            finishInteger();
            point = true;
            out += c;
            out += Exponent(digits.exponent, layout.exponentDigits, section[i + 1] == '+');
            for (i += 2; i < section.size() && section[i] == '0'; ++i) {
            }
            --i;
        } else {
            out += c;
        }
    }
    finishInteger();
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view picture, double value, const FormatSettings& settings)
{
    if (picture.empty() || !std::isfinite(value))
        return FloatToStrF(value, FloatFormat::General, 15, 0, settings);
    std::vector<std::string_view> sections = PictureSections(picture);
    auto usable = [&](size_t index) { return index < sections.size() && !sections[index].empty(); };
    size_t chosen = value > 0 ? 0 : value < 0 ? (usable(1) ? 1 : 0) : (usable(2) ? 2 : 0);
    Decimal d = Decimal::Of(value);
    d.RoundToSignificant(15);
    if (d.exponent > 18)
        return FloatToStrF(value, FloatFormat::General, 15, 0, settings);
    d.negative = false;

    PictureLayout layout(sections[chosen]);
    PictureDigits digits = LayOutDigits(d, layout);
    bool roundedToZero = digits.integer.find_first_not_of('0') == std::string::npos &&
                         digits.fraction.find_first_not_of('0') == std::string::npos;
    if (roundedToZero && chosen != 2 && usable(2)) {
        chosen = 2;
        layout = PictureLayout(sections[chosen]);
        digits = LayOutDigits(d, layout);
    }
    std::string sign = value < 0 && chosen == 0 && !roundedToZero ? "-" : "";
    return sign + RenderSection(sections[chosen], layout, digits, settings);
}

std::string FormatFloat(std::string_view picture, double value)
{
    return FormatFloat(picture, value, DefaultFormatSettings());
}

}  // namespace rtl
