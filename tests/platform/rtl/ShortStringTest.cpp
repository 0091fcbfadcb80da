#include "platform/rtl/ShortString.h"

#include <gtest/gtest.h>
#include <string>

namespace {

static_assert(sizeof(rtl::ShortString<10>) == 11, "a length byte and the capacity");
static_assert(sizeof(rtl::ShortString<255>) == 256);

TEST(ShortString, AssignmentAndAppendCutAtTheCapacity)
{
    rtl::ShortString<5> s = "abcdefgh";
    EXPECT_EQ(s.Length(), 5);
    EXPECT_EQ(s, "abcde");
    s = std::string("xy");
    EXPECT_EQ(s.Length(), 2);
    s += "1234";
    EXPECT_EQ(s, "xy123");
    s += 'z';
    EXPECT_EQ(s, "xy123");
    s = "";
    EXPECT_TRUE(s.Empty());
    s += 'q';
    EXPECT_EQ(s, "q");
    s += s;  // appending itself
    EXPECT_EQ(s, "qq");

    const std::string text(300, 'x');
    rtl::ShortString<255> longest(text);
    EXPECT_EQ(longest.Length(), 255);
    EXPECT_EQ(rtl::ShortString<255>::Capacity(), 255);
}

TEST(ShortString, BytesAreKeptAsTheyAre)
{
    const std::string bytes("a\0\xFF" "b", 4);
    rtl::ShortString<8> s(bytes);
    EXPECT_EQ(s.Length(), 4);
    EXPECT_EQ(std::string(s), bytes);
    EXPECT_EQ(s[2], '\0');
    EXPECT_EQ(s[3], '\xFF');
}

TEST(ShortString, IndexIsOneBasedAndChecked)
{
    rtl::ShortString<10> s = "abc";
    EXPECT_EQ(s[1], 'a');
    EXPECT_EQ(s[3], 'c');
    s[2] = 'B';
    EXPECT_EQ(s.Str(), "aBc");
    EXPECT_THROW(s[0], rtl::EInvalidArgument);
    EXPECT_THROW(s[4], rtl::EInvalidArgument);
    const rtl::ShortString<10>& constant = s;
    EXPECT_THROW(constant[-1], rtl::EInvalidArgument);
}

TEST(ShortString, SetLengthZeroFillsAndCuts)
{
    rtl::ShortString<4> s = "abcd";
    s.SetLength(1);
    EXPECT_EQ(s, "a");
    s.SetLength(3);  // the bytes that come back are zero, not the old text
    EXPECT_EQ(s.Str(), std::string("a\0\0", 3));
    s.SetLength(9);
    EXPECT_EQ(s.Length(), 4);
    s.SetLength(-1);
    EXPECT_EQ(s.Length(), 0);
}

TEST(ShortString, ComparesByBytes)
{
    const rtl::ShortString<3> a = "abc";
    const rtl::ShortString<10> b = "abc";
    const rtl::ShortString<10> c = "abd";
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_LT(a, c);
    EXPECT_LT(b, "b");
    EXPECT_GT(b, "ab");
    EXPECT_EQ(std::string("abc"), a);
    EXPECT_LT(rtl::ShortString<3>("z"), rtl::ShortString<3>("\xE9"));  // bytes above 127 sort last
    std::string_view view = c;
    EXPECT_EQ(view, "abd");
}

}  // namespace
