#include "platform/imaging/PictureFormat.h"

#include <cstdint>

namespace win {

namespace {

std::uint32_t HeaderU32(std::string_view data, size_t at)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{static_cast<std::uint8_t>(data[at + i])} << (8 * i);
    return value;
}

bool IsBmp(std::string_view data)
{
    if (data.size() < 18 || !data.starts_with("BM"))
        return false;
    const std::uint32_t headerSize = HeaderU32(data, 14);
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108
           || headerSize == 124;
}

bool IsIco(std::string_view data)
{
    return data.size() >= 6 && data.starts_with(std::string_view("\0\0\1\0", 4)) && (data[4] != 0 || data[5] != 0);
}

bool IsEmf(std::string_view data)
{
    // The header record (type 1) with its signature.
    return data.size() >= 44 && HeaderU32(data, 0) == 1 && data.substr(40, 4) == " EMF";
}

}  // namespace

PictureFormat SniffPictureFormat(std::string_view data)
{
    if (data.starts_with("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (data.starts_with("\xff\xd8\xff"))
        return PictureFormat::Jpeg;
    if (data.starts_with("GIF87a") || data.starts_with("GIF89a"))
        return PictureFormat::Gif;
    if (IsBmp(data))
        return PictureFormat::Bmp;
    if (IsIco(data))
        return PictureFormat::Ico;
    if (IsEmf(data))
        return PictureFormat::Emf;
    if (data.size() >= 4 && HeaderU32(data, 0) == 0x9ac6cdd7)
        return PictureFormat::Wmf;
    return PictureFormat::Unknown;
}

}  // namespace win
