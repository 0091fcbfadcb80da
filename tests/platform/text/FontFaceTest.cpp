#include "platform/text/detail/FontFace.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/text/detail/FontConfig.h"
#include "tests/platform/text/FontRequest.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <climits>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using namespace win;
using namespace win::detail;

using wintest::Font;

class FontFaceTest : public ::testing::Test {
protected:
    void SetUp() override { rtl::SetAnsiCodePage(1252); }

    FontConfig config_;
};

TEST_F(FontFaceTest, WeightAndItalicPickTheFile)
{
    const struct {
        LONG weight;
        bool italic;
        const char* file;
        int tmWeight;
    } cases[] = {
        {FW_DONTCARE, false, "LiberationSerif-Regular.ttf", 400},
        {FW_MEDIUM, false, "LiberationSerif-Regular.ttf", 400},
        {FW_SEMIBOLD, false, "LiberationSerif-Bold.ttf", 700},
        {FW_BOLD, true, "LiberationSerif-BoldItalic.ttf", 700},
        {FW_HEAVY, false, "LiberationSerif-Bold.ttf", 700},
        {FW_LIGHT, true, "LiberationSerif-Italic.ttf", 400},
    };
    for (const auto& c : cases) {
        const FontFace face(config_, Font("Times New Roman", -16, c.weight, c.italic), 96);
        EXPECT_EQ(std::filesystem::path(face.File().path).filename(), c.file) << c.weight;
        EXPECT_EQ(face.Tables().weightClass, c.tmWeight) << c.weight;
        EXPECT_EQ(face.Italic(), c.italic);
        EXPECT_EQ(face.FaceName(), "Times New Roman");
        EXPECT_EQ(face.FileData().size(), std::filesystem::file_size(face.File().path));
    }
}

// The em follows from the height: a negative height is the em itself, a positive one the cell (win ascent
// plus win descent), zero a cell of 12 points.
TEST_F(FontFaceTest, HeightGivesTheEm)
{
    const FontFace probe(config_, Font("Arial", -2048), 96);
    const double cellPerEm = double(probe.Tables().winAscent + probe.Tables().winDescent) / probe.Tables().unitsPerEm;
    const struct {
        LONG height;
        int dpi;
        double em;
    } cases[] = {
        {-16, 96, 16},
        {-100, 600, 100},
        {-1, 96, 1},
        {20, 96, 20 / cellPerEm},
        {125, 600, 125 / cellPerEm},
        {0, 96, 16 / cellPerEm},
        {0, 600, 100 / cellPerEm},
        {-kMaxFontEm, 600, kMaxFontEm},
    };
    for (const auto& c : cases) {
        const FontFace face(config_, Font("Arial", c.height), c.dpi);
        EXPECT_NEAR(face.EmHeight(), c.em, 0.5) << c.height << " at " << c.dpi;
        EXPECT_EQ(face.EmWidth(), face.EmHeight());
        EXPECT_EQ(face.Dpi(), c.dpi);
    }
}

TEST_F(FontFaceTest, WidthStretchesTheAverageCharacter)
{
    for (const LONG width : {3, 7, 20, -20}) {
        LOGFONT font = Font("Arial", -16);
        font.lfWidth = width;
        const FontFace face(config_, font, 96);
        EXPECT_EQ(face.EmHeight(), 16);
        EXPECT_NEAR(double(face.Tables().avgCharWidth) * face.EmWidth() / face.Tables().unitsPerEm, std::abs(width),
                    0.5);
        EXPECT_EQ(face.Advance(U'W'), face.ScaleX(face.AdvanceUnits(face.GlyphIndex(U'W'))));
    }
}

