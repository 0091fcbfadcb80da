#include "platform/rtl/Variant.h"

#include "LocaleFixture.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using rtl::Variant;

TEST(Variant, KindCodes)
{
    const struct {
        Variant value;
        rtl::VarTypeCode type;
    } cases[] = {
        {Variant(), 0},
        {Variant::Null(), 1},
        {Variant(std::int16_t(1)), 2},
        {Variant(1), 3},
        {Variant(1.5f), 4},
        {Variant(1.5), 5},
        {Variant(rtl::Currency::FromScaled(1)), 6},
        {Variant::FromDate(1), 7},
        {Variant(std::u16string(u"w")), 8},
        {Variant(true), 11},
        {Variant(std::int8_t(1)), 16},
        {Variant(std::uint8_t(1)), 17},
        {Variant(std::uint16_t(1)), 18},
        {Variant(std::uint32_t(1)), 19},
        {Variant(std::int64_t(1)), 20},
        {Variant("s"), 256},
        {Variant('c'), 256},
        {rtl::VarArrayCreate({0, 4}, rtl::varVariant), 8204},
        {rtl::VarArrayCreate({0, 1}, rtl::varInteger), 8195},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::VarType(c.value), c.type);
    EXPECT_EQ(rtl::varStrArg, 72);
    EXPECT_EQ(rtl::varAny, 257);
    EXPECT_EQ(rtl::varTypeMask, 4095);
    EXPECT_EQ(rtl::varByRef, 16384);
    EXPECT_TRUE(rtl::VarIsNull(Variant::Null()));
    EXPECT_TRUE(rtl::VarIsEmpty(Variant()));
    EXPECT_FALSE(rtl::VarIsEmpty(Variant(0)));
    int object = 0;
    Variant reference = Variant::FromObject(&object);
    EXPECT_EQ(rtl::VarType(reference), rtl::varInt64);
    EXPECT_EQ(reference.ToObject(), &object);
}

TEST(Variant, OperationTable)
{
    const double day = rtl::EncodeDate(2024, 5, 7);
    const struct {
        const char* what;
        Variant result;
        Variant expected;
        rtl::VarTypeCode type;
    } cases[] = {
        {"7 / 2", Variant(7) / Variant(2), 3.5, rtl::varDouble},
        {"7 div 2", IntDiv(Variant(7), Variant(2)), 3, rtl::varInteger},
        {"-7 div 2", IntDiv(Variant(-7), Variant(2)), -3, rtl::varInteger},
        {"7 mod 2", Variant(7) % Variant(2), 1, rtl::varInteger},
        {"6 and 3", Variant(6) & Variant(3), 2, rtl::varInteger},
        {"6 or 3", Variant(6) | Variant(3), 7, rtl::varInteger},
        {"6 xor 3", Variant(6) ^ Variant(3), 5, rtl::varInteger},
        {"1 shl 4", Variant(1) << Variant(4), 16, rtl::varInteger},
        {"-16 shr 28", Variant(-16) >> Variant(28), 15, rtl::varInteger},
        {"'1' + 2", Variant("1") + Variant(2), 3, rtl::varInteger},
        {"'1' + '2'", Variant("1") + Variant("2"), "12", rtl::varString},
        {"'3' * '4'", Variant("3") * Variant("4"), 12, rtl::varInteger},
        {"1 + 1.5", Variant(1) + Variant(1.5), 2.5, rtl::varDouble},
        {"Empty + 1", Variant() + Variant(1), 1, rtl::varInteger},
        {"Empty + 'a'", Variant() + Variant("a"), "a", rtl::varString},
        {"True and False", Variant(true) & Variant(false), false, rtl::varBoolean},
        {"True or False", Variant(true) | Variant(false), true, rtl::varBoolean},
        {"not True", ~Variant(true), false, rtl::varBoolean},
        {"not 0", ~Variant(0), -1, rtl::varInteger},
        {"-5", -Variant(5), -5, rtl::varInteger},
        {"MaxInt + 1", Variant(std::numeric_limits<std::int32_t>::max()) + Variant(1), std::int64_t(2147483648),
         rtl::varInt64},
        {"MaxInt64 + 1", Variant(std::numeric_limits<std::int64_t>::max()) + Variant(1), 9223372036854775808.0,
         rtl::varDouble},
        {"1.5 currency + 1", Variant(rtl::Currency::FromScaled(15000)) + Variant(1),
         rtl::Currency::FromScaled(25000), rtl::varCurrency},
        {"1.5 currency * 1.5 currency", Variant(rtl::Currency::FromScaled(15000)) * Variant(rtl::Currency::FromScaled(15000)),
         rtl::Currency::FromScaled(22500), rtl::varCurrency},
        {"date + 1", Variant::FromDate(day) + Variant(1), day + 1, rtl::varDate},
        {"date - date", Variant::FromDate(day + 3) - Variant::FromDate(day), 3.0, rtl::varDouble},
        {"single + single", Variant(1.5f) + Variant(1.5f), 3.0f, rtl::varSingle},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rtl::VarType(c.result), c.type) << c.what;
        EXPECT_TRUE(c.result == c.expected) << c.what << ": " << rtl::VarToStr(c.result);
    }
}

