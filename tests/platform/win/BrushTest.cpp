#include "platform/win/Brush.h"

#include "platform/win/DeviceContext.h"

#include "tests/platform/win/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace win;

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

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

}  // namespace
