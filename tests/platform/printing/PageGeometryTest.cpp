#include "platform/printing/detail/PageGeometry.h"

#include "tests/platform/printing/PrintingFixture.h"

#include <gtest/gtest.h>

namespace {

using printingtest::A4;

// Sizes in pixels are hundredths of a millimetre times dots per inch over 2540, to the nearest pixel.
TEST(PageGeometryTest, PageSizesFollowThePaperTheResolutionAndTheOrientation)
{
    struct Case {
        const char* name;
        win::Resolution resolution;
        win::SHORT orientation;
        win::SIZE physical;
        win::POINT offset;
        win::SIZE printable;
    };
    const Case cases[] = {
        // 21000 * 300 / 2540 = 2480.3; 29700 * 300 / 2540 = 3507.9; 500 -> 59.06; 1000 -> 118.1
        {"A4 at 300 dpi", {300, 300}, win::DMORIENT_PORTRAIT, {2480, 3508}, {59, 59}, {2480 - 59 - 59, 3508 - 59 - 118}},
        // Turned: the upright left margin is now at the bottom, the upright bottom one at the right.
        {"A4 at 300 dpi, landscape", {300, 300}, win::DMORIENT_LANDSCAPE, {3508, 2480}, {59, 59},
         {3508 - 59 - 118, 2480 - 59 - 59}},
        // 21000 * 600 / 2540 = 4960.6; 29700 * 150 / 2540 = 1753.9
        {"A4 at 600 x 150 dpi", {600, 150}, win::DMORIENT_PORTRAIT, {4961, 1754}, {118, 30}, {4961 - 118 - 118, 1754 - 30 - 59}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const win::detail::PageGeometry page = win::detail::PageFor(c.resolution, A4(), c.orientation);
        EXPECT_EQ(page.physical, c.physical);
        EXPECT_EQ(page.offset, c.offset);
        EXPECT_EQ(page.printable, c.printable);
        EXPECT_EQ(page.dpi, c.resolution);
    }
}

}  // namespace
