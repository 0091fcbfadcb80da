#include "platform/rtl/Variant.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"

#include <cmath>
#include <limits>
#include <memory>

namespace rtl {

struct VarArrayData {
    VarTypeCode elementType;
    std::vector<std::pair<int, int>> bounds;   // low, high per dimension
    std::vector<Variant> elements;             // the first index varies fastest

    size_t Offset(std::span<const int> indices) const
    {
        if (indices.size() != bounds.size())
            throw EVariantError("Variant or safe array index out of bounds");
        size_t offset = 0, stride = 1;
        for (size_t k = 0; k < bounds.size(); ++k) {
            auto [low, high] = bounds[k];
            if (indices[k] < low || indices[k] > high)
                throw EVariantError("Variant or safe array index out of bounds");
            offset += size_t(indices[k] - low) * stride;
            stride *= size_t(high - low + 1);
        }
        return offset;
    }
};

namespace {

[[noreturn]] void InvalidOperation()
{
    throw EVariantError("Invalid variant operation");
}

[[noreturn]] void DivisionByZero()
{
    throw EVariantError("Division by zero");
}

[[noreturn]] void Overflow()
{
    throw EVariantError("Variant overflow");
}

bool IsIntegerKind(VarTypeCode t)
{
    return t == varSmallint || t == varInteger || t == varShortInt || t == varByte || t == varWord ||
           t == varLongWord || t == varInt64;
}

bool IsText(VarTypeCode t)
{
    return t == varString || t == varOleStr;
}

bool IsUsableElementType(VarTypeCode t)
{
    return (t >= varSmallint && t <= varOleStr) || t == varBoolean || t == varVariant ||
           (t >= varShortInt && t <= varInt64) || t == varString;
}

// The Boolean a text names, if it names one.
std::optional<bool> BooleanText(std::string_view text)
{
    std::string trimmed(text);
    if (SameText(trimmed, "True"))
        return true;
    if (SameText(trimmed, "False"))
        return false;
    return std::nullopt;
}

// The numeric classes of the arithmetic, in promotion order.
enum class Num { Int32, Int64, Currency, Single, Double, Date };

struct Number {
    Num kind;
    std::int64_t integer = 0;   // Int32, Int64; scaled for Currency
    double real = 0;            // Single, Double, Date

    double AsDouble() const
    {
        switch (kind) {
        case Num::Int32: case Num::Int64: return double(integer);
        case Num::Currency: return double(integer) / 10000.0;
        default: return real;
        }
    }
};

Variant FromInteger(std::int64_t value, bool wide)
{
    if (!wide && value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
        return Variant(std::int32_t(value));
    return Variant(value);
}

// The initial value of an array element.
Variant ZeroOf(VarTypeCode elementType)
{
    return elementType == varVariant ? Variant() : Variant().AsType(elementType);
}

}  // namespace

// Conversion helpers that read the private parts of a Variant.
class VariantAccess {
public:
    [[noreturn]] static void CastError(const Variant& v, VarTypeCode to)
    {
        throw EVariantError("Could not convert variant of type (" + VarTypeAsText(v.Type()) + ") into type (" +
                            VarTypeAsText(to) + ")");
    }

