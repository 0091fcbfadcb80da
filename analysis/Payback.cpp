#include "analysis/Payback.h"

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/NumberText.h"

namespace analysis {

namespace {

PaybackValue Years(double years, const TextSource& texts)
{
    return {FloatToGroupedText(3, years) + texts.Text("IDS_173"), false};
}

PaybackValue Never(const TextSource& texts)
{
    return {texts.Text("IDS_172"), true};
}

}  // namespace

PaybackValue PaybackFor(double saving, IncentiveType type, const TextSource& texts)
{
    const double incentive = MotorPower * IncentiveAmount;
    if (type == IncentiveType::Yearly) {
        if (saving + incentive <= 0)
            return Never(texts);
        return Years(VfdCost / (saving + incentive), texts);
    }
    // The saving decides first: a drive that saves nothing never pays back, whatever the incentive.
    if (saving <= 0)
        return Never(texts);
    if (VfdCost - incentive <= 0)
        return {"Immediately", false};
    return Years((VfdCost - incentive) / saving, texts);
}

std::array<std::optional<ControlMethod>, PaybackRowCount> PaybackMethods(int appType, bool custom1Enabled,
                                                                        bool custom2Enabled)
{
    std::array<std::optional<ControlMethod>, PaybackRowCount> rows;
    int row = 0;
    for (ControlMethod method : ComparedMethods(appType, custom1Enabled, custom2Enabled))
        if (method != ControlMethod::VfdControl)
            rows[size_t(row++)] = method;
    return rows;
}

std::array<PaybackRow, PaybackRowCount> PaybackRows(int appType, IncentiveType type, const TextSource& texts)
{
    std::array<PaybackRow, PaybackRowCount> rows;
    const auto methods = PaybackMethods(appType, Custom1Enabled, Custom2Enabled);
    const double driveCost = YearlyCostOf(appType, ControlMethod::VfdControl);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!methods[i])
            continue;
        rows[i].Caption = MethodCaption(*methods[i], texts);
        if (!MethodComputed(*methods[i]))
            continue;
        const PaybackValue value = PaybackFor(YearlyCostOf(appType, *methods[i]) - driveCost, type, texts);
        rows[i].Value = value.Text;
        rows[i].Red = value.Red;
    }
    return rows;
}

}  // namespace analysis
