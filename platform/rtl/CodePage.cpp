#include "platform/rtl/CodePage.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"
#include "platform/rtl/detail/OemCodePages.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <map>
#include <mutex>
#include <utility>

namespace rtl {

namespace {

constexpr int kFirstCodePage = 1250;
constexpr int kLastCodePage = 1258;
constexpr int kPageCount = kLastCodePage - kFirstCodePage + 1;
constexpr char32_t kReplacement = 0xFFFD;
constexpr int kOemCodePages[] = {437, 720, 737, 775, 852, 857, 862, 866};

std::atomic<int> processCodePage{0};

bool IsCodePage(int codePage)
{
    return codePage >= kFirstCodePage && codePage <= kLastCodePage;
}

std::string CharName(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

// ---- Code-page tables -------------------------------------------------------------------------------

struct PageTable {
    std::array<char16_t, 256> chars;
    // The characters of bytes 0x80..0xFF with their bytes, sorted by character.
    std::array<std::pair<char16_t, unsigned char>, 128> reverse;
};

// Decodes one byte on its own. The converters of 1255 and 1258 hold a base letter back in case a
// combining mark follows, so the state is reset before and flushed after every byte.
char16_t DecodeByte(iconv_t cd, unsigned char byte)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in = char(byte);
    char* inPtr = &in;
    size_t inLeft = 1;
    char16_t out[4];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1) || sizeof out - outLeft != 2)
        return char16_t(byte);  // undefined in the page: the C1 control of the same number
    return out[0];
}

PageTable BuildPage(int codePage)
{
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == iconv_t(-1))
        throw EEncodingError("The conversion table of code page " + std::to_string(codePage) +
                             " is not available");
    PageTable page;
    for (int b = 0; b < 0x80; ++b)
        page.chars[b] = char16_t(b);
    for (int b = 0x80; b < 0x100; ++b) {
        page.chars[b] = DecodeByte(cd, (unsigned char)b);
        page.reverse[b - 0x80] = {page.chars[b], (unsigned char)b};
    }
    iconv_close(cd);
    std::sort(page.reverse.begin(), page.reverse.end());
    return page;
}

PageTable BuildOemPage(const std::array<char16_t, 128>& upperHalf)
{
    PageTable page;
    for (int b = 0; b < 0x80; ++b)
        page.chars[b] = char16_t(b);
    for (int b = 0x80; b < 0x100; ++b) {
        page.chars[b] = upperHalf[b - 0x80];
        page.reverse[b - 0x80] = {page.chars[b], (unsigned char)b};
    }
    std::sort(page.reverse.begin(), page.reverse.end());
    return page;
}

const PageTable& OemPage(int codePage)
{
    static const std::map<int, PageTable> pages = [] {
        std::map<int, PageTable> all;
        for (int oem : kOemCodePages)
            all.emplace(oem, BuildOemPage(*detail::OemUpperHalf(oem)));
        return all;
    }();
    auto it = pages.find(codePage);
    if (it == pages.end())
        throw EInvalidArgument("Code page " + std::to_string(codePage) + " is not supported");
    return it->second;
}

// Each page's table is built at its first use (a program mostly needs one), then read without a lock.
// A table that cannot be built is tried again at the next use.
const PageTable& Page(int codePage)
{
    if (codePage == 0)
        codePage = AnsiCodePage();
    if (!IsCodePage(codePage))
        return OemPage(codePage);
    static std::array<std::once_flag, kPageCount> built;
    static std::array<PageTable, kPageCount> pages;
    const size_t slot = size_t(codePage - kFirstCodePage);
    std::call_once(built[slot], [&] { pages[slot] = BuildPage(codePage); });
    return pages[slot];
}

// The byte of c in the page, or -1 when the page has no such character.
int FindByte(const PageTable& page, char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c > 0xFFFF)
        return -1;
    auto it = std::lower_bound(page.reverse.begin(), page.reverse.end(), std::pair(char16_t(c), (unsigned char)0));
    return it != page.reverse.end() && it->first == c ? it->second : -1;
}

// ---- UTF-8 and UTF-16 ---------------------------------------------------------------------------------

// One decoded character; an invalid one has `valid` false and `length` the bytes or units it spans
// (the maximal invalid subsequence, at least one).
struct Decoded {
    char32_t value;
    size_t length;
    bool valid;
};

