#pragma once
// Texts joined at compile time into one constant: a grammar built from its own rules and shared rule
// sets is still a single text in the binary, with nothing to assemble at start-up.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace script::detail {

template <const std::string_view&... Parts>
class JoinedText {
    static constexpr std::array<char, (Parts.size() + ...)> joined = [] {
        std::array<char, (Parts.size() + ...)> chars{};
        std::size_t at = 0;
        ((std::copy(Parts.begin(), Parts.end(), chars.begin() + at), at += Parts.size()), ...);
        return chars;
    }();

public:
    static constexpr std::string_view text{joined.data(), joined.size()};
};

}  // namespace script::detail
