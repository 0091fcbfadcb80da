#include "platform/imaging/PngCodec.h"

#include "platform/rtl/Crc32.h"
#include "tests/platform/imaging/PictureTestSupport.h"

#include <zlib.h>

namespace {

using picturetest::Bytes;
using picturetest::FirstDifference;
using picturetest::Pattern;

std::uint32_t Opaque16(int x, int y)
{
    return Pattern(x, y, 16);
}

TEST(PngCodec, ReadsFixturesWithKnownPixels)
{
    struct Case {
        const char* file;
        std::function<std::uint32_t(int, int)> expected;
        bool hasAlpha;
        size_t paletteSize;
    };
    const Case cases[] = {
        {"rgb8.png", Opaque16, false, 0},
        // A 4-bit palette whose red entry is transparent through tRNS.
        {"palette-trns.png",
         [](int x, int y) { return Pattern(x, y, 16) == 0xffff0000 ? 0x00ff0000u : Pattern(x, y, 16); }, true, 16},
        {"grey16.png", [](int x, int y) { return 0xff000000u | ((x + 3 * y) % 16 * 17) * 0x010101u; }, false, 0},
        {"grey1.png", [](int x, int y) { return Pattern(x, y, 2); }, false, 0},
        {"interlaced-rgba.png",
         [](int x, int y) { return (Pattern(x, y, 16) & 0xffffffu) | std::uint32_t((x * 20 + y * 5) % 256) << 24; },
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const win::Image image = win::ReadPng(picturetest::Fixture(c.file));
        ASSERT_EQ(image.Width(), 13);
        ASSERT_EQ(image.Height(), 7);
        EXPECT_EQ(image.HasAlpha(), c.hasAlpha);
        EXPECT_EQ(image.Palette().size(), c.paletteSize);
        EXPECT_EQ(FirstDifference(image, c.expected), "");
    }
}

TEST(PngCodec, RoundTripKeepsPixelsAlphaAndResolution)
{
    struct Case {
        const char* name;
        int width, height;
        bool alpha;
    };
    const Case cases[] = {{"one pixel", 1, 1, false}, {"opaque", 13, 7, false}, {"alpha", 9, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto pixel = [&](int x, int y) {
            const std::uint32_t alpha = c.alpha ? std::uint32_t(x * 30 + y) << 24 : 0xff000000u;
            return alpha | (Pattern(x, y, 16) & 0xffffff);
        };
        win::Image image = picturetest::MakeImage(c.width, c.height, pixel);
        image.SetHasAlpha(c.alpha);
        image.SetResolution(3780, 2835);
        const std::string png = win::WritePng(image);
        const win::Image back = win::ReadPng(png);
        EXPECT_EQ(back.Width(), c.width);
        EXPECT_EQ(back.HasAlpha(), c.alpha);
        EXPECT_EQ(back.XPixelsPerMetre(), 3780);
        EXPECT_EQ(back.YPixelsPerMetre(), 2835);
        EXPECT_EQ(FirstDifference(back, pixel), "");
        EXPECT_IDENTIFY_ACCEPTS(png, "png");
    }
}

TEST(PngCodec, WritingAnEmptyImageFails)
{
    EXPECT_THROW(win::WritePng(win::Image()), win::EInvalidGraphic);
}

// ---- damaged files ----

void Chunk(Bytes& out, std::string_view type, const std::string& body)
{
    std::string typed = std::string(type) + body;
    out.U8(body.size() >> 24).U8(body.size() >> 16).U8(body.size() >> 8).U8(body.size());
    out.Raw(typed);
    const std::uint32_t crc = rtl::Crc32Update(0, typed.data(), typed.size());
    out.U8(crc >> 24).U8(crc >> 16).U8(crc >> 8).U8(crc);
}

std::string BigEndian32(std::uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A PNG of rows (each with its filter byte) under the given header fields.
std::string MakePng(std::uint32_t width, std::uint32_t height, int depth, int colourType, const std::string& palette,
                    const std::string& rows)
{
    Bytes out;
    out.Raw("\x89PNG\r\n\x1a\n");
    Chunk(out, "IHDR", BigEndian32(width) + BigEndian32(height) + char(depth) + char(colourType) + std::string(3, '\0'));
    if (!palette.empty())
        Chunk(out, "PLTE", palette);
    uLongf size = compressBound(rows.size());
    std::string compressed(size, '\0');
    compress(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()), rows.size());
    compressed.resize(size);
    Chunk(out, "IDAT", compressed);
    Chunk(out, "IEND", "");
    return out.Data();
}

TEST(PngCodec, HandMadeFileReads)
{
    // The builder below makes the damaged files; it must make good ones when asked to.
    const std::string palette("\xff\0\0\0\0\xff", 6);
    const win::Image image = win::ReadPng(MakePng(2, 1, 8, 3, palette, std::string("\0\1\0", 3)));
    EXPECT_EQ(image.Pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(image.Pixel(1, 0), 0xffff0000u);
}

// Deflate makes at most 1032 bytes of one, so a file too short for the rows it states is refused before
// they are allocated, and so is one beyond 64 megapixels, however long.
TEST(PngCodec, SizesTheDataCannotHoldAreRefused)
{
    const std::pair<std::string, std::string> cases[] = {
        {MakePng(8000, 8000, 8, 0, "", std::string(1, '\0')), "the file is too short for an image of that size"},
        {MakePng(8193, 8192, 1, 0, "", std::string(1, '\0')), "Image is too large (8193 by 8192 pixels)"},
    };
    for (const auto& [bytes, message] : cases) {
        try {
            win::ReadPng(bytes);
            ADD_FAILURE() << message;
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(message), std::string::npos) << e.Message();
        }
    }
}

TEST(PngCodec, DamagedFilesFailWithAClearError)
{
    const std::string good = picturetest::Fixture("rgb8.png");
    const std::string palette("\xff\0\0\0\0\xff", 6);
    std::string badCrc = good;
    badCrc[29] = static_cast<char>(badCrc[29] ^ 1);  // the IHDR checksum
    std::string longChunk = good;
    longChunk[33] = '\x7f';  // the length of the chunk after IHDR

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"signature only", good.substr(0, 8)},
        {"cut in the header", good.substr(0, 20)},
        {"cut after the header", good.substr(0, 33)},
        {"cut in the data", good.substr(0, good.size() / 2)},
        {"cut before the end chunk", good.substr(0, good.size() - 12)},
        {"bad checksum", badCrc},
        {"chunk longer than the file", longChunk},
        {"too wide", MakePng(70000, 1, 8, 2, "", std::string(70000 * 3 + 1, '\0'))},
        {"too many pixels", MakePng(60000, 60000, 8, 2, "", std::string(1, '\0'))},
        {"zero height", MakePng(1, 0, 8, 2, "", "")},
        {"bad depth", MakePng(1, 1, 7, 2, "", std::string(4, '\0'))},
        {"index past the palette", MakePng(2, 1, 8, 3, palette, std::string("\0\1\5", 3))},
        {"palette image without palette", MakePng(2, 1, 8, 3, "", std::string("\0\1\0", 3))},
        {"rows missing", MakePng(2, 4, 8, 3, palette, std::string("\0\1\0", 3))},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            win::ReadPng(bytes);
            ADD_FAILURE() << "read without error";
        } catch (const win::EInvalidGraphic& e) {
            const std::string message = e.Message();
            EXPECT_TRUE(message.starts_with("Invalid PNG file: ") || message.starts_with("Image ")) << message;
        }
    }
}

}  // namespace
