#include "platform/classes/Reflection.h"

#include "platform/rtl/CodePage.h"

#include <limits>

namespace classes {

namespace {

TTypeInfo OrdinalType(TTypeKind kind, std::string name, TOrdType ordType, std::int64_t minValue,
                      std::int64_t maxValue)
{
    TTypeInfo type = IntegerType(std::move(name), ordType, minValue, maxValue);
    type.kind = kind;
    return type;
}

TTypeInfo FloatType(std::string name, TFloatType floatType)
{
    TTypeInfo type;
    type.kind = TTypeKind::Float;
    type.name = std::move(name);
    type.floatType = floatType;
    return type;
}

TTypeInfo StringType(TTypeKind kind, std::string name)
{
    TTypeInfo type;
    type.kind = kind;
    type.name = std::move(name);
    return type;
}

[[noreturn]] void InvalidType(const TPropInfo& prop)
{
    throw EPropertyError("Invalid property type: " + prop.type->TypeName());
}

template <class F>
const F& Getter(const F& getter, const TPropInfo& prop)
{
    if (!getter) {
        if (prop.IsReadable())
            InvalidType(prop);
        throw EPropertyError("Property " + prop.name + " is write-only");
    }
    return getter;
}

template <class F>
const F& Setter(const F& setter, const TPropInfo& prop)
{
    if (!setter) {
        if (prop.IsWritable())
            InvalidType(prop);
        throw EPropertyError("Property " + prop.name + " is read-only");
    }
    return setter;
}

// A component that refers to another component (by a reference or an event) hears when it goes.
void WatchTarget(TObject& instance, TObject* target)
{
    auto* holder = dynamic_cast<TComponent*>(&instance);
    auto* watched = dynamic_cast<TComponent*>(target);
    if (holder && watched && watched != holder)
        watched->FreeNotification(holder);
}

}  // namespace

const TTypeInfo& NotifyEventType()
{
    static const TTypeInfo type = MethodType<void(TObject*)>("TNotifyEvent");
    return type;
}

const TClassInfo& StringsClass()
{
    static const TClassInfo info("TStrings", &TPersistent::StaticClass());
    return info;
}

template <>
const TTypeInfo& TypeInfoOf<bool>()
{
    return BooleanType();
}

#define ORDINAL_TYPE(V, kind, name, ordType)                                                          \
    template <>                                                                                       \
    const TTypeInfo& TypeInfoOf<V>()                                                                  \
    {                                                                                                 \
        static const TTypeInfo type = OrdinalType(kind, name, ordType, std::numeric_limits<V>::min(), \
                                                  std::numeric_limits<V>::max());                     \
        return type;                                                                                  \
    }
template <>
const TTypeInfo& TypeInfoOf<char>()
{
    static const TTypeInfo type = OrdinalType(TTypeKind::Char, "Char", TOrdType::UByte, 0, 255);
    return type;
}

ORDINAL_TYPE(char16_t, TTypeKind::WChar, "WideChar", TOrdType::UWord)
ORDINAL_TYPE(std::int8_t, TTypeKind::Integer, "ShortInt", TOrdType::SByte)
ORDINAL_TYPE(std::uint8_t, TTypeKind::Integer, "Byte", TOrdType::UByte)
ORDINAL_TYPE(std::int16_t, TTypeKind::Integer, "SmallInt", TOrdType::SWord)
ORDINAL_TYPE(std::uint16_t, TTypeKind::Integer, "Word", TOrdType::UWord)
ORDINAL_TYPE(std::int32_t, TTypeKind::Integer, "Integer", TOrdType::SLong)
ORDINAL_TYPE(std::uint32_t, TTypeKind::Integer, "Cardinal", TOrdType::ULong)
ORDINAL_TYPE(std::int64_t, TTypeKind::Int64, "Int64", TOrdType::SLong)
#undef ORDINAL_TYPE

template <>
const TTypeInfo& TypeInfoOf<float>()
{
    static const TTypeInfo type = FloatType("Single", TFloatType::Single);
    return type;
}

template <>
const TTypeInfo& TypeInfoOf<double>()
{
    static const TTypeInfo type = FloatType("Double", TFloatType::Double);
    return type;
}

template <>
const TTypeInfo& TypeInfoOf<rtl::Variant>()
{
    static const TTypeInfo type = StringType(TTypeKind::Variant, "Variant");
    return type;
}

template <>
const TTypeInfo& TypeInfoOf<rtl::Currency>()
{
    static const TTypeInfo type = FloatType("Currency", TFloatType::Currency);
    return type;
}

template <>
const TTypeInfo& TypeInfoOf<std::string>()
{
    static const TTypeInfo type = StringType(TTypeKind::LString, "string");
    return type;
}

template <>
const TTypeInfo& TypeInfoOf<std::u16string>()
{
    static const TTypeInfo type = StringType(TTypeKind::WString, "WideString");
    return type;
}

TPropTarget FindPropPath(TObject& instance, std::string_view dottedName)
{
    TObject* current = &instance;
    while (true) {
        std::size_t dot = dottedName.find('.');
        const TPropInfo* prop = current->ClassType().FindProperty(dottedName.substr(0, dot));
        if (!prop)
            return {};
        if (dot == std::string_view::npos)
            return {current, prop};
        if (prop->Kind() != TTypeKind::Class || !prop->getObject)
            return {};
        current = prop->getObject(*current);
        if (!current)
            return {};
        dottedName.remove_prefix(dot + 1);
    }
}

TPropTarget GetPropPath(TObject& instance, std::string_view dottedName)
{
    TPropTarget target = FindPropPath(instance, dottedName);
    if (!target.prop)
        throw EPropertyError("Property " + std::string(dottedName) + " does not exist");
    return target;
}

std::int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop)
{
    return Getter(prop.getOrdinal, prop)(instance);
}

