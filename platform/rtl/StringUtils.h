#pragma once
// String routines of the runtime, with the library's 1-based positions: Pos returns 0 when not found,
// Copy/Delete/Insert take a 1-based index and clamp out-of-range arguments instead of failing.

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

// Character classes and case of the ANSI code page (bytes 128-255 follow the process code page), the
// same on every machine. A byte whose case partner the page does not hold keeps its case (the sharp s
// of 1252 has no capital there); the Turkish dotted capital I and dotless small i map to ASCII 'i'/'I'.
bool IsCharAlpha(char c);
bool IsCharUpper(char c);
bool IsCharLower(char c);
bool IsCharAlphaNumeric(char c);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);

// The same classes for the Unicode characters behind the code pages (Latin, Greek, Cyrillic, Hebrew and
// Arabic letters of 1250..1258, with Unicode's simple case mapping); other characters are no letters
// and map to themselves. Spacing accents and the Arabic tatweel count as symbols.
bool IsWideCharAlpha(char16_t c);
bool IsWideCharUpper(char16_t c);
bool IsWideCharLower(char16_t c);
char16_t WideUpperChar(char16_t c);
char16_t WideLowerChar(char16_t c);

// ASCII-only case mapping and its code-page aware counterparts.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// Trim removes blanks and control characters (bytes <= 32) from the ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

int Pos(std::string_view substr, std::string_view s);
std::string Copy(std::string_view s, int index, int count);
void Delete(std::string& s, int index, int count);
void Insert(std::string_view source, std::string& s, int index);

enum class ReplaceFlag : std::uint8_t { None = 0, ReplaceAll = 1, IgnoreCase = 2 };
constexpr ReplaceFlag operator|(ReplaceFlag a, ReplaceFlag b)
{
    return ReplaceFlag(std::uint8_t(a) | std::uint8_t(b));
}
constexpr bool HasFlag(ReplaceFlag set, ReplaceFlag flag)
{
    return (std::uint8_t(set) & std::uint8_t(flag)) != 0;
}
// IgnoreCase matches in the code page's case (AnsiUpperCase).
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          ReplaceFlag flags);

// 'text' with embedded quotes doubled, and the reverse: AnsiExtractQuotedStr reads a quoted string at pos
// (0-based), advances pos past it and returns the unquoted text.
std::string QuotedStr(std::string_view s);
std::string AnsiQuotedStr(std::string_view s, char quote);
std::string AnsiExtractQuotedStr(std::string_view s, size_t& pos, char quote);

}  // namespace rtl
