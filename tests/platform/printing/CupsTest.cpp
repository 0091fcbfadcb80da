// Printing through a CUPS scheduler of the test's own (tests/support/PrivateCups.h) with two queues from
// the fixture PPDs: rivuve-a (colour, duplex, five papers, three sources, 600 and 300 dpi; the default)
// and rivuve-b (grey Letter at 300 dpi, one-sided). What arrives is read back with libcups' own raster
// reader and IPP requests, and compared with what the file printer makes of the same document.

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Shapes.h"
#include "platform/imaging/PngCodec.h"
#include "platform/printing/FilePrinter.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/Spooler.h"
#include "platform/rtl/TempFiles.h"
#include "platform/services/DialogService.h"
#include "platform/text/TextOut.h"

#include "tests/platform/printing/PrintingFixture.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/ScratchFolder.h"

#include <cups/cups.h>
#include <cups/raster.h>

#include <filesystem>
#include <map>
#include <string>

#include <unistd.h>

namespace {

using printingtest::ScopedEnvironment;

// One page of a report: its number in large type, a frame, a filled band and an ellipse.
void DrawReportPage(win::HDC dc, int number)
{
    using namespace win;
    const int width = GetDeviceCaps(dc, HORZRES);
    const int height = GetDeviceCaps(dc, VERTRES);
    HPEN pen = CreatePen(PS_SOLID, 8, RGB(0, 0, 128));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HBRUSH fill = CreateSolidBrush(RGB(255, 220, 120));
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    Rectangle(dc, 50, 50, width - 50, height - 50);
    Ellipse(dc, width / 4, height / 3, width * 3 / 4, height * 2 / 3);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, width, height);
    LOGFONT font{};
    font.lfHeight = -200;
    font.lfFaceName = "Arial";
    HFONT face = CreateFontIndirect(&font);
    HGDIOBJ oldFont = SelectObject(dc, face);
    const std::string text = "Page " + std::to_string(number);
    TextOutA(dc, 300, 300, text.c_str(), int(text.size()));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(face);
    DeleteObject(pen);
    DeleteObject(fill);
}

// A device mode of a printer's defaults with changes.
std::vector<unsigned char> DevMode(const char* printer, const std::function<void(win::DEVMODEA&)>& change)
{
    const win::LONG size = win::DocumentPropertiesA(nullptr, nullptr, printer, nullptr, nullptr, 0);
    std::vector<unsigned char> mode(static_cast<std::size_t>(std::max<win::LONG>(size, 0)));
    auto* devmode = reinterpret_cast<win::DEVMODEA*>(mode.data());
    EXPECT_EQ(win::DocumentPropertiesA(nullptr, nullptr, printer, devmode, nullptr, win::DM_OUT_BUFFER), win::IDOK);
    change(*devmode);
    return mode;
}

// Prints pages of the report on a printer; answers EndDoc's answer.
int PrintReport(const char* printer, const std::vector<unsigned char>& mode, int pages, const char* title = "Energy report")
{
    const win::HDC dc = win::CreateDCA(nullptr, printer, nullptr, reinterpret_cast<const win::DEVMODEA*>(mode.data()));
    EXPECT_NE(dc, nullptr);
    win::DOCINFOA info;
    info.lpszDocName = title;
    EXPECT_GT(win::StartDocA(dc, &info), 0);
    for (int page = 1; page <= pages; ++page) {
        win::StartPage(dc);
        DrawReportPage(dc, page);
        EXPECT_GT(win::EndPage(dc), 0);
    }
    const int ended = win::EndDoc(dc);
    win::DeleteDC(dc);
    return ended;
}

struct RasterPage {
    cups_page_header2_t header;
    std::vector<std::uint8_t> pixels;
};

// The pages of a raster stream, read with libcups.
std::vector<RasterPage> ReadRaster(const std::string& file)
{
    std::vector<RasterPage> pages;
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) {
        return pages;
    }
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
    RasterPage page;
    while (raster && cupsRasterReadHeader2(raster, &page.header)) {
        page.pixels.resize(std::size_t(page.header.cupsBytesPerLine) * page.header.cupsHeight);
        for (unsigned y = 0; y < page.header.cupsHeight; ++y) {
            cupsRasterReadPixels(raster, page.pixels.data() + std::size_t(y) * page.header.cupsBytesPerLine,
                                 page.header.cupsBytesPerLine);
        }
        pages.push_back(page);
    }
    cupsRasterClose(raster);
    ::close(fd);
    return pages;
}