TEST_F(FontFaceTest, SizesItCannotDrawAreRefused)
{
    const struct {
        LONG height;
        LONG width;
        int dpi;
        const char* text;  // in the message
    } cases[] = {
        {100000, 0, 96, "100000"},
        {-100000, 0, 600, "-100000"},
        {-(kMaxFontEm + 1), 0, 600, "-16385"},
        {INT_MIN, 0, 96, "-2147483648"},
        {INT_MAX, 0, 96, "2147483647"},
        {-16, 100000, 96, "width 100000"},
        {-16, INT_MIN, 96, "width"},
        {-16, 0, 0, "resolution 0"},
        {-16, 0, -96, "resolution -96"},
    };
    for (const auto& c : cases) {
        LOGFONT font = Font("Arial", c.height);
        font.lfWidth = c.width;
        try {
            FontFace face(config_, font, c.dpi);
            ADD_FAILURE() << "no error for " << c.height << " / " << c.width << " at " << c.dpi;
        } catch (const rtl::EInvalidArgument& e) {
            EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
        }
    }
}

TEST_F(FontFaceTest, CharsetIsTheAskedOneWhenCovered)
{
    const FontFace probe(config_, Font("Arial", -16), 96);
    const auto& covered = probe.Charsets();
    ASSERT_NE(std::find(covered.begin(), covered.end(), ANSI_CHARSET), covered.end());
    ASSERT_NE(std::find(covered.begin(), covered.end(), RUSSIAN_CHARSET), covered.end());
    ASSERT_EQ(std::find(covered.begin(), covered.end(), SHIFTJIS_CHARSET), covered.end());
    const struct {
        int asked;
        int realised;
    } cases[] = {
        {ANSI_CHARSET, ANSI_CHARSET},     {RUSSIAN_CHARSET, RUSSIAN_CHARSET}, {DEFAULT_CHARSET, ANSI_CHARSET},
        {SHIFTJIS_CHARSET, ANSI_CHARSET}, {99, ANSI_CHARSET},                {254, ANSI_CHARSET},
    };
    for (const auto& c : cases) {
        LOGFONT font = Font("Arial", -16);
        font.lfCharSet = BYTE(c.asked);
        EXPECT_EQ(FontFace(config_, font, 96).Charset(), c.realised) << c.asked;
    }
    // The default set is the process code page's when the font covers it.
    rtl::SetAnsiCodePage(1251);
    LOGFONT font = Font("Arial", -16);
    font.lfCharSet = DEFAULT_CHARSET;
    EXPECT_EQ(FontFace(config_, font, 96).Charset(), RUSSIAN_CHARSET);
}

int Sum(const GlyphMask& mask)
{
    int sum = 0;
    for (const auto c : mask.coverage)
        sum += c;
    return sum;
}

TEST_F(FontFaceTest, GlyphMasksCoverTheInk)
{
    const FontFace face(config_, Font("Arial", -40), 96);
    const GlyphMask& h = face.Glyph(U'H');
    ASSERT_EQ(h.coverage.size(), std::size_t(h.width * h.height));
    // The mask of H sits on the baseline, about cap height tall, between its side bearings.
    EXPECT_EQ(h.top + h.height, 0);
    EXPECT_NEAR(-h.top, face.ScaleY(face.Tables().capHeight), 1);
    const auto [left, right] = face.InkUnits(face.GlyphIndex(U'H'));
    EXPECT_NEAR(h.left, face.ScaleX(left), 1);
    EXPECT_NEAR(h.left + h.width, face.ScaleX(right), 1);
    EXPECT_NE(std::find(h.coverage.begin(), h.coverage.end(), 255), h.coverage.end());
    // Grey edges: anti-aliased coverage has values between none and full somewhere.
    const GlyphMask& o = face.Glyph(U'O');
    EXPECT_TRUE(std::any_of(o.coverage.begin(), o.coverage.end(), [](auto c) { return c > 0 && c < 255; }));
    EXPECT_EQ(Sum(face.Glyph(U' ')), 0);
    EXPECT_EQ(&face.Glyph(U'H'), &h);

    LOGFONT font = Font("Arial", -40);
    font.lfQuality = NONANTIALIASED_QUALITY;
    const FontFace monoFace(config_, font, 96);
    const GlyphMask& mono = monoFace.Glyph(U'O');
    EXPECT_TRUE(std::all_of(mono.coverage.begin(), mono.coverage.end(), [](auto c) { return c == 0 || c == 255; }));
    EXPECT_GT(Sum(mono), 0);
}

