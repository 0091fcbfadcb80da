// The file printer: start-up chooses it for RIVUVE_PRINTER_DIR; its jobs become folders of page images
// and a job.ini, checked with ImageMagick's identify where it is installed.

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Shapes.h"
#include "platform/imaging/PngCodec.h"
#include "platform/printing/FilePrinter.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/Spooler.h"
#include "platform/services/DialogService.h"

#include "tests/platform/printing/PrintingFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <cups/raster.h>

#include <cmath>
#include <filesystem>
#include <functional>

namespace {

using printingtest::ScopedEnvironment;

class FilePrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_.emplace("RIVUVE_PRINTER_DIR", files_.Folder().c_str());
        printingtest::StartLibraries();
    }
    void TearDown() override { printingtest::EndLibraries(); }

    // The device mode of the printer's defaults, changed.
    std::vector<unsigned char> Mode(const std::function<void(win::DEVMODEA&)>& change, const char* printer = "File Printer")
    {
        std::vector<unsigned char> mode(std::size_t(win::DocumentPropertiesA(nullptr, nullptr, printer, nullptr, nullptr, 0)));
        auto* devmode = reinterpret_cast<win::DEVMODEA*>(mode.data());
        EXPECT_EQ(win::DocumentPropertiesA(nullptr, nullptr, printer, devmode, nullptr, win::DM_OUT_BUFFER), win::IDOK);
        change(*devmode);
        return mode;
    }

    // A document of blank pages but for a black square: at the printable part's corner on the first page,
    // 60 pixels further right on each next one.
    int Print(const std::vector<unsigned char>& mode, const char* title, int pages = 1, const char* printer = "File Printer",
              const char* output = nullptr)
    {
        const win::HDC dc = win::CreateDCA(nullptr, printer, nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
        EXPECT_NE(dc, nullptr);
        win::DOCINFOA info;
        info.lpszDocName = title;
        info.lpszOutput = output;
        if (win::StartDocA(dc, &info) <= 0) {
            win::DeleteDC(dc);
            return win::SP_ERROR;
        }
        for (int page = 0; page < pages; ++page) {
            win::StartPage(dc);
            const win::RECT square{page * 60, 0, page * 60 + 50, 50};
            win::FillRect(dc, &square, static_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
            win::EndPage(dc);
        }
        const int ended = win::EndDoc(dc);
        win::DeleteDC(dc);
        return ended;
    }

    std::string Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(files_.Folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        std::string text;
        for (const std::string& name : names) {
            text += name + ";";
        }
        return text;
    }

    testsupport::ScratchFolder files_;
    std::optional<ScopedEnvironment> folder_;
};

// Round as the report library's printer rounds its metrics: halves to even.
int Millimetres(int dots, int dpi)
{
    return int(std::nearbyint(dots / double(dpi) * 25.4));
}

TEST_F(FilePrinterTest, AnA4PageAt600DpiHasTheSizesOfTheReportLibrarysMetrics)
{
    struct Case {
        const char* name;
        win::SHORT orientation;
        int physicalWidth, physicalHeight, printableWidth, printableHeight;
    };
    for (const Case& c : {Case{"portrait", win::DMORIENT_PORTRAIT, 4961, 7016, 4761, 6816},
                          Case{"landscape", win::DMORIENT_LANDSCAPE, 7016, 4961, 6816, 4761}}) {
        SCOPED_TRACE(c.name);
        const std::vector<unsigned char> mode = Mode([&](win::DEVMODEA& devmode) { devmode.dmOrientation = c.orientation; });
        const win::HDC ic = win::CreateICA(nullptr, "File Printer", nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
        ASSERT_NE(ic, nullptr);
        const auto cap = [&](int index) { return win::GetDeviceCaps(ic, index); };
        EXPECT_EQ(cap(win::LOGPIXELSX), 600);
        EXPECT_EQ(cap(win::LOGPIXELSY), 600);
        EXPECT_EQ(cap(win::PHYSICALWIDTH), c.physicalWidth);
        EXPECT_EQ(cap(win::PHYSICALHEIGHT), c.physicalHeight);
        EXPECT_EQ(cap(win::PHYSICALOFFSETX), 100);
        EXPECT_EQ(cap(win::PHYSICALOFFSETY), 100);
        EXPECT_EQ(cap(win::HORZRES), c.printableWidth);
        EXPECT_EQ(cap(win::VERTRES), c.printableHeight);
        // The printer's metrics as the report library computes them: 210 x 297 mm, four 4 mm margins.
        const int width = Millimetres(cap(win::PHYSICALWIDTH), 600);
        const int height = Millimetres(cap(win::PHYSICALHEIGHT), 600);
        const int left = Millimetres(cap(win::PHYSICALOFFSETX), 600);
        const int top = Millimetres(cap(win::PHYSICALOFFSETY), 600);
        const bool landscape = c.orientation == win::DMORIENT_LANDSCAPE;
        EXPECT_EQ(landscape ? height : width, 210);
        EXPECT_EQ(landscape ? width : height, 297);
        EXPECT_EQ(left, 4);
        EXPECT_EQ(top, 4);
        EXPECT_EQ(width - Millimetres(cap(win::HORZRES), 600) - left, 4);
        EXPECT_EQ(height - Millimetres(cap(win::VERTRES), 600) - top, 4);
        win::DeleteDC(ic);
    }
}

// The report library's custom 300 x 200 mm landscape page is sent as width 2000 and length 3000 tenths of
// a millimetre: a landscape image of 300 x 200 mm, recorded as custom 200 x 300 mm, landscape.
TEST_F(FilePrinterTest, ACustomLandscapePageBecomesALandscapeImageOfItsSize)
{
    const std::vector<unsigned char> mode = Mode([](win::DEVMODEA& devmode) {
        devmode.dmFields |= win::DM_PAPERSIZE | win::DM_PAPERWIDTH | win::DM_PAPERLENGTH | win::DM_ORIENTATION |
                            win::DM_DUPLEX | win::DM_DEFAULTSOURCE | win::DM_COPIES | win::DM_COLLATE;
        devmode.dmPaperSize = win::DMPAPER_USER;
        devmode.dmPaperWidth = 2000;
        devmode.dmPaperLength = 3000;
        devmode.dmOrientation = win::DMORIENT_LANDSCAPE;
        devmode.dmDuplex = win::DMDUP_HORIZONTAL;
        devmode.dmDefaultSource = win::DMBIN_MANUAL;
        devmode.dmCopies = 3;
        devmode.dmCollate = win::DMCOLLATE_FALSE;
    });
    ASSERT_GT(Print(mode, "Savings graph", 2), 0) << win::PrintErrorText();
    const std::string job = files_.Folder() + "0001-Savings graph/";
    const win::Image page = win::ReadPng(testsupport::ReadBytes(job + "page-0001.png"));
    EXPECT_EQ(page.Width(), 7087);
    EXPECT_EQ(page.Height(), 4724);
    EXPECT_EQ(page.Pixel(99, 99) & 0xFFFFFF, 0xFFFFFFu);  // the margin
    EXPECT_EQ(page.Pixel(100, 100) & 0xFFFFFF, 0u);  // the square at the printable corner
    EXPECT_EQ(testsupport::ReadBytes(job + "job.ini"),
              "[Job]\nPrinter=File Printer\nDocument=Savings graph\nCopies=3\nCollate=0\nPages=2\n"
              "\n[Page 1]\nPaper=Custom\nWidth=200\nHeight=300\nOrientation=Landscape\nResolution=600x600\n"
              "Duplex=Short Edge\nSource=Manual Feed\nColor=1\n"
              "\n[Page 2]\nPaper=Custom\nWidth=200\nHeight=300\nOrientation=Landscape\nResolution=600x600\n"
              "Duplex=Short Edge\nSource=Manual Feed\nColor=1\n");
    const std::optional<std::string> identify = testsupport::FindProgram("identify");
    if (!identify) {
        GTEST_SKIP() << "ImageMagick identify is not installed; the page images are not checked";
    }
    const testsupport::ToolResult described =
        testsupport::RunProgram(*identify, {"-format", "%m %w %h %z %[type] %U %[fx:round(resolution.x*2.54)]x%[fx:round(resolution.y*2.54)]",
                                     job + "page-0002.png"});
    EXPECT_EQ(described.exitCode, 0) << described.output;
    // pHYs keeps whole dots per metre: 23622 for 600 dots per inch.
    EXPECT_EQ(described.output, "PNG 7087 4724 8 Bilevel PixelsPerCentimeter 600x600") << described.output;
}

// A grey printer of a printers.ini gives grey images; the jobs are numbered and named after their
// documents, what a folder name cannot hold made '_'.
TEST_F(FilePrinterTest, PrintersOfAPrintersIniAndTheJobsFolders)
{
    printingtest::EndLibraries();
    files_.WriteFile("printers.ini", "; the office's printers\n[Office]\nPapers=Letter, A5, Photo 100x150\n"
                                     "DefaultPaper=Photo\nResolutions=300\nMargins=0\nColor=No\nDuplex=No\n\n"
                                     "[Plotter]\nPapers=A3\nSources=Roll\n");
    printingtest::StartLibraries();
    win::DWORD needed = 0;
    win::DWORD count = 0;
    win::EnumPrintersA(win::PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<win::BYTE> buffer(needed);
    ASSERT_TRUE(win::EnumPrintersA(win::PRINTER_ENUM_LOCAL, nullptr, 1, buffer.data(), needed, &needed, &count));
    ASSERT_EQ(count, 2u);
    EXPECT_STREQ(reinterpret_cast<const win::PRINTER_INFO_1A*>(buffer.data())[1].pName, "Plotter");
    char device[64];
    win::GetProfileStringA("windows", "device", "", device, sizeof(device));
    EXPECT_STREQ(device, "Office,winspool,Ne00:");
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_COLORDEVICE, nullptr, nullptr), 0);
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_DUPLEX, nullptr, nullptr), 0);
    std::vector<win::WORD> papers(3);
    ASSERT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERS, reinterpret_cast<char*>(papers.data()), nullptr), 3);
    EXPECT_EQ(papers, (std::vector<win::WORD>{1, 11, 257}));

    const std::vector<unsigned char> mode = Mode([](win::DEVMODEA&) {}, "Office");
    const win::HDC ic = win::CreateICA(nullptr, "Office", nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
    EXPECT_EQ(win::GetDeviceCaps(ic, win::BITSPIXEL), 8);
    EXPECT_EQ(win::GetDeviceCaps(ic, win::PHYSICALWIDTH), 1181);  // 100 mm at 300 dpi
    EXPECT_EQ(win::GetDeviceCaps(ic, win::PHYSICALOFFSETX), 0);
    win::DeleteDC(ic);
    ASSERT_GT(Print(mode, "Q1/Q2\tresults", 1, "Office"), 0);
    ASSERT_GT(Print(mode, "", 1, "Office"), 0);
    EXPECT_EQ(Entries(), "0001-Q1_Q2_results;0002-Untitled;printers.ini;");
    const win::Image page = win::ReadPng(testsupport::ReadBytes(files_.Folder() + "0001-Q1_Q2_results/page-0001.png"));
    EXPECT_EQ(page.Width(), 1181);
    EXPECT_EQ(page.Height(), 1772);
}

