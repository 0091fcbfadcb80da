#include "platform/rtl/IniFiles.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <unistd.h>
#include <vector>

namespace rtl {

// ---- the in-memory model ----

// A line of a section: a key, or a line kept as it was read (a comment, or text without "="), whose text
// is then in name.
struct IniLine {
    bool isKey;
    std::string name;
    std::string value;
};

struct IniSection {
    std::string name;
    std::vector<IniLine> lines;
};

class IniSections {
public:
    void Clear()
    {
        preamble_.clear();
        sections_.clear();
    }

    void Load(const TStrings& list);
    void Store(TStrings& list) const;

    std::string Text() const
    {
        TStringList list;
        Store(list);
        return list.Text();
    }

    const IniSection* Find(const std::string& name) const { return FindIn(sections_, name); }
    IniSection* Find(const std::string& name) { return FindIn(sections_, name); }

    IniSection& FindOrAdd(const std::string& name)
    {
        IniSection* section = Find(name);
        return section ? *section : sections_.emplace_back(IniSection{name, {}});
    }

    const std::string* Read(const std::string& section, const std::string& ident) const
    {
        const IniSection* found = Find(section);
        const IniLine* line = found ? FindKey(found->lines, ident) : nullptr;
        return line ? &line->value : nullptr;
    }

    void Write(const std::string& section, const std::string& ident, const std::string& value)
    {
        IniSection& target = FindOrAdd(section);
        if (IniLine* line = FindKey(target.lines, ident))
            line->value = value;
        else
            target.lines.push_back(IniLine{true, ident, value});
    }

    bool Erase(const std::string& section)
    {
        return std::erase_if(sections_, [&](const IniSection& s) { return AnsiSameText(s.name, section); }) > 0;
    }

    bool DeleteKey(const std::string& section, const std::string& ident)
    {
        IniSection* found = Find(section);
        return found && std::erase_if(found->lines, [&](const IniLine& line) {
                            return line.isKey && AnsiSameText(line.name, ident);
                        }) > 0;
    }

    void ListSection(const std::string& section, TStrings& strings, bool withValues) const
    {
        TStringsUpdate update(strings);
        strings.Clear();
        if (const IniSection* found = Find(section))
            for (const IniLine& line : found->lines)
                if (line.isKey)
                    strings.Add(withValues ? line.name + '=' + line.value : line.name);
    }

    void ListSections(TStrings& strings) const
    {
        TStringsUpdate update(strings);
        strings.Clear();
        for (const IniSection& section : sections_)
            strings.Add(section.name);
    }

private:
    template <typename Sections>
    static auto FindIn(Sections& sections, const std::string& name) -> decltype(&sections.front())
    {
        for (auto& section : sections)
            if (AnsiSameText(section.name, name))
                return &section;
        return nullptr;
    }

    template <typename Lines>
    static auto FindKey(Lines& lines, const std::string& ident) -> decltype(&lines.front())
    {
        for (auto& line : lines)
            if (line.isKey && AnsiSameText(line.name, ident))
                return &line;
        return nullptr;
    }

    // Lines before the first section, kept so that rewriting the file loses nothing.
    std::vector<std::string> preamble_;
    std::vector<IniSection> sections_;
};

// Blank lines are dropped (Store puts one after each section); a repeated section header continues the
// section of that name, so no key is hidden behind an earlier one.
void IniSections::Load(const TStrings& list)
{
    Clear();
    IniSection* current = nullptr;
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        const std::string raw = list.Strings(i);
        const std::string line = Trim(raw);
        if (line.empty())
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &FindOrAdd(Trim(std::string_view(line).substr(1, line.size() - 2)));
            continue;
        }
        const size_t at = line.find('=');
        if (!current)
            preamble_.push_back(raw);
        else if (line.front() == ';' || at == std::string::npos)
            current->lines.push_back(IniLine{false, raw, {}});
        else
            current->lines.push_back(
                IniLine{true, Trim(std::string_view(line).substr(0, at)), Trim(std::string_view(line).substr(at + 1))});
    }
}

void IniSections::Store(TStrings& list) const
{
    TStringsUpdate update(list);
    for (const std::string& line : preamble_)
        list.Add(line);
    for (const IniSection& section : sections_) {
        list.Add('[' + section.name + ']');
        for (const IniLine& line : section.lines)
            list.Add(line.isKey ? line.name + '=' + line.value : line.name);
        list.Add(std::string());
    }
}