    // The value as a number of the arithmetic; texts are read as numbers.
    static Number ToNumber(const Variant& v)
    {
        switch (v.type_) {
        case varEmpty: return {Num::Int32};
        case varBoolean: return {Num::Int32, v.integer_};
        case varInt64: case varLongWord: return {Num::Int64, v.integer_};
        case varCurrency: return {Num::Currency, v.integer_};
        case varSingle: return {Num::Single, 0, v.real_};
        case varDouble: return {Num::Double, 0, v.real_};
        case varDate: return {Num::Date, 0, v.real_};
        case varString: case varOleStr: {
            std::string text = v.ToString();
            std::int64_t i;
            if (TryStrToInt64(text, i))
                return {i >= std::numeric_limits<std::int32_t>::min() && i <= std::numeric_limits<std::int32_t>::max()
                            ? Num::Int32 : Num::Int64, i};
            double d;
            if (TryStrToFloat(text, d))
                return {Num::Double, 0, d};
            if (auto b = BooleanText(text))
                return {Num::Int32, *b ? -1 : 0};
            CastError(v, varDouble);
        }
        default:
            if (IsIntegerKind(v.type_))
                return {Num::Int32, v.integer_};
            if (v.type_ == varNull)
                CastError(v, varDouble);
            InvalidOperation();
        }
    }
};

// --- construction and copying ---

Variant::Variant(bool value) : type_(varBoolean), integer_(value ? -1 : 0) {}
Variant::Variant(char value) : type_(varString), text_(new std::string(1, value)) {}
Variant::Variant(float value) : type_(varSingle), real_(value) {}
Variant::Variant(double value) : type_(varDouble), real_(value) {}
Variant::Variant(Currency value) : type_(varCurrency), integer_(value.scaled) {}
Variant::Variant(const char* value) : type_(varString), text_(new std::string(value ? value : "")) {}
Variant::Variant(std::string_view value) : type_(varString), text_(new std::string(value)) {}
Variant::Variant(std::string value) : type_(varString), text_(new std::string(std::move(value))) {}
Variant::Variant(std::u16string value) : type_(varOleStr), wide_(new std::u16string(std::move(value))) {}

Variant Variant::Null()
{
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::FromDate(TDateTime value)
{
    Variant v(value);
    v.type_ = varDate;
    return v;
}

Variant Variant::FromObject(const void* object)
{
    return Variant(std::int64_t(reinterpret_cast<std::uintptr_t>(object)));
}

Variant::Variant(const Variant& other) : type_(other.type_), integer_(other.integer_)
{
    switch (type_) {
    case varString: text_ = new std::string(*other.text_); break;
    case varOleStr: wide_ = new std::u16string(*other.wide_); break;
    case varArray: array_ = new VarArrayData(*other.array_); break;
    default: break;
    }
}

Variant::Variant(Variant&& other) noexcept : type_(other.type_), integer_(other.integer_)
{
    other.type_ = varEmpty;
    other.integer_ = 0;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        Clear();
        type_ = other.type_;
        integer_ = other.integer_;
        other.type_ = varEmpty;
        other.integer_ = 0;
    }
    return *this;
}

Variant::~Variant()
{
    Clear();
}

void Variant::Clear() noexcept
{
    switch (type_) {
    case varString: delete text_; break;
    case varOleStr: delete wide_; break;
    case varArray: delete array_; break;
    default: break;
    }
    type_ = varEmpty;
    integer_ = 0;
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) {
        Variant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

VarTypeCode Variant::Type() const
{
    return type_ == varArray ? VarTypeCode(varArray | array_->elementType) : type_;
}

const VarArrayData& Variant::Array() const
{
    if (type_ != varArray)
        throw EVariantError("Variant is not an array");
    return *array_;
}

// --- conversions ---

std::int64_t Variant::ToInt64() const
{
    if (type_ == varNull || type_ == varArray)
        VariantAccess::CastError(*this, varInt64);
    Number n = VariantAccess::ToNumber(*this);
    switch (n.kind) {
    case Num::Int32: case Num::Int64: return n.integer;
    case Num::Currency: {
        std::int64_t whole = n.integer / 10000, rest = n.integer % 10000;
        if (rest > 5000 || (rest == 5000 && whole % 2 != 0))
            ++whole;
        else if (rest < -5000 || (rest == -5000 && whole % 2 != 0))
            --whole;
        return whole;
    }
    default: {
        double rounded = std::nearbyint(n.real);
        if (!(std::fabs(rounded) < 9223372036854775808.0))
            Overflow();
        return std::int64_t(rounded);
    }
    }
}

std::int32_t Variant::ToInteger() const
{
    std::int64_t value = ToInt64();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        Overflow();
    return std::int32_t(value);
}

double Variant::ToDouble() const
{
    if (type_ == varNull || type_ == varArray)
        VariantAccess::CastError(*this, varDouble);
    return VariantAccess::ToNumber(*this).AsDouble();
}

Currency Variant::ToCurrency() const
{
    if (type_ == varCurrency)
        return Currency::FromScaled(integer_);
    if (type_ == varNull || type_ == varArray)
        VariantAccess::CastError(*this, varCurrency);
    try {
        return Currency::FromDouble(ToDouble());
    } catch (const EConvertError&) {
        Overflow();
    }
}

TDateTime Variant::ToDate() const
{
    if (IsText(type_)) {
        TDateTime value;
        if (TryStrToDateTime(ToString(), value, DefaultFormatSettings()))
            return value;
        VariantAccess::CastError(*this, varDate);
    }
    if (type_ == varNull || type_ == varArray)
        VariantAccess::CastError(*this, varDate);
    return ToDouble();
}

bool Variant::ToBoolean() const
{
    if (type_ == varBoolean)
        return integer_ != 0;
    if (IsText(type_))
        if (auto b = BooleanText(ToString()))
            return *b;
    if (type_ == varNull || type_ == varArray)
        VariantAccess::CastError(*this, varBoolean);
    return ToDouble() != 0;
}

std::string Variant::ToString() const
{
    switch (type_) {
    case varEmpty: return "";
    case varBoolean: return integer_ ? "True" : "False";
    case varSingle: return FloatToStrF(real_, FloatFormat::General, 7, 0);
    case varDouble: return FloatToStr(real_);
    case varCurrency: return CurrToStr(Currency::FromScaled(integer_));
    case varDate: return DateTimeToStr(real_);
    case varString: return *text_;
    case varOleStr: return WideToAnsi(*wide_);
    default:
        if (IsIntegerKind(type_))
            return IntToStr(integer_);
        VariantAccess::CastError(*this, varString);
    }
}

std::u16string Variant::ToWideString() const
{
    return type_ == varOleStr ? *wide_ : AnsiToWide(ToString());
}

void* Variant::ToObject() const
{
    return reinterpret_cast<void*>(std::uintptr_t(ToInt64()));
}

Variant Variant::AsType(VarTypeCode type) const
{
    if (type == type_ && type_ != varArray)
        return *this;
    switch (type) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varVariant: return *this;
    default: break;
    }
    if (type_ == varNull)
        VariantAccess::CastError(*this, type);
    auto ranged = [&](std::int64_t low, std::int64_t high) {
        std::int64_t value = ToInt64();
        if (value < low || value > high)
            Overflow();
        Variant v;
        v.type_ = type;
        v.integer_ = value;
        return v;
    };
    switch (type) {
    case varShortInt: return ranged(-128, 127);
    case varByte: return ranged(0, 255);
    case varSmallint: return ranged(-32768, 32767);
    case varWord: return ranged(0, 65535);
    case varInteger: return ranged(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    case varLongWord: return ranged(0, std::numeric_limits<std::uint32_t>::max());
    case varInt64: return Variant(ToInt64());
    case varSingle: return Variant(float(ToDouble()));
    case varDouble: return Variant(ToDouble());
    case varCurrency: return Variant(ToCurrency());
    case varDate: return FromDate(ToDate());
    case varBoolean: return Variant(ToBoolean());
    case varString: return Variant(ToString());
    case varOleStr: return Variant(ToWideString());
    default: throw EVariantError("Invalid variant type");
    }
}

// --- arithmetic ---

namespace {

enum class Op { Add, Sub, Mul };

// Integer arithmetic that falls back to floating point on overflow.
Variant IntegerArithmetic(Op op, const Number& a, const Number& b)
{
    std::int64_t result;
    bool overflow = op == Op::Add   ? __builtin_add_overflow(a.integer, b.integer, &result)
                    : op == Op::Sub ? __builtin_sub_overflow(a.integer, b.integer, &result)
                                    : __builtin_mul_overflow(a.integer, b.integer, &result);
    if (overflow) {
        double x = a.AsDouble(), y = b.AsDouble();
        return Variant(op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y);
    }
    return FromInteger(result, a.kind == Num::Int64 || b.kind == Num::Int64);
}

Variant CurrencyArithmetic(Op op, const Number& a, const Number& b)
{
    auto scaled = [](const Number& n) { return n.kind == Num::Currency ? __int128(n.integer) : __int128(n.integer) * 10000; };
    __int128 x = scaled(a), y = scaled(b), result;
    if (op == Op::Add) {
        result = x + y;
    } else if (op == Op::Sub) {
        result = x - y;
    } else {
        // One factor is whole: multiply by it directly; two amounts: rescale, halves to even.
        if (a.kind != Num::Currency || b.kind != Num::Currency) {
            result = (a.kind == Num::Currency ? x : y) * (a.kind == Num::Currency ? b.integer : a.integer);
        } else {
            __int128 product = x * y, whole = product / 10000, rest = product % 10000;
            if (rest > 5000 || (rest == 5000 && whole % 2 != 0))
                ++whole;
            else if (rest < -5000 || (rest == -5000 && whole % 2 != 0))
                --whole;
            result = whole;
        }
    }
    if (result > std::numeric_limits<std::int64_t>::max() || result < std::numeric_limits<std::int64_t>::min())
        Overflow();
    return Variant(Currency::FromScaled(std::int64_t(result)));
}

Variant Arithmetic(Op op, const Variant& a, const Variant& b)
{
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    if (op == Op::Add) {
        VarTypeCode ta = a.Type(), tb = b.Type();
        bool textA = IsText(ta) || ta == varEmpty, textB = IsText(tb) || tb == varEmpty;
        if (textA && textB && (IsText(ta) || IsText(tb))) {
            if (ta == varOleStr && tb == varOleStr)
                return Variant(a.ToWideString() + b.ToWideString());
            return Variant(a.ToString() + b.ToString());
        }
    }
    Number x = VariantAccess::ToNumber(a), y = VariantAccess::ToNumber(b);
    Num kind = std::max(x.kind, y.kind);
    if (kind <= Num::Int64)
        return IntegerArithmetic(op, x, y);
    if (kind == Num::Currency)
        return CurrencyArithmetic(op, x, y);
    double p = x.AsDouble(), q = y.AsDouble();
    double result = op == Op::Add ? p + q : op == Op::Sub ? p - q : p * q;
    if (kind == Num::Date) {
        // A date moved by a number stays a date; the distance between two dates is a number.
        bool bothDates = x.kind == Num::Date && y.kind == Num::Date;
        if (op != Op::Mul && !bothDates)
            return Variant::FromDate(result);
        return Variant(result);
    }
    if (kind == Num::Single && x.kind == y.kind)
        return Variant(float(result));
    return Variant(result);
}

// The operands of div, mod, shifts and bitwise logic as 64-bit integers; 'wide' when either is Int64.
struct IntegerPair {
    std::int64_t a, b;
    bool wide;
};

IntegerPair Integers(const Variant& a, const Variant& b)
{
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    return {a.ToInt64(), b.ToInt64(), VarType(a) == varInt64 || VarType(b) == varInt64};
}

template <typename F>
Variant Logic(const Variant& a, const Variant& b, F op)
{
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    if (VarType(a) == varBoolean && VarType(b) == varBoolean)
        return Variant(op(std::int64_t(a.ToBoolean()), std::int64_t(b.ToBoolean())) != 0);
    IntegerPair p = Integers(a, b);
    return FromInteger(op(p.a, p.b), p.wide);
}

}  // namespace

Variant operator+(const Variant& a, const Variant& b)
{
    return Arithmetic(Op::Add, a, b);
}

Variant operator-(const Variant& a, const Variant& b)
{
    return Arithmetic(Op::Sub, a, b);
}

Variant operator*(const Variant& a, const Variant& b)
{
    return Arithmetic(Op::Mul, a, b);
}

Variant operator/(const Variant& a, const Variant& b)
{
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    double divisor = b.ToDouble();
    if (divisor == 0)
        DivisionByZero();
    return Variant(a.ToDouble() / divisor);
}

Variant IntDiv(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    IntegerPair p = Integers(a, b);
    if (p.b == 0)
        DivisionByZero();
    if (p.b == -1 && p.a == std::numeric_limits<std::int64_t>::min())
        Overflow();
    return FromInteger(p.a / p.b, p.wide);
}

Variant operator%(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    IntegerPair p = Integers(a, b);
    if (p.b == 0)
        DivisionByZero();
    return FromInteger(p.b == -1 ? 0 : p.a % p.b, p.wide);
}

Variant operator&(const Variant& a, const Variant& b)
{
    return Logic(a, b, [](std::int64_t x, std::int64_t y) { return x & y; });
}

Variant operator|(const Variant& a, const Variant& b)
{
    return Logic(a, b, [](std::int64_t x, std::int64_t y) { return x | y; });
}

Variant operator^(const Variant& a, const Variant& b)
{
    return Logic(a, b, [](std::int64_t x, std::int64_t y) { return x ^ y; });
}

Variant operator<<(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    IntegerPair p = Integers(a, b);
    if (p.wide)
        return Variant(std::int64_t(std::uint64_t(p.a) << (p.b & 63)));
    return Variant(std::int32_t(std::uint32_t(p.a) << (p.b & 31)));
}

Variant operator>>(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    IntegerPair p = Integers(a, b);
    if (p.wide)
        return Variant(std::int64_t(std::uint64_t(p.a) >> (p.b & 63)));
    return Variant(std::int32_t(std::uint32_t(p.a) >> (p.b & 31)));
}

Variant operator-(const Variant& a)
{
    if (a.IsNull())
        return Variant::Null();
    return Variant(0) - a;
}

Variant operator~(const Variant& a)
{
    if (a.IsNull())
        return Variant::Null();
    if (a.IsArray())
        InvalidOperation();
    if (VarType(a) == varBoolean || (IsText(VarType(a)) && BooleanText(a.ToString())))
        return Variant(!a.ToBoolean());
    return FromInteger(~a.ToInt64(), VarType(a) == varInt64);
}

int VarCompare(const Variant& a, const Variant& b)
{
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    if (a.IsNull() || b.IsNull())
        return int(!a.IsNull()) - int(!b.IsNull());
    VarTypeCode ta = a.Type(), tb = b.Type();
    bool textA = IsText(ta) || ta == varEmpty, textB = IsText(tb) || tb == varEmpty;
    if (textA && textB) {
        int c = AnsiCompareStr(a.ToString(), b.ToString());
        return (c > 0) - (c < 0);
    }
    if (ta == varBoolean && tb == varBoolean)
        return int(a.ToBoolean()) - int(b.ToBoolean());
    Number x = VariantAccess::ToNumber(a), y = VariantAccess::ToNumber(b);
    if (x.kind <= Num::Int64 && y.kind <= Num::Int64)
        return (x.integer > y.integer) - (x.integer < y.integer);
    if (x.kind == Num::Currency && y.kind == Num::Currency)
        return (x.integer > y.integer) - (x.integer < y.integer);
    double p = x.AsDouble(), q = y.AsDouble();
    return (p > q) - (p < q);
}

// --- free functions ---

VarTypeCode VarType(const Variant& v)
{
    return v.Type();
}

bool VarIsNull(const Variant& v)
{
    return v.IsNull();
}

bool VarIsEmpty(const Variant& v)
{
    return v.IsEmpty();
}

bool VarIsArray(const Variant& v)
{
    return v.IsArray();
}

std::string VarToStr(const Variant& v)
{
    return v.IsNull() ? std::string() : v.ToString();
}

Variant VarAsType(const Variant& v, VarTypeCode type)
{
    return v.AsType(type);
}

std::string VarTypeAsText(VarTypeCode type)
{
    static const struct {
        VarTypeCode type;
        const char* name;
    } kNames[] = {
        {varEmpty, "Empty"},       {varNull, "Null"},         {varSmallint, "Smallint"}, {varInteger, "Integer"},
        {varSingle, "Single"},     {varDouble, "Double"},     {varCurrency, "Currency"}, {varDate, "Date"},
        {varOleStr, "OleStr"},     {varDispatch, "Dispatch"}, {varError, "Error"},       {varBoolean, "Boolean"},
        {varVariant, "Variant"},   {varUnknown, "Unknown"},   {varShortInt, "ShortInt"}, {varByte, "Byte"},
        {varWord, "Word"},         {varLongWord, "LongWord"}, {varInt64, "Int64"},       {varString, "String"},
    };
    std::string prefix = (type & varArray) != 0 ? "Array of " : "";
    for (const auto& entry : kNames)
        if (entry.type == (type & varTypeMask))
            return prefix + entry.name;
    return prefix + "Unknown";
}

// --- arrays ---

Variant Variant::GetElement(std::span<const int> indices) const
{
    const VarArrayData& data = Array();
    return data.elements[data.Offset(indices)];
}

void Variant::SetElement(std::span<const int> indices, const Variant& value)
{
    const VarArrayData& data = Array();
    size_t offset = data.Offset(indices);
    array_->elements[offset] = value.AsType(data.elementType);
}

Variant VarArrayCreate(std::span<const int> bounds, VarTypeCode elementType)
{
    if (bounds.empty() || bounds.size() % 2 != 0)
        throw EVariantError("Error creating variant or safe array");
    if (!IsUsableElementType(elementType))
        throw EVariantError("Invalid variant type");
    std::unique_ptr<VarArrayData> data(new VarArrayData());
    data->elementType = elementType;
    size_t count = 1;
    for (size_t k = 0; k < bounds.size(); k += 2) {
        if (bounds[k + 1] < bounds[k] - 1)
            throw EVariantError("Error creating variant or safe array");
        data->bounds.emplace_back(bounds[k], bounds[k + 1]);
        count *= size_t(bounds[k + 1] - bounds[k] + 1);
    }
    if (count > (std::size_t(1) << 28))
        throw EOutOfResources("Error creating variant or safe array: too many elements");
    data->elements.assign(count, ZeroOf(elementType));
    Variant v;
    v.type_ = varArray;
    v.array_ = data.release();
    return v;
}

Variant VarArrayCreate(std::initializer_list<int> bounds, VarTypeCode elementType)
{
    return VarArrayCreate(std::span(bounds.begin(), bounds.size()), elementType);
}

Variant VarArrayOf(std::initializer_list<Variant> values)
{
    Variant array = VarArrayCreate({0, int(values.size()) - 1}, varVariant);
    int i = 0;
    for (const Variant& value : values)
        array.SetElement({i++}, value);
    return array;
}

int VarArrayDimCount(const Variant& v)
{
    return v.IsArray() ? int(v.array_->bounds.size()) : 0;
}

int VarArrayLowBound(const Variant& v, int dim)
{
    const VarArrayData& data = v.Array();
    if (dim < 1 || dim > int(data.bounds.size()))
        throw EVariantError("Variant or safe array index out of bounds");
    return data.bounds[size_t(dim - 1)].first;
}

int VarArrayHighBound(const Variant& v, int dim)
{
    const VarArrayData& data = v.Array();
    if (dim < 1 || dim > int(data.bounds.size()))
        throw EVariantError("Variant or safe array index out of bounds");
    return data.bounds[size_t(dim - 1)].second;
}

void VarArrayRedim(Variant& v, int highBound)
{
    v.Array();
    VarArrayData& data = *v.array_;
    auto& last = data.bounds.back();
    if (highBound < last.first - 1)
        throw EVariantError("Variant or safe array index out of bounds");
    // The last index varies slowest, so the kept elements stay where they are.
    size_t slice = 1;
    for (size_t k = 0; k + 1 < data.bounds.size(); ++k)
        slice *= size_t(data.bounds[k].second - data.bounds[k].first + 1);
    Variant zero = ZeroOf(data.elementType);
    last.second = highBound;
    data.elements.resize(slice * size_t(highBound - last.first + 1), zero);
}

std::vector<FormatArg> VarArrayToFormatArgs(const Variant& args)
{
    int low = VarArrayLowBound(args, 1), high = VarArrayHighBound(args, 1);
    std::vector<int> index(size_t(VarArrayDimCount(args)));
    for (int k = 1; k < int(index.size()); ++k)
        index[size_t(k)] = VarArrayLowBound(args, k + 1);
    std::vector<FormatArg> out;
    for (int i = low; i <= high; ++i) {
        index[0] = i;
        Variant element = args.GetElement(index);
        VarTypeCode type = element.Type();
        if (type == varInt64 || type == varLongWord)
            out.emplace_back(element.ToInt64());
        else if (IsIntegerKind(type))
            out.emplace_back(element.ToInteger());
        else if (type == varSingle || type == varDouble || type == varCurrency || type == varDate)
            out.emplace_back(element.ToDouble());
        else if (IsText(type))
            out.emplace_back(element.ToString());
        else if (type == varBoolean)
            out.emplace_back(element.ToBoolean());
        else
            out.emplace_back(0);
    }
    return out;
}

std::string Format(std::string_view format, const Variant& args)
{
    std::vector<FormatArg> list = VarArrayToFormatArgs(args);
    return Format(format, std::span<const FormatArg>(list));
}

}  // namespace rtl
