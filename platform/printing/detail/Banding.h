#pragma once
// A page drawn band by band: its list replayed on a band surface (white first, the band's top as the
// context's origin offset and the band as its clip) of at most 16 MiB, each band's rows handed to the job
// before the next is drawn. So a page costs one band and its list, never a whole page of pixels.

#include "platform/printing/detail/PageGeometry.h"
#include "platform/printing/detail/PageList.h"

#include <functional>

namespace win::detail {

// Rows (columns for turned pages) a band holds; 0 (the default): as many as 16 MiB hold. For tests.
void SetBandThickness(int thickness);

// Draws page on the sheet of geometry for a context of device, and hands its rows to job in order (as
// RGB, or grey by Rec. 601 weights when color is false). keepGoing runs between bands; when it answers
// false the page stops there and the answer is false.
bool BandPage(const PageList& page, const Device& device, const PageGeometry& geometry, bool color, RowOrder order,
              PrintJob& job, const std::function<bool()>& keepGoing);

}  // namespace win::detail