// Each character's glyph and advance come from tables the face fills at first use, from several threads
// at once here; they are FreeType's own, read from the file directly, and the glyph masks are one per
// glyph whichever thread asked first.
TEST_F(FontFaceTest, CharacterTablesAgreeWithTheFileFromEveryThread)
{
    const FontFace face(config_, Font("Times New Roman", -17), 96);
    FT_Library library = nullptr;
    FT_Face file = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Memory_Face(library, face.FileData().data(), FT_Long(face.FileData().size()), 0, &file), 0);
    std::vector<char32_t> characters;
    for (char32_t ch = 0; ch < 0x2200; ch += 3)
        characters.push_back(ch);
    characters.insert(characters.end(), {U'\xFFFD', U'\xFFFF', U'\U0001F600', U'\U0010FFFF'});
    std::vector<std::vector<FontFace::CharGlyph>> seen(4);
    std::vector<std::vector<const GlyphMask*>> masks(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < seen.size(); ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t k = 0; k < characters.size(); ++k) {
                const char32_t ch = characters[(k * 7 + t * 13) % characters.size()];
                seen[t].push_back(face.Lookup(ch));
                if (ch < 0x200)
                    masks[t].push_back(&face.Glyph(ch));
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (std::size_t t = 0; t < seen.size(); ++t) {
        std::size_t mask = 0;
        for (std::size_t k = 0; k < characters.size(); ++k) {
            const char32_t ch = characters[(k * 7 + t * 13) % characters.size()];
            const unsigned glyph = FT_Get_Char_Index(file, FT_ULong(ch));
            FT_Fixed units = 0;
            FT_Get_Advance(file, glyph, FT_LOAD_NO_SCALE, &units);
            ASSERT_EQ(seen[t][k].glyph, glyph) << std::hex << unsigned(ch);
            ASSERT_EQ(seen[t][k].advance, face.ScaleX(double(units))) << std::hex << unsigned(ch);
            if (ch < 0x200) {
                ASSERT_EQ(masks[t][mask++], &face.Glyph(ch)) << std::hex << unsigned(ch);
            }
        }
    }
    FT_Done_Face(file);
    FT_Done_FreeType(library);
}

TEST_F(FontFaceTest, EscapementTurnsGlyphsAndBaseline)
{
    const struct {
        LONG escapement;
        int x, y;  // offset of 100 pixels along the baseline
    } cases[] = {
        {0, 100, 0}, {900, 0, -100}, {1800, -100, 0}, {2700, 0, 100}, {-900, 0, 100}, {4500, 0, -100}, {450, 71, -71},
    };
    const FontFace upright(config_, Font("Arial", -40), 96);
    const GlyphMask& flat = upright.Glyph(U'l');
    for (const auto& c : cases) {
        LOGFONT font = Font("Arial", -40);
        font.lfEscapement = c.escapement;
        const FontFace face(config_, font, 96);
        EXPECT_EQ(face.BaselineOffset(100), std::make_pair(c.x, c.y)) << c.escapement;
        EXPECT_EQ(face.Advance(U'l'), upright.Advance(U'l'));
        if (c.x == 0) {
            // A tall thin l lies on its side, above the pen when turned left, below when turned right.
            const GlyphMask& turned = face.Glyph(U'l');
            EXPECT_NEAR(turned.width, flat.height, 2) << c.escapement;
            EXPECT_NEAR(turned.height, flat.width, 2) << c.escapement;
            if (c.y < 0)
                EXPECT_LE(turned.left, 0);
            else
                EXPECT_GE(turned.left + turned.width, 0);
        }
    }
}

}  // namespace
