#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;
using wintest::Red;
using wintest::Blue;
using wintest::White;
using wintest::Picture;


int Fill(HDC dc, RECT rect, HBRUSH brush)
{
    return FillRect(dc, &rect, brush);
}

char Letter(COLORREF color)
{
    switch (color) {
    case RGB(0, 0, 0):
        return '.';
    case White:
        return '#';
    case Red:
        return 'r';
    case Blue:
        return 'b';
    default:
        return '?';
    }
}

// A memory device context over a black bitmap of 8 x 6 pixels, read back as a picture of letters.
class DeviceContextTest : public wintest::GdiLibraryTest {
protected:
    void SetUp() override
    {
        GdiLibraryTest::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, Width, Height);
        SelectObject(dc_, bitmap_);
        red_ = CreateSolidBrush(Red);
        blue_ = CreateSolidBrush(Blue);
    }
    void TearDown() override
    {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(red_);
        DeleteObject(blue_);
        GdiLibraryTest::TearDown();
    }

    static Picture Read(HDC dc, int width = Width, int height = Height)
    {
        // Read through a state of its own without clip or origins.
        SaveDC(dc);
        SelectClipRgn(dc, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        Picture picture;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                row += Letter(GetPixel(dc, x, y));
            }
            picture.push_back(row);
        }
        RestoreDC(dc, -1);
        return picture;
    }

    static void Draw(HDC dc, const Picture& picture)
    {
        for (int y = 0; y < static_cast<int>(picture.size()); ++y) {
            for (int x = 0; x < static_cast<int>(picture[static_cast<std::size_t>(y)].size()); ++x) {
                const char letter = picture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                SetPixel(dc, x, y, letter == 'r' ? Red : letter == 'b' ? Blue : letter == '#' ? White : 0);
            }
        }
    }

    static constexpr int Width = 8;
    static constexpr int Height = 6;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HBRUSH red_ = nullptr;
    HBRUSH blue_ = nullptr;
};