Decoded DecodeUtf8(std::string_view s, size_t pos)
{
    const unsigned char lead = s[pos];
    if (lead < 0x80)
        return {lead, 1, true};
    size_t count;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        return {kReplacement, 1, false};
    }
    for (size_t i = 1; i < count; ++i) {
        if (pos + i >= s.size())
            return {kReplacement, i, false};
        const unsigned char next = s[pos + i];
        if (next < low || next > high)
            return {kReplacement, i, false};
        value = (value << 6) | (next & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {value, count, true};
}

Decoded DecodeUtf16(std::u16string_view s, size_t pos)
{
    const char16_t first = s[pos];
    if (first < 0xD800 || first > 0xDFFF)
        return {first, 1, true};
    if (first <= 0xDBFF && pos + 1 < s.size() && s[pos + 1] >= 0xDC00 && s[pos + 1] <= 0xDFFF)
        return {0x10000 + ((char32_t(first) - 0xD800) << 10) + (s[pos + 1] - 0xDC00), 2, true};
    return {kReplacement, 1, false};
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += char16_t(c);
    } else {
        out += char16_t(0xD800 + ((c - 0x10000) >> 10));
        out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

// Converts between UTF-8 and UTF-16. Invalid input becomes U+FFFD, or, when strict, stops the conversion
// with the output left empty; returns where it stopped, npos when it did not.
template <typename Input, typename Output>
size_t Transcode(Input in, Output& out, bool strict, Decoded (*decode)(Input, size_t),
                 void (*append)(Output&, char32_t))
{
    out.clear();
    out.reserve(in.size());
    for (size_t pos = 0; pos < in.size();) {
        const Decoded d = decode(in, pos);
        if (!d.valid && strict) {
            out.clear();
            return pos;
        }
        append(out, d.value);
        pos += d.length;
    }
    return std::string_view::npos;
}

// The outcome of a conversion that stops at the first character it cannot convert.
struct Failure {
    size_t index;
    char32_t character;  // kReplacement when the input itself was invalid
    bool invalidInput;
};
constexpr Failure kNoFailure{std::string_view::npos, 0, false};

Failure Utf8ToAnsiUntilFailure(std::string_view utf8, std::string& ansi, const PageTable& page)
{
    ansi.clear();
    ansi.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, pos);
        if (!d.valid)
            return {pos, kReplacement, true};
        const int byte = FindByte(page, d.value);
        if (byte < 0)
            return {pos, d.value, false};
        ansi += char(byte);
        pos += d.length;
    }
    return kNoFailure;
}

// Converts wide text; characters the page cannot hold become '?' when substitute is set, else stop it.
size_t WideToAnsiWith(std::u16string_view wide, std::string& ansi, const PageTable& page, bool substitute)
{
    ansi.clear();
    ansi.reserve(wide.size());
    for (size_t pos = 0; pos < wide.size();) {
        const Decoded d = DecodeUtf16(wide, pos);
        const int byte = d.valid ? FindByte(page, d.value) : -1;
        if (byte < 0 && !substitute) {
            ansi.clear();
            return pos;
        }
        ansi += byte < 0 ? '?' : char(byte);
        pos += d.length;
    }
    return std::string_view::npos;
}

bool Report(size_t failedAt, size_t* badIndex)
{
    if (badIndex)
        *badIndex = failedAt;
    return failedAt == std::string_view::npos;
}

}  // namespace

// ---- The process code page ------------------------------------------------------------------------------

int CodePageForLocale(std::string_view localeName)
{
    const size_t languageEnd = localeName.find_first_of("_.@");
    const std::string language = LowerCase(localeName.substr(0, languageEnd));
    const size_t at = localeName.find('@');
    const std::string modifier = at == std::string_view::npos ? std::string() : LowerCase(localeName.substr(at + 1));

    static const std::pair<std::string_view, int> languages[] = {
        {"cs", 1250}, {"pl", 1250}, {"hu", 1250}, {"sk", 1250}, {"sl", 1250}, {"hr", 1250}, {"ro", 1250},
        {"sq", 1250}, {"bs", 1250}, {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251},
        {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"he", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
        {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258},
    };
    if (language == "sr")
        return modifier == "latin" ? 1250 : 1251;
    for (const auto& [name, codePage] : languages)
        if (language == name)
            return codePage;
    return 1252;
}

int LocaleCodePage()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return CodePageForLocale(value);
    }
    return 1252;
}

