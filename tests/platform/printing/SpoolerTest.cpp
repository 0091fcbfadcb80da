// The spooler calls on a memory back end: the printer list and its buffer protocol, printer handles,
// device modes with and without the properties dialog, device capabilities and the profile's default.

#include "platform/printing/PrinterDC.h"
#include "platform/printing/Spooler.h"
#include "platform/services/DialogService.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <cstring>

namespace {

using printingtest::A4;
using printingtest::Letter;
using printingtest::PrintingTest;

class SpoolerTest : public PrintingTest {
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        win::MemoryPrintBackend::Printer office = win::MemoryPrintBackend::MakePrinter("Office", {600, 600}, {A4(), Letter()});
        office.capabilities.sources = {{"auto", "Automatically Select"}, {"tray-2", "Lower Tray"}};
        office.capabilities.resolutions.push_back({300, 300});
        office.capabilities.duplex = true;
        office.capabilities.custom = win::CustomSizes{2500, 43000, 2500, 60000};
        win::MemoryPrintBackend::Printer plotter = win::MemoryPrintBackend::MakePrinter("Plotter", {150, 150}, {Letter()});
        plotter.capabilities.papers.push_back(win::Paper{"roll", std::string(80, 'R'), 61000, 100000, win::RECT{}});
        plotter.capabilities.color = false;
        plotter.defaults.color = false;
        backend_->AddPrinter(office);
        backend_->AddPrinter(plotter);
        backend_->SetDefaultPrinter("Plotter");
    }
};

TEST_F(SpoolerTest, ThePrintersComeInTheBufferProtocolAtEachLevel)
{
    for (const win::DWORD level : {1u, 2u, 4u}) {
        SCOPED_TRACE("level " + std::to_string(level));
        win::DWORD needed = 0;
        win::DWORD count = 9;
        const win::DWORD flags = win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS;
        EXPECT_FALSE(win::EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &count));
        EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(count, 0u);
        std::vector<win::BYTE> buffer(needed);
        EXPECT_FALSE(win::EnumPrintersA(flags, nullptr, level, buffer.data(), needed - 1, &needed, &count));
        ASSERT_TRUE(win::EnumPrintersA(flags, nullptr, level, buffer.data(), needed, &needed, &count));
        ASSERT_EQ(count, 2u);
        const win::BYTE* end = buffer.data() + buffer.size();
        const auto inside = [&](const void* pointer) { return pointer >= buffer.data() && pointer < end; };
        if (level == 1) {
            const auto* infos = reinterpret_cast<const win::PRINTER_INFO_1A*>(buffer.data());
            EXPECT_STREQ(infos[0].pName, "Office");
            EXPECT_TRUE(inside(infos[1].pName));
        } else if (level == 2) {
            const auto* infos = reinterpret_cast<const win::PRINTER_INFO_2A*>(buffer.data());
            EXPECT_STREQ(infos[1].pPrinterName, "Plotter");
            EXPECT_EQ(infos[1].Attributes & win::PRINTER_ATTRIBUTE_DEFAULT, win::PRINTER_ATTRIBUTE_DEFAULT);
            EXPECT_EQ(infos[0].Attributes & win::PRINTER_ATTRIBUTE_DEFAULT, 0u);
            ASSERT_TRUE(inside(infos[0].pDevMode));
            EXPECT_EQ(infos[0].pDevMode->dmPaperSize, win::DMPAPER_A4);
            EXPECT_EQ(infos[1].pDevMode->dmPaperSize, win::DMPAPER_LETTER);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(infos[1].pDevMode) % alignof(win::DEVMODEA), 0u);
        } else {
            const auto* infos = reinterpret_cast<const win::PRINTER_INFO_4A*>(buffer.data());
            EXPECT_STREQ(infos[0].pPrinterName, "Office");
            EXPECT_STREQ(infos[1].pPrinterName, "Plotter");
            EXPECT_EQ(infos[0].pServerName, nullptr);
        }
    }
    win::DWORD needed = 0;
    win::DWORD count = 0;
    EXPECT_FALSE(win::EnumPrintersA(win::PRINTER_ENUM_LOCAL, nullptr, 3, nullptr, 0, &needed, &count));
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_LEVEL);
}

