#include "platform/gdiplus/ImageList.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/gdiplus/detail/ImageList.h"
#include "tests/platform/gdiplus/GdiPlusFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;

constexpr std::uint32_t Key = 0x00FF00FF;  // magenta, the transparent colour of the masked strips
constexpr std::uint32_t Backdrop = 0x000000FF;  // blue

// A 32-bit bitmap from rows of 0xAARRGGBB words.
HBITMAP MakeBitmap(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    return CreateBitmap(width, height, 1, 32, pixels.data());
}

// A strip of two 4 x 3 images: image n has the colour 0x10 * (n + 1) * (x + 1) in red and y * 40 in
// green, except the pixels where (x + y + n) is divisible by 3, which are the key colour.
std::uint32_t StripPixel(int x, int y)
{
    const int n = x / 4;
    const int ix = x % 4;
    if ((ix + y + n) % 3 == 0) {
        return Key;
    }
    return static_cast<std::uint32_t>((0x10 * (n + 1) * (ix + 1)) << 16 | (y * 40) << 8);
}

std::vector<std::uint32_t> Strip()
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels.push_back(StripPixel(x, y));
        }
    }
    return pixels;
}

// A memory device context over a 10 x 8 bitmap filled with the backdrop colour.
class ImageListTest : public wintest::GdiPlusLibraryTest {
protected:
    void SetUp() override
    {
        GdiPlusLibraryTest::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        target_ = CreateCompatibleBitmap(dc_, Width, Height);
        SelectObject(dc_, target_);
        Clear();
    }
    void TearDown() override
    {
        FinalizeImageLists();
        DeleteDC(dc_);
        DeleteObject(target_);
        GdiPlusLibraryTest::TearDown();
    }
    void Clear()
    {
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                SetPixel(dc_, x, y, ColorFromPixel(Backdrop));
            }
        }
    }
    std::uint32_t At(int x, int y) { return At(dc_, x, y); }
    static std::uint32_t At(HDC dc, int x, int y) { return PixelFromColor(GetPixel(dc, x, y)); }
    HIMAGELIST MaskedList()
    {
        const HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR24 | ILC_MASK, 1, 1);
        const HBITMAP strip = MakeBitmap(8, 3, Strip());
        EXPECT_EQ(ImageList_AddMasked(list, strip, ColorFromPixel(Key)), 0);
        DeleteObject(strip);
        return list;
    }

    static constexpr int Width = 10;
    static constexpr int Height = 8;
    HDC dc_ = nullptr;
    HBITMAP target_ = nullptr;
};

TEST_F(ImageListTest, AddMaskedCutsTheStripAndBlackensTheKeyInTheSource)
{
    const HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR24 | ILC_MASK, 0, 1);
    const HBITMAP strip = MakeBitmap(8, 3, Strip());
    EXPECT_EQ(ImageList_AddMasked(list, strip, ColorFromPixel(Key)), 0);
    EXPECT_EQ(ImageList_AddMasked(list, strip, ColorFromPixel(Key)), 2);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 3);

    const HDC source = CreateCompatibleDC(nullptr);
    SelectObject(source, strip);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(PixelFromColor(GetPixel(source, x, y)), StripPixel(x, y) == Key ? 0u : StripPixel(x, y)) << x << "," << y;
        }
    }
    DeleteDC(source);
    DeleteObject(strip);

    IMAGEINFO info;
    ASSERT_TRUE(ImageList_GetImageInfo(list, 3, &info));
    EXPECT_EQ(info.rcImage, (RECT{0, 9, 4, 12}));
    EXPECT_NE(info.hbmImage, nullptr);
    EXPECT_NE(info.hbmMask, nullptr);
    EXPECT_FALSE(ImageList_GetImageInfo(list, 4, &info));
}

// How each style shows image 1 of the masked strip drawn at logical (3, 2), with the window origin at
// (1, 1) and the clip cutting off device column 2 and everything right of column 4.
struct StyleCase {
    const char* name;
    UINT style;
    COLORREF background;  // the list's
    std::uint32_t (*expected)(std::uint32_t image, bool transparent, std::uint32_t under);
};

