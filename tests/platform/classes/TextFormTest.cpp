#include "SampleComponents.h"

#include "platform/classes/Classes.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

using namespace std::string_literals;
using classes::ObjectBinaryToText;
using classes::ObjectTextToBinary;
using sample::TNode;

std::string Fixture(const std::string& name)
{
    std::ifstream file(std::string(RIVUVE_FIXTURES) + "/forms/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// A root with its stored data around one property: "RVF0", class TX, name X, the property P, the
// ends of the property and child lists.
std::string OneProperty(const std::string& valueBytes)
{
    return "RVF0\x02TX\x01X\x01P"s + valueBytes + "\0\0"s;
}

std::string OnePropertyText(const std::string& value)
{
    return "object X: TX\n  P = " + value + "\nend\n";
}

TEST(TextForm, EveryConstructSurvivesTextToBinaryToText)
{
    std::string text = Fixture("EveryConstruct.form");
    ASSERT_FALSE(text.empty());
    std::string binary = ObjectTextToBinary(text);
    EXPECT_EQ(ObjectBinaryToText(binary), text);
    EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(binary)), binary);
}

// Each value against the bytes the binary form documents for it, both ways.
TEST(TextForm, ValuesHaveTheirDocumentedBytes)
{
    struct Case {
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {"-5", "\x02\xFB"s},
        {"200", "\x03\xC8\x00"s},
        {"70000", "\x04\x70\x11\x01\x00"s},
        {"-9000000000", "\x13\x00\xE6\x8E\xE7\xFD\xFF\xFF\xFF"s},
        {"5i32", "\x04\x05\x00\x00\x00"s},
        {"1.5", "\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F"s},
        {"0.25s", "\x0F\x00\x00\x80\x3E"s},
        {"0.5d", "\x15\x00\x00\x00\x00\x00\x00\xE0\x3F"s},
        {"1.5t", "\x11\x00\x00\x00\x00\x00\x00\xF8\x3F"s},
        {"-1.2345c", "\x10\xC7\xCF\xFF\xFF\xFF\xFF\xFF\xFF"s},
        {"'a''b'#9", "\x06\x04" "a'b\t"s},
        {"L'ab'", "\x0C\x02\x00\x00\x00" "ab"s},
        {"W'a'#1046", "\x12\x02\x00\x00\x00" "a\x00\x16\x04"s},
        {"U#195#169", "\x14\x02\x00\x00\x00\xC3\xA9"s},
        {"alClient", "\x07\x08" "alClient"s},
        {"Form2.Button1", "\x07\x0D" "Form2.Button1"s},
        {"False", "\x08"s},
        {"True", "\x09"s},
        {"nil", "\x0D"s},
        {"Null", "\x00"s},
        {"{\n    00FF}", "\x0A\x02\x00\x00\x00\x00\xFF"s},
        {"[fsBold, fsItalic]", "\x0B\x06" "fsBold" "\x08" "fsItalic" "\x00"s},
        {"(\n    1\n    'x')", "\x01\x02\x01\x06\x01x\x00"s},
        {"<\n    item\n      N = 1\n    end>", "\x0E\x01\x01N\x02\x01\x00\x00"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ObjectTextToBinary(OnePropertyText(c.text)), OneProperty(c.bytes));
        EXPECT_EQ(ObjectBinaryToText(OneProperty(c.bytes)), OnePropertyText(c.text));
    }
}

TEST(TextForm, InputAcceptsHexIntegersAndLooseHexBlocks)
{
    EXPECT_EQ(ObjectTextToBinary(OnePropertyText("$FF")), OneProperty("\x03\xFF\x00"s));
    EXPECT_EQ(ObjectTextToBinary(OnePropertyText("{ 0a 0B\n 0c }")), OneProperty("\x0A\x03\x00\x00\x00\x0A\x0B\x0C"s));
}

TEST(TextForm, ComponentHeadersCarryTheirPrefixFlags)
{
    std::string text = "inherited Root: TRoot\n"
                       "  inline Frame1: TFrame1 [3]\n"
                       "  end\n"
                       "  inherited inline Frame2: TFrame2\n"
                       "  end\n"
                       "  object TTimer\n"
                       "  end\n"
                       "end\n";
    std::string binary = "RVF0\xF1\x05TRoot\x04Root\x00"
                         "\xF6\x02\x03\x07TFrame1\x06" "Frame1\x00\x00"
                         "\xF5\x07TFrame2\x06" "Frame2\x00\x00"
                         "\x06TTimer\x00\x00\x00"
                         "\x00"s;
    EXPECT_EQ(ObjectTextToBinary(text), binary);
    EXPECT_EQ(ObjectBinaryToText(binary), text);
}

