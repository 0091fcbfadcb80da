#include "platform/rtl/Crc32.h"

#include <zlib.h>

namespace rtl {

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size)
{
    // zlib answers its own initial value for a null buffer, which would drop the running crc.
    if (size == 0) {
        return crc;
    }
    return static_cast<std::uint32_t>(crc32_z(crc, static_cast<const Bytef*>(data), size));
}

std::uint32_t Crc32(std::string_view text)
{
    return Crc32Update(0, text.data(), text.size());
}

}  // namespace rtl
