// Chart drawing speed: the three estimation graphs of the default fan project (its estimate computed
// from the parameters' built-in values, as tools/estimate does) on a 1000 x 700 bar chart set up as the
// program stores its bar chart (five bar series, slots 1..3 with the fan's names, 3D at 15 %, white, a
// clear back wall, a silver left wall, a legend with dividing lines). Figures: charts per second drawn
// into a 32-bit bitmap; the same with each picture written as a PNG file (the platform's PNG writer,
// zlib's default level); metafiles per second written by SaveToMetafileEnh. Reference, when gnuplot is
// on PATH: one gnuplot process drawing the same graphs as clustered histograms (pngcairo, same size,
// values, titles, key and grid) as many times into one PNG file; the ratio is our PNG figure over its.
// Usage: chart_bench [drawings per graph] (default 1000).

#include "analysis/Analysis.h"
#include "analysis/Calculation.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/imaging/PngCodec.h"
#include "platform/rtl/Rtl.h"
#include "tests/support/GuiLibraries.h"

#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

// One graph: its texts and, per series slot, its name (empty: not in the legend) and values at
// 10 %, 20 % .. 100 % flow; a slot without values is inactive.
struct Graph {
    const char* name;
    std::string title;
    std::string valueAxis;
    std::array<std::string, 5> names;
    std::array<std::vector<double>, 5> values;
};

template <class T>
std::vector<double> ByFlow(const analysis::ByFlowPoint<T>& points)
{
    std::vector<double> values;
    for (int i = 1; i <= analysis::FlowPointCount; ++i) {
        values.push_back(double(points[analysis::FlowPointCount + 1 - i]));  // 10 % flow first
    }
    return values;
}

std::vector<Graph> FanGraphs()
{
    analysis::DefineAllParams();
    analysis::LoadOptionsFromParams();
    if (!analysis::CheckDutyCycleTotal() || !analysis::CalculateRivuve(1, analysis::ParamInputs()).Ok()) {
        std::fprintf(stderr, "chart_bench: the default fan project has no estimate\n");
        std::exit(2);
    }
    Graph cost{"cost", "Annual Operating Cost / Fan Application", "Operating cost $",
               {"Inverter", "Outlet Damper", "Inlet Vane", "", ""}, {}};
    cost.values[0] = ByFlow(analysis::FanVfdPointCost);
    cost.values[1] = ByFlow(analysis::DamperPointCost);
    cost.values[2] = ByFlow(analysis::InletVanePointCost);
    Graph hours{"hours", "Annual Hours of operation per percentage Flow Graph for Fans", "Annual Hours ", {}, {}};
    hours.values[2] = ByFlow(analysis::FanHours);
    Graph time{"time", "Percentage Time per percentage Flow Graph for Fans", "Percentage Time (%) ", {}, {}};
    time.values[2] = ByFlow(analysis::FanDutyPercent);
    return {cost, hours, time};
}

// The stored bar chart: slot 1 lime, slot 3 blue, the others the automatic colours.
class BarChart {
public:
    BarChart() : owner_(nullptr)
    {
        chart_ = new chart::TChart(&owner_);
        chart_->SetBounds(0, 0, kWidth, kHeight);
        chart_->SetAllowZoom(false);
        chart_->SetBevelOuter(chart::bvNone);
        chart_->SetColor(gui::clWhite);
        chart_->BackWall()->Brush()->SetStyle(gui::bsClear);
        chart_->LeftWall()->SetColor(gui::clSilver);
        chart_->Legend()->DividingLines()->SetVisible(true);
        chart_->SetView3D(true);
        chart_->SetChart3DPercent(15);
        chart_->BottomAxis()->Title()->SetCaption("Percentage Flow (%)");
        for (int slot = 0; slot < 5; ++slot) {
            auto* series = new chart::TBarSeries(&owner_);
            series->Marks()->SetVisible(false);
            if (slot == 0 || slot == 2) {
                series->SetSeriesColor(slot == 0 ? gui::clLime : gui::clBlue);
            }
            series->SetParentChart(chart_);
            series_[std::size_t(slot)] = series;
        }
    }

    // What a graph routine does: titles, names, activity, and the points from (0, 0).
    void Show(const Graph& graph)
    {
        chart_->Title()->Text()->Clear();
        chart_->Title()->Text()->Add(graph.title);
        chart_->LeftAxis()->Title()->SetCaption(graph.valueAxis);
        for (std::size_t slot = 0; slot < 5; ++slot) {
            chart::TChartSeries& series = *series_[slot];
            series.Clear();
            series.SetTitle(graph.names[slot]);
            series.SetActive(!graph.values[slot].empty());
            series.SetShowInLegend(!graph.names[slot].empty());
            series.AddXY(0, 0);
            for (std::size_t i = 0; i < graph.values[slot].size(); ++i) {
                series.AddXY(10.0 * double(i + 1), graph.values[slot][i]);
            }
        }
    }

