#pragma once
// TFANFORM: the analysis window, where one fan or pump project is entered and evaluated on five pages
// (customer information, system data, the estimate's results, the graphs, the report). It is read from
// its stored data (the resource "TFANFORM"), made once at start-up and shown modally by the main
// window's commands.
//
// Its numeric edits carry the project's parameters: AssignAllParamTags gives each bound control its
// parameter's number as tag, the edits show the values (set_fields mode 0) and give them back (mode 1).
// An edit is range-checked when it is left; the estimate reads the edits' texts (the window is the
// calculation's RivuveInputs) and runs only while the ten duty-cycle percentages total 100. Texts come
// from the window's translation table (the window is a TextSource). What lies above the window (help,
// Save, the status bar, the setup window) is reached through AnalysisHost.

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "analysis/Texts.h"
#include "platform/gui/core/Form.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chart {
class TChart;
class TChartSeries;
}
namespace components {
class TKitURL;
}
namespace gui {
class TBitBtn;
class TImage;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TPrintDialog;
class TRadioButton;
class TScrollBar;
class TShape;
}
namespace pagecontrol {
class TclPageControl;
}
namespace translation {
class TtrLingua;
}

namespace analysis {

// An entry as the range check leaves it: the text the edit shows afterwards, the value that text
// stands for (what the parameter table and the estimate take), and whether the check beeped. Empty text, or text that is not wholly a number, becomes
// the minimum with a beep; a number above the maximum (or beyond single precision) the maximum, one
// below the minimum the minimum, each with a beep; any other number is reformatted with the decimals
// of the parameter's scale.
struct CheckedEntry {
    std::string Text;
    float Value = 0;
    bool Beep = false;
};
CheckedEntry CheckEntry(std::string_view text, const TParamRecord& param);

class TFANFORM : public gui::TForm, public TextSource, public RivuveInputs {
public:
    // Reads the stored window; the first one made becomes the program's (FANFORM()).
    explicit TFANFORM(classes::TComponent* owner);
    ~TFANFORM() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // --- data entry ---
    // Mode 0 shows the bound parameter's value in edit; mode 1 stores the edit's text, as the range
    // check would leave it, as the value. An unbound edit (tag 0) ends the program.
    void INITIALIZE_EDIT(gui::TEdit* edit, int mode);
    // INITIALIZE_EDIT on A101 .. A109, A110 .. A119 and A173, in this order.
    void set_fields(int mode);
    // Parameters 1 to 19 to their new-project values; the customer edits emptied.
    void set_default_values();
    // Copies the duty texts into DutyCycleText; true when they total 100. On the system data page a
    // wrong total is also shown in an error box.
    bool CheckDutyCycleTotal();
    // The total in Label50 and the duty chart's colour; a total of 100 recomputes the estimate.
    void UpdateDutyCycleTotal();
    // The notes on the customer page show while the customer information is off.
    void UpdateReportNotes();

    // --- results ---
    // While the duty cycle totals 100: the estimate of AppType and its comparison; always the duty chart.
    void RecalculateAndRedraw();
    // Fills the results page from the last calculation of app (1 fan, 2 pump).
    void ShowComparison(std::uint8_t app);

    // --- event handlers ---
    void FormCreate(classes::TObject* sender);
    void FormActivate(classes::TObject* sender);
    void FormDeactivate(classes::TObject* sender);
    void FormShow(classes::TObject* sender);
    void PageControl1Change(classes::TObject* sender);
    void CONTINUECLICK(classes::TObject* sender);
    void GOBACKCLICK(classes::TObject* sender);
    void BitBtn1Click(classes::TObject* sender);
    void BitBtn15Click(classes::TObject* sender);
    void BitBtn14Click(classes::TObject* sender);
    void CheckRange(classes::TObject* sender);
    void A110Exit(classes::TObject* sender);
    void KEYLOCK(classes::TObject* sender, char& key);
    void TEXTChange(classes::TObject* sender);
    void Incentive01Click(classes::TObject* sender);
    void Incentive02Click(classes::TObject* sender);
    void BitBtn19Click(classes::TObject* sender);
    void BitBtn20Click(classes::TObject* sender);
    void ReportLayoutClick(classes::TObject* sender);
    void HELPClick(classes::TObject* sender);
    void BitBtn7Click(classes::TObject* sender);
    void BitBtn12Click(classes::TObject* sender);
    void BitBtn10Click(classes::TObject* sender);
    void LINE1Click(classes::TObject* sender);
    void LINE2Click(classes::TObject* sender);
    void LINE3Click(classes::TObject* sender);
    void LINE4Click(classes::TObject* sender);
    void LINECUSTOM1Click(classes::TObject* sender);
    void LINECUSTOM2Click(classes::TObject* sender);

