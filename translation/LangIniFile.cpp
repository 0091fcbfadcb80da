#include "translation/LangIniFile.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"

#include <algorithm>

namespace translation {

namespace {

// The first element whose name is not less than the given one, case ignored.
template <class Items>
auto LowerBound(Items& items, const std::string& name)
{
    return std::lower_bound(items.begin(), items.end(), name,
                            [](const auto& item, const std::string& n) { return rtl::AnsiCompareText(item.name, n) < 0; });
}

// The element with the name, case ignored, or end().
template <class Items>
auto Find(Items& items, const std::string& name)
{
    auto found = LowerBound(items, name);
    return found != items.end() && rtl::AnsiSameText(found->name, name) ? found : items.end();
}

// A value that does not convert gives the default; other failures are the caller's.
template <class Convert>
rtl::TDateTime Converted(const std::string& text, rtl::TDateTime def, Convert convert)
{
    if (text.empty())
        return def;
    try {
        return convert(text);
    } catch (const rtl::EConvertError&) {
        return def;
    }
}

}  // namespace

int TCustomIniFile::GetInteger(const std::string& section, const std::string& key, int def)
{
    std::string text = GetText(section, key, "");
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    return rtl::StrToIntDef(text, def);
}

void TCustomIniFile::PutInteger(const std::string& section, const std::string& key, int value)
{
    PutText(section, key, std::to_string(value));
}

bool TCustomIniFile::GetBoolean(const std::string& section, const std::string& key, bool def)
{
    return GetInteger(section, key, def ? 1 : 0) != 0;
}

void TCustomIniFile::PutBoolean(const std::string& section, const std::string& key, bool value)
{
    PutText(section, key, value ? "1" : "0");
}

rtl::TDateTime TCustomIniFile::GetDateValue(const std::string& section, const std::string& key, rtl::TDateTime def)
{
    return Converted(GetText(section, key, ""), def, [](const std::string& s) { return rtl::StrToDate(s); });
}

rtl::TDateTime TCustomIniFile::GetDateTimeValue(const std::string& section, const std::string& key,
                                                rtl::TDateTime def)
{
    return Converted(GetText(section, key, ""), def, [](const std::string& s) { return rtl::StrToDateTime(s); });
}

double TCustomIniFile::GetFloatValue(const std::string& section, const std::string& key, double def)
{
    return Converted(GetText(section, key, ""), def, [](const std::string& s) { return rtl::StrToFloat(s); });
}

rtl::TDateTime TCustomIniFile::GetTimeValue(const std::string& section, const std::string& key, rtl::TDateTime def)
{
    return Converted(GetText(section, key, ""), def, [](const std::string& s) { return rtl::StrToTime(s); });
}

void TCustomIniFile::PutDateValue(const std::string& section, const std::string& key, rtl::TDateTime value)
{
    PutText(section, key, rtl::DateToStr(value));
}

void TCustomIniFile::PutDateTimeValue(const std::string& section, const std::string& key, rtl::TDateTime value)
{
    PutText(section, key, rtl::DateTimeToStr(value));
}

void TCustomIniFile::PutFloatValue(const std::string& section, const std::string& key, double value)
{
    PutText(section, key, rtl::FloatToStr(value));
}

void TCustomIniFile::PutTimeValue(const std::string& section, const std::string& key, rtl::TDateTime value)
{
    PutText(section, key, rtl::TimeToStr(value));
}

bool TCustomIniFile::HasSection(const std::string& section)
{
    rtl::TStringList keys;
    keys.SetSorted(true);
    keys.SetDuplicates(rtl::TDuplicates::Accept);
    ListKeys(section, keys);
    return keys.Count() > 0;
}

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName))
{
    if (!FileName().empty() && rtl::FileExists(FileName())) {
        rtl::TStringList lines;
        lines.LoadFromFile(FileName());
        LoadLines(lines);
    }
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name)
{
    auto found = Find(sections_, name);
    return found != sections_.end() ? &*found : nullptr;
}

TMemIniFile::Section& TMemIniFile::AddSection(const std::string& name)
{
    if (Section* existing = FindSection(name))
        return *existing;
    return *sections_.insert(LowerBound(sections_, name), Section{name, {}});
}

// Split at the first "="; a key goes before the keys of the same name, as the sorted list of the original
// inserted it, so the last of equal keys read is the one found.
void TMemIniFile::AddKey(Section& section, std::string_view line)
{
    std::size_t equals = line.find('=');
    Key key{std::string(line.substr(0, equals)),
            equals == std::string_view::npos ? std::string() : std::string(line.substr(equals + 1))};
    section.keys.insert(LowerBound(section.keys, key.name), std::move(key));
}

void TMemIniFile::LoadLines(const rtl::TStrings& lines)
{
    sections_.clear();
    Section* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines.Strings(i);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &AddSection(line.substr(1, line.size() - 2));
        } else if (current) {
            AddKey(*current, line);
        }
    }
    changed_ = true;
}

void TMemIniFile::StoreLines(rtl::TStrings& lines) const
{
    for (const Section& section : sections_) {
        lines.Add("[" + section.name + "]");
        for (const Key& key : section.keys)
            lines.Add(key.name + "=" + key.value);
        lines.Add("");
    }
}

void TMemIniFile::ClearSections()
{
    sections_.clear();
    changed_ = true;
}

std::string TMemIniFile::GetText(const std::string& section, const std::string& key, const std::string& def)
{
    Section* found = FindSection(section);
    if (!found)
        return def;
    auto k = Find(found->keys, key);
    return k != found->keys.end() ? k->value : def;
}

void TMemIniFile::PutText(const std::string& section, const std::string& key, const std::string& value)
{
    Section& target = AddSection(section);
    if (auto k = Find(target.keys, key); k != target.keys.end())
        target.keys.erase(k);
    AddKey(target, key + "=" + value);
    changed_ = true;
}

void TMemIniFile::ListKeys(const std::string& section, rtl::TStrings& list)
{
    list.Clear();
    if (Section* found = FindSection(section))
        for (const Key& key : found->keys)
            list.Add(key.name);
}

void TMemIniFile::ListSections(rtl::TStrings& list)
{
    list.Clear();
    for (const Section& section : sections_)
        list.Add(section.name);
}

void TMemIniFile::ListValues(const std::string& section, rtl::TStrings& list)
{
    list.Clear();
    if (Section* found = FindSection(section))
        for (const Key& key : found->keys)
            list.Add(key.value);
}

void TMemIniFile::DropSection(const std::string& section)
{
    auto found = Find(sections_, section);
    if (found == sections_.end())
        return;
    sections_.erase(found);
    changed_ = true;
}

void TMemIniFile::DropKey(const std::string& section, const std::string& key)
{
    Section* found = FindSection(section);
    if (!found)
        return;
    if (auto k = Find(found->keys, key); k != found->keys.end())
        found->keys.erase(k);
    changed_ = true;
}

void TMemIniFile::WriteBack()
{
    rtl::TStringList lines;
    StoreLines(lines);
    lines.SaveToFile(FileName());
    changed_ = false;
}

}  // namespace translation
