#include "analysis/Comparison.h"

#include "analysis/Calculation.h"
#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "platform/rtl/Numbers.h"

#include <algorithm>
#include <utility>

namespace analysis {

namespace {

using Method = ControlMethod;

const std::vector<Method>& FixedMethods(int appType)
{
    static const std::vector<Method> fan{Method::NoSpeedControl, Method::VfdControl, Method::OutletDamper,
                                         Method::InletVane};
    static const std::vector<Method> pump{Method::NoSpeedControl, Method::VfdControl, Method::ThrottlingValve};
    static const std::vector<Method> none;
    return appType == 1 ? fan : appType == 2 ? pump : none;
}

template <class Better>
void SelectionSort(std::vector<ComparisonEntry>& entries, int n, Better better)
{
    n = std::min(n, int(entries.size()));
    for (int k = 0; k < n; ++k) {
        int best = k;
        for (int j = k + 1; j < n; ++j)
            if (better(entries[j].SortKey, entries[best].SortKey))
                best = j;
        std::swap(entries[k], entries[best]);
    }
}

// The methods that take part in a ranking: compared, and computed by the last calculation.
std::vector<Method> RankedMethods(int appType, bool withDrive)
{
    std::vector<Method> methods;
    for (Method method : ComparedMethods(appType, Custom1Enabled, Custom2Enabled))
        if ((withDrive || method != Method::VfdControl) && MethodComputed(method))
            methods.push_back(method);
    return methods;
}

std::vector<RankedMethod> Ranking(int appType, const TextSource& texts, bool bySavings)
{
    const std::vector<Method> methods = RankedMethods(appType, !bySavings);
    const double driveCost = YearlyCostOf(appType, Method::VfdControl);
    auto number = bySavings ? SavingsMethodNumber : CostMethodNumber;

    std::vector<ComparisonEntry> entries;
    for (Method method : methods) {
        const double cost = YearlyCostOf(appType, method);
        entries.push_back({bySavings ? double(rtl::Round(cost - driveCost)) : cost, number(appType, method)});
    }
    if (bySavings)
        SortMethodsDescending(entries, int(entries.size()));
    else
        SortMethodsAscending(entries, int(entries.size()));

    std::vector<RankedMethod> ranked;
    for (const ComparisonEntry& entry : entries) {
        for (Method method : methods) {
            if (number(appType, method) != entry.MethodNumber)
                continue;
            const double amount = bySavings ? YearlyCostOf(appType, method) - driveCost : YearlyCostOf(appType, method);
            ranked.push_back({method, entry.MethodNumber, MethodCaption(method, texts), amount, MoneyText(amount)});
        }
    }
    return ranked;
}

}  // namespace

const char* ControlMethodName(ControlMethod method)
{
    switch (method) {
    case Method::NoSpeedControl: return "NoSpeedControl";
    case Method::VfdControl: return "VfdControl";
    case Method::OutletDamper: return "OutletDamper";
    case Method::InletVane: return "InletVane";
    case Method::ThrottlingValve: return "ThrottlingValve";
    case Method::CustomControl1: return "CustomControl1";
    case Method::CustomControl2: return "CustomControl2";
    }
    return "";
}

int CostMethodNumber(int appType, ControlMethod method)
{
    const std::vector<Method>& fixed = FixedMethods(appType);
    if (fixed.empty())
        return 0;
    for (size_t i = 0; i < fixed.size(); ++i)
        if (fixed[i] == method)
            return int(i) + 1;
    if (method == Method::CustomControl1)
        return int(fixed.size()) + 1;
    if (method == Method::CustomControl2)
        return int(fixed.size()) + 2;
    return 0;
}

int SavingsMethodNumber(int appType, ControlMethod method)
{
    if (method == Method::VfdControl)
        return 0;
    const int number = CostMethodNumber(appType, method);
    return number <= 1 ? number : number - 1;
}

std::vector<ControlMethod> ComparedMethods(int appType, bool custom1Enabled, bool custom2Enabled)
{
    std::vector<Method> methods = FixedMethods(appType);
    if (methods.empty())
        return methods;
    if (custom1Enabled)
        methods.push_back(Method::CustomControl1);
    if (custom2Enabled)
        methods.push_back(Method::CustomControl2);
    return methods;
}

double YearlyCostOf(int appType, ControlMethod method)
{
    switch (method) {
    case Method::NoSpeedControl: return NoControlYearlyCost;
    case Method::VfdControl: return appType == 1 ? FanVfdYearlyCost : PumpVfdYearlyCost;
    case Method::OutletDamper: return DamperYearlyCost;
    case Method::InletVane: return InletVaneYearlyCost;
    case Method::ThrottlingValve: return ValveYearlyCost;
    case Method::CustomControl1: return Custom1YearlyCost;
    case Method::CustomControl2: return Custom2YearlyCost;
    }
    return 0;
}

bool MethodComputed(ControlMethod method)
{
    const CalcStatus& status = LastCalcStatus;
    if (status.Has(CalcFault::MotorEfficiency) || status.Has(CalcFault::VfdEfficiency))
        return false;
    switch (method) {
    case Method::OutletDamper: return !status.Has(CalcFault::DamperCurve);
    case Method::InletVane: return !status.Has(CalcFault::InletVaneCurve);
    case Method::ThrottlingValve: return !status.Has(CalcFault::ValveCurve);
    case Method::CustomControl1: return !status.Has(CalcFault::Custom1Curve);
    case Method::CustomControl2: return !status.Has(CalcFault::Custom2Curve);
    default: return true;
    }
}

std::string MethodCaption(ControlMethod method, const TextSource& texts)
{
    switch (method) {
    case Method::NoSpeedControl: return texts.Text("IDS_125");
    case Method::VfdControl: return texts.Text("IDS_126");
    case Method::OutletDamper: return texts.Text("IDS_127");
    case Method::InletVane: return texts.Text("IDS_128");
    case Method::ThrottlingValve: return texts.Text("IDS_188");
    case Method::CustomControl1: return Custom1Title.Str();
    case Method::CustomControl2: return Custom2Title.Str();
    }
    return {};
}

std::string ComparisonTitle(int appType, const TextSource& texts)
{
    return texts.Text(appType == 1 ? "IDS_115" : "IDS_120");
}

std::string MoneyText(double amount)
{
    return CurrencySymbol.Str() + " " + FloatToGroupedText(0, amount);
}

void SortMethodsAscending(std::vector<ComparisonEntry>& entries, int n)
{
    SelectionSort(entries, n, [](double a, double b) { return a < b; });
}

void SortMethodsDescending(std::vector<ComparisonEntry>& entries, int n)
{
    SelectionSort(entries, n, [](double a, double b) { return a > b; });
}

std::vector<RankedMethod> RankByCost(int appType, const TextSource& texts)
{
    return Ranking(appType, texts, false);
}

std::vector<RankedMethod> RankBySavings(int appType, const TextSource& texts)
{
    return Ranking(appType, texts, true);
}

PositionsUsed PositionsUsedFor(int appType, bool custom1Enabled, bool custom2Enabled)
{
    const int compared = int(ComparedMethods(appType, custom1Enabled, custom2Enabled).size());
    const int withoutDrive = compared > 0 ? compared - 1 : 0;
    return {compared, withoutDrive, withoutDrive};
}

}  // namespace analysis
