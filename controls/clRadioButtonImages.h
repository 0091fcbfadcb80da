#pragma once
// The radio-button images the painters draw: 128 small images, made once by measuring the system's own
// flat radio button and colouring its shape for every look-and-feel kind, button state, checked flag and
// emphasis; rebuilt when the system colours change. Image n has the key
// (state - 1) + 4 x checked + 8 x kind + 32 x emphasised-unless-disabled + 64 x emphasised.

#include "controls/clGraphics.h"
#include "controls/clLookAndFeelPainters.h"

#include <memory>
#include <vector>

namespace controls {

class TclRadioButtonImageList {
public:
    // Measures the system radio button and builds the images.
    TclRadioButtonImageList();
    ~TclRadioButtonImageList();
    TclRadioButtonImageList(const TclRadioButtonImageList&) = delete;
    TclRadioButtonImageList& operator=(const TclRadioButtonImageList&) = delete;

    // The image of the key at (x, y): straight from the list for clDefault, else on a bitmap filled with
    // the background colour first. States 1 normal to 4 disabled (the default state draws as normal).
    void PaintImage(TclCanvas& canvas, int x, int y, TclLookAndFeelKind kind, TclButtonState state, bool checked,
                    bool emphasised, bool emphasisedUnlessDisabled, gui::TColor backColor) const;
    void ImageSize(win::SIZE& size) const { size = size_; }
    // Builds all 128 images again from the current colours.
    void Rebuild();

    gui::TCustomImageList* Images() const { return images_.get(); }
    // The dot inside the radio, in radio coordinates.
    win::RECT DotRect() const { return dot_; }
    // The shape: rows of codes 0 outside, 1 and 2 the outer ring's upper-left and lower-right sides, 3 and
    // 4 the inner ring's, 5 the body, 6 the dot.
    const std::vector<std::vector<int>>& Pattern() const { return pattern_; }
    static int ImageKey(TclLookAndFeelKind kind, TclButtonState state, bool checked, bool emphasised,
                        bool emphasisedUnlessDisabled);

private:
    void Measure();
    void MakePattern();

    win::POINT origin_{0, 0};
    win::SIZE size_{0, 0};
    win::RECT dot_{0, 0, 0, 0};
    std::vector<std::vector<int>> pattern_;
    std::unique_ptr<gui::TBitmap> mask_;
    std::unique_ptr<gui::TCustomImageList> images_;
};

// The process-wide images, made on first use; null once the painters have ended.
TclRadioButtonImageList* clRadioButtonImages();

namespace detail {
// The images may be made from now on.
void StartRadioButtonImages();
// Rebuilds the images when they exist.
void RebuildRadioButtonImages();
void FreeRadioButtonImages();
}  // namespace detail

}  // namespace controls