TEST_F(DeviceContextTest, FillRectFollowsOriginsAndClip)
{
    struct Case {
        const char* name;
        std::function<void(HDC)> setup;
        RECT rect;
        Picture expected;
    };
    const std::vector<Case> cases = {
        {"plain", [](HDC) {}, {1, 1, 4, 3}, {"........", ".rrr....", ".rrr....", "........", "........", "........"}},
        {"viewport origin moves right and down",
         [](HDC dc) { SetViewportOrgEx(dc, 2, 1, nullptr); },
         {0, 0, 2, 2},
         {"........", "..rr....", "..rr....", "........", "........", "........"}},
        {"window origin moves left and up",
         [](HDC dc) { SetWindowOrgEx(dc, 1, 1, nullptr); },
         {1, 1, 3, 3},
         {"rr......", "rr......", "........", "........", "........", "........"}},
        {"offsets add up",
         [](HDC dc) {
             OffsetViewportOrgEx(dc, 3, 0, nullptr);
             OffsetViewportOrgEx(dc, 1, 2, nullptr);
             OffsetWindowOrgEx(dc, 2, 0, nullptr);
         },
         {0, 0, 1, 1},
         {"........", "........", "..r.....", "........", "........", "........"}},
        {"intersected clip",
         [](HDC dc) { IntersectClipRect(dc, 0, 0, 3, 8); },
         {0, 0, 8, 6},
         {"rrr.....", "rrr.....", "rrr.....", "rrr.....", "rrr.....", "rrr....."}},
        {"excluded clip",
         [](HDC dc) { ExcludeClipRect(dc, 2, 2, 4, 4); },
         {1, 1, 5, 5},
         {"........", ".rrrr...", ".r..r...", ".r..r...", ".rrrr...", "........"}},
        {"clip rectangles are logical when set and stay in place after",
         [](HDC dc) {
             SetWindowOrgEx(dc, -2, 0, nullptr);
             IntersectClipRect(dc, 0, 0, 2, 2);
             SetWindowOrgEx(dc, 0, 0, nullptr);
         },
         {0, 0, 8, 6},
         {"..rr....", "..rr....", "........", "........", "........", "........"}},
        {"reversed rectangle fills nothing", [](HDC) {}, {4, 4, 1, 1}, {"........", "........", "........", "........", "........", "........"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const int level = SaveDC(dc_);
        Fill(dc_, RECT{0, 0, Width, Height}, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        test.setup(dc_);
        EXPECT_EQ(FillRect(dc_, &test.rect, red_), 1);
        EXPECT_EQ(Read(dc_), test.expected);
        RestoreDC(dc_, level);
    }
}

TEST_F(DeviceContextTest, FillRectTakesSchemeColoursAndSkipsTheNullBrush)
{
    const int index = COLOR_WINDOW;
    const COLORREF blue = Blue;
    SetSysColors(1, &index, &blue);
    Fill(dc_, RECT{0, 0, 2, 1}, HandleFromValue<HBRUSH>(COLOR_WINDOW + 1));
    Fill(dc_, RECT{2, 0, 4, 1}, GetSysColorBrush(COLOR_WINDOW));
    Fill(dc_, RECT{0, 0, 8, 6}, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(Read(dc_)[0], "bbbb....");
    HBRUSH gone = CreateSolidBrush(Red);
    DeleteObject(gone);
    EXPECT_EQ(Fill(dc_, RECT{0, 0, 8, 6}, gone), 0);
    EXPECT_EQ(Read(dc_)[1], "........");
}

TEST_F(DeviceContextTest, SaveAndRestoreBringBackClipOriginsAndObjects)
{
    RECT box;
    EXPECT_EQ(GetClipBox(dc_, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, Width, Height})) << "a memory context shows its bitmap";

    EXPECT_EQ(SaveDC(dc_), 1);
    EXPECT_EQ(IntersectClipRect(dc_, 1, 1, 6, 5), SIMPLEREGION);
    SetWindowOrgEx(dc_, 1, 0, nullptr);
    SelectObject(dc_, red_);
    EXPECT_EQ(SaveDC(dc_), 2);
    EXPECT_EQ(ExcludeClipRect(dc_, 3, 2, 4, 3), COMPLEXREGION);
    SetViewportOrgEx(dc_, 0, 3, nullptr);
    SelectObject(dc_, blue_);
    EXPECT_EQ(SaveDC(dc_), 3);

    GetClipBox(dc_, &box);
    EXPECT_EQ(box, (RECT{2, -2, 7, 2})) << "the clip box is in logical coordinates";

    EXPECT_TRUE(RestoreDC(dc_, -2));
    POINT origin;
    GetViewportOrgEx(dc_, &origin);
    EXPECT_EQ(origin, (POINT{0, 0}));
    GetWindowOrgEx(dc_, &origin);
    EXPECT_EQ(origin, (POINT{1, 0}));
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), red_);
    EXPECT_EQ(GetClipBox(dc_, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 1, 7, 5}));
    EXPECT_EQ(SaveDC(dc_), 2) << "restoring dropped the states above";

    EXPECT_TRUE(RestoreDC(dc_, 1));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc_, clip), 0) << "no clip region any more";
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(RestoreDC(dc_, 1)) << "nothing saved";
    EXPECT_FALSE(RestoreDC(dc_, -1));
    EXPECT_FALSE(RestoreDC(dc_, 0));
    DeleteObject(clip);
}

TEST_F(DeviceContextTest, ClipRegionsAreDeviceCoordinatesAndCombine)
{
    SetWindowOrgEx(dc_, 10, 10, nullptr);
    HRGN region = CreateRectRgn(2, 1, 5, 4);
    EXPECT_EQ(HandleValue(SelectObject(dc_, region)), SIMPLEREGION) << "a region selects as the clip";
    OffsetRgn(region, 5, 5);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dc_, copy), 1);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, (RECT{2, 1, 5, 4})) << "the context keeps a copy, in device coordinates";
    GetClipBox(dc_, &box);
    EXPECT_EQ(box, (RECT{12, 11, 15, 14}));

    struct Case {
        int mode;
        RECT with;
        int kind;
        RECT box;  // device coordinates
    };
    const Case cases[] = {
        {RGN_OR, {6, 1, 8, 4}, COMPLEXREGION, {2, 1, 8, 4}},
        {RGN_AND, {0, 2, 8, 3}, SIMPLEREGION, {2, 2, 5, 3}},
        {RGN_XOR, {2, 1, 5, 2}, SIMPLEREGION, {2, 2, 5, 4}},
        {RGN_DIFF, {2, 1, 3, 4}, SIMPLEREGION, {3, 1, 5, 4}},
        {RGN_COPY, {20, 20, 30, 30}, NULLREGION, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mode);
        SetRectRgn(region, 2, 1, 5, 4);
        SelectClipRgn(dc_, region);
        HRGN with = CreateRectRgnIndirect(&test.with);
        EXPECT_EQ(ExtSelectClipRgn(dc_, with, test.mode), test.kind);
        GetClipBox(dc_, &box);
        if (test.kind != NULLREGION) {
            OffsetRect(&box, -10, -10);
        }
        EXPECT_EQ(box, test.box);
        DeleteObject(with);
    }

    // Without a clip the other modes start from the whole bitmap.
    SelectClipRgn(dc_, nullptr);
    SetRectRgn(region, 0, 0, 4, 6);
    EXPECT_EQ(ExtSelectClipRgn(dc_, region, RGN_DIFF), SIMPLEREGION);
    GetClipBox(dc_, &box);
    EXPECT_EQ(box, (RECT{14, 10, 18, 16}));
    EXPECT_EQ(ExtSelectClipRgn(dc_, nullptr, RGN_AND), ERROR);
    DeleteObject(region);
    DeleteObject(copy);
}

