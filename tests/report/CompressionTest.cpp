#include "report/rptGZip.h"
#include "report/rptZLib.h"

#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using report::TZCompressionLevel;

std::string Sample()
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i * 7 % 101) + " of the sample\r\n";
    return text;
}

std::string Compress(const std::string& data, TZCompressionLevel level)
{
    rtl::TStringStream source(data), target;
    report::rptCompressStream(source, target, level);
    return target.DataString();
}

// qpdf's zlib-flate restores what each level wrote; the header names the level (stored and fastest
// share 78 01).
TEST(Compression, EveryLevelWritesAZlibStreamOthersRestore)
{
    struct Case {
        TZCompressionLevel level;
        std::string header;
    };
    const Case cases[] = {{TZCompressionLevel::zcNone, "\x78\x01"},
                          {TZCompressionLevel::zcFastest, "\x78\x01"},
                          {TZCompressionLevel::zcDefault, "\x78\x9C"},
                          {TZCompressionLevel::zcMax, "\x78\xDA"}};
    const std::string data = Sample();
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.level));
        const std::string packed = Compress(data, c.level);
        EXPECT_EQ(packed.substr(0, 2), c.header);
        const testsupport::ToolResult restored = testsupport::RunTool({"zlib-flate", "-uncompress"}, packed);
        EXPECT_EQ(restored.exitCode, 0);
        EXPECT_EQ(restored.output, data);
        EXPECT_EQ(report::ZDecompressBuffer(packed), data);
    }
}

TEST(Compression, EmptySourceGivesAWholeStream)
{
    const std::string packed = Compress("", TZCompressionLevel::zcDefault);
    // Header, an empty final block, and the Adler-32 of nothing (1).
    EXPECT_EQ(packed, std::string("\x78\x9C\x03\x00\x00\x00\x00\x01", 8));
    EXPECT_EQ(testsupport::RunTool({"zlib-flate", "-uncompress"}, packed).output, "");
}

// Output leaves in 64 KiB blocks at the position the target had, even when someone moved it meanwhile.
TEST(Compression, StreamCountsItsInputAndRefusesEverythingElse)
{
    rtl::TStringStream target("prefix");
    target.SetPosition(6);
    int blocks = 0;
    struct Counter {
        int& blocks;
        void Count(report::TCustomZStream*) { ++blocks; }
    } counter{blocks};
    std::mt19937 random(7);
    std::string data;
    for (int i = 0; i < 200000; ++i)
        data += char(random());  // hardly compressible
    {
        report::TZCompressionStream stream(TZCompressionLevel::zcFastest, target);
        stream.OnProgress = rtl::MethodOf<&Counter::Count>(&counter);
        stream.WriteBuffer("0123456789", 10);
        EXPECT_EQ(stream.Seek(0, rtl::SeekOrigin::Current), 10);
        EXPECT_EQ(stream.Position(), 10);
        EXPECT_THROW(stream.Seek(1, rtl::SeekOrigin::Current), report::EZCompressionError);
        EXPECT_THROW(stream.Seek(0, rtl::SeekOrigin::Beginning), report::EZCompressionError);
        char buffer[4];
        try {
            stream.Read(buffer, 4);
            ADD_FAILURE() << "Read did not raise";
        } catch (const report::EZCompressionError& e) {
            EXPECT_EQ(e.Message(), "Invalid ZStream operation!");
        }
        target.SetPosition(0);
        stream.WriteBuffer(data.data(), std::int64_t(data.size()));
        EXPECT_EQ(stream.Seek(0, rtl::SeekOrigin::Current), 200010);
        stream.Finish();
        EXPECT_THROW(stream.WriteBuffer("x", 1), report::EZCompressionError);
    }
    EXPECT_GE(blocks, 3);
    ASSERT_EQ(target.DataString().substr(0, 6), "prefix");
    EXPECT_EQ(report::ZDecompressBuffer(target.DataString().substr(6)), "0123456789" + data);
}

