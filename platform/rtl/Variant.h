#pragma once
// Variant: a value of one of the library's kinds, with its conversions and its arithmetic.
//
// - Null propagates through arithmetic and logic; Empty counts as 0 for numbers and "" for text.
// - "+" joins two texts; any other mix converts texts to numbers ("1" + 2 = 3, "1" + "2" = "12").
// - Numbers promote: integers (32, then 64 bit) < Currency < Single < Double; "/" always divides as
//   floating point (7 / 2 = 3.5), IntDiv and "%" work on integers (7 div 2 = 3).
// - and, or, xor, not are logical on two Booleans and bitwise otherwise (6 and 3 = 2).
// - Comparison: Null equals only Null and is below everything else; texts compare as texts, a text
//   against a number as a number.
// A conversion that cannot be made raises EVariantError.

#include "platform/rtl/Dates.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

class EVariantError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EVariantError"; }
};

using VarTypeCode = std::uint16_t;
inline constexpr VarTypeCode varEmpty = 0;
inline constexpr VarTypeCode varNull = 1;
inline constexpr VarTypeCode varSmallint = 2;
inline constexpr VarTypeCode varInteger = 3;
inline constexpr VarTypeCode varSingle = 4;
inline constexpr VarTypeCode varDouble = 5;
inline constexpr VarTypeCode varCurrency = 6;
inline constexpr VarTypeCode varDate = 7;
inline constexpr VarTypeCode varOleStr = 8;
inline constexpr VarTypeCode varDispatch = 9;
inline constexpr VarTypeCode varError = 10;
inline constexpr VarTypeCode varBoolean = 11;
inline constexpr VarTypeCode varVariant = 12;
inline constexpr VarTypeCode varUnknown = 13;
inline constexpr VarTypeCode varShortInt = 16;
inline constexpr VarTypeCode varByte = 17;
inline constexpr VarTypeCode varWord = 18;
inline constexpr VarTypeCode varLongWord = 19;
inline constexpr VarTypeCode varInt64 = 20;
inline constexpr VarTypeCode varStrArg = 72;
inline constexpr VarTypeCode varString = 256;
inline constexpr VarTypeCode varAny = 257;
inline constexpr VarTypeCode varTypeMask = 0x0FFF;
inline constexpr VarTypeCode varArray = 0x2000;
inline constexpr VarTypeCode varByRef = 0x4000;

struct VarArrayData;

