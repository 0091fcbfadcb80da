#include "report/rptXML.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Dates.h"

#include <gtest/gtest.h>

namespace {

using report::StrToXML;
using report::XMLToStr;

TEST(XmlEscape, SpecialCharactersBecomeNumericReferences)
{
    struct Case {
        std::string text;
        std::string xml;
    };
    const Case cases[] = {
        {"a\"b", "a&#34;b"},
        {"&quot;", "&#34;"},
        {"&", "&#38;"},
        {"&amp;", "&#38;amp;"},
        {"<>", "&#60;&#62;"},
        {"\r\n", "&#13;&#10;"},
        {"plain text", "plain text"},
        {"", ""},
        {"x&quot", "x&#38;quot"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToXML(c.text), c.xml) << c.text;
        EXPECT_EQ(XMLToStr(c.xml), c.text == "&quot;" ? "\"" : c.text) << c.xml;
    }
}

// The output does not depend on the length of the text (the original switched its method at 32).
TEST(XmlEscape, LongAndShortTextsEscapeAlike)
{
    for (std::size_t length : {31u, 32u, 33u}) {
        for (std::size_t at : {std::size_t(0), length / 2, length - 1}) {
            std::string text(length, 'x');
            std::string expected(length, 'x');
            for (const auto& [c, reference] : {std::pair<char, std::string>{'"', "&#34;"}, {'&', "&#38;"},
                                               {'<', "&#60;"}, {'\n', "&#10;"}}) {
                text[at] = c;
                expected = std::string(at, 'x') + reference + std::string(length - at - 1, 'x');
                EXPECT_EQ(StrToXML(text), expected) << length << " " << at;
                EXPECT_EQ(XMLToStr(expected), text);
            }
        }
        std::string quot = std::string(length - 6, 'y') + "&quot;";
        EXPECT_EQ(StrToXML(quot), std::string(length - 6, 'y') + "&#34;");
    }
}

TEST(XmlEscape, ReadingDecodesReferencesAndLeavesTheRest)
{
    struct Case {
        std::string xml;
        std::string text;
    };
    const Case cases[] = {
        {"&quot;&amp;&lt;&gt;", "\"&<>"},
        {"&apos;", "&apos;"},
        {"x&#65", "x&#65"},
        {"&#;", "&#;"},
        {"&#300;", "&#300;"},
        {"&#256;", "&#256;"},
        {"&#255;", "\xFF"},
        {"&#065;&#66;", "AB"},
        {"&#x41;", "&#x41;"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"&", "&"},
        {"&#", "&#"},
        {"a&b;c", "a&b;c"},
        {"&#38;#34;", "&#34;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XMLToStr(c.xml), c.text) << c.xml;
}

TEST(XmlEscape, ValuesAsAttributeText)
{
    rtl::FormatSettings& settings = rtl::DefaultFormatSettings();
    const rtl::FormatSettings saved = settings;
    settings.DecimalSeparator = '.';
    settings.ShortDateFormat = "dd.MM.yyyy";
    settings.DateSeparator = '.';
    EXPECT_EQ(report::ValueToXML(rtl::Variant(std::int16_t(-5))), "-5");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(12345678)), "12345678");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(std::uint8_t(200))), "200");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(2.5)), "2.5");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(0.1f)), "0.100000001490116");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(rtl::Currency::FromScaled(12345))), "1.2345");
    EXPECT_EQ(report::ValueToXML(rtl::Variant::FromDate(rtl::EncodeDate(2024, 2, 29) + 0.75)), "29.02.2024");
    EXPECT_EQ(report::ValueToXML(rtl::Variant("a<b")), "a&#60;b");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(std::u16string(u"\"q\""))), "&#34;q&#34;");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(true)), "1");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(false)), "0");
    EXPECT_EQ(report::ValueToXML(rtl::Variant()), "");
    EXPECT_EQ(report::ValueToXML(rtl::Variant::Null()), "");
    EXPECT_EQ(report::ValueToXML(rtl::Variant(std::int64_t(1) << 40)), "");
    settings = saved;
}

}  // namespace