    // --- graphs (page 3) ---
    // Six charts, one per ChartStyle, each with five series by slot (1 the drive, 2 the damper or valve,
    // 3 the inlet vane, 4 and 5 the custom controls); every graph routine fills all six, so switching
    // the style shows the current graph at once. The series take their legend texts from the hidden
    // labels Label1N .. Label5N, which keep the last cost graph's names.
    void ClearAllSeries();
    void DrawCostGraph();
    void DrawHoursGraph();
    void DrawTimeGraph();
    // The slots' hatch patterns while BW is ticked, solid fills otherwise (the fast lines never change).
    void ApplyFillPatterns();
    // Only the chart of ChartStyle is visible; none for a style outside 1..6.
    void ShowChartOfStyle();
    // The graph chosen in SelectionGraphType, drawn anew.
    void RedrawSelectedGraph();
    void SelectionGraphTypeChange(classes::TObject* sender);
    void BWClick(classes::TObject* sender);
    void CheckBox1Click(classes::TObject* sender);
    void Bar3DChange(classes::TObject* sender);
    void ScrollBar3Change(classes::TObject* sender);
    void ResetGraphClick(classes::TObject* sender);
    void BitBtn9Click(classes::TObject* sender);
    // The chart of ChartStyle on one landscape page of the printer chosen in PrintDialog1. A printing
    // failure is shown in an error box and the window stays open.
    void PrintGraphClick(classes::TObject* sender);

    static constexpr int GraphStyleCount = 6;
    static constexpr int GraphSlotCount = 5;
    // Chart1 .. Chart6 by ChartStyle - 1, and their series by slot - 1.
    std::array<chart::TChart*, GraphStyleCount> Charts{};
    std::array<std::array<chart::TChartSeries*, GraphSlotCount>, GraphStyleCount> GraphSeries{};
    std::array<gui::TLabel*, GraphSlotCount> SeriesNames{};   // Label1N .. Label5N
    std::array<gui::TShape*, 10> Shapes{};                    // Shape1 .. Shape10
    std::array<gui::TLabel*, 4> Numbers{};                    // Number1, Number3, Number4, Number5
    gui::TComboBox* SelectionGraphType = nullptr;
    gui::TCheckBox* BW = nullptr;
    gui::TCheckBox* CheckBox1 = nullptr;
    gui::TScrollBar* Bar3D = nullptr;
    gui::TScrollBar* ScrollBar3 = nullptr;
    gui::TLabel* Label6A = nullptr;
    gui::TPrintDialog* PrintDialog1 = nullptr;

    // --- report (page 4) ---
    // Every report action first writes the three graph pictures the report shows, then hands the report
    // to the installed ReportOutput. Without one the actions are disabled.
    //
    // The cost, hours and time graphs of the chart of ChartStyle as enhanced metafiles in TempFolder
    // (QANTO_EE1.WMF .. QANTO_EE3.WMF), then the cost graph again on screen. A picture that cannot be
    // written ends the step with an error box, "IDS_256" (for the third picture the text of
    // thirdFailureId), and false; a style outside 1..6 writes nothing and answers true.
    bool SaveGraphPictures(std::string_view thirdFailureId = "IDS_256");
    void PreviewReport(classes::TObject* sender);
    // A printing failure is shown in an error box and the window stays open.
    void PrintReport(classes::TObject* sender);
    void ExportReport(classes::TObject* sender);
    void mailReport(classes::TObject* sender);
    // The icons, links and format list of the four actions enabled exactly while a ReportOutput is installed.
    void UpdateReportActions();

    std::array<gui::TImage*, 4> ReportIcons{};                 // Image9, Image6, Image7, Image10
    std::array<components::TKitURL*, 4> ReportLinks{};         // Label233, Label235, Label237, Label242
    gui::TComboBox* ExportSelection = nullptr;

    // The window's texts: its translation table's, empty for an identifier it lacks.
    std::string Text(std::string_view id) const override;
    // The calculation's inputs: the edits' texts as the range check would leave them, and the duty
    // texts the last check copied.
    std::string EditText(InputEdit edit) const override;
    std::string DutyCycleText(int flowPoint) const override;

