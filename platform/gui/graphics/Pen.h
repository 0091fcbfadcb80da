#pragma once
// TPen: the pen a canvas draws lines and outlines with; Mode is how it mixes with the destination (one of
// the sixteen SetROP2 modes), which the canvas sets when it selects the pen.

#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/GraphicsObject.h"
#include "platform/wintypes/GdiTypes.h"

namespace gui {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
    pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

const classes::TTypeInfo& PenStyleType();
const classes::TTypeInfo& PenModeType();
// The SetROP2 mode of a pen mode.
int PenModeToROP2(TPenMode mode);

class TPen : public TGraphicsObject {
public:
    TPen() = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    win::HPEN Handle() const;
    // Takes the handle and the colour, style and width its LOGPEN gives.
    void SetHandle(win::HPEN handle);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    int Width() const { return width_; }
    void SetWidth(int value);

private:
    TColor color_ = clBlack;
    TPenMode mode_ = pmCopy;
    TPenStyle style_ = psSolid;
    int width_ = 1;
};

}  // namespace gui
