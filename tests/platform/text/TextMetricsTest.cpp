#include "platform/text/TextMetrics.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/rtl/Exceptions.h"
#include "platform/text/DrawText.h"
#include "platform/text/FontEngine.h"
#include "platform/text/detail/FontEngine.h"
#include "platform/text/detail/FontMetrics.h"
#include "platform/wintypes/LogFont.h"

#include "tests/platform/text/TextLibraryFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;

struct FontCase {
    const char* face;
    LONG height;  // 0: the default 12 points, which depends on the resolution
    LONG weight;
};

constexpr FontCase kFonts[] = {{"Arial", -11, FW_NORMAL}, {"Times New Roman", 0, FW_BOLD}, {"Courier New", 20, FW_NORMAL}};
constexpr int kDpis[] = {96, 600};

// A device context of its own device at the resolution under test, with a font selected.
class TextMetricsTest : public wintest::TextLibraryTest, public ::testing::WithParamInterface<std::tuple<FontCase, int>> {
protected:
    void SetUp() override
    {
        TextLibraryTest::SetUp();
        const auto [font, dpi] = GetParam();
        logFont_.lfHeight = font.height;
        logFont_.lfWeight = font.weight;
        logFont_.lfFaceName = font.face;
        Device device;
        device.technology = DT_RASPRINTER;
        device.dpiX = device.dpiY = dpi;
        device.resolution = SIZE{surface_.Width(), surface_.Height()};
        dc_ = CreateDeviceSurfaceDC(surface_, device, POINT{0, 0});
        font_ = CreateFontIndirect(&logFont_);
        SelectObject(dc_, font_);
        face_ = RealizeFont(logFont_, dpi);
    }
    void TearDown() override
    {
        face_.reset();
        DeleteDC(dc_);
        DeleteObject(font_);
        TextLibraryTest::TearDown();
    }

    Surface surface_{4, 4};
    LOGFONT logFont_;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    std::shared_ptr<const FontFace> face_;
};

void ExpectSame(const TEXTMETRIC& actual, const TEXTMETRIC& expected)
{
    EXPECT_EQ(actual.tmHeight, expected.tmHeight);
    EXPECT_EQ(actual.tmAscent, expected.tmAscent);
    EXPECT_EQ(actual.tmDescent, expected.tmDescent);
    EXPECT_EQ(actual.tmInternalLeading, expected.tmInternalLeading);
    EXPECT_EQ(actual.tmExternalLeading, expected.tmExternalLeading);
    EXPECT_EQ(actual.tmAveCharWidth, expected.tmAveCharWidth);
    EXPECT_EQ(actual.tmMaxCharWidth, expected.tmMaxCharWidth);
    EXPECT_EQ(actual.tmWeight, expected.tmWeight);
    EXPECT_EQ(actual.tmFirstChar, expected.tmFirstChar);
    EXPECT_EQ(actual.tmLastChar, expected.tmLastChar);
    EXPECT_EQ(actual.tmDefaultChar, expected.tmDefaultChar);
    EXPECT_EQ(actual.tmBreakChar, expected.tmBreakChar);
    EXPECT_EQ(actual.tmPitchAndFamily, expected.tmPitchAndFamily);
    EXPECT_EQ(actual.tmCharSet, expected.tmCharSet);
}

TEST_P(TextMetricsTest, MetricsAreThoseOfTheSelectedFontAtTheDeviceResolution)
{
    TEXTMETRIC metrics;
    ASSERT_TRUE(GetTextMetricsA(dc_, &metrics));
    ExpectSame(metrics, TextMetricsA(*face_));
    // The default height is 12 points, so a finer device must realise it with more pixels.
    if (std::get<0>(GetParam()).height == 0 && std::get<1>(GetParam()) > 96) {
        EXPECT_GT(metrics.tmHeight, TextMetricsA(*RealizeFont(logFont_, 96)).tmHeight);
    }
    ASSERT_TRUE(GetTextMetricsW(dc_, &metrics));
    ExpectSame(metrics, TextMetricsW(*face_));

    EXPECT_EQ(GetOutlineTextMetricsA(dc_, 0, nullptr), sizeof(OUTLINETEXTMETRIC));
    OUTLINETEXTMETRIC outline;
    ASSERT_EQ(GetOutlineTextMetricsW(dc_, sizeof outline, &outline), sizeof outline);
    const OUTLINETEXTMETRIC expected = OutlineTextMetricsW(*face_);
    ExpectSame(outline.otmTextMetrics, expected.otmTextMetrics);
    EXPECT_EQ(outline.otmsUnderscorePosition, expected.otmsUnderscorePosition);
    EXPECT_EQ(outline.otmsStrikeoutSize, expected.otmsStrikeoutSize);
    EXPECT_EQ(outline.otmpFaceName, expected.otmpFaceName);
    EXPECT_EQ(GetOutlineTextMetricsA(dc_, sizeof outline - 1, &outline), 0u);
}

