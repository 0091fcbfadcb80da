#pragma once
// A print back end for tests: printers made up by the test, each with a resolution and papers, and every
// job kept in memory with its settings and its pages as drawn.

#include "platform/printing/PrintBackend.h"

#include <map>
#include <string>
#include <vector>

namespace win {

class MemoryPrintBackend : public PrintBackend {
public:
    struct Printer {
        std::string name;
        PrinterResolution resolution;
        std::vector<PaperInfo> papers;
    };
    struct Job {
        PrintJobSettings settings;
        std::vector<PageImage> pages;
        bool pageOpen = false;
        bool ended = false;
        bool aborted = false;
    };

    // The first printer added is the default unless SetDefaultPrinter says otherwise.
    void AddPrinter(Printer printer);
    void SetDefaultPrinter(std::string name);
    // From now on, every EndPage raises EPrintError with the message (empty: pages print again).
    void FailPages(std::string message);
    const std::vector<Job>& Jobs() const { return jobs_; }

    std::vector<std::string> Printers() override;
    std::string DefaultPrinter() override;
    PrinterResolution Resolution(const std::string& printer) override;
    std::vector<PaperInfo> Papers(const std::string& printer) override;
    int StartJob(const PrintJobSettings& settings) override;
    void StartPage(int job) override;
    void EndPage(int job, PageImage page) override;
    void EndJob(int job) override;
    void AbortJob(int job) override;

private:
    const Printer& Find(const std::string& name) const;
    Job& Running(int job);

    std::vector<Printer> printers_;
    std::string default_;
    std::string pageFailure_;
    std::vector<Job> jobs_;
};

}  // namespace win
