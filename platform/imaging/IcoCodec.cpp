#include "platform/imaging/IcoCodec.h"

#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/PngCodec.h"

#include <cstdlib>

namespace win {

namespace {

constexpr size_t kDirectoryHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

[[noreturn]] void InvalidIco()
{
    throw EInvalidGraphic("Icon image is not valid");
}

std::uint32_t U16(std::string_view data, size_t at)
{
    return static_cast<std::uint8_t>(data[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[at + 1])) << 8;
}

std::uint32_t IcoU32(std::string_view data, size_t at)
{
    return U16(data, at) | U16(data, at + 2) << 16;
}

size_t EntryCount(std::string_view data, std::uint32_t type)
{
    if (data.size() < kDirectoryHeaderSize || U16(data, 0) != 0 || U16(data, 2) != type)
        InvalidIco();
    const size_t count = U16(data, 4);
    if (count == 0 || data.size() < kDirectoryHeaderSize + count * kEntrySize)
        InvalidIco();
    return count;
}

// Icon files have type 1, cursor files type 2; the directory reads alike.
std::vector<IconEntry> ReadDirectory(std::string_view data, std::uint32_t type)
{
    const size_t count = EntryCount(data, type);
    std::vector<IconEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kDirectoryHeaderSize + i * kEntrySize;
        const auto width = static_cast<std::uint8_t>(data[at]);
        const auto height = static_cast<std::uint8_t>(data[at + 1]);
        entries[i].width = width == 0 ? 256 : width;
        entries[i].height = height == 0 ? 256 : height;
        if (type == 1) {
            entries[i].bitCount = static_cast<int>(U16(data, at + 6));
        } else {
            entries[i].hotSpotX = static_cast<int>(U16(data, at + 4));
            entries[i].hotSpotY = static_cast<int>(U16(data, at + 6));
        }
    }
    return entries;
}

}  // namespace

std::vector<IconEntry> ReadIcoDirectory(std::string_view data)
{
    return ReadDirectory(data, 1);
}

std::vector<IconEntry> ReadCurDirectory(std::string_view data)
{
    return ReadDirectory(data, 2);
}

std::string_view IcoEntryBytes(std::string_view data, size_t index)
{
    if (data.size() < kDirectoryHeaderSize || (U16(data, 2) != 1 && U16(data, 2) != 2))
        InvalidIco();
    if (index >= EntryCount(data, U16(data, 2)))
        throw EInvalidGraphic("Icon has no image " + std::to_string(index));
    const size_t at = kDirectoryHeaderSize + index * kEntrySize;
    const std::uint32_t size = IcoU32(data, at + 8);
    const std::uint32_t offset = IcoU32(data, at + 12);
    if (offset > data.size() || size > data.size() - offset)
        InvalidIco();
    return data.substr(offset, size);
}

size_t BestIcoEntry(const std::vector<IconEntry>& entries, int size)
{
    size_t best = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        const IconEntry& a = entries[i];
        const IconEntry& b = entries[best];
        const int distanceA = size == 0 ? -a.width : std::abs(a.width - size);
        const int distanceB = size == 0 ? -b.width : std::abs(b.width - size);
        if (distanceA < distanceB || (distanceA == distanceB && a.bitCount > b.bitCount))
            best = i;
    }
    return best;
}

Image ReadIcoImage(std::string_view data, size_t index)
{
    EntryCount(data, 1);
    const std::string_view image = IcoEntryBytes(data, index);
    if (image.starts_with(kPngSignature))
        return ReadPng(image);
    return ReadIconDib(image);
}

Image ReadIco(std::string_view data, int size)
{
    return ReadIcoImage(data, BestIcoEntry(ReadIcoDirectory(data), size));
}

}  // namespace win