    // --- the stored components the code works with ---
    translation::TtrLingua* trLingua1 = nullptr;
    pagecontrol::TclPageControl* PageControl1 = nullptr;
    // Customer page: PROJECTNAME, PREPFOR, Titlefor, Companyfor, AddressFor, ZipFor, CountryFor,
    // Telfor, Faxfor, EmailFor.
    std::array<gui::TEdit*, 10> CustomerEdits{};
    gui::TLabel* NOTE1 = nullptr;
    gui::TLabel* NOTE2 = nullptr;
    gui::TLabel* NOTE3 = nullptr;
    // System data page.
    gui::TEdit* A101 = nullptr;
    gui::TEdit* A102 = nullptr;
    gui::TEdit* A103 = nullptr;
    gui::TEdit* A104 = nullptr;
    gui::TEdit* A105 = nullptr;
    gui::TEdit* A106 = nullptr;
    gui::TEdit* A107 = nullptr;
    gui::TEdit* A108 = nullptr;
    gui::TEdit* A109 = nullptr;
    gui::TEdit* A173 = nullptr;
    ByFlowPoint<gui::TEdit*> DutyEdits{};   // A110 (100 % flow) .. A119 (10 %)
    gui::TLabel* Power_Label = nullptr;
    gui::TLabel* Currency_label = nullptr;
    gui::TLabel* Currency_label2 = nullptr;
    gui::TLabel* CompanyIncentiveLabel = nullptr;
    gui::TLabel* DRIVEEFF = nullptr;
    gui::TLabel* HDR04A = nullptr;
    gui::TLabel* Label50 = nullptr;
    gui::TRadioButton* Incentive01 = nullptr;
    gui::TRadioButton* Incentive02 = nullptr;
    chart::TChart* DutyChart = nullptr;
    chart::TChartSeries* DutySeries1 = nullptr;
    // Results page: the cost positions LINE1 .. LINE4, LINECUSTOM1, LINECUSTOM2 with their value labels
    // VAL1 .. VAL4, VALCUSTOM1, VALCUSTOM2; the savings rows CONTROL1/VALUE1 ..; the payback rows
    // PAYBACK1/PAYBACKVALUE1 ...
    gui::TLabel* FLOWM = nullptr;
    std::array<gui::TBitBtn*, 6> Lines{};
    std::array<gui::TLabel*, 6> LineValues{};
    std::array<gui::TLabel*, 5> CONTROL{};
    std::array<gui::TLabel*, 5> VALUE{};
    std::array<gui::TLabel*, 5> PAYBACK{};
    std::array<gui::TLabel*, 5> PAYBACKVALUE{};

protected:
    void BindComponents() override;

private:
    int PageIndex() const;
    void SetPageIndex(int index);
    // Copies the duty texts, as the range check would leave them, into DutyCycleText; answers their total.
    int CopyDutyTexts();
    // The range check of a bound edit left by the user.
    void CheckLeftEdit(gui::TEdit& edit);
    // The bound parameter of edit; a tag of 0 ends the program.
    TParamRecord& BoundParam(const gui::TEdit& edit) const;
    // The estimate of app, then one error box naming the faults not named since the last estimate
    // without faults.
    void Calculate(int app);
    void ReportNewFaults();
    // Opens the calculation overview of app and method (the overview's numbering) after the estimate
    // of app, as long as the duty cycle totals 100.
    void OpenOverview(int app, int method);
    void RefillDutyChart();

    // The graph page's part of binding, creation and showing.
    void BindGraphComponents();
    void BindReportComponents();
    void CreateGraphView();
    void ShowGraphPage();
    // The frame every graph routine gives all six charts: title, value and flow axis titles (exchanged
    // in the horizontal bar chart), the slots' names and the point (0, 0) on every series.
    void FrameGraphs(const std::string& title, const std::string& valueAxis, const std::string& valueAxisOfChart4);
    // Which slots are drawn, and whether slot 3 has a legend entry, in every chart.
    void SetSlotActivity(const std::array<bool, GraphSlotCount>& active, bool slot3InLegend);
    template <class T>
    void AddGraphData(int slot, const ByFlowPoint<T>& values);
    // The hours or time graph: the values of the application in slot 3 alone, without a legend entry.
    struct GraphTexts {
        const char* fanTitle;
        const char* pumpTitle;
        const char* valueAxis;
        const char* valueAxisOfChart4;
    };
    template <class T>
    void DrawDistributionGraph(const GraphTexts& texts, const ByFlowPoint<T>& fanValues, const ByFlowPoint<T>& pumpValues);

    // Set while creation and FormShow select the first page, which runs no duty check.
    bool selectingFirstPage_ = false;
    std::vector<CalcFault> namedFaults_;   // named since the last estimate without faults
};

// The program's analysis window, or null before it is made and after it is gone.
TFANFORM* FANFORM();

// Binds one parameter of group 'A', digit '1' to its control by setting the control's tag to tag:
// Ids 1..19 and 73 lie on the analysis window, 20..72 on the setup window (TMULTIP). A window not
// made yet binds nothing; an Id outside 1..73, or a made window without the control, shows
// "IDS_239" in an error box and ends the program. Kind is not used.
void AssignParamTag(char group, char groupDigit, std::uint16_t id, std::uint8_t kind, std::int32_t tag);
// AssignParamTag for every defined parameter, with its number as tag.
void AssignAllParamTags();

}  // namespace analysis
