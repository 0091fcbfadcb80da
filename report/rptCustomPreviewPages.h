#pragma once
// The prepared pages as the report sees them: what a run built, to be counted, printed, exported or
// thrown away. The prepared-pages part sets the creation function at start-up; every report makes its
// own store through it.

#include "platform/classes/Persistent.h"

#include <functional>
#include <memory>

namespace report {

class TrptCustomEngine;
class TrptCustomExportFilter;
class TrptReport;

class TrptCustomPreviewPages : public classes::TObject {
public:
    explicit TrptCustomPreviewPages(TrptReport& report) : report_(report) {}

    TrptReport& Report() const { return report_; }
    TrptCustomEngine* Engine() const { return engine_; }
    void SetEngine(TrptCustomEngine* engine) { engine_ = engine; }

    virtual int GetPageCount() = 0;
    virtual void Clear() = 0;
    virtual bool Print() = 0;
    virtual bool Export(TrptCustomExportFilter* filter) = 0;

private:
    TrptReport& report_;
    TrptCustomEngine* engine_ = nullptr;
};

using TrptPreviewPagesFactory = std::function<std::unique_ptr<TrptCustomPreviewPages>(TrptReport& report)>;

// Installs the function (null: reports have no prepared pages); the library's initialize() and
// finalize() remove it.
void SetPreviewPagesFactory(TrptPreviewPagesFactory factory);
std::unique_ptr<TrptCustomPreviewPages> CreatePreviewPages(TrptReport& report);

}  // namespace report
