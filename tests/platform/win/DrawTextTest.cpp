#include "platform/win/DrawText.h"

#include "platform/win/DeviceContext.h"
#include "platform/win/TextMetrics.h"
#include "platform/win/TextOut.h"

#include "tests/platform/win/TextFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace win;

constexpr int Width = 200;
constexpr int Height = 100;
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

using wintest::Pixels;

class DrawTextTest : public wintest::TextDcTest {
protected:
    DrawTextTest() : TextDcTest(Width, Height) {}

    int Extent(const std::string& text) const
    {
        SIZE size;
        GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &size);
        return size.cx;
    }
    // Draws with DrawTextA and answers the pixels, the bitmap cleared before and after.
    Pixels Drawn(const std::string& text, RECT rect, UINT format)
    {
        Clear();
        DrawTextA(dc_, text.data(), int(text.size()), &rect, format);
        Pixels pixels = Read();
        Clear();
        return pixels;
    }
    // Whether any pixel outside rect is not black.
    bool DrawnOutside(const RECT& rect) const
    {
        const Pixels pixels = Read();
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                if (!in && pixels[std::size_t(y * Width + x)] != Black) {
                    return true;
                }
            }
        }
        return false;
    }

};

TEST_F(DrawTextTest, WordWrappedCalcRectGivesTheHeightItDraws)
{
    const std::string text = "abc abc abc abc abc";
    const int pair = Extent("abc abc");
    RECT rect{10, 5, 10 + pair + 2, 5};
    EXPECT_EQ(DrawTextA(dc_, text.data(), -1, &rect, DT_CALCRECT | DT_WORDBREAK), 3 * metrics_.tmHeight);
    EXPECT_EQ(rect.right, 10 + pair);
    EXPECT_EQ(rect.bottom, 5 + 3 * metrics_.tmHeight);

    const Pixels drawn = Drawn(text, rect, DT_WORDBREAK);
    EXPECT_EQ(DrawTextA(dc_, text.data(), -1, &rect, DT_WORDBREAK), 3 * metrics_.tmHeight);
    EXPECT_FALSE(DrawnOutside(rect));
    Clear();
    TextOutA(dc_, 10, 5, "abc abc", 7);
    TextOutA(dc_, 10, 5 + metrics_.tmHeight, "abc abc", 7);
    TextOutA(dc_, 10, 5 + 2 * metrics_.tmHeight, "abc", 3);
    EXPECT_EQ(drawn, Read());

    // Line breaks start lines of their own; a final one adds none.
    RECT lines{0, 0, Width, 0};
    EXPECT_EQ(DrawTextA(dc_, "a\r\nb\nc\n", -1, &lines, DT_CALCRECT), 3 * metrics_.tmHeight);
    EXPECT_EQ(DrawTextA(dc_, "a\r\nb\nc\n", -1, &lines, DT_CALCRECT | DT_SINGLELINE), metrics_.tmHeight);
}

TEST_F(DrawTextTest, AlignmentPlacesTheLineInTheRectangle)
{
    const RECT rect{10, 10, 190, 90};
    const int w = Extent("Hg");
    struct Case {
        UINT format;
        int x, y;
    };
    const Case cases[] = {
        {DT_LEFT | DT_TOP, 10, 10},
        {DT_CENTER, 10 + (180 - w) / 2, 10},
        {DT_RIGHT, 190 - w, 10},
        {DT_SINGLELINE | DT_VCENTER, 10, 10 + (80 - metrics_.tmHeight) / 2},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 190 - w, 90 - metrics_.tmHeight},
        {DT_VCENTER, 10, 10},  // vertical placement needs a single line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const Pixels drawn = Drawn("Hg", rect, c.format);
        TextOutA(dc_, c.x, c.y, "Hg", 2);
        EXPECT_EQ(drawn, Read());
    }
}