namespace {

// ---- names that would not read back ----

// A line break would split the line, "=" in a name would move the split, and a name starting with ";" or
// "[" would read back as a comment or a section.
void CheckStorable(const std::string& section, const std::string& ident, const std::string& value)
{
    const auto hasBreak = [](const std::string& s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; };
    const char* reason = nullptr;
    if (hasBreak(section) || hasBreak(ident) || hasBreak(value))
        reason = "a line break cannot be stored";
    else if (ident.find('=') != std::string::npos)
        reason = "a key name cannot hold \"=\"";
    else if (!Trim(ident).empty() && (Trim(ident).front() == ';' || Trim(ident).front() == '['))
        reason = "a key name cannot start with \";\" or \"[\"";
    if (reason)
        throw EInvalidArgument("Cannot store the key \"" + ident + "\" of section \"" + section +
                               "\" in an INI file: " + reason);
}

// ---- files ----

[[noreturn]] void RaiseOpenError(const std::string& fileName, int error)
{
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + SysErrorMessage(error));
}

// The file's bytes; a file that does not exist reads as empty, any other failure raises.
std::string ReadFileText(const std::string& fileName)
{
    if (fileName.empty())
        return {};
    const int fd = OpenForReading(OsFileName(fileName));
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        RaiseOpenError(fileName, errno);
    }
    std::string text;
    const int error = ReadToEnd(fd, text);
    ::close(fd);
    if (error)
        RaiseOpenError(fileName, error);
    return text;
}

void LoadFile(IniSections& sections, const std::string& fileName)
{
    TStringList lines;
    lines.SetText(ReadFileText(fileName));
    sections.Load(lines);
}

// Reads the file, makes the change and writes the file back when change answers true, all under a lock
// on the file's folder: two copies of the program changing one file at once then both keep their
// changes. The folder is locked rather than the file, which every write replaces, so no lock file is
// left beside it.
template <typename Change>
void ChangeFile(const std::string& fileName, Change change)
{
    const std::string folder = ExtractFileDir(fileName);
    FileLock lock;
    if (const int error = lock.Take(OsFileName(folder.empty() ? "." : folder), false, OsFileName(fileName)))
        throw EFCreateError("Cannot create file \"" + fileName + "\". " +
                            (error == ETIMEDOUT ? "Another copy of the program keeps its folder locked."
                                                : SysErrorMessage(error)));
    IniSections sections;
    LoadFile(sections, fileName);
    if (change(sections))
        WriteFileAtomically(fileName, sections.Text());
}

}  // namespace

// ---- TCustomIniFile ----

TCustomIniFile::TCustomIniFile(std::string fileName) : fileName_(std::move(fileName))
{
}

TCustomIniFile::~TCustomIniFile() = default;

bool TCustomIniFile::SectionExists(const std::string& section)
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue)
{
    int value = 0;
    return TryStrToInt(ReadString(section, ident, std::string()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue)
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident)
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)), sections_(std::make_unique<IniSections>())
{
    LoadFile(*sections_, FileName());
}

TMemIniFile::~TMemIniFile() = default;

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue)
{
    const std::string* value = sections_->Read(section, ident);
    return value ? *value : defaultValue;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    CheckStorable(section, ident, value);
    sections_->Write(section, ident, value);
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& strings)
{
    sections_->ListSection(section, strings, false);
}

void TMemIniFile::ReadSections(TStrings& strings)
{
    sections_->ListSections(strings);
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings)
{
    sections_->ListSection(section, strings, true);
}

void TMemIniFile::EraseSection(const std::string& section)
{
    sections_->Erase(section);
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    sections_->DeleteKey(section, ident);
}

void TMemIniFile::UpdateFile()
{
    WriteFileAtomically(FileName(), sections_->Text());
}

void TMemIniFile::Clear()
{
    sections_->Clear();
}

void TMemIniFile::GetStrings(TStrings& list)
{
    sections_->Store(list);
}

void TMemIniFile::SetStrings(const TStrings& list)
{
    sections_->Load(list);
}

// ---- TIniFile ----

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue)
{
    IniSections sections;
    LoadFile(sections, FileName());
    const std::string* value = sections.Read(section, ident);
    return value ? *value : defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    CheckStorable(section, ident, value);
    ChangeFile(FileName(), [&](IniSections& sections) {
        sections.Write(section, ident, value);
        return true;
    });
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings)
{
    IniSections sections;
    LoadFile(sections, FileName());
    sections.ListSection(section, strings, false);
}

void TIniFile::ReadSections(TStrings& strings)
{
    IniSections sections;
    LoadFile(sections, FileName());
    sections.ListSections(strings);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings)
{
    IniSections sections;
    LoadFile(sections, FileName());
    sections.ListSection(section, strings, true);
}

void TIniFile::EraseSection(const std::string& section)
{
    ChangeFile(FileName(), [&](IniSections& sections) { return sections.Erase(section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    ChangeFile(FileName(), [&](IniSections& sections) { return sections.DeleteKey(section, ident); });
}

void TIniFile::UpdateFile()
{
}

}  // namespace rtl
