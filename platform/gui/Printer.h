#pragma once
// TPrinter: the printer object of the program (Printer()). It prints through the printing library's back
// end: BeginDoc starts a job on the chosen printer, the Canvas draws each page at the printer's
// resolution on a sheet of the paper's size, NewPage and EndDoc hand the pages to the printer, Abort
// drops the job. Outside a job the Canvas measures as the printer would (fonts in points scale to it).
//
// Errors are EPrinter: no printer ("There is no default printer currently selected"), an index out of
// range ("Printer index out of range"), a job call while none runs ("Printer is not currently printing")
// or a setting changed during one ("Printing in progress"). A page or job the back end refuses ends the
// job (dropped at the back end) and raises the back end's error.

#include "platform/classes/Persistent.h"
#include "platform/gui/Canvas.h"
#include "platform/printing/PageDevice.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>

namespace gui {

class EPrinter : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EPrinter"; }
};

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public classes::TObject {
public:
    TPrinter();
    ~TPrinter() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    // Reads the printers again (after the back end changed).
    void Refresh();

    bool Printing() const { return printing_; }
    // Whether the last job was aborted (until the next BeginDoc).
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }

    TCanvas* Canvas();
    // The page's context while printing, else one that answers for the printer.
    win::HDC Handle();
    int PageWidth();
    int PageHeight();

    rtl::TStrings* Printers();
    // -1 chooses the default printer.
    int PrinterIndex();
    void SetPrinterIndex(int value);
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation value);
    int Copies() const { return copies_; }
    void SetCopies(int value);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }

private:
    class PrinterCanvas;
    win::PrintBackend& Backend();
    void CheckPrinting(bool printing) const;
    std::string PrinterName();
    win::PageGeometry Geometry();
    // The information context (made on demand outside a job).
    win::PageDevice& Device();
    void DropDevice();
    void EndJob(bool deliverPage);

    std::unique_ptr<rtl::TStringList> printers_;
    bool printersRead_ = false;
    int printerIndex_ = -1;
    TPrinterOrientation orientation_ = poPortrait;
    int copies_ = 1;
    std::string title_;
    std::unique_ptr<PrinterCanvas> canvas_;
    std::unique_ptr<win::PageDevice> device_;
    int job_ = 0;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

const classes::TTypeInfo& PrinterOrientationType();

// The program's printer, made on first use; SetPrinter puts another in its place and answers the old
// one, which the caller then owns (null gives the next Printer() a new one).
TPrinter* Printer();
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

}  // namespace gui
