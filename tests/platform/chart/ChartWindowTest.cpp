// A loaded window's chart painting through WM_PAINT on the headless display, and drawing that holds up
// against any size and any numbers.

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/gui/graphics/Bitmap.h"

#include "tests/platform/chart/ChartFixture.h"
#include "tests/platform/gui/core/ControlsFixture.h"

#include <cmath>
#include <limits>

namespace {

class ChartWindowTest : public guitest::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        chart::initialize();
    }
    void TearDown() override
    {
        chart::finalize();
        ControlsTest::TearDown();
    }
};

TEST_F(ChartWindowTest, ALoadedWindowsChartPaintsWhatItDraws)
{
    const std::string text = "object Analysis: TForm\n"
                             "  Left = 100\n"
                             "  Top = 100\n"
                             "  Width = 420\n"
                             "  Height = 300\n"
                             "  object Chart5: TChart\n"
                             "    Left = 0\n"
                             "    Top = 0\n"
                             "    Width = 400\n"
                             "    Height = 250\n"
                             "    Legend.DividingLines.Visible = True\n"
                             "    Title.Text.Strings = (\n"
                             "      'TChart')\n"
                             "    object HorizBarSeries1: TBarSeries\n"
                             "      SeriesColor = clLime\n"
                             "      Title = 'Inverter'\n"
                             "    end\n"
                             "    object HorizBarSeries2: TBarSeries\n"
                             "      Title = 'Outlet Damper'\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    std::unique_ptr<classes::TComponent> root(guitest::ReadText(text, nullptr));
    auto* form = dynamic_cast<gui::TForm*>(root.get());
    auto* c = dynamic_cast<chart::TChart*>(form->FindComponent("Chart5"));
    ASSERT_TRUE(form && c);
    for (int k = 0; k < 2; ++k) {
        for (int i = 0; i <= 10; ++i) {
            c->Series(k)->AddXY(10 * i, 100 + 40 * i * (k + 1));
        }
    }
    form->Show();
    driver.Pump();
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_TRUE(c->ControlStyle() & gui::csOpaque);

    gui::TBitmap expected;
    expected.SetSize(c->ClientWidth(), c->ClientHeight());
    c->Draw(*expected.Canvas(), {0, 0, c->ClientWidth(), c->ClientHeight()});
    int differing = 0;
    for (int y = 0; y < c->ClientHeight(); y += 3) {
        for (int x = 0; x < c->ClientWidth(); x += 3) {
            differing += win::TestDriver::PixelAt(c->Handle(), x, y) !=
                         gui::ColorToRGB(expected.Canvas()->Pixels(x, y));
        }
    }
    EXPECT_EQ(differing, 0);

    // A later colour repaints the bars, which take the series' colour at each drawing.
    c->Series(1)->SetSeriesColor(gui::clBlue);
    driver.Pump();
    const chart::TChartAxis& bottom = *c->BottomAxis();
    const chart::TChartAxis& left = *c->LeftAxis();
    const int x = bottom.CalcPosValue(50) + 4;  // inside the second series' half of the group
    const int y = (left.CalcPosValue(0) + left.CalcPosValue(200)) / 2;
    EXPECT_EQ(win::TestDriver::PixelAt(c->Handle(), x, y), gui::ColorToRGB(gui::clBlue));
}

class ChartDrawingTest : public charttest::ChartTest {};

