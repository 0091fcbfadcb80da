#pragma once
// The one printer seam of the program: what the printers are, what they print on, and the jobs that
// carry pages to them. The library's back end speaks to the system's printing; tests install a back end
// of their own (printing/testing/MemoryPrintBackend.h). Without a back end there are no printers.
//
// Lengths of paper are in tenths of a millimetre, as device modes give them; a page reaches the back end
// as pixels at the printer's resolution.

#include "platform/rtl/Exceptions.h"
#include "platform/wintypes/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace win {

// What a back end raises when a printer, a job or a page fails.
class EPrintError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EPrintError"; }
};

constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_LEGAL = 5;
constexpr short DMPAPER_A4 = 9;
constexpr short DMPAPER_A5 = 11;

struct PrinterResolution {
    int dpiX = 0;
    int dpiY = 0;
};

// A paper a printer takes: its size upright and the edges the printer cannot reach.
struct PaperInfo {
    short id = 0;
    std::string name;
    SIZE size;     // 0.1 mm
    RECT margins;  // 0.1 mm from each edge
};

// The page of a job, in the printer's pixels: the whole sheet, and the printable part of it.
struct PageGeometry {
    int dpiX = 0;
    int dpiY = 0;
    SIZE physical;
    POINT offset;  // the printable part's top left on the sheet
    SIZE printable;
};
// The sheet of a paper at a resolution; landscape turns it a quarter counter-clockwise, so the upright
// sheet's left edge becomes its bottom.
PageGeometry PageFor(const PrinterResolution& resolution, const PaperInfo& paper, short orientation);

struct PrintJobSettings {
    std::string printer;
    std::string title;
    int copies = 1;
    short orientation = DMORIENT_PORTRAIT;
    short paper = 0;
};

// A printed page: 0x00RRGGBB pixels, rows from top to bottom.
struct PageImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t Pixel(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

class PrintBackend {
public:
    virtual ~PrintBackend() = default;

    virtual std::vector<std::string> Printers() = 0;
    // Empty when there is no default printer.
    virtual std::string DefaultPrinter() = 0;
    // EPrintError for a printer the back end does not know.
    virtual PrinterResolution Resolution(const std::string& printer) = 0;
    // The first is the printer's default paper.
    virtual std::vector<PaperInfo> Papers(const std::string& printer) = 0;

    // A job: pages in order, then its end or its abort. StartJob answers the job's number.
    virtual int StartJob(const PrintJobSettings& settings) = 0;
    virtual void StartPage(int job) = 0;
    virtual void EndPage(int job, PageImage page) = 0;
    virtual void EndJob(int job) = 0;
    virtual void AbortJob(int job) = 0;
};

// Installs the back end (null: none) and answers the one it replaces.
std::unique_ptr<PrintBackend> SetPrintBackend(std::unique_ptr<PrintBackend> backend);
// The back end in place, or null.
PrintBackend* GetPrintBackend();

}  // namespace win
