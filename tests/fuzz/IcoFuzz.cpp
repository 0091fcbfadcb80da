// Feeds arbitrary bytes to the icon reader, every entry of the directory: a refusal is the only
// acceptable failure.
#include "platform/imaging/IcoCodec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const size_t count = win::ReadIcoDirectory(bytes).size();
        for (size_t i = 0; i < count && i < 8; ++i) {
            try {
                win::ReadIcoImage(bytes, i);
            } catch (const win::EInvalidGraphic&) {
            }
        }
    } catch (const win::EInvalidGraphic&) {
    }
    return 0;
}
