#include "platform/gui/graphics/Brush.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/graphics/Bitmap.h"

namespace gui {

const classes::TTypeInfo& BrushStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
                        "bsDiagCross"});
    return type;
}

const classes::TClassInfo& TBrush::StaticClass()
{
    static const classes::TClassInfo info("TBrush", &TGraphicsObject::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TBrush>(c)
            .Property("Color", ColorType(), &TBrush::Color, &TBrush::SetColor)
            .Default(clWhite)
            .Property("Style", BrushStyleType(), &TBrush::Style, &TBrush::SetStyle)
            .Default(bsSolid);
    });
    return info;
}

void TBrush::Assign(const classes::TPersistent* source)
{
    const auto* brush = dynamic_cast<const TBrush*>(source);
    if (!brush) {
        return TGraphicsObject::Assign(source);
    }
    if (brush != this) {
        color_ = brush->color_;
        style_ = brush->style_;
        bitmap_ = brush->bitmap_;
        Changed();
    }
}

win::HBRUSH TBrush::Handle() const
{
    if (!handle_) {
        if (bitmap_ && !bitmap_->Empty()) {
            handle_ = win::CreatePatternBrush(bitmap_->Handle());
        } else {
            win::LOGBRUSH brush;
            brush.lbColor = ColorToRGB(color_);
            brush.lbStyle = style_ == bsSolid ? win::BS_SOLID : style_ == bsClear ? win::BS_HOLLOW : win::BS_HATCHED;
            brush.lbHatch = style_ >= bsHorizontal ? win::ULONG_PTR(style_ - bsHorizontal) : 0;
            handle_ = win::CreateBrushIndirect(&brush);
        }
    }
    return static_cast<win::HBRUSH>(handle_);
}

void TBrush::SetHandle(win::HBRUSH handle)
{
    win::LOGBRUSH brush;
    if (handle && win::GetObject(handle, sizeof brush, &brush) == int(sizeof brush)) {
        color_ = static_cast<TColor>(brush.lbColor);
        style_ = brush.lbStyle == win::BS_HOLLOW ? bsClear
                 : brush.lbStyle == win::BS_HATCHED && brush.lbHatch <= win::HS_DIAGCROSS
                     ? TBrushStyle(bsHorizontal + int(brush.lbHatch))
                     : bsSolid;
        bitmap_ = nullptr;
    }
    Changed();
    handle_ = handle;
}

void TBrush::SetColor(TColor value)
{
    if (value != color_ || style_ == bsClear) {
        color_ = value;
        if (style_ == bsClear) {
            style_ = bsSolid;
        }
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value != style_) {
        style_ = value;
        Changed();
    }
}

void TBrush::SetBitmap(TBitmap* value)
{
    bitmap_ = value;
    Changed();
}

}  // namespace gui
