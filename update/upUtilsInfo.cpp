// Reading the update information file: key values, versions and the download queue.

#include "update/upUtils.h"

#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>

namespace update {

namespace {

// The value that starts at from: up to the first control character, or with braced up to the first '}'.
std::string ValueAt(std::string_view text, std::size_t from, bool braced)
{
    std::size_t end = from;
    if (braced) {
        end = text.find('}', from);
        if (end == std::string_view::npos)
            end = text.size();
    } else {
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 32)
            ++end;
    }
    return std::string(text.substr(from, end - from));
}

// A version part as an integer; the value -1 counts as unreadable, being the mark of a part that did not read.
bool ReadVersionPart(std::string_view part, std::int32_t& value)
{
    return rtl::TryStrToInt(part, value) && value != -1;
}

// The four parts of a version at '.', missing ones "0".
std::array<std::string_view, 4> VersionParts(std::string_view version)
{
    std::array<std::string_view, 4> parts = {"0", "0", "0", "0"};
    std::size_t from = 0;
    for (std::size_t index = 0; index < parts.size() && from <= version.size(); ++index) {
        const std::size_t dot = version.find('.', from);
        parts[index] = version.substr(from, dot == std::string_view::npos ? std::string_view::npos : dot - from);
        if (dot == std::string_view::npos)
            break;
        from = dot + 1;
    }
    return parts;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

std::string GetInfoValue(std::string_view text, std::string_view key, bool braced)
{
    const std::string pattern = rtl::LowerCase(key) + (braced ? "={" : "=");
    const std::size_t at = rtl::LowerCase(text).find(pattern);
    return at == std::string::npos ? "" : ValueAt(text, at + pattern.size(), braced);
}

int CompareVersions(std::string_view a, std::string_view b)
{
    const std::array<std::string_view, 4> left = VersionParts(a);
    const std::array<std::string_view, 4> right = VersionParts(b);
    for (std::size_t index = 0; index < left.size(); ++index) {
        std::int32_t x = 0, y = 0;
        if (!ReadVersionPart(left[index], x) || !ReadVersionPart(right[index], y))
            return Sign(a.compare(b));
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

bool IsNewerVersion(std::string_view infoText, TupUpdaterVersionControl control, std::string_view versionNumber,
                    std::string_view versionDate)
{
    if (control == byNumber)
        return CompareVersions(GetInfoValue(infoText, "#version", false), versionNumber) > 0;
    return std::floor(ParseUsDate(GetInfoValue(infoText, "#date", false))) > std::floor(ParseUsDate(versionDate));
}

void FillDownloadQueue(std::string_view infoText, TupStringList& queue)
{
    // One pass over one lower-cased copy finds where the value of every "#url<digits>=" key starts (its
    // first occurrence counts), so a file with very many keys costs no more than its length.
    const std::string lower = rtl::LowerCase(infoText);
    std::unordered_map<std::string, std::size_t> valueStarts;
    for (std::size_t at = lower.find("#url"); at != std::string::npos; at = lower.find("#url", at + 1)) {
        std::size_t end = at + 4;
        while (end < lower.size() && lower[end] >= '0' && lower[end] <= '9')
            ++end;
        if (end < lower.size() && lower[end] == '=')
            valueStarts.try_emplace(lower.substr(at + 4, end - at - 4), end + 1);
    }
    auto value = [&](const std::string& number) {
        const auto found = valueStarts.find(number);
        return found == valueStarts.end() ? std::string() : ValueAt(infoText, found->second, false);
    };

    queue.Clear();
    for (const char* number : {"", "0"}) {
        const std::string line = value(number);
        if (!line.empty())
            queue.Add(line);
    }
    for (std::size_t number = std::size_t(queue.Count()) + 1;; ++number) {
        const std::string line = value(std::to_string(number));
        if (line.empty())
            break;
        queue.Add(line);
    }
}

}  // namespace update
