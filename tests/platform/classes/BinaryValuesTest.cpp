#include "SampleComponents.h"

#include "platform/classes/BinaryReader.h"
#include "platform/classes/BinaryWriter.h"
#include "platform/classes/Classes.h"
#include "platform/classes/ComponentWriter.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace std::string_literals;
using classes::TBinaryReader;
using classes::TBinaryWriter;
using classes::TValueType;

std::string Written(const std::function<void(TBinaryWriter&)>& write)
{
    rtl::TMemoryStream stream;
    TBinaryWriter writer(stream);
    write(writer);
    return sample::Bytes(stream);
}

struct Source {
    explicit Source(const std::string& bytes) { stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size())); stream.SetPosition(0); }
    rtl::TMemoryStream stream;
    TBinaryReader reader{stream};
};

// A component whose only stored data is one binary block, as translation tables are stored.
class TTable : public classes::TComponent {
public:
    using TComponent::TComponent;
    std::string block;
    void DefineProperties(classes::TFiler& filer) override
    {
        filer.DefineBinaryProperty(
            "TranslationData",
            [this](rtl::TStream& s) {
                block.assign(std::size_t(s.Size()), '\0');
                s.ReadBuffer(block.data(), s.Size());
            },
            [this](rtl::TStream& s) { s.WriteBuffer(block.data(), std::int64_t(block.size())); }, true);
    }
};

TEST(BinaryValues, BinaryPropertyIsMarker10WithLittleEndianLength)
{
    TTable table(nullptr);
    table.block = "stCaptions\r\nTAPPSEL2\x01Select Application\x01\r\n";
    rtl::TMemoryStream stream;
    classes::TWriter writer(stream);
    writer.WriteDefinedProperties(&table);
    EXPECT_EQ(sample::Bytes(stream), "\x0FTranslationData"s + "\x0A\x2A\x00\x00\x00"s + table.block);
}

TEST(BinaryValues, LongStringIsMarker12WithLittleEndianLength)
{
    // A stored collection in the template form: a list of lists each holding one long string.
    std::string text(300, 'a');
    text += "\xE9";
    std::string bytes = Written([&](TBinaryWriter& w) {
        w.WriteListBegin();
        w.WriteListBegin();
        w.WriteLongString("Name=\"x\"");
        w.WriteListEnd();
        w.WriteListBegin();
        w.WriteString(text);
        w.WriteListEnd();
        w.WriteListEnd();
    });
    EXPECT_EQ(bytes, "\x01\x01\x0C\x08\x00\x00\x00Name=\"x\"\x00"s + "\x01\x0C\x2D\x01\x00\x00"s + text + "\x00\x00"s);
    Source in(bytes);
    in.reader.ReadListBegin();
    in.reader.ReadListBegin();
    EXPECT_EQ(in.reader.ReadString(), "Name=\"x\"");
    in.reader.ReadListEnd();
    in.reader.ReadListBegin();
    EXPECT_EQ(in.reader.ReadString(), text);
    in.reader.ReadListEnd();
    in.reader.ReadListEnd();
}