TEST(Variant, NullPropagatesAndBadOperandsRaise)
{
    for (const Variant& result : {Variant::Null() + Variant(1), Variant(1) - Variant::Null(), Variant::Null() * Variant("a"),
                                  Variant::Null() / Variant(0), IntDiv(Variant::Null(), Variant(1)),
                                  Variant(6) & Variant::Null(), ~Variant::Null(), -Variant::Null()})
        EXPECT_TRUE(rtl::VarIsNull(result));

    Variant array = rtl::VarArrayCreate({0, 1}, rtl::varInteger);
    const struct {
        const char* what;
        Variant (*op)(const Variant&);
        const char* message;
    } cases[] = {
        {"'abc' + 1", [](const Variant&) { return Variant("abc") + Variant(1); },
         "Could not convert variant of type (String) into type (Double)"},
        {"'a' * 'b'", [](const Variant&) { return Variant("a") * Variant("b"); }, nullptr},
        {"1 / 0", [](const Variant&) { return Variant(1) / Variant(0); }, "Division by zero"},
        {"1 div 0", [](const Variant&) { return IntDiv(Variant(1), Variant(0)); }, "Division by zero"},
        {"1 mod 0", [](const Variant&) { return Variant(1) % Variant(0); }, "Division by zero"},
        {"array + 1", [](const Variant& a) { return a + Variant(1); }, "Invalid variant operation"},
        {"Null as integer", [](const Variant&) { return Variant(Variant::Null().ToInteger()); }, nullptr},
        {"1e10 as integer", [](const Variant&) { return Variant(Variant(1e10).ToInteger()); }, "Variant overflow"},
        {"300 as byte", [](const Variant&) { return Variant(300).AsType(rtl::varByte); }, "Variant overflow"},
        {"Null as string", [](const Variant&) { return Variant(Variant::Null().ToString()); }, nullptr},
        {"array as string", [](const Variant& a) { return Variant(a.ToString()); }, nullptr},
    };
    for (const auto& c : cases) {
        try {
            c.op(array);
            ADD_FAILURE() << c.what;
        } catch (const rtl::EVariantError& e) {
            if (c.message != nullptr) {
                EXPECT_EQ(e.Message(), c.message) << c.what;
            }
        }
    }
}

TEST(Variant, ComparisonAcrossKinds)
{
    EXPECT_TRUE(Variant(1) == Variant(1.0));
    EXPECT_TRUE(Variant("10") > Variant(9));        // a text against a number compares as a number
    EXPECT_TRUE(Variant("10") < Variant("9"));      // two texts compare as texts
    EXPECT_TRUE(Variant("abc") == Variant("abc"));
    EXPECT_TRUE(Variant("abc") < Variant("abd"));
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant(0));
    EXPECT_TRUE(Variant::Null() < Variant(-1000));
    EXPECT_TRUE(Variant() == Variant(0));
    EXPECT_TRUE(Variant() == Variant(""));
    EXPECT_TRUE(Variant(true) == Variant(-1));
    EXPECT_TRUE(Variant(false) < Variant(true));
    EXPECT_TRUE(Variant(rtl::Currency::FromScaled(25000)) > Variant(2));
    EXPECT_TRUE(Variant(std::int64_t(9007199254740993)) > Variant(std::int64_t(9007199254740992)));
    EXPECT_THROW((void)(Variant("abc") == Variant(1)), rtl::EVariantError);
}

