#pragma once
// What a device context draws with. Every context has one drawing device, and every drawing call of
// the GDI and the text library reaches it once: the call checks its arguments, finds the context under
// the GDI lock and hands itself to context.Drawing(). No call asks which kind of device it has.
//
// The kinds: the raster device draws on a surface (windows, the screen, memory bitmaps, printer bands);
// the metafile recorder (metafile library) writes records; an information context draws nothing and
// refuses every drawing call. Composite drawing (edges, frame controls, focus rectangles, image lists,
// GDI+ on a context) reaches the device as the fills and images it is made of: PaintDevice and
// PaintPixels.
//
// Coordinates are logical unless a call says otherwise. The caller holds the GDI lock.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/detail/Region.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace win::detail {

struct BitmapObject;
struct DeviceContext;
struct Device;
class BrushPaint;

enum class ClipChange { Intersect, Exclude };
enum class PolyShape { Polyline, Polygon, PolylineTo };
enum class PolyPolyShape { PolyPolyline, PolyPolygon };
enum class BoxShape { Rectangle, Ellipse };
enum class ArcShape { Arc, Pie, Chord };
enum class BlitKind { BitBlt, StretchBlt, TransparentBlt, AlphaBlend };

// Text the text library has laid out for one call: what a recording keeps of it, and how it paints.
class TextLayout {
public:
    POINT reference;  // logical, the current position already applied
    UINT options = 0;
    const RECT* rect = nullptr;
    std::u16string_view text;  // tabs shown as blanks
    std::vector<int> advances;  // one per UTF-16 unit
    SIZE extent;  // the measured width and the cell height
    int ascent = 0;

    // Paints the text on a context that has pixels.
    virtual void Paint(DeviceContext& context) const = 0;

protected:
    ~TextLayout() = default;
};

// Paints one row of pixels in place: pixels[0 .. right - left) are the device pixels left .. right - 1
// of device row y, as 0x00RRGGBB words holding what lies beneath on entry.
using RowPaint = std::function<void(std::uint32_t* pixels, int left, int right, int y)>;

class DrawingDevice {
public:
    DrawingDevice() = default;
    DrawingDevice(const DrawingDevice&) = delete;
    DrawingDevice& operator=(const DrawingDevice&) = delete;
    virtual ~DrawingDevice() = default;

    // Where drawing can land, device coordinates, before the system and application clips.
    virtual Region Reach(const DeviceContext& context) const = 0;

    // State the device keeps in step with, after the context's own state has changed.
    virtual void SaveDC(DeviceContext&) {}
    virtual void RestoreDC(DeviceContext&, int /*level*/) {}
    // After IntersectClipRect or ExcludeClipRect of a logical rectangle changed the clip from before.
    virtual void ClipRect(DeviceContext&, ClipChange, const RECT&, const std::optional<Region>& /*before*/) {}
    // An object is being deleted (for devices that asked to hear of it: WatchDeletions).
    virtual void Forget(HGDIOBJ) {}

    // Lines and shapes, with the selected pen and brush.
    virtual BOOL LineTo(DeviceContext& context, int x, int y) = 0;
    virtual BOOL Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count) = 0;
    virtual BOOL PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                          std::size_t figures) = 0;
    virtual BOOL Box(DeviceContext& context, BoxShape shape, const RECT& box) = 0;
    virtual BOOL RoundRect(DeviceContext& context, const RECT& box, SIZE corner) = 0;
    virtual BOOL Arc(DeviceContext& context, ArcShape shape, const RECT& box, POINT start, POINT end) = 0;
    virtual COLORREF SetPixel(DeviceContext& context, int x, int y, COLORREF color) = 0;
    virtual COLORREF GetPixel(DeviceContext& context, int x, int y) = 0;

    // Regions, logical coordinates; brush may be a COLOR_ index + 1, null for the selected brush.
    virtual BOOL FillRgn(DeviceContext& context, const Region& region, HBRUSH brush) = 0;
    virtual BOOL FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height) = 0;
    virtual BOOL InvertRgn(DeviceContext& context, const Region& region) = 0;
    virtual BOOL PaintRgn(DeviceContext& context, const Region& region) = 0;
    // Composite drawing, device coordinates: region painted with paint mixed by rop2, and pixels composed
    // over the destination by paint.
    virtual BOOL PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2) = 0;
    virtual BOOL PaintPixels(DeviceContext& context, const RECT& area, const RowPaint& paint) = 0;

    // Blits. For AlphaBlend rop packs the BLENDFUNCTION (BlendOp, BlendFlags, SourceConstantAlpha,
    // AlphaFormat from the low byte up); for TransparentBlt it is the transparent colour.
    virtual BOOL Blit(DeviceContext& context, BlitKind kind, int x, int y, int width, int height, HDC source,
                      int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop) = 0;
    // A mask blit whose mask (a 1-bit bitmap) MaskBlt has checked to cover the blit from maskOrigin.
    virtual BOOL MaskBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX,
                         int sourceY, BitmapObject& mask, POINT maskOrigin, DWORD rop) = 0;
    virtual BOOL PatBlt(DeviceContext& context, int x, int y, int width, int height, DWORD rop) = 0;
    // bits and info are checked; answers the rows drawn, 0 on failure.
    virtual int StretchDIBits(DeviceContext& context, int x, int y, int width, int height, int sourceX, int sourceY,
                              int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop) = 0;
    // The mesh's indexes are checked.
    virtual BOOL GradientFill(DeviceContext& context, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                              ULONG meshCount, ULONG mode) = 0;

    virtual BOOL Text(DeviceContext& context, const TextLayout& text) = 0;
};

// The raster device of contexts over surfaces, and the device of information contexts.
std::unique_ptr<DrawingDevice> MakeRasterDevice();
std::unique_ptr<DrawingDevice> MakeInformationDevice();

// Devices that keep objects by handle (a recording) hear of every deletion while they watch.
void WatchDeletions(DrawingDevice& device);
void UnwatchDeletions(DrawingDevice& device);

}  // namespace win::detail