void SetOrdProp(TObject& instance, const TPropInfo& prop, std::int64_t value)
{
    Setter(prop.setOrdinal, prop)(instance, value);
}

std::string GetEnumProp(const TObject& instance, const TPropInfo& prop)
{
    return GetEnumName(*prop.type, GetOrdProp(instance, prop));
}

void SetEnumProp(TObject& instance, const TPropInfo& prop, std::string_view name)
{
    int value = GetEnumValue(*prop.type, name);
    if (value < 0)
        throw EPropertyError("Invalid property value");
    SetOrdProp(instance, prop, value);
}

std::string GetSetProp(const TObject& instance, const TPropInfo& prop, bool brackets)
{
    if (prop.Kind() != TTypeKind::Set)
        InvalidType(prop);
    return SetToString(*prop.type, GetOrdProp(instance, prop), brackets);
}

void SetSetProp(TObject& instance, const TPropInfo& prop, std::string_view text)
{
    if (prop.Kind() != TTypeKind::Set)
        InvalidType(prop);
    SetOrdProp(instance, prop, StringToSet(*prop.type, text));
}

double GetFloatProp(const TObject& instance, const TPropInfo& prop)
{
    if (prop.getCurrency)
        return prop.getCurrency(instance).ToDouble();
    return Getter(prop.getFloat, prop)(instance);
}

void SetFloatProp(TObject& instance, const TPropInfo& prop, double value)
{
    if (prop.setCurrency)
        return prop.setCurrency(instance, rtl::Currency::FromDouble(value));
    Setter(prop.setFloat, prop)(instance, value);
}

std::string GetStrProp(const TObject& instance, const TPropInfo& prop)
{
    if (prop.getWideString)
        return rtl::WideToAnsi(prop.getWideString(instance));
    return Getter(prop.getString, prop)(instance);
}

void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value)
{
    if (prop.setWideString)
        return prop.setWideString(instance, rtl::AnsiToWide(value));
    Setter(prop.setString, prop)(instance, value);
}

std::u16string GetWideStrProp(const TObject& instance, const TPropInfo& prop)
{
    if (prop.getString)
        return rtl::AnsiToWide(prop.getString(instance));
    return Getter(prop.getWideString, prop)(instance);
}

void SetWideStrProp(TObject& instance, const TPropInfo& prop, const std::u16string& value)
{
    if (prop.setString)
        return prop.setString(instance, rtl::WideToAnsi(value));
    Setter(prop.setWideString, prop)(instance, value);
}

