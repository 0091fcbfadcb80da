#include "platform/registry/Registry.h"

#include "platform/registry/detail/RegistryStore.h"
#include "platform/registry/detail/RegistryTree.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringList.h"
#include "platform/registry/RegistryStore.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace win {

using namespace detail;

namespace {

using Levels = std::vector<std::string>;

std::optional<RegistryRoot> DataRoot(HKEY root)
{
    if (root == HKEY_CURRENT_USER)
        return RegistryRoot::CurrentUser;
    if (root == HKEY_LOCAL_MACHINE)
        return RegistryRoot::LocalMachine;
    return std::nullopt;
}

// The key at levels, or nullptr; the read-only roots have only their root key, which has no data.
const RegistryKey* FindKey(const RegistryAccess& access, HKEY root, const Levels& levels)
{
    static const RegistryKey emptyRoot;
    if (std::optional<RegistryRoot> dataRoot = DataRoot(root))
        return access.Tree().Find(*dataRoot, levels);
    return levels.empty() ? &emptyRoot : nullptr;
}

const RegistryValue* FindValue(const RegistryAccess& access, HKEY root, const Levels& levels,
                               const std::string& name)
{
    const RegistryKey* key = FindKey(access, root, levels);
    return key ? key->FindValue(name) : nullptr;
}

std::string JoinLevels(const Levels& levels)
{
    std::string path;
    for (const std::string& level : levels) {
        if (!path.empty())
            path += '\\';
        path += level;
    }
    return path;
}

[[noreturn]] void RaiseInvalidType(const std::string& name)
{
    throw ERegistryException("Invalid data type for '" + name + "'");
}

[[noreturn]] void RaiseGetData(const std::string& name)
{
    throw ERegistryException("Failed to get data for '" + name + "'");
}

[[noreturn]] void RaiseCreateKey(const std::string& key)
{
    throw ERegistryException("Failed to create key " + key);
}

// The value of that name, which must exist and be of that type.
const RegistryValue& TypedValue(const RegistryAccess& access, HKEY root, const Levels& levels,
                                const std::string& name, RegistryValueType type)
{
    const RegistryValue* value = FindValue(access, root, levels, name);
    if (!value)
        RaiseGetData(name);
    if (value->type != type)
        RaiseInvalidType(name);
    return *value;
}

}  // namespace

// ---- TRegistry ----

TRegistry::TRegistry()
{
    OpenRegistryStore();
}

TRegistry::~TRegistry()
{
    CloseRegistryStore();
}

void TRegistry::SetRootKey(HKEY rootKey)
{
    CloseKey();
    rootKey_ = rootKey;
}

bool TRegistry::ResolveKey(const std::string& key, Levels& levels) const
{
    std::string_view rest = key;
    if (rest.starts_with('\\')) {
        levels.clear();
        rest.remove_prefix(1);
    } else {
        levels = currentLevels_;
    }
    // A trailing "\" names the same key; an empty level anywhere else is no key.
    if (rest.ends_with('\\'))
        rest.remove_suffix(1);
    if (rest.empty())
        return true;
    for (;;) {
        const size_t end = rest.find('\\');
        const std::string_view level = rest.substr(0, end);
        if (level.empty())
            return false;
        levels.emplace_back(level);
        if (end == std::string_view::npos)
            return true;
        rest.remove_prefix(end + 1);
    }
}

void TRegistry::SetCurrentKey(Levels levels, bool readOnly)
{
    currentPath_ = JoinLevels(levels);
    currentLevels_ = std::move(levels);
    readOnly_ = readOnly;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    Levels levels;
    if (!ResolveKey(key, levels))
        return false;
    {
        RegistryAccess access;
        if (!FindKey(access, rootKey_, levels)) {
            const std::optional<RegistryRoot> dataRoot = DataRoot(rootKey_);
            if (!canCreate || !dataRoot)
                return false;
            access.Apply({RegistryChange::Kind::CreateKey, *dataRoot, levels, {}});
        }
    }
    SetCurrentKey(std::move(levels), false);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    Levels levels;
    if (!ResolveKey(key, levels) || !FindKey(RegistryAccess(), rootKey_, levels))
        return false;
    SetCurrentKey(std::move(levels), true);
    return true;
}

