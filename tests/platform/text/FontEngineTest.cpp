#include "platform/text/FontEngine.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/detail/FontEngine.h"
#include "platform/text/detail/FontMetrics.h"

#include "tests/platform/text/TextLibraryFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <thread>

namespace {

using namespace win;
using namespace win::detail;

class FontEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::SetAnsiCodePage(1252);
        InitializeFonts();
    }
    void TearDown() override { FinalizeFonts(); }
};

LOGFONT FontOfHeight(const char* face, LONG height)
{
    LOGFONT font;
    font.lfFaceName = face;
    font.lfHeight = height;
    return font;
}

TEST(FontEngineStartTest, FontsNeedTheEngineStarted)
{
    EXPECT_THROW(RealizeFont(FontOfHeight("Arial", -16), 96), rtl::EInvalidOperation);
    EXPECT_THROW(Fonts(), rtl::EInvalidOperation);
    EXPECT_THROW(InitializeFonts({"/nonexistent"}), rtl::EFOpenError);
    EXPECT_THROW(Fonts(), rtl::EInvalidOperation);
    InitializeFonts();
    EXPECT_EQ(RealizeFont(FontOfHeight("Arial", -16), 96)->File().family, "Liberation Sans");
    FinalizeFonts();
    EXPECT_THROW(RealizeFont(FontOfHeight("Arial", -16), 96), rtl::EInvalidOperation);
}

TEST_F(FontEngineTest, EqualRequestsShareAFace)
{
    const auto a = RealizeFont(FontOfHeight("Arial", -16), 96);
    EXPECT_EQ(RealizeFont(FontOfHeight("Arial", -16), 96), a);
    EXPECT_NE(RealizeFont(FontOfHeight("Arial", -16), 600), a);
    EXPECT_NE(RealizeFont(FontOfHeight("Arial", -17), 96), a);
    LOGFONT underlined = FontOfHeight("Arial", -16);
    underlined.lfUnderline = 1;
    EXPECT_NE(RealizeFont(underlined, 96), a);
    // A face stays valid for its holder after the engine forgets it.
    for (LONG height = -1; height > -600; --height)
        RealizeFont(FontOfHeight("Arial", height), 96);
    EXPECT_EQ(a->EmHeight(), 16);
    EXPECT_EQ(TextMetricsA(*a).tmHeight, TextMetricsA(*RealizeFont(FontOfHeight("Arial", -16), 96)).tmHeight);
    EXPECT_THROW(RealizeFont(FontOfHeight("Arial", 100000), 96), rtl::EInvalidArgument);
}

