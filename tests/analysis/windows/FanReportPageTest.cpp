// The report page with a recording report output: the three graph pictures written first into the
// temporary folder, the actions handed over in order, the RTF flag around the RTF export, and the
// messages of pictures that cannot be written. Without an output the actions are disabled.

#include "tests/analysis/windows/FanFixture.h"

#include "analysis/windows/ReportOutput.h"
#include "components/kiturl.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/gui/graphics/Printer.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <functional>
#include <new>

namespace fantest {
namespace {

// Records each call with the RTF flag as the call saw it; a call named in failing raises.
struct RecordingOutput final : analysis::ReportOutput {
    std::vector<std::string> calls;
    std::vector<int> rtfFlags;
    std::string failing;
    std::function<void()> onCall;

    void Record(const std::string& call)
    {
        calls.push_back(call);
        rtfFlags.push_back(analysis::RtfExportActive);
        if (onCall)
            onCall();
        if (call == failing || (call.starts_with("export") && failing == "export"))
            throw gui::EPrinter("The device is not ready");
    }
    void Preview() override { Record("preview"); }
    void Print() override { Record("print"); }
    void Export(int format) override { Record("export " + std::to_string(format)); }
    void Mail() override { Record("mail"); }
};

const char* const kPictures[] = {"QANTO_EE1.WMF", "QANTO_EE2.WMF", "QANTO_EE3.WMF"};

// A series of the test's own that raises while its chart is drawn into the given picture (the first
// drawing into a metafile is picture 1); drawn on the screen it draws nothing.
class FailingSeries final : public chart::TChartSeries {
public:
    FailingSeries(classes::TComponent* owner, int picture, std::function<void()> raise)
        : TChartSeries(owner), picture_(picture), raise_(std::move(raise))
    {
    }
    void DrawSeries(const chart::TSeriesDrawing& drawing) const override { Drawn(drawing); }
    void AddFaces(const chart::TSeriesDrawing& drawing, double, double, std::vector<chart::TChartFace>&) const override
    {
        Drawn(drawing);
    }

private:
    void Drawn(const chart::TSeriesDrawing& drawing) const
    {
        if (win::GetDeviceCaps(drawing.canvas.Handle(), win::TECHNOLOGY) == win::DT_METAFILE && ++pictures_ == picture_)
            raise_();
    }

    int picture_;
    std::function<void()> raise_;
    mutable int pictures_ = 0;
};

class FanReportPageTest : public FanWindowTest {
protected:
    void SetUp() override
    {
        FanWindowTest::SetUp();
        savedTempFolder_ = analysis::TempFolder;
        analysis::TempFolder = folder.Folder().substr(0, folder.Folder().size() - 1);
    }
    void TearDown() override
    {
        analysis::InstallReportOutput(nullptr);
        analysis::TempFolder = savedTempFolder_;
        FanWindowTest::TearDown();
    }
    void OpenWithOutput()
    {
        analysis::InstallReportOutput(&output);
        Open();
        GoToPage(4);
    }
    // A click well after the last one, so two clicks on one control never make a double click.
    void ClickAction(const std::string& name)
    {
        clock.Advance(1000);
        ClickOn(Named(name));
    }
    std::vector<std::string> MessagesSince(std::size_t count) const
    {
        const std::vector<std::string> all = Messages();
        return {all.begin() + std::ptrdiff_t(count), all.end()};
    }
    void ChooseExport(int item) { Named<gui::TComboBox>("ExportSelection").SetItemIndex(item); }
    std::vector<std::string> Pictures() const
    {
        std::vector<std::string> contents;
        for (const char* name : kPictures)
            contents.push_back(folder.ReadFile(name));
        return contents;
    }
    std::string ShownTitle() const { return window->Charts[std::size_t(analysis::ChartStyle - 1)]->Title()->Text()->Strings(0); }

