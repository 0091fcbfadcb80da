#include "platform/wintypes/Types.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The integer multiply-divide: the exact quotient of the 64-bit product, halves away from zero.
TEST(MulDivTest, RoundsTheExactQuotientHalvesAwayFromZero)
{
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {8, 96, 72, 11},            // 10.67: the 8-point font at 96 pixels per inch
        {-11, 72, 96, -8},          // -8.25
        {3, 1, 2, 2},               // 1.5 up
        {-3, 1, 2, -2},             // -1.5 away from zero
        {3, -1, 2, -2},
        {-3, -1, -2, -2},
        {5, 1, 4, 1},               // 1.25
        {7, 1, 4, 2},               // 1.75
        {65536, 65536, 65536, 65536},  // a product past 32 bits
        {2000000000, 2, 4, 1000000000},
        {1, 1, 0, -1},              // division by zero
        {2000000000, 2, 1, -1},     // a result past 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << " * " << c.numerator << " / " << c.denominator);
        EXPECT_EQ(win::MulDiv(c.number, c.numerator, c.denominator), c.expected);
    }
    static_assert(win::MulDiv(8, 96, 72) == 11);
}

}  // namespace