void TRegistry::CloseKey()
{
    SetCurrentKey({}, false);
}

bool TRegistry::KeyExists(const std::string& key)
{
    Levels levels;
    return ResolveKey(key, levels) && FindKey(RegistryAccess(), rootKey_, levels);
}

bool TRegistry::CreateKey(const std::string& key)
{
    Levels levels;
    const std::optional<RegistryRoot> dataRoot = DataRoot(rootKey_);
    RegistryAccess access;
    if (!ResolveKey(key, levels) || (!dataRoot && !FindKey(access, rootKey_, levels)))
        RaiseCreateKey(key);
    if (dataRoot && !FindKey(access, rootKey_, levels))
        access.Apply({RegistryChange::Kind::CreateKey, *dataRoot, levels, {}});
    return true;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    // A key must name a level of its own: "" and "\" would delete the current key or the root.
    if (key.find_first_not_of('\\') == std::string::npos)
        return false;
    Levels levels;
    const std::optional<RegistryRoot> dataRoot = DataRoot(rootKey_);
    if (!ResolveKey(key, levels) || !dataRoot)
        return false;
    RegistryAccess access;
    if (!FindKey(access, rootKey_, levels))
        return false;
    access.Apply({RegistryChange::Kind::DeleteKey, *dataRoot, levels, {}});
    return true;
}

void TRegistry::GetKeyNames(rtl::TStrings& strings)
{
    strings.Clear();
    RegistryAccess access;
    if (const RegistryKey* key = FindKey(access, rootKey_, currentLevels_))
        for (const RegistryKey& subkey : key->subkeys)
            strings.Add(subkey.name);
}

void TRegistry::GetValueNames(rtl::TStrings& strings)
{
    strings.Clear();
    RegistryAccess access;
    if (const RegistryKey* key = FindKey(access, rootKey_, currentLevels_))
        for (const RegistryValue& value : key->values)
            strings.Add(value.name);
}

bool TRegistry::ValueExists(const std::string& name)
{
    return FindValue(RegistryAccess(), rootKey_, currentLevels_, name) != nullptr;
}

bool TRegistry::DeleteValue(const std::string& name)
{
    const std::optional<RegistryRoot> dataRoot = DataRoot(rootKey_);
    RegistryAccess access;
    if (readOnly_ || !dataRoot || !FindValue(access, rootKey_, currentLevels_, name))
        return false;
    access.Apply({RegistryChange::Kind::DeleteValue, *dataRoot, currentLevels_, {name, {}, {}}});
    return true;
}

TRegDataType TRegistry::GetDataType(const std::string& name)
{
    const RegistryValue* value = FindValue(RegistryAccess(), rootKey_, currentLevels_, name);
    if (!value)
        return rdUnknown;
    switch (value->type) {
    case RegistryValueType::String:
        return rdString;
    case RegistryValueType::DWord:
        return rdInteger;
    case RegistryValueType::Binary:
        return rdBinary;
    }
    return rdUnknown;
}

int TRegistry::GetDataSize(const std::string& name)
{
    const RegistryValue* value = FindValue(RegistryAccess(), rootKey_, currentLevels_, name);
    if (!value)
        return -1;
    return static_cast<int>(value->data.size()) + (value->type == RegistryValueType::String ? 1 : 0);
}

