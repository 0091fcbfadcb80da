#include "platform/text/DrawText.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"

#include "tests/platform/text/TextFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace win;

constexpr int Width = 200;
constexpr int Height = 100;
using wintest::Black;
using wintest::White;

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
    int Extent(const std::u16string& text) const
    {
        SIZE size;
        GetTextExtentPoint32W(dc_, text.data(), int(text.size()), &size);
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
    Pixels Drawn(const std::u16string& text, RECT rect, UINT format)
    {
        Clear();
        DrawTextW(dc_, text.data(), int(text.size()), &rect, format);
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

TEST_F(DrawTextTest, EachEllipsisCutsWhereTheExtentsSay)
{
    const std::string path = "C:\\Program Files\\Estimator\\report.txt";
    struct Case {
        std::string text;
        int width;
        UINT flags;
        std::string shown;
    };
    const Case cases[] = {
        {"HHHHHHHHHHHH", Extent("HHHHH...") + Extent("H") / 2, DT_END_ELLIPSIS, "HHHHH..."},
        {"alpha beta gamma", Extent("alpha beta ga..."), DT_END_ELLIPSIS, "alpha beta ga..."},
        {"alpha beta gamma", Extent("alpha beta ga..."), DT_WORD_ELLIPSIS, "alpha beta..."},
        {"Supercalifragilistic word", Extent("Super...") + 1, DT_WORD_ELLIPSIS, "Super..."},
        {path, Extent("C:\\Prog...\\report.txt") + 1, DT_PATH_ELLIPSIS, "C:\\Prog...\\report.txt"},
        {"/home/user/data/file.dat", Extent("/ho.../file.dat") + 1, DT_PATH_ELLIPSIS, "/ho.../file.dat"},
        {"NoSeparatorsHere", Extent("NoSep...") + 1, DT_PATH_ELLIPSIS, "NoSep..."},
        // The last part alone is too wide: it stays whole, or with an end ellipsis is cut too.
        {"C:\\a\\verylongfilename.txt", Extent("...\\verylo...") + 1, DT_PATH_ELLIPSIS, "...\\verylongfilename.txt"},
        {"C:\\a\\verylongfilename.txt", Extent("...\\verylo...") + 1, DT_PATH_ELLIPSIS | DT_END_ELLIPSIS,
         "...\\verylo..."},
        {"C:\\short.txt", Width, DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS, "C:\\short.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + std::to_string(c.flags));
        const UINT format = DT_SINGLELINE | DT_NOPREFIX | c.flags;
        const RECT rect{0, 5, c.width, 95};
        EXPECT_EQ(Drawn(c.text, rect, format), Drawn(c.shown, rect, DT_SINGLELINE | DT_NOPREFIX));

        // The shown text is what DT_MODIFYSTRING writes back, as far as the text reaches.
        const auto buffer = std::make_unique<char[]>(c.text.size() + 1);
        std::memcpy(buffer.get(), c.text.c_str(), c.text.size() + 1);
        RECT calc = rect;
        EXPECT_EQ(DrawTextA(dc_, buffer.get(), -1, &calc, format | DT_CALCRECT | DT_MODIFYSTRING), metrics_.tmHeight);
        EXPECT_EQ(calc.right, Extent(c.shown));
        EXPECT_EQ(std::string(buffer.get()), c.shown.substr(0, c.text.size()));
    }
}

TEST_F(DrawTextTest, ModifyStringNeverWritesPastTheCallersText)
{
    // The ellipsis makes the shown text longer than the text: "WWWW..." for "WWWWW".
    const std::string text = "WWWWW";
    RECT rect{0, 0, Extent(text) - 1, 20};
    RECT calc = rect;
    DrawTextA(dc_, text.data(), -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    ASSERT_EQ(calc.right, Extent("WWWW..."));

    // Heap buffers of exactly the text: a write past them is caught by the address checker.
    const auto terminated = std::make_unique<char[]>(6);
    std::memcpy(terminated.get(), "WWWWW", 6);
    EXPECT_EQ(DrawTextA(dc_, terminated.get(), -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING),
              metrics_.tmHeight);
    EXPECT_EQ(std::string(terminated.get()), "WWWW.");

    const auto counted = std::make_unique<char16_t[]>(5);
    std::copy_n(u"WWWWW", 5, counted.get());
    EXPECT_EQ(DrawTextW(dc_, counted.get(), 5, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING),
              metrics_.tmHeight);
    EXPECT_EQ(std::u16string(counted.get(), 5), u"WWWW.");

    // A shorter shown text in a counted buffer ends with a terminator inside the count.
    const std::u16string path = u"C:\\Program Files\\Estimator\\report.txt";
    const auto shortened = std::make_unique<char16_t[]>(path.size());
    std::copy(path.begin(), path.end(), shortened.get());
    RECT narrow{0, 0, Extent(u"C:\\Pr...\\report.txt") + 1, 20};
    DrawTextW(dc_, shortened.get(), int(path.size()), &narrow,
              DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    EXPECT_EQ(std::u16string(shortened.get()), u"C:\\Pr...\\report.txt");

    // Without an ellipsis flag, or when the text fits, nothing is written.
    std::string fits = "WW";
    rect = RECT{0, 0, Width, 20};
    DrawTextA(dc_, fits.data(), -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(fits, "WW");
    std::string plain = text;
    rect = RECT{0, 0, Extent(text) - 1, 20};
    DrawTextA(dc_, plain.data(), -1, &rect, DT_SINGLELINE | DT_MODIFYSTRING);
    EXPECT_EQ(plain, text);
}

TEST_F(DrawTextTest, WrappedLinesAreTheOnesCalcRectMeasuresAndDrawingShows)
{
    const std::u16string cjk = u"\u4E00\u4E8C\u4E09\u56DB\u4E94\u516D";
    struct Case {
        const char* name;
        std::u16string text;
        int width;
        UINT flags;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {"a long word stands alone", u"HHHHHHHHHH", Extent(u"HHHH") + 1, DT_WORDBREAK, {u"HHHHHHHHHH"}},
        {"an edit control breaks it", u"HHHHHHHHHH", Extent(u"HHHH") + 1, DT_WORDBREAK | DT_EDITCONTROL,
         {u"HHHH", u"HHHH", u"HH"}},
        {"after the words before it", u"ab HHHHHHHHH", Extent(u"HHHH") + 1, DT_WORDBREAK | DT_EDITCONTROL,
         {u"ab", u"HHHH", u"HHHH", u"H"}},
        {"full-width characters break", cjk, Extent(cjk.substr(0, 3)) + 1, DT_WORDBREAK,
         {cjk.substr(0, 3), cjk.substr(3)}},
        {"only at blanks when asked", cjk, Extent(cjk.substr(0, 3)) + 1, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK,
         {cjk}},
        {"blanks break them too", cjk.substr(0, 2) + u" " + cjk.substr(2, 2), Extent(cjk.substr(0, 3)) + 1,
         DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, {cjk.substr(0, 2), cjk.substr(2, 2)}},
        {"a word too wide is cut with an ellipsis", u"ab Supercalifragilistic", Extent(u"Super...") + 1,
         DT_WORDBREAK | DT_WORD_ELLIPSIS, {u"ab", u"Super..."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT rect{10, 5, 10 + c.width, 5};
        const int height = DrawTextW(dc_, c.text.data(), int(c.text.size()), &rect, c.flags | DT_CALCRECT);
        int widest = 0;
        for (const auto& line : c.lines) {
            widest = std::max(widest, Extent(line));
        }
        EXPECT_EQ(height, int(c.lines.size()) * metrics_.tmHeight);
        EXPECT_EQ(rect.bottom, 5 + height);
        EXPECT_EQ(rect.right, 10 + widest);

        rect.right = 10 + c.width;
        const Pixels drawn = Drawn(c.text, rect, c.flags | DT_NOCLIP);
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            TextOutW(dc_, 10, 5 + int(i) * metrics_.tmHeight, c.lines[i].data(), int(c.lines[i].size()));
        }
        EXPECT_EQ(drawn, Read());
    }
}

// Wrapping measures as the extent calls measure: with the context's character extra, a justification
// still pending and, with DT_EXPANDTABS, the tab stops. The lines are the ones a greedy wrap at blanks
// finds with those calls.
TEST_F(DrawTextTest, WrappingMeasuresWithTheContextsSpacing)
{
    const std::u16string text = u"one two\tthree four  five\tsix seven eight nine ten eleven";
    struct Case {
        const char* name;
        int extra;
        int justifyExtra;
        int breaks;
        UINT flags;
    };
    const Case cases[] = {
        {"plain", 0, 0, 0, DT_WORDBREAK},
        {"character extra", 3, 0, 0, DT_WORDBREAK},
        {"tabs expanded", 0, 0, 0, DT_WORDBREAK | DT_EXPANDTABS},
        {"extra and tabs", 2, 0, 0, DT_WORDBREAK | DT_EXPANDTABS},
        {"justification pending", 0, 23, 3, DT_WORDBREAK},
        {"justification and tabs", 1, -9, 2, DT_WORDBREAK | DT_EXPANDTABS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTextCharacterExtra(dc_, c.extra);
        SetTextJustification(dc_, c.justifyExtra, c.breaks);
        const auto measure = [&](std::u16string_view line) {
            if (c.flags & DT_EXPANDTABS)
                return int(LOWORD(GetTabbedTextExtentW(dc_, line.data(), int(line.size()), 0, nullptr)));
            SIZE size{};
            GetTextExtentPoint32W(dc_, line.data(), int(line.size()), &size);
            return int(size.cx);
        };
        const int width = measure(u"one two\tthree four") + 1;
        std::vector<std::u16string> lines;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find(u' ', start);
            end = end == std::u16string::npos ? text.size() : end;
            for (;;) {
                std::size_t next = text.find_first_not_of(u' ', end);
                next = next == std::u16string::npos ? text.size() : std::min(text.find(u' ', next), text.size());
                if (end == text.size() || measure(std::u16string_view(text).substr(start, next - start)) > width)
                    break;
                end = next;
            }
            lines.push_back(text.substr(start, end - start));
            start = std::min(text.find_first_not_of(u' ', end), text.size());
        }
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, measure(line));
        RECT rect{0, 0, width, 0};
        EXPECT_EQ(DrawTextW(dc_, text.data(), int(text.size()), &rect, c.flags | DT_CALCRECT),
                  int(lines.size()) * metrics_.tmHeight);
        EXPECT_GT(lines.size(), 2u);
        EXPECT_EQ(rect.right, widest);
    }
    SetTextCharacterExtra(dc_, 0);
    SetTextJustification(dc_, 0, 0);
}

TEST_F(DrawTextTest, EditControlDropsAPartlyVisibleLastLine)
{
    const std::string text = "abc abc abc abc abc";
    const int width = Extent("abc abc") + 2;
    RECT calc{10, 5, 10 + width, 5};
    const int height = DrawTextA(dc_, text.data(), -1, &calc, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
    ASSERT_EQ(height, 3 * metrics_.tmHeight);
    // The whole text fits the rectangle CALCRECT gave.
    EXPECT_EQ(Drawn(text, calc, DT_WORDBREAK | DT_EDITCONTROL), Drawn(text, calc, DT_WORDBREAK));

    const RECT cut{10, 5, 10 + width, 5 + 2 * metrics_.tmHeight + metrics_.tmHeight / 2};
    const Pixels twoLines = Drawn("abc abc\nabc abc", cut, 0);
    EXPECT_EQ(Drawn(text, cut, DT_WORDBREAK | DT_EDITCONTROL), twoLines);
    EXPECT_NE(Drawn(text, cut, DT_WORDBREAK), twoLines);
    RECT r = cut;
    EXPECT_EQ(DrawTextA(dc_, text.data(), -1, &r, DT_WORDBREAK | DT_EDITCONTROL), height);
}

TEST_F(DrawTextTest, RightToLeftReadingShowsRunsReversedAndKeepsTheAlignment)
{
    const std::u16string text = u"abc \u05D0\u05D1\u05D2 def";
    const std::u16string display = u"abc \u05D2\u05D1\u05D0 def";
    const RECT rect{10, 5, 190, 95};
    const Pixels left = Drawn(text, rect, DT_RTLREADING);
    TextOutW(dc_, 10, 5, display.data(), int(display.size()));
    EXPECT_EQ(left, Read());
    EXPECT_NE(Drawn(text, rect, 0), left);

    const Pixels right = Drawn(text, rect, DT_RTLREADING | DT_RIGHT);
    TextOutW(dc_, 190 - Extent(text), 5, display.data(), int(display.size()));
    EXPECT_EQ(right, Read());

    // The prefix underline follows its letter to where it is shown.
    const std::u16string marked = u"\u05D0&\u05D1\u05D2";
    const Pixels underlined = Drawn(marked, rect, DT_RTLREADING);
    const int row = 5 + metrics_.tmAscent + 1;
    const int from = 10 + Extent(u"\u05D2");
    const int to = 10 + Extent(u"\u05D2\u05D1");
    for (int x = 0; x < Width; ++x) {
        EXPECT_EQ(underlined[std::size_t(row * Width + x)] == White, x >= from && x < to) << x;
    }
}

}  // namespace
