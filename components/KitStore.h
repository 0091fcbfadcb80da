#pragma once
// Settings kept in the registry: the store's key is KeyName below the chosen root, a section is a
// subkey of it and an item a string value of that subkey. Errors of the registry pass through with
// its messages ("Invalid data type for '%s'", "Failed to create key %s", "Failed to set data for '%s'").

#include "components/KitFiler.h"

#include <memory>
#include <string>

namespace win {
class TRegIniFile;
}

namespace components {

enum TKitRegistryRoot { rrCurrentUser, rrLocalMachine };

const classes::TTypeInfo& RegistryRootType();

class TKitRegistryStore : public TKitAbstractStore {
public:
    explicit TKitRegistryStore(classes::TComponent* owner);
    // Releases the key of a store still open, so that what it wrote reaches the settings file.
    ~TKitRegistryStore() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The key path; when none was given, "Software\" and the program file's name without folder and
    // extension (empty while designing).
    std::string KeyName() const;
    // Kept without leading and trailing backslashes; those inside the path stay.
    void SetKeyName(const std::string& keyName);
    TKitRegistryRoot RegistryRoot() const { return registryRoot_; }
    // Takes effect at the next first Open.
    void SetRegistryRoot(TKitRegistryRoot root) { registryRoot_ = root; }

    // These raise EInvalidOperation while the store is not open. When the store's key could be neither
    // opened nor created, reads give their default, writes raise "Failed to create key %s" (rather
    // than landing elsewhere) and erasing does nothing.
    std::string ReadString(const std::string& section, const std::string& item,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& item, const std::string& value) override;
    void EraseSection(const std::string& section) override;

protected:
    // Creates the key below the current user's root (as the registry INI object always does), then
    // opens it, creating it when missing, below the chosen root. A key that cannot be opened is not
    // reported here.
    void OpenBackingStore() override;
    void CloseBackingStore() override;

private:
    win::TRegIniFile& Backing();

    std::string keyName_;
    TKitRegistryRoot registryRoot_ = rrCurrentUser;
    std::unique_ptr<win::TRegIniFile> backing_;
    bool keyOpen_ = false;
};

}  // namespace components
