#include "platform/gdi/Lines.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Shapes.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace win;
using wintest::Picture;

class LinesTest : public wintest::CanvasTest {
protected:
    LinesTest() { width_ = 12; height_ = 5; }
    void SetUp() override
    {
        CanvasTest::SetUp();
        SelectObject(dc_, GetStockObject(WHITE_PEN));
    }
};

TEST_F(LinesTest, LineToLeavesItsEndPointUndrawn)
{
    struct Case {
        const char* name;
        POINT from, to;
        Picture expected;
    };
    const Case cases[] = {
        {"right", {1, 1}, {5, 1}, {"............", ".####.......", "............"}},
        {"left", {5, 1}, {1, 1}, {"............", "..####......", "............"}},
        {"diagonal", {0, 0}, {3, 3}, {"#...........", ".#..........", "..#........."}},
        {"shallow", {0, 0}, {6, 2}, {"##..........", "..###.......", ".....#......"}},
        {"a point", {2, 2}, {2, 2}, {"............", "............", "............"}},
        // Lines reaching far beyond the picture draw the pixels of the whole line that lie in it.
        {"from far left", {-16777216, 1}, {5, 1}, {"............", "#####.......", "............"}},
        {"to far right", {3, 1}, {16777216, 1}, {"............", "...#########", "............"}},
        {"from far right", {16777216, 1}, {8, 1}, {"............", ".........###", "............"}},
        {"from far above", {-1000, -1000}, {2, 2}, {"#...........", ".#..........", "............"}},
        {"up from far below", {1, 1000}, {1, 0}, {"............", ".#..........", ".#.........."}},
        {"shallow through", {-24, -4}, {12, 2}, {"###.........", "...######...", ".........###"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Clear(RGB(0, 0, 0));
        POINT previous;
        MoveToEx(dc_, test.from.x, test.from.y, &previous);
        ASSERT_TRUE(LineTo(dc_, test.to.x, test.to.y));
        Picture top = Read();
        top.resize(3);
        EXPECT_EQ(top, test.expected);
        POINT position;
        ASSERT_TRUE(GetCurrentPositionEx(dc_, &position));
        EXPECT_EQ(position, test.to);
    }
}

TEST_F(LinesTest, NotTwiceRestoresAndPolylinesDrawSharedPointsOnce)
{
    SetPixel(dc_, 2, 0, RGB(255, 0, 0));
    SetROP2(dc_, R2_NOT);
    const POINT corner[] = {{0, 0}, {4, 0}, {4, 3}};
    ASSERT_TRUE(Polyline(dc_, corner, 3));
    EXPECT_EQ(Read()[0], "##c##.......") << "the corner (4, 0) inverted once";
    EXPECT_EQ(Read()[1], "....#.......");
    ASSERT_TRUE(Polyline(dc_, corner, 3));
    SetROP2(dc_, R2_COPYPEN);
    EXPECT_EQ(Read()[0], "..r.........");
    EXPECT_EQ(Read()[1], "............");

    const POINT pairs[] = {{0, 4}, {2, 4}, {5, 4}, {7, 4}};
    const DWORD counts[] = {2, 2};
    ASSERT_TRUE(PolyPolyline(dc_, pairs, counts, 2));
    EXPECT_EQ(Read()[4], "##...##.....");
    EXPECT_FALSE(Polyline(dc_, corner, 1));
}

TEST_F(LinesTest, CosmeticStylesRunThroughTheSegments)
{
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
    SelectObject(dc_, dotted);
    SetBkColor(dc_, RGB(255, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    const POINT points[] = {{0, 0}, {4, 0}, {4, 1}, {12, 1}};
    ASSERT_TRUE(Polyline(dc_, points, 4));
    EXPECT_EQ(Read()[0], "###.........") << "3 on, 3 off, from the first segment into the next";
    EXPECT_EQ(Read()[1], ".....###...#");
    SetBkMode(dc_, OPAQUE);
    MoveToEx(dc_, 0, 3, nullptr);
    LineTo(dc_, 8, 3);
    EXPECT_EQ(Read()[3], "###rrr##....") << "gaps in the background colour";
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(dotted);
}

TEST_F(LinesTest, GeometricPensCoverTheirWidthWithTheirEnds)
{
    LOGBRUSH white;
    white.lbColor = RGB(255, 255, 255);
    struct Case {
        const char* name;
        DWORD cap;
        Picture expected;
    };
    const Case cases[] = {
        {"flat", PS_ENDCAP_FLAT, {"............", "..####......", "..####......", "..####......", "............"}},
        {"square", PS_ENDCAP_SQUARE, {"............", ".#######....", ".#######....", ".#######....", "............"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Clear(RGB(0, 0, 0));
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | test.cap, 3, &white, 0, nullptr);
        ASSERT_NE(pen, nullptr);
        SelectObject(dc_, pen);
        MoveToEx(dc_, 2, 2, nullptr);
        LineTo(dc_, 6, 2);
        EXPECT_EQ(Read(), test.expected);
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    // Round ends of a pen 5 wide: discs round the end points' centres.
    HPEN round = CreatePen(PS_SOLID, 5, RGB(255, 255, 255));
    SelectObject(dc_, round);
    Clear(RGB(0, 0, 0));
    MoveToEx(dc_, 3, 2, nullptr);
    LineTo(dc_, 7, 2);
    EXPECT_EQ(Read(), (Picture{"..#######...", ".#########..", ".#########..", ".#########..", "..#######..."}));
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(round);

    const DWORD lengths[] = {2, 1};
    HPEN user = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &white, 2, lengths);
    ASSERT_NE(user, nullptr);
    std::vector<std::uint8_t> record(static_cast<std::size_t>(GetObject(user, 0, nullptr)));
    ASSERT_EQ(GetObject(user, static_cast<int>(record.size()), record.data()), static_cast<int>(record.size()));
    const auto* extended = reinterpret_cast<const EXTLOGPEN*>(record.data());
    EXPECT_EQ(extended->elpNumEntries, 2u);
    EXPECT_EQ(extended->elpWidth, 2u);
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &white, 0, nullptr), nullptr) << "cosmetic pens are 1 wide";
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &white, 0, nullptr), nullptr) << "user style needs lengths";
    DeleteObject(user);
}

// A closed figure whose last point repeats its first has no segment of no length to take a side from
// (that side was no number, and no pixel row could be found for it): it is stroked as the figure
// without the repeat is.
TEST_F(LinesTest, ClosedFiguresEndingWhereTheyStartAreStrokedOnce)
{
    LOGBRUSH white;
    white.lbColor = RGB(255, 255, 255);
    const POINT repeated[] = {{1, 1}, {10, 1}, {5, 3}, {1, 1}};
    for (const DWORD join : {PS_JOIN_MITER, PS_JOIN_BEVEL, PS_JOIN_ROUND}) {
        SCOPED_TRACE(join);
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | join, 2, &white, 0, nullptr);
        ASSERT_NE(pen, nullptr);
        SelectObject(dc_, pen);
        SelectObject(dc_, GetStockObject(NULL_BRUSH));
        Clear(RGB(0, 0, 0));
        EXPECT_TRUE(Polygon(dc_, repeated, 3));
        const Picture once = Read();
        EXPECT_NE(once, Picture(5, std::string(12, '.')));
        Clear(RGB(0, 0, 0));
        EXPECT_TRUE(Polygon(dc_, repeated, 4));
        EXPECT_EQ(Read(), once);
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
}

// A pen as wide as a pen can be, along a line as long as coordinates allow, covers the canvas without
// walking the billions of rows and columns it would reach beyond it.
TEST_F(LinesTest, TheWidestPenCoversOnlyWhatItCanReach)
{
    HPEN widest = CreatePen(PS_SOLID, 0x7FFF, RGB(255, 255, 255));
    ASSERT_NE(widest, nullptr);
    SelectObject(dc_, widest);
    Clear(RGB(0, 0, 0));
    const POINT far[] = {{-2000000000, 2}, {2000000000, 2}, {5, 2000000000}};
    EXPECT_TRUE(Polyline(dc_, far, 3));
    EXPECT_EQ(Read(), Picture(5, std::string(12, '#')));
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(widest);
}

}  // namespace