TEST_P(TextMetricsTest, CharacterWidthsAreThoseOfTheFace)
{
    std::array<int, 95> widths{};
    ASSERT_TRUE(GetCharWidth32A(dc_, 32, 126, widths.data()));
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.end()), CharWidthA(*face_, 32, 126));
    ASSERT_TRUE(GetCharWidthW(dc_, 0x410, 0x410 + 94, widths.data()));
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.end()), CharWidthW(*face_, 0x410, 0x410 + 94));

    std::array<ABC, 3> abc{};
    ASSERT_TRUE(GetCharABCWidthsW(dc_, 'W', 'Y', abc.data()));
    const auto expected = CharABCWidthsW(*face_, 'W', 'Y');
    for (std::size_t i = 0; i < abc.size(); ++i) {
        EXPECT_EQ(abc[i].abcA, expected[i].abcA);
        EXPECT_EQ(abc[i].abcB, expected[i].abcB);
        EXPECT_EQ(abc[i].abcC, expected[i].abcC);
    }
    // A refused range leaves the buffer as it was.
    widths.fill(-7);
    EXPECT_THROW(GetCharWidthA(dc_, 200, 300, widths.data()), rtl::EInvalidArgument);
    EXPECT_EQ(widths[0], -7);
}

TEST_P(TextMetricsTest, ExtentsAreThoseOfTheFace)
{
    const std::string text = "Savings\t12.5%";
    const std::u16string wide = u"Savings\t12.5%";
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &size));
    const SIZE expected = TextExtentPoint32(*face_, text);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    ASSERT_TRUE(GetTextExtentPoint32W(dc_, wide.data(), int(wide.size()), &size));
    EXPECT_EQ(size.cx, expected.cx);

    const int half = expected.cx / 2;
    const TextExtentEx ex = TextExtentExPoint(*face_, wide, half);
    int fit = -1;
    std::vector<int> dx(wide.size());
    ASSERT_TRUE(GetTextExtentExPointW(dc_, wide.data(), int(wide.size()), half, &fit, dx.data(), &size));
    EXPECT_EQ(fit, ex.fit);
    EXPECT_EQ(dx, ex.dx);
    EXPECT_EQ(size.cx, ex.size.cx);
    // Without fit the maximum does not limit anything.
    std::vector<int> all(text.size());
    ASSERT_TRUE(GetTextExtentExPointA(dc_, text.data(), int(text.size()), 1, nullptr, all.data(), &size));
    EXPECT_EQ(all.back(), expected.cx);

    const int stops[] = {40, 200};
    const SIZE tabbed = TabbedTextExtent(*face_, text, stops);
    EXPECT_EQ(GetTabbedTextExtentA(dc_, text.data(), int(text.size()), 2, stops),
              DWORD(MAKELONG(WORD(tabbed.cx), WORD(tabbed.cy))));
    EXPECT_EQ(GetTabbedTextExtentW(dc_, wide.data(), int(wide.size()), 2, stops),
              DWORD(MAKELONG(WORD(tabbed.cx), WORD(tabbed.cy))));
}

TEST_P(TextMetricsTest, FaceNameAndFileData)
{
    const std::string name(face_->FaceName());
    EXPECT_EQ(GetTextFaceA(dc_, 0, nullptr), int(name.size()) + 1);
    char buffer[LF_FACESIZE];
    ASSERT_EQ(GetTextFaceA(dc_, sizeof buffer, buffer), int(name.size()) + 1);
    EXPECT_EQ(std::string(buffer), name);
    // Cut to the buffer, terminated.
    ASSERT_EQ(GetTextFaceA(dc_, 4, buffer), 4);
    EXPECT_EQ(std::string(buffer), name.substr(0, 3));
    char16_t wide[LF_FACESIZE];
    ASSERT_EQ(GetTextFaceW(dc_, LF_FACESIZE, wide), int(name.size()) + 1);
    EXPECT_EQ(std::u16string(wide), std::u16string(name.begin(), name.end()));

    const auto file = face_->FileData();
    EXPECT_EQ(GetFontData(dc_, 0, 0, nullptr, 0), DWORD(file.size()));
    EXPECT_EQ(GetFontData(dc_, 0, 100, nullptr, 0), DWORD(file.size() - 100));
    std::vector<std::uint8_t> tail(64, 0xEE);
    ASSERT_EQ(GetFontData(dc_, 0, DWORD(file.size() - 10), tail.data(), DWORD(tail.size())), 10u);
    EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 10, file.end() - 10));
    EXPECT_EQ(tail[10], 0xEE);
    EXPECT_EQ(GetFontData(dc_, 0, DWORD(file.size() + 1), tail.data(), 4), GDI_ERROR);
    EXPECT_EQ(GetFontData(dc_, 0x656D616E /* a table tag */, 0, nullptr, 0), GDI_ERROR);
}

