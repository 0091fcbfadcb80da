// estimate: the fan and pump estimate of a project built from the parameters' built-in values, with
// "N=value" arguments replacing parameter N. Prints every input and result as "name value" lines, one
// value per line, numbers with '.' as the decimal point, so the figures can be checked from outside.
//
// "estimate project.kvx [N=value ...]" reads the project file as the Open command does (the check
// pass, then the live pass) and estimates the file's application only. The file name arrives in UTF-8
// and is taken in the process code page. The reader's messages go to the standard error stream and
// take their default answer; a refused file ends the command with exit code 2, a file opened with lines
// the reader reported (line errors, parameters out of range) prints its estimate and ends with exit
// code 1. The options the reader writes go to a temporary registry file unless RIVUVE_REGISTRY names one.
//
// Texts (the method captions, the reader's messages) come from the windows' stored data in the program's
// resources, as in the program; they are printed in UTF-8.

#include "analysis/Calculation.h"
#include "analysis/Comparison.h"
#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"
#include "analysis/Payback.h"
#include "analysis/Texts.h"
#include "platform/classes/Component.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/services/DialogService.h"
#include "shell/ProjectWindows.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"
#include "tools/common/ProjectOpening.h"
#include "translation/Lingua.h"
#include "translation/TranslationForm.h"

#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace analysis;

const rtl::FormatSettings& PointSettings()
{
    static const rtl::FormatSettings settings = [] {
        rtl::FormatSettings s;
        s.DecimalSeparator = '.';
        return s;
    }();
    return settings;
}

// One "name value" line; the program's texts are in the ANSI code page, the terminal's in UTF-8.
void PrintLine(const std::string& name, const std::string& value)
{
    std::printf("%s %s\n", name.c_str(), rtl::AnsiToUtf8(value).c_str());
}

std::string Number(double value)
{
    return rtl::FloatToStr(value, PointSettings());
}

// A single-precision parameter value with the digits it holds.
std::string SingleNumber(float value)
{
    return rtl::FloatToStrF(value, rtl::FloatFormat::General, 7, 0, PointSettings());
}

// Applies one "N=value" argument to the parameter table.
void ApplyArgument(const std::string& argument)
{
    const size_t equals = argument.find('=');
    std::int32_t number = 0;
    double value = 0;
    if (equals == std::string::npos || !rtl::TryStrToInt(argument.substr(0, equals), number) ||
        !rtl::TryStrToFloat(argument.substr(equals + 1), value, PointSettings()))
        throw rtl::EConvertError("'" + argument + "' is not of the form N=value (a parameter number and a number)");
    if (number < 1 || number > DefinedParamCount)
        throw rtl::EConvertError("There is no parameter " + rtl::IntToStr(number) + "; parameters are 1.." +
                                 rtl::IntToStr(DefinedParamCount));
    TParamRecord& record = *ParamTable[number];
    if (float(value) < record.MinValue || float(value) > record.MaxValue)
        throw rtl::EConvertError("Parameter " + rtl::IntToStr(number) + " must lie between " +
                                 SingleNumber(record.MinValue) + " and " + SingleNumber(record.MaxValue));
    record.Value = float(value);
}

// "N=value" overrides a parameter; any other first argument names a project file.
bool IsParamArgument(const std::string& argument)
{
    const size_t equals = argument.find('=');
    return equals != std::string::npos && equals > 0 &&
           argument.find_first_not_of("0123456789") == equals;
}

// The windows the reader fills: only the customer texts are kept, to be printed.
class ProjectTexts final : public shell::ProjectWindows {
public:
    std::array<std::string, shell::CustomerEditCount> customer;

    std::string CustomerText(shell::CustomerEdit edit) const override { return customer[size_t(edit) - 1]; }
    void SetCustomerText(shell::CustomerEdit edit, const std::string& text) override
    {
        customer[size_t(edit) - 1] = text;
    }
    std::string CustomTitleText(int) const override { return {}; }
    void CheckCurrencyButton(shell::CurrencyButton) override {}
    void SetCustomCurrencyText(const std::string&) override {}
    void CheckPowerButton(shell::PowerButton) override {}
};

// The windows whose string tables the texts come from, read from the program's resources: the analysis
// window's (the comparison and the payback) and the hidden translation window's (the project file's
// messages).
class StoredWindows {
public:
    StoredWindows()
        : analysisTexts_(translation::ReadStoredWindow(analysisWindow_, "TFANFORM")),
          translationTexts_(*translationWindow_.trLingua1())
    {
    }

