#include "platform/chart/Chart.h"

#include "platform/chart/ChartLayout.h"
#include "platform/chart/ChartPainter.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Printer.h"

#include <algorithm>
#include <array>
#include <string>

namespace chart {

namespace {

constexpr std::array<gui::TColor, 16> kAutomaticColors = {
    gui::clRed,  gui::clGreen, gui::clYellow, gui::clBlue,  gui::clWhite,  gui::clGray, gui::clFuchsia, gui::clTeal,
    gui::clNavy, gui::clMaroon, gui::clLime,  gui::clOlive, gui::clPurple, gui::clSilver, gui::clAqua, gui::clBlack};

}  // namespace

TCustomChart::TCustomChart(classes::TComponent* owner)
    : TCustomControl(owner),
      view3DOptions_(std::make_unique<TView3DOptions>()),
      title_(std::make_unique<TChartTitle>()),
      legend_(std::make_unique<TChartLegend>()),
      leftAxis_(std::make_unique<TChartAxis>(false)),
      bottomAxis_(std::make_unique<TChartAxis>(true)),
      backWall_(std::make_unique<TChartWall>()),
      leftWall_(std::make_unique<TChartWall>()),
      bottomWall_(std::make_unique<TChartWall>())
{
    SetControlStyle(ControlStyle() | gui::csOpaque);
    SetColor(gui::clBtnFace);
    SetBounds(Left(), Top(), 400, 250);
    for (TChartPart* part : {static_cast<TChartPart*>(view3DOptions_.get()), static_cast<TChartPart*>(title_.get()),
                             static_cast<TChartPart*>(legend_.get()), static_cast<TChartPart*>(leftAxis_.get()),
                             static_cast<TChartPart*>(bottomAxis_.get()), static_cast<TChartPart*>(backWall_.get()),
                             static_cast<TChartPart*>(leftWall_.get()), static_cast<TChartPart*>(bottomWall_.get())}) {
        part->OnChange = classes::TNotifyEvent::Of<&TCustomChart::PartChanged>(this);
    }
}

TCustomChart::~TCustomChart()
{
    while (!series_.empty()) {
        delete series_.back();
    }
}

const classes::TClassInfo& TCustomChart::StaticClass()
{
    static const classes::TClassInfo info("TCustomChart", &gui::TCustomControl::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomChart>{c}; });
    return info;
}

void TCustomChart::SetBevelOuter(TPanelBevel value)
{
    bevelOuter_ = value;
    ChartChanged();
}

void TCustomChart::SetBevelInner(TPanelBevel value)
{
    bevelInner_ = value;
    ChartChanged();
}

void TCustomChart::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(1, value);
    ChartChanged();
}

void TCustomChart::SetView3D(bool value)
{
    view3D_ = value;
    ChartChanged();
}

void TCustomChart::SetChart3DPercent(int value)
{
    chart3DPercent_ = std::clamp(value, 1, 100);
    ChartChanged();
}

void TCustomChart::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    TCustomControl::GetChildren(proc, root);
    for (TChartSeries* series : series_) {
        if (series->Owner() == root) {
            proc(series);
        }
    }
}

gui::TColor TCustomChart::FreeSeriesColor(const TChartSeries& series) const
{
    for (gui::TColor color : kAutomaticColors) {
        const bool taken = std::any_of(series_.begin(), series_.end(), [&](const TChartSeries* other) {
            return other != &series && other->SeriesColor() == color;
        });
        if (!taken) {
            return color;
        }
    }
    const auto index = std::find(series_.begin(), series_.end(), &series) - series_.begin();
    return kAutomaticColors[std::size_t(index) % kAutomaticColors.size()];
}

void TCustomChart::AddSeries(TChartSeries* series)
{
    series_.push_back(series);
    ChartChanged();
}

void TCustomChart::RemoveSeries(TChartSeries* series)
{
    std::erase(series_, series);
    ChartChanged();
}

void TCustomChart::ChartChanged()
{
    if (HandleAllocated()) {
        Invalidate();
    }
}

void TCustomChart::Draw(gui::TCanvas& canvas, const win::RECT& rect)
{
    // The canvas's objects are taken out first, so the saved state keeps none of them.
    canvas.Refresh();
    const win::HDC dc = canvas.ReadyHandle();
    const int saved = win::SaveDC(dc);
    win::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    TChartLayout layout = LayOut(*this, canvas, rect);
    // A metafile keeps everything for its player to scale; a raster canvas shows only its clip.
    win::RECT clip{};
    if (win::GetDeviceCaps(dc, win::TECHNOLOGY) != win::DT_METAFILE && win::GetClipBox(dc, &clip) != win::ERROR) {
        layout.visible = {std::max(rect.left, clip.left), std::max(rect.top, clip.top),
                          std::min(rect.right, clip.right), std::min(rect.bottom, clip.bottom)};
    }
    chartRect_ = layout.chartRect;
    legendRect_ = layout.legend;
    PaintChart(*this, canvas, rect, layout);
    canvas.Refresh();
    win::RestoreDC(dc, saved);
}

void TCustomChart::Paint()
{
    const win::RECT client = ClientRect();
    gui::TBitmap picture;
    picture.SetSize(client.right, client.bottom);
    Draw(*picture.Canvas(), client);
    Canvas()->Draw(0, 0, &picture);
}

