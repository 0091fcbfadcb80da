#include "platform/classes/BinaryWriter.h"

#include "platform/rtl/Exceptions.h"

#include <bit>
#include <cstring>
#include <limits>

namespace classes {

static_assert(std::endian::native == std::endian::little, "stored data is little-endian");
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the 80-bit extended type");

template <class V>
void TBinaryWriter::WriteLE(V value)
{
    Write(&value, sizeof value);
}

void TBinaryWriter::WriteValue(TValueType value)
{
    WriteLE(std::uint8_t(value));
}

void TBinaryWriter::WriteInteger(std::int64_t value)
{
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(TValueType::Int8);
        WriteLE(std::int8_t(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(TValueType::Int16);
        WriteLE(std::int16_t(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(TValueType::Int32);
        WriteLE(std::int32_t(value));
    } else {
        WriteValue(TValueType::Int64);
        WriteLE(value);
    }
}

void TBinaryWriter::WriteBoolean(bool value)
{
    WriteValue(value ? TValueType::True : TValueType::False);
}

void TBinaryWriter::WriteExtended(double value)
{
    long double extended = value;
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &extended, sizeof extended);
    WriteValue(TValueType::Extended);
    Write(bytes, 10);
}

void TBinaryWriter::WriteSingle(float value)
{
    WriteValue(TValueType::Single);
    WriteLE(value);
}

void TBinaryWriter::WriteDouble(double value)
{
    WriteValue(TValueType::Double);
    WriteLE(value);
}

void TBinaryWriter::WriteCurrency(rtl::Currency value)
{
    WriteValue(TValueType::Currency);
    WriteLE(value.scaled);
}

void TBinaryWriter::WriteDate(double value)
{
    WriteValue(TValueType::Date);
    WriteLE(value);
}

void TBinaryWriter::WriteString(std::string_view value)
{
    if (value.size() > 255)
        return WriteLongString(value);
    WriteValue(TValueType::String);
    WriteStr(value);
}

void TBinaryWriter::WriteCounted(TValueType type, std::string_view bytes)
{
    if (bytes.size() > std::size_t(INT32_MAX))
        throw rtl::EWriteError("Stream write error");
    WriteValue(type);
    WriteLE(std::int32_t(bytes.size()));
    Write(bytes.data(), bytes.size());
}

void TBinaryWriter::WriteLongString(std::string_view value)
{
    WriteCounted(TValueType::LString, value);
}

void TBinaryWriter::WriteWideString(std::u16string_view value)
{
    if (value.size() > std::size_t(INT32_MAX / 2))
        throw rtl::EWriteError("Stream write error");
    WriteValue(TValueType::WString);
    WriteLE(std::int32_t(value.size()));
    for (char16_t c : value)
        WriteLE(std::uint16_t(c));
}

void TBinaryWriter::WriteUtf8String(std::string_view utf8)
{
    WriteCounted(TValueType::UTF8String, utf8);
}

void TBinaryWriter::WriteIdent(std::string_view ident)
{
    if (ident == "False")
        return WriteValue(TValueType::False);
    if (ident == "True")
        return WriteValue(TValueType::True);
    if (ident == "nil")
        return WriteValue(TValueType::Nil);
    if (ident == "Null")
        return WriteValue(TValueType::Null);
    WriteValue(TValueType::Ident);
    WriteStr(ident);
}

void TBinaryWriter::WriteSet(const std::vector<std::string>& names)
{
    WriteValue(TValueType::Set);
    for (const std::string& name : names)
        WriteStr(name);
    WriteStr({});
}

void TBinaryWriter::WriteBinary(std::string_view bytes)
{
    WriteCounted(TValueType::Binary, bytes);
}

void TBinaryWriter::WriteStr(std::string_view value)
{
    if (value.size() > 255)
        throw rtl::EWriteError("Name too long: " + std::string(value));
    WriteLE(std::uint8_t(value.size()));
    Write(value.data(), value.size());
}

void TBinaryWriter::WriteClassName(std::string_view name)
{
    if (name.size() >= kPrefixMark)
        throw rtl::EWriteError("Class name too long: " + std::string(name));
    WriteStr(name);
}

}  // namespace classes
