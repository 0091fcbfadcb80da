#include "update/upHTTPSettings.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace update {

// --- TupLoginComponent ---

const classes::TClassInfo& TupLoginComponent::StaticClass()
{
    static const classes::TClassInfo info("TupLoginComponent", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupLoginComponent>(c)
            .Property("HTTPUsername", &TupLoginComponent::HTTPUsername, &TupLoginComponent::SetHTTPUsername)
            .Stored(false)
            .Property("HTTPPassword", &TupLoginComponent::HTTPPassword, &TupLoginComponent::SetHTTPPassword)
            .Stored(false);
    });
    return info;
}

void TupLoginComponent::DefineProperties(classes::TFiler& filer)
{
    TComponent::DefineProperties(filer);
    DeclareLoginInfo(filer);
}

void TupLoginComponent::DeclareLoginInfo(classes::TFiler& filer)
{
    const std::size_t length = username_.size() + password_.size();
    filer.DefineBinaryProperty(
        "LInfo", [this](rtl::TStream& stream) { ReadLoginInfo(stream); },
        [this](rtl::TStream& stream) { WriteLoginInfo(stream); }, length > 0 && length <= MaxStoredLogin);
}

void TupLoginComponent::ReadLoginInfo(rtl::TStream& stream)
{
    username_.clear();
    password_.clear();
    std::uint8_t count = 0;
    if (stream.Read(&count, 1) != 1 || count == 0)
        return;
    std::vector<std::uint8_t> block(count);
    if (stream.Read(block.data(), count) != count)
        return;
    const std::uint8_t key = count ^ LoginScrambleKey;
    for (std::uint8_t& byte : block)
        byte ^= key;
    const std::size_t userLength = block[0];
    if (userLength > block.size() - 1)
        return;
    username_.assign(block.begin() + 1, block.begin() + 1 + std::ptrdiff_t(userLength));
    password_.assign(block.begin() + 1 + std::ptrdiff_t(userLength), block.end());
}

void TupLoginComponent::WriteLoginInfo(rtl::TStream& stream) const
{
    const std::size_t length = username_.size() + password_.size();
    if (length > MaxStoredLogin)
        return;
    const auto count = std::uint8_t(1 + length);
    std::vector<std::uint8_t> block;
    block.reserve(count + 1u);
    block.push_back(count);
    block.push_back(std::uint8_t(username_.size()));
    block.insert(block.end(), username_.begin(), username_.end());
    block.insert(block.end(), password_.begin(), password_.end());
    const std::uint8_t key = count ^ LoginScrambleKey;
    for (std::size_t at = 1; at < block.size(); ++at)
        block[at] ^= key;
    stream.WriteBuffer(block.data(), std::int64_t(block.size()));
}

// --- the settings objects ---

const classes::TTypeInfo& HTTPAccessType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TupHTTPAccessType", {"atPreconfig", "atDirect", "atUseProxy"});
    return type;
}

const classes::TTypeInfo& FileAttributesType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TupFileAttribute", {"atrArchive", "atrHidden", "atrReadOnly", "atrSystem", "atrTemporary", "atrOffline"});
    static const classes::TTypeInfo type = classes::SetType("TupFileAttributes", element);
    return type;
}

const classes::TClassInfo& TupHTTPProxy::StaticClass()
{
    static const classes::TClassInfo info("TupHTTPProxy", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupHTTPProxy>(c)
            .Property("AccessType", HTTPAccessType(), &TupHTTPProxy::AccessType)
            .Default(atPreconfig)
            .Property("ProxyPort", &TupHTTPProxy::ProxyPort)
            .Default(8080)
            .Property("ProxyServer", &TupHTTPProxy::ProxyServer)
            .Stored(&TupHTTPProxy::IsProxyStored)
            .Property("ProxyBypass", &TupHTTPProxy::ProxyBypass)
            .Stored(&TupHTTPProxy::IsProxyStored)
            .Property("ProxyUsername", &TupHTTPProxy::ProxyUsername)
            .Property("ProxyPassword", &TupHTTPProxy::ProxyPassword);
    });
    return info;
}

void TupHTTPProxy::Assign(const classes::TPersistent* source)
{
    static const TupHTTPProxy defaults;
    if (const auto* proxy = source ? dynamic_cast<const TupHTTPProxy*>(source) : &defaults) {
        AccessType = proxy->AccessType;
        ProxyPort = proxy->ProxyPort;
        ProxyServer = proxy->ProxyServer;
        ProxyBypass = proxy->ProxyBypass;
        ProxyUsername = proxy->ProxyUsername;
        ProxyPassword = proxy->ProxyPassword;
    } else {
        TPersistent::Assign(source);
    }
}

