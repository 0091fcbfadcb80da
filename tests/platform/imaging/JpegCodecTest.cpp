#include "platform/imaging/JpegCodec.h"

#include "tests/platform/imaging/PictureTestSupport.h"

namespace {

using picturetest::FirstDifference;
using picturetest::Quadrants;

std::uint32_t Grey(std::uint32_t colour)
{
    // The luma ImageMagick takes for its grey conversion (Rec. 709), near enough for the tolerance.
    const double r = colour >> 16 & 0xff, g = colour >> 8 & 0xff, b = colour & 0xff;
    const auto level = static_cast<std::uint32_t>(0.2126 * r + 0.7152 * g + 0.0722 * b + 0.5);
    return 0xff000000u | level * 0x010101u;
}

TEST(JpegCodec, ReadsFixturesWithinTolerance)
{
    struct Case {
        const char* file;
        std::function<std::uint32_t(int, int)> expected;
    };
    const Case cases[] = {
        {"colour.jpg", Quadrants},
        {"progressive.jpg", Quadrants},
        {"cmyk.jpg", Quadrants},
        {"grey.jpg", [](int x, int y) { return Grey(Quadrants(x, y)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const win::Image image = win::ReadJpeg(picturetest::Fixture(c.file));
        ASSERT_EQ(image.Width(), 16);
        ASSERT_EQ(image.Height(), 16);
        EXPECT_FALSE(image.HasAlpha());
        EXPECT_EQ(FirstDifference(image, c.expected, 12), "");
    }
}

TEST(JpegCodec, RoundTripKeepsPixelsWithinTolerance)
{
    // Blocks of 16 by 16 (a chroma block each); the decoder's smooth upsampling still blends colour across
    // the pixels next to a block edge, so those are not compared.
    auto blocks = [](int x, int y) { return Quadrants(x / 2, y / 2); };
    win::Image image = picturetest::MakeImage(32, 32, blocks);
    image.SetResolution(3780, 3780);
    const std::string jpeg = win::WriteJpeg(image, 95);
    const win::Image back = win::ReadJpeg(jpeg);
    EXPECT_EQ(FirstDifference(back,
                              [&](int x, int y) {
                                  const bool edge = x % 16 == 0 || x % 16 == 15 || y % 16 == 0 || y % 16 == 15;
                                  return edge ? back.Pixel(x, y) : blocks(x, y);
                              },
                              12),
              "");
    EXPECT_EQ(back.XPixelsPerMetre(), 3780);
    EXPECT_IDENTIFY_ACCEPTS(jpeg, "jpg");
}

TEST(JpegCodec, QualityIsSettableAndChecked)
{
    // A picture with detail, so that quality shows in the size.
    const win::Image image = picturetest::MakeImage(40, 30, [](int x, int y) {
        return 0xff000000u | std::uint32_t(x * 6) << 16 | std::uint32_t(y * 8) << 8 | std::uint32_t((x * y) % 256);
    });
    const std::string low = win::WriteJpeg(image, 1);
    const std::string high = win::WriteJpeg(image, 100);
    EXPECT_LT(low.size(), high.size());
    EXPECT_IDENTIFY_ACCEPTS(low, "jpg");
    EXPECT_IDENTIFY_ACCEPTS(high, "jpg");
    for (int quality : {0, 101, -5})
        EXPECT_THROW(win::WriteJpeg(image, quality), win::EInvalidGraphic) << quality;
    EXPECT_THROW(win::WriteJpeg(win::Image()), win::EInvalidGraphic);
}

// The start-of-frame segment of a baseline file.
size_t FrameOffset(const std::string& jpeg)
{
    return jpeg.find("\xff\xc0");
}

TEST(JpegCodec, DamagedFilesFailWithAClearError)
{
    const std::string good = picturetest::Fixture("colour.jpg");
    const size_t frame = FrameOffset(good);
    ASSERT_NE(frame, std::string::npos);
    auto withSize = [&](unsigned width, unsigned height) {
        std::string bytes = good;
        bytes[frame + 5] = static_cast<char>(height >> 8);
        bytes[frame + 6] = static_cast<char>(height);
        bytes[frame + 7] = static_cast<char>(width >> 8);
        bytes[frame + 8] = static_cast<char>(width);
        return bytes;
    };
    std::string longSegment = good;
    longSegment[frame + 2] = '\x7f';  // the frame segment's length
    std::string noFrame = good;
    noFrame[frame + 1] = '\xc3';  // lossless: not supported

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"start marker only", good.substr(0, 2)},
        {"cut in the tables", good.substr(0, frame - 10)},
        {"cut in the frame header", good.substr(0, frame + 6)},
        {"cut in the image data", good.substr(0, good.size() * 3 / 4)},
        {"end marker missing", good.substr(0, good.size() - 2)},
        {"segment longer than the file", longSegment},
        {"too many pixels", withSize(60000, 60000)},
        {"zero width", withSize(0, 16)},
        {"lossless process", noFrame},
        {"not a JPEG", "GIF89a"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            win::ReadJpeg(bytes);
            ADD_FAILURE() << "read without error";
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().starts_with("JPEG error #") || e.Message().starts_with("Image ")) << e.Message();
        }
    }
}

}  // namespace
