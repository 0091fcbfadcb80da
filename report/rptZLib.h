#pragma once
// zlib behind the report library's streams: a write-only compressing stream over any other stream, a
// one-shot buffer decompressor and the error classes, whose messages are zlib's own texts for its codes.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace report {

class EZLibError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EZLibError"; }
};

class EZCompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
    const char* ClassName() const noexcept override { return "EZCompressionError"; }
};

class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
    const char* ClassName() const noexcept override { return "EZDecompressionError"; }
};

// Stored, fastest, zlib's default and the maximum level.
enum class TZCompressionLevel { zcNone, zcFastest, zcDefault, zcMax };

// The compressed bytes go to the wrapped stream (not owned) in blocks of 64 KiB, at the position it had
// when the stream was made.
class TCustomZStream : public rtl::TStream {
public:
    ~TCustomZStream() override;

    // Called with the stream each time a block went out.
    rtl::Method<void(TCustomZStream* sender)> OnProgress;

protected:
    struct State;

    explicit TCustomZStream(rtl::TStream& target);
    virtual void Progress();

    rtl::TStream& target_;
    std::int64_t targetPosition_;
    std::unique_ptr<State> state_;
};

class TZCompressionStream : public TCustomZStream {
public:
    // EZCompressionError when zlib cannot start.
    TZCompressionStream(TZCompressionLevel level, rtl::TStream& target);
    // Finishes what Finish did not, without raising.
    ~TZCompressionStream() override;

    // Ends the zlib stream: the rest of the data, the end block and the checksum go to the target.
    // zlib's errors raise EZCompressionError; writing afterwards raises it too.
    void Finish();

    // EZCompressionError "Invalid ZStream operation!".
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Only Seek(0, Current) is valid: the number of bytes taken in so far. Anything else raises
    // EZCompressionError "Invalid ZStream operation!".
    std::int64_t Seek(std::int64_t offset, rtl::SeekOrigin origin) override;

private:
    void WriteBlock(std::size_t size);
    bool FinishStep();

    bool finished_ = false;
};

// Inflates one whole zlib stream. The output starts at outputEstimate bytes (when 0, the input length
// rounded up to 256) and grows by at least that much, doubling when it is larger. EZDecompressionError
// with zlib's text on any error: "buffer error" when the input ends before the stream does, "need
// dictionary" for a stream made with a preset dictionary.
std::string ZDecompressBuffer(std::string_view input, std::size_t outputEstimate = 0);

// zlib's text for one of its result codes ("data error" for -3).
std::string ZLibErrorText(int code);

}  // namespace report