int AnsiCodePage()
{
    int codePage = processCodePage.load(std::memory_order_acquire);
    if (codePage == 0) {
        // Two threads may both read the locale; the first to store wins and both return its choice.
        processCodePage.compare_exchange_strong(codePage, LocaleCodePage(), std::memory_order_acq_rel);
        codePage = processCodePage.load(std::memory_order_acquire);
    }
    return codePage;
}

void SetAnsiCodePage(int codePage)
{
    if (!IsCodePage(codePage))
        throw EInvalidArgument("Code page " + std::to_string(codePage) + " is not an ANSI code page");
    processCodePage.store(codePage, std::memory_order_release);
}

const std::array<char16_t, 256>& CodePageChars(int codePage)
{
    return Page(codePage).chars;
}

bool IsSupportedCodePage(int codePage)
{
    return codePage == 0 || IsCodePage(codePage) || detail::OemUpperHalf(codePage) != nullptr;
}

int OemCodePage(int ansiCodePage)
{
    // The console page that goes with each ANSI page; Vietnamese uses its ANSI page for both.
    static constexpr int kOemOfAnsi[kPageCount] = {852, 866, 437, 737, 857, 862, 720, 775, 1258};
    if (ansiCodePage == 0)
        ansiCodePage = AnsiCodePage();
    if (!IsCodePage(ansiCodePage))
        throw EInvalidArgument("Code page " + std::to_string(ansiCodePage) + " is not an ANSI code page");
    return kOemOfAnsi[ansiCodePage - kFirstCodePage];
}

// ---- Conversions ------------------------------------------------------------------------------------

std::string AnsiToUtf8(std::string_view ansi, int codePage)
{
    const PageTable& page = Page(codePage);
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi)
        AppendUtf8(out, page.chars[c]);
    return out;
}

bool TryUtf8ToAnsi(std::string_view utf8, std::string& ansi, size_t* badIndex, int codePage)
{
    const Failure failure = Utf8ToAnsiUntilFailure(utf8, ansi, Page(codePage));
    if (failure.index != std::string_view::npos)
        ansi.clear();
    return Report(failure.index, badIndex);
}

std::string Utf8ToAnsi(std::string_view utf8, int codePage)
{
    if (codePage == 0)
        codePage = AnsiCodePage();
    std::string ansi;
    const Failure failure = Utf8ToAnsiUntilFailure(utf8, ansi, Page(codePage));
    if (failure.invalidInput)
        throw EEncodingError("Invalid UTF-8 sequence at byte " + std::to_string(failure.index));
    if (failure.index != std::string_view::npos)
        throw EEncodingError("The character " + CharName(failure.character) + " cannot be represented in code page " +
                             std::to_string(codePage));
    return ansi;
}

std::u16string AnsiToWide(std::string_view ansi, int codePage)
{
    const PageTable& page = Page(codePage);
    std::u16string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi)
        out += page.chars[c];
    return out;
}

std::string WideToAnsi(std::u16string_view wide, int codePage)
{
    std::string ansi;
    WideToAnsiWith(wide, ansi, Page(codePage), true);
    return ansi;
}

bool TryWideToAnsi(std::u16string_view wide, std::string& ansi, size_t* badIndex, int codePage)
{
    return Report(WideToAnsiWith(wide, ansi, Page(codePage), false), badIndex);
}

bool TryUtf8ToWide(std::string_view utf8, std::u16string& wide, size_t* badIndex)
{
    return Report(Transcode(utf8, wide, true, DecodeUtf8, AppendUtf16), badIndex);
}

std::u16string Utf8ToWide(std::string_view utf8)
{
    std::u16string wide;
    Transcode(utf8, wide, false, DecodeUtf8, AppendUtf16);
    return wide;
}

bool TryWideToUtf8(std::u16string_view wide, std::string& utf8, size_t* badIndex)
{
    return Report(Transcode(wide, utf8, true, DecodeUtf16, AppendUtf8), badIndex);
}

std::string WideToUtf8(std::u16string_view wide)
{
    std::string utf8;
    Transcode(wide, utf8, false, DecodeUtf16, AppendUtf8);
    return utf8;
}

}  // namespace rtl
