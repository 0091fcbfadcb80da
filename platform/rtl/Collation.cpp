// Collation of ANSI text: every byte of a code page gets weights from its Unicode character, the same on
// every machine.
//
// Levels, compared one after the other over the whole text:
//   1. primary: blank < punctuation and symbols < + < = > < digits < letters; accented Latin letters share
//      the weight of their base letter; the ligatures AE, OE and sharp s expand to two letters ("ae",
//      "oe", "ss"), so AnsiCompareText("straße", "STRASSE") is 0; thorn follows z; then Greek,
//      Cyrillic, Hebrew and Arabic letters by the Unicode value of their small unaccented form;
//   2. accents (combining marks of 1255, 1256 and 1258 count here only);
//   3. case, small before capital (AnsiCompareStr only);
//   4. the word-sort characters (apostrophe, hyphen, soft hyphen), by position, so that
//      "coop" < "co-op" < "cop";
//   5. the bytes (AnsiCompareStr only), so that AnsiCompareStr is 0 only for equal text.
// Control characters, the bytes a page leaves undefined and the invisible direction marks are ignored.
#include "platform/rtl/Collation.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace rtl {

namespace {

enum Accent : std::uint8_t {
    None, Acute, Grave, Circumflex, Tilde, Diaeresis, Ring, Caron, Breve, DoubleAcute, DotAbove, DotBelow,
    Cedilla, CommaBelow, Ogonek, Macron, Stroke, Horn, Hook, Dotless, DiaeresisAcute, Ordinal, Variant
};
// One letter per accent, in the order above: the code used by the Latin table below.
constexpr std::string_view kAccentCodes = ".agctdrvbhoukmqnspfiezx";

// U+00C0..U+017F: the base letter ('-' no letter, '*' a letter with its own rule) and the accent code.
constexpr std::string_view kLatinBase =
    "AAAAAA*CEEEEIIII" "DNOOOOO-OUUUUY**"   // U+00C0
    "aaaaaa*ceeeeiiii" "dnooooo-ouuuuy*y"   // U+00E0
    "AaAaAaCcCcCcCcDd" "DdEeEeEeEeEeGgGg"   // U+0100
    "GgGgHhHhIiIiIiIi" "IiIiJjKkkLlLlLlL"   // U+0120
    "lLlNnNnNnnNnOoOo" "Oo**RrRrRrSsSsSs"   // U+0140
    "SsTtTtTtUuUuUuUu" "UuUuWwYyYZzZzZzs";  // U+0160
constexpr std::string_view kLatinAccent =
    "gactdr.kgacdgacd" "stgactd.sgacda.."
    "gactdr.kgacdgacd" "stgactd.sgacda.d"
    "nnbbqqaaccoovvvv" "ssnnbbooqqvvccbb"
    "ookkccssttnnbbqq" "oixxcckkxaakkvvo"
    "ossaakkvvxxxnnbb" "hh..aakkvvaacckk"
    "vvkkvvssttnnbbrr" "hhqqccccdaaoovvx";

struct LetterRule {
    char16_t character;
    std::string_view letters;  // base letters, one or two (an expansion)
    Accent accent;
};

// The Latin letters outside U+00C0..U+017F, and those marked '*' there.
constexpr LetterRule kOtherLatin[] = {
    {0x00AA, "a", Ordinal}, {0x00BA, "o", Ordinal}, {0x00C6, "ae", None}, {0x00E6, "ae", None},
    {0x00DE, "~", None},    {0x00FE, "~", None},    {0x00DF, "ss", None}, {0x0152, "oe", None},
    {0x0153, "oe", None},   {0x0192, "f", Hook},    {0x01A0, "o", Horn},  {0x01A1, "o", Horn},
    {0x01AF, "u", Horn},    {0x01B0, "u", Horn},    {0x0218, "s", CommaBelow}, {0x0219, "s", CommaBelow},
    {0x021A, "t", CommaBelow}, {0x021B, "t", CommaBelow},
};

struct Stripped {
    char16_t character;
    char16_t base;
    Accent accent;
};

// Small letters of the other scripts that sort as their base letter with an accent.
constexpr Stripped kOtherStripped[] = {
    {0x00B5, 0x03BC, Variant},   {0x0390, 0x03B9, DiaeresisAcute}, {0x03AC, 0x03B1, Acute},
    {0x03AD, 0x03B5, Acute},     {0x03AE, 0x03B7, Acute},          {0x03AF, 0x03B9, Acute},
    {0x03B0, 0x03C5, DiaeresisAcute}, {0x03C2, 0x03C3, Variant},   {0x03CA, 0x03B9, Diaeresis},
    {0x03CB, 0x03C5, Diaeresis}, {0x03CC, 0x03BF, Acute},          {0x03CD, 0x03C5, Acute},
    {0x03CE, 0x03C9, Acute},
};

// Combining marks: ignored at the first level, weighed among the accents.
constexpr Stripped kLatinMarks[] = {
    {0x0300, 0, Grave}, {0x0301, 0, Acute}, {0x0303, 0, Tilde}, {0x0309, 0, Hook}, {0x0323, 0, DotBelow},
};
constexpr std::uint8_t kHebrewMarkWeights = 0x40;
constexpr std::uint8_t kArabicMarkWeights = 0x60;

constexpr std::string_view kPunctuation = "!\"#$%&()*,./:;?@[\\]^_`{|}~";
constexpr std::string_view kMathOrder = "+<=>";
constexpr std::string_view kWordSort = "'-\xAD";  // by Unicode value: apostrophe, hyphen, soft hyphen

// Primary weight groups, in sort order.
enum Group : std::uint32_t { kBlank = 1, kPunctuationGroup, kSymbol, kMath, kDigit, kLetter };
constexpr std::uint32_t kThorn = 26;  // the letter after z

constexpr std::uint32_t Primary(Group group, std::uint32_t order)
{
    return group << 16 | order;
}

struct Element {
    std::uint32_t primary;
    std::uint8_t secondary;
    std::uint8_t tertiary;
    std::uint16_t rank;  // the primary weight's place among those of the table (1 for the least), for sort keys
};

struct ByteWeights {
    Element elements[2];
    std::uint8_t count;     // 0: ignored at the first three levels
    std::uint8_t wordSort;  // non-zero for a word-sort character: its weight at the fourth level
};

using CollationTable = std::array<ByteWeights, 256>;

std::uint8_t Secondary(Accent accent)
{
    return std::uint8_t(1 + accent);
}

ByteWeights Single(std::uint32_t primary, std::uint8_t secondary, std::uint8_t tertiary)
{
    return {{{primary, secondary, tertiary, 0}, {}}, 1, 0};
}

std::uint32_t LatinOrder(char letter)
{
    return letter == '~' ? kThorn : std::uint32_t(letter | 0x20) - 'a';
}

ByteWeights Letters(std::string_view letters, Accent accent, std::uint8_t tertiary)
{
    ByteWeights w{};
    for (char letter : letters)
        w.elements[w.count++] = {Primary(kLetter, LatinOrder(letter)), Secondary(accent), tertiary, 0};
    return w;
}

ByteWeights LetterWeights(char16_t c)
{
    const std::uint8_t tertiary = IsWideCharUpper(c) ? 2 : 1;
    if (c < 0x80) {
        const char letter = char(c);
        return Letters(std::string_view(&letter, 1), None, tertiary);
    }
    if (c >= 0xC0 && c <= 0x17F && kLatinBase[c - 0xC0] != '*') {
        const Accent accent = Accent(kAccentCodes.find(kLatinAccent[c - 0xC0]));
        return Letters(kLatinBase.substr(c - 0xC0, 1), accent, tertiary);
    }
    for (const LetterRule& rule : kOtherLatin)
        if (rule.character == c)
            return Letters(rule.letters, rule.accent, tertiary);
    char16_t base = WideLowerChar(c);
    Accent accent = None;
    for (const Stripped& rule : kOtherStripped)
        if (rule.character == base) {
            base = rule.base;
            accent = rule.accent;
        }
    return Single(Primary(kLetter, base), Secondary(accent), tertiary);
}

ByteWeights MarkWeights(std::uint8_t secondary)
{
    return {{{0, secondary, 0, 0}, {}}, 1, 0};
}

ByteWeights CharWeights(char16_t c)
{
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200C && c <= 0x200F))
        return {};
    if (const size_t at = kWordSort.find(char(c)); c < 0x100 && at != std::string_view::npos)
        return {{}, 0, std::uint8_t(at + 1)};
    if (c == ' ' || c == 0xA0)
        return Single(Primary(kBlank, 0), c == ' ' ? 1 : 2, 1);
    if (const size_t at = kPunctuation.find(char(c)); c < 0x80 && at != std::string_view::npos)
        return Single(Primary(kPunctuationGroup, std::uint32_t(at)), 1, 1);
    if (const size_t at = kMathOrder.find(char(c)); c < 0x80 && at != std::string_view::npos)
        return Single(Primary(kMath, std::uint32_t(at)), 1, 1);
    if (c >= '0' && c <= '9')
        return Single(Primary(kDigit, c - '0'), 1, 1);
    if (IsWideCharAlpha(c))
        return LetterWeights(c);
    for (const Stripped& mark : kLatinMarks)
        if (mark.character == c)
            return MarkWeights(Secondary(mark.accent));
    if (c >= 0x05B0 && c <= 0x05C2 && c != 0x05BE && c != 0x05C0)
        return MarkWeights(std::uint8_t(kHebrewMarkWeights + (c - 0x05B0)));
    if (c >= 0x064B && c <= 0x0652)
        return MarkWeights(std::uint8_t(kArabicMarkWeights + (c - 0x064B)));
    return Single(Primary(kSymbol, c), 1, 1);
}

