#include "platform/imaging/GifCodec.h"

#include "tests/platform/imaging/PictureTestSupport.h"

namespace {

using picturetest::Bytes;
using picturetest::FirstDifference;
using picturetest::Pattern;

TEST(GifCodec, ReadsFixturesWithKnownPixels)
{
    struct Case {
        const char* file;
        int width, height;
        std::function<std::uint32_t(int, int)> expected;
        bool hasAlpha;
    };
    const Case cases[] = {
        {"bilevel.gif", 13, 7, [](int x, int y) { return Pattern(x, y, 2); }, false},
        // The red pixels are transparent; the colour the writer stored for them does not matter.
        {"interlaced-trns.gif", 13, 7, [](int x, int y) { return Pattern(x, y, 16); }, true},
        {"wide.gif", 64, 64,
         [](int x, int y) { return 0xff004080u | std::uint32_t((x * 7 + y * 13 + x * y) % 256) << 16; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const win::Image image = win::ReadGif(picturetest::Fixture(c.file));
        ASSERT_EQ(image.Width(), c.width);
        ASSERT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.HasAlpha(), c.hasAlpha);
        EXPECT_FALSE(image.Palette().empty());
        EXPECT_EQ(FirstDifference(image,
                                  [&](int x, int y) {
                                      const bool clear = c.hasAlpha && c.expected(x, y) == 0xffff0000;
                                      return clear ? image.Pixel(x, y) & 0xffffff : c.expected(x, y);
                                  }),
                  "");
    }
}

TEST(GifCodec, FileCutAfterTheFirstFrameReads)
{
    // Only the first frame is read; a missing trailer after it loses nothing.
    const std::string gif = picturetest::Fixture("bilevel.gif");
    EXPECT_EQ(win::ReadGif(gif.substr(0, gif.size() - 1)).Pixels(), win::ReadGif(gif).Pixels());
}

// LZW data that holds every index as a literal code, the way the decoder grows its table and code width,
// with a clear code every clearEvery indexes (0: only at the start).
std::string EncodeLiterals(const std::vector<std::uint8_t>& indexes, int minimumBits, size_t clearEvery = 0,
                           bool endCode = true)
{
    std::string packed;
    std::uint32_t buffer = 0;
    int count = 0;
    auto emit = [&](int code, int bits) {
        buffer |= static_cast<std::uint32_t>(code) << count;
        count += bits;
        for (; count >= 8; count -= 8, buffer >>= 8)
            packed += static_cast<char>(buffer & 0xff);
    };
    const int clear = 1 << minimumBits;
    int bits = minimumBits + 1;
    int next = clear + 2;
    bool first = true;
    emit(clear, bits);
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (clearEvery && i > 0 && i % clearEvery == 0) {
            emit(clear, bits);
            bits = minimumBits + 1;
            next = clear + 2;
            first = true;
        }
        emit(indexes[i], bits);
        if (!first && next < 4096 && ++next == 1 << bits && bits < 12)
            ++bits;
        first = false;
    }
    if (endCode)
        emit(clear + 1, bits);
    if (count > 0)
        packed += static_cast<char>(buffer & 0xff);
    std::string out(1, static_cast<char>(minimumBits));
    for (size_t at = 0; at < packed.size(); at += 255) {
        const std::string block = packed.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    out += '\0';
    return out;
}

struct HandMadeGif {
    int width = 2, height = 2;
    int colourBits = 1;  // the table holds 2 << (colourBits - 1) colours; 0: no table
    std::string data;    // the LZW data
    int transparent = -1;
    bool interlaced = false;
    int left = 0, top = 0;
    int screenWidth = -1, screenHeight = -1;  // -1: the frame's size

    std::string Build() const
    {
        Bytes out;
        out.Raw("GIF89a").U16(screenWidth < 0 ? width : screenWidth).U16(screenHeight < 0 ? height : screenHeight);
        out.U8(colourBits ? 0x80 | (colourBits - 1) : 0).U8(0).U8(0);
        for (int i = 0; colourBits && i < 1 << colourBits; ++i)
            out.U8(i * 40).U8(i).U8(255 - i);
        if (transparent >= 0)
            out.U8(0x21).U8(0xf9).U8(4).U8(1).U16(0).U8(transparent).U8(0);
        out.U8(0x21).U8(0xfe).U8(3).Raw("abc").U8(0);  // a comment, skipped
        out.U8(0x2c).U16(left).U16(top).U16(width).U16(height).U8(interlaced ? 0x40 : 0);
        out.Raw(data).U8(0x3b);
        return out.Data();
    }
};

std::uint32_t TableColour(int index)
{
    return 0xff000000u | std::uint32_t(index * 40 % 256) << 16 | std::uint32_t(index) << 8 | std::uint32_t(255 - index);
}

std::vector<std::uint8_t> Indexes(size_t count, int colours)
{
    std::vector<std::uint8_t> indexes(count);
    for (size_t i = 0; i < count; ++i)
        indexes[i] = static_cast<std::uint8_t>((i * 7 + i / 3) % static_cast<size_t>(colours));
    return indexes;
}

TEST(GifCodec, EveryCodeSizeAndTableEdgeDecodes)
{
    struct Case {
        const char* name;
        int width, height, minimumBits, colourBits;
        size_t clearEvery;
        bool endCode;
    };
    const Case cases[] = {
        {"code size 1", 9, 5, 1, 1, 0, true},
        {"code size 2", 9, 5, 2, 2, 0, true},
        {"code size 3", 9, 5, 3, 3, 0, true},
        {"code size 4 with widths up to 12", 70, 60, 4, 4, 0, true},
        {"code size 7", 30, 20, 7, 7, 0, true},
        // The table fills and the writer never clears it: 12-bit codes from there on.
        {"code size 8, full table kept", 90, 80, 8, 8, 0, true},
        {"clear codes between runs", 40, 30, 8, 8, 10, true},
        {"data ends without end code", 20, 10, 5, 5, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> indexes = Indexes(static_cast<size_t>(c.width * c.height), 1 << c.colourBits);
        HandMadeGif gif{c.width, c.height, c.colourBits, EncodeLiterals(indexes, c.minimumBits, c.clearEvery, c.endCode)};
        const win::Image image = win::ReadGif(gif.Build());
        ASSERT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Palette().size(), size_t{1} << c.colourBits);
        EXPECT_EQ(FirstDifference(image,
                                  [&](int x, int y) { return TableColour(indexes[size_t(y * c.width + x)]); }),
                  "");
    }
}

TEST(GifCodec, InterlaceTransparencyAndFramePlacement)
{
    // Eleven rows stored in the order 0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9; each row is its own index.
    const int order[] = {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9};
    std::vector<std::uint8_t> stored;
    for (int row : order)
        stored.insert(stored.end(), 3, static_cast<std::uint8_t>(row));
    HandMadeGif interlaced{3, 11, 4, EncodeLiterals(stored, 4)};
    interlaced.interlaced = true;
    interlaced.transparent = 2;
    const win::Image image = win::ReadGif(interlaced.Build());
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_EQ(FirstDifference(image, [](int, int y) { return y == 2 ? TableColour(2) & 0xffffff : TableColour(y); }), "");

    // A frame inside a larger screen; the rest takes the transparent colour.
    HandMadeGif placed{2, 1, 1, EncodeLiterals({0, 1}, 2)};
    placed.left = 1;
    placed.top = 1;
    placed.screenWidth = 4;
    placed.screenHeight = 3;
    placed.transparent = 0;
    const win::Image canvas = win::ReadGif(placed.Build());
    ASSERT_EQ(canvas.Width(), 4);
    ASSERT_EQ(canvas.Height(), 3);
    const std::uint32_t clear = TableColour(0) & 0xffffff;
    EXPECT_EQ(canvas.Pixels(), (std::vector<std::uint32_t>{clear, clear, clear, clear, clear, clear, TableColour(1),
                                                            clear, clear, clear, clear, clear}));

    // A screen left 0 by 0 takes the frame's size.
    HandMadeGif noScreen{2, 1, 1, EncodeLiterals({1, 0}, 2)};
    noScreen.screenWidth = 0;
    noScreen.screenHeight = 0;
    EXPECT_EQ(win::ReadGif(noScreen.Build()).Width(), 2);
}

// Codes packed by hand: each pair is (code, width).
std::string RawCodes(int minimumBits, const std::vector<std::pair<int, int>>& codes)
{
    std::string packed;
    std::uint32_t buffer = 0;
    int count = 0;
    for (const auto& [code, bits] : codes) {
        buffer |= static_cast<std::uint32_t>(code) << count;
        for (count += bits; count >= 8; count -= 8, buffer >>= 8)
            packed += static_cast<char>(buffer & 0xff);
    }
    if (count > 0)
        packed += static_cast<char>(buffer & 0xff);
    return std::string(1, static_cast<char>(minimumBits)) + static_cast<char>(packed.size()) + packed + '\0';
}

// A code gives at most 4096 pixels, so image data too short for the frame it states is refused before the
// frame is allocated; a logical screen beyond 64 megapixels is refused however little it holds.
TEST(GifCodec, SizesTheDataCannotHoldAreRefused)
{
    const HandMadeGif shortData{8000, 8000, 1, EncodeLiterals({0, 1, 1, 0}, 2)};
    HandMadeGif bigScreen{2, 2, 1, EncodeLiterals({0, 1, 1, 0}, 2)};
    bigScreen.screenWidth = 8193;
    bigScreen.screenHeight = 8192;
    const std::pair<std::string, std::string> cases[] = {
        {shortData.Build(), "Invalid GIF file: the image data is too short for 64000000 pixels"},
        {bigScreen.Build(), "Image is too large (8193 by 8192 pixels)"},
    };
    for (const auto& [bytes, message] : cases) {
        try {
            win::ReadGif(bytes);
            ADD_FAILURE() << message;
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

TEST(GifCodec, DamagedFilesFailWithAClearError)
{
    const std::string good = picturetest::Fixture("interlaced-trns.gif");
    const std::string wide = picturetest::Fixture("wide.gif");
    auto with = [](HandMadeGif gif, auto change) {
        change(gif);
        return gif.Build();
    };
    const HandMadeGif base{2, 2, 1, EncodeLiterals({0, 1, 1, 0}, 2)};

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"signature only", good.substr(0, 6)},
        {"cut in the screen", good.substr(0, 10)},
        {"cut in the colour table", good.substr(0, 20)},
        {"cut in the image data", good.substr(0, good.size() - 10)},
        {"cut in a long image", wide.substr(0, wide.size() / 2)},
        {"not a GIF", "GIF90a" + good.substr(6)},
        {"code not yet defined", with(base, [](HandMadeGif& g) { g.data = RawCodes(2, {{4, 3}, {0, 3}, {7, 3}}); })},
        {"first code not a literal", with(base, [](HandMadeGif& g) { g.data = RawCodes(2, {{4, 3}, {6, 3}}); })},
        {"end code before the last pixel", with(base, [](HandMadeGif& g) { g.data = RawCodes(2, {{4, 3}, {0, 3}, {5, 3}}); })},
        {"no data", with(base, [](HandMadeGif& g) { g.data = std::string("\x02\x00", 2); })},
        {"index past the table", with(base, [](HandMadeGif& g) { g.data = EncodeLiterals({0, 3, 1, 0}, 2); })},
        {"code size 0", with(base, [](HandMadeGif& g) { g.data[0] = 0; })},
        {"code size 9", with(base, [](HandMadeGif& g) { g.data[0] = 9; })},
        {"no colour table", with(base, [](HandMadeGif& g) { g.colourBits = 0; })},
        {"empty frame", with(base, [](HandMadeGif& g) { g.width = 0; })},
        {"screen too large", with(base, [](HandMadeGif& g) { g.screenWidth = g.screenHeight = 65535; })},
        {"frame past the largest image", with(base, [](HandMadeGif& g) { g.left = 65535; })},
        {"no image", std::string("GIF89a\x01\0\x01\0\0\0\0\x3b", 14)},
        {"unknown block", std::string("GIF89a\x01\0\x01\0\0\0\0\x99", 14)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            win::ReadGif(bytes);
            ADD_FAILURE() << "read without error";
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().starts_with("Invalid GIF file: ") || e.Message().starts_with("Image ")) << e.Message();
        }
    }
}

}  // namespace