TObject* GetObjectProp(const TObject& instance, const TPropInfo& prop)
{
    return Getter(prop.getObject, prop)(instance);
}

void SetObjectProp(TObject& instance, const TPropInfo& prop, TObject* value)
{
    Setter(prop.setObject, prop)(instance, value);
    WatchTarget(instance, value);
}

rtl::Variant GetVariantProp(const TObject& instance, const TPropInfo& prop)
{
    return Getter(prop.getVariant, prop)(instance);
}

void SetVariantProp(TObject& instance, const TPropInfo& prop, const rtl::Variant& value)
{
    Setter(prop.setVariant, prop)(instance, value);
}

rtl::TStrings* GetStringsProp(const TObject& instance, const TPropInfo& prop)
{
    return Getter(prop.getStrings, prop)(instance);
}

TMethodRef GetMethodProp(const TObject& instance, const TPropInfo& prop)
{
    return Getter(prop.getMethod, prop)(instance);
}

void SetMethodProp(TObject& instance, const TPropInfo& prop, TObject* target, std::string_view methodName)
{
    const auto& set = Setter(prop.setMethod, prop);
    if (methodName.empty() || !target)
        return set(instance, TMethodRef{});
    const TMethodInfo* method = target->ClassType().FindMethod(methodName);
    if (!method)
        throw EPropertyError("Method " + std::string(methodName) + " not found");
    if (*method->methodType != *prop.type->methodType)
        throw EPropertyError("Invalid property value");
    set(instance, TMethodRef{method->dataOf(target), method->code});
    WatchTarget(instance, target);
}

namespace {

// The objects whose published methods handlers of instance are named after: instance and its owners.
std::vector<TObject*> MethodTargets(TObject& instance)
{
    std::vector<TObject*> targets{&instance};
    if (auto* component = dynamic_cast<TComponent*>(&instance))
        for (TComponent* owner = component->Owner(); owner; owner = owner->Owner())
            targets.push_back(owner);
    return targets;
}

std::int64_t CheckedOrdinal(const TPropInfo& prop, std::int64_t value)
{
    const TTypeInfo& type = *prop.type;
    bool ranged = type.kind == TTypeKind::Integer || type.kind == TTypeKind::Enumeration
        || type.kind == TTypeKind::Char || type.kind == TTypeKind::WChar;
    if (ranged && (value < type.minValue || value > type.maxValue))
        throw EPropertyError("Invalid property value");
    return value;
}

std::int64_t OrdinalOfVariant(const TPropInfo& prop, const rtl::Variant& value)
{
    const TTypeInfo& type = *prop.type;
    bool text = value.Type() == rtl::varString || value.Type() == rtl::varOleStr;
    switch (type.kind) {
    case TTypeKind::Char:
    case TTypeKind::WChar:
        if (text) {
            std::u16string wide = value.ToWideString();
            if (wide.size() != 1)
                throw EPropertyError("Invalid property value");
            return type.kind == TTypeKind::Char ? std::uint8_t(rtl::WideToAnsi(wide)[0]) : std::int64_t(wide[0]);
        }
        break;
    case TTypeKind::Enumeration:
        if (value.Type() == rtl::varBoolean)
            return value.ToBoolean() ? 1 : 0;
        if (text) {
            int ordinal = GetEnumValue(type, value.ToString());
            if (ordinal < 0)
                throw EPropertyError("Invalid property value");
            return ordinal;
        }
        break;
    case TTypeKind::Set:
        if (text)
            return StringToSet(type, value.ToString());
        break;
    case TTypeKind::Integer: {
        std::int64_t named = 0;
        if (text && type.identToInt && type.identToInt(value.ToString(), named))
            return named;
        break;
    }
    default:
        break;
    }
    return value.ToInt64();
}

}  // namespace

rtl::Variant GetPropValue(TObject& instance, std::string_view dottedName)
{
    TPropTarget target = GetPropPath(instance, dottedName);
    return GetPropValue(*target.instance, *target.prop);
}

void SetPropValue(TObject& instance, std::string_view dottedName, const rtl::Variant& value)
{
    TPropTarget target = GetPropPath(instance, dottedName);
    SetPropValue(*target.instance, *target.prop, value);
}

