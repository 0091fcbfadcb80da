// Feeds arbitrary bytes to the bitmap reader: a refusal is the only acceptable failure.
#include "platform/imaging/BmpCodec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        win::ReadBmp(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const win::EInvalidGraphic&) {
    }
    return 0;
}
