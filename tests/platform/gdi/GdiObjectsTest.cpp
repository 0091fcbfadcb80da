#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/wintypes/LogFont.h"
#include "tests/platform/gdi/GdiFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace win;

class GdiObjectsTest : public wintest::GdiLibraryTest {};

TEST_F(GdiObjectsTest, StockObjectsHaveTheirTypesAndCannotBeDeleted)
{
    struct Stock {
        int index;
        DWORD type;
    };
    const Stock stock[] = {{WHITE_BRUSH, OBJ_BRUSH},    {LTGRAY_BRUSH, OBJ_BRUSH},     {GRAY_BRUSH, OBJ_BRUSH},
                           {DKGRAY_BRUSH, OBJ_BRUSH},   {BLACK_BRUSH, OBJ_BRUSH},      {NULL_BRUSH, OBJ_BRUSH},
                           {WHITE_PEN, OBJ_PEN},        {BLACK_PEN, OBJ_PEN},          {NULL_PEN, OBJ_PEN},
                           {OEM_FIXED_FONT, OBJ_FONT},  {ANSI_FIXED_FONT, OBJ_FONT},   {ANSI_VAR_FONT, OBJ_FONT},
                           {SYSTEM_FONT, OBJ_FONT},     {DEVICE_DEFAULT_FONT, OBJ_FONT}, {DEFAULT_PALETTE, OBJ_PAL},
                           {SYSTEM_FIXED_FONT, OBJ_FONT}, {DEFAULT_GUI_FONT, OBJ_FONT}};
    for (const Stock& entry : stock) {
        SCOPED_TRACE(entry.index);
        HGDIOBJ object = GetStockObject(entry.index);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(GetObjectType(object), entry.type);
        EXPECT_TRUE(DeleteObject(object)) << "deleting a stock object is harmless";
        EXPECT_EQ(GetObjectType(object), entry.type) << "and leaves it in place";
        EXPECT_EQ(GetStockObject(entry.index), object);
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT + 1), nullptr);
}

TEST_F(GdiObjectsTest, SchemeBrushesAreSolidBrushesOfTheCurrentColour)
{
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_EQ(GetObjectType(face), OBJ_BRUSH);
    LOGBRUSH record;
    ASSERT_EQ(GetObject(face, sizeof(record), &record), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(record.lbStyle, BS_SOLID);
    EXPECT_EQ(record.lbColor, GetSysColor(COLOR_BTNFACE));

    const int index = COLOR_BTNFACE;
    const COLORREF pink = RGB(255, 128, 192);
    SetSysColors(1, &index, &pink);
    GetObject(face, sizeof(record), &record);
    EXPECT_EQ(record.lbColor, pink) << "the brush follows the scheme";
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_EQ(GetObjectType(face), OBJ_BRUSH);
}

TEST_F(GdiObjectsTest, DeletedHandlesStayInvalidWhenTheSlotIsReused)
{
    HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_EQ(GetObjectType(first), OBJ_BRUSH);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(DeleteObject(first)) << "a second delete fails";

    HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u);
    LOGBRUSH record;
    EXPECT_EQ(GetObject(first, sizeof(record), &record), 0);
    EXPECT_EQ(GetObjectType(nullptr), 0u);
    DeleteObject(second);
}

TEST_F(GdiObjectsTest, ObjectsHeldByADeviceContextCannotBeDeleted)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 1, 1));
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(bitmap)}) {
        EXPECT_FALSE(DeleteObject(object));
        EXPECT_NE(GetObjectType(object), 0u);
    }
    EXPECT_FALSE(DeleteObject(dc)) << "DeleteDC deletes device contexts";

    // A state SaveDC keeps holds its objects too, so RestoreDC never brings back a deleted one.
    const int level = SaveDC(dc);
    SelectObject(dc, oldBrush);
    EXPECT_FALSE(DeleteObject(brush));
    RestoreDC(dc, level);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    SelectObject(dc, oldBrush);
    EXPECT_TRUE(DeleteObject(brush));

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(dc);
}