class Variant {
public:
    Variant() = default;   // Empty
    Variant(bool value);
    Variant(char value);   // a one-character String
    template <std::integral T>
    Variant(T value) : type_(IntegerKind<T>()), integer_(std::int64_t(value))
    {
    }
    Variant(float value);
    Variant(double value);
    Variant(Currency value);
    Variant(const char* value);
    Variant(std::string_view value);
    Variant(std::string value);
    Variant(std::u16string value);
    static Variant Null();
    static Variant FromDate(TDateTime value);
    // An object reference, held as a 64-bit integer.
    static Variant FromObject(const void* object);

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    VarTypeCode Type() const;
    bool IsNull() const { return type_ == varNull; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsArray() const { return type_ == varArray; }

    std::int32_t ToInteger() const;
    std::int64_t ToInt64() const;
    double ToDouble() const;
    Currency ToCurrency() const;
    TDateTime ToDate() const;
    bool ToBoolean() const;
    std::string ToString() const;
    std::u16string ToWideString() const;
    void* ToObject() const;
    // The value converted to the kind (VarAsType).
    Variant AsType(VarTypeCode type) const;

    // Elements of a Variant array, one index per dimension.
    Variant GetElement(std::span<const int> indices) const;
    Variant GetElement(std::initializer_list<int> indices) const { return GetElement(std::span(indices.begin(), indices.size())); }
    // Stores the value converted to the array's element kind.
    void SetElement(std::span<const int> indices, const Variant& value);
    void SetElement(std::initializer_list<int> indices, const Variant& value) { SetElement(std::span(indices.begin(), indices.size()), value); }

    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    friend Variant operator/(const Variant& a, const Variant& b);
    friend Variant IntDiv(const Variant& a, const Variant& b);
    friend Variant operator%(const Variant& a, const Variant& b);   // mod
    friend Variant operator&(const Variant& a, const Variant& b);   // and
    friend Variant operator|(const Variant& a, const Variant& b);   // or
    friend Variant operator^(const Variant& a, const Variant& b);   // xor
    friend Variant operator<<(const Variant& a, const Variant& b);  // shl
    friend Variant operator>>(const Variant& a, const Variant& b);  // shr
    friend Variant operator-(const Variant& a);
    friend Variant operator~(const Variant& a);                      // not

    // <0, 0 or >0 under the comparison rules above.
    friend int VarCompare(const Variant& a, const Variant& b);
    friend bool operator==(const Variant& a, const Variant& b) { return VarCompare(a, b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return VarCompare(a, b) < 0; }
    friend bool operator>(const Variant& a, const Variant& b) { return VarCompare(a, b) > 0; }
    friend bool operator<=(const Variant& a, const Variant& b) { return VarCompare(a, b) <= 0; }
    friend bool operator>=(const Variant& a, const Variant& b) { return VarCompare(a, b) >= 0; }

private:
    friend struct VarArrayData;
    friend class VariantAccess;
    friend Variant VarArrayCreate(std::span<const int> bounds, VarTypeCode elementType);
    friend int VarArrayDimCount(const Variant& v);
    friend int VarArrayLowBound(const Variant& v, int dim);
    friend int VarArrayHighBound(const Variant& v, int dim);
    friend void VarArrayRedim(Variant& v, int highBound);

    template <typename T>
    static constexpr VarTypeCode IntegerKind()
    {
        if constexpr (sizeof(T) == 1)
            return std::is_signed_v<T> ? varShortInt : varByte;
        else if constexpr (sizeof(T) == 2)
            return std::is_signed_v<T> ? varSmallint : varWord;
        else if constexpr (sizeof(T) == 4)
            return std::is_signed_v<T> ? varInteger : varLongWord;
        else
            return varInt64;
    }

    const VarArrayData& Array() const;
    // Frees what the value holds by pointer and leaves it Empty.
    void Clear() noexcept;

    // A tag and one live field: texts and arrays are held by pointer, owned by the Variant and copied
    // with it, so a Variant is two words.
    VarTypeCode type_ = varEmpty;
    union {
        std::int64_t integer_ = 0;  // integer kinds, Boolean (-1 or 0), Currency (scaled)
        double real_;               // Single, Double, Date
        std::string* text_;         // String
        std::u16string* wide_;      // OleStr
        VarArrayData* array_;       // arrays
    };
};

VarTypeCode VarType(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsArray(const Variant& v);
// The text of any Variant; Null gives "".
std::string VarToStr(const Variant& v);
Variant VarAsType(const Variant& v, VarTypeCode type);
// The name of a kind as messages give it ("Integer", "String", "Array of Variant").
std::string VarTypeAsText(VarTypeCode type);

// A Variant array: bounds holds the low and high bound of each dimension in pairs.
Variant VarArrayCreate(std::span<const int> bounds, VarTypeCode elementType);
Variant VarArrayCreate(std::initializer_list<int> bounds, VarTypeCode elementType);
// A one-dimensional array of Variants indexed from 0.
Variant VarArrayOf(std::initializer_list<Variant> values);
int VarArrayDimCount(const Variant& v);
int VarArrayLowBound(const Variant& v, int dim);   // dim counts from 1
int VarArrayHighBound(const Variant& v, int dim);
// Changes the high bound of the last dimension, keeping the elements that remain.
void VarArrayRedim(Variant& v, int highBound);

// The elements of the array's first dimension as Format arguments: integer kinds as integers, floating
// kinds, currency and dates as floating point, texts as text, Booleans as Booleans, anything else as 0.
std::vector<FormatArg> VarArrayToFormatArgs(const Variant& args);
std::string Format(std::string_view format, const Variant& args);

}  // namespace rtl
