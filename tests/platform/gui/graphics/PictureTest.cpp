#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/JpegImage.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/JpegCodec.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"
#include "tests/support/ScratchFolder.h"

namespace {

using guitest::Surface;

class PictureTest : public guitest::GuiTest {};

// Every registered extension loads its class, at the size its codec reads.
TEST_F(PictureTest, EachRegisteredExtensionLoadsItsClass)
{
    testsupport::ScratchFolder folder;
    struct Case {
        const char* fixture;
        const char* name;
        const classes::TClassInfo& graphicClass;
        int width;
        int height;
    };
    const win::Image bmp = win::ReadBmp(guitest::ReadFixture("pictures/rgb24.bmp"));
    const win::Image jpeg = win::ReadJpeg(guitest::ReadFixture("pictures/colour.jpg"));
    const win::Image gif = win::ReadGif(guitest::ReadFixture("pictures/wide.gif"));
    const Case cases[] = {
        {"pictures/rgb24.bmp", "a.bmp", gui::TBitmap::StaticClass(), bmp.Width(), bmp.Height()},
        {"pictures/rgb24.bmp", "UPPER.BMP", gui::TBitmap::StaticClass(), bmp.Width(), bmp.Height()},
        {"pictures/two-sizes.ico", "a.ico", gui::TIcon::StaticClass(), 32, 32},
        {"pictures/colour.jpg", "a.jpg", gui::TJPEGImage::StaticClass(), jpeg.Width(), jpeg.Height()},
        {"pictures/colour.jpg", "a.jpeg", gui::TJPEGImage::StaticClass(), jpeg.Width(), jpeg.Height()},
        {"pictures/wide.gif", "a.gif", gui::TGIFImage::StaticClass(), gif.Width(), gif.Height()},
        {"../fuzz/corpus/emf/shapes.emf", "a.emf", gui::TMetafile::StaticClass(), -1, -1},
        {"../fuzz/corpus/wmf/polygon-dib.wmf", "a.wmf", gui::TMetafile::StaticClass(), -1, -1},
        // The logo's picture may carry any of the extensions whatever it holds: the class reads its content.
        {"../fuzz/corpus/emf/shapes.emf", "QANTO_EE1.WMF", gui::TMetafile::StaticClass(), -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.WriteFile(c.name, guitest::ReadFixture(c.fixture));
        gui::TPicture picture;
        picture.LoadFromFile(folder.Path(c.name));
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(&picture.Graphic()->ClassType(), &c.graphicClass);
        if (c.width >= 0) {
            EXPECT_EQ(picture.Width(), c.width);
            EXPECT_EQ(picture.Height(), c.height);
        } else {
            EXPECT_GT(picture.Width(), 0);
        }
        Surface drawn(40, 40, win::RGB(1, 2, 3));
        gui::TCanvas canvas;
        canvas.SetHandle(drawn.DC());
        canvas.StretchDraw(win::RECT{0, 0, 40, 40}, picture.Graphic());
        canvas.SetHandle(nullptr);
        EXPECT_GT(drawn.Painted(win::RGB(1, 2, 3)), 100);
    }
}

TEST_F(PictureTest, UnknownExtensionsAndUnreadableFilesLeaveThePictureAsItWas)
{
    testsupport::ScratchFolder folder;
    folder.WriteFile("logo.bmp", guitest::ReadFixture("pictures/rgb24.bmp"));
    folder.WriteFile("logo.xyz", guitest::ReadFixture("pictures/rgb24.bmp"));
    folder.WriteFile("broken.jpg", "not a JPEG picture");
    folder.WriteFile("noext", guitest::ReadFixture("pictures/rgb24.bmp"));
    gui::TPicture picture;
    picture.LoadFromFile(folder.Path("logo.bmp"));
    gui::TGraphic* before = picture.Graphic();
    struct Case {
        const char* name;
        const char* message;
    };
    for (const Case& c : {Case{"logo.xyz", "Unknown picture file extension (.xyz)"},
                          Case{"noext", "Unknown picture file extension (.)"}}) {
        try {
            picture.LoadFromFile(folder.Path(c.name));
            ADD_FAILURE() << c.name;
        } catch (const gui::EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_THROW(picture.LoadFromFile(folder.Path("broken.jpg")), gui::EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(folder.Path("missing.bmp")), rtl::EFOpenError);
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(&picture.Graphic()->ClassType(), &gui::TBitmap::StaticClass());
}

// The filters of the open dialogs list the formats, the newest registration first.
TEST_F(PictureTest, GraphicFilterListsTheRegisteredFormats)
{
    EXPECT_EQ(gui::GraphicFilter(&gui::TGraphic::StaticClass()),
              "All (*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf"
              "|GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"
              "|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(gui::GraphicFilter(&gui::TMetafile::StaticClass()),
              "All (*.emf;*.wmf)|*.emf;*.wmf|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(gui::GraphicFileMask(&gui::TJPEGImage::StaticClass()), "*.jpg;*.jpeg");
    EXPECT_EQ(gui::GraphicExtension(&gui::TBitmap::StaticClass()), "bmp");
}

// The Bitmap, Icon and Metafile accessors give the picture that class, and a picture copies what it is given.
TEST_F(PictureTest, AccessorsGiveThePictureTheirClass)
{
    gui::TPicture picture;
    picture.LoadFromFile(guitest::FixturePath("pictures/two-sizes.ico"));
    EXPECT_EQ(picture.Icon()->Width(), 32);
    gui::TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(&picture.Graphic()->ClassType(), &gui::TBitmap::StaticClass());
    EXPECT_TRUE(bitmap->Empty());
    gui::TBitmap source;
    source.LoadFromFile(guitest::FixturePath("pictures/rgb24.bmp"));
    picture.SetGraphic(&source);
    EXPECT_NE(picture.Graphic(), &source);
    EXPECT_EQ(guitest::SavedBytes(*picture.Graphic()), guitest::SavedBytes(source));
    gui::TBitmap drawnIcon;
    gui::TIcon icon;
    icon.LoadFromFile(guitest::FixturePath("pictures/two-sizes.ico"));
    drawnIcon.Assign(&icon);  // a picture of another class is drawn on a bitmap of its size
    EXPECT_EQ(drawnIcon.Width(), 32);
    EXPECT_EQ(drawnIcon.Canvas()->Pixels(0, 0), gui::clWhite);
    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

// Stored data: the class name as a length byte and characters, then the class's data. A class no one
// registered is refused, and the picture kept.
TEST_F(PictureTest, StoredPicturesNameTheirClassAndUnknownClassesAreRefused)
{
    classes::RegisterClass(guitest::TGraphicsHolder::StaticClass());
    guitest::TGraphicsHolder holder(nullptr);
    holder.SetName("Holder");
    holder.Picture()->LoadFromFile(guitest::FixturePath("pictures/colour.jpg"));
    const std::string jpeg = guitest::ReadFixture("pictures/colour.jpg");
    const std::string text = guitest::TextOf(holder);
    const std::uint32_t length = std::uint32_t(jpeg.size());
    EXPECT_NE(text.find("Picture.Data = {\n    0A544A504547496D616765" +
                        guitest::Hex(std::string(reinterpret_cast<const char*>(&length), 4))),
              std::string::npos)
        << text.substr(0, 200);

    guitest::TGraphicsHolder read(nullptr);
    guitest::ReadText(text, &read);
    EXPECT_EQ(guitest::SavedBytes(*read.Picture()->Graphic()), jpeg);

    struct Case {
        const char* name;
        std::string data;
        const char* message;
    };
    const Case cases[] = {
        {"unknown class", guitest::Hex("\x09TPNGThing") + "0000",
         "Error reading Holder.Picture.Data: The stored picture is of the unknown class TPNGThing"},
        {"a class that is no picture", guitest::Hex("\x05TFont") + "0000",
         "Error reading Holder.Picture.Data: The stored picture is of the unknown class TFont"},
        {"name past the end", guitest::Hex("\x20TBitm"),
         "Error reading Holder.Picture.Data: The stored picture's class name runs past the end of its data"},
        {"JPEG length past the end", guitest::Hex("\x0ATJPEGImage") + "FF000000FFD8",
         "Error reading Holder.Picture.Data: The stored JPEG picture's length (255 bytes) runs past the end of its "
         "data (2 bytes)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            guitest::ReadText("object Holder: TGraphicsHolder\n  Picture.Data = {\n    " + c.data + "}\nend\n", &read);
            ADD_FAILURE() << "read";
        } catch (const rtl::EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        ASSERT_NE(read.Picture()->Graphic(), nullptr);
        EXPECT_EQ(guitest::SavedBytes(*read.Picture()->Graphic()), jpeg);
    }
    guitest::ReadText("object Holder: TGraphicsHolder\n  Picture.Data = {\n    00}\nend\n", &read);
    EXPECT_EQ(read.Picture()->Graphic(), nullptr);
    classes::UnRegisterClass(guitest::TGraphicsHolder::StaticClass());
}

}  // namespace
