#pragma once
// Drawing text on a device context with the selected font, realised at the device's resolution.
//
// Glyphs are the face's coverage masks blended in the text colour over what is there (grey
// anti-aliasing; bi-level with NONANTIALIASED_QUALITY). In OPAQUE mode the text's cell (its width by the
// font's height) is first filled with the background colour. Underline and strike-out follow the font's
// outline metrics. With an escapement the baseline, the cell and the lines turn with it. Everything goes
// through the context's origins and clip.
//
// Advances: each character its face advance plus the character extra; with a justification set, the
// break characters (blanks) share its extra pixels, the first ones one more when they do not divide
// evenly. An advance array replaces all of that and is honoured exactly. ANSI text goes through the
// process code page; its advance arrays hold one entry per byte.

#include "platform/wintypes/GdiTypes.h"

namespace win {

inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

// The previous alignment; GDI_ERROR for an invalid handle. With TA_UPDATECP the text starts at the
// current position, which moves to the text's end.
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
// The previous extra; 0x80000000 for an invalid handle.
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
// Applies to the next text drawn; breakCount 0 (or extra 0) ends it.
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount);

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);
BOOL TextOutW(HDC dc, int x, int y, const char16_t* text, int count);
// rect (logical) is filled with the background colour with ETO_OPAQUE and cuts the text with
// ETO_CLIPPED; dx, when given, holds count advances.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count, const int* dx);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const char16_t* text, UINT count,
                 const int* dx);

// Draws the text as TextOut does, a tab moving the pen to the next tab stop (NextTabStop of
// FontMetrics.h) counted from tabOrigin, a logical x. MAKELONG(width, height) of the text; 0 on failure.
LONG TabbedTextOutA(HDC dc, int x, int y, const char* text, int count, int tabCount, const int* tabStops, int tabOrigin);
LONG TabbedTextOutW(HDC dc, int x, int y, const char16_t* text, int count, int tabCount, const int* tabStops,
                    int tabOrigin);

}  // namespace win
