#pragma once
// Where the characters of a text go when it is displayed with the font selected into a context: their
// display order, advances, caret positions and glyphs.
//
// The order is the simple one of CharacterPlacement (detail/FontMetrics.h): with GCP_REORDER each right-to-left
// run (Hebrew and Arabic letters with the blanks, punctuation and numbers between them) is reversed,
// numbers inside it keeping their order; without it the text keeps its order. There is no glyph shaping
// and no kerning, so GCP_USEKERNING changes nothing; other flags are ignored. Advances count the
// context's character extra and pending justification, as the extents do, so lpDx sums to the width.

#include "platform/wintypes/GdiTypes.h"

namespace win {

inline constexpr DWORD GCP_REORDER = 0x0002;
inline constexpr DWORD GCP_USEKERNING = 0x0008;

// The members other than lStructSize may be null. Each array holds nGlyphs entries; on return nGlyphs
// and nMaxFit hold how many characters were placed (the smaller of the text's count and nGlyphs).
template <class Char>
struct GcpResultsOf {
    DWORD lStructSize = sizeof(GcpResultsOf);
    Char* lpOutString = nullptr;  // the characters in display order (not terminated)
    UINT* lpOrder = nullptr;      // for each character of the text, its display position
    int* lpDx = nullptr;          // the advance of each displayed character, in display order
    int* lpCaretPos = nullptr;    // for each character of the text, the x of its left edge on display
    char* lpClass = nullptr;      // not used
    WORD* lpGlyphs = nullptr;     // the glyph index of each displayed character, in display order
    UINT nGlyphs = 0;
    int nMaxFit = 0;
};
using GCP_RESULTSA = GcpResultsOf<char>;
using GCP_RESULTSW = GcpResultsOf<char16_t>;

// MAKELONG(width, height) of the text; 0 on failure: an invalid handle, a context without a valid font,
// a null results record or one whose lStructSize is too small, or a null text with a count
// (ERROR_INVALID_PARAMETER). maxExtent is not used. ANSI text goes through the process code page, one
// entry per byte.
DWORD GetCharacterPlacementA(HDC dc, const char* text, int count, int maxExtent, GCP_RESULTSA* results, DWORD flags);
DWORD GetCharacterPlacementW(HDC dc, const char16_t* text, int count, int maxExtent, GCP_RESULTSW* results,
                             DWORD flags);

}  // namespace win
