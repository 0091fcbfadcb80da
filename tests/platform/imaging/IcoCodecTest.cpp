#include "platform/imaging/IcoCodec.h"

#include "tests/platform/imaging/PictureTestSupport.h"

namespace {

using picturetest::Bytes;
using picturetest::FirstDifference;
using picturetest::Quadrants;

struct Entry {
    int width, height, bits;
    std::string payload;
};

std::string MakeIco(const std::vector<Entry>& entries, std::uint32_t sizeChange = 0)
{
    Bytes out;
    out.U16(0).U16(1).U16(static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry& entry : entries) {
        out.U8(entry.width & 0xff).U8(entry.height & 0xff).U8(0).U8(0).U16(1).U16(entry.bits);
        out.U32(static_cast<std::uint32_t>(entry.payload.size()) + sizeChange).U32(offset);
        offset += static_cast<std::uint32_t>(entry.payload.size());
    }
    for (const Entry& entry : entries)
        out.Raw(entry.payload);
    return out.Data();
}

// A 2 by 2, 4-bit icon image: red and blue on top, blue and red below; its AND mask makes the top left
// and bottom right pixels transparent.
std::string MaskedDib(std::uint32_t compression = 0)
{
    Bytes out;
    out.U32(40).U32(2).U32(4).U16(1).U16(4).U32(compression).U32(0).U32(0).U32(0).U32(2).U32(0);
    out.U32(0xff0000).U32(0x0000ff);
    out.U32(0x10).U32(0x01);  // rows bottom first: blue red, red blue
    out.U32(0x40).U32(0x80);  // mask rows bottom first
    return out.Data();
}

TEST(IcoCodec, DirectoryAndPickBySize)
{
    const std::string ico = MakeIco({{2, 2, 4, MaskedDib()}, {13, 7, 32, picturetest::Fixture("rgb8.png")}});
    const std::vector<win::IconEntry> entries = win::ReadIcoDirectory(ico);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].width, 2);
    EXPECT_EQ(entries[1].bitCount, 32);

    const std::pair<int, int> picks[] = {{2, 2}, {5, 2}, {12, 13}, {0, 13}, {300, 13}};
    for (const auto& [size, width] : picks)
        EXPECT_EQ(win::ReadIco(ico, size).Width(), width) << "size " << size;

    const win::Image masked = win::ReadIcoImage(ico, 0);
    EXPECT_TRUE(masked.HasAlpha());
    EXPECT_EQ(masked.Pixels(), (std::vector<std::uint32_t>{0x00ff0000, 0xff0000ff, 0xff0000ff, 0x00ff0000}));

    const win::Image png = win::ReadIcoImage(ico, 1);
    EXPECT_EQ(FirstDifference(png, [](int x, int y) { return picturetest::Pattern(x, y, 16); }), "");
}

TEST(IcoCodec, ReadsFixtureWithAlphaEntries)
{
    const std::string ico = picturetest::Fixture("two-sizes.ico");
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const win::Image image = win::ReadIco(ico, size);
        ASSERT_EQ(image.Width(), size);
        EXPECT_TRUE(image.HasAlpha());
        const int scale = size / 16;
        EXPECT_EQ(FirstDifference(image,
                                  [&](int x, int y) {
                                      const std::uint32_t colour = Quadrants(x / scale, y / scale);
                                      // The red block is transparent; its colour does not matter.
                                      return colour == 0xffff0000 ? image.Pixel(x, y) & 0xffffff : colour;
                                  }),
                  "");
    }
}

TEST(IcoCodec, DamagedFilesFailWithAClearError)
{
    const std::string good = MakeIco({{2, 2, 4, MaskedDib()}});
    std::string cursor = good;
    cursor[2] = 2;
    std::string noEntries = good;
    noEntries[4] = 0;
    std::string offsetPastEnd = good;
    offsetPastEnd[6 + 12 + 3] = 0x7f;
    const std::string png = picturetest::Fixture("rgb8.png");

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"cut in the directory", good.substr(0, 12)},
        {"cut in the image", good.substr(0, good.size() - 20)},
        {"AND mask cut", good.substr(0, good.size() - 1)},
        {"a cursor", cursor},
        {"no entries", noEntries},
        {"image offset past the end", offsetPastEnd},
        {"image size past the end", MakeIco({{2, 2, 4, MaskedDib()}}, 1)},
        {"compressed bitmap", MakeIco({{2, 2, 4, MaskedDib(2)}})},
        {"damaged PNG", MakeIco({{13, 7, 32, png.substr(0, png.size() / 2)}})},
        {"bitmap header garbage", MakeIco({{2, 2, 4, std::string(60, '\x7f')}})},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(win::ReadIco(bytes), win::EInvalidGraphic);
    }
    EXPECT_THROW(win::ReadIcoImage(good, 1), win::EInvalidGraphic);
}

}  // namespace