TEST_F(DrawTextTest, PrefixUnderlinesTheNextLetter)
{
    const RECT rect{10, 5, 190, 95};
    const Pixels plain = Drawn("Hi", rect, DT_NOPREFIX);
    const Pixels marked = Drawn("H&i", rect, 0);
    const int row = 5 + metrics_.tmAscent + 1;
    const int from = 10 + Extent("H");
    const int to = 10 + Extent("Hi");
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const std::size_t at = std::size_t(y * Width + x);
            const bool underline = y == row && x >= from && x < to;
            EXPECT_EQ(marked[at], underline ? White : plain[at]) << x << "," << y;
        }
    }
    EXPECT_EQ(Drawn("H&i", rect, DT_HIDEPREFIX), plain);
    EXPECT_EQ(Drawn("a&&b", rect, 0), Drawn("a&b", rect, DT_NOPREFIX));
    EXPECT_NE(Drawn("a&b", rect, DT_NOPREFIX), Drawn("ab", rect, DT_NOPREFIX));
}

TEST_F(DrawTextTest, EllipsisCutsWhereTheExtentsSay)
{
    const std::string text = "HHHHHHHHHHHH";
    const int width = Extent("HHHHH") + Extent("...") + Extent("H") / 2;
    const RECT rect{10, 5, 10 + width, 95};
    int fit = 0;
    SIZE size;
    GetTextExtentExPointA(dc_, text.data(), int(text.size()), width - Extent("..."), &fit, nullptr, &size);
    ASSERT_EQ(fit, 5);
    const Pixels drawn = Drawn(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS);
    TextOutA(dc_, 10, 5, "HHHHH...", 8);
    EXPECT_EQ(drawn, Read());

    RECT calc = rect;
    DrawTextA(dc_, text.data(), -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(calc.right, 10 + Extent("HHHHH..."));
    // Text that fits keeps all its characters.
    const Pixels short_ = Drawn("HH", rect, DT_SINGLELINE | DT_END_ELLIPSIS);
    TextOutA(dc_, 10, 5, "HH", 2);
    EXPECT_EQ(short_, Read());
}

TEST_F(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip)
{
    const std::string text = "HHHHHHHH";
    const RECT rect{10, 5, 10 + Extent(text) / 2, 5 + metrics_.tmHeight};
    Clear();
    RECT r = rect;
    DrawTextA(dc_, text.data(), -1, &r, DT_SINGLELINE);
    EXPECT_FALSE(DrawnOutside(rect));
    Clear();
    DrawTextA(dc_, text.data(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(DrawnOutside(rect));
    // The context's own clip is back afterwards.
    Clear();
    TextOutA(dc_, 10, 5, text.data(), int(text.size()));
    EXPECT_TRUE(DrawnOutside(rect));
}

TEST_F(DrawTextTest, ExpandTabsUsesTheDefaultTabStops)
{
    const RECT rect{0, 5, Width, 95};
    const Pixels drawn = Drawn("H\tH", rect, DT_EXPANDTABS);
    EXPECT_EQ(TabbedTextOutA(dc_, 0, 5, "H\tH", 3, 0, nullptr, 0) & 0xFFFF, Extent("H") + 8 * metrics_.tmAveCharWidth);
    EXPECT_EQ(drawn, Read());
    EXPECT_NE(Drawn("H\tH", rect, 0), drawn);
}

TEST_F(DrawTextTest, InvalidArgumentsFail)
{
    RECT rect{0, 0, 100, 100};
    EXPECT_EQ(DrawTextA(dc_, "a", 1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(dc_, nullptr, 1, &rect, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, u"a", 1, &rect, 0), 0);
    EXPECT_EQ(DrawTextW(dc_, u"", 0, &rect, DT_CALCRECT), 0);
    EXPECT_EQ(rect.bottom, 0);
    EXPECT_FALSE(DrawnOutside(RECT{0, 0, 0, 0}));
}

}  // namespace
