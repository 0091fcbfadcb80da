// Feeds arbitrary bytes to the PNG reader: a refusal is the only acceptable failure.
#include "platform/imaging/PngCodec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        win::ReadPng(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const win::EInvalidGraphic&) {
    }
    return 0;
}
