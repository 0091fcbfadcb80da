#pragma once
// A print back end for tests: printers made up by the test, and every job kept in memory with its
// ticket, its pages as printed (0x00RRGGBB pixels, grey pages as grey) and its raw bytes.

#include "platform/printing/PrintBackend.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace win {

class MemoryPrintBackend : public PrintBackend {
public:
    struct Printer {
        std::string name;
        PrinterCapabilities capabilities;
        PrinterDefaults defaults;
    };
    struct Page {
        PageSetup setup;
        RowOrder order;
        int width = 0;  // of the rows as they came
        int height = 0;
        std::vector<std::uint32_t> pixels;
        std::uint32_t Pixel(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    };
    struct Job {
        JobTicket ticket;
        bool raw = false;
        std::vector<Page> pages;
        std::string bytes;
        bool finished = false;
        bool aborted = false;
    };

    // A printer of one resolution, its first paper the default, colour, one-sided.
    static Printer MakePrinter(std::string name, Resolution resolution, std::vector<Paper> papers);

    // The first printer added is the default unless SetDefaultPrinter says otherwise.
    void AddPrinter(Printer printer);
    void SetDefaultPrinter(std::string name);
    // From now on every EndPage raises EPrintError with the message and drops its page (empty: pages print
    // again).
    void FailPages(std::string message);
    // From now on the end (EndDoc) of every document of pages raises EPrintError with the message after its
    // pages went through (empty: documents finish again).
    void FailDocuments(std::string message);
    // Landscape pages come as the upright sheet turned, as a printing system wants them.
    void TurnLandscape(bool turn) { turnLandscape_ = turn; }
    const std::deque<Job>& Jobs() const { return jobs_; }

    std::vector<PrinterEntry> Printers() override;
    PrinterCapabilities Capabilities(const std::string& printer) override;
    PrinterDefaults Defaults(const std::string& printer) override;
    std::unique_ptr<PrintJob> OpenJob(const JobTicket& ticket) override;
    std::unique_ptr<RawJob> OpenRawJob(const JobTicket& ticket) override;

private:
    class PageJob;
    class BytesJob;
    const Printer& Find(const std::string& name) const;
    void FinishDocument(Job& job) const;

    std::vector<Printer> printers_;
    std::string default_;
    std::string pageFailure_;
    std::string documentFailure_;
    bool turnLandscape_ = false;
    std::deque<Job> jobs_;
};

}  // namespace win
