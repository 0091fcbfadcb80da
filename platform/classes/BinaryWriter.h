#pragma once
// The value layer of stored component data: every value is a one-byte marker followed by its payload.
// Multi-byte numbers are little-endian.
//
//   marker            payload
//   0  Null           none; ends a list, a property list, a child list, a set's names
//   1  List           values up to a Null
//   2  Int8           1 byte, signed
//   3  Int16          2 bytes, signed
//   4  Int32          4 bytes, signed
//   5  Extended       10 bytes: 80-bit extended float
//   6  String         length byte, then that many bytes (8-bit text)
//   7  Ident          length byte, then the identifier
//   8  False, 9 True  none
//   10 Binary         4-byte length, then the bytes
//   11 Set            element names as length-prefixed strings, ended by an empty one
//   12 LString        4-byte length, then the bytes (8-bit text)
//   13 Nil            none (no object, no handler)
//   14 Collection     items, each a List of properties up to a Null, then a Null
//   15 Single         4-byte float
//   16 Currency       8 bytes: the amount times 10,000
//   17 Date           8-byte double, days since 1899-12-30
//   18 WString        4-byte count of UTF-16 units, then the units
//   19 Int64          8 bytes, signed
//   20 UTF8String     4-byte length, then UTF-8 bytes
//   21 Double         8-byte double
//
// Names of properties, classes and components are "short strings": a length byte and the bytes.

#include "platform/rtl/Numbers.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace classes {

enum class TValueType : std::uint8_t {
    Null, List, Int8, Int16, Int32, Extended, String, Ident, False, True, Binary, Set, LString, Nil,
    Collection, Single, Currency, Date, WString, Int64, UTF8String, Double
};
constexpr std::uint8_t kLastValueType = std::uint8_t(TValueType::Double);

// The tree layer's framing (ComponentWriter.h): the signature in front of the root component, and the
// prefix byte kPrefixMark | flags that may stand before a component's class name.
inline constexpr std::string_view kFormSignature = "RVF0";
inline constexpr std::uint8_t kPrefixMark = 0xF0;
inline constexpr std::uint8_t kPrefixInherited = 1;
inline constexpr std::uint8_t kPrefixChildPos = 2;
inline constexpr std::uint8_t kPrefixInline = 4;

class TBinaryWriter {
public:
    explicit TBinaryWriter(rtl::TStream& stream) : stream_(stream) {}
    TBinaryWriter(const TBinaryWriter&) = delete;
    TBinaryWriter& operator=(const TBinaryWriter&) = delete;
    virtual ~TBinaryWriter() = default;

    rtl::TStream& Stream() { return stream_; }

    void WriteValue(TValueType value);
    // The smallest of Int8, Int16, Int32 and Int64 that holds the value.
    void WriteInteger(std::int64_t value);
    void WriteBoolean(bool value);
    void WriteExtended(double value);
    void WriteSingle(float value);
    void WriteDouble(double value);
    void WriteCurrency(rtl::Currency value);
    void WriteDate(double value);
    // String up to 255 bytes, LString beyond.
    void WriteString(std::string_view value);
    void WriteLongString(std::string_view value);
    void WriteWideString(std::u16string_view value);
    void WriteUtf8String(std::string_view utf8);
    // "False", "True", "nil" and "Null" become their own markers; other names an Ident.
    void WriteIdent(std::string_view ident);
    void WriteSet(const std::vector<std::string>& names);
    void WriteBinary(std::string_view bytes);
    void WriteListBegin() { WriteValue(TValueType::List); }
    void WriteListEnd() { WriteValue(TValueType::Null); }
    // A length byte and the bytes; EWriteError "Name too long: %s" beyond 255 bytes.
    void WriteStr(std::string_view value);
    // A component's class name, which follows an optional prefix byte (0xF0 | flags): a name of 240 bytes
    // or more would read back as a prefix, so it raises EWriteError "Class name too long: %s".
    void WriteClassName(std::string_view name);

protected:
    void Write(const void* data, std::size_t size) { stream_.WriteBuffer(data, std::int64_t(size)); }
    void WriteByte(std::uint8_t value) { Write(&value, 1); }
    template <class V>
    void WriteLE(V value);

private:
    // The marker, a 4-byte length and the bytes.
    void WriteCounted(TValueType type, std::string_view bytes);

    rtl::TStream& stream_;
};

}  // namespace classes
