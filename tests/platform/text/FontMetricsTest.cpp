#include "platform/text/detail/FontMetrics.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/text/detail/FontConfig.h"
#include "tests/platform/text/FontRequest.h"
#include "platform/text/detail/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace win;
using namespace win::detail;

// The font file opened with FreeType on its own, at one em, unhinted: the reference for every figure.
class Reference {
public:
    Reference(const std::string& path, int em)
    {
        if (FT_Init_FreeType(&library_) || FT_New_Face(library_, path.c_str(), 0, &face_) ||
            FT_Set_Pixel_Sizes(face_, FT_UInt(em), FT_UInt(em)))
            throw std::runtime_error("FreeType cannot open " + path);
        unitsToPixels_ = double(em) / face_->units_per_EM;
    }
    ~Reference()
    {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FT_Face operator->() const { return face_; }
    double Pixels(double units) const { return units * unitsToPixels_; }
    // The unhinted advance of a character in pixels, unrounded.
    double Advance(char32_t ch) const
    {
        Load(ch);
        return face_->glyph->linearHoriAdvance / 65536.0;
    }
    // The exact horizontal ink extent in pixels.
    std::pair<double, double> Ink(char32_t ch) const
    {
        Load(ch);
        FT_BBox box;
        FT_Outline_Get_BBox(&face_->glyph->outline, &box);
        return {box.xMin / 64.0, box.xMax / 64.0};
    }

private:
    void Load(char32_t ch) const
    {
        if (FT_Load_Char(face_, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
            throw std::runtime_error("FreeType cannot load a glyph");
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    double unitsToPixels_ = 0;
};

using wintest::Font;

// Each face at small screen sizes, at the report's measuring resolution and at the size that gives
// thousandths of an em.
struct Case {
    const char* face;
    LONG weight;
    bool italic;
    LONG height;
    int dpi;
};
const Case kCases[] = {
    {"Arial", FW_NORMAL, false, -11, 96},   {"Arial", FW_BOLD, false, -13, 96},
    {"Arial", FW_NORMAL, true, -100, 600},  {"MS Sans Serif", FW_NORMAL, false, -16, 96},
    {"Tahoma", FW_NORMAL, false, -67, 600}, {"Times New Roman", FW_NORMAL, false, -16, 96},
    {"Times New Roman", FW_BOLD, true, -1000, 96}, {"Courier New", FW_NORMAL, false, -13, 96},
    {"Courier New", FW_BOLD, false, -83, 600}, {"Unknown face", FW_NORMAL, false, -16, 96},
    {"Unknown face", FW_BOLD, true, -100, 600},
};

std::string Name(const Case& c)
{
    return std::string(c.face) + (c.weight >= FW_BOLD ? " bold" : "") + (c.italic ? " italic" : "") + " " +
           std::to_string(c.height) + " at " + std::to_string(c.dpi);
}

class FontMetricsTest : public ::testing::Test {
protected:
    void SetUp() override { rtl::SetAnsiCodePage(1252); }

    FontConfig config_;
};

TEST_F(FontMetricsTest, TextMetricsFollowTheFontTables)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(Name(c));
        const FontFace face(config_, Font(c.face, c.height, c.weight, c.italic), c.dpi);
        const Reference ref(face.File().path, -c.height);
        const TEXTMETRIC tm = TextMetricsW(face);
        // The cell holds the font's ascender and descender, rounded outwards.
        EXPECT_EQ(tm.tmAscent, std::ceil(ref.Pixels(ref->ascender)));
        EXPECT_EQ(tm.tmDescent, std::ceil(ref.Pixels(-ref->descender)));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + c.height);
        EXPECT_EQ(tm.tmExternalLeading, std::lround(ref.Pixels(ref->height - (ref->ascender - ref->descender))));
        EXPECT_EQ(tm.tmMaxCharWidth, std::lround(ref.Pixels(ref->max_advance_width)));
        EXPECT_EQ(tm.tmWeight, c.weight >= FW_BOLD ? 700 : 400);
        EXPECT_EQ(tm.tmItalic, c.italic ? 1 : 0);
        EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
        EXPECT_EQ(tm.tmDigitizedAspectY, c.dpi);
        const bool fixed = FT_IS_FIXED_WIDTH(ref.operator->());
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, fixed ? 0 : TMPF_FIXED_PITCH);
        EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, std::string(c.face) == "Courier New"       ? FF_MODERN
                                              : std::string(c.face) == "Times New Roman" ? FF_ROMAN
                                                                                         : FF_SWISS);
        EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
        EXPECT_EQ(tm.tmFirstChar, u' ');
        EXPECT_GT(tm.tmLastChar, 0x2000);
        EXPECT_EQ(TextMetricsA(face).tmLastChar, 0xFF);
    }
}