const StyleCase StyleCases[] = {
    {"transparent", ILD_TRANSPARENT, RGB(0, 255, 0),
     [](std::uint32_t image, bool transparent, std::uint32_t under) { return transparent ? under : image; }},
    {"normal without background", ILD_NORMAL, CLR_NONE,
     [](std::uint32_t image, bool transparent, std::uint32_t under) { return transparent ? under : image; }},
    {"normal with background", ILD_NORMAL, RGB(0, 255, 0),
     [](std::uint32_t image, bool transparent, std::uint32_t) { return transparent ? 0x0000FF00u : image; }},
    {"mask", ILD_MASK, CLR_NONE,
     [](std::uint32_t, bool transparent, std::uint32_t) { return transparent ? 0x00FFFFFFu : 0u; }},
    {"image", ILD_IMAGE, CLR_NONE,
     [](std::uint32_t image, bool transparent, std::uint32_t) { return transparent ? 0u : image; }},
};

TEST_F(ImageListTest, DrawStylesThroughOriginAndClip)
{
    const HIMAGELIST list = MaskedList();
    for (const StyleCase& test : StyleCases) {
        SCOPED_TRACE(test.name);
        Clear();
        ImageList_SetBkColor(list, test.background);
        SaveDC(dc_);
        SetWindowOrgEx(dc_, 1, 1, nullptr);
        IntersectClipRect(dc_, 4, 0, 6, Height);  // device columns 3 and 4
        ASSERT_TRUE(ImageList_Draw(list, 1, dc_, 3, 2, test.style));
        RestoreDC(dc_, -1);
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const int ix = x - 2;
                const int iy = y - 1;
                std::uint32_t expected = Backdrop;
                if (ix >= 0 && ix < 4 && iy >= 0 && iy < 3 && x >= 3 && x <= 4) {
                    const std::uint32_t pixel = StripPixel(ix + 4, iy);
                    expected = test.expected(pixel, pixel == Key, Backdrop);
                }
                EXPECT_EQ(At(x, y), expected) << x << "," << y;
            }
        }
    }
}

// A bitmap of fewer bits is drawn on as any other: through its working surface, into its own bits.
TEST_F(ImageListTest, DrawingReachesBitmapsOfFewerBits)
{
    const HIMAGELIST list = MaskedList();
    for (const UINT bits : {1u, 24u}) {
        SCOPED_TRACE(bits);
        const HBITMAP bitmap = CreateBitmap(4, 3, 1, bits, nullptr);
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, 4, 3, WHITENESS);
        ASSERT_TRUE(ImageList_Draw(list, 0, dc, 0, 0, ILD_NORMAL));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                const std::uint32_t pixel = StripPixel(x, y);
                // Monochrome bitmaps hold the nearest of black and white; the image's colours are dark.
                const std::uint32_t expected = pixel == Key ? 0x00FFFFFF : bits == 1 ? 0 : pixel;
                EXPECT_EQ(At(dc, x, y), expected) << x << "," << y;
            }
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    ImageList_Destroy(list);
}

