#pragma once
// The sheet of a page in a printer's pixels: the whole paper, and the printable part of it.

#include "platform/printing/PrintBackend.h"

namespace win::detail {

struct PageGeometry {
    Resolution dpi;
    SIZE physical;
    POINT offset;  // the printable part's top left on the sheet
    SIZE printable;
};

// The sheet of a paper at a resolution: each length in millimetres times the dots per inch over 25.4,
// to the nearest dot. Landscape turns the paper a quarter counter-clockwise, so the upright sheet's left
// edge becomes its bottom.
PageGeometry PageFor(Resolution dpi, const Paper& paper, SHORT orientation);

}  // namespace win::detail
