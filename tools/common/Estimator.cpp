#include "tools/common/Estimator.h"

#include "analysis/Globals.h"
#include "analysis/ParamInputs.h"
#include "analysis/ParamTable.h"

namespace tools {

void StartEstimator()
{
    analysis::DefineAllParams();
    analysis::CustomCurrency = "-";
    LoadOptions();
}

void LoadOptions()
{
    using namespace analysis;
    ShowCustomerInfo = true;
    ShowTitle = true;
    UseCustomLogo = false;
    RoundPrices = false;
    QuoteFollowUp = false;
    WelcomeMessage = true;
    LetterheadPaper = false;
    AutoUpdateCheck = false;
    DamperSelected = true;
    InletVaneSelected = true;
    ValveSelected = true;
    ClosingLine1 = "";
    ClosingLine2 = "";
    LoadOptionsFromParams();
}

}  // namespace tools
