#include "platform/printing/testing/MemoryPrintBackend.h"

#include <algorithm>

namespace win {

class MemoryPrintBackend::PageJob final : public PrintJob {
public:
    PageJob(MemoryPrintBackend& backend, Job& job) : backend_(backend), job_(job) {}

    RowOrder StartPage(const PageSetup& setup) override
    {
        Page page;
        page.setup = setup;
        page.order.turned = backend_.turnLandscape_ && setup.orientation == DMORIENT_LANDSCAPE;
        page.width = page.order.turned ? setup.height : setup.width;
        page.height = page.order.turned ? setup.width : setup.height;
        page.pixels.reserve(std::size_t(page.width) * std::size_t(page.height));
        job_.pages.push_back(std::move(page));
        return job_.pages.back().order;
    }

    void WriteRows(const std::uint8_t* rows, int count) override
    {
        Page& page = job_.pages.back();
        const bool color = page.setup.color;
        for (std::size_t at = 0; at < std::size_t(count) * std::size_t(page.width); ++at) {
            const std::uint8_t* pixel = rows + at * (color ? 3 : 1);
            page.pixels.push_back(color ? std::uint32_t(pixel[0]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[2]
                                        : std::uint32_t(pixel[0]) * 0x010101);
        }
    }

    void EndPage() override
    {
        if (!backend_.pageFailure_.empty()) {
            job_.pages.pop_back();  // a refused page never leaves the printer
            throw EPrintError(backend_.pageFailure_);
        }
    }

    void Finish() override { backend_.FinishDocument(job_); }
    void Abort() noexcept override { job_.aborted = !job_.finished; }

private:
    MemoryPrintBackend& backend_;
    Job& job_;
};

class MemoryPrintBackend::BytesJob final : public RawJob {
public:
    explicit BytesJob(Job& job) : job_(job) {}
    void Write(const void* bytes, std::size_t count) override { job_.bytes.append(static_cast<const char*>(bytes), count); }
    void Finish() override { job_.finished = true; }
    void Abort() noexcept override { job_.aborted = !job_.finished; }

private:
    Job& job_;
};

MemoryPrintBackend::Printer MemoryPrintBackend::MakePrinter(std::string name, Resolution resolution, std::vector<Paper> papers)
{
    Printer printer;
    printer.name = std::move(name);
    printer.capabilities.papers = std::move(papers);
    printer.capabilities.resolutions = {resolution};
    printer.capabilities.color = true;
    printer.capabilities.maxCopies = 99;
    printer.capabilities.collate = true;
    printer.defaults.paper = printer.capabilities.papers.empty() ? std::string() : printer.capabilities.papers.front().keyword;
    printer.defaults.resolution = resolution;
    printer.defaults.color = true;
    return printer;
}

void MemoryPrintBackend::AddPrinter(Printer printer)
{
    if (printers_.empty() && default_.empty()) {
        default_ = printer.name;
    }
    printers_.push_back(std::move(printer));
}

void MemoryPrintBackend::SetDefaultPrinter(std::string name)
{
    default_ = std::move(name);
}

void MemoryPrintBackend::FailPages(std::string message)
{
    pageFailure_ = std::move(message);
}

void MemoryPrintBackend::FailDocuments(std::string message)
{
    documentFailure_ = std::move(message);
}

void MemoryPrintBackend::FinishDocument(Job& job) const
{
    if (!documentFailure_.empty())
        throw EPrintError(documentFailure_);
    job.finished = true;
}

const MemoryPrintBackend::Printer& MemoryPrintBackend::Find(const std::string& name) const
{
    const auto found = std::find_if(printers_.begin(), printers_.end(), [&](const Printer& p) { return p.name == name; });
    if (found == printers_.end()) {
        throw EPrintError("There is no printer named " + name, ERROR_INVALID_PRINTER_NAME);
    }
    return *found;
}

std::vector<PrinterEntry> MemoryPrintBackend::Printers()
{
    std::vector<PrinterEntry> entries;
    for (const Printer& printer : printers_) {
        PrinterEntry entry;
        entry.name = printer.name;
        entry.state = "idle";
        entry.isDefault = printer.name == default_;
        entries.push_back(std::move(entry));
    }
    return entries;
}

PrinterCapabilities MemoryPrintBackend::Capabilities(const std::string& printer)
{
    return Find(printer).capabilities;
}

PrinterDefaults MemoryPrintBackend::Defaults(const std::string& printer)
{
    return Find(printer).defaults;
}

std::unique_ptr<PrintJob> MemoryPrintBackend::OpenJob(const JobTicket& ticket)
{
    Find(ticket.printer);
    jobs_.push_back(Job{ticket, false, {}, {}, false, false});
    return std::make_unique<PageJob>(*this, jobs_.back());
}

std::unique_ptr<RawJob> MemoryPrintBackend::OpenRawJob(const JobTicket& ticket)
{
    Find(ticket.printer);
    jobs_.push_back(Job{ticket, true, {}, {}, false, false});
    return std::make_unique<BytesJob>(jobs_.back());
}

}  // namespace win
