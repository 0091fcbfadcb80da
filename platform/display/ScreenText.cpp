#include "platform/display/detail/ScreenText.h"

#include "platform/rtl/CodePage.h"
#include "platform/win/Clipboard.h"

#include <algorithm>
#include <cstring>

namespace win::detail {

namespace {

template <class Char>
std::basic_string<Char> WithoutCarriageReturns(std::basic_string_view<Char> text)
{
    std::basic_string<Char> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n'))) {
            out += text[i];
        }
    }
    return out;
}

template <class Char>
std::basic_string<Char> WithCarriageReturns(std::basic_string_view<Char> text)
{
    std::basic_string<Char> out;
    out.reserve(text.size() + text.size() / 8);
    for (Char ch : text) {
        if (ch == Char('\n')) {
            out += Char('\r');
        }
        out += ch;
    }
    return out;
}

// The longest start of text that is at most limit bytes and does not end inside a UTF-8 character.
std::string_view CutUtf8(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

}  // namespace

std::string ScreenTextOfClipboard(UINT format, const void* data, std::size_t bytes)
{
    if (format == CF_UNICODETEXT) {
        const auto* units = static_cast<const char16_t*>(data);
        const std::size_t count = bytes / sizeof(char16_t);
        const std::u16string_view wide(units, static_cast<std::size_t>(std::find(units, units + count, u'\0') - units));
        return rtl::WideToUtf8(WithoutCarriageReturns(wide));
    }
    const auto* chars = static_cast<const char*>(data);
    const std::string_view ansi(chars, strnlen(chars, bytes));
    const int codePage = format == CF_OEMTEXT ? rtl::OemCodePage() : 0;
    return rtl::AnsiToUtf8(WithoutCarriageReturns(ansi), codePage);
}

std::vector<BYTE> ClipboardOfScreenText(std::string_view utf8, UINT format)
{
    utf8 = utf8.substr(0, std::min(utf8.find('\0'), utf8.size()));
    const std::u16string wide = WithCarriageReturns<char16_t>(rtl::Utf8ToWide(CutUtf8(utf8, MaxScreenClipboardText)));
    std::vector<BYTE> block;
    if (format == CF_UNICODETEXT) {
        block.resize((wide.size() + 1) * sizeof(char16_t));
        std::memcpy(block.data(), wide.c_str(), block.size());
        return block;
    }
    std::string ansi = rtl::WideToAnsi(wide);
    if (format == CF_OEMTEXT) {
        ansi = rtl::WideToAnsi(rtl::AnsiToWide(ansi), rtl::OemCodePage());
    }
    block.assign(ansi.begin(), ansi.end());
    block.push_back(0);
    return block;
}

std::string ScreenTitle(std::string_view ansi)
{
    std::string text(ansi);
    std::replace_if(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F; }, ' ');
    return rtl::AnsiToUtf8(text);
}

}  // namespace win::detail
