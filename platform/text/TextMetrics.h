#pragma once
// The text metrics and measuring calls on a device context: the face-level functions of detail/FontMetrics.h
// applied to the font selected into the context, realised at the context's device resolution, so the
// same logical font measures in screen pixels on a window and in printer pixels on a page.
//
// The calls answer their failure value for an invalid handle and for a null buffer or text with a
// negative count (ERROR_INVALID_PARAMETER); a font the engine cannot realise and a character range the
// face-level functions refuse raise their exceptions, leaving the caller's buffers untouched.

#include "platform/wintypes/GdiTypes.h"

#include <array>
#include <string>

namespace win {

inline constexpr DWORD GDI_ERROR = 0xFFFFFFFF;

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

BOOL GetTextMetricsA(HDC dc, TEXTMETRIC* metrics);
BOOL GetTextMetricsW(HDC dc, TEXTMETRIC* metrics);
// With metrics null answers the size of the record; 0 when size is smaller than that.
UINT GetOutlineTextMetricsA(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics);
UINT GetOutlineTextMetricsW(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics);

// buffer holds last - first + 1 entries.
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* buffer);
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* buffer);
BOOL GetCharWidthA(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidthW(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, int* buffer);

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);
BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size);
// fit and dx may be null; without fit every character counts as fitting and maxExtent is ignored. dx
// receives count entries.
BOOL GetTextExtentExPointA(HDC dc, const char* text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
BOOL GetTextExtentExPointW(HDC dc, const char16_t* text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
// MAKELONG(width, height); 0 on failure. Tab stops as TabbedTextExtent says, the context's spacing
// added after every character but a tab, as TabbedTextOut draws the text.
DWORD GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabCount, const int* tabStops);
DWORD GetTabbedTextExtentW(HDC dc, const char16_t* text, int count, int tabCount, const int* tabStops);

// Copies the realised face's name, cut to count - 1 characters and terminated; answers the characters
// copied with the terminator, or with name null the length the whole name needs.
int GetTextFaceA(HDC dc, int count, char* name);
int GetTextFaceW(HDC dc, int count, char16_t* name);

// table 0 only: the bytes of the whole font file from offset. With buffer null or size 0 answers the
// bytes from offset to the end; otherwise copies at most size of them and answers how many. GDI_ERROR
// for another table, an offset past the end or an invalid handle.
DWORD GetFontData(HDC dc, DWORD table, DWORD offset, void* buffer, DWORD size);

}  // namespace win
