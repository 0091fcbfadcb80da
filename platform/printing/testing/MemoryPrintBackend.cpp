#include "platform/printing/testing/MemoryPrintBackend.h"

#include <algorithm>

namespace win {

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

std::vector<std::string> MemoryPrintBackend::Printers()
{
    std::vector<std::string> names;
    for (const Printer& printer : printers_) {
        names.push_back(printer.name);
    }
    return names;
}

std::string MemoryPrintBackend::DefaultPrinter()
{
    return default_;
}

const MemoryPrintBackend::Printer& MemoryPrintBackend::Find(const std::string& name) const
{
    auto found = std::find_if(printers_.begin(), printers_.end(), [&](const Printer& p) { return p.name == name; });
    if (found == printers_.end()) {
        throw EPrintError("There is no printer named " + name);
    }
    return *found;
}

PrinterResolution MemoryPrintBackend::Resolution(const std::string& printer)
{
    return Find(printer).resolution;
}

std::vector<PaperInfo> MemoryPrintBackend::Papers(const std::string& printer)
{
    return Find(printer).papers;
}

MemoryPrintBackend::Job& MemoryPrintBackend::Running(int job)
{
    if (job < 1 || job > int(jobs_.size()) || jobs_[job - 1].ended || jobs_[job - 1].aborted) {
        throw EPrintError("Job " + std::to_string(job) + " is not running");
    }
    return jobs_[job - 1];
}

int MemoryPrintBackend::StartJob(const PrintJobSettings& settings)
{
    Find(settings.printer);
    jobs_.push_back(Job{settings, {}, false, false, false});
    return int(jobs_.size());
}

void MemoryPrintBackend::StartPage(int job)
{
    Job& running = Running(job);
    if (running.pageOpen) {
        throw EPrintError("A page of job " + std::to_string(job) + " is already open");
    }
    running.pageOpen = true;
}

void MemoryPrintBackend::EndPage(int job, PageImage page)
{
    Job& running = Running(job);
    if (!running.pageOpen) {
        throw EPrintError("No page of job " + std::to_string(job) + " is open");
    }
    running.pageOpen = false;
    if (!pageFailure_.empty()) {
        throw EPrintError(pageFailure_);
    }
    running.pages.push_back(std::move(page));
}

void MemoryPrintBackend::EndJob(int job)
{
    Job& running = Running(job);
    if (running.pageOpen) {
        throw EPrintError("A page of job " + std::to_string(job) + " is still open");
    }
    running.ended = true;
}

void MemoryPrintBackend::AbortJob(int job)
{
    Running(job).aborted = true;
}

}  // namespace win
