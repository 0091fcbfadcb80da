#include "platform/rtl/StringUtils.h"

#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <array>

namespace rtl {

namespace {

// ---- Unicode character classes ---------------------------------------------------------------------

struct WideClass {
    bool alpha;
    bool upper;
    bool lower;
    char16_t toUpper;
    char16_t toLower;
};

WideClass Upper(char16_t c, int lowerForm) { return {true, true, false, c, char16_t(lowerForm)}; }
WideClass Lower(char16_t c, int upperForm) { return {true, false, true, char16_t(upperForm), c}; }
WideClass Uncased(char16_t c) { return {true, false, false, c, c}; }
WideClass NoLetter(char16_t c) { return {false, false, false, c, c}; }

bool In(char16_t c, char16_t first, char16_t last)
{
    return c >= first && c <= last;
}

// A block where capital and small letters alternate, the capital on even or on odd numbers.
WideClass Alternating(char16_t c, unsigned capitalParity)
{
    return (c & 1u) == capitalParity ? Upper(c, c + 1) : Lower(c, c - 1);
}

// The letters the code pages 1250..1258 hold, with Unicode's simple case mapping.
WideClass ClassifyWide(char16_t c)
{
    switch (c) {
    case 0xAA: case 0xBA:  // ordinal indicators
        return Uncased(c);
    case 0xB5:  // micro sign: its Unicode capital is the Greek Mu, a different letter in 1253
    case 0xDF: case 0x138: case 0x149: case 0x17F: case 0x390: case 0x3B0:
        return Lower(c, c);
    case 0xD7: case 0xF7:
        return NoLetter(c);
    case 0xFF: return Lower(c, 0x178);
    case 0x130: return Upper(c, 'i');
    case 0x131: return Lower(c, 'I');
    case 0x178: return Upper(c, 0xFF);
    case 0x192: return Lower(c, 0x191);
    case 0x386: return Upper(c, 0x3AC);
    case 0x38C: return Upper(c, 0x3CC);
    case 0x3A2: return NoLetter(c);
    case 0x3AC: return Lower(c, 0x386);
    case 0x3C2: return Lower(c, 0x3A3);  // final sigma
    case 0x3CC: return Lower(c, 0x38C);
    }
    if (In(c, 'A', 'Z') || In(c, 0xC0, 0xDE) || In(c, 0x391, 0x3AB) || In(c, 0x410, 0x42F))
        return Upper(c, c + 0x20);
    if (In(c, 'a', 'z') || In(c, 0xE0, 0xFE) || In(c, 0x3B1, 0x3CB) || In(c, 0x430, 0x44F))
        return Lower(c, c - 0x20);
    if (In(c, 0x100, 0x137) || In(c, 0x14A, 0x177) || In(c, 0x1A0, 0x1A1) || In(c, 0x218, 0x21B) ||
        In(c, 0x490, 0x491))
        return Alternating(c, 0);
    if (In(c, 0x139, 0x148) || In(c, 0x179, 0x17E) || In(c, 0x1AF, 0x1B0))
        return Alternating(c, 1);
    if (In(c, 0x388, 0x38A))
        return Upper(c, c + 0x25);
    if (In(c, 0x3AD, 0x3AF))
        return Lower(c, c - 0x25);
    if (In(c, 0x38E, 0x38F))
        return Upper(c, c + 0x3F);
    if (In(c, 0x3CD, 0x3CE))
        return Lower(c, c - 0x3F);
    if (In(c, 0x400, 0x40F))
        return Upper(c, c + 0x50);
    if (In(c, 0x450, 0x45F))
        return Lower(c, c - 0x50);
    if (In(c, 0x5D0, 0x5EA) || In(c, 0x5F0, 0x5F2) || In(c, 0x621, 0x63A) || In(c, 0x641, 0x64A) ||
        In(c, 0x671, 0x6D3))
        return Uncased(c);
    return NoLetter(c);
}

// ---- Byte classes of the code pages ------------------------------------------------------------------

enum : unsigned char { kAlpha = 1, kUpper = 2, kLower = 4 };

struct CaseTable {
    unsigned char flags[256];
    char upper[256];
    char lower[256];
};

// The byte of the page holding c, or `fallback` when the page has none.
char ByteOf(char16_t c, char fallback, int codePage)
{
    std::string byte;
    return TryWideToAnsi(std::u16string_view(&c, 1), byte, nullptr, codePage) ? byte[0] : fallback;
}

CaseTable BuildCaseTable(int codePage)
{
    const auto& chars = CodePageChars(codePage);
    CaseTable table;
    for (int b = 0; b < 256; ++b) {
        const WideClass w = ClassifyWide(chars[b]);
        table.flags[b] = (w.alpha ? kAlpha : 0) | (w.upper ? kUpper : 0) | (w.lower ? kLower : 0);
        table.upper[b] = ByteOf(w.toUpper, char(b), codePage);
        table.lower[b] = ByteOf(w.toLower, char(b), codePage);
    }
    return table;
}

const CaseTable& Cases()
{
    static const auto tables = [] {
        std::array<CaseTable, 9> all;
        for (int i = 0; i < 9; ++i)
            all[i] = BuildCaseTable(1250 + i);
        return all;
    }();
    return tables[AnsiCodePage() - 1250];
}

unsigned char Flags(char c)
{
    return Cases().flags[static_cast<unsigned char>(c)];
}

}  // namespace

bool IsWideCharAlpha(char16_t c) { return ClassifyWide(c).alpha; }
bool IsWideCharUpper(char16_t c) { return ClassifyWide(c).upper; }
bool IsWideCharLower(char16_t c) { return ClassifyWide(c).lower; }
char16_t WideUpperChar(char16_t c) { return ClassifyWide(c).toUpper; }
char16_t WideLowerChar(char16_t c) { return ClassifyWide(c).toLower; }

bool IsCharAlpha(char c) { return (Flags(c) & kAlpha) != 0; }
bool IsCharUpper(char c) { return (Flags(c) & kUpper) != 0; }
bool IsCharLower(char c) { return (Flags(c) & kLower) != 0; }
bool IsCharAlphaNumeric(char c) { return IsCharAlpha(c) || (c >= '0' && c <= '9'); }
char AnsiUpperChar(char c) { return Cases().upper[static_cast<unsigned char>(c)]; }
char AnsiLowerChar(char c) { return Cases().lower[static_cast<unsigned char>(c)]; }

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return out;
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return out;
}