    testsupport::ScratchFolder folder;
    RecordingOutput output;

private:
    std::string savedTempFolder_;
};

TEST_F(FanReportPageTest, ViewWritesTheThreeGraphsAndShowsThePreview)
{
    OpenWithOutput();
    GoToPage(3);
    auto& graphType = Named<gui::TComboBox>("SelectionGraphType");
    graphType.SetItemIndex(2);
    window->SelectionGraphTypeChange(&graphType);
    GoToPage(4);
    ClickAction("Label233");

    EXPECT_EQ(output.calls, std::vector<std::string>{"preview"});
    const std::vector<std::string> contents = Pictures();
    for (std::size_t k = 0; k < contents.size(); ++k) {
        SCOPED_TRACE(kPictures[k]);
        ASSERT_GT(contents[k].size(), 44u);
        EXPECT_EQ(contents[k].substr(40, 4), " EMF");
        gui::TPicture picture;
        picture.LoadFromFile(folder.Path(kPictures[k]));
        auto* metafile = dynamic_cast<gui::TMetafile*>(picture.Graphic());
        ASSERT_NE(metafile, nullptr);
        EXPECT_TRUE(metafile->Enhanced());
        EXPECT_EQ(metafile->Width(), 996);
        EXPECT_EQ(metafile->Height(), 480);
    }
    // Three different graphs.
    EXPECT_NE(contents[0], contents[1]);
    EXPECT_NE(contents[1], contents[2]);
    EXPECT_NE(contents[0], contents[2]);
    // The window shows the cost graph again; the graph choice stays.
    EXPECT_EQ(ShownTitle(), "Annual Operating Cost / Fan Application");
    EXPECT_EQ(graphType.ItemIndex(), 2);
    EXPECT_TRUE(Messages().empty());
}

// The RTF flag is up only inside the RTF export, also when it fails; a failing export shows its message,
// the empty entry exports nothing.
TEST_F(FanReportPageTest, TheExportFormats)
{
    struct Case {
        int item;
        bool fails;
        std::vector<std::string> calls;
        std::vector<int> flags;
        std::vector<std::string> messages;
    };
    const std::string exportFailed = "An error occurred during export of the report !";
    const Case cases[] = {
        {0, false, {"export 0"}, {0}, {}},
        {1, false, {"export 1"}, {1}, {}},
        {1, true, {"export 1"}, {1}, {exportFailed}},
        {6, true, {"export 6"}, {0}, {exportFailed}},
        {7, false, {}, {}, {}},
        {-1, false, {}, {}, {}},
    };
    OpenWithOutput();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.item) + (c.fails ? " failing" : ""));
        output.calls.clear();
        output.rtfFlags.clear();
        output.failing = c.fails ? "export" : "";
        const std::size_t messagesBefore = Messages().size();
        std::filesystem::remove(folder.Path(kPictures[2]));
        ChooseExport(c.item);
        ClickAction("Image7");
        EXPECT_EQ(output.calls, c.calls);
        EXPECT_EQ(output.rtfFlags, c.flags);
        EXPECT_EQ(analysis::RtfExportActive, 0);
        EXPECT_EQ(MessagesSince(messagesBefore),
                  c.messages);
        EXPECT_EQ(folder.ReadFile(kPictures[2]).substr(40, 4), " EMF");
    }
}

