// A 600 × 400 chart's pixels against geometry computed here from its chart rectangle and the mapping
// of its axes: bars of three series, horizontal bars, lines, areas, markers, hatches and the legend.

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/graphics/Bitmap.h"

#include "tests/platform/chart/ChartFixture.h"

#include <cmath>

namespace {

using charttest::PixelTest;
using charttest::Round;

std::vector<std::pair<double, double>> Steps(double from, double by)
{
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i <= 10; ++i) {
        points.push_back({10.0 * i, from + by * i});
    }
    return points;
}

std::vector<std::pair<double, double>> Exchanged(std::vector<std::pair<double, double>> points)
{
    for (auto& [x, y] : points) {
        std::swap(x, y);
    }
    return points;
}

// The bar's inclusive pixel box: left, top, right, bottom.
struct Box {
    int left, top, right, bottom;
};

void ExpectBar(PixelTest& t, const Box& b, gui::TColor color, const std::string& what)
{
    SCOPED_TRACE(what);
    const int mx = (b.left + b.right) / 2;
    const int my = (b.top + b.bottom) / 2;
    EXPECT_EQ(t.Pixel(mx, my), color);
    EXPECT_EQ(t.Pixel(b.left, my), gui::clBlack);
    EXPECT_EQ(t.Pixel(b.right, my), gui::clBlack);
    EXPECT_EQ(t.Pixel(mx, b.top), gui::clBlack);
    EXPECT_EQ(t.Pixel(mx, b.bottom), gui::clBlack);
    EXPECT_NE(t.Pixel(b.left - 1, my), color);
    EXPECT_NE(t.Pixel(b.right + 1, my), color);
    EXPECT_NE(t.Pixel(mx, b.top - 1), color);
    EXPECT_NE(t.Pixel(mx, b.bottom + 1), color);
}

TEST_F(PixelTest, BarsOfThreeSeriesShareEachCategory)
{
    const std::vector<chart::TBarSeries*> series = {Add<chart::TBarSeries>(Steps(40, 20)),
                                                    Add<chart::TBarSeries>(Steps(120, 10)),
                                                    Add<chart::TBarSeries>(Steps(80, 30))};
    Draw();
    ASSERT_DOUBLE_EQ(c->BottomAxis()->Minimum(), -5);
    const double dpx = 10.0 * (Rr - L) / 110.0;
    const int group = Round(dpx * 70 / 100);
    const int w = group / 3;
    ASSERT_GE(w, 5);
    for (int s = 0; s < 3; ++s) {
        for (int i = 0; i <= 10; ++i) {
            const int left = X(10.0 * i) - group / 2 + s * w;
            const Box box{left, Y(series[s]->YValue(i)), left + w - 1, Y(0)};
            ExpectBar(*this, box, series[s]->SeriesColor(), "series " + std::to_string(s) + " point " + std::to_string(i));
        }
    }
    EXPECT_EQ(series[0]->SeriesColor(), gui::clRed);
    EXPECT_EQ(series[1]->SeriesColor(), gui::clGreen);
    EXPECT_EQ(series[2]->SeriesColor(), gui::clYellow);
}

TEST_F(PixelTest, HorizontalBarsLieAlongTheBottomAxis)
{
    const std::vector<chart::THorizBarSeries*> series = {Add<chart::THorizBarSeries>(Exchanged(Steps(40, 20))),
                                                         Add<chart::THorizBarSeries>(Exchanged(Steps(120, 10)))};
    Draw();
    ASSERT_DOUBLE_EQ(c->LeftAxis()->Minimum(), -5);
    const double dpx = 10.0 * (Bm - T) / 110.0;
    const int group = Round(dpx * 70 / 100);
    const int w = group / 2;
    ASSERT_GE(w, 5);
    for (int s = 0; s < 2; ++s) {
        for (int i = 0; i <= 10; ++i) {
            const int bottom = Y(10.0 * i) - group / 2 + group - s * w;  // exclusive
            const Box box{X(0), bottom - w, X(series[s]->XValue(i)), bottom - 1};
            ExpectBar(*this, box, series[s]->SeriesColor(), "series " + std::to_string(s) + " point " + std::to_string(i));
        }
    }
}

