// Feeds arbitrary bytes to a control bitmap's stored-data reader. The first byte chooses the form: odd
// puts the "XDBM" header with the right length in front of the rest, even gives the rest as it is. A
// read error is the only acceptable failure, and after one the bitmap keeps its picture.
#include "controls/Controls.h"
#include "controls/clBitmaps.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = (testsupport::StartGuiLibraries(), controls::initialize(), true);
    (void)started;
    if (size < 1)
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) {
        const auto length = std::int32_t(bytes.size());
        std::string header(reinterpret_cast<const char*>(&length), 4);
        header += "XDBM";
        header += std::string("\x01\x00", 2);
        bytes = header + bytes;
    }
    rtl::TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    controls::TclCustomBitmap bitmap(3, 2);
    try {
        bitmap.ReadData(stream);
    } catch (const rtl::Exception&) {
        if (bitmap.Width() != 3 || bitmap.Height() != 2)
            std::abort();
    }
    return 0;
}
