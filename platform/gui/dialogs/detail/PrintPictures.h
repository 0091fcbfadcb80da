#pragma once
// The small pictures of the print dialogs: how the copies come out of the printer, collated or not,
// and the page as it lies, upright or on its side. Each is drawn centred in the given rectangle.

#include "platform/gui/graphics/Canvas.h"

namespace gui::detail {

// Collated: two sets of pages 1, 2, 3; otherwise the pages 1, 2 and 3 each in a pile of two.
void DrawCollatePicture(TCanvas& canvas, const win::RECT& area, bool collate);

// A page with lines of text, taller than wide, or wider than tall when landscape.
void DrawOrientationPicture(TCanvas& canvas, const win::RECT& area, bool landscape);

}  // namespace gui::detail
