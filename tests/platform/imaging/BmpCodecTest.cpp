#include "platform/imaging/BmpCodec.h"

#include "tests/platform/imaging/PictureTestSupport.h"

#include <climits>

namespace {

using picturetest::Bytes;
using picturetest::FirstDifference;
using picturetest::Pattern;

TEST(BmpCodec, ReadsFixturesWithKnownPixels)
{
    struct Case {
        const char* file;
        std::function<std::uint32_t(int, int)> expected;
        bool hasAlpha;
        size_t paletteSize;
        int tolerance = 0;
    };
    auto pattern16 = [](int x, int y) { return Pattern(x, y, 16); };
    const Case cases[] = {
        {"rgb24.bmp", pattern16, false, 0},
        {"core24.bmp", pattern16, false, 0},
        {"palette4.bmp", pattern16, false, 16},
        {"rle8.bmp", pattern16, false, 256},
        {"bilevel.bmp", [](int x, int y) { return Pattern(x, y, 2); }, false, 2},
        // The writer rounded each channel to 5 or 6 bits; one step of 5 bits is 8.2.
        {"rgb565.bmp", pattern16, false, 0, 9},
        {"rgba32.bmp",
         [](int x, int y) { return (Pattern(x, y, 16) & 0xffffffu) | std::uint32_t((x * 20 + y * 5) % 256) << 24; },
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const win::Image image = win::ReadBmp(picturetest::Fixture(c.file));
        ASSERT_EQ(image.Width(), 13);
        ASSERT_EQ(image.Height(), 7);
        EXPECT_EQ(image.HasAlpha(), c.hasAlpha);
        EXPECT_EQ(image.Palette().size(), c.paletteSize);
        EXPECT_EQ(FirstDifference(image, c.expected, c.tolerance), "");
    }
}

// A bitmap file with an info header; masks (if any) follow the header, then the palette, then the pixels.
struct HandMade {
    std::int32_t width = 2;
    std::int32_t height = 2;
    unsigned bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colourCount = 0;
    std::vector<std::uint32_t> masks;
    std::vector<std::uint32_t> palette;
    std::string pixels;
    std::int64_t pixelOffsetChange = 0;

    std::string Build() const
    {
        const size_t offset = 14 + 40 + masks.size() * 4 + palette.size() * 4;
        Bytes out;
        out.Raw("BM").U32(static_cast<std::uint32_t>(offset + pixels.size())).U32(0);
        out.U32(static_cast<std::uint32_t>(static_cast<std::int64_t>(offset) + pixelOffsetChange));
        out.U32(40).U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height)).U16(1).U16(bits);
        out.U32(compression).U32(0).U32(2835).U32(2835).U32(colourCount).U32(0);
        for (std::uint32_t mask : masks)
            out.U32(mask);
        for (std::uint32_t colour : palette)
            out.U32(colour);
        out.Raw(pixels);
        return out.Data();
    }
};

const std::vector<std::uint32_t> kThreeColours = {0x000000, 0xff0000, 0x0000ff};

TEST(BmpCodec, ReadsHandMadeVariants)
{
    struct Case {
        const char* name;
        HandMade bitmap;
        std::vector<std::uint32_t> expected;  // rows top first
        bool hasAlpha;
    };
    const Case cases[] = {
        {"24 bits top-down",
         {2, -2, 24, 0, 0, {}, {}, std::string("\x00\x00\xff\xff\x00\x00\0\0\x00\xff\x00\x00\x00\x00\0\0", 16)},
         {0xffff0000, 0xff0000ff, 0xff00ff00, 0xff000000}, false},
        {"24 bits bottom-up",
         {2, 2, 24, 0, 0, {}, {}, std::string("\x00\x00\xff\xff\x00\x00\0\0\x00\xff\x00\x00\x00\x00\0\0", 16)},
         {0xff00ff00, 0xff000000, 0xffff0000, 0xff0000ff}, false},
        {"16 bits 5-5-5", {2, 1, 16, 0, 0, {}, {}, std::string("\x00\x7c\x1f\x00", 4)}, {0xffff0000, 0xff0000ff}, false},
        {"32 bits with zero alpha bytes is opaque",
         {1, 1, 32, 0, 0, {}, {}, std::string("\x10\x20\x30\x00", 4)}, {0xff302010}, false},
        {"32-bit fields after an info header",
         {1, 1, 32, 3, 0, {0x0000ff00, 0x00ff0000, 0xff000000}, {}, std::string("\x00\x11\x22\x33", 4)},
         {0xff112233}, false},
        {"8 bits with a short palette",
         {3, 1, 8, 0, 3, {}, kThreeColours, std::string("\x02\x01\x00\x00", 4)}, {0xff0000ff, 0xffff0000, 0xff000000},
         false},
        // Bottom row: a run of 1, 2, 1; top row: the literal 0, 2, 1; the last pixel of each row is left out.
        {"RLE4 runs, literals and end of line",
         {4, 2, 4, 2, 3, {}, kThreeColours, std::string("\x03\x12\x00\x00\x00\x03\x02\x10\x00\x01", 10)},
         {0xff000000, 0xff0000ff, 0xffff0000, 0xff000000, 0xffff0000, 0xff0000ff, 0xffff0000, 0xff000000}, false},
        // A move of one right and one up skips pixels, which keep index 0.
        {"RLE8 move",
         {3, 2, 8, 1, 3, {}, kThreeColours, std::string("\x01\x01\x00\x02\x01\x01\x01\x02\x00\x01", 10)},
         {0xff000000, 0xff000000, 0xff0000ff, 0xffff0000, 0xff000000, 0xff000000}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const win::Image image = win::ReadBmp(c.bitmap.Build());
        ASSERT_EQ(image.Width() * image.Height(), static_cast<int>(c.expected.size()));
        EXPECT_EQ(image.Pixels(), c.expected);
        EXPECT_EQ(image.HasAlpha(), c.hasAlpha);
        EXPECT_EQ(image.XPixelsPerMetre(), 2835);
    }
}

TEST(BmpCodec, WriterKeepsPixelsAtEveryDepth)
{
    struct Case {
        int bits;
        int colours;  // of the pattern; 0: a gradient with alpha
        int expectedBits;
    };
    const Case cases[] = {{1, 2, 1}, {4, 16, 4}, {8, 16, 8}, {24, 16, 24}, {32, 0, 32}, {0, 2, 1}, {0, 0, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE("bits " + std::to_string(c.bits) + ", colours " + std::to_string(c.colours));
        auto pixel = [&](int x, int y) {
            return c.colours ? Pattern(x, y, c.colours) : std::uint32_t(x * 19 + y) << 24 | std::uint32_t(x * 7) << 8 | 0x40;
        };
        win::Image image = picturetest::MakeImage(13, 7, pixel);
        image.SetHasAlpha(c.colours == 0);
        if (c.bits == 0 && c.colours)
            image.SetPalette({std::begin(picturetest::kColours), std::begin(picturetest::kColours) + c.colours});
        image.SetResolution(3780, 3780);
        const std::string bmp = win::WriteBmp(image, c.bits);
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]), c.expectedBits);
        const win::Image back = win::ReadBmp(bmp);
        EXPECT_EQ(FirstDifference(back, pixel), "");
        EXPECT_EQ(back.XPixelsPerMetre(), 3780);
        EXPECT_IDENTIFY_ACCEPTS(bmp, "bmp");
    }
}

