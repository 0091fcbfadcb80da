#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/testing/MemoryPrintBackend.h"

#include "platform/imaging/PngCodec.h"

#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <functional>

namespace {

// A memory back end with a 300-dpi office printer (the default) on a 4 x 2 inch card with 0.1 inch
// margins, and a 150-dpi plotter on A5.
class PrinterTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        auto backend = std::make_unique<win::MemoryPrintBackend>();
        backend_ = backend.get();
        win::Paper card{"custom_card", "Card", 10160, 5080, win::RECT{254, 254, 254, 254}};
        win::Paper a5{"iso_a5_148x210mm", "A5", 14800, 21000, win::RECT{}};
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {card}));
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Plotter", {150, 150}, {a5}));
        win::SetPrintBackend(std::move(backend));
    }

    // What the graph page does with a print: landscape for the job, the old orientation back afterwards,
    // also when the job fails.
    void PrintLandscape(gui::TPrinter& printer, const std::function<void(gui::TPrinter&)>& job)
    {
        const gui::TPrinterOrientation saved = printer.Orientation();
        printer.SetOrientation(gui::poLandscape);
        try {
            job(printer);
        } catch (...) {
            printer.SetOrientation(saved);
            throw;
        }
        printer.SetOrientation(saved);
    }

    win::MemoryPrintBackend* backend_ = nullptr;
};

TEST_F(PrinterTest, APageDrawnOnTheCanvasArrivesAtThePrintersSize)
{
    gui::TPrinter& printer = *gui::Printer();
    EXPECT_EQ(printer.Printers()->Count(), 2);
    EXPECT_EQ(printer.PrinterIndex(), 0);
    printer.SetTitle("Rivuve Savings Estimator Report");
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    const win::HDC dc = printer.Canvas()->Handle();
    EXPECT_EQ(win::GetDeviceCaps(dc, win::LOGPIXELSX), 300);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::LOGPIXELSY), 300);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::TECHNOLOGY), win::DT_RASPRINTER);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALWIDTH), 1200);   // 4 inches
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALHEIGHT), 600);   // 2 inches
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALOFFSETX), 30);   // 2.5 mm
    EXPECT_EQ(printer.PageWidth(), 1200 - 60);
    EXPECT_EQ(printer.PageHeight(), 600 - 60);
    // Fonts in points take the printer's resolution: 10 points are 42 of its pixels.
    printer.Canvas()->Font()->SetSize(10);
    EXPECT_EQ(printer.Canvas()->Font()->Height(), -42);
    printer.Canvas()->Brush()->SetColor(gui::clBlack);
    printer.Canvas()->FillRect(win::RECT{0, 0, 100, 50});
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.Canvas()->Brush()->SetColor(gui::clRed);
    printer.Canvas()->FillRect(win::RECT{1000, 500, 1140, 540});
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    ASSERT_EQ(backend_->Jobs().size(), 1u);
    const win::MemoryPrintBackend::Job& job = backend_->Jobs()[0];
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(job.ticket.printer, "Office");
    EXPECT_EQ(job.ticket.document, "Rivuve Savings Estimator Report");
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(job.pages[0].setup.paper.name, "Card");
    for (const win::MemoryPrintBackend::Page& page : job.pages) {
        EXPECT_EQ(page.width, 1200);
        EXPECT_EQ(page.height, 600);
    }
    EXPECT_EQ(job.pages[0].Pixel(30, 30), 0x000000u);  // the printable part starts past the margin
    EXPECT_EQ(job.pages[0].Pixel(29, 30), 0xFFFFFFu);
    EXPECT_EQ(job.pages[0].Pixel(129, 79), 0x000000u);
    EXPECT_EQ(job.pages[0].Pixel(130, 79), 0xFFFFFFu);
    EXPECT_EQ(job.pages[1].Pixel(30, 30), 0xFFFFFFu);  // a new page is a clean sheet
    EXPECT_EQ(job.pages[1].Pixel(1169, 569), 0xFF0000u);
}

// The landscape switch of the graph page is undone after the job, after an abort and after a failure.
TEST_F(PrinterTest, TheLandscapeSwitchIsUndoneAfterTheJobAfterAbortAndAfterAFailure)
{
    gui::TPrinter& printer = *gui::Printer();
    ASSERT_EQ(printer.Orientation(), gui::poPortrait);
    PrintLandscape(printer, [](gui::TPrinter& p) {
        p.BeginDoc();
        EXPECT_EQ(p.PageWidth(), 600 - 60);  // the card turned: 2 inches across
        p.Canvas()->TextOut(10, 10, "Cost graph");
        p.EndDoc();
    });
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    EXPECT_EQ(printer.PageWidth(), 1140);
    ASSERT_EQ(backend_->Jobs().size(), 1u);
    EXPECT_EQ(backend_->Jobs()[0].pages[0].setup.orientation, win::DMORIENT_LANDSCAPE);
    EXPECT_EQ(backend_->Jobs()[0].pages[0].width, 600);
    EXPECT_EQ(backend_->Jobs()[0].pages[0].height, 1200);

    PrintLandscape(printer, [](gui::TPrinter& p) {
        p.BeginDoc();
        p.Abort();
    });
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(backend_->Jobs()[1].aborted);

    backend_->FailPages("Paper jam");
    try {
        PrintLandscape(printer, [](gui::TPrinter& p) {
            p.BeginDoc();
            p.EndDoc();
        });
        ADD_FAILURE() << "printed";
    } catch (const gui::EPrinter& e) {
        EXPECT_STREQ(e.what(), "Paper jam");  // the printing system's words
    }
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(backend_->Jobs()[2].aborted);
}

