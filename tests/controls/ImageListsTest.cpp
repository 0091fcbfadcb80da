// The library's image list: strips cut into images and infos alike, copies from plain lists, drawing, and
// its stored window data (its own form, packed bitmaps in a text form, the framework's form, damaged data).

#include "controls/clImageLists.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace controls;
using testsupport::Surface;

class ImageListsTest : public controlstest::ControlsTest {};

// A 24-bit picture whose pixel (x, y) is RGB(x * 5, y * 5, 100): every cell of a strip differs.
std::unique_ptr<TclCustomBitmap> Ramp(int width, int height)
{
    auto bitmap = std::make_unique<TclCustomBitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            win::SetPixel(bitmap->Canvas()->Handle(), x, y, win::RGB(x * 5, y * 5, 100));
    return bitmap;
}

win::COLORREF PixelOf(gui::TBitmap& bitmap, int x, int y)
{
    return win::GetPixel(bitmap.Canvas()->Handle(), x, y);
}

std::string TextOf(classes::TComponent* component)
{
    rtl::TMemoryStream binary;
    classes::TWriter(binary).WriteRootComponent(component);
    return classes::ObjectBinaryToText(std::string_view(binary.Memory(), std::size_t(binary.Size())));
}

void ReadText(classes::TComponent* into, const std::string& text)
{
    rtl::TStringStream stream(classes::ObjectTextToBinary(text));
    classes::TReader(stream).ReadRootComponent(into);
}

// The image drawn by the platform list, on a surface of the image's size.
std::vector<win::COLORREF> Drawn(win::HIMAGELIST list, int index, win::UINT style)
{
    int width = 0;
    int height = 0;
    win::ImageList_GetIconSize(list, &width, &height);
    Surface surface(width, height, win::RGB(1, 2, 3));
    win::ImageList_Draw(list, index, surface.DC(), 0, 0, style);
    return surface.Pixels();
}

TEST_F(ImageListsTest, AStripBecomesOneImageAndOneInfoPerCell)
{
    TclImageList list(16, 16);
    const auto strip = Ramp(48, 16);
    EXPECT_EQ(list.AddImage(strip.get(), nullptr), 0);
    ASSERT_EQ(list.Count(), 3);
    ASSERT_EQ(list.ImageInfoCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TclCustomBitmap image;
        TclCustomBitmap mask;
        gui::TColor maskColor = gui::clRed;
        list.GetImageInfoAt(i, image, mask, maskColor);
        ASSERT_EQ(image.Width(), 16);
        ASSERT_EQ(image.Height(), 16);
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{15, 15}, std::pair{7, 3}})
            EXPECT_EQ(PixelOf(image, x, y), PixelOf(*strip, i * 16 + x, y)) << i;
        EXPECT_TRUE(mask.Empty());
        EXPECT_EQ(maskColor, gui::clNone);
    }
    // A strip of two rows of two.
    EXPECT_EQ(list.AddImage(Ramp(32, 32).get(), nullptr), 3);
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.ImageInfoCount(), 7);

    TclCustomBitmap image;
    TclCustomBitmap mask;
    gui::TColor maskColor = gui::clRed;
    list.GetImageInfoAt(7, image, mask, maskColor);
    EXPECT_TRUE(image.Empty());
    EXPECT_TRUE(mask.Empty());
    EXPECT_EQ(maskColor, gui::clNone);
    list.GetImageInfoAt(-1, image, mask, maskColor);
    EXPECT_TRUE(image.Empty());

    list.DeleteImage(1);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.ImageInfoCount(), 6);
    list.GetImageInfoAt(1, image, mask, maskColor);
    EXPECT_EQ(PixelOf(image, 0, 0), PixelOf(*strip, 32, 0)) << "the third cell moved up";
    list.DeleteImage(-1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ImageInfoCount(), 0);
}

