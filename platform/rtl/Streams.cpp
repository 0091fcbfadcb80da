#include "platform/rtl/Streams.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <vector>

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

}  // namespace rtl