INSTANTIATE_TEST_SUITE_P(FontsAndResolutions, TextMetricsTest,
                         ::testing::Combine(::testing::ValuesIn(kFonts), ::testing::ValuesIn(kDpis)));

class TextMetricsFailureTest : public wintest::TextLibraryTest {};

TEST_F(TextMetricsFailureTest, InvalidHandlesAndArgumentsFail)
{
    TEXTMETRIC metrics;
    SIZE size;
    int widths[2];
    EXPECT_FALSE(GetTextMetricsA(nullptr, &metrics));
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
    EXPECT_EQ(GetFontData(nullptr, 0, 0, nullptr, 0), GDI_ERROR);

    const HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(GetTextMetricsW(dc, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "a", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32W(dc, nullptr, 2, &size));
    EXPECT_FALSE(GetCharWidthA(dc, 'a', 'b', nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetTabbedTextExtentA(dc, "a\tb", 3, 1, nullptr), 0u);
    // An empty text measures the cell height and no width.
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
    EXPECT_EQ(size.cy, metrics.tmHeight);
    EXPECT_TRUE(GetCharWidthA(dc, 'a', 'b', widths));
    DeleteDC(dc);
}

class TextResolutionTest : public wintest::TextLibraryTest {};

TEST_F(TextResolutionTest, TextMeasuresAlikeOnTheScreenAndScaledOnA600DpiDevice)
{
    const auto pixels = [](int points, int dpi) { return (points * dpi + 36) / 72; };
    Surface surface(4, 4);
    Device device;
    device.technology = DT_RASPRINTER;
    device.dpiX = device.dpiY = 600;
    device.resolution = SIZE{4, 4};
    const double scale = 600.0 / 96.0;
    // A 15-point font with its height scaled by each device the way the program asks for one, and the
    // default height of 12 points, which the device scales itself.
    for (const bool scaled : {true, false}) {
        SCOPED_TRACE(scaled);
        const auto select = [&](HDC dc, int dpi) {
            LOGFONT logFont;
            logFont.lfHeight = scaled ? -pixels(15, dpi) : 0;
            logFont.lfFaceName = "Arial";
            return SelectObject(dc, CreateFontIndirect(&logFont));
        };
        const HDC screen = CreateCompatibleDC(nullptr);
        const HGDIOBJ screenFont = select(screen, 96);
        const HDC printer = CreateDeviceSurfaceDC(surface, device, POINT{0, 0});
        const HGDIOBJ printerFont = select(printer, 600);
        for (const std::string text : {"The quick brown fox", "WWWW iiii llll", "Energy savings 1,234.56 kWh", "a"}) {
            SCOPED_TRACE(text);
            const int count = int(text.size());
            SIZE coarse, fine;
            ASSERT_TRUE(GetTextExtentPoint32A(screen, text.data(), count, &coarse));
            ASSERT_TRUE(GetTextExtentPoint32A(printer, text.data(), count, &fine));
            // Each screen advance is rounded to a whole screen pixel.
            EXPECT_LE(std::abs(fine.cx / scale - coarse.cx), count);
            // The cell is the ascent and the descent, each rounded up to a whole pixel.
            EXPECT_LE(std::abs(fine.cy / scale - coarse.cy), 2.0);
            RECT rect{0, 0, 0, 0};
            EXPECT_EQ(DrawTextA(printer, text.data(), count, &rect, DT_CALCRECT | DT_SINGLELINE), fine.cy);
            EXPECT_EQ(rect.right, fine.cx);
        }
        DeleteObject(SelectObject(printer, printerFont));
        DeleteObject(SelectObject(screen, screenFont));
        DeleteDC(printer);
        DeleteDC(screen);
    }
}

}  // namespace
