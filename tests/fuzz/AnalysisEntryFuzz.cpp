// Drives the analysis window headless with actions read from the input, starting from the default fan
// (first byte even) or pump project: typing into a bound edit or pasting or setting its text and leaving
// it, the incentive buttons, the pages, Continue and Go Back, the resets, the result lines (their
// overview closed again), control curve values of 0, the custom-control switches and the application;
// on the graph page the graph type, the chart style, the 3D switch, depth and rotation, the pattern box
// and the reset, and the report's graph pictures written into a scratch folder, after which the three
// files are enhanced metafiles or the step's message was shown. Afterwards the window is left, and every
// parameter lies in its range, and every money and payback text of the results page is empty, "Never",
// "Immediately" or a number.
#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/Fan.h"
#include "analysis/windows/Report.h"
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "controls/pagecontrol/clPC.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/core/Application.h"
#include "platform/rtl/Clock.h"
#include "platform/services/DialogService.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/wintypes/Messages.h"
#include "tests/fuzz/FuzzInput.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

using fuzz::Check;

class Input : public fuzz::ByteReader {
public:
    using ByteReader::ByteReader;
    std::string Text(std::size_t most)
    {
        const std::size_t length = Byte() % (most + 1);
        std::string text;
        for (std::size_t i = 0; i < length && More(); ++i)
            text += char(Byte());
        return text;
    }
};

// The libraries and the estimator, started once; messages answered with their default button.
struct Program {
    Program()
    {
        setenv("RIVUVE_DISPLAY", "headless", 1);
        libraries = new tools::ProgramLibraries(tools::ProgramLibraries::Reach::Windows);
        tools::StartEstimator();
        win::SetDialogService(&dialogs);
        rtl::SetClock(&clock);
        driver.emplace(clock);
        driver->SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        std::string folder = (std::filesystem::temp_directory_path() / "rivuve-fuzz-XXXXXX").string();
        Check(::mkdtemp(folder.data()) != nullptr);
        pictures = folder;
    }
    // The control libraries end before the program's static objects do (their screen canvas would
    // outlive the handles); the others are left running, as the class tables they use are statics too.
    void End()
    {
        std::error_code ignored;
        std::filesystem::remove_all(pictures, ignored);
        driver.reset();
        pagecontrol::finalize();
        controls::finalize();
    }
    tools::ProgramLibraries* libraries = nullptr;
    win::ScriptedDialogs dialogs;
    rtl::VirtualClock clock;
    // Modal loops (the overview a result line opens) run the scheduled close instead of waiting.
    std::optional<win::TestDriver> driver;
    std::string pictures;  // the report's temporary folder
};

void Leave(gui::TEdit& edit)
{
    if (edit.OnExit)
        edit.OnExit(&edit);
}

bool IsNumber(const std::string& text)
{
    int errorPos = 0;
    analysis::TextToDouble(text, errorPos);
    return !text.empty() && errorPos == 0;
}

bool IsMoney(const std::string& text)
{
    const std::string prefix = analysis::CurrencySymbol.Str() + " ";
    return text.empty() || (text.rfind(prefix, 0) == 0 && IsNumber(text.substr(prefix.size())));
}

bool IsPayback(const std::string& text)
{
    const std::string years = " Years";
    if (text.empty() || text == "Never" || text == "Immediately")
        return true;
    return text.size() > years.size() && text.compare(text.size() - years.size(), years.size(), years) == 0
           && IsNumber(text.substr(0, text.size() - years.size()));
}

bool IsEnhancedMetafile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(file), {});
    return bytes.size() > 44 && bytes.compare(40, 4, " EMF") == 0;
}

// One action of the graph page, or the report's graph pictures.
void GraphStep(analysis::TFANFORM& window, Program& program, Input& in)
{
    switch (in.Byte() % 8) {
    case 0:
        window.SelectionGraphType->SetItemIndex(in.Byte() % 4 - 1);
        window.SelectionGraphTypeChange(window.SelectionGraphType);
        break;
    case 1:
        analysis::ChartStyle = in.Byte() % 9 - 1;
        window.ShowChartOfStyle();
        break;
    case 2:
        window.CheckBox1->SetChecked(!window.CheckBox1->Checked());
        break;
    case 3:
        window.Bar3D->SetPosition(in.Byte() - 20);
        break;
    case 4:
        window.ScrollBar3->SetPosition(250 + in.Byte() % 130);
        break;
    case 5:
        window.BW->SetChecked(!window.BW->Checked());
        break;
    case 6:
        window.ResetGraphClick(&window);
        break;
    default: {
        for (int k = 1; k <= 3; ++k)
            std::filesystem::remove_all(program.pictures + "/QANTO_EE" + std::to_string(k) + ".WMF");
        // A picture's name taken by a folder, now and then.
        if (in.Byte() % 4 == 0)
            std::filesystem::create_directory(program.pictures + "/QANTO_EE" + std::to_string(1 + in.Byte() % 3) + ".WMF");
        analysis::TempFolder = program.pictures;
        const std::size_t shown = program.dialogs.AskedMessageDialogs().size();
        const bool written = window.SaveGraphPictures(in.Byte() & 1 ? "IDS_340" : "IDS_256");
        const bool drawn = analysis::ChartStyle >= 1 && analysis::ChartStyle <= 6;
        Check(written == (program.dialogs.AskedMessageDialogs().size() == shown));
        for (int k = 1; k <= 3 && written && drawn; ++k)
            Check(IsEnhancedMetafile(program.pictures + "/QANTO_EE" + std::to_string(k) + ".WMF"));
        break;
    }
    }
}

