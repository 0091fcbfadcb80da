#pragma once
// The engine as the report sees it: it builds the prepared pages of a run. The engine part sets the
// creation function at start-up; every report makes its own engine through it.

#include "platform/classes/Persistent.h"

#include <functional>
#include <memory>

namespace report {

class TrptCustomPreviewPages;
class TrptReport;

class TrptCustomEngine : public classes::TPersistent {
public:
    explicit TrptCustomEngine(TrptReport& report) : report_(report) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TrptReport& Report() const { return report_; }
    // The prepared pages the engine fills; linked both ways when the report makes them.
    TrptCustomPreviewPages* PreviewPages() const { return previewPages_; }
    void SetPreviewPages(TrptCustomPreviewPages* pages) { previewPages_ = pages; }

    // Builds the report; true when it ran to its end.
    virtual bool Run() = 0;
    // True in the pass whose pages stay.
    bool FinalPass() const { return finalPass_; }
    // True from the start of a run to its end.
    bool RunActive() const { return runActive_; }

protected:
    void SetFinalPass(bool finalPass) { finalPass_ = finalPass; }
    void SetRunActive(bool runActive) { runActive_ = runActive; }

private:
    TrptReport& report_;
    TrptCustomPreviewPages* previewPages_ = nullptr;
    bool finalPass_ = false;
    bool runActive_ = false;
};

using TrptEngineFactory = std::function<std::unique_ptr<TrptCustomEngine>(TrptReport& report)>;

// Installs the function (null: reports have no engine, and preparing one fails); the library's
// initialize() and finalize() remove it.
void SetEngineFactory(TrptEngineFactory factory);
std::unique_ptr<TrptCustomEngine> CreateEngine(TrptReport& report);

}  // namespace report
