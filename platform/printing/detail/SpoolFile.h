#pragma once
// A file of a job written under a temporary name beside its place and given its real name only when the
// job is complete; an abandoned one is removed. Names are in the system's form (UTF-8). Failures raise
// EPrintError (FileError): a missing folder ERROR_PATH_NOT_FOUND, a full disk ERROR_DISK_FULL.

#include <cstddef>
#include <cstdint>
#include <string>

namespace win::detail {

class SpoolFile {
public:
    // A new file in folder; mode 0600 keeps it to the user, 0666 leaves it to the umask.
    SpoolFile(const std::string& folder, unsigned mode);
    ~SpoolFile();
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    void Write(const void* bytes, std::size_t count);
    // Appends a copy of count bytes already written from offset.
    void Repeat(std::uint64_t offset, std::uint64_t count);
    std::uint64_t Size() const { return size_; }
    // Reads the whole file from the start, chunk by chunk.
    template <class Sink>
    void ReadAll(Sink sink) const;
    // Flushed to disk and renamed to path (replacing what was there); the file then stays.
    void Commit(const std::string& path);
    void Discard() noexcept;

private:
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;

    std::string name_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

template <class Sink>
void SpoolFile::ReadAll(Sink sink) const
{
    char buffer[65536];
    for (std::uint64_t offset = 0; offset < size_;) {
        const std::size_t got = ReadAt(offset, buffer, sizeof(buffer));
        sink(buffer, got);
        offset += got;
    }
}

}  // namespace win::detail
