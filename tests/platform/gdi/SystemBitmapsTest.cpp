#include "platform/gdi/SystemBitmaps.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Cursor.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"

#include "tests/platform/gdi/GdiFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace win;

// The check-box bitmap selected into a memory device context.
class SystemBitmapsTest : public wintest::GdiLibraryTest {
protected:
    void Load()
    {
        bitmap_ = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
        ASSERT_NE(bitmap_, nullptr);
        dc_ = CreateCompatibleDC(nullptr);
        SelectObject(dc_, bitmap_);
    }
    void TearDown() override
    {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        GdiLibraryTest::TearDown();
    }
    // The colour of a pixel of image (column, row) of the grid.
    COLORREF Pixel(int column, int row, int x, int y) const { return GetPixel(dc_, column * 13 + x, row * 13 + y); }

    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
};

TEST_F(SystemBitmapsTest, TheCheckBoxBitmapIsAGridOfFourByThreeThirteenPixelImages)
{
    Load();
    BITMAP info;
    ASSERT_EQ(GetObject(bitmap_, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 4 * 13);
    EXPECT_EQ(info.bmHeight, 3 * 13);
    EXPECT_EQ(info.bmWidth / 4, 13) << "the check-box size the controls derive";

    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT);
    struct Case {
        const char* name;
        int column, row, x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {"check box edge", 0, 0, 0, 0, shadow},
        {"check box inside", 0, 0, 2, 2, window},
        {"no mark", 0, 0, 9, 3, window},
        {"check mark", 1, 0, 9, 3, text},
        {"pushed inside", 2, 0, 2, 2, face},
        {"pushed mark", 3, 0, 5, 9, text},
        {"radio ring", 0, 1, 4, 0, shadow},
        {"radio body", 0, 1, 5, 5, window},
        {"radio outside", 0, 1, 12, 12, face},
        {"radio dot", 1, 1, 5, 5, text},
        {"pushed radio body", 2, 1, 3, 3, face},
        {"three-state unchecked", 0, 2, 2, 2, window},
        {"three-state checked dither", 1, 2, 2, 2, highlight},  // (15, 28): x + y odd
        {"three-state checked mark", 1, 2, 9, 3, GetSysColor(COLOR_GRAYTEXT)},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(Pixel(test.column, test.row, test.x, test.y), test.expected) << test.name;
    }
}

// The controls take the check mark as the pixels in which the first two images differ.
TEST_F(SystemBitmapsTest, TheFirstTwoImagesDifferExactlyInTheCheckMark)
{
    Load();
    HDC mark = CreateCompatibleDC(nullptr);
    HBITMAP markBitmap = CreateBitmap(13, 13, 1, 32, nullptr);
    SelectObject(mark, markBitmap);
    // The menu's check mark in a cell of 13 is the same 7 x 7 mark at (3, 3), black on white.
    RECT cell{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(mark, &cell, DFC_MENU, DFCS_MENUCHECK));
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool differs = Pixel(0, 0, x, y) != Pixel(1, 0, x, y);
            EXPECT_EQ(differs, GetPixel(mark, x, y) == RGB(0, 0, 0)) << x << ", " << y;
        }
    }
    DeleteDC(mark);
    DeleteObject(markBitmap);
}

TEST_F(SystemBitmapsTest, TheBitmapFollowsTheColourScheme)
{
    const int element = COLOR_WINDOW;
    const COLORREF colour = RGB(10, 20, 30);
    ASSERT_TRUE(SetSysColors(1, &element, &colour));
    Load();
    EXPECT_EQ(Pixel(0, 0, 2, 2), colour);
}

TEST_F(SystemBitmapsTest, UnknownBitmapsAreRefused)
{
    const char* const names[] = {MAKEINTRESOURCE(32760), MAKEINTRESOURCE(0), "CHECKBOXES"};
    for (const char* name : names) {
        SetLastError(0);
        EXPECT_EQ(LoadBitmap(nullptr, name), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    SetLastError(0);
    EXPECT_EQ(LoadBitmap(HandleFromValue<HINSTANCE>(0x400000), MAKEINTRESOURCE(OBM_CHECKBOXES)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

}  // namespace
