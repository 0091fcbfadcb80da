#pragma once
// Hatch and pattern brushes, and the painting of any brush as drawing sees it. Solid and null brushes
// and CreateBrushIndirect: GdiObjects.h.
//
// Patterns repeat from the brush origin (SetBrushOrgEx, device coordinates): the pattern's pixel
// (0, 0) falls on every device point origin + (i * width, j * height). Hatches are 8 x 8: their lines
// take the brush colour, the gaps the background colour in OPAQUE mode and nothing in TRANSPARENT
// mode. A monochrome pattern bitmap paints its 0 bits in the text colour and its 1 bits in the
// background colour.

#include "platform/wintypes/GdiTypes.h"

namespace win {

struct BITMAPINFO;

// style HS_HORIZONTAL .. HS_DIAGCROSS; null with ERROR_INVALID_PARAMETER for another.
HBRUSH CreateHatchBrush(int style, COLORREF color);
// The whole bitmap repeats; the brush keeps a copy, so the bitmap may be deleted afterwards.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// A pattern of device-independent bits (a BITMAPINFO with its colour table and bits after it).
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);

}  // namespace win