TEST(BinaryValues, NumbersTakeTheirMarkersAndBytes)
{
    struct Case {
        std::function<void(TBinaryWriter&)> write;
        std::string bytes;
    };
    const Case cases[] = {
        {[](TBinaryWriter& w) { w.WriteInteger(-128); }, "\x02\x80"s},
        {[](TBinaryWriter& w) { w.WriteInteger(128); }, "\x03\x80\x00"s},
        {[](TBinaryWriter& w) { w.WriteInteger(-32769); }, "\x04\xFF\x7F\xFF\xFF"s},
        {[](TBinaryWriter& w) { w.WriteInteger(1LL << 32); }, "\x13\x00\x00\x00\x00\x01\x00\x00\x00"s},
        // 1.0 as an 80-bit extended: explicit integer bit, exponent bias 16383.
        {[](TBinaryWriter& w) { w.WriteExtended(1.0); }, "\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F"s},
        {[](TBinaryWriter& w) { w.WriteExtended(-2.0); }, "\x05\x00\x00\x00\x00\x00\x00\x00\x80\x00\xC0"s},
        {[](TBinaryWriter& w) { w.WriteSingle(1.0f); }, "\x0F\x00\x00\x80\x3F"s},
        {[](TBinaryWriter& w) { w.WriteDouble(1.0); }, "\x15\x00\x00\x00\x00\x00\x00\xF0\x3F"s},
        {[](TBinaryWriter& w) { w.WriteCurrency(rtl::Currency::FromScaled(10000)); },
         "\x10\x10\x27\x00\x00\x00\x00\x00\x00"s},
        {[](TBinaryWriter& w) { w.WriteDate(2.5); }, "\x11\x00\x00\x00\x00\x00\x00\x04\x40"s},
        {[](TBinaryWriter& w) { w.WriteWideString(u"A\u0416"); }, "\x12\x02\x00\x00\x00\x41\x00\x16\x04"s},
        {[](TBinaryWriter& w) { w.WriteIdent("True"); }, "\x09"s},
        {[](TBinaryWriter& w) { w.WriteIdent("nil"); }, "\x0D"s},
        {[](TBinaryWriter& w) { w.WriteIdent("alClient"); }, "\x07\x08" "alClient"s},
        {[](TBinaryWriter& w) { w.WriteSet({"a", "bc"}); }, "\x0B\x01\x61\x02\x62\x63\x00"s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(c.write), c.bytes);
}

TEST(BinaryValues, ReaderTakesEveryFormBack)
{
    Source in(Written([](TBinaryWriter& w) {
        w.WriteInteger(-5);
        w.WriteInteger(1LL << 40);
        w.WriteExtended(0.1);
        w.WriteSingle(0.5f);
        w.WriteCurrency(rtl::Currency::FromScaled(-12345));
        w.WriteString("short");
        w.WriteWideString(u"\u20AC");
        w.WriteUtf8String("\xE2\x82\xAC");
        w.WriteIdent("False");
        w.WriteSet({"x"});
        w.WriteBinary("\0\1"s);
    }));
    TBinaryReader& r = in.reader;
    EXPECT_EQ(r.ReadInteger(), -5);
    EXPECT_EQ(r.ReadInteger(), 1LL << 40);
    EXPECT_EQ(r.ReadFloat(), 0.1);
    EXPECT_EQ(r.ReadFloat(), 0.5);
    EXPECT_EQ(r.ReadCurrency().scaled, -12345);
    EXPECT_EQ(r.ReadString(), "short");
    EXPECT_EQ(r.ReadWideString(), u"\u20AC");
    EXPECT_EQ(r.ReadWideString(), u"\u20AC");
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadSet(), std::vector<std::string>{"x"});
    EXPECT_EQ(r.ReadBinary(), "\0\1"s);
    EXPECT_THROW(r.ReadValue(), rtl::EReadError);
}

TEST(BinaryValues, SkipValueStepsOverNestedValues)
{
    Source in(Written([](TBinaryWriter& w) {
        w.WriteListBegin();
        w.WriteString("a");
        w.WriteListBegin();
        w.WriteExtended(1);
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteValue(TValueType::Collection);
        w.WriteListBegin();
        w.WriteStr("Caption");
        w.WriteWideString(u"x");
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteInteger(77);
    }));
    in.reader.SkipValue();
    in.reader.SkipValue();
    EXPECT_EQ(in.reader.ReadInteger(), 77);
}

TEST(BinaryValues, DamagedValuesRaiseReadErrors)
{
    struct Case {
        std::string bytes;
        std::function<void(TBinaryReader&)> read;
        const char* message;
    };
    const Case cases[] = {
        {"", [](TBinaryReader& r) { r.ReadValue(); }, "Stream read error"},
        {"\x04\x01\x02"s, [](TBinaryReader& r) { r.ReadInteger(); }, "Stream read error"},
        {"\x16"s, [](TBinaryReader& r) { r.ReadValue(); }, "Invalid property value"},
        {"\x06\x01x"s, [](TBinaryReader& r) { r.ReadInteger(); }, "Invalid property value"},
        {"\x0C\xFF\xFF\xFF\x7F"s, [](TBinaryReader& r) { r.ReadString(); }, "Stream read error"},
        {"\x0C\x00\x00\x00\x80"s, [](TBinaryReader& r) { r.ReadString(); }, "Stream read error"},
        {"\x12\xFF\xFF\xFF\x3F"s, [](TBinaryReader& r) { r.ReadWideString(); }, "Stream read error"},
        {"\x0A\x05\x00\x00\x00\x01"s, [](TBinaryReader& r) { r.ReadBinary(); }, "Stream read error"},
        {"\x0B\x01x"s, [](TBinaryReader& r) { r.ReadSet(); }, "Stream read error"},
        {"\x01\x02\x01"s, [](TBinaryReader& r) { r.SkipValue(); }, "Stream read error"},
        {std::string(100000, '\x01'), [](TBinaryReader& r) { r.SkipValue(); }, "Invalid property value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Source in(c.bytes);
        try {
            c.read(in.reader);
            ADD_FAILURE() << "no error";
        } catch (const rtl::EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

}  // namespace