TEST_F(ImageListsTest, MasksAndMaskColoursReachThePlatformList)
{
    TclImageList list(8, 8);
    const auto picture = Ramp(8, 8);
    TclCustomBitmap mask(8, 8, gui::pf1bit);
    mask.ClCanvas().FillRectColor(mask.GetFullRect(), gui::clBlack);
    mask.ClCanvas().FillRectColor(win::RECT{0, 0, 4, 8}, gui::clWhite);
    list.AddImage(picture.get(), &mask);
    picture->ClCanvas().FillRectColor(win::RECT{0, 0, 8, 2}, gui::clLime);
    list.AddImageMasked(picture.get(), gui::clLime);
    ASSERT_EQ(list.Count(), 2);
    ASSERT_EQ(list.ImageInfoCount(), 2);

    Surface masked(8, 8, win::RGB(1, 2, 3));
    win::ImageList_Draw(list.Handle(), 0, masked.DC(), 0, 0, win::ILD_NORMAL);
    EXPECT_EQ(win::GetPixel(masked.DC(), 2, 2), win::RGB(1, 2, 3));
    EXPECT_EQ(win::GetPixel(masked.DC(), 6, 2), PixelOf(*picture, 6, 2));

    Surface coloured(8, 8, win::RGB(1, 2, 3));
    win::ImageList_Draw(list.Handle(), 1, coloured.DC(), 0, 0, win::ILD_NORMAL);
    EXPECT_EQ(win::GetPixel(coloured.DC(), 3, 1), win::RGB(1, 2, 3));
    EXPECT_EQ(win::GetPixel(coloured.DC(), 3, 5), PixelOf(*picture, 3, 5));

    TclCustomBitmap image;
    TclCustomBitmap infoMask;
    gui::TColor maskColor = gui::clNone;
    list.GetImageInfoAt(1, image, infoMask, maskColor);
    EXPECT_EQ(maskColor, gui::clLime);
    EXPECT_EQ(PixelOf(image, 3, 1), gui::ColorToRGB(gui::clLime)) << "the info keeps the picture as it came";
}

TEST_F(ImageListsTest, AssignFromAPlainListKeepsEveryImageAndMask)
{
    gui::TImageList plain(nullptr);
    plain.SetWidth(8);
    plain.SetHeight(8);
    const auto picture = Ramp(24, 8);
    picture->ClCanvas().FillRectColor(win::RECT{0, 0, 24, 3}, gui::clFuchsia);
    plain.AddMasked(picture.get(), gui::clFuchsia);
    ASSERT_EQ(plain.Count(), 3);

    TclImageList list(16, 16);
    list.Assign(&plain);
    EXPECT_EQ(list.Width(), 8);
    EXPECT_EQ(list.Height(), 8);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ImageInfoCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Drawn(list.Handle(), i, win::ILD_NORMAL), Drawn(plain.Handle(), i, win::ILD_NORMAL)) << i;
        EXPECT_EQ(Drawn(list.Handle(), i, win::ILD_MASK), Drawn(plain.Handle(), i, win::ILD_MASK)) << i;
    }

    // And from a library list, through its infos.
    TclImageList copy(nullptr);
    copy.Assign(&list);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_TRUE(clSameImageLists(&copy, &list));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Drawn(copy.Handle(), i, win::ILD_NORMAL), Drawn(plain.Handle(), i, win::ILD_NORMAL)) << i;
}

