#pragma once
// Recording into an enhanced metafile: the recorder behind a metafile device context (see EmfRecorder.h).

#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/gdi/detail/Region.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

struct BitmapObject;
struct DeviceContext;
class BrushPaint;

// The recorder keeps the context it was made for; the context given to each call is that one.
class EmfRecorder final : public DrawingDevice {
public:
    EmfRecorder(DeviceContext& context, std::string fileName, std::optional<RECT> frame, std::u16string description);
    ~EmfRecorder() override;

    // Any point a coordinate can reach.
    Region Reach(const DeviceContext& context) const override;
    void SaveDC(DeviceContext& context) override;
    void RestoreDC(DeviceContext& context, int level) override;
    void ClipRect(DeviceContext& context, ClipChange change, const RECT& rect, const std::optional<Region>& before) override;
    void Forget(HGDIOBJ object) override;

    BOOL LineTo(DeviceContext& context, int x, int y) override;
    BOOL Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count) override;
    BOOL PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                  std::size_t polygons) override;
    BOOL Box(DeviceContext& context, BoxShape shape, const RECT& box) override;
    BOOL RoundRect(DeviceContext& context, const RECT& box, SIZE corner) override;
    BOOL Arc(DeviceContext& context, ArcShape shape, const RECT& box, POINT start, POINT end) override;
    COLORREF SetPixel(DeviceContext& context, int x, int y, COLORREF color) override;
    // A recording has no pixels to read: CLR_INVALID.
    COLORREF GetPixel(DeviceContext& context, int x, int y) override;
    BOOL FillRgn(DeviceContext& context, const Region& region, HBRUSH brush) override;
    BOOL FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height) override;
    BOOL InvertRgn(DeviceContext& context, const Region& region) override;
    BOOL PaintRgn(DeviceContext& context, const Region& region) override;
    // Patterned paint is recorded as the image it produces.
    BOOL PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2) override;
    // Recorded as the image the paint blends over any destination.
    BOOL PaintPixels(DeviceContext& context, const RECT& area, const RowPaint& paint) override;
    BOOL Blit(DeviceContext& context, BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, DWORD rop) override;
    BOOL MaskBlt(DeviceContext& context, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                 BitmapObject& mask, POINT maskOrigin, DWORD rop) override;
    BOOL PatBlt(DeviceContext& context, int x, int y, int width, int height, DWORD rop) override;
    int StretchDIBits(DeviceContext& context, int x, int y, int width, int height, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop) override;
    BOOL GradientFill(DeviceContext& context, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                      ULONG meshCount, ULONG mode) override;
    BOOL Text(DeviceContext& context, const TextLayout& text) override;

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
    // A blit record's type, destination, raster operation and bounds, the destination added to the file's.
    void PlaceBlit(emf::EmrBitBlt& record, emf::u32 type, int x, int y, int width, int height, DWORD rop);
    // The bounds of a shape drawn in a logical box with the selected pen.
    void BoundShape(const RECT& box);
    RECT DeviceBounds(const POINT* points, std::size_t count, bool pen) const;
    int PenReach() const;
    void Write(const void* record, std::size_t size, std::string_view tail = {});
    void WriteImage(const RECT& area, const std::string& info, const std::string& bits);
    BOOL WriteInversion(const Region& region);
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

}  // namespace win::detail