// Numbers the table's distinct primary weights in order, so that a sort key spends a byte or two on each.
void RankPrimaries(CollationTable& table)
{
    std::vector<std::uint32_t> primaries;
    for (const ByteWeights& w : table)
        for (int k = 0; k < w.count; ++k)
            if (w.elements[k].primary != 0)
                primaries.push_back(w.elements[k].primary);
    std::sort(primaries.begin(), primaries.end());
    primaries.erase(std::unique(primaries.begin(), primaries.end()), primaries.end());
    for (ByteWeights& w : table)
        for (int k = 0; k < w.count; ++k)
            if (w.elements[k].primary != 0)
                w.elements[k].rank = std::uint16_t(
                    1 + (std::lower_bound(primaries.begin(), primaries.end(), w.elements[k].primary) - primaries.begin()));
}

// The table of the process code page, built at its first use as the code page's own table is.
const CollationTable& Table()
{
    constexpr int kFirstPage = 1250;
    constexpr int kPages = 9;
    static std::array<std::once_flag, kPages> built;
    static std::array<CollationTable, kPages> tables;
    const int codePage = AnsiCodePage();
    const size_t slot = size_t(codePage - kFirstPage);
    std::call_once(built[slot], [&] {
        CollationTable& table = tables[slot];
        const auto& chars = CodePageChars(codePage);
        for (int b = 0; b < 256; ++b)
            table[b] = CharWeights(chars[b]);
        RankPrimaries(table);
    });
    return tables[slot];
}

