#pragma once
// The registry as the class library shows it: TRegistry opens keys below a root and reads and writes
// typed values; TRegIniFile reads and writes values by section (a subkey) and name. Key paths use "\"
// between levels; a path starting with "\" starts at the root, any other path at the current key (or at
// the root when no key is open). Names match without regard to case and keep their first spelling.
// Names and data are ANSI strings of any bytes. Every object is an open store of the process's one
// registry tree (RegistryStore.h), which reaches the file when the last of them is destroyed.

#include "platform/rtl/Exceptions.h"
#include "platform/registry/detail/RegistryTree.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rtl {
class TStrings;
}

namespace win {

class TRegistryIniFile;

using HKEY = std::uint32_t;

// Only the current user's and the local machine's roots hold data; the others are empty and read-only.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006;

class ERegistryException : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "ERegistryException"; }
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
    TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    virtual ~TRegistry();

    HKEY RootKey() const { return rootKey_; }
    // Closes the current key.
    void SetRootKey(HKEY rootKey);
    // The open key's path below the root, without a leading "\"; empty when no key is open.
    const std::string& CurrentPath() const { return currentPath_; }
    // Accepted for callers that set it; changes always wait for the outermost store to close.
    bool LazyWrite() const { return lazyWrite_; }
    void SetLazyWrite(bool lazyWrite) { lazyWrite_ = lazyWrite; }

    // Makes key the current key; with canCreate, a missing key is created with every missing level.
    // False (and the current key unchanged) when the key is missing or cannot be created.
    bool OpenKey(const std::string& key, bool canCreate);
    // As OpenKey without creating; writes through the key then fail.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    // Creates key with every missing level; raises "Failed to create key %s" when it cannot.
    bool CreateKey(const std::string& key);
    // Deletes key with everything below it; false when it is missing or cannot be deleted, and for a key
    // that names no level ("", "\").
    bool DeleteKey(const std::string& key);

    // Both empty the list first. Subkeys come in order of their names, values in the order they were
    // first written.
    void GetKeyNames(rtl::TStrings& strings);
    void GetValueNames(rtl::TStrings& strings);
    bool ValueExists(const std::string& name);
    bool DeleteValue(const std::string& name);
    // rdUnknown for a missing value.
    TRegDataType GetDataType(const std::string& name);
    // The value's size in bytes (a string's with its terminating zero); -1 for a missing value.
    int GetDataSize(const std::string& name);

    // Reads raise "Invalid data type for '%s'" when the value holds another type. A missing string reads
    // as ""; a missing integer or binary value raises "Failed to get data for '%s'". Writes raise
    // "Failed to set data for '%s'" when the key is read-only or gone.
    std::string ReadString(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    int ReadInteger(const std::string& name);
    void WriteInteger(const std::string& name, int value);
    bool ReadBool(const std::string& name);
    void WriteBool(const std::string& name, bool value);
    // Copies the value into buffer and returns its size; raises "Failed to get data for '%s'" when the
    // value does not fit.
    int ReadBinaryData(const std::string& name, void* buffer, int bufferSize);
    void WriteBinaryData(const std::string& name, const void* buffer, int bufferSize);

protected:
    // Runs action with key (relative to the current key, or from the root) as the current key, then
    // returns to the current key. False, without running it, when the key is missing; with create a
    // missing key is created, and "Failed to create key %s" raised when it cannot be.
    bool WithKey(const std::string& key, bool create, const std::function<void()>& action);

private:
    friend class TRegistryIniFile;

    bool ResolveKey(const std::string& key, std::vector<std::string>& levels) const;
    void SetCurrentKey(std::vector<std::string> levels, bool readOnly);
    void WriteValue(const std::string& name, detail::RegistryValueType type, std::string data);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    bool readOnly_ = false;
    bool lazyWrite_ = true;
    std::vector<std::string> currentLevels_;
    std::string currentPath_;
};

// Sections are subkeys of the current key (a section starting with "\" is a path from the root);
// every value is kept as text: integers in decimal, booleans as "1" and "0".
class TRegIniFile : public TRegistry {
public:
    // Opens fileName below HKEY_CURRENT_USER, creating it when missing.
    explicit TRegIniFile(const std::string& fileName);

    const std::string& FileName() const { return fileName_; }

    using TRegistry::DeleteKey;
    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    // A missing section or value gives the default; a value that is not text raises "Invalid data type".
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue);
    // Creates the section when missing: "Failed to create key %s" when it cannot.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    // A text that is not a decimal 32-bit number gives the default.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    // Any number but 0 is true.
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    // These empty the list first: the value names of a section, the sections (subkeys of the current
    // key), "Name=Value" lines.
    void ReadSection(const std::string& section, rtl::TStrings& strings);
    void ReadSections(rtl::TStrings& strings);
    void ReadSectionValues(const std::string& section, rtl::TStrings& strings);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);

private:
    std::string fileName_;
};

}  // namespace win