// A picture that cannot be written ends the action with the step's message before the report output is
// asked for anything; the pictures after it stay as they were.
TEST_F(FanReportPageTest, PicturesThatCannotBeWritten)
{
    struct Case {
        const char* what;
        const char* link;
        std::function<void(testsupport::ScratchFolder&)> spoil;
        const char* message;
    };
    const char* const buildingFailed = "An error occurred building the graph estimation report !";
    auto takeByFolder = [](const char* name) {
        return [name](testsupport::ScratchFolder& f) {
            std::filesystem::remove(f.Path(name));
            std::filesystem::create_directory(f.Path(name));
        };
    };
    auto removeFolder = [](testsupport::ScratchFolder& f) { std::filesystem::remove_all(f.Folder()); };
    const Case cases[] = {
        {"first picture taken by a folder, view", "Label233", takeByFolder(kPictures[0]), buildingFailed},
        {"missing folder, e-mail", "Label242", removeFolder, buildingFailed},
        {"third picture taken by a folder, e-mail", "Label242", takeByFolder(kPictures[2]),
         "An error occurred building the graph estimation report!"},
        {"third picture taken by a folder, export", "Label237", takeByFolder(kPictures[2]), buildingFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::ScratchFolder scratch;
        analysis::TempFolder = scratch.Folder().substr(0, scratch.Folder().size() - 1);
        for (const char* name : kPictures)
            scratch.WriteFile(name, std::string("old ") + name);
        output.calls.clear();
        OpenWithOutput();
        c.spoil(scratch);
        const std::size_t messagesBefore = Messages().size();
        ClickAction(c.link);
        EXPECT_EQ(output.calls, std::vector<std::string>{});
        EXPECT_EQ(MessagesSince(messagesBefore),
                  std::vector<std::string>{c.message});
        // Nothing after the failing picture is written.
        if (std::string(c.what).starts_with("first")) {
            EXPECT_EQ(scratch.ReadFile(kPictures[1]), "old QANTO_EE2.WMF");
            EXPECT_EQ(scratch.ReadFile(kPictures[2]), "old QANTO_EE3.WMF");
        }
        window->Hide();
    }
}

// A graph that cannot be drawn into its picture ends the action as a picture that cannot be written does,
// whatever the failure raised: the step's message, no call, and the failing picture and those after it
// as they were.
TEST_F(FanReportPageTest, PicturesThatCannotBeDrawn)
{
    struct Case {
        const char* what;
        const char* link;
        int picture;
        std::function<void()> raise;
        const char* message;
    };
    const char* const buildingFailed = "An error occurred building the graph estimation report !";
    const auto drawingFails = [] { throw rtl::EInvalidOperation("Canvas does not allow drawing"); };
    const auto memoryRunsOut = [] { throw std::bad_alloc(); };
    const Case cases[] = {
        {"first picture cannot be drawn, view", "Label233", 1, drawingFails, buildingFailed},
        {"no memory for the second picture, export", "Label237", 2, memoryRunsOut, buildingFailed},
        {"no memory for the third picture, e-mail", "Label242", 3, memoryRunsOut,
         "An error occurred building the graph estimation report!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::ScratchFolder scratch;
        analysis::TempFolder = scratch.Folder().substr(0, scratch.Folder().size() - 1);
        for (const char* name : kPictures)
            scratch.WriteFile(name, std::string("old ") + name);
        output.calls.clear();
        OpenWithOutput();
        auto* failing = new FailingSeries(window, c.picture, c.raise);
        failing->AddXY(50, 1);
        failing->SetParentChart(window->Charts[std::size_t(analysis::ChartStyle - 1)]);
        const std::size_t messagesBefore = Messages().size();
        ClickAction(c.link);
        EXPECT_EQ(output.calls, std::vector<std::string>{});
        EXPECT_EQ(MessagesSince(messagesBefore), std::vector<std::string>{c.message});
        EXPECT_TRUE(endCodes.empty());
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(kPictures[k]);
            const std::string content = scratch.ReadFile(kPictures[k]);
            if (k + 1 < c.picture) {
                EXPECT_EQ(content.substr(40, 4), " EMF");
            } else {
                EXPECT_EQ(content, std::string("old ") + kPictures[k]);
            }
        }
        delete failing;
        window->Hide();
    }
}

// A temporary folder that cannot be written to: the step's message, no call, the earlier pictures byte for
// byte as they were.
TEST_F(FanReportPageTest, AReadOnlyTemporaryFolderKeepsTheEarlierPictures)
{
    for (const char* name : kPictures)
        folder.WriteFile(name, std::string("earlier ") + name);
    const std::vector<std::string> earlier = Pictures();
    OpenWithOutput();
    const testsupport::ReadOnlyFolder readOnly(folder.Folder());
    if (!readOnly.Made())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    ClickAction("Label233");
    EXPECT_EQ(Messages(), std::vector<std::string>{"An error occurred building the graph estimation report !"});
    EXPECT_EQ(output.calls, std::vector<std::string>{});
    EXPECT_EQ(Pictures(), earlier);
}

// Printing that fails tells the user and keeps the window open; a preview that fails ends silently.
TEST_F(FanReportPageTest, FailuresOfPrintAndPreview)
{
    OpenWithOutput();
    output.failing = "print";
    ClickAction("Label235");
    EXPECT_EQ(Messages(), std::vector<std::string>{"The device is not ready"});
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(endCodes.empty());

    output.failing = "preview";
    ClickAction("Image9");
    EXPECT_EQ(output.calls, (std::vector<std::string>{"print", "preview"}));
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(FanReportPageTest, WithoutAnOutputTheActionsAreDisabled)
{
    Open();
    GoToPage(4);
    for (const char* name : {"Image9", "Image6", "Image7", "Image10", "Label233", "Label235", "Label237", "Label242",
                             "ExportSelection"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Named(name).Enabled());
        EXPECT_TRUE(Named(name).Visible());
        if (std::string(name) != "ExportSelection")
            ClickAction(name);
    }
    for (const char* name : {"SaveStep4", "GoBackStep4", "HelpStep4", "CloseStep4"})
        EXPECT_TRUE(Named(name).Enabled()) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.Path(kPictures[0])));
    EXPECT_TRUE(Messages().empty());

    // Installed, the next showing enables them.
    window->Hide();
    OpenWithOutput();
    EXPECT_TRUE(Named("Label233").Enabled());
    EXPECT_TRUE(Named("ExportSelection").Enabled());
    EXPECT_EQ(Named<gui::TComboBox>("ExportSelection").ItemIndex(), 0);
}

