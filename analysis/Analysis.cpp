#include "analysis/Analysis.h"

#include "analysis/Globals.h"
#include "analysis/ParamTable.h"

namespace analysis {

void initialize()
{
    InitGlobals();
}

void finalize()
{
    ParamTable.Clear();
    ShadowParamTable.Clear();
    DefinedParamCount = 0;
}

}  // namespace analysis