TEST_F(SpoolerTest, TheProfileNamesTheDefaultPrinter)
{
    char device[64];
    EXPECT_EQ(win::GetProfileStringA("windows", "device", "", device, sizeof(device)), 22u);
    EXPECT_STREQ(device, "Plotter,winspool,Ne00:");
    char cut[8];
    EXPECT_EQ(win::GetProfileStringA("Windows", "Device", "", cut, sizeof(cut)), 7u);
    EXPECT_STREQ(cut, "Plotter");
    EXPECT_EQ(win::GetProfileStringA("windows", "load", "none", device, sizeof(device)), 4u);
    EXPECT_STREQ(device, "none");
    win::SetPrintBackend(nullptr);
    EXPECT_EQ(win::GetProfileStringA("windows", "device", "", device, sizeof(device)), 0u);
    EXPECT_STREQ(device, "");
}

TEST_F(SpoolerTest, DeviceCapabilitiesGiveCountsAndEntries)
{
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERS, nullptr, nullptr), 2);
    std::vector<win::WORD> papers(2);
    win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERS, reinterpret_cast<char*>(papers.data()), nullptr);
    EXPECT_EQ(papers, (std::vector<win::WORD>{9, 1}));
    std::vector<win::POINT> sizes(2);
    win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERSIZE, reinterpret_cast<char*>(sizes.data()), nullptr);
    EXPECT_EQ(sizes[0], (win::POINT{2100, 2970}));
    EXPECT_EQ(sizes[1], (win::POINT{2159, 2794}));
    std::vector<win::WORD> bins(2);
    ASSERT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_BINS, reinterpret_cast<char*>(bins.data()), nullptr), 2);
    EXPECT_EQ(bins, (std::vector<win::WORD>{win::DMBIN_AUTO, win::DMBIN_LOWER}));
    char binNames[2][24];
    win::DeviceCapabilitiesA("Office", nullptr, win::DC_BINNAMES, &binNames[0][0], nullptr);
    EXPECT_STREQ(binNames[1], "Lower Tray");
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_ORIENTATION, nullptr, nullptr), 90);
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_COPIES, nullptr, nullptr), 99);
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_MINEXTENT, nullptr, nullptr), win::MAKELONG(250, 250));
    EXPECT_EQ(win::DeviceCapabilitiesA("Office", nullptr, win::DC_MAXEXTENT, nullptr, nullptr), win::MAKELONG(4300, 6000));
    // Without a custom range: the smallest and largest papers.
    EXPECT_EQ(win::DeviceCapabilitiesA("Plotter", nullptr, win::DC_MAXEXTENT, nullptr, nullptr), win::MAKELONG(6100, 10000));
    EXPECT_EQ(win::DeviceCapabilitiesA("Plotter", nullptr, win::DC_MINEXTENT, nullptr, nullptr), win::MAKELONG(2159, 2794));
    // Names longer than a name's 64 characters are cut, always terminated.
    char names[2][64];
    win::DeviceCapabilitiesA("Plotter", nullptr, win::DC_PAPERNAMES, &names[0][0], nullptr);
    EXPECT_EQ(std::string(names[1]), std::string(63, 'R'));
    EXPECT_EQ(win::DeviceCapabilitiesA("Plotter", nullptr, win::DC_COLORDEVICE, nullptr, nullptr), 0);
    EXPECT_EQ(win::DeviceCapabilitiesA("Nowhere", nullptr, win::DC_PAPERS, nullptr, nullptr), -1);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PRINTER_NAME);
}

