// Feeds arbitrary bytes to the registry file's parser. A damaged file is the only acceptable refusal; a
// file it accepts must be written back in a form that reads as the same tree and writes the same text.
#include "platform/registry/detail/RegistryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace win::detail;
    const std::optional<RegistryTree> tree =
        ParseRegistryFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!tree)
        return 0;
    const std::string written = FormatRegistryFile(*tree);
    const std::optional<RegistryTree> again = ParseRegistryFile(written);
    if (!again || FormatRegistryFile(*again) != written)
        std::abort();
    return 0;
}
