#pragma once
// Text comparison. The "Ansi" forms follow the user's locale through one fixed collation table per
// ANSI code page, the same on every machine; the others compare bytes (ASCII case folding only).
// Results are <0, 0 or >0.
//
// The Ansi order: blank, punctuation and symbols, digits, letters; accents, then case (small first) break
// ties, then hyphens and apostrophes ("coop" < "co-op" < "cop"). AnsiCompareText ignores case, and
// reads the ligatures as their letters: AnsiCompareText("straße", "STRASSE") is 0. AnsiCompareStr
// ends with the bytes, so it is 0 only for equal text.

#include <string_view>

namespace rtl {

int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

}  // namespace rtl
