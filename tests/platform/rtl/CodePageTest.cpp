#include "platform/rtl/CodePage.h"

#include "platform/rtl/Exceptions.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iconv.h>
#include <optional>

namespace {

constexpr int kCodePages[] = {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

TEST(CodePage, EveryByteRoundTripsThroughUtf16AndUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    for (int codePage : kCodePages) {
        SCOPED_TRACE(codePage);
        const std::u16string wide = rtl::AnsiToWide(all, codePage);
        ASSERT_EQ(wide.size(), 256u);
        for (int b = 0; b < 0x80; ++b)
            EXPECT_EQ(wide[b], char16_t(b));
        std::string back;
        size_t bad = 0;
        EXPECT_TRUE(rtl::TryWideToAnsi(wide, back, &bad, codePage));
        EXPECT_EQ(bad, std::string::npos);
        EXPECT_EQ(back, all);
        EXPECT_EQ(rtl::WideToAnsi(wide, codePage), all);

        const std::string utf8 = rtl::AnsiToUtf8(all, codePage);
        EXPECT_EQ(rtl::Utf8ToAnsi(utf8, codePage), all);
        EXPECT_EQ(rtl::Utf8ToWide(utf8), wide);
        EXPECT_EQ(rtl::WideToUtf8(wide), utf8);
    }
}

TEST(CodePage, BytesMapToTheCharactersOfTheirPage)
{
    struct Case {
        int codePage;
        unsigned char byte;
        char16_t character;
    };
    const Case cases[] = {
        {1250, 0xA3, 0x0141},  // L with stroke
        {1250, 0x81, 0x0081},  // undefined: the C1 control of the same number
        {1251, 0xC0, 0x0410},  // Cyrillic A
        {1251, 0x98, 0x0098},  // undefined
        {1252, 0x80, 0x20AC},  // euro sign
        {1252, 0x9F, 0x0178},  // Y with diaeresis
        {1252, 0x8D, 0x008D},  // undefined
        {1253, 0xE1, 0x03B1},  // alpha
        {1254, 0xD0, 0x011E},  // G with breve
        {1255, 0xE0, 0x05D0},  // alef
        {1256, 0xC7, 0x0627},  // alef
        {1257, 0xC0, 0x0104},  // A with ogonek
        {1258, 0xD2, 0x0309},  // combining hook above, decoded on its own
        {1258, 0xDD, 0x01AF},  // U with horn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(rtl::CodePageChars(c.codePage)[c.byte], c.character);
        EXPECT_EQ(rtl::AnsiToWide(std::string(1, char(c.byte)), c.codePage), std::u16string(1, c.character));
    }
}

// The OEM pages against the system's own conversion tables where it has them (720 it has not: its
// characters are checked one by one), and each ANSI page's partner.
TEST(CodePage, OemPagesConvertLikeTheSystemTables)
{
    for (int codePage : {437, 737, 775, 852, 857, 862, 866}) {
        SCOPED_TRACE(codePage);
        ASSERT_TRUE(rtl::IsSupportedCodePage(codePage));
        const std::string name = "CP" + std::to_string(codePage);
        iconv_t cd = iconv_open("UTF-16LE", name.c_str());
        ASSERT_NE(cd, iconv_t(-1));
        for (int b = 0; b < 256; ++b) {
            char in = char(b);
            char* inPtr = &in;
            size_t inLeft = 1;
            char16_t out = 0;
            char* outPtr = reinterpret_cast<char*>(&out);
            size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const bool defined = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
            // Undefined: the byte's own character, or a private-use one where the page has that already.
            const char16_t undefined = codePage == 857 && b >= 0xA0 ? char16_t(0xF700 + b) : char16_t(b);
            EXPECT_EQ(rtl::CodePageChars(codePage)[b], defined ? out : undefined) << b;
        }
        iconv_close(cd);
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        EXPECT_EQ(rtl::WideToAnsi(rtl::AnsiToWide(all, codePage), codePage), all);
    }
    const std::pair<unsigned char, char16_t> arabic[] = {
        {0x82, 0x00E9}, {0x91, 0x0651}, {0x98, 0x0621}, {0xE0, 0x0636}, {0xE5, 0x0641}, {0x80, 0x0080}};
    for (auto [byte, character] : arabic)
        EXPECT_EQ(rtl::CodePageChars(720)[byte], character) << int(byte);

    const std::pair<int, int> partners[] = {{1250, 852}, {1251, 866}, {1252, 437}, {1253, 737}, {1254, 857},
                                            {1255, 862}, {1256, 720}, {1257, 775}, {1258, 1258}};
    for (auto [ansi, oem] : partners)
        EXPECT_EQ(rtl::OemCodePage(ansi), oem);
    EXPECT_THROW(rtl::OemCodePage(866), rtl::EInvalidArgument);
    EXPECT_FALSE(rtl::IsSupportedCodePage(932));
    EXPECT_THROW(rtl::CodePageChars(932), rtl::EInvalidArgument);
}

TEST(CodePage, CharactersOutsideThePageAreRefused)
{
    const std::u16string wide = u"ab\u0141c";  // L with stroke is not in 1252
    std::string ansi = "stale";
    size_t bad = 0;
    EXPECT_FALSE(rtl::TryWideToAnsi(wide, ansi, &bad, 1252));
    EXPECT_EQ(bad, 2u);
    EXPECT_EQ(ansi, "");
    EXPECT_EQ(rtl::WideToAnsi(wide, 1252), "ab?c");
    EXPECT_EQ(rtl::WideToAnsi(wide, 1250), "ab\xA3" "c");

    // A character beyond the BMP and a lone surrogate each give one '?'.
    EXPECT_EQ(rtl::WideToAnsi(u"a\U0001F600b\xD800", 1252), "a?b?");
    EXPECT_FALSE(rtl::TryWideToAnsi(u"a\xDC00", ansi, &bad, 1252));
    EXPECT_EQ(bad, 1u);

    const std::string utf8 = "x\xC5\x81y";  // "xŁy"
    EXPECT_FALSE(rtl::TryUtf8ToAnsi(utf8, ansi, &bad, 1252));
    EXPECT_EQ(bad, 1u);
    EXPECT_EQ(ansi, "");
    EXPECT_TRUE(rtl::TryUtf8ToAnsi(utf8, ansi, &bad, 1250));
    EXPECT_EQ(ansi, "x\xA3y");
    try {
        rtl::Utf8ToAnsi(utf8, 1252);
        FAIL() << "no exception";
    } catch (const rtl::EEncodingError& e) {
        EXPECT_EQ(e.Message(), "The character U+0141 cannot be represented in code page 1252");
    }
    try {
        rtl::Utf8ToAnsi("\xF0\x9F\x98\x80", 1252);
        FAIL() << "no exception";
    } catch (const rtl::EEncodingError& e) {
        EXPECT_EQ(e.Message(), "The character U+1F600 cannot be represented in code page 1252");
    }
}

TEST(CodePage, InvalidUtf8IsRefusedOrReplaced)
{
    struct Case {
        const char* name;
        std::string utf8;
        size_t badIndex;
        std::u16string replaced;
    };
    const Case cases[] = {
        {"lone continuation byte", "a\x80" "b", 1, u"a\uFFFDb"},
        {"byte never used", "a\xFF", 1, u"a\uFFFD"},
        {"overlong slash", "\xC0\xAF", 0, u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", 0, u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "ab\xED\xA0\x80", 2, u"ab\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"cut short", "a\xE2\x82", 1, u"a\uFFFD"},
        {"cut short before ASCII", "\xE2\x82" "b", 0, u"\uFFFDb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string wide = u"stale";
        size_t bad = 0;
        EXPECT_FALSE(rtl::TryUtf8ToWide(c.utf8, wide, &bad));
        EXPECT_EQ(bad, c.badIndex);
        EXPECT_EQ(wide, u"");
        EXPECT_EQ(rtl::Utf8ToWide(c.utf8), c.replaced);

        std::string ansi;
        EXPECT_FALSE(rtl::TryUtf8ToAnsi(c.utf8, ansi, &bad, 1252));
        EXPECT_EQ(bad, c.badIndex);
        try {
            rtl::Utf8ToAnsi(c.utf8, 1252);
            FAIL() << "no exception";
        } catch (const rtl::EEncodingError& e) {
            EXPECT_EQ(e.Message(), "Invalid UTF-8 sequence at byte " + std::to_string(c.badIndex));
        }
    }
}

TEST(CodePage, Utf16AndUtf8CoverAllPlanes)
{
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // A, e acute, euro, a face
    const std::u16string wide = u"A\u00E9\u20AC\U0001F600";
    std::u16string toWide;
    EXPECT_TRUE(rtl::TryUtf8ToWide(utf8, toWide));
    EXPECT_EQ(toWide, wide);
    std::string toUtf8;
    EXPECT_TRUE(rtl::TryWideToUtf8(wide, toUtf8));
    EXPECT_EQ(toUtf8, utf8);
}

TEST(CodePage, LoneSurrogatesAreRefusedOrReplaced)
{
    struct Case {
        std::u16string wide;
        size_t badIndex;
        std::string replaced;
    };
    const Case cases[] = {
        {u"a\xD800" u"b", 1, "a\xEF\xBF\xBD" "b"},
        {u"\xDC00", 0, "\xEF\xBF\xBD"},
        {u"x\xDE00\xD83D", 1, "x\xEF\xBF\xBD\xEF\xBF\xBD"},  // a pair in the wrong order
        {u"\xD83D", 0, "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        std::string utf8 = "stale";
        size_t bad = 0;
        EXPECT_FALSE(rtl::TryWideToUtf8(c.wide, utf8, &bad));
        EXPECT_EQ(bad, c.badIndex);
        EXPECT_EQ(utf8, "");
        EXPECT_EQ(rtl::WideToUtf8(c.wide), c.replaced);
    }
}

TEST(CodePage, LocaleNamesChooseTheCodePage)
{
    struct Case {
        const char* locale;
        int codePage;
    };
    const Case cases[] = {
        {"cs_CZ.UTF-8", 1250}, {"pl_PL", 1250},       {"hu", 1250},          {"sk_SK.UTF-8", 1250},
        {"sl_SI", 1250},       {"hr_HR", 1250},       {"ro_RO.UTF-8", 1250}, {"sq_AL", 1250},
        {"bs_BA", 1250},       {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251},       {"be_BY", 1251},
        {"bg_BG", 1251},       {"mk_MK", 1251},       {"sr_RS.UTF-8", 1251}, {"sr_RS@latin", 1250},
        {"sr_RS.UTF-8@latin", 1250}, {"el_GR.UTF-8", 1253}, {"tr_TR", 1254}, {"az_AZ", 1254},
        {"he_IL.UTF-8", 1255}, {"ar_EG", 1256},       {"fa_IR", 1256},       {"ur_PK", 1256},
        {"et_EE", 1257},       {"lv_LV", 1257},       {"lt_LT", 1257},       {"vi_VN", 1258},
        {"RU_ru", 1251},       {"en_US.UTF-8", 1252}, {"de_DE@euro", 1252},  {"C", 1252},
        {"POSIX", 1252},       {"", 1252},            {"csb_PL", 1252},      {"xx", 1252},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtl::CodePageForLocale(c.locale), c.codePage) << c.locale;
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(kNames[i]);
            saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }
    static void Set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    static constexpr const char* kNames[3] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironment, LcAllThenLcCtypeThenLang)
{
    struct Case {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        int codePage;
    };
    const Case cases[] = {
        {"pl_PL.UTF-8", "ru_RU.UTF-8", "el_GR.UTF-8", 1250},
        {nullptr, "ru_RU.UTF-8", "el_GR.UTF-8", 1251},
        {"", "ru_RU.UTF-8", "el_GR.UTF-8", 1251},  // an empty variable counts as unset
        {nullptr, nullptr, "el_GR.UTF-8", 1253},
        {nullptr, nullptr, nullptr, 1252},
    };
    for (const Case& c : cases) {
        Set("LC_ALL", c.lcAll);
        Set("LC_CTYPE", c.lcCtype);
        Set("LANG", c.lang);
        EXPECT_EQ(rtl::LocaleCodePage(), c.codePage);
    }
}

TEST(CodePage, ProcessCodePageCanBeReplacedWithinTheAnsiPages)
{
    const int saved = rtl::AnsiCodePage();
    EXPECT_GE(saved, 1250);
    EXPECT_LE(saved, 1258);
    rtl::SetAnsiCodePage(1251);
    EXPECT_EQ(rtl::AnsiCodePage(), 1251);
    EXPECT_EQ(rtl::AnsiToWide("\xC0"), u"\u0410");
    EXPECT_EQ(rtl::Utf8ToAnsi("\xD0\x90"), "\xC0");
    for (int wrong : {0, 437, 874, 1249, 1259, 65001})
        EXPECT_THROW(rtl::SetAnsiCodePage(wrong), rtl::EInvalidArgument) << wrong;
    EXPECT_EQ(rtl::AnsiCodePage(), 1251);
    EXPECT_THROW(rtl::AnsiToWide("a", 1200), rtl::EInvalidArgument);
    rtl::SetAnsiCodePage(saved);
}

}  // namespace
