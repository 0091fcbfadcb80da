#include "analysis/ParamInputs.h"

#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/Numbers.h"

namespace analysis {

void LoadOptionsFromParams()
{
    for (int i = 1; i <= FlowPointCount; ++i) {
        VfdCurve[i] = ParamTable[20]->Value;
        DamperCurve[i] = ParamTable[20 + i]->Value;
        InletVaneCurve[i] = ParamTable[30 + i]->Value;
        ValveCurve[i] = ParamTable[40 + i]->Value;
        Custom1Curve[i] = ParamTable[50 + i]->Value;
        Custom2Curve[i] = ParamTable[60 + i]->Value;
    }
    Custom1Enabled = rtl::Round(ParamTable[71]->Value) != 0;
    Custom2Enabled = rtl::Round(ParamTable[72]->Value) != 0;
    Custom1Title = "Custom Control 1";
    Custom2Title = "Custom Control 2";
    PowerUnitFactor = PowerInKW ? 1.0 : 0.7457;
}

std::string ParamText(int number)
{
    const TParamRecord& record = *ParamTable[number];
    return FloatToGroupedText(DecimalsOfScale(record.Scale), record.Value);
}

bool CheckDutyCycleTotal()
{
    int total = 0;
    for (int i = 1; i <= FlowPointCount; ++i) {
        analysis::DutyCycleText[i] = ParamText(9 + i);
        total += TextToInt(analysis::DutyCycleText[i]);
    }
    return total == 100;
}

std::string ParamInputs::DutyCycleText(int flowPoint) const
{
    return analysis::DutyCycleText[flowPoint].Str();
}

}  // namespace analysis
