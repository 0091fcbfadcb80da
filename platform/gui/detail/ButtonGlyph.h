#pragma once
// The glyph and caption of the bitmap and speed buttons: where Layout, Margin and Spacing put them, and
// how the glyph's images (up, disabled, down, exclusive, side by side in one bitmap) are drawn with the
// bitmap's bottom-left pixel colour transparent. Without a disabled image the up image is drawn embossed.

#include "platform/gui/StdCtrlTypes.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace gui {
class TBitmap;
class TCanvas;
}

namespace gui::detail {

struct ButtonGlyphLayout {
    win::RECT glyph;
    win::RECT text;
};

// client: the face; Margin -1 centres glyph and text together (Spacing -1 then spreads them evenly);
// Spacing -1 with a margin centres the text in the room beside the glyph.
ButtonGlyphLayout CalcButtonLayout(const win::RECT& client, win::SIZE glyphSize, win::SIZE textSize,
                                   TButtonLayout layout, int margin, int spacing);

// The size of one image of the glyph (none: 0 x 0).
win::SIZE GlyphImageSize(TBitmap* glyph, int numGlyphs);

void DrawButtonGlyph(TCanvas& canvas, TBitmap* glyph, int numGlyphs, TButtonState state, win::POINT at);

// The caption in the canvas's font (its accelerator underlined), embossed when disabled.
void DrawButtonCaption(TCanvas& canvas, const std::string& caption, win::RECT rect, bool enabled);
win::SIZE ButtonCaptionSize(TCanvas& canvas, const std::string& caption);

}  // namespace gui::detail
