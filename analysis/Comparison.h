#pragma once
// The comparison of control methods on the results page: the compared methods ranked by yearly cost,
// cheapest first, and by the drive's yearly saving against each, largest first. Reads the yearly costs
// of the last CalculateRivuve for the same application, the custom-control switches and titles, and
// LastCalcStatus: a method the calculation could not compute takes no place in either ranking.

#include "analysis/Texts.h"

#include <string>
#include <vector>

namespace analysis {

enum class ControlMethod {
    NoSpeedControl,
    VfdControl,
    OutletDamper,
    InletVane,
    ThrottlingValve,
    CustomControl1,
    CustomControl2,
};

// The name of the method in code ("OutletDamper").
const char* ControlMethodName(ControlMethod method);

// Numbers of the methods in the cost ranking (1 no speed control, 2 drive, then fan 3 damper, 4 vane,
// 5 and 6 the custom controls; pump 3 valve, 4 and 5 the custom controls) and in the savings ranking
// (the same without the drive). 0 for a method the application does not have.
int CostMethodNumber(int appType, ControlMethod method);
int SavingsMethodNumber(int appType, ControlMethod method);

// The methods an application compares, in the order the rankings list them before sorting: the fixed
// ones, then custom control 1 and custom control 2 when enabled.
std::vector<ControlMethod> ComparedMethods(int appType, bool custom1Enabled, bool custom2Enabled);

// The yearly cost of a method for the application, and whether the last calculation computed it.
double YearlyCostOf(int appType, ControlMethod method);
bool MethodComputed(ControlMethod method);

// The method's caption: a looked-up text, or the custom control's title.
std::string MethodCaption(ControlMethod method, const TextSource& texts);

// The page title: "IDS_115" for a fan, "IDS_120" for a pump.
std::string ComparisonTitle(int appType, const TextSource& texts);

// Money as shown: the currency symbol, a blank, the amount grouped with no decimals ("$ -500").
std::string MoneyText(double amount);

// One position of a ranking.
struct ComparisonEntry {
    double SortKey = 0;
    int MethodNumber = 0;
};

// Selection sort of the first n entries, swapping whole entries; among equal keys the first one met
// from the current position on is taken, so keys 5, 5, 1 sort ascending as 1, 5 (the second), 5.
void SortMethodsAscending(std::vector<ComparisonEntry>& entries, int n);
void SortMethodsDescending(std::vector<ComparisonEntry>& entries, int n);

struct RankedMethod {
    ControlMethod Method;
    int MethodNumber;        // in the ranking's own numbering
    std::string Caption;
    double Amount;           // the yearly cost, or the saving C - V, unrounded
    std::string AmountText;  // MoneyText(Amount)
};

// Positions 1..n of the cost ranking: cheapest first.
std::vector<RankedMethod> RankByCost(int appType, const TextSource& texts);
// Rows 1..n of the savings ranking: by the saving against the drive rounded to whole currency units
// (halves to even), largest first; the drive itself takes no part.
std::vector<RankedMethod> RankBySavings(int appType, const TextSource& texts);

// How many positions of each group of the results page the compared methods fill.
struct PositionsUsed {
    int CostPositions;   // LINE1, LINE2, .. LINE4, LINECUSTOM1, LINECUSTOM2 in this order (pump: LINE1..)
    int SavingsRows;     // CONTROL1/VALUE1 ..
    int PaybackRows;     // PAYBACK1/PAYBACKVALUE1 ..
};
PositionsUsed PositionsUsedFor(int appType, bool custom1Enabled, bool custom2Enabled);

}  // namespace analysis
