#pragma once
// TBrush: the fill of shapes and of the background of text: a solid colour, nothing (bsClear), one of the
// six hatches in the brush colour, or a bitmap pattern (Bitmap, which the brush does not own).

#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/GraphicsObject.h"
#include "platform/wintypes/GdiTypes.h"

namespace gui {

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

const classes::TTypeInfo& BrushStyleType();

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    win::HBRUSH Handle() const;
    // Takes the handle and the colour and style its LOGBRUSH gives (a pattern brush reads as solid).
    void SetHandle(win::HBRUSH handle);

    TColor Color() const { return color_; }
    // A colour on a clear brush makes it solid.
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

}  // namespace gui
