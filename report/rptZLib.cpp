#include "report/rptZLib.h"

#include <zlib.h>

#include <array>
#include <limits>

namespace report {

namespace {

constexpr std::size_t kBlockSize = 65536;
constexpr const char* kInvalidOperation = "Invalid ZStream operation!";

// Raises the error class's exception for a negative zlib result; passes the others through.
template <class Error>
int Check(int code)
{
    if (code < 0)
        throw Error(ZLibErrorText(code));
    return code;
}

int LevelOf(TZCompressionLevel level)
{
    switch (level) {
    case TZCompressionLevel::zcNone: return Z_NO_COMPRESSION;
    case TZCompressionLevel::zcFastest: return Z_BEST_SPEED;
    case TZCompressionLevel::zcDefault: return Z_DEFAULT_COMPRESSION;
    case TZCompressionLevel::zcMax: return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

}  // namespace

struct TCustomZStream::State {
    z_stream zs{};
    std::array<Bytef, kBlockSize> buffer;
    std::int64_t totalIn = 0;
    bool started = false;
};

std::string ZLibErrorText(int code)
{
    return zError(code);
}

TCustomZStream::TCustomZStream(rtl::TStream& target)
    : target_(target), targetPosition_(target.Position()), state_(std::make_unique<State>())
{
    state_->zs.next_out = state_->buffer.data();
    state_->zs.avail_out = kBlockSize;
}

TCustomZStream::~TCustomZStream() = default;

void TCustomZStream::Progress()
{
    if (OnProgress)
        OnProgress(this);
}

TZCompressionStream::TZCompressionStream(TZCompressionLevel level, rtl::TStream& target) : TCustomZStream(target)
{
    Check<EZCompressionError>(deflateInit(&state_->zs, LevelOf(level)));
    state_->started = true;
}

TZCompressionStream::~TZCompressionStream()
{
    // A destructor must not raise: what Finish did not do is done here, and a failure only ends it.
    try {
        if (!finished_)
            while (!FinishStep()) {
            }
    } catch (...) {
    }
    deflateEnd(&state_->zs);
}

void TZCompressionStream::WriteBlock(std::size_t size)
{
    if (target_.Position() != targetPosition_)
        target_.SetPosition(targetPosition_);
    target_.WriteBuffer(state_->buffer.data(), std::int64_t(size));
    targetPosition_ = target_.Position();
    state_->zs.next_out = state_->buffer.data();
    state_->zs.avail_out = kBlockSize;
}

std::int64_t TZCompressionStream::Read(void*, std::int64_t)
{
    throw EZCompressionError(kInvalidOperation);
}

std::int64_t TZCompressionStream::Write(const void* buffer, std::int64_t count)
{
    if (finished_)
        throw EZCompressionError(kInvalidOperation);
    z_stream& zs = state_->zs;
    auto* next = static_cast<const Bytef*>(buffer);
    std::int64_t left = count;
    while (left > 0) {
        // zlib counts its input in 32 bits.
        const uInt chunk = uInt(std::min<std::int64_t>(left, std::numeric_limits<uInt>::max()));
        zs.next_in = const_cast<Bytef*>(next);
        zs.avail_in = chunk;
        while (zs.avail_in > 0) {
            Check<EZCompressionError>(deflate(&zs, Z_NO_FLUSH));
            if (zs.avail_out == 0) {
                WriteBlock(kBlockSize);
                Progress();
            }
        }
        next += chunk;
        left -= chunk;
        state_->totalIn += chunk;
    }
    return count;
}

std::int64_t TZCompressionStream::Seek(std::int64_t offset, rtl::SeekOrigin origin)
{
    if (offset != 0 || origin != rtl::SeekOrigin::Current)
        throw EZCompressionError(kInvalidOperation);
    return state_->totalIn;
}

// One deflate call with the finish flag and the block it filled; true once the stream has ended and
// everything went to the target.
bool TZCompressionStream::FinishStep()
{
    z_stream& zs = state_->zs;
    zs.next_in = nullptr;
    zs.avail_in = 0;
    const int result = Check<EZCompressionError>(deflate(&zs, Z_FINISH));
    if (result == Z_STREAM_END) {
        finished_ = true;
        WriteBlock(kBlockSize - zs.avail_out);
        return true;
    }
    if (zs.avail_out == 0)
        WriteBlock(kBlockSize);
    return false;
}

void TZCompressionStream::Finish()
{
    while (!finished_ && !FinishStep()) {
    }
}

std::string ZDecompressBuffer(std::string_view input, std::size_t outputEstimate)
{
    const std::size_t step = std::max<std::size_t>((input.size() + 255) / 256 * 256, 256);
    std::string output(outputEstimate ? outputEstimate : step, '\0');
    z_stream zs{};
    Check<EZDecompressionError>(inflateInit(&zs));
    struct End {
        z_stream& zs;
        ~End() { inflateEnd(&zs); }
    } end{zs};
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    zs.avail_in = uInt(input.size());
    zs.next_out = reinterpret_cast<Bytef*>(output.data());
    zs.avail_out = uInt(output.size());
    for (int result; (result = Check<EZDecompressionError>(inflate(&zs, Z_NO_FLUSH))) != Z_STREAM_END;) {
        // A stream made with a preset dictionary cannot be read without it: zlib would ask forever.
        if (result == Z_NEED_DICT)
            throw EZDecompressionError(ZLibErrorText(Z_NEED_DICT));
        // At least one step, and no less than what there is, so that a large output is not copied over
        // and over.
        const std::size_t produced = output.size() - zs.avail_out;
        output.resize(output.size() + std::max(step, output.size()));
        zs.next_out = reinterpret_cast<Bytef*>(output.data() + produced);
        zs.avail_out = uInt(output.size() - produced);
    }
    output.resize(output.size() - zs.avail_out);
    return output;
}

}  // namespace report
