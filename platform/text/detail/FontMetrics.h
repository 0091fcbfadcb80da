#pragma once
// The metrics a realised font reports and the measurement of text with it, as the drawing API's text
// metric records and measuring calls give them; the device-context calls of those names apply these to
// the font selected into the context. All sizes are in device pixels.
//
// Text is measured glyph by glyph without kerning: each character adds its rounded advance, so extents
// are additive. ANSI text and character codes go through the process code page (rtl::AnsiToWide); wide
// text is measured as it stands, a surrogate pair as one character whose advance counts at its first unit.

#include "platform/text/CharacterPlacement.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/detail/FontFace.h"
#include "platform/wintypes/LogFont.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

// The character that starts at unit i of a UTF-16 text and how many units it takes: a surrogate pair
// is one character of two units; any other unit, a lone surrogate too, is a character of one.
struct TextChar {
    char32_t ch;
    std::size_t units;
};
TextChar CharAt(std::u16string_view text, std::size_t i);

TEXTMETRIC TextMetricsA(const FontFace& face);
TEXTMETRIC TextMetricsW(const FontFace& face);
OUTLINETEXTMETRIC OutlineTextMetricsA(const FontFace& face);
OUTLINETEXTMETRIC OutlineTextMetricsW(const FontFace& face);

// Per character code first .. last. The A forms take bytes (last at most 255), the W forms code points
// (last at most 0x10FFFF); a range outside that or with first > last raises EInvalidArgument.
std::vector<ABC> CharABCWidthsA(const FontFace& face, UINT first, UINT last);
std::vector<ABC> CharABCWidthsW(const FontFace& face, UINT first, UINT last);
std::vector<int> CharWidthA(const FontFace& face, UINT first, UINT last);
std::vector<int> CharWidthW(const FontFace& face, UINT first, UINT last);

// The width of the text and the cell height.
SIZE TextExtentPoint32(const FontFace& face, std::string_view text);
SIZE TextExtentPoint32(const FontFace& face, std::u16string_view text);

struct TextExtentEx {
    SIZE size;
    int fit = 0;          // how many leading characters end within maxExtent
    std::vector<int> dx;  // per character (byte or UTF-16 unit): the width up to and including it
};
// A negative maxExtent counts every character as fitting.
TextExtentEx TextExtentExPoint(const FontFace& face, std::string_view text, int maxExtent);
TextExtentEx TextExtentExPoint(const FontFace& face, std::u16string_view text, int maxExtent);
// How many leading entries of running widths (TextExtentEx::dx) end within maxExtent, all of them for a
// negative maxExtent; once one overflows, none after it fits, even one of no width.
int FittingCount(std::span<const int> dx, int maxExtent);

// The tab stop a tab at pen position x moves to, the next one right of it: with no stops every 8
// average character widths, with one stop every that many pixels, with several at each listed position
// and past the last one every 8 average character widths.
int NextTabStop(const FontFace& face, int x, std::span<const int> tabStops);

// Tabs move to the next tab stop right of the pen (NextTabStop). extras, when given, holds the pixels
// added after each UTF-16 unit but a tab.
SIZE TabbedTextExtent(const FontFace& face, std::string_view text, std::span<const int> tabStops);
SIZE TabbedTextExtent(const FontFace& face, std::u16string_view text, std::span<const int> tabStops,
                      std::span<const int> extras = {});

struct GcpResults {
    std::u16string outString;  // the characters in display order
    std::vector<UINT> order;   // for each character of the text, its position in outString
    std::vector<int> dx;       // the advance of each character of outString
    SIZE size;
};
// With GCP_REORDER, each right-to-left run (Hebrew and Arabic letters, with the blanks, punctuation and
// numbers between them) is reversed, numbers inside it keeping their order; without it, the text stays as
// it is. No glyph shaping.
GcpResults CharacterPlacement(const FontFace& face, std::u16string_view text, DWORD flags);

}  // namespace win::detail
