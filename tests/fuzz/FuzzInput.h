#pragma once
// What the fuzz targets share: a broken invariant stops the run where the fuzzer sees it, and the input
// is read byte by byte, giving zeros once it runs out.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz
