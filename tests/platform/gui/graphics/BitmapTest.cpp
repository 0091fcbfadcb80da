#include "platform/classes/Resources.h"
#include "platform/gdi/Blit.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/rtl/FileUtils.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <cstdio>
#include <vector>

namespace {

using guitest::Surface;

class BitmapTest : public guitest::GuiTest {};

std::unique_ptr<gui::TBitmap> LoadFixture(const std::string& name)
{
    auto bitmap = std::make_unique<gui::TBitmap>();
    bitmap->LoadFromFile(guitest::FixturePath("pictures/" + name));
    return bitmap;
}

// Every depth and header the files come in loads with the codec's pixels, and an unchanged bitmap writes
// back the very file it read.
TEST_F(BitmapTest, BitmapFilesLoadAsTheCodecReadsThemAndSaveBackUnchanged)
{
    struct Case {
        const char* file;
        gui::TPixelFormat format;
    };
    const Case cases[] = {
        {"bilevel.bmp", gui::pf1bit}, {"palette4.bmp", gui::pf4bit}, {"rle8.bmp", gui::pf8bit},
        {"core24.bmp", gui::pf24bit}, {"rgb24.bmp", gui::pf24bit},  {"rgb565.bmp", gui::pf24bit},
        {"rgba32.bmp", gui::pf32bit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string file = guitest::ReadFixture(std::string("pictures/") + c.file);
        const win::Image expected = win::ReadBmp(file);
        gui::TBitmap bitmap;
        bitmap.LoadFromFile(guitest::FixturePath(std::string("pictures/") + c.file));
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        ASSERT_EQ(bitmap.Width(), expected.Width());
        ASSERT_EQ(bitmap.Height(), expected.Height());
        for (int y = 0; y < expected.Height(); ++y) {
            for (int x = 0; x < expected.Width(); ++x) {
                const std::uint32_t argb = expected.Pixel(x, y);
                const auto rgb = win::RGB(std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb));
                ASSERT_EQ(static_cast<win::COLORREF>(bitmap.Canvas()->Pixels(x, y)), rgb) << x << ", " << y;
            }
        }
        EXPECT_EQ(guitest::SavedBytes(bitmap), file);
    }
}

// A changed bitmap is written at its own depth as a plain bitmap file, which outside tools read.
TEST_F(BitmapTest, AChangedBitmapIsWrittenAsABitmapFileOthersRead)
{
    testsupport::ScratchFolder folder;
    struct Case {
        const char* file;
        int bits;
    };
    for (const Case c : {Case{"palette4.bmp", 4}, Case{"rgb24.bmp", 24}, Case{"bilevel.bmp", 1}}) {
        SCOPED_TRACE(c.file);
        auto loaded = LoadFixture(c.file);
        gui::TBitmap& bitmap = *loaded;
        bitmap.Canvas()->SetPixels(0, 0, gui::clWhite);
        bitmap.Canvas()->SetPixels(1, 0, gui::clBlack);
        const std::string name = folder.Path(std::string("changed-") + c.file);
        bitmap.SaveToFile(name);
        const std::string command = "identify -format '%m %w %h %z' '" + name + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char line[256] = {};
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        const int status = pclose(pipe);
        ASSERT_TRUE(read);
        EXPECT_EQ(status, 0) << line;
        EXPECT_EQ(std::string(line).substr(0, 9), "BMP3 13 7") << line;
        gui::TBitmap reread;
        reread.LoadFromFile(name);
        EXPECT_EQ(reread.PixelFormat(), bitmap.PixelFormat());
        EXPECT_EQ(reread.Canvas()->Pixels(0, 0), gui::clWhite);
        EXPECT_EQ(reread.Canvas()->Pixels(1, 0), gui::clBlack);
        EXPECT_EQ(reread.Canvas()->Pixels(5, 5), bitmap.Canvas()->Pixels(5, 5));
    }
}

// The program's bitmaps are bitmap files among its resources, by name or number.
TEST_F(BitmapTest, ResourceBitmapsLoadByNameAndNumber)
{
    const std::string file = guitest::ReadFixture("pictures/palette4.bmp");
    const classes::TResourceEntry table[] = {
        {classes::RT_BITMAP, nullptr, 0, "GLYPH", file.data(), file.size()},
        {classes::RT_BITMAP, nullptr, 12, nullptr, file.data(), file.size()},
    };
    classes::RegisterResources(table, std::size(table));
    gui::TBitmap byName;
    byName.LoadFromResourceName(win::GetModuleHandle(nullptr), "glyph");
    EXPECT_EQ(guitest::SavedBytes(byName), file);
    gui::TBitmap byNumber;
    byNumber.LoadFromResourceID(win::GetModuleHandle(nullptr), 12);
    EXPECT_EQ(byNumber.PixelFormat(), gui::pf4bit);
    try {
        byNumber.LoadFromResourceName(win::GetModuleHandle(nullptr), "NOGLYPH");
        ADD_FAILURE() << "loaded";
    } catch (const classes::EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource NOGLYPH not found");
    }
    EXPECT_EQ(guitest::SavedBytes(byNumber), file);
    classes::UnregisterResources(table);
}

TEST_F(BitmapTest, TransparentColourIsTheBottomLeftPixelUntilOneIsSet)
{
    gui::TBitmap bitmap;
    bitmap.SetSize(4, 3);
    bitmap.Canvas()->SetPixels(0, 2, gui::clTeal);
    EXPECT_EQ(bitmap.TransparentMode(), gui::tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), gui::clTeal);
    bitmap.SetTransparentColor(gui::clBtnFace);
    EXPECT_EQ(bitmap.TransparentMode(), gui::tmFixed);
    EXPECT_EQ(static_cast<win::COLORREF>(bitmap.TransparentColor()), gui::ColorToRGB(gui::clBtnFace));
    bitmap.SetTransparentMode(gui::tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), gui::clTeal);
}