struct RefusalCase {
    const char* name;
    std::function<void()> call;
    const char* message;
};

template <std::size_t N>
void ExpectRefusals(const RefusalCase (&cases)[N])
{
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "done";
        } catch (const gui::EPrinter& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(PrinterTest, JobCallsOutOfTurnAndBadIndexesAreRefused)
{
    gui::TPrinter& printer = *gui::Printer();
    const RefusalCase idle[] = {
        {"NewPage", [&] { printer.NewPage(); }, "Printer is not currently printing"},
        {"EndDoc", [&] { printer.EndDoc(); }, "Printer is not currently printing"},
        {"Abort", [&] { printer.Abort(); }, "Printer is not currently printing"},
        {"index", [&] { printer.SetPrinterIndex(2); }, "Printer index out of range"},
    };
    ExpectRefusals(idle);
    printer.SetPrinterIndex(1);
    EXPECT_EQ(printer.PageWidth(), win::MulDiv(1480, 150, 254));
    printer.BeginDoc();
    const RefusalCase busy[] = {
        {"BeginDoc", [&] { printer.BeginDoc(); }, "Printing in progress"},
        {"orientation", [&] { printer.SetOrientation(gui::poLandscape); }, "Printing in progress"},
        {"printer", [&] { printer.SetPrinterIndex(0); }, "Printing in progress"},
        {"copies", [&] { printer.SetCopies(2); }, "Printing in progress"},
    };
    ExpectRefusals(busy);
    printer.EndDoc();
    EXPECT_EQ(backend_->Jobs()[0].ticket.printer, "Plotter");
}

TEST_F(PrinterTest, PrintingWithoutAPrinterIsRefused)
{
    win::SetPrintBackend(nullptr);
    gui::SetPrinter(nullptr);
    gui::TPrinter& printer = *gui::Printer();
    EXPECT_EQ(printer.Printers()->Count(), 0);
    for (const std::function<void()>& call : std::initializer_list<std::function<void()>>{
             [&] { printer.BeginDoc(); }, [&] { printer.PrinterIndex(); }, [&] { printer.Orientation(); },
             [&] { printer.Canvas()->TextOut(0, 0, "x"); }}) {
        try {
            call();
            ADD_FAILURE() << "done";
        } catch (const gui::EPrinter& e) {
            EXPECT_STREQ(e.what(), "There is no default printer currently selected");
        }
    }
    EXPECT_FALSE(printer.Printing());
}

// The graph page's print on the file printer of RIVUVE_PRINTER_DIR: a landscape A4 page of the chart's
// drawing, the printer's orientation as it was afterwards.
class FilePrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("RIVUVE_PRINTER_DIR", folder_.Folder().c_str(), 1);
        testsupport::StartGuiLibraries();
    }
    void TearDown() override
    {
        testsupport::EndGuiLibraries();
        unsetenv("RIVUVE_PRINTER_DIR");
    }

    testsupport::ScratchFolder folder_;
};

TEST_F(FilePrinterTest, AChartPrintedInLandscapeIsOneLandscapePage)
{
    gui::TPrinter& printer = *gui::Printer();
    ASSERT_EQ(printer.Printers()->Count(), 1);
    EXPECT_EQ(printer.Printers()->Strings(printer.PrinterIndex()), "File Printer");
    const gui::TPrinterOrientation saved = printer.Orientation();
    ASSERT_EQ(saved, gui::poPortrait);
    printer.SetOrientation(gui::poLandscape);
    printer.SetTitle("Rivuve Graph");
    printer.BeginDoc();
    const win::RECT page{0, 0, printer.PageWidth(), printer.PageHeight()};
    EXPECT_EQ(page.right, 6816);
    EXPECT_EQ(page.bottom, 4761);
    gui::TCanvas& canvas = *printer.Canvas();
    canvas.Pen()->SetWidth(6);
    canvas.Rectangle(win::RECT{page.right / 10, page.bottom / 10, page.right * 9 / 10, page.bottom * 9 / 10});
    canvas.Brush()->SetColor(gui::clNavy);
    for (int bar = 0; bar < 10; ++bar) {
        const int left = page.right / 10 + bar * page.right * 8 / 100;
        canvas.FillRect(win::RECT{left + 40, page.bottom * 9 / 10 - (bar + 1) * page.bottom / 14, left + 400, page.bottom * 9 / 10});
    }
    canvas.Font()->SetSize(14);
    canvas.TextOut(page.right / 10, page.bottom / 20, "%Flow versus Cost Estimation Graph");
    printer.EndDoc();
    printer.SetOrientation(saved);
    EXPECT_EQ(printer.Orientation(), gui::poPortrait);
    EXPECT_EQ(printer.PageWidth(), 4761);

    const win::Image image = win::ReadPng(testsupport::ReadBytes(folder_.Path("0001-Rivuve Graph/page-0001.png")));
    EXPECT_EQ(image.Width(), 7016);
    EXPECT_EQ(image.Height(), 4961);
    EXPECT_EQ(image.Pixel(100 + page.right / 10 + 40, 100 + page.bottom * 9 / 10 - 1) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(folder_.EntryCount(), 1u);
}

}  // namespace
