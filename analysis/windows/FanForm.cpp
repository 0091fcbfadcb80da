// The analysis window itself: its class and stored components, creation, showing, activation, and the
// navigation between its pages under the duty-cycle rule.

#include "analysis/windows/Fan.h"

#include "analysis/NumberText.h"
#include "analysis/windows/AnalysisHost.h"
#include "analysis/windows/detail/StoredComponent.h"
#include "controls/pagecontrol/clPC.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/ChartTitle.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/rtl/Numbers.h"
#include "translation/Lingua.h"

namespace analysis {

using detail::Stored;

namespace {

TFANFORM* programWindow = nullptr;

// Sets a flag for as long as it lives.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

TFANFORM::TFANFORM(classes::TComponent* owner) : gui::TForm(owner)
{
    // The program's window already while it is read: its creation binds the edits, and a binding fault
    // shows the window's own text.
    if (!programWindow)
        programWindow = this;
    try {
        CreateFromStoredData();
    } catch (...) {
        if (programWindow == this)
            programWindow = nullptr;
        throw;
    }
}

TFANFORM::~TFANFORM()
{
    if (programWindow == this)
        programWindow = nullptr;
}

TFANFORM* FANFORM()
{
    return programWindow;
}

const classes::TClassInfo& TFANFORM::StaticClass()
{
    static const classes::TClassInfo info("TFANFORM", &gui::TForm::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TFANFORM>(c)
            .Method<&TFANFORM::FormCreate>("FormCreate")
            .Method<&TFANFORM::FormActivate>("FormActivate")
            .Method<&TFANFORM::FormDeactivate>("FormDeactivate")
            .Method<&TFANFORM::FormShow>("FormShow")
            .Method<&TFANFORM::PageControl1Change>("PageControl1Change")
            .Method<&TFANFORM::CONTINUECLICK>("CONTINUECLICK")
            .Method<&TFANFORM::GOBACKCLICK>("GOBACKCLICK")
            .Method<&TFANFORM::BitBtn1Click>("BitBtn1Click")
            .Method<&TFANFORM::BitBtn15Click>("BitBtn15Click")
            .Method<&TFANFORM::BitBtn14Click>("BitBtn14Click")
            .Method<&TFANFORM::CheckRange>("CheckRange")
            .Method<&TFANFORM::A110Exit>("A110Exit")
            .Method<&TFANFORM::KEYLOCK>("KEYLOCK")
            .Method<&TFANFORM::TEXTChange>("TEXTChange")
            .Method<&TFANFORM::Incentive01Click>("Incentive01Click")
            .Method<&TFANFORM::Incentive02Click>("Incentive02Click")
            .Method<&TFANFORM::BitBtn19Click>("BitBtn19Click")
            .Method<&TFANFORM::BitBtn20Click>("BitBtn20Click")
            .Method<&TFANFORM::ReportLayoutClick>("ReportLayoutClick")
            .Method<&TFANFORM::HELPClick>("HELPClick")
            .Method<&TFANFORM::BitBtn7Click>("BitBtn7Click")
            .Method<&TFANFORM::BitBtn12Click>("BitBtn12Click")
            .Method<&TFANFORM::BitBtn10Click>("BitBtn10Click")
            .Method<&TFANFORM::LINE1Click>("LINE1Click")
            .Method<&TFANFORM::LINE2Click>("LINE2Click")
            .Method<&TFANFORM::LINE3Click>("LINE3Click")
            .Method<&TFANFORM::LINE4Click>("LINE4Click")
            .Method<&TFANFORM::LINECUSTOM1Click>("LINECUSTOM1Click")
            .Method<&TFANFORM::LINECUSTOM2Click>("LINECUSTOM2Click")
            .Method<&TFANFORM::SelectionGraphTypeChange>("SelectionGraphTypeChange")
            .Method<&TFANFORM::BWClick>("BWClick")
            .Method<&TFANFORM::CheckBox1Click>("CheckBox1Click")
            .Method<&TFANFORM::Bar3DChange>("Bar3DChange")
            .Method<&TFANFORM::ScrollBar3Change>("ScrollBar3Change")
            .Method<&TFANFORM::ResetGraphClick>("ResetGraphClick")
            .Method<&TFANFORM::BitBtn9Click>("BitBtn9Click")
            .Method<&TFANFORM::PrintGraphClick>("PrintGraphClick")
            .Method<&TFANFORM::PreviewReport>("PreviewReport")
            .Method<&TFANFORM::PrintReport>("PrintReport")
            .Method<&TFANFORM::ExportReport>("ExportReport")
            .Method<&TFANFORM::mailReport>("mailReport");
    });
    return info;
}

void TFANFORM::BindComponents()
{
    trLingua1 = Stored<translation::TtrLingua>(*this, "trLingua1");
    PageControl1 = Stored<pagecontrol::TclPageControl>(*this, "PageControl1");
    const char* const customer[] = {"PROJECTNAME", "PREPFOR",    "Titlefor", "Companyfor", "AddressFor",
                                    "ZipFor",      "CountryFor", "Telfor",   "Faxfor",     "EmailFor"};
    for (std::size_t i = 0; i < CustomerEdits.size(); ++i)
        CustomerEdits[i] = Stored<gui::TEdit>(*this, customer[i]);
    NOTE1 = Stored<gui::TLabel>(*this, "NOTE1");
    NOTE2 = Stored<gui::TLabel>(*this, "NOTE2");
    NOTE3 = Stored<gui::TLabel>(*this, "NOTE3");
    gui::TEdit** numeric[] = {&A101, &A102, &A103, &A104, &A105, &A106, &A107, &A108, &A109};
    for (int i = 0; i < 9; ++i)
        *numeric[i] = Stored<gui::TEdit>(*this, "A" + std::to_string(101 + i));
    for (int i = 1; i <= FlowPointCount; ++i)
        DutyEdits[i] = Stored<gui::TEdit>(*this, "A" + std::to_string(109 + i));
    A173 = Stored<gui::TEdit>(*this, "A173");
    Power_Label = Stored<gui::TLabel>(*this, "Power_Label");
    Currency_label = Stored<gui::TLabel>(*this, "Currency_label");
    Currency_label2 = Stored<gui::TLabel>(*this, "Currency_label2");
    CompanyIncentiveLabel = Stored<gui::TLabel>(*this, "CompanyIncentiveLabel");
    DRIVEEFF = Stored<gui::TLabel>(*this, "DRIVEEFF");
    HDR04A = Stored<gui::TLabel>(*this, "HDR04A");
    Label50 = Stored<gui::TLabel>(*this, "Label50");
    Incentive01 = Stored<gui::TRadioButton>(*this, "Incentive01");
    Incentive02 = Stored<gui::TRadioButton>(*this, "Incentive02");
    DutyChart = Stored<chart::TChart>(*this, "DutyChart");
    DutySeries1 = Stored<chart::TChartSeries>(*this, "DutySeries1");
    FLOWM = Stored<gui::TLabel>(*this, "FLOWM");
    const char* const lines[] = {"LINE1", "LINE2", "LINE3", "LINE4", "LINECUSTOM1", "LINECUSTOM2"};
    const char* const values[] = {"VAL1", "VAL2", "VAL3", "VAL4", "VALCUSTOM1", "VALCUSTOM2"};
    for (std::size_t k = 0; k < Lines.size(); ++k) {
        Lines[k] = Stored<gui::TBitBtn>(*this, lines[k]);
        LineValues[k] = Stored<gui::TLabel>(*this, values[k]);
    }
    for (std::size_t k = 0; k < CONTROL.size(); ++k) {
        const std::string row = std::to_string(k + 1);
        CONTROL[k] = Stored<gui::TLabel>(*this, "CONTROL" + row);
        VALUE[k] = Stored<gui::TLabel>(*this, "VALUE" + row);
        PAYBACK[k] = Stored<gui::TLabel>(*this, "PAYBACK" + row);
        PAYBACKVALUE[k] = Stored<gui::TLabel>(*this, "PAYBACKVALUE" + row);
    }
    BindGraphComponents();
    BindReportComponents();
}

std::string TFANFORM::Text(std::string_view id) const
{
    return trLingua1->LookupStringOrDefault(id);
}

int TFANFORM::PageIndex() const
{
    return PageControl1->ActivePageIndex();
}

void TFANFORM::SetPageIndex(int index)
{
    PageControl1->SetActivePageIndex(index);
}

void TFANFORM::FormCreate(classes::TObject*)
{
    // The window is designed at 96 pixels per inch and shown as designed. Its edits are not bound yet:
    // selecting the first page checks nothing.
    {
        const ScopedFlag selecting(selectingFirstPage_);
        SetPageIndex(0);
    }
    AssignAllParamTags();
    FanFormReady = true;
    ChartStyle = 5;
    CreateGraphView();
}

void TFANFORM::FormActivate(classes::TObject*)
{
    AssignAllParamTags();
}

void TFANFORM::FormDeactivate(classes::TObject*)
{
    set_fields(1);
}

void TFANFORM::FormShow(classes::TObject*)
{
    DutyChart->BottomAxis()->Title()->SetCaption(Text("IDS_7"));
    DutyChart->LeftAxis()->Title()->SetCaption(Text("IDS_78"));
    DutyChart->Title()->Text()->SetText("   " + HDR04A->Caption());
    ExportSelection->SetItemIndex(0);
    UpdateReportActions();

    Power_Label->SetCaption(Text(PowerInKW ? "IDS_234" : "IDS_235"));
    PowerUnitFactor = PowerInKW ? 1.0 : 0.7457;
    Currency_label->SetCaption(CurrencySymbol.Str());
    Currency_label2->SetCaption(CurrencySubunit.Str());
    CompanyIncentiveLabel->SetCaption(CurrencySymbol.Str() + "/" + Power_Label->Caption());

    for (chart::TChart* graph : Charts)
        graph->SetShowHint(false);
    UpdateReportNotes();

    // The first page is selected before the new project's texts are in the edits: the page change must
    // not check the previous project's duty cycle.
    {
        const ScopedFlag selecting(selectingFirstPage_);
        SetPageIndex(0);
    }
    BringToFront();

    if (FanFormReady)
        set_fields(0);
    DRIVEEFF->SetCaption(FloatToGroupedText(2, VfdCurve[1] * 100));
    UpdateDutyCycleTotal();
    if (CheckDutyCycleTotal() && (AppType == 1 || AppType == 2)) {
        SetCaption(ProductTitle + Text(AppType == 1 ? "IDS_236" : "IDS_237"));
        Calculate(AppType);
        ShowComparison(std::uint8_t(AppType));
    }
    ShowGraphPage();

    Incentive01->SetChecked(false);
    Incentive02->SetChecked(false);
    if (rtl::Round(ParamTable[73]->Value) != 0)
        Incentive01->SetChecked(true);
    else
        Incentive02->SetChecked(true);
}

void TFANFORM::PageControl1Change(classes::TObject*)
{
    if (selectingFirstPage_ || !FanFormReady)
        return;
    if (CheckDutyCycleTotal())
        RecalculateAndRedraw();
    else
        SetPageIndex(1);
}

void TFANFORM::CONTINUECLICK(classes::TObject*)
{
    if (!CheckDutyCycleTotal())
        return;
    RecalculateAndRedraw();
    if (PageIndex() < 4)
        SetPageIndex(PageIndex() + 1);
}

void TFANFORM::GOBACKCLICK(classes::TObject*)
{
    if (!CheckDutyCycleTotal())
        return;
    RecalculateAndRedraw();
    if (PageIndex() > 0)
        SetPageIndex(PageIndex() - 1);
}

void TFANFORM::BitBtn1Click(classes::TObject*)
{
    Close();
}

void TFANFORM::BitBtn15Click(classes::TObject*)
{
    Close();
}

void TFANFORM::BitBtn14Click(classes::TObject*)
{
    set_fields(1);
    Host().SaveProject();
}

void TFANFORM::ReportLayoutClick(classes::TObject*)
{
    Host().ShowSetupPage(3);
    UpdateReportNotes();
}

void TFANFORM::HELPClick(classes::TObject*)
{
    Host().GetHelp("STEP2");
}

void TFANFORM::BitBtn7Click(classes::TObject*)
{
    Host().GetHelp("STEP4");
}

void TFANFORM::BitBtn12Click(classes::TObject*)
{
    Host().GetHelp("STEP5");
}

void TFANFORM::BitBtn10Click(classes::TObject*)
{
    Host().GetHelp("STEP6");
}

}  // namespace analysis