TEST_F(DeviceContextTest, VisibilityExcludesRightAndBottomEdges)
{
    SetViewportOrgEx(dc_, 1, 1, nullptr);
    IntersectClipRect(dc_, 0, 0, 3, 3);  // device 1,1 .. 4,4
    struct Probe {
        RECT rect;
        BOOL visible;
    };
    for (const Probe& probe : {Probe{{2, 2, 5, 5}, TRUE}, Probe{{3, 0, 5, 5}, FALSE}, Probe{{0, 3, 5, 5}, FALSE},
                               Probe{{-5, -5, 0, 0}, FALSE}, Probe{{-5, -5, 1, 1}, TRUE}}) {
        EXPECT_EQ(RectVisible(dc_, &probe.rect), probe.visible) << probe.rect.left << "," << probe.rect.top;
    }
    EXPECT_TRUE(PtVisible(dc_, 0, 0));
    EXPECT_TRUE(PtVisible(dc_, 2, 2));
    EXPECT_FALSE(PtVisible(dc_, 3, 2));
    EXPECT_FALSE(PtVisible(dc_, 2, 3));
    EXPECT_EQ(SetPixel(dc_, 3, 0, Red), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc_, 2, 0, Red), Red);
    EXPECT_EQ(GetPixel(dc_, 2, 0), Red);
    EXPECT_EQ(GetPixel(dc_, -2, 0), CLR_INVALID);
    EXPECT_EQ(Read(dc_)[1], "...r....");
}

