#include "platform/imaging/PictureFormat.h"

#include "tests/platform/imaging/PictureTestSupport.h"

namespace {

using win::PictureFormat;

std::string EmfHeader()
{
    std::string header(44, '\0');
    header[0] = 1;
    header.replace(40, 4, " EMF");
    return header;
}

TEST(PictureFormat, FixturesAreToldByTheirContent)
{
    const std::pair<const char*, PictureFormat> cases[] = {
        {"rgb8.png", PictureFormat::Png},   {"colour.jpg", PictureFormat::Jpeg},
        {"progressive.jpg", PictureFormat::Jpeg}, {"core24.bmp", PictureFormat::Bmp},
        {"rgba32.bmp", PictureFormat::Bmp}, {"two-sizes.ico", PictureFormat::Ico},
        {"bilevel.gif", PictureFormat::Gif},
    };
    for (const auto& [file, format] : cases)
        EXPECT_EQ(win::SniffPictureFormat(picturetest::Fixture(file)), format) << file;
}

TEST(PictureFormat, SignaturesAndNearMisses)
{
    std::string emfWithoutHeaderRecord = EmfHeader();
    emfWithoutHeaderRecord[0] = 2;
    const std::pair<std::string, PictureFormat> cases[] = {
        {"", PictureFormat::Unknown},
        {EmfHeader(), PictureFormat::Emf},
        {emfWithoutHeaderRecord, PictureFormat::Unknown},
        {EmfHeader().substr(0, 43), PictureFormat::Unknown},
        {std::string("\xd7\xcd\xc6\x9a\0\0", 6), PictureFormat::Wmf},
        {std::string("\xd7\xcd\xc6", 3), PictureFormat::Unknown},
        {"GIF87a", PictureFormat::Gif},
        {"GIF88a", PictureFormat::Unknown},
        {std::string("\xff\xd8\xff", 3), PictureFormat::Jpeg},
        {std::string("\xff\xd8", 2), PictureFormat::Unknown},
        {std::string("\x89PNG\r\n\x1a", 7), PictureFormat::Unknown},
        {std::string("\0\0\1\0\1\0", 6), PictureFormat::Ico},
        {std::string("\0\0\1\0\0\0", 6), PictureFormat::Unknown},  // no images
        {std::string("\0\0\2\0\1\0", 6), PictureFormat::Unknown},  // a cursor
        {"BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4), PictureFormat::Bmp},
        {"BM" + std::string(12, '\0') + std::string("\x29\0\0\0", 4), PictureFormat::Unknown},
        {"BM", PictureFormat::Unknown},
    };
    for (const auto& [bytes, format] : cases)
        EXPECT_EQ(win::SniffPictureFormat(bytes), format) << testing::PrintToString(bytes);
}

}  // namespace