// Transparent drawing is the masked blit of a mask made of the bottom-left colour: the destination
// stays where the bitmap has that colour.
TEST_F(BitmapTest, TransparentDrawIsAMaskedBlitWithTheBottomLeftColour)
{
    auto loaded = LoadFixture("rgb24.bmp");
    gui::TBitmap& bitmap = *loaded;
    bitmap.SetTransparent(true);
    constexpr win::COLORREF ground = win::RGB(0x12, 0x34, 0x56);
    Surface drawn(20, 12, ground);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Draw(3, 2, &bitmap);
    canvas.SetHandle(nullptr);

    // The reference: the file's pixels, and a mask built pixel by pixel from its bottom-left colour.
    const win::Image image = win::ReadBmp(guitest::ReadFixture("pictures/rgb24.bmp"));
    const std::uint32_t key = image.Pixel(0, image.Height() - 1) & 0x00FFFFFF;
    Surface source(image.Width(), image.Height(), ground);
    std::vector<win::BYTE> maskBits(std::size_t((image.Width() + 15) / 16 * 2) * std::size_t(image.Height()), 0);
    int transparent = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t pixel = image.Pixel(x, y) & 0x00FFFFFF;
            win::SetPixel(source.DC(), x, y, win::RGB(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)));
            if (pixel == key) {
                maskBits[std::size_t(y * ((image.Width() + 15) / 16 * 2) + x / 8)] |= win::BYTE(0x80 >> (x % 8));
                ++transparent;
            }
        }
    }
    ASSERT_GT(transparent, 0);
    ASSERT_LT(transparent, image.Width() * image.Height());
    win::HBITMAP mask = win::CreateBitmap(image.Width(), image.Height(), 1, 1, maskBits.data());
    Surface reference(20, 12, ground);
    win::MaskBlt(reference.DC(), 3, 2, image.Width(), image.Height(), source.DC(), 0, 0, mask, 0, 0,
                 win::MAKEROP4(0x00AA0029, win::SRCCOPY));
    win::DeleteObject(mask);

    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_EQ(win::GetPixel(drawn.DC(), 3, 2 + image.Height() - 1), ground);
}

TEST_F(BitmapTest, ResizingKeepsThePictureAndWhitensWhatIsNew)
{
    gui::TBitmap bitmap;
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), gui::clWhite);
    bitmap.Canvas()->SetPixels(1, 1, gui::clRed);
    bitmap.SetSize(4, 3);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), gui::clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), gui::clWhite);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
}

