#pragma once
// Stand-ins for the parts a report uses that later parts of the library build: the engine, the prepared
// pages, the script and the windows. Each records what it was asked in one shared log, in order.

#include "report/rptCustomEngine.h"
#include "report/rptCustomPreviewPages.h"
#include "report/rptReport.h"
#include "report/rptReportScript.h"
#include "report/rptWindows.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace report_test {

struct CallLog {
    std::vector<std::string> calls;
    void Add(std::string call) { calls.push_back(std::move(call)); }
};

class FakeEngine : public report::TrptCustomEngine {
public:
    FakeEngine(report::TrptReport& report, CallLog& log) : TrptCustomEngine(report), log_(log) {}

    bool Run() override
    {
        log_.Add("Engine.Run");
        SetRunActive(true);
        struct Inactive {
            FakeEngine& engine;
            ~Inactive() { engine.SetRunActive(false); }
        } inactive{*this};
        if (run)
            return run(*this);
        return true;
    }
    using TrptCustomEngine::SetFinalPass;

    // What a run does; none: it succeeds.
    std::function<bool(FakeEngine& engine)> run;

private:
    CallLog& log_;
};

class FakePages : public report::TrptCustomPreviewPages {
public:
    FakePages(report::TrptReport& report, CallLog& log) : TrptCustomPreviewPages(report), log_(log) {}

    int GetPageCount() override { return pageCount; }
    void Clear() override { log_.Add("Pages.Clear"); }
    bool Print() override
    {
        log_.Add("Pages.Print");
        return printed;
    }
    bool Export(report::TrptCustomExportFilter*) override
    {
        log_.Add("Pages.Export");
        return exported;
    }

    int pageCount = 0;
    bool printed = true;
    bool exported = false;

private:
    CallLog& log_;
};

class FakeScript : public report::TrptReportScript {
public:
    FakeScript(report::TrptReport& report, CallLog& log) : report_(report), log_(log) {}

    bool Prepare() override
    {
        log_.Add("Script.Prepare");
        if (!compiles)
            report_.Errors().Add("Script error at 1:5: Undeclared identifier: x");
        return compiles;
    }
    bool MainBlockHasStatements() const override { return hasStatements; }
    void Execute() override
    {
        log_.Add("Script.Execute");
        if (execute)
            execute();
    }
    void Terminate() override { log_.Add("Script.Terminate"); }
    void CallProcedure(const std::string& name, classes::TObject* object) override
    {
        log_.Add("Script.Call " + name + (object ? " " + object->ClassName() : std::string()));
    }
    void CallProcedure(const std::string& name, rtl::Variant& params) override
    {
        log_.Add("Script.CallParams " + name);
        params.SetElement({0}, rtl::Variant("changed"));
    }
    void ReceiveMessages(const report::TrptScriptMessages& messages) override { received = messages; }

    bool compiles = true;
    bool hasStatements = false;
    std::function<void()> execute;
    report::TrptScriptMessages received;

private:
    report::TrptReport& report_;
    CallLog& log_;
};

class FakePreview : public report::TrptCustomPreview {
public:
    explicit FakePreview(CallLog& log) : log_(log) {}
    void InitPreview() override { log_.Add("Preview.Init"); }
    void PreparationStarted() override { log_.Add("Preview.Started"); }
    void PagePrepared(int index) override { log_.Add("Preview.Page " + std::to_string(index)); }
    void PreparationFinished() override { log_.Add("Preview.Finished"); }

private:
    CallLog& log_;
};

class FakePreviewWindow : public report::TrptPreviewWindow {
public:
    explicit FakePreviewWindow(CallLog& log) : log_(log), preview_(log) { log_.Add("Window.Create"); }
    ~FakePreviewWindow() override { log_.Add("Window.Destroy"); }

    report::TrptCustomPreview& Preview() override { return preview_; }
    void InitForm() override
    {
        log_.Add("Window.InitForm");
        preview_.InitPreview();
    }
    void SetPositionDesigned() override { log_.Add("Window.PositionDesigned"); }
    void AddExStyle(win::DWORD exStyle) override { log_.Add("Window.ExStyle " + std::to_string(exStyle)); }
    void SetReleaseOnClose() override
    {
        log_.Add("Window.ReleaseOnClose");
        releaseOnClose_ = true;
    }
    void Show() override { log_.Add("Window.Show"); }
    void ShowModal() override { log_.Add("Window.ShowModal"); }
    void Close() override
    {
        log_.Add("Window.Close");
        if (releaseOnClose_)
            delete this;
    }
    void SetStatusText(const std::string& text, bool second) override
    {
        log_.Add("Window.Status " + text + (second ? " (hint)" : ""));
    }

private:
    CallLog& log_;
    FakePreview preview_;
    bool releaseOnClose_ = false;
};

class FakeProgressWindow : public report::TrptProgressWindow {
public:
    FakeProgressWindow(CallLog& log, bool& cancelled) : log_(log), cancelled_(cancelled) { log_.Add("Progress.Create"); }
    ~FakeProgressWindow() override { log_.Add("Progress.Destroy"); }
    void StartProgress(int maxValue, const std::string& message, bool showCancel, bool showBar) override
    {
        log_.Add("Progress.Start " + std::to_string(maxValue) + " '" + message + "' " + std::to_string(showCancel)
                 + std::to_string(showBar));
    }
    void SetMessageText(const std::string& text) override { log_.Add("Progress.Message " + text); }
    bool Cancelled() const override { return cancelled_; }

private:
    CallLog& log_;
    bool& cancelled_;
};

// A password window that answers from a list and counts how often it was asked.
struct PasswordAnswers {
    std::vector<std::pair<bool, std::string>> answers;
    int asked = 0;
};

class AnsweringPasswordWindow : public report::TrptPasswordWindow {
public:
    explicit AnsweringPasswordWindow(PasswordAnswers& answers) : answers_(answers) {}
    bool Execute(std::string& password) override
    {
        const auto [ok, text] = answers_.answers.at(std::size_t(answers_.asked++));
        password = text;
        return ok;
    }

private:
    PasswordAnswers& answers_;
};

// Installs every fake for the lifetime of the guard; the report made afterwards gets them.
class Fakes {
public:
    Fakes()
    {
        report::SetEngineFactory([this](report::TrptReport& report) {
            auto made = std::make_unique<FakeEngine>(report, log);
            engine = made.get();
            return made;
        });
        report::SetPreviewPagesFactory([this](report::TrptReport& report) {
            auto made = std::make_unique<FakePages>(report, log);
            pages = made.get();
            return made;
        });
        report::SetReportScriptFactory([this](report::TrptReport& report) {
            auto made = std::make_unique<FakeScript>(report, log);
            script = made.get();
            return made;
        });
        report::SetPreviewWindowFactory([this](report::TrptReport&) {
            auto made = std::make_unique<FakePreviewWindow>(log);
            window = made.get();
            return made;
        });
        report::SetProgressWindowFactory([this] { return std::make_unique<FakeProgressWindow>(log, cancelled); });
    }
    ~Fakes()
    {
        report::SetEngineFactory(nullptr);
        report::SetPreviewPagesFactory(nullptr);
        report::SetReportScriptFactory(nullptr);
        report::SetPreviewWindowFactory(nullptr);
        report::SetProgressWindowFactory(nullptr);
    }
    Fakes(const Fakes&) = delete;
    Fakes& operator=(const Fakes&) = delete;

    CallLog log;
    FakeEngine* engine = nullptr;
    FakePages* pages = nullptr;
    FakeScript* script = nullptr;
    FakePreviewWindow* window = nullptr;
    bool cancelled = false;
};

}  // namespace report_test
