#pragma once
// The OEM (console) code pages the runtime converts: the characters of their bytes 0x80..0xFF.

#include <array>

namespace rtl::detail {

// The characters of bytes 0x80..0xFF of an OEM code page (437, 720, 737, 775, 852, 857, 862, 866), or
// null for any other page. Bytes 0x00..0x7F are ASCII in all of them. A byte a page leaves undefined
// stands for the character of its own number, as in the ANSI pages, or for the private-use character
// U+F700 + its number where the page holds that character elsewhere (three bytes of 857), so that
// every byte still survives a round trip.
const std::array<char16_t, 128>* OemUpperHalf(int codePage);

}  // namespace rtl::detail