// A dormant bitmap keeps only its file, and comes back from it; a scan line is a row of its pixels.
TEST_F(BitmapTest, DormantBitmapsComeBackFromTheirFileAndScanLinesAreRows)
{
    auto loaded = LoadFixture("rgb24.bmp");
    gui::TBitmap& bitmap = *loaded;
    const gui::TColor corner = bitmap.Canvas()->Pixels(12, 6);
    bitmap.Dormant();
    EXPECT_FALSE(bitmap.HandleAllocated());
    EXPECT_EQ(bitmap.Canvas()->Pixels(12, 6), corner);
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(6));
    EXPECT_EQ(win::RGB(row[12 * 3 + 2], row[12 * 3 + 1], row[12 * 3]), static_cast<win::COLORREF>(corner));
    row[0] = 0xFF;  // a scan line counts as a change: the file is no longer the original
    EXPECT_NE(guitest::SavedBytes(bitmap), guitest::ReadFixture("pictures/rgb24.bmp"));
    EXPECT_THROW(bitmap.ScanLine(7), gui::EInvalidGraphic);
}

// What the canvas drew is in the scan line at once, at every depth that keeps its rows in memory.
TEST_F(BitmapTest, ScanLinesHoldWhatTheCanvasDrew)
{
    auto loaded = LoadFixture("rgb24.bmp");
    gui::TBitmap& bitmap = *loaded;
    bitmap.Canvas()->SetPixels(3, 2, gui::clBlue);
    const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(2));
    EXPECT_EQ(win::RGB(row[3 * 3 + 2], row[3 * 3 + 1], row[3 * 3]), static_cast<win::COLORREF>(gui::clBlue));
}

TEST_F(BitmapTest, PixelFormatConvertsThePicture)
{
    gui::TBitmap bitmap;
    bitmap.SetSize(3, 1);
    bitmap.Canvas()->SetPixels(0, 0, gui::clBlack);
    bitmap.Canvas()->SetPixels(2, 0, gui::clRed);
    bitmap.SetMonochrome(true);
    EXPECT_EQ(bitmap.PixelFormat(), gui::pf1bit);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), gui::clBlack);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), gui::clWhite);
    EXPECT_EQ(bitmap.TransparentColor(), gui::clWhite);
    bitmap.SetPixelFormat(gui::pf24bit);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), gui::clWhite);
}

// Stored data: a 32-bit length, then the file; a length past the end or a file that is no bitmap is
// refused with the component, the property and the fault named, and the property keeps its picture.
TEST_F(BitmapTest, DamagedStoredBitmapsAreRefusedAndTheGlyphKept)
{
    classes::RegisterClass(guitest::TGraphicsHolder::StaticClass());
    guitest::TGraphicsHolder holder(nullptr);
    holder.SetName("Holder");
    holder.Glyph()->LoadFromFile(guitest::FixturePath("pictures/rgb24.bmp"));
    const std::string original = guitest::SavedBytes(*holder.Glyph());
    const std::string text = guitest::TextOf(holder);
    const std::string stored = guitest::Hex(std::string("\x4E\x01\0\0", 4)) + guitest::Hex(original);
    ASSERT_NE(text.find("Glyph.Data = {"), std::string::npos) << text;

    std::string lying = original;
    lying[10] = char(0xF0);  // the pixels' offset lies past the file
    struct Case {
        const char* name;
        std::string data;
        const char* message;
    };
    const Case cases[] = {
        {"length past the end", guitest::Hex(std::string("\x4F\x01\0\0", 4)) + guitest::Hex(original),
         "Error reading Holder.Glyph.Data: The stored bitmap's length (335 bytes) runs past the end of its data (334 "
         "bytes)"},
        {"no length", "0102", "Error reading Holder.Glyph.Data: The stored bitmap has no length"},
        {"header lying about the offset", guitest::Hex(std::string("\x4E\x01\0\0", 4)) + guitest::Hex(lying),
         "Error reading Holder.Glyph.Data: Bitmap image is not valid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string damaged = "object Holder: TGraphicsHolder\n  Glyph.Data = {\n    " + c.data + "}\nend\n";
        guitest::TGraphicsHolder target(nullptr);
        target.Glyph()->Assign(holder.Glyph());
        try {
            guitest::ReadText(damaged, &target);
            ADD_FAILURE() << "read";
        } catch (const rtl::EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_STREQ(e.ClassName(), "EReadError");
        }
        EXPECT_EQ(guitest::SavedBytes(*target.Glyph()), original);
    }
    classes::UnRegisterClass(guitest::TGraphicsHolder::StaticClass());
}

}  // namespace
