#pragma once
// Recording into an enhanced metafile: a metafile device context draws nothing; every drawing call of
// the GDI given one appends its record, and the context keeps its state so the Get* calls answer as on
// any context. Measuring (text extents and metrics, device capabilities other than TECHNOLOGY) answers
// for the reference device.
//
// The context's state reaches the file lazily: before each drawing record the recorder writes the
// records that bring the file's state (colours, modes, origins, clip, current position, selected pen,
// brush and font) to the context's, each object created once under an object index; SaveDC and RestoreDC
// are written as they happen. Deleting an object the file has created writes DELETEOBJECT. Bounds come
// from the geometry (pen width included; text from the measured extent, turned with the baseline).
//
// The drawing units call the recorder through one check at the top of each public call:
//     if (auto* recorder = RecorderOf(dc)) return recorder->Rectangle(...);

#include "platform/win/Blit.h"
#include "platform/win/EmfRecords.h"
#include "platform/win/EnhMetaFile.h"
#include "platform/win/GdiTypes.h"
#include "platform/win/Region.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct BITMAPINFO;
struct BitmapObject;
struct DeviceContext;
class BrushPaint;

// referenceDC null: the display. fileName null: in memory. frame in 0.01 mm, null: from the bounds.
HDC CreateEnhMetaFileA(HDC referenceDC, const char* fileName, const RECT* frame, const char* description);
HDC CreateEnhMetaFileW(HDC referenceDC, const char16_t* fileName, const RECT* frame, const char16_t* description);
// Ends the recording and deletes the context; null when the file cannot be written (the old file, if
// any, stays as it was).
HENHMETAFILE CloseEnhMetaFile(HDC dc);

class EmfRecorder {
public:
    EmfRecorder(DeviceContext& context, std::string fileName, std::optional<RECT> frame, std::u16string description);
    EmfRecorder(const EmfRecorder&) = delete;
    EmfRecorder& operator=(const EmfRecorder&) = delete;
    ~EmfRecorder();

    // State the file keeps in step with (see above).
    int SaveDC();
    BOOL RestoreDC(int level);
    // After IntersectClipRect or ExcludeClipRect (type) of a logical rectangle changed the clip from before.
    void ClipRect(emf::u32 type, const RECT& rect, const std::optional<Region>& before);

    // Lines and shapes, logical coordinates.
    BOOL LineTo(int x, int y);
    BOOL Poly(emf::u32 type, const POINT* points, std::size_t count);  // POLYLINE, POLYGON, POLYLINETO
    BOOL PolyPoly(emf::u32 type, const POINT* points, const DWORD* counts, std::size_t polygons);
    BOOL Box(emf::u32 type, const RECT& box);  // RECTANGLE, ELLIPSE
    BOOL RoundRect(const RECT& box, SIZE corner);
    BOOL ArcKind(emf::u32 type, const RECT& box, POINT start, POINT end);  // ARC, PIE, CHORD
    COLORREF SetPixel(int x, int y, COLORREF color);

    // Regions in logical coordinates; brush null: the selected one.
    BOOL FillRgn(const Region& region, HBRUSH brush);
    BOOL FrameRgn(const Region& region, HBRUSH brush, int width, int height);
    BOOL InvertRgn(const Region& region);
    BOOL PaintRgn(const Region& region);
    // What composite drawing paints directly (device coordinates): a fill, an inversion or, for
    // patterned paint, the pixels it would produce.
    void PaintDevice(const Region& region, const BrushPaint& paint, int rop2);
    // Pixels composed over the destination (device coordinates): paint answers a pixel's new colour
    // over a given old one; recorded as the image it blends over any destination.
    void PaintPixels(const RECT& area, const std::function<std::uint32_t(std::uint32_t, int, int)>& paint);

    // Blits; the source pixels are copied into the record.
    BOOL Blit(emf::u32 type, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
              int sourceHeight, DWORD rop);
    // A mask blit whose mask (a 1-bit bitmap) MaskBlt has checked to cover the blit from maskOrigin.
    BOOL MaskBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, const BitmapObject& mask,
                 POINT maskOrigin, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    int StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                      const void* bits, const BITMAPINFO* info, DWORD rop);
    BOOL GradientFill(const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode);

    // Text at the reference point (logical), with one advance per UTF-16 unit and the measured extent.
    void Text(POINT reference, UINT options, const RECT* rect, std::u16string_view text, const std::vector<int>& advances,
              SIZE extent, int ascent);

    // An object is being deleted: the file lets go of it too.
    void Forget(HGDIOBJ object);
    // The finished file's bytes, and the name it is to be written to (empty: memory only).
    std::string Finish();
    const std::string& FileName() const;

private:
    struct FileState {
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF backgroundColor = RGB(255, 255, 255);
        int backgroundMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int stretchMode = BLACKONWHITE;
        int polyFillMode = ALTERNATE;
        UINT textAlign = 0;
        POINT brushOrigin;
        POINT windowOrigin;
        POINT viewportOrigin;
        std::optional<Region> clip;
        std::optional<POINT> position;
        emf::u32 pen = emf::ENHMETA_STOCK_OBJECT | 7;
        emf::u32 brush = emf::ENHMETA_STOCK_OBJECT | 0;
        emf::u32 font = emf::ENHMETA_STOCK_OBJECT | 13;
    };

    void Sync(bool position = false);
    void SyncClip(const std::optional<Region>& clip);
    void SyncValue(emf::u32 type, auto& fileValue, auto contextValue);
    emf::u32 ObjectIndex(HGDIOBJ object);
    emf::u32 NewIndex();
    void SelectIndex(emf::u32& fileSlot, HGDIOBJ object);
    void Bound(RECT device);
    // The bounds of a shape drawn in a logical box with the selected pen.
    void BoundShape(const RECT& box);
    RECT DeviceBounds(const POINT* points, std::size_t count, bool pen) const;
    int PenReach() const;
    void Write(const void* record, std::size_t size, std::string_view tail = {});
    void WriteImage(const RECT& area, const std::string& info, const std::string& bits);
    // A region record of a logical region, its device bounds added to the file's.
    void WriteRegion(emf::u32 type, const Region& region, emf::u32 brush, SIZE stroke);

    DeviceContext& context_;
    std::string fileName_;
    std::optional<RECT> frame_;
    std::u16string description_;
    std::string records_;
    emf::u32 count_ = 0;
    std::optional<RECT> bounds_;
    FileState file_;
    std::vector<FileState> saved_;
    std::map<HGDIOBJ, emf::u32> objects_;
    std::vector<emf::u32> freeIndexes_;
    emf::u32 handles_ = 1;
};

// The recorder of a metafile context, or null for any other context (the GDI lock held).
EmfRecorder* RecorderOf(const DeviceContext& context);
// The same for a handle, holding the GDI lock while it is recording.
class Recording {
public:
    Recording(std::unique_lock<std::recursive_mutex> lock, EmfRecorder* recorder)
        : lock_(std::move(lock)), recorder_(recorder)
    {
    }
    explicit operator bool() const { return recorder_ != nullptr; }
    EmfRecorder* operator->() const { return recorder_; }

private:
    std::unique_lock<std::recursive_mutex> lock_;
    EmfRecorder* recorder_;
};
Recording RecorderOf(HDC dc);
// Lets every recording context forget a deleted object (the GDI lock held).
void ForgetInRecorders(HGDIOBJ object);

}  // namespace win
