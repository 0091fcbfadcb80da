#include "platform/printing/FilePrinter.h"

#include "platform/printing/detail/PngPage.h"
#include "platform/printing/detail/PrintErrors.h"
#include "platform/printing/detail/PrinterIni.h"
#include "platform/printing/detail/SpoolFile.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace win {

using namespace detail;

namespace {

namespace fs = std::filesystem;

std::atomic<unsigned> folderCount{0};

// A document name as part of a folder name: no '/', no control characters, not too long.
std::string CleanName(const std::string& document)
{
    std::string name = rtl::AnsiToUtf8(document.empty() ? "Untitled" : document);
    for (char& c : name) {
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F) {
            c = '_';
        }
    }
    if (name.size() > 120) {
        name.resize(120);
        // A UTF-8 sequence cut short would make a name the system may refuse.
        while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
            name.pop_back();
        }
        if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0) {
            name.pop_back();
        }
    }
    return name;
}

std::string Millimetres(int hundredths)
{
    std::ostringstream text;
    text << hundredths / 100;
    if (const int rest = hundredths % 100; rest != 0) {
        text << '.' << rest / 10;
        if (rest % 10 != 0) {
            text << rest % 10;
        }
    }
    return text.str();
}

// The folder of a job while it is written, named when it is done, removed when it is not.
class JobFolder {
public:
    JobFolder(const std::string& root, const std::string& document) : root_(root), name_(CleanName(document))
    {
        temporary_ = root_ + "/.rivuve-job-" + std::to_string(::getpid()) + "-" + std::to_string(folderCount++);
        std::error_code error;
        if (!fs::create_directory(temporary_, error)) {
            throw FileError("The job folder cannot be made in \"" + root_ + "\"", error ? error.value() : EEXIST);
        }
    }
    ~JobFolder()
    {
        if (!temporary_.empty()) {
            std::error_code error;
            fs::remove_all(temporary_, error);
        }
    }
    JobFolder(const JobFolder&) = delete;
    JobFolder& operator=(const JobFolder&) = delete;

    const std::string& Path() const { return temporary_; }

    // Writes a file of the job whole.
    void WriteFile(const std::string& name, const std::string& content) const
    {
        SpoolFile file(temporary_, 0666);
        file.Write(content.data(), content.size());
        file.Commit(temporary_ + "/" + name);
    }

    // The folder takes the next free number.
    void Commit()
    {
        for (int attempt = 0;; ++attempt) {
            char number[16];
            std::snprintf(number, sizeof(number), "%04d", NextNumber());
            const std::string final = root_ + "/" + number + "-" + name_;
            std::error_code error;
            if (!fs::exists(final, error) && ::rename(temporary_.c_str(), final.c_str()) == 0) {
                temporary_.clear();
                return;
            }
            if (attempt > 100) {
                throw FileError("The job folder cannot be named \"" + final + "\"", errno ? errno : EEXIST);
            }
        }
    }

private:
    int NextNumber() const
    {
        int highest = 0;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(root_, error)) {
            const std::string name = entry.path().filename().string();
            if (name.size() > 5 && name[4] == '-' && std::all_of(name.begin(), name.begin() + 4, [](char c) { return c >= '0' && c <= '9'; })) {
                highest = std::max(highest, std::stoi(name.substr(0, 4)));
            }
        }
        return highest + 1;
    }

    std::string root_;
    std::string name_;
    std::string temporary_;
};

class FileJob final : public PrintJob {
public:
    FileJob(const std::string& root, const JobTicket& ticket) : folder_(root, ticket.document), ticket_(ticket) {}

    RowOrder StartPage(const PageSetup& page) override
    {
        pages_.push_back(page);
        image_.emplace(folder_.Path(), page.width, page.height, page.color, page.resolution);
        return RowOrder{};
    }

    void WriteRows(const std::uint8_t* rows, int count) override { image_->WriteRows(rows, count); }

    void EndPage() override
    {
        char name[32];
        std::snprintf(name, sizeof(name), "/page-%04zu.png", pages_.size());
        image_->Finish(folder_.Path() + name);
        image_.reset();
    }

