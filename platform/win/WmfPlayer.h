#pragma once
// Playing a placeable metafile (WmfReader.h) into a rectangle of a device context.
//
// Placement: the metafile's window (its origin and extent, the placeable bounds until a record sets
// them) is stretched onto the rectangle. Our device contexts map MM_TEXT only, so the player maps every
// coordinate itself: points, rectangles, pen widths (by the horizontal scale), font heights (vertical)
// and widths (horizontal), corner sizes, character extra, text positions and advances, and blit
// destinations. Pens and fonts take the scale in force when the record makes them. Viewport records
// do not move the picture: the rectangle is its viewport.
//
// The object table follows the 16-bit rule: a new object takes the lowest free slot. Every object the
// metafile makes is a GDI object of ours, deleted when playing ends; the context's state is saved before
// and restored after, so nothing the metafile selects or sets stays behind, and its own SAVEDC and
// RESTOREDC never reach states older than the play. Clip records narrow the clip the context had.
//
// Text is 8-bit in the character set of the selected font; it is converted to the process code page
// and drawn with the ANSI calls (a character that page cannot hold draws as '?').

#include "platform/win/GdiTypes.h"
#include "platform/win/WmfReader.h"

namespace win {

// FALSE for an invalid device context; otherwise TRUE, whatever single drawing calls refused (an
// invalid raster operation, a polygon of one point), as the records' own calls would.
BOOL PlayWindowsMetafile(HDC dc, const WindowsMetafile& metafile, const RECT& rect);

}  // namespace win
