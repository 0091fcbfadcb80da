#pragma once
// Published properties and methods: the builder that fills a class's table, and access to the
// properties of an instance by name, dotted paths into sub-objects included ("Font.Name").
//
//     const TClassInfo& TSample::StaticClass()
//     {
//         static const TClassInfo info("TSample", &TComponent::StaticClass(), [](TClassInfo& c) {
//             ClassBuilder<TSample>(c)
//                 .Property("Count", &TSample::Count, &TSample::SetCount).Default(0)
//                 .Property("Align", AlignType(), &TSample::Align, &TSample::SetAlign)
//                 .Property("OnClick", NotifyEventType(), &TSample::onClick)
//                 .Method<&TSample::Click>("Click");
//         });
//         return info;
//     }
//
// The C++ type of the getter gives the kind (integers, bool, char, char16_t, float, double, Currency,
// std::string, rtl::ShortString<N>, std::u16string, rtl::Variant, pointers to objects or string lists, rtl::Method); enumerations, sets,
// dates and events name their type. A getter or setter is a member function or a data member.

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Errors.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/ShortString.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace classes {

// The type of events of signature Sig.
template <class Sig>
TTypeInfo MethodType(std::string name)
{
    TTypeInfo type;
    type.kind = TTypeKind::Method;
    type.name = std::move(name);
    type.methodType = &typeid(rtl::Method<Sig>);
    return type;
}

using TNotifyEvent = rtl::Method<void(TObject* sender)>;
const TTypeInfo& NotifyEventType();
// The class of string-list properties (rtl::TStrings, stored as their lines).
const TClassInfo& StringsClass();

// Types of the C++ value types the builder deduces.
template <class V>
const TTypeInfo& TypeInfoOf();
template <> const TTypeInfo& TypeInfoOf<bool>();
template <> const TTypeInfo& TypeInfoOf<char>();
template <> const TTypeInfo& TypeInfoOf<char16_t>();
template <> const TTypeInfo& TypeInfoOf<std::int8_t>();
template <> const TTypeInfo& TypeInfoOf<std::uint8_t>();
template <> const TTypeInfo& TypeInfoOf<std::int16_t>();
template <> const TTypeInfo& TypeInfoOf<std::uint16_t>();
template <> const TTypeInfo& TypeInfoOf<std::int32_t>();
template <> const TTypeInfo& TypeInfoOf<std::uint32_t>();
template <> const TTypeInfo& TypeInfoOf<std::int64_t>();
template <> const TTypeInfo& TypeInfoOf<float>();
template <> const TTypeInfo& TypeInfoOf<double>();
template <> const TTypeInfo& TypeInfoOf<rtl::Currency>();
template <> const TTypeInfo& TypeInfoOf<std::string>();
template <> const TTypeInfo& TypeInfoOf<std::u16string>();
template <> const TTypeInfo& TypeInfoOf<rtl::Variant>();

// The type of properties holding a C*, made without building C's class yet.
template <class C>
const TTypeInfo& ClassRefType()
{
    static const TTypeInfo type = [] {
        TTypeInfo t;
        t.kind = TTypeKind::Class;
        t.classOf = &C::StaticClass;
        return t;
    }();
    return type;
}

// The type of short-string properties of capacity N.
template <std::size_t N>
const TTypeInfo& ShortStringType()
{
    static const TTypeInfo type = [] {
        TTypeInfo t;
        t.kind = TTypeKind::String;
        t.name = "String[" + std::to_string(N) + "]";
        t.maxValue = std::int64_t(N);
        return t;
    }();
    return type;
}

namespace detail {
template <class V>
struct IsShortString : std::false_type {};
template <std::size_t N>
struct IsShortString<rtl::ShortString<N>> : std::true_type {
    static const TTypeInfo& Type() { return ShortStringType<N>(); }
};

template <class V>
struct IsMethod : std::false_type {};
template <class Sig>
struct IsMethod<rtl::Method<Sig>> : std::true_type {};

template <class V>
const TTypeInfo& DeducedType()
{
    if constexpr (std::is_pointer_v<V>) {
        using C = std::remove_cv_t<std::remove_pointer_t<V>>;
        if constexpr (std::is_base_of_v<rtl::TStrings, C>)
            return StringsClass().TypeInfo();
        else
            return ClassRefType<C>();
    } else if constexpr (IsShortString<V>::value) {
        return IsShortString<V>::Type();
    } else {
        static_assert(!std::is_enum_v<V> && !IsMethod<V>::value,
                      "enumerations, sets and events name their type");
        return TypeInfoOf<V>();
    }
}
}  // namespace detail

template <class T>
class ClassBuilder {
public:
    explicit ClassBuilder(TClassInfo& cls) : cls_(cls)
    {
        if constexpr (std::is_convertible_v<T*, TComponent*> && std::is_constructible_v<T, TComponent*>
                      && !std::is_abstract_v<T>)
            cls.createComponent = [](TComponent* owner) -> TComponent* { return new T(owner); };
        if constexpr (std::is_convertible_v<T*, TCollectionItem*> && std::is_constructible_v<T, TCollection*>
                      && !std::is_abstract_v<T>)
            cls.createItem = [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
        if constexpr (!std::is_convertible_v<T*, TComponent*> && !std::is_convertible_v<T*, TCollectionItem*>
                      && std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
            cls.createObject = []() -> TObject* { return new T(); };
    }

    template <class G, class S = std::nullptr_t>
        requires std::is_member_pointer_v<G>
    ClassBuilder& Property(std::string name, G getter, S setter = nullptr)
    {
        using V = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;
        return Property(std::move(name), detail::DeducedType<V>(), getter, setter);
    }

    template <class G, class S = std::nullptr_t>
        requires std::is_member_pointer_v<G>
    ClassBuilder& Property(std::string name, const TTypeInfo& type, G getter, S setter = nullptr)
    {
        using V = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;
        TPropInfo p;
        p.name = std::move(name);
        p.type = &type;
        auto get = [getter](const TObject& o) -> V { return std::invoke(getter, static_cast<const T&>(o)); };
        constexpr bool hasSetter = !std::is_same_v<S, std::nullptr_t>;
        // A data member given alone is read and written in place.
        constexpr bool fieldAlone = !hasSetter && std::is_member_object_pointer_v<G>;
        // Captured by default: which of getter and setter the body uses depends on the property's kind.
        auto set = [=](TObject& o, V v) {
            T& self = static_cast<T&>(o);
            if constexpr (std::is_member_function_pointer_v<S>)
                (self.*setter)(std::move(v));
            else if constexpr (std::is_member_object_pointer_v<S>)
                self.*setter = std::move(v);
            else if constexpr (std::is_member_object_pointer_v<G>)
                self.*getter = std::move(v);
        };
        constexpr bool writable = hasSetter || fieldAlone;
        if constexpr (std::is_same_v<V, std::string>) {
            p.getString = get;
            if constexpr (writable)
                p.setString = [set](TObject& o, const std::string& v) { set(o, v); };
        } else if constexpr (detail::IsShortString<V>::value) {
            p.getString = [get](const TObject& o) { return get(o).Str(); };
            if constexpr (writable)
                p.setString = [set](TObject& o, const std::string& v) { set(o, V(v)); };
        } else if constexpr (std::is_same_v<V, std::u16string>) {
            p.getWideString = get;
            if constexpr (writable)
                p.setWideString = [set](TObject& o, const std::u16string& v) { set(o, v); };
        } else if constexpr (std::is_same_v<V, rtl::Variant>) {
            p.getVariant = get;
            if constexpr (writable)
                p.setVariant = [set](TObject& o, const rtl::Variant& v) { set(o, v); };
        } else if constexpr (std::is_same_v<V, rtl::Currency>) {
            p.getCurrency = get;
            if constexpr (writable)
                p.setCurrency = set;
        } else if constexpr (std::is_floating_point_v<V>) {
            p.getFloat = [get](const TObject& o) { return double(get(o)); };
            if constexpr (writable)
                p.setFloat = [set](TObject& o, double v) { set(o, V(v)); };
        } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
            if constexpr (std::is_same_v<V, char>)
                p.getOrdinal = [get](const TObject& o) { return std::int64_t(std::uint8_t(get(o))); };
            else
                p.getOrdinal = [get](const TObject& o) { return std::int64_t(get(o)); };
            if constexpr (writable)
                p.setOrdinal = [set](TObject& o, std::int64_t v) { set(o, static_cast<V>(v)); };
        } else if constexpr (detail::IsMethod<V>::value) {
            p.getMethod = [get](const TObject& o) {
                V m = get(o);
                return TMethodRef{m.Data(), reinterpret_cast<void (*)()>(m.Code())};
            };
            if constexpr (writable)
                p.setMethod = [set](TObject& o, TMethodRef ref) {
                    set(o, V::FromRaw(ref.data, reinterpret_cast<typename V::Thunk>(ref.code)));
                };
        } else if constexpr (std::is_pointer_v<V>) {
            using C = std::remove_cv_t<std::remove_pointer_t<V>>;
            if constexpr (std::is_base_of_v<rtl::TStrings, C>) {
                p.getStrings = [get](const TObject& o) -> rtl::TStrings* { return get(o); };
            } else {
                p.getObject = [get](const TObject& o) -> TObject* { return get(o); };
                if constexpr (writable)
                    p.setObject = [set](TObject& o, TObject* v) {
                        C* typed = dynamic_cast<C*>(v);
                        if (v && !typed)
                            throw EPropertyError("Invalid property value");
                        set(o, typed);
                    };
            }
        } else {
            static_assert(sizeof(V) == 0, "no property kind for this type");
        }
        last_ = &cls_.AddProperty(std::move(p));
        return *this;
    }

    // The ordinal value that is not stored.
    ClassBuilder& Default(std::int64_t value) { Last().defaultValue = value; return *this; }
    ClassBuilder& Stored(bool stored)
    {
        Last().stored = [stored](const TObject&) { return stored; };
        return *this;
    }
    ClassBuilder& Stored(bool (T::*predicate)() const)
    {
        Last().stored = [predicate](const TObject& o) { return (static_cast<const T&>(o).*predicate)(); };
        return *this;
    }

    // A published method: events of its signature can be bound to it by name.
    template <auto M>
    ClassBuilder& Method(std::string name)
    {
        using F = rtl::detail::MemberFunction<decltype(M)>;
        using C = typename F::Class;
        using H = rtl::Method<typename F::Signature>;
        static_assert(std::is_base_of_v<std::remove_const_t<C>, T>, "the method belongs to another class");
        TMethodInfo m;
        m.name = std::move(name);
        m.code = reinterpret_cast<void (*)()>(&H::template CallMember<C, M>);
        m.methodType = &typeid(H);
        m.dataOf = [](TObject* o) -> void* {
            return const_cast<void*>(static_cast<const void*>(static_cast<C*>(static_cast<T*>(o))));
        };
        cls_.AddMethod(std::move(m));
        return *this;
    }

    // An interface the class implements: I derives from IInterface and names its identifier IID.
    template <class I>
    ClassBuilder& Implements()
    {
        static_assert(std::is_base_of_v<I, T>, "the class does not implement the interface");
        cls_.AddInterface(TInterfaceEntry{&I::IID, [](TObject* o) -> void* {
                                              return static_cast<I*>(static_cast<T*>(o));
                                          }});
        return *this;
    }

private:
    TPropInfo& Last() { return *last_; }

    TClassInfo& cls_;
    TPropInfo* last_ = nullptr;
};

// --- access by name ---

// A property of instance's class, or, with a dotted name, of the objects its class properties hold.
// Null (and instance unchanged) when a part is missing or not an object.
struct TPropTarget {
    TObject* instance = nullptr;
    const TPropInfo* prop = nullptr;
};
TPropTarget FindPropPath(TObject& instance, std::string_view dottedName);
// As FindPropPath, raising EPropertyError "Property %s does not exist" when there is none.
TPropTarget GetPropPath(TObject& instance, std::string_view dottedName);

// Typed access. A kind that does not fit raises EPropertyError "Invalid property type: %s", an
// unreadable property "Property %s is write-only", an unwritable one "Property %s is read-only".
std::int64_t GetOrdProp(const TObject& instance, const TPropInfo& prop);
void SetOrdProp(TObject& instance, const TPropInfo& prop, std::int64_t value);
std::string GetEnumProp(const TObject& instance, const TPropInfo& prop);
// By value name; EPropertyError "Invalid property value" for a name the type does not have.
void SetEnumProp(TObject& instance, const TPropInfo& prop, std::string_view name);
std::string GetSetProp(const TObject& instance, const TPropInfo& prop, bool brackets = false);
void SetSetProp(TObject& instance, const TPropInfo& prop, std::string_view text);
// Floats of every subtype, currency included.
double GetFloatProp(const TObject& instance, const TPropInfo& prop);
void SetFloatProp(TObject& instance, const TPropInfo& prop, double value);
// 8-bit and wide strings, each converted to the other's form where needed.
std::string GetStrProp(const TObject& instance, const TPropInfo& prop);
void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value);
std::u16string GetWideStrProp(const TObject& instance, const TPropInfo& prop);
void SetWideStrProp(TObject& instance, const TPropInfo& prop, const std::u16string& value);
TObject* GetObjectProp(const TObject& instance, const TPropInfo& prop);
// A component that another component refers to is asked for a free notification, so the reference
// is cleared when it goes.
void SetObjectProp(TObject& instance, const TPropInfo& prop, TObject* value);
rtl::Variant GetVariantProp(const TObject& instance, const TPropInfo& prop);
void SetVariantProp(TObject& instance, const TPropInfo& prop, const rtl::Variant& value);
rtl::TStrings* GetStringsProp(const TObject& instance, const TPropInfo& prop);
TMethodRef GetMethodProp(const TObject& instance, const TPropInfo& prop);
// Binds the event to target's published method of that name (empty name: clears it).
// EPropertyError "Method %s not found" when target has none, "Invalid property value" when its
// signature differs from the event's.
void SetMethodProp(TObject& instance, const TPropInfo& prop, TObject* target, std::string_view methodName);

// Any property through a Variant: ordinals as integers (enumerations and sets too; Boolean as a
// Boolean, Char and WideChar as one-character texts), floats as Double (Currency as Currency,
// dates as Date), strings as text, objects as object references, Variants as they are, handlers as
// the name of the published method of their target (empty when none). Setting converts the Variant
// to the property's kind; an enumeration or set also takes its value names as text. A conversion
// that cannot be made raises rtl::EVariantError; a value out of an ordinal's range, or an object of
// the wrong class, EPropertyError "Invalid property value".
rtl::Variant GetPropValue(TObject& instance, std::string_view dottedName);
void SetPropValue(TObject& instance, std::string_view dottedName, const rtl::Variant& value);
rtl::Variant GetPropValue(const TObject& instance, const TPropInfo& prop);
void SetPropValue(TObject& instance, const TPropInfo& prop, const rtl::Variant& value);

}  // namespace classes
