#pragma once
// The device-context record behind an HDC and what the drawing units and the window system do with it.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

#include <memory>
#include <optional>
#include <vector>

namespace win::detail {

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
    int bitsPerPixel = 32;  // what the device keeps of a pixel (a printer: 24, or 8 for grey)
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
    // A raster context until given another device.
    explicit DeviceContext(DWORD objectType, std::unique_ptr<DrawingDevice> device = MakeRasterDevice())
        : GdiObject(objectType), drawing(std::move(device))
    {
    }

    Device device;
    Surface* windowSurface = nullptr;  // surface device contexts: the window's surface
    POINT surfaceOrigin;  // the surface pixel of device point (0, 0)
    std::optional<Region> systemClip;  // device coordinates; none means the whole surface
    DcState state;
    HPALETTE palette = nullptr;  // SelectPalette's; null: the default palette
    std::vector<DcState> saved;  // SaveDC's states, oldest first
    std::unique_ptr<DrawingDevice> drawing;  // never null
    RECT drawn;  // surface coordinates: what raster drawing may have changed since TakeDrawnArea
    // A screen context: its surface stands for the windows on the screen (ScreenPixels).
    bool screen = false;
    int openScopes = 0;  // screen contexts: the DrawScopes open on it, and the union of their areas
    RECT openArea;

    DrawingDevice& Drawing() const { return *drawing; }

    // The surface drawn on: the window's, or the selected bitmap's.
    Surface* Target() const;
    POINT ToDevice(POINT logical) const;
    RECT ToDevice(const RECT& logical) const;  // normalized
    POINT ToLogical(POINT device) const;
    // The device's reach (the surface; for a metafile context any point a coordinate can reach) cut to
    // the system clip, device coordinates.
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

// For the raster device, around one drawing call with the GDI lock held. area is the device rectangle
// the call may change (without drawn: may read); the whole clip when none is given. A bitmap below 32
// bits gets that area of its surface ready (with the colours its bits can hold, when the call reads
// what it draws over) and notes it drawn at the end; the context notes it for the window system.
class DrawScope {
public:
    DrawScope(DeviceContext& context, const RECT& area, bool drawn = true, bool readsBeneath = true);
    explicit DrawScope(DeviceContext& context, bool drawn = true);
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;
    ~DrawScope();

private:
    DeviceContext& context_;
    BitmapObject* bitmap_ = nullptr;
    RECT area_;  // surface coordinates
    bool drawn_;
};

// The window system's side of screen contexts, called with the GDI lock held (neither may take the
// system lock): gather puts into area of the screen surface (surface coordinates) the pixels the
// windows beneath show there, before a call reads or draws; spread hands what area holds after the call
// to the windows beneath. Null functions leave the screen surface to itself.
struct ScreenPixels {
    void (*gather)(Surface& screen, const RECT& area) = nullptr;
    void (*spread)(const Surface& screen, const RECT& area) = nullptr;
};
void SetScreenPixels(ScreenPixels pixels);
// A screen context used as a blit's source: its whole surface gathered (GDI lock held).
void GatherScreen(DeviceContext& context);
// The bitmap selected into a memory device context, or null.
BitmapObject* SelectedBitmap(const DeviceContext& context);

// For the window system: a device context over a window's surface. deviceOrigin is the surface pixel
// of the context's point (0, 0) (the client area's top left for a client DC); systemClip, in the
// context's device coordinates, is copied, null meaning the whole surface. The surface must outlive the
// context; DeleteDC ends it. Its objects start as a window's do: white brush, black pen, system font.
// A screen context (screen) draws through ScreenPixels onto the windows beneath.
HDC CreateSurfaceDC(Surface& surface, POINT deviceOrigin, HRGN systemClip, bool screen = false);
// What drawing on a context may have changed since the last call (surface coordinates), for the
// window system to show; empty when nothing was drawn.
RECT TakeDrawnArea(HDC dc);
// Replaces the system clip (null: the whole surface); the application clip stays.
BOOL SetSystemClip(HDC dc, HRGN systemClip);

// A device context of its own device (a printer's page or band): drawing lands on surface, whose
// pixel deviceOrigin is the context's point (0, 0). The surface must outlive the context. Objects start
// as for a window.
HDC CreateDeviceSurfaceDC(Surface& surface, const Device& device, POINT deviceOrigin);
// An information context of a device: it answers for the device and draws nothing.
HDC CreateInformationDC(const Device& device);

// For the device units: gives a new context a handle, its objects starting as a window's do.
HDC AddDC(std::unique_ptr<DeviceContext> context);

// CreateDC and CreateIC of a printer, as the printing library makes them (information: an information
// context). Called without the GDI lock. Null with the last error set on failure.
using PrinterContextFactory = HDC (*)(const char* printer, const DEVMODEA* mode, bool information);
// The printing library's start-up registers its factory, its shut-down removes it (null).
void SetPrinterContextFactory(PrinterContextFactory factory);

}  // namespace win::detail
