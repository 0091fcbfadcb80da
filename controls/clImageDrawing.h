#pragma once
// Glyphs and image-list images drawn in the looks of a control's state (normal, disabled, faded, greyed,
// lightened, shadowed) with per-pixel alpha: the picture is prepared on a 32-bit work bitmap, cut out by
// its mask, changed by the state's pixel operation and blended over a copy of what lies behind it, which
// then goes to the device context in one copy. The three work bitmaps are kept between drawings.

#include "controls/clBitmaps.h"

#include "platform/gui/graphics/ImageList.h"

#include <cstdint>

namespace controls {

enum TclImageDrawMode : std::uint8_t {
    clidmNormal,
    // Disable grey at alpha 151; a picture without alpha is dirty grey over a highlight copy of its mask.
    clidmDisabled,
    // Fade grey at alpha 64.
    clidmFaded,
    clidmGrayed,
    clidmLightened,
    // A shadow copy of the mask two pixels lower and right: picture and rect grow by 2, the rect moves up-left by 1.
    clidmShadowed,
};

// Draws the glyph, or image index of the list, into the rect (scaled to it, smoothly when asked). Nothing
// without a glyph or a valid index. The background is the brush, or the device context's own pixels; the
// transparent colour (unless clNone) is cut out of pictures without alpha, as is a transparent glyph's.
void clDrawImageWithState(win::HDC dc, const win::RECT& rect, gui::TBitmap* glyph, gui::TCustomImageList* images,
                          int index, TclImageDrawMode mode, bool smooth = false, win::HBRUSH background = nullptr,
                          gui::TColor transparentColor = gui::clNone);

// Puts a copy of the mask (white where transparent), offset by the given pixels and in the colour, under
// the image. With grow the image takes the larger size, else it keeps its own.
void clAddShadow(TclBitmap& image, TclBitmap& mask, int offset, bool grow, gui::TColor color);

// The size of the current cursor's picture: the system cursor size, or for a cursor with a monochrome mask
// the mask's width and the rows from the hot spot down to the lowest row that shows something.
win::SIZE clMeasureCursorSize();

namespace detail {
void FinalizeImageDrawing();
}

}  // namespace controls
