// Shapes cut to the room around a drawing: kept as they are when they fit, and drawing the same pixels
// inside the drawing when they reach far beyond it (crossings on whole pixels, so that rounding plays
// no part), the cut shapes lying within the room.

#include "platform/chart/ChartClip.h"

#include "tests/platform/chart/ChartFixture.h"

namespace {

using charttest::ChartTest;

const win::RECT kBounds{0, 0, 100, 80};

bool Within(const std::vector<win::POINT>& points, const win::RECT& room)
{
    for (const win::POINT& p : points) {
        if (p.x < room.left || p.x > room.right || p.y < room.top || p.y > room.bottom) {
            return false;
        }
    }
    return true;
}

int Differing(gui::TBitmap& a, gui::TBitmap& b)
{
    int differing = 0;
    for (int y = kBounds.top; y < kBounds.bottom; ++y) {
        for (int x = kBounds.left; x < kBounds.right; ++x) {
            differing += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y);
        }
    }
    return differing;
}

std::unique_ptr<gui::TBitmap> Sheet()
{
    auto sheet = std::make_unique<gui::TBitmap>();
    sheet->SetSize(kBounds.right, kBounds.bottom);
    sheet->Canvas()->Brush()->SetColor(gui::clRed);
    sheet->Canvas()->Pen()->SetColor(gui::clBlack);
    return sheet;
}

TEST_F(ChartTest, ShapesReachingFarOutDrawTheSamePixelsCut)
{
    const win::RECT room = chart::ClipRoom(kBounds);
    EXPECT_EQ(room.left, -256);
    EXPECT_EQ(room.bottom, 80 + 256);
    const std::vector<std::vector<win::POINT>> polygons = {
        {{10, 10}, {90, 10}, {50, 70}},                       // fits: kept as it is
        {{50, 40}, {5050, 40}, {50, 5040}},                    // a corner far out at the right and below
        {{-9000, -9000}, {60, 60}, {-9000, 60}},               // from far above and left
        {{20, 20}, {20000, 20}, {20000, 30}, {20, 30}},        // a long bar
    };
    for (const auto& polygon : polygons) {
        SCOPED_TRACE(polygon[1].x);
        const std::vector<win::POINT> cut = chart::ClipPolygon(polygon, room);
        EXPECT_TRUE(Within(cut, room));
        if (Within(polygon, room)) {
            EXPECT_EQ(cut.size(), polygon.size());
        }
        auto whole = Sheet();
        auto clipped = Sheet();
        whole->Canvas()->Polygon(polygon);
        clipped->Canvas()->Polygon(cut);
        EXPECT_EQ(Differing(*whole, *clipped), 0);
    }
    EXPECT_TRUE(chart::ClipPolygon({{-5000, -5000}, {-4000, -5000}, {-4000, -4000}}, room).empty());
}

TEST_F(ChartTest, LinesReachingFarOutDrawTheSamePixelsInParts)
{
    const win::RECT room = chart::ClipRoom(kBounds);
    struct Case {
        const char* name;
        std::vector<win::POINT> line;
        std::size_t parts;
    };
    const Case cases[] = {
        {"fits", {{0, 0}, {50, 40}, {99, 0}}, 1},
        {"in from far left, out far below", {{-10000, 30}, {60, 30}, {60, 10000}}, 1},
        {"out and back in", {{10, 10}, {10, 9000}, {90, 9000}, {90, 10}}, 2},
        {"past the room only", {{-9000, -400}, {9000, -400}}, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::vector<std::vector<win::POINT>> parts = chart::ClipPolyline(k.line, room);
        EXPECT_EQ(parts.size(), k.parts);
        auto whole = Sheet();
        auto clipped = Sheet();
        whole->Canvas()->Polyline(k.line);
        for (const auto& part : parts) {
            EXPECT_TRUE(Within(part, room));
            clipped->Canvas()->Polyline(part);
        }
        EXPECT_EQ(Differing(*whole, *clipped), 0);
    }
}

}  // namespace
