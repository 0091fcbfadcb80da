#include "platform/gui/Printer.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/printing/PrintBackend.h"

namespace gui {

namespace {

std::unique_ptr<TPrinter>& ThePrinter()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

}  // namespace

// Draws on the printer's context: fonts in points take the printer's resolution.
class TPrinter::PrinterCanvas : public TCanvas {
public:
    explicit PrinterCanvas(TPrinter& printer) : printer_(printer) {}

protected:
    void CreateHandle() override
    {
        SetHandle(printer_.Handle());
        const int size = Font()->Size();
        Font()->SetPixelsPerInch(win::GetDeviceCaps(RawHandle(), win::LOGPIXELSY));
        Font()->SetSize(size);
    }

private:
    TPrinter& printer_;
};

const classes::TTypeInfo& PrinterOrientationType()
{
    static const classes::TTypeInfo type = classes::EnumType("TPrinterOrientation", {"poPortrait", "poLandscape"});
    return type;
}

TPrinter::TPrinter() : printers_(std::make_unique<rtl::TStringList>())
{
}

TPrinter::~TPrinter()
{
    if (printing_) {
        try {
            Abort();
        } catch (const rtl::Exception&) {
        }
    }
    DropDevice();
}

const classes::TClassInfo& TPrinter::StaticClass()
{
    static const classes::TClassInfo info("TPrinter", &TObject::StaticClass());
    return info;
}

win::PrintBackend& TPrinter::Backend()
{
    win::PrintBackend* backend = win::GetPrintBackend();
    if (!backend) {
        throw EPrinter("There is no default printer currently selected");
    }
    return *backend;
}

void TPrinter::CheckPrinting(bool printing) const
{
    if (printing_ != printing) {
        throw EPrinter(printing ? "Printer is not currently printing" : "Printing in progress");
    }
}

rtl::TStrings* TPrinter::Printers()
{
    if (!printersRead_) {
        printers_->Clear();
        if (win::PrintBackend* backend = win::GetPrintBackend()) {
            for (const std::string& name : backend->Printers()) {
                printers_->Add(name);
            }
        }
        printersRead_ = true;
    }
    return printers_.get();
}

void TPrinter::Refresh()
{
    CheckPrinting(false);
    printersRead_ = false;
    printerIndex_ = -1;
    DropDevice();
}

int TPrinter::PrinterIndex()
{
    if (printerIndex_ < 0) {
        const std::string name = win::GetPrintBackend() ? Backend().DefaultPrinter() : std::string();
        const int index = name.empty() ? -1 : Printers()->IndexOf(name);
        if (index < 0) {
            throw EPrinter("There is no default printer currently selected");
        }
        printerIndex_ = index;
    }
    return printerIndex_;
}

void TPrinter::SetPrinterIndex(int value)
{
    CheckPrinting(false);
    if (value == -1 || Printers()->Count() == 0) {
        printerIndex_ = -1;
        PrinterIndex();
    } else if (value < 0 || value >= Printers()->Count()) {
        throw EPrinter("Printer index out of range");
    } else {
        printerIndex_ = value;
    }
    DropDevice();
}

std::string TPrinter::PrinterName()
{
    return Printers()->Strings(PrinterIndex());
}

TPrinterOrientation TPrinter::Orientation()
{
    PrinterIndex();
    return orientation_;
}

void TPrinter::SetOrientation(TPrinterOrientation value)
{
    CheckPrinting(false);
    PrinterIndex();
    if (value != orientation_) {
        orientation_ = value;
        DropDevice();
    }
}

void TPrinter::SetCopies(int value)
{
    CheckPrinting(false);
    copies_ = std::max(value, 1);
}

win::PageGeometry TPrinter::Geometry()
{
    const std::string name = PrinterName();
    win::PrintBackend& backend = Backend();
    const std::vector<win::PaperInfo> papers = backend.Papers(name);
    if (papers.empty()) {
        throw EPrinter("Printer selected is not valid");
    }
    return win::PageFor(backend.Resolution(name), papers.front(),
                        orientation_ == poLandscape ? win::DMORIENT_LANDSCAPE : win::DMORIENT_PORTRAIT);
}

win::PageDevice& TPrinter::Device()
{
    if (!device_) {
        device_ = win::PageDevice::InformationOnly(Geometry());
    }
    return *device_;
}

void TPrinter::DropDevice()
{
    if (canvas_) {
        canvas_->SetHandle(nullptr);
    }
    device_.reset();
}

win::HDC TPrinter::Handle()
{
    return Device().DC();
}

TCanvas* TPrinter::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<PrinterCanvas>(*this);
    }
    return canvas_.get();
}

int TPrinter::PageWidth()
{
    return win::GetDeviceCaps(Handle(), win::HORZRES);
}

int TPrinter::PageHeight()
{
    return win::GetDeviceCaps(Handle(), win::VERTRES);
}

void TPrinter::BeginDoc()
{
    CheckPrinting(false);
    win::PrintJobSettings settings;
    settings.printer = PrinterName();
    settings.title = title_;
    settings.copies = copies_;
    settings.orientation = orientation_ == poLandscape ? win::DMORIENT_LANDSCAPE : win::DMORIENT_PORTRAIT;
    const win::PageGeometry geometry = Geometry();
    const std::vector<win::PaperInfo> papers = Backend().Papers(settings.printer);
    settings.paper = papers.front().id;
    auto sheet = std::make_unique<win::PageDevice>(geometry);
    win::PrintBackend& backend = Backend();
    const int job = backend.StartJob(settings);
    try {
        backend.StartPage(job);
    } catch (...) {
        backend.AbortJob(job);
        throw;
    }
    DropDevice();
    device_ = std::move(sheet);
    job_ = job;
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
}

void TPrinter::NewPage()
{
    CheckPrinting(true);
    win::PrintBackend& backend = Backend();
    try {
        backend.EndPage(job_, device_->Image());
        device_->Clear();
        backend.StartPage(job_);
    } catch (...) {
        EndJob(false);
        throw;
    }
    ++pageNumber_;
    Canvas()->Refresh();
}

void TPrinter::EndDoc()
{
    CheckPrinting(true);
    EndJob(true);
}

void TPrinter::Abort()
{
    CheckPrinting(true);
    EndJob(false);
}

void TPrinter::EndJob(bool deliverPage)
{
    win::PrintBackend* backend = win::GetPrintBackend();
    const int job = job_;
    printing_ = false;
    pageNumber_ = 0;
    job_ = 0;
    std::unique_ptr<win::PageDevice> sheet = std::move(device_);
    DropDevice();
    if (!backend) {
        aborted_ = true;
        return;
    }
    if (!deliverPage) {
        aborted_ = true;
        try {
            backend->AbortJob(job);
        } catch (const rtl::Exception&) {
            // The job is gone either way; the caller hears of the failure that made it abort.
        }
        return;
    }
    try {
        backend->EndPage(job, sheet->Image());
        backend->EndJob(job);
    } catch (...) {
        aborted_ = true;
        try {
            backend->AbortJob(job);
        } catch (const rtl::Exception&) {
        }
        throw;
    }
}

TPrinter* Printer()
{
    std::unique_ptr<TPrinter>& printer = ThePrinter();
    if (!printer) {
        printer = std::make_unique<TPrinter>();
    }
    return printer.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer)
{
    std::swap(ThePrinter(), printer);
    return printer;
}

}  // namespace gui