class VariantText : public rtl_test::LocaleTest {};
INSTANTIATE_TEST_SUITE_P(Locales, VariantText,
                         testing::Values(rtl_test::Locale::UnitedStates, rtl_test::Locale::Germany),
                         rtl_test::LocaleName);

TEST_P(VariantText, ConversionsUseTheLocale)
{
    EXPECT_EQ(rtl::VarToStr(Variant::Null()), "");
    EXPECT_EQ(rtl::VarToStr(Variant(true)), "True");
    EXPECT_EQ(rtl::VarToStr(Variant(1.5)), Local("1.5"));
    EXPECT_EQ(rtl::VarToStr(Variant(0.1f)), Local("0.1"));
    EXPECT_EQ(rtl::VarToStr(Variant(rtl::Currency::FromScaled(12345))), Local("1.2345"));
    EXPECT_EQ(rtl::VarToStr(Variant::FromDate(rtl::EncodeDate(2024, 5, 7))), German() ? "07.05.2024" : "5/7/2024");
    EXPECT_EQ(rtl::VarToStr(Variant(std::u16string(u"wide"))), "wide");
    EXPECT_EQ(Variant(Local("2.5")).ToDouble(), 2.5);
    EXPECT_EQ((Variant(Local("2.5")) * Variant(2)).ToDouble(), 5.0);
    EXPECT_EQ(Variant(Local("2.5")).ToInteger(), 2);   // halves to even
    EXPECT_EQ(Variant(3.5).ToInteger(), 4);
    EXPECT_EQ(Variant(rtl::Currency::FromScaled(25000)).ToInteger(), 2);
    EXPECT_EQ(Variant(" 12").ToInteger(), 12);
    EXPECT_TRUE(Variant("true").ToBoolean());
    EXPECT_FALSE(Variant("0").ToBoolean());
    EXPECT_EQ(Variant(German() ? "07.05.2024" : "5/7/2024").ToDate(), rtl::EncodeDate(2024, 5, 7));

    const struct {
        Variant from;
        rtl::VarTypeCode to;
        Variant expected;
    } casts[] = {
        {Variant(42), rtl::varString, "42"},
        {Variant("123"), rtl::varSmallint, 123},
        {Variant(0), rtl::varBoolean, false},
        {Variant(1.5), rtl::varCurrency, rtl::Currency::FromScaled(15000)},
        {Variant("x"), rtl::varOleStr, std::u16string(u"x")},
        {Variant(1), rtl::varNull, Variant::Null()},
    };
    for (const auto& c : casts) {
        Variant result = rtl::VarAsType(c.from, c.to);
        EXPECT_EQ(rtl::VarType(result), c.to);
        EXPECT_TRUE(result == c.expected) << rtl::VarToStr(result);
    }
    EXPECT_THROW(rtl::VarAsType(Variant::Null(), rtl::varInteger), rtl::EVariantError);
    EXPECT_THROW(rtl::VarAsType(Variant(1), rtl::varDispatch), rtl::EVariantError);
}

