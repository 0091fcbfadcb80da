#pragma once
// Text comparison. The "Ansi" forms follow the user's locale through one fixed collation table per
// ANSI code page, the same on every machine; the others compare bytes (ASCII case folding only).
// Results are <0, 0 or >0.
//
// The Ansi order: blank, punctuation and symbols, digits, letters; accents, then case (small first) break
// ties, then hyphens and apostrophes ("coop" < "co-op" < "cop"). AnsiCompareText ignores case, and
// reads the ligatures as their letters: AnsiCompareText("straße", "STRASSE") is 0. AnsiCompareStr
// ends with the bytes, so it is 0 only for equal text.

#include <string>
#include <string_view>

namespace rtl {

int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
// A key whose byte order (std::string's comparison) is the order of AnsiCompareStr (withCase) or
// AnsiCompareText for the text, for sorting many texts: each is weighed once instead of at every
// comparison. Keys hold for the code page they were made in.
std::string AnsiSortKey(std::string_view text, bool withCase);
// Appends the key to key, for many keys in one buffer.
void AppendAnsiSortKey(std::string& key, std::string_view text, bool withCase);
bool AnsiSameStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

}  // namespace rtl
