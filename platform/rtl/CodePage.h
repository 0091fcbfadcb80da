#pragma once
// The process ANSI code page and conversions between ANSI, UTF-8 and UTF-16 text.
//
// The ANSI code pages are 1250..1258; the conversions also take the OEM (console) pages 437, 720, 737,
// 775, 852, 857, 862 and 866. Each byte of a page stands for one Unicode character; a byte the page
// leaves undefined stands for a character of its own (the C1 control U+0080+n in the range 0x80..0x9F),
// so every byte survives a round trip. Wherever a function takes `int codePage = 0`, 0
// means the process code page; any other page raises EInvalidArgument.
// The Try forms return false on the first character they cannot convert and, when badIndex is given,
// store its position: a byte offset for UTF-8 input, a UTF-16 unit offset for wide input; their output
// is then left empty.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// The process ANSI code page: one of 1250..1258, chosen from the locale at first use, 1252 when unknown.
int AnsiCodePage();
// Replaces the process code page; raises EInvalidArgument for a number outside 1250..1258.
void SetAnsiCodePage(int codePage);

// The code page a locale name ("cs_CZ.UTF-8", "sr_RS@latin", "C") stands for.
int CodePageForLocale(std::string_view localeName);
// The code page of the environment's locale: LC_ALL, then LC_CTYPE, then LANG (the first that is set).
int LocaleCodePage();

// The Unicode character of every byte of a code page; raises EInvalidArgument for an unknown page.
const std::array<char16_t, 256>& CodePageChars(int codePage = 0);
// Whether the conversions take the page (0, the ANSI and the OEM pages).
bool IsSupportedCodePage(int codePage);
// The OEM page that goes with an ANSI page (0: the process page): 1250 852, 1251 866, 1252 437, 1253 737,
// 1254 857, 1255 862, 1256 720, 1257 775, 1258 1258. EInvalidArgument for a page that is not ANSI.
int OemCodePage(int ansiCodePage = 0);

// ANSI <-> UTF-8. Every ANSI byte has a character, so AnsiToUtf8 never fails; Utf8ToAnsi raises
// EEncodingError for invalid UTF-8 and for the first character that the code page cannot hold.
std::string AnsiToUtf8(std::string_view ansi, int codePage = 0);
std::string Utf8ToAnsi(std::string_view utf8, int codePage = 0);
bool TryUtf8ToAnsi(std::string_view utf8, std::string& ansi, size_t* badIndex = nullptr, int codePage = 0);

// ANSI <-> UTF-16. WideToAnsi writes '?' for each character the code page cannot hold, as the library
// does (lone surrogates included).
std::u16string AnsiToWide(std::string_view ansi, int codePage = 0);
std::string WideToAnsi(std::u16string_view wide, int codePage = 0);
bool TryWideToAnsi(std::u16string_view wide, std::string& ansi, size_t* badIndex = nullptr, int codePage = 0);

// UTF-8 <-> UTF-16. The plain forms put U+FFFD in place of invalid UTF-8 (one per maximal invalid
// sequence) and of lone surrogates; the Try forms refuse them.
std::u16string Utf8ToWide(std::string_view utf8);
bool TryUtf8ToWide(std::string_view utf8, std::u16string& wide, size_t* badIndex = nullptr);
std::string WideToUtf8(std::u16string_view wide);
bool TryWideToUtf8(std::u16string_view wide, std::string& utf8, size_t* badIndex = nullptr);

}  // namespace rtl
