#include "platform/rtl/Method.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Base {
    int calls = 0;
    void Handle(int n) { calls += n; }
};

struct Derived : Base {
    std::string log;
    void Note(int n) { log += std::to_string(n); }
    int Twice(int n) const { return 2 * n; }
};

using Handler = rtl::Method<void(int)>;

TEST(Method, CallsTheBoundMethodOfTheBoundObject)
{
    Derived d;
    Handler h = Handler::Of<&Derived::Note>(&d);
    ASSERT_TRUE(h);
    h(4);
    h(2);
    EXPECT_EQ(d.log, "42");
    EXPECT_EQ(rtl::MethodOf<&Derived::Twice>(&d)(21), 42);
}

TEST(Method, EqualWhenSameMethodAndSameObject)
{
    Derived a, b;
    Handler empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty, Handler(nullptr));
    // A base-class method bound through a derived pointer is the same handler as through a base pointer.
    EXPECT_EQ(Handler::Of<&Base::Handle>(&a), Handler::Of<&Base::Handle>(static_cast<Base*>(&a)));
    EXPECT_NE(Handler::Of<&Base::Handle>(&a), Handler::Of<&Base::Handle>(&b));
    EXPECT_NE(Handler::Of<&Base::Handle>(&a), Handler::Of<&Derived::Note>(&a));
    EXPECT_NE(Handler::Of<&Base::Handle>(&a), empty);
}

TEST(Method, RebuiltFromItsRawPartsAndCleared)
{
    Derived d;
    Handler h = Handler::Of<&Base::Handle>(&d);
    Handler copy = Handler::FromRaw(h.Data(), h.Code());
    EXPECT_EQ(copy, h);
    copy(5);
    EXPECT_EQ(d.calls, 5);
    // No code means no handler, whatever the data.
    EXPECT_FALSE(Handler::FromRaw(&d, nullptr));
    EXPECT_EQ(Handler::FromRaw(&d, nullptr).Data(), nullptr);
    copy.Clear();
    EXPECT_FALSE(copy);
}

}  // namespace