// A raster page's pixel as 0x00RRGGBB.
std::uint32_t RasterPixel(const RasterPage& page, int x, int y)
{
    const std::uint8_t* pixel = page.pixels.data() + std::size_t(y) * page.header.cupsBytesPerLine + std::size_t(x) * 3;
    return std::uint32_t(pixel[0]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[2];
}

// How many pixels of a raster page differ from an image, read turned when the image is a landscape page
// (the sheet is the page turned 90 degrees counter-clockwise).
int Differences(const RasterPage& page, const win::Image& image, bool turned)
{
    int differences = 0;
    for (int y = 0; y < int(page.header.cupsHeight); ++y) {
        for (int x = 0; x < int(page.header.cupsWidth); ++x) {
            const std::uint32_t png = turned ? image.Pixel(image.Width() - 1 - y, x) : image.Pixel(x, y);
            differences += RasterPixel(page, x, y) != (png & 0x00FFFFFF);
        }
    }
    return differences;
}

class CupsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cups_ = new testsupport::PrivateCups();
        if (!cups_->Problem().empty()) {
            return;
        }
        for (const char* queue : {"rivuve-a", "rivuve-b"}) {
            const std::string failure = cups_->AddQueue(queue, RIVUVE_FIXTURES "/printing/" + std::string(queue) + ".ppd");
            if (!failure.empty()) {
                setUpProblem_ = failure;
            }
        }
        setUpProblem_ += cups_->Admin({"-d", "rivuve-a"});
    }
    static void TearDownTestSuite()
    {
        delete cups_;
        cups_ = nullptr;
    }

    void SetUp() override
    {
        if (cups_->Missing()) {
            GTEST_SKIP() << cups_->Problem();
        }
        ASSERT_EQ(cups_->Problem(), "");
        ASSERT_EQ(setUpProblem_, "") << cups_->LogTail();
        server_.emplace("CUPS_SERVER", cups_->Socket().c_str());
        serverRoot_.emplace("CUPS_SERVERROOT", "");
        home_.emplace("HOME", "");
        destination_.emplace("LPDEST", nullptr);
        printer_.emplace("PRINTER", nullptr);
        printingtest::StartLibraries();
        cupsSetServer(cups_->Socket().c_str());
        http_ = httpConnect2(cups_->Socket().c_str(), ippPort(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                             30000, nullptr);
        ASSERT_NE(http_, nullptr);
    }
    void TearDown() override
    {
        if (http_) {
            httpClose(http_);
        }
        if (server_) {
            printingtest::EndLibraries();
        }
    }

    // The scheduler's jobs on a queue (all, or only those not yet done).
    std::vector<int> Jobs(const char* queue, int which) const
    {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(http_, &jobs, queue, 0, which);
        std::vector<int> ids;
        for (int index = 0; index < count; ++index) {
            ids.push_back(jobs[index].id);
        }
        cupsFreeJobs(count, jobs);
        return ids;
    }

    // The latest job on a queue once the scheduler is done with it; 0 when there is none.
    int FinishedJob(const char* queue) const
    {
        for (int wait = 0; wait < 200 && !Jobs(queue, CUPS_WHICHJOBS_ACTIVE).empty(); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const std::vector<int> all = Jobs(queue, CUPS_WHICHJOBS_ALL);
        return all.empty() ? 0 : *std::max_element(all.begin(), all.end());
    }

    // Attributes of a job as text.
    std::map<std::string, std::string> JobAttributes(int job) const
    {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const std::string uri = "ipp://localhost/jobs/" + std::to_string(job);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        // The job's name is shown to its owner only.
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        ipp_t* response = cupsDoRequest(http_, request, "/");
        std::map<std::string, std::string> attributes;
        for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute; attribute = ippNextAttribute(response)) {
            if (const char* name = ippGetName(attribute)) {
                char value[1024];
                ippAttributeString(attribute, value, sizeof(value));
                attributes[name] = value;
            }
        }
        ippDelete(response);
        return attributes;
    }

    // The private temporary folder's spool files of this process: other test processes of the same user
    // spool into that folder at the same time.
    static std::size_t SpoolFiles()
    {
        const std::string ours = ".rivuve-spool-" + std::to_string(::getpid()) + "-";
        std::size_t count = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(rtl::PrivateTempFolder(), error)) {
            count += entry.path().filename().string().rfind(ours, 0) == 0;
        }
        return count;
    }

    static testsupport::PrivateCups* cups_;
    static std::string setUpProblem_;
    std::optional<ScopedEnvironment> server_, serverRoot_, home_, destination_, printer_;
    http_t* http_ = nullptr;
};

