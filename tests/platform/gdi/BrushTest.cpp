#include "platform/gdi/Brush.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace win;
using wintest::Red;
using wintest::Blue;

class BrushTest : public wintest::CanvasTest {
protected:
    BrushTest() { width_ = 10; height_ = 3; }
    void Paint(HBRUSH brush)
    {
        const RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
    }
};

TEST_F(BrushTest, HatchesAlignToTheBrushOrigin)
{
    HBRUSH vertical = CreateHatchBrush(HS_VERTICAL, Red);
    SetBkColor(dc_, Blue);
    Paint(vertical);
    EXPECT_EQ(Read()[0], "rbbbbbbbrb");
    SetBrushOrgEx(dc_, 3, 0, nullptr);
    Paint(vertical);
    EXPECT_EQ(Read()[0], "bbbrbbbbbb");
    SetBrushOrgEx(dc_, -6, 0, nullptr);
    Paint(vertical);
    EXPECT_EQ(Read()[0], "bbrbbbbbbb") << "negative origins wrap";

    SetBrushOrgEx(dc_, 0, 0, nullptr);
    HBRUSH diagonal = CreateHatchBrush(HS_FDIAGONAL, Red);
    Clear(RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    Paint(diagonal);
    EXPECT_EQ(Read(), (wintest::Picture{"r.......r.", ".r.......r", "..r......."})) << "transparent gaps";
    LOGBRUSH record;
    ASSERT_EQ(GetObject(diagonal, sizeof(record), &record), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(record.lbStyle, BS_HATCHED);
    EXPECT_EQ(record.lbHatch, static_cast<ULONG_PTR>(HS_FDIAGONAL));
    EXPECT_EQ(CreateHatchBrush(6, Red), nullptr);
    DeleteObject(vertical);
    DeleteObject(diagonal);
}

TEST_F(BrushTest, MonochromePatternsTakeTheTextAndBackgroundColours)
{
    const BYTE bits[] = {0x80, 0};  // 1 0
    HBITMAP pattern = CreateBitmap(2, 1, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps a copy
    SetTextColor(dc_, Red);
    SetBkColor(dc_, Blue);
    Paint(brush);
    EXPECT_EQ(Read()[1], "brbrbrbrbr");
    SetBrushOrgEx(dc_, 1, 0, nullptr);
    Paint(brush);
    EXPECT_EQ(Read()[1], "rbrbrbrbrb");
    DeleteObject(brush);
}

TEST_F(BrushTest, DibPatternsKeepTheirRowOrder)
{
    // A 1 x 2 pattern, red above blue, stored bottom-up (positive height) and top-down (negative).
    struct PackedDib {
        BITMAPINFOHEADER header;
        std::uint32_t rows[2];
    };
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        PackedDib dib{};
        dib.header.biSize = sizeof(BITMAPINFOHEADER);
        dib.header.biWidth = 1;
        dib.header.biHeight = topDown ? -2 : 2;
        dib.header.biPlanes = 1;
        dib.header.biBitCount = 32;
        dib.header.biCompression = BI_RGB;
        dib.rows[topDown ? 0 : 1] = 0xFF0000;  // red
        dib.rows[topDown ? 1 : 0] = 0x0000FF;  // blue
        HBRUSH brush = CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
        ASSERT_NE(brush, nullptr);
        Paint(brush);
        EXPECT_EQ(Read()[0], "rrrrrrrrrr");
        EXPECT_EQ(Read()[1], "bbbbbbbbbb");
        DeleteObject(brush);
    }
}

}  // namespace
