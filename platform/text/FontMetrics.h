#pragma once
// The metrics a realised font reports and the measurement of text with it, as the drawing API's text
// metric records and measuring calls give them; the device-context calls of those names apply these to
// the font selected into the context. All sizes are in device pixels.
//
// Text is measured glyph by glyph without kerning: each character adds its rounded advance, so extents
// are additive. ANSI text and character codes go through the process code page (rtl::AnsiToWide); wide
// text is measured as it stands, a surrogate pair as one character whose advance counts at its first unit.

#include "platform/text/FontFace.h"
#include "platform/wintypes/LogFont.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// The character that starts at unit i of a UTF-16 text and how many units it takes: a surrogate pair
// is one character of two units; any other unit, a lone surrogate too, is a character of one.
struct TextChar {
    char32_t ch;
    std::size_t units;
};
TextChar CharAt(std::u16string_view text, std::size_t i);

// tmPitchAndFamily bits besides the family (FF_*). TMPF_FIXED_PITCH is set for variable-pitch fonts.
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;
inline constexpr BYTE TMPF_DEVICE = 0x08;

// A box in device pixels with y upwards from the baseline (top above bottom).
struct FontBox {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 0;
    LONG tmDigitizedAspectY = 0;
    // Character codes: bytes of the process code page in the A form, UTF-16 units in the W form.
    char16_t tmFirstChar = 0;
    char16_t tmLastChar = 0;
    char16_t tmDefaultChar = 0;
    char16_t tmBreakChar = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// The fields of the outline metrics that the program reads.
struct OUTLINETEXTMETRIC {
    TEXTMETRIC otmTextMetrics;
    std::array<BYTE, 10> otmPanoseNumber = {};
    UINT otmfsSelection = 0;
    UINT otmfsType = 0;
    int otmItalicAngle = 0;  // tenths of a degree, negative for glyphs leaning right
    UINT otmEMSquare = 0;    // font units per em
    int otmAscent = 0;       // typographic ascender
    int otmDescent = 0;      // typographic descender, negative below the baseline
    UINT otmLineGap = 0;
    UINT otmsCapEmHeight = 0;
    UINT otmsXHeight = 0;
    FontBox otmrcFontBox;  // the box of every glyph
    int otmMacAscent = 0;
    int otmMacDescent = 0;
    UINT otmMacLineGap = 0;
    UINT otmsStrikeoutSize = 0;
    int otmsStrikeoutPosition = 0;  // the top of the stroke above the baseline
    UINT otmsUnderscoreSize = 0;
    int otmsUnderscorePosition = 0;  // the centre of the line, negative below the baseline
    std::string otmpFamilyName;      // the name the font reports ("Arial")
    std::string otmpFaceName;        // with the style ("Arial Bold")
    std::string otmpStyleName;       // as the file names it ("Bold")
    std::string otmpFullName;
};

struct ABC {
    int abcA = 0;   // from the pen position to the glyph's left edge
    UINT abcB = 0;  // the glyph's width
    int abcC = 0;   // from its right edge to the next pen position; A + B + C is the advance
};

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

inline constexpr DWORD GCP_REORDER = 0x0002;

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

}  // namespace win