TEST_F(FontMetricsTest, OutlineMetricsFollowTheFontTables)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(Name(c));
        const FontFace face(config_, Font(c.face, c.height, c.weight, c.italic), c.dpi);
        const Reference ref(face.File().path, -c.height);
        const OUTLINETEXTMETRIC otm = OutlineTextMetricsA(face);
        EXPECT_EQ(otm.otmEMSquare, ref->units_per_EM);
        EXPECT_EQ(otm.otmrcFontBox.left, std::lround(ref.Pixels(ref->bbox.xMin)));
        EXPECT_EQ(otm.otmrcFontBox.bottom, std::lround(ref.Pixels(ref->bbox.yMin)));
        EXPECT_EQ(otm.otmrcFontBox.right, std::lround(ref.Pixels(ref->bbox.xMax)));
        EXPECT_EQ(otm.otmrcFontBox.top, std::lround(ref.Pixels(ref->bbox.yMax)));
        EXPECT_EQ(otm.otmsUnderscorePosition, std::lround(ref.Pixels(ref->underline_position)));
        EXPECT_EQ(int(otm.otmsUnderscoreSize), std::max(1L, std::lround(ref.Pixels(ref->underline_thickness))));
        EXPECT_LT(otm.otmsUnderscorePosition, 0);
        EXPECT_GT(otm.otmsStrikeoutPosition, 0);
        EXPECT_LT(otm.otmsStrikeoutPosition, otm.otmTextMetrics.tmAscent);
        EXPECT_EQ(otm.otmItalicAngle == 0, !c.italic);
        EXPECT_LE(otm.otmItalicAngle, 0);
        EXPECT_EQ(otm.otmTextMetrics.tmHeight, TextMetricsA(face).tmHeight);
        EXPECT_EQ(otm.otmpFamilyName, face.FaceName());
        EXPECT_EQ(otm.otmpStyleName, ref->style_name);
    }
}

TEST_F(FontMetricsTest, AdvancesAndAbcWidthsAreFreeTypes)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(Name(c));
        const FontFace face(config_, Font(c.face, c.height, c.weight, c.italic), c.dpi);
        const Reference ref(face.File().path, -c.height);
        const auto widthsA = CharWidthA(face, 32, 126);
        const auto widthsW = CharWidthW(face, 32, 126);
        const auto abc = CharABCWidthsA(face, 32, 126);
        ASSERT_EQ(widthsA.size(), 95u);
        ASSERT_EQ(abc.size(), 95u);
        for (char32_t ch = 32; ch <= 126; ++ch) {
            const std::size_t i = ch - 32;
            EXPECT_EQ(widthsA[i], std::lround(ref.Advance(ch))) << char(ch);
            EXPECT_EQ(widthsW[i], widthsA[i]);
            EXPECT_EQ(abc[i].abcA + int(abc[i].abcB) + abc[i].abcC, widthsA[i]) << char(ch);
            if (ch != U' ') {
                const auto [left, right] = ref.Ink(ch);
                EXPECT_NEAR(abc[i].abcA, left, 0.5 + 1e-9) << char(ch);
                EXPECT_NEAR(abc[i].abcA + int(abc[i].abcB), right, 0.5 + 1e-9) << char(ch);
            } else {
                EXPECT_EQ(abc[i].abcB, 0u);
            }
        }
    }
}

