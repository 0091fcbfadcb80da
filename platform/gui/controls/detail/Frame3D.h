#pragma once
// A bevelled frame of width one-pixel rings inside rect: top and left lines in topColor, bottom and right
// lines in bottomColor (the bottom-left and top-right corner pixels go to the bottom/right colour). rect
// shrinks to the inside.

#include "platform/gui/graphics/Colors.h"
#include "platform/wintypes/Types.h"

namespace gui {
class TCanvas;
}

namespace gui::detail {

void Frame3D(TCanvas& canvas, win::RECT& rect, TColor topColor, TColor bottomColor, int width);

}  // namespace gui::detail
