#pragma once
// The one printer seam of the program: which printers there are, what each can do, and the jobs that
// carry documents to them. Start-up installs the file printer (RIVUVE_PRINTER_DIR) or the system's
// printing (CUPS); tests install a back end of their own (printing/testing/MemoryPrintBackend.h). The
// spooler calls (Spooler.h) and printer device contexts (PrinterDC.h) are built on it.
//
// Lengths of paper are in hundredths of a millimetre, upright; text is ANSI. A page reaches its job as
// rows of pixels at the printer's resolution.

#include "platform/rtl/Exceptions.h"
#include "platform/wintypes/DevMode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace win {

// What a back end raises when a printer, a job or a page fails: the text the user is told and the
// last-error code the failing call answers with.
class EPrintError : public rtl::Exception {
public:
    explicit EPrintError(const std::string& message, DWORD code = ERROR_ACCESS_DENIED)
        : rtl::Exception(message), code_(code)
    {
    }
    const char* ClassName() const noexcept override { return "EPrintError"; }
    DWORD Code() const { return code_; }

private:
    DWORD code_;
};

struct PrinterEntry {
    std::string name;
    std::string location;
    std::string makeAndModel;
    std::string info;
    std::string state;  // as the printer reports it ("idle", "printing", "stopped")
    bool isDefault = false;
};

// A paper a printer takes: its own name for it (a PWG media keyword), the name shown, its size upright
// and the edges the printer cannot reach.
struct Paper {
    std::string keyword;
    std::string name;
    int width = 0;
    int length = 0;
    RECT margins;
};

struct PaperSource {
    std::string keyword;  // media-source keyword: "auto", "tray-1", "manual" ...
    std::string name;
};

struct Resolution {
    int x = 0;
    int y = 0;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// The sizes a printer takes beyond its papers; all 0 when it takes none.
struct CustomSizes {
    int minWidth = 0;
    int maxWidth = 0;
    int minLength = 0;
    int maxLength = 0;
    bool Holds(int width, int length) const
    {
        return maxWidth > 0 && width >= minWidth && width <= maxWidth && length >= minLength && length <= maxLength;
    }
};

struct PrinterCapabilities {
    std::vector<Paper> papers;  // the printer's order
    std::vector<PaperSource> sources;
    std::vector<Resolution> resolutions;
    bool duplex = false;
    bool color = false;
    int maxCopies = 1;
    bool collate = false;
    CustomSizes custom;
    std::vector<std::string> formats;  // document formats the printer takes (MIME types)
    // The resolutions pages can be sent at, when the printer narrows them; empty: any of resolutions.
    std::vector<Resolution> pageResolutions;
};

// A printer's own settings for a document that asks for nothing else.
struct PrinterDefaults {
    std::string paper;  // a paper's keyword
    std::string source;  // a source's keyword; empty when the printer has none
    Resolution resolution;
    SHORT duplex = DMDUP_SIMPLEX;
    bool color = false;
    int copies = 1;
    bool collate = false;
};

// A document for a printer: copies and collation are the job's.
struct JobTicket {
    std::string printer;
    std::string document;
    int copies = 1;
    bool collate = false;
};

// One page of a job, as drawn.
struct PageSetup {
    Paper paper;
    bool custom = false;  // a size of the document's own
    SHORT orientation = DMORIENT_PORTRAIT;
    Resolution resolution;
    SHORT duplex = DMDUP_SIMPLEX;
    PaperSource source;
    bool color = true;
    int width = 0;  // pixels of the page as drawn: landscape is wider than high
    int height = 0;
};

// The order in which a job takes a page's rows: as drawn, top to bottom; or, turned, the upright sheet
// of a landscape page (the drawing turned 90 degrees counter-clockwise); with the rows from the bottom up
// and each row from right to left where a printer wants the back of a sheet so.
struct RowOrder {
    bool turned = false;
    bool bottomUp = false;
    bool mirrored = false;
};

class PrintJob {
public:
    virtual ~PrintJob() = default;
    // A page begins; its rows follow in the order answered, each width * 3 bytes (R, G, B) or, for a
    // page without colour, width bytes of grey, where width is that of the rows as ordered.
    virtual RowOrder StartPage(const PageSetup& page) = 0;
    virtual void WriteRows(const std::uint8_t* rows, int count) = 0;
    virtual void EndPage() = 0;
    // The document is complete and goes to the printer.
    virtual void Finish() = 0;
    // Nothing of the job stays behind.
    virtual void Abort() noexcept = 0;
};

// Bytes for the printer as they are.
class RawJob {
public:
    virtual ~RawJob() = default;
    virtual void Write(const void* bytes, std::size_t count) = 0;
    virtual void Finish() = 0;
    virtual void Abort() noexcept = 0;
};

// Each call raises EPrintError on failure: ERROR_INVALID_PRINTER_NAME for a printer it does not know,
// ERROR_NOT_READY when the printing system cannot be reached, ERROR_ACCESS_DENIED when it refuses.
class PrintBackend {
public:
    virtual ~PrintBackend() = default;

    // None when the printing system cannot be reached.
    virtual std::vector<PrinterEntry> Printers() = 0;
    virtual PrinterCapabilities Capabilities(const std::string& printer) = 0;
    virtual PrinterDefaults Defaults(const std::string& printer) = 0;
    virtual std::unique_ptr<PrintJob> OpenJob(const JobTicket& ticket) = 0;
    virtual std::unique_ptr<RawJob> OpenRawJob(const JobTicket& ticket) = 0;
};

// Installs the back end (null: none, so no printers) and answers the one it replaces.
std::unique_ptr<PrintBackend> SetPrintBackend(std::unique_ptr<PrintBackend> backend);
// The back end in place, or null.
PrintBackend* GetPrintBackend();

}  // namespace win
