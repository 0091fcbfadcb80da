#include "platform/printing/detail/PageGeometry.h"

#include <cstdint>
#include <utility>

namespace win {

namespace {

// Hundredths of a millimetre at a resolution, to the nearest dot (halves away from zero).
int ToDots(int hundredths, int dpi)
{
    const std::int64_t scaled = std::int64_t{hundredths} * dpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 1270 : -1270)) / 2540);
}

}  // namespace

detail::PageGeometry detail::PageFor(Resolution dpi, const Paper& paper, SHORT orientation)
{
    int width = paper.width;
    int length = paper.length;
    RECT margins = paper.margins;
    if (orientation == DMORIENT_LANDSCAPE) {
        std::swap(width, length);
        margins = RECT{paper.margins.top, paper.margins.right, paper.margins.bottom, paper.margins.left};
    }
    PageGeometry page;
    page.dpi = dpi;
    page.physical = SIZE{ToDots(width, dpi.x), ToDots(length, dpi.y)};
    page.offset = POINT{ToDots(margins.left, dpi.x), ToDots(margins.top, dpi.y)};
    page.printable = SIZE{page.physical.cx - page.offset.x - ToDots(margins.right, dpi.x),
                          page.physical.cy - page.offset.y - ToDots(margins.bottom, dpi.y)};
    return page;
}

}  // namespace win
