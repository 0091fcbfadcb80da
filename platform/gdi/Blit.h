#pragma once
// Blits: copying, stretching, masking and blending rectangles of pixels between device contexts, and
// filling with gradients.
//
// Raster operations: every code of the 256 is carried out (GdiTypes.h names the usual ones). A
// monochrome source drawn on a colour destination paints its 0 bits in the destination's text colour
// and its 1 bits in its background colour; a colour source drawn on a monochrome destination gives
// white where it has the source context's background colour and black elsewhere.
//
// Extents: a destination or source rectangle of negative width or height runs from (x + width,
// y + height) to (x, y), excluded as any rectangle's right and bottom; extents of different signs
// mirror the picture. Stretching takes the source pixel under each destination pixel's centre;
// shrinking in HALFTONE mode averages the source pixels each destination pixel covers (a box filter),
// in BLACKONWHITE mode ANDs and in WHITEONBLACK mode ORs them. Destination pixels whose source lies
// outside the source's surface are left as they are.

#include "platform/wintypes/GdiTypes.h"

namespace win {

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// The source rectangle stretched (or mirrored) onto the destination rectangle, as SetStretchBltMode says.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
// A raster operation without a source: PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS and kin.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// rop is MAKEROP4(foreground, background): the foreground operation where the monochrome mask is 1, the
// background one where it is 0. A null mask makes it a BitBlt with the foreground operation.
BOOL MaskBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
             HBITMAP mask, int maskX, int maskY, DWORD rop);
// Copies (stretched) every source pixel but those of the transparent colour. Negative extents fail.
BOOL TransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparent);

// AlphaBlend's blending.
constexpr BYTE AC_SRC_OVER = 0x00;
constexpr BYTE AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};
// Blends the source over the destination (stretched, never mirrored), per channel c with the constant
// alpha k and rounding to the nearest: without AC_SRC_ALPHA, c = (s * k + d * (255 - k)) / 255; with
// it, the source is premultiplied with its alpha a in the top byte of each pixel (32-bit bitmaps): first
// s' = s * k / 255 and a' = a * k / 255, then c = s' + d * (255 - a') / 255. The alpha byte of a
// bitmap destination is blended alike. Fails for negative extents and for a source rectangle outside
// the source's surface.
BOOL AlphaBlend(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

// GradientFill's records; colours are 16 bits a channel, of which the high byte counts.
using COLOR16 = WORD;
struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    COLOR16 Red = 0;
    COLOR16 Green = 0;
    COLOR16 Blue = 0;
    COLOR16 Alpha = 0;
};
struct GRADIENT_RECT {
    ULONG UpperLeft = 0;
    ULONG LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
    ULONG Vertex1 = 0;
    ULONG Vertex2 = 0;
    ULONG Vertex3 = 0;
};
constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;
constexpr ULONG GRADIENT_FILL_TRIANGLE = 2;
// Rectangles shade from the left (or top) vertex's colour at their first column (row) towards the other
// vertex's colour, reached just past the last; triangles interpolate the three colours over the pixels
// whose centres lie inside.
BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode);

}  // namespace win