TEST_F(FontEngineTest, FacesMeasureFromSeveralThreads)
{
    const auto face = RealizeFont(FontOfHeight("Times New Roman", -16), 96);
    const std::u16string text = u"The quick brown fox jumps over the lazy dog";
    const int expected = TextExtentPoint32(*face, text).cx;
    std::vector<std::thread> threads;
    std::vector<int> widths(4);
    for (std::size_t i = 0; i < widths.size(); ++i)
        threads.emplace_back([&, i] {
            for (int n = 0; n < 20; ++n) {
                widths[i] = TextExtentPoint32(*RealizeFont(FontOfHeight("Times New Roman", -16), 96), text).cx;
                face->Glyph(text[std::size_t(n) % text.size()]);
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (const int width : widths)
        EXPECT_EQ(width, expected);
}

struct Entry {
    std::string face;
    std::string style;
    std::string fullName;
    int charset;
};

std::vector<Entry> Enumerate(const char* face, int charset)
{
    LOGFONT filter;
    filter.lfFaceName = face;
    filter.lfCharSet = BYTE(charset);
    std::vector<Entry> entries;
    EXPECT_EQ(EnumFontFamiliesEx(filter, 96,
                                 [&](const ENUMLOGFONTEX& font, const TEXTMETRIC& tm, DWORD type) {
                                     EXPECT_EQ(type, TRUETYPE_FONTTYPE);
                                     EXPECT_EQ(font.elfLogFont.lfCharSet, tm.tmCharSet);
                                     EXPECT_EQ(font.elfLogFont.lfHeight, tm.tmHeight);
                                     EXPECT_FALSE(font.elfScript.empty());
                                     entries.push_back({font.elfLogFont.lfFaceName.Str(), font.elfStyle,
                                                        font.elfFullName, font.elfLogFont.lfCharSet});
                                     return 1;
                                 }),
              1);
    return entries;
}

TEST_F(FontEngineTest, EnumerationListsTheUsableNames)
{
    std::map<std::string, std::set<int>> charsets;
    for (const auto& entry : Enumerate("", DEFAULT_CHARSET)) {
        EXPECT_EQ(entry.style, entry.face == "DejaVu Sans" ? "Book" : "Regular") << entry.face;
        charsets[entry.face].insert(entry.charset);
    }
    std::set<std::string> names;
    for (const auto& [name, sets] : charsets) {
        names.insert(name);
        EXPECT_TRUE(sets.count(ANSI_CHARSET)) << name;
    }
    EXPECT_EQ(names, (std::set<std::string>{"Arial", "Courier New", "DejaVu Sans", "Liberation Mono",
                                            "Liberation Sans", "Liberation Serif", "MS Sans Serif", "Tahoma",
                                            "Times New Roman", "Verdana"}));
    EXPECT_TRUE(charsets["Arial"].count(RUSSIAN_CHARSET));
    EXPECT_FALSE(charsets["Arial"].count(SHIFTJIS_CHARSET));

    std::set<std::string> styles;
    for (const auto& entry : Enumerate("times new roman", ANSI_CHARSET)) {
        EXPECT_EQ(entry.face, "Times New Roman");
        EXPECT_EQ(entry.charset, ANSI_CHARSET);
        styles.insert(entry.fullName);
    }
    EXPECT_EQ(styles, (std::set<std::string>{"Times New Roman", "Times New Roman Bold", "Times New Roman Italic",
                                             "Times New Roman Bold Italic"}));

    EXPECT_TRUE(Enumerate("Wingdings", DEFAULT_CHARSET).empty());
    EXPECT_TRUE(Enumerate("Arial", SHIFTJIS_CHARSET).empty());
}

TEST_F(FontEngineTest, EnumerationStopsWhenAsked)
{
    int calls = 0;
    EXPECT_EQ(EnumFontFamiliesEx(LOGFONT(), 96,
                                 [&](const ENUMLOGFONTEX&, const TEXTMETRIC&, DWORD) {
                                     ++calls;
                                     return calls == 3 ? 0 : 7;
                                 }),
              0);
    EXPECT_EQ(calls, 3);
}

// Enumeration on device contexts of two resolutions.
class FontEnumerationDcTest : public wintest::TextLibraryTest {
protected:
    struct Listed {
        std::map<std::pair<std::string, int>, int> seen;  // (face, charset) -> calls
        std::map<std::string, LONG> heights;
        int calls = 0;
        int stopAt = 0;
    };
    static int Record(const ENUMLOGFONTEX* font, const TEXTMETRIC* metrics, DWORD type, LPARAM lParam)
    {
        auto& listed = *reinterpret_cast<Listed*>(lParam);
        EXPECT_EQ(type, TRUETYPE_FONTTYPE);
        ++listed.seen[{font->elfLogFont.lfFaceName.Str(), font->elfLogFont.lfCharSet}];
        listed.heights[font->elfLogFont.lfFaceName.Str()] = metrics->tmHeight;
        return ++listed.calls == listed.stopAt ? 0 : 1;
    }
    static Listed List(HDC dc, int charset, int stopAt = 0)
    {
        LOGFONT filter;
        filter.lfCharSet = BYTE(charset);
        Listed listed;
        listed.stopAt = stopAt;
        const int result = EnumFontFamiliesEx(dc, &filter, Record, reinterpret_cast<LPARAM>(&listed), 0);
        EXPECT_EQ(result, stopAt ? 0 : 1);
        return listed;
    }
};

TEST_F(FontEnumerationDcTest, ListsEachBundledFamilyOncePerCharsetAtTheContextsResolution)
{
    const HDC screen = CreateCompatibleDC(nullptr);
    Surface surface(4, 4);
    Device device;
    device.technology = DT_RASPRINTER;
    device.dpiX = device.dpiY = 600;
    device.resolution = SIZE{4, 4};
    const HDC printer = CreateDeviceSurfaceDC(surface, device, POINT{0, 0});

    const std::set<std::string> bundled{"Arial", "Courier New", "DejaVu Sans", "Liberation Mono", "Liberation Sans",
                                        "Liberation Serif", "MS Sans Serif", "Tahoma", "Times New Roman", "Verdana"};
    for (const int charset : {int(DEFAULT_CHARSET), int(ANSI_CHARSET), int(RUSSIAN_CHARSET)}) {
        SCOPED_TRACE(charset);
        const Listed listed = List(screen, charset);
        std::set<std::string> names;
        for (const auto& [key, calls] : listed.seen) {
            EXPECT_EQ(calls, 1) << key.first;
            if (charset != DEFAULT_CHARSET) {
                EXPECT_EQ(key.second, charset) << key.first;
            }
            names.insert(key.first);
        }
        EXPECT_EQ(names, bundled);
        // The same entries as the engine lists for the screen's resolution.
        int direct = 0;
        LOGFONT filter;
        filter.lfCharSet = BYTE(charset);
        EnumFontFamiliesEx(filter, 96, [&](const ENUMLOGFONTEX&, const TEXTMETRIC&, DWORD) { return ++direct; });
        EXPECT_EQ(listed.calls, direct);
    }

    // The printer's metrics are those of its own pixels.
    const Listed fine = List(printer, ANSI_CHARSET);
    const Listed coarse = List(screen, ANSI_CHARSET);
    LOGFONT arial;
    arial.lfFaceName = "Arial";
    EXPECT_EQ(fine.heights.at("Arial"), TextMetricsA(*RealizeFont(arial, 600)).tmHeight);
    EXPECT_EQ(coarse.heights.at("Arial"), TextMetricsA(*RealizeFont(arial, 96)).tmHeight);
    EXPECT_GT(fine.heights.at("Arial"), 5 * coarse.heights.at("Arial"));

    // The callback stops it; bad arguments fail.
    EXPECT_EQ(List(screen, DEFAULT_CHARSET, 2).calls, 2);
    LOGFONT filter;
    EXPECT_EQ(EnumFontFamiliesEx(nullptr, &filter, Record, 0, 0), 0);
    EXPECT_EQ(EnumFontFamiliesEx(screen, nullptr, Record, 0, 0), 0);
    EXPECT_EQ(EnumFontFamiliesEx(screen, &filter, nullptr, 0, 0), 0);
    DeleteDC(printer);
    DeleteDC(screen);
}

}  // namespace
