#pragma once
// The estimate of one fan or pump application: yearly operating hours, and for every way of
// controlling the flow the shaft power, the operating cost per hour and per flow point, and the yearly
// cost. CalculateRivuve reads the entered texts through RivuveInputs and leaves every result in the
// program-wide variables below, which the comparison, the graphs, the report and the calculation
// overview read afterwards.

#include "analysis/Globals.h"

#include <cstdint>
#include <string>
#include <vector>

namespace analysis {

// Flow fraction of a flow point: 1.0 at point 1 down to 0.1 at point 10.
double FlowFraction(int flowPoint);

// The entry fields the calculation reads; the analysis window's edits carry these names.
enum class InputEdit {
    A101 = 101,   // hours per day
    A102,         // days per week
    A103,         // weeks per year
    A104,         // cost of one kWh in the hundredth currency unit
    A105,         // rated motor power, kW or HP
    A106,         // motor efficiency, percent
    A108 = 108,   // incentive per kW or HP
    A109,         // drive cost
};

// Where the calculation takes its entered texts: the analysis window's edits, or a test.
class RivuveInputs {
public:
    virtual ~RivuveInputs() = default;
    virtual std::string EditText(InputEdit edit) const = 0;
    // The duty-cycle text of flow point 1..10, in percent of the operating time.
    virtual std::string DutyCycleText(int flowPoint) const = 0;
};

// An input that would divide by zero. A curve fault leaves only its method uncomputed; an efficiency
// fault leaves the whole calculation uncomputed. The curve of a custom control that is not compared
// (Custom1Enabled, Custom2Enabled) is no fault, though its results are cleared all the same.
enum class CalcFault { MotorEfficiency, VfdEfficiency, DamperCurve, InletVaneCurve, ValveCurve, Custom1Curve, Custom2Curve };

const char* CalcFaultName(CalcFault fault);

struct CalcStatus {
    // Each failing input once, in the order the inputs are read.
    std::vector<CalcFault> Faults;

    bool Ok() const { return Faults.empty(); }
    bool Has(CalcFault fault) const;
};

// Computes the fan (appType 1) or pump (2) results; any other value reads the inputs and computes
// nothing. The divisors are checked first: a method whose curve holds a 0 gets cleared results, and
// a motor or drive efficiency of 0 clears every result of the call. The status is also kept in
// LastCalcStatus.
CalcStatus CalculateRivuve(int appType, const RivuveInputs& inputs);

extern CalcStatus LastCalcStatus;

// --- inputs, as read by the last call ---
extern std::int32_t HoursPerDay;
extern std::int32_t DaysPerWeek;
extern std::int32_t WeeksPerYear;
extern double RivuveCost;        // currency unit per kWh (the entry divided by 100)
extern double MotorPower;        // kW or HP, as entered
extern double MotorEfficiency;   // fraction (the entry divided by 100)
extern double VfdEfficiency;     // fraction, VfdCurve[1]
extern double IncentiveAmount;   // per kW or HP
extern double VfdCost;

// --- results; each call writes its application's and the shared ones ---
extern std::int32_t YearlyHours;
extern ByFlowPoint<std::int32_t> FanDutyPercent;
extern ByFlowPoint<std::int32_t> PumpDutyPercent;
extern ByFlowPoint<double> FanHours;
extern ByFlowPoint<double> PumpHours;
extern double FanTotalHours;
extern double PumpTotalHours;

// Power at each flow point, in the unit of the motor power.
extern ByFlowPoint<double> FanVfdPower;
extern ByFlowPoint<double> PumpVfdPower;
extern ByFlowPoint<double> DamperPower;
extern ByFlowPoint<double> InletVanePower;
extern ByFlowPoint<double> ValvePower;
extern ByFlowPoint<double> Custom1Power;
extern ByFlowPoint<double> Custom2Power;

// Operating cost per hour at each flow point, rounded to the cent.
extern ByFlowPoint<double> FanVfdCostPerHour;
extern ByFlowPoint<double> PumpVfdCostPerHour;
extern ByFlowPoint<double> DamperCostPerHour;
extern ByFlowPoint<double> InletVaneCostPerHour;
extern ByFlowPoint<double> ValveCostPerHour;
extern ByFlowPoint<double> Custom1CostPerHour;
extern ByFlowPoint<double> Custom2CostPerHour;

// Yearly cost at each flow point: cost per hour times the point's yearly hours.
extern ByFlowPoint<double> FanVfdPointCost;
extern ByFlowPoint<double> PumpVfdPointCost;
extern ByFlowPoint<double> DamperPointCost;
extern ByFlowPoint<double> InletVanePointCost;
extern ByFlowPoint<double> ValvePointCost;
extern ByFlowPoint<double> Custom1PointCost;
extern ByFlowPoint<double> Custom2PointCost;

// Yearly cost: the sum of the point costs, not rounded.
extern double FanVfdYearlyCost;
extern double PumpVfdYearlyCost;
extern double DamperYearlyCost;
extern double InletVaneYearlyCost;
extern double ValveYearlyCost;
extern double Custom1YearlyCost;
extern double Custom2YearlyCost;
// The motor at its rated power all year, whatever the duty cycle.
extern double NoControlYearlyCost;

}  // namespace analysis
