// Charts in depth at 600 × 400 against geometry computed here: the depth from the layout, the walls and
// grid of the box, each series' slice and the shades of its faces, hatched faces, the turned view
// against this test's own rotation matrices, and the view's settings kept apart from one another.

#include "platform/chart/BarSeries.h"
#include "platform/chart/CustomSeries.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/chart/ChartFixture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

using charttest::Round;

// The look the program's charts are stored with: white, a clear back wall, a silver left wall; here
// without a title, a legend or bevels, so that R after the margins is (18, 16) .. (582, 384).
class DepthTest : public charttest::PixelTest {
public:
    void SetUp() override
    {
        PixelTest::SetUp();
        c->SetView3D(true);
        c->SetBevelOuter(chart::bvNone);
        c->Title()->SetVisible(false);
        c->Legend()->SetVisible(false);
        c->BackWall()->Brush()->SetStyle(gui::bsClear);
        c->LeftWall()->SetColor(gui::clSilver);
    }

    // Draws, and takes the depth from the front face's top: the rule's depth of R after the bottom axis's
    // room, which the front face gives up at its top and right.
    void DrawInDepth()
    {
        Draw();
        D = T - 16;
        EXPECT_EQ(D, std::min(582 - 18, Bm + 1 - 16) * c->Chart3DPercent() / 200);
        EXPECT_EQ(Rr + 1, 582 - D);
    }
    void NoGrid()
    {
        c->LeftAxis()->Grid()->SetVisible(false);
        c->BottomAxis()->Grid()->SetVisible(false);
    }

    int D = 0;
};

constexpr gui::TColor kLime = 0x00FF00;

std::vector<std::pair<double, double>> Level(double y)
{
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i <= 10; ++i) {
        points.push_back({10.0 * i, y});
    }
    return points;
}

TEST_F(DepthTest, TheBoxHasItsBackWallOneDepthBackAndItsLeftWallSilver)
{
    NoGrid();
    for (int percent : {15, 1, 100}) {
        SCOPED_TRACE(percent);
        c->SetChart3DPercent(percent);
        DrawInDepth();
        // The back wall's frame is the chart rectangle moved by (D, -D), its inside clear.
        for (int x = L + D; x <= Rr + D; ++x) {
            ASSERT_EQ(Pixel(x, T - D), gui::clBlack) << x;
            ASSERT_EQ(Pixel(x, T - D - 1), gui::clWhite) << x;
        }
        for (int y = T - D; y <= Bm - D; ++y) {
            ASSERT_EQ(Pixel(Rr + D, y), gui::clBlack) << y;
            ASSERT_EQ(Pixel(Rr + D + 1, y), gui::clWhite) << y;
        }
        EXPECT_EQ(Pixel((L + Rr) / 2 + D, (T + Bm) / 2 - D), gui::clWhite);
        if (D >= 4) {
            EXPECT_EQ(Pixel(L + D / 2, (T + Bm) / 2 - D / 2), gui::clSilver);
            EXPECT_EQ(Pixel((L + Rr) / 2 + D / 2, Bm - D / 2), gui::clWhite);  // the bottom wall
        }
    }
    EXPECT_EQ(D, (Bm + 1 - 16) / 2);  // half of R's smaller side
}

TEST_F(DepthTest, GridLinesRunAlongTheSideWallsThenAcrossTheBackWall)
{
    c->BottomAxis()->Grid()->SetColor(gui::clRed);
    c->LeftAxis()->Grid()->SetColor(gui::clBlue);
    Add<chart::TPointSeries>({{0, 0}, {100, 100}})->SetActive(false);
    DrawInDepth();
    const std::vector<double>& across = c->LeftAxis()->LabelValues();
    const std::vector<double>& up = c->BottomAxis()->LabelValues();
    ASSERT_GE(across.size(), 3u);
    ASSERT_GE(up.size(), 3u);
    const int y = Y(across[across.size() / 2]);
    for (int k = 1; k < D; ++k) {
        ASSERT_EQ(Pixel(L + k, y - k), gui::clBlue) << k;  // on the left wall
    }
    for (int x = L + D + 1; x < Rr + D; ++x) {
        ASSERT_EQ(Pixel(x, y - D), gui::clBlue) << x;  // across the back wall
    }
    const int x = X(up[up.size() / 2]);
    for (int k = 1; k < D; ++k) {
        ASSERT_EQ(Pixel(x + k, Bm - k), gui::clRed) << k;  // on the bottom wall
    }
    int crossings = 0;
    for (int v = T - D + 1; v < Bm - D; ++v) {
        if (Pixel(x + D, v) == gui::clBlue) {
            ++crossings;  // the other axis's lines are drawn later
        } else {
            ASSERT_EQ(Pixel(x + D, v), gui::clRed) << v;  // up the back wall
        }
    }
    EXPECT_LE(crossings, int(across.size()));
    // The axes stay at the front face.
    EXPECT_EQ(Pixel(L, (T + Bm) / 2), gui::clBlack);
    EXPECT_EQ(Pixel((L + Rr) / 2, Bm), gui::clBlack);
}

