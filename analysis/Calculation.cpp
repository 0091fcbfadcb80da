#include "analysis/Calculation.h"

#include "analysis/NumberText.h"
#include "platform/rtl/Numbers.h"

#include <algorithm>

namespace analysis {

CalcStatus LastCalcStatus;

std::int32_t HoursPerDay = 0;
std::int32_t DaysPerWeek = 0;
std::int32_t WeeksPerYear = 0;
double RivuveCost = 0;
double MotorPower = 0;
double MotorEfficiency = 0;
double VfdEfficiency = 0;
double IncentiveAmount = 0;
double VfdCost = 0;

std::int32_t YearlyHours = 0;
ByFlowPoint<std::int32_t> FanDutyPercent;
ByFlowPoint<std::int32_t> PumpDutyPercent;
ByFlowPoint<double> FanHours;
ByFlowPoint<double> PumpHours;
double FanTotalHours = 0;
double PumpTotalHours = 0;

ByFlowPoint<double> FanVfdPower;
ByFlowPoint<double> PumpVfdPower;
ByFlowPoint<double> DamperPower;
ByFlowPoint<double> InletVanePower;
ByFlowPoint<double> ValvePower;
ByFlowPoint<double> Custom1Power;
ByFlowPoint<double> Custom2Power;

ByFlowPoint<double> FanVfdCostPerHour;
ByFlowPoint<double> PumpVfdCostPerHour;
ByFlowPoint<double> DamperCostPerHour;
ByFlowPoint<double> InletVaneCostPerHour;
ByFlowPoint<double> ValveCostPerHour;
ByFlowPoint<double> Custom1CostPerHour;
ByFlowPoint<double> Custom2CostPerHour;

ByFlowPoint<double> FanVfdPointCost;
ByFlowPoint<double> PumpVfdPointCost;
ByFlowPoint<double> DamperPointCost;
ByFlowPoint<double> InletVanePointCost;
ByFlowPoint<double> ValvePointCost;
ByFlowPoint<double> Custom1PointCost;
ByFlowPoint<double> Custom2PointCost;

double FanVfdYearlyCost = 0;
double PumpVfdYearlyCost = 0;
double DamperYearlyCost = 0;
double InletVaneYearlyCost = 0;
double ValveYearlyCost = 0;
double Custom1YearlyCost = 0;
double Custom2YearlyCost = 0;
double NoControlYearlyCost = 0;

double FlowFraction(int flowPoint)
{
    return 0.1 * (11 - flowPoint);
}

const char* CalcFaultName(CalcFault fault)
{
    switch (fault) {
    case CalcFault::MotorEfficiency: return "MotorEfficiency";
    case CalcFault::VfdEfficiency: return "VfdEfficiency";
    case CalcFault::DamperCurve: return "DamperCurve";
    case CalcFault::InletVaneCurve: return "InletVaneCurve";
    case CalcFault::ValveCurve: return "ValveCurve";
    case CalcFault::Custom1Curve: return "Custom1Curve";
    case CalcFault::Custom2Curve: return "Custom2Curve";
    }
    return "";
}

bool CalcStatus::Has(CalcFault fault) const
{
    return std::find(Faults.begin(), Faults.end(), fault) != Faults.end();
}

namespace {

// The arrays of one control method. The drive has no curve: its efficiency divides its cost instead.
struct MethodArrays {
    ByFlowPoint<double>& power;
    ByFlowPoint<double>& costPerHour;
    ByFlowPoint<double>& pointCost;
    double& yearlyCost;
    const ControlCurve* curve;
    CalcFault curveFault;
};

struct Application {
    ByFlowPoint<std::int32_t>& dutyPercent;
    ByFlowPoint<double>& hours;
    double& totalHours;
    std::vector<MethodArrays> methods;   // the drive first
};

Application FanApplication()
{
    return {FanDutyPercent, FanHours, FanTotalHours,
            {{FanVfdPower, FanVfdCostPerHour, FanVfdPointCost, FanVfdYearlyCost, nullptr, CalcFault::VfdEfficiency},
             {DamperPower, DamperCostPerHour, DamperPointCost, DamperYearlyCost, &DamperCurve, CalcFault::DamperCurve},
             {InletVanePower, InletVaneCostPerHour, InletVanePointCost, InletVaneYearlyCost, &InletVaneCurve,
              CalcFault::InletVaneCurve},
             {Custom1Power, Custom1CostPerHour, Custom1PointCost, Custom1YearlyCost, &Custom1Curve,
              CalcFault::Custom1Curve},
             {Custom2Power, Custom2CostPerHour, Custom2PointCost, Custom2YearlyCost, &Custom2Curve,
              CalcFault::Custom2Curve}}};
}

Application PumpApplication()
{
    return {PumpDutyPercent, PumpHours, PumpTotalHours,
            {{PumpVfdPower, PumpVfdCostPerHour, PumpVfdPointCost, PumpVfdYearlyCost, nullptr, CalcFault::VfdEfficiency},
             {ValvePower, ValveCostPerHour, ValvePointCost, ValveYearlyCost, &ValveCurve, CalcFault::ValveCurve},
             {Custom1Power, Custom1CostPerHour, Custom1PointCost, Custom1YearlyCost, &Custom1Curve,
              CalcFault::Custom1Curve},
             {Custom2Power, Custom2CostPerHour, Custom2PointCost, Custom2YearlyCost, &Custom2Curve,
              CalcFault::Custom2Curve}}};
}

void ReadInputs(const RivuveInputs& inputs)
{
    HoursPerDay = TextToInt(inputs.EditText(InputEdit::A101));
    DaysPerWeek = TextToInt(inputs.EditText(InputEdit::A102));
    WeeksPerYear = TextToInt(inputs.EditText(InputEdit::A103));
    RivuveCost = TextToDouble(inputs.EditText(InputEdit::A104));
    MotorPower = TextToDouble(inputs.EditText(InputEdit::A105));
    MotorEfficiency = TextToDouble(inputs.EditText(InputEdit::A106));
    VfdEfficiency = VfdCurve[1];
    IncentiveAmount = TextToDouble(inputs.EditText(InputEdit::A108));
    VfdCost = TextToDouble(inputs.EditText(InputEdit::A109));
}

void ComputeYearlyHours()
{
    // 64-bit, so absurd entries cannot overflow; the window's limits keep the product far below 2^31.
    const std::int64_t product = std::int64_t(HoursPerDay) * DaysPerWeek * WeeksPerYear;
    // Continuous operation, 24 x 7 x 52, counts as a whole year of 365 days.
    YearlyHours = product == 8736 ? 8760 : std::int32_t(product);
}

void ComputeHoursPerPoint(Application& app, const RivuveInputs& inputs)
{
    app.totalHours = 0;
    for (int i = 1; i <= FlowPointCount; ++i) {
        app.dutyPercent[i] = TextToInt(inputs.DutyCycleText(i));
        app.hours[i] = YearlyHours * (app.dutyPercent[i] / 100.0);
        app.totalHours += app.hours[i];
    }
}

bool CurveHoldsZero(const ControlCurve& curve)
{
    return std::find(curve.begin(), curve.end(), 0.0) != curve.end();
}

// A custom control that is not compared shows nothing, so a fault in its curve has nobody to concern.
bool CurveFaultReported(CalcFault fault)
{
    if (fault == CalcFault::Custom1Curve)
        return Custom1Enabled;
    if (fault == CalcFault::Custom2Curve)
        return Custom2Enabled;
    return true;
}

void ClearMethod(MethodArrays& method)
{
    method.power.Fill(0);
    method.costPerHour.Fill(0);
    method.pointCost.Fill(0);
    method.yearlyCost = 0;
}

void ClearAll(Application& app)
{
    YearlyHours = 0;
    app.dutyPercent.Fill(0);
    app.hours.Fill(0);
    app.totalHours = 0;
    for (MethodArrays& method : app.methods)
        ClearMethod(method);
    NoControlYearlyCost = 0;
}

void ComputePower(MethodArrays& method)
{
    for (int i = 1; i <= FlowPointCount; ++i) {
        const long double q = 0.1L * (11 - i);
        const long double cube = q * q * q;
        method.power[i] = method.curve ? double(cube * MotorPower / (*method.curve)[i]) : double(cube * MotorPower);
    }
}

// Money per hour is kept to the cent, as it is shown; the rounding goes through the fixed-point text.
double RoundToCents(double value)
{
    int errorPos;
    return rtl::ValFloat(FixedText(2, value), errorPos);
}

void ComputeCosts(MethodArrays& method, const ByFlowPoint<double>& hours)
{
    const long double divisor = method.curve ? (long double)MotorEfficiency
                                             : (long double)MotorEfficiency * VfdEfficiency;
    method.yearlyCost = 0;
    for (int i = 1; i <= FlowPointCount; ++i) {
        const long double cost = (long double)method.power[i] * PowerUnitFactor * RivuveCost / divisor;
        method.costPerHour[i] = RoundToCents(double(cost));
        method.pointCost[i] = method.costPerHour[i] * hours[i];
        method.yearlyCost += method.pointCost[i];
    }
}

CalcStatus Calculate(Application app, const RivuveInputs& inputs)
{
    CalcStatus status;
    RivuveCost = RivuveCost / 100;
    MotorEfficiency = MotorEfficiency / 100;
    if (MotorEfficiency == 0)
        status.Faults.push_back(CalcFault::MotorEfficiency);
    if (VfdEfficiency == 0)
        status.Faults.push_back(CalcFault::VfdEfficiency);
    if (!status.Ok()) {
        ClearAll(app);
        return status;
    }

    ComputeYearlyHours();
    ComputeHoursPerPoint(app, inputs);
    NoControlYearlyCost = YearlyHours * MotorPower / MotorEfficiency * PowerUnitFactor * RivuveCost;
    for (MethodArrays& method : app.methods) {
        if (method.curve && CurveHoldsZero(*method.curve)) {
            if (CurveFaultReported(method.curveFault))
                status.Faults.push_back(method.curveFault);
            ClearMethod(method);
            continue;
        }
        ComputePower(method);
        ComputeCosts(method, app.hours);
    }
    return status;
}

}  // namespace

CalcStatus CalculateRivuve(int appType, const RivuveInputs& inputs)
{
    ReadInputs(inputs);
    CalcStatus status;
    if (appType == 1)
        status = Calculate(FanApplication(), inputs);
    else if (appType == 2)
        status = Calculate(PumpApplication(), inputs);
    LastCalcStatus = status;
    return status;
}

}  // namespace analysis
