#include "platform/registry/RegistryIniFile.h"

#include "platform/rtl/StringList.h"

#include <vector>

namespace win {

TRegistryIniFile::TRegistryIniFile(const std::string& fileName)
    : TCustomIniFile(fileName), regIniFile_(std::make_unique<TRegIniFile>(fileName))
{
}

TRegistryIniFile::~TRegistryIniFile() = default;

std::string TRegistryIniFile::ReadString(const std::string& section, const std::string& ident,
                                         const std::string& defaultValue)
{
    return regIniFile_->ReadString(section, ident, defaultValue);
}

void TRegistryIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    regIniFile_->WriteString(section, ident, value);
}

int TRegistryIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue)
{
    TRegIniFile& reg = *regIniFile_;
    TRegDataType type = rdUnknown;
    int number = defaultValue;
    reg.WithKey(section, false, [&] {
        type = reg.GetDataType(ident);
        if (type != rdUnknown && type != rdString && type != rdExpandString)
            number = reg.ReadInteger(ident);
    });
    if (type == rdString || type == rdExpandString)
        return TCustomIniFile::ReadInteger(section, ident, defaultValue);
    return number;
}

void TRegistryIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    TRegIniFile& reg = *regIniFile_;
    reg.WithKey(section, true, [&] {
        if (reg.GetDataType(ident) == rdString)
            reg.WriteString(ident, std::to_string(value));
        else
            reg.WriteInteger(ident, value);
    });
}

void TRegistryIniFile::ReadSection(const std::string& section, rtl::TStrings& strings)
{
    regIniFile_->ReadSection(section, strings);
}

void TRegistryIniFile::ReadSections(rtl::TStrings& strings)
{
    regIniFile_->ReadSections(strings);
}

void TRegistryIniFile::ReadSectionValues(const std::string& section, rtl::TStrings& strings)
{
    TRegIniFile& reg = *regIniFile_;
    rtl::TStringsUpdate update(strings);
    strings.Clear();
    reg.WithKey(section, false, [&] {
        rtl::TStringList names;
        reg.GetValueNames(names);
        for (int i = 0; i < names.Count(); ++i) {
            const std::string name = names.Strings(i);
            std::string text;
            switch (reg.GetDataType(name)) {
            case rdInteger:
                text = std::to_string(reg.ReadInteger(name));
                break;
            case rdBinary: {
                std::vector<unsigned char> bytes(size_t(reg.GetDataSize(name)));
                reg.ReadBinaryData(name, bytes.data(), int(bytes.size()));
                static constexpr char digits[] = "0123456789ABCDEF";
                for (unsigned char byte : bytes) {
                    text += digits[byte >> 4];
                    text += digits[byte & 0x0f];
                }
                break;
            }
            default:
                text = reg.ReadString(name);
                break;
            }
            strings.Add(name + '=' + text);
        }
    });
}

void TRegistryIniFile::EraseSection(const std::string& section)
{
    regIniFile_->EraseSection(section);
}

void TRegistryIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    regIniFile_->DeleteKey(section, ident);
}

void TRegistryIniFile::UpdateFile()
{
}

}  // namespace win
