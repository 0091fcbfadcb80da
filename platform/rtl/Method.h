#pragma once
// Method<Sig>: an event handler, a closure of one object and one of its methods. Two handlers are equal
// when they call the same method of the same object, whatever Method<Sig> copies they came through.
// The object layer names a handler through the published methods of its target and clears it when the
// target goes away; for that it reads and rebuilds a handler from its two raw parts (Data, Code).

#include <cstddef>

namespace rtl {

template <class Sig>
class Method;

namespace detail {
template <class P>
struct MemberFunction;
template <class C, class R, class... A>
struct MemberFunction<R (C::*)(A...)> {
    using Class = C;
    using Signature = R(A...);
};
template <class C, class R, class... A>
struct MemberFunction<R (C::*)(A...) const> {
    using Class = const C;
    using Signature = R(A...);
};
}  // namespace detail

template <class R, class... Args>
class Method<R(Args...)> {
public:
    // The type every handler of this signature is called through: the object first, then the arguments.
    using Thunk = R (*)(void* data, Args... args);

    Method() = default;
    Method(std::nullptr_t) {}

    // A handler calling member function M of object. The code part depends on M alone (not on the
    // static type object is passed as), so every handler of one method compares equal.
    template <auto M>
    static Method Of(typename detail::MemberFunction<decltype(M)>::Class* object)
    {
        using C = typename detail::MemberFunction<decltype(M)>::Class;
        return FromRaw(const_cast<void*>(static_cast<const void*>(object)), &CallMember<C, M>);
    }

    // The raw parts as another handler of this signature gave them.
    static Method FromRaw(void* data, Thunk code)
    {
        Method method;
        if (code) {
            method.data_ = data;
            method.code_ = code;
        }
        return method;
    }

    // The thunk that calls member function M of a C; the code part of every handler Of<M>(c).
    template <class C, auto M>
    static R CallMember(void* data, Args... args)
    {
        return (static_cast<C*>(data)->*M)(static_cast<Args&&>(args)...);
    }

    explicit operator bool() const { return code_ != nullptr; }
    void* Data() const { return data_; }
    Thunk Code() const { return code_; }
    void Clear() { *this = Method(); }

    R operator()(Args... args) const { return code_(data_, static_cast<Args&&>(args)...); }

    friend bool operator==(const Method& a, const Method& b)
    {
        return a.code_ == b.code_ && a.data_ == b.data_;
    }

private:
    void* data_ = nullptr;
    Thunk code_ = nullptr;
};

// MethodOf<&TForm1::Button1Click>(form): the handler, its signature taken from the method.
template <auto M>
auto MethodOf(typename detail::MemberFunction<decltype(M)>::Class* object)
{
    return Method<typename detail::MemberFunction<decltype(M)>::Signature>::template Of<M>(object);
}

}  // namespace rtl