    const TextSource& AnalysisTexts() const { return analysisTexts_; }
    const TextSource& TranslationTexts() const { return translationTexts_; }

private:
    classes::TComponent analysisWindow_{nullptr};
    translation::TTranslationForm translationWindow_{nullptr};
    LinguaTexts<translation::TtrCustomLang> analysisTexts_;
    LinguaTexts<translation::TtrCustomLang> translationTexts_;
};

const char* const kCustomerEditNames[shell::CustomerEditCount] = {
    "PREPFOR", "Titlefor", "Companyfor", "AddressFor", "ZipFor",
    "CountryFor", "Telfor", "Faxfor", "EmailFor", "PROJECTNAME",
};

// What the project file set, besides the parameters.
void PrintProject(const ProjectTexts& windows)
{
    PrintLine("project.FileAppType", rtl::IntToStr(FileAppType));
    PrintLine("project.PowerInKW", PowerInKW ? "1" : "0");
    PrintLine("project.CurrencyMode", rtl::IntToStr(CurrencyMode));
    PrintLine("project.CurrencySymbol", CurrencySymbol.Str());
    PrintLine("project.CurrencySubunit", CurrencySubunit.Str());
    for (int i = 0; i < shell::CustomerEditCount; ++i)
        PrintLine(std::string("project.") + kCustomerEditNames[i], windows.customer[size_t(i)]);
}

class Printer {
public:
    explicit Printer(std::string prefix) : prefix_(std::move(prefix)) {}
    void Line(const std::string& name, const std::string& value) const { PrintLine(prefix_ + "." + name, value); }
    void Value(const std::string& name, double value) const { Line(name, Number(value)); }
    template <class T>
    void Array(const std::string& name, const ByFlowPoint<T>& values) const
    {
        for (int i = 1; i <= FlowPointCount; ++i)
            Value(name + "[" + std::to_string(i) + "]", double(values[i]));
    }

private:
    std::string prefix_;
};

void PrintInputs(const Printer& out)
{
    out.Value("HoursPerDay", HoursPerDay);
    out.Value("DaysPerWeek", DaysPerWeek);
    out.Value("WeeksPerYear", WeeksPerYear);
    out.Value("RivuveCost", RivuveCost);
    out.Value("MotorPower", MotorPower);
    out.Value("MotorEfficiency", MotorEfficiency);
    out.Value("VfdEfficiency", VfdEfficiency);
    out.Value("IncentiveAmount", IncentiveAmount);
    out.Value("VfdCost", VfdCost);
    out.Value("PowerUnitFactor", PowerUnitFactor);
    out.Value("YearlyHours", YearlyHours);
}

void PrintFanResults(const Printer& out)
{
    out.Array("FanDutyPercent", FanDutyPercent);
    out.Array("FanHours", FanHours);
    out.Value("FanTotalHours", FanTotalHours);
    out.Array("FanVfdPower", FanVfdPower);
    out.Array("DamperPower", DamperPower);
    out.Array("InletVanePower", InletVanePower);
    out.Array("Custom1Power", Custom1Power);
    out.Array("Custom2Power", Custom2Power);
    out.Array("FanVfdCostPerHour", FanVfdCostPerHour);
    out.Array("DamperCostPerHour", DamperCostPerHour);
    out.Array("InletVaneCostPerHour", InletVaneCostPerHour);
    out.Array("Custom1CostPerHour", Custom1CostPerHour);
    out.Array("Custom2CostPerHour", Custom2CostPerHour);
    out.Array("FanVfdPointCost", FanVfdPointCost);
    out.Array("DamperPointCost", DamperPointCost);
    out.Array("InletVanePointCost", InletVanePointCost);
    out.Array("Custom1PointCost", Custom1PointCost);
    out.Array("Custom2PointCost", Custom2PointCost);
    out.Value("FanVfdYearlyCost", FanVfdYearlyCost);
    out.Value("DamperYearlyCost", DamperYearlyCost);
    out.Value("InletVaneYearlyCost", InletVaneYearlyCost);
    out.Value("Custom1YearlyCost", Custom1YearlyCost);
    out.Value("Custom2YearlyCost", Custom2YearlyCost);
    out.Value("NoControlYearlyCost", NoControlYearlyCost);
}

