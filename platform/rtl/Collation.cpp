// Placeholder: byte-order comparisons until the collation tables land.
#include "platform/rtl/Collation.h"

#include <algorithm>

namespace rtl {

namespace {

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

int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b, false); }
int AnsiCompareText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true); }
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }
bool AnsiSameText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true) == 0; }
int CompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b, false); }
int CompareText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true); }
bool SameText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true) == 0; }

}  // namespace rtl
