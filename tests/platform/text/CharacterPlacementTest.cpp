#include "platform/text/CharacterPlacement.h"

#include "platform/text/TextOut.h"

#include "tests/platform/text/TextFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using namespace win;

class CharacterPlacementTest : public wintest::TextDcTest {
protected:
    CharacterPlacementTest() : TextDcTest(8, 8) {}

    int Extent(std::u16string_view text) const
    {
        SIZE size;
        GetTextExtentPoint32W(dc_, text.data(), int(text.size()), &size);
        return size.cx;
    }
};

// Hebrew alef, bet, gimel.
constexpr char16_t Alef = u'\u05D0', Bet = u'\u05D1', Gimel = u'\u05D2';

TEST_F(CharacterPlacementTest, RightToLeftRunsAreShownReversedAndTheAdvancesSumToTheWidth)
{
    const std::u16string text = std::u16string(u"abc ") + Alef + Bet + Gimel + u" def";
    const std::u16string display = std::u16string(u"abc ") + Gimel + Bet + Alef + u" def";
    const std::size_t n = text.size();
    std::u16string out(n, u'?');
    std::vector<UINT> order(n);
    std::vector<int> dx(n), caret(n);
    std::vector<WORD> glyphs(n);
    GCP_RESULTSW results;
    results.lpOutString = out.data();
    results.lpOrder = order.data();
    results.lpDx = dx.data();
    results.lpCaretPos = caret.data();
    results.lpGlyphs = glyphs.data();
    results.nGlyphs = UINT(n);
    const DWORD size = GetCharacterPlacementW(dc_, text.data(), int(n), 0, &results, GCP_REORDER);
    EXPECT_EQ(LOWORD(size), Extent(text));
    EXPECT_EQ(HIWORD(size), metrics_.tmHeight);
    EXPECT_EQ(out, display);
    EXPECT_EQ(results.nGlyphs, n);
    EXPECT_EQ(std::accumulate(dx.begin(), dx.end(), 0), Extent(text));
    for (std::size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        ASSERT_LT(order[i], n);
        EXPECT_EQ(out[order[i]], text[i]);
        EXPECT_EQ(dx[order[i]], Extent(text.substr(i, 1)));
        // The left edge of each character is the extent of what is shown before it.
        EXPECT_EQ(caret[i], Extent(display.substr(0, order[i])));
    }
    EXPECT_NE(glyphs[order[4]], glyphs[order[5]]);
    EXPECT_EQ(glyphs[0], glyphs[order[0]]);

    // Without GCP_REORDER the text keeps its order.
    results.nGlyphs = UINT(n);
    GetCharacterPlacementW(dc_, text.data(), int(n), 0, &results, 0);
    EXPECT_EQ(out, text);
}

TEST_F(CharacterPlacementTest, AdvancesCountTheCharacterExtra)
{
    SetTextCharacterExtra(dc_, 2);
    const std::u16string text = u"ab c";
    std::vector<int> dx(text.size());
    GCP_RESULTSW results;
    results.lpDx = dx.data();
    results.nGlyphs = UINT(text.size());
    const DWORD size = GetCharacterPlacementW(dc_, text.data(), int(text.size()), 0, &results, GCP_USEKERNING);
    EXPECT_EQ(LOWORD(size), Extent(text));
    EXPECT_EQ(std::accumulate(dx.begin(), dx.end(), 0), Extent(text));
    EXPECT_EQ(dx[0], Extent(u"a"));

    // The ANSI form places bytes alike.
    std::string out(text.size(), '?');
    GCP_RESULTSA ansi;
    ansi.lpOutString = out.data();
    ansi.nGlyphs = UINT(text.size());
    EXPECT_EQ(GetCharacterPlacementA(dc_, "ab c", 4, 0, &ansi, GCP_REORDER), size);
    EXPECT_EQ(out, "ab c");
}

TEST_F(CharacterPlacementTest, ArraysAreFilledOnlyAsFarAsNGlyphsSays)
{
    // Exactly sized heap arrays: a write past them is caught by the address checker.
    const std::u16string text = u"abcdef";
    const auto out = std::make_unique<char16_t[]>(3);
    const auto order = std::make_unique<UINT[]>(3);
    const auto dx = std::make_unique<int[]>(3);
    GCP_RESULTSW results;
    results.lpOutString = out.get();
    results.lpOrder = order.get();
    results.lpDx = dx.get();
    results.nGlyphs = 3;
    const DWORD size = GetCharacterPlacementW(dc_, text.data(), int(text.size()), 0, &results, GCP_REORDER);
    EXPECT_EQ(LOWORD(size), Extent(u"abc"));
    EXPECT_EQ(results.nGlyphs, 3u);
    EXPECT_EQ(results.nMaxFit, 3);
    EXPECT_EQ(std::u16string(out.get(), 3), u"abc");
}

TEST_F(CharacterPlacementTest, BadArgumentsFail)
{
    GCP_RESULTSW results;
    results.nGlyphs = 1;
    GCP_RESULTSW small = results;
    small.lStructSize = sizeof(GCP_RESULTSW) - 1;
    SetLastError(0);
    EXPECT_EQ(GetCharacterPlacementW(dc_, u"a", 1, 0, &small, 0), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetCharacterPlacementW(dc_, u"a", 1, 0, nullptr, 0), 0u);
    EXPECT_EQ(GetCharacterPlacementW(dc_, nullptr, 1, 0, &results, 0), 0u);
    EXPECT_EQ(GetCharacterPlacementW(dc_, u"a", -1, 0, &results, 0), 0u);
    EXPECT_EQ(GetCharacterPlacementW(nullptr, u"a", 1, 0, &results, 0), 0u);
    EXPECT_NE(GetCharacterPlacementW(dc_, u"a", 1, 0, &results, 0), 0u);
}

}  // namespace