const classes::TClassInfo& TupHTTPRange::StaticClass()
{
    static const classes::TClassInfo info("TupHTTPRange", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupHTTPRange>(c)
            .Property("StartRange", &TupHTTPRange::StartRange)
            .Default(0)
            .Property("EndRange", &TupHTTPRange::EndRange)
            .Default(0);
    });
    return info;
}

void TupHTTPRange::Assign(const classes::TPersistent* source)
{
    if (!source) {
        StartRange = EndRange = 0;
    } else if (const auto* range = dynamic_cast<const TupHTTPRange*>(source)) {
        StartRange = range->StartRange;
        EndRange = range->EndRange;
    } else {
        TPersistent::Assign(source);
    }
}

const classes::TClassInfo& TupHTTPTimeouts::StaticClass()
{
    static const classes::TClassInfo info("TupHTTPTimeouts", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupHTTPTimeouts>(c)
            .Property("ConnectTimeout", &TupHTTPTimeouts::ConnectTimeout)
            .Default(0)
            .Property("ReceiveTimeout", &TupHTTPTimeouts::ReceiveTimeout)
            .Default(0)
            .Property("SendTimeout", &TupHTTPTimeouts::SendTimeout)
            .Default(0);
    });
    return info;
}

void TupHTTPTimeouts::Assign(const classes::TPersistent* source)
{
    if (!source) {
        ConnectTimeout = ReceiveTimeout = SendTimeout = 0;
    } else if (const auto* timeouts = dynamic_cast<const TupHTTPTimeouts*>(source)) {
        ConnectTimeout = timeouts->ConnectTimeout;
        ReceiveTimeout = timeouts->ReceiveTimeout;
        SendTimeout = timeouts->SendTimeout;
    } else {
        TPersistent::Assign(source);
    }
}

const classes::TClassInfo& TupOutputFileAttributes::StaticClass()
{
    static const classes::TClassInfo info(
        "TupOutputFileAttributes", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TupOutputFileAttributes>(c)
                .Property("Complete", FileAttributesType(), &TupOutputFileAttributes::Complete)
                .Default(FileAttributeBit(atrArchive))
                .Property("Incomplete", FileAttributesType(), &TupOutputFileAttributes::Incomplete)
                .Default(FileAttributeBit(atrArchive) | FileAttributeBit(atrTemporary));
        });
    return info;
}

void TupOutputFileAttributes::Assign(const classes::TPersistent* source)
{
    static const TupOutputFileAttributes defaults;
    if (const auto* attributes = source ? dynamic_cast<const TupOutputFileAttributes*>(source) : &defaults) {
        Complete = attributes->Complete;
        Incomplete = attributes->Incomplete;
    } else {
        TPersistent::Assign(source);
    }
}

bool SetFileAttributeSet(const std::string& fileName, TupFileAttributes attributes)
{
    std::string osName;
    try {
        osName = rtl::OsFileName(fileName);
    } catch (const rtl::Exception&) {
        return false;
    }
    struct stat status{};
    if (stat(osName.c_str(), &status) != 0)
        return false;
    mode_t mode = status.st_mode & 07777;
    if (attributes & FileAttributeBit(atrReadOnly))
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    return chmod(osName.c_str(), mode) == 0;
}

// --- TupFileStream ---

TupFileStream::TupFileStream(const std::string& fileName, int mode, bool clearBlocking)
    : THandleStream(Open(fileName, mode, clearBlocking), true), fileName_(fileName)
{
}

int TupFileStream::Open(const std::string& fileName, int mode, bool clearBlocking)
{
    auto fail = [&](int error) -> int {
        throw rtl::EFCreateError("Cannot create file \"" + rtl::ExpandFileName(fileName) + "\". "
                                 + rtl::SysErrorMessage(error));
    };
    std::string osName;
    try {
        osName = rtl::OsFileName(fileName);
    } catch (const rtl::Exception&) {
        return fail(EILSEQ);
    }
    struct stat status{};
    const bool blocked = clearBlocking && stat(osName.c_str(), &status) == 0 && S_ISREG(status.st_mode)
                         && (status.st_mode & S_IWUSR) == 0;
    if (blocked)
        chmod(osName.c_str(), (status.st_mode & 07777) | S_IWUSR);
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (mode == 1 ? O_TRUNC : 0);
    const int handle = open(osName.c_str(), flags, 0666);
    const int error = errno;
    if (blocked)
        chmod(osName.c_str(), status.st_mode & 07777);
    if (handle < 0)
        return fail(error);
    return handle;
}

bool TupFileStream::Flush()
{
    return fsync(Handle()) == 0;
}

}  // namespace update
