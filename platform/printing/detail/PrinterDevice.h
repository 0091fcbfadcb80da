#pragma once
// The drawing device of a printer's device contexts: the printer band device. Between StartPage and
// EndPage it keeps every drawing call of the GDI and the text library in the page's list (PageList.h);
// EndPage draws the list band by band (Banding.h). Outside a page, and always on an information
// context, drawing is refused; pixels are never read back, as on paper.
//
// It also holds what the printing calls (PrinterDC.h) keep for the context: the printer, its device mode
// and the settings and page they stand for, and the job while a document is open.

#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PageGeometry.h"
#include "platform/printing/detail/PageList.h"

#include <memory>
#include <string>

namespace win::detail {

class PrinterDevice final : public DrawingDevice {
public:
    PrinterDevice(std::shared_ptr<const PrinterModel> printer, const FullDevMode& mode, bool information);
    ~PrinterDevice() override;

    // A new device mode: the settings and the page follow it.
    void SetMode(const FullDevMode& mode);
    // The device a context of this printer reports (GetDeviceCaps).
    Device DeviceOf() const;

    const bool information;
    const std::shared_ptr<const PrinterModel> printer;
    FullDevMode mode;
    PrintSettings settings;
    PageGeometry geometry;

    // The open document: its job (lent out while a page is being banded), its abort procedure and the
    // page being drawn.
    bool documentOpen = false;
    std::unique_ptr<PrintJob> job;
    ABORTPROC abortProc = nullptr;
    std::unique_ptr<PageList> page;
    int pagesPrinted = 0;

    // The printable part of the page, device coordinates.
    Region Reach(const DeviceContext& context) const override;
    void Forget(HGDIOBJ object) override;

    BOOL LineTo(DeviceContext& context, int x, int y) override;
    BOOL Poly(DeviceContext& context, PolyShape shape, const POINT* points, std::size_t count) override;
    BOOL PolyPoly(DeviceContext& context, PolyPolyShape shape, const POINT* points, const DWORD* counts,
                  std::size_t figures) override;
    BOOL Box(DeviceContext& context, BoxShape shape, const RECT& box) override;
    BOOL RoundRect(DeviceContext& context, const RECT& box, SIZE corner) override;
    BOOL Arc(DeviceContext& context, ArcShape shape, const RECT& box, POINT start, POINT end) override;
    COLORREF SetPixel(DeviceContext& context, int x, int y, COLORREF color) override;
    COLORREF GetPixel(DeviceContext& context, int x, int y) override;
    BOOL FillRgn(DeviceContext& context, const Region& region, HBRUSH brush) override;
    BOOL FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height) override;
    BOOL InvertRgn(DeviceContext& context, const Region& region) override;
    BOOL PaintRgn(DeviceContext& context, const Region& region) override;
    BOOL PaintDevice(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2) override;
    // Kept as the premultiplied image the paint composes over what lies beneath, which is what every
    // composite drawing of the platform is (GDI+ and image lists compose source over).
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

private:
    // The page list to add to; null with ERROR_INVALID_HANDLE set when no page is open.
    PageList* Recording() const;
};

// The printer device of a context, or null (ERROR_INVALID_HANDLE set) when it has another. The caller
// holds the GDI lock.
PrinterDevice* FindPrinterDevice(HDC dc);

}  // namespace win::detail
