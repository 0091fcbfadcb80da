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
// Bitmaps below 32 bits: drawing works on the bitmap's 32-bit working surface, loaded from the bits
// before each drawing call and stored back after it (DrawScope), so every call sees and leaves the
// bitmap's own bits.
//
// The drawing calls live in their own units: Pen.h, Brush.h, Lines.h, Shapes.h, Edges.h, Blit.h and
// Bitmap.h. The last two are included here, so that BitBlt and the bitmap calls this header always
// declared stay reachable through it.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

#include <memory>
#include <optional>
#include <vector>

namespace win {

class Recorder;

// What a device context draws for and how fine it is. Memory device contexts take the device of the
// context they are made compatible with (the display when none).
// A printer-like device has a page (physicalSize) of which resolution is the printable part, starting
// at physicalOffset.
struct Device {
    int technology = DT_RASDISPLAY;
    int dpiX = 96;
    int dpiY = 96;
    SIZE resolution;  // pixels of the whole device
    SIZE physicalSize;  // printers: the page in pixels; zero means resolution
    POINT physicalOffset;  // printers: the printable area's top left on the page
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
    int polyFillMode = ALTERNATE;
    POINT currentPosition;  // logical coordinates
    UINT textAlign = 0;  // TextOut.h
    int textCharacterExtra = 0;
    int justifyExtra = 0;   // SetTextJustification: pixels spread over the breaks of the next text
    int justifyBreaks = 0;
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
    HPALETTE palette = nullptr;  // SelectPalette's; null: the default palette
    std::vector<DcState> saved;  // SaveDC's states, oldest first
    std::shared_ptr<Recorder> recorder;  // recording contexts (Recorder.h): what draws nothing but records

    // The surface drawn on: the window's, or the selected bitmap's.
    Surface* Target() const;
    POINT ToDevice(POINT logical) const;
    RECT ToDevice(const RECT& logical) const;  // normalized
    POINT ToLogical(POINT device) const;
    // The surface cut to the system clip, device coordinates; for a metafile context, any point a
    // coordinate can reach.
    Region VisibleRegion() const;
    // The visible region cut to the application's clip, device coordinates.
    Region ClipRegion() const;
};

// The context of a handle, or null (ERROR_INVALID_HANDLE set). The caller holds the GDI lock.
DeviceContext* FindDC(HDC handle);
// Runs change on a handle's context under the GDI lock; failure when the handle is not a device context.
template <class Result, class Change>
Result WithDC(HDC dc, Result failure, Change change)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    if (!context) {
        return failure;
    }
    return change(*context);
}

// For the drawing units, around one drawing call with the GDI lock held: loads the working surface of
// the context's bitmap and, when drawn is set, stores it back at the end.
class DrawScope {
public:
    DrawScope(DeviceContext& context, bool drawn = true);
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;
    ~DrawScope();

private:
    BitmapObject* bitmap_ = nullptr;
    bool drawn_;
};
// The bitmap selected into a memory device context, or null.
BitmapObject* SelectedBitmap(const DeviceContext& context);

// For the window system: a device context over a window's surface. deviceOrigin is the surface pixel
// of the context's point (0, 0) (the client area's top left for a client DC); systemClip, in the
// context's device coordinates, is copied, null meaning the whole surface. The surface must outlive the
// context; DeleteDC ends it. Its objects start as a window's do: white brush, black pen, system font.
HDC CreateSurfaceDC(Surface& surface, POINT deviceOrigin, HRGN systemClip);
// Replaces the system clip (null: the whole surface); the application clip stays.
BOOL SetSystemClip(HDC dc, HRGN systemClip);

// A device context of its own device (a printer's page or band): drawing lands on surface, whose
// pixel deviceOrigin is the context's point (0, 0). The surface must outlive the context. Objects start
// as for a window.
HDC CreateDeviceSurfaceDC(Surface& surface, const Device& device, POINT deviceOrigin);

// For the device units: gives a new context a handle, its objects starting as a window's do.
HDC AddDC(std::unique_ptr<DeviceContext> context);

// A memory device context holding a 1 x 1 bitmap; dc null means compatible with the display.
HDC CreateCompatibleDC(HDC dc);
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
