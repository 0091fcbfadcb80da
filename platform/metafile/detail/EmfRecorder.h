#pragma once
// Recording into an enhanced metafile: the recorder behind a metafile device context (see EmfRecorder.h).

#include "platform/gdi/detail/Recorder.h"
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

class EmfRecorder final : public Recorder {
public:
    EmfRecorder(DeviceContext& context, std::string fileName, std::optional<RECT> frame, std::u16string description);

    int SaveDC() override;
    BOOL RestoreDC(int level) override;
    void ClipRect(ClipChange change, const RECT& rect, const std::optional<Region>& before) override;
    BOOL LineTo(int x, int y) override;
    BOOL Poly(PolyShape shape, const POINT* points, std::size_t count) override;
    BOOL PolyPoly(PolyPolyShape shape, const POINT* points, const DWORD* counts, std::size_t polygons) override;
    BOOL Box(BoxShape shape, const RECT& box) override;
    BOOL RoundRect(const RECT& box, SIZE corner) override;
    BOOL Arc(ArcShape shape, const RECT& box, POINT start, POINT end) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    BOOL FillRgn(const Region& region, HBRUSH brush) override;
    BOOL FrameRgn(const Region& region, HBRUSH brush, int width, int height) override;
    BOOL InvertRgn(const Region& region) override;
    BOOL PaintRgn(const Region& region) override;
    // Patterned paint is recorded as the image it produces.
    void PaintDevice(const Region& region, const BrushPaint& paint, int rop2) override;
    // Recorded as the image the paint blends over any destination.
    void PaintPixels(const RECT& area, const std::function<std::uint32_t(std::uint32_t, int, int)>& paint) override;
    BOOL Blit(BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
              int sourceWidth, int sourceHeight, DWORD rop) override;
    BOOL MaskBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, const BitmapObject& mask,
                 POINT maskOrigin, DWORD rop) override;
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop) override;
    int StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                      int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop) override;
    BOOL GradientFill(const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount,
                      ULONG mode) override;
    void Text(POINT reference, UINT options, const RECT* rect, std::u16string_view text,
              const std::vector<int>& advances, SIZE extent, int ascent) override;
    void Forget(HGDIOBJ object) override;

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

}  // namespace win::detail