TEST_F(FontMetricsTest, AnsiCodesGoThroughTheCodePage)
{
    const FontFace face(config_, Font("Arial", -100), 600);
    const Reference ref(face.File().path, 100);
    // 0x80 is the euro sign in code page 1252 and a Cyrillic letter in 1251.
    EXPECT_EQ(CharWidthA(face, 0x80, 0x80)[0], std::lround(ref.Advance(U'\u20AC')));
    rtl::SetAnsiCodePage(1251);
    EXPECT_EQ(CharWidthA(face, 0x80, 0x80)[0], std::lround(ref.Advance(U'\u0402')));
    EXPECT_EQ(TextExtentPoint32(face, std::string("\x80")).cx, std::lround(ref.Advance(U'\u0402')));
    EXPECT_EQ(CharABCWidthsA(face, 0xC0, 0xFF).size(), 64u);
}

TEST_F(FontMetricsTest, BadCharacterRangesAreRefused)
{
    const FontFace face(config_, Font("Arial", -16), 96);
    const struct {
        UINT first, last;
        bool wide;
    } cases[] = {{66, 65, false}, {0, 256, false}, {300, 300, false}, {0x10FFFF, 0x110000, true}, {5, 4, true}};
    for (const auto& c : cases) {
        if (c.wide) {
            EXPECT_THROW(CharWidthW(face, c.first, c.last), rtl::EInvalidArgument);
            EXPECT_THROW(CharABCWidthsW(face, c.first, c.last), rtl::EInvalidArgument);
        } else {
            EXPECT_THROW(CharWidthA(face, c.first, c.last), rtl::EInvalidArgument);
            EXPECT_THROW(CharABCWidthsA(face, c.first, c.last), rtl::EInvalidArgument);
        }
    }
    EXPECT_EQ(CharWidthW(face, 0x10FFFF, 0x10FFFF).size(), 1u);
}

TEST_F(FontMetricsTest, ExtentsAddUpAndScaleWithTheResolution)
{
    const std::u16string texts[] = {u"Energy savings", u"WWW iii", u"Ž\u0416\u05D0\u2022", u"a\U0001F600b", u""};
    for (const auto& c : kCases) {
        SCOPED_TRACE(Name(c));
        const FontFace screen(config_, Font(c.face, -16, c.weight, c.italic), 96);
        const FontFace paper(config_, Font(c.face, -100, c.weight, c.italic), 600);
        for (const auto& text : texts) {
            int sum = 0;
            for (const char16_t u : text)
                sum += TextExtentPoint32(screen, std::u16string_view(&u, 1)).cx;
            const SIZE size = TextExtentPoint32(screen, text);
            const SIZE large = TextExtentPoint32(paper, text);
            if (text.find(u'\xD83D') == std::u16string::npos) {
                EXPECT_EQ(size.cx, sum);
            }
            EXPECT_EQ(size.cy, TextMetricsW(screen).tmHeight);
            // Each glyph rounds by at most half a pixel on either device.
            EXPECT_NEAR(large.cx / 6.25, size.cx, double(text.size()) * (0.5 + 0.5 / 6.25));
            const TextExtentEx ex = TextExtentExPoint(screen, text, -1);
            ASSERT_EQ(ex.dx.size(), text.size());
            EXPECT_EQ(ex.fit, int(text.size()));
            if (!text.empty()) {
                EXPECT_EQ(ex.dx.back(), size.cx);
            }
        }
        const std::string ansi = "Payback 12,5 years";
        EXPECT_EQ(TextExtentPoint32(screen, ansi).cx, TextExtentPoint32(screen, rtl::AnsiToWide(ansi)).cx);
    }
}

TEST(FontMetricsTextTest, SurrogatePairsAreOneCharacter)
{
    const std::u16string smile = u"\U0001F600";
    const struct {
        std::u16string text;
        std::size_t at;
        char32_t ch;
        std::size_t units;
    } cases[] = {
        {u"a", 0, U'a', 1},
        {u"x" + smile, 1, U'\U0001F600', 2},
        {smile, 1, 0xDE00, 1},                    // a low surrogate on its own
        {smile.substr(0, 1), 0, 0xD83D, 1},       // a high surrogate at the end
        {{char16_t(0xD83D), u'a'}, 0, 0xD83D, 1},  // a high surrogate before a letter
        {{smile[1], smile[0]}, 0, 0xDE00, 1},      // the halves the wrong way round
        {u"\U0010FFFF", 0, U'\U0010FFFF', 2},
    };
    for (const auto& c : cases) {
        const TextChar found = CharAt(c.text, c.at);
        EXPECT_EQ(found.ch, c.ch) << c.at;
        EXPECT_EQ(found.units, c.units) << c.at;
    }
}

