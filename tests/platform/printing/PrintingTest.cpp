#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/printing/PageDevice.h"
#include "platform/printing/PrintBackend.h"
#include "platform/printing/Printing.h"
#include "platform/printing/testing/MemoryPrintBackend.h"
#include "platform/rtl/Rtl.h"

#include <gtest/gtest.h>

namespace {

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::initialize();
        win::gdi::initialize();
        win::printing::initialize();
    }
    void TearDown() override
    {
        win::printing::finalize();
        win::gdi::finalize();
    }
};

// A4 upright is 210 x 297 mm; 5 mm margins all round but 10 mm at the bottom.
win::PaperInfo A4()
{
    return win::PaperInfo{win::DMPAPER_A4, "A4", win::SIZE{2100, 2970}, win::RECT{50, 50, 50, 100}};
}

// Sizes in pixels are tenths of a millimetre times dots per inch over 254, to the nearest pixel.
TEST_F(PrintingTest, PageSizesFollowThePaperTheResolutionAndTheOrientation)
{
    struct Case {
        const char* name;
        win::PrinterResolution resolution;
        short orientation;
        win::SIZE physical;
        win::POINT offset;
        win::SIZE printable;
    };
    const Case cases[] = {
        // 2100 * 300 / 254 = 2480.3; 2970 * 300 / 254 = 3507.9; 50 -> 59.06; 100 -> 118.1
        {"A4 at 300 dpi", {300, 300}, win::DMORIENT_PORTRAIT, {2480, 3508}, {59, 59}, {2480 - 59 - 59, 3508 - 59 - 118}},
        // Turned: the upright left margin is now at the bottom, the upright bottom one at the right.
        {"A4 at 300 dpi, landscape", {300, 300}, win::DMORIENT_LANDSCAPE, {3508, 2480}, {59, 59},
         {3508 - 59 - 118, 2480 - 59 - 59}},
        // 2100 * 600 / 254 = 4960.6; 2970 * 150 / 254 = 1753.9
        {"A4 at 600 x 150 dpi", {600, 150}, win::DMORIENT_PORTRAIT, {4961, 1754}, {118, 30}, {4961 - 118 - 118, 1754 - 30 - 59}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const win::PageGeometry page = win::PageFor(c.resolution, A4(), c.orientation);
        EXPECT_EQ(page.physical, c.physical);
        EXPECT_EQ(page.offset, c.offset);
        EXPECT_EQ(page.printable, c.printable);
        EXPECT_EQ(page.dpiX, c.resolution.dpiX);
        EXPECT_EQ(page.dpiY, c.resolution.dpiY);
    }
}

// The page's context answers for the printer, and its point (0, 0) lies at the printable part's corner.
TEST_F(PrintingTest, PageContextAnswersThePrinterAndDrawsFromThePrintableCorner)
{
    win::PageGeometry geometry;
    geometry.dpiX = geometry.dpiY = 300;
    geometry.physical = win::SIZE{60, 40};
    geometry.offset = win::POINT{5, 3};
    geometry.printable = win::SIZE{50, 34};
    win::PageDevice page(geometry);
    const win::HDC dc = page.DC();
    struct Cap {
        int index;
        int value;
    };
    for (const Cap cap : {Cap{win::TECHNOLOGY, win::DT_RASPRINTER}, Cap{win::LOGPIXELSX, 300}, Cap{win::LOGPIXELSY, 300},
                          Cap{win::HORZRES, 50}, Cap{win::VERTRES, 34}, Cap{win::PHYSICALWIDTH, 60},
                          Cap{win::PHYSICALHEIGHT, 40}, Cap{win::PHYSICALOFFSETX, 5}, Cap{win::PHYSICALOFFSETY, 3}}) {
        EXPECT_EQ(win::GetDeviceCaps(dc, cap.index), cap.value) << "index " << cap.index;
    }
    win::HBRUSH red = win::CreateSolidBrush(win::RGB(255, 0, 0));
    const win::RECT corner{0, 0, 2, 1};
    win::FillRect(dc, &corner, red);
    win::DeleteObject(red);

    win::PageImage image = page.Image();
    ASSERT_EQ(image.width, 60);
    ASSERT_EQ(image.height, 40);
    EXPECT_EQ(image.Pixel(4, 3), 0xFFFFFFu);  // white paper
    EXPECT_EQ(image.Pixel(5, 3), 0xFF0000u);
    EXPECT_EQ(image.Pixel(6, 3), 0xFF0000u);
    EXPECT_EQ(image.Pixel(7, 3), 0xFFFFFFu);
    EXPECT_EQ(image.Pixel(5, 4), 0xFFFFFFu);

    page.Clear();
    EXPECT_EQ(page.Image().Pixel(5, 3), 0xFFFFFFu);
}

TEST_F(PrintingTest, NoBackEndUntilOneIsInstalledAndStartUpDropsIt)
{
    EXPECT_EQ(win::GetPrintBackend(), nullptr);
    win::SetPrintBackend(std::make_unique<win::MemoryPrintBackend>());
    EXPECT_NE(win::GetPrintBackend(), nullptr);
    win::printing::finalize();
    win::printing::initialize();
    EXPECT_EQ(win::GetPrintBackend(), nullptr);
}

// The test back end keeps what a job delivered and refuses calls out of order, as a spooler would.
TEST_F(PrintingTest, MemoryBackEndKeepsJobsAndRefusesCallsOutOfOrder)
{
    win::MemoryPrintBackend backend;
    backend.AddPrinter({"Office", {300, 300}, {A4()}});
    backend.AddPrinter({"Plotter", {150, 150}, {A4()}});
    EXPECT_EQ(backend.DefaultPrinter(), "Office");
    EXPECT_THROW(backend.Resolution("Nowhere"), win::EPrintError);

    win::PrintJobSettings settings;
    settings.printer = "Plotter";
    settings.title = "Graph";
    const int job = backend.StartJob(settings);
    EXPECT_THROW(backend.EndPage(job, {}), win::EPrintError);  // no page open
    backend.StartPage(job);
    EXPECT_THROW(backend.EndJob(job), win::EPrintError);  // a page still open
    backend.EndPage(job, win::PageImage{1, 1, {0xFFFFFF}});
    backend.EndJob(job);
    EXPECT_THROW(backend.StartPage(job), win::EPrintError);  // ended

    ASSERT_EQ(backend.Jobs().size(), 1u);
    EXPECT_EQ(backend.Jobs()[0].settings.title, "Graph");
    EXPECT_EQ(backend.Jobs()[0].pages.size(), 1u);
    EXPECT_TRUE(backend.Jobs()[0].ended);

    backend.FailPages("Paper jam");
    const int second = backend.StartJob(settings);
    backend.StartPage(second);
    try {
        backend.EndPage(second, {});
        FAIL() << "the page printed";
    } catch (const win::EPrintError& e) {
        EXPECT_STREQ(e.what(), "Paper jam");
    }
    backend.AbortJob(second);
    EXPECT_TRUE(backend.Jobs()[1].aborted);
    EXPECT_TRUE(backend.Jobs()[1].pages.empty());
}

}  // namespace
