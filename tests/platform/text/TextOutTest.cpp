#include "platform/text/TextOut.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/gdi/Lines.h"
#include "platform/text/TextMetrics.h"
#include "platform/wintypes/LogFont.h"

#include "tests/platform/text/TextFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace win;

constexpr int DcWidth = 120;
constexpr int DcHeight = 60;
using wintest::Black;
using wintest::White;
constexpr COLORREF Red = RGB(255, 0, 0);

using wintest::Pixels;

class TextOutTest : public wintest::TextDcTest {
protected:
    TextOutTest() : TextDcTest(DcWidth, DcHeight) {}

    SIZE Extent(const char* text) const
    {
        SIZE size;
        GetTextExtentPoint32A(dc_, text, int(std::string(text).size()), &size);
        return size;
    }
    // Whether any pixel inside rect differs from colour, and whether any outside it does.
    std::pair<bool, bool> Drawn(const RECT& rect, COLORREF colour = Black) const
    {
        bool inside = false, outside = false;
        const Pixels pixels = Read();
        for (int y = 0; y < DcHeight; ++y) {
            for (int x = 0; x < DcWidth; ++x) {
                const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                if (pixels[std::size_t(y * DcWidth + x)] != colour) {
                    (in ? inside : outside) = true;
                }
            }
        }
        return {inside, outside};
    }

};

TEST_F(TextOutTest, GlyphsLandInsideTheExtentOnly)
{
    ASSERT_TRUE(TextOutA(dc_, 10, 5, "Hg", 2));
    const SIZE size = Extent("Hg");
    EXPECT_EQ(Drawn(RECT{10, 5, 10 + size.cx, 5 + size.cy}), std::make_pair(true, false));
    // Fully covered stems in the text colour, grey at the anti-aliased edges.
    bool white = false, grey = false;
    for (COLORREF pixel : Read()) {
        white |= pixel == White;
        grey |= pixel != White && pixel != Black;
    }
    EXPECT_TRUE(white);
    EXPECT_TRUE(grey);
}

