// The results of the analysis window: the estimate, the results page (the methods ranked by cost and by
// savings, the payback rows), the duty chart, and the result lines that open the calculation overview.

#include "analysis/windows/Fan.h"

#include "analysis/Comparison.h"
#include "analysis/Payback.h"
#include "analysis/windows/Report.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"

#include <algorithm>

namespace analysis {

namespace {

// The handler a result button of method gets: the one that opens the method's overview.
gui::TNotifyEvent HandlerOf(TFANFORM& window, ControlMethod method)
{
    switch (method) {
    case ControlMethod::NoSpeedControl: return gui::TNotifyEvent::Of<&TFANFORM::LINE1Click>(&window);
    case ControlMethod::VfdControl: return gui::TNotifyEvent::Of<&TFANFORM::LINE2Click>(&window);
    case ControlMethod::OutletDamper:
    case ControlMethod::ThrottlingValve: return gui::TNotifyEvent::Of<&TFANFORM::LINE3Click>(&window);
    case ControlMethod::InletVane: return gui::TNotifyEvent::Of<&TFANFORM::LINE4Click>(&window);
    case ControlMethod::CustomControl1: return gui::TNotifyEvent::Of<&TFANFORM::LINECUSTOM1Click>(&window);
    case ControlMethod::CustomControl2: return gui::TNotifyEvent::Of<&TFANFORM::LINECUSTOM2Click>(&window);
    }
    return nullptr;
}

// What keeps the estimate, or one method of it, from being made.
std::string FaultLine(CalcFault fault, const TextSource& texts)
{
    auto leftOut = [&](ControlMethod method) { return MethodCaption(method, texts) + texts.Text("IDS_902"); };
    switch (fault) {
    case CalcFault::MotorEfficiency: return texts.Text("IDS_900");
    case CalcFault::VfdEfficiency: return texts.Text("IDS_901");
    case CalcFault::DamperCurve: return leftOut(ControlMethod::OutletDamper);
    case CalcFault::InletVaneCurve: return leftOut(ControlMethod::InletVane);
    case CalcFault::ValveCurve: return leftOut(ControlMethod::ThrottlingValve);
    case CalcFault::Custom1Curve: return leftOut(ControlMethod::CustomControl1);
    case CalcFault::Custom2Curve: return leftOut(ControlMethod::CustomControl2);
    }
    return {};
}

}  // namespace

void TFANFORM::Calculate(int app)
{
    CalculateRivuve(app, *this);
    ReportNewFaults();
}

void TFANFORM::ReportNewFaults()
{
    const std::vector<CalcFault>& faults = LastCalcStatus.Faults;
    if (faults.empty()) {
        namedFaults_.clear();
        return;
    }
    std::string lines;
    for (CalcFault fault : faults) {
        if (std::find(namedFaults_.begin(), namedFaults_.end(), fault) != namedFaults_.end())
            continue;
        namedFaults_.push_back(fault);
        lines += (lines.empty() ? "" : "\r") + FaultLine(fault, *this);
    }
    if (!lines.empty())
        gui::MessageDlg(lines, gui::mtError, 1u << gui::mbOK, 0);
}

void TFANFORM::RecalculateAndRedraw()
{
    if (CheckDutyCycleTotal()) {
        if (AppType == 1 || AppType == 2) {
            Calculate(AppType);
            ShowComparison(std::uint8_t(AppType));
        }
        RedrawSelectedGraph();
    }
    RefillDutyChart();
}

void TFANFORM::RefillDutyChart()
{
    DutySeries1->Clear();
    DutySeries1->AddXY(0, 0);
    if (AppType != 1 && AppType != 2)
        return;
    const ByFlowPoint<std::int32_t>& percent = AppType == 1 ? FanDutyPercent : PumpDutyPercent;
    for (int i = 1; i <= FlowPointCount; ++i)
        DutySeries1->AddXY(10 * i, percent[11 - i]);
}

void TFANFORM::ShowComparison(std::uint8_t app)
{
    if (app != 1 && app != 2)
        return;
    // Whatever fails while the page is filled ends the filling silently; the controls keep what they
    // had been given.
    try {
        FLOWM->SetCaption(ComparisonTitle(app, *this));

        // Cost positions: each filled one opens the method it names; the rest are hidden with empty
        // values (a pump never shows the sixth).
        const std::vector<RankedMethod> byCost = RankByCost(app, *this);
        for (std::size_t k = 0; k < Lines.size(); ++k) {
            const bool filled = k < byCost.size() && !(app == 2 && k == 5);
            if (filled) {
                Lines[k]->SetCaption(byCost[k].Caption);
                LineValues[k]->SetCaption(byCost[k].AmountText);
                Lines[k]->OnClick = HandlerOf(*this, byCost[k].Method);
            } else {
                LineValues[k]->SetCaption("");
            }
            Lines[k]->SetVisible(filled);
        }

        // Savings rows: the unfilled ones emptied and hidden, but for a pump's fifth row, which is only
        // emptied.
        const std::vector<RankedMethod> bySavings = RankBySavings(app, *this);
        for (std::size_t k = 0; k < CONTROL.size(); ++k) {
            const bool filled = k < bySavings.size();
            CONTROL[k]->SetCaption(filled ? bySavings[k].Caption : "");
            VALUE[k]->SetCaption(filled ? bySavings[k].AmountText : "");
            if (app == 2 && k == 4)
                continue;
            CONTROL[k]->SetVisible(filled);
            VALUE[k]->SetVisible(filled);
        }

        const IncentiveType incentive = Incentive02->Checked() ? IncentiveType::Yearly : IncentiveType::OneTime;
        const auto rows = PaybackRows(app, incentive, *this);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            PAYBACK[k]->SetCaption(rows[k].Caption);
            PAYBACKVALUE[k]->SetCaption(rows[k].Value);
            PAYBACKVALUE[k]->Font()->SetColor(rows[k].Red ? gui::clRed : gui::clBlack);
        }
    } catch (const std::exception&) {
    }
}

void TFANFORM::OpenOverview(int app, int method)
{
    if (!CheckDutyCycleTotal())
        return;
    Calculate(app);
    ShowCalculationOverview(app, method);
}

void TFANFORM::LINE1Click(classes::TObject*)
{
    gui::MessageDlg(Text("IDS_248"), gui::mtInformation, 1u << gui::mbOK, 0);
}

void TFANFORM::LINE2Click(classes::TObject*)
{
    if (AppType == 1 || AppType == 2)
        OpenOverview(AppType, 1);
    else
        CheckDutyCycleTotal();
}

void TFANFORM::LINE3Click(classes::TObject*)
{
    if (AppType == 1)
        OpenOverview(1, 2);
    else if (AppType == 2)
        OpenOverview(2, 3);
}

void TFANFORM::LINE4Click(classes::TObject*)
{
    OpenOverview(1, 3);
}

void TFANFORM::LINECUSTOM1Click(classes::TObject*)
{
    if (AppType == 1 || AppType == 2)
        OpenOverview(AppType, 4);
}

void TFANFORM::LINECUSTOM2Click(classes::TObject*)
{
    if (AppType == 1 || AppType == 2)
        OpenOverview(AppType, 5);
}

}  // namespace analysis