TEST_F(DeviceContextTest, BitBltCopiesBetweenContextsWithinTheClip)
{
    HDC source = CreateCompatibleDC(dc_);
    HBITMAP sourceBitmap = CreateCompatibleBitmap(source, 4, 3);
    HGDIOBJ original = SelectObject(source, sourceBitmap);
    Draw(source, {"rb#r", "#rbb", "bb#r"});

    EXPECT_TRUE(BitBlt(dc_, 1, 1, 4, 3, source, 0, 0, SRCCOPY));
    EXPECT_EQ(Read(dc_), (Picture{"........", ".rb#r...", ".#rbb...", ".bb#r...", "........", "........"}));

    // Source origins and the destination's clip apply; pixels the source lacks stay as they were.
    Fill(dc_, RECT{0, 0, 8, 6}, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetWindowOrgEx(source, 1, 0, nullptr);
    IntersectClipRect(dc_, 0, 0, 8, 2);
    EXPECT_TRUE(BitBlt(dc_, 4, 0, 4, 3, source, 2, 1, SRCCOPY));
    EXPECT_EQ(Read(dc_), (Picture{"####rbb#", "####b#r#", "########", "########", "########", "########"}));

    SelectObject(source, original);
    DeleteDC(source);
    DeleteObject(sourceBitmap);
}

TEST_F(DeviceContextTest, BitBltWithinOneBitmapReadsThePixelsAsTheyWere)
{
    struct Case {
        const char* name;
        int x;
        int y;
        int sourceX;
        int sourceY;
        Picture expected;
    };
    const Picture start = {"rb#r....", "#rbb....", "bb#r....", "........", "........", "........"};
    const std::vector<Case> cases = {
        {"right", 2, 0, 0, 0, {"rbrb#r..", "#r#rbb..", "bbbb#r..", "........", "........", "........"}},
        {"down", 0, 1, 0, 0, {"rb#r....", "rb#r....", "#rbb....", "bb#r....", "........", "........"}},
        {"up and left", 0, 0, 1, 1, {"rbb.....", "b#r.....", "........", "........", "........", "........"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Draw(dc_, start);
        EXPECT_TRUE(BitBlt(dc_, test.x, test.y, 4, 3, dc_, test.sourceX, test.sourceY, SRCCOPY));
        EXPECT_EQ(Read(dc_), test.expected);
    }
}

TEST_F(DeviceContextTest, BitBltPatternAndConstantOperations)
{
    SelectObject(dc_, blue_);
    EXPECT_TRUE(BitBlt(dc_, 0, 0, 2, 2, nullptr, 0, 0, PATCOPY));
    EXPECT_TRUE(BitBlt(dc_, 2, 0, 2, 2, nullptr, 0, 0, WHITENESS));
    EXPECT_TRUE(BitBlt(dc_, 3, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(Read(dc_)[0], "bb#.....");
    EXPECT_EQ(Read(dc_)[1], "bb##....");
    EXPECT_FALSE(BitBlt(dc_, 0, 0, 8, 6, nullptr, 0, 0, SRCCOPY)) << "a copy needs a source";
    EXPECT_EQ(Read(dc_)[0], "bb#.....");
}

TEST_F(DeviceContextTest, FillRgnAndPaintRgnTakeLogicalRegions)
{
    SetViewportOrgEx(dc_, 2, 0, nullptr);
    const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    HRGN region = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_TRUE(FillRgn(dc_, region, red_));
    SelectObject(dc_, blue_);
    OffsetRgn(region, 0, 4);
    EXPECT_TRUE(PaintRgn(dc_, region));
    EXPECT_EQ(Read(dc_), (Picture{"..rrr...", "..rr....", "..r.....", "........", "..bbb...", "..bb...."}));
    DeleteObject(region);
}

TEST_F(DeviceContextTest, SurfaceContextsDrawInsideTheSystemClip)
{
    Surface surface(10, 8);
    HRGN visible = CreateRectRgn(0, 0, 5, 3);
    HRGN hole = CreateRectRgn(1, 1, 2, 2);
    CombineRgn(visible, visible, hole, RGN_DIFF);
    HDC dc = CreateSurfaceDC(surface, POINT{3, 2}, visible);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(SelectObject(dc, bitmap_), nullptr) << "bitmaps go into memory contexts only";

    Fill(dc, RECT{-10, -10, 20, 20}, red_);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clip), 0) << "the system clip is not the application's";
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 5, 3}));

    // The application clip cuts the system clip further; a new system clip keeps it.
    IntersectClipRect(dc, 3, 0, 10, 10);
    HRGN larger = CreateRectRgn(0, 0, 7, 6);
    EXPECT_TRUE(SetSystemClip(dc, larger));
    Fill(dc, RECT{-10, -10, 20, 20}, blue_);
    EXPECT_TRUE(SetSystemClip(dc, nullptr));
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{3, 0, 7, 6})) << "without a system clip the surface bounds apply";

    Picture picture;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            row += Letter(ColorFromPixel(surface.Pixel(x, y)));
        }
        picture.push_back(row);
    }
    EXPECT_EQ(picture, (Picture{"..........", "..........", "...rrrbbbb", "...r.rbbbb", "...rrrbbbb",
                                "......bbbb", "......bbbb", "......bbbb"}));
    EXPECT_TRUE(DeleteDC(dc));
    for (HRGN region : {visible, hole, clip, larger}) {
        DeleteObject(region);
    }
}

TEST_F(DeviceContextTest, ColoursAndModesAreStateThatSaveDCKeeps)
{
    EXPECT_EQ(GetTextColor(dc_), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc_), White);
    EXPECT_EQ(GetBkMode(dc_), OPAQUE);
    EXPECT_EQ(GetROP2(dc_), R2_COPYPEN);
    EXPECT_EQ(GetMapMode(dc_), MM_TEXT);
    SaveDC(dc_);
    EXPECT_EQ(SetTextColor(dc_, Red), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc_, Blue), White);
    EXPECT_EQ(SetBkMode(dc_, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetROP2(dc_, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(SetStretchBltMode(dc_, COLORONCOLOR), BLACKONWHITE);
    EXPECT_TRUE(SetBrushOrgEx(dc_, 3, 4, nullptr));
    EXPECT_EQ(SetBkMode(dc_, 7), 0) << "unknown modes are refused";
    RestoreDC(dc_, -1);
    EXPECT_EQ(GetTextColor(dc_), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc_), White);
    EXPECT_EQ(GetBkMode(dc_), OPAQUE);
    EXPECT_EQ(GetROP2(dc_), R2_COPYPEN);
    EXPECT_EQ(GetStretchBltMode(dc_), BLACKONWHITE);
    POINT origin{9, 9};
    GetBrushOrgEx(dc_, &origin);
    EXPECT_EQ(origin, (POINT{0, 0}));
    EXPECT_EQ(GetTextColor(nullptr), CLR_INVALID);
}

}  // namespace