TEST_F(FontMetricsTest, ExtentExCountsWhatFits)
{
    const FontFace face(config_, Font("Arial", -16), 96);
    const std::string text = "one two";
    const TextExtentEx all = TextExtentExPoint(face, text, -1);
    ASSERT_EQ(all.dx.size(), text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(all.dx[i], TextExtentPoint32(face, text.substr(0, i + 1)).cx);
    const struct {
        int maxExtent;
        int fit;
    } cases[] = {{0, 0}, {all.dx[0] - 1, 0}, {all.dx[0], 1}, {all.dx[3], 4}, {all.dx[6] - 1, 6}, {all.dx[6], 7},
                 {100000, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(TextExtentExPoint(face, text, c.maxExtent).fit, c.fit) << c.maxExtent;
    // A surrogate pair fits as a whole or not at all.
    const std::u16string pair = u"a\U0001F600";
    const TextExtentEx wide = TextExtentExPoint(face, pair, -1);
    EXPECT_EQ(wide.dx[1], wide.dx[2]);
    EXPECT_EQ(TextExtentExPoint(face, pair, wide.dx[2] - 1).fit, 1);
}

TEST_F(FontMetricsTest, TabsMoveToTheStops)
{
    const FontFace face(config_, Font("Arial", -16), 96);
    const int a = TextExtentPoint32(face, std::string("a")).cx;
    const int avg = TextMetricsA(face).tmAveCharWidth;
    const int three[] = {50, 120, 200};
    const int one[] = {30};
    const struct {
        const char* text;
        std::span<const int> stops;
        int width;
    } cases[] = {
        {"a", {}, a},
        {"a\ta", {}, 8 * avg + a},
        {"\t\ta", {}, 16 * avg + a},
        {"a\ta", one, 30 + a},
        {"\t\t", one, 60},
        {"a\ta\ta", three, 120 + a},
        {"\t\t\t\t", three, (200 / (8 * avg) + 1) * 8 * avg},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TabbedTextExtent(face, std::string(c.text), c.stops).cx, c.width) << c.text;
        EXPECT_EQ(TabbedTextExtent(face, rtl::AnsiToWide(c.text), c.stops).cy, TextMetricsA(face).tmHeight);
    }
}

TEST_F(FontMetricsTest, RightToLeftRunsAreReversed)
{
    const FontFace face(config_, Font("Arial", -16), 96);
    const struct {
        std::u16string text;
        std::u16string display;
    } cases[] = {
        {u"abc def", u"abc def"},
        {u"\u05D0\u05D1\u05D2", u"\u05D2\u05D1\u05D0"},
        {u"ab \u05D0\u05D1 \u05D2 cd", u"ab \u05D2 \u05D1\u05D0 cd"},
        {u"\u05D0 12 \u05D1", u"\u05D1 12 \u05D0"},
        {u"\u0633\u0644\u0627\u0645!", u"\u0645\u0627\u0644\u0633!"},
        {u"\u05D0x\u05D1", u"\u05D0x\u05D1"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        const GcpResults plain = CharacterPlacement(face, c.text, 0);
        EXPECT_EQ(plain.outString, c.text);
        const GcpResults placed = CharacterPlacement(face, c.text, GCP_REORDER);
        EXPECT_EQ(placed.outString, c.display);
        ASSERT_EQ(placed.order.size(), c.text.size());
        ASSERT_EQ(placed.dx.size(), c.text.size());
        for (std::size_t i = 0; i < c.text.size(); ++i) {
            EXPECT_EQ(placed.outString[placed.order[i]], c.text[i]);
            EXPECT_EQ(placed.dx[placed.order[i]], TextExtentPoint32(face, c.text.substr(i, 1)).cx);
        }
        EXPECT_EQ(placed.size.cx, TextExtentPoint32(face, c.text).cx);
    }
}

}  // namespace
