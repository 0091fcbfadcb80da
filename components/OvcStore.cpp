#include "components/OvcStore.h"

#include "platform/classes/Reflection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/registry/Registry.h"

namespace components {

const classes::TTypeInfo& OvcRegistryRootType()
{
    static const classes::TTypeInfo type = classes::EnumType("TOvcRegistryRoot", {"rrCurrentUser", "rrLocalMachine"});
    return type;
}

TOvcRegistryStore::TOvcRegistryStore(classes::TComponent* owner) : TOvcAbstractStore(owner)
{
}

TOvcRegistryStore::~TOvcRegistryStore() = default;

const classes::TClassInfo& TOvcRegistryStore::StaticClass()
{
    static const classes::TClassInfo info(
        "TOvcRegistryStore", &TOvcAbstractStore::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TOvcRegistryStore>(c)
                .Property("KeyName", &TOvcRegistryStore::KeyName, &TOvcRegistryStore::SetKeyName)
                .Property("RegistryRoot", OvcRegistryRootType(), &TOvcRegistryStore::RegistryRoot,
                          &TOvcRegistryStore::SetRegistryRoot)
                .Default(rrCurrentUser);
        });
    return info;
}

std::string TOvcRegistryStore::KeyName() const
{
    if (keyName_.empty() && !HasState(classes::csDesigning))
        return "Software\\" + rtl::ChangeFileExt(rtl::ExtractFileName(rtl::ProgramFileName()), "");
    return keyName_;
}

void TOvcRegistryStore::SetKeyName(const std::string& keyName)
{
    const size_t first = keyName.find_first_not_of('\\');
    if (first == std::string::npos)
        keyName_.clear();
    else
        keyName_ = keyName.substr(first, keyName.find_last_not_of('\\') - first + 1);
}

void TOvcRegistryStore::OpenBackingStore()
{
    const std::string keyName = KeyName();
    auto backing = std::make_unique<win::TRegIniFile>(keyName);
    backing->CloseKey();
    backing->SetRootKey(registryRoot_ == rrLocalMachine ? win::HKEY_LOCAL_MACHINE : win::HKEY_CURRENT_USER);
    keyOpen_ = backing->OpenKey(keyName, true);
    backing_ = std::move(backing);
}

void TOvcRegistryStore::CloseBackingStore()
{
    backing_.reset();
    keyOpen_ = false;
}

win::TRegIniFile& TOvcRegistryStore::Backing()
{
    if (!backing_)
        throw rtl::EInvalidOperation("The settings store " + (Name().empty() ? std::string() : Name() + " ") +
                                     "is not open; settings are read and written only between Open and Close");
    return *backing_;
}

std::string TOvcRegistryStore::ReadString(const std::string& section, const std::string& item,
                                          const std::string& defaultValue)
{
    win::TRegIniFile& backing = Backing();
    return keyOpen_ ? backing.ReadString(section, item, defaultValue) : defaultValue;
}

void TOvcRegistryStore::WriteString(const std::string& section, const std::string& item, const std::string& value)
{
    win::TRegIniFile& backing = Backing();
    if (!keyOpen_)
        throw win::ERegistryException("Failed to create key " + KeyName());
    backing.WriteString(section, item, value);
}

void TOvcRegistryStore::EraseSection(const std::string& section)
{
    win::TRegIniFile& backing = Backing();
    if (keyOpen_)
        backing.EraseSection(section);
}

}  // namespace components