TEST_F(TextOutTest, AlignmentMovesTheTextAsTheReferencePointSays)
{
    const SIZE size = Extent("Ag");
    ASSERT_TRUE(TextOutA(dc_, 10, 5, "Ag", 2));
    const Pixels expected = Read();
    struct Case {
        UINT align;
        int x, y;
    };
    const Case cases[] = {
        {TA_RIGHT | TA_TOP, 10 + size.cx, 5},
        {TA_LEFT | TA_BASELINE, 10, 5 + metrics_.tmAscent},
        {TA_LEFT | TA_BOTTOM, 10, 5 + metrics_.tmHeight},
        {TA_RIGHT | TA_BOTTOM, 10 + size.cx, 5 + metrics_.tmHeight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        Clear();
        SetTextAlign(dc_, c.align);
        ASSERT_TRUE(TextOutA(dc_, c.x, c.y, "Ag", 2));
        EXPECT_EQ(Read(), expected);
    }
    // Centred on the middle of the extent; an odd width may shift by the rounding of the half.
    Clear();
    SetTextAlign(dc_, TA_CENTER);
    ASSERT_TRUE(TextOutA(dc_, 10 + size.cx / 2, 5, "Ag", 2));
    EXPECT_EQ(Drawn(RECT{9, 5, 11 + size.cx, 5 + size.cy}).second, false);
}

TEST_F(TextOutTest, UpdateCpStartsAtAndMovesTheCurrentPosition)
{
    MoveToEx(dc_, 7, 3, nullptr);
    SetTextAlign(dc_, TA_UPDATECP);
    ASSERT_TRUE(TextOutA(dc_, 90, 40, "ab", 2));
    POINT position;
    GetCurrentPositionEx(dc_, &position);
    EXPECT_EQ(position.x, 7 + Extent("ab").cx);
    EXPECT_EQ(position.y, 3);
    ASSERT_TRUE(TextOutA(dc_, 90, 40, "c", 1));
    const Pixels drawn = Read();
    Clear();
    SetTextAlign(dc_, TA_NOUPDATECP);
    TextOutA(dc_, 7, 3, "ab", 2);
    TextOutA(dc_, 7 + Extent("ab").cx, 3, "c", 1);
    EXPECT_EQ(drawn, Read());
}

TEST_F(TextOutTest, AdvanceArraysAreHonouredExactly)
{
    const int dx[] = {40, 3};
    ASSERT_TRUE(ExtTextOutA(dc_, 10, 5, 0, nullptr, "HH", 2, dx));
    const Pixels drawn = Read();
    Clear();
    TextOutA(dc_, 10, 5, "H", 1);
    TextOutA(dc_, 50, 5, "H", 1);
    EXPECT_EQ(drawn, Read());
}

TEST_F(TextOutTest, CharacterExtraAndJustificationWidenTheText)
{
    EXPECT_EQ(SetTextCharacterExtra(dc_, 4), 0);
    EXPECT_EQ(GetTextCharacterExtra(dc_), 4);
    ASSERT_TRUE(TextOutA(dc_, 10, 5, "HH", 2));
    Pixels drawn = Read();
    Clear();
    SetTextCharacterExtra(dc_, 0);
    TextOutA(dc_, 10, 5, "H", 1);
    TextOutA(dc_, 14 + Extent("H").cx, 5, "H", 1);
    EXPECT_EQ(drawn, Read());

    // Five pixels over two blanks: three for the first, two for the second, and only for one text.
    Clear();
    SetTextJustification(dc_, 5, 2);
    ASSERT_TRUE(TextOutA(dc_, 0, 5, "H H H", 5));
    drawn = Read();
    Clear();
    const int step = Extent("H ").cx;
    TextOutA(dc_, 0, 5, "H", 1);
    TextOutA(dc_, step + 3, 5, "H", 1);
    TextOutA(dc_, 2 * step + 5, 5, "H", 1);
    EXPECT_EQ(drawn, Read());
}

TEST_F(TextOutTest, ExtentsCountTheSpacingTheTextIsDrawnWith)
{
    const int h = Extent("H").cx;
    const int blank = Extent(" ").cx;
    SetTextCharacterExtra(dc_, 4);
    EXPECT_EQ(Extent("HH").cx, 2 * h + 8);
    // Five pixels over two blanks, three then two; measuring leaves the justification for the text.
    SetTextJustification(dc_, 5, 2);
    for (int round = 0; round < 2; ++round) {
        int fit = -1;
        int dx[5] = {};
        SIZE size;
        ASSERT_TRUE(GetTextExtentExPointW(dc_, u"H H H", 5, 2 * h + blank + 14, &fit, dx, &size));
        const int expected[] = {h + 4, h + blank + 11, 2 * h + blank + 15, 2 * h + 2 * blank + 21,
                                3 * h + 2 * blank + 25};
        EXPECT_TRUE(std::equal(std::begin(dx), std::end(dx), std::begin(expected)));
        EXPECT_EQ(size.cx, expected[4]);
        EXPECT_EQ(fit, 2);
    }
    const SIZE size = Extent("H H H");
    ASSERT_TRUE(TextOutA(dc_, 0, 5, "H H H", 5));
    EXPECT_EQ(Drawn(RECT{0, 5, size.cx, 5 + size.cy}), std::make_pair(true, false));
    // The text used the justification up.
    EXPECT_EQ(Extent("H H H").cx, size.cx - 5);
}

TEST_F(TextOutTest, TabbedTextStopsAtTheTabStopsFromTheTabOrigin)
{
    const int h = Extent("H").cx;
    struct Case {
        const char* name;
        std::vector<int> stops;
        int origin;
        int secondH;  // where the H after the tab starts
    };
    const Case cases[] = {
        {"every 30 from the start", {30}, 10, 40},
        {"every 30 from an origin left of the text", {30}, 0, 30},
        {"listed stops", {25, 60}, 10, 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        const LONG extent = TabbedTextOutA(dc_, 10, 5, "H\tH", 3, int(c.stops.size()), c.stops.data(), c.origin);
        EXPECT_EQ(LOWORD(extent), c.secondH + h - 10);
        EXPECT_EQ(HIWORD(extent), metrics_.tmHeight);
        const Pixels drawn = Read();
        Clear();
        TextOutA(dc_, 10, 5, "H", 1);
        TextOutA(dc_, c.secondH, 5, "H", 1);
        EXPECT_EQ(drawn, Read());
    }
    // Measuring and drawing share the rule.
    const int stops[] = {25, 60};
    const DWORD measured = GetTabbedTextExtentA(dc_, "H\tH\tH", 5, 2, stops);
    EXPECT_EQ(DWORD(TabbedTextOutA(dc_, 0, 5, "H\tH\tH", 5, 2, stops, 0)), measured);
    EXPECT_EQ(LOWORD(measured), 60 + h);
    EXPECT_EQ(TabbedTextOutA(dc_, 0, 5, "H\tH", 3, 1, nullptr, 0), 0);
}

TEST_F(TextOutTest, TabbedExtentCountsTheCharacterExtraAsTabbedTextOutDraws)
{
    const int stops[] = {25, 60};
    const DWORD plain = GetTabbedTextExtentA(dc_, "HH H", 4, 2, stops);
    SetTextCharacterExtra(dc_, 3);
    const DWORD spaced = GetTabbedTextExtentA(dc_, "HH H", 4, 2, stops);
    EXPECT_EQ(LOWORD(spaced), LOWORD(plain) + 3 * 4);
    EXPECT_EQ(HIWORD(spaced), HIWORD(plain));
    EXPECT_EQ(GetTabbedTextExtentW(dc_, u"HH H", 4, 2, stops), spaced);
    struct Case {
        const char* text;
        std::vector<int> stops;
    };
    const Case cases[] = {{"HH H", {}}, {"H\tH\tH", {25, 60}}, {"HHHHHH\tH", {20}}, {"\tH\t", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const int count = int(std::string(c.text).size());
        const int tabCount = int(c.stops.size());
        const DWORD measured = GetTabbedTextExtentA(dc_, c.text, count, tabCount, c.stops.data());
        EXPECT_EQ(DWORD(TabbedTextOutA(dc_, 0, 5, c.text, count, tabCount, c.stops.data(), 0)), measured);
    }
}

TEST_F(TextOutTest, OpaqueFillsTheRectangleAndTheBackgroundModeTheCell)
{
    SetBkColor(dc_, Red);
    const RECT box{5, 5, 100, 50};
    ASSERT_TRUE(ExtTextOutA(dc_, 200, 200, ETO_OPAQUE, &box, "", 0, nullptr));
    EXPECT_EQ(Drawn(box), std::make_pair(true, false));  // nothing outside,
    EXPECT_EQ(Drawn(box, Red), std::make_pair(false, true));  // everything inside red

    Clear();
    SetBkMode(dc_, OPAQUE);
    ASSERT_TRUE(TextOutA(dc_, 10, 5, "H", 1));
    const SIZE size = Extent("H");
    EXPECT_EQ(GetPixel(dc_, 10, 5), Red);
    EXPECT_EQ(GetPixel(dc_, 9 + size.cx, 4 + size.cy), Red);
    EXPECT_EQ(GetPixel(dc_, 10 + size.cx, 5), Black);
    EXPECT_EQ(GetPixel(dc_, 10, 5 + size.cy), Black);
}

TEST_F(TextOutTest, TextStaysInsideTheClip)
{
    const SIZE size = Extent("HHH");
    const RECT cut{0, 0, 10 + size.cx / 2, DcHeight};
    ASSERT_TRUE(ExtTextOutA(dc_, 10, 5, ETO_CLIPPED, &cut, "HHH", 3, nullptr));
    EXPECT_EQ(Drawn(cut), std::make_pair(true, false));

    Clear();
    IntersectClipRect(dc_, 0, 0, 10 + size.cx / 2, DcHeight);
    SetViewportOrgEx(dc_, 3, 0, nullptr);
    ASSERT_TRUE(TextOutA(dc_, 7, 5, "HHH", 3));
    SelectClipRgn(dc_, nullptr);
    SetViewportOrgEx(dc_, 0, 0, nullptr);
    EXPECT_EQ(Drawn(cut), std::make_pair(true, false));
}

TEST_F(TextOutTest, FontAttributesShowInThePixels)
{
    LOGFONT logFont;
    logFont.lfHeight = -20;
    logFont.lfFaceName = "Arial";
    logFont.lfUnderline = 1;
    logFont.lfQuality = NONANTIALIASED_QUALITY;
    const HFONT font = CreateFontIndirect(&logFont);
    const HGDIOBJ old = SelectObject(dc_, font);
    ASSERT_TRUE(TextOutA(dc_, 10, 5, "- -", 3));
    const SIZE size = Extent("- -");
    OUTLINETEXTMETRIC outline;
    GetOutlineTextMetricsA(dc_, sizeof outline, &outline);
    // The underline runs the whole extent, across the blank too.
    const int row = 5 + metrics_.tmAscent - outline.otmsUnderscorePosition;
    for (int x = 10; x < 10 + size.cx; ++x) {
        EXPECT_EQ(GetPixel(dc_, x, row), White) << x;
    }
    // Bi-level glyphs: no grey anywhere.
    for (COLORREF pixel : Read()) {
        EXPECT_TRUE(pixel == White || pixel == Black);
    }
    SelectObject(dc_, old);
    DeleteObject(font);
}

TEST_F(TextOutTest, InvalidArgumentsFail)
{
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOutA(dc_, 0, 0, nullptr, 1));
    EXPECT_FALSE(TextOutW(dc_, 0, 0, u"a", -1));
    EXPECT_EQ(SetTextAlign(nullptr, TA_RIGHT), GDI_ERROR);
    EXPECT_EQ(Drawn(RECT{0, 0, 0, 0}), std::make_pair(false, false));
}

// A tall bitmap for text that runs upwards.
class RotatedTextTest : public wintest::TextDcTest {
protected:
    RotatedTextTest() : TextDcTest(60, 120) {}

    // The bounding box of the pixels that are not black.
    RECT Ink() const
    {
        RECT box{60, 120, 0, 0};
        const Pixels pixels = Read();
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 60; ++x) {
                if (pixels[std::size_t(y * 60 + x)] != Black) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
};

TEST_F(RotatedTextTest, EscapementOf900RunsUpwards)
{
    SIZE size;
    GetTextExtentPoint32A(dc_, "WWWW", 4, &size);
    LOGFONT logFont;
    logFont.lfHeight = -20;
    logFont.lfFaceName = "Arial";
    logFont.lfEscapement = 900;
    const HFONT font = CreateFontIndirect(&logFont);
    const HGDIOBJ old = SelectObject(dc_, font);
    ASSERT_TRUE(TextOutA(dc_, 10, 110, "WWWW", 4));
    const RECT all = Ink();
    EXPECT_GT(all.bottom - all.top, all.right - all.left);
    // The ink runs the length of the extent, up from the reference point, and stays in the cell's breadth.
    EXPECT_LE(all.bottom - all.top, size.cx);
    EXPECT_GE(all.bottom - all.top, size.cx - size.cx / 8);
    EXPECT_LE(all.bottom, 110);
    EXPECT_GE(all.left, 10);
    EXPECT_LE(all.right, 10 + size.cy);

    // The first letter is at the bottom: the text starts below where it ends.
    Clear();
    ASSERT_TRUE(TextOutA(dc_, 10, 110, "W", 1));
    const RECT first = Ink();
    EXPECT_EQ(first.bottom, all.bottom);
    EXPECT_GT(first.top, all.top + (all.bottom - all.top) / 2);
    SelectObject(dc_, old);
    DeleteObject(font);
}

// A metafile context keeps its current position as any context does, so what it records after the text
// starts where it would be drawn.
TEST_F(RotatedTextTest, TextMovesTheCurrentPositionAlongTheBaselineOnEveryContext)
{
    LOGFONT logFont;
    logFont.lfHeight = -20;
    logFont.lfFaceName = "Arial";
    const HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(metafile, nullptr);
    for (const LONG escapement : {0, 900, 2700}) {
        SCOPED_TRACE(escapement);
        logFont.lfEscapement = escapement;
        const HFONT font = CreateFontIndirect(&logFont);
        POINT positions[2];
        for (int i = 0; i < 2; ++i) {
            const HDC dc = i == 0 ? dc_ : metafile;
            const HGDIOBJ old = SelectObject(dc, font);
            SetTextAlign(dc, TA_UPDATECP);
            MoveToEx(dc, 30, 60, nullptr);
            ASSERT_TRUE(TextOutA(dc, 0, 0, "WW", 2));
            GetCurrentPositionEx(dc, &positions[i]);
            SelectObject(dc, old);
        }
        SIZE size;
        GetTextExtentPoint32A(dc_, "WW", 2, &size);
        EXPECT_EQ(positions[0].x, escapement == 0 ? 30 + size.cx : 30);
        EXPECT_EQ(positions[0].y, escapement == 0 ? 60 : escapement == 900 ? 60 - size.cx : 60 + size.cx);
        EXPECT_EQ(positions[1].x, positions[0].x);
        EXPECT_EQ(positions[1].y, positions[0].y);
        DeleteObject(font);
    }
    DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
}

}  // namespace
