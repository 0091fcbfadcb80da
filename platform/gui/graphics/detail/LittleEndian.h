#pragma once
// The little-endian fields of the picture files the classes write.

#include <cstdint>
#include <string>

namespace gui::detail {

inline void PutU16(std::string& out, std::uint32_t value)
{
    out += char(value & 0xFF);
    out += char(value >> 8 & 0xFF);
}

inline void PutU32(std::string& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace gui::detail
