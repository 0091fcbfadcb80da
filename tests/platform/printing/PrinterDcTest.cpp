#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/Spooler.h"
#include "platform/printing/detail/Banding.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/text/FontEngine.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <functional>

namespace {

using printingtest::PrintingTest;

// A card of 60 x 40 pixels at 300 dpi with margins of 5, 3, 5 and 3 pixels.
win::Paper Card()
{
    return win::Paper{"custom_card", "Card", 508, 339, win::RECT{42, 25, 42, 25}};
}

class PrinterDcTest : public PrintingTest {
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        backend_->AddPrinter(win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {Card()}));
    }

    struct Cap {
        int index;
        int value;
    };
    static void ExpectCaps(win::HDC dc, std::initializer_list<Cap> caps)
    {
        for (const Cap cap : caps) {
            EXPECT_EQ(win::GetDeviceCaps(dc, cap.index), cap.value) << "index " << cap.index;
        }
    }

    // One page on the printer, drawn by draw.
    const win::MemoryPrintBackend::Page& PrintPage(const std::function<void(win::HDC)>& draw, const win::DEVMODEA* mode = nullptr)
    {
        const win::HDC dc = win::CreateDCA(nullptr, "Office", nullptr, mode);
        EXPECT_NE(dc, nullptr);
        win::DOCINFOA info;
        info.lpszDocName = "Page";
        EXPECT_GT(win::StartDocA(dc, &info), 0);
        EXPECT_GT(win::StartPage(dc), 0);
        draw(dc);
        EXPECT_GT(win::EndPage(dc), 0);
        EXPECT_GT(win::EndDoc(dc), 0);
        win::DeleteDC(dc);
        return backend_->Jobs().back().pages.back();
    }
};

// The context answers for the printer, and its point (0, 0) lies at the printable part's corner.
TEST_F(PrinterDcTest, TheContextAnswersThePrinterAndDrawsFromThePrintableCorner)
{
    const win::HDC ic = win::CreateICA(nullptr, "Office", nullptr, nullptr);
    ASSERT_NE(ic, nullptr);
    ExpectCaps(ic, {{win::TECHNOLOGY, win::DT_RASPRINTER}, {win::LOGPIXELSX, 300}, {win::LOGPIXELSY, 300},
                    {win::HORZRES, 50}, {win::VERTRES, 34}, {win::PHYSICALWIDTH, 60}, {win::PHYSICALHEIGHT, 40},
                    {win::PHYSICALOFFSETX, 5}, {win::PHYSICALOFFSETY, 3}, {win::BITSPIXEL, 24}, {win::PLANES, 1},
                    {win::NUMCOLORS, -1}});
    win::DeleteDC(ic);

    const win::MemoryPrintBackend::Page& page = PrintPage([](win::HDC dc) {
        win::HBRUSH red = win::CreateSolidBrush(win::RGB(255, 0, 0));
        const win::RECT corner{0, 0, 2, 1};
        EXPECT_EQ(win::FillRect(dc, &corner, red), 1);
        win::DeleteObject(red);  // before the page ends: the page keeps its own copy
        // Drawing beyond the printable part stays off the paper.
        win::HBRUSH black = static_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH));
        const win::RECT outside{-5, 10, 0, 20};
        win::FillRect(dc, &outside, black);
    });
    ASSERT_EQ(page.width, 60);
    ASSERT_EQ(page.height, 40);
    EXPECT_EQ(page.Pixel(4, 3), 0xFFFFFFu);  // white paper
    EXPECT_EQ(page.Pixel(5, 3), 0xFF0000u);
    EXPECT_EQ(page.Pixel(6, 3), 0xFF0000u);
    EXPECT_EQ(page.Pixel(7, 3), 0xFFFFFFu);
    EXPECT_EQ(page.Pixel(5, 4), 0xFFFFFFu);
    EXPECT_EQ(page.Pixel(4, 15), 0xFFFFFFu);
}

// An information context measures and refuses to draw; neither context gives pixels back.
TEST_F(PrinterDcTest, NothingIsDrawnOnAnInformationContextAndNoPixelIsReadBack)
{
    const win::HDC ic = win::CreateICA(nullptr, "Office", nullptr, nullptr);
    win::SIZE extent{};
    EXPECT_TRUE(win::GetTextExtentPoint32A(ic, "Cost", 4, &extent));
    EXPECT_GT(extent.cx, 0);
    EXPECT_FALSE(win::TextOutA(ic, 0, 0, "Cost", 4));
    EXPECT_FALSE(win::LineTo(ic, 10, 10));
    EXPECT_EQ(win::StartDocA(ic, nullptr), win::SP_ERROR);
    win::DeleteDC(ic);

    PrintPage([](win::HDC dc) {
        EXPECT_NE(win::SetPixel(dc, 1, 1, win::RGB(0, 0, 255)), win::CLR_INVALID);
        EXPECT_EQ(win::GetPixel(dc, 1, 1), win::CLR_INVALID);
        const win::HDC memory = win::CreateCompatibleDC(dc);
        const win::HBITMAP bitmap = win::CreateCompatibleBitmap(dc, 4, 4);
        win::SelectObject(memory, bitmap);
        EXPECT_FALSE(win::BitBlt(memory, 0, 0, 4, 4, dc, 0, 0, win::SRCCOPY));
        win::DeleteDC(memory);
        win::DeleteObject(bitmap);
    });
}

