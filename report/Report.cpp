#include "report/Report.h"

#include "report/detail/Units.h"
#include "report/rptCustomEngine.h"
#include "report/rptCustomPreviewPages.h"
#include "report/rptReportScript.h"
#include "report/rptRes.h"
#include "report/rptUtils.h"
#include "report/rptWindows.h"

namespace report {

namespace {

// The creation functions of the parts built elsewhere, the message pump and the program folder start
// and end empty.
void ForgetInstalledParts()
{
    SetEngineFactory(nullptr);
    SetPreviewPagesFactory(nullptr);
    SetReportScriptFactory(nullptr);
    SetPreviewWindowFactory(nullptr);
    SetProgressWindowFactory(nullptr);
    SetPasswordWindowFactory(nullptr);
    SetMessagePump(nullptr);
    rptSetAppPath({});
}

}  // namespace

void initialize()
{
    ForgetInstalledParts();
    detail::InitializeResources();
    detail::InitializeReportClasses();
    rptGetResources().PushScriptMessages();
}

void finalize()
{
    detail::FinalizeReportClasses();
    detail::FinalizeResources();
    ForgetInstalledParts();
}

}  // namespace report
