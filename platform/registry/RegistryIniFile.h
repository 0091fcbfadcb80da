#pragma once
// An INI file kept in the registry below HKEY_CURRENT_USER. A section is a key: a path from the file's
// key, or from the root when it starts with "\"; an entry is a value of that key. Strings are string
// values and integers DWORD values, except that an entry already holding text keeps text; an integer
// read from text is converted as in INI files; booleans are the text "1" or "0". Errors of the registry
// ("Invalid data type for '%s'", "Failed to create key %s", "Failed to set data for '%s'") pass through.

#include "platform/rtl/IniFiles.h"
#include "platform/registry/Registry.h"

#include <memory>
#include <string>

namespace win {

class TRegistryIniFile : public rtl::TCustomIniFile {
public:
    // Opens fileName below HKEY_CURRENT_USER, creating it when missing.
    explicit TRegistryIniFile(const std::string& fileName);
    ~TRegistryIniFile() override;

    TRegIniFile& RegIniFile() { return *regIniFile_; }

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) override;
    void WriteInteger(const std::string& section, const std::string& ident, int value) override;
    void ReadSection(const std::string& section, rtl::TStrings& strings) override;
    void ReadSections(rtl::TStrings& strings) override;
    // DWORD values as decimal text, binary values as two hexadecimal digits per byte.
    void ReadSectionValues(const std::string& section, rtl::TStrings& strings) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    // Nothing to do: the registry reaches its file when its last open store closes.
    void UpdateFile() override;

private:
    std::unique_ptr<TRegIniFile> regIniFile_;
};

}  // namespace win
