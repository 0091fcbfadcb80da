#include "components/KitStore.h"

#include "platform/classes/Reflection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/registry/Registry.h"

namespace components {

const classes::TTypeInfo& RegistryRootType()
{
    static const classes::TTypeInfo type = classes::EnumType("TKitRegistryRoot", {"rrCurrentUser", "rrLocalMachine"});
    return type;
}

TKitRegistryStore::TKitRegistryStore(classes::TComponent* owner) : TKitAbstractStore(owner)
{
}

TKitRegistryStore::~TKitRegistryStore() = default;

const classes::TClassInfo& TKitRegistryStore::StaticClass()
{
    static const classes::TClassInfo info(
        "TKitRegistryStore", &TKitAbstractStore::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TKitRegistryStore>(c)
                .Property("KeyName", &TKitRegistryStore::KeyName, &TKitRegistryStore::SetKeyName)
                .Property("RegistryRoot", RegistryRootType(), &TKitRegistryStore::RegistryRoot,
                          &TKitRegistryStore::SetRegistryRoot)
                .Default(rrCurrentUser);
        });
    return info;
}

std::string TKitRegistryStore::KeyName() const
{
    if (keyName_.empty() && !HasState(classes::csDesigning))
        return "Software\\" + rtl::ChangeFileExt(rtl::ExtractFileName(rtl::ProgramFileName()), "");
    return keyName_;
}

void TKitRegistryStore::SetKeyName(const std::string& keyName)
{
    const size_t first = keyName.find_first_not_of('\\');
    if (first == std::string::npos)
        keyName_.clear();
    else
        keyName_ = keyName.substr(first, keyName.find_last_not_of('\\') - first + 1);
}

void TKitRegistryStore::OpenBackingStore()
{
    const std::string keyName = KeyName();
    auto backing = std::make_unique<win::TRegIniFile>(keyName);
    backing->CloseKey();
    backing->SetRootKey(registryRoot_ == rrLocalMachine ? win::HKEY_LOCAL_MACHINE : win::HKEY_CURRENT_USER);
    keyOpen_ = backing->OpenKey(keyName, true);
    backing_ = std::move(backing);
}

void TKitRegistryStore::CloseBackingStore()
{
    backing_.reset();
    keyOpen_ = false;
}

win::TRegIniFile& TKitRegistryStore::Backing()
{
    if (!backing_)
        throw rtl::EInvalidOperation("The settings store " + (Name().empty() ? std::string() : Name() + " ") +
                                     "is not open; settings are read and written only between Open and Close");
    return *backing_;
}

std::string TKitRegistryStore::ReadString(const std::string& section, const std::string& item,
                                          const std::string& defaultValue)
{
    win::TRegIniFile& backing = Backing();
    return keyOpen_ ? backing.ReadString(section, item, defaultValue) : defaultValue;
}

void TKitRegistryStore::WriteString(const std::string& section, const std::string& item, const std::string& value)
{
    win::TRegIniFile& backing = Backing();
    if (!keyOpen_)
        throw win::ERegistryException("Failed to create key " + KeyName());
    backing.WriteString(section, item, value);
}

void TKitRegistryStore::EraseSection(const std::string& section)
{
    win::TRegIniFile& backing = Backing();
    if (keyOpen_)
        backing.EraseSection(section);
}

}  // namespace components
