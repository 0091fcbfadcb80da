#include "platform/rtl/Streams.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

std::int64_t TStream::Position()
{
    return Seek(0, SeekOrigin::Current);
}

void TStream::SetPosition(std::int64_t position)
{
    Seek(position, SeekOrigin::Beginning);
}

std::int64_t TStream::Size()
{
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, SeekOrigin::End);
    Seek(position, SeekOrigin::Beginning);
    return size;
}

void TStream::SetSize(std::int64_t)
{
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr std::int64_t chunk = 61440;
    std::vector<char> buffer(size_t(std::min(count, chunk)));
    for (std::int64_t left = count; left > 0;) {
        const std::int64_t n = std::min(left, chunk);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

namespace {

// No process can address more than this (the x86-64 user address space), so larger sizes are refused
// before the allocator is asked.
constexpr std::int64_t kMaxMemorySize = std::int64_t(1) << 47;
// Kernel calls move at most about 2 GiB at once.
constexpr std::int64_t kMaxTransfer = std::int64_t(1) << 30;

void CheckNewSize(std::int64_t size)
{
    if (size < 0)
        throw EInvalidArgument("Invalid stream size " + std::to_string(size));
    if (size > kMaxMemorySize)
        throw EStreamError("Out of memory while expanding memory stream");
}

// The end of a write of count bytes at position, refused when it could never be held in memory.
std::int64_t WriteEnd(std::int64_t position, std::int64_t count)
{
    if (count > kMaxMemorySize - position)
        throw EStreamError("Out of memory while expanding memory stream");
    return position + count;
}

// base + offset, clamped to 0..size without overflowing.
std::int64_t ClampedPosition(std::int64_t base, std::int64_t offset, std::int64_t size)
{
    if (offset > size - base)
        return size;
    if (offset < -base)
        return 0;
    return base + offset;
}

// Moves count bytes through call(done, n), a read or write of n bytes after the first done, in pieces
// the kernel accepts and past interruptions; stops at the end of the file or an error. Answers the bytes
// moved.
template <typename Call>
std::int64_t Transfer(std::int64_t count, Call call)
{
    std::int64_t total = 0;
    while (total < count) {
        const ssize_t n = call(total, size_t(std::min(count - total, kMaxTransfer)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

int Whence(SeekOrigin origin)
{
    switch (origin) {
    case SeekOrigin::Beginning:
        return SEEK_SET;
    case SeekOrigin::Current:
        return SEEK_CUR;
    case SeekOrigin::End:
        break;
    }
    return SEEK_END;
}

// Share modes between open streams are kept as OFD byte-range locks on marker bytes far beyond any
// real content: every open holds a shared lock on the marks that describe it (its access and what it
// denies), and a new open conflicts when a mark it must not meet is held by another open file.
// The marks are taken before the check, so two conflicting opens racing each other both fail rather
// than both succeeding. Locks are advisory: programs that do not use them are not held back.
constexpr off_t kShareMarkBase = off_t(0x7FFF'FFFF'0000'0000);

enum ShareMark { HasRead, HasWrite, DeniesRead, DeniesWrite };

struct ShareRequest {
    bool read;
    bool write;
    bool denyRead;
    bool denyWrite;
};

struct flock MarkLock(short type, ShareMark mark)
{
    struct flock lock{};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kShareMarkBase + mark;
    lock.l_len = 1;
    return lock;
}

bool MarkHeldElsewhere(int handle, ShareMark mark)
{
    struct flock lock = MarkLock(F_WRLCK, mark);
    return ::fcntl(handle, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// True when another open of the file forbids this request. A file system without byte-range locks
// grants everything.
bool ShareConflict(int handle, const ShareRequest& request)
{
    const std::pair<bool, ShareMark> marks[] = {{request.read, HasRead},
                                                {request.write, HasWrite},
                                                {request.denyRead, DeniesRead},
                                                {request.denyWrite, DeniesWrite}};
    for (const auto& [wanted, mark] : marks) {
        struct flock lock = MarkLock(F_RDLCK, mark);
        if (wanted && ::fcntl(handle, F_OFD_SETLK, &lock) != 0)
            return false;
    }
    return (request.read && MarkHeldElsewhere(handle, DeniesRead)) ||
           (request.write && MarkHeldElsewhere(handle, DeniesWrite)) ||
           (request.denyRead && MarkHeldElsewhere(handle, HasRead)) ||
           (request.denyWrite && MarkHeldElsewhere(handle, HasWrite));
}

[[noreturn]] void RaiseFileError(const std::string& fileName, bool create, const std::string& reason)
{
    std::string shownName = fileName;
    try {
        shownName = ExpandFileName(fileName);
    } catch (const Exception&) {
        // The name as given still identifies the file.
    }
    const std::string message =
        std::string(create ? "Cannot create file \"" : "Cannot open file \"") + shownName + "\". " + reason;
    if (create)
        throw EFCreateError(message);
    throw EFOpenError(message);
}

}  // namespace

THandleStream::THandleStream(int handle, bool ownsHandle) : handle_(handle), ownsHandle_(ownsHandle)
{
}

THandleStream::~THandleStream()
{
    if (ownsHandle_ && handle_ >= 0)
        ::close(handle_);
}

std::int64_t THandleStream::Read(void* buffer, std::int64_t count)
{
    return Transfer(count, [&](std::int64_t done, size_t n) {
        return ::read(handle_, static_cast<char*>(buffer) + done, n);
    });
}

std::int64_t THandleStream::Write(const void* buffer, std::int64_t count)
{
    return Transfer(count, [&](std::int64_t done, size_t n) {
        return ::write(handle_, static_cast<const char*>(buffer) + done, n);
    });
}

std::int64_t THandleStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    return ::lseek(handle_, offset, Whence(origin));
}

void THandleStream::SetSize(std::int64_t size)
{
    if (::ftruncate(handle_, size) != 0)
        RaiseLastOSError(errno);
    Seek(size, SeekOrigin::Beginning);
}

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode)
    : TFileStream(fileName, OpenFile(fileName, mode))
{
}

TFileStream::OpenedFile TFileStream::OpenFile(const std::string& fileName, std::uint16_t mode)
{
    const bool create = mode == fmCreate;
    const int access = create ? 2 : mode & 0x0F;
    const int share = create ? 0 : (mode & 0xF0) >> 4;
    if (access > 2 || share > 4 || (!create && (mode & ~0xFF) != 0))
        RaiseFileError(fileName, create, "Invalid open mode " + std::to_string(mode));

    // Not waiting on a FIFO: it is refused below, with any other file that is not a regular one.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (access == 0 ? O_RDONLY : access == 1 ? O_WRONLY : O_RDWR);
    if (create)
        flags |= O_CREAT;  // emptied only once the share check has passed
    OpenedFile file{::open(OsFileName(fileName).c_str(), flags, 0666), -1};
    if (file.handle < 0)
        RaiseFileError(fileName, create, SysErrorMessage(errno));
    const auto fail = [&](const std::string& reason) {
        if (file.shareLockHandle != file.handle && file.shareLockHandle >= 0)
            ::close(file.shareLockHandle);
        ::close(file.handle);
        RaiseFileError(fileName, create, reason);
    };
    struct stat st;
    if (::fstat(file.handle, &st) != 0)
        fail(SysErrorMessage(errno));
    if (S_ISDIR(st.st_mode))
        fail(SysErrorMessage(EISDIR));
    if (!S_ISREG(st.st_mode))
        fail(SysErrorMessage(ErrorNotRegularFile));
    if (::fcntl(file.handle, F_SETFL, ::fcntl(file.handle, F_GETFL) & ~O_NONBLOCK) != 0)
        fail(SysErrorMessage(errno));

    // Shared locks need a readable descriptor: a write-only stream takes them on a second one, opened
    // on the same file. Where even that is not allowed, its share mode is not kept.
    file.shareLockHandle = file.handle;
    if (access == 1) {
        const std::string self = "/proc/self/fd/" + std::to_string(file.handle);
        file.shareLockHandle = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
    }
    const bool denyRead = share == 0 || share == 1 || share == 3;
    const bool denyWrite = share == 0 || share == 1 || share == 2;
    const ShareRequest request{access != 1, access != 0, denyRead, denyWrite};
    if (file.shareLockHandle >= 0 && ShareConflict(file.shareLockHandle, request))
        fail("The file is in use by another stream or program.");
    if (create && ::ftruncate(file.handle, 0) != 0)
        fail(SysErrorMessage(errno));
    if (file.shareLockHandle == file.handle)
        file.shareLockHandle = -1;
    return file;
}

TFileStream::TFileStream(const std::string& fileName, OpenedFile file)
    : THandleStream(file.handle, true), shareLockHandle_(file.shareLockHandle), fileName_(fileName)
{
}

TFileStream::~TFileStream()
{
    if (shareLockHandle_ >= 0)
        ::close(shareLockHandle_);
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t size = std::int64_t(data_.size());
    if (position_ < 0 || count <= 0 || position_ >= size)
        return 0;
    const std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, size_t(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (position_ < 0 || count <= 0)
        return 0;
    const std::int64_t end = WriteEnd(position_, count);
    if (end > std::int64_t(data_.size()))
        Resize(end);
    std::memcpy(data_.data() + position_, buffer, size_t(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current)
        base = position_;
    else if (origin == SeekOrigin::End)
        base = std::int64_t(data_.size());
    std::int64_t position;
    if (__builtin_add_overflow(base, offset, &position))
        return -1;
    position_ = position;
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    Resize(size);
    position_ = std::min(position_, size);
}

void TMemoryStream::Resize(std::int64_t size)
{
    CheckNewSize(size);
    try {
        data_.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    const std::int64_t size = stream.Size();
    TMemoryStream loaded;
    loaded.Resize(size);
    stream.ReadBuffer(loaded.data_.data(), size);
    data_.swap(loaded.data_);
    position_ = std::min(position_, size);
}

void TMemoryStream::SaveToStream(TStream& stream)
{
    stream.WriteBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    WriteFileAtomically(fileName, std::string_view(Memory(), size_t(Size())));
}

TStringStream::TStringStream(std::string data) : data_(std::move(data))
{
}

std::string TStringStream::ReadString(std::int64_t count)
{
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::int64_t(data_.size()) - position_);
    std::string result = data_.substr(size_t(position_), size_t(n));
    position_ += n;
    return result;
}

void TStringStream::WriteString(std::string_view text)
{
    Write(text.data(), std::int64_t(text.size()));
}

std::int64_t TStringStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::int64_t(data_.size()) - position_);
    if (n == 0)
        return 0;
    std::memcpy(buffer, data_.data() + position_, size_t(n));
    position_ += n;
    return n;
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const std::int64_t end = WriteEnd(position_, count);
    if (end > std::int64_t(data_.size()))
        data_.resize(size_t(end));
    std::memcpy(data_.data() + position_, buffer, size_t(count));
    position_ = end;
    return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const std::int64_t size = std::int64_t(data_.size());
    const std::int64_t base = origin == SeekOrigin::Beginning ? 0 : origin == SeekOrigin::Current ? position_ : size;
    position_ = ClampedPosition(base, offset, size);
    return position_;
}

void TStringStream::SetSize(std::int64_t size)
{
    CheckNewSize(size);
    data_.resize(size_t(size));
    position_ = std::min(position_, size);
}

}  // namespace rtl