TEST_F(FilePrinterTest, ADamagedPrintersIniStopsStartUpNamingTheLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"Papers=A4\n", "printers.ini line 1: a key before the first [printer] section"},
        {"[Office]\nPapers=A4, Foolscap\n", "printers.ini line 2: \"Foolscap\" is no standard paper and gives no size"},
        {"[Office]\n\nResolutions=600, 0\n", "printers.ini line 3: \"0\" is no resolution from 1 to 9600 dots per inch"},
        {"[Office]\nPapers=A4\nDefaultPaper=Letter\n", "printers.ini line 3: the default paper \"Letter\" is none of the papers"},
        {"[Office]\nColour=Yes\n", "printers.ini line 2: unknown key \"Colour\""},
        {"[Office]\nDuplex=Maybe\n", "printers.ini line 2: \"Maybe\" is neither Yes nor No"},
        {"[Office]\n[office]\n", "printers.ini line 2: the printer \"office\" is described twice"},
        {"[Office\n", "printers.ini line 1: a section names a printer"},
        {"[Office]\nPapers=Tiny 10x10\nMargins=5\n", "printers.ini line 1: the margins leave nothing of the paper \"Tiny\""},
        {"[Office]\nPapers\n", "printers.ini line 2: \"Papers\" is no key=value"},
    };
    printingtest::EndLibraries();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        files_.WriteFile("printers.ini", c.text);
        try {
            printingtest::StartLibraries();
            ADD_FAILURE() << "started";
        } catch (const win::EPrintError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
        printingtest::EndLibraries();
    }
    std::filesystem::remove(files_.Path("printers.ini"));
    printingtest::StartLibraries();
}

