// Device modes against a printer: what a program may pass is corrected to what the printer honours,
// and a size of the document's own lands on paper the printer has.

#include "platform/printing/detail/DevMode.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <functional>

namespace {

using namespace win;
using printingtest::A4;
using printingtest::Letter;

Paper A5()
{
    return Paper{"iso_a5_148x210mm", "A5", 14800, 21000, RECT{500, 500, 500, 500}};
}

// A4 (default), Letter and A5; sources auto, tray 1 and manual; 600, 300 and 1200 x 600 dpi; duplex,
// colour, 99 copies, collation; sizes of 50 to 300 mm.
detail::PrinterModel Office()
{
    PrinterCapabilities capabilities;
    capabilities.papers = {A4(), Letter(), A5()};
    capabilities.sources = {{"auto", "Automatically Select"}, {"tray-1", "Tray 1"}, {"manual", "Manual Feed"}};
    capabilities.resolutions = {{600, 600}, {300, 300}, {1200, 600}};
    capabilities.duplex = true;
    capabilities.color = true;
    capabilities.maxCopies = 99;
    capabilities.collate = true;
    capabilities.custom = CustomSizes{5000, 30000, 5000, 30000};
    PrinterDefaults defaults;
    defaults.paper = "iso_a4_210x297mm";
    defaults.source = "auto";
    defaults.resolution = {600, 600};
    defaults.color = true;
    return detail::MakePrinterModel("Office", capabilities, defaults);
}

DEVMODEA Change(DWORD fields, const std::function<void(DEVMODEA&)>& set)
{
    DEVMODEA mode;
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = fields;
    set(mode);
    return mode;
}

TEST(DevModeTest, TheDefaultsAreThePrintersAndValid)
{
    const detail::PrinterModel printer = Office();
    const detail::FullDevMode mode = detail::DefaultDevMode(printer);
    EXPECT_TRUE(detail::IsValidDevMode(printer, mode));
    EXPECT_STREQ(reinterpret_cast<const char*>(mode.mode.dmDeviceName), "Office");
    EXPECT_EQ(mode.mode.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(mode.mode.dmPaperWidth, 2100);
    EXPECT_EQ(mode.mode.dmPaperLength, 2970);
    EXPECT_EQ(mode.mode.dmDefaultSource, DMBIN_AUTO);
    EXPECT_EQ(mode.mode.dmPrintQuality, 600);
    EXPECT_EQ(mode.mode.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(mode.mode.dmColor, DMCOLOR_COLOR);
    EXPECT_EQ(mode.mode.dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(mode.mode.dmCopies, 1);
}

// Fields a program sets are taken when the printer honours them, corrected to its defaults or limits
// when it does not; fields it does not name stay as they were.
TEST(DevModeTest, FieldsThePrinterCannotHonourAreCorrected)
{
    const detail::PrinterModel printer = Office();
    detail::FullDevMode base = detail::DefaultDevMode(printer);
    base.mode.dmCopies = 5;
    struct Case {
        const char* name;
        DEVMODEA change;
        std::function<void(const DEVMODEA&)> expect;
    };
    const Case cases[] = {
        {"landscape", Change(DM_ORIENTATION, [](DEVMODEA& m) { m.dmOrientation = DMORIENT_LANDSCAPE; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE); }},
        {"orientation 3", Change(DM_ORIENTATION, [](DEVMODEA& m) { m.dmOrientation = 3; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT); }},
        {"Letter", Change(DM_PAPERSIZE, [](DEVMODEA& m) { m.dmPaperSize = DMPAPER_LETTER; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPaperSize, DMPAPER_LETTER); }},
        {"a paper the printer lacks", Change(DM_PAPERSIZE, [](DEVMODEA& m) { m.dmPaperSize = DMPAPER_LEGAL; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPaperSize, DMPAPER_A4); }},
        {"a custom size of 0", Change(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH, [](DEVMODEA& m) {
             m.dmPaperSize = DMPAPER_USER;
             m.dmPaperWidth = 0;
             m.dmPaperLength = -5;
         }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPaperSize, DMPAPER_A4); }},
        {"0 copies", Change(DM_COPIES, [](DEVMODEA& m) { m.dmCopies = 0; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmCopies, 1); }},
        {"1000 copies", Change(DM_COPIES, [](DEVMODEA& m) { m.dmCopies = 1000; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmCopies, 99); }},
        {"copies not named", Change(DM_ORIENTATION, [](DEVMODEA& m) {
             m.dmOrientation = DMORIENT_PORTRAIT;
             m.dmCopies = 0;
         }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmCopies, 5); }},
        {"manual feed", Change(DM_DEFAULTSOURCE, [](DEVMODEA& m) { m.dmDefaultSource = DMBIN_MANUAL; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmDefaultSource, DMBIN_MANUAL); }},
        {"an unknown source", Change(DM_DEFAULTSOURCE, [](DEVMODEA& m) { m.dmDefaultSource = DMBIN_ENVELOPE; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmDefaultSource, DMBIN_AUTO); }},
        {"300 dpi", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = 300; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 300); }},
        {"1200 x 600 dpi", Change(DM_PRINTQUALITY | DM_YRESOLUTION, [](DEVMODEA& m) {
             m.dmPrintQuality = 1200;
             m.dmYResolution = 600;
         }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 1200); EXPECT_EQ(m.dmYResolution, 600); }},
        {"400 dpi is nearest 300", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = 400; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 300); }},
        {"high", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = DMRES_HIGH; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 1200); }},
        {"medium", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = DMRES_MEDIUM; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 600); }},
        {"draft", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = DMRES_DRAFT; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 300); }},
        {"quality -7", Change(DM_PRINTQUALITY, [](DEVMODEA& m) { m.dmPrintQuality = -7; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmPrintQuality, 600); }},
        {"duplex 4", Change(DM_DUPLEX, [](DEVMODEA& m) { m.dmDuplex = 4; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmDuplex, DMDUP_SIMPLEX); }},
        {"short edge", Change(DM_DUPLEX, [](DEVMODEA& m) { m.dmDuplex = DMDUP_HORIZONTAL; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmDuplex, DMDUP_HORIZONTAL); }},
        {"colour 3", Change(DM_COLOR, [](DEVMODEA& m) { m.dmColor = 3; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmColor, DMCOLOR_COLOR); }},
        {"collate 2", Change(DM_COLLATE, [](DEVMODEA& m) { m.dmCollate = 2; }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmCollate, DMCOLLATE_FALSE); }},
        {"a device mode of another size", Change(DM_ORIENTATION, [](DEVMODEA& m) {
             m.dmSize = 148;
             m.dmOrientation = DMORIENT_LANDSCAPE;
         }),
         [](const DEVMODEA& m) { EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const detail::FullDevMode merged = detail::MergeDevMode(printer, base, c.change);
        EXPECT_TRUE(detail::IsValidDevMode(printer, merged));
        c.expect(merged.mode);
    }
}

