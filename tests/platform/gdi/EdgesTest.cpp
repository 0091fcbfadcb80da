#include "platform/gdi/Edges.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace win;
using wintest::Picture;

class EdgesTest : public wintest::CanvasTest {
protected:
    EdgesTest() { width_ = 8; height_ = 6; }
};

TEST_F(EdgesTest, DrawEdgeTakesTheClassicColoursOfEachEdgeKind)
{
    struct Case {
        const char* name;
        UINT edge;
        UINT flags;
        int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const Case cases[] = {
        {"raised", EDGE_RAISED, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
        {"sunken", EDGE_SUNKEN, 0, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {"etched", EDGE_ETCHED, 0, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
        {"bump", EDGE_BUMP, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {"soft raised", EDGE_RAISED, BF_SOFT, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DSHADOW},
        {"flat", EDGE_SUNKEN, BF_FLAT, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE},
        {"mono", EDGE_SUNKEN, BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
    };
    // A scheme whose colours all differ, so that each pixel tells which colour drew it.
    const int elements[] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW,
                            COLOR_3DFACE,  COLOR_WINDOWFRAME, COLOR_WINDOW};
    const COLORREF colours[] = {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0),
                                RGB(5, 0, 0), RGB(6, 0, 0), RGB(7, 0, 0)};
    ASSERT_TRUE(SetSysColors(7, elements, colours));
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Clear(RGB(0, 0, 0));
        RECT rect{0, 0, 6, 5};
        ASSERT_TRUE(DrawEdge(dc_, &rect, test.edge, test.flags | BF_RECT | BF_ADJUST));
        EXPECT_EQ(rect, (RECT{2, 2, 4, 3}));
        const COLORREF outerTL = GetSysColor(test.outerTopLeft);
        const COLORREF outerBR = GetSysColor(test.outerBottomRight);
        const COLORREF innerTL = GetSysColor(test.innerTopLeft);
        const COLORREF innerBR = GetSysColor(test.innerBottomRight);
        EXPECT_EQ(GetPixel(dc_, 0, 0), outerTL);
        EXPECT_EQ(GetPixel(dc_, 4, 0), outerTL);
        EXPECT_EQ(GetPixel(dc_, 5, 0), outerBR) << "the right line takes the top right corner";
        EXPECT_EQ(GetPixel(dc_, 0, 4), outerBR) << "the bottom line takes the bottom left corner";
        EXPECT_EQ(GetPixel(dc_, 0, 3), outerTL);
        EXPECT_EQ(GetPixel(dc_, 5, 4), outerBR);
        EXPECT_EQ(GetPixel(dc_, 1, 1), innerTL);
        EXPECT_EQ(GetPixel(dc_, 4, 1), innerBR);
        EXPECT_EQ(GetPixel(dc_, 1, 3), innerBR);
        EXPECT_EQ(GetPixel(dc_, 2, 2), RGB(0, 0, 0)) << "no middle without BF_MIDDLE";
    }
    RECT partial{0, 0, 6, 5};
    Clear(RGB(0, 0, 0));
    ASSERT_TRUE(DrawEdge(dc_, &partial, BDR_SUNKENOUTER, BF_TOP | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(partial, (RECT{0, 1, 6, 5}));
    EXPECT_EQ(GetPixel(dc_, 5, 0), GetSysColor(COLOR_3DSHADOW)) << "without a right line the top runs on";
    EXPECT_EQ(GetPixel(dc_, 0, 1), GetSysColor(COLOR_3DFACE));
    EXPECT_FALSE(DrawEdge(dc_, &partial, EDGE_RAISED, BF_DIAGONAL | BF_RECT));
}

TEST_F(EdgesTest, FocusRectanglesAndInversionsUndoThemselves)
{
    const Picture start{"........", ".#r#r#..", ".r.r.r..", ".#r#r#..", "........", "........"};
    const auto paint = [this](const Picture& picture) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const char letter = picture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                SetPixel(dc_, x, y, letter == '#' ? RGB(255, 255, 255) : letter == 'r' ? RGB(255, 0, 0) : 0);
            }
        }
    };
    paint(start);
    const RECT rect{0, 0, 7, 5};
    ASSERT_TRUE(DrawFocusRect(dc_, &rect));
    EXPECT_EQ(Read()[0], "#.#.#.#.");
    EXPECT_EQ(Read()[1], ".#r#r#..") << "odd pixels of the frame stay";
    EXPECT_EQ(Read()[2], "#r.r.r#.");
    ASSERT_TRUE(DrawFocusRect(dc_, &rect));
    EXPECT_EQ(Read(), start);

    const RECT inverted{1, 1, 3, 3};
    ASSERT_TRUE(InvertRect(dc_, &inverted));
    EXPECT_EQ(Read()[1], "..c#r#..");
    ASSERT_TRUE(InvertRect(dc_, &inverted));
    EXPECT_EQ(Read(), start);
}

TEST_F(EdgesTest, FramesFollowTheirRectangleOrRegion)
{
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT rect{1, 1, 5, 4};
    ASSERT_TRUE(FrameRect(dc_, &rect, white));
    EXPECT_EQ(Read(), (Picture{"........", ".####...", ".#..#...", ".####...", "........", "........"}));

    Clear(RGB(0, 0, 0));
    HRGN region = CreateRectRgn(0, 0, 8, 6);
    ASSERT_TRUE(FrameRgn(dc_, region, white, 2, 1));
    EXPECT_EQ(Read(), (Picture{"########", "##....##", "##....##", "##....##", "##....##", "########"}));
    DeleteObject(region);
}

}  // namespace