rtl::Variant GetPropValue(const TObject& instance, const TPropInfo& prop)
{
    const TTypeInfo& type = *prop.type;
    switch (type.kind) {
    case TTypeKind::Char:
        return rtl::Variant(std::string(1, char(GetOrdProp(instance, prop))));
    case TTypeKind::WChar:
        return rtl::Variant(std::u16string(1, char16_t(GetOrdProp(instance, prop))));
    case TTypeKind::Enumeration:
        if (&type == &BooleanType())
            return rtl::Variant(GetOrdProp(instance, prop) != 0);
        return rtl::Variant(std::int32_t(GetOrdProp(instance, prop)));
    case TTypeKind::Integer:
    case TTypeKind::Set:
        if (type.ordType == TOrdType::ULong)
            return rtl::Variant(std::uint32_t(GetOrdProp(instance, prop)));
        return rtl::Variant(std::int32_t(GetOrdProp(instance, prop)));
    case TTypeKind::Int64:
        return rtl::Variant(GetOrdProp(instance, prop));
    case TTypeKind::Float:
        if (prop.getCurrency)
            return rtl::Variant(prop.getCurrency(instance));
        if (type.floatType == TFloatType::Date)
            return rtl::Variant::FromDate(GetFloatProp(instance, prop));
        return rtl::Variant(GetFloatProp(instance, prop));
    case TTypeKind::String:
    case TTypeKind::LString:
        return rtl::Variant(GetStrProp(instance, prop));
    case TTypeKind::WString:
        return rtl::Variant(GetWideStrProp(instance, prop));
    case TTypeKind::Class:
        if (prop.getStrings)
            return rtl::Variant::FromObject(prop.getStrings(instance));
        return rtl::Variant::FromObject(GetObjectProp(instance, prop));
    case TTypeKind::Variant:
        return GetVariantProp(instance, prop);
    case TTypeKind::Method: {
        TMethodRef handler = GetMethodProp(instance, prop);
        for (TObject* target : MethodTargets(const_cast<TObject&>(instance))) {
            std::string name = target->ClassType().MethodName(target, handler);
            if (!name.empty())
                return rtl::Variant(name);
        }
        return rtl::Variant(std::string());
    }
    case TTypeKind::Unknown:
        break;
    }
    throw EPropertyError("Invalid property type: " + type.TypeName());
}

void SetPropValue(TObject& instance, const TPropInfo& prop, const rtl::Variant& value)
{
    const TTypeInfo& type = *prop.type;
    switch (type.kind) {
    case TTypeKind::Char:
    case TTypeKind::WChar:
    case TTypeKind::Enumeration:
    case TTypeKind::Integer:
    case TTypeKind::Set:
    case TTypeKind::Int64:
        return SetOrdProp(instance, prop, CheckedOrdinal(prop, OrdinalOfVariant(prop, value)));
    case TTypeKind::Float:
        if (prop.setCurrency)
            return prop.setCurrency(instance, value.ToCurrency());
        if (type.floatType == TFloatType::Date)
            return SetFloatProp(instance, prop, value.ToDate());
        return SetFloatProp(instance, prop, value.ToDouble());
    case TTypeKind::String:
    case TTypeKind::LString:
        return SetStrProp(instance, prop, value.ToString());
    case TTypeKind::WString:
        return SetWideStrProp(instance, prop, value.ToWideString());
    case TTypeKind::Class:
        return SetObjectProp(instance, prop, static_cast<TObject*>(value.ToObject()));
    case TTypeKind::Variant:
        return SetVariantProp(instance, prop, value);
    case TTypeKind::Method: {
        std::string name = value.ToString();
        if (name.empty())
            return SetMethodProp(instance, prop, nullptr, {});
        for (TObject* target : MethodTargets(instance))
            if (target->ClassType().FindMethod(name))
                return SetMethodProp(instance, prop, target, name);
        throw EPropertyError("Method " + name + " not found");
    }
    case TTypeKind::Unknown:
        break;
    }
    throw EPropertyError("Invalid property type: " + type.TypeName());
}

}  // namespace classes