// A printer without duplex, colour or collation takes none of them.
TEST(DevModeTest, APrinterWithoutDuplexColourAndCollationRefusesThem)
{
    PrinterCapabilities capabilities;
    capabilities.papers = {Letter()};
    capabilities.resolutions = {{300, 300}};
    PrinterDefaults defaults;
    defaults.resolution = {300, 300};
    const detail::PrinterModel printer = detail::MakePrinterModel("Grey", capabilities, defaults);
    const DEVMODEA change = Change(DM_DUPLEX | DM_COLOR | DM_COLLATE | DM_COPIES | DM_DEFAULTSOURCE, [](DEVMODEA& m) {
        m.dmDuplex = DMDUP_VERTICAL;
        m.dmColor = DMCOLOR_COLOR;
        m.dmCollate = DMCOLLATE_TRUE;
        m.dmCopies = 3;
        m.dmDefaultSource = DMBIN_MANUAL;
    });
    const detail::FullDevMode mode = detail::ReadDevMode(printer, &change);
    EXPECT_TRUE(detail::IsValidDevMode(printer, mode));
    EXPECT_EQ(mode.mode.dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(mode.mode.dmColor, DMCOLOR_MONOCHROME);
    EXPECT_EQ(mode.mode.dmCollate, DMCOLLATE_FALSE);
    EXPECT_EQ(mode.mode.dmCopies, 1);
    EXPECT_EQ(mode.mode.dmDefaultSource, DMBIN_AUTO);
}

// A size of the document's own prints on the printer's custom size, else on its smallest paper that
// holds it, else on its default paper; the settings name the paper really used.
TEST(DevModeTest, ASizeOfTheDocumentsOwnLandsOnPaperThePrinterHas)
{
    struct Case {
        const char* name;
        bool custom;
        SHORT width, length;  // tenths of a millimetre
        const char* paper;
        int paperWidth, paperLength;  // hundredths
    };
    const Case cases[] = {
        {"within the custom range", true, 2000, 3000, "Custom", 20000, 30000},
        {"beyond it, held by Letter", false, 2100, 2750, "Letter", 21590, 27940},
        {"beyond it, held by A5 first", false, 1400, 2050, "A5", 14800, 21000},
        {"held by nothing", false, 4000, 5000, "A4", 21000, 29700},
    };
    PrinterCapabilities capabilities = Office().capabilities;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        capabilities.custom = c.custom ? CustomSizes{5000, 30000, 5000, 30000} : CustomSizes{};
        PrinterDefaults defaults;
        defaults.paper = "iso_a4_210x297mm";
        defaults.resolution = {600, 600};
        const detail::PrinterModel printer = detail::MakePrinterModel("Office", capabilities, defaults);
        const DEVMODEA change = Change(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH, [&](DEVMODEA& m) {
            m.dmPaperSize = DMPAPER_USER;
            m.dmPaperWidth = c.width;
            m.dmPaperLength = c.length;
        });
        const detail::PrintSettings settings = detail::SettingsOf(printer, detail::ReadDevMode(printer, &change));
        EXPECT_EQ(settings.paper.name, c.paper);
        EXPECT_EQ(settings.paper.width, c.paperWidth);
        EXPECT_EQ(settings.paper.length, c.paperLength);
        EXPECT_EQ(settings.Custom(), c.custom);
    }
    EXPECT_EQ(detail::CustomMediaKeyword(20000, 21590), "custom_200x215.9mm_200x215.9mm");
    EXPECT_EQ(detail::CustomMediaKeyword(10005, 2507), "custom_100.05x25.07mm_100.05x25.07mm");
}