std::string AnsiUpperCase(std::string_view s)
{
    const CaseTable& cases = Cases();
    std::string out(s);
    for (char& c : out)
        c = cases.upper[static_cast<unsigned char>(c)];
    return out;
}

std::string AnsiLowerCase(std::string_view s)
{
    const CaseTable& cases = Cases();
    std::string out(s);
    for (char& c : out)
        c = cases.lower[static_cast<unsigned char>(c)];
    return out;
}

namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string TrimLeft(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsTrimmed(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
    size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s)
{
    return TrimLeft(TrimRight(s));
}

int Pos(std::string_view substr, std::string_view s)
{
    if (substr.empty())
        return 0;
    size_t at = s.find(substr);
    return at == std::string_view::npos ? 0 : int(at) + 1;
}

std::string Copy(std::string_view s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || size_t(index) > s.size())
        return {};
    return std::string(s.substr(size_t(index - 1), size_t(count)));
}

void Delete(std::string& s, int index, int count)
{
    if (index < 1 || count <= 0 || size_t(index) > s.size())
        return;
    s.erase(size_t(index - 1), size_t(count));
}

void Insert(std::string_view source, std::string& s, int index)
{
    index = std::clamp(index, 1, int(s.size()) + 1);
    s.insert(size_t(index - 1), source);
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          ReplaceFlag flags)
{
    if (oldPattern.empty())
        return std::string(s);
    const bool ignoreCase = HasFlag(flags, ReplaceFlag::IgnoreCase);
    const std::string haystack = ignoreCase ? AnsiUpperCase(s) : std::string(s);
    const std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : std::string(oldPattern);
    std::string out;
    size_t from = 0;
    for (;;) {
        size_t at = haystack.find(needle, from);
        if (at == std::string::npos)
            break;
        out.append(s.substr(from, at - from));
        out.append(newPattern);
        from = at + needle.size();
        if (!HasFlag(flags, ReplaceFlag::ReplaceAll))
            break;
    }
    out.append(s.substr(from));
    return out;
}

std::string QuotedStr(std::string_view s)
{
    return AnsiQuotedStr(s, '\'');
}

std::string AnsiQuotedStr(std::string_view s, char quote)
{
    std::string out(1, quote);
    for (char c : s) {
        out += c;
        if (c == quote)
            out += quote;
    }
    out += quote;
    return out;
}

std::string AnsiExtractQuotedStr(std::string_view s, size_t& pos, char quote)
{
    if (pos >= s.size() || s[pos] != quote)
        return {};
    std::string out;
    ++pos;
    while (pos < s.size()) {
        if (s[pos] == quote) {
            if (pos + 1 < s.size() && s[pos + 1] == quote) {
                out += quote;
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        out += s[pos++];
    }
    return out;
}

}  // namespace rtl
