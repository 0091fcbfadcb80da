// Feeds arbitrary bytes to the placeable metafile reader: a refusal is the only acceptable failure.
#include "platform/imaging/Image.h"
#include "platform/metafile/WmfReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        win::ReadWindowsMetafile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const win::EInvalidGraphic&) {
    }
    return 0;
}