TEST_F(ChartDrawingTest, NothingIsDrawnOutsideTheRectangleAtAnySize)
{
    const win::RECT sizes[] = {{10, 10, 10, 10}, {10, 10, 11, 11}, {10, 10, 13, 12}, {10, 10, 74, 58},
                               {10, 10, 250, 190}, {-16000, -16000, 16767, 16767}};
    struct View {
        const char* name;
        bool depth, orthogonal;
        int percent, rotation;
    };
    const View views[] = {{"flat", false, true, 15, 345}, {"orthogonal", true, true, 100, 345},
                          {"turned", true, false, 100, 270}, {"turned straight", true, false, 1, 360}};
    for (const win::RECT& b : sizes) {
        for (const View& view : views) {
            SCOPED_TRACE(testing::Message() << b.right - b.left << " x " << b.bottom - b.top << ", "
                                            << view.name);
            classes::TComponent owner(nullptr);
            auto* c = new chart::TChart(&owner);
            c->Title()->Text()->Add("A title wider than any of the small charts here");
            c->LeftAxis()->Title()->SetCaption("Operating cost $");
            c->BottomAxis()->Title()->SetCaption("Percentage Flow (%)");
            c->SetBevelInner(chart::bvLowered);
            c->SetBevelWidth(2);
            c->SetView3D(view.depth);
            c->SetChart3DPercent(view.percent);
            c->View3DOptions()->SetOrthogonal(view.orthogonal);
            c->View3DOptions()->SetRotation(view.rotation);
            c->View3DOptions()->SetElevation(view.rotation);
            for (int k = 0; k < 2; ++k) {
                auto* s = k ? static_cast<chart::TChartSeries*>(new chart::TAreaSeries(&owner))
                            : static_cast<chart::TChartSeries*>(new chart::TBarSeries(&owner));
                s->SetParentChart(c);
                s->SetTitle("Series");
                for (int i = 0; i <= 10; ++i) {
                    s->AddXY(10 * i, 5 * i * i);
                }
            }
            gui::TBitmap picture;
            picture.SetSize(260, 200);
            picture.Canvas()->Brush()->SetColor(gui::clFuchsia);
            picture.Canvas()->FillRect({0, 0, 260, 200});
            c->Draw(*picture.Canvas(), b);
            int outside = 0;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 260; ++x) {
                    const bool inB = x >= b.left && x < b.right && y >= b.top && y < b.bottom;
                    outside += !inB && picture.Canvas()->Pixels(x, y) != gui::clFuchsia;
                }
            }
            EXPECT_EQ(outside, 0);
        }
    }
}

TEST_F(ChartDrawingTest, PointsThatTakeNoPartAreKeptButNeitherScaledNorDrawn)
{
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1.5e300, -2e300};
    auto picture = [&](bool withBad) {
        classes::TComponent owner(nullptr);
        auto* c = new chart::TChart(&owner);
        auto* bars = new chart::TBarSeries(&owner);
        bars->SetParentChart(c);
        for (int i = 0; i <= 10; ++i) {
            bars->AddXY(10 * i, 3 * i + 1);
            if (withBad && i < 5) {
                bars->AddXY(bad[i], 7);
                bars->AddXY(50, bad[i]);
            }
        }
        EXPECT_EQ(bars->Count(), withBad ? 21 : 11);
        if (withBad) {
            EXPECT_TRUE(std::isnan(bars->XValue(1)));
            EXPECT_EQ(bars->YValue(14), -2e300);
        }
        auto bitmap = std::make_unique<gui::TBitmap>();
        bitmap->SetSize(300, 200);
        c->Draw(*bitmap->Canvas(), {0, 0, 300, 200});
        EXPECT_DOUBLE_EQ(c->LeftAxis()->Maximum(), 31);
        std::vector<gui::TColor> pixels;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 300; ++x) {
                pixels.push_back(bitmap->Canvas()->Pixels(x, y));
            }
        }
        return pixels;
    };
    EXPECT_TRUE(picture(true) == picture(false));
}

TEST_F(ChartDrawingTest, AMillionPointsDrawWithoutOverflow)
{
    classes::TComponent owner(nullptr);
    auto* c = new chart::TChart(&owner);
    auto* line = new chart::TFastLineSeries(&owner);
    auto* extremes = new chart::TLineSeries(&owner);
    line->SetParentChart(c);
    line->Marks()->SetVisible(false);
    extremes->SetParentChart(c);
    for (int i = 0; i < 1000000; ++i) {
        line->AddXY(i, std::sin(i * 0.001) * 1e6);
    }
    for (int i = 0; i < 1000; ++i) {
        extremes->AddXY(i * 1000.0, i % 2 ? 1e300 : -1e300);
    }
    gui::TBitmap picture;
    picture.SetSize(64, 48);
    c->Draw(*picture.Canvas(), {0, 0, 64, 48});
    EXPECT_DOUBLE_EQ(c->BottomAxis()->Maximum(), 999999);
    EXPECT_DOUBLE_EQ(c->LeftAxis()->Minimum(), -1e300);
}

}  // namespace
