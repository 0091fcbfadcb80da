#include "analysis/windows/Report.h"

#include "analysis/Calculation.h"
#include "analysis/NumberText.h"
#include "analysis/windows/AnalysisHost.h"
#include "analysis/windows/Fan.h"
#include "platform/gui/controls/Label.h"
#include "platform/rtl/Exceptions.h"
#include "translation/Lingua.h"

#include <string>

namespace analysis {
namespace {

TCALCREP* instance = nullptr;

// The arrays one method's columns and total show.
struct MethodResults {
    const ByFlowPoint<double>* power = nullptr;
    const ByFlowPoint<double>* costPerHour = nullptr;
    const ByFlowPoint<double>* pointCost = nullptr;
    const double* yearlyCost = nullptr;
};

MethodResults ResultsOf(std::uint8_t application, std::uint8_t method)
{
    switch (method) {
    case 1:
        return application == 1
                   ? MethodResults{&FanVfdPower, &FanVfdCostPerHour, &FanVfdPointCost, &FanVfdYearlyCost}
                   : MethodResults{&PumpVfdPower, &PumpVfdCostPerHour, &PumpVfdPointCost, &PumpVfdYearlyCost};
    case 2:
        if (application == 1)
            return {&DamperPower, &DamperCostPerHour, &DamperPointCost, &DamperYearlyCost};
        return {};
    case 3:
        return application == 1
                   ? MethodResults{&InletVanePower, &InletVaneCostPerHour, &InletVanePointCost, &InletVaneYearlyCost}
                   : MethodResults{&ValvePower, &ValveCostPerHour, &ValvePointCost, &ValveYearlyCost};
    case 4:
        return {&Custom1Power, &Custom1CostPerHour, &Custom1PointCost, &Custom1YearlyCost};
    case 5:
        return {&Custom2Power, &Custom2CostPerHour, &Custom2PointCost, &Custom2YearlyCost};
    default:
        return {};
    }
}

// The currency symbol (at most 10 characters) and two blanks before an amount.
std::string Money(int decimals, double amount)
{
    return CurrencySymbol.Str() + "  " + FloatToGroupedText(decimals, amount);
}

// The caption of the analysis window's power unit label, empty while that window does not exist.
std::string AnalysisPowerUnit()
{
    const TFANFORM* window = FANFORM();
    return window ? window->Power_Label->Caption() : std::string();
}

template <class T>
T* Bound(classes::TComponent& root, const std::string& name)
{
    auto* component = dynamic_cast<T*>(root.FindComponent(name));
    if (!component)
        throw rtl::EReadError("The stored data of " + root.ClassName() + " lacks " + name + " of class " +
                              T::StaticClass().Name());
    return component;
}

}  // namespace

TCALCREP::TCALCREP(classes::TComponent* owner) : gui::TForm(owner)
{
    CreateFromStoredData();
    if (!instance)
        instance = this;
}

TCALCREP::~TCALCREP()
{
    if (instance == this)
        instance = nullptr;
}

const classes::TClassInfo& TCALCREP::StaticClass()
{
    static const classes::TClassInfo info("TCALCREP", &gui::TForm::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCALCREP>(c)
            .Method<&TCALCREP::FormShow>("FormShow")
            .Method<&TCALCREP::ESCCANCELClick>("ESCCANCELClick")
            .Method<&TCALCREP::BitBtn3Click>("BitBtn3Click");
    });
    return info;
}

void TCALCREP::BindComponents()
{
    trLingua1 = Bound<translation::TtrLingua>(*this, "trLingua1");
    FLOWM = Bound<gui::TLabel>(*this, "FLOWM");
    POWER_LABEL = Bound<gui::TLabel>(*this, "POWER_LABEL");
    TOTHOUR = Bound<gui::TLabel>(*this, "TOTHOUR");
    TOTALCOST = Bound<gui::TLabel>(*this, "TOTALCOST");
    for (int row = 1; row <= FlowPointCount; ++row) {
        const std::string suffix = std::to_string(row * 10);
        Ap[row] = Bound<gui::TLabel>(*this, "Ap" + suffix);
        HRY[row] = Bound<gui::TLabel>(*this, "HRY" + suffix);
        SHP[row] = Bound<gui::TLabel>(*this, "SHP" + suffix);
        CPH[row] = Bound<gui::TLabel>(*this, "CPH" + suffix);
        OC[row] = Bound<gui::TLabel>(*this, "OC" + suffix);
    }
}

void TCALCREP::FormShow(classes::TObject*)
{
    POWER_LABEL->SetCaption(trLingua1->LookupStringOrDefault("IDS_10") + AnalysisPowerUnit());
    BuildCalculationOverview(std::uint8_t(OverviewApp), std::uint8_t(OverviewMethod));
}

void TCALCREP::BuildCalculationOverview(std::uint8_t application, std::uint8_t method)
{
    if (application != 1 && application != 2)
        return;
    const bool fan = application == 1;
    FLOWM->SetCaption(trLingua1->LookupStringOrDefault(fan ? "IDS_0" : "IDS_5"));
    const ByFlowPoint<double>& hours = fan ? FanHours : PumpHours;
    const MethodResults results = ResultsOf(application, method);
    for (int row = 1; row <= FlowPointCount; ++row) {
        Ap[row]->SetCaption(DutyCycleText[row].Str());
        HRY[row]->SetCaption(FloatToGroupedText(2, hours[row]));
        // A pair outside the numbering has no arrays: its cells are left empty rather than stale.
        SHP[row]->SetCaption(results.power ? FloatToGroupedText(2, (*results.power)[row]) : "");
        CPH[row]->SetCaption(results.costPerHour ? Money(2, (*results.costPerHour)[row]) : "");
        OC[row]->SetCaption(results.pointCost ? Money(2, (*results.pointCost)[row]) : "");
    }
    TOTALCOST->SetCaption(results.yearlyCost ? Money(0, *results.yearlyCost) : "");
    TOTHOUR->SetCaption(FloatToGroupedText(2, fan ? FanTotalHours : PumpTotalHours));
}

void TCALCREP::ESCCANCELClick(classes::TObject*)
{
    Close();
}

void TCALCREP::BitBtn3Click(classes::TObject*)
{
    Host().GetHelp("STEP4");
}

TCALCREP* CALCREP()
{
    return instance;
}

void ShowCalculationOverview(int application, int method)
{
    if (!instance)
        throw rtl::EInvalidOperation("The calculation overview window does not exist");
    OverviewApp = application;
    OverviewMethod = method;
    instance->ShowModal();
}

}  // namespace analysis
