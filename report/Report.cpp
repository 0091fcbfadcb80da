#include "report/Report.h"

#include "report/detail/Units.h"
#include "report/rptRes.h"
#include "report/rptReportScript.h"
#include "report/rptUtils.h"

namespace report {

void initialize()
{
    rptSetAppPath({});
    SetReportScriptFactory(nullptr);
    detail::InitializeResources();
    rptGetResources().PushScriptMessages();
}

void finalize()
{
    detail::FinalizeResources();
    SetReportScriptFactory(nullptr);
    rptSetAppPath({});
}

}  // namespace report
