// Pictures of a few hundred bytes whose headers state hundreds of megapixels
// (tests/fixtures/hostile/README.md): each is refused, naming its size, before its pixels are allocated.

#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/Image.h"
#include "platform/imaging/JpegCodec.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// By the reader the name's extension stands for: the fuzz target that found the file fed it to that one,
// whatever its first bytes say.
win::Image ReadAs(const std::string& file, const std::string& bytes)
{
    if (file.ends_with(".bmp"))
        return win::ReadBmp(bytes);
    if (file.ends_with(".gif"))
        return win::ReadGif(bytes);
    return win::ReadJpeg(bytes);
}

TEST(HostilePictures, StatedSizesBeyondTheLimitAreRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"slow-494a29d0.bmp", "Image is too large (3328 by 39722 pixels)"},
        {"slow-694cb23d.jpg", "Image is too large (62208 by 4096 pixels)"},
        {"slow-7a70050e.jpg", "Image is too large (4096 by 51456 pixels)"},
        {"slow-d649f648.gif", "Image is too large (17933 by 14648 pixels)"},
    };
    for (const auto& [file, message] : cases) {
        const std::string bytes = testsupport::ReadBytes(std::string(RIVUVE_FIXTURES) + "/hostile/" + file);
        ASSERT_FALSE(bytes.empty()) << file;
        try {
            ReadAs(file, bytes);
            ADD_FAILURE() << file << " was read";
        } catch (const win::EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), message) << file;
        }
    }
}

}  // namespace