    void Finish() override
    {
        std::ostringstream ini;
        ini << "[Job]\nPrinter=" << rtl::AnsiToUtf8(ticket_.printer) << "\nDocument=" << rtl::AnsiToUtf8(ticket_.document)
            << "\nCopies=" << ticket_.copies << "\nCollate=" << (ticket_.collate ? 1 : 0) << "\nPages=" << pages_.size()
            << "\n";
        for (std::size_t index = 0; index < pages_.size(); ++index) {
            const PageSetup& page = pages_[index];
            ini << "\n[Page " << index + 1 << "]\nPaper=" << (page.custom ? "Custom" : rtl::AnsiToUtf8(page.paper.name))
                << "\nWidth=" << Millimetres(page.paper.width) << "\nHeight=" << Millimetres(page.paper.length)
                << "\nOrientation=" << (page.orientation == DMORIENT_LANDSCAPE ? "Landscape" : "Portrait")
                << "\nResolution=" << page.resolution.x << "x" << page.resolution.y << "\nDuplex="
                << (page.duplex == DMDUP_VERTICAL ? "Long Edge" : page.duplex == DMDUP_HORIZONTAL ? "Short Edge" : "None")
                << "\nSource=" << rtl::AnsiToUtf8(page.source.name) << "\nColor=" << (page.color ? 1 : 0) << "\n";
        }
        folder_.WriteFile("job.ini", ini.str());
        folder_.Commit();
    }

    void Abort() noexcept override { image_.reset(); }

private:
    JobFolder folder_;
    JobTicket ticket_;
    std::vector<PageSetup> pages_;
    std::optional<PngPage> image_;
};

class FileRawJob final : public RawJob {
public:
    FileRawJob(const std::string& root, const JobTicket& ticket)
        : folder_(root, ticket.document), ticket_(ticket), file_(folder_.Path(), 0666)
    {
    }
    void Write(const void* bytes, std::size_t count) override { file_.Write(bytes, count); }
    void Finish() override
    {
        file_.Commit(folder_.Path() + "/raw.bin");
        folder_.WriteFile("job.ini", "[Job]\nPrinter=" + rtl::AnsiToUtf8(ticket_.printer) + "\nDocument=" +
                                         rtl::AnsiToUtf8(ticket_.document) + "\nRaw=1\n");
        folder_.Commit();
    }
    void Abort() noexcept override { file_.Discard(); }

private:
    JobFolder folder_;
    JobTicket ticket_;
    SpoolFile file_;
};

class FilePrinter final : public PrintBackend {
public:
    FilePrinter(std::string folder, std::vector<FilePrinterSpec> printers)
        : folder_(std::move(folder)), printers_(std::move(printers))
    {
    }

    std::vector<PrinterEntry> Printers() override
    {
        std::vector<PrinterEntry> entries;
        for (const FilePrinterSpec& printer : printers_) {
            PrinterEntry entry;
            entry.name = printer.name;
            entry.location = folder_;
            entry.makeAndModel = "Rivuve File Printer";
            entry.state = "idle";
            entry.isDefault = entries.empty();
            entries.push_back(std::move(entry));
        }
        return entries;
    }

    PrinterCapabilities Capabilities(const std::string& printer) override { return Find(printer).capabilities; }
    PrinterDefaults Defaults(const std::string& printer) override { return Find(printer).defaults; }

    std::unique_ptr<PrintJob> OpenJob(const JobTicket& ticket) override
    {
        Find(ticket.printer);
        return std::make_unique<FileJob>(folder_, ticket);
    }

    std::unique_ptr<RawJob> OpenRawJob(const JobTicket& ticket) override
    {
        Find(ticket.printer);
        return std::make_unique<FileRawJob>(folder_, ticket);
    }

private:
    const FilePrinterSpec& Find(const std::string& name) const
    {
        const auto found = std::find_if(printers_.begin(), printers_.end(),
                                        [&](const FilePrinterSpec& printer) { return printer.name == name; });
        if (found == printers_.end()) {
            throw EPrintError("There is no printer named \"" + name + "\"", ERROR_INVALID_PRINTER_NAME);
        }
        return *found;
    }

    std::string folder_;
    std::vector<FilePrinterSpec> printers_;
};

}  // namespace

std::unique_ptr<PrintBackend> MakeFilePrinter(const std::string& folder)
{
    std::vector<FilePrinterSpec> printers;
    const std::string ini = folder + "/printers.ini";
    std::error_code error;
    if (fs::exists(ini, error)) {
        std::ifstream in(ini, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        printers = ReadPrintersIni(rtl::Utf8ToAnsi(text));
    } else {
        printers.push_back(DefaultFilePrinter());
    }
    return std::make_unique<FilePrinter>(folder, std::move(printers));
}

}  // namespace win