TEST_F(PixelTest, LinesPassThroughTheirPointsAtTheirWidth)
{
    for (int width : {1, 2}) {
        for (bool fast : {false, true}) {
            SCOPED_TRACE(testing::Message() << (fast ? "fast line" : "line") << " width " << width);
            SetUp();
            chart::TChartSeries* s = nullptr;
            if (fast) {
                auto* f = Add<chart::TFastLineSeries>({{0, 0}, {50, 100}, {100, 100}});
                f->LinePen()->SetWidth(width);
                s = f;
            } else {
                auto* l = Add<chart::TLineSeries>({{0, 0}, {50, 100}, {100, 100}});
                l->LinePen()->SetWidth(width);
                s = l;
            }
            s->SetSeriesColor(gui::clBlue);
            Draw();
            // Along the rising part, at the computed pixel of points on the segment.
            for (double x : {10.0, 25.0, 40.0}) {
                EXPECT_EQ(Pixel(X(x), Y(2 * x)), gui::clBlue) << x;
            }
            // The flat part: width pixels of the line's colour across it.
            const int mx = X(75);
            int covered = 0;
            for (int y = Y(100) - 2; y <= Y(100) + 2; ++y) {
                covered += Pixel(mx, y) == gui::clBlue;
            }
            EXPECT_EQ(covered, width);
            TearDown();
        }
    }
    SetUp();
}

TEST_F(PixelTest, AreasFillBetweenTheCurveAndZero)
{
    auto* s = Add<chart::TAreaSeries>({{0, 0}, {50, 100}, {100, 0}});
    s->SetSeriesColor(gui::clTeal);
    Draw();
    EXPECT_DOUBLE_EQ(c->LeftAxis()->Minimum(), 0);
    EXPECT_EQ(Pixel(X(50), Y(50)), gui::clTeal);
    EXPECT_EQ(Pixel(X(25), Y(20)), gui::clTeal);
    EXPECT_EQ(Pixel(X(80), Y(10)), gui::clTeal);
    EXPECT_NE(Pixel(X(10), Y(80)), gui::clTeal);
    EXPECT_NE(Pixel(X(90), Y(60)), gui::clTeal);
    EXPECT_EQ(Pixel(X(50), Y(100)), gui::clBlack);  // the frame at the apex
}

TEST_F(PixelTest, MarkersAreBoxesAroundThePoints)
{
    auto* s = Add<chart::TPointSeries>({{0, 0}, {30, 70}, {60, 20}, {100, 100}});
    s->SetSeriesColor(gui::clFuchsia);
    s->Pointer()->SetHorizSize(5);
    s->Pointer()->SetVertSize(3);
    Draw();
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE(i);
        const int x = X(s->XValue(i));
        const int y = Y(s->YValue(i));
        EXPECT_EQ(Pixel(x, y), gui::clFuchsia);
        EXPECT_EQ(Pixel(x - 5, y), gui::clBlack);
        EXPECT_EQ(Pixel(x + 5, y), gui::clBlack);
        EXPECT_EQ(Pixel(x, y - 3), gui::clBlack);
        EXPECT_EQ(Pixel(x, y + 3), gui::clBlack);
        EXPECT_EQ(Pixel(x + 4, y + 2), gui::clFuchsia);
        EXPECT_NE(Pixel(x + 6, y), gui::clBlack);
        EXPECT_NE(Pixel(x, y + 4), gui::clBlack);
    }
    // A marker brush of its own colour, and a hidden pointer.
    s->Pointer()->Brush()->SetColor(gui::clYellow);
    Draw();
    EXPECT_EQ(Pixel(X(30), Y(70)), gui::clYellow);
    s->Pointer()->SetVisible(false);
    Draw();
    EXPECT_NE(Pixel(X(30), Y(70)), gui::clYellow);
}