// The private part names the paper and source by their keywords, so a device mode keeps them when the
// printer's lists change order; another program's private part is not read.
TEST(DevModeTest, ThePrivatePartKeepsThePaperWhenThePrintersListChanges)
{
    PrinterCapabilities capabilities = Office().capabilities;
    capabilities.papers = {Paper{"photo-a", "Photo A", 10000, 15000, RECT{}}, Paper{"photo-b", "Photo B", 12000, 17000, RECT{}}};
    PrinterDefaults defaults;
    defaults.resolution = {600, 600};
    const detail::PrinterModel before = detail::MakePrinterModel("Photo", capabilities, defaults);
    const DEVMODEA chooseB = Change(DM_PAPERSIZE, [&](DEVMODEA& m) { m.dmPaperSize = before.paperCodes[1]; });
    const detail::FullDevMode mode = detail::ReadDevMode(before, &chooseB);
    ASSERT_EQ(mode.mode.dmPaperSize, 258);

    std::swap(capabilities.papers[0], capabilities.papers[1]);
    const detail::PrinterModel after = detail::MakePrinterModel("Photo", capabilities, defaults);
    EXPECT_EQ(after.paperCodes[0], 257);  // B now, by its place
    EXPECT_EQ(detail::SettingsOf(after, mode).paper.name, "Photo B");
    // A program that puts another number in the public part gets that number's paper.
    detail::FullDevMode changed = mode;
    changed.mode.dmPaperSize = 258;
    changed.extra.paperCode = 257;
    EXPECT_EQ(detail::SettingsOf(after, changed).paper.name, "Photo A");
    // Another program's private part is not read: the number alone counts.
    DEVMODEA foreign = Change(DM_PAPERSIZE, [](DEVMODEA& m) { m.dmPaperSize = 258; });
    foreign.dmDriverExtra = 12;
    EXPECT_EQ(detail::SettingsOf(after, detail::ReadDevMode(after, &foreign)).paper.name, "Photo A");
}

}  // namespace
