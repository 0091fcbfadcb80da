#pragma once
// CRC-32 as zip archives, PNG and PDF use it: reflected polynomial 0xEDB88320, initial value and final
// xor 0xFFFFFFFF.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtl {

// Continues crc (the CRC-32 of the bytes before, 0 for none) over size more bytes, so
// Crc32Update(Crc32(a), b) == Crc32(a + b). data may be null when size is 0.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size);

// The CRC-32 of the bytes of text.
std::uint32_t Crc32(std::string_view text);

}  // namespace rtl
