#include "analysis/windows/ReportOutput.h"

namespace analysis {
namespace {

ReportOutput* installedOutput = nullptr;

}  // namespace

ReportOutput* InstalledReportOutput() { return installedOutput; }

void InstallReportOutput(ReportOutput* output) { installedOutput = output; }

}  // namespace analysis
