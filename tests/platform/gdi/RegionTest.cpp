#include "platform/gdi/Region.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/gdi/GdiFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace win;

class RegionTest : public wintest::GdiLibraryTest {};

HRGN RegionOf(const std::vector<RECT>& rects)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rect : rects) {
        HRGN part = CreateRectRgnIndirect(&rect);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    return region;
}

bool InRects(const std::vector<RECT>& rects, int x, int y)
{
    for (const RECT& rect : rects) {
        if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
            return true;
        }
    }
    return false;
}

struct CombineCase {
    const char* name;
    std::vector<RECT> first;
    std::vector<RECT> second;
    int and_;
    int or_;
    int xor_;
    int diff;
};

const std::vector<CombineCase> CombineCases = {
    {"overlapping", {{0, 0, 10, 10}}, {{5, 5, 15, 15}}, SIMPLEREGION, COMPLEXREGION, COMPLEXREGION, COMPLEXREGION},
    {"touching side by side", {{0, 0, 10, 10}}, {{10, 0, 20, 10}}, NULLREGION, SIMPLEREGION, SIMPLEREGION, SIMPLEREGION},
    {"touching one above the other", {{0, 0, 10, 10}}, {{0, 10, 10, 20}}, NULLREGION, SIMPLEREGION, SIMPLEREGION, SIMPLEREGION},
    {"disjoint", {{0, 0, 10, 10}}, {{20, 20, 30, 30}}, NULLREGION, COMPLEXREGION, COMPLEXREGION, SIMPLEREGION},
    {"contained", {{0, 0, 10, 10}}, {{3, 3, 6, 6}}, SIMPLEREGION, SIMPLEREGION, COMPLEXREGION, COMPLEXREGION},
    {"second empty", {{0, 0, 10, 10}}, {}, NULLREGION, SIMPLEREGION, SIMPLEREGION, SIMPLEREGION},
    {"first empty", {}, {{0, 0, 10, 10}}, NULLREGION, SIMPLEREGION, SIMPLEREGION, NULLREGION},
    {"both empty", {}, {}, NULLREGION, NULLREGION, NULLREGION, NULLREGION},
    {"identical", {{2, 2, 8, 8}}, {{2, 2, 8, 8}}, SIMPLEREGION, SIMPLEREGION, NULLREGION, NULLREGION},
    {"complex with a hole filled", {{0, 0, 9, 3}, {0, 3, 3, 6}, {6, 3, 9, 6}, {0, 6, 9, 9}}, {{3, 3, 6, 6}},
     NULLREGION, SIMPLEREGION, SIMPLEREGION, COMPLEXREGION},
};

TEST_F(RegionTest, CombineGivesThePixelsAndKindOfEachOperation)
{
    struct Mode {
        int mode;
        const char* name;
        std::function<bool(bool, bool)> rule;
    };
    const std::vector<Mode> modes = {
        {RGN_AND, "AND", [](bool a, bool b) { return a && b; }},
        {RGN_OR, "OR", [](bool a, bool b) { return a || b; }},
        {RGN_XOR, "XOR", [](bool a, bool b) { return a != b; }},
        {RGN_DIFF, "DIFF", [](bool a, bool b) { return a && !b; }},
        {RGN_COPY, "COPY", [](bool a, bool) { return a; }},
    };
    for (const CombineCase& test : CombineCases) {
        const int copyKind = test.first.empty() ? NULLREGION : test.first.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
        const int kinds[] = {test.and_, test.or_, test.xor_, test.diff, copyKind};
        for (std::size_t index = 0; index < modes.size(); ++index) {
            const Mode& mode = modes[index];
            SCOPED_TRACE(std::string(test.name) + " " + mode.name);
            HRGN a = RegionOf(test.first);
            HRGN b = RegionOf(test.second);
            HRGN result = CreateRectRgn(0, 0, 0, 0);
            EXPECT_EQ(CombineRgn(result, a, b, mode.mode), kinds[index]);
            for (int y = -1; y <= 31; ++y) {
                for (int x = -1; x <= 31; ++x) {
                    const bool expected = mode.rule(InRects(test.first, x, y), InRects(test.second, x, y));
                    ASSERT_EQ(PtInRegion(result, x, y) != FALSE, expected) << x << "," << y;
                }
            }
            // The destination may be a source.
            EXPECT_EQ(CombineRgn(a, a, b, mode.mode), kinds[index]);
            EXPECT_TRUE(EqualRgn(a, result));
            DeleteObject(a);
            DeleteObject(b);
            DeleteObject(result);
        }
    }
}