TEST_F(DepthTest, BarsAreBoxesThroughTheWholeDepthWithShadedTopAndSide)
{
    NoGrid();
    for (bool horizontal : {false, true}) {
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        const std::vector<std::pair<double, double>> points = {{0, 50}, {10, 100}, {20, 75}};
        chart::TCustomBarSeries* s = nullptr;
        if (horizontal) {
            std::vector<std::pair<double, double>> exchanged;
            for (auto [x, y] : points) {
                exchanged.push_back({y, x});
            }
            s = Add<chart::THorizBarSeries>(exchanged);
        } else {
            s = Add<chart::TBarSeries>(points);
        }
        s->SetSeriesColor(kLime);
        DrawInDepth();
        for (auto [category, value] : points) {
            SCOPED_TRACE(category);
            int l, t, r, b;  // the front face, pixels included
            if (horizontal) {
                const int group = Round(10.0 * (Bm - T) / 30.0 * 70 / 100);
                const int bottom = Y(category) - group / 2 + group;
                l = X(0), r = X(value), t = bottom - group, b = bottom - 1;
            } else {
                const int group = Round(10.0 * (Rr - L) / 30.0 * 70 / 100);
                l = X(category) - group / 2, r = l + group - 1, t = Y(value), b = Y(0);
            }
            EXPECT_EQ(Pixel((l + r) / 2, (t + b) / 2), kLime);                  // front, at depth 0
            EXPECT_EQ(Pixel((l + r) / 2 + D / 2, t - D / 2), 0x00DF00);          // top: 255 × 7 / 8
            EXPECT_EQ(Pixel(r + D / 2, (t + b) / 2 - D / 2), 0x00BF00);          // side: 255 × 3 / 4
            EXPECT_EQ(Pixel(r + D, (t + b) / 2 - D), gui::clBlack);              // the back edge
            EXPECT_EQ(Pixel(r + D + 1, (t + b) / 2 - D), gui::clWhite);
        }
        s->SetParentChart(nullptr);
        delete s;
    }
}

TEST_F(DepthTest, ASeriesLiesInItsSliceTheFirstAtTheBack)
{
    NoGrid();
    const std::array<gui::TColor, 3> colors = {gui::clRed, gui::clBlue, gui::clFuchsia};
    const std::array<double, 3> heights = {300, 200, 100};
    for (int s = 0; s < 3; ++s) {
        Add<chart::TAreaSeries>(Level(heights[s]))->SetSeriesColor(colors[s]);
    }
    DrawInDepth();
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        const int zFront = D - (s + 1) * D / 3;
        const int zBack = D - s * D / 3;
        ASSERT_GE(zBack - zFront, 5);
        const int x = X(55) + zFront;  // between two points: no edge there
        const int top = Y(heights[s]) - zFront;  // the front face's upper edge
        EXPECT_EQ(Pixel(x, top), gui::clBlack);
        EXPECT_EQ(Pixel(x, top + 2), colors[s]);
        EXPECT_EQ(Pixel(x, Y(heights[s] - 50) - zFront), colors[s]);
        EXPECT_EQ(Pixel(x, top - 2), chart::Shade(colors[s], 7, 8));  // the ribbon
        EXPECT_EQ(Pixel(x, Y(heights[s]) - zBack), gui::clBlack);  // its back edge
        EXPECT_EQ(Pixel(x, Y(heights[s]) - zBack - 1), s == 0 ? gui::clWhite : colors[s - 1]);
        // The side at the last point.
        EXPECT_EQ(Pixel(X(100) + (zFront + zBack) / 2, Y(heights[s] / 2) - (zFront + zBack) / 2),
                  chart::Shade(colors[s], 3, 4));
    }
}

