#include "report/rptGZip.h"

#include <zlib.h>

#include <array>

namespace report {

namespace {

constexpr std::size_t kTrailerSize = 8;  // the gzip CRC-32 and length, not used
constexpr unsigned char kFileNameFlag = 0x08;

[[noreturn]] void DataError()
{
    throw EZDecompressionError(ZLibErrorText(Z_DATA_ERROR));
}

}  // namespace

void rptCompressStream(rtl::TStream& source, rtl::TStream& target, TZCompressionLevel level)
{
    TZCompressionStream compressor(level, target);
    compressor.CopyFrom(source, 0);
    compressor.Finish();
}

std::string rptGZipDecompress(rtl::TStream& source, rtl::TStream& target)
{
    const std::int64_t size = source.Size() - source.Position();
    if (size < 0)
        DataError();
    std::string data(std::size_t(size), '\0');
    source.ReadBuffer(data.data(), size);

    // Header: magic, method, flags, modification time, extra flags, operating system, optional name.
    constexpr std::size_t kHeaderSize = 10;
    if (data.size() < kHeaderSize + kTrailerSize)
        DataError();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    if (byte(0) != 0x1F || byte(1) != 0x8B || byte(2) != 0x08)
        DataError();
    const std::string adler = data.substr(4, 4);
    std::size_t start = kHeaderSize;
    std::string fileName;
    if (byte(3) & kFileNameFlag) {
        const std::size_t end = data.find('\0', start);
        if (end == std::string::npos || end + 1 > data.size() - kTrailerSize)
            DataError();
        fileName = data.substr(start, end - start);
        start = end + 1;
    }

    // The deflate data becomes a zlib stream whose checksum is the modification-time field.
    std::string stream = "\x78\xDA";
    stream.append(data, start, data.size() - kTrailerSize - start);
    stream += adler;
    std::string unpacked;
    try {
        unpacked = ZDecompressBuffer(stream);
    } catch (const EZDecompressionError& e) {
        // The deflate data ending too soon is damaged data like any other.
        if (e.Message() == ZLibErrorText(Z_BUF_ERROR))
            DataError();
        throw;
    }
    target.WriteBuffer(unpacked.data(), std::int64_t(unpacked.size()));
    return fileName;
}

}  // namespace report
