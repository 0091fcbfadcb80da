#pragma once
// The handles, records and constants of the graphics device interface, with the numeric values of the
// documented API. HBRUSH comes with the window classes (Types.h).

#include "platform/wintypes/Types.h"

#include <algorithm>

namespace win {

using ULONG = std::uint32_t;

using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// Any graphics object: a pen, brush, font, bitmap, region, palette or device context.
using HGDIOBJ = void*;
struct HPEN__;
struct HFONT__;
struct HBITMAP__;
struct HRGN__;
struct HPALETTE__;
struct HDC__;
using HPEN = HPEN__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HRGN = HRGN__*;
using HPALETTE = HPALETTE__*;
using HDC = HDC__*;

constexpr BYTE GetRValue(COLORREF color) { return static_cast<BYTE>(color & 0xFF); }
constexpr BYTE GetGValue(COLORREF color) { return static_cast<BYTE>((color >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF color) { return static_cast<BYTE>((color >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Rectangle helpers. A rectangle holds the points left <= x < right, top <= y < bottom; one with
// right <= left or bottom <= top is empty.
inline BOOL SetRect(RECT* rect, int left, int top, int right, int bottom)
{
    if (!rect) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}
inline BOOL SetRectEmpty(RECT* rect) { return SetRect(rect, 0, 0, 0, 0); }
inline BOOL IsRectEmpty(const RECT* rect) { return !rect || rect->right <= rect->left || rect->bottom <= rect->top; }
inline BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}
inline BOOL OffsetRect(RECT* rect, int dx, int dy)
{
    return rect && SetRect(rect, rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy);
}
inline BOOL InflateRect(RECT* rect, int dx, int dy)
{
    return rect && SetRect(rect, rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy);
}
// FALSE and an empty destination when the intersection is empty.
inline BOOL IntersectRect(RECT* destination, const RECT* first, const RECT* second)
{
    if (!destination || !first || !second) {
        return FALSE;
    }
    const RECT result{std::max(first->left, second->left), std::max(first->top, second->top),
                      std::min(first->right, second->right), std::min(first->bottom, second->bottom)};
    if (IsRectEmpty(&result)) {
        SetRectEmpty(destination);
        return FALSE;
    }
    *destination = result;
    return TRUE;
}
// The smallest rectangle holding both; an empty one does not count. FALSE when both are empty.
inline BOOL UnionRect(RECT* destination, const RECT* first, const RECT* second)
{
    if (!destination || !first || !second) {
        return FALSE;
    }
    if (IsRectEmpty(first) && IsRectEmpty(second)) {
        SetRectEmpty(destination);
        return FALSE;
    }
    if (IsRectEmpty(first) || IsRectEmpty(second)) {
        *destination = IsRectEmpty(first) ? *second : *first;
        return TRUE;
    }
    *destination = RECT{std::min(first->left, second->left), std::min(first->top, second->top),
                        std::max(first->right, second->right), std::max(first->bottom, second->bottom)};
    return TRUE;
}
inline BOOL EqualRect(const RECT* first, const RECT* second) { return first && second && *first == *second; }

// GetObjectType.
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_PAL = 5;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;
constexpr DWORD OBJ_ENHMETADC = 12;
constexpr DWORD OBJ_ENHMETAFILE = 13;

// GetStockObject.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_PALETTE = 15;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// Brushes.
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;
constexpr UINT BS_DIBPATTERNPT = 6;
// Hatch styles: 8 x 8 patterns aligned to the brush origin.
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;
struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    ULONG_PTR lbHatch = 0;
};

// Pens.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_USERSTYLE = 7;
constexpr int PS_ALTERNATE = 8;
constexpr int PS_STYLE_MASK = 0x0000000F;
constexpr int PS_ENDCAP_ROUND = 0x00000000;
constexpr int PS_ENDCAP_SQUARE = 0x00000100;
constexpr int PS_ENDCAP_FLAT = 0x00000200;
constexpr int PS_ENDCAP_MASK = 0x00000F00;
constexpr int PS_JOIN_ROUND = 0x00000000;
constexpr int PS_JOIN_BEVEL = 0x00001000;
constexpr int PS_JOIN_MITER = 0x00002000;
constexpr int PS_JOIN_MASK = 0x0000F000;
constexpr int PS_COSMETIC = 0x00000000;
constexpr int PS_GEOMETRIC = 0x00010000;
constexpr int PS_TYPE_MASK = 0x000F0000;
struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth;  // only x counts
    COLORREF lopnColor = 0;
};
// ExtCreatePen's record: elpNumEntries dash and gap lengths follow for PS_USERSTYLE.
struct EXTLOGPEN {
    DWORD elpPenStyle = 0;
    DWORD elpWidth = 0;
    UINT elpBrushStyle = BS_SOLID;
    COLORREF elpColor = 0;
    ULONG_PTR elpHatch = 0;
    DWORD elpNumEntries = 0;
    DWORD elpStyleEntry[1] = {0};
};

// Bitmaps.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// Palettes.
struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};
struct LOGPALETTE {
    WORD palVersion = 0x300;
    WORD palNumEntries = 0;
    PALETTEENTRY palPalEntry[1];
};

// Region kinds, as CombineRgn, GetRgnBox, SelectClipRgn and their kin answer them.
constexpr int ERROR = 0;
constexpr int RGN_ERROR = ERROR;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// CombineRgn and ExtSelectClipRgn.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// The rectangles of a region, as GetRegionData writes them and ExtCreateRegion reads them: the header,
// then nCount rectangles in bands from top to bottom, left to right within a band.
constexpr DWORD RDH_RECTANGLES = 1;
struct RGNDATAHEADER {
    DWORD dwSize = sizeof(RGNDATAHEADER);
    DWORD iType = RDH_RECTANGLES;
    DWORD nCount = 0;
    DWORD nRgnSize = 0;
    RECT rcBound;
};
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

// A world transform; ExtCreateRegion accepts only none or the identity.
struct XFORM {
    float eM11 = 1;
    float eM12 = 0;
    float eM21 = 0;
    float eM22 = 1;
    float eDx = 0;
    float eDy = 0;
};

// Raster operations of the blits: bits 16 to 23 are the truth table of the result over pattern, source
// and destination bits (index P * 4 + S * 2 + D); the low word is ignored, as the documented API allows.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
// MaskBlt's four-byte code: the foreground operation where the mask is 1, the background where it is 0.
constexpr DWORD MAKEROP4(DWORD fore, DWORD back) { return ((back << 8) & 0xFF000000) | fore; }

// Mixing of pens and brushes with the destination (SetROP2): mode - 1 is the truth table of the result
// over pen and destination bits (index P * 2 + D).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
constexpr int STRETCH_ORSCANS = WHITEONBLACK;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;

// Mapping modes; only MM_TEXT (one logical unit is one pixel, y downwards) is carried out.
constexpr int MM_TEXT = 1;

// GetDeviceCaps.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int COLORRES = 108;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int SHADEBLENDCAPS = 120;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int DT_METAFILE = 5;
// RASTERCAPS bits.
constexpr int RC_BITBLT = 0x0001;
constexpr int RC_BITMAP64 = 0x0008;
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_DIBTODEV = 0x0200;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_STRETCHDIB = 0x2000;
// SHADEBLENDCAPS bits.
constexpr int SB_CONST_ALPHA = 0x0001;
constexpr int SB_PIXEL_ALPHA = 0x0002;
constexpr int SB_PREMULT_ALPHA = 0x0004;
constexpr int SB_GRAD_RECT = 0x0010;
constexpr int SB_GRAD_TRI = 0x0020;

}  // namespace win
