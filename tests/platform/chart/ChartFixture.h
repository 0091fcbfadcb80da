#pragma once
// A fresh GUI class library with the chart library on top of it for each test, helpers that measure
// text as a chart does, and a 600 × 400 flat chart drawn into a bitmap whose pixels the tests read.

#include "platform/chart/Chart.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/text/TextMetrics.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace charttest {

class ChartTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        chart::initialize();
    }
    void TearDown() override
    {
        chart::finalize();
        GuiTest::TearDown();
    }
};

// A font's tmHeight and a text's width in it, measured straight on a memory context.
struct Measure {
    Measure() : dc(win::CreateCompatibleDC(nullptr)) {}
    ~Measure() { win::DeleteDC(dc); }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Height(const gui::TFont& font)
    {
        const win::HGDIOBJ old = win::SelectObject(dc, font.Handle());
        win::TEXTMETRIC metrics{};
        win::GetTextMetricsA(dc, &metrics);
        win::SelectObject(dc, old);
        return metrics.tmHeight;
    }
    int Width(const gui::TFont& font, const std::string& text)
    {
        const win::HGDIOBJ old = win::SelectObject(dc, font.Handle());
        win::SIZE size{};
        win::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        win::SelectObject(dc, old);
        return size.cx;
    }

    win::HDC dc;
};

inline int Round(double a)
{
    return int(std::floor(a + 0.5));
}

// A chart owned by a component, drawn into a bitmap of its size; L, T, Rr, Bm are its chart rectangle's
// first and last pixels, X and Y map values as its axes do.
class PixelTest : public ChartTest {
public:
    void SetUp() override
    {
        ChartTest::SetUp();
        owner = std::make_unique<classes::TComponent>(nullptr);
        c = new chart::TChart(owner.get());
        c->SetBounds(0, 0, 600, 400);
        c->SetColor(gui::clWhite);
        c->SetView3D(false);
    }
    void TearDown() override
    {
        picture.reset();
        owner.reset();
        ChartTest::TearDown();
    }

    template <class S>
    S* Add(const std::vector<std::pair<double, double>>& points)
    {
        auto* s = new S(owner.get());
        s->SetParentChart(c);
        s->Marks()->SetVisible(false);
        for (auto [x, y] : points) {
            s->AddXY(x, y);
        }
        return s;
    }

    void Draw()
    {
        picture = std::make_unique<gui::TBitmap>();
        picture->SetSize(600, 400);
        c->Draw(*picture->Canvas(), {0, 0, 600, 400});
        const win::RECT r = c->ChartRect();
        L = r.left;
        T = r.top;
        Rr = r.right - 1;
        Bm = r.bottom - 1;
    }
    gui::TColor Pixel(int x, int y) { return picture->Canvas()->Pixels(x, y); }
    int X(double v) const
    {
        const chart::TChartAxis& a = *c->BottomAxis();
        return L + Round((v - a.Minimum()) * (Rr - L) / (a.Maximum() - a.Minimum()));
    }
    int Y(double v) const
    {
        const chart::TChartAxis& a = *c->LeftAxis();
        return Bm - Round((v - a.Minimum()) * (Bm - T) / (a.Maximum() - a.Minimum()));
    }

    std::unique_ptr<classes::TComponent> owner;
    chart::TChart* c = nullptr;
    std::unique_ptr<gui::TBitmap> picture;
    int L = 0, T = 0, Rr = 0, Bm = 0;
};

}  // namespace charttest
