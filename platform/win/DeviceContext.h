#pragma once
// Device contexts: the drawing state (selected objects, colours, modes, origins, clipping) over a
// surface. A memory device context draws on the bitmap selected into it; a surface device context,
// which the window system makes for a window, draws on the window's surface.
//
// Coordinates: drawing calls take logical coordinates; with MM_TEXT a logical point maps to the device
// point logical - window origin + viewport origin. Clip regions are in device coordinates. What may be
// drawn is the visible region (the surface, cut to the system clip the window system sets) intersected
// with the application's clip region, if any.

#include "platform/win/GdiObjects.h"
#include "platform/win/GdiTypes.h"
#include "platform/win/Region.h"
#include "platform/win/Surface.h"

#include <optional>
#include <vector>

namespace win {

// What a device context draws for and how fine it is. Memory device contexts take the device of the
// context they are made compatible with (the display when none).
struct Device {
    int technology = DT_RASDISPLAY;
    int dpiX = 96;
    int dpiY = 96;
    SIZE resolution;  // pixels of the whole device
};

// Everything SaveDC keeps.
struct DcState {
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;  // memory device contexts only
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backgroundColor = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    POINT brushOrigin;
    POINT windowOrigin;
    POINT viewportOrigin;
    std::optional<Region> clip;  // the application's clip region, device coordinates
};

struct DeviceContext : GdiObject {
    explicit DeviceContext(DWORD objectType) : GdiObject(objectType) {}

    Device device;
    Surface* windowSurface = nullptr;  // surface device contexts: the window's surface
    POINT surfaceOrigin;  // the surface pixel of device point (0, 0)
    std::optional<Region> systemClip;  // device coordinates; none means the whole surface
    DcState state;
    std::vector<DcState> saved;  // SaveDC's states, oldest first

    // The surface drawn on: the window's, or the selected bitmap's.
    Surface* Target() const;
    POINT ToDevice(POINT logical) const;
    RECT ToDevice(const RECT& logical) const;  // normalized
    POINT ToLogical(POINT device) const;
    // The surface cut to the system clip, device coordinates.
    Region VisibleRegion() const;
    // The visible region cut to the application's clip, device coordinates.
    Region ClipRegion() const;
};

// The context of a handle, or null (ERROR_INVALID_HANDLE set). The caller holds the GDI lock.
DeviceContext* FindDC(HDC handle);

// For the window system: a device context over a window's surface. deviceOrigin is the surface pixel
// of the context's point (0, 0) (the client area's top left for a client DC); systemClip, in the
// context's device coordinates, is copied, null meaning the whole surface. The surface must outlive the
// context; DeleteDC ends it. Its objects start as a window's do: white brush, black pen, system font.
HDC CreateSurfaceDC(Surface& surface, POINT deviceOrigin, HRGN systemClip);
// Replaces the system clip (null: the whole surface); the application clip stays.
BOOL SetSystemClip(HDC dc, HRGN systemClip);

// A memory device context holding a 1 x 1 bitmap; dc null means compatible with the display.
HDC CreateCompatibleDC(HDC dc);
// Deletes any device context, releasing every object it holds.
BOOL DeleteDC(HDC dc);
// 32-bit bitmaps, black. A zero width or height gives the shared 1 x 1 bitmap, as always.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// planes 1 and 32 bits per pixel only for now; bits (rows of width * 4 bytes, B G R X) may be null.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// Brushes, pens, fonts and (into memory device contexts) bitmaps answer the object they replace, null
// on failure; a bitmap another device context holds is refused. A region becomes the clip region (as
// SelectClipRgn) and the answer is the region kind.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// type OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP or OBJ_PAL.
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int GetDeviceCaps(HDC dc, int index);

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
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetBrushOrgEx(HDC dc, POINT* origin);

// Painting. brush may be a COLOR_ index + 1 in place of a handle.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);  // region in logical coordinates
BOOL PaintRgn(HDC dc, HRGN region);  // with the selected brush
// SRCCOPY, PATCOPY, BLACKNESS and WHITENESS; FALSE for other raster operations (still to do).
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// The colour set, or CLR_INVALID outside the clip.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the clip.
COLORREF GetPixel(HDC dc, int x, int y);

}  // namespace win
