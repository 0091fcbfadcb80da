#pragma once
// The process ANSI code page and conversions between ANSI, UTF-8 and UTF-16 text.

#include <string>
#include <string_view>

namespace rtl {

// The process ANSI code page: one of 1250..1258, chosen from the locale, 1252 when unknown.
int AnsiCodePage();

// ANSI (process code page) <-> UTF-8. Every ANSI byte has a character, so AnsiToUtf8 never fails;
// Utf8ToAnsi raises EEncodingError naming the first character that the code page cannot hold.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
bool TryUtf8ToAnsi(std::string_view utf8, std::string& ansi);

// ANSI <-> UTF-16. WideToAnsi writes '?' for characters the code page cannot hold, as the library does.
std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);

}  // namespace rtl