    chart::TChart& Chart() { return *chart_; }

private:
    classes::TComponent owner_;
    chart::TChart* chart_;
    std::array<chart::TChartSeries*, 5> series_{};
};

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Charts per second over every graph drawn count times by draw.
template <class Draw>
double ChartsPerSecond(BarChart& bars, const std::vector<Graph>& graphs, int count, Draw draw)
{
    const Clock::time_point start = Clock::now();
    for (const Graph& graph : graphs) {
        bars.Show(graph);
        for (int i = 0; i < count; ++i) {
            draw(bars.Chart());
        }
    }
    return double(count) * double(graphs.size()) / Seconds(start);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "chart_bench: cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

bool OnPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / program;
        if (end > start && access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

// The gnuplot script drawing every graph count times, clustered bars from (0, 0) as the chart has them.
std::string GnuplotScript(const std::vector<Graph>& graphs, int count, const std::filesystem::path& output)
{
    std::string script = "set terminal pngcairo size " + std::to_string(kWidth) + "," + std::to_string(kHeight) +
                         " font \"Liberation Sans,8\"\nset output " + Quoted(output.string()) + "\n" +
                         "set style data histograms\nset style histogram clustered gap 1\n"
                         "set style fill solid border -1\nset grid ytics\nset key outside right top box\n"
                         "set xlabel \"Percentage Flow (%)\"\n";
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        script += "$graph" + std::to_string(g) + " << EOD\n";
        for (std::size_t i = 0; i <= 10; ++i) {
            script += std::to_string(10 * i);
            for (const std::vector<double>& values : graphs[g].values) {
                if (!values.empty()) {
                    script += " " + std::to_string(i == 0 ? 0.0 : values[i - 1]);
                }
            }
            script += "\n";
        }
        script += "EOD\n";
    }
    script += "do for [i=1:" + std::to_string(count) + "] {\n";
    for (std::size_t g = 0; g < graphs.size(); ++g) {
        const Graph& graph = graphs[g];
        script += "set title " + Quoted(graph.title) + "\nset ylabel " + Quoted(graph.valueAxis) + "\nplot ";
        int column = 2;
        for (std::size_t slot = 0; slot < 5; ++slot) {
            if (graph.values[slot].empty()) {
                continue;
            }
            script += std::string(column > 2 ? ", '' " : "$graph" + std::to_string(g) + " ") + "using " +
                      std::to_string(column) + (column == 2 ? ":xtic(1)" : "") +
                      (graph.names[slot].empty() ? " notitle" : " title " + Quoted(graph.names[slot]));
            ++column;
        }
        script += "\n";
    }
    return script + "}\n";
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    testsupport::StartGuiLibraries();
    chart::initialize();
    analysis::initialize();

    const std::vector<Graph> graphs = FanGraphs();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("chart_bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    {
        BarChart bars;
        gui::TBitmap picture;
        picture.SetPixelFormat(gui::pf32bit);
        picture.SetSize(kWidth, kHeight);
        const win::RECT all{0, 0, kWidth, kHeight};
        const double drawn =
            ChartsPerSecond(bars, graphs, count, [&](chart::TChart& c) { c.Draw(*picture.Canvas(), all); });
        std::printf("%-48s %10.1f charts/s\n", "drawn into a 1000 x 700 bitmap", drawn);

        const std::filesystem::path png = folder / "chart.png";
        // The bitmap's rows are the writer's pixels as they stand (B, G, R and a byte the writer skips).
        win::Image image(kWidth, kHeight);
        const double written = ChartsPerSecond(bars, graphs, count, [&](chart::TChart& c) {
            c.Draw(*picture.Canvas(), all);
            for (int y = 0; y < kHeight; ++y) {
                std::memcpy(image.Row(y), picture.ScanLine(y), sizeof(std::uint32_t) * kWidth);
            }
            WriteFile(png, win::WritePng(image));
        });
        std::printf("%-48s %10.1f charts/s\n", "drawn and written as PNG", written);

        const std::string emf = (folder / "chart.emf").string();
        const double metafiles =
            ChartsPerSecond(bars, graphs, count, [&](chart::TChart& c) { c.SaveToMetafileEnh(emf); });
        std::printf("%-48s %10.1f files/s\n", "SaveToMetafileEnh", metafiles);

        if (!OnPath("gnuplot")) {
            std::printf("reference: gnuplot not found\n");
        } else {
            const std::filesystem::path script = folder / "graphs.gp";
            WriteFile(script, GnuplotScript(graphs, count, folder / "gnuplot.png"));
            const std::string command = "gnuplot " + script.string();
            const Clock::time_point start = Clock::now();
            const int status = std::system(command.c_str());
            const double seconds = Seconds(start);
            if (status != 0) {
                std::printf("reference: gnuplot failed (status %d)\n", status);
            } else {
                const double reference = double(count) * double(graphs.size()) / seconds;
                std::printf("%-48s %10.1f charts/s\n", "reference: gnuplot pngcairo histograms", reference);
                std::printf("%-48s %10.2f\n", "ratio, PNG charts / gnuplot's", written / reference);
            }
        }
    }
    std::filesystem::remove_all(folder);
    analysis::finalize();
    chart::finalize();
    testsupport::EndGuiLibraries();
    rtl::finalize();
    return 0;
}
