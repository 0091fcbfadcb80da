#pragma once
// Pens: ExtCreatePen's cosmetic and geometric pens, and a pen as drawing sees it. CreatePen and
// CreatePenIndirect: GdiObjects.h.
//
// A cosmetic pen is one pixel wide; its styles repeat along a line and through the segments of one
// call: PS_DASH 18 on and 6 off, PS_DOT 3 and 3, PS_DASHDOT 9, 6, 3, 6, PS_DASHDOTDOT 9, 3, 3, 3, 3, 3,
// PS_ALTERNATE 1 and 1; the gaps take the background colour in OPAQUE mode. A geometric pen (any pen
// wider than one pixel) is drawn as an area: its lengths are multiples of its width (dash 3, gap 1,
// dot 1), with round, square or flat ends and round, bevelled or mitred joins. CreatePen's wide pens
// have round ends and joins and draw every style but PS_NULL and PS_INSIDEFRAME solid, as the
// documented API says.

#include "platform/wintypes/GdiTypes.h"

namespace win {

// style is a type (PS_COSMETIC, PS_GEOMETRIC), a style, an end cap and a join; cosmetic pens must be 1
// wide and of a solid brush; PS_USERSTYLE takes styleCount (1 to 16) lengths. Null with
// ERROR_INVALID_PARAMETER for anything else.
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);

}  // namespace win
