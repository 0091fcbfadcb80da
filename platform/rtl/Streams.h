#pragma once
// Byte streams with 64-bit positions and sizes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

enum class SeekOrigin { Beginning, Current, End };

class TStream {
public:
    virtual ~TStream() = default;

    // Read and Write move up to count bytes and return how many moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;

    std::int64_t Position();
    void SetPosition(std::int64_t position);
    // Through Seek, so a stream that limits its end by overriding Seek limits its size too.
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size);

    // All-or-nothing forms: EReadError "Stream read error", EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source's position; count 0 copies the whole source from its start.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// TFileStream open modes: fmCreate, or one access mode combined with one share mode. fmShareCompat
// shares nothing, like fmShareExclusive.
constexpr std::uint16_t fmCreate = 0xFFFF;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

// A stream over a file descriptor, closed at the end only when the stream owns it. Seek returns -1 when
// the system refuses the position; SetSize leaves the position at the new size.
class THandleStream : public TStream {
public:
    explicit THandleStream(int handle, bool ownsHandle = false);
    ~THandleStream() override;
    THandleStream(const THandleStream&) = delete;
    THandleStream& operator=(const THandleStream&) = delete;

    int Handle() const { return handle_; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

private:
    int handle_;
    bool ownsHandle_;
};

// A named file. Share modes hold between the streams of this process and of other processes that open
// files through this class; a conflicting open raises EFOpenError (EFCreateError for fmCreate) and
// leaves the file untouched.
class TFileStream : public THandleStream {
public:
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;

    const std::string& FileName() const { return fileName_; }

private:
    struct OpenedFile {
        int handle;
        int shareLockHandle;
    };
    static OpenedFile OpenFile(const std::string& fileName, std::uint16_t mode);
    TFileStream(const std::string& fileName, OpenedFile file);

    int shareLockHandle_;
    std::string fileName_;
};

// A stream in memory. Seeking past the end is allowed; writing there extends the stream, the gap
// reading as zeros. Seek returns -1, without moving, only when the position would overflow.
class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    // Keeps the position unless it lies beyond the new size. A size the process cannot hold raises
    // EStreamError "Out of memory while expanding memory stream".
    void SetSize(std::int64_t size) override;

    char* Memory() { return data_.data(); }
    const char* Memory() const { return data_.data(); }
    void Clear();
    // Loading replaces the content with the whole of stream (read from its start) and keeps it
    // unchanged when reading fails.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    void Resize(std::int64_t size);

    std::vector<char> data_;
    std::int64_t position_ = 0;
};

// A stream over an 8-bit string. Positions stay within 0..size; writing inside the string overwrites
// and extends it only past its end.
class TStringStream : public TStream {
public:
    explicit TStringStream(std::string data = {});

    const std::string& DataString() const { return data_; }
    std::string ReadString(std::int64_t count);
    void WriteString(std::string_view text);

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

private:
    std::string data_;
    std::int64_t position_ = 0;
};

}  // namespace rtl