// Without Finish the destructor ends the stream; it never raises.
TEST(Compression, DestructorFinishesTheStream)
{
    rtl::TStringStream target;
    {
        report::TZCompressionStream stream(TZCompressionLevel::zcMax, target);
        stream.WriteBuffer("abc", 3);
    }
    EXPECT_EQ(report::ZDecompressBuffer(target.DataString()), "abc");
}

TEST(Compression, DecompressingDamagedDataNamesZlibsError)
{
    const std::string packed = Compress(Sample(), TZCompressionLevel::zcDefault);
    struct Case {
        std::string input;
        std::string message;
    };
    std::string wrongSum = packed;
    wrongSum.back() ^= 1;
    const Case cases[] = {
        {"not zlib", "data error"},
        {wrongSum, "data error"},
        {packed.substr(0, packed.size() / 2), "buffer error"},
        {"", "buffer error"},
        // Flag bit 5 asks for a preset dictionary, which no one can give.
        {std::string("\x08\x7A\xA3\x08\x8B\x1F", 6), "need dictionary"},
    };
    for (const Case& c : cases) {
        try {
            report::ZDecompressBuffer(c.input);
            ADD_FAILURE() << "no error for input of " << c.input.size() << " bytes";
        } catch (const report::EZDecompressionError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_EQ(report::ZLibErrorText(-3), "data error");
    EXPECT_EQ(report::ZLibErrorText(2), "need dictionary");
    EXPECT_EQ(report::ZLibErrorText(-6), "incompatible version");
}

// The fixture containers keep the data's Adler-32 in their time field; gzip unpacks them by their trailer,
// an independent route to the same bytes.
TEST(Compression, ProgramContainersUnpackWithAndWithoutAName)
{
    const std::string folder = RIVUVE_FIXTURES "/report/";
    const std::string named = testsupport::ReadBytes(folder + "container-named.gz");
    const std::string plain = testsupport::ReadBytes(folder + "container.gz");
    const testsupport::ToolResult reference = testsupport::RunTool({"gzip", "-dc"}, plain);
    ASSERT_EQ(reference.exitCode, 0);
    ASSERT_FALSE(reference.output.empty());

    rtl::TStringStream namedSource(named), namedTarget, plainSource(plain), plainTarget;
    EXPECT_EQ(report::rptGZipDecompress(namedSource, namedTarget), "strip.bmp");
    EXPECT_EQ(report::rptGZipDecompress(plainSource, plainTarget), "");
    EXPECT_EQ(namedTarget.DataString(), reference.output);
    EXPECT_EQ(plainTarget.DataString(), reference.output);
}

TEST(Compression, DamagedContainersAreDataErrorsAndWriteNothing)
{
    const std::string good = testsupport::ReadBytes(RIVUVE_FIXTURES "/report/container-named.gz");
    const std::string gzipFile = testsupport::RunTool({"gzip", "-nc"}, "a plain gzip file\n").output;
    std::string wrongSum = good;
    wrongSum[4] ^= 0x40;
    std::string noZero = good.substr(0, 10) + std::string(good.size() - 10, 'n');
    const std::string cases[] = {
        "",
        good.substr(0, 17),  // header and trailer do not fit
        wrongSum,
        noZero,
        "PK\x03\x04 this is no container at all",
        gzipFile,
        good.substr(0, good.size() - 30),  // cut inside the data
    };
    for (const std::string& input : cases) {
        rtl::TStringStream source(input), target("kept");
        try {
            report::rptGZipDecompress(source, target);
            ADD_FAILURE() << "no error for input of " << input.size() << " bytes";
        } catch (const report::EZDecompressionError& e) {
            EXPECT_EQ(e.Message(), "data error") << input.size();
        }
        EXPECT_EQ(target.DataString(), "kept");
    }
}

}  // namespace
