// Feeds arbitrary bytes to the metafile reader: a refusal is the only acceptable failure.
#include "platform/metafile/EmfRecords.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        win::emf::CheckMetafile(std::span<const std::uint8_t>(data, size));
    } catch (const win::EInvalidGraphic&) {
    }
    return 0;
}
