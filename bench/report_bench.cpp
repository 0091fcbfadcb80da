// Speed of report templates: a report of N objects shaped like text objects (position and size, a font
// of their own, a frame, two lines of text, a colour, three Booleans, two enumerations, a 40-character
// text and a reference: about 25 attributes each) on 50 pages, for N = 10,000 and 20,000. Printed for
// each: the file size, and the best of five wall times of loading and saving the XML document alone,
// loading the template (objects made, references set) and saving it, and of "xmllint --noout" on the
// saved file as a process, measured in the same run; then the ratios to xmllint and the growth from
// 10,000 to 20,000 objects. The targets: template load and save at most xmllint's time, the document
// load at most half of it, and each time at most 2.2 times as long for twice the objects.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Font.h"
#include "report/Report.h"
#include "report/rptFrame.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "report/rptView.h"
#include "report/rptXML.h"
#include "tests/support/GuiLibraries.h"
#include "tests/support/RunTool.h"
#include "tools/rescomp/ProgramResources.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int Pages = 50;
constexpr int Runs = 5;

enum THAlign { haLeft, haRight, haCenter, haBlock };
enum TVAlign { vaTop, vaBottom, vaCenter };

const classes::TTypeInfo& HAlignType()
{
    static const classes::TTypeInfo type = classes::EnumType("THAlign", {"haLeft", "haRight", "haCenter", "haBlock"});
    return type;
}

const classes::TTypeInfo& VAlignType()
{
    static const classes::TTypeInfo type = classes::EnumType("TVAlign", {"vaTop", "vaBottom", "vaCenter"});
    return type;
}

// Shaped like a text object of a report.
class TrptBenchText : public report::TrptView {
public:
    using TrptView::TrptView;

    static const classes::TClassInfo& StaticClass()
    {
        using T = TrptBenchText;
        static const classes::TClassInfo info("TrptBenchText", &report::TrptView::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<T>(c)
                .Property("Left", &T::Left, &T::SetLeft)
                .Property("Top", &T::Top, &T::SetTop)
                .Property("Width", &T::Width, &T::SetWidth)
                .Property("Height", &T::Height, &T::SetHeight)
                .Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored)
                .Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(1)
                .Property("Frame", &T::Frame, &T::SetFrame)
                .Property("Lines", &T::Lines)
                .Property("Color", gui::ColorType(), &T::Color)
                .Property("AutoWidth", &T::AutoWidth).Default(0)
                .Property("WordWrap", &T::WordWrap).Default(1)
                .Property("Clipped", &T::Clipped).Default(1)
                .Property("HAlign", HAlignType(), &T::HAlign).Default(haLeft)
                .Property("VAlign", VAlignType(), &T::VAlign).Default(vaTop)
                .Property("Caption", &T::Caption)
                .Property("Link", &T::Link, &T::SetLink);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Draw(gui::TCanvas*, double, double, double, double) override {}

    report::TrptFrame* Frame() const { return frame_.get(); }
    void SetFrame(report::TrptFrame* frame) { frame_->Assign(frame); }
    rtl::TStringList* Lines() const { return lines_.get(); }
    report::TrptComponent* Link() const { return link_; }
    void SetLink(report::TrptComponent* link) { link_ = link; }

    gui::TColor Color = gui::clNone;
    bool AutoWidth = false;
    bool WordWrap = true;
    bool Clipped = true;
    THAlign HAlign = haLeft;
    TVAlign VAlign = vaTop;
    std::string Caption;

private:
    std::unique_ptr<report::TrptFrame> frame_ = std::make_unique<report::TrptFrame>();
    std::unique_ptr<rtl::TStringList> lines_ = std::make_unique<rtl::TStringList>();
    report::TrptComponent* link_ = nullptr;
};

class TrptBenchPage : public report::TrptPage {
public:
    using TrptPage::TrptPage;

