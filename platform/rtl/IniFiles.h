#pragma once
// INI files: "[Section]" lines followed by "Name=Value" lines. Section and key names match without regard
// to case; names and values are read without surrounding blanks. Files are rewritten whole and atomically
// (a temporary file beside the old one, flushed to disk, then renamed over it), so a failed write leaves
// the old file as it was and raises EFCreateError. The file name is an ANSI name; "\" separates folders
// as "/" does.

#include <memory>
#include <string>

namespace rtl {

class TStrings;
class IniSections;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName);
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile();

    const std::string& FileName() const { return fileName_; }

    // True when the section holds at least one key.
    virtual bool SectionExists(const std::string& section);
    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
    // Decimal or hexadecimal ("$1F", "0x1F"); a text that is not a 32-bit number gives the default.
    virtual int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
    virtual void WriteInteger(const std::string& section, const std::string& ident, int value);
    // A number: 0 is false, anything else true; a text that is not a number gives the default.
    virtual bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
    virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
    // These three empty the list first: key names, section names, "Name=Value" lines.
    virtual void ReadSection(const std::string& section, TStrings& strings) = 0;
    virtual void ReadSections(TStrings& strings) = 0;
    virtual void ReadSectionValues(const std::string& section, TStrings& strings) = 0;
    virtual void EraseSection(const std::string& section) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
    virtual void UpdateFile() = 0;
    virtual bool ValueExists(const std::string& section, const std::string& ident);

private:
    std::string fileName_;
};

// Reads the whole file at creation (a missing file is an empty INI) and keeps it in memory, sections and
// keys in file order, comment lines (";") in place. Only UpdateFile writes the file.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(std::string fileName);
    ~TMemIniFile() override;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    void UpdateFile() override;

    void Clear();
    // Appends the INI's lines as UpdateFile would write them.
    void GetStrings(TStrings& list);
    // Replaces the whole INI by the one these lines describe.
    void SetStrings(const TStrings& list);

private:
    std::unique_ptr<IniSections> sections_;
};

// Reads the file for every call and writes every change through to it at once, reading, changing and
// writing under a lock on the file's folder, so that copies of the program writing to one file at the
// same time keep each other's changes. A writer waits for the lock at most rtl::kFileLockTimeout.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    // Nothing to do: every change is on disk already.
    void UpdateFile() override;
};

}  // namespace rtl