TEST_F(ImageListsTest, DrawImageCentresUnlessStretched)
{
    TclImageList list(16, 16);
    TclCustomBitmap red(16, 16);
    red.ClCanvas().FillRectColor(red.GetFullRect(), gui::clRed);
    list.AddImage(&red, nullptr);
    const win::COLORREF white = win::RGB(255, 255, 255);
    for (const bool blending : {true, false}) {
        SCOPED_TRACE(blending ? "alpha blending" : "framework drawing");
        list.SetAlphaBlending(blending);
        Surface centred(40, 30, white);
        {
            controlstest::SurfaceCanvas on(centred);
            list.DrawImage(0, on.frame, win::RECT{0, 0, 40, 30});
        }
        // (40 - 16) / 2 = 12 and (30 - 16) / 2 = 7.
        EXPECT_EQ(win::GetPixel(centred.DC(), 12, 7), gui::ColorToRGB(gui::clRed));
        EXPECT_EQ(win::GetPixel(centred.DC(), 27, 22), gui::ColorToRGB(gui::clRed));
        EXPECT_EQ(win::GetPixel(centred.DC(), 11, 7), white);
        EXPECT_EQ(win::GetPixel(centred.DC(), 28, 22), white);
        EXPECT_EQ(win::GetPixel(centred.DC(), 12, 23), white);

        Surface stretched(40, 30, white);
        {
            controlstest::SurfaceCanvas on(stretched);
            list.DrawImage(0, on.frame, win::RECT{0, 0, 40, 30}, true, false, true);
        }
        EXPECT_EQ(stretched.Painted(white), 40 * 30);
    }
    // The framework's own drawing goes through the same road.
    list.SetAlphaBlending(true);
    Surface framework(20, 20, white);
    {
        controlstest::SurfaceCanvas on(framework);
        list.Draw(&on.frame, 2, 3, 0);
    }
    EXPECT_EQ(win::GetPixel(framework.DC(), 2, 3), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(framework.DC(), 1, 3), white);
    EXPECT_EQ(framework.Painted(white), 16 * 16);
}

// The bytes of the first "Image.Data" of a text form.
std::string FirstImageData(const std::string& text)
{
    const std::size_t start = text.find("Image.Data = {");
    if (start == std::string::npos)
        return {};
    const std::size_t end = text.find('}', start);
    std::string hex;
    for (std::size_t i = start + 14; i < end; ++i)
        if (std::isxdigit(static_cast<unsigned char>(text[i])))
            hex += text[i];
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

TEST_F(ImageListsTest, StoredFormComesBackPixelForPixelPackedOrPlain)
{
    for (const bool packed : {false, true}) {
        SCOPED_TRACE(packed ? "packed" : "plain");
        TclImageList written(nullptr);
        written.SetName("Images");
        written.SetCompressData(packed);
        const auto strip = Ramp(32, 16);
        written.AddImage(strip.get(), nullptr);
        written.SetDesignInfo(0x00050007);
        const std::string text = TextOf(&written);
        EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
        EXPECT_EQ(text.find("Bitmap ="), std::string::npos) << "the images are stored once, as infos";

        const std::string data = FirstImageData(text);
        ASSERT_GE(data.size(), 10u) << text;
        EXPECT_EQ(data.substr(4, 6) == std::string("XDBM\x01\x00", 6), packed);
        if (packed) {
            std::int32_t length = 0;
            std::memcpy(&length, data.data(), 4);
            EXPECT_EQ(std::size_t(length), data.size() - 10);
        }

        TclImageList read(nullptr);
        ReadText(&read, text);
        EXPECT_EQ(read.CompressData(), packed);
        EXPECT_EQ(read.DesignInfo(), 0x00050007);
        ASSERT_EQ(read.Count(), 2);
        EXPECT_TRUE(clSameImageLists(&read, &written));
        for (int i = 0; i < 2; ++i) {
            TclCustomBitmap image;
            TclCustomBitmap mask;
            gui::TColor maskColor = gui::clNone;
            read.GetImageInfoAt(i, image, mask, maskColor);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(PixelOf(image, x, y), PixelOf(*strip, i * 16 + x, y)) << i << ": " << x << ", " << y;
            EXPECT_EQ(Drawn(read.Handle(), i, win::ILD_NORMAL), Drawn(written.Handle(), i, win::ILD_NORMAL));
        }
    }
}

TEST_F(ImageListsTest, TheFrameworksOwnFormLoadsAndGainsInfos)
{
    gui::TImageList plain(nullptr);
    plain.SetName("Images");
    const auto strip = Ramp(32, 16);
    plain.Add(strip.get(), nullptr);
    std::string text = TextOf(&plain);
    ASSERT_NE(text.find("Bitmap = {"), std::string::npos) << text;
    text.replace(text.find("TImageList"), 10, "TclImageList");

    TclImageList list(nullptr);
    ReadText(&list, text);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ImageInfoCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Drawn(list.Handle(), i, win::ILD_NORMAL), Drawn(plain.Handle(), i, win::ILD_NORMAL)) << i;
    TclCustomBitmap image;
    TclCustomBitmap mask;
    gui::TColor maskColor = gui::clNone;
    list.GetImageInfoAt(1, image, mask, maskColor);
    EXPECT_EQ(PixelOf(image, 3, 4), PixelOf(*strip, 19, 4));
}