    static const classes::TClassInfo& StaticClass()
    {
        using P = TrptBenchPage;
        static const classes::TClassInfo info("TrptBenchPage", &report::TrptPage::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<P>(c)
                .Property("Width", &P::Width, &P::SetWidth)
                .Property("Height", &P::Height, &P::SetHeight);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

std::unique_ptr<report::TrptReport> MakeReport(int objects)
{
    auto made = std::make_unique<report::TrptReport>(nullptr);
    auto* data = new report::TrptDataPage(made.get());
    data->SetName("Data");
    TrptBenchPage* page = nullptr;
    for (int i = 0; i < objects; ++i) {
        if (i % (objects / Pages) == 0) {
            page = new TrptBenchPage(made.get());
            page->SetName("Page" + std::to_string(i / (objects / Pages) + 1));
            page->SetBounds(0, 0, 794, 1123);
        }
        auto* text = new TrptBenchText(page);
        text->SetName("Text" + std::to_string(i + 1));
        text->SetBounds(37.8 + i % 7 * 90.5, 18.9 * (i % 50), 90.5, 18.9);
        text->Font()->SetName("Tahoma");
        text->Font()->SetSize(9);
        text->Frame()->Typ = 15;
        text->Frame()->SetWidth(0.5);
        text->Lines()->SetText("Energy saved per year\r\n" + std::to_string(i * 37) + " kWh");
        text->Color = gui::clWhite;
        text->AutoWidth = true;
        text->WordWrap = false;
        text->Clipped = false;
        text->HAlign = haRight;
        text->VAlign = vaCenter;
        text->Caption = "Variable frequency drive, " + std::to_string(100000 + i) + " kWh saved";
        text->SetLink(page);
    }
    return made;
}

double Best(const std::function<void()>& run)
{
    double best = 1e9;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Xmllint(const std::string& file)
{
    if (testsupport::RunTool({"xmllint", "--noout", file}).exitCode != 0) {
        std::fprintf(stderr, "xmllint could not be run or refused %s\n", file.c_str());
        std::exit(1);
    }
}

struct Figures {
    std::size_t size = 0;
    double documentLoad = 0, documentSave = 0, templateLoad = 0, templateSave = 0, xmllint = 0;
};

Figures Measure(int objects, const std::string& folder)
{
    Figures figures;
    std::unique_ptr<report::TrptReport> source = MakeReport(objects);
    rtl::TStringStream saved;
    source->SaveToStream(saved);
    const std::string text = saved.DataString();
    figures.size = text.size();
    const std::string file = folder + "/report-" + std::to_string(objects) + ".xml";
    std::ofstream(file, std::ios::binary) << text;

    report::TrptXMLDocument document;
    figures.documentLoad = Best([&] {
        rtl::TStringStream in(text);
        document.LoadFromStream(in);
    });
    figures.documentSave = Best([&] {
        rtl::TMemoryStream out;
        document.SaveToStream(out);
    });
    // The report is made and freed outside the time: only the load counts.
    std::unique_ptr<report::TrptReport> loaded;
    figures.templateLoad = 1e9;
    for (int i = 0; i < Runs; ++i) {
        loaded.reset();
        loaded = std::make_unique<report::TrptReport>(nullptr);
        rtl::TStringStream in(text);
        const auto start = std::chrono::steady_clock::now();
        loaded->LoadFromStream(in);
        figures.templateLoad =
            std::min(figures.templateLoad, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (loaded->Errors().Count() > 0 || int(loaded->AllObjects().size()) != objects + Pages + 1) {
        std::fprintf(stderr, "the template did not read back: %s\n", loaded->Errors().Text().c_str());
        std::exit(1);
    }
    figures.templateSave = Best([&] {
        rtl::TMemoryStream out;
        loaded->SaveToStream(out);
    });
    figures.xmllint = Best([&] { Xmllint(file); });
    return figures;
}

}  // namespace

int main()
{
    testsupport::StartGuiLibraries();
    resources::initialize();
    report::initialize();
    classes::RegisterClasses({&TrptBenchText::StaticClass(), &TrptBenchPage::StaticClass()});
    const std::string folder = std::filesystem::temp_directory_path().string() + "/report_bench";
    std::filesystem::create_directories(folder);

    const int counts[] = {10000, 20000};
    Figures figures[2];
    for (int i = 0; i < 2; ++i) {
        figures[i] = Measure(counts[i], folder);
        const Figures& f = figures[i];
        std::printf("%d objects on %d pages: file %zu bytes\n", counts[i], Pages, f.size);
        std::printf("  document load    %8.1f ms   ratio to xmllint %.2f (target 0.50 or less)\n",
                    f.documentLoad * 1000, f.documentLoad / f.xmllint);
        std::printf("  document save    %8.1f ms   ratio to xmllint %.2f\n", f.documentSave * 1000,
                    f.documentSave / f.xmllint);
        std::printf("  template load    %8.1f ms   ratio to xmllint %.2f (target 1.00 or less)\n",
                    f.templateLoad * 1000, f.templateLoad / f.xmllint);
        std::printf("  template save    %8.1f ms   ratio to xmllint %.2f (target 1.00 or less)\n",
                    f.templateSave * 1000, f.templateSave / f.xmllint);
        std::printf("  xmllint --noout  %8.1f ms   (reference)\n", f.xmllint * 1000);
    }
    std::printf("from %d to %d objects (target 2.20 or less):\n", counts[0], counts[1]);
    std::printf("  document load %.2f, document save %.2f, template load %.2f, template save %.2f, xmllint %.2f\n",
                figures[1].documentLoad / figures[0].documentLoad, figures[1].documentSave / figures[0].documentSave,
                figures[1].templateLoad / figures[0].templateLoad, figures[1].templateSave / figures[0].templateSave,
                figures[1].xmllint / figures[0].xmllint);
    std::filesystem::remove_all(folder);
    report::finalize();
    resources::finalize();
    testsupport::EndGuiLibraries();
    return 0;
}
