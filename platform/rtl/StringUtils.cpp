#include "platform/rtl/StringUtils.h"

#include <algorithm>

namespace rtl {

// Stand-ins for the code-page aware classes until the tables land: ASCII only.
bool IsCharAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsCharUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsCharLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsCharAlphaNumeric(char c) { return IsCharAlpha(c) || (c >= '0' && c <= '9'); }
char AnsiUpperChar(char c) { return IsCharLower(c) ? char(c - 32) : c; }
char AnsiLowerChar(char c) { return IsCharUpper(c) ? char(c + 32) : c; }

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
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), AnsiUpperChar);
    return out;
}

std::string AnsiLowerCase(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), AnsiLowerChar);
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