// DocumentProperties: the size, the defaults, a program's changes merged, and the properties dialog,
// whose choices come back on OK and are dropped on Cancel.
TEST_F(SpoolerTest, DocumentPropertiesMergesChangesAndAsksTheUser)
{
    win::HANDLE printer = nullptr;
    EXPECT_FALSE(win::OpenPrinterA("Nowhere", &printer, nullptr));
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PRINTER_NAME);
    ASSERT_TRUE(win::OpenPrinterA("Office", &printer, nullptr));
    const win::LONG size = win::DocumentPropertiesA(nullptr, printer, nullptr, nullptr, nullptr, 0);
    ASSERT_GE(size, win::LONG(sizeof(win::DEVMODEA)));
    std::vector<unsigned char> buffer(static_cast<std::size_t>(size));
    auto* mode = reinterpret_cast<win::DEVMODEA*>(buffer.data());
    ASSERT_EQ(win::DocumentPropertiesA(nullptr, printer, nullptr, mode, nullptr, win::DM_OUT_BUFFER), win::IDOK);
    EXPECT_EQ(mode->dmSize, sizeof(win::DEVMODEA));
    EXPECT_EQ(std::size_t(mode->dmSize) + mode->dmDriverExtra, buffer.size());
    EXPECT_EQ(mode->dmPaperSize, win::DMPAPER_A4);

    mode->dmFields = win::DM_PAPERSIZE | win::DM_COPIES;
    mode->dmPaperSize = win::DMPAPER_LETTER;
    mode->dmCopies = 4;
    ASSERT_EQ(win::DocumentPropertiesA(nullptr, printer, nullptr, mode, mode, win::DM_IN_BUFFER | win::DM_OUT_BUFFER), win::IDOK);
    EXPECT_EQ(mode->dmPaperSize, win::DMPAPER_LETTER);
    EXPECT_EQ(mode->dmCopies, 4);

    win::ScriptedDialogs dialogs;
    win::ScopedDialogService scoped(dialogs);
    dialogs.AnswerProperties(win::IDOK, [](win::DocumentPropertiesRequest& request) {
        request.landscape = true;
        request.paper = 0;
        request.source = 1;
        request.resolution = 1;
        request.duplex = 3;
    });
    dialogs.AnswerProperties(win::IDCANCEL, [](win::DocumentPropertiesRequest& request) { request.copies = 7; });
    const win::DWORD asking = win::DM_IN_BUFFER | win::DM_IN_PROMPT | win::DM_OUT_BUFFER;
    ASSERT_EQ(win::DocumentPropertiesA(nullptr, printer, nullptr, mode, mode, asking), win::IDOK);
    ASSERT_EQ(dialogs.AskedProperties().size(), 1u);
    const win::DocumentPropertiesRequest& shown = dialogs.AskedProperties()[0];
    EXPECT_EQ(shown.printer, "Office");
    EXPECT_EQ(shown.papers, (std::vector<std::string>{"A4", "Letter"}));
    EXPECT_EQ(shown.resolutions, (std::vector<std::string>{"600 dpi", "300 dpi"}));
    EXPECT_EQ(shown.paper, 1);
    EXPECT_EQ(shown.copies, 4);
    EXPECT_EQ(mode->dmOrientation, win::DMORIENT_LANDSCAPE);
    EXPECT_EQ(mode->dmPaperSize, win::DMPAPER_A4);
    EXPECT_EQ(mode->dmDefaultSource, win::DMBIN_LOWER);
    EXPECT_EQ(mode->dmPrintQuality, 300);
    EXPECT_EQ(mode->dmDuplex, win::DMDUP_HORIZONTAL);
    EXPECT_EQ(mode->dmCopies, 4);

    const std::vector<unsigned char> before = buffer;
    EXPECT_EQ(win::DocumentPropertiesA(nullptr, printer, nullptr, mode, mode, asking), win::IDCANCEL);
    EXPECT_EQ(buffer, before);
    EXPECT_TRUE(win::ClosePrinter(printer));
    EXPECT_EQ(win::DocumentPropertiesA(nullptr, printer, nullptr, mode, nullptr, win::DM_OUT_BUFFER), -1);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_HANDLE);
    // By name, without a handle.
    EXPECT_EQ(win::DocumentPropertiesA(nullptr, nullptr, "Plotter", mode, nullptr, win::DM_OUT_BUFFER), win::IDOK);
    EXPECT_EQ(mode->dmColor, win::DMCOLOR_MONOCHROME);
}

TEST_F(SpoolerTest, RawJobsArriveWhole)
{
    win::HANDLE printer = nullptr;
    ASSERT_TRUE(win::OpenPrinterA("Plotter", &printer, nullptr));
    win::DOC_INFO_1A info{const_cast<char*>("Plot"), nullptr, const_cast<char*>("EMF")};
    EXPECT_EQ(win::StartDocPrinterA(printer, 1, reinterpret_cast<const win::BYTE*>(&info)), 0u);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_DATATYPE);
    EXPECT_FALSE(win::WritePrinter(printer, "x", 1, nullptr));
    info.pDatatype = nullptr;
    ASSERT_GT(win::StartDocPrinterA(printer, 1, reinterpret_cast<const win::BYTE*>(&info)), 0u);
    win::DWORD written = 0;
    ASSERT_TRUE(win::WritePrinter(printer, "IN;SP1;", 7, &written));
    ASSERT_TRUE(win::WritePrinter(printer, "PU0,0;", 6, &written));
    ASSERT_TRUE(win::EndDocPrinter(printer));
    ASSERT_GT(win::StartDocPrinterA(printer, 1, reinterpret_cast<const win::BYTE*>(&info)), 0u);
    ASSERT_TRUE(win::AbortPrinter(printer));
    ASSERT_TRUE(win::ClosePrinter(printer));
    ASSERT_EQ(backend_->Jobs().size(), 2u);
    EXPECT_EQ(backend_->Jobs()[0].bytes, "IN;SP1;PU0,0;");
    EXPECT_TRUE(backend_->Jobs()[0].finished);
    EXPECT_TRUE(backend_->Jobs()[1].aborted);
}

}  // namespace