TEST_F(RegionTest, RightAndBottomEdgesAreOutside)
{
    HRGN region = CreateRectRgn(10, 20, 30, 40);
    struct Probe {
        int x;
        int y;
        BOOL inside;
    };
    for (const Probe& probe : {Probe{10, 20, TRUE}, Probe{29, 39, TRUE}, Probe{30, 20, FALSE}, Probe{10, 40, FALSE},
                               Probe{9, 20, FALSE}, Probe{10, 19, FALSE}, Probe{30, 40, FALSE}}) {
        EXPECT_EQ(PtInRegion(region, probe.x, probe.y), probe.inside) << probe.x << "," << probe.y;
    }
    struct RectProbe {
        RECT rect;
        BOOL touches;
    };
    for (const RectProbe& probe : {RectProbe{{30, 20, 40, 30}, FALSE}, RectProbe{{29, 20, 40, 30}, TRUE},
                                   RectProbe{{0, 40, 50, 50}, FALSE}, RectProbe{{0, 39, 50, 50}, TRUE},
                                   RectProbe{{40, 30, 29, 20}, TRUE}, RectProbe{{15, 25, 15, 35}, FALSE}}) {
        EXPECT_EQ(RectInRegion(region, &probe.rect), probe.touches)
            << probe.rect.left << "," << probe.rect.top << "," << probe.rect.right << "," << probe.rect.bottom;
    }
    DeleteObject(region);
}

TEST_F(RegionTest, RectangleRegionsNormalizeAndOffset)
{
    HRGN swapped = CreateRectRgn(30, 40, 10, 20);
    RECT box;
    EXPECT_EQ(GetRgnBox(swapped, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 20, 30, 40}));
    EXPECT_EQ(OffsetRgn(swapped, -15, 5), SIMPLEREGION);
    GetRgnBox(swapped, &box);
    EXPECT_EQ(box, (RECT{-5, 25, 15, 45}));
    EXPECT_TRUE(SetRectRgn(swapped, 3, 3, 3, 9));
    EXPECT_EQ(GetRgnBox(swapped, &box), NULLREGION);
    EXPECT_EQ(box, (RECT{}));
    DeleteObject(swapped);
}

TEST_F(RegionTest, RegionDataRoundTrips)
{
    HRGN region = RegionOf({{0, 0, 10, 10}, {5, 5, 15, 15}, {40, 0, 50, 2}});
    const DWORD size = GetRegionData(region, 0, nullptr);
    ASSERT_GT(size, sizeof(RGNDATAHEADER));
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(region, size - 1, data), 0u) << "a buffer too small is refused";
    ASSERT_EQ(GetRegionData(region, size, data), size);
    EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
    EXPECT_EQ(data->rdh.nCount * sizeof(RECT) + sizeof(RGNDATAHEADER), size);
    EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 50, 15}));
    HRGN copy = ExtCreateRegion(nullptr, size, data);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(region, copy));

    XFORM scale;
    scale.eM11 = 2;
    EXPECT_EQ(ExtCreateRegion(&scale, size, data), nullptr) << "transforms are not carried out";
    EXPECT_EQ(ExtCreateRegion(nullptr, size - sizeof(RECT), data), nullptr) << "fewer bytes than nCount says";
    data->rdh.iType = 7;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
    DeleteObject(region);
    DeleteObject(copy);
}

