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
// Text is 8-bit in the character set of the selected font; it is read in that character set's code page
// (the process code page for the others) and drawn as wide text, so no letter is lost.

#include "platform/metafile/EnhMetaFile.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/metafile/WmfReader.h"

namespace win {

// FALSE for an invalid device context, and FALSE with ERROR_INVALID_DATA when a record cannot be drawn at
// all (a font beyond the sizes the fonts can be drawn at), which ends the playing there, as the enhanced
// metafile player does. Otherwise TRUE, whatever single drawing calls refused (an invalid raster
// operation, a polygon of one point), as the records' own calls would.
BOOL PlayWindowsMetafile(HDC dc, const WindowsMetafile& metafile, const RECT& rect);

// The metafile as an enhanced metafile of the same size (its placeable bounds at its units per inch)
// and the same precision, so that a picture of either kind is drawn, searched and exported the same
// way. Null when it cannot be recorded or a record cannot be drawn.

HENHMETAFILE EnhMetaFileFromWindowsMetafile(const WindowsMetafile& metafile);

}  // namespace win
