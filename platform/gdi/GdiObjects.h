#pragma once
// Graphics objects: every pen, brush, font, bitmap, region, palette and device context is a record under
// a handle of the GDI's kind in the platform's one handle table, so a window, an event or any other
// handle used as a graphics object fails, and handles of deleted objects stay invalid. Stock objects and the brushes of the colour scheme live as long as the system and
// cannot be deleted.
//
// Selection: a device context holds references to the objects of its current state and of every state
// SaveDC keeps, so that RestoreDC never brings back a deleted object. An object with references cannot
// be deleted; a bitmap belongs to one device context at a time.
//
// Locking: one recursive lock guards the table and every record in it, device contexts and their
// surfaces included. The API functions take it; the Find and Add helpers below expect it held.

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

namespace win {

HGDIOBJ GetStockObject(int index);
// 0 for a handle that is not a live object.
DWORD GetObjectType(HGDIOBJ handle);
// FALSE for an invalid handle, a device context (DeleteDC deletes those) and an object a device context
// holds; TRUE without deleting anything for a stock object.
BOOL DeleteObject(HGDIOBJ handle);
// Writes the object's record: LOGPEN (EXTLOGPEN for a pen from ExtCreatePen), LOGBRUSH, LOGFONT, BITMAP
// (DIBSECTION for a DIB section when size allows) or the WORD entry count of a palette.
// With buffer null answers the size of the record; 0 when the handle is invalid or size too small.
int GetObject(HGDIOBJ handle, int size, void* buffer);

// Writes what was drawn on DIB sections of fewer than 32 bits into their bits: call it after drawing and
// before reading a DIB section's memory directly, as the API asks.
BOOL GdiFlush();

HBRUSH CreateSolidBrush(COLORREF color);
// BS_SOLID, BS_NULL, BS_HATCHED and BS_PATTERN (lbHatch the bitmap) brushes; null with
// ERROR_INVALID_PARAMETER for other styles. The other brushes: Brush.h.
HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
// A width above 1 makes a geometric pen with round ends and joins; ExtCreatePen: Pen.h.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* logPen);
// The record only; text draws with the font machinery.
HFONT CreateFontIndirect(const LOGFONT* logFont);

}  // namespace win
