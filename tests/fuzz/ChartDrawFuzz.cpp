// Makes arbitrary bytes into a chart: its size, its parts' settings, its view (flat, or in depth 1..100 %
// orthogonal or turned at any rotation and elevation in range), up to four series of any kind and
// their points (any doubles, NaN and infinities among them). The chart is drawn into a 64 × 48 bitmap and
// recorded into an enhanced metafile; neither may crash, overflow or draw outside the bitmap's memory.
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Metafile.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Left() const { return at_ < size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int Word() { return Byte() | Byte() << 8; }
    double Double()
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits |= std::uint64_t(Byte()) << (8 * i);
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

chart::TChartSeries* MakeSeries(int kind, classes::TComponent* owner)
{
    switch (kind % 6) {
    case 0: return new chart::TBarSeries(owner);
    case 1: return new chart::THorizBarSeries(owner);
    case 2: return new chart::TLineSeries(owner);
    case 3: return new chart::TAreaSeries(owner);
    case 4: return new chart::TPointSeries(owner);
    default: return new chart::TFastLineSeries(owner);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = (testsupport::StartGuiLibraries(), chart::initialize(), true);
    (void)started;
    Bytes in(data, size);
    classes::TComponent owner(nullptr);
    auto* c = new chart::TChart(&owner);
    c->SetBounds(0, 0, in.Word() % 32768, in.Word() % 32768);
    const int flags = in.Byte();
    c->SetBevelOuter(chart::TPanelBevel(flags & 3));
    c->SetBevelInner(chart::TPanelBevel(flags >> 2 & 3));
    c->SetBevelWidth(in.Byte() - 100);
    c->Legend()->SetVisible(flags & 16);
    c->Legend()->DividingLines()->SetVisible(flags & 32);
    c->LeftAxis()->SetVisible(!(flags & 64));
    c->BottomAxis()->SetVisible(!(flags & 128));
    for (int i = in.Byte() % 4; i > 0; --i) {
        c->Title()->Text()->Add(std::string(in.Byte() % 40, 'W'));
    }
    if (in.Byte() & 1) {
        c->LeftAxis()->Title()->SetCaption("Operating cost $");
        c->BottomAxis()->Title()->SetCaption("Percentage Flow (%)");
    }
    c->BackWall()->Brush()->SetStyle(gui::TBrushStyle(in.Byte() % 8));
    const int view = in.Byte();
    c->SetView3D(view & 1);
    c->View3DOptions()->SetOrthogonal(view & 2);
    c->LeftWall()->SetVisible(!(view & 4));
    c->BottomWall()->Brush()->SetStyle(gui::TBrushStyle(view >> 3 & 7));
    c->SetChart3DPercent(in.Byte() % 100 + 1);
    c->View3DOptions()->SetRotation(270 + in.Byte() % 91);
    c->View3DOptions()->SetElevation(270 + in.Byte() % 91);
    for (int s = in.Byte() % 5; s > 0 && in.Left(); --s) {
        chart::TChartSeries* series = MakeSeries(in.Byte(), &owner);
        series->SetParentChart(c);
        const int settings = in.Byte();
        series->SetActive(settings & 1);
        series->SetShowInLegend(settings & 2);
        series->Marks()->SetVisible(settings & 4);
        series->SetTitle(std::string(settings >> 3, ' '));
        if (auto* bars = dynamic_cast<chart::TCustomBarSeries*>(series)) {
            bars->SetBarWidthPercent(in.Byte() - 20);
            bars->BarBrush()->SetStyle(gui::TBrushStyle(in.Byte() % 8));
            bars->BarPen()->SetWidth(in.Byte() - 100);
        } else if (auto* custom = dynamic_cast<chart::TCustomSeries*>(series)) {
            custom->Pointer()->SetVisible(in.Byte() & 1);
            custom->Pointer()->SetHorizSize(in.Byte() - 100);
            custom->Pointer()->SetVertSize(in.Byte() - 100);
            custom->Pointer()->Brush()->SetStyle(gui::TBrushStyle(in.Byte() % 8));
            custom->LinePen()->SetWidth(in.Byte() - 100);
        }
        for (int p = in.Byte(); p > 0 && in.Left(); --p) {
            const double x = in.Double();
            series->AddXY(x, in.Double());
        }
    }
    gui::TBitmap picture;
    picture.SetSize(64, 48);
    c->Draw(*picture.Canvas(), {0, 0, c->Width(), c->Height()});
    gui::TMetafile metafile;
    metafile.SetWidth(64);
    metafile.SetHeight(48);
    {
        gui::TMetafileCanvas canvas(&metafile, nullptr);
        c->Draw(canvas, {0, 0, 64, 48});
    }
    return 0;
}
