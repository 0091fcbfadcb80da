#include "translation/LangStrUtils.h"

#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace translation {

namespace {

// Fields 1 .. count of the line (count = its delimiters, or one less), as GetDelimitedField gives them.
std::vector<std::string> Fields(std::string_view line, char delimiter, int count)
{
    std::vector<std::string> fields;
    for (int i = 1; i <= count; ++i)
        fields.push_back(GetDelimitedField(line, delimiter, i));
    return fields;
}

}  // namespace

int FindSubstring(std::string_view pattern, std::string_view text)
{
    return pattern.empty() ? 1 : rtl::Pos(pattern, text);
}

std::string GetDelimitedField(std::string_view line, char delimiter, int n)
{
    if (line.empty() || n < 0)
        return {};
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        std::size_t found = line.find(delimiter, std::max<std::size_t>(start, 1));
        if (found == std::string_view::npos)
            return {};
        start = found + 1;
    }
    std::size_t end = line.find(delimiter, std::max<std::size_t>(start, 1));
    return std::string(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string ReplaceSubstring(std::string_view text, std::string_view pattern, std::string_view replacement,
                             bool all)
{
    return rtl::StringReplace(text, pattern, replacement, all ? rtl::ReplaceFlag::ReplaceAll : rtl::ReplaceFlag::None);
}

int CountCharsInSet(std::string_view text, std::string_view set)
{
    return int(std::count_if(text.begin(), text.end(), [&](char c) { return set.find(c) != std::string_view::npos; }));
}

int WordStartPosition(int n, std::string_view text, std::string_view set)
{
    if (n < 1)
        return 0;
    std::size_t start = 0;
    for (int word = 1; word < n; ++word) {
        std::size_t separator = text.find_first_of(set, start);
        if (separator == std::string_view::npos)
            return int(text.size());
        start = separator + 1;
    }
    return int(start + 1);
}

std::string WordOfText(int n, std::string_view text, std::string_view set)
{
    int start = WordStartPosition(n, text, set);
    if (start == 0 || start >= int(text.size()))
        return {};
    std::string_view rest = text.substr(std::size_t(start - 1));
    return std::string(rest.substr(0, rest.find_first_of(set)));
}

std::string RemoveLineField(std::string_view line, int n, char delimiter)
{
    std::string out = GetDelimitedField(line, delimiter, 0) + delimiter;
    int count = CountCharsInSet(line, std::string_view(&delimiter, 1));
    for (int i = 1; i <= count; ++i)
        if (i != n)
            out += GetDelimitedField(line, delimiter, i) + delimiter;
    return out;
}

void RemoveLanguageColumn(rtl::TStrings& list, int n, char delimiter)
{
    for (int i = list.Count() - 1; i >= 0; --i)
        list.SetStrings(i, RemoveLineField(list.Strings(i), n, delimiter));
}

std::string MoveLineField(std::string_view line, int from, int to, char delimiter)
{
    int count = CountCharsInSet(line, std::string_view(&delimiter, 1)) - 1;
    if (from == to || from < 1 || from > count || to < 1 || to > count)
        return std::string(line);
    std::vector<std::string> fields = Fields(line, delimiter, count);
    std::string moved = std::move(fields[std::size_t(from - 1)]);
    fields.erase(fields.begin() + (from - 1));
    fields.insert(fields.begin() + (to - 1), std::move(moved));
    std::string out = GetDelimitedField(line, delimiter, 0) + delimiter;
    for (const std::string& field : fields)
        out += field + delimiter;
    return out;
}

void MoveLanguageColumn(rtl::TStrings& list, int from, int to, char delimiter)
{
    if (from == to)
        return;
    for (int i = list.Count() - 1; i >= 0; --i)
        list.SetStrings(i, MoveLineField(list.Strings(i), from, to, delimiter));
}

void CopyLines(rtl::TStrings& target, const rtl::TStrings& source)
{
    if (&source == &target)
        return;
    target.Clear();
    target.AddStrings(source);
}

std::string FlipCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = rtl::IsCharUpper(c) ? rtl::AnsiLowerChar(c) : rtl::AnsiUpperChar(c);
    return out;
}

std::string ExpandChars(std::string_view text, char padding, int percent)
{
    const std::size_t length = text.size();
    std::size_t extra = std::size_t(std::int64_t(length) * std::max(percent, 0) / 100);
    std::string out;
    for (std::size_t p = 0; p < length; ++p) {
        std::size_t n = extra / (length - p);
        out += text[p];
        out.append(n, padding);
        extra -= n;
    }
    return out;
}

}  // namespace translation
