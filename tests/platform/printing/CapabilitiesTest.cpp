// What a printing system says about a printer: numbered as device modes number papers and sources,
// read from IPP attributes, and made fit when it is impossible.

#include "platform/printing/detail/Capabilities.h"
#include "platform/printing/detail/Cups.h"
#include "platform/printing/detail/PaperCodes.h"
#include "platform/printing/detail/PrinterModel.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <cups/cups.h>

namespace {

using namespace win;

Paper Sized(const char* name, int width, int length)
{
    return Paper{name, name, width, length, RECT{}};
}

// A paper within 1 mm of a standard one takes its lowest free number; others 257 on, in order.
TEST(CapabilitiesTest, PapersAndSourcesTakeTheNumbersOfTheirKinds)
{
    const std::vector<Paper> papers = {
        Sized("A4", 21000, 29700), Sized("Letter", 21590, 27940), Sized("A5 from points", 14817, 20990),
        Sized("Postcard", 9984, 14817), Sized("4 x 6 in", 10160, 15240), Sized("A4 borderless", 21000, 29700),
        Sized("Ledger", 43180, 27940), Sized("A4 plus 1.5 mm", 21150, 29700),
    };
    EXPECT_EQ(detail::PaperCodes(papers), (std::vector<SHORT>{9, 1, 11, 43, 257, 10, 4, 258}));
    const std::vector<PaperSource> sources = {{"auto", ""},  {"tray-1", ""}, {"main", ""},   {"tray-2", ""},
                                              {"manual", ""}, {"envelope", ""}, {"large-capacity", ""}, {"roll", ""}};
    EXPECT_EQ(detail::SourceCodes(sources), (std::vector<SHORT>{7, 1, 257, 2, 4, 5, 11, 258}));
}

TEST(CapabilitiesTest, ImpossibleAnswersAreSkippedClampedOrCut)
{
    PrinterCapabilities capabilities;
    capabilities.papers = {
        Sized("zero", 0, 29700), Sized("negative", 21000, -5), Sized("huge", 600000, 1000),
        Paper{"wide-margins", "Wide margins", 10000, 10000, RECT{6000, 10, 6000, 10}},
        Paper{"negative-margins", "", 10000, 10000, RECT{-5, 0, 0, 0}},
        Sized("long", 21000, 29700),
    };
    capabilities.papers.back().name = std::string(70, 'n');
    capabilities.sources = {{"tray-1", std::string(30, 's')}};
    capabilities.resolutions = {{0, 300}, {600, 600}, {9601, 9601}};
    capabilities.maxCopies = 0;
    capabilities.custom = CustomSizes{-5, 800000, 100, 50};
    const std::string told = detail::SanitizeCapabilities(capabilities);
    EXPECT_EQ(told, "3 papers of impossible sizes skipped, 2 papers' margins clamped, 1 paper names cut, "
                    "1 source names cut, 2 impossible resolutions skipped, 1 copy limit clamped, "
                    "1 custom size range clamped");
    ASSERT_EQ(capabilities.papers.size(), 3u);
    EXPECT_EQ(capabilities.papers[0].margins, (RECT{0, 10, 0, 10}));
    EXPECT_EQ(capabilities.papers[1].margins, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(capabilities.papers[1].name, "negative-margins");  // no name: the keyword
    EXPECT_EQ(capabilities.papers[2].name.size(), detail::kPaperNameLength);
    EXPECT_EQ(capabilities.sources[0].name.size(), detail::kSourceNameLength);
    EXPECT_EQ(capabilities.resolutions, (std::vector<Resolution>{{600, 600}}));
    EXPECT_EQ(capabilities.maxCopies, 1);
    EXPECT_EQ(capabilities.custom.maxWidth, 0);  // a range of lengths from 100 down to 50 is none

    // More than 256 papers are cut at 256; a printer left without any gets A4 with 5 mm margins.
    capabilities.papers.assign(300, Sized("A4", 21000, 29700));
    EXPECT_EQ(detail::SanitizeCapabilities(capabilities), "44 papers beyond the 256th skipped");
    EXPECT_EQ(capabilities.papers.size(), 256u);
    capabilities.papers = {Sized("zero", 0, 0)};
    detail::SanitizeCapabilities(capabilities);
    ASSERT_EQ(capabilities.papers.size(), 1u);
    EXPECT_EQ(capabilities.papers[0].name, "A4");
    EXPECT_EQ(capabilities.papers[0].margins, (RECT{500, 500, 500, 500}));
}

// One line on the standard error stream for each printer whose answers needed correcting.
TEST(CapabilitiesTest, ACorrectedPrinterIsToldOnOneLine)
{
    PrinterCapabilities capabilities;
    capabilities.papers = {Sized("A4", 21000, 29700), Sized("none", 0, 0)};
    capabilities.resolutions = {{600, 600}};
    testing::internal::CaptureStderr();
    detail::MakePrinterModel("Office", capabilities, PrinterDefaults{});
    capabilities.papers.pop_back();
    detail::MakePrinterModel("Plain", capabilities, PrinterDefaults{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "printer Office: 1 papers of impossible sizes skipped\n");
}

// A Get-Printer-Attributes response, as a printer sends it, read into capabilities.
TEST(CapabilitiesTest, AnIppAnswerIsReadIntoCapabilities)
{
    ipp_t* answer = ippNew();
    ippSetOperation(answer, IPP_OP_GET_PRINTER_ATTRIBUTES);
    ipp_attribute_t* database = nullptr;
    for (const auto& [width, length, name] : {std::tuple{21000, 29700, "iso_a4_210x297mm"}, std::tuple{21590, 27940, ""}}) {
        ipp_t* size = ippNew();
        ippAddInteger(size, IPP_TAG_ZERO, IPP_TAG_INTEGER, "x-dimension", width);
        ippAddInteger(size, IPP_TAG_ZERO, IPP_TAG_INTEGER, "y-dimension", length);
        ipp_t* column = ippNew();
        ippAddCollection(column, IPP_TAG_ZERO, "media-size", size);
        for (const char* margin : {"media-left-margin", "media-right-margin", "media-top-margin", "media-bottom-margin"}) {
            ippAddInteger(column, IPP_TAG_ZERO, IPP_TAG_INTEGER, margin, 423);
        }
        if (*name) {
            ippAddString(column, IPP_TAG_ZERO, IPP_TAG_KEYWORD, "media-size-name", nullptr, name);
        }
        if (!database) {
            database = ippAddCollection(answer, IPP_TAG_PRINTER, "media-col-database", column);
        } else {
            ippSetCollection(answer, &database, ippGetCount(database), column);
        }
        ippDelete(size);
        ippDelete(column);
    }
    const char* sources[] = {"auto", "tray-1"};
    ippAddStrings(answer, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "media-source-supported", 2, nullptr, sources);
    const int xs[] = {600, 300};
    const int ys[] = {600, 300};
    ippAddResolutions(answer, IPP_TAG_PRINTER, "printer-resolution-supported", 2, IPP_RES_PER_INCH, xs, ys);
    const char* sides[] = {"one-sided", "two-sided-long-edge"};
    ippAddStrings(answer, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "sides-supported", 2, nullptr, sides);
    const char* colours[] = {"monochrome", "color"};
    ippAddStrings(answer, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "print-color-mode-supported", 2, nullptr, colours);
    ippAddRange(answer, IPP_TAG_PRINTER, "copies-supported", 1, 50);
    const char* formats[] = {"application/pdf", "image/pwg-raster"};
    ippAddStrings(answer, IPP_TAG_PRINTER, IPP_TAG_MIMETYPE, "document-format-supported", 2, nullptr, formats);
    ippAddResolution(answer, IPP_TAG_PRINTER, "pwg-raster-document-resolution-supported", IPP_RES_PER_INCH, 300, 300);
    const char* media[] = {"iso_a4_210x297mm", "custom_min_50x80mm", "custom_max_215.9x355.6mm"};
    ippAddStrings(answer, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "media-supported", 3, nullptr, media);
    std::string bytes;
    ippWriteIO(&bytes, [](void* context, ipp_uchar_t* data, size_t count) -> ssize_t {
        static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(data), count);
        return ssize_t(count);
    }, 1, nullptr, answer);
    ippDelete(answer);

    const PrinterCapabilities capabilities = detail::CapabilitiesFromIpp(bytes);
    ASSERT_EQ(capabilities.papers.size(), 2u);
    EXPECT_EQ(capabilities.papers[0].keyword, "iso_a4_210x297mm");
    EXPECT_EQ(capabilities.papers[0].margins, (RECT{423, 423, 423, 423}));
    EXPECT_EQ(capabilities.papers[1].keyword, "na_letter_8.5x11in");  // named after its size
    EXPECT_EQ(capabilities.sources.size(), 2u);
    EXPECT_EQ(capabilities.resolutions, (std::vector<Resolution>{{600, 600}, {300, 300}}));
    EXPECT_EQ(capabilities.pageResolutions, (std::vector<Resolution>{{300, 300}}));
    EXPECT_TRUE(capabilities.duplex);
    EXPECT_TRUE(capabilities.color);
    EXPECT_EQ(capabilities.maxCopies, 50);
    EXPECT_FALSE(capabilities.collate);
    EXPECT_EQ(capabilities.custom.minWidth, 5000);
    EXPECT_EQ(capabilities.custom.maxLength, 35560);

    EXPECT_THROW(detail::CapabilitiesFromIpp("not an IPP message"), EPrintError);
    EXPECT_THROW(detail::CapabilitiesFromIpp(bytes.substr(0, bytes.size() / 2)), EPrintError);
}

}  // namespace
