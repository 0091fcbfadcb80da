#pragma once
// Text helpers of the translation library: an exact search, and the fields of translation lines
// (identifier, delimiter, one text per language, closing delimiter) cut, moved and reshaped. Positions
// and word and field numbers are 1-based, as the runtime's; field 0 is the identifier.

#include "platform/rtl/StringList.h"

#include <string>
#include <string_view>

namespace translation {

// 1-based position of the first occurrence of pattern in text, byte for byte; 0 when absent; an empty
// pattern is found at 1.
int FindSubstring(std::string_view pattern, std::string_view text);

// Field n of the line: field 0 runs up to the first delimiter (the first character always belongs to
// it), field n >= 1 from after the n-th delimiter up to the next or the end; "" when the line has fewer
// than n delimiters.
std::string GetDelimitedField(std::string_view line, char delimiter, int n);

// The first, or every, occurrence of pattern (case-sensitive) replaced.
std::string ReplaceSubstring(std::string_view text, std::string_view pattern, std::string_view replacement,
                             bool all);

// Words are separated by single characters of the set, so empty words count.
int CountCharsInSet(std::string_view text, std::string_view set);
// Where word n begins; the text's length when there is no word n, 0 for n < 1.
int WordStartPosition(int n, std::string_view text, std::string_view set);
// Word n, up to the next set character; "" when its start is 0 or the text's length.
std::string WordOfText(int n, std::string_view text, std::string_view set);

// The line without field n: field 0, then fields 1 .. (delimiters in the line) but n, each followed by
// the delimiter, so a line that closes with a delimiter keeps its number of delimiters.
std::string RemoveLineField(std::string_view line, int n, char delimiter);
void RemoveLanguageColumn(rtl::TStrings& list, int n, char delimiter);
// The line with field from moved to position to, the fields between shifting by one; unchanged when
// from equals to or either is not a language field (1 .. delimiters - 1).
std::string MoveLineField(std::string_view line, int from, int to, char delimiter);
void MoveLanguageColumn(rtl::TStrings& list, int from, int to, char delimiter);

// The list setters' copy: target's lines become source's (nothing when they are the same list); the
// list's other settings stay.
void CopyLines(rtl::TStrings& target, const rtl::TStrings& source);

// Upper-case characters become lower case, all others upper case.
std::string FlipCase(std::string_view text);
// The text with length * percent / 100 padding characters spread after its characters, later
// characters taking the remainder.
std::string ExpandChars(std::string_view text, char padding, int percent);

}  // namespace translation