TEST_F(DepthTest, HatchedFacesAreTheGdisHatchOfEachFacesColour)
{
    NoGrid();
    const gui::TColor background = 0xC0FFC0;
    c->SetColor(background);
    auto* s = Add<chart::TBarSeries>({{0, 50}, {10, 100}});
    s->SetSeriesColor(gui::clRed);
    s->BarBrush()->SetStyle(gui::bsDiagCross);
    DrawInDepth();
    const int group = Round(10.0 * (Rr - L) / 20.0 * 70 / 100);
    const int l = X(10) - group / 2, r = l + group - 1, t = Y(100), b = Y(0);
    ASSERT_GE(D, 8);
    struct Face {
        const char* name;
        win::RECT inside;  // a rectangle within the face
        gui::TColor color;
    };
    const Face faces[] = {
        {"front", {l + 2, t + 2, r - 1, b - 1}, gui::clRed},
        {"top", {l + D, t - D + 2, r, t - 1}, 0x0000DF},
        {"side", {r + 2, t, r + D - 1, b - D}, 0x0000BF},
    };
    for (const Face& face : faces) {
        SCOPED_TRACE(face.name);
        gui::TBitmap reference;
        reference.SetSize(600, 400);
        const win::HDC dc = reference.Canvas()->Handle();
        const win::HBRUSH hatch = win::CreateHatchBrush(win::HS_DIAGCROSS, win::COLORREF(face.color));
        win::SetBkColor(dc, win::COLORREF(background));
        win::SetBkMode(dc, win::OPAQUE);
        win::FillRect(dc, &face.inside, hatch);
        win::DeleteObject(hatch);
        int differing = 0;
        int hatched = 0;
        for (int y = face.inside.top; y < face.inside.bottom; ++y) {
            for (int x = face.inside.left; x < face.inside.right; ++x) {
                differing += Pixel(x, y) != reference.Canvas()->Pixels(x, y);
                hatched += Pixel(x, y) == face.color;
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(hatched, 0);
    }
}

// The test's own turning: about the vertical axis by alpha, then about the horizontal one by beta,
// through the centre of the box; then shrunk to fit and centred in the orthogonal box's room.
struct Turning {
    double cx, cy, cz;
    double alpha, beta;
    double scale = 1, fromX = 0, fromY = 0, toX = 0, toY = 0;

    std::array<double, 3> Turn(double x, double y, double z) const
    {
        const double ry[3][3] = {
            {std::cos(alpha), 0, std::sin(alpha)}, {0, 1, 0}, {-std::sin(alpha), 0, std::cos(alpha)}};
        const double rx[3][3] = {{1, 0, 0}, {0, std::cos(beta), -std::sin(beta)}, {0, std::sin(beta), std::cos(beta)}};
        const double v[3] = {x - cx, y - cy, z - cz};
        double a[3] = {}, r[3] = {};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                a[i] += ry[i][j] * v[j];
            }
        }
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                r[i] += rx[i][j] * a[j];
            }
        }
        return {cx + r[0], cy + r[1], cz + r[2]};
    }
    win::POINT Point(double x, double y, double z) const
    {
        const auto t = Turn(x, y, z);
        return {Round(toX + (t[0] - fromX) * scale), Round(toY + (t[1] - fromY) * scale)};
    }
};

Turning TurningOf(int L, int T, int Rr, int Bm, int D, int rotation, int elevation)
{
    Turning turning{(L + Rr) / 2.0, (T + Bm) / 2.0, D / 2.0, (360 - rotation) * std::numbers::pi / 180,
                    (360 - elevation) * std::numbers::pi / 180};
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int x : {L, Rr}) {
        for (int y : {T, Bm}) {
            for (int z : {0, D}) {
                const auto t = turning.Turn(x, y, z);
                minX = std::min(minX, t[0]);
                maxX = std::max(maxX, t[0]);
                minY = std::min(minY, t[1]);
                maxY = std::max(maxY, t[1]);
            }
        }
    }
    turning.scale = std::min({1.0, (Rr + D - L) / (maxX - minX), (Bm - T + D) / (maxY - minY)});
    turning.fromX = (minX + maxX) / 2;
    turning.fromY = (minY + maxY) / 2;
    turning.toX = (L + Rr + D) / 2.0;
    turning.toY = (T - D + Bm) / 2.0;
    return turning;
}

