// Pictures drawn in the looks of a control's state, read back from a surface and checked against the
// blending rules worked by hand; the size of the cursor's picture measured from cursors made here.

#include "controls/clImageDrawing.h"
#include "controls/clImageLists.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <cstdlib>
#include <vector>

namespace {

using namespace controls;
using testsupport::Surface;

class ImageDrawingTest : public controlstest::ControlsTest {};

using testsupport::At;

void ExpectGrey(win::COLORREF pixel, int grey, const char* what)
{
    for (const int channel : {win::GetRValue(pixel), win::GetGValue(pixel), win::GetBValue(pixel)})
        EXPECT_LE(std::abs(channel - grey), 1) << what << ": " << std::hex << pixel;
}

// A glyph of the size and depth, filled with the colour (for 32 bits: opaque).
std::unique_ptr<TclCustomBitmap> Glyph(int width, int height, gui::TPixelFormat format, gui::TColor color)
{
    auto glyph = std::make_unique<TclCustomBitmap>(width, height, format);
    if (format == gui::pf32bit) {
        clPutBitmapPixels(*glyph, std::vector<TclRGBQuad>(std::size_t(width * height), clColorToBGRA(color, 255)));
    } else {
        glyph->ClCanvas().FillRectColor(glyph->GetFullRect(), color);
    }
    return glyph;
}

TEST_F(ImageDrawingTest, DisabledAndFadedAlphaGlyphsOverWhite)
{
    // Black, opaque, grey 0: drawn at alpha 151 over white it leaves 255 - 151, at 64 it leaves 255 - 64.
    struct Case {
        TclImageDrawMode mode;
        int grey;
        const char* name;
    };
    for (const Case c : {Case{clidmDisabled, 104, "disabled"}, Case{clidmFaded, 191, "faded"},
                         Case{clidmNormal, 0, "normal"}, Case{clidmLightened, 77, "lightened"}}) {
        Surface surface(12, 12, win::RGB(255, 255, 255));
        const auto glyph = Glyph(4, 4, gui::pf32bit, gui::clBlack);
        clDrawImageWithState(surface.DC(), win::RECT{4, 4, 8, 8}, glyph.get(), nullptr, -1, c.mode);
        ExpectGrey(At(surface, 5, 5), c.grey, c.name);
        EXPECT_EQ(At(surface, 3, 3), win::RGB(255, 255, 255)) << c.name;
        EXPECT_EQ(At(surface, 8, 8), win::RGB(255, 255, 255)) << c.name;
    }
}

TEST_F(ImageDrawingTest, ShadowedGlyphGrowsOverItsMaskCopy)
{
    Surface surface(20, 20, win::RGB(255, 255, 255));
    const auto glyph = Glyph(4, 4, gui::pf24bit, gui::clRed);
    clDrawImageWithState(surface.DC(), win::RECT{10, 10, 14, 14}, glyph.get(), nullptr, -1, clidmShadowed);
    // The picture moves up-left by one; its shadow lies two pixels lower and right, under it.
    struct Probe {
        int x, y;
        win::COLORREF colour;
    };
    const Probe probes[] = {{9, 9, gui::ColorToRGB(gui::clRed)},         {12, 12, gui::ColorToRGB(gui::clRed)},
                            {13, 13, gui::ColorToRGB(gui::clBtnShadow)}, {14, 14, gui::ColorToRGB(gui::clBtnShadow)},
                            {14, 11, gui::ColorToRGB(gui::clBtnShadow)}, {11, 14, gui::ColorToRGB(gui::clBtnShadow)},
                            {13, 10, win::RGB(255, 255, 255)}, {10, 13, win::RGB(255, 255, 255)},
                            {8, 8, win::RGB(255, 255, 255)},   {15, 15, win::RGB(255, 255, 255)}};
    for (const Probe& p : probes)
        EXPECT_EQ(At(surface, p.x, p.y), p.colour) << p.x << ", " << p.y;
}

TEST_F(ImageDrawingTest, TransparentColourAndDisabledPictureWithoutAlpha)
{
    // A black glyph whose right column has the transparent colour.
    const auto glyph = Glyph(4, 4, gui::pf24bit, gui::clBlack);
    glyph->ClCanvas().FillRectColor(win::RECT{3, 0, 4, 4}, gui::clFuchsia);
    const win::COLORREF ground = win::RGB(10, 20, 30);

    Surface normal(8, 8, ground);
    clDrawImageWithState(normal.DC(), win::RECT{0, 0, 4, 4}, glyph.get(), nullptr, -1, clidmNormal, false, nullptr,
                         gui::clFuchsia);
    EXPECT_EQ(At(normal, 0, 0), win::RGB(0, 0, 0));
    EXPECT_EQ(At(normal, 3, 2), ground);

    // Disabled: the dirty grey (grey 0 under clBtnShadow of alpha 0xC0 at 238: 238 x 128 / 255 = 119 for the
    // classic shadow), and a highlight copy of the mask one pixel lower and right where the picture is cut out.
    ASSERT_EQ(gui::ColorToRGB(gui::clBtnShadow), win::RGB(128, 128, 128));
    Surface disabled(8, 8, ground);
    clDrawImageWithState(disabled.DC(), win::RECT{0, 0, 4, 4}, glyph.get(), nullptr, -1, clidmDisabled, false,
                         nullptr, gui::clFuchsia);
    ExpectGrey(At(disabled, 1, 1), 119, "dirty grey");
    EXPECT_EQ(At(disabled, 3, 1), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(At(disabled, 3, 0), ground);
    EXPECT_EQ(At(disabled, 4, 4), ground) << "the shadow is cut to the picture's size";

    // A background brush replaces what lay behind.
    Surface brushed(8, 8, ground);
    const win::HBRUSH brush = win::CreateSolidBrush(win::RGB(0, 0, 255));
    clDrawImageWithState(brushed.DC(), win::RECT{0, 0, 4, 4}, glyph.get(), nullptr, -1, clidmNormal, false, brush,
                         gui::clFuchsia);
    win::DeleteObject(brush);
    EXPECT_EQ(At(brushed, 3, 2), win::RGB(0, 0, 255));
    EXPECT_EQ(At(brushed, 4, 2), ground);
}

TEST_F(ImageDrawingTest, ImageListPicturesWithAndWithoutAlpha)
{
    // Half red: premultiplied in a library list's info, straight in a 32-bit platform list. Over white
    // both give (255, 127, 127).
    controls::TclImageList library(4, 4);
    TclCustomBitmap premultiplied(4, 4, gui::pf32bit);
    clPutBitmapPixels(premultiplied, std::vector<TclRGBQuad>(16, TclRGBQuad{0, 0, 128, 128}));
    library.AddImage(&premultiplied, nullptr);

    gui::TImageList platform(nullptr);
    platform.SetHandle(win::ImageList_Create(4, 4, win::ILC_COLOR32 | win::ILC_MASK, 1, 1));
    TclCustomBitmap straight(4, 4, gui::pf32bit);
    clPutBitmapPixels(straight, std::vector<TclRGBQuad>(16, TclRGBQuad{0, 0, 255, 128}));
    platform.Add(&straight, nullptr);

    for (gui::TCustomImageList* list : {static_cast<gui::TCustomImageList*>(&library),
                                        static_cast<gui::TCustomImageList*>(&platform)}) {
        Surface surface(6, 6, win::RGB(255, 255, 255));
        clDrawImageWithState(surface.DC(), win::RECT{1, 1, 5, 5}, nullptr, list, 0, clidmNormal);
        const win::COLORREF pixel = At(surface, 2, 2);
        EXPECT_NEAR(win::GetRValue(pixel), 255, 2) << list->ClassName();
        EXPECT_NEAR(win::GetGValue(pixel), 127, 2) << list->ClassName();
        EXPECT_NEAR(win::GetBValue(pixel), 127, 2) << list->ClassName();
        EXPECT_EQ(At(surface, 0, 0), win::RGB(255, 255, 255));
    }

    // Without alpha the list's mask is cut out of the picture.
    gui::TImageList masked(nullptr);
    masked.SetWidth(4);
    masked.SetHeight(4);
    const auto picture = Glyph(4, 4, gui::pf24bit, gui::clBlue);
    picture->ClCanvas().FillRectColor(win::RECT{0, 0, 2, 4}, gui::clFuchsia);
    masked.AddMasked(picture.get(), gui::clFuchsia);
    const win::COLORREF ground = win::RGB(10, 20, 30);
    Surface surface(4, 4, ground);
    clDrawImageWithState(surface.DC(), win::RECT{0, 0, 4, 4}, nullptr, &masked, 0, clidmNormal);
    EXPECT_EQ(At(surface, 0, 1), ground);
    EXPECT_EQ(At(surface, 3, 1), gui::ColorToRGB(gui::clBlue));
    // An index beyond the list draws nothing.
    clDrawImageWithState(surface.DC(), win::RECT{0, 0, 4, 4}, nullptr, &masked, 1, clidmFaded);
    EXPECT_EQ(At(surface, 3, 1), gui::ColorToRGB(gui::clBlue));
}

TEST_F(ImageDrawingTest, NothingWithoutAPicture)
{
    Surface surface(8, 8, win::RGB(1, 2, 3));
    TclCustomBitmap empty;
    clDrawImageWithState(surface.DC(), win::RECT{0, 0, 8, 8}, &empty, nullptr, -1, clidmNormal);
    clDrawImageWithState(surface.DC(), win::RECT{0, 0, 8, 8}, nullptr, nullptr, 0, clidmNormal);
    EXPECT_EQ(surface.Painted(win::RGB(1, 2, 3)), 0);
}

// A 32 x 32 cursor: AND rows (1 bits transparent) and, for a monochrome one, XOR rows below them.
win::HCURSOR MakeCursor(int lowestShown, int hotSpotY, bool monochrome, int lowestXor)
{
    const int height = monochrome ? 64 : 32;
    std::vector<std::uint8_t> bits(std::size_t(4 * height), 0xFF);
    for (int y = 0; y < 32; ++y)
        if (y <= lowestShown && y >= 2)
            bits[std::size_t(4 * y)] = 0x0F;
    if (monochrome)
        for (int y = 32; y < 64; ++y)
            bits[std::size_t(4 * y) + 1] = y - 32 <= lowestXor ? 0x3C : 0x00;
    for (int y = 32; monochrome && y < 64; ++y)
        for (int b : {0, 2, 3})
            bits[std::size_t(4 * y + b)] = 0;
    win::ICONINFO info;
    info.fIcon = win::FALSE;
    info.yHotspot = win::DWORD(hotSpotY);
    info.hbmMask = win::CreateBitmap(32, height, 1, 1, bits.data());
    if (!monochrome) {
        info.hbmColor = win::CreateBitmap(32, 32, 1, 32, nullptr);
    }
    const win::HCURSOR cursor = win::CreateIconIndirect(&info);
    win::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        win::DeleteObject(info.hbmColor);
    return cursor;
}

TEST_F(ImageDrawingTest, CursorSizeFromItsMask)
{
    struct Case {
        const char* name;
        int lowestShown;
        int hotSpotY;
        bool monochrome;
        int lowestXor;
        int height;
    };
    const Case cases[] = {
        {"colour cursor", 19, 3, false, -1, 17},
        {"monochrome, shown in its AND rows", 25, 0, true, 5, 26},
        {"monochrome, only XOR rows", -1, 2, true, 9, 8},
    };
    for (const Case& c : cases) {
        const win::HCURSOR cursor = MakeCursor(c.lowestShown, c.hotSpotY, c.monochrome, c.lowestXor);
        ASSERT_NE(cursor, nullptr) << c.name;
        win::SetCursor(cursor);
        const win::SIZE size = clMeasureCursorSize();
        EXPECT_EQ(size.cx, 32) << c.name;
        EXPECT_EQ(size.cy, c.height) << c.name;
        win::SetCursor(nullptr);
        win::DestroyCursor(cursor);
    }
    const win::SIZE none = clMeasureCursorSize();
    EXPECT_EQ(none.cx, win::GetSystemMetrics(win::SM_CXCURSOR));
    EXPECT_EQ(none.cy, win::GetSystemMetrics(win::SM_CYCURSOR));
}

}  // namespace
