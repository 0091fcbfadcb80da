#include "platform/printing/PrintBackend.h"

#include "platform/printing/detail/PrintBackend.h"

namespace win {

namespace {

std::unique_ptr<PrintBackend>& Installed()
{
    static std::unique_ptr<PrintBackend> backend;
    return backend;
}

int ToPixels(int tenthsOfMillimetre, int dpi)
{
    return MulDiv(tenthsOfMillimetre, dpi, 254);
}

}  // namespace

PageGeometry PageFor(const PrinterResolution& resolution, const PaperInfo& paper, short orientation)
{
    SIZE size = paper.size;
    RECT margins = paper.margins;
    if (orientation == DMORIENT_LANDSCAPE) {
        size = SIZE{paper.size.cy, paper.size.cx};
        margins = RECT{paper.margins.top, paper.margins.right, paper.margins.bottom, paper.margins.left};
    }
    PageGeometry page;
    page.dpiX = resolution.dpiX;
    page.dpiY = resolution.dpiY;
    page.physical = SIZE{ToPixels(size.cx, resolution.dpiX), ToPixels(size.cy, resolution.dpiY)};
    page.offset = POINT{ToPixels(margins.left, resolution.dpiX), ToPixels(margins.top, resolution.dpiY)};
    page.printable = SIZE{page.physical.cx - page.offset.x - ToPixels(margins.right, resolution.dpiX),
                          page.physical.cy - page.offset.y - ToPixels(margins.bottom, resolution.dpiY)};
    return page;
}

std::unique_ptr<PrintBackend> SetPrintBackend(std::unique_ptr<PrintBackend> backend)
{
    std::swap(Installed(), backend);
    return backend;
}

PrintBackend* GetPrintBackend()
{
    return Installed().get();
}

void detail::ResetPrintBackend()
{
    Installed().reset();
}

}  // namespace win