TEST_F(DepthTest, TurnedTheBackWallsCornersAreWhereTheRotationPutsThem)
{
    NoGrid();
    c->View3DOptions()->SetOrthogonal(false);
    c->BackWall()->Brush()->SetStyle(gui::bsSolid);
    c->BackWall()->SetColor(gui::clAqua);
    Add<chart::TPointSeries>({{0, 0}, {100, 100}})->SetActive(false);
    DrawInDepth();
    const Turning turning = TurningOf(L, T, Rr, Bm, D, 345, 345);
    const win::POINT corners[] = {turning.Point(L, T, D), turning.Point(Rr, T, D), turning.Point(Rr, Bm, D),
                                  turning.Point(L, Bm, D)};
    for (const win::POINT& p : corners) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        bool black = false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                black = black || Pixel(p.x + dx, p.y + dy) == gui::clBlack;
            }
        }
        EXPECT_TRUE(black);
    }
    const win::POINT middle = turning.Point((L + Rr) / 2.0, (T + Bm) / 2.0, D);
    EXPECT_EQ(Pixel(middle.x, middle.y), gui::clAqua);
    // Not the orthogonal picture: its corner is elsewhere.
    EXPECT_NE(corners[0].x, L + D);
}

TEST_F(DepthTest, TurnedTheNearerSeriesCoversTheFurther)
{
    NoGrid();
    c->View3DOptions()->SetOrthogonal(false);
    Add<chart::TAreaSeries>(Level(300))->SetSeriesColor(gui::clRed);   // the back slice
    Add<chart::TAreaSeries>(Level(100))->SetSeriesColor(gui::clBlue);  // the front slice
    DrawInDepth();
    const Turning turning = TurningOf(L, T, Rr, Bm, D, 345, 345);
    const int middle = D - D / 2;  // where the back slice begins
    const win::POINT front = turning.Point(X(55), Y(50), 0);
    EXPECT_EQ(Pixel(front.x, front.y), gui::clBlue);
    const win::POINT behind = turning.Point(X(55), Y(50), middle);
    EXPECT_EQ(Pixel(behind.x, behind.y), gui::clBlue);  // the back series is there, but further
    const win::POINT above = turning.Point(X(55), Y(250), middle);
    EXPECT_EQ(Pixel(above.x, above.y), gui::clRed);
}

TEST_F(DepthTest, TurnedStraightOnTheSideWallsAreEdgeOn)
{
    c->View3DOptions()->SetOrthogonal(false);
    c->View3DOptions()->SetRotation(360);
    c->View3DOptions()->SetElevation(360);
    c->BottomWall()->SetColor(gui::clYellow);
    // No axes: their labels' smoothed edges might take any shade.
    c->LeftAxis()->SetVisible(false);
    c->BottomAxis()->SetVisible(false);
    Add<chart::TBarSeries>(Level(40))->SetSeriesColor(kLime);
    Draw();
    int walls = 0;
    int shaded = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            walls += Pixel(x, y) == gui::clSilver || Pixel(x, y) == gui::clYellow;
            shaded += Pixel(x, y) == 0x00DF00 || Pixel(x, y) == 0x00BF00;
        }
    }
    EXPECT_EQ(walls, 0);
    EXPECT_EQ(shaded, 0);  // the bars show their fronts only
}

TEST_F(DepthTest, OrthogonalIgnoresTheRotation)
{
    Add<chart::TBarSeries>(Level(40));
    Add<chart::TLineSeries>(Level(60));
    c->View3DOptions()->SetRotation(270);
    DrawInDepth();
    const std::unique_ptr<gui::TBitmap> at270 = std::move(picture);
    c->View3DOptions()->SetRotation(345);
    DrawInDepth();
    int differing = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            differing += Pixel(x, y) != at270->Canvas()->Pixels(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(DepthTest, ViewSettingsMadeWhileFlatShowWhenDepthComesBack)
{
    Add<chart::TBarSeries>(Level(40));
    Add<chart::TAreaSeries>(Level(60));
    const auto drawn = [this] {
        Draw();
        return std::move(picture);
    };
    c->SetView3D(true);
    c->SetChart3DPercent(40);
    c->View3DOptions()->SetOrthogonal(false);
    const std::unique_ptr<gui::TBitmap> direct = drawn();
    c->SetChart3DPercent(15);
    c->View3DOptions()->SetOrthogonal(true);

    c->SetView3D(false);
    c->SetChart3DPercent(40);
    c->View3DOptions()->SetOrthogonal(false);
    const std::unique_ptr<gui::TBitmap> flat = drawn();
    c->SetView3D(true);
    const std::unique_ptr<gui::TBitmap> back = drawn();
    int differing = 0;
    int flatDiffering = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            differing += back->Canvas()->Pixels(x, y) != direct->Canvas()->Pixels(x, y);
            flatDiffering += flat->Canvas()->Pixels(x, y) != direct->Canvas()->Pixels(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(flatDiffering, 0);
}

}  // namespace
