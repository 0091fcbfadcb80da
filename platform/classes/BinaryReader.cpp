#include "platform/classes/BinaryReader.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <cstring>

namespace classes {

void TBinaryReader::InvalidValue()
{
    throw rtl::EReadError("Invalid property value");
}

std::string TBinaryReader::ReadBytes(std::int64_t count)
{
    if (count < 0 || count > stream_.Size() - stream_.Position())
        throw rtl::EReadError("Stream read error");
    std::string bytes(std::size_t(count), '\0');
    Read(bytes.data(), bytes.size());
    return bytes;
}

std::int32_t TBinaryReader::ReadLength()
{
    auto length = ReadLE<std::int32_t>();
    if (length < 0)
        throw rtl::EReadError("Stream read error");
    return length;
}

TValueType TBinaryReader::ReadValue()
{
    auto marker = ReadLE<std::uint8_t>();
    if (marker > kLastValueType)
        InvalidValue();
    return TValueType(marker);
}

TValueType TBinaryReader::NextValue()
{
    TValueType value = ReadValue();
    stream_.Seek(-1, rtl::SeekOrigin::Current);
    return value;
}

bool TBinaryReader::EndOfList()
{
    auto next = ReadLE<std::uint8_t>();
    stream_.Seek(-1, rtl::SeekOrigin::Current);
    return next == std::uint8_t(TValueType::Null);
}

void TBinaryReader::CheckValue(TValueType expected)
{
    if (ReadValue() != expected)
        InvalidValue();
}

std::int64_t TBinaryReader::ReadInteger()
{
    switch (ReadValue()) {
    case TValueType::Int8:
        return ReadLE<std::int8_t>();
    case TValueType::Int16:
        return ReadLE<std::int16_t>();
    case TValueType::Int32:
        return ReadLE<std::int32_t>();
    case TValueType::Int64:
        return ReadLE<std::int64_t>();
    default:
        InvalidValue();
    }
}

bool TBinaryReader::ReadBoolean()
{
    switch (ReadValue()) {
    case TValueType::False:
        return false;
    case TValueType::True:
        return true;
    default:
        InvalidValue();
    }
}

double TBinaryReader::ReadExtendedPayload()
{
    unsigned char bytes[sizeof(long double)] = {};
    Read(bytes, 10);
    long double value;
    std::memcpy(&value, bytes, sizeof value);
    return double(value);
}

double TBinaryReader::ReadFloat()
{
    switch (NextValue()) {
    case TValueType::Extended:
        ReadValue();
        return ReadExtendedPayload();
    case TValueType::Single:
        return ReadSingle();
    case TValueType::Double:
        return ReadDouble();
    case TValueType::Currency:
        return ReadCurrency().ToDouble();
    case TValueType::Date:
        return ReadDate();
    default:
        return double(ReadInteger());
    }
}

float TBinaryReader::ReadSingle()
{
    CheckValue(TValueType::Single);
    return ReadLE<float>();
}

double TBinaryReader::ReadDouble()
{
    CheckValue(TValueType::Double);
    return ReadLE<double>();
}

rtl::Currency TBinaryReader::ReadCurrency()
{
    CheckValue(TValueType::Currency);
    return rtl::Currency::FromScaled(ReadLE<std::int64_t>());
}

double TBinaryReader::ReadDate()
{
    CheckValue(TValueType::Date);
    return ReadLE<double>();
}

std::u16string TBinaryReader::ReadWidePayload()
{
    std::int32_t count = ReadLength();
    std::string bytes = ReadBytes(std::int64_t(count) * 2);
    std::u16string text(std::size_t(count), u'\0');
    std::memcpy(text.data(), bytes.data(), bytes.size());
    return text;
}

std::string TBinaryReader::ReadStringPayload(TValueType type)
{
    switch (type) {
    case TValueType::String:
        return ReadBytes(ReadLE<std::uint8_t>());
    case TValueType::LString:
        return ReadBytes(ReadLength());
    case TValueType::UTF8String:
        return rtl::Utf8ToAnsi(ReadBytes(ReadLength()));
    case TValueType::WString:
        return rtl::WideToAnsi(ReadWidePayload());
    default:
        InvalidValue();
    }
}

std::string TBinaryReader::ReadString()
{
    return ReadStringPayload(ReadValue());
}

std::u16string TBinaryReader::ReadWideString()
{
    TValueType type = ReadValue();
    switch (type) {
    case TValueType::WString:
        return ReadWidePayload();
    case TValueType::UTF8String:
        return rtl::Utf8ToWide(ReadBytes(ReadLength()));
    default:
        return rtl::AnsiToWide(ReadStringPayload(type));
    }
}

std::string TBinaryReader::ReadIdent()
{
    switch (ReadValue()) {
    case TValueType::Ident:
        return ReadStr();
    case TValueType::False:
        return "False";
    case TValueType::True:
        return "True";
    case TValueType::Nil:
        return "nil";
    case TValueType::Null:
        return "Null";
    default:
        InvalidValue();
    }
}

std::vector<std::string> TBinaryReader::ReadSet()
{
    CheckValue(TValueType::Set);
    std::vector<std::string> names;
    for (std::string name = ReadStr(); !name.empty(); name = ReadStr())
        names.push_back(std::move(name));
    return names;
}

std::string TBinaryReader::ReadBinary()
{
    CheckValue(TValueType::Binary);
    return ReadBytes(ReadLength());
}

std::string TBinaryReader::ReadStr()
{
    return ReadBytes(ReadLE<std::uint8_t>());
}

void TBinaryReader::SkipValue()
{
    Nesting nesting(*this);
    TValueType type = ReadValue();
    auto skip = [&](std::int64_t count) { ReadBytes(count); };
    switch (type) {
    case TValueType::Null:
    case TValueType::False:
    case TValueType::True:
    case TValueType::Nil:
        return;
    case TValueType::List:
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    case TValueType::Int8:
        return skip(1);
    case TValueType::Int16:
        return skip(2);
    case TValueType::Int32:
    case TValueType::Single:
        return skip(4);
    case TValueType::Extended:
        return skip(10);
    case TValueType::Int64:
    case TValueType::Currency:
    case TValueType::Date:
    case TValueType::Double:
        return skip(8);
    case TValueType::String:
    case TValueType::Ident:
        return skip(ReadLE<std::uint8_t>());
    case TValueType::Binary:
    case TValueType::LString:
    case TValueType::UTF8String:
        return skip(ReadLength());
    case TValueType::WString:
        return skip(std::int64_t(ReadLength()) * 2);
    case TValueType::Set:
        while (!ReadStr().empty()) {
        }
        return;
    case TValueType::Collection:
        while (!EndOfList()) {
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        return;
    }
}

}  // namespace classes