// Walks the weights of one text at one of the first three levels, skipping zero weights.
class LevelWalker {
public:
    LevelWalker(std::string_view text, const CollationTable& table, int level)
        : text_(text), table_(table), level_(level) {}

    // The next non-zero weight, 0 at the end of the text.
    std::uint32_t Next()
    {
        while (pos_ < text_.size()) {
            const ByteWeights& w = table_[static_cast<unsigned char>(text_[pos_])];
            if (element_ >= w.count) {
                ++pos_;
                element_ = 0;
                continue;
            }
            const Element& e = w.elements[element_++];
            const std::uint32_t weight = level_ == 1 ? e.primary : level_ == 2 ? e.secondary : e.tertiary;
            if (weight != 0)
                return weight;
        }
        return 0;
    }

private:
    std::string_view text_;
    const CollationTable& table_;
    int level_;
    size_t pos_ = 0;
    int element_ = 0;
};

int CompareLevel(std::string_view a, std::string_view b, const CollationTable& table, int level)
{
    LevelWalker x(a, table, level), y(b, table, level);
    for (;;) {
        const std::uint32_t p = x.Next(), q = y.Next();
        if (p != q)
            return p < q ? -1 : 1;
        if (p == 0)
            return 0;
    }
}

// The word-sort characters by position, then weight; a text with fewer of them sorts first.
int CompareWordSort(std::string_view a, std::string_view b, const CollationTable& table)
{
    auto next = [&table](std::string_view s, size_t& pos) {
        while (pos < s.size() && table[static_cast<unsigned char>(s[pos])].wordSort == 0)
            ++pos;
    };
    size_t i = 0, j = 0;
    for (;; ++i, ++j) {
        next(a, i);
        next(b, j);
        if (i >= a.size() || j >= b.size())
            return i >= a.size() ? (j >= b.size() ? 0 : -1) : 1;
        if (i != j)
            return i < j ? -1 : 1;
        const std::uint8_t p = table[static_cast<unsigned char>(a[i])].wordSort;
        const std::uint8_t q = table[static_cast<unsigned char>(b[j])].wordSort;
        if (p != q)
            return p < q ? -1 : 1;
    }
}