testsupport::PrivateCups* CupsTest::cups_ = nullptr;
std::string CupsTest::setUpProblem_;

TEST_F(CupsTest, TheQueuesAndWhatTheyOfferAreThoseOfTheirPpds)
{
    win::DWORD needed = 0;
    win::DWORD count = 0;
    EXPECT_FALSE(win::EnumPrintersA(win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0,
                                    &needed, &count));
    EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);
    std::vector<win::BYTE> buffer(needed);
    ASSERT_TRUE(win::EnumPrintersA(win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(),
                                   needed, &needed, &count));
    std::vector<std::string> names;
    for (win::DWORD index = 0; index < count; ++index) {
        names.push_back(reinterpret_cast<const win::PRINTER_INFO_4A*>(buffer.data())[index].pPrinterName);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "rivuve-a"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "rivuve-b"), names.end());
    char device[256];
    win::GetProfileStringA("windows", "device", "", device, sizeof(device));
    EXPECT_STREQ(device, "rivuve-a,winspool,Ne00:");

    const auto words = [](const char* printer, win::WORD capability) {
        std::vector<win::WORD> values(std::size_t(std::max(win::DeviceCapabilitiesA(printer, nullptr, capability, nullptr, nullptr), 0)));
        win::DeviceCapabilitiesA(printer, nullptr, capability, reinterpret_cast<char*>(values.data()), nullptr);
        return values;
    };
    const auto texts = [](const char* printer, win::WORD capability, std::size_t length) {
        const int entries = win::DeviceCapabilitiesA(printer, nullptr, capability, nullptr, nullptr);
        std::vector<char> raw(std::size_t(std::max(entries, 0)) * length);
        win::DeviceCapabilitiesA(printer, nullptr, capability, raw.data(), nullptr);
        std::vector<std::string> values;
        for (int index = 0; index < entries; ++index) {
            values.emplace_back(raw.data() + std::size_t(index) * length);
        }
        return values;
    };
    EXPECT_EQ(words("rivuve-a", win::DC_PAPERS), (std::vector<win::WORD>{9, 1, 11, 43, 257}));
    EXPECT_EQ(texts("rivuve-a", win::DC_PAPERNAMES, 64),
              (std::vector<std::string>{"A4", "Letter", "A5", "Postcard", "4 x 6 in"}));
    EXPECT_EQ(words("rivuve-a", win::DC_BINS), (std::vector<win::WORD>{7, 1, 4}));
    EXPECT_EQ(texts("rivuve-a", win::DC_BINNAMES, 24),
              (std::vector<std::string>{"Automatically Select", "Tray 1", "Manual Feed"}));
    std::vector<win::LONG> resolutions(4);
    ASSERT_EQ(win::DeviceCapabilitiesA("rivuve-a", nullptr, win::DC_ENUMRESOLUTIONS, nullptr, nullptr), 2);
    win::DeviceCapabilitiesA("rivuve-a", nullptr, win::DC_ENUMRESOLUTIONS, reinterpret_cast<char*>(resolutions.data()), nullptr);
    EXPECT_EQ(resolutions, (std::vector<win::LONG>{600, 600, 300, 300}));
    EXPECT_EQ(win::DeviceCapabilitiesA("rivuve-a", nullptr, win::DC_DUPLEX, nullptr, nullptr), 1);
    EXPECT_EQ(win::DeviceCapabilitiesA("rivuve-a", nullptr, win::DC_COLORDEVICE, nullptr, nullptr), 1);
    EXPECT_EQ(win::DeviceCapabilitiesA("rivuve-b", nullptr, win::DC_DUPLEX, nullptr, nullptr), 0);
    EXPECT_EQ(win::DeviceCapabilitiesA("rivuve-b", nullptr, win::DC_COLORDEVICE, nullptr, nullptr), 0);
    EXPECT_EQ(words("rivuve-b", win::DC_PAPERS), (std::vector<win::WORD>{1}));
}