// Data the component writer produced reads back through the text form unchanged, and the
// components read from the converted data are the ones written.
TEST(TextForm, WrittenComponentsSurviveBinaryToTextToBinary)
{
    classes::initialize();
    sample::RegisterSamples();
    {
        TNode root(nullptr);
        root.SetName("Root");
        root.count = 123456;
        root.ratio = 0.1f;
        root.scale = 1.0 / 3.0;
        root.extended = 2.5e300;
        root.price = rtl::Currency::FromScaled(-123456789);
        root.stamp = 45000.75;
        root.caption = std::string(300, 'x') + "\r\n'quoted'";
        root.wideCaption = u"wide \u20AC";
        root.shades = 5;
        root.Lines()->Add("one");
        root.blob = std::string("\0\1\2binary\xff", 10);
        root.numbers = {1, 300, -70000};
        root.Items()->Add();
        auto* child = new TNode(&root);
        child->SetName("Child");
        child->parent = &root;
        child->buddy = &root;
        child->onChange = rtl::MethodOf<&TNode::Clicked>(&root);

        rtl::TMemoryStream written;
        classes::TWriter(written).WriteRootComponent(&root);
        std::string binary = sample::Bytes(written);
        std::string text = ObjectBinaryToText(binary);
        ASSERT_EQ(ObjectTextToBinary(text), binary) << text;

        rtl::TStringStream converted(ObjectTextToBinary(text));
        std::unique_ptr<TNode> copy(static_cast<TNode*>(classes::TReader(converted).ReadRootComponent(nullptr)));
        EXPECT_EQ(copy->caption, root.caption);
        EXPECT_EQ(copy->wideCaption, root.wideCaption);
        EXPECT_EQ(copy->ratio, 0.1f);
        EXPECT_EQ(copy->scale, 1.0 / 3.0);
        EXPECT_EQ(copy->price.scaled, -123456789);
        auto* copiedChild = static_cast<TNode*>(copy->FindComponent("Child"));
        ASSERT_NE(copiedChild, nullptr);
        EXPECT_EQ(copiedChild->buddy, copy.get());
    }
    classes::finalize();
}

TEST(TextForm, MalformedTextNamesTheLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"object X: TX\n  P 5\nend\n", "Line 2: '=' expected but '5' found"},
        {"object X: TX\n  P = 'open\nend\n", "Line 2: Unterminated string"},
        {"object X: TX\n\n  P = \xC3\xA9\nend\n", "Line 3: Invalid character #195"},
        {"object X: TX\n  P = 'caf\xC3\xA9'\nend\n", "Line 2: Character #195 in a string must be written as #n"},
        {"object X: TX\n  P = 99999999999999999999\nend\n", "Line 2: Invalid integer value 99999999999999999999"},
        {"object X: TX\n  P = 300i16x\nend\n", "Line 2: Invalid integer value 300i16x"},
        {"object X: TX\n  P = 1.23456c\nend\n", "Line 2: Invalid currency value 1.23456c"},
        {"object X: TX\n  P = 1e9999\nend\n", "Line 2: Invalid floating point value 1e9999"},
        {"object X: TX\n  P = {\n  0A0}\nend\n", "Line 3: Invalid binary value: odd number of hexadecimal digits"},
        {"object X: TX\n  P = (1\n", "Line 3: Value expected but end of text found"},
        {"object X: TX\n  P = <\n  1>\nend\n", "Line 3: 'item' expected but '1' found"},
        {"object X: TX\n  P = #70000\nend\n", "Line 2: Invalid character code in string"},
        {"object X: TX\nend\nend\n", "Line 3: end of text expected but 'end' found"},
        {"object X: TX\n  object Y: TY\n", "Line 3: 'end' expected but end of text found"},
        {"thing X: TX\nend\n", "Line 1: 'object' expected but 'thing' found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ObjectTextToBinary(c.text);
            ADD_FAILURE() << "no error";
        } catch (const classes::EParserError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

// A class name's length byte would read back as the prefix byte from 240 bytes on.
TEST(TextForm, ClassNamesTooLongToReadBackAreRefused)
{
    const std::string fits(239, 'T');
    const std::string tooLong(240, 'T');
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary("object X: " + fits + "\nend\n")),
              "object X: " + fits + "\nend\n");
    try {
        ObjectTextToBinary("object X: " + tooLong + "\nend\n");
        ADD_FAILURE() << "no error";
    } catch (const classes::EParserError& e) {
        EXPECT_EQ(std::string(e.what()), "Line 1: Class name too long: " + tooLong);
    }
}

TEST(TextForm, DamagedBinaryRaisesAndWritesNothing)
{
    rtl::TStringStream input("RVF0\x02TX\x01X\x01P\x06\x09"s);
    rtl::TStringStream output("kept");
    EXPECT_THROW(ObjectBinaryToText(input, output), rtl::EReadError);
    EXPECT_EQ(output.DataString(), "kept");
    EXPECT_THROW(ObjectBinaryToText("XXXX\x02TX\x01X\x00\x00"s), rtl::EReadError);
    EXPECT_THROW(ObjectBinaryToText(OneProperty("\x02\x01"s) + "trailing"), rtl::EReadError);
}

TEST(TextForm, AppendedPropertiesEndTheirObjectsPropertyList)
{
    std::string binary = ObjectTextToBinary("object X: TX\n  object Y: TY\n    A = 1\n  end\nend\n",
                                            [](const std::string& className, const std::string&,
                                               classes::TBinaryWriter& writer) {
                                                if (className != "TY")
                                                    return;
                                                writer.WriteStr("B");
                                                writer.WriteInteger(2);
                                            });
    EXPECT_EQ(binary, "RVF0\x02TX\x01X\x00\x02TY\x01Y\x01" "A\x02\x01\x01" "B\x02\x02\x00\x00\x00"s);
}

}  // namespace
