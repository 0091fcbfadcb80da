#pragma once
// What an HTTP transfer is built from: the login base class with its scrambled stored login, the proxy,
// range, timeout and file-attribute settings, and the output file stream.

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>

namespace classes {
class TFiler;
}

namespace update {

// --- the login ---

// HTTPUsername and HTTPPassword are published but stored only as the scrambled binary property
// "LInfo": a count byte N (1 + both lengths) and N bytes, each combined by exclusive-or with
// N ^ LoginScrambleKey, that hold the user name's length, the user name and the password.
class TupLoginComponent : public classes::TComponent {
public:
    static constexpr std::uint8_t LoginScrambleKey = 0xA7;
    // Together the two texts fit the count byte only up to this length; a longer login is not stored.
    static constexpr std::size_t MaxStoredLogin = 254;

    explicit TupLoginComponent(classes::TComponent* owner) : TComponent(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    const std::string& HTTPUsername() const { return username_; }
    void SetHTTPUsername(const std::string& value) { username_ = value; }
    const std::string& HTTPPassword() const { return password_; }
    void SetHTTPPassword(const std::string& value) { password_ = value; }

    void DefineProperties(classes::TFiler& filer) override;
    // Declares LInfo, stored while there is a login that fits it.
    void DeclareLoginInfo(classes::TFiler& filer);
    // A damaged block (shorter than its count, a count of 0, a user name longer than the block) leaves
    // both texts empty; it never stops the rest of the stored data from loading.
    void ReadLoginInfo(rtl::TStream& stream);
    void WriteLoginInfo(rtl::TStream& stream) const;

private:
    std::string username_;
    std::string password_;
};

// --- the settings objects ---

enum TupHTTPAccessType { atPreconfig, atDirect, atUseProxy };
const classes::TTypeInfo& HTTPAccessType();

class TupHTTPProxy : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // From nil: every default again.
    void Assign(const classes::TPersistent* source) override;

    TupHTTPAccessType AccessType = atPreconfig;
    std::int32_t ProxyPort = 8080;
    std::string ProxyServer;
    std::string ProxyBypass = "127.0.0.1;";
    std::string ProxyUsername;
    std::string ProxyPassword;

private:
    bool IsProxyStored() const { return AccessType == atUseProxy; }
};

class TupHTTPRange : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;

    std::uint32_t StartRange = 0;
    std::uint32_t EndRange = 0;
};

// Milliseconds; 0 leaves the system's value. SendTimeout is the longest a request body may stand
// still while it goes out, before any answer began.
class TupHTTPTimeouts : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;

    std::uint32_t ConnectTimeout = 0;
    std::uint32_t ReceiveTimeout = 0;
    std::uint32_t SendTimeout = 0;
};

enum TupFileAttribute { atrArchive, atrHidden, atrReadOnly, atrSystem, atrTemporary, atrOffline };
using TupFileAttributes = std::uint8_t;  // bit 1 << TupFileAttribute
constexpr TupFileAttributes FileAttributeBit(TupFileAttribute attribute)
{
    return TupFileAttributes(1u << attribute);
}
const classes::TTypeInfo& FileAttributesType();

class TupOutputFileAttributes : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;

    TupFileAttributes Complete = FileAttributeBit(atrArchive);
    TupFileAttributes Incomplete = FileAttributeBit(atrArchive) | FileAttributeBit(atrTemporary);
};

// Read-only takes the write permission away (and its absence gives the owner's back); the other
// attributes have no equivalent here. False when the file's permissions cannot be changed.
bool SetFileAttributeSet(const std::string& fileName, TupFileAttributes attributes);

// --- the output file ---

// A file opened for reading and writing: mode 0 keeps its content (creating it when missing), mode 1
// always makes it anew. With clearBlocking a read-only file is made writable to be opened and keeps its
// permissions after. EFCreateError "Cannot create file "%s". %s" when it cannot be opened.
class TupFileStream : public rtl::THandleStream {
public:
    TupFileStream(const std::string& fileName, int mode, bool clearBlocking);

    const std::string& FileName() const { return fileName_; }
    // Forces the written bytes to the disk; false when the system refuses.
    bool Flush();

private:
    static int Open(const std::string& fileName, int mode, bool clearBlocking);

    std::string fileName_;
};

}  // namespace update