TEST_F(RegionTest, InvalidHandlesAndModesAnswerError)
{
    HRGN region = CreateRectRgn(0, 0, 5, 5);
    HRGN gone = CreateRectRgn(0, 0, 5, 5);
    DeleteObject(gone);
    RECT box;
    EXPECT_EQ(CombineRgn(region, region, gone, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(region, region, region, 9), ERROR);
    EXPECT_EQ(GetRgnBox(gone, &box), ERROR);
    EXPECT_EQ(OffsetRgn(static_cast<HRGN>(GetStockObject(WHITE_BRUSH)), 1, 1), ERROR);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(PtInRegion(gone, 1, 1));
    EXPECT_EQ(CreateRectRgn(0, 0, 1 << 28, 1), nullptr) << "coordinates beyond the limit";
    DeleteObject(region);
}

// The independent references: pixel centres tested against the figure in floating point.
enum class Verdict { Inside, Outside, OnEdge };

Verdict Classify(double value)
{
    if (std::abs(value - 1.0) < 1e-9) {
        return Verdict::OnEdge;
    }
    return value < 1.0 ? Verdict::Inside : Verdict::Outside;
}

// The round rectangle inscribed in (left, top, right - 1, bottom - 1), corner ellipses w x h across
// their outermost pixels: a pixel centre is inside when its distance beyond the straight part of the
// figure lies within the corner ellipse.
Verdict RoundRectReference(const RECT& r, int w, int h, double px, double py)
{
    const double halfWidth = (r.right - r.left - 1) / 2.0;
    const double halfHeight = (r.bottom - r.top - 1) / 2.0;
    const double cx = r.left + halfWidth;
    const double cy = r.top + halfHeight;
    const double rx = (std::min(w, static_cast<int>(r.right - r.left)) - 1) / 2.0;
    const double ry = (std::min(h, static_cast<int>(r.bottom - r.top)) - 1) / 2.0;
    const double ax = std::abs(px - cx);
    const double ay = std::abs(py - cy);
    if (halfWidth <= 0 || halfHeight <= 0 || ax > halfWidth || ay > halfHeight) {
        return Verdict::Outside;
    }
    if (rx <= 0 || ry <= 0) {
        return Verdict::Inside;
    }
    const double dx = std::max(0.0, ax - (halfWidth - rx)) / rx;
    const double dy = std::max(0.0, ay - (halfHeight - ry)) / ry;
    return Classify(dx * dx + dy * dy);
}

void ExpectMatchesReference(HRGN region, const RECT& around, const std::function<Verdict(double, double)>& reference)
{
    int mismatches = 0;
    for (int y = around.top - 2; y < around.bottom + 2; ++y) {
        for (int x = around.left - 2; x < around.right + 2; ++x) {
            const Verdict verdict = reference(x + 0.5, y + 0.5);
            if (verdict == Verdict::OnEdge) {
                continue;
            }
            if ((PtInRegion(region, x, y) != FALSE) != (verdict == Verdict::Inside)) {
                ++mismatches;
                ADD_FAILURE() << "pixel " << x << "," << y;
            }
            if (mismatches > 5) {
                return;
            }
        }
    }
}

TEST_F(RegionTest, EllipticRegionsMatchTheEllipseOnePixelInside)
{
    const std::vector<RECT> cases = {{0, 0, 11, 11}, {0, 0, 10, 10}, {-7, 3, 30, 12}, {5, 5, 7, 40},
                                     {0, 0, 2, 2},   {0, 0, 101, 57}, {3, 3, 4, 20}};
    for (const RECT& bounds : cases) {
        SCOPED_TRACE(std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
                     std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
        HRGN region = CreateEllipticRgnIndirect(&bounds);
        ASSERT_NE(region, nullptr);
        ExpectMatchesReference(region, bounds, [&](double px, double py) {
            return RoundRectReference(bounds, bounds.right - bounds.left, bounds.bottom - bounds.top, px, py);
        });
        RECT box;
        GetRgnBox(region, &box);
        if (bounds.right - bounds.left > 1 && bounds.bottom - bounds.top > 1) {
            EXPECT_EQ(box, (RECT{bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1}));
        }
        DeleteObject(region);
    }
}

TEST_F(RegionTest, RoundRectRegionsMatchTheFigure)
{
    struct Case {
        RECT bounds;
        int w;
        int h;
    };
    const std::vector<Case> cases = {{{0, 0, 41, 31}, 10, 10}, {{0, 0, 41, 31}, 2, 2},  {{0, 0, 41, 31}, 0, 8},
                                     {{5, 7, 30, 20}, 7, 15},  {{0, 0, 20, 20}, 60, 60}, {{0, 0, 40, 12}, 9, -9}};
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.w) + "x" + std::to_string(test.h));
        const RECT& b = test.bounds;
        HRGN region = CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, test.w, test.h);
        ASSERT_NE(region, nullptr);
        ExpectMatchesReference(region, b, [&](double px, double py) {
            return RoundRectReference(b, std::abs(test.w), std::abs(test.h), px, py);
        });
        DeleteObject(region);
    }
    // A window of w x h pixels takes the rectangle one larger.
    HRGN window = CreateRoundRectRgn(0, 0, 101, 51, 6, 6);
    RECT box;
    EXPECT_EQ(GetRgnBox(window, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 100, 50}));
    EXPECT_FALSE(PtInRegion(window, 0, 0)) << "the corner is cut";
    EXPECT_TRUE(PtInRegion(window, 50, 0));
    DeleteObject(window);
}