TEST_F(ImageListTest, BlendStylesMixTheForegroundIntoOpaquePixels)
{
    const HIMAGELIST list = MaskedList();
    struct Case {
        UINT style;
        COLORREF foreground;
        int weight;
        std::uint32_t with;
    };
    const std::uint32_t highlight = PixelFromColor(GetSysColor(COLOR_HIGHLIGHT));
    for (const Case& test : {Case{ILD_BLEND50, RGB(255, 255, 255), 2, 0x00FFFFFF}, Case{ILD_BLEND25, RGB(0, 0, 255), 1, 0x000000FF},
                             Case{ILD_SELECTED, CLR_DEFAULT, 2, highlight}, Case{ILD_FOCUS, CLR_NONE, 1, Backdrop}}) {
        SCOPED_TRACE(test.style);
        Clear();
        ASSERT_TRUE(ImageList_DrawEx(list, 0, dc_, 0, 0, 0, 0, CLR_NONE, test.foreground, test.style));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                const std::uint32_t pixel = StripPixel(x, y);
                std::uint32_t expected = Backdrop;
                if (pixel != Key) {
                    expected = 0;
                    for (int shift : {16, 8, 0}) {
                        const double mixed = (((pixel >> shift) & 0xFF) * (4 - test.weight) + ((test.with >> shift) & 0xFF) * test.weight) / 4.0;
                        expected |= static_cast<std::uint32_t>(std::floor(mixed + 0.5)) << shift;
                    }
                }
                EXPECT_EQ(At(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(ImageListTest, AlphaImagesBlendOverTheDestination)
{
    const HIMAGELIST list = ImageList_Create(4, 2, ILC_COLOR32 | ILC_MASK, 1, 1);
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 8; ++i) {
        const std::uint32_t alpha = static_cast<std::uint32_t>(i * 36);  // 0 .. 252
        pixels.push_back(alpha << 24 | 0x00C08040u);
    }
    const HBITMAP bitmap = MakeBitmap(4, 2, pixels);
    ASSERT_EQ(ImageList_Add(list, bitmap, nullptr), 0);
    DeleteObject(bitmap);
    ASSERT_TRUE(ImageList_Draw(list, 0, dc_, 1, 1, ILD_TRANSPARENT));
    for (int i = 0; i < 8; ++i) {
        const double alpha = i * 36;
        std::uint32_t expected = 0;
        for (int shift : {16, 8, 0}) {
            const double source = (0x00C08040u >> shift) & 0xFF;
            const double under = (Backdrop >> shift) & 0xFF;
            // Premultiplied source plus the destination scaled by what the source leaves, each rounded.
            expected |= static_cast<std::uint32_t>(std::lround(source * alpha / 255) + std::lround(under * (255 - alpha) / 255)) << shift;
        }
        EXPECT_EQ(At(1 + i % 4, 1 + i / 4), expected) << i;
    }
    // The mask of an alpha image is white exactly where the alpha is 0.
    Clear();
    ImageList_Draw(list, 0, dc_, 0, 0, ILD_MASK);
    EXPECT_EQ(At(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(At(1, 0), 0u);
}

TEST_F(ImageListTest, OverlayDrawsOnTopTransparently)
{
    const HIMAGELIST list = MaskedList();
    ASSERT_TRUE(ImageList_SetOverlayImage(list, 1, 1));
    EXPECT_FALSE(ImageList_SetOverlayImage(list, 1, 16));
    ASSERT_TRUE(ImageList_Draw(list, 0, dc_, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1)));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t top = StripPixel(x + 4, y);
            const std::uint32_t bottom = StripPixel(x, y);
            const std::uint32_t expected = top != Key ? top : bottom != Key ? bottom : Backdrop;
            EXPECT_EQ(At(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(ImageListTest, RemoveReplaceAndBadArguments)
{
    const HIMAGELIST list = MaskedList();
    const HBITMAP strip = MakeBitmap(8, 3, Strip());
    ImageList_AddMasked(list, strip, ColorFromPixel(Key));  // images 2 and 3, the same as 0 and 1
    ASSERT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    // Image 0 is now the old image 1: its masked draw shows the second cell of the strip.
    ImageList_Draw(list, 0, dc_, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(0, 0), StripPixel(4, 0));
    EXPECT_EQ(At(2, 0), Backdrop);  // (2 + 0 + 1) % 3 == 0: a key pixel

    const std::vector<std::uint32_t> white(12, 0x00FFFFFF);
    const HBITMAP plain = MakeBitmap(4, 3, white);
    ASSERT_TRUE(ImageList_Replace(list, 2, plain, nullptr));
    Clear();
    ImageList_Draw(list, 2, dc_, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(3, 2), 0x00FFFFFFu);

    EXPECT_FALSE(ImageList_Replace(list, 3, plain, nullptr));
    EXPECT_FALSE(ImageList_Remove(list, 3));
    EXPECT_FALSE(ImageList_Draw(list, 3, dc_, 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, 0, nullptr, 0, 0, ILD_NORMAL));
    // A bitmap selected into a device context is refused.
    EXPECT_EQ(ImageList_Add(list, target_, nullptr), -1);
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR32, 1, 1), nullptr);

    ASSERT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    ASSERT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    DeleteObject(strip);
    DeleteObject(plain);
}

TEST_F(ImageListTest, StoredFormRoundTrips)
{
    const HIMAGELIST list = MaskedList();
    std::vector<std::uint32_t> pixels(12, 0x80402010);
    pixels[5] = 0;
    const HIMAGELIST alpha = ImageList_Create(4, 3, ILC_COLOR32 | ILC_MASK, 5, 1);
    const HBITMAP bitmap = MakeBitmap(4, 3, pixels);
    ImageList_Add(alpha, bitmap, nullptr);
    DeleteObject(bitmap);
    ImageList_SetBkColor(list, RGB(1, 2, 3));
    ImageList_SetOverlayImage(list, 1, 4);

    for (HIMAGELIST original : {list, alpha}) {
        rtl::TMemoryStream stream;
        stream.WriteBuffer("x", 1);
        ASSERT_TRUE(ImageList_Write(original, stream));
        stream.WriteBuffer("after", 5);
        stream.SetPosition(1);
        const HIMAGELIST copy = ImageList_Read(stream);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(stream.Size() - stream.Position(), 5);
        EXPECT_EQ(ImageList_GetImageCount(copy), ImageList_GetImageCount(original));
        EXPECT_EQ(ImageList_GetBkColor(copy), ImageList_GetBkColor(original));
        for (int index = 0; index < ImageList_GetImageCount(original); ++index) {
            for (UINT style : {ILD_TRANSPARENT | INDEXTOOVERLAYMASK(4), ILD_MASK, ILD_NORMAL}) {
                Clear();
                ImageList_Draw(original, index, dc_, 0, 0, style);
                ImageList_Draw(copy, index, dc_, 5, 0, style);
                for (int y = 0; y < 3; ++y) {
                    for (int x = 0; x < 4; ++x) {
                        EXPECT_EQ(At(x + 5, y), At(x, y)) << index << " " << style << " " << x << "," << y;
                    }
                }
            }
        }
        // The bitmaps' bytes, alpha included, come back as they were.
        IMAGEINFO before;
        IMAGEINFO after;
        ImageList_GetImageInfo(original, 0, &before);
        ImageList_GetImageInfo(copy, 0, &after);
        BITMAP a;
        BITMAP b;
        GetObject(before.hbmImage, sizeof a, &a);
        GetObject(after.hbmImage, sizeof b, &b);
        const HDC first = CreateCompatibleDC(nullptr);
        const HDC second = CreateCompatibleDC(nullptr);
        SelectObject(first, before.hbmImage);
        SelectObject(second, after.hbmImage);
        {
            auto lock = LockGdi();
            const Surface* x = FindDC(first)->Target();
            const Surface* y = FindDC(second)->Target();
            for (int row = 0; row < 3; ++row) {
                EXPECT_TRUE(std::equal(x->Row(row), x->Row(row) + 4, y->Row(row)));
            }
        }
        DeleteDC(first);
        DeleteDC(second);
        // Written again, the copy is the stored form it was read from, byte for byte.
        rtl::TMemoryStream again;
        ASSERT_TRUE(ImageList_Write(copy, again));
        ASSERT_EQ(again.Size(), stream.Size() - 6);
        EXPECT_TRUE(std::equal(again.Memory(), again.Memory() + again.Size(), stream.Memory() + 1));
        ImageList_Destroy(copy);
    }
}

TEST_F(ImageListTest, DamagedStoredFormIsRefusedAndTheStreamKept)
{
    const HIMAGELIST list = MaskedList();
    rtl::TMemoryStream stream;
    ImageList_Write(list, stream);
    const std::int64_t whole = stream.Size();
    for (std::int64_t cut : {std::int64_t{10}, std::int64_t{50}, whole - 1}) {
        SCOPED_TRACE(cut);
        rtl::TMemoryStream damaged;
        damaged.WriteBuffer(stream.Memory(), cut);
        damaged.SetPosition(0);
        EXPECT_EQ(ImageList_Read(damaged), nullptr);
        EXPECT_EQ(damaged.Position(), 0);
    }
    rtl::TMemoryStream wrong;
    wrong.WriteBuffer(stream.Memory(), whole);
    wrong.Memory()[0] = 'X';
    wrong.SetPosition(0);
    EXPECT_EQ(ImageList_Read(wrong), nullptr);
}

TEST_F(ImageListTest, DragImageJoinsTheCursorAtTheHotSpot)
{
    const HIMAGELIST list = MaskedList();
    const HIMAGELIST cursor = ImageList_Create(2, 2, ILC_COLOR24, 1, 1);
    const std::vector<std::uint32_t> white(4, 0x00FFFFFF);
    const HBITMAP bitmap = MakeBitmap(2, 2, white);
    ImageList_Add(cursor, bitmap, nullptr);
    DeleteObject(bitmap);

    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    ASSERT_TRUE(ImageList_BeginDrag(list, 1, 1, 1));
    EXPECT_FALSE(ImageList_BeginDrag(list, 0, 0, 0));
    // The cursor's hot spot (0, 0) meets the drag hot spot (1, 1): the cursor covers image pixels
    // (1, 1) .. (2, 2).
    ASSERT_TRUE(ImageList_SetDragCursorImage(cursor, 0, 0, 0));
    POINT position;
    POINT hotSpot;
    const HIMAGELIST drag = ImageList_GetDragImage(&position, &hotSpot);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(hotSpot, (POINT{1, 1}));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(drag, &cx, &cy);
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 3);
    ImageList_Draw(drag, 0, dc_, 0, 0, ILD_TRANSPARENT);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t image = StripPixel(x + 4, y);
            const bool underCursor = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            EXPECT_EQ(At(x, y), underCursor ? 0x00FFFFFFu : image == Key ? Backdrop : image) << x << "," << y;
        }
    }

    EXPECT_FALSE(DragImageShown());
    ASSERT_TRUE(ImageList_DragEnter(nullptr, 5, 6));
    EXPECT_EQ(DragImageShown(), std::optional<HWND>(nullptr));
    ASSERT_TRUE(ImageList_DragMove(7, 8));
    ImageList_GetDragImage(&position, nullptr);
    EXPECT_EQ(position, (POINT{7, 8}));
    ImageList_DragShowNolock(FALSE);
    EXPECT_FALSE(DragImageShown());
    ASSERT_TRUE(ImageList_DragLeave(nullptr));
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_FALSE(ImageList_DragMove(1, 1));
}

}  // namespace

namespace {

TEST_F(ImageListTest, DrawingOnADibSectionBelow32BitsReachesItsBits)
{
    const HIMAGELIST list = MaskedList();
    BITMAPINFO info;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biBitCount = 24;
    void* memory = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    HDC sectionDc = CreateCompatibleDC(nullptr);
    SelectObject(sectionDc, section);
    ASSERT_TRUE(ImageList_Draw(list, 0, sectionDc, 0, 0, ILD_NORMAL));
    // A later drawing call elsewhere keeps the image, and the bits hold it.
    SetPixel(sectionDc, Width - 1, Height - 1, RGB(1, 2, 3));
    GdiFlush();
    const auto* bits = static_cast<const std::uint8_t*>(memory);
    const std::uint32_t pixel = StripPixel(1, 0);
    EXPECT_EQ(bits[3 + 2], pixel >> 16 & 0xFF) << "red of the image's pixel (1, 0)";
    EXPECT_EQ(bits[3 + 1], pixel >> 8 & 0xFF);
    DeleteDC(sectionDc);
    DeleteObject(section);
}

}  // namespace