TEST(VariantArray, BoundsElementsAndRedim)
{
    Variant list = rtl::VarArrayCreate({0, 4}, rtl::varVariant);
    EXPECT_EQ(rtl::VarArrayDimCount(list), 1);
    EXPECT_EQ(rtl::VarArrayHighBound(list, 1) - rtl::VarArrayLowBound(list, 1) + 1, 5);
    EXPECT_TRUE(rtl::VarIsEmpty(list.GetElement({3})));
    list.SetElement({3}, Variant("x"));
    EXPECT_EQ(rtl::VarType(list.GetElement({3})), rtl::varString);

    Variant grid = rtl::VarArrayCreate({1, 2, 1, 3}, rtl::varInteger);
    grid.SetElement({2, 3}, Variant("7"));   // stored converted to the element kind
    grid.SetElement({1, 1}, Variant(1));
    EXPECT_EQ(rtl::VarType(grid.GetElement({2, 3})), rtl::varInteger);
    EXPECT_EQ(grid.GetElement({2, 3}).ToInteger(), 7);
    EXPECT_EQ(grid.GetElement({2, 2}).ToInteger(), 0);
    rtl::VarArrayRedim(grid, 5);
    EXPECT_EQ(rtl::VarArrayHighBound(grid, 2), 5);
    EXPECT_EQ(grid.GetElement({2, 3}).ToInteger(), 7);
    EXPECT_EQ(grid.GetElement({1, 1}).ToInteger(), 1);
    EXPECT_EQ(grid.GetElement({2, 5}).ToInteger(), 0);
    rtl::VarArrayRedim(grid, 1);
    EXPECT_EQ(grid.GetElement({1, 1}).ToInteger(), 1);
    EXPECT_THROW(grid.GetElement({2, 3}), rtl::EVariantError);

    Variant cube = rtl::VarArrayCreate({0, 1, -1, 1, 5, 6}, rtl::varString);
    EXPECT_EQ(rtl::VarArrayDimCount(cube), 3);
    EXPECT_EQ(rtl::VarArrayLowBound(cube, 2), -1);
    EXPECT_EQ(cube.GetElement({1, -1, 6}).ToString(), "");
    cube.SetElement({1, 0, 5}, Variant(2.5));
    Variant copy = cube;
    copy.SetElement({1, 0, 5}, Variant("changed"));
    EXPECT_EQ(cube.GetElement({1, 0, 5}).ToString(), "2.5");

    EXPECT_THROW(grid.SetElement({1, 1}, Variant("x")), rtl::EVariantError);
    EXPECT_THROW(grid.GetElement({3, 1}), rtl::EVariantError);
    EXPECT_THROW(grid.GetElement({1}), rtl::EVariantError);
    EXPECT_THROW(rtl::VarArrayLowBound(grid, 3), rtl::EVariantError);
    EXPECT_THROW(rtl::VarArrayCreate({0, 1, 2}, rtl::varInteger), rtl::EVariantError);
    EXPECT_THROW(rtl::VarArrayCreate({0, 1}, rtl::varDispatch), rtl::EVariantError);
    try {
        Variant(1).GetElement({0});
        FAIL();
    } catch (const rtl::EVariantError& e) {
        EXPECT_EQ(e.Message(), "Variant is not an array");
    }
}

TEST(Variant, ValuesHeldByPointerAreCopiedAndMovedWhole)
{
    static_assert(sizeof(Variant) <= 24, "a Variant is a tag and one word");
    Variant text(std::string(100, 'a'));
    Variant copy = text;
    copy = Variant(std::u16string(u"wide"));
    EXPECT_EQ(text.ToString(), std::string(100, 'a')) << "the copy had a string of its own";
    Variant array = rtl::VarArrayOf({1, "two", 3.5});
    Variant arrayCopy = array;
    arrayCopy.SetElement({1}, Variant("changed"));
    EXPECT_EQ(array.GetElement({1}).ToString(), "two") << "a copied array is another array";
    const Variant& alias = array;
    array = alias;
    EXPECT_EQ(array.GetElement({2}).ToDouble(), 3.5) << "assigned to itself, an array stays";
    Variant moved = std::move(array);
    EXPECT_TRUE(array.IsEmpty());  // NOLINT: the moved-from value is left Empty on purpose
    EXPECT_EQ(moved.GetElement({0}).ToInteger(), 1);
    moved = text;
    EXPECT_EQ(moved.Type(), rtl::varString);
    EXPECT_EQ(moved.ToString(), text.ToString());
}

TEST(VariantArray, FormatArguments)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    EXPECT_EQ(rtl::Format("%d %s %.2f", rtl::VarArrayOf({1, "a", 2.675})), "1 a 2.67");
    EXPECT_EQ(rtl::Format("%d", rtl::VarArrayOf({std::uint32_t(4000000000)})), "4000000000");
    EXPECT_EQ(rtl::Format("%d|%d", rtl::VarArrayOf({Variant::Null(), Variant()})), "0|0");
    EXPECT_EQ(rtl::Format("%m", rtl::VarArrayOf({rtl::Currency::FromScaled(12345000)})), "$1,234.50");
    EXPECT_EQ(rtl::Format("%s", rtl::VarArrayOf({std::string(300, 'x')})).size(), 300u);
    EXPECT_THROW(rtl::Format("%s", rtl::VarArrayOf({true})), rtl::EConvertError);
    EXPECT_THROW(rtl::Format("%s", Variant(1)), rtl::EVariantError);
    rtl::SetLocaleSource(nullptr);
}

}  // namespace
