#include "platform/registry/detail/RegistryTree.h"

#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <utility>

namespace win {

using namespace detail;

namespace {

std::string Folded(std::string_view name)
{
    return rtl::AnsiUpperCase(name);
}

template <typename Keys>
auto FindKeyIn(Keys& keys, std::string_view name) -> decltype(&keys.front())
{
    const std::string folded = Folded(name);
    auto found = std::lower_bound(keys.begin(), keys.end(), folded,
                                  [](const RegistryKey& key, const std::string& n) { return Folded(key.name) < n; });
    return found != keys.end() && Folded(found->name) == folded ? &*found : nullptr;
}

}  // namespace

bool detail::SameRegistryName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && Folded(a) == Folded(b);
}

RegistryKey* RegistryKey::FindSubkey(std::string_view subkeyName)
{
    return FindKeyIn(subkeys, subkeyName);
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view subkeyName) const
{
    return FindKeyIn(subkeys, subkeyName);
}

RegistryKey& RegistryKey::AddSubkey(std::string_view subkeyName)
{
    if (RegistryKey* existing = FindSubkey(subkeyName))
        return *existing;
    const std::string folded = Folded(subkeyName);
    auto place = std::lower_bound(subkeys.begin(), subkeys.end(), folded,
                                  [](const RegistryKey& key, const std::string& n) { return Folded(key.name) < n; });
    return *subkeys.insert(place, RegistryKey{std::string(subkeyName), {}, {}});
}

bool RegistryKey::RemoveSubkey(std::string_view subkeyName)
{
    RegistryKey* found = FindSubkey(subkeyName);
    if (!found)
        return false;
    subkeys.erase(subkeys.begin() + (found - subkeys.data()));
    return true;
}

const RegistryValue* RegistryKey::FindValue(std::string_view valueName) const
{
    for (const RegistryValue& value : values)
        if (SameRegistryName(value.name, valueName))
            return &value;
    return nullptr;
}

void RegistryKey::SetValue(const RegistryValue& value)
{
    for (RegistryValue& existing : values)
        if (SameRegistryName(existing.name, value.name)) {
            existing.type = value.type;
            existing.data = value.data;
            return;
        }
    values.push_back(value);
}

bool RegistryKey::RemoveValue(std::string_view valueName)
{
    return std::erase_if(values, [&](const RegistryValue& v) { return SameRegistryName(v.name, valueName); }) > 0;
}

const char* detail::RegistryRootName(RegistryRoot root)
{
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

RegistryKey& RegistryTree::Root(RegistryRoot root)
{
    return root == RegistryRoot::CurrentUser ? currentUser : localMachine;
}

const RegistryKey& RegistryTree::Root(RegistryRoot root) const
{
    return root == RegistryRoot::CurrentUser ? currentUser : localMachine;
}

const RegistryKey* RegistryTree::Find(RegistryRoot root, const RegistryPath& path) const
{
    const RegistryKey* key = &Root(root);
    for (const std::string& name : path) {
        key = key->FindSubkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

RegistryKey* RegistryTree::Find(RegistryRoot root, const RegistryPath& path)
{
    return const_cast<RegistryKey*>(std::as_const(*this).Find(root, path));
}

RegistryKey& RegistryTree::Create(RegistryRoot root, const RegistryPath& path)
{
    RegistryKey* key = &Root(root);
    for (const std::string& name : path)
        key = &key->AddSubkey(name);
    return *key;
}

void detail::ApplyChange(RegistryTree& tree, const RegistryChange& change)
{
    switch (change.kind) {
    case RegistryChange::Kind::CreateKey:
        tree.Create(change.root, change.path);
        break;
    case RegistryChange::Kind::SetValue:
        tree.Create(change.root, change.path).SetValue(change.value);
        break;
    case RegistryChange::Kind::DeleteKey:
        if (!change.path.empty()) {
            RegistryPath parentPath(change.path.begin(), change.path.end() - 1);
            if (RegistryKey* parent = tree.Find(change.root, parentPath))
                parent->RemoveSubkey(change.path.back());
        }
        break;
    case RegistryChange::Kind::DeleteValue:
        if (RegistryKey* key = tree.Find(change.root, change.path))
            key->RemoveValue(change.value.name);
        break;
    }
}

}  // namespace win
