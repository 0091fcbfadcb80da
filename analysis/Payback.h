#pragma once
// How many years the drive needs to pay for itself through its yearly saving against each other
// compared method. A company incentive per kW or HP counts once against the drive's price, or every
// year on top of the saving. Reads MotorPower, IncentiveAmount, VfdCost and the yearly costs of the
// last CalculateRivuve, and the custom-control switches and titles.

#include "analysis/Comparison.h"
#include "analysis/Texts.h"

#include <array>
#include <optional>
#include <string>

namespace analysis {

enum class IncentiveType { OneTime, Yearly };

struct PaybackValue {
    std::string Text;   // "Never" ("IDS_172"), "Immediately", or years with 3 decimals and " Years" ("IDS_173")
    bool Red;           // shown in red: the drive never pays back
};

// The payback for a yearly saving S = C - V. With the incentive total G = MotorPower x IncentiveAmount:
// one-time, "Never" when S <= 0, "Immediately" when VfdCost - G <= 0, else (VfdCost - G) / S years;
// yearly, "Never" when S + G <= 0, else VfdCost / (S + G) years.
PaybackValue PaybackFor(double saving, IncentiveType type, const TextSource& texts);

inline constexpr int PaybackRowCount = 5;

// The method of each payback row, in a fixed order: no speed control, then the fan's damper and vane or
// the pump's valve, then the enabled custom controls; rows without a method are empty.
std::array<std::optional<ControlMethod>, PaybackRowCount> PaybackMethods(int appType, bool custom1Enabled,
                                                                        bool custom2Enabled);

struct PaybackRow {
    std::string Caption;
    std::string Value;
    bool Red = false;
};

// Rows 1..5 of the payback group. A method the last calculation could not compute keeps its caption
// with an empty value; a row without a method is empty.
std::array<PaybackRow, PaybackRowCount> PaybackRows(int appType, IncentiveType type, const TextSource& texts);

}  // namespace analysis