// A 2-page A4 document in 2 collated copies, two-sided along the long edge from tray 1: the job's
// attributes ask for it, and the pages arrive as PWG raster with the file printer's pixels.
TEST_F(CupsTest, ADocumentArrivesAsPwgRasterWithTheFilePrintersPixels)
{
    const std::vector<unsigned char> mode = DevMode("rivuve-a", [](win::DEVMODEA& devmode) {
        devmode.dmFields |= win::DM_COPIES | win::DM_COLLATE | win::DM_DUPLEX | win::DM_DEFAULTSOURCE;
        devmode.dmCopies = 2;
        devmode.dmCollate = win::DMCOLLATE_TRUE;
        devmode.dmDuplex = win::DMDUP_VERTICAL;
        devmode.dmDefaultSource = win::DMBIN_UPPER;
    });
    ASSERT_GT(PrintReport("rivuve-a", mode, 2), 0) << win::PrintErrorText();
    const int job = FinishedJob("rivuve-a");
    ASSERT_GT(job, 0);
    const std::map<std::string, std::string> attributes = JobAttributes(job);
    EXPECT_EQ(attributes.at("job-name"), "Energy report");
    EXPECT_EQ(attributes.at("copies"), "2");
    EXPECT_EQ(attributes.at("sides"), "two-sided-long-edge");
    EXPECT_EQ(attributes.at("media"), "iso_a4_210x297mm");
    EXPECT_EQ(attributes.at("media-source"), "tray-1");
    EXPECT_EQ(attributes.at("multiple-document-handling"), "separate-documents-collated-copies");

    const std::vector<RasterPage> pages = ReadRaster(cups_->Output("rivuve-a"));
    ASSERT_EQ(pages.size(), 2u) << cups_->LogTail();
    for (const RasterPage& page : pages) {
        EXPECT_STREQ(page.header.cupsPageSizeName, "iso_a4_210x297mm");
        EXPECT_EQ(page.header.HWResolution[0], 600u);
        EXPECT_EQ(page.header.HWResolution[1], 600u);
        EXPECT_EQ(page.header.cupsWidth, 4961u);
        EXPECT_EQ(page.header.cupsHeight, 7016u);
        EXPECT_EQ(page.header.cupsBitsPerColor, 8u);
        EXPECT_EQ(page.header.cupsColorSpace, CUPS_CSPACE_SRGB);
        EXPECT_EQ(page.header.Duplex, CUPS_TRUE);
    }

    testsupport::ScratchFolder files;
    win::SetPrintBackend(win::MakeFilePrinter(files.Folder()));
    ASSERT_GT(PrintReport("File Printer", DevMode("File Printer", [](win::DEVMODEA&) {}), 2), 0);
    const std::string job1 = files.Folder() + "0001-Energy report/";
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE("page " + std::to_string(index + 1));
        const win::Image png = win::ReadPng(testsupport::ReadBytes(job1 + "page-000" + std::to_string(index + 1) + ".png"));
        ASSERT_EQ(png.Width(), 4961);
        EXPECT_EQ(Differences(pages[std::size_t(index)], png, false), 0);
    }
}

// A landscape page goes as the upright sheet with the drawing turned 90 degrees counter-clockwise.
TEST_F(CupsTest, ALandscapePageArrivesTurnedOnTheUprightSheet)
{
    const auto landscape = [](win::DEVMODEA& devmode) {
        devmode.dmFields |= win::DM_ORIENTATION;
        devmode.dmOrientation = win::DMORIENT_LANDSCAPE;
    };
    ASSERT_GT(PrintReport("rivuve-a", DevMode("rivuve-a", landscape), 1, "Graph"), 0) << win::PrintErrorText();
    ASSERT_GT(FinishedJob("rivuve-a"), 0);
    const std::vector<RasterPage> pages = ReadRaster(cups_->Output("rivuve-a"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].header.cupsWidth, 4961u);
    EXPECT_EQ(pages[0].header.cupsHeight, 7016u);

    testsupport::ScratchFolder files;
    win::SetPrintBackend(win::MakeFilePrinter(files.Folder()));
    ASSERT_GT(PrintReport("File Printer", DevMode("File Printer", landscape), 1, "Graph"), 0);
    const win::Image png = win::ReadPng(testsupport::ReadBytes(files.Folder() + "0001-Graph/page-0001.png"));
    ASSERT_EQ(png.Width(), 7016);
    ASSERT_EQ(png.Height(), 4961);
    EXPECT_EQ(Differences(pages[0], png, true), 0);
}

