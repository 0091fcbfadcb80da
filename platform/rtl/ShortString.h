#pragma once
// A fixed-capacity 8-bit string of at most N bytes, laid out as a length byte followed by N bytes, as
// records store it. Text longer than N bytes is cut silently at N on assignment and append.
// Positions are 1-based; comparison is by bytes.

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

template <std::size_t N>
class ShortString {
    static_assert(N >= 1 && N <= 255, "a short string holds 1 to 255 bytes");

public:
    ShortString() = default;
    ShortString(std::string_view s) { Assign(s); }
    ShortString(const char* s) { Assign(s); }
    ShortString(const std::string& s) { Assign(s); }

    ShortString& operator=(std::string_view s) { return Assign(s); }
    ShortString& operator=(const char* s) { return Assign(s); }
    ShortString& operator=(const std::string& s) { return Assign(s); }
    ShortString& operator+=(std::string_view s)
    {
        const std::size_t n = std::min(s.size(), N - length_);
        std::copy_n(s.data(), n, data_ + length_);
        length_ = static_cast<unsigned char>(length_ + n);
        return *this;
    }
    ShortString& operator+=(char c) { return *this += std::string_view(&c, 1); }

    static constexpr int Capacity() { return int(N); }
    int Length() const { return length_; }
    bool Empty() const { return length_ == 0; }
    // Sets the length byte; new bytes are zero, a length beyond the capacity is cut to it.
    void SetLength(int length)
    {
        const std::size_t n = std::size_t(std::clamp(length, 0, int(N)));
        std::fill(data_ + std::min<std::size_t>(length_, n), data_ + n, '\0');
        length_ = static_cast<unsigned char>(n);
    }

    // 1-based access; an index outside 1..Length() raises EInvalidArgument.
    char& operator[](int index) { return data_[Checked(index)]; }
    char operator[](int index) const { return data_[Checked(index)]; }

    std::string_view View() const { return std::string_view(data_, length_); }
    std::string Str() const { return std::string(View()); }
    operator std::string_view() const { return View(); }
    operator std::string() const { return Str(); }

    template <std::size_t M>
    bool operator==(const ShortString<M>& other) const { return View() == other.View(); }
    template <std::size_t M>
    std::strong_ordering operator<=>(const ShortString<M>& other) const { return View() <=> other.View(); }
    bool operator==(std::string_view other) const { return View() == other; }
    std::strong_ordering operator<=>(std::string_view other) const { return View() <=> other; }

private:
    ShortString& Assign(std::string_view s)
    {
        length_ = static_cast<unsigned char>(std::min(s.size(), N));
        std::copy_n(s.data(), length_, data_);
        return *this;
    }
    std::size_t Checked(int index) const
    {
        if (index < 1 || index > length_)
            throw EInvalidArgument("Index " + std::to_string(index) + " is outside the text of length " +
                                   std::to_string(length_));
        return std::size_t(index - 1);
    }

    unsigned char length_ = 0;
    char data_[N] = {};
};

}  // namespace rtl