TEST_F(ImageListsTest, DamagedStoredDataIsAnErrorOfItsPropertyAndChangesNothing)
{
    // A stored list of two 16 x 16 images, to be damaged.
    TclImageList source(nullptr);
    source.SetName("Images");
    source.AddImage(Ramp(32, 16).get(), nullptr);
    const std::string good = TextOf(&source);

    TclImageList wide(nullptr);
    wide.SetName("Images");
    wide.SetWidth(32);
    wide.AddImage(Ramp(32, 16).get(), nullptr);
    std::string tooWide = TextOf(&wide);
    tooWide.erase(tooWide.find("  Width = 32\n"), 13);

    TclImageList masked(nullptr);
    masked.SetName("Images");
    TclCustomBitmap mask(16, 16, gui::pf1bit);
    masked.AddImage(Ramp(16, 16).get(), &mask);
    TclImageList smallMask(nullptr);
    smallMask.SetName("Images");
    smallMask.SetWidth(8);
    smallMask.SetHeight(8);
    TclCustomBitmap small(8, 8, gui::pf1bit);
    smallMask.AddImage(Ramp(8, 8).get(), &small);
    // The 16 x 16 list's first item with the 8 x 8 mask.
    const std::string maskedText = TextOf(&masked);
    const std::string smallText = TextOf(&smallMask);
    const auto maskData = [](const std::string& text) {
        const std::size_t start = text.find("Mask.Data = {");
        return text.substr(start, text.find('}', start) - start);
    };
    std::string otherMask = maskedText;
    otherMask.replace(otherMask.find("Mask.Data = {"), maskData(maskedText).size(), maskData(smallText));

    std::string notAList = good;
    const std::string frameworkBitmap = "  Bitmap = {\n    494C0101}\n";
    notAList.insert(notAList.find("  FormatVersion"), frameworkBitmap);

    struct Case {
        const char* name;
        std::string text;
        const char* property;
    };
    const Case cases[] = {
        {"an image larger than the list's", tooWide, "ImageInfo"},
        {"a mask of another size", otherMask, "ImageInfo"},
        {"framework data that does not decode", notAList, "Bitmap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TclImageList list(nullptr);
        list.AddImage(Ramp(16, 16).get(), nullptr);
        try {
            ReadText(&list, c.text);
            ADD_FAILURE() << "no error";
        } catch (const rtl::EReadError& e) {
            EXPECT_NE(e.Message().find(c.property), std::string::npos) << e.Message();
        }
        EXPECT_EQ(list.Count(), 1) << "the list as it was";
        EXPECT_EQ(list.ImageInfoCount(), 1);
    }

    // An unknown format version is remembered, not refused.
    std::string later = good;
    later.replace(later.find("FormatVersion = 1"), 17, "FormatVersion = 7");
    TclImageList list(nullptr);
    ReadText(&list, later);
    EXPECT_EQ(list.FormatVersion(), 7);
    EXPECT_EQ(list.Count(), 2);
}

}  // namespace
