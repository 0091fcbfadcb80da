#pragma once
// Format: printf-like formatting with the library's specifiers and digits.
//
//   "%" [index ":"] ["-"] [width] ["." precision] type
//
// index, width and precision may be "*" (taken from the next argument). Types: d (integer, precision =
// minimum digits), u (unsigned), x (upper-case hexadecimal), s (text, precision = maximum length),
// p (address), e f g n m (floating point and currency: exponent, fixed, general, number with
// thousands separators, money; rounded to 18 significant digits first, then to the precision). "%%" is
// a percent sign. A missing argument or one of the wrong kind raises EConvertError.

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Numbers.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace rtl {

// One argument of Format.
class FormatArg {
public:
    enum class Kind { Integer, Int64, Float, Currency, String, Char, Boolean, Pointer };

    template <std::integral T>
    FormatArg(T value) : kind_(sizeof(T) < 8 && (std::is_signed_v<T> || sizeof(T) < 4) ? Kind::Integer : Kind::Int64),
                         integer_(std::int64_t(value))
    {
    }
    FormatArg(bool value) : kind_(Kind::Boolean), integer_(value ? 1 : 0) {}
    FormatArg(char value) : kind_(Kind::Char), text_(1, value) {}
    FormatArg(double value) : kind_(Kind::Float), float_(value) {}
    FormatArg(Currency value) : kind_(Kind::Currency), integer_(value.scaled) {}
    FormatArg(std::string value) : kind_(Kind::String), text_(std::move(value)) {}
    FormatArg(std::string_view value) : kind_(Kind::String), text_(value) {}
    FormatArg(const char* value) : kind_(Kind::String), text_(value ? value : "") {}
    FormatArg(const void* value) : kind_(Kind::Pointer), integer_(std::int64_t(reinterpret_cast<std::uintptr_t>(value))) {}

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    double floating() const { return float_; }
    const std::string& text() const { return text_; }

private:
    Kind kind_;
    std::int64_t integer_ = 0;
    double float_ = 0;
    std::string text_;
};

std::string Format(std::string_view format, std::span<const FormatArg> args);
std::string Format(std::string_view format, std::span<const FormatArg> args, const FormatSettings& settings);
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);
std::string Format(std::string_view format, std::initializer_list<FormatArg> args, const FormatSettings& settings);

}  // namespace rtl