void Step(analysis::TFANFORM& window, Program& program, Input& in)
{
    std::vector<gui::TEdit*> bound{window.A101, window.A102, window.A103, window.A104, window.A105,
                                   window.A106, window.A107, window.A108, window.A109, window.A173};
    for (gui::TEdit* duty : window.DutyEdits)
        bound.push_back(duty);
    gui::TEdit& edit = *bound[in.Byte() % bound.size()];
    const int page = window.PageControl1->ActivePageIndex();
    const char* const continues[] = {"ContinueButton", "BitBtn2", "BitBtn8", "BitBtn13", "GoBackStep4"};
    const char* const backs[] = {"GoBackButton", "ESCCANCEL", "BitBtn6", "BitBtn11", "GoBackStep4"};
    switch (in.Byte() % 14) {
    case 0:
        for (const char ch : in.Text(8))
            edit.Perform(win::WM_CHAR, win::WPARAM(static_cast<unsigned char>(ch)));
        Leave(edit);
        break;
    case 1:
        edit.SelectAll();
        edit.SetSelText(in.Text(10));
        Leave(edit);
        break;
    case 2:
        edit.SetText(in.Text(12));
        Leave(edit);
        break;
    case 3:
        (in.Byte() & 1 ? window.Incentive01 : window.Incentive02)->Click();
        break;
    case 4:
        window.PageControl1->SetActivePageIndex(in.Byte() % 5);
        break;
    case 5:
        if (page >= 0 && page < 4)
            dynamic_cast<gui::TBitBtn*>(window.FindComponent(continues[page]))->Click();
        break;
    case 6:
        if (page >= 0 && page <= 4)
            dynamic_cast<gui::TBitBtn*>(window.FindComponent(backs[page]))->Click();
        break;
    case 7:
        dynamic_cast<gui::TBitBtn*>(window.FindComponent("BitBtn19"))->Click();
        break;
    case 8: {
        gui::TBitBtn* line = window.Lines[in.Byte() % window.Lines.size()];
        program.driver->At(program.clock.TickCount64() + 10, [] {
            if (analysis::CALCREP() && analysis::CALCREP()->Modal())
                analysis::CALCREP()->SetModalResult(gui::mrCancel);
        });
        if (line->Visible())
            line->Click();
        break;
    }
    case 9:
        analysis::ParamTable[21 + in.Byte() % 50]->Value = 0;
        tools::LoadOptions();
        break;
    case 10: {
        analysis::TParamRecord& change = *analysis::ParamTable[71 + (in.Byte() & 1)];
        change.Value = change.Value == 0 ? 1 : 0;
        tools::LoadOptions();
        break;
    }
    case 11:
        analysis::AppType = 1 + (in.Byte() & 1);
        break;
    case 12:
        dynamic_cast<gui::TBitBtn*>(window.FindComponent("ResetButton2"))->Click();
        break;
    default:
        GraphStep(window, program, in);
        break;
    }
    program.driver->Pump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Program& program = [] () -> Program& {
        static Program& made = *new Program;
        std::atexit([] { made.End(); });
        return made;
    }();
    Input in(data, size);
    for (int i = 1; i <= analysis::DefinedParamCount; ++i)
        analysis::ParamTable[i]->Value = analysis::ShadowParamTable[i]->Value;
    tools::LoadOptions();
    analysis::AppType = 1 + (in.Byte() & 1);

    auto* overview = new analysis::TCALCREP(gui::Application());
    auto* window = new analysis::TFANFORM(gui::Application());
    window->Show();
    program.driver->Pump();
    for (int steps = 0; in.More() && steps < 200; ++steps)
        Step(*window, program, in);
    window->Hide();
    program.driver->Pump();
    window->FormDeactivate(window);

    for (int i = 1; i <= analysis::DefinedParamCount; ++i) {
        const analysis::TParamRecord& param = *analysis::ParamTable[i];
        Check(param.Value >= param.MinValue && param.Value <= param.MaxValue);
    }
    for (gui::TLabel* value : window->LineValues)
        Check(IsMoney(value->Caption()));
    for (gui::TLabel* value : window->VALUE)
        Check(IsMoney(value->Caption()));
    for (gui::TLabel* value : window->PAYBACKVALUE)
        Check(IsPayback(value->Caption()));
    delete window;
    delete overview;
    program.driver->ClearStalls();
    return 0;
}
