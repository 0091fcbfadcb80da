#pragma once
// The glyph and caption of the bitmap and speed buttons: the glyph bitmap (up to four images side by
// side: up, disabled, down, exclusive) with its bottom-left pixel's colour transparent, and where Layout,
// Margin and Spacing put glyph and caption. Without a disabled image the up image is drawn embossed.

#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/wintypes/Types.h"

#include <functional>
#include <memory>
#include <string>

namespace gui {
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

class ButtonGlyph {
public:
    // changed runs after every change of the glyph or its settings.
    explicit ButtonGlyph(std::function<void()> changed);
    ~ButtonGlyph();

    TBitmap* Glyph() const { return glyph_.get(); }
    int NumGlyphs() const { return numGlyphs_; }
    // EInvalidArgument outside 1..4.
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // The size of one image (none: 0 x 0).
    win::SIZE ImageSize() const;
    // Glyph image for state and caption (in the canvas's font, embossed when disabled) laid out in content.
    void Draw(TCanvas& canvas, const win::RECT& content, const std::string& caption, TButtonState state) const;

private:
    void Changed(classes::TObject*) { changed_(); }
    void DrawImage(TCanvas& canvas, TButtonState state, win::POINT at) const;

    std::function<void()> changed_;
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

}  // namespace gui::detail
