#include "platform/gdi/Shapes.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace win;
using wintest::Picture;
using wintest::Red;

class ShapesTest : public wintest::CanvasTest {
protected:
    ShapesTest() { width_ = 9; height_ = 7; }
    void SetUp() override
    {
        CanvasTest::SetUp();
        red_ = CreateSolidBrush(Red);
        SelectObject(dc_, red_);
        SelectObject(dc_, GetStockObject(WHITE_PEN));
    }
    void TearDown() override
    {
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        DeleteObject(red_);
        CanvasTest::TearDown();
    }
    HBRUSH red_ = nullptr;
};

TEST_F(ShapesTest, RectangleKeepsItsPenInsideItsBox)
{
    struct Case {
        const char* name;
        HPEN pen;
        RECT box;
        Picture expected;
    };
    HPEN inside = CreatePen(PS_INSIDEFRAME, 2, RGB(255, 255, 255));
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    const Case cases[] = {
        {"one pixel", static_cast<HPEN>(GetStockObject(WHITE_PEN)), {1, 1, 6, 5},
         {".........", ".#####...", ".#rrr#...", ".#rrr#...", ".#####...", ".........", "........."}},
        {"no pen", static_cast<HPEN>(GetStockObject(NULL_PEN)), {1, 1, 6, 5},
         {".........", ".rrrr....", ".rrrr....", ".rrrr....", ".........", ".........", "........."}},
        {"inside frame", inside, {1, 1, 6, 6},
         {".........", ".#####...", ".#####...", ".##r##...", ".#####...", ".#####...", "........."}},
        {"centred", wide, {1, 1, 8, 7},
         {"#########", "#########", "#########", "###rrr###", "###rrr###", "#########", "#########"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Clear(RGB(0, 0, 0));
        SelectObject(dc_, test.pen);
        ASSERT_TRUE(Rectangle(dc_, test.box.left, test.box.top, test.box.right, test.box.bottom));
        EXPECT_EQ(Read(), test.expected);
    }
    SelectObject(dc_, GetStockObject(WHITE_PEN));
    DeleteObject(inside);
    DeleteObject(wide);
}

TEST_F(ShapesTest, PolygonsFillByTheModeAndOutlineClosed)
{
    // Two overlapping squares wound the same way: the winding rule fills their overlap, the alternate
    // rule leaves it out.
    const POINT points[] = {{0, 0}, {6, 0}, {6, 4}, {0, 4}, {3, 2}, {9, 2}, {9, 7}, {3, 7}};
    const int counts[] = {4, 4};
    SelectObject(dc_, GetStockObject(NULL_PEN));
    ASSERT_EQ(GetPolyFillMode(dc_), ALTERNATE);
    ASSERT_TRUE(PolyPolygon(dc_, points, counts, 2));
    EXPECT_EQ(Read()[3], "rrr...rrr");
    SetPolyFillMode(dc_, WINDING);
    ASSERT_TRUE(PolyPolygon(dc_, points, counts, 2));
    EXPECT_EQ(Read()[3], "rrrrrrrrr");

    Clear(RGB(0, 0, 0));
    SelectObject(dc_, GetStockObject(WHITE_PEN));
    const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    ASSERT_TRUE(Polygon(dc_, triangle, 3));
    EXPECT_EQ(Read()[0], "#####....");
    EXPECT_EQ(Read()[1], "#r.#.....") << "a centre on the right edge is outside";
    EXPECT_EQ(Read()[4], "#........");
    EXPECT_FALSE(Polygon(dc_, triangle, 1));
}

TEST_F(ShapesTest, EllipsesAndPiesStayInTheirBox)
{
    ASSERT_TRUE(Ellipse(dc_, 0, 0, 7, 7));
    const Picture picture = Read();
    EXPECT_EQ(picture[3], "#rrrrr#..") << "the widest row touches both sides of the box";
    EXPECT_EQ(picture[0][3], '#');
    EXPECT_EQ(picture[6][3], '#');
    for (const std::string& row : picture) {
        EXPECT_EQ(row.substr(7), "..");
    }
    // Symmetric about the box's centre.
    for (int y = 0; y < 7; ++y) {
        std::string mirrored(picture[static_cast<std::size_t>(6 - y)].substr(0, 7));
        EXPECT_EQ(picture[static_cast<std::size_t>(y)].substr(0, 7), mirrored);
    }

    // The right half: from the bottom radial counter-clockwise to the top one.
    Clear(RGB(0, 0, 0));
    SelectObject(dc_, GetStockObject(NULL_PEN));
    ASSERT_TRUE(Pie(dc_, 0, 0, 7, 7, 3, 7, 3, -1));
    const Picture half = Read();
    EXPECT_EQ(half[3].substr(0, 3), "...");
    EXPECT_EQ(half[3].substr(4, 2), "rr");
}

// A pie whose box reaches thousands of pixels past the canvas: the canvas shows the pixels right of and
// above the box's centre, which lies where columns 4 and 5 and rows 3 and 4 meet; the sector is cut to
// the canvas before its rows are found.
TEST_F(ShapesTest, PiesFarLargerThanTheCanvasShowTheirPart)
{
    SelectObject(dc_, GetStockObject(NULL_PEN));
    Clear(RGB(0, 0, 0));
    ASSERT_TRUE(Pie(dc_, -3000, -3000, 3010, 3008, 100, 3, 4, -100));
    EXPECT_EQ(Read(), (Picture{".....rrrr", ".....rrrr", ".....rrrr", ".....rrrr", ".........", ".........",
                               "........."}));
}

}  // namespace