int Collate(std::string_view a, std::string_view b, bool withCase)
{
    const CollationTable& table = Table();
    for (int level = 1; level <= 3; ++level) {
        if (level == 3 && !withCase)
            continue;
        if (const int order = CompareLevel(a, b, table, level))
            return order;
    }
    if (const int order = CompareWordSort(a, b, table))
        return order;
    if (!withCase)
        return 0;
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// The weights of one of the first three levels, each followed by a 0 byte, so that weights compare as
// their bytes and a text that ends sorts before one that goes on. A primary weight is its rank: one byte
// below 255, else 255 and a second byte (a table has at most 512 of them).
void AppendLevel(std::string& key, std::string_view text, const CollationTable& table, int level)
{
    for (const char c : text) {
        const ByteWeights& w = table[static_cast<unsigned char>(c)];
        for (int k = 0; k < w.count; ++k) {
            const Element& e = w.elements[k];
            if (level == 1 && e.rank >= 255) {
                key += char(255);
                key += char(e.rank - 254);
            } else if (const std::uint32_t weight = level == 1 ? e.rank : level == 2 ? e.secondary : e.tertiary) {
                key += char(weight);
            }
        }
    }
    key += '\0';
}

// Each word-sort character as its position + 1 in four bytes and its weight in one, then four 0 bytes.
void AppendWordSort(std::string& key, std::string_view text, const CollationTable& table)
{
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const std::uint8_t weight = table[static_cast<unsigned char>(text[pos])].wordSort;
        if (weight == 0)
            continue;
        const auto place = std::uint32_t(pos + 1);
        for (int shift = 24; shift >= 0; shift -= 8)
            key += char(place >> shift & 0xFF);
        key += char(weight);
    }
    key.append(4, '\0');
}

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}

int CompareBytes(std::string_view a, std::string_view b, bool fold)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = fold ? FoldAscii(a[i]) : a[i];
        unsigned char y = fold ? FoldAscii(b[i]) : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

std::string AnsiSortKey(std::string_view text, bool withCase)
{
    std::string key;
    key.reserve(text.size() * (withCase ? 5 : 3) + 8);
    AppendAnsiSortKey(key, text, withCase);
    return key;
}

void AppendAnsiSortKey(std::string& key, std::string_view text, bool withCase)
{
    const CollationTable& table = Table();
    AppendLevel(key, text, table, 1);
    AppendLevel(key, text, table, 2);
    if (withCase)
        AppendLevel(key, text, table, 3);
    AppendWordSort(key, text, table);
    if (withCase)
        key += text;
}

int AnsiCompareStr(std::string_view a, std::string_view b) { return Collate(a, b, true); }
int AnsiCompareText(std::string_view a, std::string_view b) { return Collate(a, b, false); }
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }
bool AnsiSameText(std::string_view a, std::string_view b) { return Collate(a, b, false) == 0; }
int CompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b, false); }
int CompareText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true); }
bool SameText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true) == 0; }

}  // namespace rtl
