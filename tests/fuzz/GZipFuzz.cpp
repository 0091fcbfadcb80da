// Feeds arbitrary bytes to the gzip container reader and the zlib decompressor: damaged data is refused
// without writing anything; and the bytes themselves, compressed at a level the first byte chooses,
// decompress to the same bytes.
#include "report/rptGZip.h"
#include "report/rptZLib.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        rtl::TStringStream source(input), target("kept");
        try {
            report::rptGZipDecompress(source, target);
        } catch (const report::EZDecompressionError&) {
            if (target.DataString() != "kept")
                std::abort();
        }
    }
    try {
        report::ZDecompressBuffer(input);
    } catch (const report::EZDecompressionError&) {
    }
    rtl::TStringStream source(input), packed;
    const auto level = static_cast<report::TZCompressionLevel>(size ? data[0] % 4 : 0);
    report::rptCompressStream(source, packed, level);
    if (report::ZDecompressBuffer(packed.DataString()) != input)
        std::abort();
    return 0;
}
