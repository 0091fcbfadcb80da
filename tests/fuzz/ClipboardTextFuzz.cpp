// Arbitrary text between the screen's clipboard (UTF-8, LF) and the clipboard's text formats (CR LF):
// text each format can represent comes back exactly, and every block is zero-terminated.
#include "platform/display/detail/ScreenText.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Clipboard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace win;
    using namespace win::detail;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::u16string wide;
    const bool valid = rtl::TryUtf8ToWide(text, wide) && text.find('\0') == std::string_view::npos;
    for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
        const auto block = ClipboardOfScreenText(text, format);
        const std::size_t unit = format == CF_UNICODETEXT ? 2 : 1;
        if (block.size() < unit || block.size() % unit != 0 || block.back() != 0 || block[block.size() - unit] != 0) {
            std::abort();
        }
        const std::string back = ScreenTextOfClipboard(format, block.data(), block.size());
        std::string ansi;
        const int page = format == CF_OEMTEXT ? rtl::OemCodePage() : 0;
        const bool representable = format == CF_UNICODETEXT || rtl::TryUtf8ToAnsi(text, ansi, nullptr, page);
        if (valid && representable && back != text) {
            std::abort();
        }
    }
    // Bytes as a program's own CF_TEXT block go to the screen as valid UTF-8.
    std::u16string check;
    if (!rtl::TryUtf8ToWide(ScreenTextOfClipboard(CF_TEXT, data, size), check)) {
        std::abort();
    }
    return 0;
}
