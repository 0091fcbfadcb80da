#pragma once
// The registry's contents in memory: keys holding subkeys and named values. Key and value names match
// without regard to case and keep the spelling they were first given. Only the current user's and the
// local machine's roots hold data; the other roots are empty and read-only, so they have no tree.

#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

enum class RegistryValueType { String, DWord, Binary };

struct RegistryValue {
    std::string name;
    RegistryValueType type = RegistryValueType::String;
    // The value's bytes; a DWORD is four bytes, least significant first.
    std::string data;
};

struct RegistryKey {
    std::string name;
    std::vector<RegistryKey> subkeys;   // ordered by name without regard to case
    std::vector<RegistryValue> values;  // in the order they were first written

    RegistryKey* FindSubkey(std::string_view subkeyName);
    const RegistryKey* FindSubkey(std::string_view subkeyName) const;
    // The subkey of that name, created with this spelling when missing.
    RegistryKey& AddSubkey(std::string_view subkeyName);
    bool RemoveSubkey(std::string_view subkeyName);

    const RegistryValue* FindValue(std::string_view valueName) const;
    // Replaces the value of that name (keeping its place and spelling) or appends it.
    void SetValue(const RegistryValue& value);
    bool RemoveValue(std::string_view valueName);
};

// Names compare as the registry compares them: by their upper-case forms.
bool SameRegistryName(std::string_view a, std::string_view b);

enum class RegistryRoot { CurrentUser, LocalMachine };
const char* RegistryRootName(RegistryRoot root);

// A key's place below its root, one name per level; empty for the root itself.
using RegistryPath = std::vector<std::string>;

struct RegistryTree {
    RegistryKey currentUser{"HKEY_CURRENT_USER", {}, {}};
    RegistryKey localMachine{"HKEY_LOCAL_MACHINE", {}, {}};

    RegistryKey& Root(RegistryRoot root);
    const RegistryKey& Root(RegistryRoot root) const;
    // The key at path, or nullptr when a level is missing.
    const RegistryKey* Find(RegistryRoot root, const RegistryPath& path) const;
    RegistryKey* Find(RegistryRoot root, const RegistryPath& path);
    // The key at path, creating every missing level.
    RegistryKey& Create(RegistryRoot root, const RegistryPath& path);
};

// One change made by this process. The store keeps the changes made since the file was last read, so it
// can replay them over a newer file that another running copy wrote in the meantime.
struct RegistryChange {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind;
    RegistryRoot root;
    RegistryPath path;
    RegistryValue value;  // the value for SetValue; only its name for DeleteValue
};

// Applies a change; setting a value creates its key when missing, deleting what is missing does nothing.
void ApplyChange(RegistryTree& tree, const RegistryChange& change);

}  // namespace win::detail
