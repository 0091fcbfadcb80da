// The backs of two-sided sheets in a PWG raster stream are turned as the printer's
// pwg-raster-document-sheet-back asks (PWG 5102.4): flipped turns them over the binding edge, rotated
// and manual-tumble by 180 degrees where the sheet turns the other way; fronts never.

#include "platform/printing/detail/Cups.h"

#include "tests/platform/printing/PrintingFixture.h"
#include "tests/support/ScratchFolder.h"

#include <cups/raster.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace win;

TEST(RasterJobTest, TheBacksOfSheetsAreTurnedAsThePrinterAsks)
{
    struct Case {
        const char* sheetBack;
        SHORT duplex;
        bool bottomUp;  // the back's rows from the bottom up (FeedTransform -1)
        bool mirrored;  // each row of the back from right to left (CrossFeedTransform -1)
    };
    const Case cases[] = {
        {"normal", DMDUP_VERTICAL, false, false},       {"normal", DMDUP_HORIZONTAL, false, false},
        {"flipped", DMDUP_VERTICAL, true, false},       {"flipped", DMDUP_HORIZONTAL, false, true},
        {"rotated", DMDUP_VERTICAL, true, true},        {"rotated", DMDUP_HORIZONTAL, false, false},
        {"manual-tumble", DMDUP_VERTICAL, false, false}, {"manual-tumble", DMDUP_HORIZONTAL, true, true},
    };
    testsupport::ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sheetBack) + (c.duplex == DMDUP_VERTICAL ? ", long edge" : ", short edge"));
        const std::string file = folder.Path("sheets.pwg");
        std::unique_ptr<PrintJob> job = detail::OpenRasterFile(file, JobTicket{"Office", "Sheets", 1, false}, c.sheetBack);
        PageSetup setup;
        setup.paper = Paper{"iso_a4_210x297mm", "A4", 21000, 29700, RECT{}};
        setup.resolution = {72, 72};
        setup.duplex = c.duplex;
        setup.width = 4;
        setup.height = 3;
        const std::uint8_t rows[4 * 3 * 3] = {};
        std::vector<RowOrder> orders;
        for (int page = 0; page < 2; ++page) {
            orders.push_back(job->StartPage(setup));
            job->WriteRows(rows, 3);
            job->EndPage();
        }
        job->Finish();
        EXPECT_FALSE(orders[0].bottomUp || orders[0].mirrored || orders[0].turned);
        EXPECT_EQ(orders[1].bottomUp, c.bottomUp);
        EXPECT_EQ(orders[1].mirrored, c.mirrored);

        const int fd = ::open(file.c_str(), O_RDONLY);
        cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
        cups_page_header2_t header;
        std::vector<unsigned char> row(12);
        for (int page = 0; page < 2; ++page) {
            ASSERT_TRUE(cupsRasterReadHeader2(raster, &header));
            for (int y = 0; y < 3; ++y) {
                cupsRasterReadPixels(raster, row.data(), 12);
            }
            EXPECT_EQ(header.Duplex, CUPS_TRUE);
            EXPECT_EQ(header.Tumble, c.duplex == DMDUP_HORIZONTAL ? CUPS_TRUE : CUPS_FALSE);
            const bool back = page == 1;
            EXPECT_EQ(header.cupsInteger[CUPS_RASTER_PWG_FeedTransform], back && c.bottomUp ? unsigned(-1) : 1u);
            EXPECT_EQ(header.cupsInteger[CUPS_RASTER_PWG_CrossFeedTransform], back && c.mirrored ? unsigned(-1) : 1u);
        }
        EXPECT_FALSE(cupsRasterReadHeader2(raster, &header));
        cupsRasterClose(raster);
        ::close(fd);
    }
}

}  // namespace
