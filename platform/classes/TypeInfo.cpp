#include "platform/classes/TypeInfo.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Errors.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

namespace classes {

std::string TTypeInfo::TypeName() const
{
    const TClassInfo* cls = ClassType();
    return cls ? cls->Name() : name;
}

TTypeInfo EnumType(std::string name, std::initializer_list<const char*> names)
{
    TTypeInfo type;
    type.kind = TTypeKind::Enumeration;
    type.name = std::move(name);
    type.ordType = names.size() <= 256 ? TOrdType::UByte : TOrdType::UWord;
    for (const char* n : names)
        type.names.emplace_back(n);
    type.maxValue = std::int64_t(type.names.size()) - 1;
    return type;
}

TTypeInfo SetType(std::string name, const TTypeInfo& elementType)
{
    TTypeInfo type;
    type.kind = TTypeKind::Set;
    type.name = std::move(name);
    type.elementType = &elementType;
    type.ordType = TOrdType::ULong;
    return type;
}

TTypeInfo IntegerType(std::string name, TOrdType ordType, std::int64_t minValue, std::int64_t maxValue)
{
    TTypeInfo type;
    type.kind = TTypeKind::Integer;
    type.name = std::move(name);
    type.ordType = ordType;
    type.minValue = minValue;
    type.maxValue = maxValue;
    return type;
}

const TTypeInfo& BooleanType()
{
    static const TTypeInfo type = EnumType("Boolean", {"False", "True"});
    return type;
}

const TTypeInfo& DateTimeType()
{
    static const TTypeInfo type = [] {
        TTypeInfo t;
        t.kind = TTypeKind::Float;
        t.name = "TDateTime";
        t.floatType = TFloatType::Date;
        return t;
    }();
    return type;
}

std::string GetEnumName(const TTypeInfo& type, std::int64_t value)
{
    if (value >= 0 && value < std::int64_t(type.names.size()))
        return type.names[std::size_t(value)];
    return std::to_string(value);
}

int GetEnumValue(const TTypeInfo& type, std::string_view name)
{
    for (std::size_t i = 0; i < type.names.size(); ++i)
        if (rtl::SameText(type.names[i], name))
            return int(i);
    return -1;
}

int SetElementValue(const TTypeInfo& elementType, std::string_view name)
{
    if (elementType.kind == TTypeKind::Enumeration)
        return GetEnumValue(elementType, name);
    std::int32_t value = 0;
    if (!rtl::TryStrToInt(name, value) || value < elementType.minValue || value > elementType.maxValue)
        return -1;
    return value;
}

std::string SetToString(const TTypeInfo& setType, std::int64_t value, bool brackets)
{
    std::string text;
    for (int bit = 0; bit < 64; ++bit) {
        if (!(std::uint64_t(value) >> bit & 1))
            continue;
        if (!text.empty())
            text += ',';
        text += GetEnumName(*setType.elementType, bit);
    }
    return brackets ? "[" + text + "]" : text;
}

std::int64_t StringToSet(const TTypeInfo& setType, std::string_view text)
{
    std::string s = rtl::Trim(std::string(text));
    if (!s.empty() && s.front() == '[')
        s.erase(0, 1);
    if (!s.empty() && s.back() == ']')
        s.pop_back();
    std::uint64_t value = 0;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t end = s.find(',', start);
        if (end == std::string::npos)
            end = s.size();
        std::string element = rtl::Trim(s.substr(start, end - start));
        if (!element.empty()) {
            int ordinal = SetElementValue(*setType.elementType, element);
            if (ordinal < 0 || ordinal > 63)
                throw EPropertyError("Invalid property element: " + element);
            value |= std::uint64_t(1) << ordinal;
        }
        start = end + 1;
    }
    return std::int64_t(value);
}

bool TPropInfo::IsReadable() const
{
    return getOrdinal || getFloat || getCurrency || getString || getWideString || getObject || getStrings
        || getVariant || getMethod;
}

bool TPropInfo::IsWritable() const
{
    return setOrdinal || setFloat || setCurrency || setString || setWideString || setObject || getStrings
        || setVariant || setMethod;
}

}  // namespace classes