TEST(BmpCodec, WriterRefusesWhatABitmapCannotHold)
{
    const win::Image sixteen = picturetest::MakeImage(13, 7, [](int x, int y) { return Pattern(x, y, 16); });
    EXPECT_THROW(win::WriteBmp(sixteen, 1), win::EInvalidGraphic);
    EXPECT_THROW(win::WriteBmp(sixteen, 16), win::EInvalidGraphic);
    EXPECT_THROW(win::WriteBmp(win::Image(), 24), win::EInvalidGraphic);
    EXPECT_NO_THROW(win::WriteBmp(sixteen, 4));
}

std::string WithU32(std::string bytes, size_t at, std::uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string WithU16(std::string bytes, size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
    return bytes;
}

TEST(BmpCodec, DamagedFilesFailWithAClearError)
{
    const std::string rgb = picturetest::Fixture("rgb24.bmp");
    const std::string rle = picturetest::Fixture("rle8.bmp");
    HandMade badIndex{3, 1, 8, 0, 3, {}, kThreeColours, std::string("\x02\x05\x00\x00", 4)};
    HandMade rleBadIndex{2, 1, 8, 1, 3, {}, kThreeColours, std::string("\x02\x07\x00\x01", 4)};
    HandMade rleNoEnd{2, 2, 8, 1, 3, {}, kThreeColours, std::string("\x02\x01\x00\x00", 4)};
    HandMade rleLiteralCut{8, 1, 8, 1, 3, {}, kThreeColours, std::string("\x00\x08\x01\x01", 4)};
    HandMade rleTopDown{2, -1, 8, 1, 3, {}, kThreeColours, std::string("\x02\x01\x00\x01", 4)};
    HandMade splitMask{1, 1, 32, 3, 0, {0x00ff00ff, 0x0000ff00, 0xff000000}, {}, std::string(4, '\0')};
    HandMade offsetIntoHeader{2, 1, 24, 0, 0, {}, {}, std::string(8, '\0'), -30};
    HandMade offsetPastEnd{2, 1, 24, 0, 0, {}, {}, std::string(8, '\0'), 1000};

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"signature only", rgb.substr(0, 2)},
        {"cut in the file header", rgb.substr(0, 10)},
        {"cut in the info header", rgb.substr(0, 30)},
        {"cut before the pixels", rgb.substr(0, 54)},
        {"last row cut", rgb.substr(0, rgb.size() - 1)},
        {"RLE cut", rle.substr(0, rle.size() - 40)},
        {"RLE palette cut", rle.substr(0, 300)},
        {"not a bitmap", "GIF89a" + rgb},
        {"unknown header size", WithU32(rgb, 14, 41)},
        {"two planes", WithU16(rgb, 26, 2)},
        {"7 bits per pixel", WithU16(rgb, 28, 7)},
        {"embedded JPEG", WithU32(rgb, 30, 4)},
        {"RLE8 with 24 bits", WithU32(rgb, 30, 1)},
        {"negative width", WithU32(rgb, 18, 0xfffffff3)},
        {"zero height", WithU32(rgb, 22, 0)},
        {"most negative height", WithU32(rgb, 22, 0x80000000)},
        {"too many pixels", WithU32(WithU32(rgb, 18, 60000), 22, 60000)},
        {"too wide", WithU32(rgb, 18, 70000)},
        {"pixel offset past the end", WithU32(rgb, 10, 1u << 30)},
        {"pixel offset inside the palette", offsetIntoHeader.Build()},
        {"pixel offset past the pixels", offsetPastEnd.Build()},
        {"index past the palette", badIndex.Build()},
        {"RLE index past the palette", rleBadIndex.Build()},
        {"RLE without end", rleNoEnd.Build()},
        {"RLE literal past the end", rleLiteralCut.Build()},
        {"RLE top-down", rleTopDown.Build()},
        {"mask with a gap", splitMask.Build()},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            win::ReadBmp(bytes);
            ADD_FAILURE() << "read without error";
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message() == "Bitmap image is not valid" || e.Message().starts_with("Image ")) << e.Message();
        }
    }
}

}  // namespace
