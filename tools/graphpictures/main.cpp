// graphpictures: draws the six pictures of the graph-style chooser and stores them in its window data.
//
//   graphpictures resources/forms/TGRSEL.form
//
// Each picture is the default fan project's cost graph drawn by the chart component in one chart style,
// 90 x 79 pixels, without title, legend or axis texts: the inverter, outlet damper and inlet vane
// curves in the colours the analysis window's charts give them. The pictures replace the Picture.Data
// of Image1, Image2, Image5, Image4, Image3 and Image7 (styles 1..6); the rest of the file stays as it
// is. Run it again by hand when the chart's look changes.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/ParamInputs.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 90;
constexpr int kHeight = 79;

// The pictures by style: 1 area, 2 line, 3 horizontal bar, 4 point, 5 bar, 6 fast line.
constexpr std::array<const char*, 6> kImageNames = {"Image1", "Image2", "Image5", "Image4", "Image3", "Image7"};

// The colours of slots 1..3 in the fast-line chart; the other charts colour slot 1 and 3 only and
// leave slot 2 to the chart.
constexpr std::array<gui::TColor, 3> kLineColors = {gui::clLime, gui::clRed, gui::clBlue};

std::unique_ptr<chart::TChartSeries> MakeSeries(int style)
{
    switch (style) {
    case 1: return std::make_unique<chart::TAreaSeries>(nullptr);
    case 2: return std::make_unique<chart::TLineSeries>(nullptr);
    case 3: return std::make_unique<chart::THorizBarSeries>(nullptr);
    case 4: return std::make_unique<chart::TPointSeries>(nullptr);
    case 5: return std::make_unique<chart::TBarSeries>(nullptr);
    default: return std::make_unique<chart::TFastLineSeries>(nullptr);
    }
}

// The chart of style as the analysis window shows it, holding the cost graph of slots 1..3.
class StyleChart {
public:
    StyleChart(int style, const std::array<const analysis::ByFlowPoint<double>*, 3>& costs)
    {
        chart_.SetColor(gui::clWhite);
        chart_.SetBevelOuter(chart::bvNone);
        chart_.BackWall()->Brush()->SetStyle(gui::bsClear);
        chart_.LeftWall()->SetColor(gui::clSilver);
        chart_.Title()->SetVisible(false);
        chart_.Legend()->SetVisible(false);
        chart_.LeftAxis()->SetVisible(false);
        chart_.BottomAxis()->SetVisible(false);
        // The window shows the odd styles straight on and turns the even ones.
        chart_.View3DOptions()->SetOrthogonal(style % 2 == 1);
        // The area chart lists the inverter last, so that it lies in front of the larger curves.
        const std::array<int, 3> order = style == 1 ? std::array<int, 3>{2, 3, 1} : std::array<int, 3>{1, 2, 3};
        for (int slot : order) {
            std::unique_ptr<chart::TChartSeries> series = MakeSeries(style);
            series->Marks()->SetVisible(false);
            series->SetParentChart(&chart_);
            if (style == 6) {
                auto& line = static_cast<chart::TFastLineSeries&>(*series);
                line.SetSeriesColor(kLineColors[std::size_t(slot - 1)]);
                line.LinePen()->SetWidth(2);
            } else if (slot != 2) {
                series->SetSeriesColor(slot == 1 ? gui::clLime : gui::clBlue);
            }
            const analysis::ByFlowPoint<double>& cost = *costs[std::size_t(slot - 1)];
            AddPoint(*series, style, 0, 0);
            for (int i = 1; i <= analysis::FlowPointCount; ++i)
                AddPoint(*series, style, 10.0 * i, cost[analysis::FlowPointCount + 1 - i]);
            series_.push_back(std::move(series));
        }
    }
    ~StyleChart()
    {
        for (auto& series : series_)
            series->SetParentChart(nullptr);
    }
    StyleChart(const StyleChart&) = delete;
    StyleChart& operator=(const StyleChart&) = delete;

