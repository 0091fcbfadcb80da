#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace rtl {

namespace {

class Formatter {
public:
    Formatter(std::string_view format, std::span<const FormatArg> args, const FormatSettings& fs)
        : format_(format), args_(args), fs_(fs)
    {
    }

    std::string Run()
    {
        std::string out;
        for (pos_ = 0; pos_ < format_.size();) {
            size_t percent = format_.find('%', pos_);
            out += format_.substr(pos_, percent == std::string_view::npos ? std::string_view::npos : percent - pos_);
            if (percent == std::string_view::npos)
                break;
            pos_ = percent + 1;
            if (pos_ < format_.size() && format_[pos_] == '%') {
                out += '%';
                ++pos_;
                continue;
            }
            out += Specifier();
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const
    {
        throw EConvertError("Format '" + std::string(format_) + "' invalid or incompatible with argument");
    }

    const FormatArg& NextArg()
    {
        if (next_ >= args_.size())
            throw EConvertError("No argument for format '" + std::string(format_) + "'");
        return args_[next_++];
    }

    // A number of the specifier, "*" (the next argument) or nothing.
    std::optional<int> Number()
    {
        if (pos_ < format_.size() && format_[pos_] == '*') {
            ++pos_;
            const FormatArg& arg = NextArg();
            if (arg.kind() != FormatArg::Kind::Integer)
                Invalid();
            return int(arg.integer());
        }
        size_t start = pos_;
        int value = 0;
        while (pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9') {
            value = std::min(value * 10 + (format_[pos_] - '0'), 1 << 20);
            ++pos_;
        }
        return pos_ == start ? std::nullopt : std::optional<int>(value);
    }

    std::string Specifier()
    {
        const std::optional<int> given = Number();
        bool hasWidth = given.has_value();
        int width = given.value_or(0);
        if (pos_ < format_.size() && format_[pos_] == ':') {
            ++pos_;
            next_ = size_t(std::max(width, 0));
            hasWidth = false;
            width = 0;
        }
        bool left = false;
        if (pos_ < format_.size() && format_[pos_] == '-') {
            left = true;
            ++pos_;
        }
        if (!hasWidth)
            width = Number().value_or(0);
        const size_t fieldWidth = size_t(std::max(width, 0));
        std::optional<int> precision;
        if (pos_ < format_.size() && format_[pos_] == '.') {
            ++pos_;
            precision = Number().value_or(0);
        }
        if (pos_ >= format_.size())
            Invalid();
        char type = format_[pos_++];
        if (type >= 'A' && type <= 'Z')
            type = char(type + 32);
        std::string text = Convert(type, precision, NextArg());
        if (text.size() < fieldWidth)
            text.insert(left ? text.size() : 0, fieldWidth - text.size(), ' ');
        return text;
    }

    std::string Convert(char type, std::optional<int> precision, const FormatArg& arg) const
    {
        using Kind = FormatArg::Kind;
        const bool integer = arg.kind() == Kind::Integer || arg.kind() == Kind::Int64;
        switch (type) {
        case 'd': {
            if (!integer)
                Invalid();
            std::int64_t v = arg.integer();
            std::string digits = std::to_string(v < 0 ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v));
            if (precision && int(digits.size()) < *precision)
                digits.insert(0, size_t(*precision) - digits.size(), '0');
            return v < 0 ? "-" + digits : digits;
        }
        case 'u': {
            if (!integer)
                Invalid();
            std::uint64_t v = arg.kind() == Kind::Integer ? std::uint32_t(arg.integer()) : std::uint64_t(arg.integer());
            std::string digits = std::to_string(v);
            if (precision && int(digits.size()) < *precision)
                digits.insert(0, size_t(*precision) - digits.size(), '0');
            return digits;
        }
        case 'x':
            if (!integer)
                Invalid();
            return arg.kind() == Kind::Integer ? IntToHex(std::int32_t(arg.integer()), precision.value_or(0))
                                               : IntToHex(arg.integer(), precision.value_or(0));
        case 'p':
            if (arg.kind() != Kind::Pointer)
                Invalid();
            return IntToHex(arg.integer(), 16);
        case 's':
            if (arg.kind() != Kind::String && arg.kind() != Kind::Char)
                Invalid();
            return precision ? arg.text().substr(0, size_t(std::max(*precision, 0))) : arg.text();
        case 'e': case 'f': case 'g': case 'n': case 'm':
            if (arg.kind() == Kind::Float)
                return FloatText(type, precision, arg.floating());
            if (arg.kind() == Kind::Currency)
                return CurrencyText(type, precision, Currency::FromScaled(arg.integer()));
            Invalid();
        default:
            Invalid();
        }
    }

    std::string FloatText(char type, std::optional<int> precision, double value) const
    {
        switch (type) {
        case 'e':
            return FloatToStrF(value, FloatFormat::Exponent, precision.value_or(15), 3, fs_);
        case 'g':
            return FloatToStrF(value, FloatFormat::General, precision.value_or(15), 3, fs_);
        case 'f':
            return FloatToStrF(value, FloatFormat::Fixed, 18, precision.value_or(2), fs_);
        case 'n':
            return FloatToStrF(value, FloatFormat::Number, 18, precision.value_or(2), fs_);
        default:
            return FloatToStrF(value, FloatFormat::Currency, 18, precision.value_or(fs_.CurrencyDecimals), fs_);
        }
    }

    std::string CurrencyText(char type, std::optional<int> precision, Currency value) const
    {
        switch (type) {
        case 'f':
            return CurrToStrF(value, FloatFormat::Fixed, precision.value_or(2), fs_);
        case 'n':
            return CurrToStrF(value, FloatFormat::Number, precision.value_or(2), fs_);
        case 'm':
            return CurrToStrF(value, FloatFormat::Currency, precision.value_or(fs_.CurrencyDecimals), fs_);
        default:
            return FloatText(type, precision, value.ToDouble());
        }
    }

    std::string_view format_;
    std::span<const FormatArg> args_;
    const FormatSettings& fs_;
    size_t pos_ = 0;
    size_t next_ = 0;
};

}  // namespace

std::string Format(std::string_view format, std::span<const FormatArg> args, const FormatSettings& settings)
{
    return Formatter(format, args, settings).Run();
}

std::string Format(std::string_view format, std::span<const FormatArg> args)
{
    return Format(format, args, DefaultFormatSettings());
}

std::string Format(std::string_view format, std::initializer_list<FormatArg> args, const FormatSettings& settings)
{
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()), settings);
}

std::string Format(std::string_view format, std::initializer_list<FormatArg> args)
{
    return Format(format, args, DefaultFormatSettings());
}

}  // namespace rtl