// Even-odd by counting crossings of a ray to the right; non-zero by summing signed crossings.
Verdict PolygonReference(const std::vector<std::vector<POINT>>& polygons, int fillMode, double px, double py)
{
    int crossings = 0;
    int winding = 0;
    for (const auto& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const POINT a = polygon[i];
            const POINT b = polygon[(i + 1) % polygon.size()];
            if ((a.y <= py) == (b.y <= py)) {
                continue;
            }
            const double t = (py - a.y) / (b.y - a.y);
            const double x = a.x + t * (b.x - a.x);
            if (std::abs(x - px) < 1e-9) {
                return Verdict::OnEdge;
            }
            if (x > px) {
                ++crossings;
                winding += b.y > a.y ? 1 : -1;
            }
        }
    }
    const bool inside = fillMode == ALTERNATE ? (crossings % 2) == 1 : winding != 0;
    return inside ? Verdict::Inside : Verdict::Outside;
}

TEST_F(RegionTest, PolygonRegionsMatchTheFillRule)
{
    struct Case {
        const char* name;
        std::vector<std::vector<POINT>> polygons;
    };
    const std::vector<Case> cases = {
        {"triangle", {{{2, 1}, {30, 9}, {7, 25}}}},
        {"pentagram", {{{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}}}},
        {"concave", {{{0, 0}, {30, 0}, {30, 30}, {15, 10}, {0, 30}}}},
        {"two squares the same way round", {{{0, 0}, {20, 0}, {20, 20}, {0, 20}}, {{10, 10}, {30, 10}, {30, 30}, {10, 30}}}},
        {"square with a hole the other way round", {{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{10, 10}, {10, 20}, {20, 20}, {20, 10}}}},
        {"thin sliver", {{{0, 0}, {40, 3}, {0, 1}}}},
    };
    for (const Case& test : cases) {
        std::vector<POINT> points;
        std::vector<int> counts;
        for (const auto& polygon : test.polygons) {
            points.insert(points.end(), polygon.begin(), polygon.end());
            counts.push_back(static_cast<int>(polygon.size()));
        }
        for (int fillMode : {ALTERNATE, WINDING}) {
            SCOPED_TRACE(std::string(test.name) + (fillMode == ALTERNATE ? " alternate" : " winding"));
            HRGN region = CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()), fillMode);
            ASSERT_NE(region, nullptr);
            ExpectMatchesReference(region, RECT{0, 0, 40, 40}, [&](double px, double py) {
                return PolygonReference(test.polygons, fillMode, px, py);
            });
            DeleteObject(region);
        }
    }
}

TEST_F(RegionTest, PolygonEdgesFollowTheRectangleRule)
{
    const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    HRGN polygon = CreatePolygonRgn(square, 4, ALTERNATE);
    HRGN rect = CreateRectRgn(0, 0, 10, 10);
    EXPECT_TRUE(EqualRgn(polygon, rect));
    // A diamond whose edges pass exactly through pixel centres keeps the centres on its left edges.
    const POINT diamond[] = {{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    HRGN shape = CreatePolygonRgn(diamond, 4, WINDING);
    EXPECT_TRUE(PtInRegion(shape, 2, 2)) << "centre 2.5,2.5 lies on the upper left edge";
    EXPECT_FALSE(PtInRegion(shape, 7, 2)) << "centre 7.5,2.5 lies on the upper right edge";
    EXPECT_EQ(CreatePolygonRgn(square, -1, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(square, 4, 3), nullptr);
    DeleteObject(polygon);
    DeleteObject(rect);
    DeleteObject(shape);
}

}  // namespace