    std::unique_ptr<gui::TBitmap> Picture()
    {
        auto bitmap = std::make_unique<gui::TBitmap>();
        bitmap->SetSize(kWidth, kHeight);
        chart_.Draw(*bitmap->Canvas(), {0, 0, kWidth, kHeight});
        bitmap->SetPixelFormat(gui::pf8bit);
        return bitmap;
    }

private:
    // The horizontal bar chart has the flow along its vertical axis.
    static void AddPoint(chart::TChartSeries& series, int style, double flow, double value)
    {
        if (style == 3)
            series.AddXY(value, flow);
        else
            series.AddXY(flow, value);
    }

    chart::TChart chart_{nullptr};
    std::vector<std::unique_ptr<chart::TChartSeries>> series_;
};

// The last line of a binary value ends with its closing brace.
bool EndsData(const std::string& line)
{
    return !line.empty() && line.back() == '}';
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The "Picture.Data = {...}" lines of a picture holding bitmap, indented for an image inside a window.
std::vector<std::string> PictureDataLines(gui::TBitmap& bitmap)
{
    gui::TImage holder(nullptr);
    holder.SetName("Holder");
    holder.Picture()->Assign(&bitmap);
    rtl::TMemoryStream stream;
    classes::TWriter writer(stream);
    writer.WriteRootComponent(&holder);
    std::string binary(std::size_t(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(binary.data(), std::int64_t(binary.size()));
    const std::vector<std::string> text = Lines(classes::ObjectBinaryToText(binary));
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : text) {
        inside = inside || line == "  Picture.Data = {";
        if (inside)
            lines.push_back("  " + line);
        if (inside && EndsData(line))
            break;
    }
    return lines;
}

// Replaces the picture data of the image name in the window's text (or adds it at the end of the
// image's properties).
void StorePicture(std::vector<std::string>& form, const std::string& name, const std::vector<std::string>& data)
{
    const std::string head = "  object " + name + ": TImage";
    std::size_t at = 0;
    while (at < form.size() && form[at] != head)
        ++at;
    if (at == form.size())
        throw rtl::EReadError("The window has no image " + name);
    std::size_t end = at + 1;
    while (end < form.size() && form[end] != "  end")
        ++end;
    for (std::size_t i = at + 1; i < end; ++i) {
        if (form[i] != "    Picture.Data = {")
            continue;
        std::size_t last = i;
        while (last < end && !EndsData(form[last]))
            ++last;
        form.erase(form.begin() + std::ptrdiff_t(i), form.begin() + std::ptrdiff_t(last + 1));
        end -= last + 1 - i;
        break;
    }
    form.insert(form.begin() + std::ptrdiff_t(end), data.begin(), data.end());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: graphpictures <TGRSEL.form>\n");
        return 2;
    }
    try {
        tools::ProgramLibraries libraries(tools::ProgramLibraries::Reach::Windows);
        tools::StartEstimator();
        if (!analysis::CheckDutyCycleTotal())
            throw rtl::EInvalidOperation("The default fan project's duty cycle does not total 100");
        const analysis::CalcStatus status = analysis::CalculateRivuve(1, analysis::ParamInputs());
        if (!status.Faults.empty())
            throw rtl::EInvalidOperation("The default fan project's estimate reports a fault");
        const std::array<const analysis::ByFlowPoint<double>*, 3> costs = {
            &analysis::FanVfdPointCost, &analysis::DamperPointCost, &analysis::InletVanePointCost};

        std::ifstream file(argv[1], std::ios::binary);
        if (!file)
            throw rtl::EFOpenError(std::string("Cannot open file \"") + argv[1] + "\"");
        std::vector<std::string> form = Lines(std::string(std::istreambuf_iterator<char>(file), {}));
        for (int style = 1; style <= 6; ++style) {
            StyleChart chart(style, costs);
            std::unique_ptr<gui::TBitmap> picture = chart.Picture();
            StorePicture(form, kImageNames[std::size_t(style - 1)], PictureDataLines(*picture));
        }
        std::string text;
        for (const std::string& line : form)
            text += line + "\n";
        // The result must still read as window data.
        classes::ObjectTextToBinary(text);
        rtl::WriteFileAtomically(rtl::AnsiFileName(argv[1]), text);
    } catch (const rtl::Exception& e) {
        std::fprintf(stderr, "graphpictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
