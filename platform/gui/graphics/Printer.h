#pragma once
// TPrinter: the printer object of the program (Printer()), on the spooler calls and printer contexts of
// the printing library. The printers are those EnumPrinters lists, the default the one the profile names;
// each printer's settings are its device mode (DocumentProperties), changed by Orientation and Copies.
// BeginDoc makes the printer's device context and starts a document with the first page, the Canvas
// draws each page at the printer's resolution, NewPage and EndDoc end pages, Abort drops the document.
// Outside a document the Canvas measures on the printer's information context (fonts in points scale to
// the printer).
//
// Errors are EPrinter: no printer ("There is no default printer currently selected"), an index out of
// range ("Printer index out of range"), a job call while none runs ("Printer is not currently printing")
// or a setting changed during one ("Printing in progress"). A document or page the printer refuses ends
// the document and raises the printing system's own text (PrintErrorText), EndDoc's too.

#include "platform/classes/Persistent.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/DevMode.h"

#include <memory>
#include <string>
#include <vector>

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
    // Reads the printers again.
    void Refresh();

    bool Printing() const { return printing_; }
    // Whether the last job was aborted (until the next BeginDoc).
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }

    TCanvas* Canvas();
    // The page's context while printing, else the printer's information context.
    win::HDC Handle();
    int PageWidth();
    int PageHeight();

    rtl::TStrings* Printers();
    // -1 chooses the default printer.
    int PrinterIndex();
    void SetPrinterIndex(int value);
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation value);
    int Copies();
    void SetCopies(int value);
    // The chosen printer's whole device mode, as the printer dialogs change it: a mode of the printer
    // (DocumentProperties' size, its driver part included) replaces the one held.
    win::DEVMODEA& DeviceMode() { return DevMode(); }
    void SetDeviceMode(const std::vector<unsigned char>& mode);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }

private:
    class PrinterCanvas;
    void CheckPrinting(bool printing) const;
    std::string PrinterName();
    // The chosen printer's device mode (read on first use after the printer changes).
    win::DEVMODEA& DevMode();
    void DropHandle();
    // Ends the document after a failure: the context goes, and the printing system's text is raised.
    [[noreturn]] void Fail();

    std::unique_ptr<rtl::TStringList> printers_;
    bool printersRead_ = false;
    int printerIndex_ = -1;
    std::vector<unsigned char> devMode_;  // DEVMODEA and the driver's part
    std::string title_;
    std::unique_ptr<PrinterCanvas> canvas_;
    win::HDC dc_ = nullptr;
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