void TRegistry::WriteValue(const std::string& name, RegistryValueType type, std::string data)
{
    const std::optional<RegistryRoot> dataRoot = DataRoot(rootKey_);
    RegistryAccess access;
    if (readOnly_ || !dataRoot || !FindKey(access, rootKey_, currentLevels_))
        throw ERegistryException("Failed to set data for '" + name + "'");
    access.Apply({RegistryChange::Kind::SetValue, *dataRoot, currentLevels_, {name, type, std::move(data)}});
}

std::string TRegistry::ReadString(const std::string& name)
{
    RegistryAccess access;
    const RegistryValue* value = FindValue(access, rootKey_, currentLevels_, name);
    if (!value)
        return {};
    if (value->type != RegistryValueType::String)
        RaiseInvalidType(name);
    return value->data;
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    WriteValue(name, RegistryValueType::String, value);
}

int TRegistry::ReadInteger(const std::string& name)
{
    RegistryAccess access;
    const std::string& data = TypedValue(access, rootKey_, currentLevels_, name, RegistryValueType::DWord).data;
    std::uint32_t number = 0;
    for (size_t i = 4; i-- > 0;)
        number = number << 8 | static_cast<unsigned char>(data[i]);
    return static_cast<int>(number);
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    std::string data(4, '\0');
    const auto number = static_cast<std::uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        data[i] = static_cast<char>(number >> (8 * i));
    WriteValue(name, RegistryValueType::DWord, std::move(data));
}

bool TRegistry::ReadBool(const std::string& name)
{
    return ReadInteger(name) != 0;
}

void TRegistry::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int bufferSize)
{
    RegistryAccess access;
    const std::string& data = TypedValue(access, rootKey_, currentLevels_, name, RegistryValueType::Binary).data;
    if (data.size() > static_cast<size_t>(std::max(bufferSize, 0)))
        RaiseGetData(name);
    if (!data.empty())
        std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int bufferSize)
{
    WriteValue(name, RegistryValueType::Binary,
               bufferSize > 0 ? std::string(static_cast<const char*>(buffer), size_t(bufferSize)) : std::string());
}

bool TRegistry::WithKey(const std::string& key, bool create, const std::function<void()>& action)
{
    Levels levels;
    if (create)
        CreateKey(key);
    else if (!KeyExists(key))
        return false;
    ResolveKey(key, levels);

    struct Restore {
        TRegistry& registry;
        Levels levels;
        bool readOnly;
        ~Restore() { registry.SetCurrentKey(std::move(levels), readOnly); }
    } restore{*this, currentLevels_, readOnly_};
    SetCurrentKey(std::move(levels), false);
    action();
    return true;
}

// ---- TRegIniFile ----

TRegIniFile::TRegIniFile(const std::string& fileName) : fileName_(fileName)
{
    OpenKey(fileName, true);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue)
{
    std::string result = defaultValue;
    WithKey(section, false, [&] {
        if (ValueExists(ident))
            result = ReadString(ident);
    });
    return result;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    WithKey(section, true, [&] { WriteString(ident, value); });
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue)
{
    return rtl::StrToIntDef(ReadString(section, ident, std::string()), defaultValue);
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    WriteString(section, ident, std::to_string(value));
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue)
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

void TRegIniFile::ReadSection(const std::string& section, rtl::TStrings& strings)
{
    strings.Clear();
    WithKey(section, false, [&] { GetValueNames(strings); });
}

void TRegIniFile::ReadSections(rtl::TStrings& strings)
{
    GetKeyNames(strings);
}

void TRegIniFile::ReadSectionValues(const std::string& section, rtl::TStrings& strings)
{
    strings.Clear();
    WithKey(section, false, [&] {
        rtl::TStringList names;
        GetValueNames(names);
        for (int i = 0; i < names.Count(); ++i)
            strings.Add(names.Strings(i) + '=' + ReadString(names.Strings(i)));
    });
}

void TRegIniFile::EraseSection(const std::string& section)
{
    TRegistry::DeleteKey(section);
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    WithKey(section, false, [&] { DeleteValue(ident); });
}

}  // namespace win