TEST_F(PixelTest, AHatchedBarIsTheGdisHatchOverTheChartsColour)
{
    const gui::TColor background = 0xC0FFC0;
    c->SetColor(background);
    auto* s = Add<chart::TBarSeries>({{0, 50}, {10, 100}});
    s->SetSeriesColor(gui::clRed);
    struct Case {
        gui::TBrushStyle style;
        int hatch;
    };
    for (const Case& k : {Case{gui::bsDiagCross, win::HS_DIAGCROSS}, Case{gui::bsHorizontal, win::HS_HORIZONTAL},
                          Case{gui::bsBDiagonal, win::HS_BDIAGONAL}}) {
        SCOPED_TRACE(k.hatch);
        s->BarBrush()->SetStyle(k.style);
        Draw();
        const int group = Round(10.0 * (Rr - L) / 20.0 * 70 / 100);
        const int left = X(10) - group / 2;
        const win::RECT inside{left + 1, Y(100) + 1, left + group - 1, Y(0)};
        gui::TBitmap reference;
        reference.SetSize(600, 400);
        const win::HDC dc = reference.Canvas()->Handle();
        const win::HBRUSH hatch = win::CreateHatchBrush(k.hatch, gui::clRed);
        win::SetBkColor(dc, win::COLORREF(background));
        win::SetBkMode(dc, win::OPAQUE);
        win::FillRect(dc, &inside, hatch);
        win::DeleteObject(hatch);
        int differing = 0;
        for (int y = inside.top; y < inside.bottom; ++y) {
            for (int x = inside.left; x < inside.right; ++x) {
                differing += Pixel(x, y) != reference.Canvas()->Pixels(x, y);
            }
        }
        EXPECT_EQ(differing, 0);
    }
    s->BarBrush()->SetStyle(gui::bsClear);
    Draw();
    EXPECT_EQ(Pixel(X(10) + 2, Y(50) + 2), gui::clWhite);  // the back wall shows through
}

TEST_F(PixelTest, TheLegendListsActiveListedSeriesInOrder)
{
    auto* a = Add<chart::TBarSeries>(Steps(10, 1));
    auto* b = Add<chart::TBarSeries>(Steps(10, 1));
    auto* d = Add<chart::TBarSeries>(Steps(10, 1));
    auto* e = Add<chart::TLineSeries>(Steps(10, 1));
    a->SetTitle("First");
    b->SetTitle("Inactive");
    b->SetActive(false);
    d->SetTitle("Unlisted");
    d->SetShowInLegend(false);
    e->SetTitle("Last  ");
    c->Legend()->DividingLines()->SetVisible(true);
    Draw();
    charttest::Measure m;
    const int th = m.Height(*c->Legend()->Font());
    const win::RECT box = c->LegendRect();
    ASSERT_EQ(box.bottom - box.top, 2 * (th + 2) + 4);
    const int row0 = box.top + 2;
    const int row1 = box.top + 2 + th + 2;
    EXPECT_EQ(Pixel(box.left + 10, row0 + 3 + (th - 4) / 2), a->SeriesColor());
    EXPECT_EQ(Pixel(box.left + 4, row0 + 3), gui::clBlack);  // the symbol's frame
    EXPECT_EQ(Pixel(box.left + 10, row1 + (th + 2) / 2), e->SeriesColor());
    EXPECT_EQ(Pixel(box.left + 30, row1 - 1), gui::clBlack);
    EXPECT_EQ(Pixel(box.left, box.top + 1), gui::clBlack);
    EXPECT_EQ(Pixel(box.right - 2, row0 + 1), gui::clWhite);

    c->Legend()->DividingLines()->SetVisible(false);
    Draw();
    EXPECT_EQ(Pixel(box.left + 30, row1 - 1), gui::clWhite);

    for (chart::TChartSeries* s : std::initializer_list<chart::TChartSeries*>{a, e}) {
        s->SetShowInLegend(false);
    }
    Draw();
    const win::RECT none = c->LegendRect();
    EXPECT_TRUE(none.right <= none.left);
    EXPECT_EQ(c->ChartRect().right, box.right);  // the series take the legend's room
}

TEST_F(PixelTest, DutyBarsTakeTheSeriesColourAtEachDrawing)
{
    auto* s = Add<chart::TBarSeries>({{0, 0}});
    for (int i = 1; i <= 10; ++i) {
        s->AddXY(10 * i, 5 + 3 * i);
    }
    for (gui::TColor color : {gui::clBlue, gui::clRed}) {
        s->SetSeriesColor(color);
        Draw();
        for (int i = 1; i <= 10; ++i) {
            EXPECT_EQ(Pixel(X(10 * i), (Y(s->YValue(i)) + Y(0)) / 2), color) << i;
        }
    }
}

}  // namespace
