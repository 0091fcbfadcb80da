#pragma once
// Reading the value layer of stored component data (the markers are listed in BinaryWriter.h).
// A stream that ends early raises EReadError "Stream read error"; a marker that is unknown or not
// the kind asked for raises EReadError "Invalid property value". Lengths are checked against what
// is left of the stream before anything is allocated.

#include "platform/classes/BinaryWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace classes {

class TBinaryReader {
public:
    explicit TBinaryReader(rtl::TStream& stream) : stream_(stream) {}
    TBinaryReader(const TBinaryReader&) = delete;
    TBinaryReader& operator=(const TBinaryReader&) = delete;
    virtual ~TBinaryReader() = default;

    rtl::TStream& Stream() { return stream_; }

    TValueType ReadValue();
    // The next marker, left in the stream.
    TValueType NextValue();
    // Whether the next byte is a Null marker; it may also be the start of a name.
    bool EndOfList();
    void CheckValue(TValueType expected);

    // Int8 .. Int64.
    std::int64_t ReadInteger();
    bool ReadBoolean();
    // Any float marker (Currency and Date as their values) or an integer.
    double ReadFloat();
    float ReadSingle();
    double ReadDouble();
    rtl::Currency ReadCurrency();
    double ReadDate();
    // Any string marker, converted to 8-bit or to wide text.
    std::string ReadString();
    std::u16string ReadWideString();
    // Ident, or the names of the False, True, Nil and Null markers.
    std::string ReadIdent();
    std::vector<std::string> ReadSet();
    std::string ReadBinary();
    void ReadListBegin() { CheckValue(TValueType::List); }
    void ReadListEnd() { CheckValue(TValueType::Null); }
    std::string ReadStr();
    // Steps over one value of any kind, lists and collections included.
    void SkipValue();

    // Nesting (of lists, collections, components) deeper than this is taken for damaged data.
    static constexpr int kMaxDepth = 512;

protected:
    [[noreturn]] static void InvalidValue();
    // Counts one level of nesting for as long as it lives.
    class Nesting {
    public:
        explicit Nesting(TBinaryReader& reader) : reader_(reader)
        {
            if (++reader_.depth_ > kMaxDepth) {
                --reader_.depth_;
                InvalidValue();
            }
        }
        ~Nesting() { --reader_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        TBinaryReader& reader_;
    };
    void Read(void* data, std::size_t size) { stream_.ReadBuffer(data, std::int64_t(size)); }
    template <class V>
    V ReadLE()
    {
        V value;
        Read(&value, sizeof value);
        return value;
    }
    std::string ReadBytes(std::int64_t count);
    std::int32_t ReadLength();

private:
    std::string ReadStringPayload(TValueType type);
    std::u16string ReadWidePayload();
    double ReadExtendedPayload();

    rtl::TStream& stream_;
    int depth_ = 0;
};

}  // namespace classes