void TCustomChart::SaveToMetafileEnh(const std::string& fileName)
{
    constexpr int kHundredthMMPerInch = 2540;
    constexpr int kScreenPixelsPerInch = 96;
    const int width = std::max(1, Width());
    const int height = std::max(1, Height());
    gui::TMetafile metafile;
    metafile.SetMMWidth(win::MulDiv(width, kHundredthMMPerInch, kScreenPixelsPerInch));
    metafile.SetMMHeight(win::MulDiv(height, kHundredthMMPerInch, kScreenPixelsPerInch));
    {
        gui::TMetafileCanvas canvas(&metafile, nullptr);
        Draw(canvas, {0, 0, Width(), Height()});
    }
    metafile.SaveToFile(fileName);
}

namespace {

// A device answer a page cannot be printed with.
void CheckDeviceAnswer(int value, const char* call)
{
    if (value <= 0) {
        throw gui::EPrinter(std::string("The printer answered ") + std::to_string(value) + " to " + call);
    }
}

void PrintPage(TCustomChart& chart, gui::TPrinter& printer)
{
    const int pageWidth = printer.PageWidth();
    CheckDeviceAnswer(pageWidth, "PageWidth");
    const int pageHeight = printer.PageHeight();
    CheckDeviceAnswer(pageHeight, "PageHeight");
    const win::HDC device = printer.Canvas()->Handle();
    const int dpiX = win::GetDeviceCaps(device, win::LOGPIXELSX);
    CheckDeviceAnswer(dpiX, "GetDeviceCaps(LOGPIXELSX)");
    const int dpiY = win::GetDeviceCaps(device, win::LOGPIXELSY);
    CheckDeviceAnswer(dpiY, "GetDeviceCaps(LOGPIXELSY)");
    const win::RECT place{pageWidth / 20, pageHeight / 20, pageWidth - pageWidth / 20, pageHeight - pageHeight / 20};
    constexpr int kPixelsPerInch = 96;
    const int width = std::max(1, win::MulDiv(place.right - place.left, kPixelsPerInch, dpiX));
    const int height = std::max(1, win::MulDiv(place.bottom - place.top, kPixelsPerInch, dpiY));

    // The frame is the drawing's size in the reference device's own pixels, so playing it into place
    // maps the drawing onto place exactly.
    gui::TMetafile metafile;
    const win::HDC screen = win::CreateCompatibleDC(nullptr);
    metafile.SetMMWidth(win::MulDiv(width, win::GetDeviceCaps(screen, win::HORZSIZE) * 100,
                                    win::GetDeviceCaps(screen, win::HORZRES)));
    metafile.SetMMHeight(win::MulDiv(height, win::GetDeviceCaps(screen, win::VERTSIZE) * 100,
                                     win::GetDeviceCaps(screen, win::VERTRES)));
    win::DeleteDC(screen);
    {
        gui::TMetafileCanvas canvas(&metafile, nullptr);
        chart.Draw(canvas, {0, 0, width, height});
    }
    printer.Canvas()->StretchDraw(place, &metafile);
}

}  // namespace

void TCustomChart::Print()
{
    gui::TPrinter& printer = *gui::Printer();
    if (printer.Printing()) {
        throw gui::EPrinter("Printing in progress");
    }
    printer.SetTitle(Name());
    printer.BeginDoc();
    try {
        PrintPage(*this, printer);
        printer.EndDoc();
    } catch (...) {
        if (printer.Printing()) {
            printer.Abort();
        }
        throw;
    }
}

void TCustomChart::PrintLandscape()
{
    gui::TPrinter& printer = *gui::Printer();
    const gui::TPrinterOrientation saved = printer.Orientation();
    printer.SetOrientation(gui::poLandscape);
    try {
        Print();
    } catch (...) {
        printer.SetOrientation(saved);
        throw;
    }
    printer.SetOrientation(saved);
}

const classes::TClassInfo& TChart::StaticClass()
{
    static const classes::TClassInfo info("TChart", &TCustomChart::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TChart>(c)
            .Property("AllowZoom", &TChart::AllowZoom, &TChart::SetAllowZoom)
            .Default(1)
            .Property("BackWall", &TChart::BackWall)
            .Property("BevelInner", gui::PanelBevelType(), &TChart::BevelInner, &TChart::SetBevelInner)
            .Default(bvNone)
            .Property("BevelOuter", gui::PanelBevelType(), &TChart::BevelOuter, &TChart::SetBevelOuter)
            .Default(bvRaised)
            .Property("BevelWidth", &TChart::BevelWidth, &TChart::SetBevelWidth)
            .Default(1)
            .Property("BottomAxis", &TChart::BottomAxis)
            .Property("BottomWall", &TChart::BottomWall)
            .Property("Chart3DPercent", &TChart::Chart3DPercent, &TChart::SetChart3DPercent)
            .Default(15)
            .Property("LeftAxis", &TChart::LeftAxis)
            .Property("LeftWall", &TChart::LeftWall)
            .Property("Legend", &TChart::Legend)
            .Property("Title", &TChart::Title)
            .Property("View3D", &TChart::View3D, &TChart::SetView3D)
            .Default(1)
            .Property("View3DOptions", &TChart::View3DOptions);
    });
    return info;
}

}  // namespace chart