TEST_F(PrinterDcTest, UnknownPrintersAndCallsOutOfTurnFail)
{
    win::SetLastError(0);
    EXPECT_EQ(win::CreateDCA(nullptr, "Nowhere", nullptr, nullptr), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PRINTER_NAME);
    EXPECT_EQ(win::CreateDCA("DISPLAY", "Office", nullptr, nullptr), nullptr);

    const win::HDC dc = win::CreateDCA("", "Office", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(win::LineTo(dc, 1, 1));  // no page open
    EXPECT_EQ(win::StartPage(dc), win::SP_ERROR);  // no document
    EXPECT_EQ(win::EndDoc(dc), win::SP_ERROR);
    win::DOCINFOA info;
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    EXPECT_EQ(win::StartDocA(dc, &info), win::SP_ERROR);
    EXPECT_EQ(win::EndPage(dc), win::SP_ERROR);
    ASSERT_GT(win::StartPage(dc), 0);
    EXPECT_EQ(win::ResetDCA(dc, nullptr), nullptr);  // not while a page is open
    EXPECT_GT(win::AbortDoc(dc), 0);
    win::DeleteDC(dc);
    ASSERT_EQ(backend_->Jobs().size(), 1u);
    EXPECT_TRUE(backend_->Jobs()[0].aborted);
    EXPECT_TRUE(backend_->Jobs()[0].pages.empty());
}

// ResetDC between pages turns the next page; the pages keep their own geometry.
TEST_F(PrinterDcTest, ResetDcBetweenPagesChangesTheNextPage)
{
    const win::HDC dc = win::CreateDCA(nullptr, "Office", nullptr, nullptr);
    win::DOCINFOA info;
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    win::StartPage(dc);
    win::EndPage(dc);
    win::DEVMODEA mode;
    mode.dmSize = sizeof(mode);
    mode.dmFields = win::DM_ORIENTATION;
    mode.dmOrientation = win::DMORIENT_LANDSCAPE;
    ASSERT_EQ(win::ResetDCA(dc, &mode), dc);
    ExpectCaps(dc, {{win::PHYSICALWIDTH, 40}, {win::PHYSICALHEIGHT, 60}, {win::HORZRES, 34}, {win::VERTRES, 50}});
    win::StartPage(dc);
    win::EndPage(dc);
    win::EndDoc(dc);
    win::DeleteDC(dc);
    const auto& pages = backend_->Jobs()[0].pages;
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].width, 60);
    EXPECT_EQ(pages[1].width, 40);
    EXPECT_EQ(pages[1].setup.orientation, win::DMORIENT_LANDSCAPE);
}

// A page the printer refuses ends the document with its words; the abort procedure can abandon one.
TEST_F(PrinterDcTest, RefusedPagesAndAbandonedDocumentsEndTheDocument)
{
    backend_->FailPages("Paper jam");
    const win::HDC dc = win::CreateDCA(nullptr, "Office", nullptr, nullptr);
    win::DOCINFOA info;
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    win::StartPage(dc);
    EXPECT_EQ(win::EndPage(dc), win::SP_ERROR);
    EXPECT_EQ(win::PrintErrorText(), "Paper jam");
    EXPECT_EQ(win::StartPage(dc), win::SP_ERROR);  // the document is gone
    EXPECT_TRUE(backend_->Jobs()[0].aborted);

    backend_->FailPages("");
    win::detail::SetBandThickness(8);
    static int calls = 0;
    calls = 0;
    win::SetAbortProc(dc, [](win::HDC, int) -> win::BOOL { return ++calls < 2; });
    ASSERT_GT(win::StartDocA(dc, &info), 0);
    win::StartPage(dc);
    EXPECT_EQ(win::EndPage(dc), win::SP_APPABORT);
    win::detail::SetBandThickness(0);
    EXPECT_EQ(calls, 2);  // between the bands of a page of five
    EXPECT_TRUE(backend_->Jobs()[1].aborted);
    EXPECT_FALSE(backend_->Jobs()[1].finished);
    win::DeleteDC(dc);
}

// The font list of the default printer's information context is the screen's: one private font set, at
// the printer's resolution.
TEST_F(PrinterDcTest, TheDefaultPrintersFontsAreTheScreens)
{
    const auto families = [](win::HDC dc) {
        std::vector<std::string> names;
        win::LOGFONT filter{};
        filter.lfCharSet = win::DEFAULT_CHARSET;
        win::EnumFontFamiliesEx(dc, &filter, [](const win::ENUMLOGFONTEX* font, const win::TEXTMETRIC*, win::DWORD type,
                                                 win::LPARAM names) {
            if (type & win::TRUETYPE_FONTTYPE) {
                reinterpret_cast<std::vector<std::string>*>(names)->push_back(font->elfLogFont.lfFaceName.Str());
            }
            return 1;
        }, reinterpret_cast<win::LPARAM>(&names), 0);
        return names;
    };
    char device[64];
    win::GetProfileStringA("windows", "device", "", device, sizeof(device));
    const std::string entry = device;
    const win::HDC printer = win::CreateICA(nullptr, entry.substr(0, entry.find(',')).c_str(), nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    const win::HDC screen = win::CreateCompatibleDC(nullptr);
    const std::vector<std::string> printerFamilies = families(printer);
    EXPECT_FALSE(printerFamilies.empty());
    EXPECT_EQ(printerFamilies, families(screen));
    win::DeleteDC(printer);
    win::DeleteDC(screen);
}

}  // namespace