// Nothing of a job is there under its own name before the job ends, and nothing at all after an abort.
TEST_F(FilePrinterTest, JobsAreNamedAtTheEndAndAbortedOnesLeaveNothing)
{
    const std::vector<unsigned char> mode = Mode([](win::DEVMODEA&) {});
    const win::HDC dc = win::CreateDCA(nullptr, "File Printer", nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
    win::DOCINFOA info;
    info.lpszDocName = "Report";
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    win::StartPage(dc);
    win::EndPage(dc);
    EXPECT_EQ(Entries().find("0001-Report"), std::string::npos);
    EXPECT_GT(win::AbortDoc(dc), 0);
    win::DeleteDC(dc);
    EXPECT_EQ(Entries(), "");

    win::HANDLE printer = nullptr;
    ASSERT_TRUE(win::OpenPrinterA("File Printer", &printer, nullptr));
    win::DOC_INFO_1A raw{const_cast<char*>("Labels"), nullptr, const_cast<char*>("RAW")};
    EXPECT_EQ(win::StartDocPrinterA(printer, 2, reinterpret_cast<const win::BYTE*>(&raw)), 0u);
    ASSERT_GT(win::StartDocPrinterA(printer, 1, reinterpret_cast<const win::BYTE*>(&raw)), 0u);
    win::DWORD written = 0;
    ASSERT_TRUE(win::WritePrinter(printer, "^XA^FDRivuve^XZ", 15, &written));
    ASSERT_TRUE(win::EndDocPrinter(printer));
    EXPECT_TRUE(win::ClosePrinter(printer));
    EXPECT_FALSE(win::ClosePrinter(printer));
    EXPECT_EQ(testsupport::ReadBytes(files_.Folder() + "0001-Labels/raw.bin"), "^XA^FDRivuve^XZ");
}

// The pages of a PWG raster file: each one's size, resolution, colour space and bits per pixel, and
// the page it shows (by where its square is, at 300 dpi).
std::vector<std::string> RasterPages(const std::string& file)
{
    std::vector<std::string> pages;
    const int fd = ::open(file.c_str(), O_RDONLY);
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
    cups_page_header2_t header;
    while (cupsRasterReadHeader2(raster, &header)) {
        std::vector<unsigned char> row(header.cupsBytesPerLine);
        int shown = 0;
        for (unsigned y = 0; y < header.cupsHeight; ++y) {
            cupsRasterReadPixels(raster, row.data(), header.cupsBytesPerLine);
            if (y == 75) {
                shown = int(std::find(row.begin(), row.end(), 0) - row.begin() - 50) / 60 + 1;
            }
        }
        pages.push_back(std::string(header.cupsPageSizeName) + " " + std::to_string(header.cupsWidth) + "x" +
                        std::to_string(header.cupsHeight) + " " + std::to_string(header.HWResolution[0]) + " " +
                        std::to_string(header.cupsColorSpace) + " " + std::to_string(header.cupsBitsPerPixel) +
                        " page " + std::to_string(shown));
    }
    cupsRasterClose(raster);
    ::close(fd);
    return pages;
}

// Printing to a file gives the PWG raster the job would send, whatever the printer, under the file's
// name only once the document is complete; copies are repeated pages, collated or not.
TEST_F(FilePrinterTest, PrintToFileWritesPwgRaster)
{
    for (const bool collate : {true, false}) {
        SCOPED_TRACE(collate ? "collated" : "not collated");
        const std::string output = files_.Path(collate ? "collated.prn" : "uncollated.prn");
        const std::vector<unsigned char> mode = Mode([&](win::DEVMODEA& devmode) {
            devmode.dmFields |= win::DM_COPIES | win::DM_COLLATE | win::DM_PRINTQUALITY | win::DM_COLOR;
            devmode.dmCopies = 2;
            devmode.dmCollate = collate ? win::DMCOLLATE_TRUE : win::DMCOLLATE_FALSE;
            devmode.dmPrintQuality = win::DMRES_DRAFT;
            devmode.dmColor = win::DMCOLOR_MONOCHROME;
        });
        ASSERT_GT(Print(mode, "Report", 2, "File Printer", output.c_str()), 0) << win::PrintErrorText();
        // Grey at the coarsest resolution: A4 at 300 dpi is 2480 x 3508.
        const std::string page = "iso_a4_210x297mm 2480x3508 300 " + std::to_string(CUPS_CSPACE_SW) + " 8 page ";
        EXPECT_EQ(RasterPages(output), collate ? (std::vector<std::string>{page + "1", page + "2", page + "1", page + "2"})
                                               : (std::vector<std::string>{page + "1", page + "1", page + "2", page + "2"}));
    }
    EXPECT_EQ(Entries(), "collated.prn;uncollated.prn;");
}

// A full disk (here a file size limit) fails the page with ERROR_DISK_FULL and leaves nothing behind.
TEST_F(FilePrinterTest, AFullDiskFailsThePageAndLeavesNothing)
{
    const std::vector<unsigned char> mode = Mode([](win::DEVMODEA&) {});
    for (const char* output : {static_cast<const char*>(nullptr), "report.prn"}) {
        SCOPED_TRACE(output ? "to a file" : "to the file printer");
        const std::string path = output ? files_.Path(output) : std::string();
        const win::HDC dc = win::CreateDCA(nullptr, "File Printer", nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
        win::DOCINFOA info;
        info.lpszOutput = output ? path.c_str() : nullptr;
        ASSERT_GT(win::StartDocA(dc, &info), 0);
        win::StartPage(dc);
        win::Rectangle(dc, 0, 0, 4000, 6000);
        int ended = 0;
        {
            testsupport::FileSizeLimit limit(4096);
            ended = win::EndPage(dc);
        }
        EXPECT_EQ(ended, win::SP_ERROR);
        EXPECT_EQ(win::GetLastError(), win::ERROR_DISK_FULL) << win::PrintErrorText();
        EXPECT_EQ(win::EndDoc(dc), win::SP_ERROR);  // the document is gone
        win::DeleteDC(dc);
        EXPECT_EQ(Entries(), "");
    }
}

}  // namespace