TEST_F(CupsTest, ARawJobsBytesArriveUnchanged)
{
    win::HANDLE printer = nullptr;
    ASSERT_TRUE(win::OpenPrinterA("rivuve-a", &printer, nullptr));
    win::DOC_INFO_1A info{const_cast<char*>("Label"), nullptr, const_cast<char*>("RAW")};
    ASSERT_GT(win::StartDocPrinterA(printer, 1, reinterpret_cast<const win::BYTE*>(&info)), 0u);
    ASSERT_TRUE(win::StartPagePrinter(printer));
    std::string bytes = "\x1b@raw printer bytes\r\n";
    bytes += std::string(1, '\0') + "\xff\xfe after a zero";
    win::DWORD written = 0;
    ASSERT_TRUE(win::WritePrinter(printer, bytes.data(), win::DWORD(bytes.size()), &written));
    EXPECT_EQ(written, bytes.size());
    ASSERT_TRUE(win::EndPagePrinter(printer));
    ASSERT_TRUE(win::EndDocPrinter(printer)) << win::PrintErrorText();
    ASSERT_TRUE(win::ClosePrinter(printer));
    const int job = FinishedJob("rivuve-a");
    EXPECT_EQ(JobAttributes(job).at("document-format-supplied"), "application/vnd.cups-raw");
    EXPECT_EQ(testsupport::ReadBytes(cups_->Document(job)), bytes);
}

// Nothing reaches the scheduler before EndDoc, so an aborted document leaves no job and no file; a queue
// that refuses jobs makes EndDoc fail with the scheduler's words.
TEST_F(CupsTest, AbortedDocumentsLeaveNothingAndRefusedOnesFailEndDoc)
{
    const std::size_t jobs = Jobs("rivuve-a", CUPS_WHICHJOBS_ALL).size();
    const std::size_t spooled = SpoolFiles();
    const win::HDC dc = win::CreateDCA(nullptr, "rivuve-a", nullptr, nullptr);
    win::DOCINFOA info;
    info.lpszDocName = "Dropped";
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    for (int page = 1; page <= 2; ++page) {
        win::StartPage(dc);
        DrawReportPage(dc, page);
        win::EndPage(dc);
    }
    EXPECT_GT(win::AbortDoc(dc), 0);
    win::DeleteDC(dc);
    EXPECT_EQ(Jobs("rivuve-a", CUPS_WHICHJOBS_ALL).size(), jobs);
    EXPECT_EQ(SpoolFiles(), spooled);

    ASSERT_EQ(cups_->Command("cupsreject", {"-r", "Closed for the test", "rivuve-a"}).exitCode, 0);
    const int ended = PrintReport("rivuve-a", DevMode("rivuve-a", [](win::DEVMODEA&) {}), 1);
    const win::DWORD error = win::GetLastError();
    const std::string text = win::PrintErrorText();
    ASSERT_EQ(cups_->Command("cupsaccept", {"rivuve-a"}).exitCode, 0);
    EXPECT_EQ(ended, win::SP_ERROR);
    EXPECT_EQ(error, win::ERROR_ACCESS_DENIED);
    EXPECT_NE(text.find("not accepting jobs"), std::string::npos) << text;
    EXPECT_EQ(Jobs("rivuve-a", CUPS_WHICHJOBS_ALL).size(), jobs);
    EXPECT_EQ(SpoolFiles(), spooled);
}

TEST_F(CupsTest, UnknownPrintersAndMissingFoldersFailAtOnce)
{
    EXPECT_EQ(win::CreateDCA(nullptr, "rivuve-z", nullptr, nullptr), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PRINTER_NAME);
    EXPECT_EQ(win::DeviceCapabilitiesA("rivuve-z", nullptr, win::DC_PAPERS, nullptr, nullptr), -1);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PRINTER_NAME);

    testsupport::ScratchFolder files;
    const std::string missing = files.Folder() + "no such folder/report.prn";
    const win::HDC dc = win::CreateDCA(nullptr, "rivuve-a", nullptr, nullptr);
    win::DOCINFOA info;
    info.lpszOutput = missing.c_str();
    EXPECT_EQ(win::StartDocA(dc, &info), win::SP_ERROR);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(files.EntryCount(), 0u);
    win::DeleteDC(dc);
}

// Without a scheduler to reach there are no printers (and no waiting for one).
TEST(CupsUnreachableTest, AMissingSchedulerMeansNoPrinters)
{
    testsupport::ScratchFolder folder;
    const std::string socket = folder.Path("missing.sock");
    ScopedEnvironment server("CUPS_SERVER", socket.c_str());
    ScopedEnvironment serverRoot("CUPS_SERVERROOT", "");
    ScopedEnvironment home("HOME", "");
    printingtest::StartLibraries();
    win::DWORD needed = 0;
    win::DWORD count = 7;
    EXPECT_TRUE(win::EnumPrintersA(win::PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(count, 0u);
    char device[64] = "?";
    EXPECT_EQ(win::GetProfileStringA("windows", "device", "", device, sizeof(device)), 0u);
    EXPECT_STREQ(device, "");
    printingtest::EndLibraries();
}

}  // namespace
