#include "platform/rtl/Charsets.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(Charsets, NamesAndNumbersInTableOrder)
{
    const int numbers[] = {0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255};
    auto table = rtl::CharsetTable();
    ASSERT_EQ(table.size(), std::size(numbers));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].charset, numbers[i]);
        EXPECT_EQ(rtl::CharsetFromName(table[i].name), numbers[i]);
        EXPECT_EQ(rtl::CharsetToName(numbers[i]), table[i].name);
    }
    EXPECT_EQ(table[15].name, "RUSSIAN_CHARSET");
    EXPECT_EQ(rtl::CharsetFromName("ansi_charset"), std::nullopt);
    EXPECT_EQ(rtl::CharsetToName(99), "");
}

TEST(Charsets, CodePages)
{
    const int pairs[][2] = {{0, 1252},   {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950},
                            {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
                            {204, 1251}, {222, 874},  {238, 1250}};
    for (const auto& p : pairs) {
        EXPECT_EQ(rtl::CharsetToCodePage(p[0]), p[1]);
        EXPECT_EQ(rtl::CodePageToCharset(p[1]), p[0]);
    }
    for (int unknown : {rtl::DEFAULT_CHARSET, rtl::MAC_CHARSET, rtl::OEM_CHARSET, 99}) {
        int codePage = -1;
        EXPECT_FALSE(rtl::TryCharsetToCodePage(unknown, codePage)) << unknown;
        EXPECT_EQ(rtl::CharsetToCodePage(unknown), rtl::AnsiCodePage());
    }
    EXPECT_EQ(rtl::CodePageToCharset(65001), rtl::DEFAULT_CHARSET);
}

TEST(Charsets, LocaleOfEachSet)
{
    const int pairs[][2] = {{128, 1041}, {129, 1042}, {130, 2066}, {134, 2052}, {136, 3076},
                            {161, 1032}, {162, 1055}, {163, 1066}, {177, 1037}, {178, 13313},
                            {186, 1061}, {204, 1049}, {222, 1054}, {238, 1029}};
    for (const auto& p : pairs)
        EXPECT_EQ(rtl::CharsetToLocale(p[0]), p[1]);
    rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
    EXPECT_EQ(rtl::CharsetToLocale(rtl::ANSI_CHARSET), 1031);
    EXPECT_EQ(rtl::CharsetToLocale(rtl::OEM_CHARSET), 1031);
    rtl::SetLocaleSource(nullptr);
}

}  // namespace