TEST_F(GdiObjectsTest, DeleteDCReleasesEverythingItHeld)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    SelectObject(dc, bitmap);
    SaveDC(dc);
    SelectObject(dc, brush);
    SaveDC(dc);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(GdiObjectsTest, ABitmapBelongsToOneDeviceContext)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(first, 8, 8);
    HGDIOBJ original = SelectObject(first, bitmap);
    EXPECT_EQ(GetObjectType(original), OBJ_BITMAP);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    SelectObject(first, original);
    EXPECT_NE(SelectObject(second, bitmap), nullptr) << "free again once the first lets it go";
    // The shared 1 x 1 bitmap sits in every new memory context at once.
    EXPECT_EQ(SelectObject(first, original), original);
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(GdiObjectsTest, GetObjectWritesTheRecordOfEachKind)
{
    LOGFONT logFont;
    logFont.lfHeight = -13;
    logFont.lfFaceName = "Arial";
    HFONT font = CreateFontIndirect(&logFont);
    HPEN pen = CreatePen(PS_DOT, 3, RGB(10, 20, 30));
    HBRUSH brush = CreateSolidBrush(RGB(40, 50, 60));
    HBITMAP bitmap = CreateBitmap(5, 3, 1, 32, nullptr);

    LOGPEN penRecord;
    ASSERT_EQ(GetObject(pen, sizeof(penRecord), &penRecord), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(penRecord.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(penRecord.lopnWidth.x, 3);
    EXPECT_EQ(penRecord.lopnColor, RGB(10, 20, 30));

    LOGBRUSH brushRecord;
    ASSERT_EQ(GetObject(brush, sizeof(brushRecord), &brushRecord), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(brushRecord.lbColor, RGB(40, 50, 60));

    LOGFONT fontRecord;
    ASSERT_EQ(GetObject(font, sizeof(fontRecord), &fontRecord), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(fontRecord.lfHeight, -13);
    EXPECT_EQ(std::string(fontRecord.lfFaceName), "Arial");

    BITMAP bitmapRecord;
    ASSERT_EQ(GetObject(bitmap, sizeof(bitmapRecord), &bitmapRecord), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bitmapRecord.bmWidth, 5);
    EXPECT_EQ(bitmapRecord.bmHeight, 3);
    EXPECT_EQ(bitmapRecord.bmWidthBytes, 20);
    EXPECT_EQ(bitmapRecord.bmBitsPixel, 32);
    EXPECT_EQ(bitmapRecord.bmPlanes, 1);

    WORD entries = 0;
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_PALETTE), sizeof(entries), &entries), 2);
    EXPECT_EQ(entries, 20);

    EXPECT_EQ(GetObject(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN))) << "no buffer: the size needed";
    EXPECT_EQ(GetObject(pen, sizeof(LOGPEN) - 1, &penRecord), 0) << "a buffer too small is refused";
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetObject(region, sizeof(penRecord), &penRecord), 0) << "regions have no record";

    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush),
                           static_cast<HGDIOBJ>(bitmap), static_cast<HGDIOBJ>(region)}) {
        EXPECT_TRUE(DeleteObject(object));
    }
}

TEST_F(GdiObjectsTest, CreationRefusesWhatIsNotCarriedOut)
{
    LOGBRUSH hatched;
    hatched.lbStyle = BS_HATCHED;
    hatched.lbHatch = HS_DIAGCROSS + 1;
    EXPECT_EQ(CreateBrushIndirect(&hatched), nullptr) << "no such hatch";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    LOGBRUSH unknown;
    unknown.lbStyle = 42;
    EXPECT_EQ(CreateBrushIndirect(&unknown), nullptr);
    EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 16, nullptr), nullptr) << "16 bits per pixel are not kept";
    EXPECT_EQ(CreateBitmap(4, 4, 2, 8, nullptr), nullptr) << "one plane only";
    EXPECT_EQ(CreateBitmap(-4, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 1 << 16, 1 << 16), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace
