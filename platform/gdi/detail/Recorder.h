#pragma once
// What a recording device context does in place of drawing. A context that records (a metafile
// context) carries a Recorder; each drawing call of the GDI checks for one first and hands the call to
// it, so the drawing units know nothing of the file format that a recorder writes:
//     if (auto* recorder = RecorderOf(dc)) return recorder->Shape(...);
// Coordinates are logical unless a call says otherwise.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/detail/Region.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace win::detail {

struct BitmapObject;
struct DeviceContext;
class BrushPaint;

enum class ClipChange { Intersect, Exclude };
enum class PolyShape { Polyline, Polygon, PolylineTo };
enum class PolyPolyShape { PolyPolyline, PolyPolygon };
enum class BoxShape { Rectangle, Ellipse };
enum class ArcShape { Arc, Pie, Chord };
enum class BlitKind { BitBlt, StretchBlt, TransparentBlt, AlphaBlend };

class Recorder {
public:
    Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    virtual ~Recorder();

    // State the recording keeps in step with.
    virtual int SaveDC() = 0;
    virtual BOOL RestoreDC(int level) = 0;
    // After IntersectClipRect or ExcludeClipRect of a logical rectangle changed the clip from before.
    virtual void ClipRect(ClipChange change, const RECT& rect, const std::optional<Region>& before) = 0;

    // Lines and shapes.
    virtual BOOL LineTo(int x, int y) = 0;
    virtual BOOL Poly(PolyShape shape, const POINT* points, std::size_t count) = 0;
    virtual BOOL PolyPoly(PolyPolyShape shape, const POINT* points, const DWORD* counts, std::size_t polygons) = 0;
    virtual BOOL Box(BoxShape shape, const RECT& box) = 0;
    virtual BOOL RoundRect(const RECT& box, SIZE corner) = 0;
    virtual BOOL Arc(ArcShape shape, const RECT& box, POINT start, POINT end) = 0;
    virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;

    // Regions; brush null: the selected one.
    virtual BOOL FillRgn(const Region& region, HBRUSH brush) = 0;
    virtual BOOL FrameRgn(const Region& region, HBRUSH brush, int width, int height) = 0;
    virtual BOOL InvertRgn(const Region& region) = 0;
    virtual BOOL PaintRgn(const Region& region) = 0;
    // What composite drawing paints directly (device coordinates): a fill, an inversion or, for
    // patterned paint, the pixels it would produce.
    virtual void PaintDevice(const Region& region, const BrushPaint& paint, int rop2) = 0;
    // Pixels composed over the destination (device coordinates): paint answers a pixel's new colour
    // over a given old one.
    virtual void PaintPixels(const RECT& area, const std::function<std::uint32_t(std::uint32_t, int, int)>& paint) = 0;

    // Blits; the source pixels are copied into the recording.
    virtual BOOL Blit(BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, DWORD rop) = 0;
    // A mask blit whose mask (a 1-bit bitmap) MaskBlt has checked to cover the blit from maskOrigin.
    virtual BOOL MaskBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         const BitmapObject& mask, POINT maskOrigin, DWORD rop) = 0;
    virtual BOOL PatBlt(int x, int y, int width, int height, DWORD rop) = 0;
    virtual int StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                              int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop) = 0;
    virtual BOOL GradientFill(const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount,
                              ULONG mode) = 0;

    // Text at the reference point, with one advance per UTF-16 unit and the measured extent.
    virtual void Text(POINT reference, UINT options, const RECT* rect, std::u16string_view text,
                      const std::vector<int>& advances, SIZE extent, int ascent) = 0;

    // An object is being deleted: the recording lets go of it too.
    virtual void Forget(HGDIOBJ object) = 0;
};

// The recorder of a recording context, or null for any other context (the GDI lock held).
Recorder* RecorderOf(const DeviceContext& context);
// The same for a handle, holding the GDI lock while it is recording.
class Recording {
public:
    Recording(std::unique_lock<std::recursive_mutex> lock, Recorder* recorder)
        : lock_(std::move(lock)), recorder_(recorder)
    {
    }
    explicit operator bool() const { return recorder_ != nullptr; }
    Recorder* operator->() const { return recorder_; }

private:
    std::unique_lock<std::recursive_mutex> lock_;
    Recorder* recorder_;
};
Recording RecorderOf(HDC dc);
// Lets every recorder forget a deleted object (the GDI lock held).
void ForgetInRecorders(HGDIOBJ object);

}  // namespace win::detail
