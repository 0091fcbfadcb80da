#pragma once
// Device contexts: the drawing state (selected objects, colours, modes, origins, clipping) over a
// surface. A memory device context draws on the bitmap selected into it; a surface device context,
// which the window system makes for a window, draws on the window's surface.
//
// Coordinates: drawing calls take logical coordinates; with MM_TEXT a logical point maps to the device
// point logical - window origin + viewport origin. Clip regions are in device coordinates. What may be
// drawn is the visible region (the surface, cut to the system clip the window system sets) intersected
// with the application's clip region, if any.
//
// Bitmaps below 32 bits: drawing works on the bitmap's 32-bit shadow surface, prepared for the area a
// call touches and written to the bits when they are read, when the bitmap leaves its context or at
// GdiFlush (BitmapObject in detail/GdiObjects.h), so a call costs what it draws at any depth.
//
// The drawing calls live in their own units: Pen.h, Brush.h, Lines.h, Shapes.h, Edges.h, Blit.h and
// Bitmap.h.

#include "platform/wintypes/DevMode.h"
#include "platform/wintypes/GdiTypes.h"

namespace win {

// A memory device context holding a 1 x 1 bitmap; dc null means compatible with the display.
HDC CreateCompatibleDC(HDC dc);
// A printer's device context, or (CreateIC) its information context, which measures and draws nothing.
// driver is null, empty or "WINSPOOL"; device names the printer; mode null takes its default settings.
// Null with the last error set: ERROR_INVALID_PRINTER_NAME for a printer that does not exist.
HDC CreateDCA(const char* driver, const char* device, const char* port, const DEVMODEA* mode);
HDC CreateICA(const char* driver, const char* device, const char* port, const DEVMODEA* mode);
// Deletes any device context, releasing every object it holds.
BOOL DeleteDC(HDC dc);

// Brushes, pens, fonts and (into memory device contexts) bitmaps answer the object they replace, null
// on failure; a bitmap another device context holds is refused. A region becomes the clip region (as
// SelectClipRgn) and the answer is the region kind.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// type OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP or OBJ_PAL.
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// Every index of GdiTypes.h; a memory device context reports the depth of its bitmap in BITSPIXEL.
int GetDeviceCaps(HDC dc, int index);
// The colour itself at 32 bits; black or white on a monochrome bitmap.
COLORREF GetNearestColor(HDC dc, COLORREF color);

// Palettes: kept and answered, without effect on colours at 32 bits.
HPALETTE CreatePalette(const LOGPALETTE* palette);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
// The previous palette, or null on error.
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
// The entries mapped: 0 at 32 bits.
UINT RealizePalette(HDC dc);

// Clipping. The clip functions answer the kind of the resulting clip (visible region included) or ERROR.
int SelectClipRgn(HDC dc, HRGN region);
// region null with RGN_COPY removes the clip; without a clip the other modes start from the visible region.
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);  // logical coordinates
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// 1 with the clip region copied into region, 0 when there is none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);
// The bounds of what may be drawn, logical coordinates.
int GetClipBox(HDC dc, RECT* rect);
BOOL RectVisible(HDC dc, const RECT* rect);
BOOL PtVisible(HDC dc, int x, int y);

// Origins (MM_TEXT only).
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);

// Saved states: SaveDC answers the new level (0 on error); RestoreDC takes a level SaveDC answered or a
// negative count back from the latest (-1 the latest), dropping the states above it.
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int level);

// Colours and modes drawing uses. The setters answer the previous value (CLR_INVALID or 0 on error).
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);  // ALTERNATE or WINDING
int GetPolyFillMode(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetBrushOrgEx(HDC dc, POINT* origin);

// Painting, with any brush (hatches and patterns from the brush origin). brush may be a COLOR_ index + 1
// in place of a handle. FillRect and FillRgn copy the brush; PaintRgn mixes it as SetROP2 says.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);  // region in logical coordinates
BOOL PaintRgn(HDC dc, HRGN region);  // with the selected brush
// The colour set, or CLR_INVALID outside the clip.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the clip.
COLORREF GetPixel(HDC dc, int x, int y);

}  // namespace win
