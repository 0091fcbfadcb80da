// Placeholder conversions (Latin-1 only) until the code-page tables land.
#include "platform/rtl/CodePage.h"

#include "platform/rtl/Exceptions.h"

namespace rtl {

int AnsiCodePage()
{
    return 1252;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    for (unsigned char c : ansi) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool TryUtf8ToAnsi(std::string_view utf8, std::string& ansi)
{
    ansi.clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = utf8[i];
        if (c < 0x80) {
            ansi += char(c);
        } else if ((c & 0xE0) == 0xC0 && c <= 0xC3 && i + 1 < utf8.size()) {
            ansi += char(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}

std::string Utf8ToAnsi(std::string_view utf8)
{
    std::string ansi;
    if (!TryUtf8ToAnsi(utf8, ansi))
        throw EEncodingError("Text cannot be held in the ANSI code page");
    return ansi;
}

std::u16string AnsiToWide(std::string_view ansi)
{
    std::u16string out;
    for (unsigned char c : ansi)
        out += char16_t(c);
    return out;
}

std::string WideToAnsi(std::u16string_view wide)
{
    std::string out;
    for (char16_t c : wide)
        out += c < 0x100 ? char(c) : '?';
    return out;
}

}  // namespace rtl
