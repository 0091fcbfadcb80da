#pragma once
// Type information of published properties: the kind of a value, the names of enumerations and sets,
// and one property's entry in its class's table (name, type, default, stored predicate, accessors).
// Accessors are typed per kind (an ordinal as a 64-bit integer, a float as a double, ...); the
// reflection layer builds the generic access on them.

#include "platform/rtl/Numbers.h"
#include "platform/rtl/Variant.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace rtl {
class TStrings;
}

namespace classes {

class TObject;
class TClassInfo;

enum class TTypeKind {
    Unknown, Integer, Char, Enumeration, Float, String, Set, Class, Method, WChar, LString, WString,
    Variant, Int64
};
enum class TOrdType { SByte, UByte, SWord, UWord, SLong, ULong };
enum class TFloatType { Single, Double, Extended, Currency, Date };

struct TTypeInfo {
    TTypeKind kind = TTypeKind::Unknown;
    std::string name;
    // Ordinal kinds: storage and range. Enumerations run 0 .. names.size() - 1.
    TOrdType ordType = TOrdType::SLong;
    std::int64_t minValue = 0;
    std::int64_t maxValue = 0;
    std::vector<std::string> names;
    // Sets: the type of their elements (an enumeration or a small integer range).
    const TTypeInfo* elementType = nullptr;
    TFloatType floatType = TFloatType::Double;
    // Classes: the class, or the function that gives it (so that classes may refer to each other and
    // to themselves while their tables are built); methods: the handler type (rtl::Method<Sig>).
    const TClassInfo* classType = nullptr;
    const TClassInfo& (*classOf)() = nullptr;
    const std::type_info* methodType = nullptr;
    // Integer types whose values go by name in stored data (colours, character sets): the name of a
    // value and the value of a name, each false when there is none.
    bool (*intToIdent)(std::int64_t value, std::string& ident) = nullptr;
    bool (*identToInt)(std::string_view ident, std::int64_t& value) = nullptr;

    const TClassInfo* ClassType() const { return classType ? classType : classOf ? &classOf() : nullptr; }
    // The name, for classes their class name.
    std::string TypeName() const;
};

// Enumeration and set types, made once by the unit that declares the C++ type.
TTypeInfo EnumType(std::string name, std::initializer_list<const char*> names);
TTypeInfo SetType(std::string name, const TTypeInfo& elementType);
TTypeInfo IntegerType(std::string name, TOrdType ordType, std::int64_t minValue, std::int64_t maxValue);

// The library's own types.
const TTypeInfo& BooleanType();
const TTypeInfo& DateTimeType();

// The value name of an ordinal (the number as text when it has no name); the ordinal of a name
// (compared without regard to case; -1 when none).
std::string GetEnumName(const TTypeInfo& type, std::int64_t value);
int GetEnumValue(const TTypeInfo& type, std::string_view name);
// The ordinal of a set element by name: an enumeration's value name, or the number of an integer
// element; -1 when the element type has no such element.
int SetElementValue(const TTypeInfo& elementType, std::string_view name);
// "[a,b]" style texts of sets; unknown element names raise EPropertyError "Invalid property element: %s".
std::string SetToString(const TTypeInfo& setType, std::int64_t value, bool brackets = false);
std::int64_t StringToSet(const TTypeInfo& setType, std::string_view text);

// A handler with its type erased: the raw parts of an rtl::Method of some signature.
struct TMethodRef {
    void* data = nullptr;
    void (*code)() = nullptr;
    explicit operator bool() const { return code != nullptr; }
    friend bool operator==(const TMethodRef&, const TMethodRef&) = default;
};

// One published property. Only the accessors of its kind are set; a missing getter or setter makes it
// unreadable or read-only.
struct TPropInfo {
    std::string name;
    const TTypeInfo* type = nullptr;
    // Ordinal kinds: the value that is not stored; none stores every value.
    std::optional<std::int64_t> defaultValue;
    // Empty: always stored.
    std::function<bool(const TObject&)> stored;

    std::function<std::int64_t(const TObject&)> getOrdinal;
    std::function<void(TObject&, std::int64_t)> setOrdinal;
    std::function<double(const TObject&)> getFloat;
    std::function<void(TObject&, double)> setFloat;
    std::function<rtl::Currency(const TObject&)> getCurrency;
    std::function<void(TObject&, rtl::Currency)> setCurrency;
    std::function<std::string(const TObject&)> getString;
    std::function<void(TObject&, const std::string&)> setString;
    std::function<std::u16string(const TObject&)> getWideString;
    std::function<void(TObject&, const std::u16string&)> setWideString;
    std::function<TObject*(const TObject&)> getObject;
    std::function<void(TObject&, TObject*)> setObject;
    // A string list held by the object; it is filled in place, so it has no setter.
    std::function<rtl::TStrings*(const TObject&)> getStrings;
    std::function<rtl::Variant(const TObject&)> getVariant;
    std::function<void(TObject&, const rtl::Variant&)> setVariant;
    std::function<TMethodRef(const TObject&)> getMethod;
    std::function<void(TObject&, TMethodRef)> setMethod;

    TTypeKind Kind() const { return type->kind; }
    bool IsReadable() const;
    bool IsWritable() const;
    bool IsStored(const TObject& instance) const { return !stored || stored(instance); }
};

// One published method: its name, its code as handlers of its signature carry it, and how an
// instance becomes the data part of such a handler.
struct TMethodInfo {
    std::string name;
    void (*code)() = nullptr;
    const std::type_info* methodType = nullptr;
    void* (*dataOf)(TObject* instance) = nullptr;
};

}  // namespace classes