TEST_F(FanReportPageTest, TheActionsAreBoundAsDesigned)
{
    struct Case {
        const char* icon;
        const char* link;
        const char* call;
    };
    const Case cases[] = {
        {"Image9", "Label233", "preview"},
        {"Image6", "Label235", "print"},
        {"Image7", "Label237", "export 0"},
        {"Image10", "Label242", "mail"},
    };
    OpenWithOutput();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icon);
        output.calls.clear();
        ClickAction(c.icon);
        ClickAction(c.link);
        EXPECT_EQ(output.calls, (std::vector<std::string>{c.call, c.call}));
        EXPECT_TRUE(Named<components::TKitURL>(c.link).URL().empty());
        const gui::TGraphic* icon = Named<gui::TImage>(c.icon).Picture()->Graphic();
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->Width(), 32);
        EXPECT_EQ(icon->Height(), 32);
    }
    EXPECT_EQ(Named<components::TKitURL>("calculator").URL(), "calc.exe");
    EXPECT_FALSE(Named("calculator").Visible());

    // The report's headings the page keeps for the report, never shown.
    const std::pair<const char*, const char*> headings[] = {
        {"HDR01A", "Operation/AC Motor Data/VFD Data"}, {"HDR03A", "Annual Rivuve Savings"},
        {"HDR05A", "Flow (%)"}, {"HDR06A", "Time (Hrs)"}, {"HDR07A", "Time (%)"},
        {"HDR08A", "Payback Time VFD compared to:"}, {"LBLAH01A", "Total Annual Hours of Operation : "},
        {"PAGELBL01A", "Page:"},
    };
    for (const auto& [name, caption] : headings) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Named(name).Parent(), window->PageControl1->Pages(4));
        EXPECT_FALSE(Named(name).Visible());
        EXPECT_EQ(Named(name).Caption(), caption);
    }
}

}  // namespace
}  // namespace fantest
