#pragma once
// Character sets as the system numbers them (font and text character sets), their names, their code
// pages and the locales that write them.

#include <optional>
#include <span>
#include <string_view>

namespace rtl {

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int MAC_CHARSET = 77;
constexpr int SHIFTJIS_CHARSET = 128;
constexpr int HANGEUL_CHARSET = 129;
constexpr int JOHAB_CHARSET = 130;
constexpr int GB2312_CHARSET = 134;
constexpr int CHINESEBIG5_CHARSET = 136;
constexpr int GREEK_CHARSET = 161;
constexpr int TURKISH_CHARSET = 162;
constexpr int VIETNAMESE_CHARSET = 163;
constexpr int HEBREW_CHARSET = 177;
constexpr int ARABIC_CHARSET = 178;
constexpr int BALTIC_CHARSET = 186;
constexpr int RUSSIAN_CHARSET = 204;
constexpr int THAI_CHARSET = 222;
constexpr int EASTEUROPE_CHARSET = 238;
constexpr int OEM_CHARSET = 255;

struct CharsetEntry {
    std::string_view name;
    int charset;
};

// The 19 character sets with their names ("ANSI_CHARSET" ..), in the order the system lists them.
std::span<const CharsetEntry> CharsetTable();
// The set of that exact name; nothing for another name.
std::optional<int> CharsetFromName(std::string_view name);
// The name of the set; empty for a number not in the table.
std::string_view CharsetToName(int charset);

// The code page the system gives for a set; false for the sets it knows none for (default, Macintosh,
// OEM and unknown numbers).
bool TryCharsetToCodePage(int charset, int& codePage);
// The same, with the process ANSI code page for the sets without one.
int CharsetToCodePage(int charset);
// The set of a Windows code page; DEFAULT_CHARSET for any other.
int CodePageToCharset(int codePage);

// The locale identifier that writes a set (1041 for SHIFTJIS_CHARSET ..); the current locale's for the
// Western and unlisted sets.
int CharsetToLocale(int charset);

}  // namespace rtl
