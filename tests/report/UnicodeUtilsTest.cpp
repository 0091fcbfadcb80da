#include "report/rptUnicodeUtils.h"

#include "platform/rtl/Charsets.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/support/UsingCodePage.h"

#include <gtest/gtest.h>

namespace {

// The OEM page of the process page: 866 for 1251, 437 for 1252, 852 for 1250. Box-drawing characters
// have no ANSI counterpart.
TEST(UnicodeUtils, OemTextBecomesAnsiText)
{
    {
        testsupport::UsingCodePage cyrillic(1251);
        EXPECT_EQ(report::rptOemToAnsiStr("\x80\xA0\xF0 ok"), "\xC0\xE0\xA8 ok");  // А а Ё
    }
    {
        testsupport::UsingCodePage western(1252);
        EXPECT_EQ(report::rptOemToAnsiStr("caf\x82 \xB0\xE1"), "caf\xE9 ?\xDF");  // é, shade, ß
    }
    {
        testsupport::UsingCodePage central(1250);
        EXPECT_EQ(report::rptOemToAnsiStr("\xA5"), "\xB9");  // a with ogonek
    }
    EXPECT_EQ(report::rptOemToAnsiStr(""), "");
}

TEST(UnicodeUtils, CharacterSetsGiveCodePagesAndLocales)
{
    testsupport::UsingCodePage central(1250);
    EXPECT_EQ(report::rptCharsetToCodePage(rtl::DEFAULT_CHARSET), 1250);
    EXPECT_EQ(report::rptCharsetToCodePage(rtl::MAC_CHARSET), 2);
    EXPECT_EQ(report::rptCharsetToCodePage(rtl::OEM_CHARSET), 1);
    EXPECT_EQ(report::rptCharsetToCodePage(rtl::RUSSIAN_CHARSET), 1251);
    EXPECT_EQ(report::rptCharsetToCodePage(rtl::SHIFTJIS_CHARSET), 932);
    EXPECT_THROW(report::rptCharsetToCodePage(99), rtl::EOSError);

    const std::pair<int, int> locales[] = {{128, 1041}, {129, 1042}, {130, 2066}, {134, 2052}, {136, 3076},
                                           {161, 1032}, {162, 1055}, {163, 1066}, {177, 1037}, {178, 13313},
                                           {186, 1061}, {204, 1049}, {222, 1054}, {238, 1029}};
    for (auto [charset, locale] : locales)
        EXPECT_EQ(report::rptCharsetToLocale(charset), locale) << charset;
    EXPECT_EQ(report::rptCharsetToLocale(rtl::ANSI_CHARSET), rtl::CurrentLocaleSource().Lcid());
}

TEST(UnicodeUtils, EightBitAndWideText)
{
    testsupport::UsingCodePage western(1252);
    EXPECT_EQ(report::rptMultiByteToWide("\xC0\xE9", rtl::RUSSIAN_CHARSET), u"\u0410\u0439");
    EXPECT_EQ(report::rptMultiByteToWide("\xC0\xE9", rtl::RUSSIAN_CHARSET, 1252), u"\u00C0\u00E9");
    EXPECT_EQ(report::rptMultiByteToWide("\xE9", rtl::DEFAULT_CHARSET), u"\u00E9");
    EXPECT_EQ(report::rptMultiByteToWide("\x82", rtl::OEM_CHARSET), u"\u00E9");
    EXPECT_EQ(report::rptMultiByteToWide("caf\xC3\xA9", rtl::DEFAULT_CHARSET, report::CP_UTF8), u"caf\u00E9");
    // Pages without a table, and text that is not what the page says, give nothing.
    EXPECT_EQ(report::rptMultiByteToWide("abc", rtl::SHIFTJIS_CHARSET), u"");
    EXPECT_EQ(report::rptMultiByteToWide("abc", rtl::MAC_CHARSET), u"");
    EXPECT_EQ(report::rptMultiByteToWide("\xFF", rtl::DEFAULT_CHARSET, report::CP_UTF8), u"");

    EXPECT_EQ(report::rptWideToMultiByte(u"\u0410\u0439", rtl::RUSSIAN_CHARSET), "\xC0\xE9");
    EXPECT_EQ(report::rptWideToMultiByte(u"\u0410\u00E9", rtl::DEFAULT_CHARSET), "?\xE9");
    EXPECT_EQ(report::rptWideToMultiByte(u"\u00E9", rtl::DEFAULT_CHARSET, report::CP_UTF8), "\xC3\xA9");
    EXPECT_EQ(report::rptWideToMultiByte(u"abc", rtl::SHIFTJIS_CHARSET), "");
}

}  // namespace