void PrintPumpResults(const Printer& out)
{
    out.Array("PumpDutyPercent", PumpDutyPercent);
    out.Array("PumpHours", PumpHours);
    out.Value("PumpTotalHours", PumpTotalHours);
    out.Array("PumpVfdPower", PumpVfdPower);
    out.Array("ValvePower", ValvePower);
    out.Array("Custom1Power", Custom1Power);
    out.Array("Custom2Power", Custom2Power);
    out.Array("PumpVfdCostPerHour", PumpVfdCostPerHour);
    out.Array("ValveCostPerHour", ValveCostPerHour);
    out.Array("Custom1CostPerHour", Custom1CostPerHour);
    out.Array("Custom2CostPerHour", Custom2CostPerHour);
    out.Array("PumpVfdPointCost", PumpVfdPointCost);
    out.Array("ValvePointCost", ValvePointCost);
    out.Array("Custom1PointCost", Custom1PointCost);
    out.Array("Custom2PointCost", Custom2PointCost);
    out.Value("PumpVfdYearlyCost", PumpVfdYearlyCost);
    out.Value("ValveYearlyCost", ValveYearlyCost);
    out.Value("Custom1YearlyCost", Custom1YearlyCost);
    out.Value("Custom2YearlyCost", Custom2YearlyCost);
    out.Value("NoControlYearlyCost", NoControlYearlyCost);
}

void PrintRanking(const Printer& out, const std::string& name, const std::vector<RankedMethod>& ranking)
{
    for (size_t k = 0; k < ranking.size(); ++k) {
        const std::string row = name + "[" + std::to_string(k + 1) + "]";
        out.Line(row + ".Method", ControlMethodName(ranking[k].Method));
        out.Line(row + ".Caption", ranking[k].Caption);
        out.Value(row + ".Amount", ranking[k].Amount);
    }
}

void PrintComparison(const Printer& out, int appType, const TextSource& texts)
{
    PrintRanking(out, "CostRank", RankByCost(appType, texts));
    PrintRanking(out, "SavingsRank", RankBySavings(appType, texts));
    const IncentiveType incentive =
        rtl::Round(ParamTable[73]->Value) == 1 ? IncentiveType::OneTime : IncentiveType::Yearly;
    const auto rows = PaybackRows(appType, incentive, texts);
    for (size_t k = 0; k < rows.size(); ++k) {
        if (rows[k].Caption.empty())
            continue;
        const std::string row = "Payback[" + std::to_string(k + 1) + "]";
        out.Line(row + ".Caption", rows[k].Caption);
        out.Line(row + ".Value", rows[k].Value);
    }
}

void Estimate(int appType, const std::string& prefix, const TextSource& texts)
{
    const Printer out(prefix);
    const CalcStatus status = CalculateRivuve(appType, ParamInputs());
    for (CalcFault fault : status.Faults)
        out.Line("Fault", CalcFaultName(fault));
    PrintInputs(out);
    if (appType == 1)
        PrintFanResults(out);
    else
        PrintPumpResults(out);
    PrintComparison(out, appType, texts);
}

}  // namespace

int main(int argc, char** argv)
{
    int reported = 0;
    try {
        const tools::ProgramLibraries libraries(tools::ProgramLibraries::Reach::Estimate);
        tools::StartEstimator();
        const tools::ToolRegistry registry;
        win::ConsoleDialogs console;
        win::ScopedDialogService dialogs(console);
        const StoredWindows stored;
        ProjectTexts windows;
        const bool project = argc > 1 && !IsParamArgument(argv[1]);
        if (project && !tools::OpenProject(rtl::AnsiFileName(argv[1]), windows, stored.TranslationTexts(), reported)) {
            std::fprintf(stderr, "estimate: the project file \"%s\" was refused\n", argv[1]);
            return 2;
        }
        for (int i = project ? 2 : 1; i < argc; ++i)
            ApplyArgument(argv[i]);
        tools::LoadOptions();
        if (!CheckDutyCycleTotal()) {
            std::fprintf(stderr, "estimate: Total Duty Cycle Percentages should equal 100%% (parameters 10..19)\n");
            return 2;
        }
        if (project) {
            if (FileAppType != 1 && FileAppType != 2) {
                std::fprintf(stderr, "estimate: there is no estimate for a cooling tower\n");
                return 2;
            }
            PrintProject(windows);
            Estimate(FileAppType, FileAppType == 1 ? "fan" : "pump", stored.AnalysisTexts());
        } else {
            Estimate(1, "fan", stored.AnalysisTexts());
            Estimate(2, "pump", stored.AnalysisTexts());
        }
    } catch (const rtl::Exception& e) {
        std::fprintf(stderr, "estimate: %s\n", rtl::AnsiToUtf8(e.what()).c_str());
        return 2;
    }
    if (reported > 0) {
        std::fprintf(stderr, "estimate: %d line%s of the project file could not be taken as written\n", reported,
                     reported == 1 ? "" : "s");
        return 1;
    }
    return 0;
}
