#include "platform/gui/graphics/Printer.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/Spooler.h"
#include "platform/services/DialogService.h"

#include <algorithm>

namespace gui {

namespace {

std::unique_ptr<TPrinter>& ThePrinter()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

constexpr const char* kNoPrinter = "There is no default printer currently selected";

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
        win::AbortDoc(dc_);
    }
    DropHandle();
}

const classes::TClassInfo& TPrinter::StaticClass()
{
    static const classes::TClassInfo info("TPrinter", &TObject::StaticClass());
    return info;
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
        const win::DWORD flags = win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS;
        win::DWORD needed = 0;
        win::DWORD count = 0;
        win::EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
        std::vector<win::BYTE> buffer(needed);
        if (needed > 0 && win::EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) {
            const auto* infos = reinterpret_cast<const win::PRINTER_INFO_4A*>(buffer.data());
            for (win::DWORD index = 0; index < count; ++index) {
                printers_->Add(infos[index].pPrinterName);
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
    devMode_.clear();
    DropHandle();
}

int TPrinter::PrinterIndex()
{
    if (printerIndex_ < 0) {
        char device[256] = {};
        win::GetProfileStringA("windows", "device", "", device, sizeof(device));
        const std::string entry = device;
        const std::size_t comma = entry.find(',');
        const int index = comma == std::string::npos ? -1 : Printers()->IndexOf(entry.substr(0, comma));
        if (index < 0) {
            throw EPrinter(kNoPrinter);
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
    devMode_.clear();
    DropHandle();
}

std::string TPrinter::PrinterName()
{
    return Printers()->Strings(PrinterIndex());
}

win::DEVMODEA& TPrinter::DevMode()
{
    if (devMode_.empty()) {
        const std::string name = PrinterName();
        const win::LONG size = win::DocumentPropertiesA(nullptr, nullptr, name.c_str(), nullptr, nullptr, 0);
        if (size < win::LONG(sizeof(win::DEVMODEA))) {
            throw EPrinter("Printer selected is not valid");
        }
        std::vector<unsigned char> mode(static_cast<std::size_t>(size));
        if (win::DocumentPropertiesA(nullptr, nullptr, name.c_str(), reinterpret_cast<win::DEVMODEA*>(mode.data()),
                                     nullptr, win::DM_OUT_BUFFER) != win::IDOK) {
            throw EPrinter("Printer selected is not valid");
        }
        devMode_ = std::move(mode);
    }
    return *reinterpret_cast<win::DEVMODEA*>(devMode_.data());
}

TPrinterOrientation TPrinter::Orientation()
{
    return DevMode().dmOrientation == win::DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value)
{
    CheckPrinting(false);
    win::DEVMODEA& mode = DevMode();
    const win::SHORT orientation = value == poLandscape ? win::DMORIENT_LANDSCAPE : win::DMORIENT_PORTRAIT;
    if (mode.dmOrientation != orientation) {
        mode.dmOrientation = orientation;
        mode.dmFields |= win::DM_ORIENTATION;
        DropHandle();
    }
}

void TPrinter::SetDeviceMode(const std::vector<unsigned char>& mode)
{
    CheckPrinting(false);
    if (mode.size() < sizeof(win::DEVMODEA)) {
        throw EPrinter("Printer selected is not valid");
    }
    devMode_ = mode;
    DropHandle();
}

int TPrinter::Copies()
{
    return DevMode().dmCopies;
}

void TPrinter::SetCopies(int value)
{
    CheckPrinting(false);
    win::DEVMODEA& mode = DevMode();
    mode.dmCopies = static_cast<win::SHORT>(std::clamp(value, 1, 32767));
    mode.dmFields |= win::DM_COPIES;
    DropHandle();
}

void TPrinter::DropHandle()
{
    if (canvas_) {
        canvas_->SetHandle(nullptr);
    }
    if (dc_) {
        win::DeleteDC(dc_);
        dc_ = nullptr;
    }
}

win::HDC TPrinter::Handle()
{
    if (!dc_) {
        const std::string name = PrinterName();
        dc_ = win::CreateICA(nullptr, name.c_str(), nullptr, &DevMode());
        if (!dc_) {
            throw EPrinter(win::PrintErrorText().empty() ? "Printer selected is not valid" : win::PrintErrorText());
        }
    }
    return dc_;
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

void TPrinter::Fail()
{
    const std::string text = win::PrintErrorText();
    printing_ = false;
    pageNumber_ = 0;
    aborted_ = true;
    DropHandle();
    throw EPrinter(text.empty() ? "The printer refused the document" : text);
}

void TPrinter::BeginDoc()
{
    CheckPrinting(false);
    const std::string name = PrinterName();
    const win::DEVMODEA& mode = DevMode();
    DropHandle();
    dc_ = win::CreateDCA(nullptr, name.c_str(), nullptr, &mode);
    if (!dc_) {
        Fail();
    }
    win::DOCINFOA info;
    info.lpszDocName = title_.c_str();
    if (win::StartDocA(dc_, &info) <= 0) {
        Fail();
    }
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    if (win::StartPage(dc_) <= 0) {
        win::AbortDoc(dc_);
        Fail();
    }
}

void TPrinter::NewPage()
{
    CheckPrinting(true);
    if (win::EndPage(dc_) <= 0 || win::StartPage(dc_) <= 0) {
        win::AbortDoc(dc_);
        Fail();
    }
    ++pageNumber_;
    Canvas()->Refresh();
}

void TPrinter::EndDoc()
{
    CheckPrinting(true);
    if (win::EndPage(dc_) <= 0 || win::EndDoc(dc_) <= 0) {
        Fail();
    }
    printing_ = false;
    pageNumber_ = 0;
    DropHandle();
}

void TPrinter::Abort()
{
    CheckPrinting(true);
    win::AbortDoc(dc_);
    printing_ = false;
    pageNumber_ = 0;
    aborted_ = true;
    DropHandle();
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
