#pragma once
// The program-wide state of the estimator: identity and folders, the open project's state, units and
// currency, the options and control curves loaded from the registry, and the locale's number
// separators. Every window reads and writes these directly, on the GUI thread only. InitGlobals gives
// them their start values once, before the first window exists; options not listed there stay zero
// until the options loader fills them.
//
// The parameter tables live in ParamTable.h, the calculation's inputs and results in Calculation.h,
// and the number-text routines in NumberText.h.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ShortString.h"

#include <array>
#include <cstdint>
#include <string>

namespace analysis {

// An array indexed 1..N, as the program's records and tables are; another index raises
// rtl::EInvalidArgument.
template <class T, int N>
class OneBasedArray {
public:
    static constexpr int Count() { return N; }
    T& operator[](int index) { return values_[Checked(index)]; }
    const T& operator[](int index) const { return values_[Checked(index)]; }
    void Fill(const T& value) { values_.fill(value); }
    auto begin() { return values_.begin(); }
    auto end() { return values_.end(); }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }

private:
    static std::size_t Checked(int index)
    {
        if (index < 1 || index > N)
            throw rtl::EInvalidArgument("Index " + std::to_string(index) + " is outside 1.." + std::to_string(N));
        return std::size_t(index - 1);
    }

    std::array<T, N> values_{};
};

// The ten flow points: FlowPoint 1 is 100 % of rated flow, 10 is 10 %. Duty cycles, control curves and
// every result of the calculation are indexed by flow point.
inline constexpr int FlowPointCount = 10;
template <class T>
using ByFlowPoint = OneBasedArray<T, FlowPointCount>;
using ControlCurve = ByFlowPoint<double>;

// --- identity and folders ---
extern std::string ExeFolder;            // the program's folder, without a trailing separator
extern std::string TempFolder;           // the private temporary folder, without a trailing separator
extern rtl::ShortString<24> FileTypeText;
extern rtl::ShortString<7> VersionText;
extern std::string ProductTitle;

// --- project state ---
extern bool ProjectOpen;
extern bool ProjectModified;
extern std::string ProjectFileName;
extern std::int32_t AppType;             // 1 fan, 2 pump; set by the main window
extern std::string AppTypeText;          // "FAN" or "PUMP"
extern std::int32_t FileAppType;         // of the last project file read: 1 fan, 2 pump, 3 cooling tower
extern std::string CmdLineFileName;
extern bool CmdLineFileExists;
extern OneBasedArray<rtl::ShortString<80>, 20> InfoLines;
extern OneBasedArray<std::string, 4> RecentFiles;   // newest first
extern bool FanFormReady;
extern std::int32_t OverviewApp;
extern std::int32_t OverviewMethod;
extern std::int32_t ChartStyle;          // 1..6
extern ByFlowPoint<rtl::ShortString<5>> DutyCycleText;   // copied from the duty edits by their check
extern std::uint8_t RtfExportActive;     // 1 only while the report is exported as RTF

// --- units and currency ---
extern std::uint16_t LanguageIndex;      // only 0 (English) is used
extern bool PowerInKW;                   // motor power in kW, else HP
extern double PowerUnitFactor;           // 1.0 for kW, 0.7457 for HP
extern std::int32_t CurrencyMode;        // 0 Euro, 1 Dollar, 2 Pound, 3 user-defined
extern rtl::ShortString<10> CurrencySymbol;
extern rtl::ShortString<10> CurrencySubunit;
extern rtl::ShortString<5> CustomCurrency;
extern rtl::ShortString<10> CurrencyName;

// --- options and control data, filled by the options loader ---
extern bool ShowCustomerInfo;
extern bool ShowTitle;
extern bool UseCustomLogo;
extern bool RoundPrices;
extern bool QuoteFollowUp;
extern bool WelcomeMessage;
extern bool LetterheadPaper;
extern bool AutoUpdateCheck;
extern bool Custom1Enabled;
extern bool Custom2Enabled;
extern bool DamperSelected;
extern bool InletVaneSelected;
extern bool ValveSelected;
extern rtl::ShortString<30> Custom1Title;
extern rtl::ShortString<30> Custom2Title;
extern rtl::ShortString<80> ClosingLine1;
extern rtl::ShortString<80> ClosingLine2;
// The divisors of each control method per flow point; VfdCurve holds the drive's efficiency.
extern ControlCurve VfdCurve;
extern ControlCurve DamperCurve;
extern ControlCurve InletVaneCurve;
extern ControlCurve ValveCurve;
extern ControlCurve Custom1Curve;
extern ControlCurve Custom2Curve;

// --- number separators of the system's default locale ---
extern char LocaleDecimalSep;
extern char LocaleThousandSep;

// Sets every start value, in a fixed order: folders, separators, identity, the project state, units
// and currency. The private temporary folder is created here; an unsafe one raises rtl::EOSError.
void InitGlobals();

// Reads the separators of the system's default locale. When the two are equal (or the locale gives
// none), '.' and ',' are used instead, by the program and by the runtime's own formatting alike.
void InitNumberSeparators();

// The program's private temporary folder, with its trailing separator.
std::string GetTempFolder();

// For a non-zero file error code (an errno value) shows the system's text for it in a warning box and
// returns true; for 0 returns false without a box.
bool ShowIOError(int errorCode);

}  // namespace analysis
